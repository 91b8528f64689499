#include "jfieldcontrol.h"

#include "fieldlocale.h"

IMPLEMENT_DYNAMIC(CDateControl, CFieldControl)

namespace {

constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2069;
constexpr int kDaysPerMonth[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// Days before 1 January of a year, counted from 1 January of year 1.
// 64-bit: any long day count maps to a year whose day count would overflow 32 bits.
long long DaysBeforeYear(int year)
{
    const long long y = year - 1LL;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

}   // namespace

CDateControl::CDateControl()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    m_nDay = now.wDay;
    m_nMonth = now.wMonth;
    m_nYear = std::clamp<int>(now.wYear, kFirstYear, kLastYear);
    ClampDay();
    SetSettingsFromRegistry();
}

CDateControl::CDateControl(int month, int day, int year)
{
    SetDate(month, day, year);
    SetSettingsFromRegistry();
}

void CDateControl::SetDate(int month, int day, int year)
{
    m_nYear = std::clamp(year, kFirstYear, kLastYear);
    m_nMonth = std::clamp(month, 1, 12);
    m_nDay = std::clamp(day, 1, DaysInMonth(m_nMonth, m_nYear));
    Redraw();
    if (m_nYear != year || m_nMonth != month || m_nDay != day)
        NotifyParent(FCN_CORRECTED);
}

void CDateControl::GetDate(int& month, int& day, int& year) const
{
    month = m_nMonth;
    day = m_nDay;
    year = m_nYear;
}

void CDateControl::SetFocusField(DateField field)
{
    if (m_hWnd)
        SetFocus();
    for (int position = 0; position < m_nFieldCount; ++position)
        if (m_order[position] == field)
            SetFocusPosition(position);
}

int CDateControl::GetDayOfWeekString(int day, CString& out) const
{
    if (day < 0 || day > 6)
        return 0;
    // The locale counts from Monday (LOCALE_SABBREVDAYNAME1); Sunday is its seventh day.
    const LCTYPE type = day == 0 ? LOCALE_SABBREVDAYNAME7 : LOCALE_SABBREVDAYNAME1 + (day - 1);
    char name[25] = "";
    if (!::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, name, sizeof name))
        return 0;
    out = name;
    return 1;
}

int CDateControl::GetDayOfYear() const
{
    int days = m_nDay;
    for (int month = 1; month < m_nMonth; ++month)
        days += DaysInMonth(month, m_nYear);
    return days;
}

int CDateControl::GetDayOfWeek() const
{
    return (int)(Date2Long() % 7);
}

int CDateControl::IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CDateControl::DaysInMonth(int month, int year)
{
    return kDaysPerMonth[IsLeap(year)][std::clamp(month, 1, 12) - 1];
}

long CDateControl::Date2Long() const
{
    return Date2Long(m_nMonth, m_nDay, m_nYear);
}

long CDateControl::Date2Long(int month, int day, int year)
{
    long days = static_cast<long>(DaysBeforeYear(year) + day);
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(m, year);
    return days;
}

void CDateControl::Long2Date(long days, int& month, int& day, int& year)
{
    year = (int)(days * 0.0027379075748776237);
    while (days - DaysBeforeYear(year) < 1)
        --year;
    while (days - DaysBeforeYear(year) > 365 + IsLeap(year))
        ++year;
    long long dayOfYear = days - DaysBeforeYear(year);
    month = 1;
    while (month < 12 && dayOfYear > DaysInMonth(month, year))
        dayOfYear -= DaysInMonth(month++, year);
    day = (int)dayOfYear;
}

void CDateControl::GetDisplaySettings(CString* separator, int* monthLeadingZero, int* dayLeadingZero, int* century,
                                      int* dateOrder) const
{
    if (separator)
        *separator = m_strSeparator;
    if (monthLeadingZero)
        *monthLeadingZero = m_bMonthLeadingZero;
    if (dayLeadingZero)
        *dayLeadingZero = m_bDayLeadingZero;
    if (century)
        *century = m_nCentury;
    if (dateOrder)
        *dateOrder = m_nDateOrder;
}

void CDateControl::SetSettings(const char* separator, int* monthLeadingZero, int* dayLeadingZero, int* century,
                               int* dateOrder)
{
    if (separator)
        m_strSeparator = SettingText(separator);
    if (monthLeadingZero)
        m_bMonthLeadingZero = *monthLeadingZero;
    if (dayLeadingZero)
        m_bDayLeadingZero = *dayLeadingZero;
    if (century)
        m_nCentury = *century;
    if (dateOrder)   // an order the locale does not know is month, day, year
        m_nDateOrder = *dateOrder >= 0 && *dateOrder <= 2 ? *dateOrder : 0;
    m_nFieldCount = 4;
    m_order[0] = DATE_WEEKDAY;
    switch (m_nDateOrder) {
    case 1:
        m_order[1] = DATE_DAY, m_order[2] = DATE_MONTH, m_order[3] = DATE_YEAR;
        break;
    case 2:
        m_order[1] = DATE_YEAR, m_order[2] = DATE_MONTH, m_order[3] = DATE_DAY;
        break;
    default:
        m_order[1] = DATE_MONTH, m_order[2] = DATE_DAY, m_order[3] = DATE_YEAR;
        break;
    }
    RecalcLayout();
}

void CDateControl::SetSettingsFromRegistry()
{
    const CString separator = LocaleText(LOCALE_SDATE, "/");
    int monthZero = LocaleNumber(LOCALE_IMONLZERO);
    int dayZero = LocaleNumber(LOCALE_IDAYLZERO);
    int century = LocaleNumber(LOCALE_ICENTURY);
    int order = LocaleNumber(LOCALE_IDATE);
    SetSettings(separator, &monthZero, &dayZero, &century, &order);
}

CSize CDateControl::CalcFixedLayout()
{
    const CSize base = CFieldControl::CalcFixedLayout();
    return CSize(base.cx + 3 * m_numberSize.cx + m_weekdaySize.cx + 28, base.cy);
}

CRect CDateControl::GetFieldRect(int position) const
{
    CRect rect(CPoint(m_nMarginX, m_nMarginY), m_weekdaySize);
    for (int p = 1; p <= position && p < m_nFieldCount; ++p)
        rect = CRect(CPoint(rect.right + (p == 1 ? 4 : 12), m_nMarginY), m_numberSize);
    return rect;
}

CString CDateControl::FieldText(int position) const
{
    CString text;
    switch (m_order[position]) {
    case DATE_WEEKDAY:
        GetDayOfWeekString(GetDayOfWeek(), text);
        break;
    case DATE_DAY:
        text.Format(m_bDayLeadingZero == 1 ? "%02d" : "%d", m_nDay);
        break;
    case DATE_MONTH:
        text.Format(m_bMonthLeadingZero == 1 ? "%02d" : "%d", m_nMonth);
        break;
    default:
        text.Format("%02d", m_nYear % 100);
        break;
    }
    return text;
}

CString CDateControl::SeparatorAfter(int position) const
{
    return position >= 1 && position < m_nFieldCount - 1 ? m_strSeparator : CString();
}

void CDateControl::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    const HGDIOBJ hOld = dc.SelectObject(m_hFont);
    m_weekdaySize = CSize();
    m_numberSize = CSize();
    for (int day = 0; day < 7; ++day) {
        CString name;
        GetDayOfWeekString(day, name);
        Grow(m_weekdaySize, dc, name);
    }
    for (int number = 10; number <= 98; ++number) {
        CString text;
        text.Format("%02d", number);
        Grow(m_numberSize, dc, text);
    }
    dc.SelectObject(hOld);
    CFieldControl::RecalcLayout();
}

bool CDateControl::ClampDay()
{
    const int days = DaysInMonth(m_nMonth, m_nYear);
    if (m_nDay <= days)
        return false;
    m_nDay = days;
    return true;
}

void CDateControl::AdjustDate(int delta)
{
    const int daysBefore = DaysInMonth(m_nMonth, m_nYear);
    switch (GetFocusField()) {
    case DATE_WEEKDAY: {
        int month, day, year;
        Long2Date(Date2Long() + delta, month, day, year);
        if (year < kFirstYear || year > kLastYear) {
            Beep();
            return;
        }
        m_nMonth = month, m_nDay = day, m_nYear = year;
        break;
    }
    case DATE_YEAR:
        if (m_nYear + delta < kFirstYear || m_nYear + delta > kLastYear) {
            Beep();
            return;
        }
        m_nYear += delta;
        break;
    case DATE_MONTH:
        m_nMonth += delta;
        break;
    case DATE_DAY:
        m_nDay += delta;
        break;
    }
    // No carry into the other fields: each wraps within its own range.
    if (m_nDay > daysBefore)
        m_nDay = 1;
    if (m_nMonth > 12)
        m_nMonth = 1;
    if (m_nMonth < 1)
        m_nMonth = 12;
    if (m_nDay < 1)
        m_nDay = DaysInMonth(m_nMonth, m_nYear);
    const bool corrected = ClampDay();
    Redraw();
    if (corrected)
        NotifyParent(FCN_CORRECTED);
    NotifyParent(FCN_CHANGED);
}

void CDateControl::TypeChar(UINT nChar)
{
    const DateField field = GetFocusField();
    if (field == DATE_WEEKDAY) {
        TypeWeekday(nChar);
        return;
    }
    if (nChar < '0' || nChar > '9') {
        Beep();
        return;
    }
    const int digit = (int)(nChar - '0');
    switch (field) {
    case DATE_DAY: {
        const int candidate = m_nDay * 10 + digit;
        const int day = candidate < 32 ? candidate : digit;
        if (day != 0 && day != m_nDay)
            m_nDay = day;
        break;
    }
    case DATE_MONTH: {
        const int candidate = m_nMonth * 10 + digit;
        if (candidate >= 1 && candidate <= 12)
            m_nMonth = candidate;
        else if (candidate > 12 && digit != 0)
            m_nMonth = digit;
        break;
    }
    default: {
        int yy = (m_nYear - (m_nYear >= 2000 ? 2000 : 1900)) * 10 + digit;
        if (yy > 99)
            yy = digit;
        m_nYear = yy < 70 ? 2000 + yy : 1900 + yy;
        break;
    }
    }
    const bool corrected = ClampDay();
    Redraw();
    if (corrected)
        NotifyParent(FCN_CORRECTED);
}

void CDateControl::TypeWeekday(UINT nChar)
{
    // The next weekday whose name starts with the character: the rest of this week first,
    // then from Sunday on.
    const int today = GetDayOfWeek();
    for (int ahead = 1; ahead <= 7; ++ahead) {
        CString name;
        if (!GetDayOfWeekString((today + ahead) % 7, name) || name.IsEmpty())
            continue;
        if (!SameLetter((BYTE)name[0], nChar))
            continue;
        int month, day, year;
        Long2Date(Date2Long() + ahead, month, day, year);
        if (year > kLastYear) {
            Beep();
            return;
        }
        m_nMonth = month, m_nDay = day, m_nYear = year;
        Redraw();
        return;
    }
    Beep();
}
