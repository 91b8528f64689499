// The toolbar's shape and the settings applied to existing toolbars.
#include "toolbar_fixture.h"

#include <algorithm>
#include <string>

using namespace toolbar_test;

namespace {

// A docked toolbar keeps its orientation whatever its shape; a floating one follows it.
TEST_F(ToolbarHost, FloatingToolbarFollowsItsShape)
{
    ProbeToolBar* pDocked = MakeToolBar({kOpen, kSave});
    pDocked->SetWindowPos(nullptr, 0, 0, 20, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, pDocked->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT));
    m_frame.EnableDocking(CBRS_ALIGN_ANY);
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave, kGrey, kOpen}, CBRS_ALIGN_ANY);
    m_frame.FloatControlBar(pBar, CPoint(100, 100));
    testing_support::PumpMessages();
    ASSERT_TRUE(pBar->IsFloating());
    EXPECT_TRUE(pBar->GetBarStyle() & CBRS_ALIGN_TOP);
    const CSize button = pBar->GetSizeButton();
    // Taller than wide, in buttons: the bar turns vertical.
    pBar->SetWindowPos(nullptr, 0, 0, button.cx + 4, button.cy * 4 + 4, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((DWORD)(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT),
              pBar->GetBarStyle() & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM));
    CRect client;
    pBar->GetClientRect(client);
    EXPECT_EQ(client.Size(), pBar->m_sizeFloat);
    // And back when wider than tall.
    pBar->SetWindowPos(nullptr, 0, 0, button.cx * 4 + 4, button.cy + 4, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((DWORD)(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM),
              pBar->GetBarStyle() & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM));
}

// The settings reach existing toolbars through UpdateToolbars, and new ones at creation.
TEST_F(ToolbarHost, UpdateToolbarsAppliesTheSettingsAndNewToolbarsTakeThem)
{
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
    EXPECT_FALSE(pBar->GetGripperBar());
    EXPECT_FALSE(pBar->GetBarStyle() & CBRS_GRIPPER);
    EXPECT_FALSE(pBar->GetStyle() & TBSTYLE_FLAT);
    m_pInfo->m_nGripperBar = 1;
    m_pInfo->m_nFlatButtons = 1;
    m_pInfo->m_nLargeButtons = 1;
    m_pInfo->m_crTransparent = kImageColors[3][1];
    m_frame.m_nIdleFlags = 0;
    m_pInfo->UpdateToolbars(1);
    EXPECT_TRUE(m_frame.m_nIdleFlags & CFrameWnd::idleLayout);
    ProbeToolBar* pNew = MakeToolBar({kOpen, kSave});
    for (ProbeToolBar* pShown : {pBar, pNew}) {
        SCOPED_TRACE(pShown == pBar ? "updated" : "new");
        EXPECT_TRUE(pShown->GetGripperBar());
        EXPECT_TRUE(pShown->GetBarStyle() & CBRS_GRIPPER);
        EXPECT_EQ(1, pShown->GetAppearance());
        EXPECT_TRUE(pShown->GetStyle() & TBSTYLE_FLAT);
        EXPECT_EQ(CSize(JToolBar::kLargeButton), CSize(pShown->GetSizeButton()));
        EXPECT_EQ(CSize(24, 23), CSize(pShown->GetSizeImage()));
        EXPECT_EQ(kImageColors[3][1], pShown->GetTransparentColor());
        EXPECT_EQ(kImageColors[3][0], pShown->ImageCenter(0));
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF, pShown->ImageCenter(1)) << "the new transparent colour";
    }
    // A flat toolbar's own tip control shows the tips, not the bar's.
    EXPECT_FALSE(pNew->GetBarStyle() & CBRS_TOOLTIPS);
    EXPECT_TRUE(pNew->GetBarStyle() & CBRS_FLYBY);
    // And back.
    m_pInfo->m_nGripperBar = 0;
    m_pInfo->m_nFlatButtons = 0;
    m_pInfo->m_nLargeButtons = 0;
    m_pInfo->UpdateToolbars(0);
    EXPECT_FALSE(pBar->GetBarStyle() & CBRS_GRIPPER);
    EXPECT_FALSE(pBar->GetStyle() & TBSTYLE_FLAT);
    EXPECT_EQ(CSize(23, 22), CSize(pBar->GetSizeButton()));
    EXPECT_EQ(kImageColors[1][0], pBar->ImageCenter(0));
}

// A tip control that writes its whole text, whatever buffer it is given, as older ones do.
WNDPROC g_tipsProc = nullptr;
LRESULT CALLBACK WholeTextTips(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != TTM_GETTEXTA)
        return ::CallWindowProcA(g_tipsProc, hWnd, message, wParam, lParam);
    const std::string text(150, 'T');
    auto* pInfo = reinterpret_cast<TTTOOLINFOA*>(lParam);
    const size_t length = std::min(wParam ? (size_t)wParam - 1 : text.size(), text.size());
    memcpy(pInfo->lpszText, text.c_str(), length);
    pInfo->lpszText[length] = '\0';
    return 0;
}

TEST_F(ToolbarHost, PlainToolbarsShowTheBarsTipsWhoseTextsChangePerButtonAndFillOnlyTheCallersBuffer)
{
    for (int flat : {0, -1}) {   // -1: not read yet, which is not flat
        m_pInfo->m_nFlatButtons = flat;
        ProbeToolBar* pBar = MakeToolBar({kOpen});
        EXPECT_TRUE(pBar->GetBarStyle() & CBRS_TOOLTIPS) << flat;
        EXPECT_TRUE(pBar->GetBarStyle() & CBRS_FLYBY);
        EXPECT_FALSE(pBar->GetBarStyle() & CBRS_GRIPPER);
        SetToolTips(1);   // the same rule as at creation
        EXPECT_TRUE(pBar->GetBarStyle() & CBRS_TOOLTIPS) << flat;
        pBar->DestroyWindow();
    }
    ProbeToolBar* pBar = MakeToolBar({kOpen, 0, kSave});
    EXPECT_TRUE(pBar->ChangeTooltipTextOnItem(2, "Keep the drawing"));
    char text[80] = "";
    EXPECT_TRUE(pBar->GetTooltipTextOnItem(2, text));
    EXPECT_STREQ("Keep the drawing", text);
    EXPECT_FALSE(pBar->ChangeTooltipTextOnItem(1, "separator"));
    EXPECT_FALSE(pBar->GetTooltipTextOnItem(1, text));
    EXPECT_FALSE(pBar->GetTooltipTextOnItem(2, nullptr));
    const HWND hTips = pBar->m_pToolTip->m_hWnd;
    g_tipsProc = (WNDPROC)::SetWindowLongPtrA(hTips, GWLP_WNDPROC, (LONG_PTR)WholeTextTips);
    struct {
        char text[JToolBar::kTipTextChars];
        char guard[128];
    } buffer;
    memset(&buffer, 'g', sizeof buffer);
    EXPECT_TRUE(pBar->GetTooltipTextOnItem(0, buffer.text));
    EXPECT_EQ(std::string(JToolBar::kTipTextChars - 1, 'T'), buffer.text);
    EXPECT_EQ('g', buffer.guard[0]);
    char small[8];
    EXPECT_TRUE(pBar->GetTooltipTextOnItem(0, small, sizeof small));
    EXPECT_STREQ("TTTTTTT", small);
    ::SetWindowLongPtrA(hTips, GWLP_WNDPROC, (LONG_PTR)g_tipsProc);
}

TEST_F(ToolbarHost, DeferredShowWaitsForItsFlagAndAMovedToolbarTakesADirtyEnvironmentsSettings)
{
    ProbeToolBar* pBar = MakeToolBar({kOpen});
    pBar->ShowWindow(SW_HIDE);
    pBar->SendMessage(WM_TIMER, JToolBar::kDeferredShowTimer);
    EXPECT_FALSE(pBar->IsWindowVisible()) << "no deferred show was asked for";
    pBar->m_bDeferredShow = TRUE;
    pBar->SendMessage(WM_TIMER, JToolBar::kDeferredShowTimer);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_FALSE(pBar->m_bDeferredShow);
    ProbeToolBar* pMoved = MakeToolBar({kOpen});
    m_pInfo->m_nGripperBar = 1;
    JEnvironmentManager::Get()->SetEnvironmentDirty(1);
    pMoved->SetWindowPos(nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(pMoved->GetBarStyle() & CBRS_GRIPPER);
    EXPECT_FALSE(JEnvironmentManager::Get()->IsEnvironmentDirty());
}

// Environments switched with toolbars on the frame: each one shows its own bars.
class EnvironmentSwitch : public ToolbarHost {
protected:
    void Switch(const char* name) { JGetEnvironmentManager()->SetEnvironment(name, nullptr, nullptr, nullptr); }
    void SwitchToFirst() { JGetEnvironmentManager()->SetEnvironment(0L); }
};

TEST_F(EnvironmentSwitch, TheFirstEnvironmentsToolbarsComeBackAndADeletedOneIsForgottenByAll)
{
    ProbeToolBar* pFirst = MakeToolBar({kOpen});
    Switch("B");
    EXPECT_FALSE(pFirst->IsWindowVisible());
    SwitchToFirst();
    EXPECT_TRUE(pFirst->IsWindowVisible());
    Switch("B");
    ProbeToolBar* pSecond = MakeToolBar({kSave});
    SwitchToFirst();
    Switch("B");   // the first environment now remembers every bar of the frame
    pSecond->DestroyWindow();
    JEnvironmentManager* pManager = JGetEnvironmentManager();
    for (long e = 0; e < pManager->GetCount(); ++e) {
        const CPtrArray& records = pManager->GetEnvironment(e)->m_arrVisibility;
        for (INT_PTR i = 0; i < records.GetSize(); ++i)
            EXPECT_NE(static_cast<void*>(pSecond), static_cast<JBarVisibility*>(records[i])->pBar) << e;
    }
    SwitchToFirst();
}

TEST_F(EnvironmentSwitch, AFloatingFrameComesBackExactlyWhenItsToolbarDoes)
{
    m_frame.EnableDocking(CBRS_ALIGN_ANY);
    ProbeToolBar* bars[] = {MakeToolBar({kOpen}), MakeToolBar({kSave})};
    for (int i = 0; i < 2; ++i) {
        bars[i]->EnableDocking(CBRS_ALIGN_ANY);
        m_frame.FloatControlBar(bars[i], CPoint(100 + 150 * i, 300));
    }
    m_frame.ShowControlBar(bars[1], FALSE, FALSE);   // hidden before the environment goes away
    Switch("B");
    for (ProbeToolBar* pBar : bars)
        EXPECT_FALSE(pBar->GetParentFrame()->IsWindowVisible());
    SwitchToFirst();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(bars[i]->IsWindowVisible() != FALSE, i == 0) << i;
        EXPECT_EQ(bars[i]->GetParentFrame()->IsWindowVisible() != FALSE, i == 0) << i;
    }
}

}   // namespace
