// appcore.dll: the host engine's services as the control library imports them
// (by ordinal), and the host's side that sets their answers (by name).
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objbase.h>

#ifdef APPCORE_BUILD
// appcore.def lists the exports (most of them by ordinal only).
#define APPCORE_API extern "C"
#else
#define APPCORE_API extern "C" __declspec(dllimport)
#endif

// ---- imported by the library by ordinal ----

// @16: the engine's class identifier (GUID_NULL and E_FAIL when the host set none).
APPCORE_API HRESULT WINAPI AppGetEngineClsid(CLSID* pClsid);
// @47: the host's application object, queried for riid; the caller releases it.
APPCORE_API HRESULT WINAPI AppGetApplicationObject(REFIID riid, void** ppv);
// @2019: non-zero when the host has registered an application object.
APPCORE_API BOOL WINAPI AppHasApplication();
// @2020: a module tells the engine it is the one calling (its module handle).
APPCORE_API void WINAPI AppSetModuleState(HMODULE hModule);
// @2025: a new bitmap (a DIB section) loaded from a module's resources, or NULL
// (also for a NULL module: the system's own bitmaps are not handed out).
APPCORE_API HBITMAP WINAPI AppLoadBitmap(HINSTANCE hModule, UINT nIDResource);
// @2046: the host mode query.
APPCORE_API BOOL WINAPI AppIsHostMode();
// @2047: the flag handed to ULocalizedHelp.
APPCORE_API BOOL WINAPI AppGetHelpFlag();
// @2049: the name of the host's special dialog bar ("" when none).
APPCORE_API const char* WINAPI AppGetSpecialBarName();
// @2050: called after an in-place frame was registered.
APPCORE_API void WINAPI AppInPlaceFrameRegistered();
// @2054: the in-place frames' windows (NULL for none).
APPCORE_API void WINAPI AppSetInPlaceFrames(HWND hWndInPlace, HWND hWndSecond, HWND hWndClient);
// Opens help for a context; the host decides how. This engine only records the
// call (AppCoreGetRecord): S_OK, or E_INVALIDARG for context 0.
APPCORE_API HRESULT WINAPI ULocalizedHelp(HWND hWnd, UINT nCommand, DWORD dwContext, LPCSTR lpszHelpFile, BOOL bFlag);

// ---- the host's side ----

// The object AppGetApplicationObject queries (AddRef'd while registered; NULL removes it).
APPCORE_API void WINAPI AppCoreSetApplicationObject(IUnknown* pApplication);
// NULL: no engine class identifier (AppGetEngineClsid fails).
APPCORE_API void WINAPI AppCoreSetEngineClsid(const CLSID* pClsid);
APPCORE_API void WINAPI AppCoreSetHostMode(BOOL bHostMode);
APPCORE_API void WINAPI AppCoreSetHelpFlag(BOOL bFlag);
APPCORE_API void WINAPI AppCoreSetSpecialBarName(const char* lpszName);

// What the engine was told, for the host (and tests) to read back.
struct AppCoreRecord {
    HMODULE hLastModuleState;                   // last AppSetModuleState
    HWND hWndInPlace, hWndSecond, hWndClient;   // last AppSetInPlaceFrames
    int nInPlaceRegistered;                     // AppInPlaceFrameRegistered calls
    int nHelpCalls;                             // ULocalizedHelp calls
    DWORD dwLastHelpContext;
    BOOL bLastHelpFlag;
};
APPCORE_API void WINAPI AppCoreGetRecord(AppCoreRecord* pRecord);
APPCORE_API void WINAPI AppCoreResetRecord();
