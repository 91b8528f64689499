// Registry values as stored: read back with their type and bytes, and written
// the way a damaged or hand-edited key could hold them.
#pragma once
#include "afxwin.h"

#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    // A 4-byte number; 0xFFFFFFFF for anything else.
    DWORD Number() const;
    // An 8-byte double; 0 for anything else.
    double Double() const;
    // The bytes as they are, a terminating NUL included.
    std::string Text() const { return std::string(data.begin(), data.end()); }
    // The bytes as 32-bit numbers (trailing bytes dropped).
    std::vector<UINT> List() const;
    // Eight bytes as a point; (INT_MIN, INT_MIN) for anything else.
    CPoint Point() const;
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
