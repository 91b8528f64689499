// Per-thread Windows hooks that let key and input-method input reach the
// library's windows while the host runs its own message loop. Each thread has
// at most one hook of each kind; every JDLLHook that sets one holds a use of
// it, the first use installs it and the last release removes it. A hook is set
// on one thread; given back on another, its use stops at once and leaves the
// hook's thread at that thread's next hooked message. A thread's hooks and
// records go when it ends.
#pragma once
#include "controlapi.h"

class JLocalizationInfo;

class CONTROL_CLASS JDLLHook {
public:
    JDLLHook() = default;
    // A copy holds a use of its own of the same hook (on the copying thread).
    JDLLHook(const JDLLHook& other);
    JDLLHook& operator=(const JDLLHook& other);
    ~JDLLHook();

    // Takes a use of the current thread's hook of a kind for hWnd: WH_MSGFILTER,
    // WH_GETMESSAGE or WH_CALLWNDPROC. An object holds one use: a held one is given
    // back first. FALSE for other kinds or when the system refuses the hook.
    BOOL SetHook(int type, HWND hWnd);
    // Gives back the use this object holds; the thread's last use removes the hook.
    void ReleaseHook();

    BOOL IsSet() const { return m_nUser != 0; }
    int GetType() const { return m_nType; }
    HWND GetHWnd() const { return m_hWnd; }

    // The current thread's hook of a kind, or NULL.
    static HHOOK FindHook(int type);
    // The window of the current thread's first live use of a kind, or NULL.
    static HWND FindHWnd(int type);
    // Uses of the current thread's hook of a kind.
    static int GetUseCount(int type);
    // Removes the calling thread's hooks and gives back the per-thread slot. Later
    // uses take a new slot. Call when no other thread uses hooks.
    static void FreeHookIndex();

private:
    friend class JLocalizationInfo;
    // The localization info whose WindowProc sees the messages of this use's window.
    void SetLocalizationInfo(JLocalizationInfo* pInfo);

    int m_nType = 0;
    HWND m_hWnd = nullptr;
    DWORD m_dwThreadId = 0;
    unsigned m_nUser = 0;   // the use in the thread's records; 0 when none is held
    JLocalizationInfo* m_pLocalization = nullptr;
};
