// Entry controls for a calendar date and a time of day, drawn by the library: a
// row of fields with one focused, a spin button at the right edge, digits typed
// into the focused field, arrows and spin clicks that step it, and the order of
// fields, separators, leading zeros and designators of the user's locale.
#pragma once
#include "controlapi.h"

// WM_NOTIFY codes sent to the parent (wParam = the control's ID).
enum : UINT {
    FCN_SCROLLING = 1,   // time control, before a scroll: an NMFIELDSCROLL the parent may answer
    FCN_CHANGED = 2,     // after a step by arrow key or spin button: NMHDR only
    FCN_CORRECTED = 3,   // a date that does not exist was asked for; the nearest valid one is shown
};

// Notification FCN_SCROLLING. Answered with non-zero, the value the parent leaves in
// `value` replaces the focused field's value instead of the step.
struct NMFIELDSCROLL {
    NMHDR hdr;
    int direction;   // 0 for a step of +1, 1 otherwise
    int value;       // the hour when the hour field is focused, else the minute
    int field;       // TimeField
};

enum DateField { DATE_DAY = 0, DATE_MONTH = 1, DATE_YEAR = 2, DATE_WEEKDAY = 3 };
enum TimeField { TIME_HOUR = 0, TIME_MINUTE = 1, TIME_MARKER = 2 };

// Style bit of the control's window style: a sunken 3-D border of 2 pixels (else one
// system border width).
enum : DWORD { FCS_3DBORDER = 0x0001 };

// Window creation, border, font, spin button, sizing, and the field machinery the
// two controls share: focus, drawing, keys and clicks.
class CONTROL_CLASS CFieldControl : public CWnd {
    DECLARE_DYNAMIC(CFieldControl)
public:
    CFieldControl() = default;
    ~CFieldControl() override;

    // A child window at (x, y), sized to its fields, with its spin button. FALSE only
    // when the window cannot be made.
    BOOL Create(int x, int y, DWORD style, CWnd* parent, UINT id);

    // The client size the control needs: the margins, the spin button and one text line.
    virtual CSize CalcFixedLayout();
    virtual void DoPaint(CDC* pDC);
    // Grows a client rectangle by the border.
    virtual void CalcWindowRect(LPRECT lpClientRect);

    HWND GetSpinButton() const { return m_hSpin; }
    // Client rectangle of the field at a position of the field order.
    virtual CRect GetFieldRect(int position) const = 0;

protected:
    // The fields, as the subclasses define them.
    virtual int FieldCount() const = 0;
    virtual CString FieldText(int position) const = 0;
    // Whether the field at a position can take the focus.
    virtual bool IsFocusable(int position) const { return position >= 0 && position < FieldCount(); }
    // Text drawn centred in the gap right of a position ("" for none).
    virtual CString SeparatorAfter(int position) const = 0;
    // One step of the focused field, from an arrow key or the spin button.
    virtual void Step(int delta) = 0;
    // A character typed into the focused field.
    virtual void TypeChar(UINT nChar) = 0;
    // Measures the fields with the control's font, then resizes the window.
    virtual void RecalcLayout();

    // Moves the focus by one focusable field, wrapping around.
    void MoveFocus(int direction);
    void SetFocusPosition(int position);
    // Redraws the fields when the window shows.
    void Redraw();
    // WM_NOTIFY to the parent with hdr filled in; the parent's answer.
    LRESULT NotifyParent(UINT code, NMHDR* pHeader = nullptr);
    // Largest extent of a text in the control's font.
    static void Grow(CSize& largest, CDC& dc, const CString& text);
    int BorderWidth() const;
    static void Beep() { ::MessageBeep(MB_ICONEXCLAMATION); }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

    HWND m_hSpin = nullptr;    // the up-down control (ID 101)
    HFONT m_hFont = nullptr;   // the font the fields are drawn with (not owned)
    int m_nFocus = 0;          // position in the field order of the focused field
    int m_nMarginX = 3;        // pixels left of the first field
    int m_nMarginY = 2;        // pixels above the fields
};

class CONTROL_CLASS CDateControl : public CFieldControl {
    DECLARE_DYNAMIC(CDateControl)
public:
    // Today's local date.
    CDateControl();
    // Out-of-range parts are brought into range as SetDate does.
    CDateControl(int month, int day, int year);

    // Clamps the year to 1970..2069, the month to 1..12 and the day to that month; a
    // date that had to change is reported to the parent (FCN_CORRECTED).
    void SetDate(int month, int day, int year);
    void GetDate(int& month, int& day, int& year) const;
    DateField GetFocusField() const { return (DateField)m_order[m_nFocus]; }
    // Takes the keyboard focus and focuses that field.
    void SetFocusField(DateField field);

    // The locale's abbreviated name of a weekday (0 Sunday .. 6 Saturday); 1 on success.
    int GetDayOfWeekString(int day, CString& out) const;
    int GetDayOfYear() const;
    int GetDayOfWeek() const;   // 0 Sunday
    static int IsLeap(int year);
    static int DaysInMonth(int month, int year);
    // Days from a fixed origin (1 January of year 1 is day 1), and back.
    long Date2Long() const;
    static long Date2Long(int month, int day, int year);
    static void Long2Date(long days, int& month, int& day, int& year);

    // Null pointers are skipped. SetSettings rebuilds the field order and the layout, and
    // cuts a separator to the 24 characters a locale could give.
    void GetDisplaySettings(CString* separator, int* monthLeadingZero, int* dayLeadingZero, int* century,
                            int* dateOrder) const;
    void SetSettings(const char* separator, int* monthLeadingZero, int* dayLeadingZero, int* century, int* dateOrder);
    // The user's locale: date separator, leading zeros, century and date order.
    void SetSettingsFromRegistry();

    CSize CalcFixedLayout() override;
    CRect GetFieldRect(int position) const override;

protected:
    int FieldCount() const override { return m_nFieldCount; }
    CString FieldText(int position) const override;
    CString SeparatorAfter(int position) const override;
    void Step(int delta) override { AdjustDate(delta); }
    void TypeChar(UINT nChar) override;
    void RecalcLayout() override;

    // Steps the focused field without carrying into the others; beeps at the ends of
    // the years shown.
    void AdjustDate(int delta);
    // Clamps the day to its month; true when it had to.
    bool ClampDay();
    void TypeWeekday(UINT nChar);

    int m_nDay = 1, m_nMonth = 1, m_nYear = 1970;
    CSize m_weekdaySize;   // largest extent of the abbreviated weekday names
    CSize m_numberSize;    // largest extent of "%02d" for 10..98
    int m_order[4] = {DATE_WEEKDAY, DATE_MONTH, DATE_DAY, DATE_YEAR};
    int m_nFieldCount = 4;
    CString m_strSeparator = "/";
    int m_bDayLeadingZero = 1;
    int m_bMonthLeadingZero = 1;
    int m_nCentury = 0;     // kept and reported only
    int m_nDateOrder = 0;   // 0 month, day, year; 1 day, month, year; 2 year, month, day
};

class CONTROL_CLASS CTimeControl : public CFieldControl {
    DECLARE_DYNAMIC(CTimeControl)
public:
    // The current local time.
    CTimeControl();
    CTimeControl(int hour, int minute);

    // Clamps to 0..23 and 0..59.
    void SetTime(int hour, int minute);
    void GetTime(int& hour, int& minute) const;
    TimeField GetFocusField() const { return (TimeField)m_order[m_nFocus]; }
    void SetFocusField(TimeField field);

    // Null pointers are skipped. SetSettings cuts each text to the 24 characters a locale
    // could give, so that a long one cannot make the control wider than any screen.
    void GetDisplaySettings(CString* am, CString* pm, CString* separator, int* is24Hour, int* hourLeadingZero,
                            int* markerPosition) const;
    void SetSettings(const char* am, const char* pm, const char* separator, int* is24Hour, int* hourLeadingZero,
                     int* markerPosition);
    // The user's locale: designators, separator, clock, leading zero and marker position.
    void SetSettingsFromRegistry();

    // Whether the AM/PM field is shown.
    bool IsMarkerShown() const;

    CSize CalcFixedLayout() override;
    CRect GetFieldRect(int position) const override;

protected:
    int FieldCount() const override { return m_nFieldCount; }
    CString FieldText(int position) const override;
    bool IsFocusable(int position) const override;
    CString SeparatorAfter(int position) const override;
    void Step(int delta) override { HandleScroll(delta); }
    void TypeChar(UINT nChar) override;
    void RecalcLayout() override;

    // Asks the parent (FCN_SCROLLING), steps or takes its value, then FCN_CHANGED.
    void HandleScroll(int delta);
    void AdjustTime(int delta);
    int PositionOf(TimeField field) const;

    int m_nHour = 0, m_nMinute = 0;   // 24-hour clock
    CSize m_markerSize;               // largest extent of the two designators
    CSize m_numberSize;               // largest extent of "%02d" for 10..98
    int m_order[3] = {TIME_HOUR, TIME_MINUTE, TIME_MARKER};
    int m_nFieldCount = 3;
    CString m_strAM = "AM", m_strPM = "PM", m_strSeparator = ":";
    int m_b24Hour = 0;
    int m_bHourLeadingZero = 0;
    int m_nMarkerPosition = 0;   // 0 after the time, 1 before it
};
