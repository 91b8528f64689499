// Registering the sample add-in for the current user: its class and program ID
// under HKEY_CURRENT_USER\Software\Classes, the server by its full path.
#include "sampleaddin.h"

#include <olectl.h>

#include <string>

namespace {

const char kClasses[] = "Software\\Classes\\";

LONG SetText(const std::string& subKey, const char* name, const std::string& value)
{
    HKEY hKey = nullptr;
    LONG result =
        ::RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = ::RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(hKey);
    return result;
}

// The full path of this module; empty when it cannot be told.
std::string ModulePath()
{
    HMODULE hModule = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCSTR>(&ModulePath), &hModule))
        return std::string();
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(hModule, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

LONG DeleteTree(const std::string& subKey)
{
    const LONG result = ::RegDeleteTreeA(HKEY_CURRENT_USER, subKey.c_str());
    if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND)
        ::RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

}   // namespace

extern "C" HRESULT WINAPI DllRegisterServer()
{
    const std::string path = ModulePath();
    if (path.empty())
        return SELFREG_E_CLASS;
    const std::string classKey = std::string(kClasses) + "CLSID\\" + kSampleAddInClsid;
    const std::string progIDKey = std::string(kClasses) + kSampleAddInProgID;
    const LONG results[] = {
        SetText(classKey, nullptr, "Draft Host sample add-in"),
        SetText(classKey + "\\InprocServer32", nullptr, path),
        SetText(classKey + "\\InprocServer32", "ThreadingModel", "Apartment"),
        SetText(classKey + "\\ProgID", nullptr, kSampleAddInProgID),
        SetText(progIDKey, nullptr, "Draft Host sample add-in"),
        SetText(progIDKey + "\\CLSID", nullptr, kSampleAddInClsid),
    };
    for (LONG result : results)
        if (result != ERROR_SUCCESS) {
            DllUnregisterServer();
            return SELFREG_E_CLASS;
        }
    return S_OK;
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    const LONG classResult = DeleteTree(std::string(kClasses) + "CLSID\\" + kSampleAddInClsid);
    const LONG progIDResult = DeleteTree(std::string(kClasses) + kSampleAddInProgID);
    return classResult == ERROR_SUCCESS && progIDResult == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}
