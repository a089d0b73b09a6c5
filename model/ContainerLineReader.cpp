#include "ContainerLineReader.h"

#include "BWError.h"

#include <algorithm>
#include <cstring>
#include <utility>

TContainerLineReader::TContainerLineReader(ReadExactly read, std::size_t containerSize, const std::string& password,
                                           std::size_t pieceSize)
    : m_read(std::move(read)), m_cipher(password, false), m_pieceSize(pieceSize)
{
    if (pieceSize == 0 || pieceSize % ContainerBlockSize != 0) {
        throw EBWError("The piece size must be a whole number of cipher blocks");
    }
    char header[ContainerHeaderSize] = {};
    if (containerSize >= ContainerHeaderSize) {
        m_read(header, ContainerHeaderSize);
    }
    const TContainerShape shape = ContainerShape(containerSize, header);
    m_cipherLeft = shape.CipherSize;
    m_payloadSize = shape.PayloadSize;
    m_textLimit = shape.PayloadSize - 4;
    m_textDone = m_textLimit == 0;
    m_buffer.resize(m_pieceSize);
}

std::size_t TContainerLineReader::TakePiece(char* data, std::size_t size)
{
    m_cipher.Apply(data, size);
    const std::size_t start = m_payloadRead;
    m_payloadRead += size;
    // The line count's four bytes may straddle two pieces.
    const std::size_t countStart = m_payloadSize - 4;
    for (std::size_t at = std::max(start, countStart); at < std::min(m_payloadRead, m_payloadSize); ++at) {
        m_storedCount[at - countStart] = data[at - start];
    }
    if (m_textDone) {
        return 0;
    }
    std::size_t text = std::min(size, m_textLimit - start);
    if (const void* zero = std::memchr(data, '\0', text); zero != nullptr) {
        text = static_cast<std::size_t>(static_cast<const char*>(zero) - data);
        m_textLimit = start + text;
    }
    m_textDone = start + text >= m_textLimit;
    return text;
}

void TContainerLineReader::Refill(std::size_t keepFrom)
{
    const std::size_t kept = m_available - keepFrom;
    std::memmove(m_buffer.data(), m_buffer.data() + keepFrom, kept);
    m_available = kept;
    m_position -= std::min(m_position, keepFrom);
    // The buffer only grows for a line longer than a piece.
    if (m_buffer.size() - m_available < m_pieceSize) {
        m_buffer.resize(m_available + m_pieceSize);
    }
    const std::size_t size = std::min(m_pieceSize, m_cipherLeft);
    if (size == 0) {
        throw EBWError("Stream read error"); // the header promised more text than the file holds
    }
    char* piece = m_buffer.data() + m_available;
    m_read(piece, size);
    m_cipherLeft -= size;
    m_available += TakePiece(piece, size);
}

bool TContainerLineReader::AtEnd()
{
    while (m_position >= m_available && !m_textDone) {
        Refill(m_position);
    }
    return m_position >= m_available;
}

std::string_view TContainerLineReader::Next()
{
    if (AtEnd()) {
        throw EBWError(ListIndexOutOfBoundsText(m_index));
    }
    std::size_t start = m_position;
    std::size_t scan = start;
    std::size_t end = 0;
    for (;;) {
        end = FindLineBreak(m_buffer.data(), scan, m_available);
        // A line whose end is not in the buffer yet, or a CR that may be the first half of a CR LF
        // pair, needs the next piece.
        const bool open = end == m_available || (end + 1 == m_available && m_buffer[end] == '\r');
        if (!open || m_textDone) {
            break;
        }
        scan = end - start;
        Refill(start);
        start = 0;
    }
    const std::string_view line(m_buffer.data() + start, end - start);
    if (end + 1 < m_available && m_buffer[end] == '\r' && m_buffer[end + 1] == '\n') {
        ++end;
    }
    m_position = end + 1;
    ++m_index;
    return line;
}

std::size_t TContainerLineReader::SkipRest()
{
    std::size_t count = 0;
    for (; !AtEnd(); ++count) {
        Next();
    }
    return count;
}

std::int32_t TContainerLineReader::StoredLineCount()
{
    // What remains before the count is read into the space after the text, which is free.
    while (m_payloadRead < m_payloadSize) {
        const std::size_t size = std::min(m_pieceSize, m_cipherLeft);
        if (m_buffer.size() - m_available < size) {
            m_buffer.resize(m_available + size);
        }
        char* piece = m_buffer.data() + m_available;
        m_read(piece, size);
        m_cipherLeft -= size;
        m_textDone = true; // nothing after a cut is text
        TakePiece(piece, size);
    }
    return GetInt32(m_storedCount);
}
