#include "jfieldcontrol.h"

#include "fieldlocale.h"

#include <commctrl.h>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CFieldControl, CWnd)

namespace {

constexpr UINT kSpinID = 101;
constexpr int kSpinWidth = 19;

}   // namespace

CString SettingText(const char* text)
{
    const char* end = text;
    while (*end) {
        const char* next = ::CharNextA(end);
        if (next - text > kMaxLocaleText)
            break;
        end = next;
    }
    return CString(text, (int)(end - text));
}

int LocaleNumber(LCTYPE type)
{
    char value[kMaxLocaleText + 1] = "";
    return ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, value, sizeof value) ? atoi(value) : 0;
}

CString LocaleText(LCTYPE type, LPCSTR lpszDefault)
{
    char value[kMaxLocaleText + 1] = "";
    return ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, value, sizeof value) ? CString(value) : CString(lpszDefault);
}

bool SameLetter(UINT a, UINT b)
{
    return ::CharLowerA((LPSTR)(UINT_PTR)(BYTE)a) == ::CharLowerA((LPSTR)(UINT_PTR)(BYTE)b);
}

BEGIN_MESSAGE_MAP(CFieldControl, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_PARENTNOTIFY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CFieldControl::~CFieldControl()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CFieldControl::Create(int x, int y, DWORD style, CWnd* parent, UINT id)
{
    INITCOMMONCONTROLSEX init{sizeof init, ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&init);
    LPCSTR className = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    if (!CreateEx(0, className, "", (style & ~WS_BORDER) | WS_CHILD, x, y, 0, 0, AfxGetSafeHwnd(parent),
                  (HMENU)(UINT_PTR)id))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

CSize CFieldControl::CalcFixedLayout()
{
    TEXTMETRICA metrics{};
    CClientDC dc(this);
    const HGDIOBJ hOld = ::SelectObject(dc, m_hFont ? m_hFont : ::GetStockObject(SYSTEM_FONT));
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, hOld);
    return CSize(2 * m_nMarginX + kSpinWidth, metrics.tmHeight + 2 * m_nMarginY);
}

void CFieldControl::DoPaint(CDC* pDC)
{
    const HGDIOBJ hOld = pDC->SelectObject(m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(SYSTEM_FONT));
    const bool focused = ::GetFocus() == m_hWnd;
    for (int position = 0; position < FieldCount(); ++position) {
        CRect field = GetFieldRect(position);
        const bool highlight = focused && position == m_nFocus;
        pDC->SetTextColor(::GetSysColor(highlight ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        pDC->SetBkColor(::GetSysColor(highlight ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const CString text = FieldText(position);
        ::ExtTextOutA(*pDC, 0, 0, ETO_OPAQUE, &field, "", 0, nullptr);
        pDC->DrawText(text, &field, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        const CString separator = SeparatorAfter(position);
        if (!separator.IsEmpty() && position + 1 < FieldCount()) {
            CRect gap(field.right, field.top, GetFieldRect(position + 1).left, field.bottom);
            pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
            pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
            // Cut at the gap: a long separator must not cover the fields or the spin button.
            pDC->DrawText(separator, &gap, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    pDC->SelectObject(hOld);
}

void CFieldControl::CalcWindowRect(LPRECT lpClientRect)
{
    const int border = BorderWidth();
    ::InflateRect(lpClientRect, border, border);
}

void CFieldControl::RecalcLayout()
{
    if (!m_hWnd)
        return;
    const CSize size = CalcFixedLayout();
    CRect rect(0, 0, size.cx, size.cy);
    CalcWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    Invalidate();
}

void CFieldControl::MoveFocus(int direction)
{
    const int count = FieldCount();
    int position = m_nFocus;
    for (int tried = 0; tried < count; ++tried) {
        position = (position + direction + count) % count;
        if (IsFocusable(position)) {
            SetFocusPosition(position);
            return;
        }
    }
}

void CFieldControl::SetFocusPosition(int position)
{
    if (position == m_nFocus || !IsFocusable(position))
        return;
    m_nFocus = position;
    Redraw();
}

void CFieldControl::Redraw()
{
    if (m_hWnd && IsWindowVisible())
        Invalidate(FALSE);
}

LRESULT CFieldControl::NotifyParent(UINT code, NMHDR* pHeader)
{
    NMHDR header{};
    if (!pHeader)
        pHeader = &header;
    HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!hParent)
        return 0;
    pHeader->hwndFrom = m_hWnd;
    pHeader->idFrom = (UINT_PTR)GetDlgCtrlID();
    pHeader->code = code;
    return ::SendMessageA(hParent, WM_NOTIFY, pHeader->idFrom, (LPARAM)pHeader);
}

void CFieldControl::Grow(CSize& largest, CDC& dc, const CString& text)
{
    const CSize extent = dc.GetTextExtent(text);
    largest.cx = std::max(largest.cx, extent.cx);
    largest.cy = std::max(largest.cy, extent.cy);
}

int CFieldControl::BorderWidth() const
{
    if (m_hWnd && (GetStyle() & FCS_3DBORDER))
        return 2;
    return ::GetSystemMetrics(SM_CXBORDER);
}

int CFieldControl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    HWND hParent = ::GetParent(m_hWnd);
    HFONT hFont = hParent ? (HFONT)::SendMessageA(hParent, WM_GETFONT, 0, 0) : nullptr;
    m_hFont = hFont ? hFont : (HFONT)::GetStockObject(SYSTEM_FONT);
    CRect client;
    GetClientRect(&client);
    m_hSpin = ::CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | UDS_WRAP,
                                client.right - kSpinWidth, 0, kSpinWidth, client.Height(), m_hWnd,
                                (HMENU)(UINT_PTR)kSpinID, AfxGetInstanceHandle(), nullptr);
    if (m_hSpin)
        ::SendMessageA(m_hSpin, UDM_SETRANGE32, 0, 1);
    return 0;
}

void CFieldControl::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CFieldControl::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
    return TRUE;
}

void CFieldControl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_hSpin)
        ::MoveWindow(m_hSpin, cx - kSpinWidth, 0, kSpinWidth, cy, TRUE);
}

void CFieldControl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    Invalidate(FALSE);
}

void CFieldControl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    Invalidate(FALSE);
}

UINT CFieldControl::OnGetDlgCode()
{
    return CWnd::OnGetDlgCode() | DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CFieldControl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_LEFT:
        MoveFocus(-1);
        break;
    case VK_RIGHT:
        MoveFocus(+1);
        break;
    case VK_UP:
        Step(+1);
        break;
    case VK_DOWN:
        Step(-1);
        break;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    }
}

void CFieldControl::OnChar(UINT nChar, UINT, UINT)
{
    // Tab and Enter belong to the dialog around the control.
    if (nChar == '\t' || nChar == '\r' || nChar == 27)
        return;
    TypeChar(nChar);
}

void CFieldControl::OnLButtonDown(UINT, CPoint point)
{
    if (::GetFocus() != m_hWnd)
        SetFocus();
    for (int position = 0; position < FieldCount(); ++position) {
        if (GetFieldRect(position).right > point.x) {
            SetFocusPosition(position);
            return;
        }
    }
}

void CFieldControl::OnParentNotify(UINT message, LPARAM lParam)
{
    if (LOWORD(message) == WM_LBUTTONDOWN)
        SetFocus();
    CWnd::OnParentNotify(message, lParam);
}

void CFieldControl::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    const int border = BorderWidth();
    ::InflateRect(&lpncsp->rgrc[0], -border, -border);
}

void CFieldControl::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    if (GetStyle() & FCS_3DBORDER) {
        dc.Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rect.DeflateRect(1, 1);
        dc.Draw3dRect(&rect, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
    } else {
        const int border = BorderWidth();
        const HBRUSH hFrame = ::GetSysColorBrush(COLOR_WINDOWFRAME);
        for (int i = 0; i < border; ++i) {
            ::FrameRect(dc, &rect, hFrame);
            rect.DeflateRect(1, 1);
        }
    }
}

LRESULT CFieldControl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = wParam ? (HFONT)wParam : (HFONT)::GetStockObject(SYSTEM_FONT);
    RecalcLayout();
    if (lParam)
        Invalidate();
    return 0;
}

LRESULT CFieldControl::OnGetFont(WPARAM, LPARAM)
{
    return (LRESULT)m_hFont;
}

BOOL CFieldControl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pUpDown = reinterpret_cast<const NMUPDOWN*>(lParam);
    if (wParam == kSpinID && pUpDown && pUpDown->hdr.code == UDN_DELTAPOS) {
        // The spin button keeps its own position: the field steps by its delta.
        if (pUpDown->iDelta != 0)
            Step(pUpDown->iDelta);
        *pResult = 1;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}
