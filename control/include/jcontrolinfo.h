// The control library's state for one environment: toolbar settings,
// categories, the environment's bars, command states, registry keys and the
// host's callback objects.
#pragma once
#include "baseutil.h"
#include "jappinfo.h"
#include "jcategory.h"

#include <oaidl.h>

// Bar visibility remembered while an environment is hidden. The bar is named by
// its object and its window: a bar deleted unseen may leave its address to a new one.
struct JBarVisibility {
    CControlBar* pBar;
    HWND hWnd;
    BOOL bVisible;
};

// A command's state as the host set it; toolbars draw from it.
struct JCommandState {
    UINT nCommandID;
    DWORD dwValue;
    DWORD dwFlags;
};

// The output of GetBitmapInfo. The bitmap field is pointer-sized so that a
// bitmap handle fits in a 64-bit process.
struct JBitmapInfo {
    UINT_PTR nBitmap;   // a resource ID, or a bitmap handle when hModule is NULL
    int nImageIndex;
    HINSTANCE hModule;   // the module holding the resource, or NULL
};

class CONTROL_CLASS JControlOnlyInfo {
public:
    JControlOnlyInfo() = default;
    virtual ~JControlOnlyInfo();
    JControlOnlyInfo(const JControlOnlyInfo&) = delete;
    JControlOnlyInfo& operator=(const JControlOnlyInfo&) = delete;

    // ---- registry keys ----
    // Composes the path of a subkey of an environment's root (environment NULL:
    // this object's own); 0 with `out` untouched when no root can be made.
    int MakeRegistryPath(const char* environment, const char* subKey, GUserText& out);
    GUserText GetRegistryNameWithEnv();
    void InitializeRegistryKeys(const char* userKey, const char* environment, const char* startUpDll);
    int IsRegistryInitialized();
    // The name of an environment never changes once given.
    void SetCustomEnvironment(const char* name);
    GUserText GetCustomEnvironment();
    void SetCustomUserKey(const char* key);
    GUserText GetCustomUserKey() { return m_strCustomUserKey; }
    void SetStartUpDLL(const char* clsid);

    // ---- the start-up DLL (the environment's add-in) ----
    // Loads (1) or unloads (0) the add-in, calling its "Install" or "UnInstall" unless
    // noInvoke; the last COM result code (E_INVALIDARG: unloading without an add-in).
    long LoadStartupDll(int load, int noInvoke);
    // The add-in's "Initialize", "LoadDefaultToolbars" and "UnLoadDefaultToolbars": the
    // call's result, or 0 without an add-in, the name or the application object.
    long InitStartupDll();
    long LoadToolbarsFromDll();
    long UnLoadToolbarsFromDll();
    // The registry form ("{...}") of a class id text: a macro file, a program ID or a
    // class id; otherwise the application's default start-up DLL; empty when nothing resolves.
    GUserText GetClsidString(GUserText text);
    void GetClsidString(GUserText text, GUserText& out);

    // ---- settings ----
    // The unit display values from the "eInformation" key at path (defaults when it does not open).
    void ReadUnitDisplayValues(const char* path);
    void ReadToolbarSettingsFromRegistry(HKEY hKey);
    void WriteToolbarSettingsToRegistry(HKEY hKey);
    // The toolbar settings as they are stored, each value handed to `write` with `context`.
    using SettingWriter = void (*)(void* context, const char* name, DWORD type, const void* data, DWORD size);
    void WriteToolbarSettings(SettingWriter write, void* context);
    int GetShowCustomizeOnToolbarMenu() { return m_bShowCustomizeOnToolbarMenu; }
    void SetShowCustomizeOnToolbarMenu(int show) { m_bShowCustomizeOnToolbarMenu = show; }
    int GetShowToolBarMgrOnToolbarMenu() { return m_bShowToolBarMgrOnToolbarMenu; }
    void SetShowToolBarMgrOnToolbarMenu(int show) { m_bShowToolBarMgrOnToolbarMenu = show; }
    void EnableCustomizationMode(int enable) { m_bCustomizationMode = enable; }
    void IncrementNumberOfToolbars() { ++m_nNumberOfToolbars; }
    void DecrementNumberOfToolbars() { --m_nNumberOfToolbars; }
    // Writes {cx, cy} (two 32-bit ints) to the address sizeOut holds; returns 1.
    // The addresses travel as LPARAM, which holds a pointer in a 64-bit process.
    long GetButtonSize(UINT commandID, LPARAM sizeOut);
    // Writes a JBitmapInfo to the address infoOut holds; 1 when the command has an image.
    long GetBitmapInfo(UINT commandID, LPARAM infoOut);

    // ---- bar layout ----
    // Creates the stored toolbars under the "Toolbars" key in the frame (NULL: the
    // frame of the call) and docks them; the count made, or 0x8000 when the stored
    // layout is unreadable (the toolbars it touched are gone then).
    int ReadToolbarsFromRegistry(CFrameWnd* pFrame, HKEY hToolbars, const char* environment);
    // Writes the frame's toolbars under the "Toolbars" key when they changed since
    // the last write; the count written.
    int WriteToolbarsToRegistry(CFrameWnd* pFrame, HKEY hToolbars, const char* environment);

    // ---- categories ----
    JCategory* GetCommandCategory(UINT commandID);
    HINSTANCE GetCategoryInstanceHandle(UINT commandID);
    void GetMessageString(UINT commandID, CString& out);
    HWND GetActiveDlg();

    // ---- bars ----
    void AddToolbar(CControlBar* pBar);
    void RemoveToolbar(CControlBar* pBar);
    void ToolbarListCleanUp();
    void UpdateToolbars(int recalcLayout);
    void Show(int show);
    void FillMaskColor(COLORREF color, long value, HINSTANCE hModule, const char* name);
    // ---- menus ----
    // Writes one menu level and its popups below key; items never stored are left out.
    void WriteOneMenuToRegistry(HKEY hKey, CMenu* pMenu);
    // Appends the stored level at key (and its popups) to pMenu; 1 on success, 0 on failure.
    int ReadOneMenuFromRegistry(HKEY hKey, CMenu* pMenu);
    // Deletes every subkey below key, depth first; the key's own values stay.
    void CleanupMenuRegistry(HKEY hKey);

    // Accelerators are not stored by the library: these do nothing and return 0.
    int WriteHotKeyValuesToRegistry(CFrameWnd* pFrame, HKEY hKey, const char* name);
    int ReadHotKeyValuesFromRegistry(CFrameWnd* pFrame, HKEY hKey, const char* name);
    int RemoveHotKeyValuesFromRegistry(CFrameWnd* pFrame, HKEY hKey, const char* name);

    // ---- command state ----
    void SetCommandState(DWORD commandID, int value, DWORD flags);
    // The record's index, or -1; *value and *flags are 0 when there is none.
    long GetCommandState(DWORD commandID, int* value, DWORD* flags);

    // ---- fields, in declaration order ----
    BOOL m_bCustomizationMode = FALSE;
    HWND m_hWndCustomizePage = nullptr;
    HWND m_hWndActiveDialog = nullptr;
    int m_nToolbarMenuLimit = 10;
    CCategoryPtrList m_categories;
    JAppInfo* m_pAppInfo = nullptr;                  // the host's; not owned
    IJDynamicCommand* m_pDynamicCommand = nullptr;   // the host's; not owned
    BOOL m_bColorButtons = TRUE;
    int m_nLargeButtons = -1;   // -1: not read yet; 1: large
    int m_nGripperBar = -1;     // -1: not read yet
    int m_nFlatButtons = -1;    // -1: not read yet; 1: flat
    BOOL m_bHelpMode = FALSE;   // the host's context-help mode (SetHelpMode)
    BOOL m_bToolTips = TRUE;
    BOOL m_bRegistryUsed = FALSE;
    BOOL m_bSettingsLoaded = FALSE;
    COLORREF m_crTransparent = RGB(255, 0, 255);
    HINSTANCE m_hDraftResource = nullptr;
    int m_nUseDocumentUnits = 1;
    int m_nDisplayPrimaryUnits = 61;
    int m_nFormatPrecision = 2;
    int m_nFormatMode = 0;
    GUserText m_strVersionStamp;
    BOOL m_bDocumentUnitsFixed = FALSE;
    GUserText m_strCustomEnvironment;
    GUserText m_strCustomUserKey;
    IDispatch* m_pStartUpDllDispatch = nullptr;   // the add-in; one reference held
    GUserText m_strStartUpDllClsid;
    CPtrArray m_arrBars;         // CControlBar*; not owned
    CPtrArray m_arrVisibility;   // JBarVisibility*; owned
    BOOL m_bActive = FALSE;
    BOOL m_bShown = FALSE;
    CFrameWnd* m_pLayoutFrame = nullptr;
    HINSTANCE m_hResourceHandle = nullptr;
    BOOL m_bToolbarsDirty = FALSE;
    CPtrArray m_arrCommandStates;   // JCommandState*; owned
    GUserText m_strAppPath;
    BOOL m_bShowCustomizeOnToolbarMenu = TRUE;
    BOOL m_bShowToolBarMgrOnToolbarMenu = TRUE;
    int m_nNumberOfToolbars = 0;

    // Flat buttons only when the setting says so: -1 (not read yet) is not flat.
    // Flat toolbars show their tips through their own tip control, not the bar's.
    bool UsesFlatButtons() const { return m_nFlatButtons == 1; }

    // The host switches its context-help mode (Shift+F1) through this.
    void SetHelpMode(BOOL bHelpMode) { m_bHelpMode = bHelpMode; }
    BOOL InHelpMode() const { return m_bHelpMode; }

private:
    void FreeVisibilityRecords();
    int FindBar(CControlBar* pBar) const;
};
