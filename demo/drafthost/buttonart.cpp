#include "buttonart.h"

namespace {

// Draws one glyph in a cell of the given size, the ink colour chosen by style.
class GlyphPainter {
public:
    GlyphPainter(HDC hDC, int left, SIZE cell, bool colour) : m_dc(hDC), m_left(left), m_cell(cell), m_colour(colour) {}

    void Paint(Glyph glyph)
    {
        switch (glyph) {
        case Glyph::Line:
            Pen(RGB(0, 0, 160), 2);
            Segment(2, 13, 13, 2);
            Dot(2, 13, RGB(200, 0, 0));
            Dot(13, 2, RGB(200, 0, 0));
            break;
        case Glyph::Circle:
            Pen(RGB(0, 120, 0), 2);
            Ellipse(2, 2, 14, 13);
            Dot(8, 7, RGB(200, 0, 0));
            break;
        case Glyph::Arc:
            Pen(RGB(160, 80, 0), 2);
            ArcShape();
            break;
        case Glyph::Rectangle:
            Pen(RGB(0, 0, 160), 2);
            Frame(2, 3, 14, 12);
            break;
        case Glyph::Polyline:
            Pen(RGB(120, 0, 120), 2);
            Segment(1, 12, 5, 4);
            Segment(5, 4, 10, 10);
            Segment(10, 10, 14, 2);
            break;
        case Glyph::Text:
            Pen(RGB(0, 0, 0), 2);
            Segment(3, 13, 8, 2);
            Segment(8, 2, 13, 13);
            Segment(5, 9, 11, 9);
            break;
        case Glyph::Ellipse:
            Pen(RGB(0, 120, 0), 2);
            Ellipse(1, 4, 15, 12);
            Dot(8, 8, RGB(200, 0, 0));
            break;
        case Glyph::Polygon:
            Pen(RGB(120, 0, 120), 2);
            Segment(8, 2, 14, 6);
            Segment(14, 6, 12, 13);
            Segment(12, 13, 4, 13);
            Segment(4, 13, 2, 6);
            Segment(2, 6, 8, 2);
            break;
        case Glyph::Move:
            Pen(RGB(0, 100, 160), 2);
            Segment(8, 1, 8, 14);
            Segment(1, 7, 15, 7);
            Segment(8, 1, 6, 3);
            Segment(8, 1, 10, 3);
            break;
        case Glyph::Copy:
            Pen(RGB(90, 90, 90), 1);
            Frame(2, 2, 10, 9);
            Pen(RGB(0, 100, 160), 2);
            Frame(6, 6, 14, 13);
            break;
        case Glyph::Rotate:
            Pen(RGB(0, 130, 90), 2);
            ArcShape();
            Segment(13, 4, 13, 8);
            break;
        case Glyph::Mirror:
            Pen(RGB(120, 120, 120), 1);
            Segment(8, 1, 8, 14);
            Pen(RGB(0, 0, 160), 2);
            Segment(2, 12, 6, 4);
            Segment(14, 12, 10, 4);
            break;
        case Glyph::Trim:
            Pen(RGB(200, 0, 0), 2);
            Segment(2, 2, 14, 13);
            Segment(2, 13, 14, 2);
            break;
        case Glyph::Erase:
            Pen(RGB(200, 90, 120), 3);
            Segment(3, 11, 10, 4);
            Pen(RGB(80, 80, 80), 1);
            Segment(2, 13, 14, 13);
            break;
        case Glyph::ZoomIn:
        case Glyph::ZoomOut:
            Pen(RGB(0, 0, 0), 2);
            Ellipse(2, 2, 11, 10);
            Segment(10, 9, 14, 13);
            Pen(RGB(0, 120, 0), 1);
            Segment(4, 6, 9, 6);
            if (glyph == Glyph::ZoomIn)
                Segment(6, 4, 6, 9);
            break;
        case Glyph::Pan:
            Pen(RGB(150, 100, 40), 2);
            Frame(4, 5, 12, 13);
            Segment(6, 2, 6, 6);
            Segment(9, 1, 9, 6);
            break;
        case Glyph::Grid:
            Pen(RGB(80, 110, 170), 1);
            for (int i = 2; i <= 14; i += 4) {
                Segment(i, 1, i, 14);
                Segment(1, i, 14, i);
            }
            break;
        case Glyph::Snap:
            Pen(RGB(80, 110, 170), 1);
            Segment(2, 8, 14, 8);
            Segment(8, 2, 8, 14);
            Dot(8, 8, RGB(200, 0, 0));
            break;
        case Glyph::Layers:
            Pen(RGB(0, 100, 160), 2);
            Segment(2, 5, 8, 2);
            Segment(8, 2, 14, 5);
            Segment(2, 9, 8, 12);
            Segment(8, 12, 14, 9);
            break;
        }
        if (m_pen) {
            ::SelectObject(m_dc, ::GetStockObject(BLACK_PEN));
            ::DeleteObject(m_pen);
            m_pen = nullptr;
        }
    }

private:
    // Glyphs are designed on a 16x15 grid and scaled to the cell.
    int X(int x) const { return m_left + x * m_cell.cx / 16; }
    int Y(int y) const { return y * m_cell.cy / 15; }
    COLORREF Ink(COLORREF colour) const
    {
        if (m_colour)
            return colour;
        const int grey = (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
        return grey > 100 ? RGB(96, 96, 96) : RGB(0, 0, 0);
    }
    void Pen(COLORREF colour, int width)
    {
        if (m_pen) {
            ::SelectObject(m_dc, ::GetStockObject(BLACK_PEN));
            ::DeleteObject(m_pen);
        }
        m_pen = ::CreatePen(PS_SOLID, width * m_cell.cx / 16, Ink(colour));
        ::SelectObject(m_dc, m_pen);
    }
    void Segment(int x1, int y1, int x2, int y2)
    {
        ::MoveToEx(m_dc, X(x1), Y(y1), nullptr);
        ::LineTo(m_dc, X(x2), Y(y2));
    }
    void Frame(int l, int t, int r, int b)
    {
        Segment(l, t, r, t);
        Segment(r, t, r, b);
        Segment(r, b, l, b);
        Segment(l, b, l, t);
    }
    void Ellipse(int l, int t, int r, int b)
    {
        HGDIOBJ old = ::SelectObject(m_dc, ::GetStockObject(NULL_BRUSH));
        ::Ellipse(m_dc, X(l), Y(t), X(r), Y(b));
        ::SelectObject(m_dc, old);
    }
    void ArcShape() { ::Arc(m_dc, X(2), Y(3), X(15), Y(16), X(14), Y(9), X(3), Y(9)); }
    void Dot(int x, int y, COLORREF colour)
    {
        const int r = m_cell.cx / 16 + 1;
        HBRUSH brush = ::CreateSolidBrush(Ink(colour));
        RECT rect = {X(x) - r, Y(y) - r, X(x) + r, Y(y) + r};
        ::FillRect(m_dc, &rect, brush);
        ::DeleteObject(brush);
    }

    HDC m_dc;
    int m_left;
    SIZE m_cell;
    bool m_colour;
    HPEN m_pen = nullptr;
};

}   // namespace

SIZE ButtonArtSize(bool large)
{
    return large ? SIZE{24, 23} : SIZE{16, 15};
}

HBITMAP DrawButtonStrip(const std::vector<Glyph>& glyphs, ArtStyle style, COLORREF background)
{
    const SIZE cell = ButtonArtSize(style.large);
    const int width = cell.cx * (int)std::max<size_t>(glyphs.size(), 1);
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = cell.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, hScreen);
    if (!hBitmap) {
        ::DeleteDC(hDC);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(hDC, hBitmap);
    HBRUSH brush = ::CreateSolidBrush(background);
    RECT all = {0, 0, width, cell.cy};
    ::FillRect(hDC, &all, brush);
    ::DeleteObject(brush);
    for (size_t i = 0; i < glyphs.size(); ++i)
        GlyphPainter(hDC, (int)i * cell.cx, cell, style.colour).Paint(glyphs[i]);
    ::SelectObject(hDC, old);
    ::DeleteDC(hDC);
    return hBitmap;
}
