#include "scripted_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

namespace testing_support {

namespace {

const char kPopupMenuClass[] = "#32768";
const char kDialogClass[] = "#32770";
const UINT kOutsideCancelDelayMs = 500;   // the test thread's own cancelling goes first

// The text of a window without sending it a message (its thread may be busy or stuck).
CString WindowText(HWND hWnd)
{
    WCHAR wide[1024];
    const int n = ::InternalGetWindowText(hWnd, wide, (int)(sizeof wide / sizeof wide[0]));
    CString text;
    if (n > 0) {
        char narrow[2048];
        const int m = ::WideCharToMultiByte(CP_ACP, 0, wide, n, narrow, sizeof narrow - 1, nullptr, nullptr);
        narrow[m > 0 ? m : 0] = 0;
        text = narrow;
    }
    return text;
}

bool HasClass(HWND hWnd, const char* className)
{
    char name[64];
    return ::GetClassNameA(hWnd, name, sizeof name) && lstrcmpiA(name, className) == 0;
}

// Visible top-level windows of this process (optionally of one thread) in z-order, topmost first.
std::vector<HWND> VisibleTopLevelWindows(const char* className, DWORD threadId = 0)
{
    struct Query {
        const char* className;
        DWORD threadId;
        std::vector<HWND> found;
    } query{className, threadId, {}};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* q = reinterpret_cast<Query*>(lParam);
            DWORD pid = 0;
            const DWORD tid = ::GetWindowThreadProcessId(hWnd, &pid);
            if (pid == ::GetCurrentProcessId() && (!q->threadId || tid == q->threadId) && ::IsWindowVisible(hWnd) &&
                HasClass(hWnd, q->className))
                q->found.push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// The message box's text control: a static without an image style.
HWND MessageBoxTextControl(HWND hBox)
{
    for (int id : {0xFFFF, 100})
        if (HWND hText = ::GetDlgItem(hBox, id); hText && HasClass(hText, "Static"))
            return hText;
    return nullptr;
}

HMENU MenuOfPopupWindow(HWND hPopup)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(hPopup, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 200, &result))
        return nullptr;
    return reinterpret_cast<HMENU>(result);
}

// Positions leading to the item with this command ID, through submenus; empty when absent.
bool FindMenuPath(HMENU hMenu, UINT nID, std::vector<int>& path)
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        path.push_back(i);
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            if (FindMenuPath(hSub, nID, path))
                return true;
        } else if (::GetMenuItemID(hMenu, i) == nID) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

int HighlightedItem(HMENU hMenu)
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i)
        if (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_HILITE)
            return i;
    return -1;
}

void PostKey(HWND hWnd, WORD vk)
{
    const LPARAM lParam = 1 | ((LPARAM)::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16);
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, lParam);
    ::PostMessageA(hWnd, WM_KEYUP, vk, lParam | (LPARAM)0xC0000000);
}

// One move of keyboard navigation towards the item with this command ID in the open popup
// menu. Returns true once the item was executed.
bool StepTowardsMenuItem(UINT nID)
{
    const std::vector<HWND> popups = VisibleTopLevelWindows(kPopupMenuClass);
    if (popups.empty())
        return false;
    HWND hTop = popups.front();   // the most recently opened level
    HMENU hMenu = MenuOfPopupWindow(hTop);
    if (!hMenu)
        return false;
    std::vector<int> path;
    if (!FindMenuPath(hMenu, nID, path)) {
        if (popups.size() > 1)
            PostKey(hTop, VK_ESCAPE);   // a wrong submenu is open: back to its parent
        return false;
    }
    const int highlighted = HighlightedItem(hMenu);
    if (highlighted != path.front()) {
        PostKey(hTop, highlighted > path.front() ? VK_UP : VK_DOWN);
        return false;
    }
    if (path.size() > 1) {
        PostKey(hTop, VK_RIGHT);
        return false;
    }
    PostKey(hTop, VK_RETURN);
    return true;
}

INPUT KeyInput(WORD vk, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = (WORD)::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

INPUT MouseInput(DWORD flags, POINT screen)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Normalised 0..65535 coordinates, rounded up so that scaling back lands on the pixel.
    input.mi.dx = (LONG)(((LONGLONG)screen.x * 65536 + width - 1) / width);
    input.mi.dy = (LONG)(((LONGLONG)screen.y * 65536 + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void SendInputs(const std::vector<INPUT>& inputs)
{
    if (!inputs.empty())
        ::SendInput((UINT)inputs.size(), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
}

thread_local std::map<UINT_PTR, ScriptedInput*> t_timers;

}   // namespace

HWND FindPopupMenuWindow()
{
    const std::vector<HWND> popups = VisibleTopLevelWindows(kPopupMenuClass);
    return popups.empty() ? nullptr : popups.front();
}

HWND FindDialogWindow(LPCSTR lpszCaption)
{
    for (HWND hWnd : VisibleTopLevelWindows(kDialogClass))
        if (!lpszCaption || WindowText(hWnd) == lpszCaption)
            return hWnd;
    return nullptr;
}

HWND FindMessageBox()
{
    for (HWND hWnd : VisibleTopLevelWindows(kDialogClass))
        if (MessageBoxTextControl(hWnd))
            return hWnd;
    return nullptr;
}

CString GetMessageBoxText(HWND hBox)
{
    HWND hText = MessageBoxTextControl(hBox);
    return hText ? WindowText(hText) : CString();
}

BOOL MakeForeground(HWND hWnd)
{
    ::SetForegroundWindow(hWnd);
    ::SetActiveWindow(hWnd);
    ::SetFocus(hWnd);
    return ::GetForegroundWindow() == hWnd;
}

void SendKey(WORD vk, bool down)
{
    SendInputs({KeyInput(vk, down)});
}

void PressKey(WORD vk)
{
    PressKeyChord({vk});
}

void PressKeyChord(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
        inputs.push_back(KeyInput(vk, true));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(KeyInput(*it, false));
    SendInputs(inputs);
}

void TypeText(const char* text)
{
    std::vector<INPUT> inputs;
    for (const char* p = text; *p; ++p) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = (WORD)(unsigned char)*p;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(input);
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInputs(inputs);
}

void MoveMouse(POINT screen)
{
    SendInputs({MouseInput(MOUSEEVENTF_MOVE, screen)});
}

void SendMouseButton(POINT screen, bool down, bool rightButton)
{
    const DWORD button = rightButton ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                                     : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInputs({MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(button, screen)});
}

void ClickAt(POINT screen, bool rightButton)
{
    SendMouseButton(screen, true, rightButton);
    SendMouseButton(screen, false, rightButton);
}

ScriptedInput::ScriptedInput(Runner runner, DWORD timeoutMs, UINT periodMs, std::source_location where)
    : m_runner(runner), m_timeoutMs(timeoutMs), m_periodMs(periodMs), m_testThreadId(::GetCurrentThreadId()),
      m_where(where)
{
    m_stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (m_runner == Runner::kTestThreadTimer) {
        m_timer = ::SetTimer(nullptr, 0, m_periodMs, [](HWND, UINT, UINT_PTR idEvent, DWORD) {
            if (auto it = t_timers.find(idEvent); it != t_timers.end())
                it->second->Tick();
        });
        t_timers[m_timer] = this;
    } else {
        m_runnerThread = ::CreateThread(
            nullptr, 0,
            [](LPVOID self) -> DWORD {
                auto* script = static_cast<ScriptedInput*>(self);
                while (::WaitForSingleObject(script->m_stop, script->m_periodMs) == WAIT_TIMEOUT)
                    script->Tick();
                return 0;
            },
            this, 0, nullptr);
    }
    m_watchdogThread = ::CreateThread(
        nullptr, 0,
        [](LPVOID self) -> DWORD {
            static_cast<ScriptedInput*>(self)->Watch();
            return 0;
        },
        this, 0, nullptr);
}

ScriptedInput::~ScriptedInput()
{
    ::SetEvent(m_stop);
    for (HANDLE thread : {m_runnerThread, m_watchdogThread}) {
        if (thread) {
            ::WaitForSingleObject(thread, INFINITE);
            ::CloseHandle(thread);
        }
    }
    if (m_timer) {
        ::KillTimer(nullptr, m_timer);
        t_timers.erase(m_timer);   // a WM_TIMER still queued finds no script
    }
    ::CloseHandle(m_stop);
    if (m_timedOut) {
        // Keys and button releases the cancelling sent must not reach the next window the test opens.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
               ::PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
    }
    if (!m_expectTimeout && (m_timedOut || !m_done))
        ADD_FAILURE_AT(m_where.file_name(), (int)m_where.line())
            << "Scripted input: "
            << (m_timedOut
                    ? "the modal loop was still running after " + std::to_string(m_timeoutMs) + " ms and was cancelled"
                    : std::string("the modal loop ended before the script did"))
            << "; unfinished: " << PendingStep();
}

ScriptedInput& ScriptedInput::Then(ScriptStep step, std::string name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_steps.push_back({std::move(step), std::move(name)});
    m_done = false;
    return *this;
}

ScriptedInput& ScriptedInput::WaitFor(WindowFinder finder, std::string name)
{
    return Then([finder] { return finder() != nullptr; }, "wait for " + name);
}

ScriptedInput& ScriptedInput::Wait(DWORD ms)
{
    auto start = std::make_shared<DWORD>(0);
    return Then(
        [start, ms] {
            const DWORD now = ::GetTickCount();
            if (!*start)
                *start = now ? now : 1;
            return now - *start >= ms;
        },
        "wait " + std::to_string(ms) + " ms");
}

ScriptedInput& ScriptedInput::Key(WORD vk)
{
    return Then(
        [vk] {
            PressKey(vk);
            return true;
        },
        "key " + std::to_string(vk));
}

ScriptedInput& ScriptedInput::PressDialogButton(WindowFinder dialog, int nID)
{
    return Then(
        [dialog, nID] {
            HWND hDlg = dialog();
            if (!hDlg)
                return false;
            ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nID));
            return true;
        },
        "press button " + std::to_string(nID));
}

ScriptedInput& ScriptedInput::ChooseMenuItem(UINT nID)
{
    return Then([nID] { return StepTowardsMenuItem(nID); }, "choose menu command " + std::to_string(nID));
}

ScriptedInput& ScriptedInput::DismissMenu()
{
    return Then(
        [] {
            HWND hPopup = FindPopupMenuWindow();
            if (hPopup)
                PostKey(hPopup, VK_ESCAPE);
            return hPopup != nullptr;
        },
        "dismiss menu");
}

std::string ScriptedInput::PendingStep() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_next >= m_steps.size())
        return "none (every step ran)";
    return "step " + std::to_string(m_next + 1) + " (" + m_steps[m_next].name + ")";
}

void ScriptedInput::Tick()
{
    if (m_timedOut) {
        if (::GetCurrentThreadId() == m_testThreadId)
            CancelModalStateOnTestThread();
        return;
    }
    if (m_running)
        return;   // a step pumped messages: this is a nested call
    m_running = true;
    for (;;) {
        NamedStep* step = nullptr;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_next >= m_steps.size()) {
                m_done = true;
                break;
            }
            step = &m_steps[m_next];
        }
        if (!step->run())
            break;
        std::lock_guard<std::mutex> guard(m_lock);
        ++m_next;
    }
    m_running = false;
}

void ScriptedInput::Watch()
{
    if (::WaitForSingleObject(m_stop, m_timeoutMs) != WAIT_TIMEOUT)
        return;
    m_timedOut = true;
    if (::WaitForSingleObject(m_stop, kOutsideCancelDelayMs) != WAIT_TIMEOUT)
        return;
    const DWORD giveUp = ::GetTickCount() + std::max<DWORD>(m_graceMs, kOutsideCancelDelayMs) - kOutsideCancelDelayMs;
    do {
        CancelModalStateFromOutside();
        if (::WaitForSingleObject(m_stop, 200) != WAIT_TIMEOUT)
            return;
    } while ((LONG)(giveUp - ::GetTickCount()) > 0);

    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fflush(stdout);
    std::fprintf(stderr,
                 "\nScripted input: %s.%s is still stuck in a modal loop %lu ms after its %lu ms timeout "
                 "(unfinished: %s); ending the process.\n",
                 test ? test->test_suite_name() : "?", test ? test->name() : "?", (DWORD)m_graceMs, m_timeoutMs,
                 PendingStep().c_str());
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
}

// Runs on the test thread, from inside the loop that is stuck.
void ScriptedInput::CancelModalStateOnTestThread()
{
    if (!VisibleTopLevelWindows(kPopupMenuClass, m_testThreadId).empty())
        ::EndMenu();
    for (HWND hDlg : VisibleTopLevelWindows(kDialogClass, m_testThreadId)) {
        // Let the dialog cancel itself first; end it outright if it ignores that.
        if (::GetPropA(hDlg, "ScriptedInputCancel")) {
            ::EndDialog(hDlg, IDCANCEL);
        } else {
            ::SetPropA(hDlg, "ScriptedInputCancel", (HANDLE)1);
            ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    if (HWND hCapture = ::GetCapture()) {
        ::SendMessageA(hCapture, WM_CANCELMODE, 0, 0);
        ::ReleaseCapture();
    }
}

// Runs on the watchdog thread while the test thread does not dispatch: only posts and input.
void ScriptedInput::CancelModalStateFromOutside()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(m_testThreadId, &info)) {
        for (HWND hWnd : {info.hwndMenuOwner, info.hwndCapture, info.hwndActive})
            if (hWnd)
                ::PostMessageA(hWnd, WM_CANCELMODE, 0, 0);
        if (HWND hTarget = info.hwndFocus ? info.hwndFocus : info.hwndActive)
            PostKey(hTarget, VK_ESCAPE);
    }
    for (HWND hPopup : VisibleTopLevelWindows(kPopupMenuClass, m_testThreadId))
        PostKey(hPopup, VK_ESCAPE);
    for (HWND hDlg : VisibleTopLevelWindows(kDialogClass, m_testThreadId))
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PressKey(VK_ESCAPE);   // for loops that poll the key state
    // Drag loops that watch only the mouse end when the button goes up (where it is).
    SendInputs({MouseInput(MOUSEEVENTF_LEFTUP, {}), MouseInput(MOUSEEVENTF_RIGHTUP, {})});
}

}   // namespace testing_support
