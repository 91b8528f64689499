// CJTab: one tab of the sheet tab bar, its outline, shape and drawing.
#include "jtabbar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CJTab, CObject)

namespace {

// Room on each side of the name, beyond the slant.
const int kTextPadding = 3;
// A name longer than this is cut with an ellipsis: no tab outgrows a usual window.
const int kMaxTextLength = 200;

}   // namespace

CJTab::CJTab(CJTabBar* pOwner, CJTabList* pList, int nSlant) : m_pOwner(pOwner), m_pList(pList), m_nSlant(nSlant)
{
    m_nLength = 2 * (m_nSlant + kTextPadding);
}

CJTab::~CJTab() = default;

void CJTab::SetText(LPCSTR lpszText)
{
    m_strText = lpszText ? lpszText : "";
    const int text = m_pList ? m_pList->MeasureText(m_strText) : 0;
    m_nLength = std::min(text, kMaxTextLength) + 2 * (m_nSlant + kTextPadding);
}

void CJTab::SetRect(const CRect& rect)
{
    if (rect == m_rect)
        return;
    m_rect = rect;
    m_region.DeleteObject();
}

int CJTab::GetStart() const
{
    return m_pOwner && !m_pOwner->IsHorizontal() ? m_rect.top : m_rect.left;
}

void CJTab::PlaceAt(int nStart, int nThickness)
{
    if (!m_pOwner || m_pOwner->IsHorizontal())
        SetRect(CRect(nStart, 0, nStart + m_nLength, nThickness));
    else
        SetRect(CRect(0, nStart, nThickness, nStart + m_nLength));
}

void CJTab::GetOutline(POINT points[4], BOOL bInset) const
{
    const int l = m_rect.left, t = m_rect.top, r = m_rect.right, b = m_rect.bottom, s = m_nSlant;
    const UINT alignment = m_pOwner ? m_pOwner->GetAlignment() : (UINT)JTBS_BOTTOM;
    switch (alignment) {
    case JTBS_RIGHT:
        points[0] = {l + 1, t};
        points[1] = {r, t + s};
        points[2] = {r, b - s};
        points[3] = {l + 1, b};
        break;
    case JTBS_TOP:
        points[0] = {l, b - 2};
        points[1] = {l + s, t};
        points[2] = {r - s, t};
        points[3] = {r, b - 2};
        break;
    case JTBS_LEFT:
        points[0] = {r - 2, t};
        points[1] = {l, t + s};
        points[2] = {l, b - s};
        points[3] = {r - 2, b};
        break;
    default: {
        const int bottom = JIsNewShell() ? b - 2 : b - 1;
        points[0] = {l, t + 1};
        points[1] = {l + s, bottom};
        points[2] = {r - s, bottom};
        points[3] = {r, t + 1};
        break;
    }
    }
    if (bInset) {
        const bool horizontal = alignment != JTBS_RIGHT && alignment != JTBS_LEFT;
        LONG POINT::*along = horizontal ? &POINT::x : &POINT::y;
        points[0].*along += 1;
        points[1].*along += 1;
        points[2].*along -= 1;
        points[3].*along -= 1;
    }
}

CRgn* CJTab::GetRegion()
{
    if (!m_region.GetSafeHandle()) {
        POINT points[4];
        GetOutline(points, FALSE);
        if (!m_region.CreatePolygonRgn(points, 4, WINDING))
            return nullptr;
    }
    return &m_region;
}

BOOL CJTab::HitTest(CPoint point)
{
    if (!m_rect.PtInRect(point))
        return FALSE;
    if (CRgn* pRegion = GetRegion(); pRegion && pRegion->PtInRegion(point))
        return TRUE;
    CRect inner = m_rect;
    const int half = m_pList ? m_pList->GetOverlap() / 2 : 0;
    if (!m_pOwner || m_pOwner->IsHorizontal())
        inner.DeflateRect(half, 0);
    else
        inner.DeflateRect(0, half);
    return inner.PtInRect(point);
}

COLORREF CJTab::GetFillColor() const
{
    if (m_pOwner && m_pOwner->GetDropTarget() == this)
        return ::GetSysColor(COLOR_HIGHLIGHT);
    return IsSelected() ? ::GetSysColor(COLOR_WINDOW) : ::GetSysColor(COLOR_BTNFACE);
}

void CJTab::Draw(CDC* pDC)
{
    POINT outline[4];
    GetOutline(outline, FALSE);
    POINT inner[4];
    GetOutline(inner, TRUE);

    const HDC hDC = pDC->GetSafeHdc();
    const int saved = ::SaveDC(hDC);
    HBRUSH hFill = ::CreateSolidBrush(GetFillColor());
    ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
    ::SelectObject(hDC, hFill);
    ::Polygon(hDC, outline, 4);
    ::Polygon(hDC, inner, 4);
    // The sides and the far edge; the near edge stays open towards the drawing.
    ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
    ::Polyline(hDC, outline, 4);

    if (m_pList && m_pList->GetFont())
        ::SelectObject(hDC, m_pList->GetFont()->GetSafeHandle());
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC,
                   ::GetSysColor(m_pOwner && m_pOwner->GetDropTarget() == this ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    CRect text = m_rect;
    const std::wstring name = m_strText.ToWide();
    if (!m_pOwner || m_pOwner->IsHorizontal()) {
        text.DeflateRect(m_nSlant + kTextPadding, 0);
        ::DrawTextW(hDC, name.c_str(), (int)name.size(), text,
                    DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    } else {
        // Turned text runs down from its reference point; its top faces the right.
        text.DeflateRect(0, m_nSlant + kTextPadding);
        SIZE extent{};
        ::GetTextExtentPoint32W(hDC, name.c_str(), (int)name.size(), &extent);
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(hDC, &metrics);
        const int x = text.right - (text.Width() - metrics.tmHeight) / 2;
        const int y = text.top + std::max(0, (text.Height() - (int)extent.cx) / 2);
        ::ExtTextOutW(hDC, x, y, ETO_CLIPPED, text, name.c_str(), (UINT)name.size(), nullptr);
    }
    ::RestoreDC(hDC, saved);
    ::DeleteObject(hFill);
}
