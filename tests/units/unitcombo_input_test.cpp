// What a unit combo box tells its parent while a user types into it or picks
// from its list: real keys and clicks, the queue pumped as a message loop would.
#include "appcore.h"
#include "cntlrc.h"
#include "scripted_input.h"
#include "unitcombo_fixture.h"

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

    CString Text() const
    {
        CString text;
        m_combo.GetWindowText(text);
        return text;
    }
    static ParentMessage Sent(UINT message) { return {message, kComboID, 0}; }
    double Head() const
    {
        StoredValue value;
        return ReadStored(HistoryPath("Distance"), "Value00", value) ? value.Double() : -1.0;
    }

    JDistanceComboBox m_combo;
    CEdit m_other;
};

TEST_F(UnitComboInputTest, EnterCommitsLocksAndKeepsTheValue)
{
    TypeText("2.5");
    PressKey(VK_RETURN);
    Settle();
    EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_LOCKVALUE)}, m_parent.received);
    EXPECT_FALSE(m_combo.IsModified());
    EXPECT_DOUBLE_EQ(2.5, m_combo.GetValue());
    EXPECT_EQ(Formatted(m_combo, 2.5), Text());
    ASSERT_EQ(1, m_combo.GetCount());
    EXPECT_EQ(Formatted(m_combo, 2.5), ListText(m_combo, 0));
    EXPECT_DOUBLE_EQ(2.5, Head());
    EXPECT_TRUE(::IsChild(m_combo, ::GetFocus())) << "Enter commits without moving the focus";
}

TEST_F(UnitComboInputTest, EnterWithNothingTypedLocksAndKeepsTheShownValue)
{
    m_combo.SetValue(4.0);
    m_parent.received.clear();
    PressKey(VK_RETURN);
    Settle();
    EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_LOCKVALUE)}, m_parent.received);
    EXPECT_DOUBLE_EQ(4.0, Head());
}

TEST_F(UnitComboInputTest, WithoutTheHistoryStyleEnterOffersAndStoresNothing)
{
    m_combo.ModifyStyle(JCBS_HISTORY, 0);
    TypeText("2");
    PressKey(VK_RETURN);
    PressKey(VK_RETURN);
    Settle();
    EXPECT_EQ((std::vector<ParentMessage>{Sent(JUM_LOCKVALUE), Sent(JUM_LOCKVALUE)}), m_parent.received);
    EXPECT_EQ(0, m_combo.GetCount());
    EXPECT_DOUBLE_EQ(-1.0, Head()) << "nothing stored";
}

TEST_F(UnitComboInputTest, AClickElsewhereCommitsTheEntry)
{
    TypeText("3");
    Settle();
    CRect other;
    m_other.GetWindowRect(&other);
    testing_support::ClickAt(other.CenterPoint());
    Settle();
    EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_LOCKVALUE)}, m_parent.received);
    EXPECT_DOUBLE_EQ(3.0, m_combo.GetValue());
    EXPECT_EQ(m_other.m_hWnd, ::GetFocus());
}

TEST_F(UnitComboInputTest, TabCommitsInHostMode)
{
    AppCoreSetHostMode(TRUE);
    TypeText("6");
    PressKey(VK_TAB);
    Settle();
    EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_LOCKVALUE)}, m_parent.received);
    EXPECT_DOUBLE_EQ(6.0, m_combo.GetValue());
}

TEST_F(UnitComboInputTest, ARejectedTextIsReportedAndTheOldValueStays)
{
    testing_support::MainWindowScope mainWindow(&m_parent);
    m_combo.SetValue(1.5);
    m_parent.received.clear();
    PressKey(VK_END);
    TypeText("xyz");
    Settle();
    {
        testing_support::ScriptedInput script;
        script.WaitFor(testing_support::FindMessageBox, "message box")
            .PressDialogButton(testing_support::FindMessageBox, IDOK);
        PressKey(VK_RETURN);
        Settle();
        EXPECT_TRUE(script.Done());
    }
    Settle();
    EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_BADVALUE)}, m_parent.received);
    EXPECT_DOUBLE_EQ(1.5, m_combo.GetValue());
    EXPECT_EQ(Formatted(m_combo, 1.5), Text());
    EXPECT_EQ(0, m_combo.GetCount()) << "a rejected text is not offered again";
}

TEST_F(UnitComboInputTest, ARejectedTextInHostModeShowsNoMessageBox)
{
    AppCoreSetHostMode(TRUE);
    m_combo.SetValue(1.5);
    m_parent.received.clear();
    TypeText("xyz");
    PressKey(VK_RETURN);
    Settle();
    EXPECT_EQ(nullptr, testing_support::FindMessageBox());
    ASSERT_FALSE(m_parent.received.empty());
    EXPECT_EQ(Sent(JUM_BADVALUE), m_parent.received.front());
    EXPECT_DOUBLE_EQ(1.5, m_combo.GetValue());
}

TEST_F(UnitComboInputTest, EmptyingTheTextUnlocks)
{
    TypeText("7");
    Settle();
    PressKey(VK_BACK);
    Settle();
    EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_UNLOCKVALUE)}, m_parent.received);
    EXPECT_FALSE(m_combo.IsModified());
}

// The arrows step through the history with the list closed too, before it was ever
// dropped: the picked entry's text and value are taken and the parent hears of it.
TEST_F(UnitComboInputTest, PickingAnEntryTakesItsTextAndValueAndIsPostedToTheParent)
{
    ASSERT_EQ(0, m_combo.SaveValue(Formatted(m_combo, 9.0)));
    ASSERT_EQ(0, m_combo.SaveValue(Formatted(m_combo, 8.0)));
    m_combo.SetValue(1.0);
    m_parent.received.clear();
    PressKey(VK_DOWN);
    Settle();
    ASSERT_FALSE(m_parent.received.empty());
    EXPECT_EQ(Sent(JUM_VALUESELECTED), m_parent.received.back());
    EXPECT_EQ(Formatted(m_combo, 8.0), Text());
    EXPECT_DOUBLE_EQ(8.0, m_combo.GetValue());
}

TEST_F(UnitComboInputTest, ANegativeDistanceIsStoredAsItsSizeAndZeroIsNotListed)
{
    TypeText("-2");
    PressKey(VK_RETURN);
    Settle();
    EXPECT_EQ(Formatted(m_combo, 2.0), Text());
    EXPECT_DOUBLE_EQ(2.0, m_combo.GetValue());
    EXPECT_DOUBLE_EQ(2.0, Head());
    ASSERT_EQ(1, m_combo.GetCount());
    m_combo.SetEditSel(0, -1);
    TypeText("0");
    PressKey(VK_RETURN);
    Settle();
    EXPECT_EQ(1, m_combo.GetCount());
    EXPECT_DOUBLE_EQ(2.0, Head());
}

TEST_F(UnitComboInputTest, AnEntryAlreadyListedIsNotStoredAgain)
{
    for (const char* text : {"1", "2"}) {
        m_combo.SetEditSel(0, -1);
        TypeText(text);
        PressKey(VK_RETURN);
        Settle();
    }
    m_combo.SetEditSel(0, -1);
    TypeText("1");
    PressKey(VK_RETURN);
    Settle();
    EXPECT_EQ(2, m_combo.GetCount());
    EXPECT_DOUBLE_EQ(2.0, Head()) << "the history order stays";
}

}   // namespace

namespace {

// The combo box reads no cursor state here: its button messages are sent directly.
TEST_F(UnitComboInputTest, InContextHelpModeAPressDoesNotOpenTheList)
{
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

}   // namespace
