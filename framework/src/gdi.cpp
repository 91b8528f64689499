#include "afxwin.h"
#include "tempmap.h"
#include "wndmap.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <typeinfo>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CDC, CObject)

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

namespace {
// Wrappers for GDI objects the caller owns; they never delete their object.
thread_local TemporaryHandleMap<HGDIOBJ, CGdiObject> t_temporaryGdi{
    [](HGDIOBJ hObject) { return ::GetObjectType(hObject) != 0; }, [](CGdiObject& object) { object.Detach(); }};

template <class T>
T* TemporaryGdiObject(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    std::unique_ptr<CGdiObject>& temp = t_temporaryGdi.Slot(hObject);
    if (!temp || typeid(*temp) != typeid(T)) {
        if (temp)
            temp->Detach();   // the handle was reused for another kind of object
        temp = std::make_unique<T>();
        temp->m_hObject = hObject;
    }
    return static_cast<T*>(temp.get());
}

// A rectangle's frame, `size` thick, as a region (the whole rectangle when thicker than it).
void SetFrameRgn(CRgn& rgn, LPCRECT lpRect, SIZE size)
{
    if (!lpRect) {
        rgn.SetRectRgn(0, 0, 0, 0);
        return;
    }
    CRect inside(*lpRect);
    inside.DeflateRect(size.cx, size.cy);
    rgn.SetRectRgn(lpRect);
    if (inside.left < inside.right && inside.top < inside.bottom) {
        CRgn hole;
        hole.CreateRectRgnIndirect(&inside);
        rgn.CombineRgn(&rgn, &hole, RGN_DIFF);
    }
}

// Inverts the region's pixels with the brush's pattern.
void PatInvertRgn(CDC& dc, CRgn& rgn, CBrush* pBrush)
{
    CRect box;
    if (rgn.GetRgnBox(&box) == NULLREGION)
        return;
    // Clipping regions are in device units.
    POINT origin{0, 0};
    ::LPtoDP(dc, &origin, 1);
    rgn.OffsetRgn(origin);
    const int saved = dc.SaveDC();
    dc.SelectClipRgn(&rgn, RGN_AND);
    rgn.OffsetRgn(-origin.x, -origin.y);
    dc.SelectObject(pBrush);
    dc.PatBlt(box.left, box.top, box.Width(), box.Height(), PATINVERT);
    dc.RestoreDC(saved);
}
}   // namespace

void CGdiObject::DeleteTempMap()
{
    t_temporaryGdi.DeleteAll();
}

size_t CGdiObject::GetTempMapCount()
{
    return t_temporaryGdi.Count();
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return TemporaryGdiObject<CBrush>(hBrush);
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return TemporaryGdiObject<CFont>(hFont);
}

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return TemporaryGdiObject<CRgn>(hRgn);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA logFont{};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpynA(logFont.lfFaceName, lpszFaceName ? lpszFaceName : "", LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    // lfHeight holds tenths of a point: to device pixels, then to the DC's logical units.
    POINT points[2] = {{0, ::MulDiv(lpLogFont->lfHeight, ::GetDeviceCaps(hDC, LOGPIXELSY), 720)}, {0, 0}};
    ::DPtoLP(hDC, points, 2);
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    LOGFONTA logFont = *lpLogFont;
    logFont.lfHeight = -std::abs(points[0].y - points[1].y);
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

CSize CBitmap::GetSize() const
{
    BITMAP bm{};
    if (!GetBitmap(&bm))
        return CSize();
    return CSize(bm.bmWidth, bm.bmHeight);
}

CDC::~CDC()
{
    if (m_bOwned)
        DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = hDC;
    m_bOwned = FALSE;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = nullptr;
    m_bOwned = FALSE;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC)
        return FALSE;
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_bOwned;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    const BOOL ok = m_bOwned ? ::DeleteDC(m_hDC) : FALSE;
    m_hDC = nullptr;
    m_bOwned = FALSE;
    return ok;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old{};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    POINT old{};
    ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
    return old;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    const COLORREF old = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    const int x = lpRect->left, y = lpRect->top;
    const int cx = lpRect->right - x, cy = lpRect->bottom - y;
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush, CBrush* pBrushLast)
{
    if (!pBrush)
        pBrush = GetHalftoneBrush();
    if (!pBrushLast)
        pBrushLast = pBrush;
    CRgn rgnNew, rgnLast;
    rgnNew.CreateRectRgn(0, 0, 0, 0);
    rgnLast.CreateRectRgn(0, 0, 0, 0);
    SetFrameRgn(rgnNew, lpRect, size);
    SetFrameRgn(rgnLast, lpRectLast, sizeLast);
    if (pBrushLast->GetSafeHandle() == pBrush->GetSafeHandle()) {
        // Pixels in both frames would be inverted twice: leave them alone.
        CRgn rgnChanged;
        rgnChanged.CreateRectRgn(0, 0, 0, 0);
        rgnChanged.CombineRgn(&rgnNew, &rgnLast, RGN_XOR);
        PatInvertRgn(*this, rgnChanged, pBrush);
        return;
    }
    PatInvertRgn(*this, rgnLast, pBrushLast);
    PatInvertRgn(*this, rgnNew, pBrush);
}

CBrush* CDC::GetHalftoneBrush()
{
    static CBrush brush;
    static std::once_flag once;
    std::call_once(once, [] {
        const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        brush.CreatePatternBrush(hBitmap);
        ::DeleteObject(hBitmap);
    });
    return &brush;
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size{};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    AfxThreadState& state = AfxGetThreadState();
    if (state.hWndPrint == m_hWnd && state.hDCPrint) {
        Attach(state.hDCPrint);
        m_nSavedDC = SaveDC();
        ::GetClientRect(m_hWnd, &m_ps.rcPaint);
        m_ps.hdc = m_hDC;
        m_ps.fErase = FALSE;
        return;
    }
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_nSavedDC) {
        RestoreDC(m_nSavedDC);
        Detach();
        return;
    }
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd))
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd))
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
