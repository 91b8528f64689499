// Bitmaps of chosen formats and pixels for the image processing tests.
#pragma once
#include "afxwin.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace image_test {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

// The system makes some objects once per process on the first use of the screen
// DC, of a window and of the desktop's DC; made here, they stay out of the counts.
inline void WarmUpGdi()
{
    static bool warm = false;
    if (warm)
        return;
    warm = true;
    ::ReleaseDC(nullptr, ::GetDC(nullptr));
    ::DeleteDC(::CreateCompatibleDC(nullptr));
    HWND hWnd =
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const HWND hDesktop = ::GetDesktopWindow();
    ::LockWindowUpdate(hDesktop);
    ::ReleaseDC(hDesktop, ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE));
    ::LockWindowUpdate(nullptr);
    ::DestroyWindow(hWnd);
}

// GDI objects the process holds now. Wine answers 0 to GetGuiResources, and its handle table
// answers for any handle value by index alone: the live entries are counted instead.
inline DWORD GdiObjects()
{
    if (DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return count;
    DWORD live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)))
            ++live;
    return live;
}

// Every GDI object made during a test is gone at its end.
class GdiLeakCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        WarmUpGdi();
        m_gdiBefore = GdiObjects();
    }
    void TearDown() override { EXPECT_EQ(m_gdiBefore, GdiObjects()) << "GDI objects leaked"; }

private:
    DWORD m_gdiBefore = 0;
};

// A DIB section of bpp bits per pixel filled with `fill`; 1- and 8-bit ones
// get `palette` as colour table (black and white when empty).
inline HBITMAP MakeDib(int width, int height, int bpp, COLORREF fill, std::initializer_list<COLORREF> palette = {})
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = (WORD)bpp;
    info.header.biCompression = BI_RGB;
    static const std::initializer_list<COLORREF> blackAndWhite = {RGB(0, 0, 0), RGB(255, 255, 255)};
    if (bpp <= 8) {
        DWORD used = 0;
        for (COLORREF color : palette.size() ? palette : blackAndWhite)
            info.colors[used++] = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
        info.header.biClrUsed = used;
    }
    void* bits = nullptr;
    HBITMAP hBitmap =
        ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    HBRUSH hBrush = ::CreateSolidBrush(fill);
    RECT all = {0, 0, width, height};
    ::FillRect(hDC, &all, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

inline void SetPixels(HBITMAP hBitmap, std::initializer_list<POINT> points, COLORREF color)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (const POINT& point : points)
        ::SetPixel(hDC, point.x, point.y, color);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
}

inline COLORREF PixelOf(HBITMAP hBitmap, int x, int y)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const COLORREF color = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return color;
}

// A monochrome bitmap of w x h, white or black, with the points in the other colour.
inline HBITMAP MonoBitmap(int w, int h, bool white, std::initializer_list<POINT> points)
{
    HBITMAP hBitmap = ::CreateBitmap(w, h, 1, 1, nullptr);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    ::PatBlt(hDC, 0, 0, w, h, white ? WHITENESS : BLACKNESS);
    for (const POINT& point : points)
        ::SetPixel(hDC, point.x, point.y, white ? RGB(0, 0, 0) : RGB(255, 255, 255));
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

// Holds a bitmap and deletes it at the end of its scope; assigning deletes the one held.
class Gdi {
public:
    Gdi(HBITMAP hBitmap = nullptr) : m_h(hBitmap) {}
    Gdi(const Gdi&) = delete;
    ~Gdi() { ::DeleteObject(m_h); }
    Gdi& operator=(HBITMAP hBitmap)
    {
        ::DeleteObject(m_h);
        m_h = hBitmap;
        return *this;
    }
    operator HBITMAP() const { return m_h; }
    COLORREF Pixel(int x, int y) const { return PixelOf(m_h, x, y); }

private:
    HBITMAP m_h;
};

// A DIB section of `fill` with the points in `colour`.
inline HBITMAP PaintedDib(int width, int height, int bpp, COLORREF fill, std::initializer_list<POINT> points,
                          COLORREF colour, std::initializer_list<COLORREF> palette = {})
{
    HBITMAP hBitmap = MakeDib(width, height, bpp, fill, palette);
    SetPixels(hBitmap, points, colour);
    return hBitmap;
}

// Expects each listed pixel of a Gdi bitmap or a memory canvas to have its colour.
struct PixelAt {
    int x, y;
    COLORREF colour;
};
template <class Canvas>
void ExpectPixels(const Canvas& canvas, std::initializer_list<PixelAt> pixels)
{
    for (const PixelAt& pixel : pixels)
        EXPECT_EQ(pixel.colour, canvas.Pixel(pixel.x, pixel.y)) << "at " << pixel.x << "," << pixel.y;
}

// Runs draw(CDC*) on anything that answers dc(), a memory canvas say.
template <class Canvas, class Draw>
void DrawOn(Canvas& canvas, Draw draw)
{
    CDC dc;
    dc.Attach(canvas.dc());
    draw(&dc);
    dc.Detach();
}

inline BITMAP Describe(HBITMAP hBitmap)
{
    BITMAP bm{};
    ::GetObjectA(hBitmap, sizeof bm, &bm);
    return bm;
}

}   // namespace image_test
