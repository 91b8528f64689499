// What a unit edit tells its parent while a user types into it: real keys
// (SendInput) to the foreground window, the queue pumped as a message loop would.
#include "cntlrc.h"
#include "controlexports.h"
#include "scripted_input.h"
#include "unitedit_fixture.h"

#include <cstdlib>
#include <functional>

namespace {

using testing_support::PressKey;
using testing_support::TypeText;

constexpr UINT kEditID = 101;

class UnitEditInputTest : public UnitEditTest {
protected:
    void SetUp() override
    {
        UnitEditTest::SetUp();
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &m_parent,
                                  kEditID));
        ASSERT_TRUE(m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 60, 200, 84), &m_parent, 102));
        // Metres, whatever the service's defaults are.
        const UINT metre = UNIT_METRE;
        m_edit.SetLocalUnits(&metre, nullptr, nullptr);
        m_edit.SetUnitDisplayMode(0);
        ASSERT_TRUE(testing_support::MakeForeground(m_parent));
        m_edit.SetFocus();
        Settle();
        m_parent.received.clear();
    }
    void TearDown() override
    {
        m_edit.DestroyWindow();
        m_other.DestroyWindow();
        UnitEditTest::TearDown();
    }

    CString Text() const { return TextOf(m_edit); }
    CString MetresText(double value) const { return Formatted(m_edit, value); }
    static ParentMessage Sent(UINT message) { return {message, kEditID, 0}; }

    JDistanceEdit m_edit;
    CEdit m_other;
};

// Enter commits and locks even with nothing typed, and keeps the focus; Tab and a click
// elsewhere commit only what was typed, and the focus goes on.
TEST_F(UnitEditInputTest, EnterTabAndFocusLossCommitWhatWasTyped)
{
    struct Case {
        const char* typed;
        WORD key;   // 0: a click on the other field
        bool locks;
    };
    const Case cases[] = {
        {"", VK_RETURN, true}, {"2.5", VK_RETURN, true}, {"", VK_TAB, false}, {"3", VK_TAB, true}, {"1.25", 0, true}};
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "'" << test.typed << "' then " << test.key);
        m_edit.SetValue(4.0);
        m_edit.SetFocus();
        m_edit.SetSel(0, *test.typed ? -1 : 0);
        Settle();
        m_parent.received.clear();
        Enter(test.typed, test.key);
        if (!test.key)
            ClickOn(m_other);
        EXPECT_EQ(test.locks ? std::vector<ParentMessage>{Sent(JUM_LOCKVALUE)} : std::vector<ParentMessage>{},
                  m_parent.received);
        const double expected = *test.typed ? std::atof(test.typed) : 4.0;
        EXPECT_FALSE(m_edit.IsModified());
        EXPECT_DOUBLE_EQ(expected, m_edit.GetValue());
        EXPECT_EQ(MetresText(expected), Text());
        if (test.key != VK_TAB) {
            EXPECT_EQ(test.key ? m_edit.m_hWnd : m_other.m_hWnd, ::GetFocus());
        }
    }
}

TEST_F(UnitEditInputTest, EmptyingTheTextUnlocksAndNumbersTypedWithoutUnitsAreInTheLocalUnits)
{
    m_edit.SetValue(5.0);
    const int length = m_edit.GetWindowTextLength();
    ASSERT_GT(length, 0);
    PressKey(VK_END);
    for (int i = 0; i < length; ++i)
        PressKey(VK_BACK);
    Settle();
    EXPECT_EQ(CString(), Text());
    EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_UNLOCKVALUE)}, m_parent.received);
    EXPECT_FALSE(m_edit.IsModified());
    EXPECT_DOUBLE_EQ(5.0, m_edit.GetValue());
    // Numbers typed without units are in the local units, and the defaults stay.
    UINT saved[3];
    ::GetDefaultUnits(UNIT_TYPE_DISTANCE, &saved[0], &saved[1], &saved[2]);
    const UINT foot = UNIT_FOOT;
    ASSERT_TRUE(::SetDefaultUnits(UNIT_TYPE_DISTANCE, &foot, nullptr, nullptr));
    m_edit.SetSel(0, -1);
    Enter("2");
    EXPECT_DOUBLE_EQ(2.0, m_edit.GetValue()) << "metres, the control's own unit";
    UINT primary = 0;
    ::GetDefaultUnits(UNIT_TYPE_DISTANCE, &primary, nullptr, nullptr);
    EXPECT_EQ(foot, primary);
    // In the default units mode the application's units apply.
    m_edit.SetUnitDisplayMode(JUNIT_DEFAULT_FORMAT | JUNIT_DEFAULT_UNITS);
    m_edit.SetSel(0, -1);
    Enter("2");
    EXPECT_NEAR(0.6096, m_edit.GetValue(), 1e-12);
    ::SetDefaultUnits(UNIT_TYPE_DISTANCE, &saved[0], &saved[1], &saved[2]);
}

// A rejected entry: the box names it, the parent hears of it, the old value stays. A text
// the control cut short (at its limit) is refused like it, never committed cut.
TEST_F(UnitEditInputTest, ARejectedOrCutEntryIsReportedAndTheOldValueStays)
{
    testing_support::MainWindowScope mainWindow(&m_parent);
    CString expectedText;
    AfxLoadString(ControlResources(), IDS_UNITEDIT_INVALID_ENTRY, expectedText);
    for (int limit : {0, 8}) {
        SCOPED_TRACE(limit);
        m_edit.SetLimitText(limit);
        m_edit.SetValue(1.5);
        m_edit.SetFocus();
        m_edit.SetSel(0, -1);
        m_parent.received.clear();
        Enter(limit ? "1 m + 100 mm" : "1.5xyz", 0);   // "1 m + 10" is what fits
        EXPECT_EQ(expectedText, AnswerMessageBox([] { PressKey(VK_RETURN); }));
        Settle();
        EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_BADVALUE)}, m_parent.received);
        EXPECT_DOUBLE_EQ(1.5, m_edit.GetValue());
        EXPECT_EQ(MetresText(1.5), Text());
        EXPECT_FALSE(m_edit.IsModified());
        EXPECT_EQ(m_edit.m_hWnd, ::GetFocus());
    }
    // A cut text typed over whole, or corrected by hand, is the user's own again.
    m_edit.SetSel(0, -1);
    Enter("1 m + 100 mm", 0);
    m_edit.SetSel(0, -1);
    Enter("5 m", 0);
    EXPECT_DOUBLE_EQ(5.0, m_edit.GetValue());
    m_edit.SetSel(0, -1);
    Enter("1 m + 100 mm", 0);   // "1 m + 10"
    for (int i = 0; i < 5; ++i)
        PressKey(VK_BACK);   // "1 m"
    bool refused = false;
    {
        testing_support::ScriptedInput script;
        script.Then(
            [&] {
                if (HWND hBox = testing_support::FindMessageBox()) {
                    refused = true;
                    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
                    return true;
                }
                return !m_edit.IsModified();
            },
            "a refusal or a commit");
        Enter("");
    }
    EXPECT_FALSE(refused);
    EXPECT_DOUBLE_EQ(1.0, m_edit.GetValue());
}

void SetClipboardText(HWND hOwner, const char* text)
{
    ASSERT_TRUE(::OpenClipboard(hOwner));
    ::EmptyClipboard();
    const HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(::GlobalLock(hText), text, strlen(text) + 1);
    ::GlobalUnlock(hText);
    EXPECT_NE(nullptr, ::SetClipboardData(CF_TEXT, hText));
    ::CloseClipboard();
}

// Edits that come with no typed character, from the keyboard or the context menu, are
// entries like typed text: committed on the usual keys, with the notice.
TEST_F(UnitEditInputTest, PastesCutsAndClearsAreCommittedLikeTypedText)
{
    SetClipboardText(m_parent, "12");
    const auto fromMenu = [this](UINT command) {
        testing_support::ScriptedInput script;
        script.WaitFor(testing_support::FindPopupMenuWindow, "context menu").ChooseMenuItem(command);
        CRect rect;
        m_edit.GetWindowRect(&rect);
        testing_support::ClickAt(rect.CenterPoint(), true);
        Settle();
        EXPECT_TRUE(script.Done());
    };
    struct Case {
        const char* name;
        int selectionEnd;   // from the start; -1 all
        std::function<void()> edit;
        double expected;
    };
    const auto shiftInsert = [] { testing_support::PressKeyChord({VK_SHIFT, VK_INSERT}); };
    const Case cases[] = {
        {"Shift+Insert", -1, shiftInsert, 12.0},
        {"Paste from the menu", -1, [&] { fromMenu(WM_PASTE); }, 12.0},
        {"Delete from the menu", 1, [&] { fromMenu(WM_CLEAR); }, 25.0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        m_edit.SetValue(125.0);   // "125..." loses its first digit to a cut
        m_edit.SetFocus();
        m_edit.SetSel(0, test.selectionEnd);
        m_parent.received.clear();
        test.edit();
        Settle();
        EXPECT_TRUE(m_edit.IsModified());
        Enter("", VK_TAB);
        EXPECT_EQ(std::vector<ParentMessage>{Sent(JUM_LOCKVALUE)}, m_parent.received);
        EXPECT_DOUBLE_EQ(test.expected, m_edit.GetValue());
        EXPECT_EQ(MetresText(test.expected), Text());
    }
}

// A frame whose accelerator table holds F2.
class AcceleratorFrame : public CFrameWnd {
public:
    std::vector<WPARAM>* pTranslated = nullptr;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2) {
            pTranslated->push_back(pMsg->wParam);
            return TRUE;
        }
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
};

TEST_F(UnitEditInputTest, KeysReachTheParentButTheCommittingReleasesDoNotAndTheFramesAcceleratorsComeFirst)
{
    m_parent.recorded = {WM_KEYDOWN, WM_KEYUP};
    PressKey('7');
    PressKey(VK_BACK);
    Settle();
    ASSERT_EQ(3u, m_parent.received.size());
    EXPECT_EQ(WM_KEYDOWN, m_parent.received[0].message);
    EXPECT_EQ(WPARAM('7'), m_parent.received[0].wParam);
    EXPECT_EQ(1, LOWORD(m_parent.received[0].lParam)) << "repeat count";
    EXPECT_EQ(WM_KEYUP, m_parent.received[1].message);
    EXPECT_EQ(WPARAM('7'), m_parent.received[1].wParam);
    EXPECT_EQ((ParentMessage{WM_KEYDOWN, VK_BACK, m_parent.received[2].lParam}), m_parent.received[2]);
    // The frame's accelerators come before the entry.
    std::vector<WPARAM> translated;
    auto* pFrame = new AcceleratorFrame;
    pFrame->pTranslated = &translated;
    ASSERT_TRUE(pFrame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 400, 300)));
    RecordingParent* pParent = new RecordingParent;
    ASSERT_TRUE(pParent->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), pFrame, 1));
    JDistanceEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), pParent, kEditID));
    ASSERT_TRUE(testing_support::MakeForeground(*pFrame));
    edit.SetFocus();
    Settle();
    pParent->recorded = {WM_KEYDOWN};
    Enter("6", VK_F2);
    EXPECT_EQ(std::vector<WPARAM>{VK_F2}, translated);
    for (const ParentMessage& m : pParent->received)
        EXPECT_NE(WPARAM(VK_F2), m.wParam) << "the frame took the key";
    EXPECT_FALSE(pParent->received.empty()) << "typed keys reach the parent";
    EXPECT_TRUE(edit.IsModified());
    edit.DestroyWindow();
    pFrame->DestroyWindow();   // deletes itself; the parent object is the test's
    delete pParent;
}

class BadInputEdit : public JDistanceEdit {
public:
    void ReportBadInput() { OnBadInput(); }
};

TEST_F(UnitEditInputTest, GetValueDropsABadEntryWithABeepAndBadInputIsReportedAsACommand)
{
    m_edit.SetValue(2.0);
    m_edit.SetWindowText("not a length");
    m_edit.SendMessage(WM_CHAR, 'h', 1);
    EXPECT_TRUE(m_edit.IsModified());
    EXPECT_DOUBLE_EQ(2.0, m_edit.GetValue());
    EXPECT_FALSE(m_edit.IsModified());
    EXPECT_EQ(MetresText(2.0), Text());
    EXPECT_EQ(std::vector<ParentMessage>{}, m_parent.received);
    // OnBadInput, a hook for derived controls, tells the parent with a plain WM_COMMAND.
    BadInputEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 100, 200, 124), &m_parent, 103));
    m_parent.received.clear();
    edit.ReportBadInput();
    EXPECT_EQ(std::vector<ParentMessage>{(ParentMessage{WM_COMMAND, MAKEWPARAM(103, 0), (LPARAM)edit.m_hWnd})},
              m_parent.received);
}

TEST_F(UnitEditInputTest, ADoubleClickSelectsTheWholeTextAndANarrowFieldKeepsALongEntryWhole)
{
    m_edit.SetValue(123.5);
    m_edit.SetSel(0, 0);
    CRect rect;
    m_edit.GetWindowRect(&rect);
    testing_support::ClickAt(rect.CenterPoint());
    testing_support::ClickAt(rect.CenterPoint());
    Settle();
    int first = -1, last = -1;
    m_edit.GetSel(first, last);
    EXPECT_EQ(0, first);
    EXPECT_EQ(m_edit.GetWindowTextLength(), last);
    // A field of the window class scrolls past its width instead of dropping what is typed there.
    InitCustomControls();
    const HWND hNarrow = ::CreateWindowExA(0, "JDistanceEdit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 100, 40, 24,
                                           m_parent, (HMENU)103, nullptr, nullptr);
    auto* pNarrow = static_cast<JUnitEdit*>(CWnd::FromHandlePermanent(hNarrow));
    ASSERT_NE(nullptr, pNarrow);
    const UINT metre = UNIT_METRE;
    pNarrow->SetLocalUnits(&metre, nullptr, nullptr);
    pNarrow->SetUnitDisplayMode(0);
    pNarrow->SetFocus();
    Enter("1 m + 100 mm + 20 mm");
    EXPECT_NEAR(1.12, pNarrow->GetValue(), 1e-12);
    ::DestroyWindow(hNarrow);
}

}   // namespace
