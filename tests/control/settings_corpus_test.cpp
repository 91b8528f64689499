// Stored toolbar settings under tests/data/settings, damaged ones among them: each loads without
// reading past a buffer, and what loads saves and loads again unchanged.
#include "fake_host.h"
#include "jcontrolinfo.h"
#include "regfile.h"
#include "storedvalues.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

// Every setting a save writes, as loaded.
auto Settings(const JControlOnlyInfo& info)
{
    return std::make_tuple(info.m_nLargeButtons, info.m_nFlatButtons, info.m_nGripperBar, info.m_bColorButtons,
                           info.m_bToolTips, info.m_crTransparent, info.m_bShowCustomizeOnToolbarMenu,
                           std::string(info.m_strAppPath.GetString()),
                           std::string(info.m_strStartUpDllClsid.GetString()));
}

void Load(const CString& keyPath, JControlOnlyInfo& info)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath + "\\Toolbars", 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    info.ReadToolbarSettingsFromRegistry(hKey);
    ::RegCloseKey(hKey);
}

// Loads a stored state into info through a key of its own; a bare name is a file of the corpus.
void LoadFile(const CString& file, JControlOnlyInfo& info)
{
    testing_support::ScopedTestKey key;
    std::string error;
    const CString path = file.Find('\\') < 0 ? testing_support::TestDataFolder() + "settings\\" + file : file;
    ASSERT_TRUE(testing_support::ImportRegFile(path, key.path(), error)) << error;
    Load(key.path(), info);
}

TEST(SettingsCorpus, EveryStoredStateLoadsAndSavesStably)
{
    const std::vector<CString> files = testing_support::RegFilesIn("settings");
    ASSERT_GE(files.size(), 5u) << "the corpus is missing: " << (LPCSTR)testing_support::TestDataFolder();
    for (const CString& file : files) {
        SCOPED_TRACE((LPCSTR)file);
        JControlOnlyInfo first;
        LoadFile(file, first);
        EXPECT_TRUE(first.m_bSettingsLoaded);
        EXPECT_LT(first.m_strAppPath.GetLength(), MAX_PATH);
        EXPECT_LT(first.m_strStartUpDllClsid.GetLength(), MAX_PATH);

        // Saved and loaded again, every setting stays as it was.
        testing_support::ScopedTestKey copy;
        HKEY hKey = testing_support::CreateKey(copy.path() + "\\Toolbars");
        ASSERT_NE(nullptr, hKey);
        first.WriteToolbarSettingsToRegistry(hKey);
        ::RegCloseKey(hKey);
        JControlOnlyInfo second;
        Load(copy.path(), second);
        EXPECT_EQ(Settings(first), Settings(second));
    }
}

// Damaged texts take the application's defaults, or none without it.
TEST(SettingsCorpus, DamagedValuesTakeTheirDefaults)
{
    FakeAppInfo app;
    for (FakeAppInfo* pApp : {(FakeAppInfo*)nullptr, &app}) {
        SCOPED_TRACE(pApp ? "with application information" : "without");
        const char* appPath = pApp ? app.appPath.c_str() : "";
        const char* startUpDll = pApp ? app.defaultStartUpDll.c_str() : "";
        JControlOnlyInfo info, longTexts;
        info.m_pAppInfo = longTexts.m_pAppInfo = pApp;
        LoadFile("wrong_types.reg", info);
        EXPECT_TRUE(info.m_bColorButtons);
        EXPECT_EQ(0, info.m_nLargeButtons);
        EXPECT_TRUE(info.m_bToolTips);
        EXPECT_EQ(0, info.m_nGripperBar);
        EXPECT_EQ(0, info.m_nFlatButtons);
        EXPECT_EQ(RGB(255, 0, 255), info.m_crTransparent);
        EXPECT_STREQ(appPath, info.m_strAppPath);
        EXPECT_STREQ(startUpDll, info.m_strStartUpDllClsid);

        LoadFile("long_texts.reg", longTexts);
        EXPECT_STREQ(appPath, longTexts.m_strAppPath);   // too long to be read: not half of it
        EXPECT_STREQ(startUpDll, longTexts.m_strStartUpDllClsid);
        EXPECT_EQ(1, longTexts.m_nLargeButtons);
    }
    JControlOnlyInfo empty, unterminated;
    LoadFile("empty_key.reg", empty);
    EXPECT_EQ(RGB(255, 0, 255), empty.m_crTransparent);
    LoadFile("unterminated_texts.reg", unterminated);
    EXPECT_STREQ("C:\\Draft", unterminated.m_strAppPath);
    EXPECT_STREQ("{A}", unterminated.m_strStartUpDllClsid);
}

}   // namespace
