#include "screenshot.h"

#include "imagefile.h"

#include <cstdio>
#include <cstring>

namespace {

PixelImage RenderToPixels(HWND hWnd)
{
    PixelImage image;
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    image.width = rect.Width();
    image.height = rect.Height();
    if (image.width <= 0 || image.height <= 0)
        return image;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hBitmap)
        return PixelImage();
    HGDIOBJ old = dc.SelectObject(hBitmap);
    dc.PatBlt(0, 0, image.width, image.height, WHITENESS);
    AfxRenderWindowWithPopups(hWnd, dc);
    ::GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    image.pixels.assign(p, p + (size_t)image.width * (size_t)image.height);
    for (uint32_t& px : image.pixels)
        px &= 0x00FFFFFF;
    dc.SelectObject(old);
    ::DeleteObject(hBitmap);
    return image;
}

bool EndsWithNoCase(const CString& text, LPCSTR suffix)
{
    const int n = (int)strlen(suffix);
    return text.GetLength() >= n && text.Right(n).CompareNoCase(suffix) == 0;
}

}   // namespace

BOOL SaveWindowImage(HWND hWnd, LPCSTR lpszPath)
{
    const PixelImage image = RenderToPixels(hWnd);
    if (image.pixels.empty())
        return FALSE;
    const std::string data = EndsWithNoCase(lpszPath, ".bmp") ? EncodeBmp(image) : EncodePng(image);
    FILE* file = fopen(lpszPath, "wb");
    if (!file)
        return FALSE;
    const bool written = fwrite(data.data(), 1, data.size(), file) == data.size();
    return fclose(file) == 0 && written;
}
