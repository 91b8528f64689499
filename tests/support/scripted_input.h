// Scripted input for tests of modal code (message boxes, dialogs, popup menus, drag loops).
//
// A ScriptedInput runs a list of steps while the test thread sits in a modal loop, and a
// watchdog makes sure no test can hang:
//
//     testing_support::ScriptedInput script;
//     script.WaitFor(FindMessageBox, "message box").PressDialogButton(FindMessageBox, IDOK);
//     EXPECT_EQ(IDOK, AfxMessageBox("Saved."));
//
// Runners. By default the steps run from a thread timer of the thread that created the script
// (SetTimer with no window): its WM_TIMER is dispatched by every loop that dispatches messages,
// the system's own included (MessageBox, DialogBox, TrackPopupMenu, the framework's loops).
// Loops that only peek with filters or poll key state never dispatch it: for those, run the
// steps on a background thread (Runner::kBackgroundThread); such steps may only post messages
// and send input, never touch windows synchronously.
//
// Steps. A step is a function returning true when it is done; it is called again every period
// until then, so a step can wait for a window to appear. Steps must not block: the ready-made
// ones post messages or send input and return.
//
// Watchdog. A script lives as long as the modal call it drives: scope it tightly around that
// call. When it is still alive after its timeout (10 s by default), the script records the
// failure (TimedOut()) and cancels the modal state of the test thread: on that thread, from
// the timer, it ends menus (EndMenu), cancels dialogs (IDCANCEL, then EndDialog) and releases
// the capture; from the watchdog thread it also posts WM_CANCELMODE and Escape keys to the
// thread's windows and sends an Escape key. If the script is still alive after a further
// grace period (5 s, SetGracePeriod), the process prints what is stuck and exits with code 3,
// so that ctest reports a failure instead of hanging. The destructor reports a timeout, or
// steps that never ran because the loop ended first, with ADD_FAILURE unless ExpectTimeout()
// was called.
//
// What works under Wine's null display driver (checked by scripted_input_test.cpp):
// - SetForegroundWindow / SetActiveWindow / SetFocus on a visible top-level window of the
//   calling thread, and GetForegroundWindow reads it back; MakeForeground() does all three.
// - SendInput keyboard input reaches the foreground window's thread as WM_KEYDOWN/WM_KEYUP
//   (and WM_CHAR after TranslateMessage) at the focus window, and to no other window;
//   KEYEVENTF_UNICODE text arrives as WM_CHAR.
// - SetCursorPos / GetCursorPos keep the position; SendInput absolute mouse moves set it and
//   button events arrive as WM_*BUTTON* at the window under the point (or the capture).
// - Popup menus are driven by posted keyboard messages (their loop reads the thread's queue),
//   which needs no foreground window; ChooseMenuItem works that way. Real clicks on an item
//   work too: take its place from GetMenuItemRect(NULL, hMenu, ...) (with the owner window
//   Wine measures from the owner, not from the menu window).
// - DragDetect returns FALSE at once unless the left button is down: press it first
//   (SendMouseButton); a background script can then move the mouse while DragDetect waits.
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
    ScriptedInput& Chord(std::vector<WORD> keys);
    ScriptedInput& Type(std::string text);
    ScriptedInput& Click(POINT screen, bool rightButton = false);
    // Posts WM_COMMAND(id, BN_CLICKED) to the dialog the finder returns, once it exists.
    ScriptedInput& PressDialogButton(WindowFinder dialog, int nID);
    // Chooses an item of the open popup menu by keyboard (posted keys), walking into
    // submenus: by command ID anywhere in the menu tree, or by position in the top menu.
    ScriptedInput& ChooseMenuItem(UINT nID);
    ScriptedInput& ChooseMenuItemAt(int nIndex);
    // Closes the open popup menu with Escape (posted).
    ScriptedInput& DismissMenu();

    bool Done() const { return m_done; }   // every step finished
    bool TimedOut() const { return m_timedOut; }
    // The watchdog is meant to fire: no failure is reported for it or for unfinished steps.
    void ExpectTimeout() { m_expectTimeout = true; }
    // How long the test thread may stay stuck after the timeout before the process ends.
    void SetGracePeriod(DWORD ms) { m_graceMs = ms; }
    // Describes the step that did not finish, for messages.
    std::string PendingStep() const;

private:
    struct NamedStep {
        ScriptStep run;
        std::string name;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR idEvent, DWORD);
    static DWORD WINAPI RunnerThread(LPVOID param);
    static DWORD WINAPI WatchdogThread(LPVOID param);
    void Tick();
    void Watch();
    void CancelModalStateOnTestThread();
    void CancelModalStateFromOutside();

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
