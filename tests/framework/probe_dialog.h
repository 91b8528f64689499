// The probe dialog of the resource module and the fixture that makes the
// resource module current, shared by the dialog tests.
#pragma once
#include "dialog_script.h"
#include "testsupport.h"

#include "cntlrc.h"

#include <gtest/gtest.h>

namespace dialog_testing {

inline const char kProbeTitle[] = "Framework Probe";

class CProbeDialog : public CDialog {
public:
    explicit CProbeDialog(CWnd* pParent = nullptr) : CDialog(IDD_FRAMEWORK_PROBE, pParent) {}

    CString m_name;
    int m_count = 0;
    int m_enabled = BST_UNCHECKED;
    CListBox m_items;

    int initCalls = 0;
    int kickIdle = 0;
    std::function<void(CProbeDialog&)> onApp;   // runs on a posted WM_APP

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        const BOOL result = CDialog::OnInitDialog();
        m_items.AddString("first");
        m_items.AddString("second");
        return result;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PROBE_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 12);
        DDX_Text(pDX, IDC_PROBE_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 0, 100);
        DDX_Check(pDX, IDC_PROBE_ENABLED, m_enabled);
        DDX_Control(pDX, IDC_PROBE_ITEMS, m_items);
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kickIdle;
        return 0;
    }
    afx_msg LRESULT OnApp(WPARAM, LPARAM)
    {
        if (onApp)
            onApp(*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// Dialog templates come from the resource module, made current as the library does.
class DialogTest : public ::testing::Test {
protected:
    static HMODULE Resources()
    {
        static HMODULE module = [] {
            char path[MAX_PATH] = {};
            ::GetModuleFileNameA(nullptr, path, MAX_PATH);
            std::string dir(path);
            dir.resize(dir.find_last_of("\\/") + 1);
            return ::LoadLibraryExA((dir + "cntlrc.drx").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        }();
        return module;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, Resources());
        ASSERT_TRUE(
            m_owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    }

    void TearDown() override { testing_support::PumpMessages(); }

    CResourceSwitch m_switch{Resources()};
    CWnd m_owner;
};

}   // namespace dialog_testing
