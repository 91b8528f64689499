// JSpacer: an empty control as wide as its window text says.
#include "jbutton.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(JSpacer, CWnd)

BEGIN_MESSAGE_MAP(JSpacer, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

int JSpacer::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    int width = 0;
    if (lpCreateStruct->lpszName && !IS_INTRESOURCE(lpCreateStruct->lpszName) &&
        std::sscanf(lpCreateStruct->lpszName, "%d", &width) == 1 && width >= 0 && width <= 0x7FFF)
        SetWindowPos(nullptr, 0, 0, width, lpCreateStruct->cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

void JSpacer::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, RGB(255, 0, 0));
}

LRESULT JSpacer::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect client;
    GetClientRect(client);
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    dc.FillSolidRect(client, RGB(255, 0, 0));
    dc.Detach();
    return 0;
}
