// MDI frames: the client as the frame's left-over pane, commands and accelerators going to the
// active child first, the window commands, and child menus.
#include "frame_helpers.h"
#include "scripted_input.h"

#include <gtest/gtest.h>

using frame_tests::PumpUntil;
using frame_tests::RectIn;
using testing_support::PumpMessages;

namespace {

constexpr UINT ID_TEST_SHARED = 32870;       // handled by the children and the frame
constexpr UINT ID_TEST_FRAME_ONLY = 32871;   // handled by the frame only
constexpr UINT ID_TEST_CHILD_KEY = 32872;    // in a child's own accelerator table

std::vector<std::string> g_heard;   // who handled which command, in order

class CTestChild : public CMDIChildWnd {
public:
    explicit CTestChild(std::string name) : m_name(std::move(name)) {}
    ~CTestChild() override { --s_alive; }
    static int s_alive;

protected:
    afx_msg void OnShared() { g_heard.push_back(m_name + ":shared"); }
    afx_msg void OnChildKey() { g_heard.push_back(m_name + ":key"); }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
};
int CTestChild::s_alive = 0;

BEGIN_MESSAGE_MAP(CTestChild, CMDIChildWnd)
    ON_COMMAND(ID_TEST_SHARED, OnShared)
    ON_COMMAND(ID_TEST_CHILD_KEY, OnChildKey)
END_MESSAGE_MAP()

class CTestMDIFrame : public CMDIFrameWnd {
protected:
    void PostNcDestroy() override {}   // lives in the fixture
    afx_msg void OnShared() { g_heard.push_back("frame:shared"); }
    afx_msg void OnFrameOnly() { g_heard.push_back("frame:only"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestMDIFrame, CMDIFrameWnd)
    ON_COMMAND(ID_TEST_SHARED, OnShared)
    ON_COMMAND(ID_TEST_FRAME_ONLY, OnFrameOnly)
END_MESSAGE_MAP()

HMENU MakeMenuBar(const char* firstPopup)
{
    HMENU hBar = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, ID_TEST_FRAME_ONLY, "&Only");
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hFile, firstPopup);
    HMENU hWindow = ::CreatePopupMenu();
    for (UINT nID : {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE})
        ::AppendMenuA(hWindow, MF_STRING, nID, "window command");
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hWindow, "&Window");
    return hBar;
}

class MDITest : public ::testing::Test {
protected:
    CTestMDIFrame frame;
    HMENU hMenuBar = nullptr;

    void SetUp() override
    {
        g_heard.clear();
        CTestChild::s_alive = 0;
        hMenuBar = MakeMenuBar("&File");
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "mdi", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 600, 420, nullptr,
                                   hMenuBar));
    }
    void TearDown() override
    {
        frame_tests::Destroy(frame);
        EXPECT_EQ(CTestChild::s_alive, 0);
    }
    // A child with its own menu bar, when given one.
    CTestChild* NewChild(const char* name, HMENU hMenu = nullptr)
    {
        auto* pChild = new CTestChild(name);
        ++CTestChild::s_alive;
        pChild->SetHandles(hMenu, nullptr);
        if (!pChild->Create(nullptr, name, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150),
                            &frame)) {
            delete pChild;   // never had a window
            return nullptr;
        }
        return pChild;
    }
    void ShowFrame() { frame_tests::ShowActive(frame); }
    CRect ChildRect(CWnd* pChild) const { return RectIn(pChild->m_hWnd, frame.m_hWndMDIClient); }
};

TEST_F(MDITest, ClientIsTheFramesLeftOverPane)
{
    ASSERT_NE(frame.m_hWndMDIClient, nullptr);
    EXPECT_EQ(frame.GetWindowMenuPopup(hMenuBar), ::GetSubMenu(hMenuBar, 1));
    EXPECT_EQ(frame.GetActiveFrame(), &frame);
    CStatusBar status;
    ASSERT_TRUE(status.Create(&frame));
    frame.RecalcLayout();
    CRect client;
    frame.GetClientRect(client);
    const CRect statusRect = RectIn(status.m_hWnd, frame.m_hWnd);
    EXPECT_EQ(RectIn(frame.m_hWndMDIClient, frame.m_hWnd), CRect(0, 0, client.right, statusRect.top));
}

TEST_F(MDITest, CommandsGoToTheActiveChildFirst)
{
    CTestChild* pFirst = NewChild("first");
    CTestChild* pSecond = NewChild("second");
    ASSERT_TRUE(pFirst && pSecond);
    BOOL bMaximized = TRUE;
    EXPECT_EQ(frame.MDIGetActive(&bMaximized), pSecond);
    EXPECT_FALSE(bMaximized);
    EXPECT_EQ(frame.GetActiveFrame(), pSecond);
    EXPECT_EQ(pSecond->GetMDIFrame(), &frame);
    EXPECT_EQ(pSecond->GetParentFrame(), &frame);
    EXPECT_EQ(pSecond->GetTopLevelFrame(), &frame);
    EXPECT_EQ(pSecond->GetTopLevelParent(), &frame);
    frame.SendMessage(WM_COMMAND, ID_TEST_SHARED);
    frame.MDIActivate(pFirst);
    EXPECT_EQ(frame.MDIGetActive(), pFirst);
    frame.SendMessage(WM_COMMAND, ID_TEST_SHARED);
    // What the child does not handle goes on to the frame.
    frame.SendMessage(WM_COMMAND, ID_TEST_FRAME_ONLY);
    EXPECT_EQ(g_heard, (std::vector<std::string>{"second:shared", "first:shared", "frame:only"}));
    // The child's own update handlers are asked for the frame's menu items too.
    frame_tests::CRecordingCmdUI probe(ID_WINDOW_CASCADE);
    EXPECT_TRUE(probe.DoUpdate(&frame, TRUE));
    EXPECT_TRUE(probe.enabled);
    // With the last child gone the frame hears its command, and the window commands are off.
    pFirst->MDIDestroy();
    pSecond->DestroyWindow();
    EXPECT_EQ(CTestChild::s_alive, 0);
    EXPECT_EQ(frame.MDIGetActive(), nullptr);
    g_heard.clear();
    frame.SendMessage(WM_COMMAND, ID_TEST_SHARED);
    EXPECT_EQ(g_heard, std::vector<std::string>{"frame:shared"});
    probe.DoUpdate(&frame, TRUE);
    EXPECT_FALSE(probe.enabled);
}

TEST_F(MDITest, AcceleratorsAreTranslatedByTheFrameForTheActiveChild)
{
    ACCEL frameKeys[] = {{FVIRTKEY | FCONTROL, 'K', ID_TEST_SHARED}};
    frame.SetAccelTable(::CreateAcceleratorTableA(frameKeys, 1));
    CTestChild* pFirst = NewChild("first");
    CTestChild* pSecond = NewChild("second");
    ASSERT_TRUE(pFirst && pSecond);
    ACCEL childKeys[] = {{FVIRTKEY | FCONTROL, 'J', ID_TEST_CHILD_KEY}};
    HACCEL hChildKeys = ::CreateAcceleratorTableA(childKeys, 1);
    pFirst->SetHandles(nullptr, hChildKeys);
    ShowFrame();
    frame_tests::MainWindowScope scope(&frame);
    EXPECT_EQ(frame.GetDefaultAccelerator(), frame.m_hAccelTable);   // the second child has none
    ::SetFocus(pSecond->m_hWnd);
    testing_support::PressKeyChord({VK_CONTROL, 'K'});
    EXPECT_TRUE(PumpUntil([] { return !g_heard.empty(); }));
    frame.MDIActivate(pFirst);
    EXPECT_EQ(frame.GetDefaultAccelerator(), hChildKeys);
    ::SetFocus(pFirst->m_hWnd);
    testing_support::PressKeyChord({VK_CONTROL, 'J'});
    EXPECT_TRUE(PumpUntil([] { return g_heard.size() == 2; }));
    // Ctrl+F6 is the client's: the next child becomes active.
    testing_support::PressKeyChord({VK_CONTROL, VK_F6});
    EXPECT_TRUE(PumpUntil([&] { return frame.MDIGetActive() == pSecond; }));
    EXPECT_EQ(g_heard, (std::vector<std::string>{"second:shared", "first:key"}));
    pFirst->SetHandles(nullptr, nullptr);
    ::DestroyAcceleratorTable(hChildKeys);
    ::DestroyAcceleratorTable(frame.m_hAccelTable);
    frame.SetAccelTable(nullptr);
}

TEST_F(MDITest, WindowCommandsCascadeAndTile)
{
    CTestChild* pFirst = NewChild("first");
    CTestChild* pSecond = NewChild("second");
    ASSERT_TRUE(pFirst && pSecond);
    ShowFrame();   // only windows on screen are arranged
    CRect client;
    ::GetClientRect(frame.m_hWndMDIClient, client);
    frame.SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT);
    CRect a = ChildRect(pFirst), b = ChildRect(pSecond);
    // Side by side, each as high as the client, together as wide.
    EXPECT_EQ(a.top, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(a.Height(), client.Height());
    EXPECT_EQ(a.Width() + b.Width(), client.Width());
    frame.SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
    a = ChildRect(pFirst);
    b = ChildRect(pSecond);
    // Staggered down and right by the same step, the active one in front.
    const CRect& back = a.left < b.left ? a : b;
    const CRect& front = a.left < b.left ? b : a;
    EXPECT_GT(front.left - back.left, 0);
    EXPECT_EQ(front.left - back.left, front.top - back.top);
    EXPECT_EQ(&front == &a ? pFirst : pSecond, frame.MDIGetActive());
}

TEST_F(MDITest, ActiveChildBringsItsOwnMenuBar)
{
    HMENU hChildBar = MakeMenuBar("&Drawing");
    CTestChild* pPlain = NewChild("plain");
    ASSERT_NE(pPlain, nullptr);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), hMenuBar);
    CTestChild* pDrawing = NewChild("drawing", hChildBar);
    ASSERT_NE(pDrawing, nullptr);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), hChildBar);
    // The child list moved to the child's window pop-up.
    const HMENU hWindowPopup = ::GetSubMenu(hChildBar, 1);
    EXPECT_GT(::GetMenuItemCount(hWindowPopup), 4);
    frame.MDIActivate(pPlain);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), hMenuBar);
    frame.MDIActivate(pDrawing);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), hChildBar);
    pPlain->MDIDestroy();
    pDrawing->MDIDestroy();
    EXPECT_EQ(::GetMenu(frame.m_hWnd), hMenuBar);
    // A frame closed while a child shows its menu destroys its own menu, not the child's.
    ASSERT_NE(NewChild("last", hChildBar), nullptr);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), hChildBar);
    frame.DestroyWindow();
    EXPECT_EQ(CTestChild::s_alive, 0);
    EXPECT_TRUE(::IsMenu(hChildBar));
    EXPECT_FALSE(::IsMenu(hMenuBar));
    ::DestroyMenu(hChildBar);
}

TEST(MDIChild, CannotBeMadeWithoutAnMDIFrame)
{
    CMDIChildWnd child;
    EXPECT_FALSE(child.Create(nullptr, "orphan"));
    EXPECT_EQ(child.m_hWnd, nullptr);
}

}   // namespace
