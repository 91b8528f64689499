// Date and time entry as a user makes it: real keys and clicks on the spin button, with
// the user's locale pinned, and what the controls tell their parent.
#include "field_fixture.h"

#include <climits>

namespace {

constexpr UINT kFieldID = 300;
const std::vector<UINT> kNone;
const std::vector<UINT> kChanged{FCN_CHANGED};
const std::vector<UINT> kCorrected{FCN_CORRECTED};
const std::vector<UINT> kCorrectedChanged{FCN_CORRECTED, FCN_CHANGED};

// A click on the spin button's upper (step +1) or lower half.
void ClickSpin(const CFieldControl& control, bool up)
{
    CRect spin;
    ::GetWindowRect(control.GetSpinButton(), &spin);
    const int quarter = spin.Height() / 4;
    testing_support::ClickAt(CPoint(spin.CenterPoint().x, up ? spin.top + quarter : spin.bottom - 1 - quarter));
}

struct Date {
    int month, day, year;
    bool operator==(const Date&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Date& d)
{
    return out << d.month << "/" << d.day << "/" << d.year;
}
Date DateOf(const CDateControl& control)
{
    Date d{};
    control.GetDate(d.month, d.day, d.year);
    return d;
}

using DateTest = FieldTest;

// Each locale's order, separator and leading zeros; Right walks the fields in that
// order, digits fill the focused field, arrows and spin clicks step it, and the
// focused field is drawn highlighted where the control says it lies.
TEST_F(DateTest, EntryFollowsThePinnedLocale)
{
    struct Row {
        const char* shortDate;
        const char* separator;
        int order;
        int leadingZero;
        DateField fields[3];
    };
    const Row rows[] = {
        {"M/d/yyyy", "/", 0, 0, {DATE_MONTH, DATE_DAY, DATE_YEAR}},
        {"dd.MM.yyyy", ".", 1, 1, {DATE_DAY, DATE_MONTH, DATE_YEAR}},
        {"yyyy-MM-dd", "-", 2, 1, {DATE_YEAR, DATE_MONTH, DATE_DAY}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shortDate);
        PinnedLocale locale({{LOCALE_SSHORTDATE, row.shortDate}, {LOCALE_SDATE, row.separator}});
        CDateControl date(3, 5, 2023);
        ASSERT_TRUE(date.Create(10, 10, WS_VISIBLE | FCS_3DBORDER, &m_parent, kFieldID));
        CString separator;
        int monthZero = -1, dayZero = -1, order = -1;
        date.GetDisplaySettings(&separator, &monthZero, &dayZero, nullptr, &order);
        EXPECT_EQ(CString(row.separator), separator);
        EXPECT_EQ(row.order, order);
        EXPECT_EQ(row.leadingZero, monthZero);
        EXPECT_EQ(row.leadingZero, dayZero);

        date.SetFocusField(DATE_WEEKDAY);
        for (DateField field : row.fields) {
            Press({"Right"});
            EXPECT_EQ(field, date.GetFocusField());
            Press({field == DATE_DAY ? "27" : field == DATE_MONTH ? "11" : "98"});
        }
        EXPECT_EQ((Date{11, 27, 1998}), DateOf(date));
        Press({"Right"});
        EXPECT_EQ(DATE_WEEKDAY, date.GetFocusField());

        date.SetFocusField(DATE_MONTH);
        m_parent.codes.clear();
        ClickSpin(date, true);
        Settle();
        ClickSpin(date, false);
        Settle();
        ClickSpin(date, false);
        Press({"Up", "Up"});
        EXPECT_EQ((Date{12, 27, 1998}), DateOf(date));
        EXPECT_EQ(std::vector<UINT>(5, FCN_CHANGED), m_parent.codes);

        // The top-left corner of each field, inside the 2-pixel border.
        const auto canvas = testing_support::RenderWindow(date);
        const int month = 1 + int(std::find(row.fields, row.fields + 3, DATE_MONTH) - row.fields);
        for (int position = 0; position < 4; ++position) {
            const CRect field = date.GetFieldRect(position);
            EXPECT_EQ(::GetSysColor(position == month ? COLOR_HIGHLIGHT : COLOR_WINDOW),
                      canvas->Pixel(field.left + 2, field.top + 2))
                << "field " << position;
        }
    }
}

// The day, month and year exist whatever is typed, stepped or set: the nearest valid
// date is shown and the parent told; stepping past the years shown beeps and keeps it.
TEST_F(DateTest, OnlyValidDatesAreShown)
{
    struct Row {
        Date start;
        DateField field;
        const char* keys;
        Date expected;
        const std::vector<UINT>& codes;
    };
    const Row rows[] = {
        {{1, 31, 2024}, DATE_DAY, "Up", {1, 1, 2024}, kChanged},
        {{1, 31, 2024}, DATE_MONTH, "Up", {2, 29, 2024}, kCorrectedChanged},
        {{1, 31, 2023}, DATE_MONTH, "Up", {2, 28, 2023}, kCorrectedChanged},
        {{3, 31, 2024}, DATE_MONTH, "Down", {2, 29, 2024}, kCorrectedChanged},
        {{6, 1, 2069}, DATE_YEAR, "Up", {6, 1, 2069}, kNone},
        {{12, 31, 2069}, DATE_WEEKDAY, "Up", {12, 31, 2069}, kNone},
        {{1, 1, 1970}, DATE_WEEKDAY, "Down", {1, 1, 1970}, kNone},
        {{3, 3, 2024}, DATE_DAY, "1", {3, 31, 2024}, kNone},
        {{3, 3, 2024}, DATE_DAY, "154", {3, 4, 2024}, kNone},
        {{1, 1, 1999}, DATE_YEAR, "05", {1, 1, 2005}, kNone},
        {{2, 10, 2023}, DATE_DAY, "31", {2, 28, 2023}, kCorrected},
        {{2, 29, 2024}, DATE_YEAR, "3", {2, 28, 2003}, kCorrected},
        {{1, 31, 2024}, DATE_MONTH, "2", {12, 31, 2024}, kNone},
        {{3, 31, 2024}, DATE_MONTH, "4", {4, 30, 2024}, kCorrected},
        {{1, 1, 2024}, DATE_WEEKDAY, "s", {1, 6, 2024}, kNone},   // a Monday: the next Saturday
        {{5, 5, 2024}, DATE_MONTH, "x", {5, 5, 2024}, kNone},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.start << " " << row.field << " " << row.keys);
        CDateControl date(row.start.month, row.start.day, row.start.year);
        ASSERT_TRUE(date.Create(10, 10, WS_VISIBLE, &m_parent, kFieldID));
        date.SetFocusField(row.field);
        m_parent.codes.clear();
        Press({row.keys});
        EXPECT_EQ(row.expected, DateOf(date));
        EXPECT_EQ(row.codes, m_parent.codes);
    }

    // Set by the host.
    const std::pair<Date, Date> set[] = {
        {{2, 31, 2000}, {2, 29, 2000}}, {{2, 29, 2023}, {2, 28, 2023}}, {{1, 1, 0}, {1, 1, 1970}},
        {{13, 1, 1969}, {12, 1, 1970}}, {{2, 29, 2024}, {2, 29, 2024}}, {{INT_MIN, INT_MAX, INT_MAX}, {1, 31, 2069}},
    };
    CDateControl date;
    ASSERT_TRUE(date.Create(10, 10, WS_VISIBLE, &m_parent, kFieldID));
    for (const auto& [asked, shown] : set) {
        m_parent.codes.clear();
        date.SetDate(asked.month, asked.day, asked.year);
        EXPECT_EQ(shown, DateOf(date)) << asked;
        EXPECT_EQ(asked == shown ? kNone : kCorrected, m_parent.codes) << asked;
    }
}

// A separator wider than its gap is cut there: right of the last field only the window
// colour shows, whatever the host set.
TEST_F(DateTest, ALongSeparatorStaysInItsGap)
{
    CDateControl date(1, 1, 2000);
    ASSERT_TRUE(date.Create(10, 10, WS_VISIBLE, &m_parent, kFieldID));
    date.SetSettings(CString('W', 10000), nullptr, nullptr, nullptr, nullptr);
    const auto canvas = testing_support::RenderWindow(date);
    CRect spin;
    ::GetWindowRect(date.GetSpinButton(), &spin);
    date.ScreenToClient(&spin);
    const CRect last = date.GetFieldRect(3);
    const int border = ::GetSystemMetrics(SM_CXBORDER);
    for (int x = last.right; x < spin.left; ++x)
        for (int y = last.top; y < last.bottom; ++y)
            ASSERT_EQ(::GetSysColor(COLOR_WINDOW), canvas->Pixel(x + border, y + border)) << x << "," << y;
}

// Day numbers count every day of the years shown once, in order, with the weekdays.
TEST(DateNumbers, RoundTripEveryDayShown)
{
    long days = CDateControl::Date2Long(1, 1, 1970);
    EXPECT_EQ(4, days % 7);   // a Thursday
    for (int year = 1970; year <= 2069; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= CDateControl::DaysInMonth(month, year); ++day, ++days) {
                ASSERT_EQ(days, CDateControl::Date2Long(month, day, year)) << month << "/" << day << "/" << year;
                Date back{};
                CDateControl::Long2Date(days, back.month, back.day, back.year);
                ASSERT_EQ((Date{month, day, year}), back);
            }
}

using TimeTest = FieldTest;

// Each locale's clock, separator, designators and marker place; Right walks the
// focusable fields, digits fill them, a spin click asks the parent then steps.
TEST_F(TimeTest, EntryFollowsThePinnedLocale)
{
    struct Row {
        const char* format;
        const char* am;
        const char* pm;
        const char* separator;
        int is24Hour, leadingZero, markerPosition;
        std::vector<TimeField> rightwards;   // from the hour
    };
    const Row rows[] = {
        {"h:mm tt", "AM", "PM", ":", 0, 0, 0, {TIME_MINUTE, TIME_MARKER, TIME_HOUR}},
        {"HH:mm", "", "", ":", 1, 1, 0, {TIME_MINUTE, TIME_HOUR}},
        {"tt hh.mm", "vorm.", "nachm.", ".", 0, 1, 1, {TIME_MINUTE, TIME_MARKER, TIME_HOUR}},
        {"H:mm", "", "PM", ":", 1, 0, 0, {TIME_MINUTE, TIME_HOUR}},   // a marker shown, never focused
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.format);
        PinnedLocale locale({{LOCALE_STIMEFORMAT, row.format},
                             {LOCALE_S1159, row.am},
                             {LOCALE_S2359, row.pm},
                             {LOCALE_STIME, row.separator}});
        CTimeControl time(9, 5);
        ASSERT_TRUE(time.Create(10, 10, WS_VISIBLE, &m_parent, kFieldID));
        CString am, pm, separator;
        int is24Hour = -1, leadingZero = -1, markerPosition = -1;
        time.GetDisplaySettings(&am, &pm, &separator, &is24Hour, &leadingZero, &markerPosition);
        EXPECT_EQ(CString(row.am), am);
        EXPECT_EQ(CString(row.pm), pm);
        EXPECT_EQ(CString(row.separator), separator);
        EXPECT_EQ(row.is24Hour, is24Hour);
        EXPECT_EQ(row.leadingZero, leadingZero);
        EXPECT_EQ(row.markerPosition, markerPosition);

        time.SetFocusField(TIME_HOUR);
        Press({"11"});
        for (TimeField field : row.rightwards) {
            Press({"Right"});
            EXPECT_EQ(field, time.GetFocusField());
            if (field == TIME_MINUTE)
                Press({"07"});
        }
        m_parent.codes.clear();
        ClickSpin(time, true);
        Settle();
        int hour = -1, minute = -1;
        time.GetTime(hour, minute);
        EXPECT_EQ(12, hour);
        EXPECT_EQ(7, minute);
        EXPECT_EQ((std::vector<UINT>{FCN_SCROLLING, FCN_CHANGED}), m_parent.codes);
        EXPECT_EQ(0, m_parent.lastScroll.direction);
        EXPECT_EQ(11, m_parent.lastScroll.value);
        EXPECT_EQ(TIME_HOUR, m_parent.lastScroll.field);
        EXPECT_EQ(HWND(time), m_parent.lastScroll.hdr.hwndFrom);
        if (!row.is24Hour) {
            time.SetFocusField(TIME_MARKER);
            Press({CString(row.am[0])});
            time.GetTime(hour, minute);
            EXPECT_EQ(0, hour);
        }
    }
}

// Designators longer than a locale gives are cut: the control keeps a usable width.
TEST_F(TimeTest, LongDesignatorsAreCut)
{
    CTimeControl time(9, 5);
    ASSERT_TRUE(time.Create(10, 10, WS_VISIBLE, &m_parent, kFieldID));
    const CString longText('W', 10000);
    time.SetSettings(longText, longText, longText, nullptr, nullptr, nullptr);
    CString am;
    time.GetDisplaySettings(&am, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(24, am.GetLength());
    CRect rect;
    time.GetWindowRect(&rect);
    EXPECT_LT(rect.Width(), ::GetSystemMetrics(SM_CXSCREEN));
}

// Steps and typing on both clocks at their edges, a parent that answers the scroll, and
// times set out of range by the host.
TEST_F(TimeTest, StepsTypingAndTheParentsAnswer)
{
    struct Row {
        int hour, minute, is24Hour;
        TimeField field;
        const char* keys;
        int answer;   // the parent's value for FCN_SCROLLING, or -1
        int expectedHour, expectedMinute;
    };
    const Row rows[] = {
        {23, 0, 0, TIME_HOUR, "Up", -1, 0, 0},     {9, 0, 0, TIME_HOUR, "12", -1, 0, 0},
        {15, 0, 0, TIME_HOUR, "12", -1, 12, 0},    {15, 0, 0, TIME_HOUR, "0", -1, 15, 0},
        {0, 59, 1, TIME_MINUTE, "Up", -1, 0, 0},   {0, 0, 1, TIME_HOUR, "Down", -1, 23, 0},
        {9, 0, 0, TIME_MARKER, "Down", -1, 21, 0}, {21, 0, 0, TIME_MARKER, "a", -1, 9, 0},
        {9, 0, 0, TIME_HOUR, "x", -1, 9, 0},       {9, 10, 0, TIME_MINUTE, "Down", 30, 9, 30},
        {9, 10, 1, TIME_HOUR, "Up", 17, 17, 10},   {25, -3, 1, TIME_HOUR, "", -1, 23, 0},
        {-1, 60, 1, TIME_HOUR, "", -1, 0, 59},     {INT_MAX, INT_MIN, 0, TIME_HOUR, "", -1, 23, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.hour << ":" << row.minute << " " << row.keys);
        CTimeControl time(row.hour, row.minute);
        int is24Hour = row.is24Hour, zero = 0, after = 0;
        time.SetSettings("AM", "PM", ":", &is24Hour, &zero, &after);
        ASSERT_TRUE(time.Create(10, 10, WS_VISIBLE, &m_parent, kFieldID));
        time.SetFocusField(row.field);
        m_parent.answerValue = row.answer;
        Press({row.keys});
        int hour = -1, minute = -1;
        time.GetTime(hour, minute);
        EXPECT_EQ(row.expectedHour, hour);
        EXPECT_EQ(row.expectedMinute, minute);
    }
}

}   // namespace
