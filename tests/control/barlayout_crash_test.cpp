// A save cut short at any registry write leaves the old layout or the new one.
// A child process of this program saves a layout of ten toolbars over a stored
// one of eight and ends itself (TerminateProcess) right after its n-th registry
// write; a fresh LoadBarLayout then restores exactly one of the two layouts.
#include "layout_support.h"

#include <cstdlib>
#include <cstring>

using namespace layout_test;
using namespace testing_support;
using namespace toolbar_test;

namespace {

constexpr UINT kKilled = 77;
constexpr UINT kFinishedBase = 0x10000;   // a child that was not ended exits with this plus its writes
constexpr LPCSTR kKeyVariable = "BARLAYOUT_CRASH_KEY";
constexpr LPCSTR kLimitVariable = "BARLAYOUT_CRASH_AFTER";

// ---- the child: registry writes counted through the import tables ----

int g_writes = 0;
int g_limit = 0;

void Wrote()
{
    if (++g_writes == g_limit)
        ::TerminateProcess(::GetCurrentProcess(), kKilled);
}

// A registry writer of advapi32 that counts its calls, by the writer's name.
#define COUNTED_WRITER(Name, Params, Args) \
    LONG WINAPI Counted##Name Params \
    { \
        static auto real = reinterpret_cast<decltype(&::Name)>( \
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("advapi32.dll"), #Name))); \
        const LONG result = real Args; \
        Wrote(); \
        return result; \
    }
COUNTED_WRITER(RegSetValueExA, (HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD c), (k, n, r, t, d, c))
COUNTED_WRITER(RegCreateKeyExA,
               (HKEY k, LPCSTR s, DWORD r, LPSTR c, DWORD o, REGSAM a, LPSECURITY_ATTRIBUTES sa, PHKEY p, LPDWORD d),
               (k, s, r, c, o, a, sa, p, d))
COUNTED_WRITER(RegDeleteKeyA, (HKEY k, LPCSTR s), (k, s))
COUNTED_WRITER(RegDeleteTreeA, (HKEY k, LPCSTR s), (k, s))
COUNTED_WRITER(RegDeleteValueA, (HKEY k, LPCSTR s), (k, s))
COUNTED_WRITER(RegRenameKey, (HKEY k, LPCWSTR from, LPCWSTR to), (k, from, to))

// A key deleted through its handle.
LONG NTAPI CountedNtDeleteKey(HANDLE hKey)
{
    static auto real = reinterpret_cast<LONG(NTAPI*)(HANDLE)>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    const LONG result = real(hKey);
    Wrote();
    return result;
}

const std::pair<LPCSTR, void*> kHooks[] = {
    {"RegSetValueExA", reinterpret_cast<void*>(&CountedRegSetValueExA)},
    {"RegCreateKeyExA", reinterpret_cast<void*>(&CountedRegCreateKeyExA)},
    {"RegDeleteKeyA", reinterpret_cast<void*>(&CountedRegDeleteKeyA)},
    {"RegDeleteTreeA", reinterpret_cast<void*>(&CountedRegDeleteTreeA)},
    {"RegDeleteValueA", reinterpret_cast<void*>(&CountedRegDeleteValueA)},
    {"RegRenameKey", reinterpret_cast<void*>(&CountedRegRenameKey)},
    {"NtDeleteKey", reinterpret_cast<void*>(&CountedNtDeleteKey)},
};

// Points the module's imports of `name` at `to`; the address they had, or null.
void* PointImport(HMODULE hModule, LPCSTR name, void* to)
{
    void* was = nullptr;
    auto* base = reinterpret_cast<BYTE*>(hModule);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (!entry->OriginalFirstThunk)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) != 0)
                continue;
            was = reinterpret_cast<void*>(slots->u1.Function);
            DWORD old = 0;
            ::VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(to);
            ::VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
        }
    }
    return was;
}

// Points the module's imports of the registry writers at the hooks.
void HookImports(HMODULE hModule)
{
    for (const auto& [hooked, hook] : kHooks)
        PointImport(hModule, hooked, hook);
}

LONG WINAPI RefusedRegRenameKey(HKEY, LPCWSTR, LPCWSTR)
{
    return ERROR_ACCESS_DENIED;
}

const UINT kIDs[] = {kOpen, kSave, kGrey};

std::vector<UINT> Buttons(int n, bool bNew)
{
    std::vector<UINT> ids;
    for (int i = 0; i <= n % 5 + (bNew ? 1 : 0); ++i)
        ids.push_back(kIDs[(i + n) % 3]);
    return ids;
}

class BarLayoutCrash : public LayoutHost {
protected:
    void MakeLayout(const char* prefix, int count, bool bNew)
    {
        for (int n = 0; n < count; ++n) {
            const CString name = CString(prefix) + std::to_string(n).c_str();
            DockedBar(name, Buttons(n, bNew), n % 2 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
        }
    }

    // Runs the child's save with the limit; its exit code.
    DWORD RunChild(int limit)
    {
        ::SetEnvironmentVariableA(kKeyVariable, Root());
        ::SetEnvironmentVariableA(kLimitVariable, std::to_string(limit).c_str());
        char program[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, program, MAX_PATH);
        std::string command = std::string("\"") + program +
                              "\" --gtest_filter=BarLayoutCrash.DISABLED_ChildSavesTheNewLayout"
                              " --gtest_also_run_disabled_tests";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE hNul = ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = hNul;
        PROCESS_INFORMATION process{};
        DWORD code = (DWORD)-1;
        if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                             &process)) {
            if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_TIMEOUT)
                ::TerminateProcess(process.hProcess, 1);
            ::GetExitCodeProcess(process.hProcess, &code);
            // The child's own test key, which it had no time to remove.
            const CString childKey =
                "Software\\CONTROL Tests\\" + CString(std::to_string(process.dwProcessId).c_str()) + "-1";
            ::RegDeleteTreeA(HKEY_CURRENT_USER, childKey);
            ::RegDeleteKeyA(HKEY_CURRENT_USER, childKey);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
        ::CloseHandle(hNul);
        ::SetEnvironmentVariableA(kLimitVariable, nullptr);
        return code;
    }

    // Puts the stored tree back as it was.
    void Restore(const Tree& tree)
    {
        const CString root = Root();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, root);
        for (const auto& [path, values] : tree) {
            HKEY hKey = CreateKey(root + path.c_str());
            for (const auto& [name, value] : values)
                ::RegSetValueExA(hKey, name.c_str(), 0, value.first, value.second.data(), (DWORD)value.second.size());
            ::RegCloseKey(hKey);
        }
    }
};

TEST_F(BarLayoutCrash, DISABLED_ChildSavesTheNewLayout)
{
    const char* key = std::getenv(kKeyVariable);
    const char* limit = std::getenv(kLimitVariable);
    ASSERT_TRUE(key && limit);
    MakeLayout("New", 10, true);
    HookImports(::GetModuleHandleA(nullptr));
    HookImports(::GetModuleHandleA("baseutil.dll"));
    g_limit = std::atoi(limit);
    ForceSaveBarLayout(&m_frame, key, nullptr);
    ::TerminateProcess(::GetCurrentProcess(), kFinishedBase + g_writes);
}

TEST_F(BarLayoutCrash, EveryCutOfASaveLeavesTheOldOrTheNewLayout)
{
    // What each layout restores, from an uninterrupted save of each.
    MakeLayout("New", 10, true);
    ASSERT_EQ(10, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    DestroyBars();
    ASSERT_EQ(10, LoadBarLayout(&m_frame, nullptr, nullptr));
    const std::set<std::string> newLayout = Describe();
    DestroyBars();
    MakeLayout("Old", 8, false);
    ASSERT_EQ(8, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    DestroyBars();
    const Tree old = Snapshot(Root());
    ASSERT_EQ(8, LoadBarLayout(&m_frame, nullptr, nullptr));
    const std::set<std::string> oldLayout = Describe();
    DestroyBars();

    const DWORD finished = RunChild(0);
    ASSERT_GT(finished, kFinishedBase) << "the child did not save";
    const int writes = (int)(finished - kFinishedBase);
    // Cuts spread over the whole save, and every one of its last writes (the commit).
    std::set<int> cuts;
    for (int i = 1; i <= 40; ++i)
        cuts.insert(std::max(1, writes * i / 41));
    for (int n = std::max(1, writes - 30); n <= writes; ++n)
        cuts.insert(n);
    ASSERT_GE(cuts.size(), 50u);
    int olds = 0, news = 0;
    for (int cut : cuts) {
        SCOPED_TRACE("ended after registry write " + std::to_string(cut) + " of " + std::to_string(writes));
        Restore(old);
        ASSERT_EQ(kKilled, RunChild(cut));
        const int restored = LoadBarLayout(&m_frame, nullptr, nullptr);
        const std::set<std::string> layout = Describe();
        DestroyBars();
        if (layout == oldLayout && restored == 8)
            ++olds;
        else if (layout == newLayout && restored == 10)
            ++news;
        else
            ADD_FAILURE() << "restored " << restored << " toolbars of neither layout";
    }
    // Both sides of the commit were cut.
    EXPECT_GT(olds, 0);
    EXPECT_GT(news, 0);
}

// A save whose staged layout cannot be put in place is a failure: it returns 0
// and the changes stay to be saved.
TEST_F(BarLayoutCrash, ASaveThatCannotBePutInPlaceFailsAndStaysToBeSaved)
{
    MakeLayout("New", 3, true);
    void* real = PointImport(::GetModuleHandleA(nullptr), "RegRenameKey", reinterpret_cast<void*>(&RefusedRegRenameKey));
    ASSERT_NE(nullptr, real);
    const int refused = ForceSaveBarLayout(&m_frame, nullptr, nullptr);
    PointImport(::GetModuleHandleA(nullptr), "RegRenameKey", real);
    EXPECT_EQ(0, refused);
    EXPECT_EQ(3, SaveBarLayout(&m_frame, nullptr, nullptr)) << "saved again without being forced";
}

}   // namespace
