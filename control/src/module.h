// The library's own module and the resource module it attached at load time.
#pragma once
#include "afxwin.h"

HINSTANCE ControlModule();
// "cntlrc.drx": texts and dialog templates; NULL when it could not be found.
HINSTANCE ControlResources();

// Start-up and shut-down of the library's module. DllMain only calls these, so
// test programs that link the library's code run them without loading the DLL.
// Records hModule as the library's module and attaches the resource module
// (mapped as data: its code never runs).
void ControlAttachProcess(HINSTANCE hModule);
// Releases the resource module and forgets both handles.
void ControlDetachProcess();
