#include "regvalues.h"

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

void WriteRegNumber(HKEY hKey, LPCSTR name, DWORD value)
{
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void WriteRegText(HKEY hKey, LPCSTR name, LPCSTR text)
{
    ::RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), (DWORD)strlen(text) + 1);
}

void WriteRegBytes(HKEY hKey, LPCSTR name, const void* data, DWORD cbData)
{
    ::RegSetValueExA(hKey, name, 0, REG_BINARY, static_cast<const BYTE*>(data), cbData);
}

void WriteRegList(HKEY hKey, LPCSTR name, const std::vector<UINT>& list)
{
    WriteRegBytes(hKey, name, list.data(), (DWORD)(list.size() * sizeof(UINT)));
}
