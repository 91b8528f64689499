// JDockContext: the drag context of the library's bars.
#include "jdialogbar.h"

#include <algorithm>
#include <cstdlib>

JDockContext::JDockContext(CControlBar* pBar) : CDockContext(pBar)
{
}

JDockContext::~JDockContext() = default;

BOOL JDockContext::IsSizingFromCorner() const
{
    if (m_bDragging)
        return FALSE;
    return m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMLEFT ||
           m_nHitTest == HTBOTTOMRIGHT;
}

void JDockContext::Stretch(CPoint pt)
{
    if (!IsSizingFromCorner()) {
        CDockContext::Stretch(pt);
        return;
    }
    // The bar reads the cursor itself and answers with its new floating size.
    const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ);
    const bool left = m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT;
    const bool top = m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT;
    CRect frame = m_rectActualFrameSize;
    const CSize outer(size.cx + m_rectFrameBorders.Width(), size.cy + m_rectFrameBorders.Height());
    if (left)
        frame.left = frame.right - outer.cx;
    else
        frame.right = frame.left + outer.cx;
    if (top)
        frame.top = frame.bottom - outer.cy;
    else
        frame.bottom = frame.top + outer.cy;
    // The frame never leaves the desktop entirely.
    CRect desk, meet;
    ::GetWindowRect(::GetDesktopWindow(), desk);
    if (meet.IntersectRect(desk, frame)) {
        m_rectActualFrameSize = frame;
        m_rectActualSize = CRect(frame.left - m_rectFrameBorders.left, frame.top - m_rectFrameBorders.top,
                                 frame.right - m_rectFrameBorders.right, frame.bottom - m_rectFrameBorders.bottom);
    }
    m_ptLast = pt;
    DrawFocusRect();
}

void JDockContext::StartDrag(CPoint pt)
{
    m_ptPressed = pt;
    m_bMoved = FALSE;
    CDockContext::StartDrag(pt);
}

void JDockContext::Move(CPoint pt)
{
    if (std::abs(pt.x - m_ptPressed.x) > ::GetSystemMetrics(SM_CXDRAG) ||
        std::abs(pt.y - m_ptPressed.y) > ::GetSystemMetrics(SM_CYDRAG))
        m_bMoved = TRUE;
    CDockContext::Move(pt);
}

void JDockContext::EndDrag()
{
    if (m_bMoved)
        CDockContext::EndDrag();
    else
        CancelDrag();
}

namespace {
constexpr DWORD kHorzDock = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM | CBRS_BORDER_ANY | CBRS_FLOAT_MULTI;
constexpr DWORD kVertDock = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_BORDER_ANY | CBRS_FLOAT_MULTI;
}   // namespace

DWORD JDockContext::CanDock()
{
    if (!m_pDockSite)
        return 0;
    const bool bHorzStyle = ((m_dwStyle & CBRS_ORIENT_HORZ) != 0) != (m_bFlip != FALSE);
    DWORD dwDock = 0;
    if (bHorzStyle && (m_dwDockStyle & CBRS_ORIENT_HORZ))
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & kHorzDock);
    else if (m_dwDockStyle & CBRS_ORIENT_VERT)
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & kVertDock);
    if (dwDock || m_bFlip)
        return dwDock;
    // Either orientation, when both outlines reach the same dock bar with it.
    for (const DWORD dwMask : {kHorzDock, kVertDock}) {
        const DWORD dwStyle = m_dwDockStyle & dwMask;
        if (!(dwStyle & CBRS_ALIGN_ANY))
            continue;
        CDockBar* pHorz = nullptr;
        CDockBar* pVert = nullptr;
        const DWORD dwHorz = m_pDockSite->CanDock(m_rectDragHorz, dwStyle, &pHorz);
        m_pDockSite->CanDock(m_rectDragVert, dwStyle, &pVert);
        if (pHorz && pHorz == pVert)
            return dwHorz;
    }
    return 0;
}

CDockBar* JDockContext::GetDockBar()
{
    if (!m_pDockSite)
        return nullptr;
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CDockBar* pDockBar = nullptr;
    m_pDockSite->CanDock(bHorz ? m_rectDragHorz : m_rectDragVert, m_dwDockStyle & (bHorz ? kHorzDock : kVertDock),
                         &pDockBar);
    return pDockBar;
}
