// Directions: internal angles are radians counter-clockwise from east; the
// user sees azimuths from a base axis or quadrant bearings ("N 30 E").
#include "junitedit.h"

#include "cntlrc.h"
#include "direction.h"
#include "libstate.h"
#include "module.h"
#include "unitvalue.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kHalfPi = kPi / 2.0;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;
// Angles this close to a quarter turn are that quarter turn: pi/2 and its
// multiples are not exact doubles, and quadrants change at exactly 90 degrees.
constexpr double kQuarterSnapDegrees = 1e-9;

// In constant time, however many turns the angle holds.
double IntoFullTurn(double angle)
{
    angle = std::fmod(angle, kTwoPi);
    if (angle < 0.0)
        angle += kTwoPi;
    // A tiny negative remainder plus a full turn rounds up to the full turn.
    return angle >= kTwoPi ? 0.0 : angle;
}

// Snaps to a multiple of 90 degrees when within rounding of one, then into [0, 360).
double DegreesIntoFullTurn(double degrees)
{
    const double quarters = std::round(degrees / 90.0);
    if (std::fabs(degrees - quarters * 90.0) < kQuarterSnapDegrees)
        degrees = quarters * 90.0;
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0.0)
        degrees += 360.0;
    return degrees;
}

}   // namespace

double NormalizedDirection(double angle)
{
    const double degrees = DegreesIntoFullTurn(angle * kDegreesPerRadian);
    const double quarters = degrees / 90.0;
    if (quarters == std::floor(quarters))
        return quarters * kHalfPi;
    return IntoFullTurn(angle);
}

namespace {

struct CompassLetters {
    char north = 'N', east = 'E', west = 'W', south = 'S';
};

char FirstByte(UINT nID, char fallback)
{
    char text[16] = "";
    if (ControlResources() && ::LoadStringA(ControlResources(), nID, text, sizeof text) > 0)
        return text[0];
    return fallback;
}

const CompassLetters& Letters()
{
    static const CompassLetters letters = [] {
        CompassLetters loaded;
        loaded.north = FirstByte(IDS_COMPASS_NORTH, 'N');
        loaded.east = FirstByte(IDS_COMPASS_EAST, 'E');
        loaded.west = FirstByte(IDS_COMPASS_WEST, 'W');
        loaded.south = FirstByte(IDS_COMPASS_SOUTH, 'S');
        return loaded;
    }();
    return letters;
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// A bearing's angle is one plain angle: no arithmetic, which would name another
// direction. A slash may only stand inside a fraction written as drafters write
// it, "1/2" or "45 1/2", whole numbers on both sides and nothing chained to it.
bool IsPlainAngle(const char* text)
{
    if (strpbrk(text, "+-*()"))
        return false;
    const auto isNumberPart = [](char ch) { return IsDigit(ch) || ch == '.' || ch == ',' || ch == '/'; };
    for (const char* slash = strchr(text, '/'); slash; slash = strchr(slash + 1, '/')) {
        const char* top = slash;
        while (top != text && IsDigit(top[-1]))
            --top;
        const char* bottom = slash + 1;
        while (IsDigit(*bottom))
            ++bottom;
        if (top == slash || bottom == slash + 1)
            return false;
        if (top != text && top[-1] != ' ' && top[-1] != '\t')
            return false;
        if (isNumberPart(*bottom))
            return false;
    }
    return true;
}

// Half a step of the angle text's last place: 0.0005 rad for "1.571 rad", a quarter degree
// for "45 1/2d", half a second for "12d30m15s". A shown angle is rounded to that place, so a
// bearing near east or west can read a little past a quarter turn.
double HalfLastPlace(UINT unitType, const char* text)
{
    const char* last = text + strlen(text);
    while (last != text && !IsDigit(last[-1]))
        --last;
    const char* first = last;
    while (first != text && IsDigit(first[-1]))
        --first;
    if (first == last)
        return 0.0;
    CString step = "1";
    if (first != text && first[-1] == '/')
        step = "1/" + CString(first, int(last - first));
    else if (first != text && (first[-1] == '.' || first[-1] == ','))
        step = "0." + CString('0', int(last - first) - 1) + "1";
    step += last;   // in the unit that follows the number, or the default one
    UINT unit = UNIT_NONE;
    double value = 0.0;
    return ParseUnit(unitType, 0, GUserText(step), &value, &unit) == 1 ? value / 2.0 : 0.0;
}

}   // namespace

GUserText JDirectionEdit::FormatQuadrantBearing(double azimuth) const
{
    const tagUomFormat format = DisplayFormat();
    const UINT *primary, *secondary, *tertiary;
    DisplayUnits(&primary, &secondary, &tertiary);
    return FormatQuadrantBearingText(m_nUnitType, azimuth, format, primary, secondary, tertiary);
}

GUserText FormatQuadrantBearingText(UINT unitType, double azimuth, const tagUomFormat& format, const UINT* primary,
                                    const UINT* secondary, const UINT* tertiary)
{
    if (!std::isfinite(azimuth))
        return GUserText();
    const CompassLetters& letters = Letters();
    const double degrees = DegreesIntoFullTurn(azimuth * kDegreesPerRadian);
    char first, second;
    double angle;
    if (degrees <= 90.0) {
        first = letters.north, second = letters.east, angle = degrees;
    } else if (degrees <= 180.0) {
        first = letters.south, second = letters.east, angle = 180.0 - degrees;
    } else if (degrees <= 270.0) {
        first = letters.south, second = letters.west, angle = degrees - 180.0;
    } else {
        first = letters.north, second = letters.west, angle = 360.0 - degrees;
    }
    GUserText number;
    FormatUnit(unitType, angle * kRadiansPerDegree, number, &format, primary, secondary, tertiary);
    GUserText text;
    text += first;
    text += " ";
    text += number;
    text += " ";
    text += second;
    return text;
}

int JDirectionEdit::ParseQuadrantBearing(UINT unitType, const GUserText& text, double* angle, UINT* unitFound)
{
    CString upper = text.Text();
    upper.Trim();
    if (upper.GetLength() < 3)
        return 0;
    ::CharUpperBuffA(upper.GetBuffer(), (DWORD)upper.GetLength());
    upper.ReleaseBuffer();
    const CompassLetters& letters = Letters();
    const char first = upper[0];
    const char last = upper[upper.GetLength() - 1];
    if ((first != letters.north && first != letters.south) || (last != letters.east && last != letters.west))
        return 0;
    CString middle = upper.Mid(1, upper.GetLength() - 2);
    middle.Trim();
    // One plain angle of a quarter turn at most, as far as its last place can tell: a larger
    // angle is a typing mistake.
    if (!IsPlainAngle(middle))
        return 0;
    UINT scratchUnit = UNIT_NONE;
    double a = 0.0;
    const int result = ParseUnit(unitType, 0, GUserText(middle), &a, unitFound ? unitFound : &scratchUnit);
    if (result != 1)
        return result;
    if (!(a >= 0.0 && a <= (kHalfPi + HalfLastPlace(unitType, middle)) * (1.0 + 1e-12)))
        return 0;
    if (first == letters.north)
        *angle = last == letters.east ? a : kTwoPi - a;
    else
        *angle = last == letters.east ? kPi - a : kPi + a;
    *angle = NormalizedDirection(*angle);
    return 1;
}

int ParseDirectionText(const JBearingInfo& bearing, UINT unitType, const GUserText& text,
                       const std::function<int(const GUserText&, double*)>& readAngle, double* direction)
{
    double a = 0.0;
    int result = readAngle(text, &a);
    double value = 0.0;
    if (bearing.nAzimuthMode) {
        const double base = bearing.nBaseAxis * kHalfPi;
        value = bearing.nSense ? base - a : base + a;
    } else {
        if (result != 1)
            result = JDirectionEdit::ParseQuadrantBearing(unitType, text, &a, nullptr);
        value = kHalfPi - a;
    }
    if (result != 1)
        return result;
    if (!std::isfinite(value))
        return 0;
    *direction = NormalizedDirection(value);
    return 1;
}

double AzimuthFromDirection(const JBearingInfo& bearing, double direction)
{
    const double base = bearing.nBaseAxis * kHalfPi;
    return NormalizedDirection(bearing.nSense ? base - direction : direction - base);
}

double QuadrantAzimuth(double direction)
{
    return NormalizedDirection(kHalfPi - direction);
}

int JDirectionEdit::Parse()
{
    const JBearingInfo& bearing = ControlState().bearing;
    if (!bearing.nOn)
        return JUnitEdit::Parse();
    return UnitValue<JUnitEdit>::ParseDirection(*this, bearing);
}

void JDirectionEdit::Display()
{
    const JBearingInfo& bearing = ControlState().bearing;
    if (!bearing.nOn) {
        JUnitEdit::Display();
        return;
    }
    if (!bearing.nAzimuthMode) {
        SetWindowText(FormatQuadrantBearing(QuadrantAzimuth(m_dValue)));
        return;
    }
    SetWindowText(UnitValue<JUnitEdit>::Formatted(*this, AzimuthFromDirection(bearing, m_dValue)));
}
