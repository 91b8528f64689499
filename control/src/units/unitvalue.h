// The value state the unit edits and the unit combo boxes keep, in fields of
// the same names: its units, its parse and display, and the notices to the
// parent. Their bases differ (CEdit, CComboBox) and their fields are fixed, so
// each class's members forward here instead of sharing a base.
#pragma once
#include "direction.h"
#include "junitedit.h"
#include "localunits.h"

template <class Control>
struct UnitValue {
    static int SetUnitType(Control& c, UINT unitType)
    {
        c.m_nUnitType = unitType;
        GUserText name;
        const int known = GetUnitName(unitType, name);
        c.Init(1);
        return known;
    }

    static void Init(Control& c, int loadDefaults)
    {
        c.m_bModified = 0;
        c.m_dValue = 0.0;
        if (loadDefaults) {
            Control::GetDefaultUnits(c.m_nUnitType, &c.m_nPrimaryUnit, &c.m_nSecondaryUnit, &c.m_nTertiaryUnit);
            Control::GetDefaultUnitFormat(c.m_nUnitType, &c.m_localFormat);
        }
    }

    // A text the control cut short to fit (the text limit, or the box width without scrolling)
    // is not the user's: it stays so until the user deletes some of it, that is until the text
    // gets shorter than its longest since the cut. What is left is then the user's own again.
    static void OnCutShort(Control& c, int length)
    {
        c.m_bCutShort = 1;
        c.m_nCutLength = length;
    }

    static void OnTextChange(Control& c, int length)
    {
        if (!c.m_bCutShort)
            return;
        if (length < c.m_nCutLength)
            c.m_bCutShort = 0;
        else
            c.m_nCutLength = length;
    }

    // Commits a pending entry first (a bad one beeps and is dropped).
    static double GetValue(Control& c)
    {
        if (c.m_bModified && c.Parse() == 0)
            ::MessageBeep((UINT)-1);
        c.Display();
        return c.m_dValue;
    }

    static void SetValue(Control& c, double value)
    {
        c.m_dValue = value;
        c.m_bModified = 0;
        c.Display();
    }

    static void SetLocalUnits(Control& c, const UINT* primary, const UINT* secondary, const UINT* tertiary)
    {
        if (!primary)
            return;
        c.m_nPrimaryUnit = *primary;
        if (!secondary) {
            c.m_nSecondaryUnit = UNIT_NONE;
            return;
        }
        c.m_nSecondaryUnit = *secondary;
        c.m_nTertiaryUnit = tertiary ? *tertiary : UNIT_NONE;
    }

    static void GetLocalUnits(const Control& c, UINT* primary, UINT* secondary, UINT* tertiary)
    {
        if (primary)
            *primary = c.m_nPrimaryUnit;
        if (secondary)
            *secondary = c.m_nSecondaryUnit;
        if (tertiary)
            *tertiary = c.m_nTertiaryUnit;
    }

    static int ParseText(Control& c, UINT unitType, const GUserText& text, double* value, UINT* unitFound)
    {
        return ParseInUnits(unitType, c.m_bCaseSensitive, (c.m_nDisplayMode & JUNIT_DEFAULT_UNITS) != 0,
                            &c.m_nPrimaryUnit, &c.m_nSecondaryUnit, &c.m_nTertiaryUnit, text, value, unitFound);
    }

    // Parses the shown text into the value; a rejected text leaves the value and ends the entry.
    static int Parse(Control& c)
    {
        double value = 0.0;
        const int result = c.ParseText(c.m_nUnitType, GUserText(ShownText(c)), &value, nullptr);
        return Take(c, result, result != 0, value);
    }

    // The same, with the text read as a direction in the bearing settings.
    static int ParseDirection(Control& c, const JBearingInfo& bearing)
    {
        double direction = 0.0;
        const int result = ParseDirectionText(
            bearing, c.m_nUnitType, GUserText(ShownText(c)),
            [&c](const GUserText& angleText, double* angle) {
                return c.ParseText(c.m_nUnitType, angleText, angle, nullptr);
            },
            &direction);
        return Take(c, result, result == 1, direction);
    }

    // The format and units Display uses (the display mode decides).
    static tagUomFormat DisplayFormat(const Control& c)
    {
        if (!(c.m_nDisplayMode & JUNIT_DEFAULT_FORMAT))
            return c.m_localFormat;
        tagUomFormat format{};
        Control::GetDefaultUnitFormat(c.m_nUnitType, &format);
        return format;
    }

    static void DisplayUnits(const Control& c, const UINT** primary, const UINT** secondary, const UINT** tertiary)
    {
        const bool local = !(c.m_nDisplayMode & JUNIT_DEFAULT_UNITS);
        *primary = local ? &c.m_nPrimaryUnit : nullptr;
        *secondary = local ? &c.m_nSecondaryUnit : nullptr;
        *tertiary = local ? &c.m_nTertiaryUnit : nullptr;
    }

    // The value as Display shows it, in the display format and units.
    static GUserText Formatted(const Control& c, double value)
    {
        const tagUomFormat format = DisplayFormat(c);
        const UINT *primary, *secondary, *tertiary;
        DisplayUnits(c, &primary, &secondary, &tertiary);
        GUserText text;
        FormatUnit(c.m_nUnitType, value, text, &format, primary, secondary, tertiary);
        return text;
    }

    static LRESULT NotifyParent(const Control& c, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const HWND hParent = ::GetParent(c.m_hWnd);
        return hParent ? ::SendMessageA(hParent, message, wParam, lParam) : 0;
    }

    // Tells the parent (WM_COMMAND with notification 0); beeps unless it answers -1.
    static void OnBadInput(Control& c)
    {
        const LRESULT answer = NotifyParent(c, WM_COMMAND, MAKEWPARAM(c.GetDlgCtrlID(), 0), (LPARAM)c.m_hWnd);
        if (answer != -1)
            ::MessageBeep((UINT)-1);
    }

    static void SendLockingMessage(Control& c, int lock)
    {
        NotifyParent(c, lock ? JUM_LOCKVALUE : JUM_UNLOCKVALUE, (WPARAM)c.GetDlgCtrlID(), 0);
    }

private:
    static CString ShownText(const Control& c)
    {
        CString text;
        c.GetWindowText(text);
        return text;
    }

    static int Take(Control& c, int result, bool bAccepted, double value)
    {
        if (bAccepted)
            c.m_dValue = value;
        else
            c.m_bModified = 0;
        return result;
    }
};
