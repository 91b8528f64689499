// The customize dialog opened through DisplayCustomizeDialog over a CCustomFrame: what it
// tells the frame, how it ends, its buttons, keys and help, and what it refuses.
#include "customize_fixture.h"

#include "appcore.h"
#include "jcontrolinfo.h"
#include "libstate.h"

#include <functional>
#include <map>
#include <string>

using namespace customize_test;
using testing_support::ClickAt;
using testing_support::MakeForeground;
using testing_support::PressKey;
using testing_support::PressKeyChord;
using testing_support::PumpMessages;
using testing_support::PumpUntil;

namespace {

class CustomizeDialog : public CustomFrameHost {
protected:
    void SetUp() override
    {
        CustomFrameHost::SetUp();
        // File, a greyed Edit and View.
        HMENU hBar = ::CreateMenu();
        for (const char* name : {"&File", "&Edit", "&View"})
            ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), name);
        ::EnableMenuItem(hBar, 1, MF_BYPOSITION | MF_GRAYED);
        ::SetMenu(m_frame.m_hWnd, hBar);
    }
    void TearDown() override
    {
        if (JCustomizeDlg* pDialog = Dialog())
            pDialog->DestroyWindow();
        AppCoreSetHostMode(FALSE);
        CustomFrameHost::TearDown();
    }

    // The open dialog, found as the pages find it.
    JCustomizeDlg* Dialog() const
    {
        return DYNAMIC_DOWNCAST(JCustomizeDlg, CWnd::FromHandlePermanent(m_pInfo->GetActiveDlg()));
    }
    JCustomizeDlg* Open()
    {
        EXPECT_EQ(1, DisplayCustomizeDialog());
        PumpMessages();
        JCustomizeDlg* pDialog = Dialog();
        EXPECT_NE(nullptr, pDialog);
        return pDialog;
    }
    bool IsOpen() const { return ControlState().bCustomizeDialogOpen != FALSE; }

    UINT MenuItemState(int position) const
    {
        return ::GetMenuState(::GetMenu(m_frame.m_hWnd), (UINT)position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
    }
};

// The visible button the dialog added with this ID (the sheet's own are hidden).
HWND AddedButton(CWnd* pDialog, int nID)
{
    for (HWND hChild = ::GetWindow(pDialog->m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (::GetDlgCtrlID(hChild) == nID && ::IsWindowVisible(hChild))
            return hChild;
    return nullptr;
}

CString TextOf(HWND hWnd)
{
    char text[64] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

}   // namespace

// However the dialog ends, the frame is sent JCM_CUSTOMIZEDONE once while the dialog is still
// open (the main window also gets it posted after the Close button), customization mode ends
// and the menu bar is as it was; while it is open, nothing else opens.
TEST_F(CustomizeDialog, EndsTellingTheFrameWhicheverWayItCloses)
{
    const struct {
        const char* how;
        std::function<void(JCustomizeDlg*)> close;
        std::vector<bool> told;   // the dialog still open when it came: sent (true), else posted
    } ways[] = {
        {"Close button",
         [](JCustomizeDlg* pDialog) {
             CRect rect;
             ::GetWindowRect(AddedButton(pDialog, IDOK), &rect);
             ClickAt(rect.CenterPoint());
         },
         {true, false}},
        {"Escape",
         [](JCustomizeDlg* pDialog) {
             MakeForeground(pDialog->m_hWnd);
             PressKey(VK_ESCAPE);
         },
         {true}},
        {"system menu", [](JCustomizeDlg* pDialog) { pDialog->PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, {true}},
        {"Cancel", [](JCustomizeDlg* pDialog) { pDialog->PostMessage(WM_COMMAND, IDCANCEL); }, {true}},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        JCustomizeDlg* pDialog = Open();
        ASSERT_NE(nullptr, pDialog);
        EXPECT_TRUE(IsOpen());
        EXPECT_TRUE(m_pInfo->m_bCustomizationMode);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ((UINT)MF_GRAYED, MenuItemState(i)) << i;
        EXPECT_EQ(0, DisplayCustomizeDialog());
        EXPECT_EQ(0u, DisplayToolbarManager());
        EXPECT_EQ(0, m_frame.SendMessage(JCM_DISPLAYCUSTOMIZE));
        EXPECT_TRUE(m_frame.m_customizeDone.empty());

        way.close(pDialog);
        EXPECT_TRUE(PumpUntil([&] { return !IsOpen() && m_frame.m_customizeDone.size() == way.told.size(); }));
        PumpMessages();
        EXPECT_EQ(way.told, m_frame.m_customizeDone);
        EXPECT_EQ(nullptr, Dialog());
        EXPECT_FALSE(m_pInfo->m_bCustomizationMode);
        EXPECT_EQ(0u, MenuItemState(0));
        EXPECT_EQ((UINT)MF_GRAYED, MenuItemState(1)) << "greyed before, greyed after";
        EXPECT_EQ(0u, MenuItemState(2));
        m_frame.m_customizeDone.clear();
    }
}

// The frame closed under the open dialog takes it along; the next frame can open one.
TEST_F(CustomizeDialog, GoesWithItsFrame)
{
    ASSERT_NE(nullptr, Open());
    m_frame.DestroyWindow();
    PumpMessages();
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(m_pInfo->m_bCustomizationMode);

    TestFrame next;
    ASSERT_TRUE(next.Create(nullptr, "next", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 460)));
    testing_support::MainWindowScope main(&next);
    EXPECT_EQ(1, DisplayCustomizeDialog());
    if (JCustomizeDlg* pDialog = Dialog())
        pDialog->SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, next.m_customizeDone.size());
    next.DestroyWindow();
}

// The sheet's own buttons give way to Close and Help in a row 30 pixels high at the bottom,
// in the resource module's font; the categories go to the buttons page, the custom buttons last.
TEST_F(CustomizeDialog, AddsItsButtonsAndOffersTheCategories)
{
    JCustomizeDlg* pDialog = Open();
    ASSERT_NE(nullptr, pDialog);
    CRect client;
    pDialog->GetClientRect(&client);
    const struct {
        int nID;
        const char* caption;
        int right;   // from the client's right edge
    } buttons[] = {{IDOK, "Close", 95}, {ID_HELP, "&Help", 15}};
    for (const auto& button : buttons) {
        HWND hButton = AddedButton(pDialog, button.nID);
        ASSERT_NE(nullptr, hButton) << button.caption;
        EXPECT_STREQ(button.caption, TextOf(hButton));
        CRect rect;
        ::GetWindowRect(hButton, &rect);
        pDialog->ScreenToClient(&rect);
        EXPECT_EQ(
            CRect(client.right - button.right - 75, client.bottom - 30, client.right - button.right, client.bottom - 5),
            rect);
        LOGFONTA font{};
        ::GetObjectA((HFONT)::SendMessageA(hButton, WM_GETFONT, 0, 0), sizeof font, &font);
        EXPECT_EQ(-11, font.lfHeight);
        EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
    }
    EXPECT_EQ(2, pDialog->GetPageCount());
    CRect tabs;
    pDialog->GetTabControl()->GetWindowRect(&tabs);
    pDialog->ScreenToClient(&tabs);
    EXPECT_LT(tabs.bottom, client.bottom - 30);
    ASSERT_EQ(2, pDialog->m_buttonsPage.GetCategoryCount());
    EXPECT_STREQ("Tools", static_cast<CButtonsPage::Category*>(pDialog->m_buttonsPage.m_arrCategories[0])->strName);
    EXPECT_STREQ("Custom Buttons",
                 static_cast<CButtonsPage::Category*>(pDialog->m_buttonsPage.m_arrCategories[1])->strName);
}

// Toolbars never stored are stored when the dialog opens: the layout before the changes.
TEST_F(CustomizeDialog, StoresTheToolbarsBeforeTheyAreCustomized)
{
    MakeToolBar(0xE83E, "Tools", {kOpen, kSave});
    GUserText path;
    ASSERT_TRUE(m_pInfo->MakeRegistryPath(nullptr, "Toolbars", path));
    m_pInfo->m_bRegistryUsed = FALSE;
    const CString first = CString(static_cast<LPCSTR>(path)) + "\\Toolbar0";
    EXPECT_FALSE(testing_support::KeyExists(HKEY_CURRENT_USER, first));
    ASSERT_NE(nullptr, Open());
    EXPECT_TRUE(testing_support::KeyExists(HKEY_CURRENT_USER, first));
}

// In the host's own mode the dialog has the buttons page only.
TEST_F(CustomizeDialog, HasNoMenuPageInHostMode)
{
    AppCoreSetHostMode(TRUE);
    JCustomizeDlg* pDialog = Open();
    ASSERT_NE(nullptr, pDialog);
    EXPECT_EQ(1, pDialog->GetPageCount());
}

// F1 opens the help of the active page's template.
TEST_F(CustomizeDialog, OpensThePagesHelpWithF1)
{
    const std::pair<UINT, DWORD> contexts[] = {{136, 134}, {135, 135}, {101, 137}, {777, 777}};
    for (const auto& [nTemplate, context] : contexts)
        EXPECT_EQ(context, JCustomizeDlg::HelpContextOf(nTemplate)) << nTemplate;

    JCustomizeDlg* pDialog = Open();
    ASSERT_NE(nullptr, pDialog);
    AppCoreResetRecord();
    ASSERT_TRUE(MakeForeground(pDialog->m_hWnd));
    PressKey(VK_F1);
    AppCoreRecord record{};
    EXPECT_TRUE(PumpUntil([&] {
        AppCoreGetRecord(&record);
        return record.nHelpCalls > 0;
    }));
    EXPECT_EQ(JCustomizeDlg::HelpContextOf(pDialog->GetActivePage()->m_nIDHelp), record.dwLastHelpContext);
    EXPECT_TRUE(IsOpen());
}

// The pages' new menu and accelerators reach the frame, enabled again if it was disabled.
TEST_F(CustomizeDialog, HandsThePagesChangesToTheFrame)
{
    JCustomizeDlg* pDialog = Open();
    ASSERT_NE(nullptr, pDialog);
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'S', (WORD)kSave}};
    HACCEL hAccel = ::CreateAcceleratorTableA(keys, 1);
    m_frame.EnableWindow(FALSE);
    EXPECT_EQ((LRESULT)hAccel, pDialog->SendMessage(JCM_ACCELERATORSCHANGED, 0, (LPARAM)hAccel));
    EXPECT_TRUE(m_frame.IsWindowEnabled());
    EXPECT_EQ(hAccel, m_frame.GetDefaultAccelerator());

    HMENU hNew = ::CreateMenu();
    ::AppendMenuA(hNew, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "&Draw");
    EXPECT_EQ(1, pDialog->SendMessage(JCM_MENUCHANGED, 0, (LPARAM)hNew));
    char text[16] = "";
    ::GetMenuStringA(::GetMenu(m_frame.m_hWnd), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Draw", text);
    EXPECT_EQ(1, pDialog->SendMessage(JCM_SETDIALOGACTIVE, FALSE));
    EXPECT_FALSE(pDialog->m_bDialogActive);
    pDialog->SendMessage(WM_CLOSE);
    EXPECT_EQ(0u, MenuItemState(0)) << "the new items are enabled";
}

namespace {
// WM_FLOATSTATUS sent to one window, seen from a hook.
HWND g_hWatched = nullptr;
std::vector<WPARAM> g_floatStatus;
LRESULT CALLBACK WatchFloatStatus(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && pMsg->hwnd == g_hWatched && pMsg->message == WM_FLOATSTATUS)
        g_floatStatus.push_back(pMsg->wParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}   // namespace

// Floating toolbars look active while the application is and the buttons page is shown.
TEST_F(CustomizeDialog, FloatingToolbarsFollowTheApplicationsActivation)
{
    JToolBar* pBar = MakeToolBar(0xE83E, "Tools", {kOpen, kSave});
    m_frame.FloatControlBar(pBar, CPoint(700, 300));
    JCustomizeDlg* pDialog = Open();
    ASSERT_NE(nullptr, pDialog);
    g_hWatched = pBar->GetParentFrame()->m_hWnd;
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchFloatStatus, nullptr, ::GetCurrentThreadId());
    const auto activateApp = [&](BOOL bActive) {
        g_floatStatus.clear();
        pDialog->SendMessage(WM_ACTIVATEAPP, bActive);
        EXPECT_EQ(bActive, pDialog->m_bDialogActive);
        return g_floatStatus;
    };
    EXPECT_EQ(std::vector<WPARAM>{FS_ACTIVATE}, activateApp(TRUE));
    EXPECT_EQ(std::vector<WPARAM>{FS_DEACTIVATE}, activateApp(FALSE));
    pDialog->SetActivePage(1);
    EXPECT_EQ(std::vector<WPARAM>{FS_DEACTIVATE}, activateApp(TRUE));
    ::UnhookWindowsHookEx(hHook);
}

namespace {
// The last WM_NCACTIVATE each window was sent: true when its caption is to look active.
std::map<HWND, bool> g_captionActive;
LRESULT CALLBACK RecordCaptions(int code, WPARAM wParam, LPARAM lParam)
{
    if (const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam); pMsg->message == WM_NCACTIVATE)
        g_captionActive[pMsg->hwnd] = pMsg->wParam != 0;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}   // namespace

// A toolbar that floats while the dialog is in front (a button dropped on empty space makes
// one) starts with the look of the other floating toolbars: active on the buttons page only.
TEST_F(CustomizeDialog, AToolbarFloatedWhileTheDialogIsInFrontLooksAsTheOthers)
{
    JCustomizeDlg* pDialog = Open();
    ASSERT_NE(nullptr, pDialog);
    ASSERT_TRUE(MakeForeground(pDialog->m_hWnd));
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordCaptions, nullptr, ::GetCurrentThreadId());
    for (int page : {0, 1}) {
        SCOPED_TRACE(page);
        pDialog->SetActivePage(page);
        JToolBar* pBar = MakeToolBar(0xE83E + page, "Tools", {kOpen, kSave});
        m_frame.FloatControlBar(pBar, CPoint(700, 300 + 60 * page));
        ASSERT_TRUE(pBar->IsFloating());
        EXPECT_EQ(page == 0, g_captionActive[pBar->GetParentFrame()->m_hWnd]);
    }
    ::UnhookWindowsHookEx(hHook);
}

// Ctrl+Z in the dialog takes back the last change to the toolbars, but not in an edit
// field, and only while the dialog is open.
TEST_F(CustomizeDialog, CtrlZUndoesTheLastToolbarChangeWhileOpen)
{
    auto* pBar = static_cast<JToolBar*>(MakeToolBar(0xE83E, "Tools", {kOpen, kSave}));
    JCustomizeDlg* pDialog = Open();
    ASSERT_NE(nullptr, pDialog);
    const auto ids = [pBar] {
        CUIntArray array;
        pBar->GetButtonIDs(array);
        return std::vector<UINT>(array.GetData(), array.GetData() + array.GetSize());
    };
    ASSERT_TRUE(pBar->DeleteItem(0));
    ASSERT_EQ(std::vector<UINT>{kSave}, ids());

    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, "Edit", "", WS_CHILD | WS_VISIBLE, 5, 5, 60, 20, pDialog->m_hWnd, nullptr));
    ASSERT_TRUE(MakeForeground(pDialog->m_hWnd));
    edit.SetFocus();
    PressKeyChord({VK_CONTROL, 'Z'});
    PumpMessages();
    EXPECT_EQ(std::vector<UINT>{kSave}, ids()) << "the edit field's own undo";

    pDialog->GetTabControl()->SetFocus();
    PressKeyChord({VK_CONTROL, 'Z'});
    EXPECT_TRUE(PumpUntil([&] { return ids().size() == 2; }));
    EXPECT_EQ((std::vector<UINT>{kOpen, kSave}), ids());
    edit.DestroyWindow();

    pDialog->SendMessage(WM_CLOSE);
    ASSERT_TRUE(pBar->DeleteItem(0));
    EXPECT_FALSE(JToolBar::UndoCustomizeStep());
}
