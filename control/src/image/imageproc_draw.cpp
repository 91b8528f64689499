// Drawing the image list's images, and the DCs all lists share.
#include "baseutil.h"
#include "jimage.h"

#include "imageproc_dc.h"
#include "imageproc_shared.h"

#include <vector>

namespace imageproc {

namespace {
SharedDCs g_shared;
bool g_bSharedMade = false;
}   // namespace

SharedDCs& Shared()
{
    if (!g_bSharedMade) {
        g_shared.bWindowsNT = JIsWindowsNT();
        g_shared.bNewShell = JIsNewShell();
        for (HDC& hDC : g_shared.hdc)
            hDC = ::CreateCompatibleDC(nullptr);
        g_bSharedMade = true;
    }
    return g_shared;
}

void ReleaseShared()
{
    for (HDC& hDC : g_shared.hdc) {
        if (hDC)
            ::DeleteDC(hDC);
        hDC = nullptr;
    }
    g_bSharedMade = false;
}

}   // namespace imageproc

namespace {

// Highlight dither over the image's opaque pixels: every second pixel when
// selected, every fourth when focused.
void Dither(HDC hTarget, int x, int y, int cx, int cy, HDC hMask, int xMask, int nImageWidth, int nImageHeight,
            UINT nStyle)
{
    const COLORREF crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    for (int ty = 0; ty < cy; ++ty) {
        for (int tx = 0; tx < cx; ++tx) {
            const bool bMarked = (nStyle & JILD_SELECTED) ? (tx + ty) % 2 == 0 : tx % 2 == 0 && ty % 2 == 0;
            if (!bMarked)
                continue;
            if (hMask) {
                const int sx = xMask + tx * nImageWidth / cx, sy = ty * nImageHeight / cy;
                if (::GetPixel(hMask, sx, sy) != RGB(0, 0, 0))
                    continue;   // transparent
            }
            ::SetPixel(hTarget, x + tx, y + ty, crHighlight);
        }
    }
}

}   // namespace

BOOL JImageList::Draw(int nImage, CDC* pDC, int x, int y, UINT nStyle)
{
    if (nImage < 0 || nImage >= m_nCount || !pDC || !pDC->GetSafeHdc())
        return FALSE;
    return DrawImage(nImage, *pDC, x, y, m_cx, m_cy, nStyle);
}

BOOL JImageList::DrawStretched(int nImage, CDC* pDC, int x, int y, int cx, int cy, UINT nStyle)
{
    if (nImage < 0 || nImage >= m_nCount || !pDC || !pDC->GetSafeHdc() || cx <= 0 || cy <= 0)
        return FALSE;
    return DrawImage(nImage, *pDC, x, y, cx, cy, nStyle);
}

BOOL JImageList::DrawImage(int nImage, HDC hDC, int x, int y, int cx, int cy, UINT nStyle)
{
    imageproc::SharedDCs& shared = imageproc::Shared();
    imageproc::Selection image(shared.hdc[0], *m_pColor);
    const int xSrc = nImage * m_cx;
    const int nOldMode = ::SetStretchBltMode(hDC, COLORONCOLOR);
    BOOL bDone;
    if (!m_pMask) {
        bDone = ::StretchBlt(hDC, x, y, cx, cy, image, xSrc, 0, m_cx, m_cy, SRCCOPY);
    } else {
        // XOR, AND, XOR: the target stays where the mask is white whatever the colour strip holds there.
        imageproc::Selection mask(shared.hdc[1], *m_pMask);
        const COLORREF crOldBk = ::SetBkColor(hDC, RGB(255, 255, 255));
        const COLORREF crOldText = ::SetTextColor(hDC, RGB(0, 0, 0));
        bDone = ::StretchBlt(hDC, x, y, cx, cy, image, xSrc, 0, m_cx, m_cy, SRCINVERT) &&
                ::StretchBlt(hDC, x, y, cx, cy, mask, xSrc, 0, m_cx, m_cy, SRCAND) &&
                ::StretchBlt(hDC, x, y, cx, cy, image, xSrc, 0, m_cx, m_cy, SRCINVERT);
        ::SetBkColor(hDC, crOldBk);
        ::SetTextColor(hDC, crOldText);
        if (bDone && (nStyle & (JILD_SELECTED | JILD_FOCUS)))
            Dither(hDC, x, y, cx, cy, mask, xSrc, m_cx, m_cy, nStyle);
    }
    if (!m_pMask && bDone && (nStyle & (JILD_SELECTED | JILD_FOCUS)))
        Dither(hDC, x, y, cx, cy, nullptr, xSrc, m_cx, m_cy, nStyle);
    ::SetStretchBltMode(hDC, nOldMode);
    return bDone;
}

HICON JImageList::ExtractIcon(int nImage)
{
    if (nImage < 0 || nImage >= m_nCount)
        return nullptr;
    const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    imageproc::Bitmap color(::CreateBitmap(cx, cy, 1, 32, nullptr));
    imageproc::Bitmap mask(::CreateBitmap(cx, cy, 1, 1, nullptr));
    if (!color || !mask)
        return nullptr;
    imageproc::SharedDCs& shared = imageproc::Shared();
    {
        imageproc::Selection from(shared.hdc[0], *m_pColor), to(shared.hdc[2], color);
        const int xSrc = nImage * m_cx;
        ::SetStretchBltMode(to, COLORONCOLOR);
        ::StretchBlt(to, 0, 0, cx, cy, from, xSrc, 0, m_cx, m_cy, SRCCOPY);
        to.Release();
        imageproc::Selection maskTo(shared.hdc[2], mask);
        if (m_pMask) {
            from.Reselect(*m_pMask);
            ::SetStretchBltMode(maskTo, COLORONCOLOR);
            ::StretchBlt(maskTo, 0, 0, cx, cy, from, xSrc, 0, m_cx, m_cy, SRCCOPY);
            // An icon's picture is black where the mask lets the background through.
            maskTo.Release();
            imageproc::Selection colorAgain(shared.hdc[2], color);
            from.Reselect(mask);
            ::SetBkColor(colorAgain, RGB(255, 255, 255));
            ::SetTextColor(colorAgain, RGB(0, 0, 0));
            ::BitBlt(colorAgain, 0, 0, cx, cy, from, 0, 0, 0x00220326);   // DSna
        } else {
            ::PatBlt(maskTo, 0, 0, cx, cy, BLACKNESS);
        }
    }
    const int nMaskStride = ((cx + 15) / 16) * 2;
    std::vector<BYTE> andBits((size_t)nMaskStride * cy), xorBits((size_t)cx * 4 * cy);
    if (!::GetBitmapBits(mask, (LONG)andBits.size(), andBits.data()) ||
        !::GetBitmapBits(color, (LONG)xorBits.size(), xorBits.data()))
        return nullptr;
    return ::CreateIcon(AfxGetInstanceHandle(), cx, cy, 1, 32, andBits.data(), xorBits.data());
}
