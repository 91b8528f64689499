// A started library, a foreground parent that records (and may answer) its children's
// notifications, real input helpers, and the user's locale pinned for one scope.
#pragma once
#include "jfieldcontrol.h"
#include "module.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

// Sets values of the user's locale and puts the old ones back afterwards. The short
// date format gives the date order and leading zeros, the time format the clock, the
// hour's leading zero and the marker's place.
class PinnedLocale {
public:
    PinnedLocale(std::vector<std::pair<LCTYPE, const char*>> values)
    {
        for (auto [type, value] : values) {
            char old[80] = "";
            ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, old, sizeof old);
            m_old.emplace_back(type, old);
            EXPECT_TRUE(::SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value)) << "locale value " << type;
        }
    }
    ~PinnedLocale()
    {
        for (auto it = m_old.rbegin(); it != m_old.rend(); ++it)
            ::SetLocaleInfoA(LOCALE_USER_DEFAULT, it->first, it->second);
    }

private:
    std::vector<std::pair<LCTYPE, CString>> m_old;
};

class NotifyParent : public CWnd {
public:
    std::vector<UINT> codes;      // WM_NOTIFY codes in the order they came
    NMFIELDSCROLL lastScroll{};   // what the last FCN_SCROLLING said
    int answerValue = -1;         // >= 0: answers the time control's FCN_SCROLLING with this value

    BOOL CreateTopLevel()
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                        "Field parent", WS_POPUP | WS_VISIBLE, 40, 40, 400, 300, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(pHeader->code);
        if (pHeader->code != FCN_SCROLLING)
            return 0;
        lastScroll = *reinterpret_cast<NMFIELDSCROLL*>(lParam);
        if (answerValue < 0)
            return 0;
        reinterpret_cast<NMFIELDSCROLL*>(lParam)->value = answerValue;
        return 1;
    }
};

class FieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlAttachProcess(::GetModuleHandleA(nullptr));
        ASSERT_TRUE(m_parent.CreateTopLevel());
        ASSERT_TRUE(testing_support::MakeForeground(m_parent));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        testing_support::PumpMessages();
        ControlDetachProcess();
    }
    // Real input reaches the queue a little later: pump until it has been handled.
    static void Settle()
    {
        for (int round = 0; round < 8; ++round) {
            ::Sleep(10);
            testing_support::PumpMessages();
        }
    }
    // Keys by name: "Left", "Right", "Up", "Down", "Home", "End", "PgUp", "PgDn", "Enter",
    // "Esc"; anything else is typed as characters.
    static void Press(const std::vector<const char*>& keys, bool settle = true)
    {
        static const std::pair<const char*, WORD> named[] = {
            {"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Up", VK_UP},     {"Down", VK_DOWN},    {"Home", VK_HOME},
            {"End", VK_END},   {"PgUp", VK_PRIOR},  {"PgDn", VK_NEXT}, {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},
        };
        for (const char* key : keys) {
            const auto it = std::find_if(std::begin(named), std::end(named),
                                         [&](const auto& entry) { return strcmp(entry.first, key) == 0; });
            if (it != std::end(named))
                testing_support::PressKey(it->second);
            else
                testing_support::TypeText(key);
        }
        if (settle)
            Settle();
    }

    NotifyParent m_parent;
};
