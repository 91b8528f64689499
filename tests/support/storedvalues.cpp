#include "storedvalues.h"

namespace testing_support {

std::vector<UINT> StoredValue::List() const
{
    std::vector<UINT> list(data.size() / sizeof(UINT));
    if (!list.empty())
        memcpy(list.data(), data.data(), list.size() * sizeof(UINT));
    return list;
}

bool ReadStoredValue(HKEY hKey, LPCSTR name, StoredValue& out)
{
    DWORD size = 0;
    if (::RegQueryValueExA(hKey, name, nullptr, &out.type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    out.data.resize(size);
    return ::RegQueryValueExA(hKey, name, nullptr, &out.type, out.data.data(), &size) == ERROR_SUCCESS;
}

std::map<std::string, StoredValue> ReadValues(HKEY hKey)
{
    std::map<std::string, StoredValue> values;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD cchName = sizeof name;
        if (::RegEnumValueA(hKey, i, name, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        ReadStoredValue(hKey, name, values[name]);
    }
    return values;
}

CPoint ReadPoint(HKEY hKey, LPCSTR name)
{
    StoredValue value;
    ReadStoredValue(hKey, name, value);
    return value.Point();
}

HKEY CreateKey(LPCSTR path)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

void WriteNumber(HKEY hKey, LPCSTR name, DWORD value)
{
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void WriteList(HKEY hKey, LPCSTR name, const std::vector<UINT>& list)
{
    ::RegSetValueExA(hKey, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(list.data()),
                     (DWORD)(list.size() * sizeof(UINT)));
}

void WritePoint(HKEY hKey, LPCSTR name, CPoint point)
{
    const LONG xy[2] = {point.x, point.y};
    ::RegSetValueExA(hKey, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(xy), sizeof xy);
}

}   // namespace testing_support
