// CMiniFrameWnd, a frame with a small caption, and CMiniDockFrameWnd, the floating frame of docked bars.
#include "afxwin.h"
#include "wndmap.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
constexpr DWORD kMiniFrameStyles = MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU;

// Whether the frame a mini frame belongs to looks active: it is the foreground window, or the
// foreground window is one of its own that keeps its look (another floating frame, a picker).
bool OwnerLooksActive(HWND hWnd)
{
    const HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
    const HWND hTop = hOwner ? ::GetAncestor(hOwner, GA_ROOT) : nullptr;
    const HWND hForeground = ::GetForegroundWindow();
    if (!hTop || !hForeground || hForeground == hWnd)
        return false;
    if (hForeground == hTop)
        return true;
    return ::GetAncestor(hForeground, GA_ROOTOWNER) == hTop &&
           ::SendMessageA(hForeground, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
}
}   // namespace

BOOL CMiniFrameWnd::Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                           UINT)
{
    if (!CFrameWnd::Create(lpClassName, lpWindowName, dwStyle, rect, pParentWnd))
        return FALSE;
    // Its frame's activation reaches it only when that changes: until then it starts with the
    // frame's look, so that a bar floated from an active frame has an active caption at once.
    if (GetStyle() & MFS_SYNCACTIVE)
        SendMessage(WM_FLOATSTATUS, OwnerLooksActive(m_hWnd) ? FS_ACTIVATE : FS_DEACTIVATE);
    return TRUE;
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // A tool window: Windows draws and hit-tests the small caption and the sizing border.
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    if (cs.style & (MFS_THICKFRAME | MFS_4THICKFRAME))
        cs.style |= WS_THICKFRAME;
    return TRUE;
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    ::AdjustWindowRectEx(lpClientRect, (dwStyle & ~(WS_CHILD | kMiniFrameStyles)) | WS_POPUP, FALSE,
                         dwExStyle | WS_EX_TOOLWINDOW);
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint)
{
    LRESULT nHit = Default();
    const DWORD dwStyle = GetStyle();
    if (nHit >= HTSIZEFIRST && nHit <= HTSIZELAST && (dwStyle & MFS_MOVEFRAME))
        return HTCAPTION;   // the border moves the frame
    if (dwStyle & MFS_4THICKFRAME) {
        // Sides only: a corner sizes the nearer side.
        if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
            nHit = HTTOP;
        else if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
            nHit = HTBOTTOM;
    }
    if (nHit == HTSYSMENU && (dwStyle & MFS_BLOCKSYSMENU))
        nHit = HTCAPTION;
    return nHit;
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    Default();
    CRect rect(0, 0, 0, 0);
    ::AdjustWindowRectEx(rect, GetStyle() & ~kMiniFrameStyles, FALSE, GetExStyle());
    lpMMI->ptMinTrackSize = CPoint(rect.Width(), rect.Height());
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    // FS_SYNCACTIVE asks whether the frame follows its owner's activation.
    const LRESULT lResult = (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE) ? 1 : 0;
    ApplyFloatStatus(wParam);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE)) {
        // The caption looks active while the owner is.
        ModifyStyle(MFS_SYNCACTIVE, 0);
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return lResult;
}

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
    m_wndDockBar.m_bAutoDelete = FALSE;   // a member
    AfxFloatingFrameMade();
}

CMiniDockFrameWnd::~CMiniDockFrameWnd()
{
    AfxFloatingFrameGone();
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // Nothing to lay out until a bar is docked.
    m_bInRecalcLayout = TRUE;
    DWORD dwStyle =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    // A frame whose creation failed has deleted itself: nothing of it may be touched.
    if (!CMiniFrameWnd::Create(nullptr, "", dwStyle, rectDefault, pParent))
        return FALSE;
    DWORD dwDockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // Made in the docking frame, so that it is one of that frame's bars, then moved here.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        // A frame that fails goes whole: its window, and with it this object.
        DestroyWindow();
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = TRUE;
    // The frame fits its bars: their size when unbounded, then the frame around that.
    CRect rect(0, 0, 32767, 32767);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, rect, rect, FALSE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, nullptr, rect, TRUE);
    CRect window(rect);
    ::AdjustWindowRectEx(window, GetStyle() & ~kMiniFrameStyles, FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    m_bInRecalcLayout = FALSE;

    CString title;
    m_wndDockBar.GetWindowText(title);
    SetWindowText(title);
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (int nPos = 1; nPos < (int)m_wndDockBar.m_arrBars.GetSize(); ++nPos)
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(nPos))
            return pBar;
    return nullptr;
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing hides the bars; they can be shown again where they were.
    m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    if (pBar && pBar->m_pDockContext) {
        if (nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
            // The drag may dock the bar and destroy this frame: nothing may follow it.
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
        if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
            pBar->m_pDockContext->StartResize((int)nHitTest, point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION && pBar && pBar->m_pDockContext && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
