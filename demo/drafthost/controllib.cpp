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

BOOL CheckControlLibrary(CString& path, CString& reason)
{
    // Whatever the program loads by name from here on comes from full paths only,
    // never through the current directory.
    ::SetDllDirectoryA("");
    HMODULE hModule = ::GetModuleHandleA("CONTROL.dll");
    char loaded[MAX_PATH] = "";
    const DWORD length = hModule ? ::GetModuleFileNameA(hModule, loaded, MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH) {
        reason = "CONTROL.dll is not loaded";
        return FALSE;
    }
    path = loaded;
    const CString expected = ProgramFolder() + "CONTROL.dll";
    if (path.CompareNoCase(expected) != 0) {
        reason.Format("CONTROL.dll was loaded from %s, not from the program's folder", (LPCSTR)path);
        return FALSE;
    }
    return TRUE;
}
