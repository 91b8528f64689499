// Edit controls that hold one quantity (a distance, an angle, a direction, a
// scalar) and show it in the user's units. A committed entry (Enter, Tab,
// focus loss) is parsed, stored in internal units, shown again in the
// canonical format and reported to the parent window.
#pragma once
#include "controlapi.h"
#include "unitsvc.h"

// Sent to the parent: wParam = the control's dialog ID, lParam = 0.
enum : UINT {
    JUM_LOCKVALUE = 0x1026,       // an entry was accepted (and on every Enter)
    JUM_UNLOCKVALUE = 0x1027,     // the text was emptied by Delete, Backspace or Clear
    JUM_BADVALUE = 0x1028,        // an entry was rejected; the old value stays
    JUM_VALUESELECTED = 0x1029,   // a value was picked from a unit combo box's list
};

// Display mode bits.
enum : UINT {
    JUNIT_DEFAULT_FORMAT = 1,   // format with the application's format, not the local one
    JUNIT_DEFAULT_UNITS = 2,    // parse and format with the application's units, not the local ones
};

template <class>
struct UnitValue;

class CONTROL_CLASS JUnitEdit : public CEdit {
    DECLARE_DYNAMIC(JUnitEdit)
    // The value state it shares with the other kind of unit field.
    template <class>
    friend struct UnitValue;

public:
    JUnitEdit();
    explicit JUnitEdit(UINT unitType);
    ~JUnitEdit() override;

    // Non-zero when the unit services know the type. Resets value and local units and format.
    int SetUnitType(UINT unitType);
    UINT GetUnitType() const { return m_nUnitType; }

    // Commits a pending entry first (a bad one beeps and is dropped).
    double GetValue();
    void SetValue(double value);

    void SetLocalFormat(const tagUomFormat& format) { m_localFormat = format; }
    tagUomFormat GetLocalFormat() const { return m_localFormat; }
    // A null primary changes nothing; a null secondary also clears the secondary (the tertiary
    // stays); a null tertiary with a secondary clears the tertiary.
    void SetLocalUnits(const UINT* primary, const UINT* secondary, const UINT* tertiary);
    void GetLocalUnits(UINT* primary, UINT* secondary, UINT* tertiary) const;
    void SetCaseSensitive(int caseSensitive) { m_bCaseSensitive = caseSensitive; }
    int GetCaseSensitive() const { return m_bCaseSensitive; }

    // The document's units and format from the host, else the unit services' defaults. Return 1.
    static int GetDefaultUnits(UINT unitType, UINT* primary, UINT* secondary, UINT* tertiary);
    static int GetDefaultUnitFormat(UINT unitType, tagUomFormat* format);

    // Window class "JUnitEdit" for dialog templates.
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

    // Parses the text into the value: 1 accepted, anything else rejected (value kept).
    virtual int Parse();
    // Tells the parent (WM_COMMAND with notification 0); beeps unless it answers -1.
    virtual void OnBadInput();
    // Shows the value.
    virtual void Display();
    virtual void SetUnitDisplayMode(UINT mode) { m_nDisplayMode = mode; }
    virtual UINT GetUnitDisplayMode() { return m_nDisplayMode; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // True while the user's edits (typed, pasted, cut, cleared, undone) have not been committed.
    BOOL IsModified() const { return m_bModified != 0 || (m_hWnd && ::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0)); }

protected:
    void Init(int loadDefaults);
    int ParseText(UINT unitType, const GUserText& text, double* value, UINT* unitFound);
    // Commits the entry; bEnter when Enter asked for it. 1 when accepted.
    int ValidateString(int bEnter);
    // JUM_LOCKVALUE when lock, else JUM_UNLOCKVALUE.
    void SendLockingMessage(int lock);
    // The format and units Display uses (the display mode decides).
    tagUomFormat DisplayFormat() const;
    void DisplayUnits(const UINT** primary, const UINT** secondary, const UINT** tertiary) const;
    // Sends a notification to the parent window.
    LRESULT NotifyParent(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Window classes: registers className as a superclass of "edit" whose windows get an
    // object from pfnStartUp's class; *ppfnEdit keeps the edit class's procedure.
    static BOOL RegisterEditSuperclass(LPCSTR className, UINT classStyle, WNDPROC pfnStartUp, WNDPROC* ppfnEdit);
    // Attaches a new object to a window of one of those classes.
    static void AdoptWindow(JUnitEdit* pEdit, HWND hWnd, WNDPROC pfnEdit);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnClear(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMaxText();
    afx_msg BOOL OnTextChange();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Takes the edit control's own record of user edits into the modified flag: pastes,
    // cuts and undos from the keyboard or the context menu change the text without a
    // character typed.
    void TakeUserEdits();
    // Ends an entry whose text the control cut short (the text limit, or the box width
    // without scrolling): what is left is not what the user typed, until the user deletes
    // some of it (m_nCutLength: the text's longest length since the cut).
    int m_bCutShort = 0;
    int m_nCutLength = 0;
    int m_bSettingText = 0;   // the control's own text is being set, not typed

    int m_bModified = 0;
    double m_dValue = 0.0;
    UINT m_nUnitType = UNIT_TYPE_DISTANCE;
    UINT m_nDisplayMode = JUNIT_DEFAULT_FORMAT | JUNIT_DEFAULT_UNITS;
    int m_bCaseSensitive = 0;
    tagUomFormat m_localFormat{};
    UINT m_nPrimaryUnit = UNIT_NONE;
    UINT m_nSecondaryUnit = UNIT_NONE;
    UINT m_nTertiaryUnit = UNIT_NONE;
    HFONT m_hFont = nullptr;
};

class CONTROL_CLASS JDistanceEdit : public JUnitEdit {
    DECLARE_DYNAMIC(JDistanceEdit)
public:
    JDistanceEdit();
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();
};

class CONTROL_CLASS JAngleEdit : public JUnitEdit {
    DECLARE_DYNAMIC(JAngleEdit)
public:
    JAngleEdit();
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();
};

// Angles shown as bearings or azimuths, as the process-wide bearing settings say.
class CONTROL_CLASS JDirectionEdit : public JUnitEdit {
    DECLARE_DYNAMIC(JDirectionEdit)
public:
    JDirectionEdit();
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

    int Parse() override;
    void Display() override;

    // Quadrant bearings ("N 45 E"): angle clockwise from north (radians) to text and back.
    // ParseQuadrantBearing returns 1 with *angle in [0, 2pi), else 0.
    GUserText FormatQuadrantBearing(double azimuth) const;
    static int ParseQuadrantBearing(UINT unitType, const GUserText& text, double* angle, UINT* unitFound);
};

class CONTROL_CLASS JScalarEdit : public JUnitEdit {
    DECLARE_DYNAMIC(JScalarEdit)
public:
    JScalarEdit();
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

    // Whole numbers only, in the local format and units.
    void SetToIntegerControl();
};
