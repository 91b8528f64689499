#include "commands.h"

const std::vector<DemoCategory>& DemoCategories()
{
    static const std::vector<DemoCategory> categories = {
        {"Draw",
         {{ID_DRAW_LINE, Glyph::Line, "Line"},
          {ID_DRAW_CIRCLE, Glyph::Circle, "Circle"},
          {ID_DRAW_ARC, Glyph::Arc, "Arc"},
          {ID_DRAW_RECTANGLE, Glyph::Rectangle, "Rectangle"},
          {ID_DRAW_POLYLINE, Glyph::Polyline, "Polyline"},
          {ID_DRAW_TEXT, Glyph::Text, "Text"},
          {ID_DRAW_ELLIPSE, Glyph::Ellipse, "Ellipse"},
          {ID_DRAW_POLYGON, Glyph::Polygon, "Polygon"}}},
        {"Modify",
         {{ID_MODIFY_MOVE, Glyph::Move, "Move"},
          {ID_MODIFY_COPY, Glyph::Copy, "Copy"},
          {0, Glyph::Line, nullptr},
          {ID_MODIFY_ROTATE, Glyph::Rotate, "Rotate"},
          {ID_MODIFY_MIRROR, Glyph::Mirror, "Mirror"},
          {0, Glyph::Line, nullptr},
          {ID_MODIFY_TRIM, Glyph::Trim, "Trim"},
          {ID_MODIFY_ERASE, Glyph::Erase, "Erase"}}},
        {"View",
         {{ID_VIEW_ZOOMIN, Glyph::ZoomIn, "Zoom In"},
          {ID_VIEW_ZOOMOUT, Glyph::ZoomOut, "Zoom Out"},
          {ID_VIEW_PAN, Glyph::Pan, "Pan"},
          {0, Glyph::Line, nullptr},
          {ID_VIEW_GRID, Glyph::Grid, "Grid"},
          {ID_VIEW_SNAP, Glyph::Snap, "Snap"},
          {ID_VIEW_LAYERS, Glyph::Layers, "Layers"}}},
    };
    return categories;
}

std::vector<Glyph> GlyphsOf(const DemoCategory& category)
{
    std::vector<Glyph> glyphs;
    for (const DemoCommand& command : category.commands)
        if (command.nID)
            glyphs.push_back(command.glyph);
    return glyphs;
}

std::vector<UINT> IdsOf(const DemoCategory& category)
{
    std::vector<UINT> ids;
    for (const DemoCommand& command : category.commands)
        ids.push_back(command.nID);
    return ids;
}
