// Button pictures drawn for the demo: strips of glyphs for its commands, in
// small (16x15) and large (24x23) cells, in colour or plain, on the magenta
// that toolbars treat as transparent.
#pragma once
#include "afxwin.h"

#include <vector>

enum class Glyph {
    Line,
    Circle,
    Arc,
    Rectangle,
    Polyline,
    Text,
    Ellipse,
    Polygon,
    Move,
    Copy,
    Rotate,
    Mirror,
    Trim,
    Erase,
    ZoomIn,
    ZoomOut,
    Pan,
    Grid,
    Snap,
    Layers,
};

constexpr COLORREF kButtonArtTransparent = RGB(255, 0, 255);

struct ArtStyle {
    bool large;
    bool colour;
};

// A new bitmap (the caller owns it) holding the glyphs side by side on the background.
HBITMAP DrawButtonStrip(const std::vector<Glyph>& glyphs, ArtStyle style, COLORREF background = kButtonArtTransparent);
// The cell size of a style: 16x15 or 24x23.
SIZE ButtonArtSize(bool large);
