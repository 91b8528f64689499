// Typed registry values read without trusting what is stored: a value of the
// wrong type or size reads as absent, and nothing is read past its buffer.
#pragma once
#include "afxwin.h"

#include <vector>

// Opens a key by a path of any length: the ANSI calls refuse paths of MAX_PATH
// characters and more, which an environment's key reaches with a long name.
LONG OpenRegPath(HKEY hParent, LPCSTR path, REGSAM sam, HKEY* phKey);
// Deletes the key at a path of any length with all it holds.
LONG DeleteRegPath(HKEY hParent, LPCSTR path);

// A 4-byte number: REG_DWORD, or 4 binary bytes.
bool ReadRegNumber(HKEY hKey, LPCSTR name, DWORD* value);
// A text (REG_SZ or REG_EXPAND_SZ) that fits, with its end, in cbBuffer bytes; a
// stored text need not end in NUL if there is room for it. The buffer always ends in NUL.
bool ReadRegText(HKEY hKey, LPCSTR name, char* buffer, DWORD cbBuffer);
// Binary data of exactly cbData bytes.
bool ReadRegBytes(HKEY hKey, LPCSTR name, void* data, DWORD cbData);
// A binary list of 32-bit numbers of at most cbMax bytes, counted as (byte size / 4).
bool ReadRegList(HKEY hKey, LPCSTR name, DWORD cbMax, std::vector<UINT>& list);

// The writers: true when the value was stored.
bool WriteRegNumber(HKEY hKey, LPCSTR name, DWORD value);
// Written with its terminating NUL.
bool WriteRegText(HKEY hKey, LPCSTR name, LPCSTR text);
bool WriteRegBytes(HKEY hKey, LPCSTR name, const void* data, DWORD cbData);
bool WriteRegList(HKEY hKey, LPCSTR name, const std::vector<UINT>& list);
