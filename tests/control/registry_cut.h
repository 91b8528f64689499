// A child process of the test program that ends itself right after its n-th
// registry write: the writers advapi32 exports are counted through the import
// tables of the modules hooked.
#pragma once
#include "afxwin.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace registry_cut {

constexpr UINT kKilled = 77;
constexpr UINT kFinishedBase = 0x10000;   // a child that was not ended exits with this plus its writes

inline int g_writes = 0;
inline int g_limit = 0;

inline void Wrote()
{
    if (++g_writes == g_limit)
        ::TerminateProcess(::GetCurrentProcess(), kKilled);
}

// A registry writer of advapi32 that counts its calls, by the writer's name.
#define COUNTED_WRITER(Name, Params, Args) \
    inline LONG WINAPI Counted##Name Params \
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
inline LONG NTAPI CountedNtDeleteKey(HANDLE hKey)
{
    static auto real = reinterpret_cast<LONG(NTAPI*)(HANDLE)>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    const LONG result = real(hKey);
    Wrote();
    return result;
}

inline const std::pair<LPCSTR, void*> kHooks[] = {
    {"RegSetValueExA", reinterpret_cast<void*>(&CountedRegSetValueExA)},
    {"RegCreateKeyExA", reinterpret_cast<void*>(&CountedRegCreateKeyExA)},
    {"RegDeleteKeyA", reinterpret_cast<void*>(&CountedRegDeleteKeyA)},
    {"RegDeleteTreeA", reinterpret_cast<void*>(&CountedRegDeleteTreeA)},
    {"RegDeleteValueA", reinterpret_cast<void*>(&CountedRegDeleteValueA)},
    {"RegRenameKey", reinterpret_cast<void*>(&CountedRegRenameKey)},
    {"NtDeleteKey", reinterpret_cast<void*>(&CountedNtDeleteKey)},
};

// Points the module's imports of `name` at `to`; the address they had, or null.
inline void* PointImport(HMODULE hModule, LPCSTR name, void* to)
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
inline void HookImports(HMODULE hModule)
{
    for (const auto& [hooked, hook] : kHooks)
        PointImport(hModule, hooked, hook);
}

#undef COUNTED_WRITER

// In the child: counts from now on and ends the process at the limit.
inline void Arm(int limit)
{
    HookImports(::GetModuleHandleA(nullptr));
    HookImports(::GetModuleHandleA("baseutil.dll"));
    g_limit = limit;
}

// In the parent: runs one test of this program (disabled ones too) with the limit in
// limitVariable; its exit code.
inline DWORD RunChild(const char* test, LPCSTR limitVariable, int limit)
{
    ::SetEnvironmentVariableA(limitVariable, std::to_string(limit).c_str());
    char program[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command =
        std::string("\"") + program + "\" --gtest_filter=" + test + " --gtest_also_run_disabled_tests";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE hNul = ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = hNul;
    PROCESS_INFORMATION process{};
    DWORD code = (DWORD)-1;
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_TIMEOUT)
            ::TerminateProcess(process.hProcess, 1);
        ::GetExitCodeProcess(process.hProcess, &code);
        // The child's own test key, which it had no time to remove.
        const std::string childKey = "Software\\CONTROL Tests\\" + std::to_string(process.dwProcessId) + "-1";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, childKey.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, childKey.c_str());
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(hNul);
    ::SetEnvironmentVariableA(limitVariable, nullptr);
    return code;
}

}   // namespace registry_cut
