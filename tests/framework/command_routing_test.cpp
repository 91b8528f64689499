// Command routing as a host's frame sees it: menu and accelerator commands,
// command-UI updates through idle work, owners, views and reflected notifications.
#include "cntlrc.h"
#include "frame_helpers.h"

#include <gtest/gtest.h>
#include <thread>
#include <utility>

using testing_support::PumpMessages;

namespace {

constexpr UINT ID_DRAW_LINE = 32801;   // has a command handler only
constexpr UINT ID_DRAW_ARC = 32802;    // has an update handler that disables it
constexpr UINT ID_DRAW_TEXT = 32803;   // has nothing: disabled when asked to
constexpr UINT ID_SNAP_GRID = 32804;   // checked by its update handler
constexpr UINT ID_ZOOM = 32805;        // its update handler passes on to the next target
constexpr UINT ID_VANISH = 32806;      // its update handler removes its menu item
constexpr UINT ID_GROW = 32807;        // its update handler appends an item to its menu

class CProbeFrame : public CFrameWnd {
public:
    std::vector<std::string> log;
    int layouts = 0;
    BOOL lastNotify = FALSE;

    BOOL CreateHidden() { return Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)); }
    void RecalcLayout(BOOL bNotify) override
    {
        ++layouts;
        lastNotify = bNotify;
    }

protected:
    void PostNcDestroy() override {}   // lives on the test's stack
    afx_msg void OnDrawLine() { log.push_back("line"); }
    afx_msg void OnUpdateDrawArc(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateSnapGrid(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(1);
        pCmdUI->SetText("Snap on");
    }
    afx_msg void OnUpdateZoom(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    afx_msg void OnUpdateVanish(CCmdUI* pCmdUI) { pCmdUI->m_pMenu->DeleteMenu(pCmdUI->m_nIndex, MF_BYPOSITION); }
    afx_msg void OnUpdateGrow(CCmdUI* pCmdUI)
    {
        if (pCmdUI->m_pMenu->GetMenuItemCount() < 4)
            pCmdUI->m_pMenu->AppendMenu(MF_STRING, ID_DRAW_TEXT, "Text 2");
        pCmdUI->Enable(TRUE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_VANISH, OnUpdateVanish)
    ON_UPDATE_COMMAND_UI(ID_GROW, OnUpdateGrow)
    ON_COMMAND(ID_DRAW_LINE, OnDrawLine)
    ON_UPDATE_COMMAND_UI(ID_DRAW_ARC, OnUpdateDrawArc)
    ON_UPDATE_COMMAND_UI(ID_SNAP_GRID, OnUpdateSnapGrid)
    ON_UPDATE_COMMAND_UI(ID_ZOOM, OnUpdateZoom)
END_MESSAGE_MAP()

using testing_support::MainWindowScope;

// A hidden probe frame, made for each test.
class FrameTest : public ::testing::Test {
protected:
    CProbeFrame frame;
    void SetUp() override { ASSERT_TRUE(frame.CreateHidden()); }
    void TearDown() override { frame_tests::Destroy(frame); }
};

using CommandUI = FrameTest;
using CommandRouting = FrameTest;

TEST_F(CommandUI, DialogControlsFollowTheHandlersOfTheirOwner)
{
    // The bar's parent is some other window: its commands go to its owner.
    CWnd holder;
    ASSERT_TRUE(holder.CreateEx(0, nullptr, "holder", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr));
    CWnd bar;
    ASSERT_TRUE(bar.Create(nullptr, "bar", WS_VISIBLE, CRect(0, 0, 300, 100), &holder, 1));
    bar.SetOwner(&frame);
    EXPECT_EQ(&frame, bar.GetOwner());
    auto button = [&](UINT id, DWORD style) {
        return ::CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE | style, 0, 0, 60, 20, bar.m_hWnd,
                                 (HMENU)(UINT_PTR)id, nullptr, nullptr);
    };
    HWND line = button(ID_DRAW_LINE, BS_PUSHBUTTON);
    HWND arc = button(ID_DRAW_ARC, BS_PUSHBUTTON);
    HWND text = button(ID_DRAW_TEXT, BS_PUSHBUTTON);
    HWND snap = button(ID_SNAP_GRID, BS_CHECKBOX);
    HWND autoCheck = button(ID_DRAW_TEXT + 100, BS_AUTOCHECKBOX);   // toggles itself: never disabled
    bar.UpdateDialogControls(bar.GetOwner(), TRUE);
    EXPECT_TRUE(::IsWindowEnabled(line));
    EXPECT_FALSE(::IsWindowEnabled(arc));
    EXPECT_FALSE(::IsWindowEnabled(text));
    EXPECT_TRUE(::IsWindowEnabled(autoCheck));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(snap, BM_GETCHECK, 0, 0));
    char label[32];
    ::GetWindowTextA(snap, label, sizeof label);
    EXPECT_STREQ("Snap on", label);
    // Without bDisableIfNoHndler, items nobody handles stay as they are.
    ::EnableWindow(text, TRUE);
    bar.UpdateDialogControls(&frame, FALSE);
    EXPECT_TRUE(::IsWindowEnabled(text));
}

TEST_F(CommandUI, PopupMenuItemsFollowTheHandlersWhenOpened)
{
    // A pop-up of the given commands; 0 is a separator.
    auto makePopup = [](CMenu& menu, std::initializer_list<UINT> ids) {
        ASSERT_TRUE(menu.CreatePopupMenu());
        for (UINT id : ids)
            menu.AppendMenu(id ? MF_STRING : MF_SEPARATOR, id, "item");
    };
    CMenu popup, nested, changing;
    makePopup(nested, {ID_DRAW_ARC});
    makePopup(popup, {ID_DRAW_LINE, ID_DRAW_ARC, 0, ID_DRAW_TEXT, ID_SNAP_GRID, SC_CLOSE});
    popup.AppendMenu(MF_POPUP, (UINT_PTR)nested.Detach(), "More");
    ::SendMessageA(frame.m_hWnd, WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0);
    auto state = [&](UINT pos) { return popup.GetMenuState(pos, MF_BYPOSITION); };
    EXPECT_FALSE(state(0) & MF_GRAYED);   // handled
    EXPECT_TRUE(state(1) & MF_GRAYED);    // its update handler disables it
    EXPECT_TRUE(state(3) & MF_GRAYED);    // nobody handles it
    EXPECT_FALSE(state(4) & MF_GRAYED);
    EXPECT_TRUE(state(4) & MF_CHECKED);
    char text[32];
    popup.GetMenuString(4, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("Snap on", text);
    EXPECT_FALSE(state(5) & MF_GRAYED);   // system commands stay
    EXPECT_FALSE(state(6) & MF_GRAYED);   // a pop-up item is never greyed through its first command
    // Handlers that remove or add items: every item left is updated, the added ones too.
    makePopup(changing, {ID_VANISH, ID_DRAW_TEXT, ID_GROW});
    ::SendMessageA(frame.m_hWnd, WM_INITMENUPOPUP, (WPARAM)changing.m_hMenu, 0);
    ASSERT_EQ(3u, changing.GetMenuItemCount());
    EXPECT_EQ(ID_DRAW_TEXT, changing.GetMenuItemID(0));
    EXPECT_TRUE(changing.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(changing.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(changing.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
    frame.m_bAutoMenuEnable = FALSE;
    popup.EnableMenuItem(3, MF_BYPOSITION | MF_ENABLED);
    ::SendMessageA(frame.m_hWnd, WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0);
    EXPECT_FALSE(state(3) & MF_GRAYED);
}

TEST_F(CommandRouting, ChildDialogKeepsItsCommandsAndCodesAreToldApart)
{
    CDialog view;
    {
        CResourceSwitch use(frame_tests::LibraryResources());
        ASSERT_TRUE(view.Create(IDD_FRAMEWORK_DIALOGBAR, &frame));   // a child template
    }
    // A child dialog is part of its parent, which routes to it: it must not pass commands back up.
    EXPECT_FALSE(view.OnCmdMsg(ID_DRAW_LINE, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(frame.log.empty());
    // A handler that continues routing leaves it to the next target: nobody, so it is disabled.
    frame_tests::CRecordingCmdUI zoom(ID_ZOOM);
    EXPECT_FALSE(zoom.DoUpdate(&frame, TRUE));
    EXPECT_FALSE(zoom.enabled);
    // Codes are told apart explicitly: a command with extra data is still a command, not a notification.
    int extra = 7;
    EXPECT_TRUE(frame.OnCmdMsg(ID_DRAW_LINE, CN_COMMAND, &extra, nullptr));
    EXPECT_EQ((std::vector<std::string>{"line"}), frame.log);
    // An update query for a command with only a command handler is not answered.
    CCmdUI state;
    state.m_nID = ID_DRAW_LINE;
    EXPECT_FALSE(frame.OnCmdMsg(ID_DRAW_LINE, (int)CN_UPDATE_COMMAND_UI, &state, nullptr));
    // Handler queries describe without calling.
    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(frame.OnCmdMsg(ID_DRAW_LINE, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&frame, info.pTarget);
    EXPECT_NE(nullptr, info.pEntry);
    EXPECT_FALSE(frame.OnCmdMsg(ID_DRAW_TEXT, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(1u, frame.log.size());
}

TEST_F(CommandRouting, AcceleratorReachesTheCommandHandler)
{
    MainWindowScope main(&frame);
    ACCEL keys[] = {{FVIRTKEY, VK_F5, (WORD)ID_DRAW_LINE}, {FVIRTKEY, VK_F6, (WORD)ID_DRAW_ARC}};
    HACCEL hAccel = ::CreateAcceleratorTableA(keys, 2);
    frame.SetAccelTable(hAccel);
    // The key goes through the message loop's PreTranslateMessage, as typed.
    frame.PostMessage(WM_KEYDOWN, VK_F5, 1);
    frame.PostMessage(WM_KEYUP, VK_F5, 0xC0000001);
    PumpMessages();
    EXPECT_EQ((std::vector<std::string>{"line"}), frame.log);
    // A command whose update handler disables it is dropped.
    frame.PostMessage(WM_KEYDOWN, VK_F6, 1);
    PumpMessages();
    EXPECT_EQ(1u, frame.log.size());
    // While a modal dialog has disabled the frame, its accelerators rest.
    frame.EnableWindow(FALSE);
    frame.PostMessage(WM_KEYDOWN, VK_F5, 1);
    PumpMessages();
    EXPECT_EQ(1u, frame.log.size());
    frame.EnableWindow(TRUE);
    frame.SetAccelTable(nullptr);
    ::DestroyAcceleratorTable(hAccel);
}

// Explicit message entries take WM_COMMAND and WM_NOTIFY whole.
class CRawHandler : public CWnd {
public:
    std::vector<std::string> log;

protected:
    afx_msg LRESULT OnRawCommand(WPARAM wParam, LPARAM)
    {
        log.push_back("command:" + std::to_string(LOWORD(wParam)));
        return 0;
    }
    afx_msg LRESULT OnRawNotify(WPARAM, LPARAM lParam)
    {
        log.push_back("notify:" + std::to_string(reinterpret_cast<NMHDR*>(lParam)->idFrom));
        return 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRawHandler, CWnd)
    ON_MESSAGE(WM_COMMAND, OnRawCommand)
    ON_MESSAGE(WM_NOTIFY, OnRawNotify)
END_MESSAGE_MAP()

TEST_F(CommandRouting, MessageEntriesForCommandAndNotifyAreHonoured)
{
    CRawHandler wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ::SendMessageA(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(12, 1), 0);
    NMHDR hdr{nullptr, 34, (UINT)NM_CLICK};
    EXPECT_EQ(5, ::SendMessageA(wnd.m_hWnd, WM_NOTIFY, 34, (LPARAM)&hdr));
    EXPECT_EQ((std::vector<std::string>{"command:12", "notify:34"}), wnd.log);
}

// A control that handles its own notifications before its parent sees them.
class CReflectingButton : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    BOOL letParentSee = FALSE;
    COLORREF face = RGB(200, 30, 30);

    void DrawItem(LPDRAWITEMSTRUCT pDraw)
    {
        log->push_back("draw");
        HBRUSH brush = ::CreateSolidBrush(face);
        ::FillRect(pDraw->hDC, &pDraw->rcItem, brush);
        ::DeleteObject(brush);
    }

    HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        log->push_back("child-color:" + std::to_string(nCtlColor));
        return colors ? (HBRUSH)::GetStockObject(GRAY_BRUSH) : nullptr;
    }
    BOOL colors = TRUE;

protected:
    afx_msg void OnClicked() { log->push_back("child-clicked"); }
    afx_msg BOOL OnChange()
    {
        log->push_back("child-change");
        return FALSE;
    }
    afx_msg BOOL OnCustomDraw(NMHDR*, LRESULT* pResult)
    {
        log->push_back("child-notify");
        *pResult = 9;
        return !letParentSee;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
    ON_NOTIFY_REFLECT_EX(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CNotifiedParent : public CWnd {
public:
    std::vector<std::string> log;
    HWND edit = nullptr;

protected:
    afx_msg void OnClicked() { log.push_back("parent-clicked"); }
    afx_msg void OnEditChange()
    {
        log.push_back("parent-change");
        if (HWND once = std::exchange(edit, nullptr))
            ::SetWindowTextA(once, "again");   // reports a change from inside this handler
    }
    afx_msg void OnCustomDraw(NMHDR*, LRESULT* pResult)
    {
        log.push_back("parent-notify");
        *pResult = 3;
    }
    afx_msg void OnOther() { log.push_back("parent-other"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
    ON_BN_CLICKED(10, OnClicked)
    ON_BN_CLICKED(11, OnOther)
    ON_EN_CHANGE(12, OnEditChange)
    ON_NOTIFY(NM_CUSTOMDRAW, 10, OnCustomDraw)
END_MESSAGE_MAP()

class Reflection : public ::testing::Test {
protected:
    CNotifiedParent parent;
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    }
    // An owner-drawn button with ID 10 that logs to the parent.
    void MakeButton(CReflectingButton& child, CWnd* pParentWnd)
    {
        child.log = &parent.log;
        ASSERT_TRUE(child.Create("BUTTON", "b", WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 60, 40), pParentWnd, 10));
    }
};

TEST_F(Reflection, ChildTakesItsNotificationsFirstAndPaintsThroughItsObject)
{
    CReflectingButton child;
    MakeButton(child, &parent);
    HWND plain = ::CreateWindowExA(0, "BUTTON", "p", WS_CHILD | WS_VISIBLE, 70, 10, 40, 30, parent.m_hWnd, (HMENU)11,
                                   nullptr, nullptr);
    ::SendMessageA(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), (LPARAM)child.m_hWnd);
    ::SendMessageA(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), (LPARAM)plain);   // no object
    NMHDR hdr{child.m_hWnd, 10, (UINT)NM_CUSTOMDRAW};
    EXPECT_EQ(9, ::SendMessageA(parent.m_hWnd, WM_NOTIFY, 10, (LPARAM)&hdr));
    child.letParentSee = TRUE;
    EXPECT_EQ(3, ::SendMessageA(parent.m_hWnd, WM_NOTIFY, 10, (LPARAM)&hdr));
    // Colours: the control's brush, else the parent's default.
    HDC hdc = ::GetDC(child.m_hWnd);
    EXPECT_EQ((LRESULT)::GetStockObject(GRAY_BRUSH),
              ::SendMessageA(parent.m_hWnd, WM_CTLCOLORBTN, (WPARAM)hdc, (LPARAM)child.m_hWnd));
    child.colors = FALSE;
    EXPECT_NE((LRESULT)::GetStockObject(GRAY_BRUSH),
              ::SendMessageA(parent.m_hWnd, WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)child.m_hWnd));
    ::ReleaseDC(child.m_hWnd, hdc);
    EXPECT_EQ((std::vector<std::string>{"child-clicked", "parent-other", "child-notify", "child-notify",
                                        "parent-notify", "child-color:3", "child-color:6"}),
              parent.log);
    // Owner drawn: the button paints through its object.
    testing_support::MemoryCanvas canvas(50, 30);
    ::SendMessageA(child.m_hWnd, WM_PRINTCLIENT, (WPARAM)canvas.dc(), PRF_CLIENT);
    EXPECT_EQ("draw", parent.log.back());
    EXPECT_EQ(child.face, canvas.Pixel(25, 15));
}

class CPlainBar : public CControlBar {
public:
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

TEST_F(Reflection, ControlsInABarAreOfferedTheirNotificationsOnce)
{
    CPlainBar bar;
    ASSERT_TRUE(bar.CreateEx(0, nullptr, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 50), &parent, 0xE900));
    CReflectingButton child, edit;
    MakeButton(child, &bar);
    child.letParentSee = TRUE;
    NMHDR hdr{child.m_hWnd, 10, (UINT)NM_CUSTOMDRAW};
    // The bar offers it to the control, then passes it to its owner, which does not offer it again.
    EXPECT_EQ(3, ::SendMessageA(bar.m_hWnd, WM_NOTIFY, 10, (LPARAM)&hdr));
    // A change the owner causes while handling one is offered to the control as well.
    edit.log = &parent.log;
    ASSERT_TRUE(edit.Create("EDIT", "", WS_VISIBLE, CRect(70, 10, 150, 30), &bar, 12));
    parent.edit = edit.m_hWnd;
    ::SetWindowTextA(edit.m_hWnd, "once");
    EXPECT_EQ((std::vector<std::string>{"child-notify", "parent-notify", "child-change", "parent-change",
                                        "child-change", "parent-change"}),
              parent.log);
}

// An owner-drawn list asks its height while it is being created.
class CMeasuredList : public CWnd {
public:
    int measured = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasure)
    {
        ++measured;
        pMeasure->itemHeight = 23;
    }
    void DrawItem(LPDRAWITEMSTRUCT) {}

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMeasuredList, CWnd)
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

// The list box wrapper draws and measures its own items through reflection.
class CSwatchList : public CListBox {
public:
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasure) override { pMeasure->itemHeight = 18; }
    void DrawItem(LPDRAWITEMSTRUCT pDraw) override
    {
        HBRUSH brush = ::CreateSolidBrush((COLORREF)pDraw->itemData);
        ::FillRect(pDraw->hDC, &pDraw->rcItem, brush);
        ::DeleteObject(brush);
    }
};

TEST_F(Reflection, OwnerDrawListsAreMeasuredWhileCreatedAndDrawItsItems)
{
    CMeasuredList measured;
    ASSERT_TRUE(measured.Create("LISTBOX", "", WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 100, 100),
                                &parent, 21));
    EXPECT_GE(measured.measured, 1);
    EXPECT_EQ(23, ::SendMessageA(measured.m_hWnd, LB_GETITEMHEIGHT, 0, 0));
    CSwatchList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 100, 100),
                            &parent, 31));
    EXPECT_EQ(18, list.GetItemHeight(0));
    const COLORREF colors[] = {RGB(250, 0, 0), RGB(0, 120, 0)};
    for (COLORREF color : colors)
        list.SetItemData(list.AddString(""), color);
    testing_support::MemoryCanvas canvas(100, 100);
    ::SendMessageA(list.m_hWnd, WM_PRINTCLIENT, (WPARAM)canvas.dc(), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(colors[0], canvas.Pixel(50, 9));
    EXPECT_EQ(colors[1], canvas.Pixel(50, 18 + 9));
}

TEST(Descendants, MessagesReachTheWholeTreeOrOnlyObjects)
{
    struct CCounter : CWnd {
        int seen = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_USER + 40)
                ++seen;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    };
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CCounter child, grandChild;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
    ASSERT_TRUE(grandChild.Create(nullptr, "g", WS_VISIBLE, CRect(0, 0, 20, 20), &child, 2));
    ::CreateWindowExA(0, "STATIC", "s", WS_CHILD, 0, 0, 5, 5, child.m_hWnd, nullptr, nullptr, nullptr);
    top.SendMessageToDescendants(WM_USER + 40, 0, 0, FALSE);
    EXPECT_EQ(1, child.seen);
    EXPECT_EQ(0, grandChild.seen);
    top.SendMessageToDescendants(WM_USER + 40, 0, 0, TRUE, TRUE);
    EXPECT_EQ(2, child.seen);
    EXPECT_EQ(1, grandChild.seen);
}

TEST(IdleWork, DelayedLayoutRunsOnceAtIdleTime)
{
    CProbeFrame frame;
    ASSERT_TRUE(frame.CreateHidden());
    frame.ShowWindow(SW_SHOWNA);
    MainWindowScope main(&frame);
    const int before = frame.layouts;
    frame.DelayRecalcLayout(FALSE);
    frame.DelayRecalcLayout(FALSE);
    EXPECT_EQ(before, frame.layouts);
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ(before + 1, frame.layouts);
    EXPECT_FALSE(frame.lastNotify);
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ(before + 1, frame.layouts);   // done until asked again
    // Frames outside the main window (floating ones) get their idle work too.
    CProbeFrame floating;
    ASSERT_TRUE(floating.Create(nullptr, "floating", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 50), &frame));
    const int floatingBefore = floating.layouts;
    floating.DelayRecalcLayout();
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ(floatingBefore + 1, floating.layouts);
    EXPECT_TRUE(floating.lastNotify);
    floating.DestroyWindow();
    frame.DestroyWindow();
}

// A frame whose idle update invalidates it, as a host's status display may.
class CRepaintingFrame : public CFrameWnd {
public:
    std::atomic<int> idlePasses{0};
    std::atomic<bool> updatedFromAnotherThread{false};

protected:
    void PostNcDestroy() override {}
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
    {
        ++idlePasses;
        if (::GetWindowThreadProcessId(m_hWnd, nullptr) != ::GetCurrentThreadId())
            updatedFromAnotherThread = true;
        Invalidate();
        return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRepaintingFrame, CFrameWnd)
    ON_WM_IDLEUPDATECMDUI()
END_MESSAGE_MAP()

class IdleFrameTest : public ::testing::Test {
protected:
    CRepaintingFrame frame;
    std::unique_ptr<MainWindowScope> main;
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(nullptr, "idle", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
        main = std::make_unique<MainWindowScope>(&frame);
        PumpMessages();
        frame.idlePasses = 0;
    }
    void TearDown() override
    {
        main.reset();
        frame.DestroyWindow();
    }
};

TEST_F(IdleFrameTest, RepaintsDoNotStartTheMainLoopsIdleWorkAgain)
{
    const DWORD thread = ::GetCurrentThreadId();
    std::thread quit([thread] {
        ::Sleep(300);
        ::PostThreadMessageA(thread, WM_QUIT, 0, 0);
    });
    EXPECT_EQ(0, AfxGetThread()->Run());
    quit.join();
    // One pass when the loop starts; a loop that spins runs hundreds.
    EXPECT_GE(frame.idlePasses, 1);
    EXPECT_LE(frame.idlePasses, 3);
}

// A window ending its modal loop on a timer.
class CTimedModal : public CWnd {
protected:
    afx_msg void OnTimer(UINT_PTR) { EndModalLoop(3); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimedModal, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(IdleFrameTest, AnotherThreadHasItsOwnThreadStateAndResourceModule)
{
    const HINSTANCE mine = AfxGetResourceHandle();
    HINSTANCE seenThere = nullptr;
    CWinThread* threadThere = nullptr;
    int result = 0;
    std::thread other([&] {
        threadThere = AfxGetThread();
        seenThere = AfxGetResourceHandle();
        AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));
        CTimedModal wnd;
        if (!wnd.CreateEx(0, nullptr, "modal", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr))
            return;
        wnd.SetTimer(1, 100);
        result = wnd.RunModalLoop(MLF_NOIDLEMSG);
        wnd.DestroyWindow();
    });
    other.join();
    EXPECT_EQ(3, result);
    EXPECT_EQ(nullptr, threadThere);
    EXPECT_FALSE(frame.updatedFromAnotherThread);
    EXPECT_EQ(mine, seenThere);   // the application's until the thread chooses its own
    EXPECT_EQ(mine, AfxGetResourceHandle());
}

TEST(IdleWork, SecondIdlePassFreesTemporaryObjects)
{
    HWND raw = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, CWnd::FromHandle(raw));
    EXPECT_GE(CWnd::GetTempMapCount(), 1u);
    EXPECT_TRUE(AfxGetThread()->OnIdle(0));   // more idle work wanted
    EXPECT_FALSE(AfxGetThread()->OnIdle(1));
    EXPECT_EQ(0u, CWnd::GetTempMapCount());
    ::DestroyWindow(raw);
}

}   // namespace
