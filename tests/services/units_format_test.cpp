// FormatUnit: each row is a value in internal units, the format and units, and
// the exact text shown.
#include "units_support.h"

#include <cmath>
#include <limits>
#include <utility>
#include <string>
#include <vector>

namespace {

using namespace units_test;

struct FormatRow {
    double value;
    tagUomFormat format;
    const char* expected;
    UINT primary;
    UINT secondary = UNIT_NONE;
    UINT tertiary = UNIT_NONE;
};

void ExpectFormats(UINT type, const std::vector<FormatRow>& rows)
{
    for (const FormatRow& row : rows) {
        SCOPED_TRACE(row.expected);
        GUserText text = "stale";
        ASSERT_EQ(1, FormatUnit(type, row.value, text, &row.format, &row.primary, &row.secondary, &row.tertiary));
        EXPECT_STREQ(row.expected, text);
    }
}

using UnitFormatTest = UnitServiceTest;

const tagUomFormat kTwoDecimals = Format(UOM_FORMAT_DECIMAL, 2);
const tagUomFormat kNoDecimals = Format(UOM_FORMAT_DECIMAL, 0);
const tagUomFormat kSixtyFourths = Format(UOM_FORMAT_FRACTION, 6);
const tagUomFormat kTwoFiftySixths = Format(UOM_FORMAT_FRACTION, 8);

// Rounded to nothing: no minus sign on zero. Inches that round up to a whole foot carry
// into the feet. Radians do not divide into degrees: the degrees are left out.
TEST_F(UnitFormatTest, DistancesAnglesAndScalars)
{
    const double fiveSixHalf = 5 * kFoot + 6.5 * kInch;
    const tagUomFormat threeDecimals = Format(UOM_FORMAT_DECIMAL, 3);
    // clang-format off
    const std::vector<FormatRow> distances = {
        {0.0125, kTwoDecimals, "12.50 mm", UNIT_MILLIMETRE},
        {0.0125, Format(UOM_FORMAT_DECIMAL, 4), "0.0125 m", UNIT_METRE},
        {0.00013, kTwoDecimals, "0.13 mm", UNIT_MILLIMETRE}, {250e-6, kNoDecimals, "250 um", UNIT_MICROMETRE},
        {1500.0, Format(UOM_FORMAT_DECIMAL, 1), "1.5 km", UNIT_KILOMETRE},
        {-0.0125, kTwoDecimals, "-12.50 mm", UNIT_MILLIMETRE}, {-1e-7, kTwoDecimals, "0.00 mm", UNIT_MILLIMETRE},
        {0.5 * kInch, kTwoDecimals, "0.50\"", UNIT_INCH},
        {1.25, kTwoDecimals, "1 m 25.00 cm", UNIT_METRE, UNIT_CENTIMETRE}, {2 * 0.9144, kNoDecimals, "2 yd", UNIT_YARD},
        {0.0126, Format(UOM_FORMAT_FRACTION, 3, 1), "13 mm", UNIT_MILLIMETRE},
        {fiveSixHalf, kTwoDecimals, "5'-6.50\"", UNIT_FOOT, UNIT_INCH},
        {fiveSixHalf, kSixtyFourths, "5'-6 1/2\"", UNIT_FOOT, UNIT_INCH},
        {-fiveSixHalf, kSixtyFourths, "-5'-6 1/2\"", UNIT_FOOT, UNIT_INCH},
        {5 * kFoot, kSixtyFourths, "5'-0\"", UNIT_FOOT, UNIT_INCH},
        {5 * kFoot + kInch / 4, kSixtyFourths, "5'-0 1/4\"", UNIT_FOOT, UNIT_INCH},
        {6.5 * kInch, kSixtyFourths, "6 1/2\"", UNIT_INCH}, {kInch / 4, kSixtyFourths, "1/4\"", UNIT_INCH},
        {kInch / 256, kTwoFiftySixths, "1/256\"", UNIT_INCH}, {kInch / 256, kSixtyFourths, "0\"", UNIT_INCH},
        {3 * kInch / 64, kSixtyFourths, "3/64\"", UNIT_INCH},
        {5 * kFoot + 11.999 * kInch, kTwoDecimals, "6'-0.00\"", UNIT_FOOT, UNIT_INCH},
        {2 * 0.9144 + kFoot + 3.5 * kInch, Format(UOM_FORMAT_FRACTION, 1), "2 yd 1'-3 1/2\"", UNIT_YARD, UNIT_FOOT,
         UNIT_INCH},
    };
    const double dms = (12 + 30 / 60.0 + 15 / 3600.0) * kDegree;
    const std::vector<FormatRow> angles = {
        {45 * kDegree, kTwoDecimals, "45.00\xB0", UNIT_DEGREE},
        {dms, kNoDecimals, "12\xB0" "30'15\"", UNIT_DEGREE, UNIT_ARCMINUTE, UNIT_ARCSECOND},
        {dms, kTwoDecimals, "12\xB0" "30'15.00\"", UNIT_DEGREE, UNIT_ARCMINUTE, UNIT_ARCSECOND},
        {-dms, kNoDecimals, "-12\xB0" "30'15\"", UNIT_DEGREE, UNIT_ARCMINUTE, UNIT_ARCSECOND},
        {12.5 * kDegree, kNoDecimals, "12\xB0" "30'", UNIT_DEGREE, UNIT_ARCMINUTE},
        {1.5, threeDecimals, "1.500 rad", UNIT_RADIAN}, {90 * kDegree, kNoDecimals, "100 grad", UNIT_GRAD},
        {1.5, kTwoDecimals, "1.50 rad", UNIT_RADIAN, UNIT_DEGREE},
    };
    const std::vector<FormatRow> scalars = {
        {2.5, threeDecimals, "2.500", UNIT_NONE}, {2.6, Format(UOM_FORMAT_DECIMAL, 3, 1), "3", UNIT_NONE},
        {2.5, Format(UOM_FORMAT_FRACTION, 3), "2 1/2", UNIT_NONE},
    };
    // clang-format on
    ExpectFormats(UNIT_TYPE_DISTANCE, distances);
    ExpectFormats(UNIT_TYPE_ANGLE, angles);
    ExpectFormats(UNIT_TYPE_SCALAR, scalars);
    SetUnitDecimalSeparator(',');
    ExpectFormats(UNIT_TYPE_DISTANCE, {{0.0125, kTwoDecimals, "12,50 mm", UNIT_MILLIMETRE},
                                       {fiveSixHalf, kTwoDecimals, "5'-6,50\"", UNIT_FOOT, UNIT_INCH}});
}

TEST_F(UnitFormatTest, UserLocaleSeparatorWhenNotPinned)
{
    SetUnitDecimalSeparator('\0');
    char separator[8] = "";
    ASSERT_EQ(2, GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator));
    GUserText text;
    ASSERT_EQ(1, FormatUnit(UNIT_TYPE_DISTANCE, 0.0125, text, &kTwoDecimals, nullptr, nullptr, nullptr));
    EXPECT_EQ(std::string("12") + separator + "50 mm", text.GetString());
    double value = 0.0;
    ASSERT_EQ(1, ParseUnit(UNIT_TYPE_DISTANCE, 0, text, &value, nullptr));
    EXPECT_DOUBLE_EQ(0.0125, value);
}

TEST_F(UnitFormatTest, DefaultsWhenFormatOrUnitsAreMissing)
{
    GUserText text;
    ASSERT_EQ(1, FormatUnit(UNIT_TYPE_DISTANCE, 0.0125, text, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ("12.50 mm", text);
    UseDefaults(UNIT_TYPE_DISTANCE, UNIT_FOOT, UNIT_INCH);
    ASSERT_EQ(1, FormatUnit(UNIT_TYPE_DISTANCE, 5 * kFoot + 6 * kInch, text, &kNoDecimals, nullptr, nullptr, nullptr));
    EXPECT_STREQ("5'-6\"", text);
    // A primary alone: no secondary unit.
    UINT foot = UNIT_FOOT;
    ASSERT_EQ(1, FormatUnit(UNIT_TYPE_DISTANCE, 1.6 * kFoot, text, &kNoDecimals, &foot, nullptr, nullptr));
    EXPECT_STREQ("2'", text);
}

TEST_F(UnitFormatTest, RefusesUnknownTypesUnitsAndValues)
{
    UINT degree = UNIT_DEGREE, metre = UNIT_METRE, unknown = 1000;
    GUserText text = "stale";
    EXPECT_EQ(0, FormatUnit(UNIT_TYPE_DISTANCE, 1.0, text, &kTwoDecimals, &degree, nullptr, nullptr));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, FormatUnit(UNIT_TYPE_DISTANCE, 1.0, text, &kTwoDecimals, &metre, &unknown, nullptr));
    EXPECT_EQ(0, FormatUnit(UNIT_TYPE_SCALAR, 1.0, text, &kTwoDecimals, &metre, nullptr, nullptr));
    EXPECT_EQ(0, FormatUnit(7, 1.0, text, &kTwoDecimals, nullptr, nullptr, nullptr));
    // Too large to write in millimetres at all.
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::max()})
        EXPECT_EQ(0, FormatUnit(UNIT_TYPE_DISTANCE, bad, text, &kTwoDecimals, nullptr, nullptr, nullptr)) << bad;
}

// The largest double in miles: the rounded number times a mile must not overflow.
TEST_F(UnitFormatTest, HugeValuesStillReadBack)
{
    const UINT mile = UNIT_MILE;   // the others in the default unit
    const std::pair<double, const UINT*> cases[] = {
        {1e20, nullptr}, {-3.5e250, nullptr}, {1e300, nullptr}, {std::numeric_limits<double>::max(), &mile}};
    for (const auto& [value, unit] : cases) {
        GUserText text;
        ASSERT_EQ(1, FormatUnit(UNIT_TYPE_DISTANCE, value, text, &kTwoDecimals, unit, nullptr, nullptr));
        SCOPED_TRACE(text.GetString());
        double back = 0.0;
        ASSERT_EQ(1, ParseUnit(UNIT_TYPE_DISTANCE, 0, text, &back, nullptr));
        EXPECT_NEAR(value, back, std::fabs(value) * 1e-15);
    }
}

}
