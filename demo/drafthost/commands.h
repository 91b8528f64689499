// The demo's commands, grouped as it registers them with the control library.
#pragma once
#include "buttonart.h"

#include <vector>

struct DemoCommand {
    UINT nID;   // 0: a separator
    Glyph glyph;
    const char* name;
};

struct DemoCategory {
    const char* name;
    std::vector<DemoCommand> commands;
};

enum : UINT {
    ID_DRAW_LINE = 33001,
    ID_DRAW_CIRCLE,
    ID_DRAW_ARC,
    ID_DRAW_RECTANGLE,
    ID_DRAW_POLYLINE,
    ID_DRAW_TEXT,
    ID_MODIFY_MOVE = 33101,
    ID_MODIFY_COPY,
    ID_MODIFY_ROTATE,
    ID_MODIFY_MIRROR,
    ID_MODIFY_TRIM,
    ID_MODIFY_ERASE,
    ID_VIEW_ZOOMIN = 33201,
    ID_VIEW_ZOOMOUT,
    ID_VIEW_PAN,
    ID_VIEW_GRID,
    ID_VIEW_SNAP,
    ID_VIEW_LAYERS,
};

// The demo's bars' IDs, in the framework's control-bar range.
enum : UINT { ID_BAR_DRAW = 0xE810, ID_BAR_MODIFY, ID_BAR_VIEW, ID_BAR_SETTINGS, ID_BAR_UNITS };

const std::vector<DemoCategory>& DemoCategories();
// The glyphs of a category's commands, separators left out (as image strips hold them).
std::vector<Glyph> GlyphsOf(const DemoCategory& category);
// The command IDs of a category, separators included.
std::vector<UINT> IdsOf(const DemoCategory& category);
