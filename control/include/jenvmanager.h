// The environments of the process: their control states, the current one,
// and the settings kept in step across them.
#pragma once
#include "jcontrolinfo.h"

// One environment: its control state, then what the manager keeps with it.
class CONTROL_CLASS JEnvironmentRecord : public JControlOnlyInfo {
public:
    GUserText m_strCreationUserKey;   // the user key the manager's first environment was made with
    CFrameWnd* m_pInPlaceFrame = nullptr;
    CFrameWnd* m_pSecondFrame = nullptr;
    CFrameWnd* m_pClientInPlaceFrame = nullptr;
    HMENU m_hMenuInPlaceServer = nullptr;
    BOOL m_bEnvironmentDirty = FALSE;   // Synch changed its settings
};

class CONTROL_CLASS JEnvironmentManager {
public:
    // The environment made when none is stored.
    static constexpr const char* kDefaultEnvironment = "Tessary";

    JEnvironmentManager();
    JEnvironmentManager(const char* userKey, const char* name, const char* startUpDll, const char* appPath);
    virtual ~JEnvironmentManager();
    JEnvironmentManager(const JEnvironmentManager&) = delete;
    JEnvironmentManager& operator=(const JEnvironmentManager&) = delete;

    // The process's manager and its current control state (NULL when there is none).
    static JEnvironmentManager* Get();
    static JControlOnlyInfo* Current();
    // Removes a bar from the bar lists of all environments.
    static void ForgetBar(CControlBar* pBar);

    // ---- switching and creating ----
    // By name: switches to the environment, creating it when the name is new.
    void SetEnvironment(const char* name, const char* userKey, const char* startUpDll, const char* appPath);
    // By position: 1 when the environment at index is current afterwards.
    int SetEnvironment(long index);
    // Creates an environment without switching to it; always 1.
    int CreateEnvironment(const char* name, const char* userKey, const char* startUpDll, const char* appPath);

    long FindEnvironmentIndex(const char* name);
    long GetCount() const { return (long)m_arrEnvironments.GetSize(); }
    long NumberOfEnvironments() const { return GetCount(); }
    JEnvironmentRecord* GetEnvironment(long index) const;
    long GetCurrentIndex() const { return m_nCurrentIndex; }
    // Deletes an environment that is not the active one; the current index follows the current environment.
    void DeleteEnvironment(long index);
    void DeleteEnvironment(const char* name);

    void Synch();
    void Show(int show);
    // Stores every environment's settings and unit display values, and the current
    // one's toolbars, under each environment's own root.
    void SaveAll();

    // Reads the environments stored under userKey's "Environments" key; returns how many.
    long ReadEnvironmentsFromRegistry(const char* userKey);

    // ---- locks: settings shared by all environments ----
    void SetLockButtonSize(int lock) { m_bLockButtonSize = lock; }
    void SetLockColorBtn(int lock) { m_bLockColorButtons = lock; }
    void SetLockToolTips(int lock) { m_bLockToolTips = lock; }
    void SetLockFlatButtons(int lock) { m_bLockFlatButtons = lock; }
    void SetLockGripperBar(int lock) { m_bLockGripperBar = lock; }
    void SetLockTransparentColor(int lock) { m_bLockTransparentColor = lock; }
    void SetLockDraftResource(int lock) { m_bLockDraftResource = lock; }
    void SetLockJAppInfo(int lock) { m_bLockAppInfo = lock; }
    void SetLockDynamicCommand(int lock) { m_bLockDynamicCommand = lock; }
    int GetLockButtonSize() const { return m_bLockButtonSize; }
    int GetLockColorBtn() const { return m_bLockColorButtons; }
    int GetLockToolTips() const { return m_bLockToolTips; }
    int GetLockFlatButtons() const { return m_bLockFlatButtons; }
    int GetLockGripperBar() const { return m_bLockGripperBar; }
    int GetLockTransparentColor() const { return m_bLockTransparentColor; }
    int GetLockDraftResource() const { return m_bLockDraftResource; }
    int GetLockJAppInfo() const { return m_bLockAppInfo; }
    int GetLockDynamicCommand() const { return m_bLockDynamicCommand; }

    JControlOnlyInfo* CurrentControlInfo() const { return m_pCurrent; }
    int IsEnvironmentDirty() const { return m_pCurrent ? m_pCurrent->m_bEnvironmentDirty : 0; }
    void SetEnvironmentDirty(int dirty);

    // ---- forwarders to the current environment ----
    void AddToolbar(CControlBar* pBar);
    void RemoveToolbar(CControlBar* pBar);
    void FillMaskColor(COLORREF color, long value, HINSTANCE hModule, const char* name);
    void SetStartUpDLL(const char* clsid);
    long LoadStartupDll(int load, int noInvoke);
    long InitStartupDll();
    long LoadToolbarsFromDll();
    long UnLoadToolbarsFromDll();
    GUserText GetClsidString(GUserText text);
    void GetClsidString(GUserText text, GUserText& out);

    // ---- in-place frames of the current environment ----
    void SetInPlaceFrame(CFrameWnd* pInPlace, CFrameWnd* pSecond, CFrameWnd* pClient);
    CFrameWnd* GetInPlaceFrame() const { return m_pCurrent ? m_pCurrent->m_pInPlaceFrame : nullptr; }
    CFrameWnd* GetClientInPlaceFrame() const { return m_pCurrent ? m_pCurrent->m_pClientInPlaceFrame : nullptr; }
    int IsInPlaceActivated() const { return GetInPlaceFrame() != nullptr; }
    void SetMenuInPlaceServer(HMENU hMenu);
    HMENU GetMenuInPlaceServer() const { return m_pCurrent ? m_pCurrent->m_hMenuInPlaceServer : nullptr; }

protected:
    // Reads one environment's unit display values and toolbar settings into the current control state.
    void ReadToolbarSettingsFromRegistry(const char* environment);
    void WriteActiveEnvironmentToRegistry(const char* userKey);

private:
    CPtrArray m_arrEnvironments;   // JEnvironmentRecord*, owned, in order of creation
    JEnvironmentRecord* m_pCurrent = nullptr;
    long m_nCurrentIndex = -1;
    BOOL m_bInitialising = FALSE;   // reading stored environments: no showing, hiding or notifying
    BOOL m_bLockButtonSize = TRUE;
    BOOL m_bLockColorButtons = TRUE;
    BOOL m_bLockToolTips = TRUE;
    BOOL m_bLockFlatButtons = TRUE;
    BOOL m_bLockGripperBar = TRUE;
    BOOL m_bLockTransparentColor = TRUE;
    BOOL m_bLockDraftResource = TRUE;
    BOOL m_bLockAppInfo = TRUE;
    BOOL m_bLockDynamicCommand = TRUE;
    HINSTANCE m_hSavedResource;   // installed again when the manager goes

    void MakeCurrent(long index, bool notify);
    JEnvironmentRecord* NewEnvironment(const char* name, const char* userKey, const char* startUpDll,
                                       const char* appPath);
    void ApplyKeys(JEnvironmentRecord* pEnvironment, const char* userKey, const char* startUpDll);
    void NotifySwitch(JEnvironmentRecord* pEnvironment);
    void NameFromApplication(JEnvironmentRecord* pEnvironment);
};
