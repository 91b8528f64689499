// The library's image list: a colour strip and an optional mask strip.
#include "jimage.h"

#include "imageproc_dc.h"
#include "imageproc_shared.h"

namespace {

const DWORD DSPDxax = 0x00E20746;   // brush where the source is white, destination elsewhere

// A screen-format bitmap, cleared with a stock brush.
CBitmap* MakeStrip(int cx, int cy, BOOL bMono, int nStockBrush)
{
    imageproc::WindowDC screen(nullptr);
    HBITMAP hBitmap =
        bMono ? ::CreateBitmap(cx, cy, 1, 1, nullptr)
              : ::CreateBitmap(cx, cy, ::GetDeviceCaps(screen, PLANES), ::GetDeviceCaps(screen, BITSPIXEL), nullptr);
    if (!hBitmap)
        return nullptr;
    {
        imageproc::MemoryDC dc(screen);
        if (dc.Select(hBitmap)) {
            RECT all = {0, 0, cx, cy};
            ::FillRect(dc, &all, (HBRUSH)::GetStockObject(nStockBrush));
        }
    }
    auto* pStrip = new CBitmap;
    pStrip->Attach(hBitmap);
    return pStrip;
}

BITMAP Describe(HBITMAP hBitmap)
{
    BITMAP bm{};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm))
        bm.bmWidth = bm.bmHeight = 0;
    return bm;
}

}   // namespace

JImageList::~JImageList()
{
    EndDrag();
    DeleteImageList();
}

BOOL JImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    DeleteImageList();
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_cx = cx;
    m_cy = cy;
    m_nGrow = nGrow > 0 ? nGrow : 1;
    m_nCapacity = nInitial > 0 ? nInitial : 1;
    m_pColor = MakeStrip(cx * m_nCapacity, cy, FALSE, BLACK_BRUSH);
    if (m_pColor && (nFlags & JILC_MASK))
        m_pMask = MakeStrip(cx * m_nCapacity, cy, TRUE, WHITE_BRUSH);
    if (!m_pColor || ((nFlags & JILC_MASK) && !m_pMask)) {
        DeleteImageList();
        return FALSE;
    }
    return TRUE;
}

BOOL JImageList::Create(HINSTANCE hModule, LPCSTR lpszResource, int cx, int nGrow, COLORREF crKey, UINT nFlags)
{
    DeleteImageList();
    if (cx <= 0 || !lpszResource)
        return FALSE;
    HBITMAP hLoaded;
    {
        CResourceSwitch resources(hModule ? hModule : AfxGetResourceHandle());
        hLoaded = ::LoadBitmapA(AfxGetResourceHandle(), lpszResource);
    }
    const BITMAP bm = Describe(hLoaded);
    if (bm.bmWidth < cx) {
        if (hLoaded)
            ::DeleteObject(hLoaded);
        return FALSE;
    }
    m_cx = cx;
    m_cy = bm.bmHeight;
    m_nGrow = nGrow > 0 ? nGrow : 1;
    m_nCount = m_nCapacity = bm.bmWidth / cx;
    m_pColor = new CBitmap;
    m_pColor->Attach(hLoaded);
    if (nFlags & JILC_MASK) {
        m_pMask = MakeStrip(bm.bmWidth, bm.bmHeight, TRUE, WHITE_BRUSH);
        BOOL bMasked = m_pMask != nullptr;
        for (int i = 0; bMasked && i < m_nCount; ++i)
            bMasked = MakeMask(i, crKey);
        if (!bMasked) {
            DeleteImageList();
            return FALSE;
        }
    }
    return TRUE;
}

void JImageList::DeleteImageList()
{
    delete m_pColor;
    delete m_pMask;
    m_pColor = m_pMask = nullptr;
    m_cx = m_cy = m_nCount = m_nCapacity = 0;
    for (int& overlay : m_overlays)
        overlay = -1;
}

BOOL JImageList::SetImageCount(int nCount)
{
    if (nCount < 0 || nCount > m_nCount)
        return FALSE;
    m_nCount = nCount;
    return TRUE;
}

BOOL JImageList::GetImageRect(int nImage, CRect* pRect) const
{
    if (nImage < 0 || nImage >= m_nCount || !pRect)
        return FALSE;
    pRect->SetRect(nImage * m_cx, 0, (nImage + 1) * m_cx, m_cy);
    return TRUE;
}

HBITMAP JImageList::GetColorStrip() const
{
    return m_pColor ? (HBITMAP)*m_pColor : nullptr;
}

HBITMAP JImageList::GetMaskStrip() const
{
    return m_pMask ? (HBITMAP)*m_pMask : nullptr;
}

BOOL JImageList::Grow(int nImages)
{
    const int nCapacity = m_nCapacity + nImages;
    CBitmap* pColor = MakeStrip(nCapacity * m_cx, m_cy, FALSE, BLACK_BRUSH);
    CBitmap* pMask = m_pMask ? MakeStrip(nCapacity * m_cx, m_cy, TRUE, WHITE_BRUSH) : nullptr;
    if (!pColor || (m_pMask && !pMask)) {
        delete pColor;
        delete pMask;
        return FALSE;
    }
    imageproc::SharedDCs& shared = imageproc::Shared();
    imageproc::Selection from(shared.hdc[0], *m_pColor), to(shared.hdc[1], *pColor);
    ::BitBlt(to, 0, 0, m_nCount * m_cx, m_cy, from, 0, 0, SRCCOPY);
    if (m_pMask) {
        from.Reselect(*m_pMask);
        to.Reselect(*pMask);
        ::BitBlt(to, 0, 0, m_nCount * m_cx, m_cy, from, 0, 0, SRCCOPY);
    }
    from.Release();
    to.Release();
    delete m_pColor;
    delete m_pMask;
    m_pColor = pColor;
    m_pMask = pMask;
    m_nCapacity = nCapacity;
    return TRUE;
}

BOOL JImageList::CopyCell(HDC hTo, int x, HDC hFrom, const BITMAP& bm, BOOL bStretch) const
{
    if (!bStretch)
        return ::BitBlt(hTo, x, 0, m_cx, m_cy, hFrom, 0, 0, SRCCOPY);
    const int nOldMode = ::SetStretchBltMode(hTo, COLORONCOLOR);
    const BOOL bDone = ::StretchBlt(hTo, x, 0, m_cx, m_cy, hFrom, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    ::SetStretchBltMode(hTo, nOldMode);
    return bDone;
}

BOOL JImageList::StoreImage(int nImage, HBITMAP hBitmap, BOOL bStretch)
{
    const BITMAP bm = Describe(hBitmap);
    if (!bm.bmWidth || !m_pColor)
        return FALSE;
    imageproc::SharedDCs& shared = imageproc::Shared();
    imageproc::Selection from(shared.hdc[0], hBitmap), to(shared.hdc[1], *m_pColor);
    return CopyCell(to, nImage * m_cx, from, bm, bStretch);
}

BOOL JImageList::StoreMask(int nImage, HBITMAP hMask, BOOL bStretch)
{
    if (!m_pMask)
        return TRUE;
    imageproc::SharedDCs& shared = imageproc::Shared();
    imageproc::Selection to(shared.hdc[1], *m_pMask);
    if (!hMask)
        return ::PatBlt(to, nImage * m_cx, 0, m_cx, m_cy, BLACKNESS);   // opaque
    const BITMAP bm = Describe(hMask);
    imageproc::Selection from(shared.hdc[0], hMask);
    return CopyCell(to, nImage * m_cx, from, bm, bStretch);
}

int JImageList::Add(HBITMAP hBitmap, HBITMAP hMask)
{
    if (!m_pColor || !hBitmap || (m_pMask && !hMask))
        return -1;
    if (m_nCount == m_nCapacity && !Grow(m_nGrow))
        return -1;
    if (!StoreImage(m_nCount, hBitmap, TRUE) || !StoreMask(m_nCount, hMask, TRUE))
        return -1;
    return m_nCount++;
}

int JImageList::Add(HBITMAP hBitmap, COLORREF crKey)
{
    if (!m_pColor || !hBitmap)
        return -1;
    if (m_nCount == m_nCapacity && !Grow(m_nGrow))
        return -1;
    if (!StoreImage(m_nCount, hBitmap, TRUE))
        return -1;
    ++m_nCount;
    if (m_pMask && !MakeMask(m_nCount - 1, crKey)) {
        --m_nCount;
        return -1;
    }
    return m_nCount - 1;
}

BOOL JImageList::Replace(int nImage, HBITMAP hBitmap, HBITMAP hMask)
{
    if (nImage < 0 || nImage >= m_nCount || !hBitmap)
        return FALSE;
    return StoreImage(nImage, hBitmap, FALSE) && StoreMask(nImage, hMask, FALSE);
}

BOOL JImageList::Replace(int nImage, HBITMAP hBitmap, COLORREF crKey)
{
    if (nImage < 0 || nImage >= m_nCount || !hBitmap)
        return FALSE;
    return StoreImage(nImage, hBitmap, FALSE) && (!m_pMask || MakeMask(nImage, crKey));
}

BOOL JImageList::ReplaceStretched(int nImage, HBITMAP hBitmap, HBITMAP hMask)
{
    if (nImage < 0 || nImage >= m_nCount || !hBitmap)
        return FALSE;
    return StoreImage(nImage, hBitmap, TRUE) && StoreMask(nImage, hMask, TRUE);
}

BOOL JImageList::Remove(int nImage)
{
    if (nImage < 0 || nImage >= m_nCount)
        return FALSE;
    const int nLater = m_nCount - nImage - 1;
    if (nLater > 0) {
        imageproc::SharedDCs& shared = imageproc::Shared();
        imageproc::Selection strip(shared.hdc[0], *m_pColor);
        ::BitBlt(strip, nImage * m_cx, 0, nLater * m_cx, m_cy, strip, (nImage + 1) * m_cx, 0, SRCCOPY);
        if (m_pMask) {
            strip.Reselect(*m_pMask);
            ::BitBlt(strip, nImage * m_cx, 0, nLater * m_cx, m_cy, strip, (nImage + 1) * m_cx, 0, SRCCOPY);
        }
    }
    --m_nCount;
    for (int& overlay : m_overlays) {
        if (overlay == nImage)
            overlay = -1;
        else if (overlay > nImage)
            --overlay;
    }
    return TRUE;
}

BOOL JImageList::MakeMask(int nImage, COLORREF crKey)
{
    if (nImage < 0 || nImage >= m_nCount || !m_pMask)
        return FALSE;
    imageproc::Brush black(::CreateSolidBrush(RGB(0, 0, 0)));
    imageproc::SharedDCs& shared = imageproc::Shared();
    imageproc::Selection image(shared.hdc[0], *m_pColor), mask(shared.hdc[1], *m_pMask);
    const int x = nImage * m_cx;
    const COLORREF crOldBk = ::SetBkColor(image, crKey);
    BOOL bDone = ::BitBlt(mask, x, 0, m_cx, m_cy, image, x, 0, SRCCOPY);
    // Key-coloured pixels turn black in the colour strip, so that they add nothing when drawn.
    HGDIOBJ hOldBrush = ::SelectObject(image, black);
    ::SetBkColor(image, RGB(255, 255, 255));
    const COLORREF crOldText = ::SetTextColor(image, RGB(0, 0, 0));
    bDone = bDone && ::BitBlt(image, x, 0, m_cx, m_cy, mask, x, 0, DSPDxax);
    ::SelectObject(image, hOldBrush);
    ::SetBkColor(image, crOldBk);
    ::SetTextColor(image, crOldText);
    return bDone;
}

BOOL JImageList::SetOverlayImage(int nImage, int nOverlay)
{
    if (nImage < 0 || nImage >= m_nCount || nOverlay < 1 || nOverlay > 4)
        return FALSE;
    m_overlays[nOverlay - 1] = nImage;
    return TRUE;
}

int JImageList::GetOverlayImage(int nOverlay) const
{
    return nOverlay >= 1 && nOverlay <= 4 ? m_overlays[nOverlay - 1] : -1;
}

void JImageList::ReleaseSharedDCs()
{
    imageproc::ReleaseShared();
}
