// The demo's commands, grouped as it registers them with the control library.
#pragma once
#include "buttonart.h"
#include "resource.h"   // the command IDs

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

// The demo's bars' IDs, in the framework's control-bar range.
enum : UINT {
    ID_BAR_DRAW = 0xE810,
    ID_BAR_MODIFY,
    ID_BAR_VIEW,
    ID_BAR_SETTINGS,
    ID_BAR_UNITS,
    ID_BAR_HISTORY,
    ID_BAR_ATTRIBUTES,
    ID_BAR_LAYERS,
    ID_BAR_SNAP
};

const std::vector<DemoCategory>& DemoCategories();
// The glyphs of a category's commands, separators left out (as image strips hold them).
std::vector<Glyph> GlyphsOf(const DemoCategory& category);
// The command IDs of a category, separators included.
std::vector<UINT> IdsOf(const DemoCategory& category);
