// Direction arithmetic shared by the direction edit and the direction combo box.
#pragma once
#include "unitsvc.h"

// Radians into [0, 2pi), with multiples of a quarter turn made exact.
double NormalizedDirection(double angle);
// "N 30 E" for an angle clockwise from north (radians), the number formatted as given.
GUserText FormatQuadrantBearingText(UINT unitType, double azimuth, const tagUomFormat& format, const UINT* primary,
                                    const UINT* secondary, const UINT* tertiary);
