// macrohost.dll: runs and describes macros. The control library loads it at
// run time from the host executable's folder and resolves these entry points
// by name; the types below are theirs.
//
// A macro file (extension ".jmac") is a text file of "key=value" lines:
//   Name=Hatch area
//   Tip=Hatch
//   Prompt=Fills the selected area with a hatch pattern
//   Bitmap=hatch.bmp        (a 16x15 or larger bitmap file beside the macro file; optional)
//   Command=...             (what the macro runs; the host's business)
// Lines starting with ';' or '#' are comments. A program ID "Macro.<Name>"
// stands for the file "<Name>.jmac" in the macro directory.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objbase.h>

#ifdef MACROHOST_BUILD
#define MACROHOST_API extern "C" __declspec(dllexport)
#else
#define MACROHOST_API extern "C"
#endif

// Resolves a macro (file name or program ID; or, with pEngineClsid, a class id text
// the engine can create) to its full path and class identifier. *pError is 0 on
// success. mode and flags: the caller's choices (0, 0, 4, 1 to make a command;
// 0, 0, 1, 1 for a start-up DLL); S_OK or a failure code.
typedef HRESULT(WINAPI* PFN_GETRUNMACRO)(HWND hWnd, const CLSID* pEngineClsid, const char* macro, int* pError,
                                         char* path /*2048*/, CLSID* pClsid, int* pKind, int reserved1,
                                         int reserved2, int mode, int flags);
// Describes a resolved macro: its value, name, tip, prompt and button picture
// (a new bitmap the caller owns, or NULL).
typedef HRESULT(WINAPI* PFN_GETRUNMACROINFORMATION)(const char* path, int reserved, int* pValue, char* name,
                                                    int nameSize, char* tip, int tipSize, char* prompt,
                                                    HBITMAP* pBitmap, int* pKind);
// The macro's description and its transparent colour (-1 when none).
typedef HRESULT(WINAPI* PFN_GETMOREMACROINFORMATION)(const char* path, char* description, int descriptionSize,
                                                     COLORREF* pTransparent);
// The host's default tooltip (50 bytes) and status prompt (200 bytes) for a macro.
typedef HRESULT(WINAPI* PFN_GETDEFAULTSTATUSANDTOOLTIP)(char* tip, char* status);
// Turns a program ID into its macro file name (MAX_PATH bytes).
typedef HRESULT(WINAPI* PFN_GETFILENAMEGIVENPROGID)(const char* progID, char* fileName);
// Fills buffer (MAX_PATH bytes) with the macro directory for a value the host gave.
typedef HRESULT(WINAPI* PFN_GETMACRODIRECTORY)(long value, char* buffer);
typedef HRESULT(WINAPI* PFN_UMACROCLSIDFROMPROGID)(const char* text, CLSID* pClsid);
typedef HRESULT(WINAPI* PFN_UMACROCLSIDFROMFILENAME)(const char* text, CLSID* pClsid);

MACROHOST_API HRESULT WINAPI GetRunMacro(HWND hWnd, const CLSID* pEngineClsid, const char* macro, int* pError,
                                         char* path, CLSID* pClsid, int* pKind, int reserved1, int reserved2,
                                         int mode, int flags);
MACROHOST_API HRESULT WINAPI GetRunMacroInformation(const char* path, int reserved, int* pValue, char* name,
                                                    int nameSize, char* tip, int tipSize, char* prompt,
                                                    HBITMAP* pBitmap, int* pKind);
MACROHOST_API HRESULT WINAPI GetMoreMacroInformation(const char* path, char* description, int descriptionSize,
                                                     COLORREF* pTransparent);
MACROHOST_API HRESULT WINAPI GetDefaultStatusAndToolTip(char* tip, char* status);
MACROHOST_API HRESULT WINAPI GetFileNameGivenProgID(const char* progID, char* fileName);
MACROHOST_API HRESULT WINAPI GetMacroDirectory(long value, char* buffer);
MACROHOST_API HRESULT WINAPI UMacroCLSIDFromProgID(const char* text, CLSID* pClsid);
MACROHOST_API HRESULT WINAPI UMacroCLSIDFromFileName(const char* text, CLSID* pClsid);
