// A toolbar's custom drawing reaches its owner too: the toolbar sinks its pressed buttons, and
// an owner that draws as well sees every stage and has the last word.
#include "testsupport.h"

#include <gtest/gtest.h>
#include <algorithm>

using testing_support::PumpMessages;

namespace {

constexpr UINT kBarID = AFX_IDW_CONTROLBAR_FIRST + 0x41;
constexpr UINT kButtons[] = {0x8201, 0x8202, 0x8203};

class CDrawingOwner : public CFrameWnd {
public:
    std::vector<DWORD> stages;
    bool answerDefault = false;   // the owner's drawing replaces the toolbar's

protected:
    void PostNcDestroy() override {}   // lives in the test
    afx_msg void OnToolbarDraw(NMHDR* pNMHDR, LRESULT* pResult)
    {
        stages.push_back(reinterpret_cast<NMCUSTOMDRAW*>(pNMHDR)->dwDrawStage);
        if (answerDefault)
            *pResult = CDRF_DODEFAULT;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawingOwner, CFrameWnd)
    ON_NOTIFY(NM_CUSTOMDRAW, kBarID, OnToolbarDraw)
END_MESSAGE_MAP()

struct DrawCase {
    const char* name;
    bool docked;          // in a dock bar (which passes the notification on), else a child of the frame
    bool answerDefault;   // the owner answers CDRF_DODEFAULT
    bool sinks;           // the pressed button is drawn sunk
};

class ToolbarCustomDraw : public ::testing::TestWithParam<DrawCase> {};

TEST_P(ToolbarCustomDraw, TheOwnerSeesTheStagesAndItsAnswerDecidesThePressedLook)
{
    const DrawCase& test = GetParam();
    CDrawingOwner frame;
    ASSERT_TRUE(frame.Create(nullptr, "owner", WS_OVERLAPPEDWINDOW, CRect(40, 40, 440, 300)));
    frame.answerDefault = test.answerDefault;
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(), kBarID));
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hImages = ::CreateCompatibleBitmap(hScreen, 16 * 3, 15);
    ::ReleaseDC(nullptr, hScreen);
    ASSERT_TRUE(bar.SetBitmap(hImages));
    ASSERT_TRUE(bar.SetButtons(kButtons, 3));
    if (test.docked) {
        frame.EnableDocking(CBRS_ALIGN_ANY);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    }
    frame.RecalcLayout();
    frame.ShowWindow(SW_SHOW);
    PumpMessages();
    bar.SendMessage(TB_PRESSBUTTON, kButtons[1], TRUE);
    frame.stages.clear();

    auto canvas = testing_support::RenderWindow(frame.m_hWnd);
    ASSERT_TRUE(canvas);
    CRect frameWindow, pressed;
    frame.GetWindowRect(frameWindow);
    bar.GetItemRect(1, pressed);
    bar.ClientToScreen(pressed);
    pressed.OffsetRect(-frameWindow.left, -frameWindow.top);
    const COLORREF inside = canvas->Pixel(pressed.left + 2, pressed.top + 2);
    EXPECT_EQ(GetGValue(inside) + 20 < GetGValue(::GetSysColor(COLOR_BTNFACE)), test.sinks) << test.name;
    EXPECT_NE(std::find(frame.stages.begin(), frame.stages.end(), (DWORD)CDDS_PREPAINT), frame.stages.end())
        << test.name;
    // Asked item by item only when the toolbar's answer stood.
    EXPECT_EQ(std::find(frame.stages.begin(), frame.stages.end(), (DWORD)CDDS_ITEMPREPAINT) != frame.stages.end(),
              test.sinks)
        << test.name;
    frame.DestroyWindow();
    ::DeleteObject(hImages);
}

const DrawCase kDrawCases[] = {
    {"Docked", true, false, true},
    {"DockedOwnerDrawsPlain", true, true, false},
    {"Child", false, false, true},
    {"ChildOwnerDrawsPlain", false, true, false},
};

INSTANTIATE_TEST_SUITE_P(Owners, ToolbarCustomDraw, ::testing::ValuesIn(kDrawCases),
                         [](const auto& info) { return std::string(info.param.name); });

}   // namespace
