// Generated texts give 0 or 1, never a crash or hang, and every format reads back as the value it
// shows. The seed is printed with any failure; UNITS_TEST_SEED repeats a run.
#include "units_support.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace units_test;

unsigned TestSeed()
{
    if (const char* fixed = std::getenv("UNITS_TEST_SEED"))
        return unsigned(std::strtoul(fixed, nullptr, 10));
    return unsigned(std::chrono::steady_clock::now().time_since_epoch().count());
}

// Pieces of texts people type, for recombination.
const char* const kPieces[] = {
    "0",     "1",    "12",   "5",        ".",     ",",         "'",   "\"",  "-",
    "+",     "*",    "/",    "(",        ")",     " ",         "e",   "E",   "e308",
    "e-400", "mm",   "m",    "cm",       "um",    "\xB5m",     "km",  "in",  "ft",
    "yd",    "mi",   "\xB0", "\xC2\xB0", "d",     "deg",       "s",   "rad", "r",
    "g",     "grad", "1/2",  "6-1/2",    "5'6\"", "12d30m15s", "1/0", "0/0", "99999999999999999999",
    "\t",    "\xC2",
};

class TextGenerator {
public:
    explicit TextGenerator(unsigned seed) : m_random(seed) {}

    std::string Next()
    {
        const size_t kind = Below(6);
        return kind == 0   ? RandomBytes()
               : kind == 1 ? DigitRun()
               : kind == 2 ? Nesting()
               : kind == 3 ? HugeExponent()
                           : Pieces();
    }

private:
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

    std::string RandomBytes()
    {
        std::string text(Below(40), '\0');
        for (char& ch : text)
            ch = char(1 + Below(255));   // the text ends at the first NUL
        return text;
    }
    std::string DigitRun()
    {
        std::string text;
        size_t length = 1 + Below(Below(2) ? 30 : 3000);
        for (size_t i = 0; i < length; ++i)
            text += Below(40) ? char('0' + Below(10)) : ".,'\" e/-"[Below(8)];
        return text;
    }
    std::string Nesting()
    {
        size_t depth = Below(200);
        std::string text(depth, Below(2) ? '(' : '-');
        text += Below(2) ? "1m" : "2'6\"";
        text += std::string(depth - Below(3) * Below(depth + 1) / 2, ')');
        return text;
    }
    std::string HugeExponent()
    {
        std::string text = std::to_string(Below(10)) + (Below(2) ? "." : ",") + std::to_string(Below(1000));
        text += Below(2) ? "e" : "E";
        text += Below(2) ? "-" : "+";
        text += std::to_string(Below(2) ? Below(400) : Below(~size_t(0) >> 1));
        text += Below(2) ? " mm" : "";
        return text;
    }
    std::string Pieces()
    {
        std::string text;
        for (size_t n = 1 + Below(8); n > 0; --n)
            text += kPieces[Below(std::size(kPieces))];
        return text;
    }

    std::mt19937 m_random;
};

using UnitFuzzTest = UnitServiceTest;

TEST_F(UnitFuzzTest, GeneratedTextsAreAcceptedOrRejectedCleanly)
{
    const unsigned seed = TestSeed();
    SCOPED_TRACE("UNITS_TEST_SEED=" + std::to_string(seed));
    TextGenerator generator(seed);
    const UINT types[] = {UNIT_TYPE_DISTANCE, UNIT_TYPE_ANGLE, UNIT_TYPE_SCALAR};
    int accepted = 0;
    for (int i = 0; i < 120000; ++i) {
        SetUnitDecimalSeparator(i % 2 ? '.' : ',');
        std::string text = generator.Next();
        double value = -7.0;
        UINT unit = 0;
        int result = ParseUnit(types[i % 3], i % 5 == 0, text.c_str(), &value, &unit);
        if (result == 1) {
            ++accepted;
            ASSERT_TRUE(std::isfinite(value)) << text;
        } else {
            ASSERT_EQ(0, result) << text;
            ASSERT_EQ(-7.0, value) << text;
        }
    }
    // The generator reaches the accepting paths too.
    EXPECT_GT(accepted, 1000);
}

struct RoundTripCase {
    const char* name;
    UINT type;
    tagUomFormat format;
    UINT units[3];
    double largest;   // in the primary unit
    char separator;
};

constexpr UINT kDistance = UNIT_TYPE_DISTANCE, kAngle = UNIT_TYPE_ANGLE, kScalar = UNIT_TYPE_SCALAR;
constexpr UINT kNone = UNIT_NONE;
constexpr BYTE kDecimals = UOM_FORMAT_DECIMAL, kFraction = UOM_FORMAT_FRACTION;

// clang-format off
const RoundTripCase kRoundTrips[] = {
    {"mm, 2 decimals", kDistance, Format(kDecimals, 2), {UNIT_MILLIMETRE, kNone, kNone}, 1e7, '.'},
    {"m, 6 decimals, comma", kDistance, Format(kDecimals, 6), {UNIT_METRE, kNone, kNone}, 1e4, ','},
    {"um, whole", kDistance, Format(kDecimals, 0), {UNIT_MICROMETRE, kNone, kNone}, 1e9, '.'},
    {"km, 3 decimals", kDistance, Format(kDecimals, 3), {UNIT_KILOMETRE, kNone, kNone}, 1e3, '.'},
    {"m cm", kDistance, Format(kDecimals, 1), {UNIT_METRE, UNIT_CENTIMETRE, kNone}, 1e4, ','},
    {"in, 1/256", kDistance, Format(kFraction, 8), {UNIT_INCH, kNone, kNone}, 1e5, '.'},
    {"in, 3 decimals", kDistance, Format(kDecimals, 3), {UNIT_INCH, kNone, kNone}, 1e5, '.'},
    {"ft-in, 1/16", kDistance, Format(kFraction, 4), {UNIT_FOOT, UNIT_INCH, kNone}, 1e4, '.'},
    {"ft-in, 1/256", kDistance, Format(kFraction, 8), {UNIT_FOOT, UNIT_INCH, kNone}, 1e4, '.'},
    {"ft-in, 2 decimals", kDistance, Format(kDecimals, 2), {UNIT_FOOT, UNIT_INCH, kNone}, 1e4, ','},
    {"ft, 4 decimals", kDistance, Format(kDecimals, 4), {UNIT_FOOT, kNone, kNone}, 1e4, '.'},
    {"yd-ft-in, 1/8", kDistance, Format(kFraction, 3), {UNIT_YARD, UNIT_FOOT, UNIT_INCH}, 1e4, '.'},
    {"mi, 2 decimals", kDistance, Format(kDecimals, 2), {UNIT_MILE, kNone, kNone}, 1e3, '.'},
    {"deg, 3 decimals", kAngle, Format(kDecimals, 3), {UNIT_DEGREE, kNone, kNone}, 720, '.'},
    {"dms, whole", kAngle, Format(kDecimals, 0), {UNIT_DEGREE, UNIT_ARCMINUTE, UNIT_ARCSECOND}, 720, '.'},
    {"dms, 2 decimals", kAngle, Format(kDecimals, 2), {UNIT_DEGREE, UNIT_ARCMINUTE, UNIT_ARCSECOND}, 720, ','},
    {"dm, 1/4", kAngle, Format(kFraction, 2), {UNIT_DEGREE, UNIT_ARCMINUTE, kNone}, 720, '.'},
    {"rad, 6 decimals", kAngle, Format(kDecimals, 6), {UNIT_RADIAN, kNone, kNone}, 20, '.'},
    {"grad, 2 decimals", kAngle, Format(kDecimals, 2), {UNIT_GRAD, kNone, kNone}, 800, '.'},
    {"scalar, 3 decimals", kScalar, Format(kDecimals, 3), {kNone, kNone, kNone}, 1e6, '.'},
    {"scalar, integer", kScalar, Format(kDecimals, 3, 1), {kNone, kNone, kNone}, 1e6, '.'},
    {"scalar, 1/32", kScalar, Format(kFraction, 5), {kNone, kNone, kNone}, 1e6, ','},
};
// clang-format on

// Internal units per displayed step of the case's last unit.
double StepOf(const RoundTripCase& test)
{
    UINT last = test.units[0];
    for (UINT unit : {test.units[1], test.units[2]})
        last = unit != UNIT_NONE ? unit : last;
    // clang-format off
    const double factors[][2] = {
        {UNIT_MICROMETRE, 1e-6}, {UNIT_MILLIMETRE, 1e-3}, {UNIT_CENTIMETRE, 1e-2}, {UNIT_METRE, 1.0},
        {UNIT_KILOMETRE, 1e3}, {UNIT_INCH, kInch}, {UNIT_FOOT, kFoot}, {UNIT_YARD, 0.9144}, {UNIT_MILE, 1609.344},
        {UNIT_RADIAN, 1.0}, {UNIT_DEGREE, kDegree}, {UNIT_ARCMINUTE, kDegree / 60},
        {UNIT_ARCSECOND, kDegree / 3600}, {UNIT_GRAD, kDegree * 0.9}, {UNIT_NONE, 1.0}};
    // clang-format on
    double factor = 0.0;
    for (const auto& entry : factors)
        factor = UINT(entry[0]) == last ? entry[1] : factor;
    int precision = test.format.integerDisplay == 1 ? 0 : test.format.precision;
    bool fraction = test.format.mode == UOM_FORMAT_FRACTION && test.format.integerDisplay != 1;
    return factor * (fraction ? std::ldexp(1.0, -precision) : std::pow(10.0, -precision));
}

TEST_F(UnitFuzzTest, EveryFormatReadsBackToItsPrecision)
{
    const unsigned seed = TestSeed();
    SCOPED_TRACE("UNITS_TEST_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    for (const RoundTripCase& test : kRoundTrips) {
        SCOPED_TRACE(test.name);
        SetUnitDecimalSeparator(test.separator);
        // Bare numbers in the text, if any, are read in the shown units.
        UseDefaults(test.type, test.units[0], test.units[1], test.units[2]);
        const double step = StepOf(test);
        // Internal units per primary unit: a bare 1 is read in it.
        double primaryFactor = 0.0;
        ASSERT_EQ(1, ParseUnit(test.type, 0, "1", &primaryFactor, nullptr));
        std::uniform_real_distribution<double> magnitude(-4.0, std::log10(test.largest));
        for (int i = 0; i < 10000; ++i) {
            double value = std::pow(10.0, magnitude(random)) * primaryFactor * (random() % 2 ? 1 : -1);
            GUserText text;
            ASSERT_EQ(1,
                      FormatUnit(test.type, value, text, &test.format, &test.units[0], &test.units[1], &test.units[2]));
            double back = 0.0;
            ASSERT_EQ(1, ParseUnit(test.type, 0, text, &back, nullptr)) << text.GetString();
            ASSERT_LE(std::fabs(back - value), step * 0.5000001 + std::fabs(value) * 1e-14)
                << text.GetString() << " from " << value;
            GUserText again;
            FormatUnit(test.type, back, again, &test.format, &test.units[0], &test.units[1], &test.units[2]);
            ASSERT_STREQ(text, again) << "from " << value;
        }
    }
}

}
