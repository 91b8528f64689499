// JDockContext: the drag context of the library's bars.
#include "jdialogbar.h"

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
