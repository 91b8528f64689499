// Text values: CString operations and formatting, GUserText, and strings
// loaded from the library's resource module.
#include "baseutil.h"
#include "cntlrc.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <fstream>
#include <iterator>

namespace {

TEST(CStringText, EditingOperations)
{
    CString s("Toolbar");
    s += '1';
    s += "0";
    EXPECT_STREQ("Toolbar10", s);
    EXPECT_STREQ("bar10", s.Mid(4));
    EXPECT_STREQ("", s.Mid(40));
    EXPECT_STREQ("10", s.Right(2));
    EXPECT_STREQ("Toolbar10", s.Right(99));
    EXPECT_EQ(4, s.Find("bar"));
    EXPECT_EQ(-1, s.Find("bar", 5));
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
    EXPECT_TRUE(CString() == "");
    EXPECT_TRUE(CString(nullptr).IsEmpty());
}

TEST(CStringText, FormatGrowsPastAnyFixedBufferAndBuffersAreHandedOut)
{
    CString s;
    s.Format("Toolbar%d", 12);
    EXPECT_STREQ("Toolbar12", s);
    const CString longPart('x', 5000);
    s.Format("[%s|%s]", (LPCSTR)longPart, (LPCSTR)longPart);
    EXPECT_EQ(10003, s.GetLength());
    EXPECT_EQ('|', s[5001]);
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

TEST(GUserTextValue, AssignConcatenateCompareAndConvert)
{
    GUserText root("Software\\Maker");
    GUserText path = root + "\\" + GUserText("Toolbars");
    EXPECT_STREQ("Software\\Maker\\Toolbars", path);
    EXPECT_TRUE(path == "Software\\Maker\\Toolbars");
    EXPECT_EQ(0, GUserText("DEFAULT").CompareNoCase("Default"));
    GUserText name;
    name.Format("Toolbar%d", 3);
    EXPECT_STREQ("Toolbar3", name);
    // Code-page conversions round-trip: "Größe" in Windows-1252.
    GUserText text("Gr\xF6\xDF"
                   "e");
    ASSERT_TRUE(text.ConvertCodePage(1252, CP_UTF8));
    EXPECT_STREQ("Gr\xC3\xB6\xC3\x9F"
                 "e",
                 text);
    EXPECT_EQ(L"Gr\u00F6\u00DFe", text.ToWide(CP_UTF8));
    ASSERT_TRUE(text.ConvertCodePage(CP_UTF8, 1252));
    EXPECT_STREQ("Gr\xF6\xDF"
                 "e",
                 text);
    EXPECT_STREQ("\xE4", GUserText::FromWide(L"\u00E4", 1252));
    EXPECT_TRUE(GUserText::FromWide(nullptr).IsEmpty());
    EXPECT_TRUE(GUserText().ToWide().empty());
}

TEST(ResourceModule, StringsLoadAndFormatByNumber)
{
    const HINSTANCE hResources = AttachLocaleResDLL(::GetModuleHandleA(nullptr), "cntlrc.drx",
                                                    LOCALE_RES_BESIDE_CALLER | LOCALE_RES_BESIDE_EXECUTABLE, 0, TRUE);
    ASSERT_NE(nullptr, hResources) << "cntlrc.drx must lie beside the test program";
    GUserText text, formatted;
    ASSERT_TRUE(text.LoadString(hResources, IDS_REGKEY_CREATE_FAILED));
    EXPECT_NE(-1, text.Text().Find("registry key"));
    ASSERT_TRUE(formatted.FormatResource(hResources, IDS_REGKEY_CREATE_FAILED));
    EXPECT_EQ(text, formatted);
    EXPECT_FALSE(formatted.FormatResource(hResources, 60000, 1));
    EXPECT_FALSE(text.LoadString(hResources, 60000));
    EXPECT_TRUE(text.IsEmpty());
    // With arguments; a long one is not cut.
    ASSERT_TRUE(text.FormatResource(hResources, IDS_FRAMEWORK_FORMAT_PROBE, "Drafting", 12, 3u, 75.0));
    EXPECT_STREQ("Layout Drafting: 12 toolbars, 3 hidden, 75.00% shown", text);
    const std::string longName(3000, 'x');
    ASSERT_TRUE(text.FormatResource(hResources, IDS_FRAMEWORK_FORMAT_PROBE, longName.c_str(), -1, 0u, 0.5));
    EXPECT_EQ("Layout " + longName + ": -1 toolbars, 0 hidden, 0.50% shown", std::string(text.GetString()));
    ::FreeLibrary(hResources);
}

TEST(LocaleResources, MissingModulesGiveNull)
{
    const HMODULE self = ::GetModuleHandleA(nullptr);
    EXPECT_EQ(nullptr, AttachLocaleResDLL(self, "nosuchmodule.drx", LOCALE_RES_BESIDE_CALLER, 0, TRUE));
    EXPECT_EQ(nullptr, AttachLocaleResDLL(self, nullptr, LOCALE_RES_BESIDE_CALLER, 0, TRUE));
    // Without fallback only the language folder is searched, and there is none.
    EXPECT_EQ(nullptr, AttachLocaleResDLL(self, "cntlrc.drx", LOCALE_RES_BESIDE_CALLER, 1033, FALSE));
    // No caller module: nothing beside it to search.
    EXPECT_EQ(nullptr, AttachLocaleResDLL(nullptr, "cntlrc.drx", LOCALE_RES_BESIDE_CALLER, 0, TRUE));
}

// Fonts for a language take the character set of its ANSI code page.
TEST(LocaleResources, FontCharSetFollowsTheLanguagesCodePage)
{
    const std::pair<LANGID, BYTE> table[] = {
        {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), ANSI_CHARSET},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SHIFTJIS_CHARSET},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), GB2312_CHARSET},
        {MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), RUSSIAN_CHARSET},
        {MAKELANGID(LANG_GREEK, SUBLANG_DEFAULT), GREEK_CHARSET},
        {0xFFFF, ANSI_CHARSET},
    };
    for (const auto& [language, charSet] : table)
        EXPECT_EQ(charSet, LangIDToFontCharSet(language)) << std::hex << language;
}

// Copies of the resource module in folders of their own, each told apart by
// the first letter of its string, and a caller module outside the program's folder.
class LocaleFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_root.Format("%scontrol-locale-%lu\\", temp, ::GetCurrentProcessId());
        ::CreateDirectoryA(m_root, nullptr);
        ::CreateDirectoryA(m_root + "caller", nullptr);
        ::CreateDirectoryA(m_root + "caller\\1031", nullptr);
        char exe[MAX_PATH];
        ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
        m_original = exe;
        m_original = m_original.Left(m_original.ReverseFind('\\') + 1) + "cntlrc.drx";
        ASSERT_TRUE(Place("caller\\caller.dll", 'Y'));
        m_hCaller = ::LoadLibraryA(m_root + "caller\\caller.dll");
        ASSERT_NE(nullptr, m_hCaller);
    }
    void TearDown() override
    {
        if (m_hCaller)
            ::FreeLibrary(m_hCaller);
        for (LPCSTR file : {"caller\\1031\\cntlrc.drx", "caller\\cntlrc.drx", "caller\\caller.dll"})
            ::DeleteFileA(m_root + file);
        ::RemoveDirectoryA(m_root + "caller\\1031");
        ::RemoveDirectoryA(m_root + "caller");
        ::RemoveDirectoryA(m_root);
    }

    // Copies the module with its string's first letter replaced by `mark`.
    bool Place(LPCSTR relative, char mark)
    {
        std::ifstream in(m_original.GetString(), std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const size_t at = bytes.find(std::string("Y\0o\0u\0r\0", 8));
        if (at == std::string::npos)
            return false;
        bytes[at] = mark;
        std::ofstream out((m_root + relative).GetString(), std::ios::binary);
        return bool(out.write(bytes.data(), (std::streamsize)bytes.size()));
    }
    // The first letter of the string in the module found, or 0 when none was.
    char Found(UINT where, LANGID language, BOOL fallback)
    {
        HINSTANCE h = AttachLocaleResDLL(m_hCaller, "cntlrc.drx", where, language, fallback);
        if (!h)
            return 0;
        GUserText text;
        text.LoadString(h, IDS_REGKEY_CREATE_FAILED);
        ::FreeLibrary(h);
        return text.IsEmpty() ? '?' : text.GetString()[0];
    }

    CString m_root, m_original;
    HMODULE m_hCaller = nullptr;
};

TEST_F(LocaleFolders, LanguageSubfolderWinsOverPlainFolders)
{
    const UINT both = LOCALE_RES_BESIDE_CALLER | LOCALE_RES_BESIDE_EXECUTABLE;
    // Only the program's folder has the module.
    EXPECT_EQ('Y', Found(both, 1031, TRUE));
    EXPECT_EQ(0, Found(LOCALE_RES_BESIDE_CALLER, 1031, TRUE));
    // Beside the caller: found before the program's.
    ASSERT_TRUE(Place("caller\\cntlrc.drx", 'P'));
    EXPECT_EQ('P', Found(both, 1031, TRUE));
    EXPECT_EQ('Y', Found(LOCALE_RES_BESIDE_EXECUTABLE, 1031, TRUE));
    // In the caller's language subfolder: found before every plain folder.
    ASSERT_TRUE(Place("caller\\1031\\cntlrc.drx", 'L'));
    EXPECT_EQ('L', Found(both, 1031, TRUE));
    EXPECT_EQ('L', Found(both, 1031, FALSE));
    EXPECT_EQ('P', Found(both, 1036, TRUE));   // another language falls back
    EXPECT_EQ(0, Found(both, 1036, FALSE));
}

}   // namespace
