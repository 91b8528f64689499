// The unit edits' and combo boxes' window classes: superclasses of the system's, usable in dialog
// templates, each window getting an object that goes with it.
#include "cntlrc.h"
#include "controlexports.h"
#include "scripted_input.h"
#include "unitcombo_fixture.h"

#include <span>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

struct ClassCase {
    LPCSTR name;
    UINT nID;
    const CRuntimeClass* kind;
    UINT unitType;
    UINT classStyle;
};

constexpr UINT kGlobal = CS_GLOBALCLASS, kDoubleClicks = CS_GLOBALCLASS | CS_DBLCLKS;
// clang-format off
const ClassCase kEdits[] = {
    {"JUnitEdit", IDC_UNITEDIT_UNIT, RUNTIME_CLASS(JUnitEdit), UNIT_TYPE_DISTANCE, kDoubleClicks},
    {"JDistanceEdit", IDC_UNITEDIT_DISTANCE, RUNTIME_CLASS(JDistanceEdit), UNIT_TYPE_DISTANCE, kDoubleClicks},
    {"JAngleEdit", IDC_UNITEDIT_ANGLE, RUNTIME_CLASS(JAngleEdit), UNIT_TYPE_ANGLE, kDoubleClicks},
    {"JDirectionEdit", IDC_UNITEDIT_DIRECTION, RUNTIME_CLASS(JDirectionEdit), UNIT_TYPE_ANGLE, kDoubleClicks},
    {"JScalarEdit", IDC_UNITEDIT_SCALAR, RUNTIME_CLASS(JScalarEdit), UNIT_TYPE_SCALAR, kGlobal},
};
const ClassCase kCombos[] = {
    {"JUnitComboBox", IDC_UNITCOMBO_UNIT, RUNTIME_CLASS(JUnitComboBox), UNIT_TYPE_DISTANCE, kDoubleClicks},
    {"JDistanceComboBox", IDC_UNITCOMBO_DISTANCE, RUNTIME_CLASS(JDistanceComboBox), UNIT_TYPE_DISTANCE, kGlobal},
    {"JAngleComboBox", IDC_UNITCOMBO_ANGLE, RUNTIME_CLASS(JAngleComboBox), UNIT_TYPE_ANGLE, kGlobal},
    {"JDirectionComboBox", IDC_UNITCOMBO_DIRECTION, RUNTIME_CLASS(JDirectionComboBox), UNIT_TYPE_ANGLE, kGlobal},
    {"JScalarComboBox", IDC_UNITCOMBO_SCALAR, RUNTIME_CLASS(JScalarComboBox), UNIT_TYPE_SCALAR, kGlobal},
    {"JWeightComboBox", IDC_UNITCOMBO_WEIGHT, RUNTIME_CLASS(JWeightComboBox), UNIT_TYPE_DISTANCE, kGlobal},
};
// clang-format on

using UnitClassTest = UnitComboTest;

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

TEST_F(UnitClassTest, SuperclassesRegisteredGiveATemplatesControlsObjectsAndTabInADialogCommitsTheEntry)
{
    InitCustomControls();
    // Again: already registered with the same procedure counts as done.
    EXPECT_TRUE(JUnitEdit::RegisterControlClass());
    EXPECT_TRUE(JWeightComboBox::RegisterControlClass());
    for (bool combos : {false, true}) {
        WNDCLASSA base{};
        ASSERT_TRUE(::GetClassInfoA(nullptr, combos ? "combobox" : "edit", &base));
        const HWND hDialog = ::CreateDialogParamA(
            ControlResources(), MAKEINTRESOURCEA(combos ? IDD_UNITCOMBO_CLASSES : IDD_UNITEDIT_CLASSES), m_parent,
            PlainDialogProc, 0);
        ASSERT_NE(nullptr, hDialog);
        std::vector<HWND> controls;
        for (const ClassCase& c : combos ? std::span<const ClassCase>(kCombos) : std::span<const ClassCase>(kEdits)) {
            SCOPED_TRACE(c.name);
            WNDCLASSA wc{};
            ASSERT_TRUE(::GetClassInfoA(ControlModule(), c.name, &wc));
            EXPECT_EQ(c.classStyle, wc.style);
            EXPECT_EQ(base.cbWndExtra, wc.cbWndExtra);
            EXPECT_NE(base.lpfnWndProc, wc.lpfnWndProc);
            const HWND hControl = ::GetDlgItem(hDialog, (int)c.nID);
            ASSERT_NE(nullptr, hControl);
            controls.push_back(hControl);
            CWnd* pWnd = CWnd::FromHandlePermanent(hControl);
            ASSERT_NE(nullptr, pWnd);
            EXPECT_EQ(c.kind, pWnd->GetRuntimeClass());
            EXPECT_FALSE(pWnd->GetExStyle() & WS_EX_NOPARENTNOTIFY);
            // The object works the window: a value set shows, and long entries scroll.
            HWND hField = hControl;
            if (combos) {
                auto* pCombo = static_cast<JUnitComboBox*>(pWnd);
                EXPECT_EQ(c.unitType, pCombo->GetUnitType());
                EXPECT_EQ(0u, pCombo->GetUnitDisplayMode()) << "the classes' objects use local format and units";
                EXPECT_TRUE(pCombo->GetStyle() & CBS_AUTOHSCROLL);
                COMBOBOXINFO info{};
                info.cbSize = sizeof info;
                ASSERT_TRUE(::GetComboBoxInfo(hControl, &info));
                hField = info.hwndItem;
                pCombo->SetValue(1.0);
            } else {
                EXPECT_EQ(c.unitType, static_cast<JUnitEdit*>(pWnd)->GetUnitType());
                static_cast<JUnitEdit*>(pWnd)->SetValue(1.0);
            }
            EXPECT_TRUE(::GetWindowLongA(hField, GWL_STYLE) & ES_AUTOHSCROLL);
            EXPECT_GT(pWnd->GetWindowTextLength(), 0);
        }
        // The distance combo's history key exists from its creation on.
        EXPECT_EQ(combos, testing_support::KeyExists(HKEY_CURRENT_USER, HistoryPath("Distance")));
        ::DestroyWindow(hDialog);
        for (HWND hControl : controls)
            EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hControl));
    }
    // Tab in a framework dialog commits the entry as the focus moves.
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

TEST_F(UnitClassTest, AnEditCreatedByCodeKeepsItsLifetimeAndFontAndACombosFieldTakesTheParentsFont)
{
    InitCustomControls();
    JScalarEdit edit;
    ASSERT_TRUE(edit.CreateEx(0, "JScalarEdit", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_parent, 7));
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(edit));
    // Its font comes from the resource module (a dialog would set its own).
    LOGFONTA font{};
    ASSERT_TRUE(::GetObjectA(edit.GetFont(), sizeof font, &font));
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
    EXPECT_EQ(VARIABLE_PITCH | FF_SWISS, font.lfPitchAndFamily);
    EXPECT_LT(font.lfHeight, 0);
    edit.SetToIntegerControl();
    edit.SetValue(41.6);
    EXPECT_EQ("42", TextOf(edit));
    EXPECT_TRUE(edit.DestroyWindow());
    // A combo box's selection field takes its height from the parent's font.
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

TEST_F(UnitClassTest, TheWeightCombosPresetsComeInTheEnvironmentsUnitsAndLocalUnitsFollowTheirNullRules)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    pInfo->m_nDisplayPrimaryUnits = UNIT_MILLIMETRE;
    pInfo->m_nFormatPrecision = 3;
    JWeightComboBox weight;
    const DWORD style = WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | JCBS_HISTORY;
    ASSERT_TRUE(weight.Create(style, CRect(0, 0, 100, 200), &m_parent, 9));
    EXPECT_FALSE(weight.GetStyle() & JCBS_HISTORY) << "presets, not a history";
    EXPECT_EQ(1, weight.Init());
    ASSERT_EQ(9, weight.GetCount()) << "Init puts the presets back, not a second set";
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
    // Local units follow their null rules.
    JUnitEdit edit;
    const UINT foot = UNIT_FOOT, inch = UNIT_INCH, metre = UNIT_METRE, none = UNIT_NONE;
    const auto units = [&edit] {
        UINT p = 0, s = 0, t = 0;
        edit.GetLocalUnits(&p, &s, &t);
        return std::vector<UINT>{p, s, t};
    };
    edit.SetLocalUnits(&foot, &inch, &metre);
    edit.SetLocalUnits(&metre, nullptr, &foot);   // no secondary: the tertiary stays
    EXPECT_EQ((std::vector<UINT>{metre, none, metre}), units());
    edit.SetLocalUnits(&foot, &inch, nullptr);
    EXPECT_EQ((std::vector<UINT>{foot, inch, none}), units());
    edit.SetLocalUnits(nullptr, &metre, &metre);   // no primary: nothing changes
    EXPECT_EQ((std::vector<UINT>{foot, inch, none}), units());
}

}   // namespace
