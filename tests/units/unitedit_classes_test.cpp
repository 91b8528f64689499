// The unit edits' window classes: registered by InitCustomControls, usable in
// dialog templates, each window getting an object that goes with it.
#include "cntlrc.h"
#include "controlexports.h"
#include "unitedit_fixture.h"

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

const ClassCase kClasses[] = {
    {"JUnitEdit", IDC_UNITEDIT_UNIT, RUNTIME_CLASS(JUnitEdit), UNIT_TYPE_DISTANCE, CS_GLOBALCLASS | CS_DBLCLKS},
    {"JDistanceEdit", IDC_UNITEDIT_DISTANCE, RUNTIME_CLASS(JDistanceEdit), UNIT_TYPE_DISTANCE,
     CS_GLOBALCLASS | CS_DBLCLKS},
    {"JAngleEdit", IDC_UNITEDIT_ANGLE, RUNTIME_CLASS(JAngleEdit), UNIT_TYPE_ANGLE, CS_GLOBALCLASS | CS_DBLCLKS},
    {"JDirectionEdit", IDC_UNITEDIT_DIRECTION, RUNTIME_CLASS(JDirectionEdit), UNIT_TYPE_ANGLE,
     CS_GLOBALCLASS | CS_DBLCLKS},
    {"JScalarEdit", IDC_UNITEDIT_SCALAR, RUNTIME_CLASS(JScalarEdit), UNIT_TYPE_SCALAR, CS_GLOBALCLASS},
};

using UnitEditClassTest = UnitEditTest;

TEST_F(UnitEditClassTest, InitCustomControlsRegistersEachClassAsAnEditSuperclass)
{
    InitCustomControls();
    WNDCLASSA edit{};
    ASSERT_TRUE(::GetClassInfoA(nullptr, "edit", &edit));
    for (const ClassCase& c : kClasses) {
        SCOPED_TRACE(c.name);
        WNDCLASSA wc{};
        ASSERT_TRUE(::GetClassInfoA(ControlModule(), c.name, &wc));
        EXPECT_EQ(c.classStyle, wc.style);
        EXPECT_EQ(edit.cbWndExtra, wc.cbWndExtra);
        EXPECT_NE(edit.lpfnWndProc, wc.lpfnWndProc);
    }
    // Again: already registered with the same procedure counts as done.
    EXPECT_TRUE(JUnitEdit::RegisterControlClass());
    EXPECT_TRUE(JScalarEdit::RegisterControlClass());
}

TEST_F(UnitEditClassTest, ATemplatesControlsGetTheirObjectsWhichGoWithTheDialog)
{
    InitCustomControls();
    const HWND hDialog =
        ::CreateDialogParamA(ControlResources(), MAKEINTRESOURCEA(IDD_UNITEDIT_CLASSES), m_parent, PlainDialogProc, 0);
    ASSERT_NE(nullptr, hDialog);
    std::vector<HWND> controls;
    for (const ClassCase& c : kClasses) {
        SCOPED_TRACE(c.name);
        const HWND hControl = ::GetDlgItem(hDialog, (int)c.nID);
        ASSERT_NE(nullptr, hControl);
        controls.push_back(hControl);
        auto* pEdit = static_cast<JUnitEdit*>(CWnd::FromHandlePermanent(hControl));
        ASSERT_NE(nullptr, pEdit);
        EXPECT_EQ(c.kind, pEdit->GetRuntimeClass());
        EXPECT_TRUE(pEdit->IsKindOf(c.kind));
        EXPECT_EQ(c.unitType, pEdit->GetUnitType());
        EXPECT_TRUE(pEdit->GetStyle() & ES_AUTOHSCROLL);
        EXPECT_FALSE(pEdit->GetExStyle() & WS_EX_NOPARENTNOTIFY);
        // The object works the window: a value set shows.
        pEdit->SetValue(1.0);
        EXPECT_GT(pEdit->GetWindowTextLength(), 0);
    }
    ::DestroyWindow(hDialog);
    for (HWND hControl : controls)
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hControl));
}

TEST_F(UnitEditClassTest, AnObjectCreatedByCodeKeepsItsOwnLifetime)
{
    InitCustomControls();
    {
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
        CString text;
        edit.GetWindowText(text);
        EXPECT_EQ("42", text);
        EXPECT_TRUE(edit.DestroyWindow());
    }
}

TEST(UnitEditSettings, LocalUnitsFollowTheirNullRules)
{
    JUnitEdit edit;
    const UINT foot = UNIT_FOOT, inch = UNIT_INCH, metre = UNIT_METRE, none = UNIT_NONE;
    edit.SetLocalUnits(&foot, &inch, &metre);
    edit.SetLocalUnits(&metre, nullptr, &foot);   // no secondary: the tertiary stays
    UINT p = 0, s = 0, t = 0;
    edit.GetLocalUnits(&p, &s, &t);
    EXPECT_EQ(metre, p);
    EXPECT_EQ(none, s);
    EXPECT_EQ(metre, t);
    edit.SetLocalUnits(&foot, &inch, nullptr);
    edit.GetLocalUnits(&p, &s, &t);
    EXPECT_EQ(foot, p);
    EXPECT_EQ(inch, s);
    EXPECT_EQ(none, t);
    edit.SetLocalUnits(nullptr, &foot, &foot);
    edit.GetLocalUnits(&p, nullptr, nullptr);
    EXPECT_EQ(foot, p);
}

}   // namespace
