// A started library and a top-level parent window that records what its unit
// edits tell it.
#pragma once
#include "junitedit.h"
#include "module.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

struct ParentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const ParentMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ParentMessage& m)
{
    return out << "{0x" << std::hex << m.message << ", " << std::dec << m.wParam << ", " << m.lParam << "}";
}

class RecordingParent : public CWnd {
public:
    std::vector<ParentMessage> received;
    // Only these messages are recorded.
    std::vector<UINT> recorded{JUM_LOCKVALUE, JUM_UNLOCKVALUE, JUM_BADVALUE, WM_COMMAND};

    BOOL CreateTopLevel(int width = 320, int height = 200)
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)),
                        "Unit edit parent", WS_POPUP | WS_VISIBLE, 20, 20, width, height, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // WM_COMMAND only with notification 0: the edit's own EN_ notifications are no concern here.
        const bool editNotification = message == WM_COMMAND && HIWORD(wParam) != 0;
        for (UINT wanted : recorded)
            if (wanted == message && !editNotification)
                received.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class UnitEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlAttachProcess(::GetModuleHandleA(nullptr));
        ASSERT_TRUE(m_parent.CreateTopLevel());
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        testing_support::PumpMessages();
        ControlDetachProcess();
    }

    static CString TextOf(const CWnd& wnd)
    {
        CString text;
        wnd.GetWindowText(text);
        return text;
    }
    // A value as the control shows it in its local format and units.
    template <class Control>
    static CString Formatted(const Control& control, double value)
    {
        const tagUomFormat format = control.GetLocalFormat();
        UINT units[3];
        control.GetLocalUnits(&units[0], &units[1], &units[2]);
        GUserText text;
        FormatUnit(control.GetUnitType(), value, text, &format, &units[0], &units[1], &units[2]);
        return text.Text();
    }
    // Real input reaches the queue a little later: pump until it has been handled.
    static void Settle()
    {
        for (int round = 0; round < 10; ++round) {
            ::Sleep(10);
            testing_support::PumpMessages();
        }
    }
    // Types text (if any), presses key (if any), and lets the queue settle.
    static void Enter(const char* text, WORD key = VK_RETURN)
    {
        if (*text)
            testing_support::TypeText(text);
        if (key)
            testing_support::PressKey(key);
        Settle();
    }
    // Clicks the middle of another window, taking the focus away as a user would.
    static void ClickOn(const CWnd& other)
    {
        CRect rect;
        other.GetWindowRect(&rect);
        testing_support::ClickAt(rect.CenterPoint());
        Settle();
    }
    // Runs action, which must raise a message box, answers it with OK; the box's text.
    static CString AnswerMessageBox(const std::function<void()>& action)
    {
        using namespace testing_support;
        CString text;
        ScriptedInput script;
        script.WaitFor(FindMessageBox, "message box")
            .Then([&] {
                text = GetMessageBoxText(FindMessageBox());
                return true;
            })
            .PressDialogButton(FindMessageBox, IDOK);
        action();
        Settle();
        EXPECT_TRUE(script.Done());
        return text;
    }

    RecordingParent m_parent;
};
