// The drag tracker of toolbar buttons: an inverted frame on the desktop that
// follows the mouse in a message loop of its own.
#include "jdragger.h"

#include "afxext.h"

namespace {

constexpr SIZE kBorder = {3, 3};
constexpr SIZE kNoBorder = {0, 0};
// A sent message (an activation change, say) wakes the loop; this is the longest
// it waits between looks at the capture and the activation without one.
constexpr DWORD kPollMs = 100;

// Whether the foreground window is one of this thread's (activation moving to another
// thread is the application losing it).
bool ForegroundIsOurs()
{
    HWND hForeground = ::GetForegroundWindow();
    return hForeground && ::GetWindowThreadProcessId(hForeground, nullptr) == ::GetCurrentThreadId();
}

CPoint ScreenPointOf(const MSG& msg)
{
    CPoint point((int)(short)LOWORD(msg.lParam), (int)(short)HIWORD(msg.lParam));
    if (msg.hwnd)
        ::ClientToScreen(msg.hwnd, &point);
    return point;
}

}   // namespace

BOOL CDragger::s_bDragging = FALSE;

CDragger::CDragger() : m_ptAnchor{0, 0}, m_rectLast{}, m_rect{}, m_rectStart{}, m_sizeLast{0, 0}, m_pDC(nullptr)
{
}

CDragger::~CDragger()
{
    End();
}

BOOL CDragger::StartDrag(const CPoint& screenPoint, int index, CToolBar* bar)
{
    if (!bar || !::IsWindow(bar->m_hWnd) || m_pDC || s_bDragging)
        return FALSE;
    const HWND hWndBar = bar->m_hWnd;
    // Another window holding the mouse: no drag.
    if (HWND hCapture = ::GetCapture(); hCapture && hCapture != hWndBar)
        return FALSE;
    if (index < 0 || index >= bar->GetToolBarCtrl().GetButtonCount())
        return FALSE;
    CRect rect;
    bar->GetItemRect(index, rect);
    bar->ClientToScreen(rect);
    // What was covered is painted before the screen is locked.
    MSG paint;
    for (int i = 0; i < 64 && ::PeekMessageA(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageA(&paint);
    if (!::IsWindow(hWndBar))
        return FALSE;
    // A press beside the button drags the frame by its nearest edge.
    const int dx = screenPoint.x < rect.left     ? screenPoint.x - rect.left
                   : screenPoint.x >= rect.right ? screenPoint.x - rect.right + 1
                                                 : 0;
    const int dy = screenPoint.y < rect.top       ? screenPoint.y - rect.top
                   : screenPoint.y >= rect.bottom ? screenPoint.y - rect.bottom + 1
                                                  : 0;
    rect.OffsetRect(dx, dy);
    m_ptAnchor = screenPoint;
    m_rectStart = m_rect = rect;
    ::SetRectEmpty(&m_rectLast);
    m_sizeLast = kNoBorder;

    HWND hDesktop = ::GetDesktopWindow();
    m_bLocked = ::LockWindowUpdate(hDesktop);
    HDC hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    m_pDC = new CDC;
    if (hDC)
        m_pDC->Attach(hDC);
    m_hWndBar = hWndBar;
    ::SetCapture(hWndBar);
    s_bDragging = TRUE;
    Draw(kBorder);
    const BOOL bDropped = Track();
    End();
    return bDropped;
}

BOOL CDragger::Track()
{
    const HWND hWndBar = m_hWndBar;
    const bool bWasActive = ForegroundIsOurs();
    // The cursor the drag started with (the copy cursor, say) stays while it lasts,
    // whatever the windows it passes over would show.
    const HCURSOR hCursor = ::GetCursor();
    for (;;) {
        if (hCursor && ::GetCursor() != hCursor)
            ::SetCursor(hCursor);
        if (!::IsWindow(hWndBar) || ::GetCapture() != hWndBar)
            return FALSE;
        if (bWasActive && !ForegroundIsOurs())
            return FALSE;   // the application lost activation
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
            continue;
        }
        switch (msg.message) {
        case WM_QUIT:
            ::PostQuitMessage((int)msg.wParam);
            return FALSE;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            const CPoint point = ScreenPointOf(msg);
            CRect rect(m_rectStart);
            rect.OffsetRect(point.x - m_ptAnchor.x, point.y - m_ptAnchor.y);
            if (!::EqualRect(&rect, &m_rect)) {
                m_rect = rect;
                Draw(kBorder);
            }
            if (msg.message == WM_LBUTTONUP)
                return TRUE;
            break;
        }
        case WM_RBUTTONDOWN:
            return FALSE;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                return FALSE;
            ::SendMessageA(hWndBar, msg.message, msg.wParam, msg.lParam);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            ::SendMessageA(hWndBar, msg.message, msg.wParam, msg.lParam);
            break;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
    }
}

void CDragger::Draw(SIZE size)
{
    if (!m_pDC || !m_pDC->GetSafeHdc())
        return;
    const bool bShown = m_sizeLast.cx != 0 || m_sizeLast.cy != 0;
    m_pDC->DrawDragRect(&m_rect, size, bShown ? &m_rectLast : nullptr, m_sizeLast);
    m_rectLast = m_rect;
    m_sizeLast = size;
}

void CDragger::End()
{
    if (!m_pDC)
        return;
    Draw(kNoBorder);   // erases the frame and records where it was
    if (m_hWndBar && ::GetCapture() == m_hWndBar)
        ::ReleaseCapture();
    m_hWndBar = nullptr;
    if (m_bLocked)
        ::LockWindowUpdate(nullptr);
    m_bLocked = FALSE;
    if (HDC hDC = m_pDC->Detach())
        ::ReleaseDC(::GetDesktopWindow(), hDC);
    delete m_pDC;
    m_pDC = nullptr;
    s_bDragging = FALSE;
}
