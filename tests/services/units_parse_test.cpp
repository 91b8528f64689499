// ParseUnit over the forms people type: every row is a text, the expected value
// in internal units (metres, radians) and the unit the text named.
#include "units_support.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace units_test;

struct ParseRow {
    const char* text;
    double expected;
    UINT unit;
};

void ExpectParses(UINT type, const std::vector<ParseRow>& rows, int caseSensitive = 0)
{
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.text);
        double value = -12345.0;
        UINT unit = 0;
        ASSERT_EQ(1, ParseUnit(type, caseSensitive, row.text, &value, &unit));
        EXPECT_NEAR(row.expected, value, 1e-12 * std::max(1.0, std::fabs(row.expected)));
        EXPECT_EQ(row.unit, unit);
    }
}

void ExpectRejected(UINT type, const std::vector<const char*>& texts, int caseSensitive = 0)
{
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        double value = 42.0;
        UINT unit = 7;
        EXPECT_EQ(0, ParseUnit(type, caseSensitive, text, &value, &unit));
        EXPECT_EQ(42.0, value);
    }
}

using UnitParseTest = UnitServiceTest;

TEST_F(UnitParseTest, DistancesMetricImperialAndArchitectural)
{
    // A space around the dash makes it a subtraction; bare numbers take the default unit (mm).
    const double fiveSix = 5 * kFoot + 6 * kInch;
    // clang-format off
    const std::vector<ParseRow> rows = {
        {"12.5mm", 0.0125, UNIT_MILLIMETRE}, {"12.5 mm", 0.0125, UNIT_MILLIMETRE}, {"250um", 250e-6, UNIT_MICROMETRE},
        {"250 \xB5m", 250e-6, UNIT_MICROMETRE}, {"3cm", 0.03, UNIT_CENTIMETRE}, {"2m", 2.0, UNIT_METRE},
        {"1.5km", 1500.0, UNIT_KILOMETRE}, {".5 in", 0.5 * kInch, UNIT_INCH}, {"1.0 in", kInch, UNIT_INCH},
        {"7\"", 7 * kInch, UNIT_INCH}, {"3ft", 3 * kFoot, UNIT_FOOT}, {"3'", 3 * kFoot, UNIT_FOOT},
        {"2yd", 2 * 0.9144, UNIT_YARD}, {"1 mi", 1609.344, UNIT_MILE}, {"1.5e3 mm", 1.5, UNIT_MILLIMETRE},
        {"2E-1m", 0.2, UNIT_METRE}, {"  4 MM  ", 0.004, UNIT_MILLIMETRE}, {"1 m 25 cm", 1.25, UNIT_METRE},
        {"5'6\"", fiveSix, UNIT_FOOT}, {"5' 6\"", fiveSix, UNIT_FOOT}, {"5'-6\"", fiveSix, UNIT_FOOT},
        {"5'6", fiveSix, UNIT_FOOT}, {"5ft 6in", fiveSix, UNIT_FOOT}, {"5'6-1/2\"", fiveSix + 0.5 * kInch, UNIT_FOOT},
        {"5' 6 1/2\"", fiveSix + 0.5 * kInch, UNIT_FOOT}, {"5'-0 1/2\"", 5 * kFoot + 0.5 * kInch, UNIT_FOOT},
        {"6-1/2\"", 6.5 * kInch, UNIT_INCH}, {"6 1/2\"", 6.5 * kInch, UNIT_INCH}, {"1/4\"", 0.25 * kInch, UNIT_INCH},
        {"255/256\"", 255.0 / 256 * kInch, UNIT_INCH}, {"-5'-6\"", -fiveSix, UNIT_FOOT},
        {"5' - 6\"", 5 * kFoot - 6 * kInch, UNIT_FOOT}, {"2yd 1ft 3in", 2 * 0.9144 + kFoot + 3 * kInch, UNIT_YARD},
        {"2'6-3/8\" + 300mm", 2 * kFoot + 6.375 * kInch + 0.3, UNIT_FOOT},
        {"(3m - 1ft) / 2", (3 - kFoot) / 2, UNIT_METRE}, {"2 * 3m", 6.0, UNIT_METRE}, {"3m * 2", 6.0, UNIT_METRE},
        {"1m + 5", 1.005, UNIT_METRE}, {"(2 + 3) * 2", 0.010, UNIT_MILLIMETRE},
        {"6m / 3m * 1in", 2 * kInch, UNIT_METRE}, {"10 / 4", 2.5e-3, UNIT_MILLIMETRE}, {"--1m", 1.0, UNIT_METRE},
        {"+1m", 1.0, UNIT_METRE}, {"10 - 6-1/2", 3.5e-3, UNIT_MILLIMETRE}, {"12", 0.012, UNIT_MILLIMETRE},
        {"0.13", 0.00013, UNIT_MILLIMETRE},
    };
    // clang-format on
    ExpectParses(UNIT_TYPE_DISTANCE, rows);
    UseDefaults(UNIT_TYPE_DISTANCE, UNIT_FOOT, UNIT_INCH);
    ExpectParses(UNIT_TYPE_DISTANCE, {{"12", 12 * kFoot, UNIT_FOOT}, {"2 + 1\"", 2 * kFoot + kInch, UNIT_INCH}});
    // Unit names are case-sensitive only when asked.
    ExpectParses(UNIT_TYPE_DISTANCE, {{"2 KM", 2000.0, UNIT_KILOMETRE}});
    ExpectParses(UNIT_TYPE_DISTANCE, {{"2 km", 2000.0, UNIT_KILOMETRE}}, 1);
    ExpectRejected(UNIT_TYPE_DISTANCE, {"2 KM"}, 1);
}

TEST_F(UnitParseTest, AnglesAndScalars)
{
    const double dms = (12 + 30 / 60.0 + 15 / 3600.0) * kDegree;
    // The last two are the middle of a quadrant bearing such as "N 45d30m E".
    // clang-format off
    const std::vector<ParseRow> rows = {
        {"45\xB0", 45 * kDegree, UNIT_DEGREE}, {"45\xC2\xB0", 45 * kDegree, UNIT_DEGREE},
        {"45d", 45 * kDegree, UNIT_DEGREE}, {"45 deg", 45 * kDegree, UNIT_DEGREE},
        {"12\xB0" "30'15\"", dms, UNIT_DEGREE}, {"12d30m15s", dms, UNIT_DEGREE}, {"12d 30m 15s", dms, UNIT_DEGREE},
        {"-12d30m15s", -dms, UNIT_DEGREE}, {"30'", 0.5 * kDegree, UNIT_ARCMINUTE}, {"1.5rad", 1.5, UNIT_RADIAN},
        {"1.5r", 1.5, UNIT_RADIAN}, {"100grad", 90 * kDegree, UNIT_GRAD}, {"100g", 90 * kDegree, UNIT_GRAD},
        {"90d - 30'", 89.5 * kDegree, UNIT_DEGREE}, {"(90\xB0 + 100grad) / 2", 90 * kDegree, UNIT_DEGREE},
        {"90", 90 * kDegree, UNIT_DEGREE}, {" 45d30m ", 45.5 * kDegree, UNIT_DEGREE},
        {" 45 ", 45 * kDegree, UNIT_DEGREE},
    };
    // clang-format on
    ExpectParses(UNIT_TYPE_ANGLE, rows);
    UseDefaults(UNIT_TYPE_ANGLE, UNIT_RADIAN);
    ExpectParses(UNIT_TYPE_ANGLE, {{"1.5", 1.5, UNIT_RADIAN}});
    ExpectParses(UNIT_TYPE_SCALAR, {{"3", 3.0, UNIT_NONE},
                                    {"-2.5e2", -250.0, UNIT_NONE},
                                    {"2 1/2", 2.5, UNIT_NONE},
                                    {"(1 + 2) * 3 / 4", 2.25, UNIT_NONE}});
    ExpectRejected(UNIT_TYPE_SCALAR, {"3 mm", "2'", "1d"});
}

// Among them: ',' not the separator (thousands or decimal?), two numbers with nothing between, an
// area, a length per metre, an angle or time unit as a distance, and a ratio that has no unit.
TEST_F(UnitParseTest, RejectsWhatCannotBeReadOneWay)
{
    // clang-format off
    ExpectRejected(UNIT_TYPE_DISTANCE, {"", "   ", "abc", "mm", "1 xyz", "1 m m", "1..2", "1.2.3", ".", "-", "+", "1 +",
        "* 2", "(1", "1)", "()", "1,234", "1 2", "3m * 2m", "2 / 3m", "1m / 0", "1/0\"", "0/0", "1e400", "1e-99999999",
        "1e", "5 deg", "5'6\" 2", "5 s", "10 m / 2 m", "1 + 10 m / 2 m", "10 m / 2 m + 1 m"});
    // clang-format on
    ExpectRejected(UNIT_TYPE_ANGLE, {"10\xB0 + 3mm", "10 ft", "1d * 1d", "12\xB0 30", "30\" 15'", "90\xB0 / 45\xB0"});
    double value = 0.0;
    EXPECT_EQ(0, ParseUnit(99, 0, "1", &value, nullptr));
    EXPECT_EQ(0, ParseUnit(UNIT_TYPE_DISTANCE, 0, "1", nullptr, nullptr));
}

TEST_F(UnitParseTest, LocaleDecimalSeparatorBesideThePoint)
{
    SetUnitDecimalSeparator(',');
    ExpectParses(UNIT_TYPE_DISTANCE, {{"1,5 m", 1.5, UNIT_METRE},
                                      {"1.5 m", 1.5, UNIT_METRE},
                                      {"1,234", 1.234e-3, UNIT_MILLIMETRE},
                                      {",5m", 0.5, UNIT_METRE}});
    ExpectRejected(UNIT_TYPE_DISTANCE, {"1,234.5", "1.234,5", "1,,5", ","});
}

TEST_F(UnitParseTest, NestingIsCapped)
{
    const auto surrounded = [](size_t depth, char open, char close) {
        return std::string(depth, open) + "1m" + std::string(close ? depth : 0, close);
    };
    double value = 0.0;
    EXPECT_EQ(1, ParseUnit(UNIT_TYPE_DISTANCE, 0, surrounded(60, '(', ')').c_str(), &value, nullptr));
    EXPECT_DOUBLE_EQ(1.0, value);
    EXPECT_EQ(0, ParseUnit(UNIT_TYPE_DISTANCE, 0, surrounded(100000, '(', ')').c_str(), &value, nullptr));
    EXPECT_EQ(0, ParseUnit(UNIT_TYPE_DISTANCE, 0, surrounded(100000, '-', '\0').c_str(), &value, nullptr));
}

TEST_F(UnitParseTest, DefaultsPerType)
{
    UINT foot = UNIT_FOOT, degree = UNIT_DEGREE, none = UNIT_NONE;
    for (UINT* refused : {&degree, &none, (UINT*)nullptr})
        EXPECT_EQ(0, SetDefaultUnits(UNIT_TYPE_DISTANCE, refused, nullptr, nullptr));
    // The units left out become no units.
    EXPECT_EQ(1, SetDefaultUnits(UNIT_TYPE_DISTANCE, &foot, nullptr, nullptr));
    UINT units[3] = {};
    EXPECT_EQ(1, GetDefaultUnits(UNIT_TYPE_DISTANCE, &units[0], &units[1], &units[2]));
    EXPECT_EQ(std::vector<UINT>({UNIT_FOOT, UNIT_NONE, UNIT_NONE}), std::vector<UINT>(units, units + 3));
    EXPECT_EQ(0, GetDefaultUnits(3, &units[0], nullptr, nullptr));

    GUserText name;
    EXPECT_NE(0, GetUnitName(UNIT_TYPE_DISTANCE, name));
    EXPECT_STREQ("Distance", name);
    EXPECT_EQ(0, GetUnitName(0, name));
    EXPECT_TRUE(name.IsEmpty());

    tagUomFormat format;
    EXPECT_EQ(1, GetDefaultUnitFormat(UNIT_TYPE_DISTANCE, &format));
    EXPECT_EQ(UOM_FORMAT_DECIMAL, format.mode);
    EXPECT_EQ(2, format.precision);
    EXPECT_EQ(0, GetDefaultUnitFormat(4, &format));
}

}
