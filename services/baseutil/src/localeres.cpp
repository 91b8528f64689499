#include "baseutil.h"

namespace {

CString FolderOf(HMODULE hModule)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(hModule, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(path, (int)length);
    const int slash = folder.ReverseFind('\\');
    return slash < 0 ? CString() : folder.Left(slash + 1);
}

HINSTANCE LoadFrom(const CString& folder, LPCSTR lpszModuleName)
{
    const CString path = folder + lpszModuleName;
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

}   // namespace

HINSTANCE AttachLocaleResDLL(HMODULE hCaller, LPCSTR lpszModuleName, UINT where, LANGID language, BOOL fallback)
{
    if (!lpszModuleName || !*lpszModuleName)
        return nullptr;

    CString folders[2];
    int count = 0;
    if ((where & LOCALE_RES_BESIDE_CALLER) && hCaller)
        folders[count++] = FolderOf(hCaller);
    if (where & LOCALE_RES_BESIDE_EXECUTABLE) {
        CString exeFolder = FolderOf(nullptr);
        if (count == 0 || exeFolder.CompareNoCase(folders[0]) != 0)
            folders[count++] = exeFolder;
    }

    if (language == 0)
        language = GetUserDefaultUILanguage();
    CString languageFolder;
    languageFolder.Format("%u\\", (unsigned)language);

    // A module for the user's language wherever it lies wins over the plain ones.
    for (int i = 0; i < count; ++i)
        if (!folders[i].IsEmpty())
            if (HINSTANCE h = LoadFrom(folders[i] + languageFolder, lpszModuleName))
                return h;
    if (fallback)
        for (int i = 0; i < count; ++i)
            if (!folders[i].IsEmpty())
                if (HINSTANCE h = LoadFrom(folders[i], lpszModuleName))
                    return h;
    return nullptr;
}

BYTE LangIDToFontCharSet(LANGID language)
{
    char codePage[8] = "";
    if (!GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, codePage, sizeof codePage))
        return ANSI_CHARSET;
    CHARSETINFO info{};
    const UINT_PTR cp = (UINT_PTR)strtoul(codePage, nullptr, 10);
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(cp), &info, TCI_SRCCODEPAGE))
        return ANSI_CHARSET;
    return (BYTE)info.ciCharset;
}
