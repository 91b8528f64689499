// Editable combo boxes that hold one quantity like the unit edits and offer
// the recently entered values of their kind, kept under "DefaultValues" in
// the environment's registry key so every field of a kind shares them.
#pragma once
#include "junitedit.h"

// Combo style bits of the family.
enum : DWORD {
    JCBS_HISTORY = 0x1000,    // entered values are added to the list and stored
    JCBS_NORELOAD = 0x2000,   // the list is not rebuilt from the registry on drop-down
};

class CONTROL_CLASS JUnitComboBox : public CComboBox {
    DECLARE_DYNAMIC(JUnitComboBox)
    // The value state it shares with the other kind of unit field.
    template <class>
    friend struct UnitValue;

public:
    // useDefaults: non-zero shows and parses in the application's format and units.
    explicit JUnitComboBox(int useDefaults = 0, UINT unitType = UNIT_TYPE_DISTANCE);
    ~JUnitComboBox() override;

    int SetUnitType(UINT unitType);
    UINT GetUnitType() const { return m_nUnitType; }
    double GetValue();
    void SetValue(double value);
    void SetLocalFormat(const tagUomFormat& format) { m_localFormat = format; }
    tagUomFormat GetLocalFormat() const { return m_localFormat; }
    void SetLocalUnits(const UINT* primary, const UINT* secondary, const UINT* tertiary);
    void GetLocalUnits(UINT* primary, UINT* secondary, UINT* tertiary) const;
    void SetCaseSensitive(int caseSensitive) { m_bCaseSensitive = caseSensitive; }
    int GetCaseSensitive() const { return m_bCaseSensitive; }
    BOOL IsModified() const { return m_bModified != 0; }
    int GetValueLimit() const { return m_nValueLimit; }

    static int GetDefaultUnits(UINT unitType, UINT* primary, UINT* secondary, UINT* tertiary)
    {
        return JUnitEdit::GetDefaultUnits(unitType, primary, secondary, tertiary);
    }
    static int GetDefaultUnitFormat(UINT unitType, tagUomFormat* format)
    {
        return JUnitEdit::GetDefaultUnitFormat(unitType, format);
    }
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

    // Rebuilds the list from the history; non-zero when it holds stored values.
    int LoadValues();
    // Puts one value at the head of the history: 0 done, 1 a registry write failed.
    int SaveValue(CString text);

    virtual void Display();
    virtual void SetUnitDisplayMode(UINT mode) { m_nDisplayMode = mode; }
    virtual UINT GetUnitDisplayMode() { return m_nDisplayMode; }
    // The text's value (0.0 when it does not parse); the control's value stays.
    virtual double Parse(const char* text);
    // Parses the edit text into the value: 1 accepted, anything else rejected.
    virtual int Parse();
    virtual void OnBadInput();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void Init(int loadDefaults);
    void OpenRegKey(LPCSTR kind);
    void AddStringToLB(CString text, int save);
    void ValidateString(int bEnter);
    void SendLockingMessage(int lock);
    int ParseText(UINT unitType, const GUserText& text, double* value, UINT* unitFound);
    // The text of a stored value and the value of an entered text; directions override
    // both for quadrant bearings.
    virtual GUserText FormatStored(double value);
    virtual int ParseStored(const GUserText& text, double* value);
    tagUomFormat DisplayFormat() const;
    void DisplayUnits(const UINT** primary, const UINT** secondary, const UINT** tertiary) const;
    CString EditText() const;
    LRESULT NotifyParent(UINT message, WPARAM wParam, LPARAM lParam) const;
    // The stored limit and count, the limit written back when missing or unusable.
    DWORD ReadLimitAndCount(DWORD* count);
    // The history key's name under "DefaultValues"; none keeps no history.
    virtual LPCSTR KindName() const { return nullptr; }
    virtual void OnCreated() {}
    virtual void AddDefaultValues() {}
    // Lengths drop the sign of an entry and keep no zero in the list.
    virtual bool IsLength() const { return false; }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControl();

    // Window classes: registers className as a superclass of "combobox" whose windows get
    // an object from pfnStartUp's class; *ppfnCombo keeps the combo class's procedure.
    static BOOL RegisterComboSuperclass(LPCSTR className, UINT classStyle, WNDPROC pfnStartUp, WNDPROC* ppfnCombo);
    static void AdoptWindow(JUnitComboBox* pCombo, HWND hWnd, WNDPROC pfnCombo);
    void ResizeDroppedList();

    int m_bModified = 0;
    // The edit field cut the text short to fit its box (no horizontal scrolling): what is
    // left is not the user's until the user deletes some of it (see JUnitEdit).
    int m_bCutShort = 0;
    int m_nCutLength = 0;
    int m_bSettingText = 0;   // the control's own text is being set, not typed
    double m_dValue = 0.0;
    UINT m_nUnitType = UNIT_TYPE_DISTANCE;
    UINT m_nDisplayMode = 0;
    int m_bCaseSensitive = 0;
    tagUomFormat m_localFormat{};
    UINT m_nPrimaryUnit = UNIT_NONE;
    UINT m_nSecondaryUnit = UNIT_NONE;
    UINT m_nTertiaryUnit = UNIT_NONE;
    HFONT m_hFont = nullptr;
    HKEY m_hHistoryKey = nullptr;
    int m_nValueLimit = 25;
    int m_nLoadedCount = 0;
};

class CONTROL_CLASS JDistanceComboBox : public JUnitComboBox {
    DECLARE_DYNAMIC(JDistanceComboBox)
public:
    explicit JDistanceComboBox(int useDefaults = 0);
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

protected:
    LPCSTR KindName() const override { return "Distance"; }
    void AddDefaultValues() override;
    bool IsLength() const override { return true; }
};

class CONTROL_CLASS JAngleComboBox : public JUnitComboBox {
    DECLARE_DYNAMIC(JAngleComboBox)
public:
    explicit JAngleComboBox(int useDefaults = 0);
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

protected:
    LPCSTR KindName() const override { return "Angle"; }
};

class CONTROL_CLASS JDirectionComboBox : public JUnitComboBox {
    DECLARE_DYNAMIC(JDirectionComboBox)
public:
    explicit JDirectionComboBox(int useDefaults = 0);
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

    using JUnitComboBox::Parse;
    int Parse() override;
    void Display() override;

protected:
    LPCSTR KindName() const override { return "Angle"; }
    GUserText FormatStored(double value) override;
    int ParseStored(const GUserText& text, double* value) override;
    void AddDefaultValues() override;
};

class CONTROL_CLASS JScalarComboBox : public JUnitComboBox {
    DECLARE_DYNAMIC(JScalarComboBox)
public:
    explicit JScalarComboBox(int useDefaults = 0);
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

    // Decimal numbers with this many decimals / whole numbers, in the local format and units.
    void SetToDoubleControl(BYTE decimals);
    void SetToIntegerControl();

protected:
    LPCSTR KindName() const override { return "Scalar"; }
};

// Line weights: a fixed list of preset weights instead of a history.
class CONTROL_CLASS JWeightComboBox : public JUnitComboBox {
    DECLARE_DYNAMIC(JWeightComboBox)
public:
    explicit JWeightComboBox(int useDefaults = 0);
    static BOOL RegisterControlClass();
    static BOOL UnregisterControlClass();

    // Puts the presets back and takes the environment's weight units and format. Returns 1.
    int Init();

protected:
    void OnCreated() override;
    void SetUpPresets(bool localSeparator);
};
