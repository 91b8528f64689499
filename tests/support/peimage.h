// Reading a module's export and import tables from its file, mapped as an
// image resource (no code of it runs).
#pragma once
#include "afxwin.h"

#include <string>
#include <vector>

namespace testing_support {

struct PeImport {
    std::string module;
    bool byOrdinal;
    WORD ordinal;       // with byOrdinal
    std::string name;   // without
};

// False when the file is no readable 64-bit PE image. Exports by ordinal only have no name.
bool ReadExportNames(LPCSTR lpszPath, std::vector<std::string>& names);
bool ReadImports(LPCSTR lpszPath, std::vector<PeImport>& imports);

// The full path of a file in the running program's folder.
CString BesideProgram(LPCSTR lpszFileName);

}   // namespace testing_support
