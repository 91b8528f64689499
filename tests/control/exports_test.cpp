// CONTROL.dll's export table holds what the library marks for export and
// nothing of its internals; the DLL itself loads and unloads cleanly.
#include "peimage.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

CString BesideProgram(LPCSTR lpszFileName)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\') + 1) + lpszFileName;
}

// The names in a DLL's export directory, read from the file mapped as an image
// resource (no code runs). False when the file is no readable 64-bit PE image.
bool ReadExportNames(LPCSTR lpszPath, std::vector<std::string>& names)
{
    names.clear();
    const HMODULE hImage =
        ::LoadLibraryExA(lpszPath, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!hImage)
        return false;
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(hImage) & ~(ULONG_PTR)3);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    bool ok = dos->e_magic == IMAGE_DOS_SIGNATURE && nt->Signature == IMAGE_NT_SIGNATURE &&
              nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    if (ok && nt->OptionalHeader.NumberOfRvaAndSizes > IMAGE_DIRECTORY_ENTRY_EXPORT) {
        const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        if (entry.VirtualAddress && entry.Size) {
            const auto* dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
            const auto* nameRvas = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
            for (DWORD i = 0; i < dir->NumberOfNames; ++i)
                names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
        }
    }
    ::FreeLibrary(hImage);
    return ok;
}

bool AnyContains(const std::vector<std::string>& names, const char* part)
{
    return std::any_of(names.begin(), names.end(),
                       [part](const std::string& name) { return name.find(part) != std::string::npos; });
}

TEST(ControlExports, InternalsAndTheEntryPointStayPrivate)
{
    std::vector<std::string> names;
    ASSERT_TRUE(ReadExportNames(BesideProgram("CONTROL.dll"), names));
    for (const char* internal : {"ControlModule", "ControlResources", "ControlAttachProcess", "ControlDetachProcess",
                                 "IsWindows95Family", "DllMain"})
        EXPECT_FALSE(AnyContains(names, internal)) << internal;
}

TEST(ControlExports, TheLibraryLoadsWithoutMappingItsResourcesAsCode)
{
    const HMODULE hControl = ::LoadLibraryA(BesideProgram("CONTROL.dll"));
    ASSERT_NE(nullptr, hControl) << ::GetLastError();
    EXPECT_EQ(nullptr, ::GetModuleHandleA("cntlrc.drx"));
    EXPECT_TRUE(::FreeLibrary(hControl));
}

TEST(ControlExports, MembersKeepTheirOwnNamesWhateverWindowsHDefines)
{
    std::vector<std::string> names;
    ASSERT_TRUE(ReadExportNames(BesideProgram("CONTROL.dll"), names));
    EXPECT_TRUE(AnyContains(names, "JImageList11ExtractIconEi"));   // the reader finds names at all
    EXPECT_FALSE(AnyContains(names, "ExtractIconA"));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), std::string("RemoveCategory")));   // flat: plain
}

TEST(ControlExports, TheHostEngineIsImportedByOrdinal)
{
    std::vector<testing_support::PeImport> imports;
    ASSERT_TRUE(testing_support::ReadImports(BesideProgram("CONTROL.dll"), imports));
    std::vector<WORD> ordinals;
    for (const auto& import : imports)
        if (lstrcmpiA(import.module.c_str(), "appcore.dll") == 0) {
            EXPECT_TRUE(import.byOrdinal) << import.name;
            ordinals.push_back(import.ordinal);
        }
    for (WORD expected : {WORD(47), WORD(2019), WORD(2020), WORD(2050), WORD(2054)})
        EXPECT_NE(ordinals.end(), std::find(ordinals.begin(), ordinals.end(), expected)) << expected;
}

}   // namespace
