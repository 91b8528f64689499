// macrohost.dll: runs and describes macros. The control library loads it at
// run time from the host executable's folder and resolves these entry points
// by name; the types below are theirs.
//
// A macro file (extension ".jmac") is a text file of "key=value" lines:
//   Name=Hatch area
//   Tip=Hatch
//   Prompt=Fills the selected area with a hatch pattern
//   Bitmap=hatch.bmp        (a 16x15 or larger bitmap file beside the macro file, at most
//                            1024x1024; optional)
//   Transparent=192,192,192 (the picture's transparent colour as red,green,blue; optional)
//   Command=...             (what the macro runs; the host's business)
// Lines starting with ';' or '#' are comments. Keys are case-insensitive; only
// the first 64 KiB of a file are read and lines longer than 4 KiB are skipped.
// A program ID "Macro.<Name>" stands for the file "<Name>.jmac" in the macro
// directory.
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

// Resolves a macro to its full path and class identifier. The macro is an absolute
// path, a file name in the macro directory (".jmac" may be left out) or a program
// ID; with pEngineClsid, a class id text in registry form ("{...}") stands for
// itself (*pKind 1, path = the text; else *pKind 0). The class identifier of a
// file is derived from its full path (the same path always gives the same one).
// *pError is 0 on success and 1 when there is no such macro (the result is then a
// failure code too). Outputs may be NULL; path holds 2048 bytes. hWnd and the
// trailing values (0, 0, 4, 1 to make a command; 0, 0, 1, 1 for a start-up DLL)
// do not change the answer.
typedef HRESULT(WINAPI* PFN_GETRUNMACRO)(HWND hWnd, const CLSID* pEngineClsid, const char* macro, int* pError,
                                         char* path /*2048*/, CLSID* pClsid, int* pKind, int reserved1, int reserved2,
                                         int mode, int flags);
// Describes a macro (any text GetRunMacro accepts): its class identifier, value
// (0), name, tip, prompt (a buffer of at least 256 bytes: 255 characters and the
// NUL), button picture (a new bitmap the caller owns, or NULL) and transparent
// colour (-1 when none). Texts are cut to their buffers; outputs may be NULL.
typedef HRESULT(WINAPI* PFN_GETRUNMACROINFORMATION)(const char* path, CLSID* pClsid, int* pValue, char* name,
                                                    int nameSize, char* tip, int tipSize, char* prompt,
                                                    HBITMAP* pBitmap, int* pTransparent);
// The same with the prompt's buffer size, a second text (always empty; at
// least one byte when given) and flags: JMACRO_FLAG_OWN_PICTURE when the macro
// brings its own picture.
typedef HRESULT(WINAPI* PFN_GETMOREMACROINFORMATION)(const char* path, CLSID* pClsid, int* pValue, char* name,
                                                     int nameSize, char* tip, int tipSize, char* prompt, int promptSize,
                                                     char* extra, int* pFlags, HBITMAP* pBitmap, int* pTransparent);
enum : int { JMACRO_FLAG_OWN_PICTURE = 0x800 };
// The host's default tooltip and status prompt for a macro, cut to their sizes.
typedef HRESULT(WINAPI* PFN_GETDEFAULTSTATUSANDTOOLTIP)(int tipSize, char* tip, int statusSize, char* status);
// Turns a program ID of an existing macro into its file's full path (MAX_PATH
// bytes); a failure code (and "") otherwise.
typedef HRESULT(WINAPI* PFN_GETFILENAMEGIVENPROGID)(const char* progID, char* fileName);
// Fills buffer (MAX_PATH bytes) with the macro directory: the folder "Macros"
// beside macrohost.dll. A non-zero value (the host's) also makes it the current
// directory, where the library lists macro files; 0 only asks.
typedef HRESULT(WINAPI* PFN_GETMACRODIRECTORY)(long value, char* buffer);
// The class identifier of an existing macro named by a program ID ("Macro.<Name>")
// or of a registered COM class named by any other program ID, else
// REGDB_E_CLASSNOTREG; of a macro named by a file name or path, else E_FAIL.
// GUID_NULL on failure.
typedef HRESULT(WINAPI* PFN_UMACROCLSIDFROMPROGID)(const char* text, CLSID* pClsid);
typedef HRESULT(WINAPI* PFN_UMACROCLSIDFROMFILENAME)(const char* text, CLSID* pClsid);

MACROHOST_API HRESULT WINAPI GetRunMacro(HWND hWnd, const CLSID* pEngineClsid, const char* macro, int* pError,
                                         char* path, CLSID* pClsid, int* pKind, int reserved1, int reserved2, int mode,
                                         int flags);
MACROHOST_API HRESULT WINAPI GetRunMacroInformation(const char* path, CLSID* pClsid, int* pValue, char* name,
                                                    int nameSize, char* tip, int tipSize, char* prompt,
                                                    HBITMAP* pBitmap, int* pTransparent);
MACROHOST_API HRESULT WINAPI GetMoreMacroInformation(const char* path, CLSID* pClsid, int* pValue, char* name,
                                                     int nameSize, char* tip, int tipSize, char* prompt, int promptSize,
                                                     char* extra, int* pFlags, HBITMAP* pBitmap, int* pTransparent);
MACROHOST_API HRESULT WINAPI GetDefaultStatusAndToolTip(int tipSize, char* tip, int statusSize, char* status);
MACROHOST_API HRESULT WINAPI GetFileNameGivenProgID(const char* progID, char* fileName);
MACROHOST_API HRESULT WINAPI GetMacroDirectory(long value, char* buffer);
MACROHOST_API HRESULT WINAPI UMacroCLSIDFromProgID(const char* text, CLSID* pClsid);
MACROHOST_API HRESULT WINAPI UMacroCLSIDFromFileName(const char* text, CLSID* pClsid);
