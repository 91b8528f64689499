// CJTabSplit: the grip between the tabs and the scroll bar; dragging it sets the ratio.
#include "jtabbar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CJTabSplit, CWnd)

BOOL CJTabSplit::Create(CJTabBar* pBar, const RECT& rect)
{
    m_pBar = pBar;
    LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr);
    return CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE, rect, pBar, ID_JTB_SPLITTER);
}

BEGIN_MESSAGE_MAP(CJTabSplit, CWnd)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

void CJTabSplit::Draw(HDC hDC)
{
    CRect client;
    GetClientRect(client);
    ::FillRect(hDC, client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawEdge(hDC, client, EDGE_RAISED, BF_RECT);
}

void CJTabSplit::OnPaint()
{
    PAINTSTRUCT ps;
    Draw(::BeginPaint(m_hWnd, &ps));
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CJTabSplit::OnPrintClient(WPARAM wParam, LPARAM)
{
    Draw((HDC)wParam);
    return 0;
}

BOOL CJTabSplit::OnSetCursor(CWnd*, UINT, UINT)
{
    const bool horizontal = !m_pBar || m_pBar->IsHorizontal();
    ::SetCursor(::LoadCursorA(nullptr, horizontal ? IDC_SIZEWE : IDC_SIZENS));
    return TRUE;
}

void CJTabSplit::OnLButtonDown(UINT, CPoint point)
{
    if (!m_pBar)
        return;
    m_bDragging = TRUE;
    m_nGrab = m_pBar->IsHorizontal() ? point.x : point.y;
    SetCapture();
}

void CJTabSplit::OnMouseMove(UINT, CPoint point)
{
    if (!m_bDragging || !m_pBar)
        return;
    // Where the splitter's start would go, in the bar's coordinates.
    ::MapWindowPoints(m_hWnd, m_pBar->m_hWnd, &point, 1);
    const int cy = m_pBar->GetThickness();
    const int start = m_pBar->Along(point) - m_nGrab;
    const int room = m_pBar->BarLength() - 4 * cy + 4;
    if (room <= 0)
        return;
    const float ratio = std::clamp((float)(start - 4 * cy + 8) / (float)room, 0.0f, 1.0f);
    m_pBar->SetTabToScrollRatio(ratio);
    m_pBar->UpdateWindow();
}

void CJTabSplit::OnLButtonUp(UINT, CPoint)
{
    OnCancelMode();
}

void CJTabSplit::OnCancelMode()
{
    m_bDragging = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}
