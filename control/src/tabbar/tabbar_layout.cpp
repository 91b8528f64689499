// CJTabBar: the parts of the strip, the tabs' places, scrolling and the parent hook.
#include "jtabbar.h"

#include <algorithm>

namespace {

const char kHookProperty[] = "TabBar_Properties";

// The four arrows of the scroll buttons, drawn black on a magenta key.
const COLORREF kArrowKey = RGB(255, 0, 255);

HBITMAP DrawArrows(int cx, int cy, BOOL bHorizontal)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx * 4, cy);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    if (!hBitmap || !hDC) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        if (hDC)
            ::DeleteDC(hDC);
        return nullptr;
    }
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    HBRUSH hKey = ::CreateSolidBrush(kArrowKey);
    RECT all = {0, 0, cx * 4, cy};
    ::FillRect(hDC, &all, hKey);
    ::DeleteObject(hKey);
    HBRUSH hBlack = (HBRUSH)::GetStockObject(BLACK_BRUSH);
    const int half = std::max(2, std::min(cx, cy) / 2 - 1);
    // Image i: 0 |<  1 <  2 >  3 >|, with the arrow's point along the bar.
    for (int image = 0; image < 4; ++image) {
        const bool forward = image >= 2;
        const int ox = image * cx, mid = (bHorizontal ? cy : cx) / 2;
        const int base = (bHorizontal ? cx : cy) / 2 + (forward ? -half / 2 : half / 2);
        for (int step = 0; step < half; ++step) {
            const int along = forward ? base + step : base - step;
            RECT line = bHorizontal ? RECT{ox + along, mid - (half - step) + 1, ox + along + 1, mid + (half - step)}
                                    : RECT{ox + mid - (half - step) + 1, along, ox + mid + (half - step), along + 1};
            ::FillRect(hDC, &line, hBlack);
        }
        if (image == 0 || image == 3) {
            const int bar = forward ? base + half : base - half - 1;
            RECT line = bHorizontal ? RECT{ox + bar, mid - half + 1, ox + bar + 1, mid + half}
                                    : RECT{ox + mid - half + 1, bar, ox + mid + half, bar + 1};
            ::FillRect(hDC, &line, hBlack);
        }
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

}   // namespace

int CJTabBar::BarLength() const
{
    CRect client;
    if (m_hWnd)
        GetClientRect(client);
    return IsHorizontal() ? client.Width() : client.Height();
}

void CJTabBar::CalcMemberRects(CWnd* pParent, CRect& rectBar, CRect& rectTabArea, CRect& rectSplitter,
                               CRect& rectScrollBar) const
{
    rectBar.SetRectEmpty();
    rectTabArea.SetRectEmpty();
    rectSplitter.SetRectEmpty();
    rectScrollBar.SetRectEmpty();
    if (!pParent || !pParent->m_hWnd)
        return;
    float ratio = m_fRatio;
    if (ratio == -1.0f)
        ratio = 1.0f;
    ratio = std::clamp(ratio, 0.0f, 1.0f);
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL);

    CRect client;
    pParent->GetClientRect(client);
    switch (GetAlignment()) {
    case JTBS_RIGHT:
        rectBar.SetRect(client.right - cy, client.top, client.right, client.bottom);
        rectBar.OffsetRect(1, 0);
        break;
    case JTBS_TOP:
        rectBar.SetRect(client.left, client.top, client.right, client.top + cy);
        rectBar.OffsetRect(0, -1);
        break;
    case JTBS_LEFT:
        rectBar.SetRect(client.left, client.top, client.left + cy, client.bottom);
        rectBar.OffsetRect(-1, 0);
        break;
    default:
        rectBar.SetRect(client.left, client.bottom - cy, client.right, client.bottom);
        rectBar.OffsetRect(0, 1);
        break;
    }
    rectBar.left += m_offsets[JTB_OFFSETLEFT];
    rectBar.top += m_offsets[JTB_OFFSETTOP];
    rectBar.right -= m_offsets[JTB_OFFSETRIGHT];
    rectBar.bottom -= m_offsets[JTB_OFFSETBOTTOM];
    if (rectBar.right < rectBar.left)
        rectBar.right = rectBar.left;
    if (rectBar.bottom < rectBar.top)
        rectBar.bottom = rectBar.top;
    if (!m_bShowTabs && !m_bShowScrollBar)
        return;

    const bool horizontal = IsHorizontal();
    const int length = horizontal ? rectBar.Width() : rectBar.Height();
    const int thickness = horizontal ? rectBar.Height() : rectBar.Width();
    // A span [from, to) along the bar, across its whole thickness.
    auto span = [&](int from, int to) {
        to = std::max(from, to);
        return horizontal ? CRect(from, 0, to, thickness) : CRect(0, from, thickness, to);
    };
    const int buttons = 4 * cy - 4;
    int splitterStart = -1, splitterEnd = 0;
    if (m_bShowTabs && m_bShowScrollBar) {
        splitterStart = (int)((float)(length - 4 * cy + 4) * ratio) + 4 * cy - 8;
        splitterStart = std::clamp(splitterStart, buttons, std::max(buttons, length - 4));
        splitterEnd = splitterStart + 4;
        rectSplitter = span(splitterStart, splitterEnd);
    }
    if (m_bShowScrollBar)
        rectScrollBar = span(splitterEnd, length);
    if (m_bShowTabs)
        rectTabArea = span(buttons, splitterStart >= 0 ? splitterStart : length);
}

void CJTabBar::ReSize()
{
    if (!m_hWnd || !m_pParent || !m_pParent->m_hWnd)
        return;
    CRect rectBar;
    CalcMemberRects(m_pParent, rectBar, m_rectTabArea, m_rectSplitter, m_rectScrollBar);
    SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL);
    if (cy != m_cyScroll) {
        m_cyScroll = cy;
        CreateScrollButtons();
        LayoutTabs();
    }
    PlaceChildren();
    CountVisible();
    UpdateScrollButtons();
    Invalidate(FALSE);
}

void CJTabBar::PlaceChildren()
{
    const int cy = m_cyScroll;
    for (int i = 0; i < 4; ++i) {
        if (!m_buttons[i].m_hWnd)
            continue;
        const CRect rect = IsHorizontal() ? CRect(i * (cy - 1), 0, (i + 1) * (cy - 1), cy)
                                          : CRect(0, i * (cy - 1), cy, (i + 1) * (cy - 1));
        m_buttons[i].SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
        m_buttons[i].ShowWindow(m_bShowTabs ? SW_SHOWNA : SW_HIDE);
    }
    if (m_splitter.m_hWnd)
        m_splitter.SetWindowPos(nullptr, m_rectSplitter.left, m_rectSplitter.top, m_rectSplitter.Width(),
                                m_rectSplitter.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_scrollBar.m_hWnd)
        m_scrollBar.SetWindowPos(nullptr, m_rectScrollBar.left, m_rectScrollBar.top, m_rectScrollBar.Width(),
                                 m_rectScrollBar.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CJTabBar::CreateScrollButtons()
{
    if (!m_hWnd)
        return;
    const int cx = std::max(4, m_cyScroll - 1 - 4), cy = std::max(4, m_cyScroll - 4);
    m_arrows.DeleteImageList();
    HBITMAP hArrows = DrawArrows(IsHorizontal() ? cx : cy, IsHorizontal() ? cy : cx, IsHorizontal());
    if (hArrows) {
        CSize image = IsHorizontal() ? CSize(cx, cy) : CSize(cy, cx);
        if (m_arrows.Create(image.cx, image.cy, JILC_MASK, 4, 1)) {
            // The strip goes in whole and is cut into its four cells afterwards.
            HDC hScreen = ::GetDC(nullptr);
            HDC hFrom = ::CreateCompatibleDC(hScreen), hTo = ::CreateCompatibleDC(hScreen);
            HBITMAP hCell = ::CreateCompatibleBitmap(hScreen, image.cx, image.cy);
            ::ReleaseDC(nullptr, hScreen);
            HGDIOBJ hOldFrom = ::SelectObject(hFrom, hArrows);
            for (int i = 0; i < 4 && hCell; ++i) {
                HGDIOBJ hOldTo = ::SelectObject(hTo, hCell);
                ::BitBlt(hTo, 0, 0, image.cx, image.cy, hFrom, i * image.cx, 0, SRCCOPY);
                ::SelectObject(hTo, hOldTo);
                m_arrows.Add(hCell, kArrowKey);
            }
            ::SelectObject(hFrom, hOldFrom);
            ::DeleteDC(hFrom);
            ::DeleteDC(hTo);
            if (hCell)
                ::DeleteObject(hCell);
        }
        ::DeleteObject(hArrows);
    }
    for (int i = 0; i < 4; ++i) {
        if (!m_buttons[i].m_hWnd) {
            const DWORD style = (i == 1 || i == 2) ? (DWORD)JTBBS_REPEAT : 0u;
            m_buttons[i].Create(style, CRect(0, 0, 0, 0), this, ID_JTB_SCROLLFIRST + i);
        }
        m_buttons[i].SetImage(&m_arrows, i);
    }
}

void CJTabBar::UpdateScrollButtons()
{
    if (!m_hWnd)
        return;
    const BOOL bBack = m_nFirst > 0;
    const BOOL bForward = m_nFirst + m_nVisible < GetItemCount();
    for (int i = 0; i < 4; ++i)
        if (m_buttons[i].m_hWnd && m_buttons[i].IsWindowEnabled() != (i < 2 ? bBack : bForward))
            m_buttons[i].EnableWindow(i < 2 ? bBack : bForward);
}

JTabbarButton* CJTabBar::GetScrollButton(ScrollDirection direction)
{
    if (direction < JTB_SCROLLFIRST || direction > JTB_SCROLLLAST || !m_buttons[direction - 1].m_hWnd)
        return nullptr;
    return &m_buttons[direction - 1];
}

void CJTabBar::LayoutTabs()
{
    if (m_pTabs->IsEmpty()) {
        m_nFirst = 0;
        CountVisible();
        UpdateScrollButtons();
        return;
    }
    m_nFirst = std::clamp(m_nFirst, 0, GetItemCount() - 1);
    const int overlap = m_pTabs->GetOverlap();
    // Tabs before the first visible one lie before the tab area's start.
    int start = 4 * m_cyScroll - 4;
    POSITION before = m_pTabs->FindIndex(m_nFirst);
    for (m_pTabs->GetPrev(before); before;)
        start -= static_cast<CJTab*>(m_pTabs->GetPrev(before))->GetLength() - overlap;
    for (POSITION position = m_pTabs->GetHeadPosition(); position;) {
        CJTab* pTab = static_cast<CJTab*>(m_pTabs->GetNext(position));
        pTab->PlaceAt(start, m_cyScroll);
        start += pTab->GetLength() - overlap;
    }
    CountVisible();
    UpdateScrollButtons();
}

void CJTabBar::CountVisible()
{
    m_nVisible = 0;
    for (POSITION position = m_pTabs->FindIndex(m_nFirst); position;) {
        if (!IsItemVisible(static_cast<CJTab*>(m_pTabs->GetNext(position))))
            break;
        ++m_nVisible;
    }
}

void CJTabBar::SetFirstIndex(int nIndex)
{
    nIndex = std::clamp(nIndex, 0, std::max(0, GetItemCount() - 1));
    if (nIndex == m_nFirst)
        return;
    // Every tab moves by the lengths, less the overlap, of the tabs between the two indexes.
    const int from = std::min(nIndex, m_nFirst), to = std::max(nIndex, m_nFirst);
    int shift = 0;
    POSITION position = m_pTabs->FindIndex(from);
    for (int index = from; index < to && position; ++index)
        shift += static_cast<CJTab*>(m_pTabs->GetNext(position))->GetLength() - m_pTabs->GetOverlap();
    if (nIndex > m_nFirst)
        shift = -shift;
    for (position = m_pTabs->GetHeadPosition(); position;) {
        CJTab* pTab = static_cast<CJTab*>(m_pTabs->GetNext(position));
        pTab->PlaceAt(pTab->GetStart() + shift, m_cyScroll);
    }
    m_nFirst = nIndex;
    CountVisible();
    UpdateScrollButtons();
    if (m_hWnd)
        InvalidateRect(m_rectTabArea, FALSE);
}

void CJTabBar::SetFirstItem(CJTab* pTab)
{
    const int index = m_pTabs->IndexOf(pTab);
    if (index >= 0)
        SetFirstIndex(index);
}

void CJTabBar::EnsureItemVisible(CJTab* pTab)
{
    const int index = m_pTabs->IndexOf(pTab);
    if (index < 0 || IsItemVisible(pTab))
        return;
    if (index < m_nFirst) {
        SetFirstIndex(index);
        return;
    }
    // The tab becomes the last visible one: earlier tabs join while they fit.
    const int room = IsHorizontal() ? m_rectTabArea.Width() : m_rectTabArea.Height();
    const int overlap = m_pTabs->GetOverlap();
    int used = pTab->GetLength();
    int first = index;
    for (CJTab* pPrevious = GetPrevItem(pTab); pPrevious; pPrevious = GetPrevItem(pPrevious)) {
        if (used + pPrevious->GetLength() - overlap > room)
            break;
        used += pPrevious->GetLength() - overlap;
        --first;
    }
    SetFirstIndex(first);
}

BOOL CJTabBar::ScrollItems(ScrollDirection direction)
{
    const int count = GetItemCount();
    switch (direction) {
    case JTB_SCROLLFIRST:
        if (m_nFirst == 0)
            return FALSE;
        SetFirstIndex(0);
        return TRUE;
    case JTB_SCROLLPREV:
        if (m_nFirst - 1 < 0)
            return FALSE;
        SetFirstIndex(m_nFirst - 1);
        return TRUE;
    case JTB_SCROLLNEXT:
        if (m_nFirst + m_nVisible >= count || m_nFirst + 1 > count - 1)
            return FALSE;
        SetFirstIndex(m_nFirst + 1);
        return TRUE;
    case JTB_SCROLLLAST: {
        CJTab* pLast = GetLastItem();
        if (!pLast || IsItemVisible(pLast) || m_nFirst + m_nVisible >= count)
            return FALSE;
        const int before = m_nFirst;
        EnsureItemVisible(pLast);
        return m_nFirst != before;
    }
    default:
        return FALSE;
    }
}

void CJTabBar::SetOffset(_JTB_EDGEOFFSET edge, int nOffset)
{
    if (edge < JTB_OFFSETLEFT || edge > JTB_OFFSETBOTTOM)
        return;
    m_offsets[edge] = nOffset;
    ReSize();
}

void CJTabBar::SetTabToScrollRatio(float fRatio)
{
    if (!(fRatio == fRatio))   // not a number
        return;
    m_fRatio = fRatio == -1.0f ? 1.0f : std::clamp(fRatio, 0.0f, 1.0f);
    ReSize();
}

void CJTabBar::GetTabToScrollRatio(float* pRatio) const
{
    if (pRatio)
        *pRatio = m_fRatio;
}

void CJTabBar::ShowScrollBar(BYTE bShow)
{
    m_bShowScrollBar = bShow != 0;
    if (m_hWnd && m_bShowScrollBar && !m_scrollBar.m_hWnd) {
        const DWORD style = WS_CHILD | WS_VISIBLE | (IsHorizontal() ? SBS_HORZ : SBS_VERT);
        m_scrollBar.CreateEx(0, "SCROLLBAR", "", style, CRect(0, 0, 0, 0), this, ID_JTB_SCROLLBAR);
    }
    if (m_hWnd && m_bShowScrollBar && m_bShowTabs && !m_splitter.m_hWnd)
        m_splitter.Create(this, CRect(0, 0, 0, 0));
    if (m_scrollBar.m_hWnd && !m_bShowScrollBar)
        m_scrollBar.DestroyWindow();
    if (m_splitter.m_hWnd && !(m_bShowScrollBar && m_bShowTabs))
        m_splitter.DestroyWindow();
    ReSize();
}

void CJTabBar::ShowTabs(BYTE bShow)
{
    m_bShowTabs = bShow != 0;
    ShowScrollBar(m_bShowScrollBar);
}

void CJTabBar::SetTabColors(COLORREF crBack)
{
    m_pTabs->SetBackColor(crBack);
    if (m_hWnd)
        Invalidate(FALSE);
}

void CJTabBar::OnSlider(UINT nID)
{
    const ScrollDirection direction = (ScrollDirection)(nID & 7);
    const BOOL bMoved = ScrollItems(direction);
    JTabbarButton* pButton = GetScrollButton(direction);
    if (bMoved && (direction == JTB_SCROLLPREV || direction == JTB_SCROLLNEXT) && pButton && pButton->IsPressed()) {
        m_nRepeat = direction;
        SetTimer(kRepeatTimer, kRepeatMs);
    }
    UpdateWindow();
}

BOOL CJTabBar::HookParent()
{
    HWND hParent = m_pParent ? m_pParent->m_hWnd : nullptr;
    if (!hParent)
        return FALSE;
    auto* pHook = static_cast<ParentHook*>(::GetPropA(hParent, kHookProperty));
    if (pHook) {
        if (!pHook->pFirst)
            pHook->pFirst = this;
        else if (!pHook->pSecond && pHook->pFirst != this)
            pHook->pSecond = this;
        return TRUE;
    }
    pHook = new ParentHook{nullptr, this, nullptr};
    if (!::SetPropA(hParent, kHookProperty, pHook)) {
        delete pHook;
        return FALSE;
    }
    pHook->pfnPrevious = (WNDPROC)::SetWindowLongPtrA(hParent, GWLP_WNDPROC, (LONG_PTR)&CJTabBar::ParentProc);
    return TRUE;
}

void CJTabBar::UnhookParent()
{
    HWND hParent = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    m_pParent = nullptr;
    if (!hParent || !::IsWindow(hParent))
        return;
    auto* pHook = static_cast<ParentHook*>(::GetPropA(hParent, kHookProperty));
    if (!pHook)
        return;
    if (pHook->pFirst == this)
        pHook->pFirst = pHook->pSecond, pHook->pSecond = nullptr;
    else if (pHook->pSecond == this)
        pHook->pSecond = nullptr;
    if (pHook->pFirst)
        return;
    // No bar left: the parent's procedure goes back unless someone subclassed it since.
    if ((WNDPROC)::GetWindowLongPtrA(hParent, GWLP_WNDPROC) == &CJTabBar::ParentProc) {
        ::SetWindowLongPtrA(hParent, GWLP_WNDPROC, (LONG_PTR)pHook->pfnPrevious);
        ::RemovePropA(hParent, kHookProperty);
        delete pHook;
    }
}

LRESULT CALLBACK CJTabBar::ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pHook = static_cast<ParentHook*>(::GetPropA(hWnd, kHookProperty));
    if (!pHook)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    const WNDPROC pfnPrevious = pHook->pfnPrevious;
    switch (message) {
    case WM_SIZE:
        if (pHook->pFirst)
            pHook->pFirst->ReSize();
        if (pHook->pSecond)
            pHook->pSecond->ReSize();
        break;
    case WM_PARENTNOTIFY:
        // A bar's window going: it stops following the parent.
        if (LOWORD(wParam) == WM_DESTROY) {
            for (CJTabBar* pBar : {pHook->pFirst, pHook->pSecond})
                if (pBar && pBar->m_hWnd == (HWND)lParam) {
                    pBar->UnhookParent();
                    break;
                }
        }
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnPrevious);
        ::RemovePropA(hWnd, kHookProperty);
        for (CJTabBar* pBar : {pHook->pFirst, pHook->pSecond})
            if (pBar)
                pBar->m_pParent = nullptr;
        delete pHook;
        break;
    default:
        break;
    }
    return ::CallWindowProcA(pfnPrevious, hWnd, message, wParam, lParam);
}
