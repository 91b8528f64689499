// Tooltips of bars and windows, hovered with the real mouse: the thread's tip control finds the
// tool with OnToolHitTest and the owner frame answers TTN_NEEDTEXTA or TTN_NEEDTEXTW; keys end a tip.
// Also the frame's help hit test, and the new framework classes coming from afxcore.dll.
#include "cntlrc.h"
#include "frame_helpers.h"
#include "scripted_input.h"

#include <gtest/gtest.h>

using frame_tests::CenterOnScreen;
using frame_tests::PumpUntil;
using testing_support::PumpMessages;

namespace {

// The visible tip window of this thread, or NULL.
HWND FindVisibleTip()
{
    HWND hTip = nullptr;
    while ((hTip = ::FindWindowExA(nullptr, hTip, TOOLTIPS_CLASSA, nullptr)))
        if (::IsWindowVisible(hTip) && ::GetWindowThreadProcessId(hTip, nullptr) == ::GetCurrentThreadId())
            return hTip;
    return nullptr;
}

std::string TipText(HWND hTip)
{
    char text[128] = "";
    ::GetWindowTextA(hTip, text, (int)sizeof text);
    return text;
}

// Records the tooltip notifications that reach the frame.
class CTipFrame : public CFrameWnd {
public:
    std::vector<UINT> codes;

protected:
    void PostNcDestroy() override {}   // lives in the fixture
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
            if (code == TTN_NEEDTEXTA || code == TTN_NEEDTEXTW)
                codes.push_back(code);
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// A dialog bar that asks for its notifications in UTF-16, as a Unicode window would.
class CWideDialogBar : public CDialogBar {
protected:
    afx_msg LRESULT OnNotifyFormat(WPARAM, LPARAM) { return NFR_UNICODE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWideDialogBar, CDialogBar)
    ON_MESSAGE(WM_NOTIFYFORMAT, OnNotifyFormat)
END_MESSAGE_MAP()

class ToolTipTest : public ::testing::Test {
protected:
    frame_tests::ExtensionResources resources;
    CTipFrame frame;

    void SetUp() override
    {
        ASSERT_NE(resources.get(), nullptr) << "cntlrc.drx must lie beside the test program";
        ASSERT_TRUE(frame.Create(nullptr, "tips", WS_OVERLAPPEDWINDOW, CRect(80, 80, 560, 380)));
    }
    void TearDown() override
    {
        testing_support::MoveMouse(CPoint(2, 2));
        PumpMessages();
        frame_tests::Destroy(frame);
    }
    void ShowFrame()
    {
        frame.RecalcLayout();
        frame_tests::ShowActive(frame);
    }
    // Hovers over a window the way a user does: onto it, then a small move on it.
    static void Hover(HWND hWnd)
    {
        const CPoint center = CenterOnScreen(hWnd);
        testing_support::MoveMouse(center);
        PumpMessages();
        testing_support::MoveMouse(center + CSize(1, 1));
    }
    static HWND WaitForTip()
    {
        HWND hTip = nullptr;
        PumpUntil([&] { return (hTip = FindVisibleTip()) != nullptr; });
        return hTip;
    }
};

TEST_F(ToolTipTest, BarTipsShowTheCommandsShortTextInTheCharacterSetAsked)
{
    const struct {
        bool wide;
        DWORD tips;
        UINT code;   // 0: no tip at all
    } cases[] = {
        {false, CBRS_TOOLTIPS, (UINT)TTN_NEEDTEXTA}, {true, CBRS_TOOLTIPS, (UINT)TTN_NEEDTEXTW}, {false, 0, 0}};
    frame_tests::MainWindowScope scope(&frame);
    for (const auto& c : cases) {
        std::unique_ptr<CDialogBar> bar(c.wide ? new CWideDialogBar : new CDialogBar);
        ASSERT_TRUE(
            bar->Create(&frame, IDD_FRAMEWORK_DIALOGBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP | c.tips, AFX_IDW_DIALOGBAR));
        ShowFrame();
        frame.codes.clear();
        Hover(::GetDlgItem(bar->m_hWnd, IDC_DIALOGBAR_APPLY));
        if (!c.code) {
            for (int i = 0; i < 100; ++i) {   // a second: well past the tip's delay
                PumpMessages();
                ::Sleep(10);
            }
            EXPECT_EQ(FindVisibleTip(), nullptr);
            EXPECT_TRUE(frame.codes.empty());
            continue;
        }
        const HWND hTip = WaitForTip();
        ASSERT_NE(hTip, nullptr) << c.wide;
        EXPECT_EQ(TipText(hTip), "Apply layer");
        ASSERT_FALSE(frame.codes.empty());
        EXPECT_EQ(frame.codes.back(), c.code);
        // A key ends the tip.
        testing_support::PressKey(VK_SHIFT);
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(hTip); }));
        testing_support::MoveMouse(CPoint(2, 2));
        PumpMessages();
    }
}

// A modeless dialog whose controls have tips, answered by the dialog itself.
class CTipDialog : public CDialog {
public:
    CTipDialog() : CDialog(IDD_FRAMEWORK_PROBE) {}
    int asked = 0;

protected:
    BOOL OnInitDialog() override
    {
        EnableToolTips();
        return CDialog::OnInitDialog();
    }
    // The tip control is a pop-up without an ID: its notifications are routed as ID 0.
    afx_msg BOOL OnNeedText(UINT, NMHDR* pNMHDR, LRESULT*)
    {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        ++asked;
        const int nCtrl = ::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom));
        ::lstrcpynA(pInfo->szText, nCtrl == IDOK ? "Accept" : "Other", (int)sizeof pInfo->szText);
        pInfo->lpszText = pInfo->szText;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipDialog, CDialog)
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnNeedText)
END_MESSAGE_MAP()

TEST_F(ToolTipTest, DialogControlsShowTipsTheDialogWrites)
{
    ShowFrame();
    frame_tests::MainWindowScope scope(&frame);
    CTipDialog dialog;
    {
        CResourceSwitch use(resources.get());
        ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_PROBE, &frame));
    }
    dialog.ShowWindow(SW_SHOW);
    testing_support::MakeForeground(dialog.m_hWnd);
    PumpMessages();
    // Child windows are tools by their IDs; static text (no ID) is none.
    const auto centerOf = [&](HWND hCtrl) { return frame_tests::RectIn(hCtrl, dialog.m_hWnd).CenterPoint(); };
    EXPECT_EQ(dialog.OnToolHitTest(centerOf(::GetWindow(dialog.m_hWnd, GW_CHILD)), nullptr), -1);
    EXPECT_EQ(dialog.OnToolHitTest(centerOf(::GetDlgItem(dialog.m_hWnd, IDOK)), nullptr), (INT_PTR)IDOK);
    Hover(::GetDlgItem(dialog.m_hWnd, IDOK));
    const HWND hTip = WaitForTip();
    ASSERT_NE(hTip, nullptr);
    EXPECT_EQ(TipText(hTip), "Accept");
    EXPECT_GT(dialog.asked, 0);
    // Disabled again, the tool is gone with its tip.
    EXPECT_TRUE(dialog.EnableToolTips(FALSE));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(hTip); }));
    dialog.DestroyWindow();
}

TEST_F(ToolTipTest, HelpHitTestAnswersHelpContexts)
{
    EXPECT_EQ(frame.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(10, 10)), 0);
    frame.m_nIDHelp = 0x123;
    EXPECT_EQ((ULONG_PTR)frame.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(10, 10)), HID_BASE_RESOURCE + 0x123);
    // A bar: the command of the item under the point, else the bar itself.
    CDialogBar bar;
    ASSERT_TRUE(bar.Create(&frame, IDD_FRAMEWORK_DIALOGBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_DIALOGBAR));
    frame.RecalcLayout();
    const CRect apply = frame_tests::RectIn(::GetDlgItem(bar.m_hWnd, IDC_DIALOGBAR_APPLY), bar.m_hWnd);
    const CPoint inApply = apply.CenterPoint();
    EXPECT_EQ((ULONG_PTR)bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(inApply.x, inApply.y)),
              HID_BASE_COMMAND + IDC_DIALOGBAR_APPLY);
    EXPECT_EQ((ULONG_PTR)bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(1, 1)), HID_BASE_CONTROL + AFX_IDW_DIALOGBAR);
    // A dialog made from a numbered template has that number as its help context.
    CDialog dialog(IDD_FRAMEWORK_PROBE);
    CResourceSwitch use(resources.get());
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_PROBE, &frame));
    EXPECT_EQ((ULONG_PTR)dialog.SendMessage(WM_HELPHITTEST, 0, 0), HID_BASE_RESOURCE + IDD_FRAMEWORK_PROBE);
    dialog.DestroyWindow();
}

// Where code or data lives: the module holding the address.
HMODULE ModuleOf(const void* p)
{
    HMODULE hModule = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCSTR>(p), &hModule);
    return hModule;
}

TEST(FrameworkExports, NewClassesComeFromAfxcore)
{
    const HMODULE hAfxcore = ::GetModuleHandleA("afxcore.dll");
    ASSERT_NE(hAfxcore, nullptr);
    EXPECT_NE(ModuleOf(&hAfxcore), hAfxcore);   // this test itself is elsewhere
    // The run-time classes are the framework's own data, reached through the import table.
    for (const CRuntimeClass* pClass : {RUNTIME_CLASS(CDialogBar), RUNTIME_CLASS(CMDIFrameWnd),
                                        RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CToolTipCtrl)})
        EXPECT_EQ(ModuleOf(pClass), hAfxcore) << pClass->m_lpszClassName;
    // Dynamically creatable frames are made by the framework's factory.
    CObject* pObject = RUNTIME_CLASS(CMDIFrameWnd)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)));
    delete pObject;
    // Exported members, taken by address, resolve into the framework too.
    EXPECT_EQ(ModuleOf(reinterpret_cast<const void*>(&AfxFindResourceHandle)), hAfxcore);
}

}   // namespace
