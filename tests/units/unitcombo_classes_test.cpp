// The unit combo boxes' window classes: registered by InitCustomControls after
// the unit edits', usable in dialog templates, each window getting its object.
#include "cntlrc.h"
#include "scripted_input.h"
#include "unitcombo_fixture.h"

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

struct ComboClassCase {
    LPCSTR name;
    UINT nID;
    const CRuntimeClass* kind;
    UINT unitType;
    UINT classStyle;
};

const ComboClassCase kClasses[] = {
    {"JUnitComboBox", IDC_UNITCOMBO_UNIT, RUNTIME_CLASS(JUnitComboBox), UNIT_TYPE_DISTANCE,
     CS_GLOBALCLASS | CS_DBLCLKS},
    {"JDistanceComboBox", IDC_UNITCOMBO_DISTANCE, RUNTIME_CLASS(JDistanceComboBox), UNIT_TYPE_DISTANCE, CS_GLOBALCLASS},
    {"JAngleComboBox", IDC_UNITCOMBO_ANGLE, RUNTIME_CLASS(JAngleComboBox), UNIT_TYPE_ANGLE, CS_GLOBALCLASS},
    {"JDirectionComboBox", IDC_UNITCOMBO_DIRECTION, RUNTIME_CLASS(JDirectionComboBox), UNIT_TYPE_ANGLE, CS_GLOBALCLASS},
    {"JScalarComboBox", IDC_UNITCOMBO_SCALAR, RUNTIME_CLASS(JScalarComboBox), UNIT_TYPE_SCALAR, CS_GLOBALCLASS},
    {"JWeightComboBox", IDC_UNITCOMBO_WEIGHT, RUNTIME_CLASS(JWeightComboBox), UNIT_TYPE_DISTANCE, CS_GLOBALCLASS},
};

using UnitComboClassTest = UnitComboTest;

TEST_F(UnitComboClassTest, InitCustomControlsRegistersEachClassAsAComboBoxSuperclass)
{
    InitCustomControls();
    WNDCLASSA combo{};
    ASSERT_TRUE(::GetClassInfoA(nullptr, "combobox", &combo));
    for (const ComboClassCase& c : kClasses) {
        SCOPED_TRACE(c.name);
        WNDCLASSA wc{};
        ASSERT_TRUE(::GetClassInfoA(ControlModule(), c.name, &wc));
        EXPECT_EQ(c.classStyle, wc.style);
        EXPECT_EQ(combo.cbWndExtra, wc.cbWndExtra);
        EXPECT_NE(combo.lpfnWndProc, wc.lpfnWndProc);
    }
    EXPECT_TRUE(JWeightComboBox::RegisterControlClass()) << "registered again with the same procedure";
}

TEST_F(UnitComboClassTest, ATemplatesCombosGetTheirObjectsWhichGoWithTheDialog)
{
    InitCustomControls();
    const HWND hDialog =
        ::CreateDialogParamA(ControlResources(), MAKEINTRESOURCEA(IDD_UNITCOMBO_CLASSES), m_parent, PlainDialogProc, 0);
    ASSERT_NE(nullptr, hDialog);
    std::vector<HWND> controls;
    for (const ComboClassCase& c : kClasses) {
        SCOPED_TRACE(c.name);
        const HWND hControl = ::GetDlgItem(hDialog, (int)c.nID);
        ASSERT_NE(nullptr, hControl);
        controls.push_back(hControl);
        auto* pCombo = static_cast<JUnitComboBox*>(CWnd::FromHandlePermanent(hControl));
        ASSERT_NE(nullptr, pCombo);
        EXPECT_EQ(c.kind, pCombo->GetRuntimeClass());
        EXPECT_EQ(c.unitType, pCombo->GetUnitType());
        EXPECT_EQ(0u, pCombo->GetUnitDisplayMode()) << "the classes' objects use local format and units";
        EXPECT_TRUE(pCombo->GetStyle() & CBS_AUTOHSCROLL);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetComboBoxInfo(hControl, &info));
        EXPECT_TRUE(::GetWindowLongA(info.hwndItem, GWL_STYLE) & ES_AUTOHSCROLL) << "long entries scroll";
        EXPECT_FALSE(pCombo->GetExStyle() & WS_EX_NOPARENTNOTIFY);
        pCombo->SetValue(1.0);
        EXPECT_GT(pCombo->GetWindowTextLength(), 0);
    }
    // The weight combo keeps presets, not a history.
    auto* pWeight = static_cast<JWeightComboBox*>(CWnd::FromHandlePermanent(controls.back()));
    EXPECT_FALSE(pWeight->GetStyle() & JCBS_HISTORY);
    EXPECT_EQ(9, pWeight->GetCount());
    EXPECT_EQ(1, pWeight->Init());
    EXPECT_EQ(9, pWeight->GetCount()) << "Init puts the presets back, not a second set";
    // The distance combo's history key exists from its creation on.
    EXPECT_TRUE(testing_support::KeyExists(HKEY_CURRENT_USER, HistoryPath("Distance")));
    ::DestroyWindow(hDialog);
    for (HWND hControl : controls)
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hControl));
}

TEST_F(UnitComboClassTest, TheWeightCombosPresetsComeFromTheResourceModuleInTheEnvironmentsUnits)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    pInfo->m_nDisplayPrimaryUnits = UNIT_MILLIMETRE;
    pInfo->m_nFormatPrecision = 3;
    JWeightComboBox weight;
    const DWORD style = WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | JCBS_HISTORY;
    ASSERT_TRUE(weight.Create(style, CRect(0, 0, 100, 200), &m_parent, 9));
    EXPECT_FALSE(weight.GetStyle() & JCBS_HISTORY);
    ASSERT_EQ(9, weight.GetCount());
    for (int i = 0; i < 9; ++i) {
        CString expected;
        ASSERT_TRUE(AfxLoadString(ControlResources(), IDS_WEIGHT_PRESET_FIRST + i, expected));
        CString shown;
        weight.GetLBText(i, shown);
        char separator[8] = ".";
        ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
        expected.Replace(".", separator);
        EXPECT_EQ(expected, shown);
    }
    UINT primary = 0, secondary = 0;
    weight.GetLocalUnits(&primary, &secondary, nullptr);
    EXPECT_EQ(UINT(UNIT_MILLIMETRE), primary);
    EXPECT_EQ(UINT(UNIT_NONE), secondary);
    EXPECT_EQ(3, weight.GetLocalFormat().precision);
    EXPECT_EQ(0u, weight.GetUnitDisplayMode());
}

TEST_F(UnitComboClassTest, TheSelectionFieldTakesItsHeightFromTheParentsFont)
{
    JAngleComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(0, 0, 100, 200), &m_parent, 9));
    HDC hDC = ::GetDC(combo);
    TEXTMETRICA system{};
    HGDIOBJ hOld = ::SelectObject(hDC, ::GetStockObject(SYSTEM_FONT));
    ::GetTextMetricsA(hDC, &system);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(combo, hDC);
    // The parent has no font of its own: the system font measures both. The combo box
    // may add the padding of its edit (two pixels) to the height it is given.
    const int expected = system.tmHeight + system.tmHeight / 2;
    EXPECT_GE(combo.GetItemHeight(-1), expected);
    EXPECT_LE(combo.GetItemHeight(-1), expected + 2);
}

TEST(UnitComboSettings, ScalarCombosSwitchBetweenDecimalsAndWholeNumbers)
{
    JScalarComboBox scalar;
    scalar.SetToDoubleControl(4);
    EXPECT_EQ(4, scalar.GetLocalFormat().precision);
    EXPECT_EQ(0u, scalar.GetUnitDisplayMode());
    scalar.SetToIntegerControl();
    EXPECT_EQ(0, scalar.GetLocalFormat().precision);
    EXPECT_EQ(1u, scalar.GetLocalFormat().integerDisplay);
    JUnitComboBox withDefaults(1);
    EXPECT_EQ(3u, withDefaults.GetUnitDisplayMode());
    EXPECT_EQ(UNIT_TYPE_DISTANCE, withDefaults.GetUnitType());
}

}   // namespace

namespace {

// A modeless dialog's loop: the thread's translation first, then the dialog's keys.
void PumpDialog(HWND hDialog)
{
    for (int round = 0; round < 10; ++round) {
        ::Sleep(10);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            CWinThread* pThread = AfxGetThread();
            if ((pThread && pThread->PreTranslateMessage(&msg)) || ::IsDialogMessageA(hDialog, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// A host's dialog: a framework dialog, so its controls hear their notifications back.
class RecordingDialog : public CDialog {
public:
    std::vector<ParentMessage> received;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= JUM_LOCKVALUE && message <= JUM_VALUESELECTED)
            received.push_back({message, wParam, lParam});
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST_F(UnitComboClassTest, TabInADialogCommitsTheEntryAsTheFocusMoves)
{
    InitCustomControls();
    RecordingDialog dialog;
    {
        CResourceSwitch resources(ControlResources());
        ASSERT_TRUE(dialog.Create(IDD_UNITCOMBO_CLASSES, &m_parent));
    }
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(testing_support::MakeForeground(dialog));
    const HWND hCombo = ::GetDlgItem(dialog, IDC_UNITCOMBO_SCALAR);
    ::SetFocus(hCombo);
    PumpDialog(dialog);
    dialog.received.clear();
    testing_support::TypeText("12");
    testing_support::PressKey(VK_TAB);
    PumpDialog(dialog);
    EXPECT_EQ((std::vector<ParentMessage>{{JUM_LOCKVALUE, IDC_UNITCOMBO_SCALAR, 0}}), dialog.received);
    auto* pCombo = static_cast<JScalarComboBox*>(CWnd::FromHandlePermanent(hCombo));
    ASSERT_NE(nullptr, pCombo);
    EXPECT_DOUBLE_EQ(12.0, pCombo->GetValue());
    EXPECT_FALSE(::IsChild(hCombo, ::GetFocus())) << "the focus went on";
    EXPECT_EQ(1, pCombo->GetCount()) << "the entry joined the history";
    dialog.DestroyWindow();
}

}   // namespace
