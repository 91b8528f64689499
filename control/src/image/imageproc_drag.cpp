// The image list's drag image: drawn on the desktop while its updates are locked.
#include "jimage.h"

#include "imageproc_dc.h"
#include "imageproc_shared.h"

namespace {

// Desktop position of the image for a point relative to `origin`.
CPoint ImagePosition(CPoint origin, CPoint point, CPoint hotSpot)
{
    return CPoint(origin.x + point.x - hotSpot.x, origin.y + point.y - hotSpot.y);
}

CPoint WindowOrigin(HWND hWnd)
{
    if (!hWnd)
        return CPoint(0, 0);
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    return CPoint(rect.left, rect.top);
}

}   // namespace

BOOL JImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    if (nImage < 0 || nImage >= m_nCount || m_drag.bActive)
        return FALSE;
    m_drag = DragState();
    m_drag.bActive = TRUE;
    m_drag.nImage = nImage;
    m_drag.ptHotSpot = ptHotSpot;
    return TRUE;
}

BOOL JImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    if (!m_drag.bActive || m_drag.bShown)
        return FALSE;
    const HWND hDesktop = ::GetDesktopWindow();
    // Nothing else may paint the desktop while the image sits on it.
    ::LockWindowUpdate(hDesktop);
    m_drag.hDesktopDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!m_drag.hDesktopDC) {
        ::LockWindowUpdate(nullptr);
        return FALSE;
    }
    m_drag.hWndLock = pWndLock ? pWndLock->GetSafeHwnd() : nullptr;
    m_drag.ptOrigin = WindowOrigin(m_drag.hWndLock);
    ShowDragImage(ImagePosition(m_drag.ptOrigin, point, m_drag.ptHotSpot));
    return TRUE;
}

BOOL JImageList::DragMove(CPoint point)
{
    if (!m_drag.bShown)
        return FALSE;
    HideDragImage();
    ShowDragImage(ImagePosition(m_drag.ptOrigin, point, m_drag.ptHotSpot));
    return TRUE;
}

BOOL JImageList::DragLeave(CWnd* /*pWndLock*/)
{
    if (!m_drag.hDesktopDC)
        return FALSE;
    HideDragImage();
    ::ReleaseDC(::GetDesktopWindow(), m_drag.hDesktopDC);
    m_drag.hDesktopDC = nullptr;
    ::LockWindowUpdate(nullptr);
    return TRUE;
}

void JImageList::EndDrag()
{
    if (!m_drag.bActive)
        return;
    DragLeave(nullptr);
    m_drag = DragState();
}

void JImageList::ShowDragImage(CPoint ptImage)
{
    const HDC hDesktop = m_drag.hDesktopDC;
    imageproc::Bitmap under(::CreateCompatibleBitmap(hDesktop, m_cx, m_cy));
    if (!under)
        return;
    {
        imageproc::MemoryDC save(hDesktop);
        if (!save || !save.Select(under))
            return;
        ::BitBlt(save, 0, 0, m_cx, m_cy, hDesktop, ptImage.x, ptImage.y, SRCCOPY);
    }
    m_drag.hUnder = under.Release();
    m_drag.ptImage = ptImage;
    m_drag.bShown = TRUE;
    DrawImage(m_drag.nImage, hDesktop, ptImage.x, ptImage.y, m_cx, m_cy, JILD_TRANSPARENT);
}

void JImageList::HideDragImage()
{
    if (!m_drag.bShown)
        return;
    {
        imageproc::MemoryDC save(m_drag.hDesktopDC);
        if (save && save.Select(m_drag.hUnder))
            ::BitBlt(m_drag.hDesktopDC, m_drag.ptImage.x, m_drag.ptImage.y, m_cx, m_cy, save, 0, 0, SRCCOPY);
    }
    ::DeleteObject(m_drag.hUnder);
    m_drag.hUnder = nullptr;
    m_drag.bShown = FALSE;
}

BOOL JImageList::TrackDrag()
{
    const HWND hOwner = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    if (!m_drag.bActive || !hOwner)
        return FALSE;
    ::SetCapture(hOwner);
    BOOL bDropped = FALSE;
    MSG msg;
    for (;;) {
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);   // for the outer loop
            break;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hOwner) {
            POINT point = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
            ::ClientToScreen(hOwner, &point);
            DragMove(CPoint(point.x - m_drag.ptOrigin.x, point.y - m_drag.ptOrigin.y));
            continue;
        }
        if (msg.message == WM_LBUTTONUP) {
            bDropped = TRUE;
            break;
        }
        if (msg.message == WM_RBUTTONDOWN || msg.message == WM_CANCELMODE ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        if (::GetCapture() != hOwner)
            break;   // another window took the mouse
    }
    if (::GetCapture() == hOwner)
        ::ReleaseCapture();
    return bDropped;
}
