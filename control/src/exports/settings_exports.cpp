// Flat exports: the environment manager, registry keys, host objects and toolbar settings.
#include "controlexports.h"

#include "callframe.h"
#include "hostengine.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "libstate.h"

namespace {

JControlOnlyInfo* Current()
{
    return JEnvironmentManager::Current();
}

void Synch()
{
    if (JEnvironmentManager* pManager = JEnvironmentManager::Get())
        pManager->Synch();
}

}   // namespace

// ---- environments and registry keys ----

CONTROL_API void JCreateEnvironmentManager(const char* userKey, int lockButtonSize, int lockColorButtons,
                                           int lockToolTips, int lockFlatButtons, int lockGripperBar,
                                           int lockDraftResource, int lockAppInfo, int lockDynamicCommand)
{
    ControlProcessState& state = ControlState();
    HostTellModuleState();
    if (!state.pManager) {
        GUserText name;
        {
            HostObject<JAppInfo> app(IID_IJAppInfo);
            if (app && app->GetDefaultEnvironmentName())
                name = app->GetDefaultEnvironmentName();
        }
        auto* pManager = new JEnvironmentManager(userKey, name, nullptr, nullptr);
        pManager->SetLockButtonSize(lockButtonSize);
        pManager->SetLockColorBtn(lockColorButtons);
        pManager->SetLockToolTips(lockToolTips);
        pManager->SetLockFlatButtons(lockFlatButtons);
        pManager->SetLockGripperBar(lockGripperBar);
        pManager->SetLockDraftResource(lockDraftResource);
        pManager->SetLockJAppInfo(lockAppInfo);
        pManager->SetLockDynamicCommand(lockDynamicCommand);
        state.pManager = pManager;
    }
    // Objects handed in before the manager existed reach its environments now.
    if (state.hDraftResource)
        SetDraftResourceHandle(state.hDraftResource);
    if (state.pAppInfo)
        SetWinApp(state.pAppInfo);
    if (state.pDynamicCommand)
        SetDynamicCommand(state.pDynamicCommand);
}

CONTROL_API JEnvironmentManager* JGetEnvironmentManager()
{
    return JEnvironmentManager::Get();
}

CONTROL_API JControlOnlyInfo* GetJControlInfo()
{
    return Current();
}

CONTROL_API void SetCustomEnvironment(const char* name)
{
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    if (!pManager)
        return;
    const long index = pManager->FindEnvironmentIndex(name);
    if (index >= 0)
        pManager->SetEnvironment(index);
    else
        pManager->SetEnvironment(name, nullptr, nullptr, nullptr);
}

CONTROL_API void SetCustomUserKey(const char* key)
{
    if (JControlOnlyInfo* pInfo = Current())
        pInfo->SetCustomUserKey(key);
}

CONTROL_API void InitializeRegistryKeys(const char* userKey, const char* environment, const char* startUpDll)
{
    ControlProcessState& state = ControlState();
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    JControlOnlyInfo* pInfo = Current();
    if (!pManager || !pInfo)
        return;
    state.bRegistryKeysChanged = !SameEnvironmentName(pInfo->m_strCustomEnvironment, environment);
    if (state.bRegistryKeysChanged)
        pManager->SetEnvironment(environment, userKey, startUpDll, nullptr);
}

// ---- the host's objects ----

CONTROL_API void SetWinApp(JAppInfo* pAppInfo)
{
    ControlState().pAppInfo = pAppInfo;
    if (JControlOnlyInfo* pInfo = Current()) {
        pInfo->m_pAppInfo = pAppInfo;
        Synch();
    }
}

CONTROL_API void SetDynamicCommand(IJDynamicCommand* pProvider)
{
    ControlState().pDynamicCommand = pProvider;
    if (JControlOnlyInfo* pInfo = Current()) {
        pInfo->m_pDynamicCommand = pProvider;
        Synch();
    }
}

CONTROL_API void SetDraftResourceHandle(HINSTANCE hResource)
{
    ControlState().hDraftResource = hResource;
    if (JControlOnlyInfo* pInfo = Current()) {
        pInfo->m_hDraftResource = hResource;
        Synch();
    }
}

// ---- toolbar settings ----

CONTROL_API int UsingFlatButtons()
{
    JControlOnlyInfo* pInfo = Current();
    return pInfo ? pInfo->m_nFlatButtons : 0;
}

CONTROL_API int UsingGripperBar()
{
    JControlOnlyInfo* pInfo = Current();
    return pInfo ? pInfo->m_nGripperBar : 0;
}

CONTROL_API int UsingLargeButtons()
{
    JControlOnlyInfo* pInfo = Current();
    return pInfo ? pInfo->m_nLargeButtons : 0;
}

CONTROL_API int UsingToolTips()
{
    JControlOnlyInfo* pInfo = Current();
    return pInfo ? pInfo->m_bToolTips : 0;
}

CONTROL_API int InHelpMode()
{
    JControlOnlyInfo* pInfo = Current();
    return pInfo ? pInfo->m_bHelpMode : 0;
}

CONTROL_API int UsingColorButtons()
{
    JControlOnlyInfo* pInfo = Current();
    return pInfo ? pInfo->m_bColorButtons : 1;
}

CONTROL_API COLORREF GetTransparentColorForToolbars()
{
    JControlOnlyInfo* pInfo = Current();
    return pInfo ? pInfo->m_crTransparent : 0;
}

namespace {

template <class T>
void SetAndSynch(T JControlOnlyInfo::*pSetting, T value)
{
    if (JControlOnlyInfo* pInfo = Current()) {
        pInfo->*pSetting = value;
        Synch();
    }
}

}   // namespace

CONTROL_API void SetFlatButtons(int on)
{
    SetAndSynch(&JControlOnlyInfo::m_nFlatButtons, on);
}

CONTROL_API void SetGripperBarOnOff(int on)
{
    SetAndSynch(&JControlOnlyInfo::m_nGripperBar, on);
}

CONTROL_API void SetLargeButtons(int on)
{
    SetAndSynch(&JControlOnlyInfo::m_nLargeButtons, on);
}

CONTROL_API void SetColorButtons(int on)
{
    SetAndSynch(&JControlOnlyInfo::m_bColorButtons, (BOOL)on);
}

CONTROL_API void SetTransparentColorForToolbars(COLORREF color)
{
    SetAndSynch(&JControlOnlyInfo::m_crTransparent, color);
}

CONTROL_API void SetToolTips(int on)
{
    JControlOnlyInfo* pInfo = Current();
    if (!pInfo)
        return;
    pInfo->m_bToolTips = on;
    const bool show = on && !pInfo->UsesFlatButtons();
    ForEachControlBar(ControlFrameOfCall(), [show](CControlBar* pBar) {
        if (IsLiveBar(pBar) && (pBar->IsKindOf(RUNTIME_CLASS(JToolBar)) || pBar->IsKindOf(RUNTIME_CLASS(JDialogBar)))) {
            const DWORD style = pBar->GetBarStyle();
            pBar->SetBarStyle(show ? (style | CBRS_TOOLTIPS) : (style & ~CBRS_TOOLTIPS));
        }
        return true;
    });
}

CONTROL_API void FillMaskColor(COLORREF color, long value, HINSTANCE hModule, const char* name)
{
    if (JControlOnlyInfo* pInfo = Current())
        pInfo->FillMaskColor(color, value, hModule, name);
}

// ---- command states, customization, bearings ----

CONTROL_API void JSetCommandState(DWORD commandID, int value, DWORD flags)
{
    if (JControlOnlyInfo* pInfo = Current())
        pInfo->SetCommandState(commandID, value, flags);
}

CONTROL_API long JGetCommandState(DWORD commandID, int* value, DWORD* flags)
{
    JControlOnlyInfo* pInfo = Current();
    return pInfo ? pInfo->GetCommandState(commandID, value, flags) : -1;
}

CONTROL_API void JSetCustomizeMode(HWND hWndPage, HWND hWndDialog)
{
    if (JControlOnlyInfo* pInfo = Current()) {
        pInfo->m_hWndCustomizePage = hWndPage;
        pInfo->m_hWndActiveDialog = hWndDialog;
    }
}

CONTROL_API int SetBearingInfo(int on, int azimuthMode, int baseAxis, int sense)
{
    JBearingInfo& bearing = ControlState().bearing;
    bearing.nOn = on ? 1 : 0;
    int valid = 0;
    if (azimuthMode == 0 || azimuthMode == 1) {
        bearing.nAzimuthMode = azimuthMode;
        ++valid;
    }
    if (baseAxis >= 0 && baseAxis <= 3) {
        bearing.nBaseAxis = baseAxis;
        ++valid;
    }
    if (sense == 0 || sense == 1) {
        bearing.nSense = sense;
        ++valid;
    }
    return valid == 3 ? 1 : 0;
}

CONTROL_API void GetBearingInfo(int* on, int* azimuthMode, int* baseAxis, int* sense)
{
    const JBearingInfo& bearing = ControlState().bearing;
    if (on)
        *on = bearing.nOn;
    if (azimuthMode)
        *azimuthMode = bearing.nAzimuthMode;
    if (baseAxis)
        *baseAxis = bearing.nBaseAxis;
    if (sense)
        *sense = bearing.nSense;
}
