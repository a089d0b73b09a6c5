#pragma once

#include "Container.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// The lines of a container's text, read from its source piece by piece. Each piece is deciphered
// and its lines are read while it is still in the processor's cache, and no buffer the size of
// the file is ever needed. Lines are split and the text is cut at a zero byte exactly as
// OpenContainer and TLineReader do; a line stays valid until the next call to Next.
class TContainerLineReader
{
public:
    // Fills the buffer with exactly the next size bytes of the container, or fails.
    using ReadExactly = std::function<void(char* buffer, std::size_t size)>;

    static constexpr std::size_t DefaultPieceSize = 256 * 1024;

    // containerSize counts every byte, header included. Reads the header at once and fails as
    // OpenContainer does on a container that cannot be right. pieceSize is a multiple of
    // ContainerBlockSize.
    TContainerLineReader(ReadExactly read, std::size_t containerSize, const std::string& password,
                         std::size_t pieceSize = DefaultPieceSize);

    [[nodiscard]] bool AtEnd();
    // The next line; past the last one, fails with "List index out of bounds (index)".
    std::string_view Next();
    // How many lines were read so far: the index of the next line.
    [[nodiscard]] long long Index() const { return m_index; }
    // Reads the remaining lines and returns how many there were.
    std::size_t SkipRest();
    // The line count stored after the text; reads the container up to it.
    [[nodiscard]] std::int32_t StoredLineCount();

private:
    // Moves the unread text from keepFrom on to the front of the buffer and appends the text of
    // the next piece. Positions in the buffer move down by keepFrom.
    void Refill(std::size_t keepFrom);
    // Deciphers size bytes at data, the container's next piece, and keeps the line count's bytes
    // it holds; returns how many of them belong to the text.
    std::size_t TakePiece(char* data, std::size_t size);

    ReadExactly m_read;
    TBlockCipher m_cipher;
    std::size_t m_pieceSize;
    std::size_t m_cipherLeft = 0;  // enciphered bytes not read yet
    std::size_t m_payloadRead = 0; // payload bytes deciphered so far
    std::size_t m_payloadSize = 0;
    std::size_t m_textLimit = 0; // the text ends here in the payload (line count or zero byte)
    bool m_textDone = false;     // every text byte is in the buffer
    char m_storedCount[4] = {};

    std::vector<char> m_buffer;
    std::size_t m_available = 0; // text bytes in the buffer
    std::size_t m_position = 0;  // start of the next line in the buffer
    long long m_index = 0;
};
