// Dialog bars in a frame: made from a template of an extension resource module, laid out
// along a side, their controls updated and heard by the frame, and driven from the keyboard.
#include "cntlrc.h"
#include "frame_helpers.h"
#include "scripted_input.h"

#include <gtest/gtest.h>

using frame_tests::PumpUntil;
using frame_tests::RectIn;
using testing_support::PumpMessages;

namespace {

constexpr UINT kBarID = AFX_IDW_DIALOGBAR;
constexpr UINT ID_TEST_REFRESH = 32850;   // an accelerator of the frame

class CPanelFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    BOOL editEnabled = FALSE;

protected:
    void PostNcDestroy() override {}   // lives in the fixture
    afx_msg void OnApply() { commands.push_back(IDC_DIALOGBAR_APPLY); }
    afx_msg void OnRefresh() { commands.push_back(ID_TEST_REFRESH); }
    afx_msg void OnUpdateEdit(CCmdUI* pCmdUI) { pCmdUI->Enable(editEnabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPanelFrame, CFrameWnd)
    ON_COMMAND(IDC_DIALOGBAR_APPLY, OnApply)
    ON_COMMAND(ID_TEST_REFRESH, OnRefresh)
    ON_UPDATE_COMMAND_UI(IDC_DIALOGBAR_EDIT, OnUpdateEdit)
END_MESSAGE_MAP()

class DialogBarTest : public ::testing::Test {
protected:
    frame_tests::ExtensionResources resources;
    CPanelFrame frame;
    CDialogBar bar;
    CWnd view;

    void SetUp() override
    {
        ASSERT_NE(resources.get(), nullptr) << "cntlrc.drx must lie beside the test program";
        ASSERT_TRUE(frame.Create(nullptr, "panel", WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 360)));
        ASSERT_TRUE(
            view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override { frame_tests::Destroy(frame); }
    void ShowFrame() { frame_tests::ShowActive(frame); }
    HWND Item(int nID) const { return ::GetDlgItem(bar.m_hWnd, nID); }
    HWND Label() const { return ::GetWindow(bar.m_hWnd, GW_CHILD); }   // the first control, without an ID
};

TEST_F(DialogBarTest, MadeFromATemplateFoundThroughTheResourceModules)
{
    // The template lives only in the extension module, not in the application.
    ASSERT_EQ(::FindResourceA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDD_FRAMEWORK_DIALOGBAR), RT_DIALOG), nullptr);
    ASSERT_TRUE(bar.Create(&frame, IDD_FRAMEWORK_DIALOGBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarID));
    EXPECT_FALSE(bar.GetStyle() & (WS_POPUP | WS_CAPTION));
    EXPECT_EQ(frame.GetControlBar(kBarID), &bar);
    EXPECT_NE(Item(IDC_DIALOGBAR_APPLY), nullptr);
    // The default size is the template's, converted from dialog units with the template's font.
    CRect units(0, 0, 200, 22);
    ::MapDialogRect(bar.m_hWnd, units);
    EXPECT_EQ(bar.m_sizeDefault, units.Size());
    // Made, the bar took no focus from anyone.
    EXPECT_NE(::GetFocus(), Item(IDC_DIALOGBAR_EDIT));
}

TEST_F(DialogBarTest, DockedAlongASideItKeepsTheTemplateSizeInside)
{
    ASSERT_TRUE(bar.Create(&frame, IDD_FRAMEWORK_DIALOGBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarID));
    frame.RecalcLayout();
    CRect client;
    frame.GetClientRect(client);
    const CRect barRect = RectIn(bar.m_hWnd, frame.m_hWnd);
    // CBRS_TOP: across the top, the template's height plus the bottom border line.
    EXPECT_EQ(barRect, CRect(0, 0, client.right, bar.m_sizeDefault.cy + 2));
    CRect barClient;
    bar.GetClientRect(barClient);
    EXPECT_EQ(barClient.Height(), bar.m_sizeDefault.cy);
    EXPECT_EQ(RectIn(view.m_hWnd, frame.m_hWnd), CRect(0, barRect.bottom, client.right, client.bottom));
    EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE), CSize(bar.m_sizeDefault.cx, bar.m_sizeDefault.cy + 2));
    // On the left it is as wide as the template and as high as the frame.
    bar.SetBarStyle(CBRS_LEFT);
    frame.RecalcLayout();
    EXPECT_EQ(RectIn(bar.m_hWnd, frame.m_hWnd), CRect(0, 0, bar.m_sizeDefault.cx + 2, client.bottom));
    EXPECT_EQ(RectIn(view.m_hWnd, frame.m_hWnd).left, bar.m_sizeDefault.cx + 2);
}

TEST_F(DialogBarTest, ControlsFollowTheFramesHandlersAndReportToIt)
{
    ASSERT_TRUE(bar.Create(&frame, IDD_FRAMEWORK_DIALOGBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarID));
    frame.RecalcLayout();
    ShowFrame();
    frame_tests::MainWindowScope scope(&frame);
    AfxGetThread()->OnIdle(0);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_DIALOGBAR_APPLY)));   // the frame handles it
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_DIALOGBAR_EDIT)));   // its update handler says so
    EXPECT_TRUE(::IsWindowEnabled(Label()));                     // static text is left alone
    frame.editEnabled = TRUE;
    AfxGetThread()->OnIdle(0);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_DIALOGBAR_EDIT)));
    testing_support::ClickAt(frame_tests::CenterOnScreen(Item(IDC_DIALOGBAR_APPLY)));
    EXPECT_TRUE(PumpUntil([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands, std::vector<UINT>{IDC_DIALOGBAR_APPLY});
}

TEST_F(DialogBarTest, TabMovesBetweenControlsAndFrameAcceleratorsComeFirst)
{
    ASSERT_TRUE(bar.Create(&frame, IDD_FRAMEWORK_DIALOGBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarID));
    ACCEL accel{FVIRTKEY, VK_F5, ID_TEST_REFRESH};
    frame.SetAccelTable(::CreateAcceleratorTableA(&accel, 1));
    frame.editEnabled = TRUE;
    frame.RecalcLayout();
    ShowFrame();
    frame_tests::MainWindowScope scope(&frame);
    ::SetFocus(Item(IDC_DIALOGBAR_EDIT));
    testing_support::PressKey(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == Item(IDC_DIALOGBAR_APPLY); }));
    // Shift+Tab goes back, and the edit keeps what is typed.
    testing_support::PressKeyChord({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == Item(IDC_DIALOGBAR_EDIT); }));
    testing_support::TypeText("walls");
    EXPECT_TRUE(PumpUntil([&] { return ::GetWindowTextLengthA(Item(IDC_DIALOGBAR_EDIT)) == 5; }));
    testing_support::PressKey(VK_F5);
    EXPECT_TRUE(PumpUntil([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands, std::vector<UINT>{ID_TEST_REFRESH});
    ::DestroyAcceleratorTable(frame.m_hAccelTable);
    frame.SetAccelTable(nullptr);
}

TEST_F(DialogBarTest, AMissingTemplateMakesNoWindowAndOneByNameMadeHiddenTakesNoRoom)
{
    EXPECT_FALSE(bar.Create(&frame, 2499, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarID));
    EXPECT_EQ(bar.m_hWnd, nullptr);
    EXPECT_EQ(frame.GetControlBar(kBarID), nullptr);
    ASSERT_TRUE(bar.Create(&frame, MAKEINTRESOURCEA(IDD_FRAMEWORK_DIALOGBAR), WS_CHILD | CBRS_BOTTOM, kBarID));
    // Made hidden, the bar stays hidden and takes no room.
    EXPECT_FALSE(bar.IsWindowVisible());
    frame.RecalcLayout();
    CRect client;
    frame.GetClientRect(client);
    EXPECT_EQ(RectIn(view.m_hWnd, frame.m_hWnd), client);
}

}   // namespace
