// sampleaddin.dll: the demo host's start-up add-in, an in-process automation
// server. Its object is called by name through IDispatch:
//   "Install"(application), "UnInstall"(application), "Initialize"(),
//   "LoadDefaultToolbars"(application), "UnLoadDefaultToolbars"(application)
// where application is the host's automation object (appcore.dll's), and it
// answers the property gets "CallLog" (the methods called so far, each followed
// by ';'), "HostVersion" (the application's "VersionText" read at "Install") and
// "Installed". Its default toolbars are made and removed through the
// application's "AddToolbar" and "RemoveToolbar".
//
// DllRegisterServer registers the class for the current user only (under
// HKEY_CURRENT_USER\Software\Classes), with the module's full path.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objbase.h>

// {5D3F8A10-7C2B-4E61-9A0D-2B6E4F1C8A51}
inline constexpr CLSID CLSID_SampleAddIn = {
    0x5d3f8a10, 0x7c2b, 0x4e61, {0x9a, 0x0d, 0x2b, 0x6e, 0x4f, 0x1c, 0x8a, 0x51}};
inline constexpr char kSampleAddInClsid[] = "{5D3F8A10-7C2B-4E61-9A0D-2B6E4F1C8A51}";
inline constexpr char kSampleAddInProgID[] = "DraftHost.SampleAddIn";

// The default toolbars: name and command IDs (the demo host's commands; 0 a separator).
// Draw, Modify and View hold their categories' commands; Settings gathers the grid,
// snap and layers of View.
struct SampleToolbar {
    const char* name;
    const char* commands;
};
inline constexpr SampleToolbar kSampleToolbars[] = {
    {"Draw", "33001,33002,33003,33004,33005,33006"},
    {"Modify", "33101,33102,0,33103,33104,0,33105,33106"},
    {"View", "33201,33202,33203,0,33204,33205,33206"},
    {"Settings", "33204,33205,33206"},
};

// For the host's tests: the method (NULL: every one) answers with result instead of
// working, or throws a C++ exception when bThrow is set. SampleAddInSetFault(NULL,
// S_OK, FALSE) ends all faults.
typedef void(WINAPI* PFN_SAMPLEADDINSETFAULT)(const char* method, HRESULT result, BOOL bThrow);
// The add-in objects alive in the process.
typedef LONG(WINAPI* PFN_SAMPLEADDINOBJECTS)();
