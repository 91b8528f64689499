// JCustomizeDlg: the modeless customize sheet. Opening it switches the control state into
// customization mode and greys the main frame's menu bar; closing it tells the frame
// (JCM_CUSTOMIZEDONE), ends customization mode and gives the menu bar back.
#include "jcustomize.h"

#include "appcore.h"
#include "cntlrc.h"
#include "controlexports.h"
#include "hostengine.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "libstate.h"
#include "module.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(JCustomizeDlg, CPropertySheet)

BEGIN_MESSAGE_MAP(JCustomizeDlg, CPropertySheet)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_WM_CLOSE()
    ON_WM_SYSCOMMAND()
    ON_WM_ACTIVATEAPP()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(JCM_SETDIALOGACTIVE, OnSetDialogActive)
    ON_MESSAGE(JCM_MENUCHANGED, OnMenuChanged)
    ON_MESSAGE(JCM_ACCELERATORSCHANGED, OnAcceleratorsChanged)
END_MESSAGE_MAP()

namespace {

constexpr int kButtonRow = 30;   // the height the dialog adds for its buttons
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

// The frame whose menu bar the dialog greys: the main window's top-level frame.
HWND MainMenuWindow()
{
    CWnd* pMain = AfxGetMainWnd();
    if (!pMain || !pMain->m_hWnd)
        return nullptr;
    CFrameWnd* pFrame = pMain->GetTopLevelFrame();
    return pFrame ? pFrame->m_hWnd : pMain->m_hWnd;
}

bool InEditField()
{
    char name[16] = "";
    HWND hFocus = ::GetFocus();
    return hFocus && ::GetClassNameA(hFocus, name, sizeof name) && lstrcmpiA(name, "Edit") == 0;
}

}   // namespace

JCustomizeDlg::JCustomizeDlg(CWnd* pParentWnd, UINT, UINT) : CPropertySheet(IDS_CUSTOMIZE_CAPTION, pParentWnd, 0)
{
    AddPage(&m_buttonsPage);
    if (!HostMode()) {
        AddPage(&m_menuPage);
        m_bMenuPage = TRUE;
    }
}

JCustomizeDlg::~JCustomizeDlg()
{
    if (m_hButtonFont)
        ::DeleteObject(m_hButtonFont);
}

void JCustomizeDlg::Initialize(HMENU hMainMenu, HACCEL hAccel, CCategoryPtrList* pCategories)
{
    m_accelerators.clear();
    if (const int count = hAccel ? ::CopyAcceleratorTableA(hAccel, nullptr, 0) : 0; count > 0) {
        m_accelerators.resize((size_t)count);
        ::CopyAcceleratorTableA(hAccel, m_accelerators.data(), count);
    }
    for (int i = 0; pCategories && i < (int)pCategories->GetSize(); ++i)
        if (const JCategory* pCategory = pCategories->GetCategory(i))
            m_buttonsPage.AddCategory(pCategory->m_strName, pCategory->m_arrIDs.GetData(),
                                      (int)pCategory->m_arrIDs.GetSize());
    // The last category offers the macro files and the buttons with pictures of their own.
    m_buttonsPage.AddCategory(LibraryText(IDS_CUSTOM_BUTTONS_CATEGORY, "Custom Buttons"), nullptr, 0);
    if (m_bMenuPage)
        m_menuPage.SetMenuData(pCategories, hMainMenu, &m_accelerators);
    // Toolbars never stored are stored now, so the layout before the user's changes is kept.
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current(); pInfo && !pInfo->m_bRegistryUsed)
        SaveBarLayout(nullptr, pInfo->GetCustomUserKey(), pInfo->GetCustomEnvironment());
}

// ---- opening ----

BOOL JCustomizeDlg::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    ControlState().bCustomizeDialogOpen = TRUE;
    JToolBar::BeginCustomizeSession();
    SetWindowText(LibraryText(IDS_CUSTOMIZE_CAPTION, "Customize"));

    HideSheetButtons();
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + kButtonRow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!m_hButtonFont) {
        long height = 0;
        if (std::sscanf(LibraryText(IDS_CUSTOMIZE_FONT_HEIGHT, "8"), "%ld", &height) != 1)
            height = 8;
        LOGFONTA font{};
        font.lfHeight = height;
        font.lfCharSet = LangIDToFontCharSet(::GetUserDefaultLangID());
        font.lfPitchAndFamily = 0x32;
        lstrcpynA(font.lfFaceName, LibraryText(IDS_CUSTOMIZE_FONT_FACE, "MS Sans Serif"), LF_FACESIZE);
        m_hButtonFont = ::CreateFontIndirectA(&font);
    }
    CRect client;
    GetClientRect(&client);
    if (!AddButton(IDOK, IDS_CUSTOMIZE_CLOSE, client.right - 170, client.bottom - kButtonRow) ||
        !AddButton(ID_HELP, IDS_CUSTOMIZE_HELP, client.right - 90, client.bottom - kButtonRow))
        return FALSE;

    // Centred over the frame (or the screen's work area without one).
    CRect over;
    if (HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER); hOwner && ::IsWindowVisible(hOwner))
        ::GetWindowRect(hOwner, &over);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    GetWindowRect(&window);
    SetWindowPos(nullptr, over.left + (over.Width() - window.Width()) / 2,
                 over.top + (over.Height() - window.Height()) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The menu page's window is made now, hidden, so that it can take the menu edits.
    if (m_bMenuPage && !m_menuPage.m_hWnd) {
        SetActivePage(1);
        if (m_menuPage.m_hWnd)
            m_menuPage.ShowWindow(SW_HIDE);
        SetActivePage(ControlState().nCustomizeStartPage);
    }
    GreyMenuBar();
    return TRUE;
}

void JCustomizeDlg::HideSheetButtons()
{
    CWnd* pOK = GetDlgItem(IDOK);
    if (!pOK || !pOK->m_hWnd || !(pOK->GetStyle() & WS_VISIBLE))
        return;
    CRect client, button;
    GetClientRect(&client);
    pOK->GetWindowRect(&button);
    ScreenToClient(&button);
    for (int nID : {IDOK, IDCANCEL, 0x3021 /* Apply */, IDHELP})
        if (HWND hButton = ::GetDlgItem(m_hWnd, nID)) {
            ::ShowWindow(hButton, SW_HIDE);
            ::EnableWindow(hButton, FALSE);
        }
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - (client.bottom - button.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL JCustomizeDlg::AddButton(UINT nID, UINT nIDCaption, int x, int y)
{
    HWND hButton = ::CreateWindowExA(0, "button", LibraryText(nIDCaption, ""),
                                     WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP, x, y, kButtonWidth, kButtonHeight,
                                     m_hWnd, reinterpret_cast<HMENU>((UINT_PTR)nID), AfxGetInstanceHandle(), nullptr);
    if (!hButton)
        return FALSE;
    ::SendMessageA(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(m_hButtonFont), FALSE);
    return TRUE;
}

// ---- the main frame's menu bar ----

void JCustomizeDlg::GreyMenuBar()
{
    HWND hFrame = MainMenuWindow();
    m_hGreyedMenu = hFrame ? ::GetMenu(hFrame) : nullptr;
    m_menuStates.clear();
    if (!m_hGreyedMenu)
        return;
    for (int i = 0; i < ::GetMenuItemCount(m_hGreyedMenu); ++i) {
        m_menuStates.push_back(::GetMenuState(m_hGreyedMenu, (UINT)i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
        ::EnableMenuItem(m_hGreyedMenu, (UINT)i, MF_BYPOSITION | MF_GRAYED);
    }
    ::DrawMenuBar(hFrame);
}

void JCustomizeDlg::RestoreMenuBar()
{
    HWND hFrame = MainMenuWindow();
    HMENU hMenu = hFrame ? ::GetMenu(hFrame) : nullptr;
    if (!hMenu || !::IsMenu(hMenu))
        return;
    // Items greyed before the dialog opened stay grey, unless a page replaced the items.
    const bool bKnown = hMenu == m_hGreyedMenu && !m_bMenuReplaced;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        const UINT before = bKnown && i < (int)m_menuStates.size() ? m_menuStates[(size_t)i] : 0;
        ::EnableMenuItem(hMenu, (UINT)i, MF_BYPOSITION | (before ? before : MF_ENABLED));
    }
    ::DrawMenuBar(hFrame);
}

// ---- ending ----

void JCustomizeDlg::EndCustomizing(BOOL bTellMainWindow)
{
    m_bEnded = TRUE;
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageA(hParent, JCM_CUSTOMIZEDONE, 0, 0);
    if (CWnd* pMain = bTellMainWindow ? AfxGetMainWnd() : nullptr; pMain && pMain->m_hWnd)
        pMain->PostMessage(JCM_CUSTOMIZEDONE);
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->EnableCustomizationMode(0);
    ControlState().bCustomizeDialogOpen = FALSE;
    DestroyWindow();
}

void JCustomizeDlg::OnOK()
{
    if (m_bMenuPage && m_menuPage.m_hWnd)
        m_menuPage.OnOK();
    EndCustomizing(TRUE);
}

void JCustomizeDlg::OnCancel()
{
    EndCustomizing(FALSE);
}

void JCustomizeDlg::OnClose()
{
    EndCustomizing(FALSE);
}

void JCustomizeDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    // Closing from the system menu ends the dialog here: the window and this object go.
    if ((nID & 0xFFF0) == SC_CLOSE) {
        EndCustomizing(FALSE);
        return;
    }
    CPropertySheet::OnSysCommand(nID, lParam);
}

void JCustomizeDlg::PostNcDestroy()
{
    RestoreMenuBar();
    // A window destroyed with its owner, without OK, Cancel or close, ends customizing too.
    if (!m_bEnded) {
        if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
            pInfo->EnableCustomizationMode(0);
        ControlState().bCustomizeDialogOpen = FALSE;
    }
    JToolBar::EndCustomizeSession();
    CPropertySheet::PostNcDestroy();
    delete this;
}

// ---- keys and help ----

BOOL JCustomizeDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_F1) {
            OnHelp();
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE)
            PostMessage(WM_CLOSE);
        if (pMsg->wParam == 'Z' && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0 && !InEditField()) {
            if (!JToolBar::UndoCustomizeStep())
                ::MessageBeep(0);
            return TRUE;
        }
    }
    return CPropertySheet::PreTranslateMessage(pMsg);
}

DWORD JCustomizeDlg::HelpContextOf(UINT nIDTemplate)
{
    switch (nIDTemplate) {
    case 136:   // the buttons page
        return 134;
    case 101:   // the keyboard page
        return 137;
    default:
        return nIDTemplate;
    }
}

void JCustomizeDlg::OnHelp()
{
    // A page's help context starts as its template's ID.
    CPropertyPage* pPage = GetActivePage();
    const UINT nIDTemplate = pPage ? pPage->m_nIDHelp : 0;
    const HRESULT hr = ULocalizedHelp(nullptr, 1, HelpContextOf(nIDTemplate), nullptr, AppGetHelpFlag());
    if (FAILED(hr))
        HRerr(hr, __FILE__, __LINE__);
}

// ---- activation and the pages' messages ----

void JCustomizeDlg::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CPropertySheet::OnActivateApp(bActive, dwThreadID);
    m_bDialogActive = bActive;
    // Floating toolbars look active only while the buttons page works on them.
    const WPARAM state = bActive && GetActivePage() == &m_buttonsPage ? FS_ACTIVATE : FS_DEACTIVATE;
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
        for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos;) {
            auto* pBar = DYNAMIC_DOWNCAST(JToolBar, static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
            if (pBar && pBar->m_hWnd && pBar->IsFloating())
                if (CFrameWnd* pFloating = pBar->GetParentFrame())
                    pFloating->SendMessage(WM_FLOATSTATUS, state);
        }
    SendMessage(WM_NCACTIVATE, bActive);
}

BOOL JCustomizeDlg::OnNcActivate(BOOL)
{
    return (BOOL)Default();
}

LRESULT JCustomizeDlg::OnFloatStatus(WPARAM wParam, LPARAM)
{
    return (wParam & FS_SYNCACTIVE) && m_bDialogActive && GetActivePage() == &m_buttonsPage ? TRUE : FALSE;
}

LRESULT JCustomizeDlg::OnSetDialogActive(WPARAM wParam, LPARAM)
{
    m_bDialogActive = (BOOL)wParam;
    return 1;
}

LRESULT JCustomizeDlg::ForwardToFrame(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!hParent)
        return 0;
    if (!::IsWindowEnabled(hParent))
        ::EnableWindow(hParent, TRUE);
    return ::SendMessageA(hParent, message, wParam, lParam);
}

LRESULT JCustomizeDlg::OnMenuChanged(WPARAM wParam, LPARAM lParam)
{
    m_bMenuReplaced = TRUE;
    return ForwardToFrame(JCM_MENUCHANGED, wParam, lParam);
}

LRESULT JCustomizeDlg::OnAcceleratorsChanged(WPARAM wParam, LPARAM lParam)
{
    return ForwardToFrame(JCM_ACCELERATORSCHANGED, wParam, lParam);
}
