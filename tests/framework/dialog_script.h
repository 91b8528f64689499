// Scripted input for tests that run modal loops, and helpers that type and press keys
// through the message queue (and so through pre-translation).
#pragma once
#include "scripted_input.h"

#include <source_location>
#include <string>
#include <vector>

namespace dialog_testing {

// The shared scripted input, given its steps at once: each returns true when done, false to
// be tried again on the next tick of the thread timer (which fires inside modal loops). A
// script that times out or ends unfinished fails the test by itself.
class ScriptedInput : public testing_support::ScriptedInput {
public:
    explicit ScriptedInput(std::vector<testing_support::ScriptStep> steps, DWORD timeoutMs = 10000,
                           std::source_location where = std::source_location::current())
        : testing_support::ScriptedInput(Runner::kTestThreadTimer, timeoutMs, 20, where)
    {
        // One step a tick: what a step posted is handled before the next looks.
        for (size_t i = 0; i < steps.size(); ++i)
            (i ? Wait(20) : *this).Then(std::move(steps[i]));
    }
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
