// Tooltips of windows and bars (one tip control per thread), and the help hit test of frames.
#include "afxwin.h"

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_nIDHelp ? (LRESULT)(HID_BASE_RESOURCE + m_nIDHelp) : 0;
}
