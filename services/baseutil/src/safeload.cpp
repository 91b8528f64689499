#include "safeload.h"

namespace {

HMODULE LoadFromFolder(const CString& folder, LPCSTR lpszName)
{
    if (folder.IsEmpty() || !lpszName || !*lpszName || strchr(lpszName, '\\') || strchr(lpszName, '/'))
        return nullptr;
    const CString path = folder + "\\" + lpszName;
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    // The module's own dependencies are searched from its folder first.
    return ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}   // namespace

HMODULE LoadModuleBesideExecutable(LPCSTR lpszName)
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    CString folder(path, (int)length);
    const int slash = folder.ReverseFind('\\');
    return slash < 0 ? nullptr : LoadFromFolder(folder.Left(slash), lpszName);
}

HMODULE LoadSystemModule(LPCSTR lpszName)
{
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return LoadFromFolder(CString(folder, (int)length), lpszName);
}
