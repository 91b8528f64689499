// JButton: a toolbar-style bitmap button with an optional drop-down part, drawn the way
// the toolbar draws its buttons, through drawing objects every button shares.
#include "jbutton.h"

#include "jenvmanager.h"
#include "jcontrolinfo.h"
#include "module.h"

#include <afxcmdui.h>
#include <afxpriv.h>
#include <new>
#include <vector>

IMPLEMENT_DYNAMIC(JButton, CWnd)

namespace {

const DWORD kRopMaskedPattern = 0x00B8074A;       // PSDPxax: the pattern where the mask is black
const DWORD kRopPatternWhereWhite = 0x00E20746;   // DSPDxax: the pattern where the mask is white
const UINT kPartDown = TBBS_PRESSED | TBBS_CHECKED;

// Drawing objects every button shares, made with the first button.
struct SharedButtonObjects {
    HDC hImageDC = nullptr;
    HDC hMonoDC = nullptr;
    HBRUSH hHalftone = nullptr;
    HBITMAP hArrow = nullptr;   // the drop-down arrow on the button face colour
};
SharedButtonObjects g_shared;

HBRUSH MakeHalftoneBrush()
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hPattern = ::CreateCompatibleBitmap(hScreen, 8, 8);
    ::ReleaseDC(nullptr, hScreen);
    if (!hPattern)
        return nullptr;
    HGDIOBJ hOld = ::SelectObject(g_shared.hImageDC, hPattern);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ::SetPixel(g_shared.hImageDC, x, y, ((x + y) & 1) ? face : light);
    ::SelectObject(g_shared.hImageDC, hOld);
    HBRUSH hBrush = ::CreatePatternBrush(hPattern);
    ::DeleteObject(hPattern);
    return hBrush;
}

// A small downward triangle in the button text colour on the face colour.
HBITMAP MakeArrowBitmap()
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hArrow = ::CreateCompatibleBitmap(hScreen, 7, 4);
    ::ReleaseDC(nullptr, hScreen);
    if (!hArrow)
        return nullptr;
    HGDIOBJ hOld = ::SelectObject(g_shared.hImageDC, hArrow);
    RECT all{0, 0, 7, 4};
    ::SetBkColor(g_shared.hImageDC, ::GetSysColor(COLOR_BTNFACE));
    ::ExtTextOutA(g_shared.hImageDC, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    ::SetBkColor(g_shared.hImageDC, ::GetSysColor(COLOR_BTNTEXT));
    for (int row = 0; row < 4; ++row) {
        RECT line{row, row, 7 - row, row + 1};
        ::ExtTextOutA(g_shared.hImageDC, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    }
    ::SelectObject(g_shared.hImageDC, hOld);
    return hArrow;
}

void RebuildColourObjects()
{
    if (g_shared.hHalftone)
        ::DeleteObject(g_shared.hHalftone);
    if (g_shared.hArrow)
        ::DeleteObject(g_shared.hArrow);
    g_shared.hHalftone = MakeHalftoneBrush();
    g_shared.hArrow = MakeArrowBitmap();
}

void MakeSharedObjects()
{
    if (g_shared.hImageDC)
        return;
    g_shared.hImageDC = ::CreateCompatibleDC(nullptr);
    g_shared.hMonoDC = ::CreateCompatibleDC(nullptr);
    if (g_shared.hImageDC)
        RebuildColourObjects();
}

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm{};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

// A screen-format bitmap of a packed device-independent bitmap, its black, dark grey,
// light grey and white colour-table entries replaced by the button colours.
HBITMAP BitmapWithSystemColours(const BITMAPINFOHEADER* pHeader, DWORD cbResource)
{
    if (cbResource < sizeof(BITMAPINFOHEADER) || pHeader->biSize < sizeof(BITMAPINFOHEADER) || pHeader->biWidth <= 0 ||
        pHeader->biHeight == 0 || pHeader->biWidth > 4096 || pHeader->biHeight > 4096 || pHeader->biHeight < -4096)
        return nullptr;
    const DWORD nColours =
        pHeader->biBitCount <= 8 ? (pHeader->biClrUsed ? pHeader->biClrUsed : (1u << pHeader->biBitCount)) : 0;
    if (nColours > 256)
        return nullptr;
    const DWORD cbHeader = pHeader->biSize + nColours * sizeof(RGBQUAD);
    const DWORD stride = ((pHeader->biWidth * pHeader->biBitCount + 31) / 32) * 4;
    const DWORD rows = pHeader->biHeight < 0 ? -pHeader->biHeight : pHeader->biHeight;
    if (pHeader->biCompression != BI_RGB || cbResource < cbHeader || (cbResource - cbHeader) / rows < stride)
        return nullptr;
    std::vector<BYTE> info(reinterpret_cast<const BYTE*>(pHeader), reinterpret_cast<const BYTE*>(pHeader) + cbHeader);
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + pHeader->biSize);
    const struct {
        COLORREF from;
        int to;
    } map[] = {{RGB(0, 0, 0), COLOR_BTNTEXT},
               {RGB(128, 128, 128), COLOR_BTNSHADOW},
               {RGB(192, 192, 192), COLOR_BTNFACE},
               {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT}};
    for (DWORD i = 0; i < nColours; ++i)
        for (const auto& entry : map)
            if (RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue) == entry.from) {
                const COLORREF c = ::GetSysColor(entry.to);
                table[i] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
                break;
            }
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, pHeader->biWidth, rows);
    ::ReleaseDC(nullptr, hScreen);
    if (!hBitmap)
        return nullptr;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    ::StretchDIBits(hDC, 0, 0, pHeader->biWidth, rows, 0, 0, pHeader->biWidth, rows,
                    reinterpret_cast<const BYTE*>(pHeader) + cbHeader, reinterpret_cast<BITMAPINFO*>(info.data()),
                    DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

HBITMAP CopyToScreenFormat(HBITMAP hSource)
{
    const CSize size = BitmapSize(hSource);
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hCopy = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
    ::ReleaseDC(nullptr, hScreen);
    if (!hCopy)
        return nullptr;
    HDC hFrom = ::CreateCompatibleDC(nullptr), hTo = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldFrom = ::SelectObject(hFrom, hSource), hOldTo = ::SelectObject(hTo, hCopy);
    ::BitBlt(hTo, 0, 0, size.cx, size.cy, hFrom, 0, 0, SRCCOPY);
    ::SelectObject(hFrom, hOldFrom);
    ::SelectObject(hTo, hOldTo);
    ::DeleteDC(hFrom);
    ::DeleteDC(hTo);
    return hCopy;
}

BOOL InHelpMode()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->InHelpMode();
}

BOOL FlatByDefault()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->UsesFlatButtons();
}

BOOL LargeButtons()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->m_nLargeButtons == 1;
}

}   // namespace

void JButton::FreeSharedDrawingObjects()
{
    if (g_shared.hHalftone)
        ::DeleteObject(g_shared.hHalftone);
    if (g_shared.hArrow)
        ::DeleteObject(g_shared.hArrow);
    if (g_shared.hImageDC)
        ::DeleteDC(g_shared.hImageDC);
    if (g_shared.hMonoDC)
        ::DeleteDC(g_shared.hMonoDC);
    g_shared = SharedButtonObjects{};
}

BEGIN_MESSAGE_MAP(JButton, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_ENABLE()
    ON_WM_GETDLGCODE()
    ON_WM_CANCELMODE()
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_UPDATE_COMMAND_UI_RANGE(0, 0xE142, OnUpdateCommand)
END_MESSAGE_MAP()

JButton::JButton() : m_nAppearance(FlatByDefault() ? 1 : 0)
{
    MakeSharedObjects();
}

JButton::~JButton()
{
    CleanUp();
    if (m_hPlain)
        ::DeleteObject(m_hPlain);
}

BOOL JButton::Create(CWnd* pParent, CRect rect, DWORD dwStyle, UINT nID)
{
    return CWnd::Create(nullptr, "", dwStyle | WS_CHILD, rect, pParent, nID);
}

int JButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyleEx(WS_EX_NOPARENTNOTIFY, 0);
    if (m_nAppearance == 1)
        ModifyStyle(0, TBSTYLE_FLAT);
    if (GetStyle() & WS_DISABLED)
        m_nStyle |= TBBS_DISABLED;
    return 0;
}

BOOL JButton::LoadBitmap(LPCSTR lpszName)
{
    HINSTANCE hModule = AfxGetResourceHandle();
    HRSRC hRsrc = hModule ? ::FindResourceA(hModule, lpszName, RT_BITMAP) : nullptr;
    HGLOBAL hData = hRsrc ? ::LoadResource(hModule, hRsrc) : nullptr;
    const auto* pHeader = hData ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hData)) : nullptr;
    HBITMAP hBitmap = pHeader ? BitmapWithSystemColours(pHeader, ::SizeofResource(hModule, hRsrc)) : nullptr;
    if (!hBitmap)
        return FALSE;
    CleanUp();
    m_hBitmap = hBitmap;
    m_hRsrc = hRsrc;
    m_hRsrcModule = hModule;
    m_strRsrcName = IS_INTRESOURCE(lpszName) ? CString() : CString(lpszName);
    if (!IS_INTRESOURCE(lpszName))
        m_strRsrcName = lpszName;
    else
        m_strRsrcName.Format("#%u", (unsigned)(ULONG_PTR)lpszName);
    if (m_hPlain)
        ::DeleteObject(m_hPlain);
    m_hPlain = CopyToScreenFormat(m_hBitmap);
    InvalidateButton();
    return TRUE;
}

BOOL JButton::LoadBitmap(HBITMAP hBitmap)
{
    HBITMAP hCopy = CopyToScreenFormat(hBitmap);
    if (!hCopy)
        return FALSE;
    CleanUp();
    m_hBitmap = hCopy;
    m_hRsrc = nullptr;
    m_strRsrcName.Empty();
    if (m_hPlain)
        ::DeleteObject(m_hPlain);
    m_hPlain = CopyToScreenFormat(m_hBitmap);
    InvalidateButton();
    return TRUE;
}

BOOL JButton::ReloadResourceBitmap()
{
    if (!m_hRsrc || !m_hRsrcModule)
        return FALSE;
    HGLOBAL hData = ::LoadResource(m_hRsrcModule, m_hRsrc);
    const auto* pHeader = hData ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hData)) : nullptr;
    HBITMAP hBitmap = pHeader ? BitmapWithSystemColours(pHeader, ::SizeofResource(m_hRsrcModule, m_hRsrc)) : nullptr;
    if (!hBitmap)
        return FALSE;
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    if (m_hPlain)
        ::DeleteObject(m_hPlain);
    m_hBitmap = hBitmap;
    m_hPlain = CopyToScreenFormat(hBitmap);
    return TRUE;
}

void JButton::SetButtonStyle(UINT nStyle)
{
    const UINT old = m_nStyle;
    m_nStyle = nStyle;
    // From one pressed look to another nothing changes on screen.
    if (old != nStyle && !((old & kPartDown) && (nStyle & kPartDown) && ((old ^ nStyle) & ~kPartDown) == 0))
        InvalidateButton();
}

void JButton::SizeToContent()
{
    const CSize size = BitmapSize(m_hBitmap);
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, size.cx + 6, size.cy + 6,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

CRect JButton::MainPartRect() const
{
    CRect client;
    GetClientRect(client);
    if (IsDropDown())
        client.right -= m_nDropWidth;
    return client;
}

CRect JButton::DropDownPartRect() const
{
    CRect client;
    GetClientRect(client);
    if (!IsDropDown())
        return CRect(client.right, client.top, client.right, client.bottom);
    client.left = client.right - m_nDropWidth - 1;
    return client;
}

void JButton::InvalidateButton()
{
    if (m_hWnd)
        InvalidateRect(MainPartRect(), FALSE);
}

void JButton::SetPalette(HPALETTE hPalette)
{
    if (m_hPalette && m_hPalette != hPalette)
        ::DeleteObject(m_hPalette);
    m_hPalette = hPalette;
}

void JButton::CleanUp()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    if (m_hPalette)
        ::DeleteObject(m_hPalette);
    m_hPalette = nullptr;
}

void JButton::SetAppearance(long nAppearance)
{
    m_nAppearance = (int)nAppearance;
    if (!m_hWnd)
        return;
    if (nAppearance == 1)
        ModifyStyle(0, TBSTYLE_FLAT);
    else
        ModifyStyle(TBSTYLE_FLAT, 0);
    Invalidate(FALSE);
}

void JButton::DrawPart(CDC* pDC, const CRect& part, UINT nStyle, HBITMAP hImage, BOOL bFollowedByDropDown)
{
    HDC hDC = pDC->GetSafeHdc();
    if (part.Width() < 3 || part.Height() < 3)
        return;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), shadow = ::GetSysColor(COLOR_BTNSHADOW),
                   light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const BOOL bDown = (nStyle & kPartDown) != 0;
    const BOOL bFlat = m_nAppearance == 1;
    CRect inner = part;
    inner.DeflateRect(1, 1);
    pDC->FillSolidRect(inner, face);
    if (bDown) {
        pDC->Draw3dRect(part, shadow, face);
    } else if (!bFlat) {
        CRect frame = part;
        frame.bottom -= 1;
        if (!bFollowedByDropDown)
            frame.right -= 1;
        pDC->Draw3dRect(frame, light, shadow);
        pDC->FillSolidRect(part.left, part.bottom - 1, part.Width(), 1, shadow);
        if (!bFollowedByDropDown)
            pDC->FillSolidRect(part.right - 1, part.top, 1, part.Height(), shadow);
    } else if (m_bHot && !(nStyle & TBBS_DISABLED)) {
        pDC->Draw3dRect(part, light, shadow);
    } else {
        pDC->FillSolidRect(part, face);
    }
    const CSize size = BitmapSize(hImage);
    if (size.cx <= 0 || !g_shared.hImageDC)
        return;
    const int x = inner.left + (inner.Width() - size.cx) / 2 + (bDown ? 1 : 0);
    const int y = inner.top + (inner.Height() - size.cy) / 2 + (bDown ? 1 : 0);
    HGDIOBJ hOldImage = ::SelectObject(g_shared.hImageDC, hImage);
    const BOOL bDisabled = (nStyle & TBBS_DISABLED) != 0;
    if ((nStyle & TBBS_PRESSED) || !bDisabled)
        ::BitBlt(hDC, x, y, size.cx, size.cy, g_shared.hImageDC, 0, 0, SRCCOPY);
    if ((nStyle & TBBS_PRESSED) || !(nStyle & (TBBS_DISABLED | TBBS_INDETERMINATE | TBBS_CHECKED))) {
        ::SelectObject(g_shared.hImageDC, hOldImage);
        return;
    }
    // A mask of the part: black where the image has pixels neither face nor highlight.
    HBITMAP hMask = ::CreateBitmap(part.Width(), part.Height(), 1, 1, nullptr);
    HGDIOBJ hOldMono = ::SelectObject(g_shared.hMonoDC, hMask);
    ::PatBlt(g_shared.hMonoDC, 0, 0, part.Width(), part.Height(), WHITENESS);
    const int mx = x - part.left, my = y - part.top;
    ::SetBkColor(g_shared.hImageDC, face);
    ::BitBlt(g_shared.hMonoDC, mx, my, size.cx, size.cy, g_shared.hImageDC, 0, 0, SRCCOPY);
    ::SetBkColor(g_shared.hImageDC, light);
    ::BitBlt(g_shared.hMonoDC, mx, my, size.cx, size.cy, g_shared.hImageDC, 0, 0, SRCPAINT);
    ::SelectObject(g_shared.hImageDC, hOldImage);

    const COLORREF oldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(hDC, RGB(255, 255, 255));
    if (bDisabled || (nStyle & TBBS_INDETERMINATE)) {
        HBRUSH hShadow = ::CreateSolidBrush(shadow);
        HGDIOBJ hOldBrush;
        if (bDisabled) {
            HBRUSH hLight = ::CreateSolidBrush(light);
            hOldBrush = ::SelectObject(hDC, hLight);
            ::BitBlt(hDC, part.left + 1, part.top + 1, part.Width() - 1, part.Height() - 1, g_shared.hMonoDC, 0, 0,
                     kRopMaskedPattern);
            ::SelectObject(hDC, hShadow);
            ::DeleteObject(hLight);
        } else {
            hOldBrush = ::SelectObject(hDC, hShadow);
        }
        ::BitBlt(hDC, part.left, part.top, part.Width(), part.Height(), g_shared.hMonoDC, 0, 0, kRopMaskedPattern);
        ::SelectObject(hDC, hOldBrush);
        ::DeleteObject(hShadow);
    }
    if ((nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) && g_shared.hHalftone) {
        const int border = (nStyle & TBBS_INDETERMINATE) ? 3 : 2;
        HGDIOBJ hOldBrush = ::SelectObject(hDC, g_shared.hHalftone);
        ::BitBlt(hDC, part.left + border, part.top + border, part.Width() - 2 * border, part.Height() - 2 * border,
                 g_shared.hMonoDC, border, border, kRopPatternWhereWhite);
        ::SelectObject(hDC, hOldBrush);
    }
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBack);
    ::SelectObject(g_shared.hMonoDC, hOldMono);
    ::DeleteObject(hMask);
}

void JButton::Paint(CDC* pDC)
{
    if (m_nFillState == -1) {
        m_nFillState = 1;
        ApplyFill(FALSE);
    }
    CRect client;
    GetClientRect(client);
    if (m_nAppearance != 1) {
        // A frame in the window frame colour, without its corner pixels.
        const COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME);
        pDC->FillSolidRect(client.left + 1, client.top, client.Width() - 2, 1, frame);
        pDC->FillSolidRect(client.left + 1, client.bottom - 1, client.Width() - 2, 1, frame);
        pDC->FillSolidRect(client.left, client.top + 1, 1, client.Height() - 2, frame);
        pDC->FillSolidRect(client.right - 1, client.top + 1, 1, client.Height() - 2, frame);
        client.DeflateRect(1, 1);
    }
    const BOOL bDropDown = IsDropDown();
    CRect main = client;
    if (bDropDown)
        main.right -= m_nDropWidth;
    DrawPart(pDC, main, m_nStyle, m_hBitmap, bDropDown);
    if (bDropDown) {
        CRect drop = client;
        drop.left = drop.right - m_nDropWidth - 1;
        DrawPart(pDC, drop, m_nDropStyle | (m_nStyle & TBBS_DISABLED), g_shared.hArrow, FALSE);
    }
}

void JButton::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

LRESULT JButton::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    Paint(&dc);
    dc.Detach();
    return 0;
}

CWnd* JButton::NotifyTarget() const
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!hOwner)
        hOwner = ::GetParent(m_hWnd);
    return hOwner ? CWnd::FromHandle(hOwner) : nullptr;
}

void JButton::SetMessageString(UINT nID)
{
    if (CWnd* pTarget = NotifyTarget())
        pTarget->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

LRESULT JButton::Notify(UINT nCode)
{
    CWnd* pTarget = NotifyTarget();
    if (!pTarget)
        return 0;
    const UINT nID = GetDlgCtrlID();
    HWND hSelf = m_hWnd;
    LRESULT result = pTarget->SendMessage(nCode, nID, 0);
    if (!::IsWindow(hSelf))
        return 1;
    NMHDR header{hSelf, nID, nCode};
    result |= pTarget->SendMessage(WM_NOTIFY, nID, reinterpret_cast<LPARAM>(&header));
    return result;
}

void JButton::Press(CPoint point)
{
    if (InHelpMode() || (m_nStyle & TBBS_DISABLED) || !IsWindowEnabled())
        return;
    HWND hSelf = m_hWnd;
    if (IsDropDown() && DropDownPartRect().PtInRect(point)) {
        m_bDropDown = TRUE;
        m_nDropStyle |= TBBS_PRESSED;
        InvalidateRect(DropDownPartRect(), FALSE);
        UpdateWindow();
        SetMessageString(GetDlgCtrlID());
        Notify(JBN_DROPDOWN);
        // The owner's pop-up ran meanwhile; the button may be gone with it.
        if (!::IsWindow(hSelf))
            return;
        m_bDropDown = FALSE;
        m_nDropStyle &= ~TBBS_PRESSED;
        SetMessageString(AFX_IDS_IDLEMESSAGE);
        InvalidateRect(DropDownPartRect(), FALSE);
        UpdateWindow();
        return;
    }
    if (!MainPartRect().PtInRect(point))
        return;
    m_nStyle |= TBBS_PRESSED;
    InvalidateButton();
    UpdateWindow();
    SetMessageString(GetDlgCtrlID());
    if (Notify(JBN_PRESSED) == 0 && ::IsWindow(hSelf)) {
        SetCapture();
        m_bTracking = TRUE;
        return;
    }
    if (!::IsWindow(hSelf))
        return;
    m_nStyle &= ~TBBS_PRESSED;
    SetMessageString(AFX_IDS_IDLEMESSAGE);
    InvalidateButton();
}

void JButton::OnLButtonDown(UINT, CPoint point)
{
    Press(point);
}

void JButton::OnLButtonDblClk(UINT, CPoint point)
{
    Press(point);
}

void JButton::OnMouseMove(UINT, CPoint point)
{
    CRect client;
    GetClientRect(client);
    const BOOL bInside = client.PtInRect(point);
    if (!bInside && !m_bTracking)
        return;
    if (m_nAppearance == 1 && bInside && !m_bHot) {
        m_bHot = TRUE;
        Invalidate(FALSE);
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
    }
    if (::GetCapture() != m_hWnd)
        SetMessageString(AFX_IDS_IDLEMESSAGE);
    if (m_bTracking) {
        const UINT nStyle = MainPartRect().PtInRect(point) ? (m_nStyle | TBBS_PRESSED) : (m_nStyle & ~TBBS_PRESSED);
        if (nStyle != m_nStyle) {
            m_nStyle = nStyle;
            InvalidateButton();
        }
    }
}

LRESULT JButton::OnMouseLeave(WPARAM, LPARAM)
{
    if (m_bHot) {
        m_bHot = FALSE;
        Invalidate(FALSE);
    }
    return 0;
}

void JButton::OnLButtonUp(UINT, CPoint point)
{
    if (InHelpMode()) {
        if (CWnd* pFrame = GetTopLevelParent())
            pFrame->SendMessage(WM_COMMAND, ID_HELP);
        return;
    }
    const BOOL bWasTracking = m_bTracking;
    m_bTracking = FALSE;
    UINT nStyle = m_nStyle & ~TBBS_PRESSED;
    if (bWasTracking && ::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        if (MainPartRect().PtInRect(point) && !(m_nStyle & TBBS_DISABLED)) {
            if (nStyle & TBBS_CHECKBOX) {
                nStyle ^= TBBS_CHECKED;
                nStyle &= ~TBBS_INDETERMINATE;
            }
            if (CWnd* pTarget = NotifyTarget())
                pTarget->PostMessage(WM_COMMAND, GetDlgCtrlID(), reinterpret_cast<LPARAM>(m_hWnd));
        }
    }
    SetMessageString(AFX_IDS_IDLEMESSAGE);
    if (nStyle != m_nStyle) {
        m_nStyle = nStyle;
        InvalidateButton();
    }
}

void JButton::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (m_bTracking) {
        m_bTracking = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        m_nStyle &= ~TBBS_PRESSED;
        InvalidateButton();
    }
}

void JButton::OnSysColorChange()
{
    RebuildColourObjects();
    if (ReloadResourceBitmap() && m_nFillState != 0)
        m_nFillState = -1;
    Invalidate(FALSE);
}

void JButton::OnEnable(BOOL bEnable)
{
    const UINT nStyle = bEnable ? (m_nStyle & ~TBBS_DISABLED) : (m_nStyle | TBBS_DISABLED);
    if (nStyle != m_nStyle) {
        m_nStyle = nStyle;
        Invalidate(FALSE);
    }
}

void JButton::OnUpdateCommand(CCmdUI* pCmdUI)
{
    // A flat button leaves nothing of the command greyed; the next target decides the rest.
    if (m_nAppearance == 1)
        pCmdUI->Enable(TRUE);
    pCmdUI->ContinueRouting();
}

UINT JButton::OnGetDlgCode()
{
    return CWnd::OnGetDlgCode() | DLGC_BUTTON;
}

LRESULT JButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    UINT nStyle = (m_nStyle & ~(TBBS_CHECKED | TBBS_INDETERMINATE)) | TBBS_CHECKBOX;
    if (wParam == BST_CHECKED)
        nStyle |= TBBS_CHECKED;
    else if (wParam == BST_INDETERMINATE)
        nStyle |= TBBS_INDETERMINATE;
    SetButtonStyle(nStyle);
    return 0;
}

// ---- colour fill

void JButton::FillMaskColor(COLORREF crColor, LPCSTR lpszMask)
{
    if (crColor == JCOLOR_FACE)
        crColor = ::GetSysColor(COLOR_BTNFACE);
    const int sign = m_nFillState < 0 ? -1 : 1;
    if (crColor > 0xFFFFFF && crColor != JCOLOR_NONE) {
        m_nFillState = 0;
        if (m_hPlain && m_hBitmap) {
            ::DeleteObject(m_hBitmap);
            m_hBitmap = CopyToScreenFormat(m_hPlain);
        }
        InvalidateButton();
        return;
    }
    m_crFill = crColor;
    m_strMask = lpszMask && *lpszMask ? lpszMask : "IDB_PTCO2";
    m_nFillState = sign;
    ApplyFill(TRUE);
}

void JButton::ReloadColor()
{
    if (m_nFillState != 0)
        ApplyFill(TRUE);
}

void JButton::ApplyFill(BOOL bRepaint)
{
    HINSTANCE hModule = m_hRsrcModule ? m_hRsrcModule : AfxGetResourceHandle();
    const CString sized = m_strMask + (LargeButtons() ? "_ML" : "_MS");
    HBITMAP hMask = nullptr;
    if (hModule) {
        hMask = (HBITMAP)::LoadImageA(hModule, sized, IMAGE_BITMAP, 0, 0, LR_MONOCHROME);
        if (!hMask)
            hMask = (HBITMAP)::LoadImageA(hModule, m_strMask, IMAGE_BITMAP, 0, 0, LR_MONOCHROME);
    }
    HBITMAP hBase = m_hPlain ? m_hPlain : m_hBitmap;
    HBITMAP hFilled = hMask ? CopyToScreenFormat(hBase) : nullptr;
    if (!hFilled) {
        if (hMask)
            ::DeleteObject(hMask);
        m_nFillState = -1;
        if (bRepaint)
            InvalidateButton();
        return;
    }
    const CSize size = BitmapSize(hFilled), maskSize = BitmapSize(hMask);
    HDC hImage = ::CreateCompatibleDC(nullptr), hMaskDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldImage = ::SelectObject(hImage, hFilled), hOldMask = ::SelectObject(hMaskDC, hMask);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF hatch = face == RGB(0, 0, 0) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    COLORREF colour = m_crFill;
    if (m_hPalette && colour != JCOLOR_NONE)
        colour = PALETTEINDEX(::GetNearestPaletteIndex(m_hPalette, colour));
    for (int y = 0; y < size.cy && y < maskSize.cy; ++y)
        for (int x = 0; x < size.cx && x < maskSize.cx; ++x) {
            if (::GetPixel(hMaskDC, x, y) != RGB(0, 0, 0))
                continue;
            if (m_crFill == JCOLOR_NONE)
                ::SetPixelV(hImage, x, y, (x + y) % 6 == 0 ? hatch : face);
            else
                ::SetPixelV(hImage, x, y, colour);
        }
    ::SelectObject(hImage, hOldImage);
    ::SelectObject(hMaskDC, hOldMask);
    ::DeleteDC(hImage);
    ::DeleteDC(hMaskDC);
    ::DeleteObject(hMask);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hFilled;
    if (m_nFillState == 0)
        m_nFillState = 1;
    if (bRepaint)
        InvalidateButton();
}
