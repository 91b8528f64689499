// Exports that act on the host's frame: bar IDs, the bars' context menu, the
// status bar and removing commands from toolbars and menus.
#include "../toolbar/toolbar_fixture.h"

#include <algorithm>
#include <cstddef>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

using testing_support::ScriptedInput;

namespace {

// The toolbar tests' host frame as the application's main window, with bars added by ID.
class HostFrame : public toolbar_test::ToolbarHost {
protected:
    void TearDown() override
    {
        for (JToolBar* pBar : m_bars)
            delete pBar;
        ToolbarHost::TearDown();
    }

    JToolBar* AddToolBar(UINT nID, const char* name, const std::vector<UINT>& buttons = {})
    {
        auto* pBar = new JToolBar;
        m_bars.push_back(pBar);
        EXPECT_TRUE(pBar->Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
        pBar->SetWindowText(name);
        if (!buttons.empty())
            pBar->SetButtons(buttons.data(), (int)buttons.size());
        return pBar;
    }

    std::vector<JToolBar*> m_bars;
};

TEST_F(HostFrame, NextBarIdFillsGapsAndReportsWhenFull)
{
    EXPECT_EQ(0xE83E, GetNextBarID());
    AddToolBar(0xE83E, "one");
    AddToolBar(0xE840, "three");
    AddToolBar(0xE800, "outside the range");
    EXPECT_EQ(0xE83F, GetNextBarID());
    for (UINT id = 0xE83F; id <= 0xE8FF; ++id)
        if (id != 0xE840)
            AddToolBar(id, "bar");
    EXPECT_EQ(-1, GetNextBarID());
}

TEST_F(HostFrame, StatusBarIsFoundAmongTheBars)
{
    EXPECT_EQ(nullptr, JGetStatusBar());
    AddToolBar(0xE83E, "tools");
    CStatusBar status;
    ASSERT_TRUE(status.Create(&m_frame));
    EXPECT_EQ(&status, JGetStatusBar());
}

// A toolbar that counts the times its window is shown.
class CountedToolBar : public JToolBar {
public:
    int shown = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SHOWWINDOW && wParam)
            ++shown;
        return JToolBar::WindowProc(message, wParam, lParam);
    }
};

// Fault: a bar deleted while the bars were hidden left its record to a new bar made
// at its address, which the showing took for the old one and showed.
TEST_F(HostFrame, ShowingTheBarsLeavesANewBarAtADeletedBarsAddressAlone)
{
    m_frame.ShowWindow(SW_SHOWNA);
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    for (const bool listed : {false, true}) {
        SCOPED_TRACE(listed ? "the host listed the old bar" : "the old bar was never listed");
        alignas(std::max_align_t) unsigned char storage[std::max(sizeof(CStatusBar), sizeof(CountedToolBar))];
        auto* pOld = new (storage) CStatusBar;
        ASSERT_TRUE(pOld->Create(&m_frame));
        if (listed)
            pManager->AddToolbar(pOld);
        pManager->Show(0);
        pOld->~CStatusBar();
        auto* pNew = new (storage) CountedToolBar;
        ASSERT_TRUE(pNew->Create(&m_frame, WS_CHILD | CBRS_TOP, 0xE83E));
        pManager->Show(1);
        EXPECT_EQ(0, pNew->shown);
        EXPECT_FALSE(pNew->IsWindowVisible());
        pNew->~CountedToolBar();
    }
}

// A menu's items: text and ID, and whether greyed.
struct MenuItem {
    std::string text;
    UINT id;
    bool grayed;
};

std::vector<MenuItem> MenuItems(HMENU hMenu)
{
    std::vector<MenuItem> items;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        char text[64] = "";
        ::GetMenuStringA(hMenu, i, text, sizeof text, MF_BYPOSITION);
        const UINT state = ::GetMenuState(hMenu, i, MF_BYPOSITION);
        items.push_back({text, ::GetMenuItemID(hMenu, i), (state & MF_GRAYED) != 0});
    }
    return items;
}

// One field of every item of a menu.
template <typename Field>
std::vector<Field> MenuColumn(HMENU hMenu, Field MenuItem::*field)
{
    std::vector<Field> column;
    for (const MenuItem& item : MenuItems(hMenu))
        column.push_back(item.*field);
    return column;
}

// The bars' context menu's items, read while it is open; *pResult gets the export's result.
std::vector<MenuItem> ReadContextMenu(int* pResult = nullptr)
{
    std::vector<MenuItem> items;
    POINT point{50, 50};
    ScriptedInput script;
    script.WaitFor(testing_support::FindPopupMenuWindow, "context menu")
        .Then([&] {
            items = MenuItems((HMENU)::SendMessageA(testing_support::FindPopupMenuWindow(), MN_GETHMENU, 0, 0));
            return true;
        })
        .DismissMenu();
    const int result = DisplayToolbarMenu(&point);
    if (pResult)
        *pResult = result;
    return items;
}

TEST_F(HostFrame, ContextMenuListsBarsUpToTheLimitThenTheFixedItems)
{
    for (UINT i = 0; i < 12; ++i)
        AddToolBar(0xE83E + i, ("Bar " + std::to_string(i)).c_str());
    m_bars[3]->m_bUnlisted = TRUE;   // never listed, and not counted
    int result = 0;
    const std::vector<MenuItem> items = ReadContextMenu(&result);
    EXPECT_NE(0, result);
    ASSERT_EQ(14u, items.size());
    EXPECT_EQ("Bar 0", items[0].text);
    EXPECT_EQ(0xE83Eu, items[0].id);
    EXPECT_EQ("Bar 4", items[3].text);   // Bar 3 is unlisted
    EXPECT_EQ("Bar 10", items[9].text);
    EXPECT_EQ(40009u, items[10].id);   // more bars than the menu shows
    EXPECT_EQ("&More Toolbars...", items[10].text);
    EXPECT_EQ(0u, items[11].id);   // separator
    EXPECT_EQ(40009u, items[12].id);
    EXPECT_EQ(40010u, items[13].id);
    for (const MenuItem& item : items)
        EXPECT_TRUE(!item.grayed || item.id == 0) << item.text;   // separators show greyed
}

TEST_F(HostFrame, ContextMenuIsGreyedInCustomizationModeAndFollowsItsFlags)
{
    AddToolBar(0xE83E, "Drawing");
    JControlOnlyInfo* pInfo = GetJControlInfo();
    pInfo->EnableCustomizationMode(1);
    pInfo->SetShowCustomizeOnToolbarMenu(0);
    const std::vector<MenuItem> items = ReadContextMenu();
    ASSERT_EQ(3u, items.size());
    EXPECT_EQ("Drawing", items[0].text);
    EXPECT_EQ(40009u, items[2].id);
    for (const MenuItem& item : items)
        EXPECT_TRUE(item.grayed) << item.text;
}

TEST_F(HostFrame, ChoosingABarInTheContextMenuSendsItsCommand)
{
    AddToolBar(0xE83E, "Drawing");
    POINT point{50, 50};
    ScriptedInput script;
    script.WaitFor(testing_support::FindPopupMenuWindow, "context menu").ChooseMenuItem(40010);
    DisplayToolbarMenu(&point);
    EXPECT_TRUE(script.Done());
}

// Gives the frame a menu bar of one popup of the items (ID 0: a separator); answers the popup.
HMENU SetPopupMenu(CWnd& frame, std::initializer_list<std::pair<UINT, const char*>> items)
{
    HMENU hMenu = ::CreateMenu();
    HMENU hPopup = ::CreatePopupMenu();
    for (const auto& [id, text] : items)
        ::AppendMenuA(hPopup, id ? MF_STRING : MF_SEPARATOR, id, text);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, "Draw");
    ::SetMenu(frame.m_hWnd, hMenu);
    return hPopup;
}

TEST_F(HostFrame, RemovingACategoryTakesItsCommandsOffToolbarsAndMenus)
{
    const UINT draw[] = {101, 0, 102};
    ::AddCategory("Draw", 1, 2, 3, 4, draw, 3, nullptr, nullptr);
    JToolBar* pBar = AddToolBar(0xE83E, "Drawing", {101, 0, 102, 0, 200});
    HMENU hPopup =
        SetPopupMenu(m_frame, {{200, "Keep"}, {0, nullptr}, {101, "Line"}, {0, nullptr}, {201, "Also keep"}});

    RemoveCategory("Draw");
    EXPECT_EQ(nullptr, GetJControlInfo()->m_categories.GetCategory("Draw"));
    // One separator is left where the command stood between two.
    EXPECT_EQ((std::vector<UINT>{200, 0, 201}), MenuColumn(hPopup, &MenuItem::id));
    EXPECT_EQ(-1, pBar->FindCommandIndex(101));
    EXPECT_EQ(-1, pBar->FindCommandIndex(102));
    EXPECT_GE(pBar->FindCommandIndex(200), 0);
    EXPECT_EQ(1, pBar->GetToolBarCtrl().GetButtonCount());   // no separator is left at an end or doubled
    EXPECT_TRUE(m_frame.m_nIdleFlags & CFrameWnd::idleLayout);
    EXPECT_EQ(0, JRemoveCommandFromMenus(101, nullptr));   // nothing left to remove
    EXPECT_EQ(0, JRemoveCommandFromMenus(0, nullptr));     // 0 is every separator, never a command
    EXPECT_EQ((std::vector<UINT>{200, 0, 201}), MenuColumn(hPopup, &MenuItem::id));
}

TEST_F(HostFrame, RemovingACategoryWithoutToolbarsStillCleansTheMenus)
{
    const UINT draw[] = {101};
    ::AddCategory("Draw", 1, 2, 3, 4, draw, 1, nullptr, nullptr);
    HMENU hPopup = SetPopupMenu(m_frame, {{101, "Line"}, {200, "Keep"}});
    RemoveCategory("Draw");
    EXPECT_EQ(std::vector<UINT>{200}, MenuColumn(hPopup, &MenuItem::id));
}

class CHostMDIFrame : public CMDIFrameWnd {
protected:
    void PostNcDestroy() override {}
};

HMENU MakeMenuBar(const std::vector<const char*>& popups)
{
    HMENU hBar = ::CreateMenu();
    for (const char* name : popups) {
        HMENU hPopup = ::CreatePopupMenu();
        ::AppendMenuA(hPopup, MF_STRING, 500, "Item");
        ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hPopup, name);
    }
    return hBar;
}

TEST_F(ControlLibrary, ReplacingTheMenuKeepsAMaximisedChildsButtons)
{
    ASSERT_NE(nullptr, CreateManager());
    CHostMDIFrame frame;
    HMENU hOld = MakeMenuBar({"&File", "&Window"});
    ASSERT_TRUE(frame.Create(nullptr, "mdi", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400)));
    ::SetMenu(frame.m_hWnd, hOld);
    testing_support::MainWindowScope mainWindow(&frame);
    auto* pChild = new CMDIChildWnd;
    ASSERT_TRUE(
        pChild->Create(nullptr, "drawing", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150), &frame));
    pChild->MDIMaximize();
    const int withButtons = ::GetMenuItemCount(hOld);
    ASSERT_GT(withButtons, 2);   // the child's system icon and buttons are in the bar
    EXPECT_EQ("", MenuColumn(hOld, &MenuItem::text).front());

    HMENU hNew = MakeMenuBar({"&Draw", "&Modify", "&Help"});
    HMENU hDrawPopup = ::GetSubMenu(hNew, 0);
    EXPECT_EQ(1, ReplaceMainMenu(hNew, nullptr));
    EXPECT_FALSE(::IsMenu(hNew));
    EXPECT_TRUE(::IsMenu(hDrawPopup));   // now the bar's
    const std::vector<std::string> texts = MenuColumn(hOld, &MenuItem::text);
    ASSERT_EQ((size_t)withButtons + 1, texts.size());
    // The system icon stays first.
    EXPECT_EQ((std::vector<std::string>{"", "&Draw", "&Modify", "&Help"}),
              std::vector<std::string>(texts.begin(), texts.begin() + 4));
    EXPECT_EQ(hDrawPopup, ::GetSubMenu(hOld, 1));
    for (size_t i = 4; i < texts.size(); ++i)
        EXPECT_EQ("", texts[i]) << i;   // the buttons stay last
    frame.DestroyWindow();
}

}   // namespace
