// Macro commands made through the macro host and the host's provider, and
// modules loaded by name only from the program's or the system's folder.
#include "control_fixture.h"
#include "exports/themecall.h"
#include "fake_host.h"
#include "safeload.h"

#include "planted.h"

#include <gtest/gtest.h>
#include <fstream>
#include <string>

namespace {

// Moves the program's macro host away for a scope, and back.
struct MacroHostAway {
    const std::string path = testing_support::ProgramFolder() + "\\macrohost.dll";
    const bool moved = ::MoveFileA(path.c_str(), (path + ".away").c_str()) != FALSE;
    ~MacroHostAway()
    {
        if (moved)
            ::MoveFileA((path + ".away").c_str(), path.c_str());
    }
};

class MacroCommands : public ControlLibrary {
protected:
    void SetUp() override
    {
        ControlLibrary::SetUp();
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "control-macros-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        m_macro = m_folder + "\\hatch.jmac";
        std::ofstream(m_macro, std::ios::binary)
            << "Name=Hatch\r\nTip=Hatch area\r\nPrompt=Fills the area with a hatch\r\n";
    }
    void TearDown() override
    {
        ::DeleteFileA(m_macro.c_str());
        ::RemoveDirectoryA(m_folder.c_str());
        ControlLibrary::TearDown();
    }

    std::string m_folder, m_macro;
    FakeProvider m_provider;
};

TEST_F(MacroCommands, ProviderReceivesTheMacroAndGivesTheCommand)
{
    JControlOnlyInfo* pInfo = CreateManager();
    ASSERT_NE(nullptr, pInfo);
    // Without a provider nothing is made.
    HBITMAP hBitmap = (HBITMAP)1;
    EXPECT_EQ(0u, AddMacroCommand(m_macro.c_str(), &hBitmap));
    EXPECT_EQ((HBITMAP)1, hBitmap);

    SetDynamicCommand(&m_provider);
    const UINT id = AddMacroCommand(m_macro.c_str(), &hBitmap);
    EXPECT_EQ(JMACRO_FIRST_ID, id);
    ASSERT_EQ(1u, m_provider.entries.size());
    EXPECT_STREQ("Hatch", m_provider.entries[0].szName);
    EXPECT_EQ("Fills the area with a hatch\nHatch area", m_provider.commandStrings[0]);
    EXPECT_NE(std::string::npos, std::string(m_provider.entries[0].szMacro).find("hatch.jmac"));
    EXPECT_EQ(nullptr, hBitmap);   // this macro has no picture

    m_provider.failWith = 1;
    EXPECT_EQ(0u, AddMacroCommand(m_macro.c_str(), nullptr));
    EXPECT_EQ(0u, AddMacroCommand((m_folder + "\\missing.jmac").c_str(), nullptr));
}

// A planted module with the names the library loads, in the working directory and on PATH.
TEST_F(MacroCommands, ModulesPlantedInTheWorkingDirectoryAreNeverLoaded)
{
    {
        testing_support::PlantedModules plant("control-planted",
                                              {"macrohost.dll", "UxTheme.dll", "imm32.dll", "probe_only_here.dll"});
        ASSERT_TRUE(plant.planted());
        ASSERT_NE(nullptr, CreateManager());
        SetDynamicCommand(&m_provider);
        MacroHostAway away;
        ASSERT_TRUE(away.moved);
        EXPECT_EQ(0u, AddMacroCommand(m_macro.c_str(), nullptr));   // no macro host: nothing made
        EXPECT_TRUE(m_provider.entries.empty());
        JIsThemeActive();
        EXPECT_EQ(nullptr, LoadModuleBesideExecutable("probe_only_here.dll"));
        EXPECT_EQ(nullptr, LoadSystemModule("probe_only_here.dll"));
        EXPECT_EQ(nullptr, LoadModuleBesideExecutable("..\\probe_only_here.dll"));
    }
    EXPECT_FALSE(testing_support::PlantedModules::AnyLoaded()) << "a planted module was loaded";
}

TEST_F(MacroCommands, ThemeWrappersReachTheSystemThemeLibrary)
{
    // Wine's theme library answers; the wrappers pass its answers through.
    HMODULE hTheme = LoadSystemModule("UxTheme.dll");
    ASSERT_NE(nullptr, hTheme);
    using IsAppThemedFn = BOOL(WINAPI*)();
    auto direct = reinterpret_cast<IsAppThemedFn>(reinterpret_cast<void*>(::GetProcAddress(hTheme, "IsAppThemed")));
    ASSERT_NE(nullptr, direct);
    EXPECT_EQ(direct(), JIsAppThemed());
    ::FreeLibrary(hTheme);
    // A function the theme library lacks is a failure, never S_OK.
    EXPECT_TRUE(FAILED(theme_call::Call<HRESULT>("NoSuchThemeFunction", 1)));
    EXPECT_EQ(FALSE, theme_call::Call<BOOL>("NoSuchThemeFunction"));
}

}   // namespace
