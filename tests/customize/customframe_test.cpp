// CCustomFrame: its dock areas, the private messages, prompts and tooltips of the
// registered commands, bar toggles, and its manners while the customize dialog is up.
#include "customize_fixture.h"

#include "jcontrolinfo.h"
#include "jflyout.h"
#include "module.h"

#include <algorithm>
#include <string>

using namespace customize_test;
using testing_support::ClickAt;
using testing_support::PumpMessages;
using testing_support::PumpUntil;
using testing_support::ScriptedInput;

namespace {

// The macro commands' texts as a host's provider gives them.
class MacroTexts final : public IJDynamicCommand {
public:
    const JMacroCommandEntry* GetEntry(int) override { return nullptr; }
    int FindCommand(UINT) override { return -1; }
    int AddMacroCommand(UINT*, const char*, const char*, int, const char*) override { return 1; }
    int GetMacroText(UINT, char*, int) override { return 0; }
    int GetStatusPrompt(UINT, char* buffer, int size) override { return Fill("Runs the hatch macro", buffer, size); }
    int GetToolTip(UINT, char* buffer, int size) override { return Fill("Hatch", buffer, size); }

private:
    static int Fill(const char* text, char* buffer, int size)
    {
        lstrcpynA(buffer, text, size);
        return lstrlenA(buffer);
    }
};

// A top-level window standing for the customize dialog; records the messages it is sent.
class DialogStandIn : public CWnd {
public:
    std::vector<std::pair<UINT, WPARAM>> m_received;
    CWnd m_page;

    BOOL Make(CWnd* pOwner)
    {
        if (!CreateEx(0, nullptr, "Customize", WS_POPUP | WS_CAPTION | WS_VISIBLE, 640, 40, 200, 150, pOwner->m_hWnd,
                      nullptr))
            return FALSE;
        return m_page.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, m_hWnd, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == JCM_SETDIALOGACTIVE)
            m_received.emplace_back(message, wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The frame with the customize dialog's stand-in registered and customization mode on.
class CustomizingFrame : public CustomFrameHost {
protected:
    void SetUp() override
    {
        CustomFrameHost::SetUp();
        ASSERT_TRUE(m_dialog.Make(&m_frame));
        m_pInfo->m_hWndCustomizePage = m_dialog.m_page.m_hWnd;
        m_pInfo->EnableCustomizationMode(1);
        ASSERT_TRUE(testing_support::MakeForeground(m_dialog.m_hWnd));
        PumpMessages();
    }
    void TearDown() override
    {
        m_pInfo->EnableCustomizationMode(0);
        m_pInfo->m_hWndCustomizePage = nullptr;
        m_dialog.DestroyWindow();
        CustomFrameHost::TearDown();
    }

    // A point of the frame's own client area that no bar covers.
    CPoint EmptyClientPoint()
    {
        CRect client;
        m_frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &client);
        m_frame.ClientToScreen(&client);
        return client.CenterPoint();
    }

    CPoint CaptionPoint()
    {
        CRect window;
        m_frame.GetWindowRect(&window);
        return CPoint(window.left + 60, window.top + ::GetSystemMetrics(SM_CYFRAME) + 6);
    }

    DialogStandIn m_dialog;
};

std::vector<UINT> DockBarOrder(CWnd& frame)
{
    std::vector<UINT> ids;
    for (HWND hChild = ::GetWindow(frame.m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (CWnd::FromHandlePermanent(hChild) &&
            CWnd::FromHandlePermanent(hChild)->IsKindOf(RUNTIME_CLASS(CSplitterDockBar)))
            ids.push_back((UINT)::GetDlgCtrlID(hChild));
    return ids;
}

}   // namespace

// The dock areas come first in the layout, top, left, right, bottom: the top one runs the
// whole width and the bottom one between the side areas.
TEST_F(CustomFrameHost, MakesSplitterDockAreasAndTheLibrarysFloatingFrames)
{
    EXPECT_EQ(
        (std::vector<UINT>{AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM}),
        DockBarOrder(m_frame));
    EXPECT_EQ(RUNTIME_CLASS(JMiniDockFrameWnd), m_frame.m_pFloatingFrameClass);
    EXPECT_EQ(0x20001u, m_frame.m_nIDHelp);
    EXPECT_FALSE(m_frame.m_bAutoMenuEnable);

    MakeToolBar(0xE83E, "Top", {kOpen, kSave}, AFX_IDW_DOCKBAR_TOP);
    MakeToolBar(0xE83F, "Left", {kOpen, kSave}, AFX_IDW_DOCKBAR_LEFT);
    MakeToolBar(0xE840, "Bottom", {kOpen, kSave}, AFX_IDW_DOCKBAR_BOTTOM);
    CRect client, top, left, bottom;
    m_frame.GetClientRect(&client);
    m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&top);
    m_frame.GetControlBar(AFX_IDW_DOCKBAR_LEFT)->GetWindowRect(&left);
    m_frame.GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)->GetWindowRect(&bottom);
    m_frame.ScreenToClient(&top);
    m_frame.ScreenToClient(&left);
    m_frame.ScreenToClient(&bottom);
    EXPECT_EQ(client.Width(), top.Width());
    EXPECT_EQ(top.bottom, left.top);
    EXPECT_EQ(left.right, bottom.left);
}

TEST_F(CustomFrameHost, AnswersTheLibrarysMessages)
{
    int size[2] = {};
    EXPECT_EQ(1, m_frame.SendMessage(JCM_GETBUTTONSIZE, kOpen, (LPARAM)size));
    EXPECT_EQ(23, size[0]);
    EXPECT_EQ(22, size[1]);
    m_pInfo->m_nLargeButtons = 1;
    EXPECT_EQ(1, m_frame.SendMessage(JCM_GETBUTTONSIZE, kOpen, (LPARAM)size));
    EXPECT_EQ(32, size[0]);
    EXPECT_EQ(30, size[1]);

    JBitmapInfo info{};
    EXPECT_EQ(1, m_frame.SendMessage(JCM_GETBITMAPINFO, kSave, (LPARAM)&info));
    EXPECT_EQ(1, info.nImageIndex);
    EXPECT_EQ(0, m_frame.SendMessage(JCM_GETBITMAPINFO, 0x9999, (LPARAM)&info));

    // A top-level frame has no control ID to make a help context of.
    EXPECT_EQ(0, m_frame.SendMessage(WM_HELPHITTEST));
}

// The keyboard page hands the frame a new table; 0 asks for the current one. The frame's own
// table handed back stays alive.
TEST_F(CustomFrameHost, AdoptsANewAcceleratorTable)
{
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'O', (WORD)kOpen}};
    HACCEL hFirst = ::CreateAcceleratorTableA(keys, 1);
    HACCEL hSecond = ::CreateAcceleratorTableA(keys, 1);
    EXPECT_EQ(0, m_frame.SendMessage(JCM_ACCELERATORSCHANGED, 0, 0));
    EXPECT_EQ((LRESULT)hFirst, m_frame.SendMessage(JCM_ACCELERATORSCHANGED, 0, (LPARAM)hFirst));
    EXPECT_EQ((LRESULT)hFirst, m_frame.SendMessage(JCM_ACCELERATORSCHANGED, 0, 0));
    EXPECT_EQ((LRESULT)hFirst, m_frame.SendMessage(JCM_ACCELERATORSCHANGED, 0, (LPARAM)hFirst));
    EXPECT_EQ(1, ::CopyAcceleratorTableA(hFirst, nullptr, 0)) << "the frame's own table was destroyed";
    EXPECT_EQ((LRESULT)hSecond, m_frame.SendMessage(JCM_ACCELERATORSCHANGED, 0, (LPARAM)hSecond));
    EXPECT_EQ(0, ::CopyAcceleratorTableA(hFirst, nullptr, 0)) << "the replaced table lives on";
    EXPECT_EQ(hSecond, m_frame.GetDefaultAccelerator());
}

// Prompts: the category's module, the host's string module, the category's names, in turn.
TEST_F(CustomFrameHost, FindsPromptsWhereTheCommandsWereRegistered)
{
    const struct {
        UINT nID;
        const char* prompt;
    } fromModule[] = {{kOpen, "Opens an existing drawing"},
                      {kSave, "Saves the drawing"},
                      {kShared, "Shown by the category's module"},
                      {kUnnamed, ""}};
    for (const auto& row : fromModule) {
        CString prompt;
        m_frame.GetMessageString(row.nID, prompt);
        EXPECT_STREQ(row.prompt, prompt) << row.nID;
    }

    // A category of bitmap handles has no module: the host's string module answers, then the names.
    CStringArray names;
    for (const char* name : {"Open", "", "Save", "Zoom", "Shared", "Hatch Fill"})
        names.Add(name);
    const UINT ids[] = {kOpen, 0, kSave, kZoom, kShared, kUnnamed};
    m_pInfo->m_categories.RemoveAllCategories();
    m_pInfo->m_categories.AddCategory("Handles", (HBITMAP) nullptr, nullptr, nullptr, nullptr, ids, &names, 6, 0);
    m_pInfo->m_hDraftResource = ControlResources();
    CString prompt;
    m_frame.GetMessageString(kShared, prompt);
    EXPECT_STREQ("&Toolbars...", prompt);
    m_frame.GetMessageString(kUnnamed, prompt);
    EXPECT_STREQ("Hatch Fill", prompt);

    // Macro commands are the provider's, and have no prompt without one.
    m_frame.GetMessageString(JMACRO_FIRST_ID, prompt);
    EXPECT_STREQ("", prompt);
    MacroTexts provider;
    m_pInfo->m_pDynamicCommand = &provider;
    m_frame.GetMessageString(JMACRO_FIRST_ID, prompt);
    EXPECT_STREQ("Runs the hatch macro", prompt);
    m_pInfo->m_pDynamicCommand = nullptr;
}

TEST_F(CustomFrameHost, ShowsPromptsInTheStatusBarButNotForBarToggles)
{
    m_frame.SendMessage(WM_SETMESSAGESTRING, kOpen);
    EXPECT_STREQ("Opens an existing drawing", StatusText());
    EXPECT_EQ(kOpen, m_frame.SendMessage(WM_SETMESSAGESTRING, 0xE83E));
    EXPECT_STREQ("", StatusText());
    EXPECT_EQ(0u, m_frame.m_nIDLastMessage);
    m_frame.SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM) "Ready to draw");
    EXPECT_STREQ("Ready to draw", StatusText());
}

// Tips are the part after the first newline, cut to what the notification holds.
TEST_F(CustomFrameHost, GivesTooltipsOfTheRegisteredCommands)
{
    MacroTexts provider;
    m_pInfo->m_pDynamicCommand = &provider;
    const std::string longTip =
        "The tip of this command runs on for much longer than a tip can show, so it is cut short";
    const struct {
        UINT nID;
        std::string tip;
    } rows[] = {{kOpen, "Open drawing"}, {kSave, ""}, {kZoom, longTip.substr(0, 79)}, {JMACRO_FIRST_ID, "Hatch"}};
    for (const auto& row : rows) {
        TOOLTIPTEXTA narrow{};
        narrow.hdr = {nullptr, row.nID, TTN_NEEDTEXTA};
        EXPECT_EQ(0, m_frame.SendMessage(WM_NOTIFY, row.nID, (LPARAM)&narrow));
        EXPECT_EQ(row.tip, narrow.lpszText ? std::string(narrow.lpszText) : std::string()) << row.nID;
        TOOLTIPTEXTW wide{};
        wide.hdr = {nullptr, row.nID, TTN_NEEDTEXTW};
        m_frame.SendMessage(WM_NOTIFY, row.nID, (LPARAM)&wide);
        char back[100] = "";
        ::WideCharToMultiByte(CP_ACP, 0, wide.szText, -1, back, sizeof back, nullptr, nullptr);
        EXPECT_EQ(row.tip, std::string(back)) << row.nID;
    }
    m_pInfo->m_pDynamicCommand = nullptr;
}

// Outside customization a bar toggle shows or hides the bar and marks the layout changed;
// in customization mode it is refused.
TEST_F(CustomFrameHost, TogglesBarsOnlyOutsideCustomization)
{
    JToolBar* pBar = MakeToolBar(0xE83E, "Tools", {kOpen, kSave});
    m_pInfo->m_bToolbarsDirty = FALSE;
    m_pInfo->EnableCustomizationMode(1);
    m_frame.SendMessage(WM_COMMAND, 0xE83E);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_FALSE(m_pInfo->m_bToolbarsDirty);
    m_pInfo->EnableCustomizationMode(0);
    m_frame.SendMessage(WM_COMMAND, 0xE83E);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_TRUE(m_pInfo->m_bToolbarsDirty);
    m_frame.SendMessage(WM_COMMAND, 0xE83E);
    EXPECT_TRUE(pBar->IsWindowVisible());
}

// The frame's destruction takes its toolbars out of its list before its windows go.
TEST_F(CustomFrameHost, LetsGoOfItsToolbarsWhenDestroyed)
{
    JToolBar* pBar = MakeToolBar(0xE83E, "Tools", {kOpen});
    const HWND hBar = pBar->m_hWnd;
    ASSERT_TRUE(m_frame.DestroyWindow());
    EXPECT_EQ(0, m_frame.m_nToolBarsAtDestroy);
    EXPECT_FALSE(::IsWindow(hBar));
}

// A ribbon bar docked without a place goes to the dock area it was stored in.
TEST_F(CustomFrameHost, DocksARibbonBarWhereItWasStored)
{
    auto* pStored = new JDialogBar;
    ASSERT_TRUE(pStored->Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, nullptr, 0));
    pStored->SetWindowText("Units");
    pStored->m_nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
    ASSERT_TRUE(pStored->WriteToRegistry());
    pStored->CloseRegKey();
    pStored->DestroyWindow();

    auto* pBar = new JDialogBar;
    ASSERT_TRUE(pBar->Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, nullptr, 0));
    pBar->SetWindowText("Units");
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_frame.DockControlBar(pBar);
    ASSERT_NE(nullptr, pBar->m_pDockBar);
    EXPECT_EQ(AFX_IDW_DOCKBAR_BOTTOM, (UINT)pBar->m_pDockBar->GetDlgCtrlID());
}

// While customizing, a click on the frame leaves the customize dialog in front (and, from
// behind, brings it there); the frame is not activated and draws its caption inactive.
TEST_F(CustomizingFrame, KeepsTheCustomizeDialogInFront)
{
    EXPECT_EQ(MA_NOACTIVATE,
              m_frame.SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_frame.m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    ClickAt(EmptyClientPoint());
    EXPECT_TRUE(PumpUntil([&] { return m_frame.m_nClicks == 1; }));
    EXPECT_EQ(m_dialog.m_hWnd, ::GetForegroundWindow());

    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_POPUP | WS_VISIBLE, 0, 500, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(testing_support::MakeForeground(other.m_hWnd));
    ClickAt(EmptyClientPoint() + CSize(30, 0));   // not a double click
    EXPECT_TRUE(PumpUntil([&] { return m_frame.m_nClicks == 2; }));
    EXPECT_EQ(m_dialog.m_hWnd, ::GetForegroundWindow());
    other.DestroyWindow();

    m_frame.SendMessage(WM_NCACTIVATE, TRUE);
    EXPECT_EQ(FALSE, m_frame.m_nCaptionDrawn);
    m_pInfo->EnableCustomizationMode(0);
    m_frame.SendMessage(WM_NCACTIVATE, TRUE);
    EXPECT_EQ(TRUE, m_frame.m_nCaptionDrawn);
}

// A click on the frame's caption while the dialog is active tells the dialog it lost
// activation and gives activation back afterwards; from elsewhere it only brings the dialog.
TEST_F(CustomizingFrame, CaptionClicksReturnToTheDialog)
{
    const auto clickCaption = [this] {
        ScriptedInput script;   // the caption's move loop ends with the button's release
        script.Wait(300);
        ClickAt(CaptionPoint());
        EXPECT_TRUE(PumpUntil([&] { return script.Done(); }));
    };
    clickCaption();
    ASSERT_EQ(1u, m_dialog.m_received.size());
    EXPECT_EQ(0u, m_dialog.m_received[0].second);
    EXPECT_EQ(m_dialog.m_hWnd, ::GetActiveWindow());

    m_dialog.m_received.clear();
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_POPUP | WS_VISIBLE, 0, 500, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(testing_support::MakeForeground(other.m_hWnd));
    clickCaption();
    EXPECT_TRUE(m_dialog.m_received.empty());
    EXPECT_EQ(m_dialog.m_hWnd, ::GetActiveWindow());

    // A click on a dock area brings the dialog back too.
    ASSERT_TRUE(testing_support::MakeForeground(other.m_hWnd));
    MakeToolBar(0xE83E, "Tools", {kOpen, kSave});
    CRect dock;
    m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&dock);
    ClickAt(CPoint(dock.right - 20, dock.CenterPoint().y));
    EXPECT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == m_dialog.m_hWnd; }));
    other.DestroyWindow();
}

// A right click on a bar or a dock area opens the bars' menu; not while customizing, when a
// click on a dock area brings the dialog back instead.
TEST_F(CustomFrameHost, RightClicksOnBarsOpenTheBarsMenu)
{
    JToolBar* pBar = MakeToolBar(0xE83E, "Tools", {kOpen, kSave});
    CRect button;
    pBar->GetItemRect(0, &button);
    pBar->ClientToScreen(&button);
    CRect dock;
    m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&dock);
    for (CPoint point : {button.CenterPoint(), CPoint(dock.right - 20, dock.CenterPoint().y)}) {
        bool listsTools = false;
        ScriptedInput script;
        script.WaitFor(testing_support::FindPopupMenuWindow, "bars' menu")
            .Then([&] {
                const auto hMenu = (HMENU)::SendMessageA(testing_support::FindPopupMenuWindow(), MN_GETHMENU, 0, 0);
                listsTools = ::GetMenuState(hMenu, 0xE83E, MF_BYCOMMAND) != (UINT)-1;
                return true;
            })
            .DismissMenu();
        ClickAt(point, true);
        EXPECT_TRUE(PumpUntil([&] { return script.Done(); }));
        EXPECT_TRUE(listsTools);
    }
}

namespace {

// A host frame that sets its flyout commands up when a flyout opens.
class FlyoutFrame : public TestFrame {
public:
    std::vector<JToolBar*> m_activated;
    void ActivateFlyoutCommands(JToolBar* pFlyout) override { m_activated.push_back(pFlyout); }
};

class FlyoutHost : public ControlLibrary {
protected:
    void TearDown() override
    {
        m_frame.DestroyWindow();
        ControlLibrary::TearDown();
    }
    FlyoutFrame m_frame;
};

}   // namespace

// Each opening of a flyout lets the host's frame set the flyout's commands up first.
TEST_F(FlyoutHost, OpeningAFlyoutLetsTheFrameActivateItsCommands)
{
    CreateManager();
    ASSERT_TRUE(m_frame.Create(nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 460)));
    testing_support::MainWindowScope main(&m_frame);
    auto* pBar = new JToolBar;
    const UINT ids[] = {kOpen, kSave};
    ASSERT_TRUE(pBar->Create(&m_frame, "Tools", ids, 2, 0xE83E, CBRS_ALIGN_ANY, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    m_frame.DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    pBar->AddFlyout(0, ids, 2);
    m_frame.RecalcLayout();
    ASSERT_TRUE(testing_support::MakeForeground(m_frame.m_hWnd));
    for (size_t opening = 1; opening <= 2; ++opening) {
        ScriptedInput script;
        script.Then(
            [&] {
                return ::IsWindowVisible(static_cast<JFlyout*>(pBar->m_arrFlyouts[0])->GetPopupHost()->m_hWnd) != FALSE;
            },
            "flyout open");
        script.Key(VK_ESCAPE);
        pBar->SetFocus();
        EXPECT_TRUE(pBar->OpenFlyoutFromKeyboard(0));
        EXPECT_TRUE(PumpUntil([&] { return script.Done(); }));
        ASSERT_EQ(opening, m_frame.m_activated.size());
        EXPECT_EQ(pBar->m_arrFlyouts[0], m_frame.m_activated.back());
    }
}
