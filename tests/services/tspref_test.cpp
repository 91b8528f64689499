// The preference store: values kept in a compound file survive closing it; a store that
// is missing, of the wrong kind or damaged gives the caller's defaults, never a crash.
#include "tspref.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <cstdlib>
#include <string>

namespace {

// A storage in memory holding the stream "TsPreferences" with the given bytes.
IStorage* StorageWithStream(const std::string& bytes)
{
    ILockBytes* pBytes = nullptr;
    IStorage* pStorage = nullptr;
    if (FAILED(::CreateILockBytesOnHGlobal(nullptr, TRUE, &pBytes)))
        return nullptr;
    const HRESULT hr =
        ::StgCreateDocfileOnILockBytes(pBytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &pStorage);
    pBytes->Release();
    if (FAILED(hr))
        return nullptr;
    IStream* pStream = nullptr;
    if (SUCCEEDED(pStorage->CreateStream(L"TsPreferences", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                         &pStream))) {
        pStream->Write(bytes.data(), (ULONG)bytes.size(), nullptr);
        pStream->Release();
    }
    return pStorage;
}

}   // namespace

TEST(TsPref, ValuesSurviveTheFile)
{
    const std::wstring path = std::filesystem::path(testing_support::ProgramFolder()).wstring() + L"\\tspref_test.doc";
    std::filesystem::remove(path);
    const char text[] = "Red\tand\nblue, 100%";
    {
        IStorage* pStorage = nullptr;
        ASSERT_EQ(S_OK, TsPrefOpenFileStorage(path.c_str(), TRUE, &pStorage));
        TsPrefHelper prefs;
        ASSERT_EQ(S_OK, prefs.InitStorageAssociation(pStorage));
        pStorage->Release();
        EXPECT_EQ(S_OK, prefs.SetPrefInteger("ColorPicker_Number", 3));
        EXPECT_EQ(S_OK, prefs.SetPrefLong("ColorPicker_Color0", 0x80000000L));
        EXPECT_EQ(S_OK, prefs.SetPrefCharStr("ColorPicker_Name0", text));
        EXPECT_EQ(S_OK, prefs.SetPrefCharStr("Empty", ""));
        EXPECT_EQ(E_INVALIDARG, prefs.SetPrefLong("tab\tname", 1));
    }
    IStorage* pStorage = nullptr;
    ASSERT_EQ(S_OK, TsPrefOpenFileStorage(path.c_str(), FALSE, &pStorage));
    TsPrefHelper prefs;
    ASSERT_EQ(S_OK, prefs.InitStorageAssociation(pStorage));
    pStorage->Release();
    int number = 0;
    long colour = 0;
    char name[64] = "unchanged", cut[4] = "";
    EXPECT_EQ(S_OK, prefs.GetPrefInteger("ColorPicker_Number", &number));
    EXPECT_EQ(3, number);
    EXPECT_EQ(S_OK, prefs.GetPrefLong("ColorPicker_Color0", &colour));
    EXPECT_EQ((long)0x80000000L, colour);
    EXPECT_EQ(S_OK, prefs.GetPrefCharStr("ColorPicker_Name0", name, sizeof name));
    EXPECT_STREQ(text, name);
    EXPECT_EQ(S_OK, prefs.GetPrefCharStr("ColorPicker_Name0", cut, sizeof cut));
    EXPECT_STREQ("Red", cut);
    EXPECT_EQ(S_OK, prefs.GetPrefCharStr("Empty", name, sizeof name));
    EXPECT_STREQ("", name);
    // Another type under the name, or no such name: the output keeps the caller's default.
    number = -1;
    EXPECT_EQ(TSPREF_E_NOVALUE, prefs.GetPrefInteger("ColorPicker_Color0", &number));
    EXPECT_EQ(TSPREF_E_NOVALUE, prefs.GetPrefInteger("ColorPicker_Missing", &number));
    EXPECT_EQ(-1, number);
    prefs.InitStorageAssociation(nullptr);
    std::filesystem::remove(path);
}

TEST(TsPref, WithoutAStoreNothingIsReadOrWritten)
{
    TsPrefHelper prefs;
    int value = 5;
    EXPECT_EQ(TSPREF_E_NOSTORE, prefs.GetPrefInteger("a", &value));
    EXPECT_EQ(TSPREF_E_NOSTORE, prefs.SetPrefInteger("a", 1));
    EXPECT_EQ(5, value);
    // A document object that is no storage binds nothing.
    IStream* pStream = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &pStream));
    EXPECT_TRUE(FAILED(prefs.InitStorageAssociation(pStream)));
    pStream->Release();
    EXPECT_FALSE(prefs.IsBound());
    IStorage* pStorage = nullptr;
    EXPECT_TRUE(FAILED(TsPrefOpenFileStorage(L"Z:\\no\\such\\folder\\doc.doc", FALSE, &pStorage)));
    EXPECT_EQ(nullptr, pStorage);
}

// Every damaged stream of the corpus keeps its sound value ("Good" = 7) and loses the rest.
TEST(TsPref, DamagedStreamsReadAsFarAsTheyAreSound)
{
    const std::filesystem::path corpus =
        std::filesystem::path(testing_support::ProgramFolder()) / "testdata" / "tspref";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        IStorage* pStorage = StorageWithStream(bytes);
        ASSERT_NE(nullptr, pStorage);
        TsPrefHelper prefs;
        ASSERT_EQ(S_OK, prefs.InitStorageAssociation(pStorage));
        pStorage->Release();
        int good = 0, bad = -1;
        long badLong = -1;
        char badText[8] = "default";
        EXPECT_EQ(S_OK, prefs.GetPrefInteger("Good", &good));
        EXPECT_EQ(7, good);
        EXPECT_EQ(TSPREF_E_NOVALUE, prefs.GetPrefInteger("Bad", &bad));
        EXPECT_EQ(TSPREF_E_NOVALUE, prefs.GetPrefLong("Bad", &badLong));
        EXPECT_EQ(TSPREF_E_NOVALUE, prefs.GetPrefCharStr("Bad", badText, sizeof badText));
        EXPECT_EQ(TSPREF_E_NOVALUE, prefs.GetPrefCharStr("Bad2", badText, sizeof badText));
        EXPECT_STREQ("default", badText);
        ++files;
    }
    EXPECT_GE(files, 7);
}

// Values set are written together, by Flush or when the helper goes; a reader bound to the
// same storage sees them only then.
TEST(TsPref, SetsAreWrittenTogether)
{
    IStorage* pStorage = StorageWithStream("");
    ASSERT_NE(nullptr, pStorage);
    int value = 0;
    {
        TsPrefHelper writer;
        ASSERT_EQ(S_OK, writer.InitStorageAssociation(pStorage));
        EXPECT_EQ(S_OK, writer.SetPrefInteger("A", 1));
        EXPECT_EQ(S_OK, writer.SetPrefInteger("A", 2));
        EXPECT_EQ(S_OK, writer.GetPrefInteger("A", &value));
        EXPECT_EQ(2, value);
        TsPrefHelper reader;
        ASSERT_EQ(S_OK, reader.InitStorageAssociation(pStorage));
        EXPECT_EQ(TSPREF_E_NOVALUE, reader.GetPrefInteger("A", &value));
        EXPECT_EQ(S_OK, writer.Flush());
        ASSERT_EQ(S_OK, reader.InitStorageAssociation(pStorage));
        EXPECT_EQ(S_OK, reader.GetPrefInteger("A", &value));
        EXPECT_EQ(2, value);
        EXPECT_EQ(S_OK, writer.SetPrefLong("B", 3));
    }
    TsPrefHelper reader;
    ASSERT_EQ(S_OK, reader.InitStorageAssociation(pStorage));
    long number = 0;
    EXPECT_EQ(S_OK, reader.GetPrefLong("B", &number));
    EXPECT_EQ(3, number);
    reader.InitStorageAssociation(nullptr);
    pStorage->Release();
}

// Two helpers bound to one document each write what they set over what the stream holds:
// neither loses the other's values.
TEST(TsPref, HelpersOnOneStorageKeepEachOthersValues)
{
    IStorage* pStorage = StorageWithStream("");
    ASSERT_NE(nullptr, pStorage);
    {
        TsPrefHelper first, second;
        ASSERT_EQ(S_OK, first.InitStorageAssociation(pStorage));
        ASSERT_EQ(S_OK, second.InitStorageAssociation(pStorage));
        EXPECT_EQ(S_OK, first.SetPrefInteger("First", 1));
        EXPECT_EQ(S_OK, second.SetPrefInteger("Second", 2));
        EXPECT_EQ(S_OK, first.Flush());
        EXPECT_EQ(S_OK, second.Flush());
        EXPECT_EQ(S_OK, first.SetPrefInteger("First", 3));
    }
    TsPrefHelper reader;
    ASSERT_EQ(S_OK, reader.InitStorageAssociation(pStorage));
    int first = 0, second = 0;
    EXPECT_EQ(S_OK, reader.GetPrefInteger("First", &first));
    EXPECT_EQ(S_OK, reader.GetPrefInteger("Second", &second));
    EXPECT_EQ(3, first);
    EXPECT_EQ(2, second);
    reader.InitStorageAssociation(nullptr);
    pStorage->Release();
}

// The child: binds a helper it never destroys to the file named in the environment, sets a
// value and ends the process.
TEST(TsPref, DISABLED_ChildSetsAndExits)
{
    wchar_t path[MAX_PATH] = L"";
    ASSERT_NE(0u, ::GetEnvironmentVariableW(L"TSPREF_CHILD_FILE", path, MAX_PATH));
    IStorage* pStorage = nullptr;
    ASSERT_EQ(S_OK, TsPrefOpenFileStorage(path, TRUE, &pStorage));
    auto* pPrefs = new TsPrefHelper;
    ASSERT_EQ(S_OK, pPrefs->InitStorageAssociation(pStorage));
    pStorage->Release();
    pPrefs->SetPrefInteger("Kept", 42);
    std::exit(7);
}

// A value set in a process that ends without destroying its helper is in the file.
TEST(TsPref, ValueSetBeforeTheProcessEndsIsKept)
{
    const std::wstring path =
        std::filesystem::path(testing_support::ProgramFolder()).wstring() + L"\\tspref_child.doc";
    std::filesystem::remove(path);
    ::SetEnvironmentVariableW(L"TSPREF_CHILD_FILE", path.c_str());
    char program[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command = std::string("\"") + program +
                          "\" --gtest_filter=TsPref.DISABLED_ChildSetsAndExits --gtest_also_run_disabled_tests";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process));
    if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_TIMEOUT)
        ::TerminateProcess(process.hProcess, 1);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::SetEnvironmentVariableW(L"TSPREF_CHILD_FILE", nullptr);
    EXPECT_EQ(7u, code);
    IStorage* pStorage = nullptr;
    ASSERT_EQ(S_OK, TsPrefOpenFileStorage(path.c_str(), FALSE, &pStorage));
    TsPrefHelper prefs;
    ASSERT_EQ(S_OK, prefs.InitStorageAssociation(pStorage));
    pStorage->Release();
    int value = 0;
    EXPECT_EQ(S_OK, prefs.GetPrefInteger("Kept", &value));
    EXPECT_EQ(42, value);
    prefs.InitStorageAssociation(nullptr);
    std::filesystem::remove(path);
}
