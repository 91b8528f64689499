// Message maps with real windows: handlers, chaining to base maps,
// registered messages, commands and notifications.
#include "testsupport.h"

#include <gtest/gtest.h>

using testing_support::PumpMessages;

namespace {

const UINT kPingMessage = ::RegisterWindowMessageA("CONTROLTESTPING");
const UINT kOtherMessage = ::RegisterWindowMessageA("CONTROLTESTOTHER");
constexpr UINT kCustomMessage = WM_USER + 7;

class CBaseProbe : public CWnd {
public:
    std::vector<std::string> log;
    int created = 0;

    BOOL CreateTop() { return CreateEx(0, nullptr, "probe", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        ++created;
        log.push_back(std::string("create:") + (cs->lpszName ? cs->lpszName : ""));
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        log.push_back("size:" + std::to_string(cx) + "x" + std::to_string(cy));
    }
    afx_msg LRESULT OnCustom(WPARAM w, LPARAM l)
    {
        log.push_back("base-custom");
        return (LRESULT)(w + l);
    }
    afx_msg LRESULT OnPing(WPARAM w, LPARAM)
    {
        log.push_back("ping");
        return (LRESULT)w * 2;
    }
    afx_msg void OnLButtonDown(UINT, CPoint p)
    {
        log.push_back("down:" + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    afx_msg void OnOpen() { log.push_back("cmd-open"); }
    afx_msg void OnTool(UINT id) { log.push_back("cmd-tool:" + std::to_string(id)); }
    afx_msg void OnClicked() { log.push_back("clicked"); }
    afx_msg void OnItemNotify(NMHDR* hdr, LRESULT* result)
    {
        log.push_back("notify:" + std::to_string(hdr->idFrom));
        *result = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(kCustomMessage, OnCustom)
    ON_REGISTERED_MESSAGE(kPingMessage, OnPing)
    ON_COMMAND(100, OnOpen)
    ON_COMMAND_RANGE(200, 209, OnTool)
    ON_BN_CLICKED(300, OnClicked)
    ON_NOTIFY(NM_CLICK, 400, OnItemNotify)
END_MESSAGE_MAP()

// Overrides one handler in its own map and inherits the rest.
class CDerivedProbe : public CBaseProbe {
protected:
    afx_msg LRESULT OnCustom(WPARAM, LPARAM)
    {
        log.push_back("derived-custom");
        return -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
    ON_MESSAGE(kCustomMessage, OnCustom)
END_MESSAGE_MAP()

TEST(MessageMap, HandlersReceiveCrackedArgumentsSentAndPosted)
{
    CBaseProbe probe;
    ASSERT_TRUE(probe.CreateTop());
    EXPECT_EQ(1, probe.created);
    EXPECT_EQ(probe.log.front(), "create:probe");
    EXPECT_EQ(&probe, CWnd::FromHandlePermanent(probe.m_hWnd));
    probe.log.clear();
    ::SetWindowPos(probe.m_hWnd, nullptr, 0, 0, 150, 70, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageA(probe.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
    EXPECT_EQ(7, ::SendMessageA(probe.m_hWnd, kCustomMessage, 3, 4));
    ::SendMessageA(probe.m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(40000, 33000));   // sizes beyond a short
    ASSERT_GE(probe.log.size(), 4u);
    EXPECT_EQ("size:150x70", probe.log[0]);
    EXPECT_EQ("down:12,34", probe.log[1]);
    EXPECT_EQ("base-custom", probe.log[2]);
    EXPECT_EQ("size:40000x33000", probe.log[3]);
    // Posted ones arrive through the pump.
    probe.log.clear();
    probe.PostMessage(kPingMessage, 5);
    probe.PostMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(-3, 9));   // signed coordinates
    EXPECT_TRUE(probe.log.empty());
    PumpMessages();
    EXPECT_EQ((std::vector<std::string>{"ping", "down:-3,9"}), probe.log);
}

TEST(MessageMap, EntriesMatchTheirMessagesIdsAndCodesAndDerivedMapsOverride)
{
    CBaseProbe probe;
    ASSERT_TRUE(probe.CreateTop());
    probe.log.clear();
    EXPECT_EQ(10, ::SendMessageA(probe.m_hWnd, kPingMessage, 5, 0));
    EXPECT_EQ(0, ::SendMessageA(probe.m_hWnd, kOtherMessage, 5, 0));   // a registered message matches its own value
    ::SendMessageA(probe.m_hWnd, WM_COMMAND, MAKEWPARAM(100, 0), 0);
    ::SendMessageA(probe.m_hWnd, WM_COMMAND, MAKEWPARAM(205, 0), 0);
    ::SendMessageA(probe.m_hWnd, WM_COMMAND, MAKEWPARAM(210, 0), 0);   // outside the range
    ::SendMessageA(probe.m_hWnd, WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), 0);
    ::SendMessageA(probe.m_hWnd, WM_COMMAND, MAKEWPARAM(300, BN_DOUBLECLICKED), 0);   // other code
    ::SendMessageA(probe.m_hWnd, WM_COMMAND, MAKEWPARAM(100, EN_CHANGE), 0);          // not a menu command
    NMHDR hdr{nullptr, 400, (UINT)NM_CLICK};
    EXPECT_EQ(42, ::SendMessageA(probe.m_hWnd, WM_NOTIFY, 400, (LPARAM)&hdr));
    hdr.idFrom = 401;
    EXPECT_EQ(0, ::SendMessageA(probe.m_hWnd, WM_NOTIFY, 401, (LPARAM)&hdr));
    EXPECT_EQ((std::vector<std::string>{"ping", "cmd-open", "cmd-tool:205", "clicked", "notify:400"}), probe.log);
    CDerivedProbe derived;
    ASSERT_TRUE(derived.CreateTop());
    EXPECT_EQ(1, derived.created);   // inherited WM_CREATE entry
    EXPECT_EQ(-1, ::SendMessageA(derived.m_hWnd, kCustomMessage, 3, 4));
}

// A subclassed system control keeps its own behaviour for unmapped messages.
class CKeyCountingEdit : public CWnd {
public:
    int chars = 0;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++chars;
        if (nChar != 'x')   // swallow x, let the edit control have the rest
            CWnd::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyCountingEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(MessageMap, SystemClassKeepsDefaultProcessing)
{
    CKeyCountingEdit edit;
    ASSERT_TRUE(edit.CreateEx(0, "EDIT", "", WS_POPUP, 0, 0, 120, 24, nullptr, nullptr));
    edit.SetWindowText("ab");
    ::SendMessageA(edit.m_hWnd, EM_SETSEL, 2, 2);
    for (char c : std::string("cxd"))
        ::SendMessageA(edit.m_hWnd, WM_CHAR, (WPARAM)c, 1);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("abcd", text);
    EXPECT_EQ(3, edit.chars);
}

// PreTranslateMessage is offered from the target window up its parents.
class CTranslatingParent : public CWnd {
public:
    int seen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
            ++seen;
            return TRUE;
        }
        return FALSE;
    }
};

TEST(MessageMap, PreTranslateWalksParentsOfTheTarget)
{
    CTranslatingParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CKeyCountingEdit child;
    ASSERT_TRUE(child.Create("EDIT", "", WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 1));
    child.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    child.PostMessage(WM_KEYDOWN, 'A', 1);
    PumpMessages();
    EXPECT_EQ(1, parent.seen);
}

}   // namespace
