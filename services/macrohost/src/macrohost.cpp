// The macro host's entry points. Every one answers with a result code, writes
// no more than the caller's buffers hold and tolerates NULL outputs.
#include "macrofile.h"
#include "picture.h"

#include <cstring>

using namespace macrohost;

namespace {

const HRESULT kNoSuchMacro = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
const int kPromptSize = 256;   // GetRunMacroInformation's prompt buffer

template <typename T>
void Put(T* p, T value)
{
    if (p)
        *p = value;
}

// The macro's picture: a bitmap file named by the macro, beside the macro file.
HBITMAP LoadPicture(const std::string& macroPath, const std::string& bitmap)
{
    if (bitmap.empty() || bitmap.find_first_of("\\/:") != std::string::npos || bitmap == "..")
        return nullptr;
    const std::string path = macroPath.substr(0, macroPath.find_last_of('\\') + 1) + bitmap;
    if (path.size() >= MAX_PATH)
        return nullptr;
    return LoadPictureFile(path);
}

// Clears every output, then fills them from the macro's file; kNoSuchMacro when
// there is none.
HRESULT Describe(const char* macro, CLSID* pClsid, int* pValue, char* name, int nameSize, char* tip, int tipSize,
                 char* prompt, int promptSize, HBITMAP* pBitmap, int* pTransparent)
{
    Put(pClsid, GUID_NULL);
    Put(pValue, 0);
    CopyText(std::string(), name, nameSize);
    CopyText(std::string(), tip, tipSize);
    CopyText(std::string(), prompt, promptSize);
    Put(pBitmap, static_cast<HBITMAP>(nullptr));
    Put(pTransparent, -1);

    const std::string path = LocateMacro(macro);
    MacroFile file;
    if (path.empty() || !ReadMacroFile(path, file))
        return kNoSuchMacro;
    Put(pClsid, ClassIDOfPath(path));
    CopyText(file.name, name, nameSize);
    CopyText(file.tip, tip, tipSize);
    CopyText(file.prompt, prompt, promptSize);
    if (pBitmap)
        *pBitmap = LoadPicture(path, file.bitmap);
    if (file.transparent != CLR_INVALID)
        Put(pTransparent, static_cast<int>(file.transparent));
    return S_OK;
}

// A class registered for the current user only, read where it is written: systems
// that do not merge the user's classes into HKEY_CLASSES_ROOT miss it there.
bool UserClassOfProgID(const char* text, CLSID& clsid)
{
    const std::string subKey = std::string("Software\\Classes\\") + text + "\\CLSID";
    char value[64] = "";
    DWORD type = 0, size = sizeof value - 1;
    if (::RegGetValueA(HKEY_CURRENT_USER, subKey.c_str(), nullptr, RRF_RT_REG_SZ, &type, value, &size) != ERROR_SUCCESS)
        return false;
    value[sizeof value - 1] = '\0';
    return ParseClassID(value, &clsid);
}

// A program ID of a registered COM class (an add-in): its class identifier.
HRESULT RegisteredClassOfProgID(const char* text, CLSID* pClsid)
{
    wchar_t wide[256] = L"";
    if (strlen(text) >= 40 || !::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256))
        return REGDB_E_CLASSNOTREG;   // program IDs have at most 39 characters
    CLSID clsid = GUID_NULL;
    if (FAILED(::CLSIDFromProgID(wide, &clsid)) && !UserClassOfProgID(text, clsid))
        return REGDB_E_CLASSNOTREG;
    Put(pClsid, clsid);
    return pClsid ? S_OK : E_POINTER;
}

}   // namespace

HRESULT WINAPI GetRunMacro(HWND /*hWnd*/, const CLSID* pEngineClsid, const char* macro, int* pError, char* path,
                           CLSID* pClsid, int* pKind, int /*reserved1*/, int /*reserved2*/, int /*mode*/, int /*flags*/)
{
    Put(pError, 1);
    CopyText(std::string(), path, 2048);
    Put(pClsid, GUID_NULL);
    Put(pKind, 0);
    if (!macro)
        return E_INVALIDARG;

    CLSID clsid = GUID_NULL;
    if (pEngineClsid && ParseClassID(macro, &clsid)) {
        CopyText(macro, path, 2048);
        Put(pClsid, clsid);
        Put(pKind, 1);
        Put(pError, 0);
        return S_OK;
    }
    const std::string found = LocateMacro(macro);
    if (found.empty())
        return kNoSuchMacro;
    CopyText(found, path, 2048);
    Put(pClsid, ClassIDOfPath(found));
    Put(pError, 0);
    return S_OK;
}

HRESULT WINAPI GetRunMacroInformation(const char* path, CLSID* pClsid, int* pValue, char* name, int nameSize, char* tip,
                                      int tipSize, char* prompt, HBITMAP* pBitmap, int* pTransparent)
{
    return Describe(path, pClsid, pValue, name, nameSize, tip, tipSize, prompt, kPromptSize, pBitmap, pTransparent);
}

HRESULT WINAPI GetMoreMacroInformation(const char* path, CLSID* pClsid, int* pValue, char* name, int nameSize,
                                       char* tip, int tipSize, char* prompt, int promptSize, char* extra, int* pFlags,
                                       HBITMAP* pBitmap, int* pTransparent)
{
    if (extra)
        extra[0] = '\0';
    HBITMAP hBitmap = nullptr;
    const HRESULT hr =
        Describe(path, pClsid, pValue, name, nameSize, tip, tipSize, prompt, promptSize, &hBitmap, pTransparent);
    Put(pFlags, hBitmap ? static_cast<int>(JMACRO_FLAG_OWN_PICTURE) : 0);
    if (pBitmap)
        *pBitmap = hBitmap;
    else if (hBitmap)
        ::DeleteObject(hBitmap);
    return hr;
}

HRESULT WINAPI GetDefaultStatusAndToolTip(int tipSize, char* tip, int statusSize, char* status)
{
    CopyText("Macro", tip, tipSize);
    CopyText("Runs a macro", status, statusSize);
    return S_OK;
}

HRESULT WINAPI GetFileNameGivenProgID(const char* progID, char* fileName)
{
    CopyText(std::string(), fileName, MAX_PATH);
    const std::string found = IsProgramID(progID) ? LocateMacro(progID) : std::string();
    if (found.empty())
        return IsProgramID(progID) ? kNoSuchMacro : E_INVALIDARG;
    if (found.size() >= MAX_PATH)
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    CopyText(found, fileName, MAX_PATH);
    return fileName ? S_OK : E_POINTER;
}

HRESULT WINAPI GetMacroDirectory(long value, char* buffer)
{
    if (!buffer)
        return E_POINTER;
    const std::string directory = MacroDirectory();
    if (directory.empty() || directory.size() >= MAX_PATH) {
        buffer[0] = '\0';
        return E_FAIL;
    }
    CopyText(directory, buffer, MAX_PATH);
    // The menu page lists the current directory's macros: a host value makes ours current.
    if (value != 0)
        ::SetCurrentDirectoryA(directory.c_str());
    return S_OK;
}

HRESULT WINAPI UMacroCLSIDFromProgID(const char* text, CLSID* pClsid)
{
    Put(pClsid, GUID_NULL);
    if (text && *text && !IsProgramID(text))
        return RegisteredClassOfProgID(text, pClsid);
    const std::string found = IsProgramID(text) ? LocateMacro(text) : std::string();
    if (found.empty())
        return REGDB_E_CLASSNOTREG;
    Put(pClsid, ClassIDOfPath(found));
    return pClsid ? S_OK : E_POINTER;
}

HRESULT WINAPI UMacroCLSIDFromFileName(const char* text, CLSID* pClsid)
{
    Put(pClsid, GUID_NULL);
    const std::string found = text && !IsProgramID(text) ? LocateMacro(text) : std::string();
    if (found.empty())
        return E_FAIL;
    Put(pClsid, ClassIDOfPath(found));
    return pClsid ? S_OK : E_POINTER;
}
