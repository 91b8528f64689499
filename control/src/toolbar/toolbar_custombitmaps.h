// What the picture records share between their files: the pictures on disk and
// the macro host's answers about a macro.
#pragma once
#include "afxwin.h"

#include <objbase.h>

#include <string>

namespace custom_bitmaps {

// A .bmp file as a new bitmap the caller owns, or NULL: a file from disk may be
// damaged in any way and is read without trusting its headers.
HBITMAP ReadBitmapFile(const char* lpszPath);
// Writes the bitmap as a standard .bmp file (24 bits a pixel); false on failure,
// when no partial file is left behind.
bool WriteBitmapFile(const char* lpszPath, HBITMAP hBitmap);
// The pictures' folder; an empty text stands for "CustBmps" beside the host
// executable. A host (or a test) that keeps its pictures elsewhere names the folder.
void SetFolder(const char* lpszFolder);

// The macro host, loaded for each question and freed again; every answer is
// empty (and the result false) when the library or its entry point is missing.
struct MacroAnswer {
    char szName[50] = "";
    char szDescription[200] = "";
    int nFlags = 0;
    HBITMAP hBitmap = nullptr;   // owned by the asker
    int nTransparent = -1;
};
bool GetMacroInformation(const char* lpszMacro, MacroAnswer& answer);
bool GetMoreInformation(const char* lpszMacro, MacroAnswer& answer);
// The picture of a macro that brings none (the resource module's), or NULL.
HBITMAP DefaultMacroBitmap();
bool GetDefaultStatusAndToolTip(char* lpszTip /*50*/, char* lpszStatus /*200*/);
// The file of a program ID; empty when the host knows none.
std::string GetFileNameGivenProgID(const char* lpszProgID);

// A symbol file (a structured-storage document) holds its icons in the property
// set kSymbolIconSet as clipboard data (VT_CF) of the format CF_DIB, a packed
// device-independent bitmap whose white pixels are transparent: property 10 the
// 32 x 32 icon, property 11 the 16 x 16 one.
inline constexpr FMTID kSymbolIconSet = {0xb988d7b0, 0x3d73, 0x11d0, {0x97, 0xe9, 0x08, 0x00, 0x36, 0xca, 0xf9, 0x01}};
inline constexpr PROPID kLargeSymbolIcon = 10;
inline constexpr PROPID kSmallSymbolIcon = 11;
// The icon's colour bitmap (its transparent pixels black) and mask (white where
// transparent), both the caller's; false when the file has no readable icon.
bool ReadSymbolIcon(const char* lpszSymbolFile, bool bLarge, HBITMAP& hColor, HBITMAP& hMask);

}   // namespace custom_bitmaps
