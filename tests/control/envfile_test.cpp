// An environment exported to a ".reg" file and imported back: the tree comes
// back value by value and exports to the same bytes; a damaged or foreign file
// (tests/data/envfiles, and files made here) changes nothing and says why.
#include "control_fixture.h"
#include "jenvmanager.h"
#include "layout_support.h"

#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

using layout_test::Snapshot;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

class EnvironmentFile : public ControlLibrary {
protected:
    void SetUp() override
    {
        ControlLibrary::SetUp();
        ASSERT_NE(nullptr, CreateManager());
        JEnvironmentManager* pManager = JGetEnvironmentManager();
        pManager->SetEnvironment("Drafting", m_key.path(), nullptr, nullptr);
        ASSERT_EQ(1, JCreateEnvironment(m_key.path(), "Survey", nullptr, nullptr));
        m_root = std::string(m_key.path()) + "\\Drafting";
        m_other = std::string(m_key.path()) + "\\Survey";
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_file = std::string(temp) + "control-env-" + std::to_string(::GetCurrentProcessId());

        // A stored environment with values of every kind and texts that need escaping.
        const BYTE bytes[40] = {1, 2, 3};
        const char multi[] = "a\0b\0";
        const char unended[] = {'n', 'o', ' ', 'e', 'n', 'd'};
        Set("", "", REG_SZ, "Drafting\\\"quoted\"\nnext", 23);
        Set("", "Unended", REG_SZ, unended, sizeof unended);
        Set("", "Name \"with\" \\", REG_DWORD, "\x07\0\0\0", 4);
        Set("Toolbars", "ToolbarCount", REG_DWORD, "\x01\0\0\0", 4);
        Set("Toolbars", "LargeButtons", REG_DWORD, "\x01\0\0\0", 4);
        Set("Toolbars\\Toolbar0", "Buttons", REG_BINARY, bytes, sizeof bytes);
        Set("Toolbars\\Toolbar0", "Empty", REG_BINARY, "", 0);
        Set("Menu\\&File", "Name0", REG_MULTI_SZ, multi, sizeof multi);
        Set("eInformation", "Path", REG_EXPAND_SZ, "%TEMP%", 7);
    }
    void TearDown() override
    {
        ::DeleteFileA(m_file.c_str());
        ControlLibrary::TearDown();
    }

    void Set(const std::string& key, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY hKey = nullptr;
        const std::string path = key.empty() ? m_root : m_root + "\\" + key;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                   nullptr, &hKey, nullptr));
        ::RegSetValueExA(hKey, name, 0, type, (const BYTE*)data, size);
        ::RegCloseKey(hKey);
    }

    int Import(const std::string& text, std::string* pMessage = nullptr)
    {
        std::ofstream(m_file, std::ios::binary) << text;
        char message[512] = "";
        const int result = JImportEnvironment(nullptr, m_file.c_str(), message, sizeof message);
        if (pMessage)
            *pMessage = message;
        return result;
    }

    std::string m_root, m_other, m_file;
};

TEST_F(EnvironmentFile, ExportedTreeImportsBackValueByValueAndExportsToTheSameBytes)
{
    const layout_test::Tree stored = Snapshot(m_root.c_str());
    ASSERT_EQ(JENVFILE_DONE, JExportEnvironment(nullptr, m_file.c_str(), nullptr, 0));
    const std::string exported = ReadFile(m_file);
    EXPECT_NE(std::string::npos, exported.find("@=\"Drafting\\\\\\\"quoted\\\"\\nnext\"\n"));   // texts stay readable

    // Changed since: a value, a key added, a key gone. The import puts the exported tree back.
    Set("", "Added", REG_DWORD, "\x02\0\0\0", 4);
    Set("Extra", "X", REG_DWORD, "\x02\0\0\0", 4);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (m_root + "\\Toolbars").c_str());
    EXPECT_EQ(JENVFILE_DONE, Import(exported));
    EXPECT_EQ(stored, Snapshot(m_root.c_str()));
    EXPECT_EQ(1, JEnvironmentManager::Current()->m_nLargeButtons) << "the current environment's settings follow it";
    EXPECT_TRUE(Snapshot((m_root + ".import").c_str()).empty());

    ASSERT_EQ(JENVFILE_DONE, JExportEnvironment("Drafting", m_file.c_str(), nullptr, 0));
    EXPECT_EQ(exported, ReadFile(m_file));
    // Another environment by name; one with nothing stored has nothing to export.
    EXPECT_EQ(JENVFILE_NOT_WRITTEN, JExportEnvironment("Survey", m_file.c_str(), nullptr, 0));
}

// A file as the registry editor writes it: version 5, in UTF-16 or not, lines
// ending in CR LF, byte lists over lines, key names in another case.
TEST_F(EnvironmentFile, FilesOfTheRegistryEditorImport)
{
    std::string text = ReadFile(std::string(testing_support::TestDataFolder()) + "envfiles\\editor_made.reg");
    Replace(text, "$ROOT", m_root);
    for (bool utf16 : {false, true}) {
        std::string file = text;
        if (utf16) {
            file = "\xFF\xFE";
            for (char c : text)
                file += std::string{c, '\0'};
        }
        ASSERT_EQ(JENVFILE_DONE, Import(file)) << utf16;
        const layout_test::Tree tree = Snapshot(m_root.c_str());
        ASSERT_EQ(2u, tree.size());   // what was stored before is gone
        EXPECT_EQ(std::vector<BYTE>({'D', 'r', 'a', 'f', 't', 'i', 'n', 'g', 0}), tree.at("").at("").second);
        EXPECT_EQ(26u, tree.at("").at("Big").second.size());
        EXPECT_EQ(25, tree.at("").at("Big").second[25]);
        EXPECT_EQ(std::string("say \"hi\"\\n") + '\0', std::string((const char*)tree.at("\\Toolbars").at("Tip").second.data(), 11));
    }
}

TEST_F(EnvironmentFile, DamagedOrForeignFilesChangeNothingAndSayWhy)
{
    const struct {
        const char* file;
        int result;
    } cases[] = {
        {"bad_bytes.reg", JENVFILE_DAMAGED},
        {"beside_the_tree.reg", JENVFILE_FOREIGN},
        {"cut_at_a_line_end.reg", JENVFILE_DAMAGED},
        {"cut_in_a_line.reg", JENVFILE_DAMAGED},
        {"deletes_a_value.reg", JENVFILE_DAMAGED},
        {"deletes_the_tree.reg", JENVFILE_DAMAGED},
        {"dword_too_long.reg", JENVFILE_DAMAGED},
        {"empty_key_name.reg", JENVFILE_DAMAGED},
        {"goes_on_after_its_end.reg", JENVFILE_DAMAGED},
        {"no_header.reg", JENVFILE_NOT_REGISTRY_FILE},
        {"no_keys.reg", JENVFILE_DAMAGED},
        {"other_environment.reg", JENVFILE_FOREIGN},
        {"other_root.reg", JENVFILE_FOREIGN},
        {"text_not_closed.reg", JENVFILE_DAMAGED},
        {"value_before_key.reg", JENVFILE_DAMAGED},
    };
    const layout_test::Tree stored = Snapshot(m_root.c_str());
    for (const auto& c : cases) {
        std::string text = ReadFile(std::string(testing_support::TestDataFolder()) + "envfiles\\" + c.file);
        ASSERT_FALSE(text.empty()) << c.file;
        Replace(text, "$ROOT", m_root);
        Replace(text, "$OTHER", m_other);
        std::string message;
        EXPECT_EQ(c.result, Import(text, &message)) << c.file;
        EXPECT_FALSE(message.empty()) << c.file;
        EXPECT_EQ(stored, Snapshot(m_root.c_str())) << c.file;
    }

    // Binary junk, a file larger than any environment's, and a whole file with a
    // value the registry refuses (its name too long) half way: nothing changes.
    EXPECT_EQ(JENVFILE_NOT_REGISTRY_FILE, Import(std::string("REGEDIT4\n\0\x89PNG\r\n", 12)));
    EXPECT_EQ(JENVFILE_TOO_LARGE, Import("REGEDIT4\n" + std::string(9u << 20, ';')));
    ASSERT_EQ(JENVFILE_DONE, JExportEnvironment(nullptr, m_file.c_str(), nullptr, 0));
    std::string whole = ReadFile(m_file);
    whole.insert(whole.find('\n', whole.find("Toolbar0]")) + 1, "\"" + std::string(20000, 'n') + "\"=dword:1\n");
    std::string message;
    EXPECT_EQ(JENVFILE_NOT_WRITTEN, Import(whole, &message)) << message;
    EXPECT_EQ(JENVFILE_NO_FILE, JImportEnvironment(nullptr, (m_file + ".none").c_str(), nullptr, 0));
    EXPECT_EQ(stored, Snapshot(m_root.c_str()));
    EXPECT_TRUE(Snapshot((m_root + ".import").c_str()).empty());
}

}   // namespace
