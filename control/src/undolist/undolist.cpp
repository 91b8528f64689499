#include "jundolist.h"

#include "baseutil.h"
#include "cntlrc.h"
#include "module.h"

#include <windowsx.h>

IMPLEMENT_DYNAMIC(CUndoList, CWnd)

namespace {

constexpr UINT kListID = 1;
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollMs = 25;
constexpr int kListClientWidth = 140;

// The screen point of a mouse message.
CPoint ScreenPoint(const MSG& msg)
{
    CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    ::ClientToScreen(msg.hwnd, &point);
    return point;
}

}   // namespace

BEGIN_MESSAGE_MAP(CUndoList, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CUndoList::CUndoList() = default;

CUndoList::~CUndoList()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

BOOL CUndoList::Create(CWnd* pParent, BOOL bUndo, int nVisibleRows)
{
    if (m_hWnd || nVisibleRows < 1)
        return FALSE;
    m_bUndo = bUndo;
    m_nVisibleRows = nVisibleRows;
    LPCSTR className = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    return CreateEx(0, className, "", WS_POPUP | WS_CLIPSIBLINGS | WS_BORDER, 0, 0, 0, 0, AfxGetSafeHwnd(pParent),
                    nullptr);
}

int CUndoList::DisplayList(int x, int y, int anchorHeight)
{
    if (!m_hWnd)
        return 0;
    CRect window;
    GetWindowRect(&window);
    if (y + window.Height() >= ::GetSystemMetrics(SM_CYSCREEN))
        y = y - window.Height() - anchorHeight;
    if (!::SetWindowPos(m_hWnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW))
        return 0;
    UpdateWindow();

    MSG msg;
    while (m_hWnd && ::IsWindow(m_hWnd)) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage((int)msg.wParam);
            Cleanup();
            return 0;
        }
        if (got == -1)
            break;
        switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const CPoint point = ScreenPoint(msg);
            CRect list;
            m_list.GetWindowRect(&list);
            if (!list.PtInRect(point)) {
                Cleanup();
                return 0;
            }
            SelectRows(point);
            continue;
        }
        case WM_MOUSEMOVE:
            if (msg.wParam == MK_LBUTTON)
                SelectRows(ScreenPoint(msg));
            continue;
        case WM_LBUTTONUP:
            if (::GetCapture() == m_list.m_hWnd) {
                Cleanup();
                return 1;
            }
            continue;
        case WM_RBUTTONDOWN:
        case WM_CLOSE:
            Cleanup();
            return 0;
        case WM_NCLBUTTONDOWN:
            if (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd)) {
                Cleanup();
                ::DispatchMessageA(&msg);
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_RETURN) {
                Cleanup();
                return 1;
            }
            if (msg.wParam == VK_ESCAPE) {
                Cleanup();
                return 0;
            }
            if (::GetCapture() != m_list.m_hWnd)
                ProcessArrowKeys((UINT)msg.wParam, msg.lParam);
            continue;
        default:
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    // The queue failed, or the window went away inside the loop.
    if (m_hWnd)
        Cleanup();
    return 0;
}

int CUndoList::HitRow(CPoint screen) const
{
    CRect popup, client;
    GetWindowRect(&popup);
    m_list.GetClientRect(&client);
    const int count = m_list.GetCount();
    for (int row = std::max(0, m_list.GetTopIndex()); row < count; ++row) {
        CRect item;
        if (m_list.GetItemRect(row, &item) == LB_ERR || item.top >= client.bottom)
            break;
        m_list.ClientToScreen(&item);
        item.left = popup.left;
        item.right = popup.right;
        if (item.PtInRect(screen))
            return row;
    }
    return -1;
}

void CUndoList::SelectPrefix(int last)
{
    const int count = m_list.GetCount();
    last = std::min(last, count - 1);
    m_list.SetSel(-1, FALSE);
    if (last >= 0) {
        m_list.SelItemRange(TRUE, 0, last);
        m_list.SetCaretIndex(last, FALSE);
    }
    InvalidateStatus();
}

void CUndoList::SelectRows(CPoint screen)
{
    CRect popup, list;
    GetWindowRect(&popup);
    m_list.GetWindowRect(&list);
    if (screen.x < popup.left || screen.x >= popup.right) {
        // Beside the pop-up nothing is chosen, and a running autoscroll would choose again.
        StopAutoscroll();
        if (m_list.GetSelCount() > 0)
            SelectPrefix(-1);
        return;
    }
    if (screen.y < list.top) {
        if (m_list.GetTopIndex() > 0 && m_nAutoscroll == kIdle)
            StartAutoscroll(kScrollingUp);
        return;
    }
    if (screen.y >= list.bottom) {
        if (m_list.GetSelCount() < m_list.GetCount() && m_nAutoscroll == kIdle)
            StartAutoscroll(kScrollingDown);
        return;
    }
    // Back over the rows: the mouse picks again.
    StopAutoscroll();
    const int row = HitRow(screen);
    if (row < 0)
        return;
    if (::GetCapture() != m_list.m_hWnd)
        m_list.SetCapture();
    if (m_list.GetSelCount() != row + 1)
        SelectPrefix(row);
    UpdateWindow();
    m_list.UpdateWindow();
}

void CUndoList::ProcessArrowKeys(UINT nKey, LPARAM lParam)
{
    if (nKey < VK_PRIOR || nKey > VK_DOWN)
        return;
    const int count = m_list.GetCount();
    const int selected = m_list.GetSelCount();
    if (count == 0)
        return;
    // Lets the list box move its caret for a paging key, then selects up to the caret.
    auto pageTo = [&](bool all) {
        m_list.SendMessage(WM_SETREDRAW, FALSE);
        m_list.SendMessage(WM_KEYDOWN, nKey, lParam);
        const int caret = m_list.GetCaretIndex();
        SelectPrefix(all ? count - 1 : std::max(caret, 0));
        m_list.SendMessage(WM_SETREDRAW, TRUE);
        m_list.Invalidate();
    };
    switch (nKey) {
    case VK_PRIOR:
        if (selected != 1)
            pageTo(false);
        break;
    case VK_NEXT:
        if (selected != count)
            pageTo(false);
        break;
    case VK_END:
        if (selected != count)
            pageTo(true);
        break;
    case VK_HOME:
        if (selected != 1) {
            m_list.SendMessage(WM_SETREDRAW, FALSE);
            m_list.SetTopIndex(0);
            SelectPrefix(0);
            m_list.SendMessage(WM_SETREDRAW, TRUE);
            m_list.Invalidate();
        }
        break;
    case VK_LEFT:
    case VK_UP: {
        const int last = std::max(selected - 1, 1) - 1;
        SelectPrefix(last);
        if (last < m_list.GetTopIndex())
            m_list.SetTopIndex(last);
        break;
    }
    default:   // Right, Down
        if (selected < count)
            SelectPrefix(selected);
        break;
    }
}

void CUndoList::Cleanup()
{
    StopAutoscroll();
    ShowWindow(SW_HIDE);
    const HWND hCapture = ::GetCapture();
    if (hCapture && (hCapture == m_hWnd || hCapture == m_list.m_hWnd))
        ::ReleaseCapture();
}

void CUndoList::StartAutoscroll(int state)
{
    m_nAutoscroll = state;
    SetTimer(kScrollTimer, kScrollMs);
}

void CUndoList::StopAutoscroll()
{
    if (m_nAutoscroll == kIdle)
        return;
    KillTimer(kScrollTimer);
    m_nAutoscroll = kIdle;
}

CString CUndoList::StatusText() const
{
    const int n = m_list.m_hWnd ? m_list.GetSelCount() : 0;
    if (n <= 0)
        return LibraryText(IDS_UNDOLIST_NONE, "Cancel");
    CString format;
    if (m_bUndo)
        format = n == 1 ? LibraryText(IDS_UNDOLIST_UNDO_ONE, "Undo %d action")
                        : LibraryText(IDS_UNDOLIST_UNDO_MANY, "Undo %d actions");
    else
        format = n == 1 ? LibraryText(IDS_UNDOLIST_REDO_ONE, "Redo %d action")
                        : LibraryText(IDS_UNDOLIST_REDO_MANY, "Redo %d actions");
    CString text;
    text.Format(format, n);
    return text;
}

int CUndoList::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The font, and the height of one text line in it.
    const HDC hScreen = ::GetDC(nullptr);
    if (m_hFont)
        ::DeleteObject(m_hFont);
    m_hFont = CreateLibraryFont(FW_BOLD, IDS_UNDOLIST_FONT_FACE);
    const HGDIOBJ hOld = ::SelectObject(hScreen, m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(hScreen, &metrics);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(nullptr, hScreen);
    const int lineHeight = std::max<int>(metrics.tmHeight, 1);

    const DWORD listStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT;
    if (!m_list.Create(listStyle, CRect(0, 0, 0, 0), this, kListID))
        return -1;
    if (m_hFont)
        m_list.SendMessage(WM_SETFONT, (WPARAM)m_hFont, FALSE);
    // The list's client area: 140 pixels wide beside its scroll bar, and exactly the
    // visible rows tall.
    CRect borders(0, 0, 0, 0);
    ::AdjustWindowRectEx(&borders, listStyle, FALSE, 0);
    const int rowHeight = std::max(m_list.GetItemHeight(0), lineHeight);
    // No more rows than the screen can show above the status line: a larger count would
    // make a pop-up taller than the screen, or overflow its height.
    const int rest = 3 * m_nMarginY + 3 + 2 * lineHeight + 2 * ::GetSystemMetrics(SM_CYBORDER) + borders.Height();
    const int screenRows = (::GetSystemMetrics(SM_CYSCREEN) - rest) / rowHeight;
    m_nVisibleRows = std::clamp(m_nVisibleRows, 1, std::max(screenRows, 1));
    const int listWidth = borders.Width() + ::GetSystemMetrics(SM_CXVSCROLL) + kListClientWidth;
    const int listHeight = m_nVisibleRows * rowHeight + borders.Height();
    m_list.MoveWindow(m_nMarginX, m_nMarginY, listWidth, listHeight, FALSE);

    m_statusRect = CRect(m_nMarginX, m_nMarginY + listHeight + 3, m_nMarginX + listWidth,
                         m_nMarginY + listHeight + 3 + 2 * lineHeight);
    CRect window(0, 0, m_statusRect.right, m_statusRect.bottom);
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    window.InflateRect(m_nMarginX, m_nMarginY);
    MoveWindow(0, 0, window.Width(), window.Height(), FALSE);
    return 0;
}

void CUndoList::OnPaint()
{
    CPaintDC dc(this);
    dc.Draw3dRect(&m_statusRect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const HGDIOBJ hOld = dc.SelectObject(m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(SYSTEM_FONT));
    const CString text = StatusText();
    CRect inside(m_statusRect);
    inside.DeflateRect(1, 1);
    if (dc.GetTextExtent(text).cx != dc.GetTextExtent(m_strPrevStatus).cx)
        dc.FillSolidRect(&inside, ::GetSysColor(COLOR_BTNFACE));
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    dc.DrawText(text, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(hOld);
    m_strPrevStatus = text;
}

int CUndoList::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void CUndoList::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
    if (bActive || !IsWindowVisible())
        return;
    PostMessage(WM_CLOSE);
    if (HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER))
        ::SendMessageA(::GetAncestor(hOwner, GA_ROOT), WM_NCACTIVATE, FALSE, 0);
}

void CUndoList::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kScrollTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    const int count = m_list.GetCount();
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    if (m_nAutoscroll == kScrollingDown) {
        m_list.SetTopIndex(m_list.GetTopIndex() + 1);
        SelectPrefix(m_list.GetTopIndex() + m_nVisibleRows - 1);
    } else if (m_nAutoscroll == kScrollingUp) {
        const int top = std::max(m_list.GetTopIndex() - 1, 0);
        m_list.SetTopIndex(top);
        SelectPrefix(top);
    }
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate();
    if ((m_nAutoscroll == kScrollingDown && m_list.GetSelCount() >= count) ||
        (m_nAutoscroll == kScrollingUp && m_list.GetTopIndex() == 0) || m_nAutoscroll == kIdle)
        StopAutoscroll();
}
