// Loading DLLs by name without the current directory or PATH: only from the
// host executable's folder or from the system folder.
#pragma once
#include "baseutil.h"

// The module from the host executable's folder, or NULL.
BASEUTIL_API HMODULE LoadModuleBesideExecutable(LPCSTR lpszName);
// The module from the system folder, or NULL.
BASEUTIL_API HMODULE LoadSystemModule(LPCSTR lpszName);
