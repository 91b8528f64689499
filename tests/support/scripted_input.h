// Scripted input for tests of modal code (message boxes, dialogs, popup menus, drag loops):
//
//     testing_support::ScriptedInput script;
//     script.WaitFor(FindMessageBox, "message box").PressDialogButton(FindMessageBox, IDOK);
//     EXPECT_EQ(IDOK, AfxMessageBox("Saved."));
//
// Steps run from a thread timer of the creating thread (every dispatching loop runs them), or
// for loops that only peek or poll key state from a background thread (Runner::kBackgroundThread),
// where steps may only post messages and send input. A step returns true when done.
//
// Watchdog: after its timeout the script fails the test and cancels the test thread's modal
// state (EndMenu, IDCANCEL then EndDialog, capture released; from outside WM_CANCELMODE and
// Escape); still stuck after the grace period, the process exits with code 3. The destructor
// reports a timeout, or steps left unrun, unless ExpectTimeout() was called.
//
// Under Wine's null display driver: MakeForeground() works on a visible top-level window of the
// thread, whose focus window then gets SendInput keys; absolute mouse moves set the cursor; popup
// menus are driven by posted keys (ChooseMenuItem) or clicks at GetMenuItemRect(NULL, ...);
// DragDetect returns at once unless the left button is down.
#pragma once
#include "afxwin.h"

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <source_location>
#include <string>
#include <vector>

namespace testing_support {

using ScriptStep = std::function<bool()>;
using WindowFinder = std::function<HWND()>;

// Windows of this process that modal code shows. NULL when none is there (yet).
// The topmost popup menu window (class #32768) that is visible.
HWND FindPopupMenuWindow();
// A visible dialog (class #32770), by caption when one is given.
HWND FindDialogWindow(LPCSTR lpszCaption = nullptr);
// A visible message box: a dialog holding the message box's text control.
HWND FindMessageBox();
// The text a message box shows.
CString GetMessageBoxText(HWND hBox);

// Makes a top-level window the foreground and active window and focuses it, as a click
// would; real input (SendInput) goes to the foreground window. TRUE when it took.
BOOL MakeForeground(HWND hWnd);

// Real input (SendInput), usable from any thread.
void SendKey(WORD vk, bool down);
void PressKey(WORD vk);                              // down and up
void PressKeyChord(const std::vector<WORD>& keys);   // e.g. {VK_CONTROL, 'C'}: down in order, up reversed
void TypeText(const char* text);                     // as characters (KEYEVENTF_UNICODE)
void MoveMouse(POINT screen);                        // absolute move to a screen point
void SendMouseButton(POINT screen, bool down, bool rightButton = false);   // moves there first
void ClickAt(POINT screen, bool rightButton = false);

class ScriptedInput {
public:
    enum class Runner { kTestThreadTimer, kBackgroundThread };

    // Failures are reported at `where`: the line that made the script.
    explicit ScriptedInput(Runner runner = Runner::kTestThreadTimer, DWORD timeoutMs = 10000, UINT periodMs = 20,
                           std::source_location where = std::source_location::current());
    ~ScriptedInput();
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    // Appends a step; the name appears in failure messages.
    ScriptedInput& Then(ScriptStep step, std::string name = "step");
    ScriptedInput& WaitFor(WindowFinder finder, std::string name = "window");
    ScriptedInput& Wait(DWORD ms);
    ScriptedInput& Key(WORD vk);
    // Posts WM_COMMAND(id, BN_CLICKED) to the dialog the finder returns, once it exists.
    ScriptedInput& PressDialogButton(WindowFinder dialog, int nID);
    // Chooses the item with this command ID anywhere in the open popup menu's tree by
    // keyboard (posted keys), walking into submenus.
    ScriptedInput& ChooseMenuItem(UINT nID);
    // Closes the open popup menu with Escape (posted).
    ScriptedInput& DismissMenu();

    bool Done() const { return m_done; }   // every step finished
    bool TimedOut() const { return m_timedOut; }
    // The watchdog is meant to fire: no failure is reported for it or for unfinished steps.
    void ExpectTimeout() { m_expectTimeout = true; }
    // How long the test thread may stay stuck after the timeout before the process ends.
    void SetGracePeriod(DWORD ms) { m_graceMs = ms; }

private:
    struct NamedStep {
        ScriptStep run;
        std::string name;
    };

    void Tick();
    void Watch();
    void CancelModalStateOnTestThread();
    void CancelModalStateFromOutside();
    std::string PendingStep() const;   // the step that did not finish, for messages

    const Runner m_runner;
    const DWORD m_timeoutMs;
    const UINT m_periodMs;
    const DWORD m_testThreadId;
    const std::source_location m_where;
    mutable std::mutex m_lock;
    std::deque<NamedStep> m_steps;   // a deque: running steps stay put while others are added
    size_t m_next = 0;
    bool m_running = false;   // re-entrancy guard of Tick
    std::atomic<bool> m_done{true};
    std::atomic<bool> m_timedOut{false};
    bool m_expectTimeout = false;
    std::atomic<DWORD> m_graceMs{5000};
    UINT_PTR m_timer = 0;
    HANDLE m_stop = nullptr;   // set by the destructor
    HANDLE m_runnerThread = nullptr;
    HANDLE m_watchdogThread = nullptr;
};

}   // namespace testing_support
