// Frame layout around control bars, and the frame's message bar and bar commands.
#include "afxwin.h"

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (!hWnd || !lpRect)
        return;
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    const int cx = lpRect->right - lpRect->left, cy = lpRect->bottom - lpRect->top;
    if (lpLayout && lpLayout->hDWP)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, flags);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, flags);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const BOOL bQuery = (nFlags & ~reposNoPosLeftOver) == reposQuery;
    if (!bQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const UINT nID = (UINT)::GetDlgCtrlID(hWndChild);
        if (nID == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hWndChild))
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (bQuery) {
        if (!lpRectParam)
            return;
        if (bStretch)
            *lpRectParam = layout.rect;
        else
            ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }
    if (nIDLeftOver && hWndLeftOver && !(nFlags & reposNoPosLeftOver)) {
        CRect rect(layout.rect);
        if ((nFlags & ~reposNoPosLeftOver) == reposExtra && lpRectParam) {
            rect.left += lpRectParam->left;
            rect.top += lpRectParam->top;
            rect.right -= lpRectParam->right;
            rect.bottom -= lpRectParam->bottom;
        }
        AfxRepositionWindow(&layout, hWndLeftOver, &rect);
    }
    // A failed deferral (layout.hDWP NULL) has already dropped the batch.
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    // Moving bars resizes them, and their handlers may ask for layout again.
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    // A hidden bar keeps its place in its dock bar; the layout passes over it.
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (!pFrame)
        pFrame = this;
    if (bDelay) {
        pBar->DelayShow(bShow);
        pFrame->DelayRecalcLayout();
    } else {
        pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        if (bShow || !pBar->IsFloating())
            pFrame->RecalcLayout(FALSE);
    }
    if (!pBar->IsFloating())
        return;
    // The floating frame shows while one of its bars does.
    const int nVisible = pBar->m_pDockBar ? pBar->m_pDockBar->GetDockedVisibleCount() : (bShow ? 1 : 0);
    if (nVisible == 1 && bShow) {
        if (bDelay)
            pFrame->RecalcLayout(FALSE);
        pFrame->ShowWindow(SW_SHOWNA);
    } else if (nVisible == 0) {
        pFrame->ShowWindow(SW_HIDE);
    } else if (!bDelay) {
        pFrame->RecalcLayout(FALSE);
    }
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (!pBar)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    if (CControlBar* pBar = GetControlBar(pCmdUI->m_nID)) {
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

CWnd* CFrameWnd::GetMessageBar()
{
    return FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR));
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString text;
    rMessage.Empty();
    if (!text.LoadString(nID))
        return;
    const int newline = text.Find('\n');
    rMessage = newline < 0 ? text : text.Left(newline);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    if (CWnd* pMessageBar = GetMessageBar()) {
        CString message;
        LPCSTR lpsz = reinterpret_cast<LPCSTR>(lParam);
        if (!lpsz) {
            if (wParam)
                GetMessageString((UINT)wParam, message);
            lpsz = message;
        }
        pMessageBar->SetWindowText(lpsz);
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    const bool bWide = pNMHDR->code == TTN_NEEDTEXTW;
    auto* pTTTA = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
    auto* pTTTW = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    // Tools registered by window carry the window, whose ID is the command.
    if ((bWide ? pTTTW->uFlags : pTTTA->uFlags) & TTF_IDISHWND)
        nID = (UINT_PTR)::GetDlgCtrlID(reinterpret_cast<HWND>(nID));

    CString tip;
    CString full;
    if (nID && full.LoadString((UINT)nID)) {
        const int newline = full.Find('\n');
        if (newline >= 0)
            tip = full.Mid(newline + 1);
    }
    if (bWide) {
        const int n = ::MultiByteToWideChar(CP_ACP, 0, tip, -1, pTTTW->szText, (int)std::size(pTTTW->szText));
        if (n == 0)
            pTTTW->szText[std::size(pTTTW->szText) - 1] = L'\0';
        pTTTW->lpszText = pTTTW->szText;
    } else {
        ::lstrcpynA(pTTTA->szText, tip, (int)std::size(pTTTA->szText));
        pTTTA->lpszText = pTTTA->szText;
    }
    if (pResult)
        *pResult = 0;
    // Above other pop-ups, so the tip is not hidden behind a floating bar.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}
