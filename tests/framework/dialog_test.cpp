// Dialogs driven as a user would: modal and modeless dialogs from the resource
// module's template and from memory, and the modal loop (idle work, nesting,
// WM_QUIT, destruction). Every modal loop runs under scripted input with a watchdog.
#include "probe_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace dialog_testing {

BEGIN_MESSAGE_MAP(CProbeDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(WM_APP, OnApp)
END_MESSAGE_MAP()

}   // namespace dialog_testing

using namespace dialog_testing;
using testing_support::PumpMessages;

namespace {

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
    EXPECT_EQ(2, dlg.initCalls);
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
}

TEST_F(DialogTest, AnExceptionInOnInitDialogStopsAtTheDialogProcedureAndEndsIt)
{
    class CFailing : public CProbeDialog {
    protected:
        BOOL OnInitDialog() override
        {
            AfxThrowResourceException();
            return TRUE;
        }
    } dlg;
    static int s_reports;
    s_reports = 0;
    const AFX_ASSERT_HANDLER previous = AfxSetAssertHandler([](LPCSTR, LPCSTR, int) { ++s_reports; });
    ScriptedInput script({});
    const INT_PTR result = dlg.DoModal();
    AfxSetAssertHandler(previous);
    EXPECT_EQ(-1, result);
    EXPECT_EQ(1, s_reports);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
}

TEST_F(DialogTest, TemporaryObjectsHeldAcrossTheModalLoopLiveOn)
{
    CWnd::DeleteTempMap();
    ASSERT_NE(nullptr, CWnd::FromHandle(::GetDesktopWindow()));
    size_t heldInTheLoop = 0;
    CProbeDialog dlg(&m_owner);
    dlg.onApp = [&](CProbeDialog& self) {
        heldInTheLoop = CWnd::GetTempMapCount();
        self.EndDialog(IDCANCEL);
    };
    // Once the loop's second idle pass (the one that frees temporaries) has run.
    ScriptedInput script({[&] { return dlg.kickIdle >= 2 && ::PostMessageA(dlg.m_hWnd, WM_APP, 0, 0); }});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_GE(heldInTheLoop, 1u);
}

constexpr UINT kOwnerCommand = 0x8123;

class CCommandOwner : public CWnd {
public:
    int commands = 0;

protected:
    afx_msg void OnOwnerCommand() { ++commands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandOwner, CWnd)
    ON_COMMAND(kOwnerCommand, OnOwnerCommand)
END_MESSAGE_MAP()

TEST_F(DialogTest, CommandsTheDialogLeavesGoToItsOwner)
{
    CCommandOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CProbeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_PROBE, &owner));
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, kOwnerCommand, 0);
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, IDC_PROBE_NAME, 0);   // a control's ID stays in the dialog
    EXPECT_EQ(1, owner.commands);
    dlg.DestroyWindow();
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

}   // namespace
