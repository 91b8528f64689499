#include "afxwin.h"

#include <vector>

// Exported by user32 but missing from the MinGW headers.
extern "C" __declspec(dllimport) DWORD WINAPI
    DrawMenuBarTemp(HWND hWnd, HDC hDC, LPRECT lprect, HMENU hMenu, HFONT hFont);

namespace {

// Frame, caption and menu bar of a top-level window, in window coordinates.
void DrawNonClient(HWND hWnd, HDC hDC, const RECT& window, const RECT& client)
{
    RECT whole = {0, 0, window.right - window.left, window.bottom - window.top};
    const LONG style = (LONG)GetWindowLongPtrA(hWnd, GWL_STYLE);
    if (EqualRect(&whole, &client))
        return;
    FillRect(hDC, &whole, GetSysColorBrush(COLOR_BTNFACE));
    if (style & (WS_THICKFRAME | WS_DLGFRAME))
        DrawEdge(hDC, &whole, EDGE_RAISED, BF_RECT);
    else if (style & WS_BORDER)
        FrameRect(hDC, &whole, GetSysColorBrush(COLOR_WINDOWFRAME));

    LONG top = client.top;
    if (HMENU hMenu = GetMenu(hWnd); hMenu && !(style & WS_CHILD)) {
        RECT bar = {client.left, top - GetSystemMetrics(SM_CYMENU), client.right, top};
        DrawMenuBarTemp(hWnd, hDC, &bar, hMenu, nullptr);
        top = bar.top;
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        // Tool windows (floating bars' frames) have the small caption.
        const bool bSmall = (GetWindowLongPtrA(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        RECT caption = {client.left, top - GetSystemMetrics(bSmall ? SM_CYSMCAPTION : SM_CYCAPTION), client.right, top};
        DrawCaption(hWnd, hDC, &caption, DC_ACTIVE | DC_TEXT | DC_GRADIENT | (bSmall ? DC_SMALLCAP : 0));
    }
}

// The borders Windows draws around a child's client area: the sunken edge of
// WS_EX_CLIENTEDGE inside the thin frame of WS_BORDER. Wine's WM_PRINT leaves
// the non-client area out, so they are drawn here, in window coordinates.
void DrawChildBorders(HWND hWnd, HDC hDC, const RECT& window)
{
    RECT rect = {0, 0, window.right - window.left, window.bottom - window.top};
    const LONG style = (LONG)GetWindowLongPtrA(hWnd, GWL_STYLE);
    if ((style & WS_CAPTION) == WS_BORDER) {
        FrameRect(hDC, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rect, -1, -1);
    }
    if (GetWindowLongPtrA(hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
        DrawEdge(hDC, &rect, EDGE_SUNKEN, BF_RECT);
}

// The client area at the DC's logical origin. Some controls (Wine's static
// controls among them) clip their painting to their client rectangle taken as
// device coordinates, which an offset DC would clip away: windows print into a
// bitmap of their own, which starts with what lies below them and is copied into place.
void PrintClient(HWND hWnd, HDC hDC, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return;
    HDC hMemory = CreateCompatibleDC(hDC);
    HBITMAP hBitmap = CreateCompatibleBitmap(hDC, cx, cy);
    if (!hMemory || !hBitmap) {
        if (hBitmap)
            DeleteObject(hBitmap);
        if (hMemory)
            DeleteDC(hMemory);
        SendMessageA(hWnd, WM_PRINT, (WPARAM)hDC, PRF_CLIENT | PRF_ERASEBKGND);
        return;
    }
    HGDIOBJ old = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, cx, cy, hDC, 0, 0, SRCCOPY);
    SendMessageA(hWnd, WM_PRINT, (WPARAM)hMemory, PRF_CLIENT | PRF_ERASEBKGND);
    BitBlt(hDC, 0, 0, cx, cy, hMemory, 0, 0, SRCCOPY);
    SelectObject(hMemory, old);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
}

void Render(HWND hWnd, HDC hDC, POINT rootOrigin)
{
    RECT window;
    GetWindowRect(hWnd, &window);
    RECT client;
    GetClientRect(hWnd, &client);
    MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);

    const int saved = SaveDC(hDC);
    const POINT origin = {window.left - rootOrigin.x, window.top - rootOrigin.y};
    SetViewportOrgEx(hDC, origin.x, origin.y, nullptr);
    IntersectClipRect(hDC, 0, 0, window.right - window.left, window.bottom - window.top);
    DrawNonClient(hWnd, hDC, window, client);
    // Children with their own non-client parts (bars' borders and grippers) draw them in window coordinates,
    // over the standard borders.
    if ((GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) &&
        (client.left > 0 || client.top > 0 || client.right < window.right - window.left ||
         client.bottom < window.bottom - window.top)) {
        DrawChildBorders(hWnd, hDC, window);
        SendMessageA(hWnd, WM_PRINT, (WPARAM)hDC, PRF_NONCLIENT);
    }

    SetViewportOrgEx(hDC, origin.x + client.left, origin.y + client.top, nullptr);
    IntersectClipRect(hDC, 0, 0, client.right - client.left, client.bottom - client.top);
    PrintClient(hWnd, hDC, client.right - client.left, client.bottom - client.top);

    // Children bottom-up, so the topmost is drawn last.
    for (HWND child = GetWindow(GetWindow(hWnd, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV))
        if (IsWindowVisible(child))
            Render(child, hDC, rootOrigin);
    RestoreDC(hDC, saved);
}

}   // namespace

void AfxRenderWindow(HWND hWnd, HDC hDC)
{
    if (!hWnd || !hDC)
        return;
    RECT window;
    GetWindowRect(hWnd, &window);
    Render(hWnd, hDC, POINT{window.left, window.top});
}

namespace {

struct OwnedWindows {
    HWND hOwner;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectOwned(HWND hWnd, LPARAM lParam)
{
    auto* owned = reinterpret_cast<OwnedWindows*>(lParam);
    if (GetWindow(hWnd, GW_OWNER) == owned->hOwner && IsWindowVisible(hWnd))
        owned->windows.push_back(hWnd);
    return TRUE;
}

}   // namespace

void AfxRenderWindowWithPopups(HWND hWnd, HDC hDC)
{
    if (!hWnd || !hDC)
        return;
    RECT window;
    GetWindowRect(hWnd, &window);
    const POINT origin{window.left, window.top};
    Render(hWnd, hDC, origin);
    OwnedWindows owned{hWnd, {}};
    EnumThreadWindows(GetWindowThreadProcessId(hWnd, nullptr), CollectOwned, reinterpret_cast<LPARAM>(&owned));
    // Enumerated topmost first: drawn in reverse, so the topmost ends up on top.
    for (auto it = owned.windows.rbegin(); it != owned.windows.rend(); ++it)
        Render(*it, hDC, origin);
}
