// A top-level window that records the character and input-method messages it
// gets, for the hook and localization tests.
#pragma once
#include "module.h"
#include "testsupport.h"
#include "unitedit_fixture.h"

#include <imm.h>

#include <gtest/gtest.h>

#include <vector>

using RecordedMessage = ParentMessage;

class RecordingWindow : public CWnd {
public:
    std::vector<RecordedMessage> received;
    LRESULT imeControlAnswer = 0;
    COMPOSITIONFORM lastCompositionForm{};

    BOOL CreateTopLevel(int x = 40, int y = 40)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "Recording window", WS_POPUP | WS_VISIBLE, x, y, 200, 80, nullptr,
                        nullptr);
    }
    std::vector<RecordedMessage> Received(UINT message) const
    {
        std::vector<RecordedMessage> found;
        for (const RecordedMessage& m : received)
            if (m.message == message)
                found.push_back(m);
        return found;
    }
    // The bytes of the WM_CHAR messages received, in order.
    std::vector<BYTE> CharBytes() const
    {
        std::vector<BYTE> bytes;
        for (const RecordedMessage& m : Received(WM_CHAR))
            bytes.push_back((BYTE)m.wParam);
        return bytes;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const bool input = message == WM_CHAR || message == WM_IME_CHAR || message == WM_IME_CONTROL ||
                           (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_COMPOSITION) ||
                           (message >= WM_IME_SETCONTEXT && message <= WM_IME_KEYUP);
        if (!input)
            return CWnd::WindowProc(message, wParam, lParam);
        received.push_back({message, wParam, lParam});
        if (message == WM_IME_CONTROL && wParam == IMC_SETCOMPOSITIONWINDOW && lParam)
            lastCompositionForm = *reinterpret_cast<const COMPOSITIONFORM*>(lParam);
        // Input-method messages stop here: the default handling would make characters of its own.
        return message == WM_IME_CONTROL ? imeControlAnswer : 0;
    }
};

// Two recording windows with the library started around them.
class TwoRecordingWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlAttachProcess(::GetModuleHandleA(nullptr));
        ASSERT_TRUE(m_window.CreateTopLevel());
        ASSERT_TRUE(m_other.CreateTopLevel(300, 40));
        testing_support::PumpMessages();
        m_window.received.clear();
        m_other.received.clear();
    }
    void TearDown() override
    {
        m_window.DestroyWindow();
        m_other.DestroyWindow();
        testing_support::PumpMessages();
        ControlDetachProcess();
    }

    RecordingWindow m_window;
    RecordingWindow m_other;
};
