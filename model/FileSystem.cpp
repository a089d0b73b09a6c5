#include "FileSystem.h"

#include <utility>

// What the implementations for each system share.
namespace FileSystem {

TFile::TFile(TFile&& other) noexcept : m_handle(std::exchange(other.m_handle, NoHandle)) {}

TFile& TFile::operator=(TFile&& other) noexcept
{
    if (this != &other) {
        TFile old(std::exchange(m_handle, std::exchange(other.m_handle, NoHandle)));
    }
    return *this;
}

bool TFile::IsOpen() const
{
    return m_handle != NoHandle;
}

} // namespace FileSystem
