// CDockContext: dragging a bar to dock or float it, toggling its docking, and sizing its floating frame.
#include "afxwin.h"

namespace {

bool IsHorz(DWORD dwStyle)
{
    return (dwStyle & CBRS_ORIENT_HORZ) != 0;
}

bool IsVert(DWORD dwStyle)
{
    return (dwStyle & CBRS_ORIENT_VERT) != 0;
}

// Moves rect the least so that pt lies on it.
void AdjustRectangle(CRect& rect, CPoint pt)
{
    const int dx = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right : 0;
    const int dy = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom : 0;
    rect.OffsetRect(dx, dy);
}

// The outline of a floating frame around a bar rectangle: its borders and caption, less the
// bar's own borders that the floating dock bar hides.
CRect FrameAround(const CRect& rectBar)
{
    CRect rect(rectBar);
    CMiniFrameWnd::CalcBorders(rect);
    rect.InflateRect(-2, -2);
    return rect;
}

}   // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite), m_dwMRUFloatStyle(CBRS_ALIGN_TOP), m_ptMRUFloatPos(-1, -1)
{
}

CDockContext::~CDockContext()
{
    if (m_pDC) {
        ::ReleaseDC(::GetDesktopWindow(), m_pDC->Detach());
        delete m_pDC;
    }
}

void CDockContext::InitLoop()
{
    // What is waiting to be painted is painted before the outline is drawn over it.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageA(&msg);

    if (!m_pDockSite)
        m_pDockSite = m_pBar->m_pDockSite;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
    // Held keys count from the start, so a drag begun with Control held floats.
    m_bForceFrame = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;

    if (!m_pDC) {
        m_pDC = new CDC;
        m_pDC->Attach(::GetDCEx(::GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE));
    }
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (m_pBar && ::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (m_pDC) {
        ::ReleaseDC(::GetDesktopWindow(), m_pDC->Detach());
        delete m_pDC;
        m_pDC = nullptr;
    }
}

void CDockContext::StartDrag(CPoint pt)
{
    m_bDragging = TRUE;
    InitLoop();

    CRect rect;
    m_pBar->GetWindowRect(rect);
    m_ptLast = pt;
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        const CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        const CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        const CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        m_rectFrameDragHorz = FrameAround(CRect(rect.TopLeft(), sizeFloat));
        m_rectFrameDragVert = m_rectFrameDragHorz;
    } else if (m_pBar->m_dwStyle & CBRS_SIZE_FIXED) {
        const CSize sizeHorz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        const CSize sizeVert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        m_rectFrameDragHorz = FrameAround(m_rectDragHorz);
        m_rectFrameDragVert = FrameAround(m_rectDragVert);
    } else {
        // The other orientation turns about the point pressed.
        const bool bHorz = IsHorz(m_dwStyle);
        const CSize size = m_pBar->CalcDynamicLayout(-1, bHorz ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK);
        if (bHorz) {
            m_rectDragHorz = rect;
            m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), size);
        } else {
            m_rectDragVert = rect;
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - rect.Width() / 2), size);
        }
        m_rectFrameDragHorz = FrameAround(m_rectDragHorz);
        m_rectFrameDragVert = FrameAround(m_rectDragVert);
    }
    AdjustRectangle(m_rectDragHorz, pt);
    AdjustRectangle(m_rectDragVert, pt);
    AdjustRectangle(m_rectFrameDragHorz, pt);
    AdjustRectangle(m_rectFrameDragVert, pt);

    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    Move(pt);
    Track();
}

void CDockContext::Move(CPoint pt)
{
    const CSize offset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(offset.cx, offset.cy);
    m_rectFrameDragHorz.OffsetRect(offset.cx, offset.cy);
    m_rectDragVert.OffsetRect(offset.cx, offset.cy);
    m_rectFrameDragVert.OffsetRect(offset.cx, offset.cy);
    m_ptLast = pt;
    // Control held: the bar floats wherever it is dropped.
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL)
        UpdateState(&m_bForceFrame, bDown);
    if (nChar == VK_SHIFT)
        UpdateState(&m_bFlip, bDown);
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue)
{
    if (*pFlag == bNewValue)
        return;
    *pFlag = bNewValue;
    // Flipping only means something for bars that dock both ways.
    m_bFlip = IsHorz(m_dwDockStyle) && IsVert(m_dwDockStyle) && m_bFlip;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

DWORD CDockContext::CanDock()
{
    if (!m_pDockSite)
        return 0;
    const bool bStyleHorz = m_bFlip ? !IsHorz(m_dwStyle) : IsHorz(m_dwStyle);
    DWORD dwDock = 0;
    // The bar's own orientation first.
    if (bStyleHorz && IsHorz(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (IsVert(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
    if (!m_bFlip) {
        // The other one only when both outlines agree, so the bar does not flip back and forth.
        if (dwDock == 0 && IsHorz(m_dwDockStyle)) {
            const DWORD dwCurr = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dwDock = dwDock == dwCurr ? dwDock : 0;
        }
        if (dwDock == 0 && IsVert(m_dwDockStyle)) {
            const DWORD dwCurr = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dwDock = dwDock == dwCurr ? dwDock : 0;
        }
    }
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* pDockBar = nullptr;
    if (IsHorz(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~CBRS_ORIENT_VERT, &pDockBar);
    else if (IsVert(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~CBRS_ORIENT_HORZ, &pDockBar);
    return pDockBar;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (!m_pDC)
        return;
    // Thin and white where it would dock, thick and dithered where it would float.
    CSize size(1, 1);
    CRect rect;
    CBrush* pWhiteBrush = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBrush* pDitherBrush = CDC::GetHalftoneBrush();
    CBrush* pBrush = pWhiteBrush;
    if (IsHorz(m_dwOverDockStyle)) {
        rect = m_rectDragHorz;
    } else if (IsVert(m_dwOverDockStyle)) {
        rect = m_rectDragVert;
    } else {
        size.cx = ::GetSystemMetrics(SM_CXFRAME) - 1;
        size.cy = ::GetSystemMetrics(SM_CYFRAME) - 1;
        if (!m_bDragging)
            rect = m_rectActualFrameSize;
        else if ((IsHorz(m_dwStyle) && !m_bFlip) || (IsVert(m_dwStyle) && m_bFlip))
            rect = m_rectFrameDragHorz;
        else
            rect = m_rectFrameDragVert;
        pBrush = pDitherBrush;
    }
    if (bRemoveRect)
        size.cx = size.cy = 0;
    else if (IsHorz(m_dwOverDockStyle) || IsVert(m_dwOverDockStyle)) {
        // One pixel in: what is shown is what docks.
        rect.InflateRect(-1, -1);
        size.cx += 1;
        size.cy += 1;
    }
    m_pDC->DrawDragRect(rect, size, m_rectLast.IsRectNull() && m_sizeLast == CSize(0, 0) ? nullptr : &m_rectLast,
                        m_sizeLast, pBrush, m_bDitherLast ? pDitherBrush : pWhiteBrush);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = pBrush == pDitherBrush;
}

BOOL CDockContext::Track()
{
    // Another window holds the mouse: no drag, and nothing of it left on the screen.
    if (::GetCapture()) {
        CancelDrag();
        return FALSE;
    }
    m_pBar->SetCapture();
    // The bar's window may be moved to another parent while this runs: keep its handle.
    const HWND hWndBar = m_pBar->m_hWnd;
    m_bTracking = TRUE;
    const int nResult = TrackLoop(hWndBar);
    m_bTracking = FALSE;
    if (nResult < 0)
        CancelDrag();
    // A bar deleted while the loop ran left its context to the loop.
    if (!m_pBar)
        delete this;
    return nResult > 0;
}

int CDockContext::TrackLoop(HWND hWndBar)
{
    while (m_pBar && ::GetCapture() == hWndBar) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return 1;
        case WM_MOUSEMOVE:
            if (m_bDragging)
                Move(msg.pt);
            else
                Stretch(msg.pt);
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey((int)msg.wParam, FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey((int)msg.wParam, TRUE);
            if (msg.wParam == VK_ESCAPE) {
                CancelDrag();
                return 0;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelDrag();
            return 0;
        default:
            // Everything else, WM_CANCELMODE included, goes on; losing the capture ends the loop.
            ::DispatchMessageA(&msg);
            break;
        }
    }
    return -1;
}

void CDockContext::CancelDrag()
{
    CancelLoop();
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0) {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (!pDockBar)
            return;
        CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
        const UINT uID = (UINT)pDockBar->GetDlgCtrlID();
        if (uID >= AFX_IDW_DOCKBAR_TOP && uID <= AFX_IDW_DOCKBAR_BOTTOM) {
            m_uMRUDockID = uID;
            m_rectMRUDockPos = rect;
            pDockBar->ScreenToClient(m_rectMRUDockPos);
        }
        // Docked at the outline; the layout snaps it into its row.
        m_pDockSite->DockControlBar(m_pBar, pDockBar, rect);
        m_pDockSite->RecalcLayout();
    } else if ((m_dwStyle & CBRS_SIZE_DYNAMIC) || (IsHorz(m_dwStyle) && !m_bFlip) || (IsVert(m_dwStyle) && m_bFlip)) {
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    } else {
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    }
}

void CDockContext::ToggleDocking()
{
    if (!m_pDockSite)
        m_pDockSite = m_pBar->m_pDockSite;
    if (!m_pDockSite)
        return;
    if (m_pBar->IsFloating()) {
        // Back where it was docked, if it may dock at all.
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        CRect rect = m_rectMRUDockPos;
        CDockBar* pDockBar = nullptr;
        if (m_uMRUDockID != 0) {
            pDockBar = static_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
            if (pDockBar)
                pDockBar->ClientToScreen(rect);
        }
        m_pDockSite->ReDockControlBar(m_pBar, pDockBar, rect);
        m_pDockSite->RecalcLayout();
    } else {
        // Where it last floated, or over the place it is docked at.
        CPoint ptFloat = m_ptMRUFloatPos;
        if (ptFloat.x < 0 || ptFloat.y < 0) {
            ptFloat = m_rectMRUDockPos.TopLeft();
            m_pBar->GetParent()->ClientToScreen(&ptFloat);
        }
        m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle);
    }
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_bDragging = FALSE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(rect);
    m_ptLast = pt;
    m_nHitTest = nHitTest;
    const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectRequestedSize = CRect(rect.TopLeft(), size);
    m_rectActualSize = m_rectRequestedSize;
    m_rectActualFrameSize = FrameAround(m_rectActualSize);
    m_rectFrameBorders = CRect(
        m_rectActualFrameSize.left - m_rectActualSize.left, m_rectActualFrameSize.top - m_rectActualSize.top,
        m_rectActualFrameSize.right - m_rectActualSize.right, m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    const CSize offset = pt - m_ptLast;
    int nLength;
    DWORD dwMode = LM_HORZ;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT) {
        if (m_nHitTest == HTLEFT)
            m_rectRequestedSize.left += offset.cx;
        else
            m_rectRequestedSize.right += offset.cx;
        nLength = m_rectRequestedSize.Width();
    } else {
        if (m_nHitTest == HTTOP)
            m_rectRequestedSize.top += offset.cy;
        else
            m_rectRequestedSize.bottom += offset.cy;
        nLength = m_rectRequestedSize.Height();
        dwMode |= LM_LENGTHY;
    }
    const CSize size = m_pBar->CalcDynamicLayout(std::max(nLength, 0), dwMode);

    // The frame grows away from the edge held; it never leaves the desktop entirely.
    CRect rectDesk;
    ::GetWindowRect(::GetDesktopWindow(), rectDesk);
    CRect rectTemp = m_rectActualFrameSize;
    CRect meet;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOP) {
        rectTemp.left = rectTemp.right - (size.cx + m_rectFrameBorders.Width());
        rectTemp.top = rectTemp.bottom - (size.cy + m_rectFrameBorders.Height());
        if (meet.IntersectRect(rectDesk, rectTemp)) {
            m_rectActualSize.left = m_rectActualSize.right - size.cx;
            m_rectActualSize.top = m_rectActualSize.bottom - size.cy;
            m_rectActualFrameSize.left = rectTemp.left;
            m_rectActualFrameSize.top = rectTemp.top;
        }
    } else {
        rectTemp.right = rectTemp.left + (size.cx + m_rectFrameBorders.Width());
        rectTemp.bottom = rectTemp.top + (size.cy + m_rectFrameBorders.Height());
        if (meet.IntersectRect(rectDesk, rectTemp)) {
            m_rectActualSize.right = m_rectActualSize.left + size.cx;
            m_rectActualSize.bottom = m_rectActualSize.top + size.cy;
            m_rectActualFrameSize.right = rectTemp.right;
            m_rectActualFrameSize.bottom = rectTemp.bottom;
        }
    }
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                                 CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}
