// JSelectCntl: its size with and without the scroller, and picks, scrolls and cancels
// under real mouse input with the view's notifications in order.
#include "buttons_fixture.h"

#include "jdropdown.h"

using namespace buttons_test;
using testing_support::PumpUntil;

class SelectTest : public ButtonsTest {
protected:
    void SetUp() override
    {
        ButtonsTest::SetUp();
        ASSERT_TRUE(bar.Create(CBRS_TOP, &owner, &owner, 0xE850));
        owner.recorded = {JSM_SELFOLLOW, JSM_SELECTED};
    }
    void Place()
    {
        const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
        bar.SetWindowPos(nullptr, 10, 60, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    POINT At(CPoint client) { return ScreenPoint(&bar, client); }
    JSelectCntl bar;
};

TEST_F(SelectTest, ScrollerOnlyWhenButtonsAreHidden)
{
    const CSize button = bar.GetButtonSize();
    const CRect borders = bar.GetBorders();
    const int bordersX = borders.left + borders.right, bordersY = borders.top + borders.bottom;
    bar.SetNumberBtns(6);
    EXPECT_FALSE(bar.CanScroll());
    EXPECT_EQ(CSize(6 * button.cx + bordersX, button.cy + bordersY), bar.CalcFixedLayout(FALSE, TRUE));
    bar.SetNumVisibleBtns(6);
    EXPECT_EQ(5, bar.GetNumVisibleBtns());
    ASSERT_TRUE(bar.CanScroll());
    const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(5 * button.cx + bordersX, size.cx);
    EXPECT_EQ(button.cy + 3 + bar.ScrollerRect().Height() + bordersY, size.cy);
    EXPECT_EQ(button.cy + 3, bar.ScrollerRect().top);
    EXPECT_NEAR(5 * button.cx / 2, bar.ScrollerRect().CenterPoint().x, 1) << "centred under the buttons";
}

TEST_F(SelectTest, FollowsThenPicksOrCancels)
{
    Place();
    struct Row {
        const char* name;
        bool scrollFirst;   // press and release the right scroller first
        bool cancel;        // a right click instead of a release over button 2
        std::vector<Heard> heard;
        int selection;
    };
    const Row table[] = {
        {"pick", false, false, {{JSM_SELFOLLOW, 3}, {JSM_SELECTED, 3}}, 2},
        {"cancel", false, true, {{JSM_SELFOLLOW, 3}, {JSM_SELECTED, 0}}, -1},
        {"scrollThenPick", true, false, {{JSM_SELFOLLOW, 7}, {JSM_SELFOLLOW, 4}, {JSM_SELECTED, 4}}, 3},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        bar.SetNumberBtns(10);
        owner.heard.clear();
        bar.ShowSelector();
        ASSERT_EQ(bar.m_hWnd, ::GetCapture());
        if (row.scrollFirst) {
            const CRect scroller = bar.ScrollerRect();
            testing_support::ClickAt(At(CPoint(scroller.right - 3, scroller.CenterPoint().y)));
            ASSERT_TRUE(PumpUntil([&] { return bar.GetFirstButton() == 1; }));
        }
        testing_support::MoveMouse(At(bar.ButtonRect(2).CenterPoint()));
        ASSERT_TRUE(PumpUntil([&] { return bar.GetCurSel() == bar.GetFirstButton() + 2; }));
        if (row.cancel)
            testing_support::ClickAt(At(bar.ButtonRect(2).CenterPoint()), true);
        else
            testing_support::ClickAt(At(bar.ButtonRect(2).CenterPoint()));
        ASSERT_TRUE(PumpUntil([&] { return !bar.IsWindowVisible(); }));
        testing_support::PumpMessages();
        EXPECT_EQ(row.heard, owner.heard);
        EXPECT_EQ(row.selection, bar.GetCurSel());
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}
