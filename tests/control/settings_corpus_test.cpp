// Stored toolbar settings kept under tests/data/settings, damaged ones among
// them: each loads without reading past a buffer, and what loads saves and
// loads again unchanged.
#include "jcontrolinfo.h"
#include "regfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Loaded {
    JControlOnlyInfo info;
    bool opened = false;
};

void Load(const CString& keyPath, JControlOnlyInfo& info)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath + "\\Toolbars", 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    info.ReadToolbarSettingsFromRegistry(hKey);
    ::RegCloseKey(hKey);
}

TEST(SettingsCorpus, EveryStoredStateLoadsAndSavesStably)
{
    const std::vector<CString> files = testing_support::RegFilesIn("settings");
    ASSERT_GE(files.size(), 5u) << "the corpus is missing: " << (LPCSTR)testing_support::TestDataFolder();
    for (const CString& file : files) {
        SCOPED_TRACE((LPCSTR)file);
        testing_support::ScopedTestKey key;
        std::string error;
        ASSERT_TRUE(testing_support::ImportRegFile(file, key.path(), error)) << error;
        JControlOnlyInfo first;
        Load(key.path(), first);
        EXPECT_TRUE(first.m_bSettingsLoaded);
        EXPECT_LT(first.m_strAppPath.GetLength(), MAX_PATH);
        EXPECT_LT(first.m_strStartUpDllClsid.GetLength(), MAX_PATH);

        // Saved and loaded again, every setting stays as it was.
        testing_support::ScopedTestKey copy;
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, copy.path() + "\\Toolbars", 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
        first.WriteToolbarSettingsToRegistry(hKey);
        ::RegCloseKey(hKey);
        JControlOnlyInfo second;
        Load(copy.path(), second);
        EXPECT_EQ(first.m_nLargeButtons, second.m_nLargeButtons);
        EXPECT_EQ(first.m_nFlatButtons, second.m_nFlatButtons);
        EXPECT_EQ(first.m_nGripperBar, second.m_nGripperBar);
        EXPECT_EQ(first.m_bColorButtons, second.m_bColorButtons);
        EXPECT_EQ(first.m_bToolTips, second.m_bToolTips);
        EXPECT_EQ(first.m_crTransparent, second.m_crTransparent);
        EXPECT_EQ(first.m_bShowCustomizeOnToolbarMenu, second.m_bShowCustomizeOnToolbarMenu);
        EXPECT_STREQ(first.m_strAppPath, second.m_strAppPath);
        EXPECT_STREQ(first.m_strStartUpDllClsid, second.m_strStartUpDllClsid);
    }
}

TEST(SettingsCorpus, DamagedValuesTakeTheirDefaults)
{
    testing_support::ScopedTestKey key;
    std::string error;
    ASSERT_TRUE(testing_support::ImportRegFile(testing_support::TestDataFolder() + "settings\\wrong_types.reg",
                                               key.path(), error))
        << error;
    JControlOnlyInfo info;
    Load(key.path(), info);
    EXPECT_TRUE(info.m_bColorButtons);
    EXPECT_EQ(0, info.m_nLargeButtons);
    EXPECT_TRUE(info.m_bToolTips);
    EXPECT_EQ(0, info.m_nGripperBar);
    EXPECT_EQ(0, info.m_nFlatButtons);
    EXPECT_EQ(RGB(255, 0, 255), info.m_crTransparent);
    EXPECT_TRUE(info.m_strAppPath.IsEmpty());
    EXPECT_TRUE(info.m_strStartUpDllClsid.IsEmpty());

    testing_support::ScopedTestKey longKey;
    ASSERT_TRUE(testing_support::ImportRegFile(testing_support::TestDataFolder() + "settings\\long_texts.reg",
                                               longKey.path(), error))
        << error;
    JControlOnlyInfo longTexts;
    Load(longKey.path(), longTexts);
    EXPECT_TRUE(longTexts.m_strAppPath.IsEmpty());   // too long to be read: not half of it
    EXPECT_EQ(1, longTexts.m_nLargeButtons);

    testing_support::ScopedTestKey unterminatedKey;
    ASSERT_TRUE(testing_support::ImportRegFile(testing_support::TestDataFolder() + "settings\\unterminated_texts.reg",
                                               unterminatedKey.path(), error))
        << error;
    JControlOnlyInfo unterminated;
    Load(unterminatedKey.path(), unterminated);
    EXPECT_STREQ("C:\\Draft", unterminated.m_strAppPath);
    EXPECT_STREQ("{A}", unterminated.m_strStartUpDllClsid);
}

}   // namespace
