// The sheet tab bar driven by the real mouse and keyboard: selection and its
// notifications, holding, the scroll buttons, the scroll bar and its splitter, and
// renaming through the name dialog.
#include "tabbar_fixture.h"

using namespace tabbar_test;
using testing_support::ClickAt;
using testing_support::FindDialogWindow;
using testing_support::FindMessageBox;
using testing_support::PumpMessages;
using testing_support::PumpUntil;
using testing_support::ScriptedInput;
using testing_support::SendKey;
using testing_support::SendMouseButton;

namespace {

// One click of a sequence and what the drawing has seen and shows afterwards.
struct ClickStep {
    const char* what;
    WORD key;   // held during the click: VK_CONTROL, VK_SHIFT or 0
    int tab;
    bool right;
    bool veto;   // the drawing answers notification 1 with "no"
    std::vector<Notice> notices;
    int active;
    std::vector<int> selected;
};

const ClickStep kClicks[] = {
    {"plain click", 0, 2, false, false, {{1, 2}, {2, 2}}, 2, {2}},
    {"click on the active tab", 0, 2, false, false, {}, 2, {2}},
    {"control click adds", VK_CONTROL, 4, false, false, {{1, 4}, {2, 4}}, 2, {2, 4}},
    {"control click removes", VK_CONTROL, 4, false, false, {{1, 4}, {2, 4}}, 2, {2}},
    {"shift click selects from the active tab", VK_SHIFT, 5, false, false, {{1, 5}, {2, 5}}, 2, {2, 3, 4, 5}},
    {"shift click back shrinks the range", VK_SHIFT, 3, false, false, {{1, 3}, {2, 3}}, 2, {2, 3}},
    {"a click on a selected tab keeps the selection", 0, 3, false, false, {{1, 3}, {2, 3}}, 3, {2, 3}},
    {"a vetoed click changes nothing", 0, 0, false, true, {{1, 0}}, 3, {2, 3}},
    {"right click activates, then reports", 0, 1, true, false, {{1, 1}, {2, 1}, {5, 1}}, 1, {1}},
    {"right click on the active tab only reports", 0, 1, true, false, {{5, 1}}, 1, {1}},
};

class TabBarInput : public TabBarTest {};

TEST_F(TabBarInput, ClicksSelectAndTellTheDrawingInOrder)
{
    int n = 0;
    for (const ClickStep& step : kClicks) {
        SCOPED_TRACE(step.what);
        // Never twice at one spot: that would be a double-click.
        const CPoint spot = TabPoint(step.tab) + CSize(n++ % 2 ? 6 : -6, 0);
        m_drawing.notices.clear();
        m_drawing.veto = step.veto;
        if (step.key)
            SendKey(step.key, true);
        ClickAt(spot, step.right);
        if (step.key)
            SendKey(step.key, false);
        PumpMessages();
        EXPECT_EQ(step.notices, m_drawing.notices);
        EXPECT_EQ(step.active, m_bar.GetItemIndex(m_bar.GetActiveItem()));
        EXPECT_EQ(step.selected, Selection());
        EXPECT_EQ((int)step.selected.size(), m_bar.GetSelCount());
    }
    // The notifications carry the identifier the bar has now.
    ::SetWindowLongPtrA(m_bar.m_hWnd, GWLP_ID, 7);
    ClickAt(TabPoint(0));
    PumpMessages();
    EXPECT_EQ(7u, m_drawing.lastFrom);
}

TEST_F(TabBarInput, HoldingATabReportsAfterTheDelayButNotOnceTheTabIsGone)
{
    SendMouseButton(TabPoint(0), true);
    EXPECT_TRUE(PumpUntil([&] { return !m_drawing.notices.empty(); }));
    SendMouseButton(TabPoint(0), false);
    PumpMessages();
    EXPECT_EQ((std::vector<Notice>{{3, 0}}), m_drawing.notices) << "the active tab: no 1 or 2, but the hold";

    m_drawing.notices.clear();
    SendMouseButton(TabPoint(1), true);
    PumpMessages();
    ASSERT_TRUE(m_bar.DeleteItem(m_bar.GetItemAt(1)));
    PumpFor(700);
    SendMouseButton(TabPoint(1), false);
    PumpMessages();
    EXPECT_EQ((std::vector<Notice>{{1, 1}, {2, 1}}), m_drawing.notices);
}

TEST_F(TabBarInput, KeysStepTheActiveSheetIntoViewAndAskForItsMenu)
{
    m_bar.SetFocus();
    for (int i = 0; i < 11; ++i)
        testing_support::PressKeyChord({VK_CONTROL, VK_NEXT});
    PumpMessages();
    EXPECT_EQ(11, m_bar.GetItemIndex(m_bar.GetActiveItem()));
    EXPECT_TRUE(m_bar.IsItemVisible(m_bar.GetActiveItem()));
    testing_support::PressKeyChord({VK_CONTROL, VK_NEXT});
    testing_support::PressKeyChord({VK_CONTROL, VK_PRIOR});
    PumpMessages();
    EXPECT_EQ(10, m_bar.GetItemIndex(m_bar.GetActiveItem())) << "no step past the last sheet";
    EXPECT_EQ((Notice{2, 10}), m_drawing.notices.back());

    // The menu key and Shift+F10 ask for the active sheet's menu as a right click does.
    m_drawing.notices.clear();
    testing_support::PressKey(VK_APPS);
    testing_support::PressKeyChord({VK_SHIFT, VK_F10});
    PumpMessages();
    EXPECT_EQ((std::vector<Notice>{{JTBN_RCLICK, 10}, {JTBN_RCLICK, 10}}), m_drawing.notices);
}

// Clicks a scroll button and lets the bar see it.
void ClickButton(CJTabBar& bar, ScrollDirection direction)
{
    CRect rect;
    bar.GetScrollButton(direction)->GetWindowRect(rect);
    ClickAt(rect.CenterPoint());
    PumpMessages();
}

TEST_F(TabBarInput, TheFourButtonsMoveTheFirstVisibleTabAndAHeldNextStopsAtTheEnd)
{
    AddSheets(28);
    const int count = m_bar.GetItemCount();
    struct Step {
        ScrollDirection button;
        int first;   // -1: the last tab is the last visible one
    };
    const Step steps[] = {
        {JTB_SCROLLNEXT, 1}, {JTB_SCROLLNEXT, 2}, {JTB_SCROLLPREV, 1}, {JTB_SCROLLLAST, -1}, {JTB_SCROLLFIRST, 0}};
    for (const Step& step : steps) {
        ClickButton(m_bar, step.button);
        if (step.first >= 0) {
            EXPECT_EQ(step.first, m_bar.GetFirstVisibleIndex()) << step.button;
        } else {
            EXPECT_EQ(count, m_bar.GetFirstVisibleIndex() + m_bar.GetVisibleItemCount());
            EXPECT_FALSE(m_bar.GetScrollButton(JTB_SCROLLNEXT)->IsWindowEnabled());
        }
    }
    EXPECT_FALSE(m_bar.GetScrollButton(JTB_SCROLLFIRST)->IsWindowEnabled());
    EXPECT_FALSE(m_bar.GetScrollButton(JTB_SCROLLPREV)->IsWindowEnabled());

    CRect next;
    m_bar.GetScrollButton(JTB_SCROLLNEXT)->GetWindowRect(next);
    SendMouseButton(next.CenterPoint(), true);
    // One step every 150 ms.
    EXPECT_TRUE(PumpFor(10000, [&] { return m_bar.IsItemVisible(m_bar.GetLastItem()); }));
    const int first = m_bar.GetFirstVisibleIndex();
    PumpFor(400);
    EXPECT_EQ(first, m_bar.GetFirstVisibleIndex());
    SendMouseButton(next.CenterPoint(), false);
    PumpMessages();
    EXPECT_EQ(count, m_bar.GetFirstVisibleIndex() + m_bar.GetVisibleItemCount());
}

TEST_F(TabBarInput, TheScrollBarsArrowReachesTheDrawingAndTheSplitterSetsTheRatio)
{
    m_bar.ShowScrollBar(TRUE);
    m_bar.SetTabToScrollRatio(0.5f);
    ASSERT_NE(nullptr, m_bar.GetScrollBarCtrl());
    CRect scrollBar;
    m_bar.GetScrollBarCtrl()->GetWindowRect(scrollBar);
    const CPoint arrow(scrollBar.right - scrollBar.Height() / 2, scrollBar.CenterPoint().y);
    {
        // The scroll bar tracks the press in a loop of its own until the release.
        ScriptedInput script(ScriptedInput::Runner::kBackgroundThread);
        script.Wait(150).Then([&] {
            SendMouseButton(arrow, false);
            return true;
        });
        SendMouseButton(arrow, true);
        EXPECT_TRUE(PumpUntil([&] { return script.Done(); }));
        PumpMessages();
    }
    ASSERT_FALSE(m_drawing.scrollCodes.empty());
    EXPECT_EQ((UINT)SB_LINEDOWN, m_drawing.scrollCodes.front());
    EXPECT_EQ(m_bar.GetScrollBarCtrl()->m_hWnd, m_drawing.scrollSource);

    CRect splitter;
    m_bar.GetSplitter()->GetWindowRect(splitter);
    const CPoint grip = splitter.CenterPoint();
    SendMouseButton(grip, true);
    testing_support::MoveMouse(CPoint(grip.x - 100, grip.y));
    PumpMessages();
    SendMouseButton(CPoint(grip.x - 100, grip.y), false);
    PumpMessages();
    const int cy = m_bar.GetThickness(), length = 560;
    float ratio = 0;
    m_bar.GetTabToScrollRatio(&ratio);
    // The splitter's start moved 100 pixels back.
    const float expected = (float)(m_bar.GetSplitterRect().left - 4 * cy + 8) / (float)(length - 4 * cy + 4);
    EXPECT_NEAR(expected, ratio, 0.01f);
    EXPECT_NEAR(0.5f - 100.0f / (float)(length - 4 * cy + 4), ratio, 0.01f);
    EXPECT_EQ(m_bar.GetSplitterRect().left, m_bar.GetTabArea().right);
}

// A rename through the name dialog, opened with F2 or a double-click on the active tab.
struct RenameCase {
    const char* what;
    const wchar_t* before;   // the active tab's name first (NULL: "Sheet1")
    const char* typed;       // NULL: nothing is typed
    const char* refusal;     // part of the message a refused name shows; NULL: accepted
    const char* after;
};

const RenameCase kRenames[] = {
    {"a new name", nullptr, "Plan", nullptr, "Plan"},
    {"the tab's own name in other letters", nullptr, "SHEET1", nullptr, "SHEET1"},
    {"typing stops at 15 characters", nullptr, "Sheet1234567890123", nullptr, "Sheet1234567890"},
    {"an empty name", nullptr, "", "needs a name", "Sheet1"},
    {"blanks only", nullptr, "   ", "needs a name", "Sheet1"},
    {"another tab's name", nullptr, "sheet2", "already a sheet named \"sheet2\"", "Sheet1"},
    {"a long name from the host", L"", nullptr, "no more than 15 characters", nullptr},
};

TEST_F(TabBarInput, RenamingRefusesEmptyDuplicateAndLongNamesWithAMessage)
{
    const std::wstring longName(10000, L'W');
    const CString longAnsi(CString('W', 10000));
    auto dialog = [] { return FindDialogWindow("Rename Sheet"); };
    for (const RenameCase& c : kRenames) {
        SCOPED_TRACE(c.what);
        Rename(0, c.before ? longName : L"Sheet1");
        m_drawing.notices.clear();
        CString refusal;
        ScriptedInput script;
        script.WaitFor(dialog, "name dialog").Then([&] { return testing_support::MakeForeground(dialog()); });
        if (c.typed) {
            script.Key(VK_DELETE).Then([&] {
                testing_support::TypeText(c.typed);
                return true;
            });
        }
        script.Key(VK_RETURN);
        if (c.refusal) {
            script.WaitFor(FindMessageBox, "refusal")
                .Then([&] {
                    refusal = testing_support::GetMessageBoxText(FindMessageBox());
                    return true;
                })
                .PressDialogButton(FindMessageBox, IDOK)
                .Then([] { return FindMessageBox() == nullptr; })
                .PressDialogButton(dialog, IDCANCEL);
        }
        m_bar.SetFocus();
        testing_support::PressKey(VK_F2);
        EXPECT_TRUE(PumpUntil([&] { return script.Done(); }));
        PumpUntil([&] { return dialog() == nullptr; });
        EXPECT_EQ(c.after ? CString(c.after) : longAnsi, Name(0));
        EXPECT_EQ(m_bar.m_hWnd, ::GetFocus()) << "the keys go back to the bar";
        if (c.refusal) {
            EXPECT_NE(-1, refusal.Find(c.refusal)) << refusal;
            EXPECT_TRUE(m_drawing.notices.empty());
        } else {
            EXPECT_EQ((std::vector<Notice>{{JTBN_RENAMED, 0}}), m_drawing.notices);
        }
    }
}

TEST_F(TabBarInput, DoubleClickOnTheActiveTabReportsAndRenamesAndARemovedTabIsLeftAlone)
{
    auto dialog = [] { return FindDialogWindow("Rename Sheet"); };
    {
        ScriptedInput script;
        script.WaitFor(dialog, "name dialog")
            .Then([&] { return testing_support::MakeForeground(dialog()); })
            .Then([] {
                testing_support::TypeText("Plan");
                return true;
            })
            .Key(VK_RETURN);
        ClickAt(TabPoint(0));
        ClickAt(TabPoint(0));
        EXPECT_TRUE(PumpUntil([&] { return script.Done(); }));
        PumpMessages();
    }
    EXPECT_EQ((std::vector<Notice>{{JTBN_DBLCLK, 0}, {JTBN_RENAMED, 0}}), m_drawing.notices);
    EXPECT_EQ(CString("Plan"), Name(0));

    m_drawing.notices.clear();
    const int count = m_bar.GetItemCount();
    ScriptedInput script;
    script.WaitFor(dialog, "name dialog")
        .Then([&] { return m_bar.DeleteItem(m_bar.GetItemAt(0)) == TRUE; })
        .PressDialogButton(dialog, IDOK);
    EXPECT_FALSE(m_bar.RenameItem(m_bar.GetItemAt(0)));
    EXPECT_EQ(count - 1, m_bar.GetItemCount());
    EXPECT_EQ(CString("Sheet2"), Name(0));
    EXPECT_TRUE(m_drawing.notices.empty());
}

}   // namespace
