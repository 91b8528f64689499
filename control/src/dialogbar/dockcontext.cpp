// JDockContext: the drag context of the library's bars.
#include "jdialogbar.h"

#include <algorithm>

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
