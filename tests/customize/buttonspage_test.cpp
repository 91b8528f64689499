// The buttons page's palettes under the real mouse, the macro file list, and
// buttons dragged from them onto toolbars.
#include "buttons_fixture.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>

using namespace buttons_test;
using testing_support::PumpMessages;
using testing_support::ScriptedInput;
using testing_support::SendMouseButton;

namespace {

// ---- palettes ----

struct RowCase {
    int large;   // the large-buttons setting
    int commands;
    std::vector<int> rows;   // buttons in each row
};

class PaletteRows : public ButtonsHost, public ::testing::WithParamInterface<RowCase> {};

TEST_P(PaletteRows, ButtonsWrapIntoRowsOfSevenOrFiveWithLargeButtons)
{
    const RowCase& c = GetParam();
    m_pInfo->m_nLargeButtons = c.large;
    JCustomToolbar* pPalette = MakePalette(c.commands);
    ASSERT_NE(nullptr, pPalette);
    EXPECT_EQ((int)c.rows.size(), pPalette->GetToolBarCtrl().GetRows());
    // Each row starts at the first button's left edge, one button height below the last.
    CRect first;
    pPalette->GetItemRect(0, first);
    int index = 0;
    for (size_t row = 0; row < c.rows.size(); ++row) {
        for (int k = 0; k < c.rows[row]; ++k, ++index) {
            CRect rect;
            pPalette->GetItemRect(index, rect);
            EXPECT_EQ(first.top + (int)row * first.Height(), rect.top) << "button " << index;
            EXPECT_EQ(first.left + k * first.Width(), rect.left) << "button " << index;
        }
    }
    EXPECT_EQ(c.commands, index);
    EXPECT_FALSE(pPalette->GetBarStyle() & CBRS_BORDER_BOTTOM);
    EXPECT_TRUE(pPalette->m_bUnlisted) << "no palette in the bars' menu";
    EXPECT_EQ(&m_frame, pPalette->GetOwner());
}

INSTANTIATE_TEST_SUITE_P(Categories, PaletteRows,
                         ::testing::Values(RowCase{0, 8, {7, 1}}, RowCase{1, 8, {5, 3}}, RowCase{0, 7, {7}},
                                           RowCase{0, 3, {3}}));

TEST_F(ButtonsHost, PaletteLeavesSeparatorsOutShowsEveryImageAndNoneGreyed)
{
    const UINT ids[] = {kShape, 0, kShape + 1, 0, 0, kShape + 2};
    auto* pPalette = new JCustomToolbar;
    ASSERT_TRUE(pPalette->CreatePalette(&m_page.m_host, ids, 6, &m_frame));
    m_page.m_host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    ASSERT_EQ(3, pPalette->GetToolBarCtrl().GetButtonCount());
    // The frame has no handlers for these commands: an update greys nothing here.
    pPalette->OnUpdateCmdUI(&m_frame, TRUE);
    pPalette->SetButtonStyle(1, pPalette->GetButtonStyle(1) | TBBS_DISABLED);
    pPalette->Invalidate();
    pPalette->UpdateWindow();
    auto canvas = testing_support::RenderWindow(pPalette->m_hWnd);
    CRect window;
    pPalette->GetWindowRect(window);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(kShape + (UINT)i, pPalette->GetItemID(i));
        EXPECT_FALSE(pPalette->GetButtonStyle(i) & TBBS_DISABLED) << i;
        const CPoint center = ScreenCenter(pPalette, i);
        EXPECT_EQ(ShapeColor(i), canvas->Pixel(center.x - window.left, center.y - window.top)) << "button " << i;
    }
}

TEST_F(ButtonsHost, PaletteOfNoCommandsIsNotMade)
{
    const UINT ids[] = {0, 0};
    JCustomToolbar palette;
    EXPECT_FALSE(palette.CreatePalette(&m_page.m_host, ids, 2, &m_frame));
    EXPECT_EQ(nullptr, palette.m_hWnd);
}

TEST_F(ButtonsHost, MouseOverThePaletteTellsThePageTheCommandAndOffTheButtonsNone)
{
    JCustomToolbar* pPalette = MakePalette(3);
    ASSERT_NE(nullptr, pPalette);
    MoveTo(ScreenCenter(pPalette, 1));
    ASSERT_FALSE(m_page.m_prompts.empty());
    EXPECT_EQ(kShape + 1, m_page.m_prompts.back().first);
    MoveTo(ScreenCenter(pPalette, 2));
    EXPECT_EQ(kShape + 2, m_page.m_prompts.back().first);
    // Right of the last button, still over the palette.
    CRect rect;
    pPalette->GetItemRect(2, rect);
    CRect client;
    pPalette->GetClientRect(client);
    ASSERT_GT(client.right, rect.right + 4);
    CPoint beyond(rect.right + 3, rect.CenterPoint().y);
    pPalette->ClientToScreen(&beyond);
    MoveTo(beyond);
    EXPECT_EQ(0u, m_page.m_prompts.back().first) << "the prompt is cleared";
}

TEST_F(ButtonsHost, HidingThePaletteThatHoldsTheFocusClearsThePromptAndTheFocus)
{
    JCustomToolbar* pPalette = MakePalette(3);
    ASSERT_NE(nullptr, pPalette);
    JToolBar::m_pBar = pPalette;
    JToolBar::m_nIndex = 1;
    pPalette->ShowWindow(SW_HIDE);
    EXPECT_EQ(nullptr, JToolBar::m_pBar);
    ASSERT_FALSE(m_page.m_prompts.empty());
    EXPECT_EQ(0u, m_page.m_prompts.back().first);
    // A toolbar's focus goes too, without a word to the page.
    toolbar_test::ProbeToolBar* pBar = MakeToolBar({toolbar_test::kOpen, toolbar_test::kSave});
    pPalette->ShowWindow(SW_SHOW);
    m_page.m_prompts.clear();
    JToolBar::m_pBar = pBar;
    pPalette->ShowWindow(SW_HIDE);
    EXPECT_EQ(nullptr, JToolBar::m_pBar);
    EXPECT_TRUE(m_page.m_prompts.empty());
}

}   // namespace

namespace {

// ---- the macro file list ----

TEST(MacroFilter, PatternsRunFromTheFirstStarToTheClosingParenthesis)
{
    const struct {
        const char* filter;
        std::vector<CString> patterns;
    } cases[] = {
        {"Macro Files (*.jmac)|*.jmac|All Files (*.*)|*.*||", {"*.jmac"}},
        {"Macros (*.jmac;*.bas;*.js)|*.jmac;*.bas;*.js||", {"*.jmac", "*.bas", "*.js"}},
        {"(*.*)", {"*.*"}},
        {"*.a; *.b", {"*.a", "*.b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.patterns, JMacroListBox::Patterns(c.filter)) << c.filter;
}

// A folder of files, current while the test runs, and a macro list on the page.
class MacroFolder : public ButtonsHost {
protected:
    void SetUp() override
    {
        ButtonsHost::SetUp();
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL,
                                  CRect(10, 10, 270, 150), &m_page, 1017));
        ASSERT_TRUE(m_dir.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 155, 270, 170), &m_page, 1022));
    }
    void Touch(const std::string& name) { m_scope.Add(name, "Name=" + name + "\n"); }
    std::vector<std::string> Listed()
    {
        std::vector<std::string> names;
        for (int i = 0; i < m_list.GetCount(); ++i) {
            CString text;
            m_list.GetText(i, text);
            names.push_back((LPCSTR)text);
        }
        return names;
    }

    MacroFolderScope m_scope;
    const std::filesystem::path& m_folder = m_scope.path();
    JMacroListBox m_list;
    CStatic m_dir;
};

TEST_F(MacroFolder, ListsTheFilesOfEveryPatternOnceAndShowsTheFolderInLowerCase)
{
    for (const char* name : {"a.jmac", "b.bas", "c.txt", "d.js", "e.jmac"})
        Touch(name);
    std::filesystem::create_directory(m_folder / "sub.jmac");
    m_list.Fill("Macros (*.jmac;*.bas;*.js)|*.jmac;*.bas;*.js||", &m_dir);
    EXPECT_EQ((std::vector<std::string>{"a.jmac", "b.bas", "d.js", "e.jmac"}), Listed()) << "no folder, no other file";
    CString shown;
    m_dir.GetWindowText(shown);
    CString lower = m_folder.string().c_str();
    lower.MakeLower();
    EXPECT_EQ(lower, shown);
    EXPECT_EQ(lower, m_list.GetDirectory());
    m_list.SetCurSel(1);
    EXPECT_EQ(lower + "\\b.bas", m_list.GetSelectedPath());

    // Every file once, whatever the patterns share.
    m_list.Fill("(*.*)", &m_dir);
    EXPECT_EQ((std::vector<std::string>{"a.jmac", "b.bas", "c.txt", "d.js", "e.jmac"}), Listed());
    m_list.Fill("(*.jmac;*.j*;*.jmac)", nullptr);
    EXPECT_EQ((std::vector<std::string>{"a.jmac", "d.js", "e.jmac"}), Listed());
    // A filter without patterns is the library's own.
    m_list.Fill("nothing", nullptr);
    EXPECT_EQ((std::vector<std::string>{"a.jmac", "e.jmac"}), Listed());
}

TEST_F(MacroFolder, AFolderOfThousandsOfFilesIsListedWhole)
{
    const int count = 3000;
    for (int i = 0; i < count; ++i)
        Touch("m" + std::to_string(10000 + i) + ".jmac");
    const auto start = std::chrono::steady_clock::now();
    m_list.Fill("(*.jmac)", &m_dir);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(count, m_list.GetCount());
    EXPECT_LT(took, std::chrono::seconds(5));
    // A folder without macros lists nothing.
    m_list.Fill("(*.none)", &m_dir);
    EXPECT_EQ(0, m_list.GetCount());
}

}   // namespace

namespace {

// ---- dragging from the page onto toolbars, with the real mouse ----

class DragFromPage : public ButtonsHost {
protected:
    void SetUp() override
    {
        ButtonsHost::SetUp();
        m_pInfo->SetCustomEnvironment("Drafting");   // toolbars are found in their environment
        SetDynamicCommand(&m_provider);
        m_pInfo->EnableCustomizationMode(1);
        m_pBar = MakeToolBar({toolbar_test::kOpen, toolbar_test::kSave});
        ASSERT_FALSE(m_pInfo->GetCustomEnvironment().IsEmpty());
        ASSERT_TRUE(testing_support::MakeForeground(m_page.m_hWnd));
    }
    void TearDown() override
    {
        JToolBar::EndCustomizeSession();
        m_pInfo->EnableCustomizationMode(0);
        SetDynamicCommand(nullptr);
        ButtonsHost::TearDown();
    }
    // Drags from a screen point to another with the real mouse; the drag's own loop runs
    // the steps after the press.
    void Drag(CPoint from, CPoint to, ScriptedInputSteps after = {})
    {
        testing_support::ScriptedInput script;
        script
            .Then([to] {
                testing_support::MoveMouse(to + CSize(3, 0));
                return true;
            })
            .Then([to] {
                testing_support::MoveMouse(to);
                return true;
            })
            .Then([to] {
                SendMouseButton(to, false);
                return true;
            });
        for (auto& step : after)
            script.Then(step, "after the drop");
        testing_support::MoveMouse(from);
        SendMouseButton(from, true);
        PumpMessages();
        testing_support::PumpUntil([&] { return script.Done(); });
    }
    std::vector<UINT> BarIDs()
    {
        CUIntArray ids;
        m_pBar->GetButtonIDs(ids);
        return std::vector<UINT>(ids.GetData(), ids.GetData() + ids.GetSize());
    }

    FakeProvider m_provider;
    toolbar_test::ProbeToolBar* m_pBar = nullptr;
};

TEST_F(DragFromPage, APaletteButtonDroppedOnAToolbarIsCopiedThereAndStaysOnThePalette)
{
    JCustomToolbar* pPalette = MakePalette(3);
    ASSERT_NE(nullptr, pPalette);
    Drag(ScreenCenter(pPalette, 2), ScreenCenter(m_pBar, 1) + CSize(6, 0));
    EXPECT_EQ((std::vector<UINT>{toolbar_test::kOpen, toolbar_test::kSave, kShape + 2}), BarIDs());
    EXPECT_EQ(3, pPalette->GetToolBarCtrl().GetButtonCount());
    EXPECT_EQ(kShape + 2, pPalette->GetItemID(2));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(DragFromPage, UndoOfAPaletteDropTakesTheButtonOffTheToolbarAndLeavesThePaletteRows)
{
    JToolBar::BeginCustomizeSession();
    JCustomToolbar* pPalette = MakePalette(kShapes);
    ASSERT_NE(nullptr, pPalette);
    ASSERT_EQ(2, pPalette->GetToolBarCtrl().GetRows());
    Drag(ScreenCenter(pPalette, 7), ScreenCenter(m_pBar, 1) + CSize(6, 0));
    ASSERT_EQ((std::vector<UINT>{toolbar_test::kOpen, toolbar_test::kSave, kShape + 7}), BarIDs());
    EXPECT_TRUE(JToolBar::UndoCustomizeStep());
    EXPECT_EQ((std::vector<UINT>{toolbar_test::kOpen, toolbar_test::kSave}), BarIDs());
    EXPECT_EQ(2, pPalette->GetToolBarCtrl().GetRows()) << "the palette keeps its rows of seven";
    EXPECT_EQ(kShapes, pPalette->GetToolBarCtrl().GetButtonCount());
    EXPECT_FALSE(JToolBar::UndoCustomizeStep()) << "the palette's own state was no step";
}

TEST_F(DragFromPage, AMacroFileDroppedOnAToolbarBecomesAMacroButtonWithThePicturePicked)
{
    MacroFolderScope folder;
    folder.Add("plain.jmac", "Name=Plain\nTip=Plain macro\nPrompt=Runs the plain macro\n");
    m_page.m_host.ShowWindow(SW_HIDE);   // the list takes the palettes' place, as on the page
    JMacroListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_HASSTRINGS | LBS_NOTIFY, CRect(10, 10, 200, 120),
                            &m_page, 1017));
    auto* pToolbar = new JMacroToolbar;
    ASSERT_TRUE(pToolbar->CreateInList(&list, &m_frame));
    list.SetToolbar(pToolbar);
    list.Fill("(*.jmac)", nullptr);
    ASSERT_EQ(1, list.GetCount());
    CRect item;
    list.GetItemRect(0, item);
    list.ClientToScreen(item);
    Drag(item.CenterPoint(), ScreenCenter(m_pBar, 0) + CSize(-6, 0),
         {[] { return testing_support::FindDialogWindow("Button Picture") != nullptr; },
          [] {
              auto* pDlg = DYNAMIC_DOWNCAST(
                  JCustomButtonsDlg, CWnd::FromHandlePermanent(testing_support::FindDialogWindow("Button Picture")));
              testing_support::ClickAt(ScreenCenter(pDlg->GetPalette(), 3));   // the yellow diamond
              return true;
          },
          [] {
              const HWND hDlg = testing_support::FindDialogWindow("Button Picture");
              auto* pDlg = DYNAMIC_DOWNCAST(JCustomButtonsDlg, CWnd::FromHandlePermanent(hDlg));
              if (pDlg->GetPalette()->m_nSelected != 3)
                  return false;
              ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
              return true;
          }});
    ASSERT_EQ(1u, m_provider.entries.size()) << "the macro's command";
    const UINT nMacro = m_provider.entries[0].nCommandID;
    EXPECT_EQ((std::vector<UINT>{nMacro, toolbar_test::kOpen, toolbar_test::kSave}), BarIDs());
    CTMBITMAPSTRUCT* pRecord = m_pBar->GetCustomRecord(0);
    ASSERT_NE(nullptr, pRecord);
    CString macro = m_provider.entries[0].szMacro;
    macro.MakeLower();
    EXPECT_NE(-1, macro.Find("plain.jmac"));
    EXPECT_EQ(RGB(220, 180, 0), m_pBar->ImageCenter(0)) << "the picture picked shows on the button";
    EXPECT_EQ(1, pToolbar->GetToolBarCtrl().GetButtonCount()) << "the list's toolbar keeps only its placeholder";
    EXPECT_EQ(m_pBar, JToolBar::m_pBar) << "the new button has the focus";
    EXPECT_EQ(0, JToolBar::m_nIndex);
    testing_support::PumpMessages();
    EXPECT_EQ(m_page.m_hWnd, ::GetActiveWindow()) << "the window of the list is active again, not the frame";
}

}   // namespace
