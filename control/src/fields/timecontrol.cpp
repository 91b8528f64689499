#include "jfieldcontrol.h"

#include "fieldlocale.h"

IMPLEMENT_DYNAMIC(CTimeControl, CFieldControl)

CTimeControl::CTimeControl()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    m_nHour = now.wHour;
    m_nMinute = now.wMinute;
    SetSettingsFromRegistry();
}

CTimeControl::CTimeControl(int hour, int minute)
{
    SetTime(hour, minute);
    SetSettingsFromRegistry();
}

void CTimeControl::SetTime(int hour, int minute)
{
    m_nHour = std::clamp(hour, 0, 23);
    m_nMinute = std::clamp(minute, 0, 59);
    Redraw();
}

void CTimeControl::GetTime(int& hour, int& minute) const
{
    hour = m_nHour;
    minute = m_nMinute;
}

void CTimeControl::SetFocusField(TimeField field)
{
    if (m_hWnd)
        SetFocus();
    SetFocusPosition(PositionOf(field));
}

void CTimeControl::GetDisplaySettings(CString* am, CString* pm, CString* separator, int* is24Hour, int* hourLeadingZero,
                                      int* markerPosition) const
{
    if (am)
        *am = m_strAM;
    if (pm)
        *pm = m_strPM;
    if (separator)
        *separator = m_strSeparator;
    if (is24Hour)
        *is24Hour = m_b24Hour;
    if (hourLeadingZero)
        *hourLeadingZero = m_bHourLeadingZero;
    if (markerPosition)
        *markerPosition = m_nMarkerPosition;
}

void CTimeControl::SetSettings(const char* am, const char* pm, const char* separator, int* is24Hour,
                               int* hourLeadingZero, int* markerPosition)
{
    if (am)
        m_strAM = SettingText(am);
    if (pm)
        m_strPM = SettingText(pm);
    if (separator)
        m_strSeparator = SettingText(separator);
    if (is24Hour)
        m_b24Hour = *is24Hour;
    if (hourLeadingZero)
        m_bHourLeadingZero = *hourLeadingZero;
    if (markerPosition)   // anything but "before" is after
        m_nMarkerPosition = *markerPosition == 1 ? 1 : 0;
    const TimeField focused = GetFocusField();
    m_nFieldCount = 3;
    if (m_nMarkerPosition == 1)
        m_order[0] = TIME_MARKER, m_order[1] = TIME_HOUR, m_order[2] = TIME_MINUTE;
    else
        m_order[0] = TIME_HOUR, m_order[1] = TIME_MINUTE, m_order[2] = TIME_MARKER;
    m_nFocus = PositionOf(focused == TIME_MARKER && (m_b24Hour || !IsMarkerShown()) ? TIME_HOUR : focused);
    RecalcLayout();
}

void CTimeControl::SetSettingsFromRegistry()
{
    const CString am = LocaleText(LOCALE_S1159, "AM");
    const CString pm = LocaleText(LOCALE_S2359, "PM");
    const CString separator = LocaleText(LOCALE_STIME, ":");
    int is24Hour = LocaleNumber(LOCALE_ITIME);
    int leadingZero = LocaleNumber(LOCALE_ITLZERO);
    int markerPosition = LocaleNumber(LOCALE_ITIMEMARKPOSN);
    SetSettings(am, pm, separator, &is24Hour, &leadingZero, &markerPosition);
}

bool CTimeControl::IsMarkerShown() const
{
    return m_b24Hour ? !m_strPM.IsEmpty() : !m_strAM.IsEmpty() || !m_strPM.IsEmpty();
}

CSize CTimeControl::CalcFixedLayout()
{
    const CSize base = CFieldControl::CalcFixedLayout();
    int width = base.cx + 2 * m_numberSize.cx + 12;
    if (IsMarkerShown())
        width += m_markerSize.cx + 2;
    return CSize(width, base.cy);
}

CRect CTimeControl::GetFieldRect(int position) const
{
    int x = m_nMarginX;
    for (int p = 0; p < m_nFieldCount; ++p) {
        CSize size = m_numberSize;
        int gap = 0;
        switch (m_order[p]) {
        case TIME_HOUR:
            gap = 12;
            break;
        case TIME_MINUTE:
            gap = p + 1 < m_nFieldCount && m_order[p + 1] == TIME_MARKER ? 2 : 0;
            break;
        default:
            size = IsMarkerShown() ? m_markerSize : CSize(0, m_markerSize.cy);
            gap = p == 0 && IsMarkerShown() ? 2 : 0;
            break;
        }
        if (p == position)
            return CRect(CPoint(x, m_nMarginY), size);
        x += size.cx + gap;
    }
    return CRect();
}

CString CTimeControl::FieldText(int position) const
{
    CString text;
    switch (m_order[position]) {
    case TIME_HOUR: {
        int hour = m_nHour;
        if (!m_b24Hour)
            hour = hour > 12 ? hour - 12 : hour == 0 ? 12 : hour;
        text.Format(m_bHourLeadingZero == 1 ? "%02d" : "%d", hour);
        break;
    }
    case TIME_MINUTE:
        text.Format("%02d", m_nMinute);
        break;
    default:
        if (IsMarkerShown())
            text = m_nHour < 12 ? m_strAM : m_strPM;
        break;
    }
    return text;
}

bool CTimeControl::IsFocusable(int position) const
{
    if (position < 0 || position >= m_nFieldCount)
        return false;
    return m_order[position] != TIME_MARKER || (!m_b24Hour && IsMarkerShown());
}

CString CTimeControl::SeparatorAfter(int position) const
{
    return m_order[position] == TIME_HOUR ? m_strSeparator : CString();
}

void CTimeControl::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    const HGDIOBJ hOld = dc.SelectObject(m_hFont);
    m_markerSize = CSize();
    m_numberSize = CSize();
    for (int number = 10; number <= 98; ++number) {
        CString text;
        text.Format("%02d", number);
        Grow(m_numberSize, dc, text);
    }
    Grow(m_markerSize, dc, m_strAM);
    Grow(m_markerSize, dc, m_strPM);
    dc.SelectObject(hOld);
    CFieldControl::RecalcLayout();
}

void CTimeControl::HandleScroll(int delta)
{
    const TimeField field = GetFocusField();
    NMFIELDSCROLL scroll{};
    scroll.direction = delta == 1 ? 0 : 1;
    scroll.value = field == TIME_HOUR ? m_nHour : m_nMinute;
    scroll.field = field;
    if (NotifyParent(FCN_SCROLLING, &scroll.hdr) && field != TIME_MARKER) {
        if (field == TIME_HOUR)
            SetTime(scroll.value, m_nMinute);
        else
            SetTime(m_nHour, scroll.value);
    } else {
        AdjustTime(delta);
    }
    NotifyParent(FCN_CHANGED);
}

void CTimeControl::AdjustTime(int delta)
{
    switch (GetFocusField()) {
    case TIME_HOUR:
        m_nHour += delta;
        if (m_b24Hour) {
            if (m_nHour > 23)
                m_nHour = 0;
        } else if (m_nHour == 24) {
            m_nHour = 0;
        } else if (m_nHour > 24) {
            m_nHour = 1;
        }
        if (m_nHour < 0)
            m_nHour = 23;
        break;
    case TIME_MINUTE:
        m_nMinute += delta;
        if (m_nMinute > 59)
            m_nMinute = 0;
        if (m_nMinute < 0)
            m_nMinute = 59;
        break;
    default:
        m_nHour = m_nHour < 12 ? m_nHour + 12 : m_nHour - 12;
        break;
    }
    Redraw();
}

void CTimeControl::TypeChar(UINT nChar)
{
    const TimeField field = GetFocusField();
    if (field == TIME_MARKER) {
        if (!m_strAM.IsEmpty() && SameLetter(nChar, (BYTE)m_strAM[0])) {
            if (m_nHour >= 12)
                m_nHour -= 12;
        } else if (!m_strPM.IsEmpty() && SameLetter(nChar, (BYTE)m_strPM[0])) {
            if (m_nHour < 12)
                m_nHour += 12;
        } else {
            Beep();
            return;
        }
        Redraw();
        return;
    }
    if (nChar < '0' || nChar > '9') {
        Beep();
        return;
    }
    const int digit = (int)(nChar - '0');
    if (field == TIME_MINUTE) {
        const int minute = m_nMinute * 10 + digit;
        m_nMinute = minute > 59 ? digit : minute;
    } else if (m_b24Hour) {
        const int hour = (m_nHour > 12 ? m_nHour - 12 : m_nHour) * 10 + digit;
        m_nHour = hour <= 23 ? hour : digit;
    } else {
        const bool afternoon = m_nHour >= 12;
        int value = (m_nHour > 12 ? m_nHour - 12 : m_nHour) * 10 + digit;
        if (value > 12)
            value = digit;
        if (value == 12)
            m_nHour = afternoon ? 12 : 0;
        else if (value != 0)
            m_nHour = value + (afternoon ? 12 : 0);
    }
    Redraw();
}

int CTimeControl::PositionOf(TimeField field) const
{
    for (int position = 0; position < m_nFieldCount; ++position)
        if (m_order[position] == field)
            return position;
    return 0;
}
