// The units the service knows, with the spellings it reads.
#include "units.h"

#include <cstring>
#include <iterator>

namespace units {
namespace {

constexpr double kPi = 3.14159265358979323846;

const char* const kMicrometre[] = {"um", "\xB5m", "\xC2\xB5m", "micron", "microns", nullptr};
const char* const kMillimetre[] = {"mm", nullptr};
const char* const kCentimetre[] = {"cm", nullptr};
const char* const kMetre[] = {"m", "metre", "metres", "meter", "meters", nullptr};
const char* const kKilometre[] = {"km", nullptr};
const char* const kInch[] = {"in", "\"", "inch", "inches", nullptr};
const char* const kFoot[] = {"ft", "'", "foot", "feet", nullptr};
const char* const kYard[] = {"yd", "yard", "yards", nullptr};
const char* const kMile[] = {"mi", "mile", "miles", nullptr};
const char* const kRadian[] = {"rad", "r", nullptr};
const char* const kDegree[] = {"\xB0", "\xC2\xB0", "d", "deg", nullptr};
const char* const kArcminute[] = {"'", "m", "min", nullptr};
const char* const kArcsecond[] = {"\"", "s", "sec", nullptr};
const char* const kGrad[] = {"grad", "g", "gon", nullptr};
const char* const kNone[] = {nullptr};

const UnitInfo kUnits[] = {
    {UNIT_MICROMETRE, UNIT_TYPE_DISTANCE, 1e-6, "um", false, kMicrometre},
    {UNIT_MILLIMETRE, UNIT_TYPE_DISTANCE, 1e-3, "mm", false, kMillimetre},
    {UNIT_CENTIMETRE, UNIT_TYPE_DISTANCE, 1e-2, "cm", false, kCentimetre},
    {UNIT_METRE, UNIT_TYPE_DISTANCE, 1.0, "m", false, kMetre},
    {UNIT_KILOMETRE, UNIT_TYPE_DISTANCE, 1e3, "km", false, kKilometre},
    {UNIT_INCH, UNIT_TYPE_DISTANCE, 0.0254, "\"", true, kInch},
    {UNIT_FOOT, UNIT_TYPE_DISTANCE, 0.3048, "'", true, kFoot},
    {UNIT_YARD, UNIT_TYPE_DISTANCE, 0.9144, "yd", false, kYard},
    {UNIT_MILE, UNIT_TYPE_DISTANCE, 1609.344, "mi", false, kMile},
    {UNIT_RADIAN, UNIT_TYPE_ANGLE, 1.0, "rad", false, kRadian},
    {UNIT_DEGREE, UNIT_TYPE_ANGLE, kPi / 180.0, "\xB0", true, kDegree},
    {UNIT_ARCMINUTE, UNIT_TYPE_ANGLE, kPi / 10800.0, "'", true, kArcminute},
    {UNIT_ARCSECOND, UNIT_TYPE_ANGLE, kPi / 648000.0, "\"", true, kArcsecond},
    {UNIT_GRAD, UNIT_TYPE_ANGLE, kPi / 200.0, "grad", false, kGrad},
    {UNIT_NONE, UNIT_TYPE_SCALAR, 1.0, "", true, kNone},
};

bool SameSpelling(const char* name, const char* text, size_t len, bool caseSensitive)
{
    for (size_t i = 0; i < len; ++i, ++name) {
        char a = *name;
        char b = text[i];
        if (!a)
            return false;
        if (!caseSensitive) {
            if (a >= 'A' && a <= 'Z')
                a = char(a - 'A' + 'a');
            if (b >= 'A' && b <= 'Z')
                b = char(b - 'A' + 'a');
        }
        if (a != b)
            return false;
    }
    return *name == '\0';
}

}

const UnitInfo* FindUnit(UINT code)
{
    for (const UnitInfo& unit : kUnits) {
        if (unit.code == code)
            return &unit;
    }
    return nullptr;
}

const UnitInfo* FindUnitByName(UINT unitType, const char* text, size_t len, bool caseSensitive)
{
    for (const UnitInfo& unit : kUnits) {
        if (unit.type != unitType)
            continue;
        for (const char* const* name = unit.names; *name; ++name) {
            if (SameSpelling(*name, text, len, caseSensitive))
                return &unit;
        }
    }
    return nullptr;
}

bool IsKnownType(UINT unitType)
{
    return unitType == UNIT_TYPE_DISTANCE || unitType == UNIT_TYPE_ANGLE || unitType == UNIT_TYPE_SCALAR;
}

}
