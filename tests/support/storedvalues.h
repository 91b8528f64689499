// Registry values as stored: read back with their type and bytes, and written
// the way a damaged or hand-edited key could hold them.
#pragma once
#include "afxwin.h"

#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    // The bytes as a T when they are exactly its size, else the fallback.
    template <typename T>
    T As(T fallback) const
    {
        if (data.size() == sizeof(T))
            memcpy(&fallback, data.data(), sizeof(T));
        return fallback;
    }
    DWORD Number() const { return As<DWORD>(0xFFFFFFFF); }
    double Double() const { return As<double>(0.0); }
    CPoint Point() const { return As<POINT>({INT_MIN, INT_MIN}); }
    // The bytes as they are, a terminating NUL included.
    std::string Text() const { return std::string(data.begin(), data.end()); }
    // The bytes as 32-bit numbers (trailing bytes dropped).
    std::vector<UINT> List() const;
};

bool ReadStoredValue(HKEY hKey, LPCSTR name, StoredValue& out);
// Every value of the key, by name.
std::map<std::string, StoredValue> ReadValues(HKEY hKey);
CPoint ReadPoint(HKEY hKey, LPCSTR name);

// Opens a key under HKEY_CURRENT_USER, made when missing; NULL on failure.
HKEY CreateKey(LPCSTR path);
void WriteNumber(HKEY hKey, LPCSTR name, DWORD value);
void WriteList(HKEY hKey, LPCSTR name, const std::vector<UINT>& list);
void WritePoint(HKEY hKey, LPCSTR name, CPoint point);

}   // namespace testing_support
