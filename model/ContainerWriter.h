#pragma once

#include "AtomicFileWriter.h"
#include "Container.h"

#include <string>

// Writes a container to a file piece by piece, the counterpart of TContainerLineReader: the text
// is built into a piece, which is enciphered while it is still in the processor's cache and
// written, so a large list needs no buffer the size of its file. The header, which holds the
// text's length, is written last.
class TContainerWriter
{
public:
    static constexpr std::size_t DefaultPieceSize = 1024 * 1024;

    TContainerWriter(AtomicFileWriter& file, const std::string& password, std::size_t pieceSize = DefaultPieceSize);

    // Where the text goes: lines, each followed by CR LF.
    [[nodiscard]] std::string& Text() { return m_piece; }
    // Enciphers and writes what a full piece holds; call it between lines.
    void WriteFullPiece();
    // Adds the line count and the padding, writes the rest and then the header. Fails when the
    // text or the count does not fit the container's 32-bit fields; the file is then unusable.
    void Finish(std::size_t lineCount);

private:
    // Enciphers and writes the piece's whole blocks; what is left stays for the next piece.
    void WriteBlocks();

    AtomicFileWriter& m_file;
    TBlockCipher m_cipher;
    std::size_t m_pieceSize;
    std::string m_piece;
    std::size_t m_written = 0; // payload bytes written so far
};
