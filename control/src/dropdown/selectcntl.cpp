// JSelectCntl: numbered buttons in a strip that scrolls, picked with the mouse held.
#include "jdropdown.h"

#include "baseutil.h"
#include "cntlrc.h"
#include "module.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(JSelectCntl, CControlBar)

namespace {

const UINT_PTR kTimerRepeat = 15;   // the held scroller repeats
const UINT_PTR kTimerEdge = 16;     // resting on a partly hidden end button
const UINT kDelay = 500;
const CSize kScrollerPart(24, 9);   // one scroller image: two halves side by side

}   // namespace

BEGIN_MESSAGE_MAP(JSelectCntl, CControlBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

JSelectCntl::JSelectCntl() = default;

JSelectCntl::~JSelectCntl()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

BOOL JSelectCntl::Create(DWORD dwStyle, CWnd* pParent, CWnd* pView, UINT nID)
{
    m_pView = pView;
    HDC hScreen = ::GetDC(nullptr);
    if (!m_hFont)
        m_hFont = CreateLibraryFont(FW_LIGHT, IDS_UNITEDIT_FONT_FACE);
    HGDIOBJ hOld = ::SelectObject(hScreen, m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(SYSTEM_FONT));
    SIZE widest{0, 0};
    for (int digit = 0; digit <= 8; ++digit) {
        char text[4];
        const int length = wsprintfA(text, "%d", digit);
        SIZE size{};
        ::GetTextExtentPoint32A(hScreen, text, length, &size);
        widest.cx = std::max(widest.cx, size.cx);
        widest.cy = std::max(widest.cy, size.cy);
    }
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(nullptr, hScreen);
    m_cxButton = 2 * widest.cx + 8;
    m_cyButton = widest.cy + 8;
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CWnd::Create(lpszClass, nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0),
                      pParent, nID))
        return FALSE;
    SetBarStyle(m_dwStyle);
    Layout();
    return TRUE;
}

void JSelectCntl::Layout()
{
    const int shown = ShownCount();
    m_scroller.SetRectEmpty();
    if (CanScroll() && shown > 0) {
        const int stripWidth = m_nSpacing * (shown - 1) + m_cxButton * shown;
        const int left = (stripWidth - kScrollerPart.cx) / 2;
        m_scroller.SetRect(left, m_cyButton + 3, left + kScrollerPart.cx, m_cyButton + 3 + kScrollerPart.cy);
    }
    if (m_hWnd)
        Invalidate();
}

CSize JSelectCntl::CalcFixedLayout(BOOL, BOOL)
{
    Layout();
    const int shown = std::max(0, ShownCount());
    CSize size(m_nSpacing * std::max(0, shown - 1) + m_cxButton * shown, m_cyButton);
    if (CanScroll())
        size.cy += kScrollerPart.cy + 3;
    size.cx += m_cxLeftBorder + m_cxRightBorder;
    size.cy += m_cyTopBorder + m_cyBottomBorder;
    return size;
}

CRect JSelectCntl::ButtonRect(int i) const
{
    const int x = (m_nSpacing + m_cxButton) * i;
    return CRect(x, 0, x + m_cxButton, m_cyButton);
}

int JSelectCntl::HitTest(CPoint point) const
{
    if (CanScroll() && m_scroller.PtInRect(point))
        return point.x < m_scroller.CenterPoint().x ? kHitScrollFirst : kHitScrollLast;
    for (int i = 0; i < ShownCount(); ++i)
        if (ButtonRect(i).PtInRect(point))
            return i;
    return kHitNone;
}

void JSelectCntl::SetNumberBtns(int nCount)
{
    m_nButtons = std::max(0, nCount);
    m_nCurrent = 0;
    m_nFirst = 0;
    Layout();
}

void JSelectCntl::SetFirstButton(int nFirst)
{
    m_nFirst = std::clamp(nFirst, 0, std::max(0, m_nButtons - ShownCount()));
    if (m_hWnd)
        Invalidate();
}

void JSelectCntl::SetCurSel(int nIndex, BOOL bNotify)
{
    m_nCurrent = nIndex;
    if (nIndex >= 0 && nIndex < m_nFirst)
        SetFirstButton(nIndex);
    else if (nIndex >= m_nFirst + ShownCount())
        SetFirstButton(nIndex - ShownCount() + 1);
    if (m_hWnd)
        Invalidate();
    if (bNotify && nIndex >= 0)
        Notify(JSM_SELFOLLOW, nIndex + 1);
}

void JSelectCntl::Notify(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pView && ::IsWindow(m_pView->GetSafeHwnd()))
        m_pView->SendMessage(message, wParam, lParam);
}

void JSelectCntl::ShowSelector()
{
    if (!m_hWnd)
        return;
    if (CFrameWnd* pFrame = GetDockingFrame(); pFrame && m_pDockBar)
        pFrame->ShowControlBar(this, TRUE, FALSE);
    else
        ShowWindow(SW_SHOWNA);
    m_bClosing = FALSE;
    SetCapture();
    m_hOldCursor = ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

void JSelectCntl::Finish(int nPicked, UINT nFlags)
{
    m_bClosing = TRUE;
    KillTimer(kTimerRepeat);
    KillTimer(kTimerEdge);
    m_nScrollState = -7;
    m_bAutoScrolling = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (CFrameWnd* pFrame = GetDockingFrame(); pFrame && m_pDockBar)
        pFrame->ShowControlBar(this, FALSE, FALSE);
    else
        ShowWindow(SW_HIDE);
    if (m_hOldCursor)
        ::SetCursor(m_hOldCursor);
    m_hOldCursor = nullptr;
    Notify(JSM_SELECTED, nPicked >= 0 ? nPicked + 1 : 0, nFlags);
}

void JSelectCntl::Close()
{
    m_nCurrent = -1;
    Finish(-1, 0);
}

void JSelectCntl::Scroll(int nStep)
{
    const int before = m_nFirst;
    SetFirstButton(m_nFirst + nStep);
    if (m_nFirst != before)
        SetCurSel(nStep < 0 ? m_nFirst : m_nFirst + ShownCount() - 1, TRUE);
}

void JSelectCntl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (::GetCapture() != m_hWnd) {
        CControlBar::OnMouseMove(nFlags, point);
        return;
    }
    const int hit = HitTest(point);
    m_bOverScroller = hit == kHitScrollFirst || hit == kHitScrollLast;
    if (hit >= 0) {
        if (m_nFirst + hit != m_nCurrent)
            SetCurSel(m_nFirst + hit, TRUE);
        // Resting on an end button with more hidden beyond it moves on after a while.
        const bool edge =
            (hit == 0 && m_nFirst > 0) || (hit == ShownCount() - 1 && m_nFirst + ShownCount() < m_nButtons);
        if (edge)
            SetTimer(kTimerEdge, kDelay);
        else
            KillTimer(kTimerEdge);
    } else {
        KillTimer(kTimerEdge);
    }
}

void JSelectCntl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(client);
    if (!client.PtInRect(point)) {
        // Outside the strip while holding the mouse: a cancel.
        if (::GetCapture() == m_hWnd) {
            Close();
            return;
        }
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    const int hit = HitTest(point);
    if (hit == kHitScrollFirst || hit == kHitScrollLast) {
        m_nScrollState = hit;
        Scroll(hit == kHitScrollFirst ? -1 : 1);
        m_bAutoScrolling = TRUE;
        SetTimer(kTimerRepeat, kDelay);
        Invalidate();
    }
}

void JSelectCntl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nScrollState != -7) {
        m_nScrollState = -7;
        m_bAutoScrolling = FALSE;
        KillTimer(kTimerRepeat);
        Invalidate();
    }
    if (::GetCapture() != m_hWnd)
        return;
    const int hit = HitTest(point);
    if (hit >= 0) {
        m_nCurrent = m_nFirst + hit;
        Finish(m_nCurrent, nFlags);
    }
}

void JSelectCntl::OnRButtonDown(UINT, CPoint)
{
    Close();
}

void JSelectCntl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerRepeat) {
        if (m_nScrollState != -7 && m_bOverScroller)
            Scroll(m_nScrollState == kHitScrollFirst ? -1 : 1);
        return;
    }
    if (nIDEvent == kTimerEdge) {
        KillTimer(kTimerEdge);
        if (m_nCurrent == m_nFirst && m_nFirst > 0)
            Scroll(-1);
        else if (m_nCurrent == m_nFirst + ShownCount() - 1 && m_nFirst + ShownCount() < m_nButtons)
            Scroll(1);
        return;
    }
    CControlBar::OnTimer(nIDEvent);
}

void JSelectCntl::OnCaptureChanged(CWnd* pWnd)
{
    CWnd::OnCaptureChanged(pWnd);
    // Someone else took the mouse (a menu, another window): the selector closes unpicked.
    if (!m_bClosing && IsWindowVisible() && pWnd != this)
        Close();
}

void JSelectCntl::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
    HGDIOBJ hOldFont = pDC->SelectObject(m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    const int shown = ShownCount();
    for (int i = 0; i < shown; ++i) {
        const int index = m_nFirst + i;
        CRect rect = ButtonRect(i);
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_3DFACE));
        rect.DeflateRect(1, 1);
        const BOOL bCurrent = index == m_nCurrent;
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_WINDOW));
        CRect label = rect;
        label.DeflateRect(2, 2);
        pDC->FillSolidRect(label, ::GetSysColor(bCurrent ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        pDC->SetTextColor(::GetSysColor(bCurrent ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        pDC->SetBkColor(::GetSysColor(bCurrent ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        char text[16];
        const int length = wsprintfA(text, "%d", index + 1);
        pDC->DrawText(text, length, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        // Torn edges where buttons lie hidden beyond the strip.
        const CRect whole = ButtonRect(i);
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        if (i == 0 && m_nFirst > 0)
            for (int y = whole.top; y < whole.bottom; y += 4)
                pDC->FillSolidRect(whole.left, y, 2, 2, face);
        if (i == shown - 1 && index < m_nButtons - 1)
            for (int y = whole.top; y < whole.bottom; y += 4)
                pDC->FillSolidRect(whole.right - 2, y, 2, 2, face);
    }
    pDC->SelectObject(hOldFont);
    if (!CanScroll())
        return;
    // The scrollers: a triangle each way, grey where there is nothing more, sunken while held.
    const COLORREF ink = ::GetSysColor(COLOR_BTNTEXT), grey = ::GetSysColor(COLOR_GRAYTEXT);
    const int half = m_scroller.Width() / 2;
    for (int side = 0; side < 2; ++side) {
        CRect part(m_scroller.left + side * half, m_scroller.top, m_scroller.left + (side + 1) * half,
                   m_scroller.bottom);
        const bool held = m_nScrollState == (side == 0 ? kHitScrollFirst : kHitScrollLast);
        const bool available = side == 0 ? m_nFirst > 0 : m_nFirst + ShownCount() < m_nButtons;
        pDC->FillSolidRect(part, ::GetSysColor(COLOR_BTNFACE));
        pDC->Draw3dRect(part, ::GetSysColor(held ? COLOR_3DSHADOW : COLOR_3DHILIGHT),
                        ::GetSysColor(held ? COLOR_3DHILIGHT : COLOR_3DSHADOW));
        const int cx = part.CenterPoint().x, cy = part.CenterPoint().y;
        for (int i = 0; i < 3; ++i) {
            const int x = side == 0 ? cx - 1 + i : cx + 1 - i;
            pDC->FillSolidRect(x, cy - i, 1, 2 * i + 1, available ? ink : grey);
        }
    }
}
