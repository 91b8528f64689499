// Flat exports of environments: creating them, the host's switch between them
// with their bars, menus and add-ins, and keeping the frame's bars in step.
// Saving all of them is the manager's, here beside the switch.
#include "controlexports.h"

#include "callframe.h"
#include "hostengine.h"
#include "jenvmanager.h"
#include "jbars.h"
#include "libstate.h"
#include "menustore.h"
#include "regvalues.h"

namespace {

// Whether the current environment has the menu stored, told by its first item
// without the whole menu being read.
bool MenuStored(int isDefault)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    GUserText path;
    if (!pInfo || !pInfo->MakeRegistryPath(nullptr, isDefault ? "DefaultMenu" : "Menu", path))
        return false;
    menu_store::FinishInterruptedWrite(path);
    HKEY hKey = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, path, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    const bool stored = ::RegQueryValueExA(hKey, "CmdID0", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    ::RegCloseKey(hKey);
    return stored;
}

bool MenusTakePart(CFrameWnd* pFrame, bool menus, JEnvironmentManager* pManager)
{
    return menus && pFrame->IsWindowVisible() && !pManager->IsInPlaceActivated();
}

// What a switch has done so far, to be undone when a later step fails.
struct SwitchUndo {
    JEnvironmentManager* pManager;
    CFrameWnd* pFrame;
    long oldIndex;
    GUserText oldName;
    bool oldToolbarsUnloaded = false;
    bool oldAddInUnloaded = false;
    bool switched = false;
    HMENU hOldMenu = nullptr;   // the frame's menu before the new one replaced it
    bool newAddInLoaded = false;
    bool newToolbarsLoaded = false;

    // Puts the host back in the environment it was in: its add-in, default toolbars,
    // menu and bars, and tells the frame to load its add-ins again.
    void RollBack()
    {
        if (newToolbarsLoaded)
            pManager->UnLoadToolbarsFromDll();
        if (newAddInLoaded)
            pManager->LoadStartupDll(0, 0);
        if (hOldMenu) {
            ReplaceMainMenu(hOldMenu, nullptr);
            hOldMenu = nullptr;
        }
        if (switched)
            pManager->SetEnvironment(oldIndex);
        if (oldAddInUnloaded && SUCCEEDED(pManager->LoadStartupDll(1, 0)))
            pManager->InitStartupDll();
        // Its toolbars stand where the layout saved before the switch has them.
        if (oldToolbarsUnloaded && LoadBarLayout(pFrame, nullptr, oldName) == 0)
            pManager->LoadToolbarsFromDll();
        pFrame->SendMessage(JM_LOADADDINS, 0, 0);
        pFrame->SendMessage(JM_LOADRIBBONBAR, 0, 0);
    }
};

// The step's result, or the failure a test makes of it.
HRESULT StepResult(int step, HRESULT hr)
{
    if (FAILED(hr))
        return hr;
    if (auto fault = ControlState().pfnSwitchStepResult)
        return fault(step);
    return hr;
}

// Steps 6 to 11 of a switch: the add-ins, the environment, the menu and the
// layout handed over. A failure is the failing step's result code.
HRESULT SwitchSteps(SwitchUndo& undo, const char* name, long index, bool menus)
{
    JEnvironmentManager* pManager = undo.pManager;
    CFrameWnd* pFrame = undo.pFrame;

    // 6. The old environment's add-in goes with its default toolbars.
    HRESULT hr = pManager->UnLoadToolbarsFromDll();
    undo.oldToolbarsUnloaded = SUCCEEDED(hr);
    if (SUCCEEDED(hr)) {
        const bool hadAddIn = JGetStartUpDllDispatch() != nullptr;
        hr = pManager->LoadStartupDll(0, 0);
        if (hr == E_INVALIDARG && !hadAddIn)
            hr = S_OK;   // nothing was loaded
        if (JControlOnlyInfo* pInfo = pManager->CurrentControlInfo(); pInfo && pInfo->m_pStartUpDllDispatch) {
            pInfo->m_pStartUpDllDispatch->Release();
            pInfo->m_pStartUpDllDispatch = nullptr;
        }
        undo.oldAddInUnloaded = hadAddIn && SUCCEEDED(hr);
    }
    if (FAILED(hr = StepResult(6, hr)))
        return hr;

    // 7. The new environment becomes current.
    undo.switched = pManager->SetEnvironment(index) != 0;
    if (FAILED(hr = StepResult(7, undo.switched ? S_OK : E_FAIL)))
        return hr;

    // 8. The host is told its new name.
    {
        HostObject<JAppInfo> app(IID_IJAppInfo);
        if (app) {
            app->OnEnvironmentNameChanged(GUserText(name));
            app->OnSecondSwitch();
            app->GetRegistryName();
        }
        if (FAILED(hr = StepResult(8, app ? S_OK : E_NOINTERFACE)))
            return hr;
    }

    // 9. The new environment's menu.
    if (MenusTakePart(pFrame, menus, pManager)) {
        if (!MenuStored(1))
            WriteMenuToRegistry(1, nullptr, nullptr);
        if (HMENU hMenu = ReadMenuFromRegistry(0)) {
            undo.hOldMenu = menu_store::CopyMenu(::GetMenu(pFrame->m_hWnd), false);
            ReplaceMainMenu(hMenu, nullptr);
        }
    }
    if (FAILED(hr = StepResult(9, S_OK)))
        return hr;

    // 10. Its add-in.
    hr = pManager->LoadStartupDll(1, 0);
    undo.newAddInLoaded = JGetStartUpDllDispatch() != nullptr;
    if (SUCCEEDED(hr))
        hr = pManager->InitStartupDll();
    if (FAILED(hr = StepResult(10, hr)))
        return hr;

    // 11. Its layout, or the add-in's default toolbars when none is stored.
    if (JControlOnlyInfo* pInfo = pManager->CurrentControlInfo())
        pInfo->m_bSettingsLoaded = FALSE;
    if (LoadBarLayout(pFrame, nullptr, name) == 0) {
        hr = pManager->LoadToolbarsFromDll();
        undo.newToolbarsLoaded = SUCCEEDED(hr);
    }
    return StepResult(11, hr);
}

}   // namespace

CONTROL_API int JCreateEnvironment(const char* userKey, const char* name, const char* startUpDll, const char* appPath)
{
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    if (!pManager || !name || pManager->FindEnvironmentIndex(name) >= 0)
        return 0;
    return pManager->CreateEnvironment(name, userKey, startUpDll, appPath) ? 1 : 0;
}

CONTROL_API int JSetEnvironment(const char* name)
{
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (!pManager || !pInfo || !name || !*name || SameEnvironmentName(pInfo->m_strCustomEnvironment, name))
        return 0;
    CFrameWnd* pFrame = ControlFrameOfCall();
    const long index = pManager->FindEnvironmentIndex(name);
    if (!pFrame || !pFrame->m_hWnd || index < 0)
        return 0;

    // 2. Menus take part when the application object has the menu interface.
    const bool menus = (bool)HostObject<IUnknown>(IID_IJAppMenus);

    // 3. The current layout is saved; 4. the frame lets its add-ins and ribbon bars go.
    SaveBarLayout(nullptr, nullptr, nullptr);
    pFrame->SendMessage(JM_UNLOADADDINS, 0, 0);
    pFrame->SendMessage(JM_UNLOADRIBBONBAR, 0, 0);

    // 5. The menu the user leaves is kept.
    if (MenusTakePart(pFrame, menus, pManager)) {
        if (!MenuStored(1))
            WriteMenuToRegistry(1, nullptr, nullptr);
        if (MenuStored(0))
            WriteMenuToRegistry(0, nullptr, nullptr);
    }

    SwitchUndo undo{pManager, pFrame, pManager->GetCurrentIndex(), pInfo->m_strCustomEnvironment};
    HRESULT hr = E_FAIL;
    try {
        hr = SwitchSteps(undo, name, index, menus);
    } catch (...) {
        hr = E_FAIL;
    }
    if (FAILED(hr)) {
        HRerr(hr, __FILE__, __LINE__);
        try {
            undo.RollBack();
        } catch (...) {
        }
        return 0;
    }
    if (undo.hOldMenu)
        ::DestroyMenu(undo.hOldMenu);

    // 12. The frame loads the new environment's add-ins and ribbon bars.
    pFrame->SendMessage(JM_LOADADDINS, 0, 0);
    pFrame->SendMessage(JM_LOADRIBBONBAR, 0, 0);
    return 1;
}

CONTROL_API void JSyncToolbars(const char* name)
{
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    if (!pManager || !name || pManager->FindEnvironmentIndex(name) < 0)
        return;
    pManager->Synch();
    CWinThread* pThread = AfxGetThread();
    CWnd* pMain = pThread ? pThread->GetMainWnd() : nullptr;
    ForEachControlBar(MainTopLevelFrame(), [pMain](CControlBar* pBar) {
        if (!IsLiveBar(pBar) || pBar->IsFloating())
            return true;
        CFrameWnd* pDocking = pBar->GetDockingFrame();
        if (pBar->IsKindOf(RUNTIME_CLASS(JToolBar))) {
            if (pDocking)
                pDocking->DelayRecalcLayout(TRUE);
        } else if (pBar->IsKindOf(RUNTIME_CLASS(CDialogBar))) {
            pBar->UpdateDialogControls(pMain, TRUE);
            if (pDocking)
                pDocking->DelayRecalcLayout(TRUE);
            pBar->UpdateWindow();
        }
        return true;
    });
}

CONTROL_API void UpdateEnvironmentSettings(CFrameWnd* pFrame)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Get() ? JEnvironmentManager::Current() : nullptr;
    if (!pFrame)
        pFrame = ControlFrameOfCall();
    if (!pInfo || !pFrame)
        return;
    const bool large = pInfo->m_nLargeButtons == 1;
    ForEachControlBar(pFrame, [&](CControlBar* pBar) {
        const UINT id = (UINT)pBar->GetDlgCtrlID();
        if (!IsLiveBar(pBar) || id < 0xE800 || id >= 0xE900)
            return true;
        CFrameWnd* pDocking = pBar->GetDockingFrame();
        if (auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar)) {
            pToolBar->SetSizes(large ? JToolBar::kLargeButton : JToolBar::kSmallButton,
                               large ? JToolBar::kLargeImage : JToolBar::kSmallImage);
            pToolBar->SetGripperBar(pToolBar->m_bIsFlyout ? FALSE : pInfo->m_nGripperBar == 1);
            pToolBar->SetAppearance(pInfo->UsesFlatButtons() ? 1 : 0);
            if (pToolBar->IsFloating() && pDocking)
                pDocking->RecalcLayout(TRUE);
            if (pDocking)
                pDocking->DelayRecalcLayout(TRUE);
        } else if (pBar->IsKindOf(RUNTIME_CLASS(CDialogBar))) {
            if (pDocking) {
                pDocking->RecalcLayout(TRUE);
                pDocking->ActivateFrame();
            }
            pBar->Invalidate();
            pBar->SendMessage(WM_USER + 201, (WPARAM)large, 0);
            pBar->SendMessage(WM_USER + 200, (WPARAM)pInfo->m_bColorButtons, 0);
        }
        return true;
    });
    ControlState().bRegistryKeysChanged = FALSE;
}

void JEnvironmentManager::SaveAll()
{
    CFrameWnd* pFrame = MainTopLevelFrame();
    if (!pFrame || m_nCurrentIndex < 0)
        return;
    ControlProcessState& state = ControlState();
    JControlOnlyInfo* pSaved = state.pCurrentOverride;
    for (long i = 0; i < GetCount(); ++i) {
        JEnvironmentRecord* pEnvironment = GetEnvironment(i);
        state.pCurrentOverride = pEnvironment;
        const GUserText name = pEnvironment->m_strCustomEnvironment;
        const char* environment = name.IsEmpty() ? nullptr : (const char*)name;
        GUserText toolbars, information;
        if (!pEnvironment->MakeRegistryPath(environment, "Toolbars", toolbars) ||
            !pEnvironment->MakeRegistryPath(environment, "eInformation", information))
            break;
        WriteUnitDisplayValues(pEnvironment, environment);
        HKEY hKey = nullptr;
        if (JRegCreateKeyEx(HKEY_CURRENT_USER, toolbars, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &hKey, nullptr) != ERROR_SUCCESS) {
            ReportRegistryKeyFailure();
            break;
        }
        pEnvironment->WriteToolbarSettingsToRegistry(hKey);
        if (pEnvironment == m_pCurrent && (pEnvironment->m_pStartUpDllDispatch || !pFrame->m_listControlBars.IsEmpty()))
            pEnvironment->WriteToolbarsToRegistry(pFrame, hKey, environment);
        ::RegCloseKey(hKey);
    }
    state.pCurrentOverride = pSaved;
}
