#include "regvalues.h"

#include <string>

namespace {

// Empty for a path that is none.
std::wstring WidePath(LPCSTR path)
{
    const int chars = path ? ::MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0) : 0;
    if (chars <= 1)
        return std::wstring();
    std::wstring wide((size_t)chars, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), chars);
    wide.resize((size_t)chars - 1);
    return wide;
}

}   // namespace

LONG OpenRegPath(HKEY hParent, LPCSTR path, REGSAM sam, HKEY* phKey)
{
    *phKey = nullptr;
    if (!path)
        return ERROR_INVALID_PARAMETER;
    if (!*path)
        return ::RegOpenKeyExW(hParent, L"", 0, sam, phKey);
    const std::wstring wide = WidePath(path);
    if (wide.empty())
        return ERROR_INVALID_PARAMETER;
    return ::RegOpenKeyExW(hParent, wide.c_str(), 0, sam, phKey);
}

LONG DeleteRegPath(HKEY hParent, LPCSTR path)
{
    const std::wstring wide = WidePath(path);
    if (wide.empty())
        return ERROR_INVALID_PARAMETER;
    const LONG result = ::RegDeleteTreeW(hParent, wide.c_str());
    ::RegDeleteKeyW(hParent, wide.c_str());
    return result;
}

bool ReadRegNumber(HKEY hKey, LPCSTR name, DWORD* value)
{
    DWORD data = 0, size = sizeof data, type = 0;
    if (::RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        size != sizeof data || (type != REG_DWORD && type != REG_BINARY))
        return false;
    *value = data;
    return true;
}

bool ReadRegText(HKEY hKey, LPCSTR name, char* buffer, DWORD cbBuffer)
{
    if (cbBuffer == 0)
        return false;
    DWORD size = cbBuffer, type = 0;
    bool ok = ::RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
              (type == REG_SZ || type == REG_EXPAND_SZ);
    // A text that fills the buffer without its end does not fit.
    if (ok && size == cbBuffer && buffer[size - 1] != '\0')
        ok = false;
    buffer[ok && size < cbBuffer ? size : (ok ? cbBuffer - 1 : 0)] = '\0';
    return ok;
}

bool ReadRegBytes(HKEY hKey, LPCSTR name, void* data, DWORD cbData)
{
    std::vector<BYTE> buffer(cbData + 1);   // one more: a longer value fails instead of fitting
    DWORD size = (DWORD)buffer.size(), type = 0;
    if (::RegQueryValueExA(hKey, name, nullptr, &type, buffer.data(), &size) != ERROR_SUCCESS || type != REG_BINARY ||
        size != cbData)
        return false;
    memcpy(data, buffer.data(), cbData);
    return true;
}

bool ReadRegList(HKEY hKey, LPCSTR name, DWORD cbMax, std::vector<UINT>& list)
{
    std::vector<BYTE> buffer(cbMax);
    DWORD size = cbMax, type = 0;
    list.clear();
    if (::RegQueryValueExA(hKey, name, nullptr, &type, buffer.data(), &size) != ERROR_SUCCESS || type != REG_BINARY ||
        size > cbMax)
        return false;
    list.resize(size / sizeof(UINT));
    if (!list.empty())
        memcpy(list.data(), buffer.data(), list.size() * sizeof(UINT));
    return true;
}

bool WriteRegNumber(HKEY hKey, LPCSTR name, DWORD value)
{
    return ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool WriteRegText(HKEY hKey, LPCSTR name, LPCSTR text)
{
    return ::RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), (DWORD)strlen(text) + 1) ==
           ERROR_SUCCESS;
}

bool WriteRegBytes(HKEY hKey, LPCSTR name, const void* data, DWORD cbData)
{
    return ::RegSetValueExA(hKey, name, 0, REG_BINARY, static_cast<const BYTE*>(data), cbData) == ERROR_SUCCESS;
}

bool WriteRegList(HKEY hKey, LPCSTR name, const std::vector<UINT>& list)
{
    return WriteRegBytes(hKey, name, list.data(), (DWORD)(list.size() * sizeof(UINT)));
}
