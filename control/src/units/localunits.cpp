#include "localunits.h"

int ParseInUnits(UINT unitType, int caseSensitive, bool useDefaultUnits, const UINT* primary, const UINT* secondary,
                 const UINT* tertiary, const GUserText& text, double* value, UINT* unitFound)
{
    UINT scratchUnit = UNIT_NONE;
    if (!unitFound)
        unitFound = &scratchUnit;
    if (useDefaultUnits)
        return ParseUnit(unitType, caseSensitive, text, value, unitFound);
    UINT saved[3] = {UNIT_NONE, UNIT_NONE, UNIT_NONE};
    ::GetDefaultUnits(unitType, &saved[0], &saved[1], &saved[2]);
    ::SetDefaultUnits(unitType, primary, secondary, tertiary);
    const int result = ParseUnit(unitType, caseSensitive, text, value, unitFound);
    ::SetDefaultUnits(unitType, &saved[0], &saved[1], &saved[2]);
    return result;
}
