// Writes what a window shows to an image file, with no display needed.
#pragma once
#include "afxwin.h"

// Renders hWnd into memory and writes it as PNG, or BMP when the file name
// ends in ".bmp". FALSE when the file cannot be written.
BOOL SaveWindowImage(HWND hWnd, LPCSTR lpszPath);
