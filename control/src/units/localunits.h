// Reading a typed value in a control's own units, shared by the unit edits and combo boxes.
#pragma once
#include "unitsvc.h"

// Parses text as ParseUnit does. Unless useDefaultUnits, numbers typed without a
// unit are read in the given units for this one parse; the service's own defaults
// are put back afterwards (the host document's may differ from them). unitFound may be NULL.
int ParseInUnits(UINT unitType, int caseSensitive, bool useDefaultUnits, const UINT* primary, const UINT* secondary,
                 const UINT* tertiary, const GUserText& text, double* value, UINT* unitFound);
