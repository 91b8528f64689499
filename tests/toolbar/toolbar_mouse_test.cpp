// Pressing and releasing toolbar buttons with the real mouse: the command goes to
// the main window only for a completed click on an enabled button.
#include "jdragger.h"
#include "toolbar_fixture.h"

using namespace toolbar_test;
using image_test::ExpectPixels;
using image_test::kBlack;
using testing_support::PumpMessages;
using testing_support::PumpUntil;
using testing_support::ScriptedInput;
using testing_support::SendMouseButton;

// Moves the real mouse and lets the windows see it.
void MoveTo(CPoint point)
{
    testing_support::MoveMouse(point);
    PumpMessages();
}

namespace {

class ToolbarClicks : public ToolbarHost {
protected:
    void SetUp() override
    {
        ToolbarHost::SetUp();
        m_pBar = MakeToolBar({kOpen, 0, kSave, kGrey});
        ASSERT_TRUE(testing_support::MakeForeground(m_frame.m_hWnd));
        PumpMessages();
    }
    void Press(int index, bool down)
    {
        SendMouseButton(ButtonCenter(m_pBar, index), down);
        PumpMessages();
    }
    ProbeToolBar* m_pBar = nullptr;
};

TEST_F(ToolbarClicks, ClickPostsTheCommandToTheMainWindow)
{
    Press(2, true);
    EXPECT_EQ(2, m_pBar->m_nPressedButton);
    EXPECT_TRUE(m_pBar->GetButtonStyle(2) & TBBS_PRESSED);
    EXPECT_EQ(m_pBar->m_hWnd, ::GetCapture());
    EXPECT_TRUE(m_frame.m_commands.empty()) << "nothing runs before the release";
    Press(2, false);
    EXPECT_EQ(std::vector<UINT>{kSave}, m_frame.m_commands);
    EXPECT_EQ(-1, m_pBar->m_nPressedButton);
    EXPECT_FALSE(m_pBar->GetButtonStyle(2) & TBBS_PRESSED);
    EXPECT_EQ(nullptr, ::GetCapture());
    CRect rect;
    m_pBar->GetItemRect(2, rect);
    m_pBar->ClientToScreen(rect);
    EXPECT_EQ(rect, JToolBar::m_rectLast);
}

TEST_F(ToolbarClicks, TheMouseOverTheBarMakesItsTipControlWithAToolAtEachButton)
{
    MoveTo(ButtonCenter(m_pBar, 2));
    const HWND hTips = m_pBar->GetToolBarCtrl().GetToolTips();
    ASSERT_NE(nullptr, hTips);
    EXPECT_EQ(m_pBar->m_pToolTip->m_hWnd, hTips);
    EXPECT_EQ(3, ::SendMessageA(hTips, TTM_GETTOOLCOUNT, 0, 0)) << "none for the separator";
    for (int index : {0, 2, 3}) {
        TTTOOLINFOA info{};
        info.cbSize = sizeof info;
        info.hwnd = m_pBar->m_hWnd;
        info.uId = m_pBar->GetItemID(index);
        ASSERT_TRUE(::SendMessageA(hTips, TTM_GETTOOLINFOA, 0, (LPARAM)&info)) << index;
        CRect rect;
        m_pBar->GetItemRect(index, rect);
        EXPECT_EQ(rect, CRect(info.rect)) << index;
    }
}

TEST_F(ToolbarClicks, ReleasingOutsideRunsNothingAndRestoresTheButtonAndADisabledOneIgnoresClicks)
{
    Press(0, true);
    const CPoint away = ButtonCenter(m_pBar, 3);
    MoveTo(away);
    EXPECT_FALSE(m_pBar->GetButtonStyle(0) & TBBS_PRESSED) << "the button shows up while the mouse is off it";
    SendMouseButton(away, false);
    PumpMessages();
    EXPECT_TRUE(m_frame.m_commands.empty());
    EXPECT_FALSE(m_pBar->GetButtonStyle(0) & TBBS_PRESSED);
    EXPECT_EQ(-1, m_pBar->m_nPressedButton);
    m_pBar->SetButtonStyle(3, m_pBar->GetButtonStyle(3) | TBBS_DISABLED);
    Press(3, true);
    EXPECT_EQ(-1, m_pBar->m_nPressedButton);
    EXPECT_FALSE(m_pBar->GetButtonStyle(3) & TBBS_PRESSED);
    Press(3, false);
    EXPECT_TRUE(m_frame.m_commands.empty());
}

TEST_F(ToolbarClicks, CheckBoxTogglesAndWhileCustomizingAClickPicksTheButton)
{
    m_pBar->SetButtonStyle(0, TBBS_CHECKBOX | TBBS_INDETERMINATE);
    Press(0, true);
    Press(0, false);
    EXPECT_EQ(TBBS_CHECKED, m_pBar->GetButtonStyle(0) & (TBBS_CHECKED | TBBS_INDETERMINATE));
    Press(0, true);
    Press(0, false);
    EXPECT_EQ(0u, m_pBar->GetButtonStyle(0) & (TBBS_CHECKED | TBBS_INDETERMINATE | TBBS_PRESSED));
    EXPECT_EQ((std::vector<UINT>{kOpen, kOpen}), m_frame.m_commands);
    // While customizing a click picks the button instead of running it: the press starts
    // a drag, which the release on the button itself ends with nothing moved.
    m_pInfo->EnableCustomizationMode(1);
    ScriptedInput release(ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
    release.Then([] { return CDragger::IsDragging() != FALSE; }, "dragging");
    release.Then([this] { return SendMouseButton(ButtonCenter(m_pBar, 2), false), true; }, "let go");
    Press(2, true);
    PumpUntil([&] { return release.Done() && !::GetCapture(); });
    m_pInfo->EnableCustomizationMode(0);
    EXPECT_EQ((std::vector<UINT>{kOpen, 0, kSave, kGrey}), m_pBar->ButtonIDs());
    EXPECT_EQ((std::vector<UINT>{kOpen, kOpen}), m_frame.m_commands) << "the pick ran nothing";
    EXPECT_EQ(m_pBar, JToolBar::m_pBar);
    EXPECT_EQ(2, JToolBar::m_nIndex);
    EXPECT_FALSE(m_pBar->GetButtonStyle(2) & TBBS_PRESSED);
}

TEST_F(ToolbarHost, FlatToolbarNotesWhenTheHotButtonMoves)
{
    m_pInfo->m_nFlatButtons = 1;
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
    ASSERT_EQ(1, pBar->GetAppearance());
    ASSERT_TRUE(testing_support::MakeForeground(m_frame.m_hWnd));
    // The last hot button is shared by all toolbars: start from a known one.
    MoveTo(ButtonCenter(pBar, 1));
    pBar->m_bHotChanged = FALSE;
    MoveTo(ButtonCenter(pBar, 0));
    EXPECT_TRUE(pBar->m_bHotChanged);
    // The next command-UI update takes note, and still lets the frame decide.
    CCmdUI state;
    state.m_nID = kOpen;
    state.DoUpdate(pBar, FALSE);
    EXPECT_FALSE(pBar->m_bHotChanged);
    MoveTo(ButtonCenter(pBar, 0) + CSize(1, 0));
    EXPECT_FALSE(pBar->m_bHotChanged) << "still the same button";
    MoveTo(ButtonCenter(pBar, 1));
    EXPECT_TRUE(pBar->m_bHotChanged);
}

// A button of the toolbar opens a flyout for as long as the object lives.
struct FlyoutSlot {
    JToolBar* pBar;
    int index;
    JToolBar flyout;
    FlyoutSlot(JToolBar* pOn, int at) : pBar(pOn), index(at) { pBar->m_arrFlyouts[index] = &flyout; }
    ~FlyoutSlot() { pBar->m_arrFlyouts[index] = nullptr; }
};

TEST_F(ToolbarClicks, ShortClickOnAFlyoutButtonRunsItsCommandHoldingDoesNotAndItsMarkPointsDown)
{
    FlyoutSlot slot(m_pBar, 0);
    ASSERT_TRUE(m_pBar->IsFlyout(0));
    Press(0, true);
    EXPECT_EQ(0, m_pBar->m_nFlyoutButton);
    Press(0, false);
    EXPECT_EQ(std::vector<UINT>{kOpen}, m_frame.m_commands);
    EXPECT_EQ(-1, m_pBar->m_nFlyoutButton);

    m_frame.m_commands.clear();
    ::Sleep(::GetDoubleClickTime() + 50);   // a second press, not a double click
    Press(0, true);
    EXPECT_EQ(0, m_pBar->m_nFlyoutButton);
    const DWORD start = ::GetTickCount();
    while (m_pBar->m_nFlyoutButton != -1 && ::GetTickCount() - start < 3000) {
        ::Sleep(20);
        PumpMessages();
    }
    EXPECT_EQ(-1, m_pBar->m_nFlyoutButton) << "the press-and-hold time ran out";
    EXPECT_GE(::GetTickCount() - start, (DWORD)JToolBar::m_nFlyoutTime - 50);
    Press(0, false);
    EXPECT_TRUE(m_frame.m_commands.empty()) << "a held flyout button runs nothing";
    // The flyout mark points down in a top toolbar.
    CRect rect;
    m_pBar->GetItemRect(2, rect);
    testing_support::MemoryCanvas canvas(rect.right + 4, rect.bottom + 4);
    image_test::DrawOn(canvas, [&](CDC* pDC) { m_pBar->DrawFlyoutSymbol(pDC, 2); });
    const int x = rect.right - 6, y = rect.bottom - 6;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
    ExpectPixels(canvas, {{x, y, kBlack}, {x + 2, y, kBlack}, {x + 1, y + 1, kBlack}, {x + 1, y + 2, kBlack}});
    ExpectPixels(canvas, {{x, y + 1, shadow}, {x + 2, y + 1, shadow}, {x + 3, y + 1, image_test::kWhite}});
    // Three line pixels and two of the head are black, two are shadow.
    EXPECT_EQ(5, canvas.Count(kBlack));
    EXPECT_EQ(2, canvas.Count(shadow));
}

}   // namespace
