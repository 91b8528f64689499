// Text values: CString operations and formatting, GUserText, and strings
// loaded from the library's resource module.
#include "baseutil.h"
#include "cntlrc.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

TEST(CStringText, EditingOperations)
{
    CString s("Toolbar");
    s += '1';
    s += "0";
    EXPECT_STREQ("Toolbar10", s);
    EXPECT_EQ(9, s.GetLength());
    EXPECT_STREQ("bar", s.Mid(4, 3));
    EXPECT_STREQ("bar10", s.Mid(4));
    EXPECT_STREQ("", s.Mid(40));
    EXPECT_STREQ("Tool", s.Left(4));
    EXPECT_STREQ("10", s.Right(2));
    EXPECT_STREQ("Toolbar10", s.Right(99));
    EXPECT_EQ(4, s.Find("bar"));
    EXPECT_EQ(-1, s.Find("bar", 5));
    EXPECT_EQ(-1, s.Find('x'));
    EXPECT_EQ(-1, s.Find('T', 100));

    CString path("a\\b\\c");
    EXPECT_EQ(3, path.ReverseFind('\\'));
    EXPECT_EQ(2, path.Replace("\\", "\\\\"));
    EXPECT_STREQ("a\\\\b\\\\c", path);
    EXPECT_EQ(0, path.Replace("", "x"));

    CString padded("  Mixed Case \t");
    padded.Trim();
    padded.MakeUpper();
    EXPECT_STREQ("MIXED CASE", padded);
    EXPECT_EQ(0, padded.CompareNoCase("mixed case"));
    EXPECT_LT(CString("abc"), CString("abd"));
    EXPECT_TRUE(CString() == "");
    EXPECT_TRUE(CString(nullptr).IsEmpty());
}

TEST(CStringText, FormatGrowsPastAnyFixedBuffer)
{
    CString s;
    s.Format("Toolbar%d", 12);
    EXPECT_STREQ("Toolbar12", s);

    const CString longPart('x', 5000);
    s.Format("[%s|%s]", (LPCSTR)longPart, (LPCSTR)longPart);
    EXPECT_EQ(10003, s.GetLength());
    EXPECT_EQ('|', s[5001]);
}

TEST(CStringText, BufferAccess)
{
    CString s;
    char* p = s.GetBuffer(10);
    strcpy(p, "abc");
    s.ReleaseBuffer();
    EXPECT_STREQ("abc", s);
    EXPECT_EQ(3, s.GetLength());

    p = s.GetBufferSetLength(2);
    EXPECT_EQ('a', p[0]);
    s.ReleaseBuffer(2);
    EXPECT_STREQ("ab", s);
}

TEST(GUserTextValue, AssignConcatenateCompare)
{
    GUserText root("Software\\Maker");
    GUserText path = root + "\\" + GUserText("Toolbars");
    EXPECT_STREQ("Software\\Maker\\Toolbars", path);
    EXPECT_TRUE(path == "Software\\Maker\\Toolbars");
    EXPECT_TRUE(path != root);
    EXPECT_EQ(0, GUserText("DEFAULT").CompareNoCase("Default"));
    EXPECT_TRUE(GUserText("A") < GUserText("B"));

    GUserText name;
    name.Format("Toolbar%d", 3);
    EXPECT_STREQ("Toolbar3", name);
    name.Empty();
    EXPECT_TRUE(name.IsEmpty());
}

TEST(GUserTextValue, CodePageConversionRoundTrips)
{
    // "Größe" in Windows-1252.
    GUserText text("Gr\xF6\xDF" "e");
    ASSERT_TRUE(text.ConvertCodePage(1252, CP_UTF8));
    EXPECT_STREQ("Gr\xC3\xB6\xC3\x9F" "e", text);
    EXPECT_EQ(L"Gr\u00F6\u00DFe", text.ToWide(CP_UTF8));
    ASSERT_TRUE(text.ConvertCodePage(CP_UTF8, 1252));
    EXPECT_STREQ("Gr\xF6\xDF" "e", text);

    EXPECT_STREQ("\xE4", GUserText::FromWide(L"\u00E4", 1252));
    EXPECT_TRUE(GUserText::FromWide(nullptr).IsEmpty());
    EXPECT_TRUE(GUserText().ToWide().empty());
}

class ResourceModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hResources = AttachLocaleResDLL("cntlrc.drx", LOCALE_RES_BESIDE_CALLER | LOCALE_RES_BESIDE_EXECUTABLE, 0, TRUE);
        ASSERT_NE(nullptr, m_hResources) << "cntlrc.drx must lie beside the test program";
    }
    void TearDown() override
    {
        if (m_hResources)
            FreeLibrary(m_hResources);
    }
    HINSTANCE m_hResources = nullptr;
};

TEST_F(ResourceModule, StringsLoadByNumber)
{
    GUserText text;
    ASSERT_TRUE(text.LoadString(m_hResources, IDS_REGKEY_CREATE_FAILED));
    EXPECT_NE(-1, text.Text().Find("registry key"));

    EXPECT_FALSE(text.LoadString(m_hResources, 60000));
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(ResourceModule, FormatsFromAResourceString)
{
    GUserText expected;
    ASSERT_TRUE(expected.LoadString(m_hResources, IDS_REGKEY_CREATE_FAILED));
    GUserText formatted;
    ASSERT_TRUE(formatted.FormatResource(m_hResources, IDS_REGKEY_CREATE_FAILED));
    EXPECT_EQ(expected, formatted);
    EXPECT_FALSE(formatted.FormatResource(m_hResources, 60000, 1));
}

TEST_F(ResourceModule, FrameworkResourceHandleSwitchesForAScope)
{
    const HINSTANCE before = AfxGetResourceHandle();
    CString fromApp;
    EXPECT_FALSE(fromApp.LoadString(IDS_REGKEY_CREATE_FAILED));   // the test program has no such string
    {
        CResourceSwitch use(m_hResources);
        EXPECT_EQ(m_hResources, AfxGetResourceHandle());
        CString fromModule;
        EXPECT_TRUE(fromModule.LoadString(IDS_REGKEY_CREATE_FAILED));
    }
    EXPECT_EQ(before, AfxGetResourceHandle());
}

TEST(LocaleResources, MissingModulesGiveNull)
{
    EXPECT_EQ(nullptr, AttachLocaleResDLL("nosuchmodule.drx", LOCALE_RES_BESIDE_CALLER, 0, TRUE));
    EXPECT_EQ(nullptr, AttachLocaleResDLL(nullptr, LOCALE_RES_BESIDE_CALLER, 0, TRUE));
    // Without fallback only the language folder is searched, and there is none.
    EXPECT_EQ(nullptr, AttachLocaleResDLL("cntlrc.drx", LOCALE_RES_BESIDE_CALLER, 1033, FALSE));
}

} // namespace
