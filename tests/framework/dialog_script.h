// Scripted input for tests that run modal loops: steps from a thread timer,
// a watchdog that unblocks the test, and helpers that type and press keys
// through the message queue (and so through pre-translation).
#pragma once
#include "afxwin.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dialog_testing {

// Runs steps from a thread timer, which fires inside any loop that dispatches
// this thread's messages (the framework's modal loop or a system dialog's).
// A step returns true when done, false to be tried again on the next tick.
// If the script has not finished after the timeout, a watchdog thread keeps
// cancelling the thread's dialogs until the test gets control back.
class ScriptedInput {
public:
    using Step = std::function<bool()>;

    explicit ScriptedInput(std::vector<Step> steps, DWORD timeoutMs = 10000)
        : m_steps(std::move(steps)), m_threadId(::GetCurrentThreadId())
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &ScriptedInput::OnTimer);
        m_watchdog = std::thread([this, timeoutMs] { Watch(timeoutMs); });
    }

    ~ScriptedInput()
    {
        ::KillTimer(nullptr, m_timer);
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_stop = true;
        }
        m_wake.notify_all();
        m_watchdog.join();
        s_current = nullptr;
    }

    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    bool Finished() const { return m_next == m_steps.size(); }
    bool TimedOut() const { return m_timedOut; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        ScriptedInput* self = s_current;
        // A step may start a loop that dispatches this timer again: no re-entry.
        if (!self || self->m_busy || self->Finished() || self->m_timedOut)
            return;
        self->m_busy = true;
        if (self->m_steps[self->m_next]())
            ++self->m_next;
        self->m_busy = false;
    }

    static bool IsDialog(HWND hWnd)
    {
        char name[16] = {};
        ::GetClassNameA(hWnd, name, sizeof name);
        return lstrcmpA(name, "#32770") == 0;
    }

    // Cancels the thread's visible dialogs; with none up, closes its other
    // visible windows (a plain window running a modal loop).
    static BOOL CALLBACK Unblock(HWND hWnd, LPARAM lParam)
    {
        const bool dialogsUp = lParam != 0;
        if (!::IsWindowVisible(hWnd) || IsDialog(hWnd) != dialogsUp)
            return TRUE;
        if (dialogsUp)
            ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
        return TRUE;
    }

    static BOOL CALLBACK FindAnyDialog(HWND hWnd, LPARAM lParam)
    {
        if (::IsWindowVisible(hWnd) && IsDialog(hWnd))
            *reinterpret_cast<bool*>(lParam) = true;
        return TRUE;
    }

    void Watch(DWORD timeoutMs)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_stop; }))
            return;
        m_timedOut = true;
        while (!m_stop) {
            bool dialogsUp = false;
            ::EnumThreadWindows(m_threadId, &ScriptedInput::FindAnyDialog, reinterpret_cast<LPARAM>(&dialogsUp));
            ::EnumThreadWindows(m_threadId, &ScriptedInput::Unblock, dialogsUp);
            m_wake.wait_for(lock, std::chrono::milliseconds(300), [this] { return m_stop; });
        }
    }

    static inline ScriptedInput* s_current = nullptr;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_busy = false;
    const DWORD m_threadId;
    UINT_PTR m_timer = 0;
    std::thread m_watchdog;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::atomic<bool> m_timedOut{false};
};

struct FindDialogQuery {
    LPCSTR title;
    HWND exclude;
    HWND found;
};

inline BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam)
{
    auto* query = reinterpret_cast<FindDialogQuery*>(lParam);
    char name[16] = {};
    char title[128] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    ::GetWindowTextA(hWnd, title, sizeof title);
    if (hWnd != query->exclude && ::IsWindowVisible(hWnd) && lstrcmpA(name, "#32770") == 0 &&
        (!query->title || lstrcmpA(title, query->title) == 0)) {
        query->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this thread (with this title, when given), or NULL.
inline HWND FindDialog(LPCSTR title = nullptr, HWND exclude = nullptr)
{
    FindDialogQuery query{title, exclude, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// Typing replaces the control's text, as after selecting all of it.
inline void Type(HWND hDlg, int nIDC, const char* text)
{
    const HWND hEdit = ::GetDlgItem(hDlg, nIDC);
    ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
    for (const char* p = text; *p; ++p)
        ::PostMessageA(hEdit, WM_CHAR, (WPARAM)(unsigned char)*p, 1);
}

// A key pressed in a control, through the queue (and so through pre-translation).
inline void PressKey(HWND hDlg, int nIDC, UINT vk)
{
    const HWND hCtrl = ::GetDlgItem(hDlg, nIDC);
    ::PostMessageA(hCtrl, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hCtrl, WM_KEYUP, vk, 0xC0000001);
}

inline std::string TextOf(HWND hDlg, int nIDC)
{
    char text[256] = {};
    ::GetDlgItemTextA(hDlg, nIDC, text, sizeof text);
    return text;
}

}   // namespace dialog_testing
