// A bitmap drawn with its transparency colour left out.
#include "jimage.h"

#include "imageproc_dc.h"

#include <map>
#include <memory>

namespace {

// Wrappers handed out by FromHandle; they never delete the caller's bitmap.
struct TemporaryWrappers {
    std::map<HBITMAP, std::unique_ptr<CTransBitmap>> wrappers;
    ~TemporaryWrappers() { Clear(); }
    void Clear()
    {
        for (auto& entry : wrappers)
            entry.second->Detach();   // the masks go with the wrappers
        wrappers.clear();
    }
};
thread_local TemporaryWrappers t_temporary;

// The three blits: where the mask is white the target stays, elsewhere the bitmap shows.
void BlitThroughMask(HDC hTarget, int x, int y, int nWidth, int nHeight, HDC hImage, HDC hMask, int xSrc, int ySrc)
{
    const COLORREF crOldBk = ::SetBkColor(hTarget, RGB(255, 255, 255));
    const COLORREF crOldText = ::SetTextColor(hTarget, RGB(0, 0, 0));
    ::BitBlt(hTarget, x, y, nWidth, nHeight, hImage, xSrc, ySrc, SRCINVERT);
    ::BitBlt(hTarget, x, y, nWidth, nHeight, hMask, xSrc, ySrc, SRCAND);
    ::BitBlt(hTarget, x, y, nWidth, nHeight, hImage, xSrc, ySrc, SRCINVERT);
    ::SetBkColor(hTarget, crOldBk);
    ::SetTextColor(hTarget, crOldText);
}

}   // namespace

CTransBitmap::~CTransBitmap()
{
    ForgetMask();
}

void CTransBitmap::Draw(CDC* pDC, int x, int y, BOOL bTransparent)
{
    Draw(pDC, x, y, GetWidth(), GetHeight(), 0, 0, bTransparent);
}

void CTransBitmap::Draw(CDC* pDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc, BOOL bTransparent)
{
    if (bTransparent)
        DrawTransBitmap(pDC, x, y, nWidth, nHeight, xSrc, ySrc);
    else
        DrawBitmap(pDC, x, y, nWidth, nHeight, xSrc, ySrc);
}

void CTransBitmap::DrawBitmap(CDC* pDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc)
{
    if (!pDC || !pDC->GetSafeHdc() || !m_hObject)
        return;
    imageproc::MemoryDC image(*pDC);
    if (image && image.Select((HBITMAP)m_hObject))
        ::BitBlt(*pDC, x, y, nWidth, nHeight, image, xSrc, ySrc, SRCCOPY);
}

void CTransBitmap::DrawTransBitmap(CDC* pDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc)
{
    if (!pDC || !pDC->GetSafeHdc() || !m_hObject || nWidth <= 0 || nHeight <= 0 || !MakeMask())
        return;
    imageproc::Bitmap offscreen(::CreateCompatibleBitmap(*pDC, nWidth, nHeight));
    imageproc::MemoryDC work(*pDC), image(*pDC), mask(*pDC);
    if (!offscreen || !work || !image || !mask)
        return;
    work.Select(offscreen);
    image.Select((HBITMAP)m_hObject);
    mask.Select(m_hMask);
    ::BitBlt(work, 0, 0, nWidth, nHeight, *pDC, x, y, SRCCOPY);
    BlitThroughMask(work, 0, 0, nWidth, nHeight, image, mask, xSrc, ySrc);
    ::BitBlt(*pDC, x, y, nWidth, nHeight, work, 0, 0, SRCCOPY);
    work.Unselect();
}

void CTransBitmap::DrawOnDC(CDC* pDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc)
{
    if (!pDC || !pDC->GetSafeHdc() || !m_hObject || !MakeMask())
        return;
    imageproc::MemoryDC image(*pDC), mask(*pDC);
    if (!image || !mask)
        return;
    image.Select((HBITMAP)m_hObject);
    mask.Select(m_hMask);
    BlitThroughMask(*pDC, x, y, nWidth, nHeight, image, mask, xSrc, ySrc);
}

void CTransBitmap::SetTransparencyColor(COLORREF crColor)
{
    // A mask made for another colour would leave the wrong pixels out.
    ForgetMask();
    m_crTransparent = crColor;
}

int CTransBitmap::GetWidth()
{
    if (!m_nWidth)
        Measure();
    return m_nWidth;
}

int CTransBitmap::GetHeight()
{
    if (!m_nWidth)
        Measure();
    return m_nHeight;
}

BOOL CTransBitmap::DeleteObject()
{
    ForgetMask();
    m_nWidth = m_nHeight = 0;
    return CBitmap::DeleteObject();
}

CTransBitmap* CTransBitmap::FromHandle(HBITMAP hBitmap)
{
    if (!hBitmap)
        return nullptr;
    std::unique_ptr<CTransBitmap>& wrapper = t_temporary.wrappers[hBitmap];
    if (!wrapper) {
        wrapper = std::make_unique<CTransBitmap>();
        wrapper->m_hObject = hBitmap;
    }
    // The handle may have been deleted and made anew since the last call.
    wrapper->SetTransparencyColor(RGB(255, 255, 255));
    wrapper->m_nWidth = wrapper->m_nHeight = 0;
    return wrapper.get();
}

void CTransBitmap::DeleteTempMap()
{
    t_temporary.Clear();
}

void CTransBitmap::Measure()
{
    BITMAP bm;
    if (m_hObject && GetBitmap(&bm)) {
        m_nWidth = bm.bmWidth;
        m_nHeight = bm.bmHeight;
    }
}

BOOL CTransBitmap::MakeMask()
{
    if (m_hMask)
        return TRUE;
    const int nWidth = GetWidth(), nHeight = GetHeight();
    if (!nWidth || !nHeight)
        return FALSE;
    imageproc::Bitmap mask(::CreateBitmap(nWidth, nHeight, 1, 1, nullptr));
    {
        imageproc::MemoryDC image(nullptr), maskDC(nullptr);
        if (!mask || !image || !maskDC || !image.Select((HBITMAP)m_hObject) || !maskDC.Select(mask))
            return FALSE;
        ::SetBkColor(image, m_crTransparent);
        if (!::BitBlt(maskDC, 0, 0, nWidth, nHeight, image, 0, 0, SRCCOPY))
            return FALSE;
    }
    m_hMask = mask.Release();
    return TRUE;
}

void CTransBitmap::ForgetMask()
{
    if (m_hMask)
        ::DeleteObject(m_hMask);
    m_hMask = nullptr;
}
