// Docking as a user sees it: toolbars in rows along the frame's sides, dragged by their
// grippers with the real mouse to another side or into a floating frame, floating frames
// that re-dock on a caption double-click and hide when closed, and what all of it paints.
#include "controlbar_test_ids.h"
#include "frame_helpers.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

using testing_support::PumpMessages;
using testing_support::PumpUntil;
using testing_support::ScriptedInput;

namespace {

constexpr UINT kButtons[] = {ID_BAR_LINE, ID_BAR_ARC, ID_BAR_TEXT};
constexpr UINT kFirstBarID = AFX_IDW_CONTROLBAR_FIRST + 0x40;
constexpr int kBars = 3;

class CDockFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;

protected:
    void PostNcDestroy() override {}   // lives in the fixture
    afx_msg void OnLine() { commands.push_back(ID_BAR_LINE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDockFrame, CFrameWnd)
    ON_COMMAND(ID_BAR_LINE, OnLine)
END_MESSAGE_MAP()

CRect ScreenRect(const CWnd& wnd)
{
    return frame_tests::RectIn(wnd.m_hWnd, nullptr);
}

// A bar's rectangle in its dock bar's client coordinates.
CRect InParent(const CWnd& wnd)
{
    return frame_tests::RectIn(wnd.m_hWnd, ::GetParent(wnd.m_hWnd));
}

// A script step that acts once.
testing_support::ScriptStep Once(std::function<void()> act)
{
    return [act = std::move(act)] {
        act();
        return true;
    };
}

using Action = std::pair<std::string, std::function<void()>>;

class DockingTest : public ::testing::Test {
protected:
    CDockFrame frame;
    CToolBar bars[kBars];
    HBITMAP images[kBars] = {};

    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(nullptr, "docking", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 440)));
        frame.EnableDocking(CBRS_ALIGN_ANY);
        for (int i = 0; i < kBars; ++i) {
            CToolBar& bar = bars[i];
            ASSERT_TRUE(bar.CreateEx(&frame, TBSTYLE_FLAT,
                                     WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC,
                                     CRect(0, 0, 0, 0), kFirstBarID + i));
            HDC screen = ::GetDC(nullptr);
            images[i] = ::CreateCompatibleBitmap(screen, 16 * 3, 15);
            ::ReleaseDC(nullptr, screen);
            ASSERT_TRUE(bar.SetBitmap(images[i]));
            ASSERT_TRUE(bar.SetButtons(kButtons, (int)std::size(kButtons)));
            CString title;
            title.Format("Tools %d", i + 1);
            bar.SetWindowText(title);
            bar.EnableDocking(CBRS_ALIGN_ANY);
        }
    }
    void TearDown() override { frame_tests::Destroy(frame); }

    CDockBar* DockBar(UINT nID) { return static_cast<CDockBar*>(frame.GetControlBar(nID)); }
    CDockBar* Top() { return DockBar(AFX_IDW_DOCKBAR_TOP); }

    // The three bars side by side in the top dock bar's first row.
    void DockInOneRow()
    {
        frame.DockControlBar(&bars[0], AFX_IDW_DOCKBAR_TOP);
        frame.RecalcLayout();
        for (int i = 1; i < kBars; ++i) {
            CRect rect = ScreenRect(bars[i - 1]);
            rect.OffsetRect(1, 0);
            frame.DockControlBar(&bars[i], AFX_IDW_DOCKBAR_TOP, rect);
            frame.RecalcLayout();
        }
    }
    std::vector<void*> Entries(CDockBar* pDockBar) const
    {
        std::vector<void*> entries;
        for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); ++i)
            entries.push_back(pDockBar->m_arrBars[i]);
        return entries;
    }
    std::vector<void*> OneRow() { return {nullptr, &bars[0], &bars[1], &bars[2], nullptr}; }
    static void* PlaceHolder(UINT nID) { return reinterpret_cast<void*>((UINT_PTR)nID); }

    void ShowFrame() { frame_tests::ShowActive(frame); }
    CPoint ClientToScreenPoint(CPoint point) const
    {
        frame.ClientToScreen(&point);
        return point;
    }
    // A point on the gripper of a docked horizontal bar.
    static CPoint Gripper(const CToolBar& bar)
    {
        const CRect rect = ScreenRect(bar);
        return CPoint(rect.left + 5, rect.CenterPoint().y);
    }
    static CMiniDockFrameWnd* FloatingFrame(const CControlBar& bar)
    {
        return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, bar.GetParentFrame());
    }
    // Floats a bar at a point of the frame's client area; its floating frame.
    CMiniDockFrameWnd* Float(CToolBar& bar, CPoint client)
    {
        frame.FloatControlBar(&bar, ClientToScreenPoint(client));
        return FloatingFrame(bar);
    }

    void DoubleClick(CPoint point, const std::function<bool()>& done)
    {
        testing_support::ClickAt(point);
        testing_support::ClickAt(point);
        PumpUntil(done);
    }
    // Presses at from, moves to each point in turn, runs the actions and releases at the
    // last point, through the drag loop.
    void Drag(CPoint from, const std::vector<CPoint>& path, const std::vector<Action>& during = {})
    {
        ScriptedInput script;
        script.Wait(50);
        for (CPoint point : path)
            script.Then(Once([point] { testing_support::MoveMouse(point); }), "move").Wait(50);
        for (const auto& [name, act] : during)
            script.Then(Once(act), name).Wait(50);
        const CPoint last = path.back();
        script.Then(Once([last] { testing_support::SendMouseButton(last, false); }), "release");
        testing_support::SendMouseButton(from, true);
        PumpUntil([&] { return script.Done() && !::GetCapture(); });
        PumpMessages();
    }
};

TEST_F(DockingTest, BarsShareARowAndWrapWhenTheFrameNarrows)
{
    DockInOneRow();
    CDockBar* pTop = Top();
    EXPECT_EQ(Entries(pTop), OneRow());
    const CRect first = InParent(bars[0]), second = InParent(bars[1]), third = InParent(bars[2]);
    // From (-2, -2), each overlapping the one before by 2 pixels.
    EXPECT_EQ(first.TopLeft(), CPoint(-2, -2));
    EXPECT_EQ(second.TopLeft(), CPoint(first.right - 2, -2));
    EXPECT_EQ(third.TopLeft(), CPoint(second.right - 2, -2));
    for (const CToolBar& bar : bars)
        EXPECT_EQ(bar.GetBarStyle() & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING),
                  (DWORD)(CBRS_ALIGN_TOP | CBRS_BORDER_ANY));
    // The dock bar is one row high, less the overlaps, plus its bottom border.
    EXPECT_EQ(ScreenRect(*pTop).Height(), first.Height() - 4 + 2);
    // The layout records where each bar is docked.
    EXPECT_EQ(bars[1].m_pDockContext->m_rectMRUDockPos, second);
    EXPECT_EQ(bars[1].m_pDockContext->m_uMRUDockID, (UINT)AFX_IDW_DOCKBAR_TOP);
    // Narrower than where the third bar starts: it wraps to a row of its own, at the row start.
    CRect client;
    frame.GetClientRect(client);
    CRect window = ScreenRect(frame);
    frame.SetWindowPos(nullptr, 0, 0, window.Width() - (client.Width() - third.left), window.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame.RecalcLayout();
    EXPECT_EQ(InParent(bars[2]).TopLeft(), CPoint(-2, first.bottom - 2));
    EXPECT_EQ(InParent(bars[1]).TopLeft(), second.TopLeft());
    EXPECT_EQ(ScreenRect(*pTop).Height(), 2 * (first.Height() - 2) - 2 + 2);
    // The wrap is the layout's, not the row's: wide again, the row is whole again, and so it
    // is after a layout of the minimized frame (no room at all).
    EXPECT_EQ(Entries(pTop), OneRow());
    frame.SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame.RecalcLayout();
    EXPECT_EQ(InParent(bars[2]), third);
    frame.ShowWindow(SW_MINIMIZE);
    frame.RecalcLayout();
    frame.ShowWindow(SW_RESTORE);
    frame.RecalcLayout();
    EXPECT_EQ(Entries(pTop), OneRow());
    EXPECT_EQ(InParent(bars[0]), first);
    EXPECT_EQ(InParent(bars[1]), second);
    EXPECT_EQ(InParent(bars[2]), third);
}

TEST_F(DockingTest, TheRectangleChoosesTheRowAndThePlace)
{
    frame.DockControlBar(&bars[0], AFX_IDW_DOCKBAR_TOP);
    frame.RecalcLayout();
    const CRect first = ScreenRect(bars[0]);
    // Below the first row: a new row.
    CRect below(first);
    below.OffsetRect(40, first.Height());
    frame.DockControlBar(&bars[1], AFX_IDW_DOCKBAR_TOP, below);
    frame.RecalcLayout();
    EXPECT_EQ(Entries(Top()), (std::vector<void*>{nullptr, &bars[0], nullptr, &bars[1], nullptr}));
    // Kept where it was put along its row.
    EXPECT_EQ(InParent(bars[1]).TopLeft(), CPoint(InParent(bars[0]).left + 40, first.Height() - 4));
    // Asking what a narrower frame would hold (the bar pulled back along its row) moves nothing.
    const CRect placed = InParent(bars[1]);
    CRect query(0, 0, placed.right - 10, 300);
    frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, query, query);
    EXPECT_EQ(InParent(bars[1]), placed);
    EXPECT_EQ(bars[1].m_pDockContext->m_rectMRUDockPos, placed);
    // Above the first row: a new first row.
    CRect above(first);
    above.OffsetRect(0, -first.Height());
    frame.DockControlBar(&bars[2], AFX_IDW_DOCKBAR_TOP, above);
    frame.RecalcLayout();
    EXPECT_EQ(Entries(Top()), (std::vector<void*>{nullptr, &bars[2], nullptr, &bars[0], nullptr, &bars[1], nullptr}));
    EXPECT_EQ(InParent(bars[2]).TopLeft(), CPoint(-2, -2));
    EXPECT_EQ(InParent(bars[0]).TopLeft(), CPoint(-2, first.Height() - 4));
    // Moved up beside another bar: its old row goes.
    CRect after(ScreenRect(bars[0]));
    after.OffsetRect(first.Width() + 20, 0);
    frame.DockControlBar(&bars[1], AFX_IDW_DOCKBAR_TOP, after);
    frame.RecalcLayout();
    EXPECT_EQ(Entries(Top()), (std::vector<void*>{nullptr, &bars[2], nullptr, &bars[0], &bars[1], nullptr}));
}

// Rows taken out and put back at their places before the dock bar is laid out again (a stored
// layout placed again) come back as rows of their own, not in a row that still lies below: one
// of shown bars, or one of a hidden bar alone.
TEST_F(DockingTest, BarsPutBackIntoTheRoomTheirRowsLeftTakeRowsOfTheirOwn)
{
    const std::vector<void*> rows{nullptr, &bars[0], nullptr, &bars[1], nullptr, &bars[2], nullptr};
    for (const bool bHideSecond : {false, true}) {
        SCOPED_TRACE(bHideSecond ? "second hidden" : "all shown");
        frame.ShowControlBar(&bars[1], TRUE, FALSE);
        for (CToolBar& bar : bars) {
            frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
            frame.RecalcLayout();
        }
        frame.ShowControlBar(&bars[1], !bHideSecond, FALSE);
        frame.RecalcLayout();
        ASSERT_EQ(Entries(Top()), rows);
        const CRect places[] = {ScreenRect(bars[0]), ScreenRect(bars[1]), ScreenRect(bars[2])};
        ASSERT_LT(places[0].bottom, places[2].bottom);
        // The shown bars before the last one are taken out and put back.
        const int taken = bHideSecond ? 1 : 2;
        for (int i = 0; i < taken; ++i)
            Top()->RemoveControlBar(&bars[i]);
        for (int i = 0; i < taken; ++i)
            frame.DockControlBar(&bars[i], AFX_IDW_DOCKBAR_TOP, CRect(places[i].TopLeft(), CSize(30, 30)));
        EXPECT_EQ(Entries(Top()), rows);
        frame.RecalcLayout();
        for (int i = 0; i < kBars; ++i)
            EXPECT_EQ(ScreenRect(bars[i]), places[i]) << i;
    }
}

TEST_F(DockingTest, DockingOnEachSideAtAGivenRectangle)
{
    frame.RecalcLayout();
    CRect client;
    frame.GetClientRect(client);
    // Left at y = 60, right at y = 90, bottom at x = 100.
    const struct {
        UINT nID;
        CPoint at;
        DWORD align;
    } sides[] = {{AFX_IDW_DOCKBAR_LEFT, {0, 60}, CBRS_ALIGN_LEFT},
                 {AFX_IDW_DOCKBAR_RIGHT, {client.right - 30, 90}, CBRS_ALIGN_RIGHT},
                 {AFX_IDW_DOCKBAR_BOTTOM, {100, client.bottom - 30}, CBRS_ALIGN_BOTTOM}};
    for (int i = 0; i < kBars; ++i) {
        CRect rect(sides[i].at, CSize(30, 30));
        frame.ClientToScreen(rect);
        frame.DockControlBar(&bars[i], sides[i].nID, rect);
    }
    frame.RecalcLayout();
    for (int i = 0; i < kBars; ++i)
        EXPECT_EQ(bars[i].GetBarStyle() & CBRS_ALIGN_ANY, sides[i].align);
    auto inFrame = [&](UINT nID) {
        CRect rect = ScreenRect(*DockBar(nID));
        frame.ScreenToClient(rect);
        return rect;
    };
    const CRect left = inFrame(AFX_IDW_DOCKBAR_LEFT), bottom = inFrame(AFX_IDW_DOCKBAR_BOTTOM);
    // Side bars stand up; each stays at the place along its side it was docked at.
    const CRect inLeft = InParent(bars[0]);
    EXPECT_GT(inLeft.Height(), inLeft.Width());
    EXPECT_EQ(inLeft.TopLeft(), CPoint(-2, 60 - left.top));
    EXPECT_EQ(InParent(bars[2]).TopLeft(), CPoint(100, -2));
    // A side dock bar is one column wide, less the overlaps, plus its inner border.
    EXPECT_EQ(left.Width(), inLeft.Width() - 4 + 2);
    EXPECT_EQ(bottom.Height(), InParent(bars[2]).Height() - 4 + 2);
    // The sides lie between the top and bottom dock bars, at the frame's edges.
    EXPECT_EQ(left.left, 0);
    EXPECT_EQ(inFrame(AFX_IDW_DOCKBAR_RIGHT).right, client.right);
    EXPECT_EQ(bottom.bottom, client.bottom);
    EXPECT_EQ(left.bottom, bottom.top);
}

TEST_F(DockingTest, HiddenBarsKeepTheirPlaces)
{
    DockInOneRow();
    const CRect second = InParent(bars[1]);
    const CRect third = InParent(bars[2]);
    frame.ShowControlBar(&bars[1], FALSE, FALSE);
    EXPECT_FALSE(bars[1].GetStyle() & WS_VISIBLE);
    EXPECT_EQ(Entries(Top()), OneRow());
    EXPECT_EQ(Top()->GetDockedCount(), 3);
    EXPECT_EQ(Top()->GetDockedVisibleCount(), 2);
    // The bars after it stay where they are.
    EXPECT_EQ(InParent(bars[2]), third);
    frame.ShowControlBar(&bars[1], TRUE, FALSE);
    EXPECT_TRUE(bars[1].GetStyle() & WS_VISIBLE);
    EXPECT_EQ(InParent(bars[1]), second);
    // Hiding every bar of the side gives its room back.
    for (CToolBar& bar : bars)
        frame.ShowControlBar(&bar, FALSE, FALSE);
    EXPECT_EQ(ScreenRect(*Top()).Height(), 0);
    EXPECT_EQ(Top()->GetDockedCount(), 3);
}

TEST_F(DockingTest, FloatingFramesFollowTheirFrameAndBars)
{
    DockInOneRow();
    ShowFrame();
    CMiniDockFrameWnd* pFloating = Float(bars[0], CPoint(100, 100));
    ASSERT_NE(pFloating, nullptr);
    EXPECT_EQ(ScreenRect(*pFloating).TopLeft(), ClientToScreenPoint(CPoint(100, 100)));
    EXPECT_TRUE(pFloating->GetStyle() & MFS_SYNCACTIVE);
    EXPECT_EQ(pFloating->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 1);
    frame.NotifyFloatingWindows(FS_HIDE);
    EXPECT_FALSE(pFloating->IsWindowVisible());
    frame.NotifyFloatingWindows(FS_SHOW);
    EXPECT_TRUE(pFloating->IsWindowVisible());
    // A disabled frame (a modal dialog is up) disables its floating frames.
    frame.EnableWindow(FALSE);
    EXPECT_FALSE(pFloating->IsWindowEnabled());
    frame.EnableWindow(TRUE);
    EXPECT_TRUE(pFloating->IsWindowEnabled());
    // Closing a floating frame hides it and its bar, not destroys them: showing the bar
    // brings its frame back.
    CMiniDockFrameWnd* pClosed = Float(bars[2], CPoint(150, 150));
    ASSERT_NE(pClosed, nullptr);
    pClosed->SendMessage(WM_CLOSE);
    PumpMessages();
    ASSERT_TRUE(::IsWindow(pClosed->m_hWnd));
    EXPECT_FALSE(pClosed->IsWindowVisible());
    EXPECT_FALSE(bars[2].IsWindowVisible());
    EXPECT_TRUE(bars[2].IsFloating());
    frame.ShowControlBar(&bars[2], TRUE, FALSE);
    EXPECT_TRUE(pClosed->IsWindowVisible());
    EXPECT_TRUE(bars[2].IsWindowVisible());
    // Destroying the bar takes its floating frame along.
    bars[2].DestroyWindow();
    PumpMessages();
    EXPECT_FALSE(CFrameWnd::GetFrameList().Find(pClosed));
    // Floating frames and dock bars go with the frame.
    frame.DestroyWindow();
    PumpMessages();
    EXPECT_FALSE(CFrameWnd::GetFrameList().Find(pFloating));
    for (const CToolBar& bar : bars) {
        EXPECT_EQ(bar.m_hWnd, nullptr);
        EXPECT_EQ(bar.m_pDockBar, nullptr);
    }
}

TEST_F(DockingTest, DraggingByTheGripperDocksOnTheLeft)
{
    DockInOneRow();
    ShowFrame();
    const CPoint target = ClientToScreenPoint(CPoint(3, 200));
    Drag(Gripper(bars[0]), {ClientToScreenPoint(CPoint(200, 200)), target});
    CDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(bars[0].m_pDockBar, pLeft);
    EXPECT_EQ(Entries(pLeft), (std::vector<void*>{nullptr, &bars[0], nullptr}));
    // Docked to docked: no placeholder is left behind.
    EXPECT_EQ(Entries(Top()), (std::vector<void*>{nullptr, &bars[1], &bars[2], nullptr}));
    EXPECT_EQ(bars[0].GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_LEFT);
    const CRect rect = ScreenRect(bars[0]);
    EXPECT_GT(rect.Height(), rect.Width());
    // Where it was dropped along the side.
    EXPECT_LE(rect.top, target.y);
    EXPECT_GE(rect.bottom, target.y);
    EXPECT_EQ(bars[0].m_pDockContext->m_uMRUDockID, (UINT)AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(::GetCapture(), nullptr);
    // Standing up, its gripper is along its top: dragged from there to the end of the top row.
    CRect last = ScreenRect(bars[2]);
    frame.ScreenToClient(last);
    const CPoint grip(rect.CenterPoint().x, rect.top + 5);
    const CPoint drop = ClientToScreenPoint(CPoint(last.right + 60, 8));
    Drag(grip, {ClientToScreenPoint(CPoint(300, 200)), drop});
    EXPECT_EQ(bars[0].m_pDockBar, Top());
    EXPECT_EQ(Entries(Top()), (std::vector<void*>{nullptr, &bars[1], &bars[2], &bars[0], nullptr}));
    EXPECT_EQ(Entries(pLeft), std::vector<void*>{nullptr});
    const CRect back = ScreenRect(bars[0]);
    EXPECT_GT(back.Width(), back.Height());
    EXPECT_LE(back.left, drop.x);
    EXPECT_GE(back.right, drop.x);
    EXPECT_EQ(ScreenRect(*pLeft).Width(), 0);
}

TEST_F(DockingTest, DraggingIntoEmptySpaceFloatsAndToggleDocksInPlaceAndFloatsBackThere)
{
    DockInOneRow();
    const CRect second = InParent(bars[1]);
    ShowFrame();
    const CPoint drop = ClientToScreenPoint(CPoint(300, 200));
    Drag(Gripper(bars[1]), {ClientToScreenPoint(CPoint(200, 150)), drop});
    CMiniDockFrameWnd* pFloating = FloatingFrame(bars[1]);
    ASSERT_NE(pFloating, nullptr);
    EXPECT_TRUE(bars[1].GetBarStyle() & CBRS_FLOATING);
    EXPECT_EQ(bars[1].GetDockingFrame(), pFloating);
    CDockContext* pContext = bars[1].m_pDockContext;
    EXPECT_EQ(ScreenRect(*pFloating).TopLeft(), pContext->m_ptMRUFloatPos);
    // The floating frame holds the point it was dropped at.
    EXPECT_TRUE(ScreenRect(*pFloating).PtInRect(drop));
    EXPECT_TRUE(pFloating->IsWindowVisible());
    EXPECT_EQ(::GetWindow(pFloating->m_hWnd, GW_OWNER), frame.m_hWnd);
    // The caption is the bar's title, and the frame fits the bar less its hidden borders.
    CString title;
    pFloating->GetWindowText(title);
    EXPECT_STREQ(title, "Tools 2");
    CRect floatingClient;
    pFloating->GetClientRect(floatingClient);
    EXPECT_EQ(floatingClient.Size(), ScreenRect(bars[1]).Size() - CSize(4, 4));
    // The bar's place in its row is kept for it.
    EXPECT_EQ(Entries(Top()), (std::vector<void*>{nullptr, &bars[0], PlaceHolder(kFirstBarID + 1), &bars[2], nullptr}));
    EXPECT_EQ(Top()->GetDockedCount(), 2);
    // Docked back in its place, then floated back to where it was dropped.
    const CPoint floatPos = pContext->m_ptMRUFloatPos;
    pContext->ToggleDocking();
    PumpMessages();
    EXPECT_EQ(bars[1].m_pDockBar, Top());
    EXPECT_EQ(Entries(Top()), OneRow());
    EXPECT_EQ(InParent(bars[1]), second);
    EXPECT_EQ(bars[1].GetBarStyle() & CBRS_FLOATING, 0u);
    EXPECT_FALSE(CFrameWnd::GetFrameList().Find(pFloating));   // it went with its last bar
    pContext->ToggleDocking();
    ASSERT_NE(FloatingFrame(bars[1]), nullptr);
    EXPECT_EQ(ScreenRect(*FloatingFrame(bars[1])).TopLeft(), floatPos);
}

TEST_F(DockingTest, EscapeARightClickOrLosingTheCaptureCancelsADrag)
{
    DockInOneRow();
    ShowFrame();
    const CRect before = ScreenRect(bars[0]);
    const CPoint away = ClientToScreenPoint(CPoint(300, 200));
    const std::vector<Action> cancels[] = {
        {{"escape", [] { testing_support::PressKey(VK_ESCAPE); }}},
        {{"right press", [away] { testing_support::SendMouseButton(away, true, true); }},
         {"right release", [away] { testing_support::SendMouseButton(away, false, true); }}},
        // Another window taking the mouse (here: a cancelled mode).
        {{"cancel mode", [this] { bars[0].SendMessage(WM_CANCELMODE); }}},
    };
    for (const std::vector<Action>& cancel : cancels) {
        SCOPED_TRACE(cancel.front().first);
        Drag(Gripper(bars[0]), {away}, cancel);
        EXPECT_EQ(bars[0].m_pDockBar, Top());
        EXPECT_FALSE(bars[0].IsFloating());
        EXPECT_EQ(ScreenRect(bars[0]), before);
        EXPECT_EQ(Entries(Top()), OneRow());
        EXPECT_EQ(::GetCapture(), nullptr);
        ::Sleep(::GetDoubleClickTime() + 50);   // the next press is not a double-click
    }
}

TEST_F(DockingTest, ControlHeldWhileDraggingFloatsInsteadOfDocking)
{
    DockInOneRow();
    ShowFrame();
    Drag(Gripper(bars[0]), {ClientToScreenPoint(CPoint(200, 200)), ClientToScreenPoint(CPoint(3, 200))},
         {{"control down", [] { testing_support::SendKey(VK_CONTROL, true); }}});
    testing_support::SendKey(VK_CONTROL, false);
    PumpMessages();
    EXPECT_TRUE(bars[0].IsFloating());
    EXPECT_EQ(Entries(DockBar(AFX_IDW_DOCKBAR_LEFT)), std::vector<void*>{nullptr});
}

TEST_F(DockingTest, ShiftHeldWhileDraggingFloatsTheOtherWay)
{
    // A bar of fixed rows: it floats in the orientation it is dragged in.
    for (CToolBar& bar : bars)
        bar.SetBarStyle(bar.GetBarStyle() & ~CBRS_SIZE_DYNAMIC);
    DockInOneRow();
    ShowFrame();
    Drag(Gripper(bars[0]), {ClientToScreenPoint(CPoint(200, 200)), ClientToScreenPoint(CPoint(300, 180))},
         {{"shift down", [] { testing_support::SendKey(VK_SHIFT, true); }}});
    testing_support::SendKey(VK_SHIFT, false);
    PumpMessages();
    ASSERT_TRUE(bars[0].IsFloating());
    EXPECT_EQ(bars[0].GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_LEFT);
    EXPECT_EQ(bars[0].m_pDockContext->m_dwMRUFloatStyle & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_LEFT);
    const CRect rect = ScreenRect(bars[0]);
    EXPECT_GT(rect.Height(), rect.Width());
}

// A shown bar floated while its frame is still hidden (a layout restored as the frame is made)
// shows with the frame.
TEST_F(DockingTest, ABarFloatedBeforeItsFrameShowsShowsWithIt)
{
    DockInOneRow();
    frame.FloatControlBar(&bars[1], ClientToScreenPoint(CPoint(250, 180)));
    ShowFrame();
    CMiniDockFrameWnd* pFloating = FloatingFrame(bars[1]);
    ASSERT_NE(pFloating, nullptr);
    ASSERT_TRUE(bars[1].GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(pFloating->IsWindowVisible());
}

// The order in which Wine's X11 driver stacks top-level windows: it raises the top-level
// window of the one that takes the focus, and a window that moves in the z-order or shows only
// when no visible window is above it there. The last one raised is on top.
std::vector<HWND> g_raised;

LRESULT CALLBACK RecordRaises(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* pMsg = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (pMsg->message == WM_SETFOCUS) {
        g_raised.push_back(::GetAncestor(pMsg->hwnd, GA_ROOT));
    } else if (pMsg->message == WM_WINDOWPOSCHANGED && ::GetAncestor(pMsg->hwnd, GA_ROOT) == pMsg->hwnd) {
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(pMsg->lParam)->flags;
        HWND hWndAbove = ::GetWindow(pMsg->hwnd, GW_HWNDPREV);
        while (hWndAbove && !::IsWindowVisible(hWndAbove))
            hWndAbove = ::GetWindow(hWndAbove, GW_HWNDPREV);
        if ((!(flags & SWP_NOZORDER) || (flags & SWP_SHOWWINDOW)) && !hWndAbove)
            g_raised.push_back(pMsg->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The floating frame stays on top of its frame on the screen whatever brings the frame forward.
TEST_F(DockingTest, AFloatingFrameStaysAboveItsFrameWhenTheFrameComesForward)
{
    DockInOneRow();
    ShowFrame();
    CMiniDockFrameWnd* pFloating = Float(bars[1], CPoint(250, 180));
    ASSERT_NE(pFloating, nullptr);
    HWND hWndOther = ::CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                       nullptr, nullptr, nullptr);
    // A tip of the program, above every other window until it goes a moment later.
    HWND hWndTip = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "STATIC", "tip", WS_POPUP, 0, 0, 50, 20, nullptr,
                                     nullptr, nullptr, nullptr);
    const Action actions[] = {
        {"a bar of the frame takes the focus", [&] { ::SetFocus(bars[0].m_hWnd); }},
        {"the frame is minimized and restored",
         [&] {
             frame.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
             frame.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
         }},
        {"the frame is activated after another window",
         [&] {
             testing_support::MakeForeground(hWndOther);
             testing_support::MakeForeground(frame.m_hWnd);
         }},
        {"a bar of the frame takes the focus while a tip is up",
         [&] {
             ::ShowWindow(hWndTip, SW_SHOWNA);
             ::SetTimer(hWndTip, 1, 300, [](HWND hWnd, UINT, UINT_PTR nID, DWORD) {
                 ::KillTimer(hWnd, nID);
                 ::ShowWindow(hWnd, SW_HIDE);
             });
             ::SetFocus(bars[2].m_hWnd);
         }},
    };
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, RecordRaises, nullptr, ::GetCurrentThreadId());
    for (const auto& [name, act] : actions) {
        SCOPED_TRACE(name);
        g_raised.clear();
        act();
        const auto lastRaised = [](HWND hWnd) {
            const auto it = std::find(g_raised.rbegin(), g_raised.rend(), hWnd);
            return (int)(g_raised.rend() - it) - 1;   // -1: not raised
        };
        PumpUntil([&] { return lastRaised(pFloating->m_hWnd) > lastRaised(frame.m_hWnd); });
        EXPECT_GE(lastRaised(frame.m_hWnd), 0);
        EXPECT_GT(lastRaised(pFloating->m_hWnd), lastRaised(frame.m_hWnd));
    }
    ::UnhookWindowsHookEx(hHook);
    ::DestroyWindow(hWndTip);
    ::DestroyWindow(hWndOther);
}

// What each window's caption was last told by WM_NCACTIVATE: true when active.
std::map<HWND, bool> g_captionActive;

LRESULT CALLBACK RecordCaptions(int code, WPARAM wParam, LPARAM lParam)
{
    if (const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam); pMsg->message == WM_NCACTIVATE)
        g_captionActive[pMsg->hwnd] = pMsg->wParam != 0;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A bar dragged out of an active frame floats with an active caption, one floated while another
// window is active with an inactive one, and both follow the frame from then on.
TEST_F(DockingTest, AFloatingFrameStartsWithTheLookOfItsFrame)
{
    DockInOneRow();
    ShowFrame();
    g_captionActive.clear();
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordCaptions, nullptr, ::GetCurrentThreadId());
    const auto looksActive = [](const CWnd* pWnd) { return pWnd && g_captionActive[pWnd->m_hWnd]; };
    Drag(Gripper(bars[1]), {ClientToScreenPoint(CPoint(200, 150)), ClientToScreenPoint(CPoint(300, 200))});
    CMiniDockFrameWnd* pDragged = FloatingFrame(bars[1]);
    ASSERT_NE(pDragged, nullptr);
    EXPECT_TRUE(looksActive(pDragged));
    HWND hWndOther = ::CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                       nullptr, nullptr, nullptr);
    ASSERT_TRUE(testing_support::MakeForeground(hWndOther));
    EXPECT_FALSE(looksActive(pDragged));
    CMiniDockFrameWnd* pFloated = Float(bars[2], CPoint(250, 250));
    ASSERT_NE(pFloated, nullptr);
    EXPECT_FALSE(looksActive(pFloated));
    ASSERT_TRUE(testing_support::MakeForeground(frame.m_hWnd));
    EXPECT_TRUE(looksActive(pDragged));
    EXPECT_TRUE(looksActive(pFloated));
    ::UnhookWindowsHookEx(hHook);
    ::DestroyWindow(hWndOther);
}

// A window of the frame's that says it keeps the frame's look, as a picker does.
class CKeepsTheLook : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FLOATSTATUS)
            return (wParam & FS_SYNCACTIVE) ? TRUE : FALSE;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Floating frames look as their frame does: a message box or another window of the frame's
// leaves them inactive, as the frame is; a floating frame or a window that keeps the frame's
// look leaves them active, whichever was active before.
TEST_F(DockingTest, FloatingFramesLookInactiveBehindTheFramesOtherWindows)
{
    DockInOneRow();
    ShowFrame();
    CMiniDockFrameWnd* pFloating = Float(bars[1], CPoint(250, 180));
    ASSERT_NE(pFloating, nullptr);
    CWnd plain;
    CKeepsTheLook keeping;
    for (CWnd* pWnd : {&plain, static_cast<CWnd*>(&keeping)})
        ASSERT_TRUE(pWnd->CreateEx(0, AfxRegisterWndClass(0), "box", WS_POPUP | WS_CAPTION | WS_VISIBLE, 60, 60, 200,
                                   100, frame.m_hWnd, nullptr));
    g_captionActive.clear();
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordCaptions, nullptr, ::GetCurrentThreadId());
    const struct {
        const char* name;
        HWND hWnd;
        bool active;
    } steps[] = {{"a plain window of the frame's", plain.m_hWnd, false},
                 {"the frame", frame.m_hWnd, true},
                 {"a plain window of the frame's, after the frame", plain.m_hWnd, false},
                 {"the floating frame", pFloating->m_hWnd, true},
                 {"a window that keeps the look, after the floating frame", keeping.m_hWnd, true},
                 {"the frame, after that window", frame.m_hWnd, true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(testing_support::MakeForeground(step.hWnd));
        PumpMessages();
        EXPECT_EQ(step.active, g_captionActive[pFloating->m_hWnd]);
    }
    ::UnhookWindowsHookEx(hHook);
    plain.DestroyWindow();
    keeping.DestroyWindow();
}

TEST_F(DockingTest, DoubleClicksOnTheCaptionAndTheGripperToggleDocking)
{
    DockInOneRow();
    const CRect first = ScreenRect(bars[0]), second = InParent(bars[1]);
    ShowFrame();
    CMiniDockFrameWnd* pFloating = Float(bars[1], CPoint(250, 180));
    ASSERT_NE(pFloating, nullptr);
    EXPECT_EQ(::GetWindow(pFloating->m_hWnd, GW_OWNER), frame.m_hWnd);   // so it stays above the frame
    const CRect window = ScreenRect(*pFloating);
    CRect client;
    pFloating->GetClientRect(client);
    pFloating->ClientToScreen(client);
    // The middle of the small caption, clear of the close button.
    const CPoint caption(window.left + 12, (window.top + client.top) / 2);
    ASSERT_EQ(pFloating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);
    DoubleClick(caption, [&] { return !bars[1].IsFloating(); });
    EXPECT_FALSE(bars[1].IsFloating());
    EXPECT_EQ(Entries(Top()), OneRow());
    EXPECT_EQ(InParent(bars[1]), second);
    DoubleClick(Gripper(bars[0]), [&] { return bars[0].IsFloating(); });
    ASSERT_TRUE(bars[0].IsFloating());
    // Never dragged: it floats over the place it was docked at, and its place is kept.
    EXPECT_EQ(ScreenRect(*FloatingFrame(bars[0])).TopLeft(), first.TopLeft());
    EXPECT_EQ(Entries(Top()), (std::vector<void*>{nullptr, PlaceHolder(kFirstBarID), &bars[1], &bars[2], nullptr}));
}

TEST_F(DockingTest, ADragBegunWhileAnotherWindowHoldsTheMouseLeavesNothingBehind)
{
    DockInOneRow();
    ShowFrame();
    frame.SetCapture();
    CDockContext* pContext = bars[0].m_pDockContext;
    pContext->StartDrag(Gripper(bars[0]));
    EXPECT_EQ(pContext->m_pDC, nullptr);            // the screen's DC is given back
    EXPECT_EQ(pContext->m_sizeLast, CSize(0, 0));   // and the outline erased
    EXPECT_EQ(::GetCapture(), frame.m_hWnd);
    EXPECT_EQ(bars[0].m_pDockBar, Top());
    ::ReleaseCapture();
}

// A bar whose dock context logs when its drag is cancelled and when it is deleted.
struct CLoggedDockContext : CDockContext {
    CLoggedDockContext(CControlBar* pBar, std::vector<std::string>& log) : CDockContext(pBar), m_log(log) {}
    ~CLoggedDockContext() override { m_log.push_back("deleted"); }
    void CancelDrag() override
    {
        m_log.push_back("cancelled");
        CDockContext::CancelDrag();
    }
    std::vector<std::string>& m_log;
};

struct CLoggedBar : CToolBar {
    explicit CLoggedBar(std::vector<std::string>& log) : m_log(log) {}
    CDockContext* CreateDockContext() override { return new CLoggedDockContext(this, m_log); }
    std::vector<std::string>& m_log;
};

TEST_F(DockingTest, ABarDeletedWhileDraggedLeavesItsContextToTheDragLoop)
{
    std::vector<std::string> log;
    auto* pBar = new CLoggedBar(log);
    ASSERT_TRUE(pBar->CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 0, 0),
                               kFirstBarID + kBars));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    frame.RecalcLayout();
    ShowFrame();
    {
        ScriptedInput script;
        script.Wait(50).Then(Once([&] { delete pBar; }), "delete the bar");
        pBar->m_pDockContext->StartDrag(Gripper(*pBar));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"cancelled", "deleted"}));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DockingTest, DraggingTheEdgeOfAFloatingFrameRewrapsTheBar)
{
    DockInOneRow();
    ShowFrame();
    CMiniDockFrameWnd* pFloating = Float(bars[0], CPoint(200, 150));
    ASSERT_NE(pFloating, nullptr);
    // A bar that wraps floats in a frame that sizes (its border does not move it).
    EXPECT_FALSE(pFloating->GetStyle() & MFS_MOVEFRAME);
    CRect button;
    bars[0].GetItemRect(0, button);
    const CRect window = ScreenRect(*pFloating);
    const CPoint edge(window.right - 2, window.CenterPoint().y);
    ASSERT_EQ(pFloating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTRIGHT);
    // Narrower by half a button: two buttons a row, two rows.
    const CPoint to(edge.x - button.Width() / 2 - 1, edge.y);
    Drag(edge, {CPoint(edge.x - 3, edge.y), to});
    ASSERT_EQ(FloatingFrame(bars[0]), pFloating);
    const CRect after = ScreenRect(*pFloating);
    EXPECT_EQ(after.TopLeft(), window.TopLeft());
    EXPECT_EQ(after.Width(), window.Width() - button.Width());
    EXPECT_EQ(after.Height(), window.Height() + button.Height());
    EXPECT_EQ(bars[0].m_nMRUWidth, ScreenRect(bars[0]).Width());
    EXPECT_TRUE(bars[0].GetButtonStyle(1) & TBBS_WRAPPED);
    // Its buttons send their commands to the docking frame; a click on a button is not a drag.
    bars[0].GetItemRect(0, button);
    bars[0].ClientToScreen(button);
    testing_support::ClickAt(button.CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands, std::vector<UINT>{ID_BAR_LINE});
    EXPECT_TRUE(bars[0].IsFloating());
}

TEST_F(DockingTest, GrippersBordersAndTheSmallCaptionAreRendered)
{
    DockInOneRow();
    ShowFrame();
    CMiniDockFrameWnd* pFloating = Float(bars[2], CPoint(250, 180));
    ASSERT_NE(pFloating, nullptr);
    PumpMessages();
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    auto canvas = testing_support::RenderWindow(frame.m_hWnd);
    const CRect bar = frame_tests::InRendering(bars[0].m_hWnd, frame.m_hWnd);
    // The gripper: a raised line inside the bar's left border.
    const int y = bar.CenterPoint().y;
    EXPECT_EQ(canvas->Pixel(bar.left + 4, y), highlight);
    EXPECT_EQ(canvas->Pixel(bar.left + 6, y), shadow);
    // The bottom border, etched.
    EXPECT_EQ(canvas->Pixel(bar.left + 30, bar.bottom - 2), shadow);
    EXPECT_EQ(canvas->Pixel(bar.left + 30, bar.bottom - 1), highlight);
    // The top dock bar's bottom border, etched, beyond the last bar.
    const CRect top = frame_tests::InRendering(Top()->m_hWnd, frame.m_hWnd);
    const int x = frame_tests::InRendering(bars[1].m_hWnd, frame.m_hWnd).right + 20;
    EXPECT_EQ(canvas->Pixel(x, top.bottom - 2), shadow);
    EXPECT_EQ(canvas->Pixel(x, top.bottom - 1), highlight);
    // The floating frame: a small caption above the bar, and no gripper on the bar.
    EXPECT_TRUE(pFloating->GetExStyle() & WS_EX_TOOLWINDOW);
    auto floating = testing_support::RenderWindow(pFloating->m_hWnd);
    const CRect window = ScreenRect(*pFloating);
    CRect client;
    pFloating->GetClientRect(client);
    pFloating->ClientToScreen(client);
    client.OffsetRect(-window.left, -window.top);
    // The caption is the small one: the top border is as thick as the side ones.
    const int captionTop = client.top - ::GetSystemMetrics(SM_CYSMCAPTION);
    EXPECT_EQ(captionTop, client.left);
    EXPECT_EQ(floating->Pixel(client.left + 1, captionTop + 1), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(floating->Pixel(client.left + 1, captionTop - 1), ::GetSysColor(COLOR_BTNFACE));
    const CRect floatingBar = frame_tests::InRendering(bars[2].m_hWnd, pFloating->m_hWnd);
    EXPECT_NE(floating->Pixel(floatingBar.left + 4, floatingBar.CenterPoint().y), highlight);
}

// A floating frame that keeps its memory, poisoned, when it is deleted: a write after its
// deletion shows in the poison.
class CPoisonedFloatingFrame : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CPoisonedFloatingFrame)
public:
    static inline std::vector<std::pair<unsigned char*, size_t>> deleted;
    static void operator delete(void* p, size_t size)
    {
        std::memset(p, 0xA5, size);
        deleted.emplace_back(static_cast<unsigned char*>(p), size);
    }
};
IMPLEMENT_DYNCREATE(CPoisonedFloatingFrame, CMiniDockFrameWnd)

// Refuses the creation of the framework's top-level frames, as a system short of resources would.
LRESULT CALLBACK RefuseFrames(int code, WPARAM wParam, LPARAM lParam)
{
    char name[8] = "";
    if (code == HCBT_CREATEWND && ::GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        std::string(name).starts_with("Afx:") && (reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style & WS_POPUP))
        return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(DockingTest, AFloatingFrameThatCannotBeMadeLeavesTheBarDockedAndIsDeletedOnceUntouched)
{
    DockInOneRow();
    ShowFrame();
    frame.m_pFloatingFrameClass = RUNTIME_CLASS(CPoisonedFloatingFrame);
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, RefuseFrames, nullptr, ::GetCurrentThreadId());
    for (int attempt = 0; attempt < 3; ++attempt)
        frame.FloatControlBar(&bars[0], ClientToScreenPoint(CPoint(200, 150)));
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(bars[0].m_pDockBar, Top());
    EXPECT_EQ(Entries(Top()), (std::vector<void*>{nullptr, &bars[0], &bars[1], &bars[2], nullptr}));
    ASSERT_EQ(CPoisonedFloatingFrame::deleted.size(), 3u);
    for (const auto& [pMemory, size] : CPoisonedFloatingFrame::deleted) {
        EXPECT_EQ(std::count(pMemory, pMemory + size, 0xA5), (std::ptrdiff_t)size) << "written after its deletion";
        ::operator delete(pMemory);
    }
    CPoisonedFloatingFrame::deleted.clear();
    // Nothing is left attached to the refused windows.
    frame.m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    frame.FloatControlBar(&bars[0], ClientToScreenPoint(CPoint(200, 150)));
    EXPECT_TRUE(bars[0].IsFloating());
}

}   // namespace
