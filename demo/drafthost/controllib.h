// CONTROL.dll as the demo host drives it: loaded by full path from the host's
// folder, its flat exports found by name with GetProcAddress.
#pragma once
#include "afxwin.h"
#include "hostinterfaces.h"

class JControlOnlyInfo;

// The folder of this program, with a trailing backslash (empty when unknown).
CString ProgramFolder();

struct ControlLibrary {
    HMODULE hModule = nullptr;

    void (*InitCustomControls)() = nullptr;
    void (*JCreateEnvironmentManager)(const char*, int, int, int, int, int, int, int, int) = nullptr;
    void (*SetWinApp)(JAppInfo*) = nullptr;
    void (*SetDynamicCommand)(IJDynamicCommand*) = nullptr;
    void (*AddCategoryUsingBitmaps)(const char*, HBITMAP, HBITMAP, HBITMAP, HBITMAP, const UINT*, int,
                                    CStringArray*) = nullptr;
    UINT (*AddMacroCommand)(const char*, HBITMAP*) = nullptr;
    JControlOnlyInfo* (*GetJControlInfo)() = nullptr;
    int (*UsingLargeButtons)() = nullptr;
    void (*SetLargeButtons)(int) = nullptr;

    // Loads the library from the folder of this program; FALSE (and a reason) when it or an export is missing.
    BOOL Load(CString& reason);
    void Free();
};
