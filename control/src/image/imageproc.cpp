// Colour tests, screen-format copies, masks and colour replacement.
#include "jimage.h"

#include "baseutil.h"
#include "imageproc_dc.h"

namespace {

const DWORD DSPDxax = 0x00E20746;   // brush where the source is white, destination elsewhere

BOOL ReportFailure(int nLine)
{
    HRerr(E_FAIL, __FILE__, nLine);
    return FALSE;
}

}   // namespace

BOOL JBitmapOps::IsColorBitmap(HBITMAP hBitmap)
{
    BITMAP bm;
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm))
        return FALSE;
    return bm.bmPlanes >= 2 || bm.bmBitsPixel >= 2;
}

HBITMAP JBitmapOps::CopyBitmapImage(CWnd* pWnd, HBITMAP hSource, COLORREF* pBackground)
{
    BITMAP bm;
    if (!hSource || !::GetObjectA(hSource, sizeof bm, &bm))
        return nullptr;
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    HDC hWindowDC = ::GetDC(hWnd);
    if (!hWindowDC)
        return nullptr;
    HBITMAP hResult = ::CreateBitmap(bm.bmWidth, bm.bmHeight, ::GetDeviceCaps(hWindowDC, PLANES),
                                     ::GetDeviceCaps(hWindowDC, BITSPIXEL), nullptr);
    BOOL bDone = FALSE;
    {
        imageproc::Bitmap mono;   // before the DCs: it must outlive its selection
        imageproc::MemoryDC source(hWindowDC), target(hWindowDC);
        // A source selected into another DC cannot be read.
        if (hResult && source && target && (source.Select(hSource) || ReportFailure(__LINE__))) {
            if (IsColorBitmap(hSource)) {
                bDone =
                    target.Select(hResult) &&
                    (::BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY) || ReportFailure(__LINE__));
            } else {
                // A true monochrome copy first: a 1-bit source may carry a colour table of its own.
                mono.Reset(::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr));
                bDone =
                    mono && target.Select(mono) &&
                    (::BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY) || ReportFailure(__LINE__));
                // A bitmap is selected into one DC at a time.
                target.Unselect();
                source.Unselect();
                bDone = bDone && source.Select(mono) && target.Select(hResult);
                ::SetTextColor(target, RGB(0, 0, 0));
                ::SetBkColor(target, pBackground ? *pBackground : RGB(255, 255, 255));
                bDone = bDone && (::BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY) ||
                                  ReportFailure(__LINE__));
            }
        }
        source.Unselect();
        target.Unselect();
    }
    if (!::ReleaseDC(hWnd, hWindowDC))
        bDone = ReportFailure(__LINE__);
    if (!bDone && hResult) {
        ::DeleteObject(hResult);
        hResult = nullptr;
    }
    return hResult;
}

HBITMAP JBitmapOps::CreateMask(CWnd* pWnd, HBITMAP hSource, COLORREF* pKey)
{
    BITMAP bm;
    if (!hSource || !::GetObjectA(hSource, sizeof bm, &bm))
        return nullptr;
    imageproc::Bitmap colour;   // before the DCs: it must outlive its selection
    imageproc::WindowDC windowDC(pWnd);
    imageproc::MemoryDC source(windowDC), target(windowDC);
    HBITMAP hMask = ::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
    if (!hMask || !source || !target || !source.Select(hSource)) {
        if (hMask)
            ::DeleteObject(hMask);
        return nullptr;
    }
    const COLORREF crKey = pKey ? *pKey : ::GetPixel(source, 0, 0);
    BOOL bDone = TRUE;
    if (!IsColorBitmap(hSource)) {
        // A two-colour source is compared by the colours it shows (its own colour
        // table, or black and white), not by its bits: it is seen in colour first.
        colour.Reset(::CreateCompatibleBitmap(windowDC, bm.bmWidth, bm.bmHeight));
        bDone = colour && target.Select(colour);
        ::SetTextColor(target, RGB(0, 0, 0));
        ::SetBkColor(target, RGB(255, 255, 255));
        bDone = bDone && ::BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
        target.Unselect();
        source.Unselect();
        bDone = bDone && source.Select(colour);
    }
    // Colour to monochrome: pixels of the background colour become white.
    ::SetBkColor(source, crKey);
    bDone = bDone && target.Select(hMask) && ::BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
    target.Unselect();
    source.Unselect();
    if (!bDone) {
        ::DeleteObject(hMask);
        return nullptr;
    }
    return hMask;
}

HBITMAP JBitmapOps::CreateMaskedBitmap(CWnd* pWnd, HBITMAP hColor, HBITMAP hMask, COLORREF* pFill)
{
    HBITMAP hCopy = CopyBitmapImage(pWnd, hColor, nullptr);
    if (!hCopy)
        return nullptr;
    BITMAP bm;
    ::GetObjectA(hCopy, sizeof bm, &bm);
    imageproc::Bitmap blank;   // before the DCs: it must outlive its selection
    imageproc::WindowDC windowDC(pWnd);
    imageproc::MemoryDC target(windowDC), source(windowDC);
    if (!hMask) {
        // A black mask changes nothing, as without one.
        blank.Reset(::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr));
        hMask = blank;
        if (hMask && source) {
            source.Select(hMask);
            ::PatBlt(source, 0, 0, bm.bmWidth, bm.bmHeight, BLACKNESS);
        }
    }
    if (!hMask || !target || !source)
        return hCopy;
    target.Select(hCopy);
    source.Select(hMask);
    ::SetBkColor(target, pFill ? *pFill : ::GetPixel(target, 0, 0));
    ::SetTextColor(target, RGB(0, 0, 0));
    ::BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCINVERT);
    source.Unselect();
    return hCopy;
}

BOOL JBitmapOps::ReplaceColor(HBITMAP hBitmap, COLORREF crFrom, COLORREF crTo, HPALETTE hPalette)
{
    BITMAP bm;
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm))
        return FALSE;
    if (!IsColorBitmap(hBitmap))
        return TRUE;
    imageproc::Bitmap mask(::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr));
    imageproc::Brush brush(::CreateSolidBrush(crTo));
    imageproc::WindowDC windowDC(nullptr);
    imageproc::MemoryDC image(windowDC), maskDC(windowDC);
    if (!image || !maskDC || !mask || !brush)
        return FALSE;
    image.Select(hBitmap);
    HPALETTE hOldPalette = nullptr;
    if (hPalette) {
        hOldPalette = ::SelectPalette(image, hPalette, FALSE);
        ::RealizePalette(image);
    }
    maskDC.Select(mask);
    ::SetBkColor(image, crFrom);
    BOOL bDone = ::BitBlt(maskDC, 0, 0, bm.bmWidth, bm.bmHeight, image, 0, 0, SRCCOPY);
    HGDIOBJ hOldBrush = ::SelectObject(image, brush);
    ::SetBkColor(image, RGB(255, 255, 255));
    ::SetTextColor(image, RGB(0, 0, 0));
    bDone = bDone && ::BitBlt(image, 0, 0, bm.bmWidth, bm.bmHeight, maskDC, 0, 0, DSPDxax);
    ::SelectObject(image, hOldBrush);
    if (hPalette)
        ::SelectPalette(image, hOldPalette, FALSE);
    maskDC.Unselect();
    return bDone;
}

HBITMAP JBitmapOps::ReplaceBackgroundColor(HBITMAP hBitmap, COLORREF* pFrom, COLORREF* pTo)
{
    BITMAP bm;
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm))
        return nullptr;
    imageproc::WindowDC windowDC(nullptr);
    imageproc::MemoryDC image(windowDC);
    if (!image)
        return hBitmap;
    image.Select(hBitmap);
    const COLORREF crTo = pTo ? *pTo : ::GetSysColor(COLOR_BTNFACE);
    const COLORREF crFrom = pFrom ? *pFrom : ::GetPixel(image, 0, 0);
    if (crFrom == crTo)
        return hBitmap;
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x)
            if (::GetPixel(image, x, y) == crFrom)
                ::SetPixel(image, x, y, crTo);
    return hBitmap;
}

BOOL JBitmapOps::ApplyInactiveLook(HBITMAP hBitmap)
{
    return ReplaceColor(hBitmap, RGB(0x94, 0x94, 0x94), RGB(255, 255, 255)) &&
           ReplaceColor(hBitmap, RGB(0xC0, 0xC0, 0xC0), RGB(255, 255, 255)) &&
           ReplaceColor(hBitmap, RGB(0x80, 0x80, 0x80), RGB(0, 0, 0)) &&
           ReplaceColor(hBitmap, RGB(255, 255, 255), ::GetSysColor(COLOR_BTNFACE));
}
