// The library's flat exports: how the host drives it. Every export that works
// on settings does nothing (and returns its neutral value) until
// JCreateEnvironmentManager has made the environment manager.
#pragma once
#include "controlapi.h"

#include <oaidl.h>

class JControlOnlyInfo;
class JEnvironmentManager;
struct JAppInfo;
class IJDynamicCommand;

// ---- categories ----
CONTROL_API void AddCategory(const char* name, UINT smallID, UINT smallColorID, UINT largeID, UINT largeColorID,
                             const UINT* commandIDs, int count, HINSTANCE hModule, CStringArray* names);
CONTROL_API void AddCategoryUsingBitmaps(const char* name, HBITMAP small, HBITMAP smallColor, HBITMAP large,
                                         HBITMAP largeColor, const UINT* commandIDs, int count, CStringArray* names);
CONTROL_API void RemoveAllCategories();
// Removes the category's commands from the frame's toolbars and menus, then the category.
CONTROL_API void RemoveCategory(const char* name);
// Removes a command from a menu tree (NULL: the frame's menu bar); non-zero when an item went.
CONTROL_API int JRemoveCommandFromMenus(UINT commandID, CMenu* pMenu);

// ---- environments and registry keys ----
CONTROL_API void JCreateEnvironmentManager(const char* userKey, int lockButtonSize, int lockColorButtons,
                                           int lockToolTips, int lockFlatButtons, int lockGripperBar,
                                           int lockDraftResource, int lockAppInfo, int lockDynamicCommand);
CONTROL_API JEnvironmentManager* JGetEnvironmentManager();
CONTROL_API JControlOnlyInfo* GetJControlInfo();
CONTROL_API void SetCustomEnvironment(const char* name);
CONTROL_API void SetCustomUserKey(const char* key);
CONTROL_API void InitializeRegistryKeys(const char* userKey, const char* environment, const char* startUpDll);

// ---- bar layout: the toolbars, their settings and the unit display values of an environment ----
CONTROL_API void LoadBarLayoutSettings(const char* userKey, const char* environment);
CONTROL_API void SaveBarLayoutSettings(const char* userKey, const char* environment);
// The number of toolbars restored; 0 when none were, or when the stored layout was
// unreadable (it is kept as a file, and dropped when no environment was named).
CONTROL_API int LoadBarLayout(CFrameWnd* pFrame, const char* userKey, const char* environment);
// The number of toolbars written; 0 when nothing changed since the last save.
CONTROL_API int SaveBarLayout(CFrameWnd* pFrame, const char* userKey, const char* environment);
CONTROL_API int ForceSaveBarLayout(CFrameWnd* pFrame, const char* userKey, const char* environment);
// Deletes an environment's stored data; never those of the current environment by its name.
CONTROL_API void JDeleteEnvironmentFromRegistry(CFrameWnd* pFrame, const char* userKey, const char* environment);

// ---- switching environments ----
// Makes an environment without switching to it; 0 when the name is taken or there is no manager.
CONTROL_API int JCreateEnvironment(const char* userKey, const char* name, const char* startUpDll, const char* appPath);
// The host's switch: the layout, menus and add-ins are handed over to the named
// environment; 1 on success. A switch that fails on the way leaves the host in the
// environment it was in, with its add-in, menu and bars.
CONTROL_API int JSetEnvironment(const char* name);
// Keeps the other environments in step with the current one and re-lays the frame's docked bars.
CONTROL_API void JSyncToolbars(const char* name);
// Applies the current environment's settings to the frame's bars (NULL: the frame of the call).
CONTROL_API void UpdateEnvironmentSettings(CFrameWnd* pFrame);

// ---- an environment in a file ----
// The results of exporting and importing.
enum JEnvironmentFileResult {
    JENVFILE_DONE = 0,
    JENVFILE_NO_ENVIRONMENT = 1,   // no manager, or the environment's key cannot be composed
    JENVFILE_NO_FILE = 2,          // the file cannot be opened or read
    JENVFILE_TOO_LARGE = 3,
    JENVFILE_NOT_REGISTRY_FILE = 4,
    JENVFILE_DAMAGED = 5,       // a line that cannot be read, or the file cut short
    JENVFILE_FOREIGN = 6,       // keys of another root or another environment
    JENVFILE_NOT_WRITTEN = 7,   // the file or the registry could not be written; nothing stored to export
};
// Writes everything stored of an environment (NULL or empty: the current one) --
// its layout, settings, menus and unit display values -- to a ".reg" file as the
// registry editor reads it. What is in memory is not saved first. The result says
// how it went; `message` (cchMessage chars, may be NULL) says why it failed.
CONTROL_API int JExportEnvironment(const char* environment, const char* file, char* message, int cchMessage);
// Replaces what is stored of an environment by an exported file of that same
// environment. A damaged or foreign file changes nothing; the stored tree is
// replaced whole or not at all. The environment's bars and menus in memory are
// the host's to read again.
CONTROL_API int JImportEnvironment(const char* environment, const char* file, char* message, int cchMessage);

// ---- menus of an environment ----
// Stores a menu (NULL: the frame's menu bar) as the environment's "DefaultMenu"
// (isDefault) or "Menu"; a non-empty environment is switched to first.
CONTROL_API void WriteMenuToRegistry(int isDefault, const char* environment, HMENU hMenu);
// The current environment's stored menu, owned by the caller; NULL when none can be read.
CONTROL_API HMENU ReadMenuFromRegistry(int isDefault);

// ---- the host's objects ----
CONTROL_API void SetWinApp(JAppInfo* pAppInfo);
CONTROL_API void SetDynamicCommand(IJDynamicCommand* pProvider);
CONTROL_API void SetDraftResourceHandle(HINSTANCE hResource);

// ---- toolbar settings ----
CONTROL_API int UsingFlatButtons();
CONTROL_API int UsingGripperBar();
CONTROL_API int UsingLargeButtons();
CONTROL_API int UsingToolTips();
CONTROL_API int InHelpMode();
CONTROL_API int UsingColorButtons();
CONTROL_API COLORREF GetTransparentColorForToolbars();
CONTROL_API void SetFlatButtons(int on);
CONTROL_API void SetGripperBarOnOff(int on);
CONTROL_API void SetLargeButtons(int on);
CONTROL_API void SetColorButtons(int on);
CONTROL_API void SetTransparentColorForToolbars(COLORREF color);
CONTROL_API void SetToolTips(int on);
CONTROL_API void FillMaskColor(COLORREF color, long value, HINSTANCE hModule, const char* name);

// ---- frames and bars ----
CONTROL_API void SetInPlaceFrame(CFrameWnd* pInPlace, CFrameWnd* pSecond, CFrameWnd* pClient);
CONTROL_API CFrameWnd* GetInPlaceFrame();
CONTROL_API CFrameWnd* GetClientInPlaceFrame();
CONTROL_API int IsInPlaceActivated();
CONTROL_API CStatusBar* JGetStatusBar();
// The lowest bar ID in 0xE83E-0xE8FF no toolbar or dialog bar of the frame uses; -1 when all are used.
CONTROL_API int GetNextBarID();
// Shows the bars' context menu at a screen point; returns the result of destroying the menu.
CONTROL_API int DisplayToolbarMenu(POINT* pScreenPoint);
// Opens the customize dialog (modeless) over the frame; 1 when it opened, 0 while it is open.
CONTROL_API int DisplayCustomizeDialog();
// Runs the toolbar manager; 0 while the customize dialog is open.
CONTROL_API UINT DisplayToolbarManager();
// Moves the items of newMenu into target (NULL: the frame's menu bar) and destroys newMenu.
CONTROL_API int ReplaceMainMenu(HMENU hNewMenu, HMENU hTarget);
// Makes a command that runs a macro; its ID, or 0. The macro's button picture goes to *pBitmap.
CONTROL_API UINT AddMacroCommand(const char* macro, HBITMAP* pBitmap);

// ---- the start-up DLL of the current environment ----
// Sets the environment's class id text (empty: the application's default), then
// loads (1) or unloads (0) its add-in; a COM result code.
CONTROL_API long JLoadStartupDll(int load, const char* clsid, int noInvoke);
// The current environment's add-in, NULL without one; no reference is added.
CONTROL_API IDispatch* JGetStartUpDllDispatch();
CONTROL_API long JInitStartupDll();
CONTROL_API long JLoadToolbarsFromDll();
CONTROL_API long JUnLoadToolbarsFromDll();

// ---- command states, customization, bearings ----
CONTROL_API void JSetCommandState(DWORD commandID, int value, DWORD flags);
CONTROL_API long JGetCommandState(DWORD commandID, int* value, DWORD* flags);
CONTROL_API void JSetCustomizeMode(HWND hWndPage, HWND hWndDialog);
CONTROL_API int SetBearingInfo(int on, int azimuthMode, int baseAxis, int sense);
CONTROL_API void GetBearingInfo(int* on, int* azimuthMode, int* baseAxis, int* sense);

// ---- theme wrappers: the functions of "UxTheme.dll" (from the system folder); 0 without it ----
CONTROL_API HRESULT JSetWindowTheme(HWND hWnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList);
CONTROL_API BOOL JIsThemeActive();
CONTROL_API BOOL JIsAppThemed();
CONTROL_API DWORD JGetThemeAppProperties();
CONTROL_API HRESULT JEnableTheming(BOOL fEnable);
CONTROL_API HRESULT JEnableThemeDialogTexture(HWND hWnd, DWORD dwFlags);
CONTROL_API BOOL JIsThemeDialogTextureEnabled(HWND hWnd);

// ---- window classes for dialog templates ----
CONTROL_API void InitCustomControls();

// Registered window messages sent to the host's frame.
CONTROL_CLASS extern const UINT JM_LOADADDINS;
CONTROL_CLASS extern const UINT JM_UNLOADADDINS;
CONTROL_CLASS extern const UINT JM_LOADRIBBONBAR;
CONTROL_CLASS extern const UINT JM_UNLOADRIBBONBAR;
CONTROL_CLASS extern const UINT JM_LOADTOOLBARFROMDLL;
CONTROL_CLASS extern const UINT JM_UNLOADTOOLBARFROMDLL;

// Commands of the bars' context menu, handled by the host's frame.
enum : UINT { ID_JTOOLBAR_MANAGER = 40009, ID_JCUSTOMIZE = 40010 };
