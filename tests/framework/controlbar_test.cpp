// Control bars in a frame as a user sees them: a toolbar on top, a status bar
// at the bottom, a view between; idle command-UI, real mouse input, prompts,
// layouts for docked and floating toolbars, and what the bars paint.
#include "controlbar_test_ids.h"
#include "frame_helpers.h"
#include "scripted_input.h"

#include <gtest/gtest.h>

using testing_support::PumpMessages;
using testing_support::PumpUntil;

namespace {

constexpr UINT kToolbarIDs[] = {ID_BAR_LINE, ID_BAR_ARC, ID_SEPARATOR, ID_BAR_TEXT, ID_BAR_SNAP, ID_BAR_ZOOM};
constexpr UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_MODE, ID_INDICATOR_GRID};

class CBarFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    BOOL gridEnabled = FALSE;

protected:
    void PostNcDestroy() override {}   // lives in the fixture
    afx_msg void OnLine() { commands.push_back(ID_BAR_LINE); }
    afx_msg void OnSnap() { commands.push_back(ID_BAR_SNAP); }
    afx_msg void OnUpdateArc(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateSnap(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateGrid(CCmdUI* pCmdUI) { pCmdUI->Enable(gridEnabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
    ON_COMMAND(ID_BAR_LINE, OnLine)
    ON_COMMAND(ID_BAR_SNAP, OnSnap)
    ON_UPDATE_COMMAND_UI(ID_BAR_ARC, OnUpdateArc)
    ON_UPDATE_COMMAND_UI(ID_BAR_SNAP, OnUpdateSnap)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_GRID, OnUpdateGrid)
END_MESSAGE_MAP()

using testing_support::MainWindowScope;
using testing_support::MoveMouse;
const auto Click = [](CPoint screen) { testing_support::ClickAt(screen); };

std::string ControlPaneText(const CStatusBar& bar, int nIndex)
{
    char text[256] = "";
    bar.SendMessage(SB_GETTEXTA, (WPARAM)nIndex, (LPARAM)text);
    return text;
}

class ControlBarTest : public ::testing::Test {
protected:
    CBarFrame frame;
    CToolBar toolbar;
    CStatusBar status;
    CWnd view;
    HBITMAP images = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(nullptr, "bars", WS_OVERLAPPEDWINDOW, CRect(40, 40, 480, 360)));
        ASSERT_TRUE(toolbar.CreateEx(&frame, TBSTYLE_FLAT,
                                     WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                         CBRS_SIZE_DYNAMIC));
        HDC screen = ::GetDC(nullptr);
        images = ::CreateCompatibleBitmap(screen, 16 * 6, 15);
        ::ReleaseDC(nullptr, screen);
        ASSERT_TRUE(toolbar.SetBitmap(images));
        ASSERT_TRUE(toolbar.SetButtons(kToolbarIDs, (int)std::size(kToolbarIDs)));
        ASSERT_TRUE(status.Create(&frame));
        ASSERT_TRUE(status.SetIndicators(kIndicators, (int)std::size(kIndicators)));
        ASSERT_TRUE(
            view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame, AFX_IDW_PANE_FIRST));
        frame.RecalcLayout();
    }
    void TearDown() override { frame_tests::Destroy(frame); }

    void ShowFrame() { frame_tests::ShowActive(frame); }
    CRect InRendering(HWND hWnd) const { return frame_tests::InRendering(hWnd, frame.m_hWnd); }
    CRect InFrame(const CWnd& wnd) const { return frame_tests::RectIn(wnd.m_hWnd, frame.m_hWnd); }
    CPoint ButtonCenter(int nIndex) const
    {
        CRect rect;
        toolbar.GetItemRect(nIndex, rect);
        toolbar.ClientToScreen(rect);
        return rect.CenterPoint();
    }
    void ExpectLayout()
    {
        CRect client;
        frame.GetClientRect(client);
        const CRect bar = InFrame(toolbar), statusRect = InFrame(status), viewRect = InFrame(view);
        EXPECT_EQ(bar, CRect(0, 0, client.right, toolbar.CalcFixedLayout(TRUE, TRUE).cy));
        EXPECT_EQ(statusRect,
                  CRect(0, client.bottom - status.CalcFixedLayout(TRUE, TRUE).cy, client.right, client.bottom));
        EXPECT_EQ(viewRect, CRect(0, bar.bottom, client.right, statusRect.top));
        // The message pane takes what the indicators leave.
        CRect statusClient, lastPane;
        status.GetClientRect(statusClient);
        status.GetItemRect(2, lastPane);
        EXPECT_EQ(lastPane.right, statusClient.right);
    }
};

TEST_F(ControlBarTest, BarStylesStayOutOfTheWindowStyleAndTheFrameListsItsBars)
{
    EXPECT_EQ(toolbar.GetBarStyle() & CBRS_ALL,
              (DWORD)(CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC));
    EXPECT_EQ(toolbar.GetStyle() & WS_DLGFRAME, 0u);      // the gripper bit would be a dialog frame
    EXPECT_EQ(toolbar.GetStyle() & CBRS_ALIGN_TOP, 0u);   // it would be TBSTYLE_CUSTOMERASE
    EXPECT_NE(toolbar.GetStyle() & TBSTYLE_TOOLTIPS, 0u);
    // Bars of a row overlap for a moment while a layout moves them: none paints over another.
    EXPECT_NE(toolbar.GetStyle() & WS_CLIPSIBLINGS, 0u);
    EXPECT_NE(status.GetStyle() & WS_CLIPSIBLINGS, 0u);
    EXPECT_EQ(status.GetBarStyle(), (DWORD)CBRS_BOTTOM);
    // The frame keeps its bars until they are destroyed.
    EXPECT_EQ(frame.GetControlBar(AFX_IDW_TOOLBAR), &toolbar);
    toolbar.DestroyWindow();
    EXPECT_FALSE(frame.m_listControlBars.Find(&toolbar));
    EXPECT_EQ(frame.GetControlBar(AFX_IDW_TOOLBAR), nullptr);
    EXPECT_EQ(frame.GetControlBar(AFX_IDW_STATUS_BAR), &status);
}

TEST_F(ControlBarTest, StatusBarPanesAndPrompts)
{
    EXPECT_EQ(status.CommandToIndex(ID_BAR_LINE), -1);
    EXPECT_EQ(ControlPaneText(status, 1), "MODE");
    UINT nID, nStyle;
    int cx;
    status.GetPaneInfo(2, nID, nStyle, cx);
    // A wider indicator pushes the message pane's edge to the left.
    CRect before, after;
    status.GetItemRect(0, before);
    status.SetPaneInfo(2, nID, nStyle, cx + 40);
    status.GetItemRect(0, after);
    EXPECT_EQ(after.right, before.right - 40);
    // A disabled pane keeps its text but shows none.
    status.SetPaneInfo(2, nID, nStyle | SBPS_DISABLED, cx);
    EXPECT_EQ(ControlPaneText(status, 2), "");
    EXPECT_EQ(std::string(status.GetPaneText(2)), "GRID 10");
    // The message pane shows prompts and free text.
    frame.SetMessageText(ID_BAR_ARC);
    EXPECT_EQ(ControlPaneText(status, 0), "Draws an arc");
    EXPECT_EQ(frame.m_nIDLastMessage, (UINT)ID_BAR_ARC);
    frame.SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(ControlPaneText(status, 0), "Ready");
    CString prompt;
    frame.GetMessageString(ID_BAR_SNAP, prompt);
    EXPECT_EQ(std::string(prompt), "Snaps to the grid");
}

TEST_F(ControlBarTest, LayoutFollowsTheFrameSize)
{
    ExpectLayout();
    frame.SetWindowPos(nullptr, 0, 0, 560, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    frame.GetClientRect(client);
    ASSERT_GT(client.Width(), 500);
    ExpectLayout();
    // Without stretching, the bars report their own extent.
    CRect query;
    frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &query, nullptr, FALSE);
    EXPECT_EQ(query.Height(), InFrame(toolbar).Height() + InFrame(status).Height());
    // Extra room kept free around the left-over window.
    CRect extra(5, 6, 7, 8);
    frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposExtra, &extra);
    EXPECT_EQ(InFrame(view), CRect(5, InFrame(toolbar).bottom + 6, client.right - 7, InFrame(status).top - 8));
}

TEST_F(ControlBarTest, GrowingTheFramePaintsItsBackgroundAroundItsBars)
{
    ShowFrame();
    // The bars move into the new area with what they showed; the frame erases only the rest.
    frame.SetWindowPos(nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    HDC hDC = ::GetDC(frame.m_hWnd);
    for (const CWnd* pBar : {static_cast<const CWnd*>(&toolbar), static_cast<const CWnd*>(&status)})
        EXPECT_FALSE(::RectVisible(hDC, InFrame(*pBar)));
    ::ReleaseDC(frame.m_hWnd, hDC);
}

TEST_F(ControlBarTest, HidingTheToolbarGivesItsRoomToTheView)
{
    ShowFrame();
    MainWindowScope scope(&frame);
    frame.SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(toolbar.IsWindowVisible());
    EXPECT_EQ(InFrame(view).top, 0);
    frame_tests::CRecordingCmdUI menuItem(ID_VIEW_TOOLBAR);
    menuItem.DoUpdate(&frame, FALSE);
    EXPECT_EQ(menuItem.checked, 0);
    // Shown again at the next idle time.
    frame.ShowControlBar(&toolbar, TRUE, TRUE);
    EXPECT_TRUE(toolbar.IsVisible());
    EXPECT_FALSE(toolbar.IsWindowVisible());
    AfxGetThread()->OnIdle(0);
    EXPECT_TRUE(toolbar.IsWindowVisible());
    EXPECT_EQ(InFrame(view).top, InFrame(toolbar).bottom);
    menuItem.DoUpdate(&frame, FALSE);
    EXPECT_EQ(menuItem.checked, 1);
    // A delayed hide of a bar outside any layout happens at idle time too.
    status.DelayShow(FALSE);
    EXPECT_FALSE(status.IsVisible());
    EXPECT_TRUE(status.IsWindowVisible());
    AfxGetThread()->OnIdle(0);
    EXPECT_FALSE(status.IsWindowVisible());
    EXPECT_EQ(status.m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow), 0u);
}

TEST_F(ControlBarTest, AutoDeleteBarsGoWithTheirWindow)
{
    struct CCountedBar : CStatusBar {
        bool* deleted = nullptr;
        ~CCountedBar() override { *deleted = true; }
    };
    bool deleted = false;
    auto* pBar = new CCountedBar;
    pBar->deleted = &deleted;
    pBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pBar->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_CONTROLBAR_FIRST + 40));
    EXPECT_TRUE(frame.m_listControlBars.Find(pBar));
    ::DestroyWindow(pBar->m_hWnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(frame.GetControlBar(AFX_IDW_CONTROLBAR_FIRST + 40), nullptr);
}

TEST_F(ControlBarTest, IdleUpdatesButtonsAndPanesOfAVisibleMainWindow)
{
    MainWindowScope scope(&frame);
    CToolBarCtrl& ctrl = toolbar.GetToolBarCtrl();
    AfxGetThread()->OnIdle(0);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BAR_ARC));   // an invisible main window gets no updates
    ShowFrame();
    AfxGetThread()->OnIdle(0);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BAR_LINE));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_BAR_ARC));    // its handler says so
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_BAR_TEXT));   // nobody handles it
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_BAR_SNAP));
    EXPECT_EQ(ControlPaneText(status, 2), "");
    EXPECT_EQ(ControlPaneText(status, 1), "MODE");   // no handler: an indicator stays as it is
    frame.gridEnabled = TRUE;
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ(ControlPaneText(status, 2), "GRID 10");
}

TEST_F(ControlBarTest, PausedFrameKeepsItsBarsAsTheyAreUntilEveryPauseIsResumed)
{
    MainWindowScope scope(&frame);
    ShowFrame();
    AfxGetThread()->OnIdle(0);
    ASSERT_EQ(ControlPaneText(status, 2), "");
    frame.PauseCommandUI(TRUE);
    frame.PauseCommandUI(TRUE);
    frame.gridEnabled = TRUE;
    frame.m_nIdleFlags |= CFrameWnd::idleLayout;
    for (int resumes = 0; resumes < 2; ++resumes) {
        AfxGetThread()->OnIdle(0);
        EXPECT_EQ(ControlPaneText(status, 2), "") << resumes;
        EXPECT_EQ(0u, frame.m_nIdleFlags & CFrameWnd::idleLayout);   // delayed layouts still run
        frame.PauseCommandUI(FALSE);
    }
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ(ControlPaneText(status, 2), "GRID 10");
    frame.PauseCommandUI(FALSE);   // one resume too many is no pause in credit
    frame.PauseCommandUI(TRUE);
    EXPECT_TRUE(frame.IsCommandUIPaused());
    frame.PauseCommandUI(FALSE);
}

TEST_F(ControlBarTest, ButtonStylesMapToTheControlStates)
{
    const int snap = toolbar.CommandToIndex(ID_BAR_SNAP);
    CToolBarCtrl& ctrl = toolbar.GetToolBarCtrl();
    toolbar.SetButtonStyle(snap, TBBS_CHECKBOX | TBBS_CHECKED);
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_BAR_SNAP));
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BAR_SNAP));
    toolbar.SetButtonStyle(snap, TBBS_BUTTON | TBBS_DISABLED);
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_BAR_SNAP));
    EXPECT_FALSE(ctrl.IsButtonChecked(ID_BAR_SNAP));
    EXPECT_EQ(toolbar.GetButtonStyle(snap), (UINT)(TBBS_BUTTON | TBBS_DISABLED));
    EXPECT_EQ(toolbar.GetButtonStyle(2) & 0xFFFF, (UINT)TBBS_SEPARATOR);
    EXPECT_EQ(toolbar.GetItemID(2), (UINT)ID_SEPARATOR);
    toolbar.SetButtonInfo(snap, ID_BAR_PAN, TBBS_BUTTON, 5);
    EXPECT_EQ(toolbar.CommandToIndex(ID_BAR_PAN), snap);
    // No array: that many blank separators.
    ASSERT_TRUE(toolbar.SetButtons(nullptr, 1));
    EXPECT_EQ(toolbar.GetCount(), 1);
    EXPECT_EQ(toolbar.GetButtonStyle(0), (UINT)TBBS_SEPARATOR);
}

TEST_F(ControlBarTest, ToolTipRequestsGetTheCommandStringsShortText)
{
    NMTTDISPINFOW wide{};
    wide.hdr.hwndFrom = toolbar.GetToolBarCtrl().GetToolTips();
    wide.hdr.idFrom = ID_BAR_LINE;
    wide.hdr.code = TTN_NEEDTEXTW;
    toolbar.SendMessage(WM_NOTIFY, ID_BAR_LINE, (LPARAM)&wide);
    ASSERT_NE(wide.lpszText, nullptr);
    EXPECT_EQ(std::wstring(wide.lpszText), L"Line");
    NMTTDISPINFOA narrow{};
    narrow.hdr.hwndFrom = wide.hdr.hwndFrom;
    narrow.hdr.idFrom = ID_BAR_ZOOM;
    narrow.hdr.code = TTN_NEEDTEXTA;
    toolbar.SendMessage(WM_NOTIFY, ID_BAR_ZOOM, (LPARAM)&narrow);
    ASSERT_NE(narrow.lpszText, nullptr);
    EXPECT_EQ(std::string(narrow.lpszText), "Zoom");
}

TEST_F(ControlBarTest, ClickingAButtonSendsItsCommandToTheBarsOwner)
{
    ShowFrame();
    Click(ButtonCenter(0));
    EXPECT_TRUE(PumpUntil([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands, std::vector<UINT>{ID_BAR_LINE});
    // Another owner: what the control sends when its button is clicked goes there.
    CBarFrame owner;
    ASSERT_TRUE(owner.Create(nullptr, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    toolbar.SetOwner(&owner);
    toolbar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BAR_LINE, BN_CLICKED), (LPARAM)toolbar.m_hWnd);
    EXPECT_EQ(owner.commands, std::vector<UINT>{ID_BAR_LINE});
    EXPECT_EQ(frame.commands.size(), 1u);
    owner.DestroyWindow();
}

TEST_F(ControlBarTest, FlyByPromptWhileTheMouseIsOverAButton)
{
    ShowFrame();
    const CPoint away = frame_tests::CenterOnScreen(view.m_hWnd);
    MoveMouse(away);
    PumpMessages();
    frame.SetMessageText(AFX_IDS_IDLEMESSAGE);
    MoveMouse(ButtonCenter(1));
    EXPECT_TRUE(PumpUntil([&] { return ControlPaneText(status, 0) == "Draws an arc"; })) << ControlPaneText(status, 0);
    MoveMouse(ButtonCenter(4));
    EXPECT_TRUE(PumpUntil([&] { return ControlPaneText(status, 0) == "Snaps to the grid"; }))
        << ControlPaneText(status, 0);
    MoveMouse(away);
    EXPECT_TRUE(PumpUntil([&] { return ControlPaneText(status, 0) == "Ready"; })) << ControlPaneText(status, 0);
}

TEST_F(ControlBarTest, GripperBordersAndPressedButtonsAreRendered)
{
    ShowFrame();
    toolbar.SendMessage(TB_SETHOTITEM, 0);
    toolbar.SendMessage(TB_PRESSBUTTON, ID_BAR_TEXT, TRUE);
    const CRect bar = InRendering(toolbar.m_hWnd), statusRect = InRendering(status.m_hWnd);
    auto canvas = testing_support::RenderWindow(frame.m_hWnd);
    ASSERT_TRUE(canvas);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(highlight, shadow);
    ASSERT_NE(face, shadow);
    // The gripper: a raised bar 3 pixels wide, 2 pixels in from the left.
    const int middle = (bar.top + bar.bottom) / 2;
    EXPECT_EQ(canvas->Pixel(bar.left + 2, middle), highlight);
    EXPECT_EQ(canvas->Pixel(bar.left + 3, middle), face);
    EXPECT_EQ(canvas->Pixel(bar.left + 4, middle), shadow);
    EXPECT_EQ(canvas->Pixel(bar.left + 6, middle), face);
    // The toolbar's bottom border and the status bar's top border are etched lines.
    EXPECT_EQ(canvas->Pixel(bar.left + 100, bar.bottom - 2), shadow);
    EXPECT_EQ(canvas->Pixel(bar.left + 100, bar.bottom - 1), highlight);
    EXPECT_EQ(canvas->Pixel(statusRect.left + 100, statusRect.top), shadow);
    EXPECT_EQ(canvas->Pixel(statusRect.left + 100, statusRect.top + 1), highlight);
    // A pressed button, inside the edges beside the picture: clearly darker than the face and
    // than the hot button.
    CRect hot, pressed;
    toolbar.GetItemRect(0, hot);
    toolbar.GetItemRect(3, pressed);
    CPoint client(0, 0);
    toolbar.ClientToScreen(&client);
    const CSize offset = client - frame_tests::RectIn(frame.m_hWnd, nullptr).TopLeft();
    const CPoint sunkAt = CPoint(pressed.left + 2, pressed.top + 2) + offset;
    const CPoint hotAt = CPoint(hot.left + 2, hot.top + 2) + offset;
    const COLORREF sunk = canvas->Pixel(sunkAt.x, sunkAt.y);
    EXPECT_LT(GetGValue(sunk) + 20, GetGValue(face));
    EXPECT_LT(GetGValue(sunk) + 20, GetGValue(canvas->Pixel(hotAt.x, hotAt.y)));
    // Without the gripper style the space is face.
    toolbar.SetBarStyle(toolbar.GetBarStyle() & ~CBRS_GRIPPER);
    canvas = testing_support::RenderWindow(frame.m_hWnd);
    EXPECT_NE(canvas->Pixel(bar.left + 2, middle), highlight);
}

// A plain bar of child buttons docked on the left, as dialog bars are.
class CSideBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        if (!CWnd::CreateEx(0, nullptr, nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID))
            return FALSE;
        ::CreateWindowA("BUTTON", "Line", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 4, 4, 50, 24, m_hWnd,
                        (HMENU)(UINT_PTR)ID_BAR_LINE, nullptr, nullptr);
        ::CreateWindowA("BUTTON", "Arc", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 4, 32, 50, 24, m_hWnd,
                        (HMENU)(UINT_PTR)ID_BAR_ARC, nullptr, nullptr);
        return TRUE;
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
        size.cx += 60;   // the buttons' column, inside the borders
        return size;
    }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
    {
        UpdateDialogControls(pTarget, bDisableIfNoHndler);
    }
};

TEST_F(ControlBarTest, SideBarOfChildWindows)
{
    CSideBar side;
    ASSERT_TRUE(side.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_GRIPPER | CBRS_FLYBY,
                            AFX_IDW_CONTROLBAR_FIRST + 42));
    frame.RecalcLayout();
    ShowFrame();
    MainWindowScope scope(&frame);
    const CRect sideRect = InFrame(side);
    EXPECT_EQ(sideRect, CRect(0, InFrame(toolbar).bottom, side.CalcFixedLayout(TRUE, FALSE).cx, InFrame(status).top));
    EXPECT_EQ(InFrame(view).left, sideRect.right);
    // Idle updates reach the children through the owner frame's handlers.
    AfxGetThread()->OnIdle(0);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(side.m_hWnd, ID_BAR_LINE)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(side.m_hWnd, ID_BAR_ARC)));
    // The children's notifications go on to the frame.
    CRect line;
    ::GetWindowRect(::GetDlgItem(side.m_hWnd, ID_BAR_LINE), line);
    EXPECT_EQ(side.OnToolHitTest(CPoint(10, 10), nullptr), (INT_PTR)ID_BAR_LINE);
    EXPECT_EQ(side.OnToolHitTest(CPoint(10, 30), nullptr), -1);   // between the buttons
    frame.SetMessageText(AFX_IDS_IDLEMESSAGE);
    Click(line.CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands, std::vector<UINT>{ID_BAR_LINE});
    // The prompt follows the mouse over a child window and goes when it leaves.
    MoveMouse(line.CenterPoint() + CSize(2, 1));
    EXPECT_TRUE(PumpUntil([&] { return ControlPaneText(status, 0) == "Draws a line"; })) << ControlPaneText(status, 0);
    MoveMouse(frame_tests::CenterOnScreen(view.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return ControlPaneText(status, 0) == "Ready"; })) << ControlPaneText(status, 0);
    // A vertical bar's gripper lies across its top.
    const CRect sideWindow = InRendering(side.m_hWnd);
    auto canvas = testing_support::RenderWindow(frame.m_hWnd);
    const int x = sideWindow.left + 20;
    EXPECT_EQ(canvas->Pixel(x, sideWindow.top + 2), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas->Pixel(x, sideWindow.top + 3), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas->Pixel(x, sideWindow.top + 4), ::GetSysColor(COLOR_BTNSHADOW));
    // Its right border, etched.
    EXPECT_EQ(canvas->Pixel(sideWindow.right - 2, sideWindow.top + 40), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas->Pixel(sideWindow.right - 1, sideWindow.top + 40), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    side.DestroyWindow();
}

// A toolbar of six equal buttons for the layout modes.
class ToolBarLayoutTest : public ControlBarTest {
protected:
    static constexpr UINT kIDs[] = {ID_BAR_LINE, ID_BAR_ARC, ID_BAR_TEXT, ID_BAR_SNAP, ID_BAR_ZOOM, ID_BAR_PAN};
    CSize button;

    void SetUp() override
    {
        ControlBarTest::SetUp();
        ASSERT_TRUE(toolbar.SetButtons(kIDs, 6));
        CRect first;
        toolbar.GetItemRect(0, first);
        button = first.Size();
        ASSERT_GT(button.cx, 0);
        ASSERT_GT(button.cy, 0);
    }
    CSize Insets(BOOL bHorz) const
    {
        CRect inside;
        toolbar.CalcInsideRect(inside, bHorz);
        return CSize(-inside.Width(), -inside.Height());
    }
    bool Wrapped(int nIndex) const { return (toolbar.GetButtonStyle(nIndex) & TBBS_WRAPPED) != 0; }
    int Row(int nIndex) const
    {
        CRect rect;
        toolbar.GetItemRect(nIndex, rect);
        return rect.top / button.cy;
    }
};

TEST_F(ToolBarLayoutTest, DockedHorizontallyIsOneRowAndVerticallyOneColumn)
{
    const CSize insets = Insets(TRUE);
    EXPECT_EQ(toolbar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK),
              CSize(6 * button.cx + insets.cx, button.cy + insets.cy));
    EXPECT_EQ(toolbar.CalcFixedLayout(TRUE, TRUE).cx, 32767);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Row(i), 0) << i;
    // The gripper takes room on the left.
    toolbar.SetBarStyle(toolbar.GetBarStyle() & ~CBRS_GRIPPER);
    EXPECT_EQ(Insets(TRUE).cx, insets.cx - 7);
    const CSize vertical = Insets(FALSE);
    EXPECT_EQ(toolbar.CalcDynamicLayout(-1, LM_VERTDOCK), CSize(button.cx + vertical.cx, 6 * button.cy + vertical.cy));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Row(i), i) << i;
}

TEST_F(ToolBarLayoutTest, FloatingWrapsToTheRequestedWidth)
{
    toolbar.SetBarStyle((toolbar.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_FLOATING);
    const CSize insets = Insets(TRUE);
    const CSize three = toolbar.CalcDynamicLayout(3 * button.cx + insets.cx, LM_HORZ | LM_COMMIT);
    EXPECT_EQ(three, CSize(3 * button.cx + insets.cx, 2 * button.cy + insets.cy));
    EXPECT_EQ(toolbar.m_nMRUWidth, three.cx);
    EXPECT_TRUE(Wrapped(2));
    EXPECT_FALSE(Wrapped(1));
    EXPECT_EQ(Row(3), 1);
    // Asking about another width leaves the committed rows alone.
    const CSize two = toolbar.CalcDynamicLayout(2 * button.cx + insets.cx + 5, LM_HORZ);
    EXPECT_EQ(two, CSize(2 * button.cx + insets.cx, 3 * button.cy + insets.cy));
    EXPECT_TRUE(Wrapped(2));
    EXPECT_FALSE(Wrapped(1));
    EXPECT_EQ(toolbar.m_nMRUWidth, three.cx);
    EXPECT_EQ(toolbar.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH), three);
    // A height of three rows: the narrowest rows that fit.
    EXPECT_EQ(toolbar.CalcDynamicLayout(3 * button.cy + insets.cy, LM_HORZ | LM_LENGTHY),
              CSize(2 * button.cx + insets.cx, 3 * button.cy + insets.cy));
    // Narrower than a button: one per row.
    EXPECT_EQ(toolbar.CalcDynamicLayout(1, LM_HORZ), CSize(button.cx + insets.cx, 6 * button.cy + insets.cy));
}

TEST_F(ToolBarLayoutTest, CommittedRowsSurviveWiderBorders)
{
    // Laid out as one row while it has no borders, as a bar restored before it is placed...
    toolbar.SetBarStyle((toolbar.GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | CBRS_FLOATING);
    const CSize one = toolbar.CalcDynamicLayout(6 * button.cx + Insets(TRUE).cx, LM_HORZ | LM_COMMIT);
    ASSERT_EQ(one.cy, button.cy + Insets(TRUE).cy);
    // ...then floated, which gives it a floating bar's borders: still one row.
    toolbar.SetBarStyle(toolbar.GetBarStyle() | CBRS_BORDER_ANY);
    ASSERT_GT(Insets(TRUE).cx, one.cx - 6 * button.cx);
    const CSize floating = toolbar.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    EXPECT_EQ(floating, CSize(6 * button.cx + Insets(TRUE).cx, button.cy + Insets(TRUE).cy));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Row(i), 0) << i;
}

TEST_F(ToolBarLayoutTest, FixedSizeKeepsTheRowsTheCallerSet)
{
    // Row breaks set through the style stay as set while the size is fixed.
    toolbar.SetBarStyle((toolbar.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_FLOATING | CBRS_SIZE_FIXED);
    toolbar.SetButtonStyle(1, toolbar.GetButtonStyle(1) | TBBS_WRAPPED);
    EXPECT_TRUE(Wrapped(1));
    const CSize insets = Insets(TRUE);
    EXPECT_EQ(toolbar.CalcFixedLayout(FALSE, TRUE), CSize(4 * button.cx + insets.cx, 2 * button.cy + insets.cy));
    EXPECT_EQ(Row(2), 1);
    toolbar.SetButtonStyle(1, toolbar.GetButtonStyle(1) & ~TBBS_WRAPPED);
    EXPECT_FALSE(Wrapped(1));
}

TEST_F(ToolBarLayoutTest, TheSameButtonsAgainAreFreshButtons)
{
    toolbar.SetButtonStyle(1, TBBS_CHECKBOX | TBBS_CHECKED | TBBS_WRAPPED);
    toolbar.SetButtonStyle(2, TBBS_DISABLED);
    toolbar.SetButtonInfo(3, ID_BAR_SNAP, TBBS_BUTTON, 5);
    ASSERT_TRUE(toolbar.SetButtons(kIDs, 6));
    for (int i = 0; i < 6; ++i) {
        UINT nID = 0, nStyle = 0;
        int iImage = -1;
        toolbar.GetButtonInfo(i, nID, nStyle, iImage);
        EXPECT_EQ(kIDs[i], nID) << i;
        EXPECT_EQ((UINT)TBBS_BUTTON, nStyle) << i;
        EXPECT_EQ(i, iImage);
    }
    // Other buttons replace them, separators taking no image.
    const UINT others[] = {ID_BAR_PAN, ID_SEPARATOR, ID_BAR_LINE};
    ASSERT_TRUE(toolbar.SetButtons(others, 3));
    EXPECT_EQ(3, toolbar.GetCount());
    EXPECT_EQ((UINT)ID_BAR_PAN, toolbar.GetItemID(0));
    EXPECT_EQ((UINT)TBBS_SEPARATOR, toolbar.GetButtonStyle(1));
    UINT nID = 0, nStyle = 0;
    int iImage = -1;
    toolbar.GetButtonInfo(2, nID, nStyle, iImage);
    EXPECT_EQ(1, iImage);
}

}   // namespace
