// The toolbar's life: construction from the control state's settings, creation
// with registration in the control state, destruction and self-deletion.
#include "controlexports.h"
#include "jbars.h"
#include "jflyout.h"
#include "jenvmanager.h"
#include "toolbar_strip.h"

int JToolBar::m_nFlyoutTime = 400;
int JToolBar::m_nToolTipTime = 500;
JToolBar* JToolBar::m_pBar = nullptr;
int JToolBar::m_nIndex = 0;
CRect JToolBar::m_rectLast;
int JToolBar::m_nDragOption = 0;

BEGIN_MESSAGE_MAP(JToolBar, CToolBar)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_WM_WINDOWPOSCHANGING()
    ON_UPDATE_COMMAND_UI_RANGE(0, 0xE142, OnUpdateCommand)
    ON_MESSAGE(WM_STYLECHANGED, OnStyleChanged)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

JToolBar::JToolBar()
{
    m_nFlyoutTime = 400;
    m_nToolTipTime = 500;
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current()) {
        m_strEnvironment = pInfo->GetCustomEnvironment();
        m_nAppearance = pInfo->UsesFlatButtons() ? 1 : 0;
        m_bGripper = pInfo->m_nGripperBar == 1;
        m_crTransparent = pInfo->m_crTransparent;
    }
}

JToolBar::~JToolBar()
{
    // Deleting a toolbar whose window still exists destroys the window here, while
    // the object is whole; PostNcDestroy must not delete it a second time.
    m_bDestroying = TRUE;
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    toolbar_strip::ForgetSharedStrip(this);
    DestroyFlyouts();
    m_arrFlyouts.RemoveAll();
    DeleteRecords();
    if (m_hbmImageStrip)
        ::DeleteObject(m_hbmImageStrip);
    m_hbmImageStrip = nullptr;
    delete m_pToolTip;
    m_pToolTip = nullptr;
    if (m_pBar == this)
        m_pBar = nullptr;
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (pInfo && m_bCounted)
        pInfo->DecrementNumberOfToolbars();
    // Every environment forgets the bar, not only the current one: a bar
    // destroyed while another environment is current must not stay listed.
    JEnvironmentManager::ForgetBar(this);
}

void JToolBar::PostNcDestroy()
{
    // A toolbar always deletes itself; the base's auto-delete flag only tells
    // others so, and must not delete it a second time.
    if (!m_bDestroying)
        delete this;
}

void JToolBar::DestroyFlyouts()
{
    for (INT_PTR i = 0; i < m_arrFlyouts.GetSize(); ++i) {
        auto* pFlyout = static_cast<JToolBar*>(m_arrFlyouts[i]);
        m_arrFlyouts[i] = nullptr;
        if (auto* pOwned = pFlyout ? DYNAMIC_DOWNCAST(JFlyout, pFlyout) : nullptr)
            pOwned->m_pParentBar = nullptr;
        if (pFlyout && pFlyout->m_hWnd)
            pFlyout->DestroyWindow();
    }
}

DWORD JToolBar::PrepareStyle(DWORD dwStyle)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    const BOOL bTips = pInfo ? pInfo->m_bToolTips : TRUE;
    const bool bFlat = pInfo && pInfo->UsesFlatButtons();
    const BOOL bCustomizing = pInfo ? pInfo->m_bCustomizationMode : FALSE;
    // A flat toolbar shows its tips through its own tip control except while customizing.
    if (!bTips || (bFlat && !bCustomizing))
        dwStyle = (dwStyle & ~CBRS_TOOLTIPS) | CBRS_FLYBY;
    else
        dwStyle |= CBRS_TOOLTIPS | CBRS_FLYBY;
    if (m_bIsFlyout)
        m_bGripper = FALSE;
    if (m_bGripper)
        dwStyle |= CBRS_GRIPPER;
    return dwStyle;
}

BOOL JToolBar::CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // The bar's tips come from its own tip control (FinishCreate): the control is
    // not to make one of its own, which would be a window made for nothing.
    if (!CToolBar::Create(pParentWnd, dwStyle & ~CBRS_TOOLTIPS, nID))
        return FALSE;
    m_dwStyle |= dwStyle & CBRS_TOOLTIPS;
    return TRUE;
}

void JToolBar::ApplyLargeSizes()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (pInfo && pInfo->m_nLargeButtons == 1)
        SetSizes(kLargeButton, kLargeImage);
}

BOOL JToolBar::FinishCreate()
{
    if (m_nAppearance == 1)
        ModifyStyle(0, TBSTYLE_FLAT);
    // The tip control's window is made when a tip is first needed (EnsureToolTip):
    // a bar the mouse never goes over makes none.
    m_pToolTip = new CToolTipCtrl;
    m_bHide = FALSE;
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current()) {
        pInfo->AddToolbar(this);
        if (!m_bIsFlyout && !m_bCounted) {
            pInfo->IncrementNumberOfToolbars();
            m_bCounted = TRUE;
        }
    }
    return TRUE;
}

BOOL JToolBar::Create(CWnd* pParentWnd, const char* lpszName, const UINT* lpIDArray, int nIDCount, int nID,
                      DWORD dwDockStyle, DWORD dwStyle)
{
    if (nID != -1)
        m_bIDFixed = TRUE;
    else if (pParentWnd && pParentWnd->IsFrameWnd())
        nID = GetNextBarID();
    else
        m_bIDFixed = TRUE;
    if (!CreateBar(pParentWnd, PrepareStyle(dwStyle), (UINT)nID))
        return FALSE;
    ApplyLargeSizes();
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        m_strEnvironment = pInfo->GetCustomEnvironment();
    if (!SetButtonIDs(lpIDArray, nIDCount))
        return FALSE;
    SetWindowText(lpszName ? lpszName : "");
    if (dwDockStyle != (DWORD)-1)
        EnableDocking(dwDockStyle);
    return FinishCreate();
}

BOOL JToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!CreateBar(pParentWnd, PrepareStyle(dwStyle), nID))
        return FALSE;
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        m_strEnvironment = pInfo->GetCustomEnvironment();
    ApplyLargeSizes();
    return FinishCreate();
}

BOOL JToolBar::EnsureToolTip()
{
    if (!m_pToolTip || !m_hWnd)
        return FALSE;
    if (m_pToolTip->m_hWnd)
        return TRUE;
    if (!m_pToolTip->Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        return FALSE;
    ActivateToolTips();
    // Each button gets the tool the control gives the buttons it is given once it
    // has a tip control; from then on the control moves and drops them itself.
    CToolBarCtrl& ctrl = GetToolBarCtrl();
    const int count = ctrl.GetButtonCount();
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (!ctrl.GetButton(i, &button) || (button.fsStyle & TBSTYLE_SEP))
            continue;
        CRect rect(0, 0, 0, 0);
        ctrl.GetItemRect(i, rect);
        m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACK, rect, (UINT_PTR)button.idCommand);
    }
    ctrl.SetToolTips(m_pToolTip->m_hWnd);
    return TRUE;
}

void JToolBar::ActivateToolTips()
{
    if (!m_pToolTip || !m_pToolTip->m_hWnd)
        return;
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    m_pToolTip->Activate(pInfo ? pInfo->m_bToolTips : TRUE);
}
