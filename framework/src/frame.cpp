#include "afxwin.h"
#include "afxmenu.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_IDLEUPDATECMDUI()
    ON_WM_INITMENUPOPUP()
    // Control bars and the message bar (barlayout.cpp).
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    // Docking (framedock.cpp).
    ON_WM_DESTROY()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_RAISEFLOATING, OnRaiseFloating)
    // Help (bartips.cpp).
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {
thread_local CPtrList t_frames;
}

CFrameWnd::CFrameWnd()
{
    t_frames.AddTail(this);
}

CFrameWnd::~CFrameWnd()
{
    if (POSITION pos = t_frames.Find(this))
        t_frames.RemoveAt(pos);
    if (m_bOwnsAccelTable && m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

const CPtrList& CFrameWnd::GetFrameList()
{
    return t_frames;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCSTR lpszMenuName, DWORD dwExStyle)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName && !(hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName)))
        return FALSE;
    // CW_USEDEFAULT in the rectangle's left means: let Windows place and size it.
    const bool byDefault = rect.left == (LONG)CW_USEDEFAULT;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  byDefault ? CW_USEDEFAULT : rect.right - rect.left,
                  byDefault ? CW_USEDEFAULT : rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd), hMenu)) {
        // A window that existed for a moment destroyed its menu with it; only
        // a menu that never reached a window is left to destroy.
        if (hMenu && ::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The frame's background is what its bars and view leave: erasing it when the frame
    // grows must not paint over bars that moved into the new area with their contents.
    cs.style |= WS_CLIPCHILDREN;
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW;
    ShowWindow(nCmdShow);
    ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout;
    if (bNotify)
        m_nIdleFlags |= idleNotify;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleLayout) {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
        UpdateWindow();
    }
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    return 0;
}

namespace {

// The item a handler updated, found again after the handler added or removed items:
// the nearest item with its command (or its pop-up), else the place the count moved it to.
UINT FindUpdatedItem(CMenu* pMenu, const CCmdUI& state, UINT nOldCount)
{
    const UINT nCount = (UINT)pMenu->GetMenuItemCount();
    if (nCount == nOldCount)
        return state.m_nIndex;
    auto isItem = [&](UINT nIndex) {
        if (state.m_pSubMenu)
            return ::GetSubMenu(pMenu->m_hMenu, (int)nIndex) == state.m_pSubMenu->m_hMenu;
        return pMenu->GetMenuItemID((int)nIndex) == state.m_nID;
    };
    for (UINT nDistance = 0; nDistance < std::max(nCount, nOldCount); ++nDistance) {
        if (state.m_nIndex + nDistance < nCount && isItem(state.m_nIndex + nDistance))
            return state.m_nIndex + nDistance;
        if (nDistance <= state.m_nIndex && state.m_nIndex - nDistance < nCount && isItem(state.m_nIndex - nDistance))
            return state.m_nIndex - nDistance;
    }
    // The item itself went: go on with the item that took its place.
    const int nMoved = (int)state.m_nIndex + (int)nCount - (int)nOldCount;
    return (UINT)std::max(nMoved, -1);
}

}   // namespace

void CFrameWnd::OnInitMenuPopup(HMENU hPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(hPopupMenu, nIndex, bSysMenu);
    if (bSysMenu || !hPopupMenu)
        return;
    CCmdUI state;
    state.m_pMenu = CMenu::FromHandle(hPopupMenu);
    // Handlers may add or remove items: the count and the place are read again after each.
    for (state.m_nIndex = 0; state.m_nIndex < (UINT)state.m_pMenu->GetMenuItemCount(); ++state.m_nIndex) {
        state.m_nIndexMax = (UINT)state.m_pMenu->GetMenuItemCount();
        state.m_nID = state.m_pMenu->GetMenuItemID((int)state.m_nIndex);
        state.m_pSubMenu = nullptr;
        if (state.m_nID == 0)
            continue;   // separator
        if (state.m_nID == (UINT)-1) {
            // A nested pop-up is updated by the handlers of its first command.
            state.m_pSubMenu = state.m_pMenu->GetSubMenu((int)state.m_nIndex);
            if (!state.m_pSubMenu)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        } else {
            // System commands (0xF000 and up) are never greyed for want of a handler.
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        state.m_nIndex = FindUpdatedItem(state.m_pMenu, state, state.m_nIndexMax);
    }
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName)
{
    HACCEL hAccel = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
    if (!hAccel)
        return FALSE;
    SetAccelTable(hAccel);
    m_bOwnsAccelTable = TRUE;   // loaded tables are destroyed with the frame
    return TRUE;
}

void CFrameWnd::SetAccelTable(HACCEL hAccel)
{
    if (m_bOwnsAccelTable && m_hAccelTable && m_hAccelTable != hAccel)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = hAccel;
    m_bOwnsAccelTable = FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // A disabled frame (a modal dialog is up) does not act on its accelerators.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsWindowEnabled(m_hWnd)) {
        HACCEL hAccel = GetDefaultAccelerator();
        if (hAccel && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg))
            return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar && !m_listControlBars.Find(pBar))
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}
