// CONTROL.dll as the demo host uses it: linked through its import library, so
// the loader maps it (and its own imports) before the program starts. The
// loader looks in the program's folder first; the demo checks that the library
// came from there and starts it only then.
#pragma once
#include "afxwin.h"

// The folder of this program, with a trailing backslash (empty when unknown).
CString ProgramFolder();

// TRUE when the CONTROL.dll in use is the one beside this program, with its full path
// in path; FALSE with a reason otherwise.
BOOL CheckControlLibrary(CString& path, CString& reason);
