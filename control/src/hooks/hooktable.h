// The current thread's hook records, shared by JDLLHook and its hook procedures.
#pragma once
#include <windows.h>

#include <vector>

class JLocalizationInfo;

// One JDLLHook's use of a thread's hook.
struct HookUse {
    unsigned nUser;
    HWND hWnd;          // NULL: every window of the thread
    bool bWindowGone;   // the window was destroyed: the use no longer takes messages
    JLocalizationInfo* pLocalization;
};

struct HookRecord {
    HHOOK hHook = nullptr;
    std::vector<HookUse> uses;
    wchar_t pendingHighSurrogate = 0;   // the first half of a character that came in two WM_IME_CHARs
};

// The kinds of hook, in record order.
enum HookKind { HOOK_MSGFILTER, HOOK_GETMESSAGE, HOOK_CALLWNDPROC, HOOK_KINDS };

struct ThreadHooks {
    HookRecord records[HOOK_KINDS];
};

// The record of a hook type (WH_MSGFILTER, WH_GETMESSAGE, WH_CALLWNDPROC) on the current
// thread; NULL for other types, or when the thread has none and bCreate is false (or it
// cannot be made). The pointer is valid until the thread calls out of the library.
HookRecord* CurrentHookRecord(int type, bool bCreate);
// -1 for a type without a hook kind.
int HookKindOf(int type);
HOOKPROC HookProcedureOf(int type);
// Threads whose hook records exist (records go when their thread ends).
long ThreadHookRecordsAlive();
// Removes the uses given back on other threads; the last one removes the hook.
void DropUsesReleasedElsewhere(HookRecord& record);
// The use of a record that takes messages for hWnd: one for that window, else one for an
// ancestor of it, else one for every window; NULL when none does.
const HookUse* UseForWindow(const HookRecord& record, HWND hWnd);
