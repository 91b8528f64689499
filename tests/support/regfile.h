// Stored states kept as ".reg" files (the registry editor's text format) under
// tests/data, imported for a test under its own key.
#pragma once
#include "afxwin.h"

#include <string>
#include <vector>

namespace testing_support {

// The folder of the test data (tests/data of the source tree), with a trailing backslash.
CString TestDataFolder();
// The ".reg" files of a folder under the test data, sorted by name.
std::vector<CString> RegFilesIn(LPCSTR lpszSubFolder);

// Imports a ".reg" file into HKEY_CURRENT_USER, with "$ROOT" in key names replaced
// by root. Understands [key], "name"="text", "name"=dword:, "name"=hex: and
// "name"=hex(N): (N the value type).
// False (with the reason) for a line it cannot read.
bool ImportRegFile(LPCSTR lpszPath, LPCSTR lpszRoot, std::string& error);

}   // namespace testing_support
