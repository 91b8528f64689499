// The toolbar's image strip: cut from the categories for the current settings,
// command states and transparent colour, rebuilt only when one of those changed.
#include "toolbar_fixture.h"
#include "tsprefscontexthelp.h"

#include <algorithm>

using namespace toolbar_test;

namespace {

COLORREF Face()
{
    return ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
}

TEST_F(ToolbarHost, StripHoldsOneImagePerButtonNoneForSeparatorsAndTheSettingsPickIt)
{
    // A button without an image keeps the others in place.
    ProbeToolBar* pBar = MakeToolBar({kSave, 0, kOpen, 0, 0, kUnknown, kGrey});
    EXPECT_EQ(7, pBar->GetCommandCount());
    ASSERT_EQ(4, pBar->ImageCount());
    const COLORREF centres[] = {kImageColors[1][1], kImageColors[1][0], Face(), kImageColors[1][2]};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(centres[i], pBar->ImageCenter(i)) << i;
    // The transparent top-left pixel shows the button face.
    EXPECT_EQ(Face(), image_test::PixelOf(pBar->Strip(), 0, 0));
    EXPECT_EQ(Face(), image_test::PixelOf(pBar->Strip(), 16, 0));
    EXPECT_EQ((std::vector<UINT>{kSave, 0, kOpen, 0, 0, kUnknown, kGrey}), pBar->ButtonIDs());
    EXPECT_EQ(2, pBar->FindCommandIndex(kOpen));
    EXPECT_EQ(-1, pBar->FindCommandIndex(kUnknown - 1));
    // Plain, colour, small and large settings pick their strip.
    ProbeToolBar* pSet = MakeToolBar({kOpen, kSave});
    const struct {
        BOOL color;
        int large;
        int variant;
    } cases[] = {{FALSE, 0, 0}, {TRUE, 0, 1}, {FALSE, 1, 2}, {TRUE, 1, 3}};
    for (const auto& c : cases) {
        m_pInfo->m_bColorButtons = c.color;
        m_pInfo->m_nLargeButtons = c.large;
        m_pInfo->UpdateToolbars(0);
        Repaint(pSet);
        SCOPED_TRACE(c.variant);
        EXPECT_EQ(c.large ? 24 : 16, pSet->GetSizeImage().cx);
        ASSERT_EQ(2, pSet->ImageCount());
        EXPECT_EQ(kImageColors[c.variant][0], pSet->ImageCenter(0));
        EXPECT_EQ(kImageColors[c.variant][1], pSet->ImageCenter(1));
    }
}

TEST_F(ToolbarHost, InactiveCommandShowsTheInactiveLookAndDeletedButtonsLeaveTheOthersTheirImages)
{
    ProbeToolBar* pBar = MakeToolBar({kOpen, kGrey});
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), pBar->ImageCenter(1));
    m_pInfo->SetCommandState(kGrey, 0, 0);
    Repaint(pBar);
    EXPECT_EQ(RGB(0, 0, 0), pBar->ImageCenter(1));
    EXPECT_EQ(kImageColors[1][0], pBar->ImageCenter(0));
    m_pInfo->SetCommandState(kGrey, 1, 0);
    Repaint(pBar);
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), pBar->ImageCenter(1));
    ProbeToolBar* pOther = MakeToolBar({kOpen, kSave, kGrey});
    ASSERT_TRUE(pOther->DeleteItem(0));
    Repaint(pOther);
    ASSERT_EQ(2, pOther->ImageCount());
    UINT id = 0, style = 0;
    int image = -1;
    pOther->GetButtonInfo(1, id, style, image);
    EXPECT_EQ(kGrey, id);
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), pOther->ImageCenter(image));
}

TEST_F(ToolbarHost, PaintsRebuildTheStripOnlyWhenItsInputsChanged)
{
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
    const int builds = pBar->GetStripBuildCount();
    for (int i = 0; i < 3; ++i)
        Repaint(pBar);
    EXPECT_EQ(builds, pBar->GetStripBuildCount());
    pBar->SetTransparentColor(pBar->GetTransparentColor());
    EXPECT_EQ(builds, pBar->GetStripBuildCount());
    // A new transparent colour: the green image becomes button face.
    pBar->SetTransparentColor(kImageColors[1][1]);
    EXPECT_EQ(builds + 1, pBar->GetStripBuildCount());
    EXPECT_EQ(Face(), pBar->ImageCenter(1));
    m_pInfo->m_bColorButtons = FALSE;
    Repaint(pBar);
    EXPECT_EQ(builds + 2, pBar->GetStripBuildCount());
    EXPECT_EQ(kImageColors[0][0], pBar->ImageCenter(0));
    pBar->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(builds + 3, pBar->GetStripBuildCount());
}

TEST_F(ToolbarHost, TheSameButtonsAgainKeepTheirStripAndListsOfSeparatorsOrNoneReplaceThem)
{
    const UINT ids[] = {kOpen, 0, kSave};
    ProbeToolBar* pBar = MakeToolBar({kOpen, 0, kSave});
    const int builds = pBar->GetStripBuildCount();
    ASSERT_TRUE(pBar->SetButtonIDs(ids, 3));
    EXPECT_EQ(builds, pBar->GetStripBuildCount());
    EXPECT_EQ(kImageColors[1][1], pBar->ImageCenter(1));
    // Other buttons, or the same ones in another order, are cut anew.
    const UINT swapped[] = {kSave, 0, kOpen};
    ASSERT_TRUE(pBar->SetButtonIDs(swapped, 3));
    EXPECT_EQ(builds + 1, pBar->GetStripBuildCount());
    EXPECT_EQ(kImageColors[1][1], pBar->ImageCenter(0));
    EXPECT_EQ(kImageColors[1][0], pBar->ImageCenter(1));
    ProbeToolBar* pOther = MakeToolBar({kOpen, kSave});
    const UINT separators[] = {0, 0, 0};
    EXPECT_TRUE(pOther->SetButtonIDs(separators, 3));
    EXPECT_EQ(3, pOther->GetCommandCount());
    EXPECT_EQ(-1, pOther->FindCommandIndex(kOpen));
    EXPECT_TRUE(pOther->SetButtonIDs(nullptr, 5));
    EXPECT_EQ(1, pOther->GetCommandCount());
}

TEST_F(ToolbarHost, CreationRegistersDestructionUnregistersAndHelpHitTestAnswersTheCommand)
{
    const int before = m_pInfo->m_nNumberOfToolbars;
    ProbeToolBar* pBar = MakeToolBar({kOpen});
    EXPECT_EQ(before + 1, m_pInfo->m_nNumberOfToolbars);
    EXPECT_EQ(0xE83E, pBar->GetDlgCtrlID());
    EXPECT_FALSE(pBar->m_bIDFixed);
    EXPECT_NE(nullptr, pBar->m_pToolTip);
    EXPECT_EQ(pBar->m_pToolTip->m_hWnd, pBar->GetToolBarCtrl().GetToolTips());
    auto listed = [&] {
        auto& bars = m_pInfo->m_arrBars;
        return std::count(bars.GetData(), bars.GetData() + bars.GetSize(), static_cast<void*>(pBar));
    };
    EXPECT_EQ(1, listed());
    // The window's end deletes the toolbar, which leaves the control state.
    pBar->DestroyWindow();
    EXPECT_EQ(before, m_pInfo->m_nNumberOfToolbars);
    EXPECT_EQ(0, listed());
    ProbeToolBar* pOther = MakeToolBar({kOpen, 0, kSave});
    CRect rect;
    pOther->GetItemRect(2, rect);
    const LRESULT context =
        pOther->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
    EXPECT_EQ((LRESULT)kSave, context);
    TsPrefsContextHelp help;
    long source = -1;
    help.GetSourceOfHelpContextId(&source);
    EXPECT_EQ(JHELP_FROM_TOOLBAR, source);
    pOther->GetItemRect(1, rect);   // the separator
    EXPECT_EQ(0, pOther->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y)));
}

TEST_F(ToolbarHost, CategoriesOfResourcesGiveImagesAndTextsAndOfBitmapsShowRedrawsAtTheNextPaint)
{
    const UINT ids[] = {0x8101, 0x8102, 0x8103};
    HINSTANCE hModule = ::GetModuleHandleA(nullptr);
    m_pInfo->m_categories.AddCategory("Files", 301, 301, 301, 301, ids, nullptr, 3, hModule, 0);
    ProbeToolBar* pBar = MakeToolBar({0x8103, 0, 0x8101, 0x8102});
    ASSERT_EQ(3, pBar->ImageCount());
    const COLORREF centres[] = {RGB(0, 0, 200), RGB(200, 0, 0), RGB(0, 200, 0)};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(centres[i], pBar->ImageCenter(i)) << i;
    EXPECT_EQ(Face(), image_test::PixelOf(pBar->Strip(), 16, 0));
    // The tip part of the command's string names the button; without one the whole string does.
    const char* texts[] = {"", "", "Open drawing", "Saves the drawing"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CString(texts[i]), pBar->GetButtonText(i)) << i;
    CString text;
    pBar->GetButtonText(2, text);
    EXPECT_EQ(CString("Open drawing"), text);
    // A category bitmap redrawn in place shows at the next paint.
    ProbeToolBar* pDrawn = MakeToolBar({kOpen, kSave});
    JBitmapInfo info{};
    ASSERT_TRUE(m_pInfo->GetBitmapInfo(kSave, (LPARAM)&info));
    ASSERT_EQ(nullptr, info.hModule);   // a category of bitmap handles
    // The host draws into its bitmap; the handle stays the same.
    const int cx = pDrawn->GetSizeImage().cx, cy = pDrawn->GetSizeImage().cy;
    image_test::SetPixels((HBITMAP)info.nBitmap, {{info.nImageIndex * cx + cx / 2, cy / 2}}, image_test::kBlue);
    Repaint(pDrawn);
    EXPECT_EQ(image_test::kBlue, pDrawn->ImageCenter(1));
    EXPECT_EQ(kImageColors[1][0], pDrawn->ImageCenter(0));
    const int builds = pDrawn->GetStripBuildCount();
    Repaint(pDrawn);   // nothing changed since: the strip stays
    EXPECT_EQ(builds, pDrawn->GetStripBuildCount());
}

}   // namespace
