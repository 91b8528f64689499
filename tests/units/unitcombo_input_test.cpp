// What a unit combo box tells its parent while a user types into it or picks
// from its list: real keys and clicks, the queue pumped as a message loop would.
#include "appcore.h"
#include "cntlrc.h"
#include "scripted_input.h"
#include "unitcombo_fixture.h"

#include <cstdlib>

namespace {

using testing_support::PressKey;
using testing_support::TypeText;

constexpr UINT kComboID = 401;

class UnitComboInputTest : public UnitComboTest {
protected:
    void SetUp() override
    {
        UnitComboTest::SetUp();
        ASSERT_TRUE(CreateCombo(m_combo, &m_parent, kComboID));
        ASSERT_TRUE(m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(210, 10, 300, 34), &m_parent, 402));
        ASSERT_TRUE(testing_support::MakeForeground(m_parent));
        m_combo.SetFocus();
        Settle();
        m_parent.received.clear();
    }
    void TearDown() override
    {
        AppCoreSetHostMode(FALSE);
        m_combo.DestroyWindow();
        m_other.DestroyWindow();
        UnitComboTest::TearDown();
    }

    CString Text() const { return TextOf(m_combo); }
    static ParentMessage Sent(UINT message) { return {message, kComboID, 0}; }
    double Head() const { return StoredDouble(HistoryPath("Distance"), "Value00"); }

    JDistanceComboBox m_combo;
    CEdit m_other;
};

// Enter keeps the focus, a click elsewhere moves it on; each, and Tab in host mode, commits
// what was typed, which joins the history. Enter with nothing typed stores the shown value.
TEST_F(UnitComboInputTest, EnterTabAndAClickElsewhereCommitTheEntryToTheHistory)
{
    struct Case {
        const char* typed;
        WORD key;   // 0: a click on the other field
    };
    for (const Case& test : {Case{"2.5", VK_RETURN}, Case{"", VK_RETURN}, Case{"3", 0}, Case{"6", VK_TAB}}) {
        SCOPED_TRACE(testing::Message() << "'" << test.typed << "' then " << test.key);
        AppCoreSetHostMode(test.key == VK_TAB);
        m_combo.SetValue(4.0);
        m_combo.SetFocus();
        m_combo.SetEditSel(0, -1);
        Settle();
        m_parent.received.clear();
        Enter(test.typed, test.key);
        if (!test.key)
            ClickOn(m_other);
        const double expected = *test.typed ? std::atof(test.typed) : 4.0;
        EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_LOCKVALUE)}, m_parent.received);
        EXPECT_FALSE(m_combo.IsModified());
        EXPECT_DOUBLE_EQ(expected, m_combo.GetValue());
        EXPECT_EQ(Formatted(m_combo, expected), Text());
        if (test.key == VK_RETURN && *test.typed) {   // the first: the list holds the entry at once
            ASSERT_EQ(1, m_combo.GetCount());
            EXPECT_EQ(Formatted(m_combo, expected), ListText(m_combo, 0));
        }
        EXPECT_DOUBLE_EQ(expected, Head());
        if (test.key != VK_TAB) {
            EXPECT_EQ(test.key == VK_RETURN, ::IsChild(m_combo, ::GetFocus()) != FALSE);
        }
    }
}

// The field's text, selected when the focus came (by Tab, or a double-click), is not left
// highlighted once the focus goes on: by a click elsewhere or as a bar's Tab moves it.
TEST_F(UnitComboInputTest, TheSelectionGoesWithTheFocus)
{
    for (bool click : {true, false}) {
        SCOPED_TRACE(click ? "a click on the other field" : "the focus set on the other field");
        m_combo.SetValue(2.0);
        m_combo.SetFocus();
        m_combo.SetEditSel(0, -1);
        Settle();
        ASSERT_EQ(MAKELONG(0, Text().GetLength()), (LONG)m_combo.GetEditSel());
        if (click)
            ClickOn(m_other);
        else
            m_other.SetFocus();
        Settle();
        ASSERT_NE(::GetParent(::GetFocus()), m_combo.m_hWnd);
        const DWORD selection = m_combo.GetEditSel();
        EXPECT_EQ(LOWORD(selection), HIWORD(selection)) << "nothing selected";
        EXPECT_EQ(Formatted(m_combo, 2.0), Text());
    }
}

TEST_F(UnitComboInputTest, WithoutTheHistoryStyleNothingIsStoredAndInHelpModeAPressDoesNotOpenTheList)
{
    m_combo.ModifyStyle(JCBS_HISTORY, 0);
    Enter("2");
    Enter("");
    EXPECT_EQ((std::vector<ParentMessage>{Sent(JUM_LOCKVALUE), Sent(JUM_LOCKVALUE)}), m_parent.received);
    EXPECT_EQ(0, m_combo.GetCount());
    EXPECT_DOUBLE_EQ(-1.0, Head()) << "nothing stored";
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(m_combo, &info));
    const CPoint button = CRect(info.rcButton).CenterPoint();
    const LPARAM at = MAKELPARAM(button.x, button.y);

    JEnvironmentManager::Current()->SetHelpMode(TRUE);
    m_combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_FALSE(m_combo.GetDroppedState());
    m_combo.SendMessage(WM_LBUTTONUP, 0, at);
    Settle();

    JEnvironmentManager::Current()->SetHelpMode(FALSE);
    m_combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_TRUE(m_combo.GetDroppedState()) << "outside help mode the same press opens it";
    m_combo.SendMessage(WM_LBUTTONUP, 0, at);
    m_combo.ShowDropDown(FALSE);
    Settle();
}

// With a message box, or in host mode without one.
TEST_F(UnitComboInputTest, ARejectedTextIsReportedAndTheOldValueStays)
{
    testing_support::MainWindowScope mainWindow(&m_parent);
    for (BOOL hostMode : {FALSE, TRUE}) {
        SCOPED_TRACE(hostMode);
        AppCoreSetHostMode(hostMode);
        m_combo.SetValue(1.5);
        m_combo.SetEditSel(0, -1);
        m_parent.received.clear();
        Enter("1.5xyz", 0);
        if (hostMode) {
            Enter("");
            EXPECT_EQ(nullptr, testing_support::FindMessageBox());
        } else {
            AnswerMessageBox([] { PressKey(VK_RETURN); });
        }
        Settle();
        ASSERT_FALSE(m_parent.received.empty());
        EXPECT_EQ(Sent(JUM_BADVALUE), m_parent.received.front());
        EXPECT_DOUBLE_EQ(1.5, m_combo.GetValue());
        EXPECT_EQ(Formatted(m_combo, 1.5), Text());
        EXPECT_EQ(0, m_combo.GetCount()) << "a rejected text is not offered again";
    }
}

// A combo box made without horizontal scrolling keeps only what fits its box.
TEST_F(UnitComboInputTest, ATextTheBoxCutShortIsNeverCommitted)
{
    AppCoreSetHostMode(TRUE);   // a refusal shows no message box
    JDistanceComboBox narrow;
    ASSERT_TRUE(
        narrow.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, CRect(10, 40, 70, 200), &m_parent, 403));
    const UINT metre = UNIT_METRE;
    narrow.SetLocalUnits(&metre, nullptr, nullptr);
    narrow.SetValue(1.5);
    narrow.SetFocus();
    narrow.SetEditSel(0, -1);
    Settle();
    Enter("1 m + 100 mm + 20 mm");
    const double value = narrow.GetValue();
    EXPECT_TRUE(value == 1.5 || std::abs(value - 1.12) < 1e-9) << "committed " << value;
}

TEST_F(UnitComboInputTest, EmptyingTheTextUnlocksAndPickingAnEntryTakesItsTextAndValue)
{
    Enter("7", 0);
    Enter("", VK_BACK);
    EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_UNLOCKVALUE)}, m_parent.received);
    EXPECT_FALSE(m_combo.IsModified());
    ASSERT_EQ(0, m_combo.SaveValue(Formatted(m_combo, 9.0)));
    ASSERT_EQ(0, m_combo.SaveValue(Formatted(m_combo, 8.0)));
    m_combo.SetValue(1.0);
    m_parent.received.clear();
    Enter("", VK_DOWN);
    ASSERT_FALSE(m_parent.received.empty());
    EXPECT_EQ(Sent(JUM_VALUESELECTED), m_parent.received.back());
    EXPECT_EQ(Formatted(m_combo, 8.0), Text());
    EXPECT_DOUBLE_EQ(8.0, m_combo.GetValue());
}

// A negative entry is stored as its size, zero is not listed, a listed one is not stored again.
TEST_F(UnitComboInputTest, NegativeZeroAndRepeatedEntriesKeepTheHistoryAsItWas)
{
    Enter("-2");
    EXPECT_EQ(Formatted(m_combo, 2.0), Text());
    EXPECT_DOUBLE_EQ(2.0, m_combo.GetValue());
    const struct {
        const char* text;
        int count;
        double head;
    } entries[] = {{"", 1, 2.0}, {"0", 1, 2.0}, {"1", 2, 1.0}, {"2", 2, 1.0}};
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.text);
        if (*entry.text) {
            m_combo.SetEditSel(0, -1);
            Enter(entry.text);
        }
        EXPECT_EQ(entry.count, m_combo.GetCount());
        EXPECT_DOUBLE_EQ(entry.head, Head());
    }
}

}   // namespace
