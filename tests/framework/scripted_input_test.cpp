// The scripted-input seam itself: real input under the null display driver, modal loops
// driven by scripts, and the watchdog that ends loops a script does not.
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using testing_support::PumpUntil;
using testing_support::ScriptedInput;

namespace {

const UINT ID_FIRST = 301, ID_SECOND = 302, ID_NESTED = 303;

// A top-level window that records the input and commands it receives.
class CInputProbe : public CWnd {
public:
    std::vector<MSG> seen;

    BOOL CreateAt(int x = 200, int y = 150)
    {
        return CreateEx(0, nullptr, "probe", WS_POPUP | WS_VISIBLE, x, y, 120, 80, nullptr, nullptr);
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (const MSG& msg : seen)
            n += msg.message == message;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
            (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_COMMAND)
            seen.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

HMENU CreateProbeMenu()
{
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, ID_NESTED, "Nested");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_FIRST, "First");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "More");
    ::AppendMenuA(hMenu, MF_STRING, ID_SECOND, "Second");
    return hMenu;
}

// Presses the left button at a point of the probe, as the click that starts a drag.
void PressButtonAt(CInputProbe& probe, CPoint screen)
{
    testing_support::SendMouseButton(screen, true);
    ASSERT_TRUE(PumpUntil([&] { return probe.Count(WM_LBUTTONDOWN) == 1; }));
}

TEST(ScriptedInput, BackgroundRunnerDrivesALoopThatDoesNotDispatchAndDragDetection)
{
    CInputProbe probe;
    ASSERT_TRUE(probe.CreateAt());
    ASSERT_TRUE(testing_support::MakeForeground(probe.m_hWnd));
    {
        ScriptedInput script(ScriptedInput::Runner::kBackgroundThread);
        script.Wait(50).Key(VK_SPACE);
        // A loop that only takes keyboard messages: a thread timer would never fire here.
        MSG msg{};
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 3000;) {
            if (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) && msg.message == WM_KEYDOWN)
                break;
            ::Sleep(5);
        }
        EXPECT_EQ((UINT)WM_KEYDOWN, msg.message);
        EXPECT_EQ((WPARAM)VK_SPACE, msg.wParam);
        EXPECT_TRUE(script.Done());
    }
    // And drag detection, which only reads the mouse.
    const CPoint start(230, 190);
    PressButtonAt(probe, start);
    {
        ScriptedInput script(ScriptedInput::Runner::kBackgroundThread);
        script.Wait(50).Then(
            [&] {
                testing_support::MoveMouse(start + CSize(20, 0));
                return true;
            },
            "drag away");
        EXPECT_TRUE(::DragDetect(probe.m_hWnd, start));
    }
    testing_support::SendMouseButton(start, false);
    testing_support::PumpMessages();
}

// Modal loops a script ignores end when the watchdog fires: a message box, a popup menu, a
// drag loop that filters on its window (never seeing the thread timer: the posted cancel and
// Escape end it) and a drag detection (only the mouse: the button release ends it).
TEST(ScriptedInputWatchdog, EndsModalLoopsTheScriptIgnores)
{
    CInputProbe probe;
    ASSERT_TRUE(probe.CreateAt());
    const CPoint start(230, 190);
    const std::function<bool()> loops[] = {
        [] {
            ::MessageBoxA(nullptr, "Nobody answers this", "Probe", MB_OK);
            return testing_support::FindMessageBox() == nullptr;
        },
        [&] {
            HMENU hMenu = CreateProbeMenu();
            const BOOL chosen = ::TrackPopupMenu(hMenu, TPM_RETURNCMD, 210, 160, 0, probe.m_hWnd, nullptr);
            ::DestroyMenu(hMenu);
            return chosen == 0;
        },
        [&] {
            probe.SetCapture();
            MSG msg;
            bool cancelled = false;
            while (!cancelled && ::GetMessageA(&msg, probe.m_hWnd, 0, 0) > 0) {
                cancelled = msg.message == WM_CANCELMODE || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
                ::DispatchMessageA(&msg);
            }
            ::ReleaseCapture();
            return cancelled;
        },
        [&] {
            probe.seen.clear();
            PressButtonAt(probe, start);
            return !::DragDetect(probe.m_hWnd, start);
        },
    };
    for (size_t i = 0; i < std::size(loops); ++i) {
        ASSERT_TRUE(testing_support::MakeForeground(probe.m_hWnd));
        const DWORD begin = ::GetTickCount();
        ScriptedInput script(ScriptedInput::Runner::kTestThreadTimer, 300);
        script.ExpectTimeout();
        EXPECT_TRUE(loops[i]()) << i;
        EXPECT_TRUE(script.TimedOut()) << i;
        EXPECT_LT(::GetTickCount() - begin, 3000u) << i;
    }
}

TEST(ScriptedInputWatchdog, ReportsTimeoutsAndUnfinishedSteps)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInput script(ScriptedInput::Runner::kTestThreadTimer, 200);
            ::MessageBoxA(nullptr, "Ignored", "Probe", MB_OK);
        },
        "still running after 200 ms");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInput script;
            script.PressDialogButton(testing_support::FindMessageBox, IDOK)
                .WaitFor([] { return (HWND) nullptr; }, "the next box");
            ::MessageBoxA(nullptr, "Only one", "Probe", MB_OK);
        },
        "step 2 (wait for the next box)");
}

// When even the cancelling fails, the process ends instead of hanging the test run.
TEST(ScriptedInputWatchdogDeathTest, EndsTheProcessWhenTheTestThreadStaysStuck)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ScriptedInput script(ScriptedInput::Runner::kTestThreadTimer, 100);
            script.SetGracePeriod(1000);
            ::Sleep(INFINITE);
        },
        ::testing::ExitedWithCode(3), "still stuck in a modal loop");
}

}   // namespace
