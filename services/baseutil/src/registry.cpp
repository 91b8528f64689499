#include "baseutil.h"

#include <string>

namespace {

// The ANSI registry calls convert a key path in a buffer of MAX_PATH characters and refuse a
// longer one; the wide calls take a path of any length.
bool Widen(LPCSTR text, std::wstring& wide)
{
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (chars <= 0)
        return false;
    wide.assign((size_t)chars, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), chars);
    return true;
}

}   // namespace

LONG JRegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    if (!hKey || !lpSubKey)
        return ERROR_INVALID_PARAMETER;
    std::wstring subKey, keyClass;
    if (!Widen(lpSubKey, subKey) || (lpClass && !Widen(lpClass, keyClass)))
        return ERROR_INVALID_PARAMETER;
    return ::RegCreateKeyExW(hKey, subKey.c_str(), Reserved, lpClass ? keyClass.data() : nullptr, dwOptions, samDesired,
                             lpSecurityAttributes, phkResult, lpdwDisposition);
}
