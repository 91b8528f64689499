#include "controllib.h"

CString ProgramFolder()
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\') + 1);
}

namespace {

template <class F>
bool Find(HMODULE hModule, const char* name, F& function, CString& missing)
{
    function = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(hModule, name)));
    if (!function)
        missing = name;
    return function != nullptr;
}

}   // namespace

BOOL ControlLibrary::Load(CString& reason)
{
    // By its full path, never through the current directory or PATH; its own
    // imports are found beside it.
    ::SetDllDirectoryA("");
    const CString folder = ProgramFolder();
    if (!folder.IsEmpty())
        hModule = ::LoadLibraryExA(folder + "CONTROL.dll", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!hModule) {
        reason.Format("CONTROL.dll could not be loaded (error %lu)", ::GetLastError());
        return FALSE;
    }
    CString missing;
    const bool found = Find(hModule, "InitCustomControls", InitCustomControls, missing) &&
                       Find(hModule, "JCreateEnvironmentManager", JCreateEnvironmentManager, missing) &&
                       Find(hModule, "SetWinApp", SetWinApp, missing) &&
                       Find(hModule, "SetDynamicCommand", SetDynamicCommand, missing) &&
                       Find(hModule, "AddCategoryUsingBitmaps", AddCategoryUsingBitmaps, missing) &&
                       Find(hModule, "AddMacroCommand", AddMacroCommand, missing) &&
                       Find(hModule, "GetJControlInfo", GetJControlInfo, missing) &&
                       Find(hModule, "UsingLargeButtons", UsingLargeButtons, missing) &&
                       Find(hModule, "SetLargeButtons", SetLargeButtons, missing);
    if (!found) {
        reason.Format("CONTROL.dll has no export %s", (LPCSTR)missing);
        Free();
        return FALSE;
    }
    return TRUE;
}

void ControlLibrary::Free()
{
    if (hModule)
        ::FreeLibrary(hModule);
    hModule = nullptr;
}
