// Dialog data exchange with real controls: values in and out, and what a
// user sees when a field is wrong (a message box, dismissed by scripted input,
// and the focus back on the field).
#include "probe_dialog.h"

#include <gtest/gtest.h>

#include <string>

using namespace dialog_testing;

namespace {

class DataExchange : public DialogTest {};

TEST_F(DataExchange, InvalidFieldKeepsTheDialogOpenUntilCorrected)
{
    CProbeDialog dlg(&m_owner);
    std::string prompt;
    HWND focusAfterPrompt = nullptr, countEdit = nullptr;
    HWND hDlg = nullptr;
    ScriptedInput script({
        [&] {
            if (!(hDlg = FindDialog(kProbeTitle)))
                return false;
            countEdit = ::GetDlgItem(hDlg, IDC_PROBE_COUNT);
            Type(hDlg, IDC_PROBE_COUNT, "many");
            PressKey(hDlg, IDC_PROBE_COUNT, VK_RETURN);
            return true;
        },
        [&] {
            // The complaint is a message box over the dialog.
            const HWND hBox = FindDialog(nullptr, hDlg);
            if (!hBox)
                return false;
            char text[256] = {};
            ::GetDlgItemTextA(hBox, 0xFFFF, text, sizeof text);
            prompt = text;
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (FindDialog(nullptr, hDlg))
                return false;   // the box is still closing
            focusAfterPrompt = ::GetFocus();
            Type(hDlg, IDC_PROBE_COUNT, "7");
            PressKey(hDlg, IDC_PROBE_COUNT, VK_RETURN);
            return true;
        },
    });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_NE(std::string::npos, prompt.find("whole number")) << prompt;
    EXPECT_EQ(countEdit, focusAfterPrompt);
    EXPECT_EQ(7, dlg.m_count);
}

TEST_F(DataExchange, FailedExchangeStopsAtTheFieldWithoutThrowing)
{
    CProbeDialog dlg(&m_owner);
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_PROBE, &m_owner));
    dlg.ShowWindow(SW_SHOW);
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_NAME, "saved first");
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, "12x");
    ::CheckDlgButton(dlg.m_hWnd, IDC_PROBE_ENABLED, BST_CHECKED);
    int boxes = 0;
    ScriptedInput dismiss({
        [&] {
            const HWND hBox = FindDialog(nullptr, dlg.m_hWnd);
            if (!hBox)
                return false;
            ++boxes;
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            const HWND hBox = FindDialog(nullptr, dlg.m_hWnd);
            if (!hBox)
                return false;
            ++boxes;
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
    });

    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PROBE_COUNT), ::GetFocus());
    EXPECT_STREQ("saved first", dlg.m_name);   // fields before the bad one are taken
    EXPECT_EQ(0, dlg.m_count);
    EXPECT_EQ(BST_UNCHECKED, dlg.m_enabled);   // fields after it are not

    // Out of the validated range.
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, "500");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(2, boxes);

    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, " 64 ");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(64, dlg.m_count);
    EXPECT_EQ(BST_CHECKED, dlg.m_enabled);
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PROBE_ITEMS), dlg.m_items.m_hWnd);   // attached once, at OnInitDialog
    dlg.DestroyWindow();
}

// ---- data exchange with other types ----

class CNumbers : public CDialog {
public:
    UINT m_unsigned = 0;
    long m_long = 0;
    DWORD m_dword = 0;
    double m_double = 0;
    int m_radio = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PROBE_NAME, m_double);
        DDX_Text(pDX, IDC_PROBE_COUNT, m_unsigned);
        DDX_Radio(pDX, 3001, m_radio);
    }
};

TEST_F(DataExchange, NumbersAndRadioGroupsRoundTrip)
{
    CNumbers dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_PROBE, &m_owner));
    // A radio group added at run time: three buttons, then a control that starts the next group.
    CButton radios[3], next;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(radios[i].Create("r", WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0),
                                     CRect(0, 20 * i, 50, 20 * i + 18), &dlg, 3001 + i));
    ASSERT_TRUE(next.Create("n", WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP, CRect(0, 60, 50, 78), &dlg, 3010));

    dlg.m_double = 2.5;
    dlg.m_unsigned = 4000000000u;
    dlg.m_radio = 1;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ("2.5", TextOf(dlg.m_hWnd, IDC_PROBE_NAME));
    EXPECT_EQ("4000000000", TextOf(dlg.m_hWnd, IDC_PROBE_COUNT));
    EXPECT_EQ(BST_CHECKED, radios[1].GetCheck());
    EXPECT_EQ(BST_UNCHECKED, radios[0].GetCheck());

    radios[1].SetCheck(BST_UNCHECKED);
    radios[2].SetCheck(BST_CHECKED);
    next.SetCheck(BST_CHECKED);   // another group: not counted
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_NAME, "-0.125");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(2, dlg.m_radio);
    EXPECT_DOUBLE_EQ(-0.125, dlg.m_double);
    EXPECT_EQ(4000000000u, dlg.m_unsigned);

    radios[2].SetCheck(BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_radio);

    // A negative number is not a UINT (no wrap-around).
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, "-1");
    ScriptedInput dismiss({
        [&] {
            const HWND hBox = FindDialog(nullptr, dlg.m_hWnd);
            if (hBox)
                ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return hBox != nullptr;
        },
    });
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(4000000000u, dlg.m_unsigned);
    dlg.DestroyWindow();
}

}   // namespace
