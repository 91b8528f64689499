// Stored toolbar settings kept under tests/data/settings, damaged ones among
// them: each loads without reading past a buffer, and what loads saves and
// loads again unchanged.
#include "jcontrolinfo.h"
#include "regfile.h"
#include "storedvalues.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <string>

namespace {

void Load(const CString& keyPath, JControlOnlyInfo& info)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath + "\\Toolbars", 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    info.ReadToolbarSettingsFromRegistry(hKey);
    ::RegCloseKey(hKey);
}

// Loads a file of the corpus into info through a key of its own.
void LoadFile(const char* name, JControlOnlyInfo& info)
{
    testing_support::ScopedTestKey key;
    std::string error;
    ASSERT_TRUE(
        testing_support::ImportRegFile(testing_support::TestDataFolder() + "settings\\" + name, key.path(), error))
        << error;
    Load(key.path(), info);
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
        HKEY hKey = testing_support::CreateKey(copy.path() + "\\Toolbars");
        ASSERT_NE(nullptr, hKey);
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
    JControlOnlyInfo info;
    LoadFile("wrong_types.reg", info);
    EXPECT_TRUE(info.m_bColorButtons);
    EXPECT_EQ(0, info.m_nLargeButtons);
    EXPECT_TRUE(info.m_bToolTips);
    EXPECT_EQ(0, info.m_nGripperBar);
    EXPECT_EQ(0, info.m_nFlatButtons);
    EXPECT_EQ(RGB(255, 0, 255), info.m_crTransparent);
    EXPECT_TRUE(info.m_strAppPath.IsEmpty());
    EXPECT_TRUE(info.m_strStartUpDllClsid.IsEmpty());

    JControlOnlyInfo longTexts;
    LoadFile("long_texts.reg", longTexts);
    EXPECT_TRUE(longTexts.m_strAppPath.IsEmpty());   // too long to be read: not half of it
    EXPECT_EQ(1, longTexts.m_nLargeButtons);

    JControlOnlyInfo unterminated;
    LoadFile("unterminated_texts.reg", unterminated);
    EXPECT_STREQ("C:\\Draft", unterminated.m_strAppPath);
    EXPECT_STREQ("{A}", unterminated.m_strStartUpDllClsid);
}

}   // namespace
