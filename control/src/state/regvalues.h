// Typed registry values read without trusting what is stored: a value of the
// wrong type or size reads as absent, and nothing is read past its buffer.
#pragma once
#include "afxwin.h"

#include <vector>

// A 4-byte number: REG_DWORD, or 4 binary bytes.
bool ReadRegNumber(HKEY hKey, LPCSTR name, DWORD* value);
// A text (REG_SZ or REG_EXPAND_SZ) that fits, with its end, in cbBuffer bytes; a
// stored text need not end in NUL if there is room for it. The buffer always ends in NUL.
bool ReadRegText(HKEY hKey, LPCSTR name, char* buffer, DWORD cbBuffer);
// Binary data of exactly cbData bytes.
bool ReadRegBytes(HKEY hKey, LPCSTR name, void* data, DWORD cbData);
// A binary list of 32-bit numbers of at most cbMax bytes, counted as (byte size / 4).
bool ReadRegList(HKEY hKey, LPCSTR name, DWORD cbMax, std::vector<UINT>& list);

void WriteRegNumber(HKEY hKey, LPCSTR name, DWORD value);
// Written with its terminating NUL.
void WriteRegText(HKEY hKey, LPCSTR name, LPCSTR text);
void WriteRegBytes(HKEY hKey, LPCSTR name, const void* data, DWORD cbData);
void WriteRegList(HKEY hKey, LPCSTR name, const std::vector<UINT>& list);
