// The environment manager: the environments, the current one, and locks.
#include "jenvmanager.h"

#include "hostengine.h"
#include "jtabbar.h"
#include "libstate.h"

JEnvironmentManager* JEnvironmentManager::Get()
{
    return ControlState().pManager;
}

JControlOnlyInfo* JEnvironmentManager::Current()
{
    ControlProcessState& state = ControlState();
    if (state.pCurrentOverride)
        return state.pCurrentOverride;
    return state.pManager ? state.pManager->CurrentControlInfo() : nullptr;
}

void JEnvironmentManager::ForgetBar(CControlBar* pBar)
{
    if (JEnvironmentManager* pManager = Get())
        for (long i = 0; i < pManager->GetCount(); ++i)
            pManager->GetEnvironment(i)->RemoveToolbar(pBar);
}

JEnvironmentManager::JEnvironmentManager() : m_hSavedResource(AfxGetResourceHandle())
{
    if (ReadEnvironmentsFromRegistry(nullptr) > 0) {
        if (m_pCurrent)
            m_pCurrent->m_bShown = TRUE;
        return;
    }
    JEnvironmentRecord* pEnvironment = NewEnvironment(kDefaultEnvironment, nullptr, nullptr, nullptr);
    m_arrEnvironments.Add(pEnvironment);
    m_pCurrent = pEnvironment;
    m_nCurrentIndex = 0;
    pEnvironment->m_bActive = TRUE;
    pEnvironment->Show(1);
    pEnvironment->m_bShown = TRUE;   // its bars are the ones on show, main window or not
}

JEnvironmentManager::JEnvironmentManager(const char* userKey, const char* name, const char* startUpDll,
                                         const char* appPath)
    : m_hSavedResource(AfxGetResourceHandle())
{
    if (ReadEnvironmentsFromRegistry(userKey) > 0) {
        m_bInitialising = TRUE;
        SetEnvironment(name, userKey, nullptr, nullptr);
        m_bInitialising = FALSE;
        if (m_pCurrent)
            m_pCurrent->m_bShown = TRUE;
        return;
    }
    auto* pEnvironment = new JEnvironmentRecord;
    pEnvironment->m_bActive = TRUE;
    pEnvironment->SetCustomUserKey(userKey);
    pEnvironment->SetCustomEnvironment(name);
    pEnvironment->SetStartUpDLL(startUpDll);
    pEnvironment->m_strAppPath = appPath ? appPath : "";
    pEnvironment->m_strCreationUserKey = userKey ? userKey : "";
    // The bars made from now on are this environment's and are on show: a
    // switch away must record them.
    pEnvironment->m_bShown = TRUE;
    m_arrEnvironments.Add(pEnvironment);
    m_pCurrent = pEnvironment;
    m_nCurrentIndex = 0;
}

JEnvironmentManager::~JEnvironmentManager()
{
    ControlProcessState& state = ControlState();
    if (state.pManager == this)
        state.pManager = nullptr;
    state.pCurrentOverride = nullptr;
    m_pCurrent = nullptr;
    for (INT_PTR i = 0; i < m_arrEnvironments.GetSize(); ++i)
        delete static_cast<JEnvironmentRecord*>(m_arrEnvironments[i]);
    m_arrEnvironments.RemoveAll();
    AfxSetResourceHandle(m_hSavedResource);
}

JEnvironmentRecord* JEnvironmentManager::GetEnvironment(long index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return static_cast<JEnvironmentRecord*>(m_arrEnvironments[index]);
}

long JEnvironmentManager::FindEnvironmentIndex(const char* name)
{
    if (!name || !*name)
        return GetCount() > 0 ? 0 : -1;
    for (long i = 0; i < GetCount(); ++i)
        if (SameEnvironmentName(GetEnvironment(i)->m_strCustomEnvironment, name))
            return i;
    return -1;
}

void JEnvironmentManager::DeleteEnvironment(long index)
{
    JEnvironmentRecord* pEnvironment = GetEnvironment(index);
    if (!pEnvironment || pEnvironment->m_bActive || pEnvironment == m_pCurrent)
        return;
    m_arrEnvironments.RemoveAt(index);
    // Its add-in reference goes with it (the shared pointer holds its own); the
    // last one takes the tab bar buttons' drawing memory, as an unload does.
    if (IDispatch* pAddIn = pEnvironment->m_pStartUpDllDispatch) {
        pEnvironment->m_pStartUpDllDispatch = nullptr;
        if (pAddIn->Release() == 0)
            JTabbarButton::FreeSharedDrawingObjects();
    }
    delete pEnvironment;
    // The index keeps pointing at the current environment.
    if (index < m_nCurrentIndex)
        --m_nCurrentIndex;
}

void JEnvironmentManager::DeleteEnvironment(const char* name)
{
    DeleteEnvironment(FindEnvironmentIndex(name));
}

void JEnvironmentManager::SetEnvironmentDirty(int dirty)
{
    if (m_pCurrent)
        m_pCurrent->m_bEnvironmentDirty = dirty;
}

// ---- keeping environments in step ----

void JEnvironmentManager::NameFromApplication(JEnvironmentRecord* pEnvironment)
{
    if (pEnvironment->m_strCustomEnvironment.IsEmpty() && pEnvironment->m_pAppInfo)
        pEnvironment->SetCustomEnvironment(pEnvironment->GetCustomEnvironment());
}

void JEnvironmentManager::Synch()
{
    JEnvironmentRecord* pCurrent = m_pCurrent;
    if (!pCurrent)
        return;
    for (long i = 0; i < GetCount(); ++i) {
        JEnvironmentRecord* pEnvironment = GetEnvironment(i);
        if (pEnvironment->m_strCustomEnvironment.IsEmpty() && pCurrent->m_pAppInfo) {
            if (!pEnvironment->m_pAppInfo)
                pEnvironment->m_pAppInfo = pCurrent->m_pAppInfo;
            NameFromApplication(pEnvironment);
        }
        if (pEnvironment == pCurrent) {
            pEnvironment->UpdateToolbars(0);
            continue;
        }
        if (m_bLockDraftResource && !pEnvironment->m_hDraftResource)
            pEnvironment->m_hDraftResource = pCurrent->m_hDraftResource;
        if (m_bLockAppInfo && !pEnvironment->m_pAppInfo) {
            pEnvironment->m_pAppInfo = pCurrent->m_pAppInfo;
            NameFromApplication(pEnvironment);
        }
        if (m_bLockDynamicCommand && !pEnvironment->m_pDynamicCommand)
            pEnvironment->m_pDynamicCommand = pCurrent->m_pDynamicCommand;

        bool changed = false;
        const auto share = [&](BOOL lock, auto& mine, const auto& theirs) {
            if (lock && mine != theirs) {
                mine = theirs;
                changed = true;
            }
        };
        share(m_bLockButtonSize, pEnvironment->m_nLargeButtons, pCurrent->m_nLargeButtons);
        share(m_bLockColorButtons, pEnvironment->m_bColorButtons, pCurrent->m_bColorButtons);
        share(m_bLockToolTips, pEnvironment->m_bToolTips, pCurrent->m_bToolTips);
        share(m_bLockTransparentColor, pEnvironment->m_crTransparent, pCurrent->m_crTransparent);
        share(m_bLockFlatButtons, pEnvironment->m_nFlatButtons, pCurrent->m_nFlatButtons);
        share(m_bLockGripperBar, pEnvironment->m_nGripperBar, pCurrent->m_nGripperBar);
        if (!changed)
            continue;
        if (!pEnvironment->m_bEnvironmentDirty) {
            pEnvironment->m_bEnvironmentDirty = TRUE;
            pEnvironment->m_bToolbarsDirty = TRUE;
        }
        pEnvironment->UpdateToolbars(0);
    }
}

void JEnvironmentManager::Show(int show)
{
    if (!m_bInitialising && m_pCurrent)
        m_pCurrent->Show(show);
}

// ---- forwarders ----

void JEnvironmentManager::AddToolbar(CControlBar* pBar)
{
    if (m_pCurrent)
        m_pCurrent->AddToolbar(pBar);
}

void JEnvironmentManager::RemoveToolbar(CControlBar* pBar)
{
    if (m_pCurrent)
        m_pCurrent->RemoveToolbar(pBar);
}

void JEnvironmentManager::FillMaskColor(COLORREF color, long value, HINSTANCE hModule, const char* name)
{
    if (m_pCurrent)
        m_pCurrent->FillMaskColor(color, value, hModule, name);
}

void JEnvironmentManager::SetStartUpDLL(const char* clsid)
{
    if (m_pCurrent)
        m_pCurrent->SetStartUpDLL(clsid);
}

void JEnvironmentManager::SetInPlaceFrame(CFrameWnd* pInPlace, CFrameWnd* pSecond, CFrameWnd* pClient)
{
    if (!m_pCurrent)
        return;
    m_pCurrent->m_pInPlaceFrame = pInPlace;
    m_pCurrent->m_pSecondFrame = pSecond;
    m_pCurrent->m_pClientInPlaceFrame = pClient;
}

void JEnvironmentManager::SetMenuInPlaceServer(HMENU hMenu)
{
    if (m_pCurrent)
        m_pCurrent->m_hMenuInPlaceServer = hMenu;
}
