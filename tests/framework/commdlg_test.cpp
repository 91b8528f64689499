// The common file and colour dialogs, cancelled and accepted by scripted input.
#include "probe_dialog.h"

#include <gtest/gtest.h>

#include <string>

using namespace dialog_testing;

namespace {

class CommonDialogs : public DialogTest {};

// ---- common dialogs ----

// Puts a path in a file dialog's name field and accepts it.
bool AcceptFileDialog(const std::string& path)
{
    const HWND hDlg = FindDialog();
    if (!hDlg)
        return false;
    constexpr int kNameCombo = 0x47c;   // cmb13: the explorer-style name box
    constexpr int kNameEdit = 0x480;    // edt1
    const HWND hName = ::GetDlgItem(hDlg, kNameCombo) ? ::GetDlgItem(hDlg, kNameCombo) : ::GetDlgItem(hDlg, kNameEdit);
    if (!hName)
        return false;
    ::SetWindowTextA(hName, path.c_str());
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    return true;
}

bool CancelAnyDialog()
{
    const HWND hDlg = FindDialog();
    if (hDlg)
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDCANCEL));
    return hDlg != nullptr;
}

std::string TempFolder()
{
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    return dir;
}

TEST_F(CommonDialogs, FileDialogCancelledAndAccepted)
{
    const std::string path = TempFolder() + "framework probe.txt";
    HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    ::CloseHandle(hFile);

    {
        CFileDialog dlg(TRUE, "txt", nullptr, OFN_FILEMUSTEXIST, "Text files (*.txt)|*.txt|All files|*.*||", &m_owner);
        ScriptedInput script({CancelAnyDialog});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    {
        CFileDialog dlg(TRUE, "txt", nullptr, OFN_FILEMUSTEXIST, "Text files (*.txt)|*.txt||", &m_owner);
        ScriptedInput script({[&] { return AcceptFileDialog(path); }});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(0, lstrcmpiA(path.c_str(), dlg.GetPathName()));
        EXPECT_STREQ("framework probe.txt", dlg.GetFileName());
        EXPECT_STREQ("txt", dlg.GetFileExt());
        EXPECT_STREQ("framework probe", dlg.GetFileTitle());
    }
    {
        // Saving a new name gets the default extension.
        CFileDialog dlg(FALSE, "txt", nullptr, OFN_OVERWRITEPROMPT, "Text files (*.txt)|*.txt||", &m_owner);
        const std::string target = TempFolder() + "framework new";
        ScriptedInput script({[&] { return AcceptFileDialog(target); }});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(0, lstrcmpiA((target + ".txt").c_str(), dlg.GetPathName()));
        EXPECT_STREQ("txt", dlg.GetFileExt());
    }
    ::DeleteFileA(path.c_str());
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
}

TEST_F(CommonDialogs, ColorDialogCancelledAndAccepted)
{
    {
        CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN, &m_owner);
        ScriptedInput script({CancelAnyDialog});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    {
        CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN, &m_owner);
        ScriptedInput script({[] {
            const HWND hDlg = FindDialog();
            if (hDlg)
                ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
            return hDlg != nullptr;
        }});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(RGB(10, 20, 30), dlg.GetColor());
        EXPECT_EQ(CColorDialog::GetSavedCustomColors(), dlg.m_cc.lpCustColors);
    }
}

}   // namespace
