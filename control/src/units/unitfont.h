// The bold font every unit control shows its text in.
#pragma once
#include <windows.h>

// A new font (owned by the caller) measured on hWnd's screen; NULL when it cannot be made.
HFONT CreateUnitControlFont(HWND hWnd);
