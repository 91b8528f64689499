#include "mainframe.h"

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
const COLORREF kSheet = RGB(255, 255, 255);
const COLORREF kGrid = RGB(220, 228, 240);
const COLORREF kAxis = RGB(150, 170, 200);
const int kGridStep = 20;
const int kStatusHeight = 22;
}

BOOL CMainFrame::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnPaint covers the whole client area
}

void CMainFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect sheet = client;
    sheet.bottom -= kStatusHeight;

    dc.FillSolidRect(&sheet, kSheet);
    for (int x = sheet.left; x < sheet.right; x += kGridStep)
        dc.FillSolidRect(x, sheet.top, 1, sheet.Height(), (x / kGridStep) % 5 ? kGrid : kAxis);
    for (int y = sheet.top; y < sheet.bottom; y += kGridStep)
        dc.FillSolidRect(sheet.left, y, sheet.Width(), 1, (y / kGridStep) % 5 ? kGrid : kAxis);

    CRect status(client.left, sheet.bottom, client.right, client.bottom);
    dc.FillSolidRect(&status, ::GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&status, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    status.DeflateRect(6, 0);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ oldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.DrawText(m_status, &status, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
    dc.SelectObject(oldFont);
}
