// Directions under every bearing setting: what the control shows for an
// internal angle (radians counter-clockwise from east) and what it reads back.
#include "controlexports.h"
#include "scripted_input.h"
#include "unitedit_fixture.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;

// The text the unit services give an angle in the default format and units.
CString AngleText(double radians)
{
    tagUomFormat format{};
    JUnitEdit::GetDefaultUnitFormat(UNIT_TYPE_ANGLE, &format);
    GUserText text;
    FormatUnit(UNIT_TYPE_ANGLE, radians, text, &format, nullptr, nullptr, nullptr);
    return text.Text();
}

class DirectionEditTest : public UnitEditTest {
protected:
    void SetUp() override
    {
        UnitEditTest::SetUp();
        ASSERT_TRUE(
            m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &m_parent, 101));
    }
    void TearDown() override
    {
        SetBearingInfo(0, 1, 0, 0);
        m_edit.DestroyWindow();
        UnitEditTest::TearDown();
    }

    CString Shown(double value)
    {
        m_edit.SetValue(value);
        return TextOf(m_edit);
    }
    // Commits text as if typed; the value (unchanged when rejected).
    double Entered(LPCSTR text)
    {
        m_edit.SetWindowText(text);
        m_edit.SendMessage(WM_CHAR, '0', 1);   // marks the entry as typed
        m_edit.SetWindowText(text);
        return m_edit.GetValue();
    }

    JDirectionEdit m_edit;
};

TEST_F(DirectionEditTest, AzimuthsFromEveryBaseAxisInBothSensesShowQuarterTurnsExactly)
{
    for (int axis = 0; axis < 4; ++axis) {
        for (int sense = 0; sense < 2; ++sense) {
            SCOPED_TRACE(testing::Message() << "base axis " << axis << ", sense " << sense);
            ASSERT_EQ(1, SetBearingInfo(1, 1, axis, sense));
            for (int shownDegrees : {0, 30, 90, 180, 270, 300}) {
                // The internal angle that shows as shownDegrees.
                const double base = axis * kPi / 2;
                double value = sense ? base - shownDegrees * kDegree : base + shownDegrees * kDegree;
                value = std::fmod(value + 4 * kPi, 2 * kPi);
                EXPECT_EQ(AngleText(shownDegrees * kDegree), Shown(value)) << shownDegrees;
                const double entered = Entered(AngleText(shownDegrees * kDegree));
                EXPECT_NEAR(value, entered, 1e-12) << shownDegrees;
                EXPECT_GE(entered, 0.0);
                EXPECT_LT(entered, 2 * kPi);
                if (shownDegrees % 90 == 0) {
                    // Quarter turns come out exact, not a rounding step away.
                    const double quarters = entered / (kPi / 2);
                    EXPECT_EQ(std::floor(quarters), quarters) << shownDegrees;
                }
            }
        }
    }
}

// Internal angles are counter-clockwise from east, bearings clockwise from north; a plain angle is an azimuth.
TEST_F(DirectionEditTest, QuadrantBearingsShowAndReadTheQuadrantLettersWithEastAndWestExact)
{
    ASSERT_EQ(1, SetBearingInfo(1, 0, 0, 0));
    const CString ninety = AngleText(90 * kDegree), thirty = AngleText(30 * kDegree), zero = AngleText(0.0);
    const std::pair<double, CString> rows[] = {
        {0.0, "N " + ninety + " E"},          {kPi, "S " + ninety + " W"},
        {kPi / 2, "N " + zero + " E"},        {3 * kPi / 2, "S " + zero + " E"},
        {60 * kDegree, "N " + thirty + " E"}, {300 * kDegree, "S " + thirty + " E"},
        {240 * kDegree, "S " + thirty + " W"}, {120 * kDegree, "N " + thirty + " W"},
    };
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(text, Shown(value)) << value;
        EXPECT_EQ(text, Shown(value - 4 * kPi)) << value;
        if (std::fmod(value, kPi) == 0.0) {
            EXPECT_EQ(value, Entered(text));
        } else {
            EXPECT_NEAR(value, Entered(text), 1e-12) << value;
        }
    }
    EXPECT_NEAR(60 * kDegree, Entered(thirty), 1e-12);
    EXPECT_EQ(0.0, Entered(ninety));
    EXPECT_EQ(kPi, Entered(AngleText(270 * kDegree)));
    // Without its leading letter, a bearing is refused and the value kept.
    m_edit.SetValue(60 * kDegree);
    EXPECT_NEAR(60 * kDegree, Entered(thirty + " E"), 1e-12);
    EXPECT_NEAR(60 * kDegree, Entered("E " + thirty + " N"), 1e-12);
    EXPECT_FALSE(m_edit.IsModified());
    EXPECT_EQ("N " + thirty + " E", TextOf(m_edit));
}

// Anything else is a mistyped bearing naming another direction. Fractions are numbers, not division,
// and a rounded last place may pass the quarter turn by half its step; the units are the default ones.
TEST(DirectionQuadrantText, ABearingHoldsOnePlainAngleOfAtMostAQuarterTurn)
{
    struct Row {
        CString text;
        double degrees;   // clockwise from north; negative: refused
    };
    // clang-format off
    const Row rows[] = {
        {"N 0d E", 0}, {"N 90d E", 90}, {"S 45d W", 225}, {"n 12d30m e", 12.5}, {"N200E", -1}, {"N91d00'00\"E", -1},
        {"S361d00'00\"E", -1}, {"S45/45/45E", -1}, {"s45-45-45e", -1}, {"N -10d E", -1}, {"N (45d) E", -1},
        {"N 45d + 1d E", -1}, {"N 1e17 E", -1}, {"S 12345678901234567890 W", -1}, {"N E", -1},
        {AngleText(45 * kDegree), -1}, {"N " + AngleText(45 * kDegree) + " W", 315}, {"N 45 1/2d E", 45.5},
        {"S 1/2d W", 180.5}, {"N 45/2d E", 22.5}, {"n 1d30'15 1/2\" w", 360 - (1.5 + 15.5 / 3600)}, {"N 1.5/2d E", -1},
        {"N 1e1/2d E", -1}, {"N 3/4/5d E", -1}, {"N 1/ 2d E", -1}, {"N 10d/2 E", -1}, {"N 1/2/d E", -1},
        {"N 1.6 rad E", 1.6 / kDegree}, {"N 1.58 rad E", -1},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.GetString());
        double angle = -1;
        const int result = JDirectionEdit::ParseQuadrantBearing(UNIT_TYPE_ANGLE, GUserText(row.text), &angle, nullptr);
        if (row.degrees < 0) {
            EXPECT_EQ(0, result);
        } else {
            ASSERT_EQ(1, result);
            EXPECT_NEAR(row.degrees * kDegree, angle, 1e-12);
        }
    }
}

// Bearings off, as azimuths or as quadrant bearings, in every display the control can be given:
// a direction shown reads back as itself to the display's own rounding.
TEST_F(DirectionEditTest, EveryAngleDisplayReadsBackAsTheDirectionShown)
{
    constexpr double kMinute = kDegree / 60, kSecond = kMinute / 60, kGrad = kPi / 200;
    constexpr UINT kDeg = UNIT_DEGREE, kMin = UNIT_ARCMINUTE, kSec = UNIT_ARCSECOND, kNo = UNIT_NONE;
    struct Display {
        BYTE fraction, precision;
        DWORD integer;
        UINT units[3];
        double step;   // of the last place shown, radians
    };
    const Display displays[] = {
        {0, 2, 0, {kDeg, kNo, kNo}, 0.01 * kDegree}, {0, 0, 0, {kDeg, kNo, kNo}, kDegree},
        {0, 3, 1, {kDeg, kNo, kNo}, kDegree},        {1, 1, 0, {kDeg, kNo, kNo}, kDegree / 2},
        {1, 3, 0, {kDeg, kNo, kNo}, kDegree / 8},    {0, 2, 0, {kDeg, kMin, kNo}, 0.01 * kMinute},
        {1, 1, 0, {kDeg, kMin, kNo}, kMinute / 2},   {0, 1, 0, {kDeg, kMin, kSec}, 0.1 * kSecond},
        {1, 2, 0, {kDeg, kMin, kSec}, kSecond / 4},  {0, 0, 0, {kMin, kSec, kNo}, kSecond},
        {0, 3, 0, {UNIT_RADIAN, kNo, kNo}, 0.001},   {0, 1, 0, {UNIT_RADIAN, kNo, kNo}, 0.1},
        {1, 2, 0, {UNIT_RADIAN, kNo, kNo}, 0.25},    {0, 2, 0, {UNIT_GRAD, kNo, kNo}, 0.01 * kGrad},
        {1, 1, 0, {UNIT_GRAD, kNo, kNo}, kGrad / 2},
    };
    m_edit.SetUnitDisplayMode(0);
    const int bearings[][4] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 1, 1}};   // off, quadrants, azimuths
    for (const auto& [on, azimuths, axis, sense] : bearings) {
        ASSERT_EQ(1, SetBearingInfo(on, azimuths, axis, sense));
        for (const Display& display : displays) {
            tagUomFormat format{};
            format.mode = display.fraction ? UOM_FORMAT_FRACTION : UOM_FORMAT_DECIMAL;
            format.precision = display.precision;
            format.integerDisplay = display.integer;
            m_edit.SetLocalFormat(format);
            m_edit.SetLocalUnits(&display.units[0], &display.units[1], &display.units[2]);
            for (double degrees : {0.3, 45.5, 89.99, 90.03, 133.27, 180.0, 200.5, 269.96, 300.123, 359.8}) {
                const CString shown = Shown(degrees * kDegree);
                SCOPED_TRACE(testing::Message() << "bearings " << on << azimuths << ", shown " << shown.GetString());
                m_edit.SetValue(degrees * kDegree + kPi);   // a refused text would leave this
                const double off = std::remainder(Entered(shown) - degrees * kDegree, 2 * kPi);
                EXPECT_LE(std::fabs(off), display.step / 2 * (1 + 1e-9));
            }
        }
    }
}

// A hang would end the process through the watchdog instead of stalling the run.
TEST_F(DirectionEditTest, HugeAnglesTypedAreTakenIntoATurnOrRefusedAtOnce)
{
    testing_support::MainWindowScope mainWindow(&m_parent);
    ASSERT_TRUE(testing_support::MakeForeground(m_parent));
    ASSERT_EQ(1, SetBearingInfo(1, 1, 0, 0));   // azimuths
    m_edit.SetFocus();
    {
        testing_support::ScriptedInput watchdog;
        Enter("1e17");
    }
    const double azimuth = m_edit.GetValue();
    EXPECT_TRUE(azimuth >= 0.0 && azimuth < 2 * kPi) << azimuth;

    ASSERT_EQ(1, SetBearingInfo(1, 0, 0, 0));   // quadrant bearings
    m_edit.SetValue(kPi / 3);
    m_edit.SetSel(0, -1);
    m_parent.received.clear();
    AnswerMessageBox([] { Enter("S 12345678901234567890 W"); });
    EXPECT_EQ(std::vector<ParentMessage>{(ParentMessage{JUM_BADVALUE, 101, 0})}, m_parent.received);
    EXPECT_DOUBLE_EQ(kPi / 3, m_edit.GetValue());
}

}   // namespace
