// The environment manager: the default environment, stored environments,
// switching, locks across environments and deletion.
#include "appcore.h"
#include "control_fixture.h"
#include "fake_host.h"
#include "storedvalues.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(JEnvironmentManager& manager)
{
    std::vector<std::string> names;
    for (long i = 0; i < manager.GetCount(); ++i)
        names.push_back(manager.GetEnvironment(i)->m_strCustomEnvironment.GetString());
    return names;
}

using EnvironmentManager = ControlLibrary;

TEST_F(EnvironmentManager, WithNothingStoredTheDefaultEnvironmentIsMade)
{
    JEnvironmentManager manager;
    ASSERT_EQ(1, manager.GetCount());
    EXPECT_EQ(0, manager.GetCurrentIndex());
    EXPECT_STREQ(JEnvironmentManager::kDefaultEnvironment, manager.CurrentControlInfo()->m_strCustomEnvironment);
    EXPECT_TRUE(manager.CurrentControlInfo()->m_bActive);
    EXPECT_EQ(0, manager.FindEnvironmentIndex(""));
    EXPECT_EQ(0, manager.FindEnvironmentIndex(nullptr));
    EXPECT_EQ(-1, manager.FindEnvironmentIndex("Elsewhere"));
}

TEST_F(EnvironmentManager, StoredEnvironmentsAreReadThenTheDefaultOneIsCurrent)
{
    // The second is the default environment stored in another case: the registry
    // holds one key for both, so it is one environment that keeps its stored spelling.
    for (const char* name : {"A", "tessary"}) {
        HKEY hKey = testing_support::CreateKey(m_key.path() + "\\Environments\\" + name + "\\Toolbars");
        testing_support::WriteNumber(hKey, "LargeButtons", name[0] == 't');
        if (name[0] == 'A')   // the second has no start-up DLL of its own
            ::RegSetValueExA(hKey, "StartUpDllClsid", 0, REG_SZ, reinterpret_cast<const BYTE*>("{a}"), 4);
        ::RegCloseKey(hKey);
    }
    // The application object names where the environments lie.
    FakeAppInfo app;
    app.basePath = m_key.path().GetString();
    app.defaultStartUpDll = "";   // as the demo host has
    AppCoreSetApplicationObject(&app);
    {
        JEnvironmentManager manager;
        EXPECT_EQ((std::vector<std::string>{"A", "tessary"}), Names(manager));
        EXPECT_EQ(1, manager.GetCurrentIndex());
        EXPECT_EQ(0, manager.GetEnvironment(0)->m_nLargeButtons);
        EXPECT_EQ(1, manager.GetEnvironment(1)->m_nLargeButtons);
        EXPECT_TRUE(manager.GetEnvironment(1)->m_bSettingsLoaded);
        EXPECT_STREQ("{a}", manager.GetEnvironment(0)->m_strStartUpDllClsid);
        EXPECT_STREQ("", manager.GetEnvironment(1)->m_strStartUpDllClsid);   // not A's
        // Each stored environment's root is its own key.
        GUserText root;
        ASSERT_TRUE(manager.GetEnvironment(1)->MakeRegistryPath(nullptr, "Toolbars", root));
        EXPECT_EQ(std::string(m_key.path() + "\\Environments\\tessary\\Toolbars"), root.GetString());
        // No notifications while the stored environments are read.
        EXPECT_TRUE(app.notifications.empty());
    }
    AppCoreSetApplicationObject(nullptr);
}

TEST_F(EnvironmentManager, AStoredEnvironmentWithTheLongestNameHasItsSettingsRead)
{
    const std::string name(255, 'L');   // a key's longest name: its paths pass MAX_PATH
    HKEY hEnvironments = nullptr, hEnvironment = nullptr, hToolbars = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, m_key.path() + "\\Environments", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &hEnvironments, nullptr);
    ::RegCreateKeyExA(hEnvironments, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hEnvironment, nullptr);
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(hEnvironment, "Toolbars", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hToolbars, nullptr));
    testing_support::WriteNumber(hToolbars, "LargeButtons", 1);
    for (HKEY hKey : {hToolbars, hEnvironment, hEnvironments})
        ::RegCloseKey(hKey);
    JEnvironmentManager manager(m_key.path(), "", nullptr, nullptr);
    const long index = manager.FindEnvironmentIndex(name.c_str());
    ASSERT_GE(index, 0);
    EXPECT_EQ(1, manager.GetEnvironment(index)->m_nLargeButtons);
}

// Stored environments are user data: ten thousand of them, one whose settings are of the
// wrong types and one whose "Toolbars" is a value, are read in bounded time.
TEST_F(EnvironmentManager, DamagedAndCountlessStoredEnvironmentsAreRead)
{
    HKEY hEnvironments = testing_support::CreateKey(m_key.path() + "\\Environments");
    ASSERT_NE(nullptr, hEnvironments);
    const int kCount = 10000;
    for (int i = 0; i < kCount; ++i) {
        HKEY hKey = nullptr;
        ::RegCreateKeyExA(hEnvironments, ("E" + std::to_string(i)).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &hKey, nullptr);
        ::RegCloseKey(hKey);
    }
    HKEY hWrong = testing_support::CreateKey(m_key.path() + "\\Environments\\E1\\Toolbars");
    ::RegSetValueExA(hWrong, "LargeButtons", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    ::RegSetValueExA(hWrong, "StartUpDllClsid", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4);
    ::RegCloseKey(hWrong);
    HKEY hValue = testing_support::CreateKey(m_key.path() + "\\Environments\\E2");
    ::RegSetValueExA(hValue, "Toolbars", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    ::RegCloseKey(hValue);
    ::RegCloseKey(hEnvironments);

    const DWORD start = ::GetTickCount();
    JEnvironmentManager manager(m_key.path(), "", nullptr, nullptr);
    EXPECT_LT(::GetTickCount() - start, 20000u);
    EXPECT_EQ(kCount + 1, manager.GetCount());   // and the default one
    EXPECT_STREQ("E0", manager.CurrentControlInfo()->m_strCustomEnvironment);   // no name: the first
    EXPECT_EQ(0, manager.GetEnvironment(manager.FindEnvironmentIndex("E1"))->m_nLargeButtons);
    EXPECT_STREQ("", manager.GetEnvironment(manager.FindEnvironmentIndex("E1"))->m_strStartUpDllClsid);
}

TEST_F(EnvironmentManager, SwitchingCreatesNotifiesAndIgnoresRepeats)
{
    FakeAppInfo app;
    JEnvironmentManager manager(m_key.path(), "Zero", nullptr, nullptr);
    manager.CurrentControlInfo()->m_pAppInfo = &app;
    manager.CreateEnvironment("One", nullptr, nullptr, nullptr);
    EXPECT_EQ(0, manager.GetCurrentIndex());
    manager.SetEnvironment("Two", "K2", "{two}", nullptr);
    EXPECT_EQ((std::vector<std::string>{"Zero", "One", "Two"}), Names(manager));
    EXPECT_EQ(2, manager.GetCurrentIndex());
    EXPECT_EQ(&app, manager.CurrentControlInfo()->m_pAppInfo);   // copied from the environment before
    EXPECT_EQ((std::vector<std::string>{"dll:{two}", "name:Two", "first", "second", "path:" + app.appPath}),
              app.notifications);

    // The current environment's name changes nothing, not even the user key.
    manager.SetEnvironment("Two", "Other", nullptr, nullptr);
    EXPECT_STREQ("K2", manager.CurrentControlInfo()->GetCustomUserKey());
    EXPECT_EQ(1, manager.SetEnvironment(0L));
    EXPECT_EQ(0, manager.GetCurrentIndex());
    EXPECT_TRUE(manager.GetEnvironment(0)->m_bActive);
    EXPECT_FALSE(manager.GetEnvironment(2)->m_bActive);
    EXPECT_EQ(0, manager.SetEnvironment(7L));
    EXPECT_EQ(0, manager.SetEnvironment(-1L));
}

TEST_F(EnvironmentManager, DeletingKeepsTheCurrentEnvironmentCurrent)
{
    JEnvironmentManager manager(m_key.path(), "Zero", nullptr, nullptr);
    manager.CreateEnvironment("One", nullptr, nullptr, nullptr);
    manager.SetEnvironment("Two", nullptr, nullptr, nullptr);
    JControlOnlyInfo* pCurrent = manager.CurrentControlInfo();
    manager.DeleteEnvironment("Two");   // the active one stays
    EXPECT_EQ(3, manager.GetCount());
    manager.DeleteEnvironment(0L);
    EXPECT_EQ(2, manager.GetCount());
    EXPECT_EQ(1, manager.GetCurrentIndex());
    EXPECT_EQ(pCurrent, manager.GetEnvironment(manager.GetCurrentIndex()));
    manager.DeleteEnvironment(5L);
    manager.DeleteEnvironment("Unknown");
    EXPECT_EQ(2, manager.GetCount());
}

TEST_F(EnvironmentManager, LockedSettingsFollowTheCurrentEnvironment)
{
    ASSERT_NE(nullptr, CreateManager());
    JEnvironmentManager* pManager = JGetEnvironmentManager();
    pManager->CreateEnvironment("One", nullptr, nullptr, nullptr);
    pManager->CreateEnvironment("Two", nullptr, nullptr, nullptr);
    SetLargeButtons(1);
    for (long i = 0; i < 3; ++i)
        EXPECT_EQ(1, pManager->GetEnvironment(i)->m_nLargeButtons) << i;
    EXPECT_FALSE(pManager->GetEnvironment(0)->m_bEnvironmentDirty);   // the current one
    EXPECT_TRUE(pManager->GetEnvironment(1)->m_bEnvironmentDirty);
    EXPECT_TRUE(pManager->GetEnvironment(2)->m_bToolbarsDirty);

    // Unlocked, only the current environment changes.
    pManager->SetLockButtonSize(0);
    pManager->SetLockColorBtn(0);
    SetLargeButtons(0);
    SetColorButtons(0);
    EXPECT_EQ(0, pManager->GetEnvironment(0)->m_nLargeButtons);
    EXPECT_EQ(1, pManager->GetEnvironment(1)->m_nLargeButtons);
    EXPECT_TRUE(pManager->GetEnvironment(2)->m_bColorButtons);
    // Still locked: the tooltips.
    SetTransparentColorForToolbars(RGB(0, 255, 0));
    EXPECT_EQ(RGB(0, 255, 0), pManager->GetEnvironment(2)->m_crTransparent);
}

TEST_F(EnvironmentManager, HostObjectsGivenEarlyReachLaterEnvironments)
{
    FakeAppInfo app;
    FakeProvider provider;
    SetWinApp(&app);   // before the manager exists: kept for it
    SetDynamicCommand(&provider);
    SetDraftResourceHandle((HINSTANCE)0x4000);
    JControlOnlyInfo* pInfo = CreateManager();
    ASSERT_NE(nullptr, pInfo);
    EXPECT_EQ(&app, pInfo->m_pAppInfo);
    EXPECT_EQ(&provider, pInfo->m_pDynamicCommand);
    EXPECT_EQ((HINSTANCE)0x4000, pInfo->m_hDraftResource);
    JGetEnvironmentManager()->CreateEnvironment("Later", nullptr, nullptr, nullptr);
    EXPECT_EQ(&app, JGetEnvironmentManager()->GetEnvironment(1)->m_pAppInfo);
}

TEST_F(EnvironmentManager, TheApplicationObjectNamesTheFirstEnvironment)
{
    FakeAppInfo app;
    app.defaultEnvironment = "Sheet Metal";
    AppCoreSetApplicationObject(&app);
    JControlOnlyInfo* pInfo = CreateManager();
    AppCoreSetApplicationObject(nullptr);
    ASSERT_NE(nullptr, pInfo);
    EXPECT_STREQ("Sheet Metal", pInfo->m_strCustomEnvironment);
    EXPECT_EQ(1, app.refs);   // every reference taken was released
}

}   // namespace
