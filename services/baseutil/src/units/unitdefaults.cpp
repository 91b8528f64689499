// The service's process-wide defaults: units, formats, type names and the
// decimal separator.
#include "units.h"

namespace units {
namespace {

DefaultUnits g_distanceUnits = {UNIT_MILLIMETRE, UNIT_NONE, UNIT_NONE};
DefaultUnits g_angleUnits = {UNIT_DEGREE, UNIT_NONE, UNIT_NONE};
DefaultUnits g_scalarUnits = {UNIT_NONE, UNIT_NONE, UNIT_NONE};

char g_pinnedSeparator = '\0';

DefaultUnits* MutableDefaults(UINT unitType)
{
    switch (unitType) {
    case UNIT_TYPE_DISTANCE:
        return &g_distanceUnits;
    case UNIT_TYPE_ANGLE:
        return &g_angleUnits;
    case UNIT_TYPE_SCALAR:
        return &g_scalarUnits;
    default:
        return nullptr;
    }
}

bool BelongsTo(UINT unitType, UINT code, bool mayBeNone)
{
    if (code == UNIT_NONE)
        return mayBeNone || unitType == UNIT_TYPE_SCALAR;
    const UnitInfo* unit = FindUnit(code);
    return unit && unit->type == unitType;
}

}

const DefaultUnits& Defaults(UINT unitType)
{
    return *MutableDefaults(unitType);
}

double DefaultFactor(UINT unitType)
{
    const UnitInfo* unit = FindUnit(Defaults(unitType).primary);
    return unit ? unit->factor : 1.0;
}

char DecimalSeparator()
{
    if (g_pinnedSeparator)
        return g_pinnedSeparator;
    // Read on every call, so a change of the user's settings applies at once;
    // a multi-character separator is not read and '.' alone serves then.
    char text[8] = "";
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) == 2 ? text[0] : '.';
}

}

using namespace units;

int GetDefaultUnits(UINT unitType, UINT* primary, UINT* secondary, UINT* tertiary)
{
    const DefaultUnits* defaults = MutableDefaults(unitType);
    if (!defaults)
        return 0;
    if (primary)
        *primary = defaults->primary;
    if (secondary)
        *secondary = defaults->secondary;
    if (tertiary)
        *tertiary = defaults->tertiary;
    return 1;
}

int SetDefaultUnits(UINT unitType, const UINT* primary, const UINT* secondary, const UINT* tertiary)
{
    DefaultUnits* defaults = MutableDefaults(unitType);
    if (!defaults || !primary)
        return 0;
    DefaultUnits wanted = {*primary, secondary ? *secondary : UNIT_NONE, tertiary ? *tertiary : UNIT_NONE};
    if (!BelongsTo(unitType, wanted.primary, false) || !BelongsTo(unitType, wanted.secondary, true) ||
        !BelongsTo(unitType, wanted.tertiary, true))
        return 0;
    *defaults = wanted;
    return 1;
}

int GetUnitName(UINT unitType, GUserText& name)
{
    switch (unitType) {
    case UNIT_TYPE_DISTANCE:
        name = "Distance";
        return 1;
    case UNIT_TYPE_ANGLE:
        name = "Angle";
        return 1;
    case UNIT_TYPE_SCALAR:
        name = "Scalar";
        return 1;
    default:
        name.Empty();
        return 0;
    }
}

int GetDefaultUnitFormat(UINT unitType, tagUomFormat* format)
{
    if (!format || !IsKnownType(unitType))
        return 0;
    *format = tagUomFormat{};
    format->mode = UOM_FORMAT_DECIMAL;
    format->precision = 2;
    return 1;
}

void SetUnitDecimalSeparator(char separator)
{
    g_pinnedSeparator = separator;
}
