// Dialogs driven as a user would: modal and modeless dialogs from the resource
// module's template, data exchange, the modal loop (idle work, nesting, WM_QUIT)
// and the common dialogs. Every modal loop runs under scripted input with a watchdog.
#include "testsupport.h"

#include "cntlrc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using testing_support::PumpMessages;

namespace {

// ---- scripted input ----

// Runs steps from a thread timer, which fires inside any loop that dispatches
// this thread's messages (the framework's modal loop or a system dialog's).
// A step returns true when done, false to be tried again on the next tick.
// If the script has not finished after the timeout, a watchdog thread keeps
// cancelling the thread's dialogs until the test gets control back.
class ScriptedInput {
public:
    using Step = std::function<bool()>;

    explicit ScriptedInput(std::vector<Step> steps, DWORD timeoutMs = 10000)
        : m_steps(std::move(steps)), m_threadId(::GetCurrentThreadId())
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &ScriptedInput::OnTimer);
        m_watchdog = std::thread([this, timeoutMs] { Watch(timeoutMs); });
    }

    ~ScriptedInput()
    {
        ::KillTimer(nullptr, m_timer);
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_stop = true;
        }
        m_wake.notify_all();
        m_watchdog.join();
        s_current = nullptr;
    }

    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    bool Finished() const { return m_next == m_steps.size(); }
    bool TimedOut() const { return m_timedOut; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        ScriptedInput* self = s_current;
        // A step may start a loop that dispatches this timer again: no re-entry.
        if (!self || self->m_busy || self->Finished() || self->m_timedOut)
            return;
        self->m_busy = true;
        if (self->m_steps[self->m_next]())
            ++self->m_next;
        self->m_busy = false;
    }

    static bool IsDialog(HWND hWnd)
    {
        char name[16] = {};
        ::GetClassNameA(hWnd, name, sizeof name);
        return lstrcmpA(name, "#32770") == 0;
    }

    // Cancels the thread's visible dialogs; with none up, closes its other
    // visible windows (a plain window running a modal loop).
    static BOOL CALLBACK Unblock(HWND hWnd, LPARAM lParam)
    {
        const bool dialogsUp = lParam != 0;
        if (!::IsWindowVisible(hWnd) || IsDialog(hWnd) != dialogsUp)
            return TRUE;
        if (dialogsUp)
            ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
        return TRUE;
    }

    static BOOL CALLBACK FindAnyDialog(HWND hWnd, LPARAM lParam)
    {
        if (::IsWindowVisible(hWnd) && IsDialog(hWnd))
            *reinterpret_cast<bool*>(lParam) = true;
        return TRUE;
    }

    void Watch(DWORD timeoutMs)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_stop; }))
            return;
        m_timedOut = true;
        while (!m_stop) {
            bool dialogsUp = false;
            ::EnumThreadWindows(m_threadId, &ScriptedInput::FindAnyDialog, reinterpret_cast<LPARAM>(&dialogsUp));
            ::EnumThreadWindows(m_threadId, &ScriptedInput::Unblock, dialogsUp);
            m_wake.wait_for(lock, std::chrono::milliseconds(300), [this] { return m_stop; });
        }
    }

    static inline ScriptedInput* s_current = nullptr;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_busy = false;
    const DWORD m_threadId;
    UINT_PTR m_timer = 0;
    std::thread m_watchdog;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::atomic<bool> m_timedOut{false};
};

struct FindDialogQuery {
    LPCSTR title;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam)
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
HWND FindDialog(LPCSTR title = nullptr, HWND exclude = nullptr)
{
    FindDialogQuery query{title, exclude, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

const char kProbeTitle[] = "Framework Probe";

// Typing replaces the control's text, as after selecting all of it.
void Type(HWND hDlg, int nIDC, const char* text)
{
    const HWND hEdit = ::GetDlgItem(hDlg, nIDC);
    ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
    for (const char* p = text; *p; ++p)
        ::PostMessageA(hEdit, WM_CHAR, (WPARAM)(unsigned char)*p, 1);
}

// A key pressed in a control, through the queue (and so through pre-translation).
void PressKey(HWND hDlg, int nIDC, UINT vk)
{
    const HWND hCtrl = ::GetDlgItem(hDlg, nIDC);
    ::PostMessageA(hCtrl, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hCtrl, WM_KEYUP, vk, 0xC0000001);
}

std::string TextOf(HWND hDlg, int nIDC)
{
    char text[256] = {};
    ::GetDlgItemTextA(hDlg, nIDC, text, sizeof text);
    return text;
}

// ---- the probe dialog ----

class CProbeDialog : public CDialog {
public:
    explicit CProbeDialog(CWnd* pParent = nullptr) : CDialog(IDD_FRAMEWORK_PROBE, pParent) {}

    CString m_name;
    int m_count = 0;
    int m_enabled = BST_UNCHECKED;
    CListBox m_items;

    int initCalls = 0;
    int kickIdle = 0;
    std::function<void(CProbeDialog&)> onApp;   // runs on a posted WM_APP

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        const BOOL result = CDialog::OnInitDialog();
        m_items.AddString("first");
        m_items.AddString("second");
        return result;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PROBE_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 12);
        DDX_Text(pDX, IDC_PROBE_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 0, 100);
        DDX_Check(pDX, IDC_PROBE_ENABLED, m_enabled);
        DDX_Control(pDX, IDC_PROBE_ITEMS, m_items);
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kickIdle;
        return 0;
    }
    afx_msg LRESULT OnApp(WPARAM, LPARAM)
    {
        if (onApp)
            onApp(*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(WM_APP, OnApp)
END_MESSAGE_MAP()

// Dialog templates come from the resource module, made current as the library does.
class DialogTest : public ::testing::Test {
protected:
    static HMODULE Resources()
    {
        static HMODULE module = [] {
            char path[MAX_PATH] = {};
            ::GetModuleFileNameA(nullptr, path, MAX_PATH);
            std::string dir(path);
            dir.resize(dir.find_last_of("\\/") + 1);
            return ::LoadLibraryExA((dir + "cntlrc.drx").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        }();
        return module;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, Resources());
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                     nullptr));
    }

    void TearDown() override { PumpMessages(); }

    CResourceSwitch m_switch{Resources()};
    CWnd m_owner;
};

// ---- modal ----

TEST_F(DialogTest, ModalOkExchangesTypedValuesAndFreesTheOwner)
{
    CProbeDialog dlg(&m_owner);
    dlg.m_name = "start";
    dlg.m_count = 3;
    bool ownerDisabled = false;
    std::string shownName, shownCount;
    ScriptedInput script({
        [&] {
            const HWND hDlg = FindDialog(kProbeTitle);
            if (!hDlg)
                return false;
            ownerDisabled = !::IsWindowEnabled(m_owner.m_hWnd);
            shownName = TextOf(hDlg, IDC_PROBE_NAME);
            shownCount = TextOf(hDlg, IDC_PROBE_COUNT);
            Type(hDlg, IDC_PROBE_NAME, "Ada");
            Type(hDlg, IDC_PROBE_COUNT, "42");
            ::PostMessageA(::GetDlgItem(hDlg, IDC_PROBE_ENABLED), BM_CLICK, 0, 0);
            return true;
        },
        [&] {
            PressKey(FindDialog(kProbeTitle), IDC_PROBE_NAME, VK_RETURN);
            return true;
        },
    });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ("start", shownName);   // loaded by OnInitDialog
    EXPECT_EQ("3", shownCount);
    EXPECT_STREQ("Ada", dlg.m_name);
    EXPECT_EQ(42, dlg.m_count);
    EXPECT_EQ(BST_CHECKED, dlg.m_enabled);
    EXPECT_EQ(1, dlg.initCalls);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_items.m_hWnd);   // the subclassed control went with the dialog
    EXPECT_EQ(Resources(), dlg.GetTemplateModule());
}

TEST_F(DialogTest, EscapeCancelsAndLeavesTheMembers)
{
    CProbeDialog dlg(&m_owner);
    dlg.m_name = "kept";
    ScriptedInput script({
        [&] {
            const HWND hDlg = FindDialog(kProbeTitle);
            if (!hDlg)
                return false;
            Type(hDlg, IDC_PROBE_NAME, "discarded");
            PressKey(hDlg, IDC_PROBE_NAME, VK_ESCAPE);
            return true;
        },
    });

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_STREQ("kept", dlg.m_name);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));

    // The same object runs again.
    ScriptedInput again({
        [&] {
            const HWND hDlg = FindDialog(kProbeTitle);
            if (hDlg)
                ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
            return hDlg != nullptr;
        },
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(again.TimedOut());
    EXPECT_EQ(2, dlg.initCalls);
}

TEST_F(DialogTest, InvalidFieldKeepsTheDialogOpenUntilCorrected)
{
    CProbeDialog dlg(&m_owner);
    std::string prompt;
    HWND focusAfterPrompt = nullptr, countEdit = nullptr;
    HWND hDlg = nullptr;
    ScriptedInput script({
        [&] {
            if (!(hDlg = FindDialog(kProbeTitle)))
                return false;
            countEdit = ::GetDlgItem(hDlg, IDC_PROBE_COUNT);
            Type(hDlg, IDC_PROBE_COUNT, "many");
            PressKey(hDlg, IDC_PROBE_COUNT, VK_RETURN);
            return true;
        },
        [&] {
            // The complaint is a message box over the dialog.
            const HWND hBox = FindDialog(nullptr, hDlg);
            if (!hBox)
                return false;
            char text[256] = {};
            ::GetDlgItemTextA(hBox, 0xFFFF, text, sizeof text);
            prompt = text;
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (FindDialog(nullptr, hDlg))
                return false;   // the box is still closing
            focusAfterPrompt = ::GetFocus();
            Type(hDlg, IDC_PROBE_COUNT, "7");
            PressKey(hDlg, IDC_PROBE_COUNT, VK_RETURN);
            return true;
        },
    });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(script.Finished());
    EXPECT_NE(std::string::npos, prompt.find("whole number")) << prompt;
    EXPECT_EQ(countEdit, focusAfterPrompt);
    EXPECT_EQ(7, dlg.m_count);
}

TEST_F(DialogTest, IdleWorkRunsWhileTheDialogWaitsWithoutSpinning)
{
    CProbeDialog dlg(&m_owner);
    DWORD shownAt = 0;
    ScriptedInput script({
        [&] {
            if (!FindDialog(kProbeTitle))
                return false;
            shownAt = ::GetTickCount();
            return true;
        },
        [&] {
            if (::GetTickCount() - shownAt < 400)
                return false;
            PressKey(FindDialog(kProbeTitle), IDC_PROBE_NAME, VK_ESCAPE);
            return true;
        },
    });

    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(script.TimedOut());
    // Idle work runs after each burst of messages (the script's timer ticks every
    // 30 ms), not in a busy loop: a spinning loop would kick thousands of times.
    EXPECT_GT(dlg.kickIdle, 0);
    EXPECT_LT(dlg.kickIdle, 200);
}

TEST_F(DialogTest, QuitEndsTheLoopAndReachesTheOuterLoop)
{
    CProbeDialog dlg(&m_owner);
    ScriptedInput script({
        [&] {
            if (!FindDialog(kProbeTitle))
                return false;
            ::PostQuitMessage(9);
            return true;
        },
    });

    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(9u, msg.wParam);
}

TEST_F(DialogTest, NestedDialogDisablesItsOwnerDialogAndReturnsFirst)
{
    CProbeDialog outer(&m_owner);
    INT_PTR innerResult = 0;
    bool outerDisabledDuringInner = false, outerEnabledAfterInner = false;
    outer.onApp = [&](CProbeDialog& self) {
        CProbeDialog inner(&self);
        innerResult = inner.DoModal();
        outerEnabledAfterInner = self.IsWindowEnabled();
    };
    HWND hOuter = nullptr, hInner = nullptr;
    ScriptedInput script({
        [&] {
            if (!(hOuter = FindDialog(kProbeTitle)))
                return false;
            ::PostMessageA(hOuter, WM_APP, 0, 0);
            return true;
        },
        [&] {
            if (!(hInner = FindDialog(kProbeTitle, hOuter)))
                return false;
            outerDisabledDuringInner = !::IsWindowEnabled(hOuter);
            EXPECT_EQ(hOuter, ::GetWindow(hInner, GW_OWNER));
            PressKey(hInner, IDC_PROBE_NAME, VK_ESCAPE);
            return true;
        },
        [&] {
            if (::IsWindow(hInner))
                return false;
            Type(hOuter, IDC_PROBE_NAME, "outer");
            PressKey(hOuter, IDC_PROBE_NAME, VK_RETURN);
            return true;
        },
    });

    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(IDCANCEL, innerResult);
    EXPECT_TRUE(outerDisabledDuringInner);
    EXPECT_TRUE(outerEnabledAfterInner);
    EXPECT_STREQ("outer", outer.m_name);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
}

TEST_F(DialogTest, EndingTheOuterDialogFromTheNestedOneEndsBothLoops)
{
    CProbeDialog outer(&m_owner);
    INT_PTR innerResult = 0;
    outer.onApp = [&](CProbeDialog& self) {
        CProbeDialog inner(&self);
        inner.onApp = [&](CProbeDialog& in) {
            self.EndDialog(7);
            in.EndDialog(8);
        };
        innerResult = inner.DoModal();
    };
    HWND hOuter = nullptr;
    ScriptedInput script({
        [&] {
            if (!(hOuter = FindDialog(kProbeTitle)))
                return false;
            ::PostMessageA(hOuter, WM_APP, 0, 0);
            return true;
        },
        [&] {
            const HWND hInner = FindDialog(kProbeTitle, hOuter);
            if (hInner)
                ::PostMessageA(hInner, WM_APP, 0, 0);
            return hInner != nullptr;
        },
    });

    EXPECT_EQ(7, outer.DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(8, innerResult);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
}

TEST_F(DialogTest, EndDialogInOnInitDialogSkipsTheLoop)
{
    class CQuick : public CProbeDialog {
    protected:
        BOOL OnInitDialog() override
        {
            CProbeDialog::OnInitDialog();
            EndDialog(5);
            return TRUE;
        }
    } dlg;
    ScriptedInput script({});   // nothing to do; the watchdog guards a hang
    EXPECT_EQ(5, dlg.DoModal());
    EXPECT_FALSE(script.TimedOut());
}

TEST_F(DialogTest, MissingTemplateFailsWithoutAWindow)
{
    CDialog dlg(9999, &m_owner);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
    CDialog modeless;
    EXPECT_FALSE(modeless.Create(9999));
    EXPECT_EQ(nullptr, modeless.m_hWnd);
}

TEST_F(DialogTest, TemplatesAreFoundWhenTheDialogRunsAndFallBackToTheProgram)
{
    // Made while the program is the resource module; run while the resource module is current.
    std::unique_ptr<CProbeDialog> outer;
    {
        CResourceSwitch program(::GetModuleHandleA(nullptr));
        outer = std::make_unique<CProbeDialog>(&m_owner);
    }
    INT_PTR fallbackResult = 0;
    HINSTANCE fallbackModule = nullptr;
    outer->onApp = [&](CProbeDialog& self) {
        // Not in the resource module: the program's own template is used.
        CDialog fallback(2199, &self);
        fallbackResult = fallback.DoModal();
        fallbackModule = fallback.GetTemplateModule();
    };
    HWND hOuter = nullptr;
    ScriptedInput script({
        [&] {
            if (!(hOuter = FindDialog(kProbeTitle)))
                return false;
            ::PostMessageA(hOuter, WM_APP, 0, 0);
            return true;
        },
        [&] {
            const HWND hFallback = FindDialog("Fallback Probe");
            if (hFallback)
                ::PostMessageA(hFallback, WM_COMMAND, IDOK, 0);
            return hFallback != nullptr;
        },
        [&] {
            if (FindDialog("Fallback Probe"))
                return false;
            ::PostMessageA(hOuter, WM_CLOSE, 0, 0);
            return true;
        },
    });

    EXPECT_EQ(IDCANCEL, outer->DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(IDOK, fallbackResult);
    EXPECT_EQ(::GetModuleHandleA(nullptr), fallbackModule);
    EXPECT_EQ(Resources(), outer->GetTemplateModule());
}

// An in-memory template: a caption, an edit (ID 10) and a default OK button.
std::vector<WORD> MakeTemplate(const char* caption)
{
    std::vector<WORD> t;   // heap storage: DWORD-aligned from the start
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&](const char* s) {
        for (; *s; ++s)
            t.push_back((WORD)(unsigned char)*s);
        t.push_back(0);
    };
    auto item = [&](DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const char* title) {
        if (t.size() % 2)
            t.push_back(0);   // items start on a DWORD
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        for (short v : {x, y, cx, cy})
            t.push_back((WORD)v);
        t.push_back(id);
        t.push_back(0xFFFF);
        t.push_back(classAtom);
        text(title);
        t.push_back(0);   // no creation data
    };
    dword(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT);
    dword(0);
    t.push_back(2);   // items
    for (short v : {0, 0, 150, 40})
        t.push_back((WORD)v);
    t.push_back(0);   // no menu
    t.push_back(0);   // standard class
    text(caption);
    t.push_back(8);
    text("MS Shell Dlg");
    item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 80, 12, 10, 0x0081, "");
    item(BS_DEFPUSHBUTTON | WS_TABSTOP, 95, 5, 50, 14, IDOK, 0x0080, "OK");
    return t;
}

class CMemoryDialog : public CDialog {
public:
    CString m_text;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 10, m_text); }
};

TEST_F(DialogTest, InMemoryTemplatesRunModalAndModeless)
{
    const std::vector<WORD> memory = MakeTemplate("Memory Probe");
    const auto* pTemplate = reinterpret_cast<LPCDLGTEMPLATEA>(memory.data());

    CMemoryDialog modal;
    ASSERT_TRUE(modal.InitModalIndirect(pTemplate, &m_owner));
    ScriptedInput script({
        [&] {
            const HWND hDlg = FindDialog("Memory Probe");
            if (!hDlg)
                return false;
            Type(hDlg, 10, "from memory");
            PressKey(hDlg, 10, VK_RETURN);
            return true;
        },
    });
    EXPECT_EQ(IDOK, modal.DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_STREQ("from memory", modal.m_text);

    CMemoryDialog modeless;
    modeless.m_text = "shown";
    ASSERT_TRUE(modeless.CreateIndirect(pTemplate, &m_owner));
    EXPECT_EQ("shown", TextOf(modeless.m_hWnd, 10));
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), (LONG)modeless.GetDefID());
    modeless.GotoDlgCtrl(modeless.GetDlgItem(10));
    EXPECT_EQ(::GetDlgItem(modeless.m_hWnd, 10), ::GetFocus());
    modeless.NextDlgCtrl();
    EXPECT_EQ(::GetDlgItem(modeless.m_hWnd, IDOK), ::GetFocus());
    modeless.EndDialog(IDCANCEL);   // a modeless dialog goes away
    EXPECT_EQ(nullptr, modeless.m_hWnd);
}

TEST_F(DialogTest, DestroyingAModalDialogEndsItsLoop)
{
    CProbeDialog dlg(&m_owner);
    dlg.onApp = [](CProbeDialog& self) { self.DestroyWindow(); };
    ScriptedInput script({
        [&] {
            const HWND hDlg = FindDialog(kProbeTitle);
            if (hDlg)
                ::PostMessageA(hDlg, WM_APP, 0, 0);
            return hDlg != nullptr;
        },
    });
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
}

// Any window can run the modal loop.
class CLoopWindow : public CWnd {
public:
    int kicks = 0;

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kicks;
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        EndModalLoop((int)nIDEvent);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoopWindow, CWnd)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModalLoop, PlainWindowRunsUntilEndModalLoop)
{
    CLoopWindow wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "loop", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ScriptedInput guard({});   // the watchdog alone: the window's timer ends the loop

    wnd.SetTimer(3, 50);
    EXPECT_EQ(3, wnd.RunModalLoop(MLF_SHOWONIDLE));
    EXPECT_GT(wnd.kicks, 0);
    EXPECT_TRUE(wnd.IsWindowVisible());   // shown once the queue ran empty
    EXPECT_FALSE(wnd.ContinueModal());

    wnd.kicks = 0;
    wnd.SetTimer(4, 50);
    EXPECT_EQ(4, wnd.RunModalLoop(MLF_NOKICKIDLE));
    EXPECT_EQ(0, wnd.kicks);
    EXPECT_FALSE(guard.TimedOut());
}

// ---- modeless ----

struct Lifetime {
    int deleted = 0;
    HWND hWnd = nullptr;
};

class CSelfDeletingProbe : public CProbeDialog {
public:
    explicit CSelfDeletingProbe(Lifetime& t) : m_t(t) {}
    ~CSelfDeletingProbe() override { ++m_t.deleted; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    Lifetime& m_t;
};

TEST_F(DialogTest, ModelessDialogDeletesItselfWhenDestroyed)
{
    Lifetime t;
    auto* pDlg = new CSelfDeletingProbe(t);
    ASSERT_TRUE(pDlg->Create(IDD_FRAMEWORK_PROBE, &m_owner));
    t.hWnd = pDlg->m_hWnd;
    EXPECT_EQ(pDlg, CWnd::FromHandlePermanent(t.hWnd));
    EXPECT_EQ(1, pDlg->initCalls);
    EXPECT_TRUE(m_owner.IsWindowEnabled());   // modeless: the owner stays usable
    EXPECT_EQ(m_owner.m_hWnd, ::GetWindow(t.hWnd, GW_OWNER));

    pDlg->DestroyWindow();
    EXPECT_EQ(1, t.deleted);
    EXPECT_FALSE(::IsWindow(t.hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(t.hWnd));
}

TEST_F(DialogTest, ModelessKeysGoThroughTheApplicationLoop)
{
    // Keys in a modeless dialog get the dialog keys through the thread's
    // pre-translation (IsDialogMessage); Enter reaches OnOK, which saves the
    // fields and ends a modeless dialog by destroying it.
    Lifetime t;
    auto* pDlg = new CSelfDeletingProbe(t);
    ASSERT_TRUE(pDlg->Create(IDD_FRAMEWORK_PROBE, &m_owner));
    pDlg->ShowWindow(SW_SHOW);
    t.hWnd = pDlg->m_hWnd;
    pDlg->GotoDlgCtrl(pDlg->GetDlgItem(IDC_PROBE_COUNT));
    PressKey(t.hWnd, IDC_PROBE_COUNT, VK_TAB);
    PumpMessages();
    EXPECT_EQ(::GetDlgItem(t.hWnd, IDC_PROBE_ENABLED), ::GetFocus());
    EXPECT_EQ("0", TextOf(t.hWnd, IDC_PROBE_COUNT));   // no tab character typed into it

    PressKey(t.hWnd, IDC_PROBE_NAME, VK_RETURN);
    PumpMessages();
    EXPECT_EQ(1, t.deleted);
    EXPECT_FALSE(::IsWindow(t.hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(t.hWnd));
}

TEST_F(DialogTest, FailedExchangeStopsAtTheFieldWithoutThrowing)
{
    CProbeDialog dlg(&m_owner);
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_PROBE, &m_owner));
    dlg.ShowWindow(SW_SHOW);
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_NAME, "saved first");
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, "12x");
    ::CheckDlgButton(dlg.m_hWnd, IDC_PROBE_ENABLED, BST_CHECKED);
    int boxes = 0;
    ScriptedInput dismiss({
        [&] {
            const HWND hBox = FindDialog(nullptr, dlg.m_hWnd);
            if (!hBox)
                return false;
            ++boxes;
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            const HWND hBox = FindDialog(nullptr, dlg.m_hWnd);
            if (!hBox)
                return false;
            ++boxes;
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
    });

    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PROBE_COUNT), ::GetFocus());
    EXPECT_STREQ("saved first", dlg.m_name);   // fields before the bad one are taken
    EXPECT_EQ(0, dlg.m_count);
    EXPECT_EQ(BST_UNCHECKED, dlg.m_enabled);   // fields after it are not

    // Out of the validated range.
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, "500");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(2, boxes);
    EXPECT_FALSE(dismiss.TimedOut());

    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, " 64 ");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(64, dlg.m_count);
    EXPECT_EQ(BST_CHECKED, dlg.m_enabled);
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PROBE_ITEMS), dlg.m_items.m_hWnd);   // attached once, at OnInitDialog
    dlg.DestroyWindow();
}

// ---- data exchange with other types ----

class CNumbers : public CDialog {
public:
    UINT m_unsigned = 0;
    long m_long = 0;
    DWORD m_dword = 0;
    double m_double = 0;
    int m_radio = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PROBE_NAME, m_double);
        DDX_Text(pDX, IDC_PROBE_COUNT, m_unsigned);
        DDX_Radio(pDX, 3001, m_radio);
    }
};

TEST_F(DialogTest, NumbersAndRadioGroupsRoundTrip)
{
    CNumbers dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_PROBE, &m_owner));
    // A radio group added at run time: three buttons, then a control that starts the next group.
    CButton radios[3], next;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(radios[i].Create("r", WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0),
                                     CRect(0, 20 * i, 50, 20 * i + 18), &dlg, 3001 + i));
    ASSERT_TRUE(next.Create("n", WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP, CRect(0, 60, 50, 78), &dlg, 3010));

    dlg.m_double = 2.5;
    dlg.m_unsigned = 4000000000u;
    dlg.m_radio = 1;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ("2.5", TextOf(dlg.m_hWnd, IDC_PROBE_NAME));
    EXPECT_EQ("4000000000", TextOf(dlg.m_hWnd, IDC_PROBE_COUNT));
    EXPECT_EQ(BST_CHECKED, radios[1].GetCheck());
    EXPECT_EQ(BST_UNCHECKED, radios[0].GetCheck());

    radios[1].SetCheck(BST_UNCHECKED);
    radios[2].SetCheck(BST_CHECKED);
    next.SetCheck(BST_CHECKED);   // another group: not counted
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_NAME, "-0.125");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(2, dlg.m_radio);
    EXPECT_DOUBLE_EQ(-0.125, dlg.m_double);
    EXPECT_EQ(4000000000u, dlg.m_unsigned);

    radios[2].SetCheck(BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_radio);

    // A negative number is not a UINT (no wrap-around).
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, "-1");
    ScriptedInput dismiss({
        [&] {
            const HWND hBox = FindDialog(nullptr, dlg.m_hWnd);
            if (hBox)
                ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return hBox != nullptr;
        },
    });
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_FALSE(dismiss.TimedOut());
    EXPECT_EQ(4000000000u, dlg.m_unsigned);
    dlg.DestroyWindow();
}

// ---- common dialogs ----

// Puts a path in a file dialog's name field and accepts it.
bool AcceptFileDialog(const std::string& path)
{
    const HWND hDlg = FindDialog();
    if (!hDlg)
        return false;
    constexpr int kNameCombo = 0x47c;   // cmb13: the explorer-style name box
    constexpr int kNameEdit = 0x480;    // edt1
    const HWND hName = ::GetDlgItem(hDlg, kNameCombo) ? ::GetDlgItem(hDlg, kNameCombo) : ::GetDlgItem(hDlg, kNameEdit);
    if (!hName)
        return false;
    ::SetWindowTextA(hName, path.c_str());
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    return true;
}

bool CancelAnyDialog()
{
    const HWND hDlg = FindDialog();
    if (hDlg)
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDCANCEL));
    return hDlg != nullptr;
}

std::string TempFolder()
{
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    return dir;
}

TEST_F(DialogTest, FileDialogCancelledAndAccepted)
{
    const std::string path = TempFolder() + "framework probe.txt";
    HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    ::CloseHandle(hFile);

    {
        CFileDialog dlg(TRUE, "txt", nullptr, OFN_FILEMUSTEXIST, "Text files (*.txt)|*.txt|All files|*.*||", &m_owner);
        ScriptedInput script({CancelAnyDialog});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_FALSE(script.TimedOut());
    }
    {
        CFileDialog dlg(TRUE, "txt", nullptr, OFN_FILEMUSTEXIST, "Text files (*.txt)|*.txt||", &m_owner);
        ScriptedInput script({[&] { return AcceptFileDialog(path); }});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(0, lstrcmpiA(path.c_str(), dlg.GetPathName()));
        EXPECT_STREQ("framework probe.txt", dlg.GetFileName());
        EXPECT_STREQ("txt", dlg.GetFileExt());
        EXPECT_STREQ("framework probe", dlg.GetFileTitle());
    }
    {
        // Saving a new name gets the default extension.
        CFileDialog dlg(FALSE, "txt", nullptr, OFN_OVERWRITEPROMPT, "Text files (*.txt)|*.txt||", &m_owner);
        const std::string target = TempFolder() + "framework new";
        ScriptedInput script({[&] { return AcceptFileDialog(target); }});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(0, lstrcmpiA((target + ".txt").c_str(), dlg.GetPathName()));
        EXPECT_STREQ("txt", dlg.GetFileExt());
    }
    ::DeleteFileA(path.c_str());
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
}

TEST_F(DialogTest, ColorDialogCancelledAndAccepted)
{
    {
        CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN, &m_owner);
        ScriptedInput script({CancelAnyDialog});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_FALSE(script.TimedOut());
    }
    {
        CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN, &m_owner);
        ScriptedInput script({[] {
            const HWND hDlg = FindDialog();
            if (hDlg)
                ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
            return hDlg != nullptr;
        }});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(RGB(10, 20, 30), dlg.GetColor());
        EXPECT_EQ(CColorDialog::GetSavedCustomColors(), dlg.m_cc.lpCustColors);
    }
}

} // namespace
