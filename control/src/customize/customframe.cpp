// CCustomFrame: creation and docking, the library's private messages, bar toggles and
// the customize commands. Prompts and tooltips: customframe_text.cpp; the frame's
// behaviour while the customize dialog is up: customframe_input.cpp.
#include "jcustomize.h"

#include "callframe.h"
#include "controlexports.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "libstate.h"

IMPLEMENT_DYNCREATE(CCustomFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CCustomFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCACTIVATE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_SYSCOMMAND()
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(JCM_GETBITMAPINFO, OnGetBitmapInfo)
    ON_MESSAGE(JCM_GETBUTTONSIZE, OnGetButtonSize)
    ON_MESSAGE(JCM_DISPLAYCUSTOMIZE, OnDisplayToolbarCustomize)
    ON_MESSAGE(JCM_MENUCHANGED, OnMenuChanged)
    ON_MESSAGE(JCM_ACCELERATORSCHANGED, OnAcceleratorsChanged)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_COMMAND(ID_JTOOLBAR_MANAGER, OnToolbars)
    ON_COMMAND(ID_JCUSTOMIZE, OnCustomize)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

namespace {

bool IsBarID(UINT nID)
{
    return nID >= AFX_IDW_CONTROLBAR_FIRST && nID <= AFX_IDW_CONTROLBAR_LAST;
}

// The frame's dock bars, in the order they are made: the first made takes the corners.
constexpr struct {
    UINT nID;
    DWORD dwStyle;
} kDockBars[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
                 {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
                 {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
                 {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM}};

}   // namespace

CCustomFrame::CCustomFrame() = default;

CCustomFrame::~CCustomFrame()
{
    RemoveAllCategories();
}

// ---- creation and docking ----

int CCustomFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!SpecialEnableDocking(CBRS_ALIGN_ANY))
        return -1;
    m_pFloatingFrameClass = RUNTIME_CLASS(JMiniDockFrameWnd);
    m_nIDHelp = kHelpID;
    m_bAutoMenuEnable = FALSE;
    return 0;
}

BOOL CCustomFrame::SpecialEnableDocking(DWORD dwDockStyle)
{
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& dock : kDockBars) {
        if (!(dock.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(dock.nID))
            continue;
        auto* pDockBar = new CSplitterDockBar;   // deletes itself with its window
        if (!pDockBar->Create(this, dock.dwStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              dock.nID)) {
            delete pDockBar;
            return FALSE;
        }
    }
    return TRUE;
}

void CCustomFrame::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    const int nLargeBefore = pInfo ? pInfo->m_nLargeButtons : 0;
    auto* pRibbon = DYNAMIC_DOWNCAST(JDialogBar, pBar);
    // A ribbon bar docked without a place goes back to the dock bar it was stored in.
    if (nDockBarID == 0 && !lpRect && pRibbon && pRibbon->ReadFromRegistry()) {
        if (!pRibbon->m_bFloating)
            nDockBarID = pRibbon->GetDockBarDlgCtrlID();
        pRibbon->CloseRegKey();
    }
    CFrameWnd::DockControlBar(pBar, nDockBarID, lpRect);
    // Reading the stored values may have set the large-buttons setting.
    if (pRibbon && pInfo && pInfo->m_nLargeButtons != nLargeBefore)
        pRibbon->SetButtonSize(pInfo->m_nLargeButtons == 1 ? JDialogBar::kLargeButton : JDialogBar::kSmallButton);
}

// ---- closing ----

void CCustomFrame::OnClose()
{
    CMDIFrameWnd::OnClose();
}

void CCustomFrame::RemoveToolBars()
{
    std::vector<JToolBar*> toolBars;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;)
        if (auto* pBar = DYNAMIC_DOWNCAST(JToolBar, static_cast<CControlBar*>(m_listControlBars.GetNext(pos))))
            toolBars.push_back(pBar);
    for (JToolBar* pBar : toolBars)
        (pBar->m_pDockSite ? pBar->m_pDockSite : this)->RemoveControlBar(pBar);
}

BOOL CCustomFrame::DestroyWindow()
{
    RemoveToolBars();
    return CWnd::DestroyWindow();
}

// ---- commands and bar toggles ----

BOOL CCustomFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (IsBarID(LOWORD(wParam))) {
        OnBarCheck(LOWORD(wParam));
        return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

BOOL CCustomFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (!pHandlerInfo && IsBarID(nID) && (UINT)nCode == CN_UPDATE_COMMAND_UI) {
        OnUpdateControlBarMenu(static_cast<CCmdUI*>(pExtra));
        return TRUE;
    }
    if (!pHandlerInfo && HIWORD(nCode) == WM_NOTIFY && pExtra) {
        const auto* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        if (pNotify->pNMHDR && (pNotify->pNMHDR->code == TTN_NEEDTEXTA || pNotify->pNMHDR->code == TTN_NEEDTEXTW))
            return OnToolTipText(nID, pNotify->pNMHDR, pNotify->pResult);
    }
    return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CCustomFrame::OnBarCheck(UINT nID)
{
    if (Customizing())
        return FALSE;
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->m_bToolbarsDirty = TRUE;
    // A ribbon bar remembers the visibility it is about to get.
    if (auto* pRibbon = DYNAMIC_DOWNCAST(JDialogBar, GetControlBar(nID)))
        pRibbon->m_bCustomVisible = (pRibbon->GetStyle() & WS_VISIBLE) == 0;
    return CFrameWnd::OnBarCheck(nID);
}

void CCustomFrame::OnToolbars()
{
    DisplayToolbarManager();
}

void CCustomFrame::OnCustomize()
{
    OnDisplayToolbarCustomize(0, 0);
}

LRESULT CCustomFrame::OnDisplayToolbarCustomize(WPARAM, LPARAM)
{
    ControlState().nCustomizeStartPage = 0;
    return DisplayCustomizeDialog();
}

// ---- the library's private messages ----

LRESULT CCustomFrame::OnGetBitmapInfo(WPARAM wParam, LPARAM lParam)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo ? pInfo->GetBitmapInfo((UINT)wParam, lParam) : 0;
}

LRESULT CCustomFrame::OnGetButtonSize(WPARAM wParam, LPARAM lParam)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo ? pInfo->GetButtonSize((UINT)wParam, lParam) : 0;
}

LRESULT CCustomFrame::OnMenuChanged(WPARAM, LPARAM lParam)
{
    return ReplaceMainMenu(reinterpret_cast<HMENU>(lParam), nullptr);
}

LRESULT CCustomFrame::OnAcceleratorsChanged(WPARAM, LPARAM lParam)
{
    const auto hAccel = reinterpret_cast<HACCEL>(lParam);
    // The table handed in may be the frame's own: it is kept, not destroyed.
    if (hAccel && hAccel != m_hAccelTable) {
        if (m_hAccelTable)
            ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = hAccel;
        m_bOwnsAccelTable = TRUE;
    }
    return reinterpret_cast<LRESULT>(m_hAccelTable);
}

LRESULT CCustomFrame::OnHelpHitTest(WPARAM, LPARAM)
{
    // A top-level window's identifier field holds its menu, not a control ID.
    if (!(GetStyle() & WS_CHILD))
        return 0;
    const UINT nID = (UINT)GetDlgCtrlID();
    return nID ? HID_BASE_CONTROL + nID : 0;
}

void CCustomFrame::ActivateFlyoutCommands(JToolBar*)
{
}
