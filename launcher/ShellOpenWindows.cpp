#ifdef _WIN32

#include "ShellOpen.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

void ShellOpen(const std::string& file, const std::string& parameters)
{
    // Some shell extensions that handle "open" need COM on the calling thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
}

#endif
