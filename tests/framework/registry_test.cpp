// Registry keys created through the utility library, and error reporting.
#include "baseutil.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using testing_support::KeyExists;
using testing_support::ScopedTestKey;

namespace {

TEST(Registry, CreateWriteReopenRead)
{
    CString keyPath;
    {
        ScopedTestKey root;
        keyPath = root.path();
        const CString path = root.path() + "\\Environments\\Default\\Toolbars";

        HKEY key = nullptr;
        DWORD disposition = 0;
        ASSERT_EQ(ERROR_SUCCESS, JRegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                 KEY_ALL_ACCESS, nullptr, &key, &disposition));
        EXPECT_EQ((DWORD)REG_CREATED_NEW_KEY, disposition);
        const DWORD count = 3;
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "ToolbarCount", 0, REG_DWORD, (const BYTE*)&count, sizeof count));
        const char name[] = "Standard";
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Name", 0, REG_SZ, (const BYTE*)name, sizeof name));
        RegCloseKey(key);

        // Opening it again reports an existing key.
        ASSERT_EQ(ERROR_SUCCESS,
                  JRegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition));
        EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disposition);
        RegCloseKey(key);

        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key));
        DWORD value = 0, type = 0, size = sizeof value;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "ToolbarCount", nullptr, &type, (BYTE*)&value, &size));
        EXPECT_EQ((DWORD)REG_DWORD, type);
        EXPECT_EQ(3u, value);
        char text[32] = "";
        size = sizeof text;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Name", nullptr, &type, (BYTE*)text, &size));
        EXPECT_EQ((DWORD)REG_SZ, type);
        EXPECT_EQ(sizeof name, size);   // the terminating NUL is stored
        EXPECT_STREQ("Standard", text);
        RegCloseKey(key);
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, keyPath));
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, keyPath));
}

TEST(Registry, BadArgumentsFailWithoutAKey)
{
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              JRegCreateKeyEx(HKEY_CURRENT_USER, nullptr, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(nullptr, key);
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              JRegCreateKeyEx(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr, nullptr));
    key = reinterpret_cast<HKEY>(1);
    EXPECT_NE(ERROR_SUCCESS, JRegCreateKeyEx(reinterpret_cast<HKEY>(0x1234), "Software\\X", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(nullptr, key);
}

TEST(ErrorReporting, FailuresGoToTheDebuggerWithSourceAndLine)
{
    testing_support::DebugOutputCapture capture;
    EXPECT_EQ(E_FAIL, HRerr(E_FAIL, "CUSTOM\\global.cpp", 217));
    EXPECT_EQ(S_OK, HRerr(S_OK, "quiet.cpp", 1));
    const std::string text = capture.Text();
    EXPECT_NE(std::string::npos, text.find("CUSTOM\\global.cpp(217)")) << text;
    EXPECT_NE(std::string::npos, text.find("0x80004005")) << text;
    EXPECT_EQ(std::string::npos, text.find("quiet.cpp")) << text;
}

}   // namespace
