// Unit services: quantities typed and shown with units (distances, angles,
// scalars). Values are held in internal units: metres for distances, radians
// counter-clockwise from east for angles, plain numbers for scalars.
#pragma once
#include "baseutil.h"

#include <cstddef>

// Unit type codes.
enum : UINT {
    UNIT_TYPE_DISTANCE = 1,   // also line weights
    UNIT_TYPE_ANGLE = 2,      // also directions
    UNIT_TYPE_SCALAR = 58,
};

// Unit codes. UNIT_NONE marks an absent secondary or tertiary unit and is the
// only unit of scalars.
enum : UINT {
    UNIT_MICROMETRE = 60,
    UNIT_MILLIMETRE = 61,   // the default unit of line weights
    UNIT_CENTIMETRE = 62,
    UNIT_METRE = 63,
    UNIT_KILOMETRE = 64,
    UNIT_INCH = 70,
    UNIT_FOOT = 71,
    UNIT_YARD = 72,
    UNIT_MILE = 73,
    UNIT_RADIAN = 80,
    UNIT_DEGREE = 81,
    UNIT_ARCMINUTE = 82,
    UNIT_ARCSECOND = 83,
    UNIT_GRAD = 84,
    UNIT_NONE = 345,
};

// Format modes (first byte of tagUomFormat).
enum : BYTE {
    UOM_FORMAT_DECIMAL = 0,    // the last unit with `precision` decimals: 12.70 mm, 5'-6.50", 12°30'15.00"
    UOM_FORMAT_FRACTION = 1,   // the last unit with a fraction of denominator up to 2^precision: 5'-6 1/2"
};

// A display format, copied whole (20 bytes).
struct tagUomFormat {
    BYTE mode;        // UOM_FORMAT_*
    BYTE precision;   // decimals (0-15); for fractions log2 of the largest denominator (0-8, 8 = 1/256)
    BYTE reserved1[2];
    DWORD reserved2;
    DWORD reserved3;
    DWORD integerDisplay;   // 1: whole numbers only, whatever the precision
    DWORD reserved4;
};
static_assert(sizeof(tagUomFormat) == 20, "tagUomFormat is copied as five 32-bit words");
static_assert(offsetof(tagUomFormat, integerDisplay) == 12, "the integer flag is the fourth word");

// Reads text as a quantity of unitType: numbers with units, compound forms
// (5'-6 1/2", 12°30'15", 1 m 25 cm), mixed numbers (6-1/2, 6 1/2), + - * /
// and parentheses. A number without a unit is in the default primary unit.
// Unit names match regardless of case unless caseSensitive is non-zero. The
// decimal separator is "." or the user's locale separator. Returns 1 with
// *value in internal units and *unitFound the first unit named (the default
// primary unit when none is), or 0 when the text cannot be read one way only.
BASEUTIL_API int ParseUnit(UINT unitType, int caseSensitive, const GUserText& text, double* value, UINT* unitFound);

// Formats value (internal units) in the primary unit, or in primary and
// secondary (and tertiary) units where each is a whole multiple of the next.
// A null format or null primary unit means the type's defaults. Returns 1, or
// 0 with an empty text for an unknown type or unit, or a value that is not
// finite or does not fit a double in the primary unit.
BASEUTIL_API int FormatUnit(UINT unitType, double value, GUserText& text, const tagUomFormat* format,
                            const UINT* primary, const UINT* secondary, const UINT* tertiary);

// The process-wide default units of a type; null pointers are skipped. 0 for an unknown type.
BASEUTIL_API int GetDefaultUnits(UINT unitType, UINT* primary, UINT* secondary, UINT* tertiary);
// Sets them; a null secondary or tertiary means UNIT_NONE. 0 (nothing changed) when
// the type is unknown, the primary is null or a unit does not belong to the type.
BASEUTIL_API int SetDefaultUnits(UINT unitType, const UINT* primary, const UINT* secondary, const UINT* tertiary);
// The type's name ("Distance", "Angle", "Scalar"); 0 (and empty) for an unknown type.
BASEUTIL_API int GetUnitName(UINT unitType, GUserText& name);
// The type's default display format; 0 for an unknown type or a null pointer.
BASEUTIL_API int GetDefaultUnitFormat(UINT unitType, tagUomFormat* format);

// Pins the decimal separator the service reads and writes (tests, hosts with a
// document locale); '\0' returns to the user's locale setting.
BASEUTIL_API void SetUnitDecimalSeparator(char separator);
