#ifdef _WIN32

#include "ShellOpen.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

ShellOpenResult ShellOpen(const std::string& file, const std::string& parameters)
{
    // Some shell extensions that handle "open" need COM on the calling thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const auto code = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL));
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    if (code > 32) {
        return ShellOpenResult::Started;
    }
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? ShellOpenResult::NotFound
                                                                        : ShellOpenResult::StartFailed;
}

#endif
