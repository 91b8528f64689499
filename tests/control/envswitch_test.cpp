// The host's switch between environments with the real sample add-in: the
// messages and notifications in their order, menus handed over, a failing step
// rolled back, saving all environments, and deleting a stored one.
#include "addin_host.h"
#include "regvalues.h"
#include "storedvalues.h"

#include <set>

using namespace addin_host;

namespace {

HRESULT g_failAt = 0;
HRESULT FailAtStep(int step)
{
    return step == g_failAt ? E_ACCESSDENIED : S_OK;
}

std::string Describe(HMENU hMenu)
{
    std::string text;
    for (int i = 0; hMenu && i < ::GetMenuItemCount(hMenu); ++i) {
        char name[256] = "";
        ::GetMenuStringA(hMenu, (UINT)i, name, sizeof name, MF_BYPOSITION);
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        text += std::string(name) + (hPopup ? "[" + Describe(hPopup) + "]" : "=" + std::to_string(::GetMenuItemID(hMenu, i))) + ";";
    }
    return text;
}

class EnvironmentSwitch : public StartUpDll {
protected:
    void SetUp() override
    {
        StartUpDll::SetUp();
        m_host.menus = true;
        m_host.defaultStartUpDll = kSampleAddInClsid;   // what an environment without settings runs
        ASSERT_STREQ("Drafting", m_pInfo->m_strCustomEnvironment);
        ASSERT_EQ(1, JCreateEnvironment(m_key.path(), "Survey", kSampleAddInClsid, nullptr));
        EXPECT_EQ(0, JCreateEnvironment(m_key.path(), "Survey", nullptr, nullptr));   // the name is taken
        // Drafting runs its add-in with its default toolbars, under its own menu.
        ASSERT_EQ(S_OK, JLoadStartupDll(1, kSampleAddInClsid, 0));
        ASSERT_EQ(S_OK, JInitStartupDll());
        ASSERT_EQ(S_OK, JLoadToolbarsFromDll());
        HMENU hFile = ::CreatePopupMenu();
        ::AppendMenuA(hFile, MF_STRING, 0xE101, "&Open");
        HMENU hBar = ::CreateMenu();
        ::AppendMenuA(hBar, MF_POPUP | MF_STRING, (UINT_PTR)hFile, "&File");
        ::SetMenu(m_frame.m_hWnd, hBar);
        m_frame.ShowWindow(SW_SHOWNOACTIVATE);
        // Survey's own menu is stored.
        HMENU hSurvey = ::CreateMenu();
        ::AppendMenuA(hSurvey, MF_STRING, 501, "&Traverse");
        JEnvironmentManager* pManager = JGetEnvironmentManager();
        pManager->SetEnvironment(1L);
        WriteMenuToRegistry(0, nullptr, hSurvey);
        pManager->SetEnvironment(0L);
        ::DestroyMenu(hSurvey);
        m_frame.sent.clear();
        m_host.notifications.clear();
        m_host.toolbars.calls.clear();
    }
    void TearDown() override
    {
        ControlState().pfnSwitchStepResult = nullptr;
        JLoadStartupDll(0, kSampleAddInClsid, 0);   // the host lets its add-in go before it ends
        StartUpDll::TearDown();
    }

    // What the user sees of an environment: its name, menu, add-in and the add-in's toolbars.
    std::string State()
    {
        IDispatch* p = JGetStartUpDllDispatch();
        std::string state = std::string(GetJControlInfo()->m_strCustomEnvironment) + " | " +
                            Describe(::GetMenu(m_frame.m_hWnd)) + " | " +
                            (p ? "add-in installed " + Property(p, L"Installed") : std::string("no add-in")) + " |";
        for (const std::string& name : m_toolbars)
            state += " " + name;
        return state;
    }
    // The add-in's toolbars the host holds after the calls recorded so far.
    void FollowToolbars()
    {
        for (const std::string& call : m_host.toolbars.calls) {
            const std::string name = call.substr(call.find(' ') + 1, call.find(' ', call.find(' ') + 1) - call.find(' ') - 1);
            if (call.rfind("add ", 0) == 0)
                m_toolbars.insert(name);
            else
                m_toolbars.erase(name);
        }
        m_host.toolbars.calls.clear();
    }
    std::vector<std::string> Messages()
    {
        std::vector<std::string> names;
        for (const auto& sent : m_frame.sent) {
            char name[64] = "";
            ::GetClipboardFormatNameA(sent.message, name, sizeof name);
            names.push_back(name);
        }
        m_frame.sent.clear();
        return names;
    }

    std::set<std::string> m_toolbars = {"Draw", "Modify", "View", "Settings"};
};

TEST_F(EnvironmentSwitch, MessagesNotificationsAndMenusInTheirOrder)
{
    EXPECT_EQ(0, JSetEnvironment("Drafting"));   // already current
    EXPECT_EQ(0, JSetEnvironment("Nowhere"));
    EXPECT_TRUE(m_frame.sent.empty());

    ASSERT_EQ(1, JSetEnvironment("Survey"));
    EXPECT_EQ((std::vector<std::string>{"JUNLOADADDINS", "JUNLOADRIBBONBAR", "JUNLOADADDINS", "JLOADADDINS",
                                        "JLOADRIBBONBAR"}),
              Messages());
    EXPECT_EQ((std::vector<std::string>{"dll:" + std::string(kSampleAddInClsid), "name:Survey", "first", "second",
                                        "path:C:\\Host", "name:Survey", "second"}),
              m_host.notifications);
    // The add-in's toolbars went and came back with the new environment's add-in; Survey's menu is shown.
    EXPECT_EQ((std::vector<std::string>{"remove Draw", "remove Modify", "remove View", "remove Settings"}),
              std::vector<std::string>(m_host.toolbars.calls.begin(), m_host.toolbars.calls.begin() + 4));
    FollowToolbars();
    EXPECT_EQ("Survey | &Traverse=501; | add-in installed -1 | Draw Modify Settings View", State());
    ExpectConsistent(JGetStartUpDllDispatch());

    // Back: Drafting's menu was kept as its default menu and comes back from there only
    // when it has a stored user menu; here the frame keeps what it shows.
    ASSERT_EQ(1, JSetEnvironment("Drafting"));
    HMENU hDefault = ReadMenuFromRegistry(1);
    EXPECT_EQ("&File[&Open=57601;];", Describe(hDefault));
    ::DestroyMenu(hDefault);
    EXPECT_STREQ("Drafting", GetJControlInfo()->m_strCustomEnvironment);
}

TEST_F(EnvironmentSwitch, AFailingStepLeavesTheHostWholeInItsEnvironment)
{
    // The menu comes back with its items' state and bitmaps.
    HMENU hFile = ::GetSubMenu(::GetMenu(m_frame.m_hWnd), 0);
    ::CheckMenuItem(hFile, 0xE101, MF_CHECKED);
    const MENUITEMINFOA bitmap{sizeof(MENUITEMINFOA), MIIM_BITMAP, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr, 0, HBMMENU_POPUP_CLOSE};
    ::SetMenuItemInfoA(hFile, 0xE101, FALSE, &bitmap);
    const std::string before = State();
    ControlState().pfnSwitchStepResult = FailAtStep;
    for (int step = 6; step <= 11; ++step) {
        SCOPED_TRACE("step " + std::to_string(step) + " fails");
        g_failAt = step;
        EXPECT_EQ(0, JSetEnvironment("Survey"));
        FollowToolbars();
        EXPECT_EQ(before, State());
        const std::vector<std::string> messages = Messages();
        ASSERT_GE(messages.size(), 2u);
        EXPECT_EQ((std::vector<std::string>{"JLOADADDINS", "JLOADRIBBONBAR"}),
                  std::vector<std::string>(messages.end() - 2, messages.end()));
        ExpectConsistent(JGetStartUpDllDispatch());
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STATE | MIIM_BITMAP;
        ASSERT_TRUE(::GetMenuItemInfoA(::GetSubMenu(::GetMenu(m_frame.m_hWnd), 0), 0xE101, FALSE, &item));
        EXPECT_EQ((UINT)MFS_CHECKED, item.fState & MFS_CHECKED);
        EXPECT_EQ(HBMMENU_POPUP_CLOSE, item.hbmpItem);
    }
    // And the switch still works.
    ControlState().pfnSwitchStepResult = nullptr;
    ASSERT_EQ(1, JSetEnvironment("Survey"));
    FollowToolbars();
    EXPECT_EQ("Survey | &Traverse=501; | add-in installed -1 | Draw Modify Settings View", State());
}

TEST_F(EnvironmentSwitch, SaveAllStoresEveryEnvironmentUnderItsOwnRoot)
{
    JEnvironmentManager* pManager = JGetEnvironmentManager();
    pManager->GetEnvironment(1)->m_nDisplayPrimaryUnits = 64;
    pManager->GetEnvironment(0)->m_nDisplayPrimaryUnits = 62;
    pManager->SaveAll();
    for (const auto& [name, units] : {std::pair<const char*, DWORD>{"Drafting", 62}, {"Survey", 64}}) {
        SCOPED_TRACE(name);
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, m_key.path() + "\\" + name + "\\eInformation", 0,
                                                 KEY_READ, &hKey));
        DWORD value = 0;
        EXPECT_TRUE(ReadRegNumber(hKey, "DisplayPrimaryUnits", &value));
        EXPECT_EQ(units, value);
        ::RegCloseKey(hKey);
        EXPECT_TRUE(testing_support::KeyExists(HKEY_CURRENT_USER, m_key.path() + "\\" + name + "\\Toolbars"));
    }
    EXPECT_EQ(JGetEnvironmentManager()->CurrentControlInfo(), GetJControlInfo());

    // The current environment's stored data stay; another's go.
    JDeleteEnvironmentFromRegistry(&m_frame, nullptr, "Drafting");
    EXPECT_TRUE(testing_support::KeyExists(HKEY_CURRENT_USER, m_key.path() + "\\Drafting"));
    JDeleteEnvironmentFromRegistry(&m_frame, nullptr, "Survey");
    EXPECT_FALSE(testing_support::KeyExists(HKEY_CURRENT_USER, m_key.path() + "\\Survey"));
    EXPECT_STREQ("Drafting", GetJControlInfo()->m_strCustomEnvironment);

    // One stored but never read: the record made to find it goes again, so no save brings it back.
    const long count = pManager->GetCount();
    ::RegCloseKey(testing_support::CreateKey(m_key.path() + "\\Elsewhere\\Toolbars"));
    JDeleteEnvironmentFromRegistry(&m_frame, m_key.path(), "Elsewhere");
    EXPECT_EQ(count, pManager->GetCount());
    pManager->SaveAll();
    EXPECT_FALSE(testing_support::KeyExists(HKEY_CURRENT_USER, m_key.path() + "\\Elsewhere"));
    EXPECT_FALSE(testing_support::KeyExists(HKEY_CURRENT_USER, m_key.path() + "\\Survey"));
    EXPECT_STREQ("Drafting", GetJControlInfo()->m_strCustomEnvironment);
}

}   // namespace
