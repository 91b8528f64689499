// JTabbarButton: a push button drawing a picture from the library's image list, with an
// optional drop-down part and check state, drawn through memory shared by every button.
#include "jtabbar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(JTabbarButton, CWnd)

namespace {

const int kDropDownWidth = 9;   // the arrow part of a drop-down button
const int kBorder = 2;          // the raised or sunken edge

// One memory DC and bitmap all buttons draw through before a single copy to the screen.
struct SharedCanvas {
    HDC hDC = nullptr;
    HBITMAP hBitmap = nullptr;
    HGDIOBJ hOld = nullptr;
    CSize size;
};
SharedCanvas g_canvas;

// The shared canvas, at least cx by cy; NULL when it cannot be made.
HDC CanvasFor(HDC hScreen, int cx, int cy)
{
    if (!g_canvas.hDC && !(g_canvas.hDC = ::CreateCompatibleDC(hScreen)))
        return nullptr;
    if (!g_canvas.hBitmap || g_canvas.size.cx < cx || g_canvas.size.cy < cy) {
        const CSize size(std::max<LONG>(cx, g_canvas.size.cx), std::max<LONG>(cy, g_canvas.size.cy));
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
        if (!hBitmap)
            return nullptr;
        HGDIOBJ hPrevious = ::SelectObject(g_canvas.hDC, hBitmap);
        if (!g_canvas.hOld)
            g_canvas.hOld = hPrevious;
        if (g_canvas.hBitmap)
            ::DeleteObject(g_canvas.hBitmap);
        g_canvas.hBitmap = hBitmap;
        g_canvas.size = size;
    }
    return g_canvas.hDC;
}

}   // namespace

void JTabbarButton::FreeSharedDrawingObjects()
{
    if (g_canvas.hDC && g_canvas.hOld)
        ::SelectObject(g_canvas.hDC, g_canvas.hOld);
    if (g_canvas.hBitmap)
        ::DeleteObject(g_canvas.hBitmap);
    if (g_canvas.hDC)
        ::DeleteDC(g_canvas.hDC);
    g_canvas = SharedCanvas{};
}

JTabbarButton::~JTabbarButton()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL JTabbarButton::Create(DWORD dwButtonStyle, const RECT& rect, CWnd* pParent, UINT nID)
{
    m_dwButtonStyle = dwButtonStyle;
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    return CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE, rect, pParent, nID);
}

BOOL JTabbarButton::SetBitmap(HBITMAP hBitmap, COLORREF crKey)
{
    BITMAP bm{};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;
    if (crKey == CLR_INVALID) {
        HDC hDC = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
        crKey = ::GetPixel(hDC, 0, 0);
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
    }
    m_ownImages.DeleteImageList();
    if (!m_ownImages.Create(bm.bmWidth, bm.bmHeight, JILC_MASK, 1, 1) || m_ownImages.Add(hBitmap, crKey) < 0)
        return FALSE;
    SetImage(&m_ownImages, 0);
    return TRUE;
}

BOOL JTabbarButton::LoadBitmap(UINT nIDResource, COLORREF crKey)
{
    return LoadBitmap(MAKEINTRESOURCEA(nIDResource), crKey);
}

BOOL JTabbarButton::LoadBitmap(LPCSTR lpszResource, COLORREF crKey)
{
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), lpszResource, IMAGE_BITMAP, 0, 0, 0);
    if (!hBitmap)
        return FALSE;
    const BOOL bDone = SetBitmap(hBitmap, crKey);
    ::DeleteObject(hBitmap);
    return bDone;
}

void JTabbarButton::SetImage(JImageList* pList, int nImage)
{
    m_pImages = pList;
    m_nImage = nImage;
    if (m_hWnd)
        Invalidate(FALSE);
}

BOOL JTabbarButton::HitDropDown(CPoint point) const
{
    if (!IsDropDown() || !m_hWnd)
        return FALSE;
    CRect client;
    GetClientRect(client);
    return client.PtInRect(point) && point.x >= client.right - kDropDownWidth;
}

CSize JTabbarButton::GetContentSize() const
{
    CSize size = m_pImages ? m_pImages->GetImageSize() : CSize(0, 0);
    size.cx += 2 * kBorder + (IsDropDown() ? kDropDownWidth : 0);
    size.cy += 2 * kBorder;
    return size;
}

void JTabbarButton::SizeToContent()
{
    const CSize size = GetContentSize();
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void JTabbarButton::DrawButton(CDC* pDC, const CRect& rect)
{
    const BOOL bDown = m_bPressed || m_nCheck == BST_CHECKED;
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    CRect edge = rect;
    pDC->DrawEdge(edge, bDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    CRect face = rect;
    if (IsDropDown())
        face.right -= kDropDownWidth;
    if (m_pImages && m_nImage >= 0 && m_nImage < m_pImages->GetImageCount()) {
        const CSize image = m_pImages->GetImageSize();
        const int x = face.left + (face.Width() - image.cx) / 2 + (bDown ? 1 : 0);
        const int y = face.top + (face.Height() - image.cy) / 2 + (bDown ? 1 : 0);
        if (IsWindowEnabled() || !m_pImages->HasMask()) {
            m_pImages->Draw(m_nImage, pDC, x, y, JILD_TRANSPARENT);
        } else {
            // Disabled: the picture's shape, embossed in the highlight and shadow colours.
            CRect cell;
            m_pImages->GetImageRect(m_nImage, &cell);
            HDC hMask = ::CreateCompatibleDC(pDC->GetSafeHdc());
            HGDIOBJ hOldMask = ::SelectObject(hMask, m_pImages->GetMaskStrip());
            const COLORREF oldBack = pDC->SetBkColor(RGB(0, 0, 0));
            const COLORREF oldText = pDC->SetTextColor(RGB(255, 255, 255));
            const int shades[2] = {COLOR_3DHILIGHT, COLOR_3DSHADOW};
            for (int i = 0; i < 2; ++i) {
                HBRUSH hBrush = ::CreateSolidBrush(::GetSysColor(shades[i]));
                HGDIOBJ hOldBrush = pDC->SelectObject(hBrush);
                // Paints the brush where the mask is black: where the picture is.
                ::BitBlt(pDC->GetSafeHdc(), x + 1 - i, y + 1 - i, image.cx, image.cy, hMask, cell.left, cell.top,
                         0x00E20746);
                pDC->SelectObject(hOldBrush);
                ::DeleteObject(hBrush);
            }
            pDC->SetBkColor(oldBack);
            pDC->SetTextColor(oldText);
            ::SelectObject(hMask, hOldMask);
            ::DeleteDC(hMask);
        }
    }
    if (IsDropDown()) {
        const int x = rect.right - kDropDownWidth + 1, y = rect.top + rect.Height() / 2 - 1;
        HBRUSH hArrow = ::GetSysColorBrush(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_3DSHADOW);
        for (int row = 0; row < 3; ++row) {
            CRect line(x + row, y + row, x + 5 - row, y + row + 1);
            pDC->FillRect(line, hArrow);
        }
    }
}

BEGIN_MESSAGE_MAP(JTabbarButton, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

void JTabbarButton::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hScreen = ::BeginPaint(m_hWnd, &ps);
    CRect client;
    GetClientRect(client);
    if (HDC hCanvas = CanvasFor(hScreen, client.Width(), client.Height())) {
        CDC canvas;
        canvas.Attach(hCanvas);
        DrawButton(&canvas, client);
        canvas.Detach();
        ::BitBlt(hScreen, 0, 0, client.Width(), client.Height(), hCanvas, 0, 0, SRCCOPY);
    } else {
        CDC screen;
        screen.Attach(hScreen);
        DrawButton(&screen, client);
        screen.Detach();
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT JTabbarButton::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect client;
    GetClientRect(client);
    CDC dc;
    dc.Attach((HDC)wParam);
    DrawButton(&dc, client);
    dc.Detach();
    return 0;
}

BOOL JTabbarButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void JTabbarButton::SetPressed(BOOL bPressed)
{
    if (m_bPressed == bPressed)
        return;
    m_bPressed = bPressed;
    Invalidate(FALSE);
    UpdateWindow();
}

void JTabbarButton::SendCommand(WORD wCode)
{
    CWnd* pOwner = GetOwner();
    if (pOwner)
        pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), wCode), (LPARAM)m_hWnd);
}

void JTabbarButton::OnLButtonDown(UINT, CPoint)
{
    if (!IsWindowEnabled())
        return;
    SetCapture();
    m_bTracking = TRUE;
    SetPressed(TRUE);
    if (m_dwButtonStyle & JTBBS_REPEAT)
        SendCommand(BN_CLICKED);
}

void JTabbarButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void JTabbarButton::OnMouseMove(UINT, CPoint point)
{
    if (!m_bTracking)
        return;
    CRect client;
    GetClientRect(client);
    SetPressed(client.PtInRect(point));
}

void JTabbarButton::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bTracking)
        return;
    CRect client;
    GetClientRect(client);
    const BOOL bClicked = m_bPressed && client.PtInRect(point);
    m_bTracking = FALSE;
    SetPressed(FALSE);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!bClicked || (m_dwButtonStyle & JTBBS_REPEAT))
        return;
    if (m_dwButtonStyle & JTBBS_CHECK)
        SetCheck(m_nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    SendCommand(BN_CLICKED);
}

void JTabbarButton::OnCancelMode()
{
    m_bTracking = FALSE;
    SetPressed(FALSE);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void JTabbarButton::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTracking && (!pWnd || pWnd->m_hWnd != m_hWnd)) {
        m_bTracking = FALSE;
        SetPressed(FALSE);
    }
}

void JTabbarButton::OnEnable(BOOL bEnable)
{
    if (!bEnable)
        OnCancelMode();
    Invalidate(FALSE);
}

void JTabbarButton::OnSysColorChange()
{
    Invalidate(FALSE);
}

LRESULT JTabbarButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    if (m_nCheck != (int)wParam) {
        m_nCheck = (int)wParam;
        Invalidate(FALSE);
    }
    return 0;
}

LRESULT JTabbarButton::OnGetCheck(WPARAM, LPARAM)
{
    return m_nCheck;
}
