// The buttons page in a sheet: its start, its categories and macro files, its
// descriptions, and customizing on and off with it.
#include "buttons_fixture.h"
#include "cntlrc.h"
#include "module.h"

#include <memory>

using namespace buttons_test;
using testing_support::PumpMessages;

namespace {

// ---- the page in a sheet ----

class ButtonsPageTest : public ButtonsHost {
protected:
    void TearDown() override
    {
        if (m_sheet.m_hWnd)
            m_sheet.DestroyWindow();
        ButtonsHost::TearDown();
    }
    // The page of the shapes and the custom buttons in a modeless sheet on the frame
    // (made once the library is started: its template comes from the library's module).
    void Open()
    {
        m_pPage = std::make_unique<CButtonsPage>();
        UINT ids[kShapes];
        for (int i = 0; i < kShapes; ++i)
            ids[i] = kShape + (UINT)i;
        m_pPage->AddCategory("Shapes", ids, kShapes);
        m_pPage->AddCategory(LibraryText(IDS_CUSTOM_BUTTONS_CATEGORY, ""), nullptr, 0);
        m_sheet.AddPage(m_pPage.get());
        ASSERT_TRUE(m_sheet.Create(&m_frame));
        PumpMessages();
        ASSERT_NE(nullptr, m_pPage->m_hWnd);
    }
    CString Text(int nID)
    {
        char text[512] = "";
        ::GetDlgItemTextA(m_pPage->m_hWnd, nID, text, sizeof text);
        return text;
    }
    bool Shown(int nID) { return ::IsWindowVisible(::GetDlgItem(m_pPage->m_hWnd, nID)) != FALSE; }
    void ClickCategory(int index)
    {
        CRect item;
        m_pPage->m_listCategories.GetItemRect(index, item);
        m_pPage->m_listCategories.ClientToScreen(item);
        testing_support::ClickAt(item.CenterPoint());
        PumpMessages();
    }

    std::unique_ptr<CButtonsPage> m_pPage;
    CPropertySheet m_sheet{"Customize"};
};

TEST_F(ButtonsPageTest, StartRegistersThePageTurnsCustomizingOnAndShowsTheFirstCategorysPalette)
{
    Open();
    EXPECT_EQ(m_pPage->m_hWnd, m_pInfo->m_hWndCustomizePage);
    EXPECT_EQ(m_sheet.m_hWnd, m_pInfo->GetActiveDlg());
    EXPECT_TRUE(m_pInfo->m_bCustomizationMode);
    ASSERT_EQ(2, m_pPage->m_listCategories.GetCount());
    EXPECT_EQ(0, m_pPage->m_listCategories.GetCurSel());
    auto* pPalette = DYNAMIC_DOWNCAST(JCustomToolbar, m_pPage->GetPalette(0));
    ASSERT_NE(nullptr, pPalette);
    EXPECT_TRUE(pPalette->IsWindowVisible());
    EXPECT_EQ(2, pPalette->GetToolBarCtrl().GetRows());
    EXPECT_EQ(LibraryText(IDS_BUTTONS_PAGE_PROMPT, "?"), Text(IDC_BUTTONS_PROMPT));
    LOGFONTA font{};
    ::GetObjectA((HFONT)::SendDlgItemMessageA(m_pPage->m_hWnd, IDC_BUTTONS_DESCRIPTION, WM_GETFONT, 0, 0), sizeof font,
                 &font);
    EXPECT_EQ(300, font.lfWeight);
    EXPECT_FALSE(Shown(IDC_BUTTONS_MACROS));
    EXPECT_EQ(nullptr, m_pPage->GetPalette(1)) << "made when first shown";
}

TEST_F(ButtonsPageTest, TheCustomButtonsCategoryShowsTheMacroFilesOfTheCurrentFolder)
{
    MacroFolderScope folder;
    folder.Add("a.jmac");
    folder.Add("b.txt");
    Open();
    ClickCategory(1);
    EXPECT_EQ(1, m_pPage->m_listCategories.GetCurSel());
    EXPECT_TRUE(Shown(IDC_BUTTONS_MACROS));
    EXPECT_TRUE(Shown(IDC_BUTTONS_BROWSE));
    EXPECT_FALSE(m_pPage->m_wndHost.IsWindowVisible()) << "no palette over the list";
    ASSERT_EQ(1, m_pPage->m_listMacros.GetCount());
    CString name;
    m_pPage->m_listMacros.GetText(0, name);
    EXPECT_STREQ("a.jmac", name);
    CString lower = folder.path().string().c_str();
    lower.MakeLower();
    EXPECT_EQ(lower, Text(IDC_BUTTONS_DIRECTORY));
    EXPECT_TRUE(m_pPage->GetPalette(1)->IsKindOf(RUNTIME_CLASS(JMacroToolbar)));
    EXPECT_EQ(m_pPage->GetPalette(1), m_pPage->m_listMacros.GetToolbar());
    // Back to the shapes: their palette again, and no list.
    ClickCategory(0);
    EXPECT_FALSE(Shown(IDC_BUTTONS_MACROS));
    EXPECT_TRUE(m_pPage->GetPalette(0)->IsWindowVisible());
}

TEST_F(ButtonsPageTest, DescriptionsShowWhatThePageIsToldAndLeavingOrClosingEndsCustomizing)
{
    Open();
    m_pPage->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM) "Draws a circle");
    EXPECT_STREQ("Draws a circle", Text(IDC_BUTTONS_DESCRIPTION));
    m_pPage->SendMessage(WM_SETMESSAGESTRING, 0, 0);
    EXPECT_STREQ("", Text(IDC_BUTTONS_DESCRIPTION));
    // Leaving the page ends customizing and the focus; coming back starts it again.
    JToolBar::m_pBar = MakeToolBar({toolbar_test::kOpen});
    m_pPage->OnKillActive();
    EXPECT_FALSE(m_pInfo->m_bCustomizationMode);
    EXPECT_EQ(nullptr, JToolBar::m_pBar);
    m_pPage->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM) "left over");
    m_pPage->OnSetActive();
    EXPECT_TRUE(m_pInfo->m_bCustomizationMode);
    EXPECT_STREQ("", Text(IDC_BUTTONS_DESCRIPTION));
    // Closing: no customizing, no page known, no palette left behind.
    m_sheet.DestroyWindow();
    PumpMessages();
    EXPECT_FALSE(m_pInfo->m_bCustomizationMode);
    EXPECT_EQ(nullptr, m_pInfo->m_hWndCustomizePage);
    for (INT_PTR i = 0; i < m_pInfo->m_arrBars.GetSize(); ++i)
        EXPECT_FALSE(static_cast<CObject*>(m_pInfo->m_arrBars[i])->IsKindOf(RUNTIME_CLASS(JCustomToolbar)));
}

}   // namespace
