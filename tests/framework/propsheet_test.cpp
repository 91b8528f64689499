// Property sheets driven as a user would: a modal sheet run by the framework's loop (real
// keys through its pre-translation, data exchange when pages change, refused pages, every way
// out), idle work and temporaries inside it, and a modeless sheet with Apply, Help and pages
// added while it is up. Every modal loop runs under scripted input with a watchdog.
#include "propsheet_test_ids.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using testing_support::PumpMessages;
using testing_support::ScriptStep;

namespace {

constexpr char kSheetTitle[] = "Sheet Probe";

class ScriptedInput : public testing_support::ScriptedInput {
public:
    explicit ScriptedInput(std::vector<ScriptStep> steps, std::source_location where = std::source_location::current())
        : testing_support::ScriptedInput(Runner::kTestThreadTimer, 10000, 20, where)
    {
        for (size_t i = 0; i < steps.size(); ++i)
            (i ? Wait(30) : *this).Then(std::move(steps[i]));
    }
};

HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string TabText(CTabCtrl* pTab, int nItem)
{
    char text[128] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    return pTab && pTab->GetItem(nItem, &item) ? text : "?";
}

// Focuses a field of the page on show and types into it with real keys (replacing its text).
ScriptStep TypeInto(int nIDC, const char* text)
{
    return [=] {
        const HWND hSheet = testing_support::FindDialogWindow(kSheetTitle);
        const HWND hEdit = hSheet ? ::GetDlgItem(CurrentPage(hSheet), nIDC) : nullptr;
        if (!hEdit || !testing_support::MakeForeground(hSheet))
            return false;
        ::SetFocus(hEdit);
        ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
        testing_support::TypeText(text);
        return true;
    };
}

ScriptStep Keys(std::vector<WORD> keys)
{
    return [=] {
        testing_support::PressKeyChord(keys);
        return true;
    };
}

// Answers the message box a failed field shows with OK.
ScriptStep AnswerBox()
{
    return [] {
        const HWND hBox = testing_support::FindMessageBox();
        if (hBox)
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        return hBox != nullptr;
    };
}

// What a page was told, in order: "init", "set", "kill", "apply", "reset", "help", "idle".
class CProbePage : public CPropertyPage {
public:
    CProbePage(UINT nIDTemplate, int nIDC, std::vector<std::string>& log, UINT nIDCaption = 0)
        : CPropertyPage(nIDTemplate, nIDCaption), m_nIDC(nIDC), m_log(log)
    {
    }
    CString m_text;   // the field, exchanged as text (the count page checks it is 0 to 100)
    int kickIdle = 0;
    size_t heldInTheLoop = 0;   // temporary objects seen by a posted WM_APP

protected:
    BOOL OnInitDialog() override
    {
        m_log.push_back("init");
        return CPropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_nIDC == IDC_PAGE_COUNT) {
            int count = atoi(m_text);
            DDX_Text(pDX, m_nIDC, count);
            DDV_MinMaxInt(pDX, count, 0, 100);
            m_text.Format("%d", count);
        } else {
            DDX_Text(pDX, m_nIDC, m_text);
        }
    }
    BOOL OnSetActive() override { return Log("set", CPropertyPage::OnSetActive()); }
    BOOL OnKillActive() override { return Log("kill", CPropertyPage::OnKillActive()); }
    BOOL OnApply() override { return Log("apply", CPropertyPage::OnApply()); }
    void OnReset() override { m_log.push_back("reset"); }
    afx_msg void OnHelp() { m_log.push_back("help"); }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kickIdle;
        return 0;
    }
    afx_msg LRESULT OnApp(WPARAM, LPARAM)
    {
        heldInTheLoop = CWnd::GetTempMapCount();
        const HWND hSheet = ::GetParent(m_hWnd);
        ::PostMessageA(hSheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(hSheet, IDCANCEL));
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    BOOL Log(const char* what, BOOL result)
    {
        m_log.push_back(std::string(what) + (result ? "" : " refused"));
        return result;
    }
    int m_nIDC;
    std::vector<std::string>& m_log;
};

BEGIN_MESSAGE_MAP(CProbePage, CPropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(WM_APP, OnApp)
END_MESSAGE_MAP()

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            m_owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr));
        m_sheet.AddPage(&m_name);
        m_sheet.AddPage(&m_count);
        m_name.m_text = "start";
        m_count.m_text = "3";
    }
    void TearDown() override { PumpMessages(); }

    CWnd m_owner;
    std::vector<std::string> m_nameLog, m_countLog;
    CProbePage m_name{IDD_PAGE_NAME, IDC_PAGE_NAME, m_nameLog};
    CProbePage m_count{IDD_PAGE_COUNT, IDC_PAGE_COUNT, m_countLog, IDS_PAGE_COUNT};
    CPropertySheet m_sheet{kSheetTitle, &m_owner};
};

using Log = std::vector<std::string>;

TEST_F(PropertySheetTest, ModalSheetTakesRealKeysAndExchangesEachPageOnTheWay)
{
    bool ownerDisabled = false;
    std::string tabText;
    ScriptedInput script({
        [&] {
            ownerDisabled = !m_owner.IsWindowEnabled();
            tabText = TabText(m_sheet.GetTabControl(), 1);
            return true;
        },
        TypeInto(IDC_PAGE_NAME, "Ada"),
        Keys({VK_CONTROL, VK_TAB}),   // the sheet's key, through the loop's pre-translation
        TypeInto(IDC_PAGE_COUNT, "42"),
        Keys({VK_RETURN}),
    });
    EXPECT_EQ(IDOK, m_sheet.DoModal());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, m_sheet.m_hWnd);
    EXPECT_EQ("Count", tabText);   // the caption string replaces the template's
    EXPECT_STREQ("Ada", m_name.m_text);
    EXPECT_STREQ("42", m_count.m_text);
    EXPECT_EQ((Log{"init", "set", "kill", "apply"}), m_nameLog);
    EXPECT_EQ((Log{"init", "set", "kill", "apply"}), m_countLog);
}

TEST_F(PropertySheetTest, PageWithABadFieldKeepsTheSheetOnItUntilCorrected)
{
    m_sheet.SetActivePage(1);
    int activeAfterRefusal = -1;
    ScriptedInput script({
        TypeInto(IDC_PAGE_COUNT, "500"),
        Keys({VK_CONTROL, VK_TAB}),
        AnswerBox(),
        [&] {
            activeAfterRefusal = m_sheet.GetActiveIndex();
            return true;
        },
        Keys({VK_RETURN}),   // OK is refused the same way
        AnswerBox(),
        TypeInto(IDC_PAGE_COUNT, "7"),
        Keys({VK_RETURN}),
    });
    EXPECT_EQ(IDOK, m_sheet.DoModal());
    EXPECT_EQ(1, activeAfterRefusal);
    EXPECT_STREQ("7", m_count.m_text);
    EXPECT_EQ((Log{"init", "set", "kill refused", "kill refused", "kill", "apply"}), m_countLog);
    EXPECT_TRUE(m_nameLog.empty());   // never shown, never made
}

TEST_F(PropertySheetTest, EveryWayOutButOkCancelsAndLeavesTheMembers)
{
    const struct {
        const char* name;
        std::function<void(CPropertySheet&)> act;
        INT_PTR result;
    } cases[] = {
        {"Escape", [](CPropertySheet&) { testing_support::PressKey(VK_ESCAPE); }, IDCANCEL},
        {"close box", [](CPropertySheet& s) { s.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL},
        {"Cancel pressed", [](CPropertySheet& s) { s.PressButton(PSBTN_CANCEL); }, IDCANCEL},
        {"EndDialog", [](CPropertySheet& s) { s.EndDialog(5); }, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_nameLog.clear();
        ScriptedInput script({TypeInto(IDC_PAGE_NAME, "discarded"), [&] {
                                  c.act(m_sheet);
                                  return true;
                              }});
        EXPECT_EQ(c.result, m_sheet.DoModal());
        EXPECT_STREQ("start", m_name.m_text);
        EXPECT_EQ(nullptr, m_sheet.m_hWnd);
        EXPECT_TRUE(m_owner.IsWindowEnabled());
    }
}

TEST_F(PropertySheetTest, IdleWorkReachesThePageAndTemporariesLiveThroughTheLoop)
{
    CWnd::DeleteTempMap();
    ASSERT_NE(nullptr, CWnd::FromHandle(::GetDesktopWindow()));
    // Once the loop's second idle pass (the one that frees temporaries) has run.
    ScriptedInput script({[&] { return m_name.kickIdle >= 2 && m_name.PostMessage(WM_APP); }});
    EXPECT_EQ(IDCANCEL, m_sheet.DoModal());
    EXPECT_GE(m_name.heldInTheLoop, 1u);
}

TEST_F(PropertySheetTest, ModelessSheetAppliesHelpsGrowsAndGoesOnOk)
{
    m_sheet.m_psh.dwFlags |= PSH_HASHELP;
    ASSERT_TRUE(m_sheet.Create());
    const HWND hSheet = m_sheet.m_hWnd;
    EXPECT_TRUE(::IsWindowVisible(hSheet));
    EXPECT_TRUE(m_owner.IsWindowEnabled());   // modeless: the owner stays usable
    EXPECT_EQ(m_owner.m_hWnd, ::GetWindow(hSheet, GW_OWNER));
    EXPECT_EQ(&m_name, m_sheet.GetActivePage());

    // Apply comes on with a change and applies every page made so far; the sheet stays.
    const HWND hApply = ::GetDlgItem(hSheet, 0x3021);
    EXPECT_FALSE(::IsWindowEnabled(hApply));
    ::SetDlgItemTextA(m_name.m_hWnd, IDC_PAGE_NAME, "applied");
    m_name.SetModified();
    EXPECT_TRUE(::IsWindowEnabled(hApply));
    EXPECT_TRUE(m_sheet.PressButton(PSBTN_APPLYNOW));
    PumpMessages();
    EXPECT_STREQ("applied", m_name.m_text);
    EXPECT_EQ(hSheet, m_sheet.m_hWnd);

    m_sheet.PressButton(PSBTN_HELP);
    PumpMessages();
    // Apply leaves the page on show, activated again.
    EXPECT_EQ((Log{"init", "set", "kill", "apply", "set", "help"}), m_nameLog);

    // A page added while the sheet is up gets its tab and can be shown.
    Log extraLog;
    CProbePage extra(IDD_PAGE_NAME, IDC_PAGE_NAME, extraLog);
    m_sheet.AddPage(&extra);
    EXPECT_EQ(3, m_sheet.GetTabControl()->GetItemCount());
    EXPECT_TRUE(m_sheet.SetActivePage(&extra));
    EXPECT_EQ(2, m_sheet.GetActiveIndex());
    EXPECT_EQ(::GetParent(extra.m_hWnd), hSheet);

    // Ctrl+Tab through the thread's pre-translation, as in the application's loop.
    ASSERT_TRUE(testing_support::MakeForeground(hSheet));
    testing_support::PressKeyChord({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(testing_support::PumpUntil([&] { return m_sheet.GetActiveIndex() == 0; }));

    m_sheet.PressButton(PSBTN_OK);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hSheet));
    EXPECT_EQ(nullptr, m_sheet.m_hWnd);
    EXPECT_EQ(nullptr, extra.m_hWnd);
    EXPECT_EQ("apply", extraLog.back());
}

}   // namespace
