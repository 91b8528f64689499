// Dialogs driven as a user would: modal and modeless dialogs from the resource module's
// templates, the modal loop (idle work, nesting, WM_QUIT, destruction), data exchange with
// what a user sees when a field is wrong, and the common dialogs. Every modal loop runs under
// scripted input with a watchdog.
#include "scripted_input.h"
#include "testsupport.h"

#include "cntlrc.h"

#include <gtest/gtest.h>

using testing_support::PumpMessages;
using testing_support::ScriptStep;

namespace {

constexpr char kProbeTitle[] = "Framework Probe";

// The shared scripted input, given its steps at once: each returns true when done, false to
// be tried again on the next tick of the thread timer (which fires inside modal loops). A
// script that times out or ends unfinished fails the test by itself.
class ScriptedInput : public testing_support::ScriptedInput {
public:
    explicit ScriptedInput(std::vector<ScriptStep> steps, DWORD timeoutMs = 10000,
                           std::source_location where = std::source_location::current())
        : testing_support::ScriptedInput(Runner::kTestThreadTimer, timeoutMs, 20, where)
    {
        // One step a tick: what a step posted is handled before the next looks.
        for (size_t i = 0; i < steps.size(); ++i)
            (i ? Wait(20) : *this).Then(std::move(steps[i]));
    }
};

// The topmost visible dialog (with this title, when given) when it is not `exclude`, or NULL.
HWND FindDialog(LPCSTR title = nullptr, HWND exclude = nullptr)
{
    const HWND hDlg = testing_support::FindDialogWindow(title);
    return hDlg != exclude ? hDlg : nullptr;
}

// A step that waits for a dialog (by title, other than *pExclude), then acts on it.
ScriptStep OnDialog(LPCSTR title, std::function<void(HWND)> act, const HWND* pExclude = nullptr)
{
    return [=] {
        const HWND hDlg = FindDialog(title, pExclude ? *pExclude : nullptr);
        if (hDlg)
            act(hDlg);
        return hDlg != nullptr;
    };
}

void Post(HWND hWnd, UINT message, WPARAM wParam = 0)
{
    ::PostMessageA(hWnd, message, wParam, 0);
}

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

class CProbeDialog : public CDialog {
public:
    explicit CProbeDialog(CWnd* pParent = nullptr) : CDialog(IDD_FRAMEWORK_PROBE, pParent) {}

    CString m_name;
    int m_count = 0;
    int m_enabled = BST_UNCHECKED;
    CListBox m_items;

    int initCalls = 0;
    int kickIdle = 0;
    std::function<void(CProbeDialog&)> onInit;   // runs at the end of OnInitDialog
    std::function<void(CProbeDialog&)> onApp;    // runs on a posted WM_APP

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        const BOOL result = CDialog::OnInitDialog();
        m_items.AddString("first");
        m_items.AddString("second");
        if (onInit)
            onInit(*this);
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
        static HMODULE module = ::LoadLibraryExA((testing_support::ProgramFolder() + "\\cntlrc.drx").c_str(), nullptr,
                                                 LOAD_LIBRARY_AS_DATAFILE);
        return module;
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, Resources());
        ASSERT_TRUE(
            m_owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    }
    void TearDown() override { PumpMessages(); }

    CResourceSwitch m_switch{Resources()};
    CWnd m_owner;
};

TEST_F(DialogTest, ModalOkExchangesTypedValuesAndFreesTheOwner)
{
    CProbeDialog dlg(&m_owner);
    dlg.m_name = "start";
    dlg.m_count = 3;
    bool ownerDisabled = false;
    std::string shownName, shownCount;
    ScriptedInput script({
        OnDialog(kProbeTitle,
                 [&](HWND hDlg) {
                     ownerDisabled = !::IsWindowEnabled(m_owner.m_hWnd);
                     shownName = TextOf(hDlg, IDC_PROBE_NAME);
                     shownCount = TextOf(hDlg, IDC_PROBE_COUNT);
                     Type(hDlg, IDC_PROBE_NAME, "Ada");
                     Type(hDlg, IDC_PROBE_COUNT, "42");
                     Post(::GetDlgItem(hDlg, IDC_PROBE_ENABLED), BM_CLICK);
                 }),
        OnDialog(kProbeTitle, [](HWND hDlg) { PressKey(hDlg, IDC_PROBE_NAME, VK_RETURN); }),
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
}

TEST_F(DialogTest, EscapeCancelsAndLeavesTheMembers)
{
    CProbeDialog dlg(&m_owner);
    dlg.m_name = "kept";
    ScriptedInput script({OnDialog(kProbeTitle, [](HWND hDlg) {
        Type(hDlg, IDC_PROBE_NAME, "discarded");
        PressKey(hDlg, IDC_PROBE_NAME, VK_ESCAPE);
    })});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("kept", dlg.m_name);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
    // The same object runs again.
    ScriptedInput again({OnDialog(kProbeTitle, [](HWND hDlg) { Post(hDlg, WM_CLOSE); })});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(2, dlg.initCalls);
}

TEST_F(DialogTest, IdleWorkRunsWhileTheDialogWaitsWithoutSpinning)
{
    CProbeDialog dlg(&m_owner);
    DWORD shownAt = 0;
    ScriptedInput script({
        OnDialog(kProbeTitle, [&](HWND) { shownAt = ::GetTickCount(); }),
        [&] { return ::GetTickCount() - shownAt >= 400; },
        OnDialog(kProbeTitle, [](HWND hDlg) { PressKey(hDlg, IDC_PROBE_NAME, VK_ESCAPE); }),
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    // Idle work runs after each burst of messages (the script's timer ticks every
    // 20 ms), not in a busy loop: a spinning loop would kick thousands of times.
    EXPECT_GT(dlg.kickIdle, 0);
    EXPECT_LT(dlg.kickIdle, 200);
}

// The loop's other ways out: EndDialog or an exception in OnInitDialog (which stops at the
// dialog procedure), destroying the dialog, and WM_QUIT (which goes on to the outer loop).
TEST_F(DialogTest, EveryOtherWayOutEndsTheLoopAndFreesTheOwner)
{
    static int s_reports;
    const AFX_ASSERT_HANDLER previous = AfxSetAssertHandler([](LPCSTR, LPCSTR, int) { ++s_reports; });
    const struct {
        const char* name;
        std::function<void(CProbeDialog&)> onInit, onApp;
        INT_PTR result;
        int reports;
    } cases[] = {
        {"EndDialog in OnInitDialog", [](CProbeDialog& self) { self.EndDialog(5); }, nullptr, 5, 0},
        {"exception in OnInitDialog", [](CProbeDialog&) { AfxThrowResourceException(); }, nullptr, -1, 1},
        {"destroyed", nullptr, [](CProbeDialog& self) { self.DestroyWindow(); }, -1, 0},
        {"WM_QUIT", nullptr, [](CProbeDialog&) { ::PostQuitMessage(9); }, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s_reports = 0;
        CProbeDialog dlg(&m_owner);
        dlg.onInit = c.onInit;
        dlg.onApp = c.onApp;
        std::vector<ScriptStep> steps;   // none when OnInitDialog ends it: the watchdog guards a hang
        if (c.onApp)
            steps.push_back(OnDialog(kProbeTitle, [](HWND hDlg) { Post(hDlg, WM_APP); }));
        ScriptedInput script(steps);
        EXPECT_EQ(c.result, dlg.DoModal());
        EXPECT_EQ(c.reports, s_reports);
        EXPECT_EQ(nullptr, dlg.m_hWnd);
        EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
    }
    AfxSetAssertHandler(previous);
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
        OnDialog(kProbeTitle, [&](HWND hDlg) { Post(hOuter = hDlg, WM_APP); }),
        OnDialog(
            kProbeTitle,
            [&](HWND hDlg) {
                outerDisabledDuringInner = !::IsWindowEnabled(hOuter);
                EXPECT_EQ(hOuter, ::GetWindow(hInner = hDlg, GW_OWNER));
                PressKey(hInner, IDC_PROBE_NAME, VK_ESCAPE);
            },
            &hOuter),
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
        OnDialog(kProbeTitle, [&](HWND hDlg) { Post(hOuter = hDlg, WM_APP); }),
        OnDialog(
            kProbeTitle, [](HWND hInner) { Post(hInner, WM_APP); }, &hOuter),
    });
    EXPECT_EQ(7, outer.DoModal());
    EXPECT_EQ(8, innerResult);
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
        OnDialog(kProbeTitle, [&](HWND hDlg) { Post(hOuter = hDlg, WM_APP); }),
        OnDialog("Fallback Probe", [](HWND hFallback) { Post(hFallback, WM_COMMAND, IDOK); }),
        [&] { return !FindDialog("Fallback Probe") && ::PostMessageA(hOuter, WM_CLOSE, 0, 0); },
    });
    EXPECT_EQ(IDCANCEL, outer->DoModal());
    EXPECT_EQ(IDOK, fallbackResult);
    EXPECT_EQ(::GetModuleHandleA(nullptr), fallbackModule);
    EXPECT_EQ(Resources(), outer->GetTemplateModule());
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

class CSelfDeletingProbe : public CProbeDialog {
public:
    explicit CSelfDeletingProbe(int& deleted) : m_deleted(deleted) {}
    ~CSelfDeletingProbe() override { ++m_deleted; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    int& m_deleted;
};

TEST_F(DialogTest, ModelessDialogTakesKeysThroughTheApplicationLoopAndDeletesItself)
{
    int deleted = 0;
    auto* pDlg = new CSelfDeletingProbe(deleted);
    ASSERT_TRUE(pDlg->Create(IDD_FRAMEWORK_PROBE, &m_owner));
    const HWND hDlg = pDlg->m_hWnd;
    EXPECT_EQ(pDlg, CWnd::FromHandlePermanent(hDlg));
    EXPECT_EQ(1, pDlg->initCalls);
    EXPECT_TRUE(m_owner.IsWindowEnabled());   // modeless: the owner stays usable
    EXPECT_EQ(m_owner.m_hWnd, ::GetWindow(hDlg, GW_OWNER));
    // The dialog keys come through the thread's pre-translation (IsDialogMessage).
    pDlg->ShowWindow(SW_SHOW);
    pDlg->GotoDlgCtrl(pDlg->GetDlgItem(IDC_PROBE_COUNT));
    PressKey(hDlg, IDC_PROBE_COUNT, VK_TAB);
    PumpMessages();
    EXPECT_EQ(::GetDlgItem(hDlg, IDC_PROBE_ENABLED), ::GetFocus());
    EXPECT_EQ("0", TextOf(hDlg, IDC_PROBE_COUNT));   // no tab character typed into it
    // Enter reaches OnOK, which saves the fields and ends a modeless dialog by destroying it.
    PressKey(hDlg, IDC_PROBE_NAME, VK_RETURN);
    PumpMessages();
    EXPECT_EQ(1, deleted);
    EXPECT_FALSE(::IsWindow(hDlg));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlg));
}

// A step that answers the message box over the dialog with OK, keeping its text.
ScriptStep AnswerBoxOver(const HWND& hDlg, std::string* pText = nullptr)
{
    return OnDialog(
        nullptr,
        [pText](HWND hBox) {
            if (pText)
                *pText = TextOf(hBox, 0xFFFF);
            Post(hBox, WM_COMMAND, IDOK);
        },
        &hDlg);
}

TEST_F(DialogTest, InvalidFieldKeepsTheDialogOpenUntilCorrected)
{
    CProbeDialog dlg(&m_owner);
    std::string prompt;
    HWND hDlg = nullptr, focusAfterPrompt = nullptr, countEdit = nullptr;
    ScriptedInput script({
        OnDialog(kProbeTitle,
                 [&](HWND h) {
                     countEdit = ::GetDlgItem(hDlg = h, IDC_PROBE_COUNT);
                     Type(hDlg, IDC_PROBE_COUNT, "many");
                     PressKey(hDlg, IDC_PROBE_COUNT, VK_RETURN);
                 }),
        AnswerBoxOver(hDlg, &prompt),   // the complaint is a message box over the dialog
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
    EXPECT_NE(std::string::npos, prompt.find("whole number")) << prompt;
    EXPECT_EQ(countEdit, focusAfterPrompt);
    EXPECT_EQ(7, dlg.m_count);
}

TEST_F(DialogTest, FailedExchangeStopsAtTheFieldWithoutThrowing)
{
    CProbeDialog dlg(&m_owner);
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_PROBE, &m_owner));
    dlg.ShowWindow(SW_SHOW);
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_NAME, "saved first");
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, "12x");
    ::CheckDlgButton(dlg.m_hWnd, IDC_PROBE_ENABLED, BST_CHECKED);
    ScriptedInput dismiss({AnswerBoxOver(dlg.m_hWnd), AnswerBoxOver(dlg.m_hWnd)});
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PROBE_COUNT), ::GetFocus());
    EXPECT_STREQ("saved first", dlg.m_name);   // fields before the bad one are taken
    EXPECT_EQ(0, dlg.m_count);
    EXPECT_EQ(BST_UNCHECKED, dlg.m_enabled);   // fields after it are not
    // Out of the validated range.
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, "500");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_TRUE(dismiss.Done());   // a message box each time
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_PROBE_COUNT, " 64 ");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(64, dlg.m_count);
    EXPECT_EQ(BST_CHECKED, dlg.m_enabled);
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PROBE_ITEMS), dlg.m_items.m_hWnd);   // attached once, at OnInitDialog
    dlg.DestroyWindow();
}

// Puts a path in a file dialog's name field and accepts it, once both are there.
bool AcceptFileDialog(const std::string& path)
{
    constexpr int kNameCombo = 0x47c;   // cmb13: the explorer-style name box
    constexpr int kNameEdit = 0x480;    // edt1
    const HWND hDlg = FindDialog();
    const HWND hName = !hDlg                            ? nullptr
                       : ::GetDlgItem(hDlg, kNameCombo) ? ::GetDlgItem(hDlg, kNameCombo)
                                                        : ::GetDlgItem(hDlg, kNameEdit);
    if (!hName)
        return false;
    ::SetWindowTextA(hName, path.c_str());
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    return true;
}

// A step that presses a button of whichever dialog shows.
ScriptStep PressAny(int nID)
{
    return OnDialog(nullptr, [nID](HWND hDlg) {
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nID));
    });
}

TEST_F(DialogTest, FileDialogCancelledAndAccepted)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "framework probe.txt", target = std::string(temp) + "framework new";
    HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    ::CloseHandle(hFile);
    {
        CFileDialog dlg(TRUE, "txt", nullptr, OFN_FILEMUSTEXIST, "Text files (*.txt)|*.txt|All files|*.*||", &m_owner);
        ScriptedInput script({PressAny(IDCANCEL)});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    {
        CFileDialog dlg(TRUE, "txt", nullptr, OFN_FILEMUSTEXIST, "Text files (*.txt)|*.txt||", &m_owner);
        ScriptedInput script({[&] { return AcceptFileDialog(path); }});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(0, lstrcmpiA(path.c_str(), dlg.GetPathName()));
        EXPECT_STREQ("framework probe.txt", dlg.GetFileName());
        EXPECT_STREQ("txt", dlg.GetFileExt());
        EXPECT_STREQ("framework probe", dlg.GetFileTitle());
    }
    {
        // Saving a new name gets the default extension.
        CFileDialog dlg(FALSE, "txt", nullptr, OFN_OVERWRITEPROMPT, "Text files (*.txt)|*.txt||", &m_owner);
        ScriptedInput script({[&] { return AcceptFileDialog(target); }});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(0, lstrcmpiA((target + ".txt").c_str(), dlg.GetPathName()));
        EXPECT_STREQ("txt", dlg.GetFileExt());
    }
    ::DeleteFileA(path.c_str());
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
}

TEST_F(DialogTest, ColorDialogAnswersWithTheColourAndSharesTheCustomOnes)
{
    for (int answer : {IDCANCEL, IDOK}) {
        CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN, &m_owner);
        ScriptedInput script({PressAny(answer)});
        EXPECT_EQ(answer, dlg.DoModal());
        EXPECT_EQ(RGB(10, 20, 30), dlg.GetColor());
        EXPECT_EQ(CColorDialog::GetSavedCustomColors(), dlg.m_cc.lpCustColors);
    }
}

}   // namespace
