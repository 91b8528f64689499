// CControlBar: what every bar shares: styles, borders and gripper, layout
// messages, idle command-UI updates, owner routing and fly-by prompts.
#include "afxwin.h"
#include "wndmap.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_PRINT, OnPrint)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_IDLEUPDATECMDUI()
    // Docking (dockbar.cpp).
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

namespace {
constexpr int kGripperBorder = 2;   // space on each side of the gripper
constexpr int kGripperWidth = 3;
constexpr int kGripperSpace = kGripperBorder + kGripperWidth + kGripperBorder;
constexpr int kBorder = 2;   // one CBRS_BORDER_ side: shadow and highlight lines
constexpr UINT_PTR kFlyByTimer = 0xE000;
constexpr UINT kFlyByCheckMs = 200;
}   // namespace

BOOL CControlBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    // Bars of a row overlap while a layout moves them one after the other: one that grows
    // must not paint over its neighbour before the neighbour moves away with those pixels.
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

CControlBar::~CControlBar()
{
    // The window goes first, through this class's handlers; the object is already being deleted.
    m_bAutoDelete = FALSE;
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    // A drag loop running on the context deletes it when it ends.
    if (m_pDockContext && m_pDockContext->m_bTracking)
        m_pDockContext->m_pBar = nullptr;
    else
        delete m_pDockContext;
    m_pDockContext = nullptr;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    m_dwStyle = dwStyle;
    // Borders and gripper live in the non-client area.
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorder;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorder;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBorder;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorder;
    const bool bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    // The borders are given for a horizontal bar and turn with it.
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (bGripper)
            rect.left += kGripperSpace;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (bGripper)
            rect.top += kGripperSpace;
    }
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
    // A dock bar adds its borders around its rows itself, and without rows takes no room.
    if (IsDockBar())
        return size;
    CRect inside;
    CalcInsideRect(inside, bHorz);
    // The borders alone, for bars that stretch.
    size.cx = std::max<LONG>(size.cx, -inside.Width());
    size.cy = std::max<LONG>(size.cy, -inside.Height());
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::DoPaint(CDC*)
{
    // Borders and gripper are drawn with the non-client area; the client is the bar's own.
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // Each side is etched: a shadow line outside, a highlight line inside.
    if (m_dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, highlight);
        rect.top += kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, highlight);
        rect.bottom -= kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), highlight);
        rect.left += kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), highlight);
        rect.right -= kBorder;
    }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    CRect grip;
    if (IsHorzBar())
        grip.SetRect(rect.left + kGripperBorder, rect.top + m_cyTopBorder, rect.left + kGripperBorder + kGripperWidth,
                     rect.bottom - m_cyBottomBorder);
    else
        grip.SetRect(rect.left + m_cyTopBorder, rect.top + kGripperBorder, rect.right - m_cyBottomBorder,
                     rect.top + kGripperBorder + kGripperWidth);
    pDC->Draw3dRect(grip, highlight, shadow);
}

void CControlBar::DrawNonClient(CDC* pDC)
{
    CRect window;
    GetWindowRect(window);
    CRect client;
    GetClientRect(client);
    ClientToScreen(client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);

    const int saved = pDC->SaveDC();
    ::ExcludeClipRect(pDC->m_hDC, client.left, client.top, client.right, client.bottom);
    pDC->FillRect(window, ::GetSysColorBrush(COLOR_BTNFACE));
    DrawBorders(pDC, window);
    DrawGripper(pDC, window);
    pDC->RestoreDC(saved);
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (!m_pDockContext)
        m_pDockContext = CreateDockContext();
    // Commands of a bar that floats away still go to the frame it came from.
    if (!m_hWndOwner && m_hWnd)
        m_hWndOwner = ::GetParent(m_hWnd);
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    // The frame that lays the bar out: its floating frame while it floats.
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame ? pFrame : m_pDockSite;
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    const bool visible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !visible)
        m_nStateFlags |= delayShow;
    else if (!bShow && visible)
        m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = GetStyle();
    if (!(m_nStateFlags & (delayHide | delayShow)))
        return dwStyle;
    const bool bShow = (m_nStateFlags & delayShow) != 0;
    dwStyle = bShow ? dwStyle | WS_VISIBLE : dwStyle & ~WS_VISIBLE;
    // A query only looks at the outcome; a real layout carries it out.
    if (lpLayout && lpLayout->hDWP) {
        m_nStateFlags &= ~(delayHide | delayShow);
        const UINT flags =
            SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, flags);
    }
    return dwStyle;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD dwStyle = RecalcDelayShow(lpLayout);
    if (!(dwStyle & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;

    CRect rect(lpLayout->rect);
    const CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::max<LONG>(0, std::min(size.cx, sizeAvail.cx));
    size.cy = std::max<LONG>(0, std::min(size.cy, sizeAvail.cy));

    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else if (m_dwStyle & CBRS_ORIENT_VERT) {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else if (m_dwStyle & CBRS_ALIGN_RIGHT) {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP)
        AfxRepositionWindow(lpLayout, m_hWnd, rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // A delayed show or hide that no frame layout has carried out yet.
    const bool visible = (GetStyle() & WS_VISIBLE) != 0;
    UINT swpFlags = 0;
    if ((m_nStateFlags & delayHide) && visible)
        swpFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !visible)
        swpFlags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayHide | delayShow);
    if (swpFlags)
        SetWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    // A docked bar is only seen while its dock bar (its parent) is.
    if (m_pDockBar && !(::GetWindowLongPtrA(::GetParent(m_hWnd), GWL_STYLE) & WS_VISIBLE))
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget && !pTarget->IsCommandUIPaused())
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A bar made directly in a frame is laid out by that frame.
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent && pParent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar) {
        // The dock bar forgets the bar without laying anything out: it may be going too.
        const int nPos = m_pDockBar->FindBar(this);
        if (nPos > 0) {
            m_pDockBar->m_arrBars.RemoveAt(nPos);
            if (!m_pDockBar->m_arrBars.GetAt(nPos - 1) && !m_pDockBar->m_arrBars.GetAt(nPos))
                m_pDockBar->m_arrBars.RemoveAt(nPos);
        }
        m_pDockBar = nullptr;
    }
    if (m_pDockSite) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::SetFlyByPrompt(INT_PTR nHit)
{
    m_nFlyByHit = nHit;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pFrame = pOwner && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pFrame)
        pFrame->SendMessage(WM_SETMESSAGESTRING, nHit > 0 ? (WPARAM)nHit : AFX_IDS_IDLEMESSAGE);
}

void CControlBar::TrackFlyBy(CPoint point)
{
    const INT_PTR nHit = OnToolHitTest(point, nullptr);
    if (nHit != m_nFlyByHit && (nHit > 0 || m_nFlyByHit > 0))
        SetFlyByPrompt(nHit > 0 ? nHit : -1);
    // The mouse may leave from a child window or between two moves: a timer
    // watches the cursor until it is off the bar.
    if (nHit > 0 && !m_bFlyByTimer)
        m_bFlyByTimer = SetTimer(kFlyByTimer, kFlyByCheckMs) != 0;
}

void CControlBar::CheckFlyBy()
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    const HWND hWnd = ::WindowFromPoint(cursor);
    if (hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd))
        return;
    KillTimer(kFlyByTimer);
    m_bFlyByTimer = FALSE;
    if (m_nFlyByHit > 0)
        SetFlyByPrompt(-1);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    // Moves over the bar's child windows are the bar's too.
    if ((m_dwStyle & CBRS_FLYBY) && pMsg->message == WM_MOUSEMOVE && pMsg->hwnd != m_hWnd &&
        ::IsChild(m_hWnd, pMsg->hwnd)) {
        CPoint point(pMsg->lParam);
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
        TrackFlyBy(point);
    }
    // The toolbar control keeps a tip control of its own; other bars use the thread's.
    if ((m_dwStyle & CBRS_TOOLTIPS) && !m_bToolTipsEnabled && !IsKindOf(RUNTIME_CLASS(CToolBar)))
        FilterToolTipMessage(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The bar's own messages go through its message map. What its items report goes to
    // the bar's owner unless the bar handles it; the item has been offered it already.
    switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        break;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
    // While the owner handles an item's message, its handler may make the item report
    // again (setting an edit's text); that report is a new one the item is offered.
    AfxThreadState& state = AfxGetThreadState();
    const AfxDeclinedNotifyScope scope;
    const HWND hWndReflected = state.hWndReflected;
    if (hWndReflected && ::GetParent(hWndReflected) == m_hWnd)
        state.hWndReflected = nullptr;
    LRESULT result = 0;
    CWnd* pOwner = GetOwner();
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = message == WM_NOTIFY ? AfxDeclinedNotifyScope::Unhandled(lParam, 0) : 0;
        if (pOwner && pOwner->m_hWnd) {
            HWND hWndItem = nullptr;
            if (message == WM_COMMAND)
                hWndItem = reinterpret_cast<HWND>(lParam);
            else if (message == WM_NOTIFY && lParam)
                hWndItem = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            state.hWndReflected = hWndItem;
            result = pOwner->SendMessage(message, wParam, lParam);
        }
    }
    state.hWndReflected = hWndReflected;
    return result;
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // The first rectangle, window coordinates in either form, becomes the client area.
    auto* pRect = reinterpret_cast<RECT*>(lpncsp);
    CRect rect(*pRect);
    CalcInsideRect(rect, IsHorzBar());
    rect.right = std::max(rect.left, rect.right);
    rect.bottom = std::max(rect.top, rect.bottom);
    *pRect = rect;
}

LRESULT CControlBar::OnNcHitTest(CPoint point)
{
    // Borders and gripper of a dockable bar are where it is dragged from.
    if (m_pDockContext) {
        CRect window;
        GetWindowRect(window);
        if (window.PtInRect(point))
            return HTCLIENT;
    }
    return CWnd::OnNcHitTest(point);
}

void CControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    DrawNonClient(&dc);
}

LRESULT CControlBar::OnPrint(WPARAM wParam, LPARAM lParam)
{
    if (lParam & PRF_NONCLIENT) {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        DrawNonClient(&dc);
        dc.Detach();
        lParam &= ~PRF_NONCLIENT;
        if (!(lParam & (PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN)))
            return 0;
    }
    return DefWindowProc(WM_PRINT, wParam, lParam);
}

void CControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_dwStyle & CBRS_FLYBY)
        TrackFlyBy(point);
    CWnd::OnMouseMove(nFlags, point);
}

void CControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kFlyByTimer) {
        CheckFlyBy();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}
