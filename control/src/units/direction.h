// Direction arithmetic shared by the direction edit and the direction combo box.
#pragma once
#include "unitsvc.h"

#include <functional>

struct JBearingInfo;

// Radians into [0, 2pi), with multiples of a quarter turn made exact.
double NormalizedDirection(double angle);
// "N 30 E" for an angle clockwise from north (radians), the number formatted as given.
GUserText FormatQuadrantBearingText(UINT unitType, double azimuth, const tagUomFormat& format, const UINT* primary,
                                    const UINT* secondary, const UINT* tertiary);

// Reads a direction typed while bearings are on: in azimuth mode an angle from the
// base axis in its sense; otherwise a plain azimuth or a quadrant bearing ("N 30 E").
// readAngle reads a plain angle in the control's units. 1 with *direction set
// (radians counter-clockwise from east), else the failing result.
int ParseDirectionText(const JBearingInfo& bearing, UINT unitType, const GUserText& text,
                       const std::function<int(const GUserText&, double*)>& readAngle, double* direction);
// The azimuth shown for a direction in azimuth mode: from the base axis in its sense.
double AzimuthFromDirection(const JBearingInfo& bearing, double direction);
// The clockwise-from-north angle a quadrant bearing shows for a direction.
double QuadrantAzimuth(double direction);
