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
// IID_IDispatch gives the engine's automation object over it (below).
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

// ---- the application object ----

// COM-style interfaces are released, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// {6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A02}: the application object's version text.
inline constexpr IID IID_IJAppVersion = {0x6b1c3c2e, 0x5a0f, 0x4c1b, {0x9e, 0x41, 0x3d, 0x2a, 0x7f, 0x0c, 0x1a, 0x02}};
struct IJAppVersion : public IUnknown {
    // Fills buffer (NUL-terminated, at most size bytes); S_OK or a failure code.
    virtual HRESULT STDMETHODCALLTYPE GetVersionText(char* buffer, int size) = 0;
};

// {6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A04}: toolbars made in the host's frame for others (add-ins).
inline constexpr IID IID_IJAppToolbars = {0x6b1c3c2e, 0x5a0f, 0x4c1b, {0x9e, 0x41, 0x3d, 0x2a, 0x7f, 0x0c, 0x1a, 0x04}};
struct IJAppToolbars : public IUnknown {
    // Makes a toolbar named name of count command IDs (0: a separator); *pnBarID gets its ID.
    virtual HRESULT STDMETHODCALLTYPE AddToolbar(const char* name, const UINT* commandIDs, int count,
                                                 UINT* pnBarID) = 0;
    // Destroys the toolbar of that name; S_FALSE when there is none.
    virtual HRESULT STDMETHODCALLTYPE RemoveToolbar(const char* name) = 0;
};

#pragma GCC diagnostic pop

// The engine's automation object (AppGetApplicationObject with IID_IDispatch) has
// no type information; its members are called by name, as methods or property gets:
//   "VersionText"                  -> BSTR, from the host's IJAppVersion
//   "AddToolbar"(name, commands)   -> VT_I4 bar ID; commands is a text of command IDs
//                                     separated by commas (0 a separator), at most 256
//   "RemoveToolbar"(name)          -> VT_BOOL, true when a toolbar went
// Toolbars go through the host's IJAppToolbars. A host without the interface, or
// its failure code, comes back as Invoke's result.
enum : DISPID { APP_DISPID_VERSIONTEXT = 1, APP_DISPID_ADDTOOLBAR = 2, APP_DISPID_REMOVETOOLBAR = 3 };
enum : int { APP_MAX_TOOLBAR_COMMANDS = 256 };

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
