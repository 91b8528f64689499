// Shared by the unit service's sources: the unit tables, the defaults and the
// decimal separator.
#pragma once
#include "unitsvc.h"

#include <cstddef>

namespace units {

struct UnitInfo {
    UINT code;
    UINT type;
    double factor;              // internal units per unit
    const char* label;          // as formatted
    bool symbolLabel;           // written right after the number (' " °), else after a space
    const char* const* names;   // every spelling the parser reads, null-terminated
};

// The unit of that code, or null.
const UnitInfo* FindUnit(UINT code);
// The unit of unitType spelled by the len characters at text, or null.
const UnitInfo* FindUnitByName(UINT unitType, const char* text, size_t len, bool caseSensitive);
bool IsKnownType(UINT unitType);

struct DefaultUnits {
    UINT primary;
    UINT secondary;
    UINT tertiary;
};
// The current defaults of a known type.
const DefaultUnits& Defaults(UINT unitType);
// Internal units per default primary unit (1 for scalars).
double DefaultFactor(UINT unitType);

// The decimal separator read and written beside '.'.
char DecimalSeparator();

}
