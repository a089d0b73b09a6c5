// The FTP address splitter on arbitrary text: it must never fail, and its parts must come from
// the address: the host and the folder are stretches of it, the file name holds no "/".

#include "FtpAddress.h"
#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string address(reinterpret_cast<const char*>(data), size);
    const FtpAddress parts = SplitFtpAddress(address);
    FuzzCheck(parts.FileName.find('/') == std::string::npos, "the file name holds a folder separator");
    FuzzCheck(parts.Host.find('/') == std::string::npos, "the host holds a folder separator");
    FuzzCheck(parts.Host.empty() || address.find(parts.Host) != std::string::npos, "the host is not in the address");
    FuzzCheck(parts.Directory.empty() || address.find(parts.Directory) != std::string::npos,
              "the folder is not in the address");
    FuzzCheck(parts.Host.size() + parts.Directory.size() + parts.FileName.size() <= address.size(),
              "the parts are longer than the address");
    return 0;
}
