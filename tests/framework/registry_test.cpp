// Registry keys created through the utility library, and error reporting.
#include "baseutil.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using testing_support::KeyExists;
using testing_support::ScopedTestKey;

namespace {

TEST(Registry, NestedKeysAreCreatedThenOpenedAndGoWithTheTestKey)
{
    CString keyPath;
    {
        ScopedTestKey root;
        keyPath = root.path();
        const CString path = root.path() + "\\Environments\\Default\\Toolbars";
        for (DWORD expected : {(DWORD)REG_CREATED_NEW_KEY, (DWORD)REG_OPENED_EXISTING_KEY}) {
            HKEY key = nullptr;
            DWORD disposition = 0;
            ASSERT_EQ(ERROR_SUCCESS, JRegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                     KEY_ALL_ACCESS, nullptr, &key, &disposition));
            EXPECT_EQ(expected, disposition);
            const DWORD count = 3;   // the key is writable
            EXPECT_EQ(ERROR_SUCCESS,
                      RegSetValueExA(key, "ToolbarCount", 0, REG_DWORD, (const BYTE*)&count, sizeof count));
            RegCloseKey(key);
        }
        DWORD value = 0, size = sizeof value;
        EXPECT_EQ(ERROR_SUCCESS,
                  RegGetValueA(HKEY_CURRENT_USER, path, "ToolbarCount", RRF_RT_REG_DWORD, nullptr, &value, &size));
        EXPECT_EQ(3u, value);
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
