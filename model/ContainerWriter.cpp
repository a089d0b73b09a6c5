#include "ContainerWriter.h"

#include "BWError.h"

#include <limits>

TContainerWriter::TContainerWriter(AtomicFileWriter& file, const std::string& password, std::size_t pieceSize)
    : m_file(file), m_cipher(password, true), m_pieceSize(pieceSize)
{
    m_piece.reserve(m_pieceSize + 4096);
    // Room for the header; its value is known only when the text is complete.
    m_file.Write(std::string_view("\0\0\0\0", ContainerHeaderSize));
}

void TContainerWriter::WriteFullPiece()
{
    if (m_piece.size() >= m_pieceSize) {
        WriteBlocks();
    }
}

void TContainerWriter::WriteBlocks()
{
    const std::size_t whole = m_piece.size() / ContainerBlockSize * ContainerBlockSize;
    m_cipher.Apply(m_piece.data(), whole);
    m_file.Write(std::string_view(m_piece.data(), whole));
    m_piece.erase(0, whole);
    m_written += whole;
}

void TContainerWriter::Finish(std::size_t lineCount)
{
    const std::size_t payloadSize = m_written + m_piece.size() + 4;
    constexpr auto Largest = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    if (payloadSize > Largest || lineCount > Largest) {
        throw EBWError("The list is too large to be saved");
    }
    char count[4];
    PutInt32(count, static_cast<std::int32_t>(lineCount));
    m_piece.append(count, sizeof count);
    m_piece.resize((m_piece.size() + ContainerBlockSize - 1) / ContainerBlockSize * ContainerBlockSize, '\0');
    WriteBlocks();
    char header[ContainerHeaderSize];
    PutInt32(header, static_cast<std::int32_t>(payloadSize));
    m_file.WriteAt(0, std::string_view(header, sizeof header));
}
