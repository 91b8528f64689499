// The control state: registry roots, settings stored value by value, command
// images and command states.
#include "control_fixture.h"
#include "fake_host.h"
#include "jcontrolinfo.h"
#include "storedvalues.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string PathOf(JControlOnlyInfo& info, const char* environment, const char* subKey)
{
    GUserText out("untouched");
    if (!info.MakeRegistryPath(environment, subKey, out))
        return std::string("(none:") + out.GetString() + ")";
    return out.GetString();
}

TEST(RegistryRoot, ComposedFromUserKeyEnvironmentOrApplication)
{
    JControlOnlyInfo info;
    // Neither a user key nor application information: no root at all.
    EXPECT_EQ("(none:untouched)", PathOf(info, nullptr, "Toolbars"));
    EXPECT_EQ("(none:untouched)", PathOf(info, "E", "Toolbars"));
    EXPECT_TRUE(info.GetRegistryNameWithEnv().IsEmpty());

    info.SetCustomUserKey("U");
    EXPECT_EQ("U\\Toolbars", PathOf(info, nullptr, "Toolbars"));
    EXPECT_EQ("U\\E\\Toolbars", PathOf(info, "E", "Toolbars"));
    EXPECT_EQ("U", PathOf(info, nullptr, nullptr));
    EXPECT_EQ("U", PathOf(info, nullptr, ""));
    info.SetCustomEnvironment("Mine");
    EXPECT_EQ("U\\Mine\\Toolbars", PathOf(info, nullptr, "Toolbars"));
    EXPECT_STREQ("U\\Mine", info.GetRegistryNameWithEnv());

    FakeAppInfo app;
    JControlOnlyInfo hosted;
    hosted.m_pAppInfo = &app;
    EXPECT_EQ(app.registryName + "\\Toolbars", PathOf(hosted, nullptr, "Toolbars"));
    EXPECT_EQ(app.basePath + "\\Environments\\E\\Toolbars", PathOf(hosted, "E", "Toolbars"));
    EXPECT_STREQ(app.registryName.c_str(), hosted.GetRegistryNameWithEnv());
    hosted.SetCustomEnvironment("Mine");
    EXPECT_EQ(app.basePath + "\\Environments\\Mine\\Toolbars", PathOf(hosted, nullptr, "Toolbars"));
}

TEST(RegistryRoot, EnvironmentNamesAreGivenOnce)
{
    FakeAppInfo app;
    JControlOnlyInfo info;
    EXPECT_TRUE(info.GetCustomEnvironment().IsEmpty());
    info.m_pAppInfo = &app;
    EXPECT_STREQ("Drafting", info.GetCustomEnvironment());   // the application's default
    info.SetCustomEnvironment("First");
    info.SetCustomEnvironment("Second");
    EXPECT_STREQ("First", info.GetCustomEnvironment());
    info.InitializeRegistryKeys("Key", "Other", "{dll}");
    EXPECT_STREQ("First", info.m_strCustomEnvironment);
    EXPECT_STREQ("{dll}", info.m_strStartUpDllClsid);
    info.InitializeRegistryKeys("Key2", nullptr, "{other}");   // a class id once set stays
    EXPECT_STREQ("Key2", info.GetCustomUserKey());
    EXPECT_STREQ("{dll}", info.m_strStartUpDllClsid);
    info.SetStartUpDLL("");
    EXPECT_STREQ(app.defaultStartUpDll.c_str(), info.m_strStartUpDllClsid);
}

using testing_support::StoredValue;

StoredValue Read(HKEY hKey, const char* name)
{
    StoredValue value;
    testing_support::ReadStoredValue(hKey, name, value);
    return value;
}

// A number stored as REG_DWORD; 0xFFFFFFFF for anything else.
DWORD Number(const StoredValue& value)
{
    return value.type == REG_DWORD ? value.Number() : 0xFFFFFFFF;
}

// Large buttons, flat buttons and the gripper bar as read.
using Triple = std::tuple<int, int, int>;
Triple SizeSettings(const JControlOnlyInfo& info)
{
    return {info.m_nLargeButtons, info.m_nFlatButtons, info.m_nGripperBar};
}

class SettingsKey : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, m_hKey = testing_support::CreateKey(m_key.path() + "\\Toolbars")); }
    void TearDown() override { ::RegCloseKey(m_hKey); }

    testing_support::ScopedTestKey m_key;
    HKEY m_hKey = nullptr;
};

// Written value by value, then read back by the reader (a shared mistake would pass a reload alone).
TEST_F(SettingsKey, WrittenWithTheirNamesTypesAndBytesAndReadBack)
{
    JControlOnlyInfo info;
    info.m_nFlatButtons = 1;
    info.m_nGripperBar = 1;
    info.m_bColorButtons = FALSE;
    info.m_crTransparent = RGB(1, 2, 3);
    info.m_bToolTips = FALSE;
    info.m_strAppPath = "C:\\Draft";
    info.WriteToolbarSettingsToRegistry(m_hKey);
    // Settings never read are written as 0.
    EXPECT_EQ(0, info.m_nLargeButtons);
    // clang-format off
    const std::pair<const char*, DWORD> numbers[] = {
        {"ColorButtons", 0}, {"LargeButtons", 0}, {"ToolTips", 0}, {"GripperBar", 1}, {"FlatButtons", 1},
        {"TransparentColor", RGB(1, 2, 3)}, {"ShowCustomizeOnToolbarMenu", 1}, {"ShowToolBarMgrOnToolbarMenu", 1}};
    // clang-format on
    for (const auto& [name, number] : numbers)
        EXPECT_EQ(number, Number(Read(m_hKey, name))) << name;
    const StoredValue path = Read(m_hKey, "AppPath");
    EXPECT_EQ((DWORD)REG_SZ, path.type);
    EXPECT_EQ(std::vector<BYTE>({'C', ':', '\\', 'D', 'r', 'a', 'f', 't', 0}), path.data);
    // An empty class id is not written.
    EXPECT_EQ(0u, Read(m_hKey, "StartUpDllClsid").type);

    JControlOnlyInfo read;
    read.ReadToolbarSettingsFromRegistry(m_hKey);
    EXPECT_EQ(Triple(0, 1, 1), SizeSettings(read));
    EXPECT_FALSE(read.m_bColorButtons);
    EXPECT_FALSE(read.m_bToolTips);
    EXPECT_EQ(RGB(1, 2, 3), read.m_crTransparent);
    EXPECT_STREQ("C:\\Draft", read.m_strAppPath);
    EXPECT_TRUE(read.m_bRegistryUsed);
    EXPECT_TRUE(read.m_bSettingsLoaded);
}

TEST(Settings, WithoutAKeyEverythingTakesItsDefault)
{
    JControlOnlyInfo info;
    EXPECT_EQ(-1, info.m_nLargeButtons);
    info.m_bToolTips = FALSE;
    info.m_strStartUpDllClsid = "{x}";
    info.ReadToolbarSettingsFromRegistry(nullptr);
    EXPECT_EQ(Triple(0, 0, 0), SizeSettings(info));
    EXPECT_TRUE(info.m_bToolTips);
    EXPECT_TRUE(info.m_strStartUpDllClsid.IsEmpty());
    EXPECT_EQ(61, info.m_nDisplayPrimaryUnits);
    EXPECT_TRUE(info.m_bSettingsLoaded);
    EXPECT_FALSE(info.m_bRegistryUsed);
}

TEST(CommandImages, LaterCategoriesWinAndStripsFollowTheSettings)
{
    JControlOnlyInfo info;
    const UINT first[] = {10, 0, 11};
    const UINT second[] = {0, 11, 12};
    info.m_categories.AddCategory("First", 101, 102, 103, 104, first, nullptr, 3, (HINSTANCE)0x1000, 0);
    HBITMAP handle = ::CreateBitmap(16, 15, 1, 32, nullptr);
    info.m_categories.AddCategory("Second", handle, nullptr, nullptr, nullptr, second, nullptr, 3, 0);
    EXPECT_STREQ("Second", info.GetCommandCategory(11)->m_strName);
    EXPECT_EQ((HINSTANCE)0x1000, info.GetCategoryInstanceHandle(10));
    EXPECT_EQ(nullptr, info.GetCategoryInstanceHandle(11));
    EXPECT_EQ(nullptr, info.GetCommandCategory(99));

    JBitmapInfo bitmap{77, 77, (HINSTANCE)77};
    EXPECT_EQ(0, info.GetBitmapInfo(99, (LPARAM)&bitmap));
    EXPECT_EQ(77u, bitmap.nBitmap);   // untouched
    // {colour, large, command, strip, module}; the second category has no small colour strip.
    const std::tuple<BOOL, int, UINT, UINT_PTR, HINSTANCE> strips[] = {
        {TRUE, 0, 11, 0, nullptr}, {FALSE, 0, 11, (UINT_PTR)handle, nullptr}, {TRUE, 1, 10, 104, (HINSTANCE)0x1000}};
    for (const auto& [colour, large, id, strip, module] : strips) {
        info.m_bColorButtons = colour;
        info.m_nLargeButtons = large;
        ASSERT_EQ(1, info.GetBitmapInfo(id, (LPARAM)&bitmap));
        EXPECT_EQ(std::make_tuple(strip, module, 0),
                  std::make_tuple((UINT_PTR)bitmap.nBitmap, bitmap.hModule, bitmap.nImageIndex))
            << id;
    }

    int size[2] = {};
    EXPECT_EQ(1, info.GetButtonSize(10, (LPARAM)size));
    EXPECT_EQ(CSize(32, 30), CSize(size[0], size[1]));
    info.m_nLargeButtons = 0;
    info.GetButtonSize(0, (LPARAM)size);
    EXPECT_EQ(CSize(23, 22), CSize(size[0], size[1]));
    EXPECT_EQ(0, info.GetButtonSize(0, 0));
}

TEST(CommandStates, FlagsExcludeOneAnotherOnUpdate)
{
    JControlOnlyInfo info;
    // The result, the value and the flags of command 5.
    auto state = [&] {
        int value = -1;
        DWORD flags = 1234;
        const int result = info.GetCommandState(5, &value, &flags);
        return std::tuple<int, int, DWORD>(result, value, flags);
    };
    using State = std::tuple<int, int, DWORD>;
    EXPECT_EQ(State(-1, 0, 0), state());
    info.SetCommandState(5, 7, 0x33);   // a new record keeps the flags as given
    EXPECT_EQ(State(0, 7, 0x33), state());
    info.SetCommandState(5, 8, 0x33);   // an update: 0x10 clears 0x20 and 0x02
    EXPECT_EQ(State(0, 8, 0x11), state());
    info.SetCommandState(5, 9, 0x20);   // 0x01 goes: only the flags change
    EXPECT_EQ(State(0, 8, 0x20), state());
    info.SetCommandState(6, 1, 0);
    EXPECT_EQ(1, info.GetCommandState(6, nullptr, nullptr));
}

}   // namespace
