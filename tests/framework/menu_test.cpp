// CMenu: building and loading menus, their wrappers' lifetime, window menus, and popup
// menus tracked with scripted input.
#include "cntlrc.h"
#include "frame_helpers.h"

#include <gtest/gtest.h>

using testing_support::ScriptedInput;

namespace {

const UINT ID_CUT = 401, ID_PASTE = 403;

// The string helpers: a buffer's text is cut to it, a missing item reads empty.
TEST(Menu, StringsAreCutToTheBufferAndTheDestructorDestroysOnlyAnAttachedMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_CUT, "Cu&t");
    menu.AppendMenu(MF_STRING, ID_PASTE, "&Paste");
    CString text;
    EXPECT_EQ(4, menu.GetMenuString(ID_CUT, text, MF_BYCOMMAND));
    EXPECT_STREQ("Cu&t", text);
    char buffer[4];
    EXPECT_EQ(3, menu.GetMenuString(1, buffer, sizeof buffer, MF_BYPOSITION));
    EXPECT_STREQ("&Pa", buffer);
    EXPECT_EQ(0, menu.GetMenuString(999, text, MF_BYCOMMAND));
    EXPECT_STREQ("", text);
    // The destructor destroys only an attached menu.
    HMENU hKept;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreateMenu());
        EXPECT_FALSE(menu.CreateMenu());   // already has one
        hKept = menu.Detach();
    }
    EXPECT_TRUE(::IsMenu(hKept));
    HMENU hDestroyed;
    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(hKept));
        hDestroyed = hKept;
    }
    EXPECT_FALSE(::IsMenu(hDestroyed));
    CMenu empty;
    EXPECT_FALSE(empty.DestroyMenu());
}

TEST(Menu, FromHandleGivesTheAttachedObjectOrATemporaryOne)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
    EXPECT_EQ(nullptr, CMenu::FromHandle(nullptr));
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, ID_CUT, "Cut");
    menu.AppendMenu(MF_POPUP, (UINT_PTR)hSub, "Edit");
    CMenu* pSub = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(hSub, pSub->m_hMenu);
    EXPECT_EQ(pSub, CMenu::FromHandle(hSub));   // the same temporary until idle time
    EXPECT_EQ(nullptr, menu.GetSubMenu(5));
    CWnd::DeleteTempMap();   // what idle time does: the temporary goes, the menu stays
    EXPECT_TRUE(::IsMenu(hSub));
    EXPECT_EQ(1u, CMenu::FromHandle(hSub)->GetMenuItemCount());
    CWnd::DeleteTempMap();
}

// The window's menu is the object set; taken off again, it outlives the window.
TEST(Menu, WindowMenuBarIsTheObjectSetAndOutlivesTheWindowOnceTakenOff)
{
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, "Menus", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    EXPECT_EQ(nullptr, pFrame->GetMenu());
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    bar.AppendMenu(MF_STRING, ID_CUT, "Cut");
    ASSERT_TRUE(pFrame->SetMenu(&bar));
    EXPECT_EQ(&bar, pFrame->GetMenu());
    pFrame->SetMenu(nullptr);
    EXPECT_EQ(nullptr, pFrame->GetMenu());
    pFrame->DestroyWindow();
    EXPECT_TRUE(::IsMenu(bar.m_hMenu));   // detached before the window went
}

// A window whose command handler switches the resource module for its own work.
class CCommandSink : public CWnd {
public:
    UINT lastCommand = 0;
    HINSTANCE handleSeen = nullptr;
    HINSTANCE handleSwitchedTo = nullptr;

protected:
    afx_msg void OnOpen()
    {
        lastCommand = ID_PROBE_OPEN;
        handleSeen = AfxGetResourceHandle();
        CResourceSwitch use(handleSwitchedTo);
        EXPECT_EQ(handleSwitchedTo, AfxGetResourceHandle());
    }
    afx_msg void OnGrid() { lastCommand = ID_PROBE_GRID; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandSink, CWnd)
    ON_COMMAND(ID_PROBE_OPEN, OnOpen)
    ON_COMMAND(ID_PROBE_GRID, OnGrid)
END_MESSAGE_MAP()

TEST(Menu, TrackPopupMenuReturnsOrSendsTheChosenCommand)
{
    CCommandSink sink;
    ASSERT_TRUE(sink.CreateEx(0, nullptr, "sink", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, nullptr, nullptr));
    CMenu menu;
    {
        CResourceSwitch use(frame_tests::LibraryResources());
        ASSERT_TRUE(menu.LoadMenu(IDR_FRAMEWORK_PROBE));
    }
    CMenu* pFile = menu.GetSubMenu(0);
    {
        ScriptedInput script;
        script.ChooseMenuItem(ID_PROBE_GRID);
        EXPECT_EQ((BOOL)ID_PROBE_GRID, pFile->TrackPopupMenu(TPM_RETURNCMD, 60, 60, &sink));
    }
    EXPECT_EQ(0u, sink.lastCommand);
    {
        ScriptedInput script;
        script.ChooseMenuItem(ID_PROBE_GRID);
        EXPECT_TRUE(pFile->TrackPopupMenu(TPM_LEFTALIGN, 60, 60, &sink));
    }
    testing_support::PumpMessages();
    EXPECT_EQ((UINT)ID_PROBE_GRID, sink.lastCommand);
}

// Handlers run inside the menu's modal loop switch the resource module and restore it; the
// switch that was active around the loop is intact afterwards.
TEST(Menu, ResourceSwitchesSurviveTheModalLoop)
{
    const HINSTANCE module = frame_tests::LibraryResources();
    const HINSTANCE hApp = AfxGetResourceHandle();
    const HINSTANCE hUser32 = ::GetModuleHandleA("user32.dll");
    CCommandSink sink;
    sink.handleSwitchedTo = hUser32;
    ASSERT_TRUE(sink.CreateEx(0, nullptr, "sink", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, nullptr, nullptr));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_PROBE_OPEN, "Open");
    {
        CResourceSwitch outer(module);
        ScriptedInput script;
        // Handlers that run from inside the loop switch and restore on their own.
        script.WaitFor(testing_support::FindPopupMenuWindow, "popup menu")
            .Then(
                [&] {
                    sink.SendMessage(WM_COMMAND, ID_PROBE_OPEN);
                    return AfxGetResourceHandle() == module;
                },
                "command handled inside the loop")
            .ChooseMenuItem(ID_PROBE_OPEN);
        EXPECT_TRUE(menu.TrackPopupMenu(0, 60, 60, &sink));
        EXPECT_EQ(module, sink.handleSeen);
        EXPECT_EQ(module, AfxGetResourceHandle());
        sink.handleSeen = nullptr;
        testing_support::PumpMessages();   // the chosen command arrives now
        EXPECT_EQ(module, sink.handleSeen);
        EXPECT_EQ(module, AfxGetResourceHandle());
    }
    EXPECT_EQ(hApp, AfxGetResourceHandle());
}

}   // namespace
