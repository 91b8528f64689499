// CONTROL.dll's export table holds what the library marks for export and
// nothing of its internals; the DLL itself loads and unloads cleanly.
#include "peimage.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testing_support::BesideProgram;

bool AnyContains(const std::vector<std::string>& names, const char* part)
{
    return std::any_of(names.begin(), names.end(),
                       [part](const std::string& name) { return name.find(part) != std::string::npos; });
}

// Internals and the entry point stay private; members keep their own names whatever
// windows.h defines (ExtractIcon); flat exports have plain names.
TEST(ControlExports, HoldWhatTheLibraryMarksUnderItsOwnNames)
{
    std::vector<std::string> names;
    ASSERT_TRUE(testing_support::ReadExportNames(BesideProgram("CONTROL.dll"), names));
    for (const char* internal : {"ControlModule", "ControlResources", "ControlAttachProcess", "ControlDetachProcess",
                                 "IsWindows95Family", "DllMain", "ExtractIconA"})
        EXPECT_FALSE(AnyContains(names, internal)) << internal;
    EXPECT_TRUE(AnyContains(names, "JImageList11ExtractIconEi"));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), std::string("RemoveCategory")));
}

TEST(ControlExports, TheLibraryLoadsWithoutMappingItsResourcesAsCode)
{
    const HMODULE hControl = ::LoadLibraryA(BesideProgram("CONTROL.dll"));
    ASSERT_NE(nullptr, hControl) << ::GetLastError();
    EXPECT_EQ(nullptr, ::GetModuleHandleA("cntlrc.drx"));
    EXPECT_TRUE(::FreeLibrary(hControl));
}

TEST(ControlExports, TheHostEngineIsImportedByOrdinal)
{
    std::vector<testing_support::PeImport> imports;
    ASSERT_TRUE(testing_support::ReadImports(BesideProgram("CONTROL.dll"), imports));
    std::vector<WORD> ordinals;
    for (const auto& import : imports)
        if (lstrcmpiA(import.module.c_str(), "appcore.dll") == 0) {
            // Help is the one entry the engine exports to everyone by name.
            EXPECT_TRUE(import.byOrdinal || import.name == "ULocalizedHelp") << import.name;
            ordinals.push_back(import.ordinal);
        }
    for (WORD expected : {WORD(47), WORD(2019), WORD(2020), WORD(2050), WORD(2054)})
        EXPECT_NE(ordinals.end(), std::find(ordinals.begin(), ordinals.end(), expected)) << expected;
}

}   // namespace
