// JDLLHook: uses of a thread's hooks, what the hooks do with the messages of
// their windows, and what is left when windows and threads go.
#include "hook_recorder.h"
#include "hooktable.h"
#include "jdllhook.h"
#include "module.h"
#include "scripted_input.h"

#include <thread>

namespace {

constexpr wchar_t kHiraganaA = 0x3042;   // "a" in hiragana: 0x82 0xA0 in code page 932

// Makes the thread's code page Japanese (932) for a scope.
struct JapaneseThreadLocale {
    const LCID old = ::GetThreadLocale();
    const bool set = ::SetThreadLocale(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT)) != FALSE;
    ~JapaneseThreadLocale() { ::SetThreadLocale(old); }
};

class HookTest : public TwoRecordingWindows {
protected:
    void TearDown() override
    {
        TwoRecordingWindows::TearDown();
        EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC)) << "the module's detach removes every hook";
    }
};

TEST_F(HookTest, TheFirstUseInstallsTheHookTheLastReleaseRemovesItAndACopyHoldsAUseOfItsOwn)
{
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC));
    JDLLHook first, second;
    ASSERT_TRUE(first.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    const HHOOK hHook = JDLLHook::FindHook(WH_CALLWNDPROC);
    ASSERT_NE(nullptr, hHook);
    ASSERT_TRUE(second.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    EXPECT_EQ(hHook, JDLLHook::FindHook(WH_CALLWNDPROC)) << "a later use only counts";
    EXPECT_EQ(2, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    EXPECT_EQ(m_window.m_hWnd, JDLLHook::FindHWnd(WH_CALLWNDPROC));

    first.ReleaseHook();
    EXPECT_EQ(hHook, JDLLHook::FindHook(WH_CALLWNDPROC));
    ::SendMessageA(m_window, WM_IME_CHAR, 'a', 0);
    EXPECT_EQ(std::vector<BYTE>{'a'}, m_window.CharBytes()) << "the hook still works";

    first.ReleaseHook();   // a second release of the same object gives nothing back
    EXPECT_EQ(1, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    second.ReleaseHook();
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC));
    EXPECT_EQ(nullptr, JDLLHook::FindHWnd(WH_CALLWNDPROC));
    m_window.received.clear();
    ::SendMessageA(m_window, WM_IME_CHAR, 'a', 0);
    EXPECT_TRUE(m_window.CharBytes().empty()) << "the hook is gone";
    auto pOriginal = std::make_unique<JDLLHook>();
    ASSERT_TRUE(pOriginal->SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    JDLLHook copy(*pOriginal);
    EXPECT_TRUE(copy.IsSet());
    EXPECT_EQ(WH_CALLWNDPROC, copy.GetType());
    EXPECT_EQ(m_window.m_hWnd, copy.GetHWnd());
    EXPECT_EQ(2, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    pOriginal.reset();
    EXPECT_NE(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC)) << "the copy's use keeps the hook";

    JDLLHook assigned;
    assigned = copy;
    EXPECT_EQ(2, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    assigned = JDLLHook();   // an unset object: the use is given back
    EXPECT_FALSE(assigned.IsSet());
    EXPECT_EQ(1, JDLLHook::GetUseCount(WH_CALLWNDPROC));
}

TEST_F(HookTest, KindsAreKeptApartAndOnlyTheThreeKindsAreTaken)
{
    JDLLHook keys, sent, filter, other;
    EXPECT_FALSE(other.SetHook(WH_KEYBOARD, m_window.m_hWnd));
    EXPECT_FALSE(other.IsSet());
    ASSERT_TRUE(keys.SetHook(WH_GETMESSAGE, m_window.m_hWnd));
    ASSERT_TRUE(sent.SetHook(WH_CALLWNDPROC, m_other.m_hWnd));
    ASSERT_TRUE(filter.SetHook(WH_MSGFILTER, nullptr));
    EXPECT_NE(JDLLHook::FindHook(WH_GETMESSAGE), JDLLHook::FindHook(WH_CALLWNDPROC));
    EXPECT_EQ(m_window.m_hWnd, JDLLHook::FindHWnd(WH_GETMESSAGE));
    EXPECT_EQ(m_other.m_hWnd, JDLLHook::FindHWnd(WH_CALLWNDPROC));
    EXPECT_NE(nullptr, JDLLHook::FindHook(WH_MSGFILTER));
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_KEYBOARD));
    // An object holds one use: setting another kind gives the first back.
    ASSERT_TRUE(keys.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_GETMESSAGE));
    EXPECT_EQ(2, JDLLHook::GetUseCount(WH_CALLWNDPROC));
}

TEST_F(HookTest, ImeCharactersReachTheHookedWindowAsBytesOfTheThreadCodePage)
{
    JapaneseThreadLocale japanese;
    ASSERT_TRUE(japanese.set);
    char expected[4] = "";
    ASSERT_EQ(2, ::WideCharToMultiByte(CP_THREAD_ACP, 0, &kHiraganaA, 1, expected, sizeof expected, nullptr, nullptr));
    ASSERT_EQ("\x82\xA0", std::string(expected, 2)) << "the thread's code page is 932";
    JDLLHook hook;
    ASSERT_TRUE(hook.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));

    ::SendMessageA(m_window, WM_IME_CHAR, kHiraganaA, 0);
    ::SendMessageA(m_window, WM_IME_CHAR, 'x', 0);
    EXPECT_EQ((std::vector<BYTE>{0x82, 0xA0, 'x'}), m_window.CharBytes());
    // The window's own procedure still gets the input-method messages.
    EXPECT_EQ(2u, m_window.Received(WM_IME_CHAR).size());
    // Other windows' messages are not the hook's business.
    ::SendMessageA(m_other, WM_IME_CHAR, 'y', 0);
    EXPECT_TRUE(m_other.CharBytes().empty());
    EXPECT_EQ(3u, m_window.CharBytes().size());
}

TEST_F(HookTest, ChildWindowsCharactersGoToTheHookedWindowAndAUseWithoutWindowServesAll)
{
    RecordingWindow child;
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(5, 5, 60, 30), &m_window, 7));
    JDLLHook hook;
    ASSERT_TRUE(hook.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    ::SendMessageA(child, WM_IME_CHAR, 'c', 0);
    EXPECT_EQ(std::vector<BYTE>{'c'}, m_window.CharBytes());
    EXPECT_TRUE(child.CharBytes().empty());
    child.DestroyWindow();
    m_window.received.clear();

    ASSERT_TRUE(hook.SetHook(WH_CALLWNDPROC, nullptr));
    ::SendMessageA(m_other, WM_IME_CHAR, 'o', 0);
    ::SendMessageA(m_window, WM_IME_CHAR, 'w', 0);
    EXPECT_EQ(std::vector<BYTE>{'o'}, m_other.CharBytes());
    EXPECT_EQ(std::vector<BYTE>{'w'}, m_window.CharBytes());
}

TEST_F(HookTest, ADestroyedWindowTakesNoMoreCharactersAndItsUseCanStillBeGivenBack)
{
    RecordingWindow doomed;
    ASSERT_TRUE(doomed.CreateTopLevel(40, 200));
    const HWND hDoomed = doomed.m_hWnd;
    JDLLHook hook, survivor;
    ASSERT_TRUE(hook.SetHook(WH_CALLWNDPROC, hDoomed));
    ASSERT_TRUE(survivor.SetHook(WH_CALLWNDPROC, m_other.m_hWnd));
    doomed.DestroyWindow();

    EXPECT_EQ(m_other.m_hWnd, JDLLHook::FindHWnd(WH_CALLWNDPROC)) << "the dead window is no longer named";
    // Windows made afterwards (the handle may come again) are not taken for the dead one.
    RecordingWindow later;
    ASSERT_TRUE(later.CreateTopLevel(40, 300));
    ::SendMessageA(later, WM_IME_CHAR, 'l', 0);
    ::SendMessageA(m_window, WM_IME_CHAR, 'w', 0);
    EXPECT_TRUE(later.CharBytes().empty());
    EXPECT_TRUE(m_window.CharBytes().empty());
    ::SendMessageA(m_other, WM_IME_CHAR, 'o', 0);
    EXPECT_EQ(std::vector<BYTE>{'o'}, m_other.CharBytes()) << "the other use works on";

    hook.ReleaseHook();
    EXPECT_EQ(1, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    survivor.ReleaseHook();
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC));
    later.DestroyWindow();
}

TEST_F(HookTest, AWindowDestroyedByTheCharacterItGetsEndsTheSendingCleanly)
{
    // The window goes on its first WM_CHAR; the second byte of the character has nowhere to go.
    class SelfDestroying : public RecordingWindow {
    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            const LRESULT result = RecordingWindow::WindowProc(message, wParam, lParam);
            if (message == WM_CHAR)
                DestroyWindow();
            return result;
        }
    } window;
    ASSERT_TRUE(window.CreateTopLevel(40, 200));
    JapaneseThreadLocale japanese;
    JDLLHook hook;
    ASSERT_TRUE(hook.SetHook(WH_CALLWNDPROC, window.m_hWnd));
    ::SendMessageA(window, WM_IME_CHAR, kHiraganaA, 0);
    EXPECT_EQ(std::vector<BYTE>{0x82}, window.CharBytes());
    EXPECT_EQ(nullptr, window.m_hWnd);
    EXPECT_EQ(nullptr, JDLLHook::FindHWnd(WH_CALLWNDPROC));
}

TEST_F(HookTest, AThreadsHooksAndRecordsGoWhenTheThreadEnds)
{
    JDLLHook mine;
    ASSERT_TRUE(mine.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    const long alive = ThreadHookRecordsAlive();
    // A worker sets a hook it never gives back; its object outlives it.
    JDLLHook workers;
    HHOOK hWorkerHook = nullptr;
    std::thread([&] {
        workers.SetHook(WH_GETMESSAGE, nullptr);
        hWorkerHook = JDLLHook::FindHook(WH_GETMESSAGE);
        EXPECT_EQ(alive + 1, ThreadHookRecordsAlive());
    }).join();
    ASSERT_NE(nullptr, hWorkerHook);
    EXPECT_EQ(alive, ThreadHookRecordsAlive()) << "the worker's records went with it";
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_GETMESSAGE)) << "this thread never had that hook";
    // Giving back the ended thread's use does not touch this thread's records.
    workers.ReleaseHook();
    EXPECT_FALSE(workers.IsSet());
    EXPECT_EQ(1, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    ::SendMessageA(m_window, WM_IME_CHAR, 'k', 0);
    EXPECT_EQ(std::vector<BYTE>{'k'}, m_window.CharBytes());
}

TEST_F(HookTest, FreeingTheIndexRemovesTheHooksAndLaterUsesStartAgain)
{
    JDLLHook before;
    ASSERT_TRUE(before.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    JDLLHook::FreeHookIndex();
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC));
    ::SendMessageA(m_window, WM_IME_CHAR, 'a', 0);
    EXPECT_TRUE(m_window.CharBytes().empty()) << "the hook was removed";

    JDLLHook after;
    ASSERT_TRUE(after.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    before.ReleaseHook();   // its records are gone: nothing of the new ones is given back
    EXPECT_EQ(1, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    ::SendMessageA(m_window, WM_IME_CHAR, 'b', 0);
    EXPECT_EQ(std::vector<BYTE>{'b'}, m_window.CharBytes());
}

// A main window whose pre-translation claims F5 and Escape, as an accelerator would.
class ClaimingMainWindow : public RecordingWindow {
public:
    int preTranslated = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        ++preTranslated;
        return pMsg->wParam == VK_F5 || pMsg->wParam == VK_ESCAPE;
    }
};

// The next message the queue gives, taken as a foreign message loop would (no pre-translation).
MSG TakeNextMessage(HWND hWnd)
{
    MSG msg{};
    EXPECT_TRUE(::PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE));
    return msg;
}

TEST_F(HookTest, KeysClaimedByThePreTranslationAreBlankedForAForeignMessageLoop)
{
    ClaimingMainWindow main;
    ASSERT_TRUE(main.CreateTopLevel(40, 200));
    testing_support::MainWindowScope scope(&main);
    ASSERT_TRUE(testing_support::MakeForeground(main));
    main.SetFocus();
    testing_support::PumpMessages();
    JDLLHook hook;
    ASSERT_TRUE(hook.SetHook(WH_GETMESSAGE, main.m_hWnd));
    // F5 is blanked; Escape, though claimed, goes on to its window; unclaimed keys are untouched.
    MSG msg{};
    for (WPARAM key : {WPARAM(VK_F5), WPARAM(VK_ESCAPE), WPARAM('A')}) {
        ::PostMessageA(main, WM_KEYDOWN, key, 1);
        msg = TakeNextMessage(main);
        EXPECT_EQ(key == VK_F5 ? UINT(WM_NULL) : UINT(WM_KEYDOWN), msg.message) << key;
        EXPECT_EQ(key == VK_F5 ? 0u : key, msg.wParam) << key;
    }
    EXPECT_EQ(3, main.preTranslated);
    // A peeked message is pre-translated once, when it leaves the queue.
    ::PostMessageA(main, WM_KEYDOWN, VK_F5, 1);
    ::PeekMessageA(&msg, main, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(3, main.preTranslated);
    msg = TakeNextMessage(main);
    EXPECT_EQ((UINT)WM_NULL, msg.message);
    // With the focus outside the main window keys are not the library's business.
    ::SetFocus(nullptr);
    ::PostMessageA(main, WM_KEYDOWN, VK_F5, 1);
    msg = TakeNextMessage(main);
    EXPECT_EQ((UINT)WM_KEYDOWN, msg.message);
    main.DestroyWindow();
}

TEST_F(HookTest, ModalLoopsTheFrameworkDoesNotRunKeepTheirKeys)
{
    // The main window would claim F5; a menu or message box loop still gets it.
    ClaimingMainWindow main;
    ASSERT_TRUE(main.CreateTopLevel(40, 200));
    testing_support::MainWindowScope scope(&main);
    JDLLHook hook;
    ASSERT_TRUE(hook.SetHook(WH_MSGFILTER, main.m_hWnd));
    MSG msg{main.m_hWnd, WM_KEYDOWN, VK_F5, 1, 0, {0, 0}};
    for (int code : {MSGF_MENU, MSGF_DIALOGBOX, MSGF_SCROLLBAR}) {
        EXPECT_FALSE(::CallMsgFilterA(&msg, code)) << code;
    }
    EXPECT_EQ(0, main.preTranslated);
    main.DestroyWindow();
}

TEST_F(HookTest, AUseGivenBackOnAnotherThreadStopsAtOnce)
{
    // A localization-like owner that counts what reaches it through its use.
    JDLLHook* pHook = new JDLLHook;
    ASSERT_TRUE(pHook->SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    ::SendMessageA(m_window, WM_IME_CHAR, 'a', 0);
    EXPECT_EQ(std::vector<BYTE>{'a'}, m_window.CharBytes());

    std::thread([pHook] { delete pHook; }).join();
    m_window.received.clear();
    ::SendMessageA(m_window, WM_IME_CHAR, 'b', 0);
    EXPECT_TRUE(m_window.CharBytes().empty()) << "the use stopped when it was given back";
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC)) << "the hook went at this thread's next message";
    EXPECT_EQ(0, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    // The thread's other uses are untouched.
    JDLLHook again;
    ASSERT_TRUE(again.SetHook(WH_CALLWNDPROC, m_window.m_hWnd));
    ::SendMessageA(m_window, WM_IME_CHAR, 'c', 0);
    EXPECT_EQ(std::vector<BYTE>{'c'}, m_window.CharBytes());
}

}   // namespace
