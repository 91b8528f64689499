// The library's own module and the resource modules it attached at load time.
#pragma once
#include "afxwin.h"

HINSTANCE ControlModule();
// "cntlrc.drx": texts and dialog templates; NULL when it could not be found.
HINSTANCE ControlResources();
// "Styles.drx": the line-style names; NULL when it could not be found.
HINSTANCE ControlStyleResources();

// Start-up and shut-down of the library's module. DllMain only calls these, so
// test programs that link the library's code run them without loading the DLL.
// Records hModule as the library's module and attaches the resource modules
// (mapped as data: their code never runs).
void ControlAttachProcess(HINSTANCE hModule);
// Deletes the environment manager, releases the resource modules and forgets the handles.
void ControlDetachProcess();

// Registers a control's window class for dialog templates; InitCustomControls runs them.
using ControlClassRegistrar = BOOL (*)();

// The resource module's string nID, or lpszFallback when it has none (or there is no module).
CString LibraryText(UINT nID, LPCSTR lpszFallback);

// The library's control font: the unit controls' point size (string IDS_UNITEDIT_FONT_SIZE) at the
// screen's resolution, the face of string nIDFace, the user's language's character set.
HFONT CreateLibraryFont(LONG nWeight, UINT nIDFace);

// Shows the resource module's string nIDText (lpszFallback without it) in a message
// box over the main window, captioned as the host asks; returns the box's answer.
int ShowLibraryMessage(UINT nIDText, LPCSTR lpszFallback, UINT nType);
