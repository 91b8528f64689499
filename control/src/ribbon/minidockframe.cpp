// JMiniDockFrameWnd: the floating frame of the library's bars.
#include "jribbonbar.h"

#include "jbars.h"
#include "jdropdown.h"

IMPLEMENT_DYNCREATE(JMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(JMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

BOOL JMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    // The edges size the frame, whatever the bar's style.
    ModifyStyle(MFS_MOVEFRAME, 0);
    return TRUE;
}

CControlBar* JMiniDockFrameWnd::GetActionBar() const
{
    for (HWND hChild = ::GetTopWindow(m_wndDockBar.m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild && (pChild->IsKindOf(RUNTIME_CLASS(JToolBar)) || pChild->IsKindOf(RUNTIME_CLASS(JDialogBar)) ||
                       pChild->IsKindOf(RUNTIME_CLASS(CDialogBar)) || pChild->IsKindOf(RUNTIME_CLASS(JSelectCntl))))
            return static_cast<CControlBar*>(pChild);
    }
    return nullptr;
}

void JMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest != HTCAPTION)
        return;
    // The bar docks itself as its dock-state message says (this frame may go meanwhile); a
    // bar that does not know the message is docked as the framework docks it.
    CControlBar* pBar = GetActionBar();
    if (pBar && !pBar->SendMessage(JDBM_CHANGEDOCKSTATE, 1))
        CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void JMiniDockFrameWnd::OnClose()
{
    CControlBar* pBar = GetActionBar();
    if (!pBar)
        return;
    if (auto* pSelector = DYNAMIC_DOWNCAST(JSelectCntl, pBar))
        pSelector->Close();
    if (CFrameWnd* pDockSite = pBar->m_pDockSite)
        pDockSite->ShowControlBar(pBar, FALSE, FALSE);
}

void JMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    const bool bEdge = nHitTest == HTLEFT || nHitTest == HTRIGHT || nHitTest == HTTOP || nHitTest == HTBOTTOM;
    // A resizable dialog bar sizes itself through its dock context.
    const auto* pDialogBar = pBar ? DYNAMIC_DOWNCAST(CBaseDialogBar, pBar) : nullptr;
    if (bEdge && pBar && !pBar->IsKindOf(RUNTIME_CLASS(JToolBar)) && !(pDialogBar && pDialogBar->GetResizeable())) {
        DockWndTrackSize(pBar, point, nHitTest);
        return;
    }
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void JMiniDockFrameWnd::DockWndTrackSize(CWnd* pBar, const CPoint& pt, UINT nHitTest)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CRect frame, bar;
    GetWindowRect(frame);
    pBar->GetWindowRect(bar);
    // What the frame adds around its bar stays the same at any size.
    const CSize around(frame.Width() - bar.Width(), frame.Height() - bar.Height());
    JDBTRACKINFO info{pt, {0, 0, 0, 0}, nHitTest};
    CRect outline(frame);
    const auto place = [&] {
        CRect size(info.rect);
        size.InflateRect(1, 1);
        const int cx = size.Width() + around.cx, cy = size.Height() + around.cy;
        const int left = nHitTest == HTLEFT ? frame.right - cx : frame.left;
        const int top = nHitTest == HTTOP ? frame.bottom - cy : frame.top;
        return CRect(left, top, left + cx, top + cy);
    };

    const HWND hDesktop = ::GetDesktopWindow();
    ::LockWindowUpdate(hDesktop);
    const HDC hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    ::DrawFocusRect(hDC, outline);
    SetCapture();
    bool bCommit = false;
    for (;;) {
        if (::GetCapture() != m_hWnd)
            break;   // taken away: cancelled
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            ::GetCursorPos(&info.pt);
            if (::IsWindow(pBar->m_hWnd) && pBar->SendMessage(JDBM_TRACKSIZE, 0, (LPARAM)&info)) {
                const CRect next = place();
                if (next != outline) {
                    ::DrawFocusRect(hDC, outline);
                    outline = next;
                    ::DrawFocusRect(hDC, outline);
                }
            }
            if (msg.message == WM_LBUTTONUP) {
                bCommit = true;
                break;
            }
        } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN ||
                   msg.message == WM_CANCELMODE) {
            break;
        } else if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) {
            ::DispatchMessageA(&msg);
        }
    }
    ::DrawFocusRect(hDC, outline);
    ::ReleaseDC(hDesktop, hDC);
    ::LockWindowUpdate(nullptr);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!bCommit || !::IsWindow(pBar->m_hWnd))
        return;
    const HWND hFrame = m_hWnd;
    pBar->SendMessage(JDBM_RESIZE, 0, (LPARAM)&info);
    if (::IsWindow(hFrame))
        ::SetWindowPos(hFrame, nullptr, outline.left, outline.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
