// CJTabBar: the message map, the mouse and keys, the notifications to the parent and renaming.
#include "cntlrc.h"
#include "jtabbar.h"
#include "module.h"

#include "afxpriv.h"

BEGIN_MESSAGE_MAP(CJTabBar, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_IDLEUPDATECMDUI()
    ON_WM_TIMER()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SETCURSOR()
    ON_COMMAND_RANGE(ID_JTB_SCROLLFIRST, ID_JTB_SCROLLLAST, OnSlider)
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

LRESULT CJTabBar::Notify(UINT nCode, CJTab* pTab, CPoint point)
{
    if (!m_hWnd)
        return 0;
    HWND hParent = ::GetParent(m_hWnd);
    if (!hParent)
        return 0;
    const UINT nID = (UINT)::GetDlgCtrlID(m_hWnd);
    JTBNOTIFY notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = nID;
    notify.hdr.code = nCode;
    notify.pTab = pTab;
    notify.pt = point;
    return ::SendMessageA(hParent, WM_NOTIFY, nID, (LPARAM)&notify);
}

void CJTabBar::ClickTab(CJTab* pTab, UINT nFlags, CPoint point, BOOL bWithKeys)
{
    if (!pTab || pTab->IsActive())
        return;
    if (Notify(JTBN_SELCHANGING, pTab, point) != 0)
        return;
    // The parent may have removed the tab while it was asked.
    if (!m_pTabs->Contains(pTab))
        return;
    if (bWithKeys && (nFlags & MK_CONTROL))
        SelectItem(pTab);
    else if (bWithKeys && (nFlags & MK_SHIFT) && m_pActive)
        SelectItemRange(m_pActive, pTab);
    else
        SetActiveItem(pTab);
    Notify(JTBN_SELCHANGED, m_pTabs->Contains(pTab) ? pTab : m_pActive, point);
    if (m_hWnd) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

BOOL CJTabBar::StepActive(int nStep)
{
    if (!m_pActive)
        return FALSE;
    CJTab* pTab = nStep > 0 ? GetNextItem(m_pActive) : GetPrevItem(m_pActive);
    if (!pTab)
        return FALSE;
    ClickTab(pTab, 0, CPoint(pTab->GetRect().CenterPoint()), FALSE);
    if (m_pActive == pTab)
        EnsureItemVisible(pTab);
    return m_pActive == pTab;
}

BOOL CJTabBar::HandleKey(UINT nChar)
{
    const BOOL bControl = ::GetKeyState(VK_CONTROL) < 0;
    if (bControl && (nChar == VK_PRIOR || nChar == VK_NEXT)) {
        StepActive(nChar == VK_NEXT ? 1 : -1);
        return TRUE;
    }
    if (nChar == VK_F2 && (m_dwStyle & JTBS_EDITLABELS) && m_pActive) {
        RenameItem(m_pActive);
        return TRUE;
    }
    // The keyboard's right click: the sheet menu of the active tab.
    if ((nChar == VK_APPS || (nChar == VK_F10 && ::GetKeyState(VK_SHIFT) < 0)) && m_pActive) {
        EnsureItemVisible(m_pActive);
        if (m_hWnd)
            UpdateWindow();
        Notify(JTBN_RCLICK, m_pActive, CPoint(m_pActive->GetRect().CenterPoint()));
        return TRUE;
    }
    return FALSE;
}

BOOL CJTabBar::RenameItem(CJTab* pTab)
{
    if (!m_pTabs->Contains(pTab) || m_pRenaming)
        return FALSE;
    GUserText title;
    if (!ControlResources() || !title.LoadString(ControlResources(), IDS_TABNAME_TITLE))
        title = "Rename Sheet";
    CJTabDlg dialog(title, this);
    dialog.m_strName = pTab->GetText().Text();
    dialog.SetNameCheck(this, pTab);
    m_pRenaming = pTab;
    const HWND hFocus = ::GetFocus();
    const INT_PTR result = dialog.DoModal();
    // Closing the dialog hands the keyboard to the top-level window: it goes back where it was.
    if (hFocus && ::IsWindow(hFocus) && ::GetFocus() != hFocus)
        ::SetFocus(hFocus);
    // The tab may have gone while the dialog was open.
    CJTab* pRenamed = m_pRenaming;
    m_pRenaming = nullptr;
    if (result != IDOK || !pRenamed || !m_pTabs->Contains(pRenamed))
        return FALSE;
    pRenamed->SetText(dialog.m_strName);
    LayoutTabs();
    if (m_hWnd)
        Invalidate(FALSE);
    Notify(JTBN_RENAMED, pRenamed, CPoint(pRenamed->GetRect().CenterPoint()));
    return TRUE;
}

void CJTabBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (::GetFocus() != m_hWnd)
        SetFocus();
    _JTB_HITTESTINFO info{point, 0};
    CJTab* pTab = HitTest(info);
    if (!pTab)
        return;
    // Every press on a tab starts the hold timer, also on the active tab.
    m_pHeld = pTab;
    SetTimer(kHoldTimer, kHoldMs);
    ClickTab(pTab, nFlags, point, TRUE);
}

void CJTabBar::OnLButtonUp(UINT, CPoint)
{
    m_pHeld = nullptr;
    KillTimer(kHoldTimer);
}

void CJTabBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    _JTB_HITTESTINFO info{point, 0};
    CJTab* pTab = HitTest(info);
    if (!pTab)
        return;
    if (!pTab->IsActive()) {
        OnLButtonDown(nFlags, point);
        return;
    }
    m_pHeld = nullptr;
    KillTimer(kHoldTimer);
    Notify(JTBN_DBLCLK, pTab, point);
    if ((m_dwStyle & JTBS_EDITLABELS) && m_pTabs->Contains(pTab))
        RenameItem(pTab);
}

void CJTabBar::OnRButtonDown(UINT, CPoint point)
{
    _JTB_HITTESTINFO info{point, 0};
    CJTab* pTab = HitTest(info);
    if (!pTab)
        return;
    ClickTab(pTab, 0, point, FALSE);
    if (m_pTabs->Contains(pTab))
        Notify(JTBN_RCLICK, pTab, point);
}

LRESULT CJTabBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    UpdateScrollButtons();
    return 0;
}

void CJTabBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoldTimer) {
        KillTimer(kHoldTimer);
        CJTab* pTab = m_pHeld;
        m_pHeld = nullptr;
        if (pTab && m_pTabs->Contains(pTab)) {
            CPoint point;
            ::GetCursorPos(&point);
            ScreenToClient(&point);
            Notify(JTBN_HOLD, pTab, point);
        }
        return;
    }
    if (nIDEvent == kRepeatTimer) {
        JTabbarButton* pButton = GetScrollButton((ScrollDirection)m_nRepeat);
        if (!pButton || !pButton->IsPressed() || !ScrollItems((ScrollDirection)m_nRepeat)) {
            KillTimer(kRepeatTimer);
            m_nRepeat = 0;
            return;
        }
        UpdateWindow();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

// The scroll bar scrolls the drawing: its messages go on to the parent.
void CJTabBar::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageA(hParent, WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), (LPARAM)AfxGetSafeHwnd(pScrollBar));
}

void CJTabBar::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageA(hParent, WM_VSCROLL, MAKEWPARAM(nSBCode, nPos), (LPARAM)AfxGetSafeHwnd(pScrollBar));
}

BOOL CJTabBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd && pWnd->m_hWnd == m_hWnd && nHitTest == HTCLIENT) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CJTabBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!HandleKey(nChar))
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CJTabBar::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!HandleKey(nChar))
        CWnd::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

// The active tab's focus frame comes and goes with the keyboard.
void CJTabBar::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    InvalidateItem(m_pActive);
}

void CJTabBar::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    InvalidateItem(m_pActive);
}

UINT CJTabBar::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void CJTabBar::OnDestroy()
{
    KillTimer(kHoldTimer);
    KillTimer(kRepeatTimer);
    m_pHeld = nullptr;
    CWnd::OnDestroy();
}
