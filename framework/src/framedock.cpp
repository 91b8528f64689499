// CFrameWnd's docking: its dock bars, docking and floating bars, and its floating frames.
#include "afxwin.h"
#include "wndmap.h"

namespace {

// The dock bars in the order they are made and searched: the top and bottom ones are laid
// out first and take the frame's whole width.
constexpr struct {
    UINT nID;
    DWORD dwStyle;
} kDockBars[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

CDockBar* AsDockBar(CControlBar* pBar)
{
    return pBar && pBar->IsDockBar() ? static_cast<CDockBar*>(pBar) : nullptr;
}

// hWnd is owned (or parented), however far up, by hWndAncestor.
bool IsOwnedBy(HWND hWnd, HWND hWndAncestor)
{
    for (HWND h = hWnd; h; h = ::GetWindow(h, GW_OWNER) ? ::GetWindow(h, GW_OWNER) : ::GetParent(h))
        if (h == hWndAncestor)
            return true;
    return false;
}

// Wine's X11 driver raises the X window of the top-level window that takes the focus, but
// restacks a window only when it becomes the first visible one in the z-order: a frame that
// takes the focus (activated, restored, a click or Tab in one of its fields) covers its
// floating frames on the screen though they stay above it here. While floating frames exist
// on the thread, a focus that comes into a frame asks that frame to raise them again once the
// focus has settled.
thread_local int t_nFloatingFrames = 0;
thread_local HHOOK t_hHookFocus = nullptr;

LRESULT CALLBACK FocusHook(int code, WPARAM wParam, LPARAM lParam)
{
    if ((code == HCBT_SETFOCUS || code == HCBT_ACTIVATE) && wParam) {
        CWnd* pRoot = CWnd::FromHandlePermanent(::GetAncestor(reinterpret_cast<HWND>(wParam), GA_ROOT));
        if (DYNAMIC_DOWNCAST(CFrameWnd, pRoot) && !DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pRoot))
            pRoot->PostMessage(WM_RAISEFLOATING);
    }
    return CallNextHookEx(t_hHookFocus, code, wParam, lParam);
}

// A visible window of this program is above hWnd: a tip that is up, and the driver restacks
// nothing below it.
bool IsUnderOwnWindow(HWND hWnd)
{
    for (HWND hWndAbove = ::GetWindow(hWnd, GW_HWNDPREV); hWndAbove; hWndAbove = ::GetWindow(hWndAbove, GW_HWNDPREV)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWndAbove, &pid);
        if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hWndAbove))
            return true;
    }
    return false;
}

// The floating frames are raised again a moment later while a tip of this program covers
// them, for as long as 5 seconds.
constexpr UINT kRaiseRetryDelay = 200;
constexpr UINT kRaiseTries = 25;
const char kRaiseRetryTimer = 0;   // its address names the timer

void CALLBACK RaiseRetry(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(hWnd, nIDEvent);
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd)))
        pFrame->RaiseFloatingFrames();
}

}   // namespace

void AfxFloatingFrameMade()
{
    if (t_nFloatingFrames++ == 0)
        t_hHookFocus = ::SetWindowsHookExA(WH_CBT, FocusHook, nullptr, ::GetCurrentThreadId());
}

void AfxFloatingFrameGone()
{
    if (--t_nFloatingFrames == 0 && t_hHookFocus) {
        ::UnhookWindowsHookEx(t_hHookFocus);
        t_hHookFocus = nullptr;
    }
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& dock : kDockBars) {
        if (!(dock.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(dock.nID))
            continue;
        auto* pDockBar = new CDockBar;
        if (!pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | dock.dwStyle,
                              dock.nID)) {
            delete pDockBar;
            AfxThrowResourceException();
        }
    }
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    const CRuntimeClass* pClass = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* pObject = pClass->CreateObject();
    auto* pFrame = AfxDynamicDownCast<CMiniDockFrameWnd>(RUNTIME_CLASS(CMiniDockFrameWnd), pObject);
    if (!pFrame) {
        delete pObject;
        AfxThrowResourceException();
    }
    // A frame that fails to be made has deleted itself (frames delete themselves after their window).
    if (!pFrame->Create(this, dwStyle))
        AfxThrowResourceException();
    return pFrame;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nDockBarID == 0 ? nullptr : AsDockBar(GetControlBar(nDockBarID));
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar)
        return;
    if (!pDockBar) {
        // The dock bar of the bar's own alignment.
        for (const auto& dock : kDockBars) {
            if ((dock.dwStyle & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY)) {
                pDockBar = AsDockBar(GetControlBar(dock.nID));
                break;
            }
        }
    }
    if (pDockBar)
        pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    if (!pDockBar) {
        // The dock bar keeping the bar's placeholder, else one of its alignment.
        CDockBar* pPossible = nullptr;
        auto* pPlaceHolder = reinterpret_cast<CControlBar*>((UINT_PTR)(UINT)pBar->GetDlgCtrlID());
        for (const auto& dock : kDockBars) {
            CDockBar* pCandidate = AsDockBar(GetControlBar(dock.nID));
            if (!pCandidate)
                continue;
            if (pCandidate->FindBar(pPlaceHolder) > 0) {
                pDockBar = pCandidate;
                break;
            }
            if (!pPossible && (dock.dwStyle & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY))
                pPossible = pCandidate;
        }
        if (!pDockBar)
            pDockBar = pPossible;
        if (!pDockBar)
            pDockBar = AsDockBar(GetControlBar(AFX_IDW_DOCKBAR_TOP));
    }
    if (pDockBar)
        pDockBar->ReDockControlBar(pBar, lpRect);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    // Alone in a floating frame of the same orientation: only the frame moves.
    if (CDockBar* pDockBar = pBar->m_pDockBar; pDockBar && pBar->m_pDockSite && pDockBar->m_bFloating &&
                                               pDockBar->GetDockedCount() == 1 &&
                                               (dwStyle & pDockBar->m_dwStyle & CBRS_ALIGN_ANY)) {
        CFrameWnd* pFrame = pDockBar->GetParentFrame();
        pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->RecalcLayout(TRUE);
        pFrame->UpdateWindow();
        return;
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        // Bars that wrap float in rows.
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    // A floating frame that cannot be made leaves the bar where it was.
    CMiniDockFrameWnd* pFrame = nullptr;
    try {
        pFrame = CreateFloatingFrame(dwStyle);
    } catch (CException* pError) {
        pError->Delete();
        return;
    }
    pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->m_wndDockBar.DockControlBar(pBar);
    pFrame->RecalcLayout(TRUE);
    // The new frame shows with its bar: a hidden bar's frame waits until the bar is shown, and a
    // shown bar's frame floated before this frame shows waits for it (OnShowWindow).
    if ((GetStyle() & WS_VISIBLE) && (pBar->GetStyle() & WS_VISIBLE)) {
        pFrame->ShowWindow(SW_SHOWNA);
        pFrame->UpdateWindow();
    }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    // Floating dock bars only take bars that float together.
    dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
    if (ppDockBar)
        *ppDockBar = nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        CDockBar* pDockBar = AsDockBar(static_cast<CControlBar*>(m_listControlBars.GetNext(pos)));
        if (!pDockBar || !pDockBar->m_hWnd || !pDockBar->IsWindowVisible() ||
            !(pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY) ||
            (pDockBar->m_bFloating && !(dwDockStyle & pDockBar->m_dwStyle & CBRS_FLOAT_MULTI)))
            continue;
        CRect rectBar;
        pDockBar->GetWindowRect(rectBar);
        // An empty dock bar is a line along its side: reaching it is enough.
        if (rectBar.Width() == 0)
            rectBar.right++;
        if (rectBar.Height() == 0)
            rectBar.bottom++;
        CRect meet;
        if (meet.IntersectRect(rectBar, rect)) {
            if (ppDockBar)
                *ppDockBar = pDockBar;
            return dwDockStyle;
        }
    }
    return 0;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    const HWND hWndFrame = (GetStyle() & WS_CHILD) ? m_hWnd : AfxGetSafeHwnd(GetTopLevelFrame());
    if (!hWndFrame)
        return;
    std::vector<HWND> windows;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return TRUE;
        },
        (LPARAM)&windows);
    for (HWND hWnd : windows)
        if (hWnd != hWndFrame && ::IsWindow(hWnd) && IsOwnedBy(hWnd, hWndFrame))
            ::SendMessageA(hWnd, WM_FLOATSTATUS, dwFlags, 0);
}

void CFrameWnd::RaiseFloatingFrames()
{
    if (!m_hWnd || (GetStyle() & WS_CHILD))
        return;
    // The visible floating frames this frame owns, from the top of the z-order down; raised
    // from the bottom up, each goes on top and they keep their order.
    std::vector<HWND> floating;
    for (HWND hWnd = ::GetWindow(m_hWnd, GW_HWNDFIRST); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (::GetWindow(hWnd, GW_OWNER) == m_hWnd && ::IsWindowVisible(hWnd) &&
            DYNAMIC_DOWNCAST(CMiniDockFrameWnd, CWnd::FromHandlePermanent(hWnd)))
            floating.push_back(hWnd);
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    for (auto it = floating.rbegin(); it != floating.rend(); ++it) {
        // A window already first in the z-order does not move for HWND_TOP, and the display
        // driver hears nothing: it steps down one place first.
        if (::GetWindow(*it, GW_HWNDFIRST) == *it)
            if (HWND hWndNext = ::GetWindow(*it, GW_HWNDNEXT))
                ::SetWindowPos(*it, hWndNext, 0, 0, 0, 0, flags);
        ::SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, flags);
    }
    if (!floating.empty() && IsUnderOwnWindow(floating.front()) && m_nRaiseTries < kRaiseTries) {
        ++m_nRaiseTries;
        ::SetTimer(m_hWnd, reinterpret_cast<UINT_PTR>(&kRaiseRetryTimer), kRaiseRetryDelay, RaiseRetry);
    } else {
        m_nRaiseTries = 0;
    }
}

LRESULT CFrameWnd::OnRaiseFloating(WPARAM, LPARAM)
{
    RaiseFloatingFrames();
    return 0;
}

void CFrameWnd::DestroyDockBars()
{
    // Copied first: the list shrinks as dock bars and floating frames go.
    std::vector<CDockBar*> dockBars;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;)
        if (CDockBar* pDockBar = AsDockBar(static_cast<CControlBar*>(m_listControlBars.GetNext(pos))))
            dockBars.push_back(pDockBar);
    for (CDockBar* pDockBar : dockBars) {
        if (!m_listControlBars.Find(pDockBar) || !pDockBar->m_hWnd)
            continue;   // gone with a floating frame destroyed before it
        if (pDockBar->m_bFloating) {
            if (CFrameWnd* pFrame = pDockBar->GetParentFrame(); pFrame && pFrame != this)
                pFrame->DestroyWindow();
        } else {
            pDockBar->DestroyWindow();
        }
    }
}

void CFrameWnd::OnDestroy()
{
    DestroyDockBars();
    CWnd::OnDestroy();
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (GetStyle() & WS_CHILD)
        return;
    // Floating frames show their captions active while their frame is active, or while the
    // active window is one of the frame's that keeps its look: a floating frame, a picker (they
    // answer FS_SYNCACTIVE). Behind a message box or another dialog of the frame's they look
    // inactive, as the frame does.
    const CFrameWnd* pTop = GetTopLevelFrame();
    const HWND hTop = pTop ? pTop->m_hWnd : m_hWnd;
    const HWND hActive = nState != WA_INACTIVE ? m_hWnd : pWndOther ? pWndOther->m_hWnd : nullptr;
    const bool bActive = hActive && !bMinimized &&
                         (hActive == hTop ||
                          (IsOwnedBy(hActive, hTop) && ::SendMessageA(hActive, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0));
    NotifyFloatingWindows(bActive ? FS_ACTIVATE : FS_DEACTIVATE);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    // A modal dialog disables the floating frames along with their frame.
    if (!(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    // A floating frame that shows goes on top of its frame on the screen too.
    if (bShow && DYNAMIC_DOWNCAST(CMiniDockFrameWnd, this))
        if (HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER))
            ::PostMessageA(hWndOwner, WM_RAISEFLOATING, 0, 0);
    // Floating frames made while this frame was hidden show with it when a bar of theirs is
    // shown. A frame shown again after a minimize (nStatus set) finds them as they were.
    if (!bShow || nStatus != 0 || (GetStyle() & WS_CHILD))
        return;
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        CDockBar* pDockBar = AsDockBar(static_cast<CControlBar*>(m_listControlBars.GetNext(pos)));
        if (!pDockBar || !pDockBar->m_bFloating || !pDockBar->m_hWnd || pDockBar->GetDockedVisibleCount() == 0)
            continue;
        if (CFrameWnd* pFrame = pDockBar->GetParentFrame(); pFrame && pFrame != this && !pFrame->IsWindowVisible())
            frames.push_back(pFrame);
    }
    for (CFrameWnd* pFrame : frames)
        pFrame->ShowWindow(SW_SHOWNA);
}

void CFrameWnd::ApplyFloatStatus(WPARAM wParam)
{
    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE |
                         SWP_NOACTIVATE);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
}

LRESULT CFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    // A frame that floats (a popup owned by another) shows and hides with its owner.
    if (!(GetStyle() & WS_POPUP) || !::GetWindow(m_hWnd, GW_OWNER))
        return 0;
    ApplyFloatStatus(wParam);
    return 0;
}
