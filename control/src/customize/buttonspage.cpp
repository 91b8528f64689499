// CButtonsPage: the customize dialog's page of palettes and macro files.
#include "callframe.h"
#include "cntlrc.h"
#include "controlexports.h"
#include "jbuttonspage.h"
#include "jenvmanager.h"
#include "module.h"

IMPLEMENT_DYNAMIC(CButtonsPage, CTsPropertyPage)

BEGIN_MESSAGE_MAP(CButtonsPage, CTsPropertyPage)
    ON_LBN_SELCHANGE(IDC_BUTTONS_CATEGORIES, OnSelChangeCategory)
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_BN_CLICKED(IDC_BUTTONS_BROWSE, OnBrowse)
END_MESSAGE_MAP()

namespace {

const char kAllFiles[] = "(*.*)";

JControlOnlyInfo* Info()
{
    return JEnvironmentManager::Current();
}

CString CustomButtonsName()
{
    return LibraryText(IDS_CUSTOM_BUTTONS_CATEGORY, "Custom Buttons");
}

}   // namespace

GUserText& CButtonsPage::MacroFilter()
{
    static GUserText s_filter;
    return s_filter;
}

CButtonsPage::CButtonsPage() : CTsPropertyPage(IDD_BUTTONS_PAGE)
{
    if (MacroFilter().IsEmpty())
        MacroFilter() = (LPCSTR)LibraryText(IDS_MACRO_FILE_FILTER, "Macro Files (*.jmac)|*.jmac||");
}

CButtonsPage::~CButtonsPage()
{
    for (INT_PTR i = 0; i < m_arrCategories.GetSize(); ++i)
        delete static_cast<Category*>(m_arrCategories[i]);
    if (m_hPromptFont)
        ::DeleteObject(m_hPromptFont);
}

void CButtonsPage::AddCategory(const char* lpszName, const UINT* lpIDArray, int nIDCount)
{
    auto* pCategory = new Category;
    pCategory->strName = lpszName ? lpszName : "";
    for (int i = 0; lpIDArray && i < nIDCount; ++i)
        pCategory->ids.Add(lpIDArray[i]);
    m_arrCategories.Add(pCategory);
}

CButtonsPage::Category* CButtonsPage::CategoryAt(int index) const
{
    return index >= 0 && index < m_arrCategories.GetSize() ? static_cast<Category*>(m_arrCategories[index]) : nullptr;
}

BOOL CButtonsPage::IsMacroCategory(int index) const
{
    const Category* pCategory = CategoryAt(index);
    return pCategory && pCategory->ids.GetSize() == 0 && pCategory->strName == CustomButtonsName();
}

JToolBar* CButtonsPage::GetPalette(int index) const
{
    const Category* pCategory = CategoryAt(index);
    return pCategory ? pCategory->pPalette : nullptr;
}

void CButtonsPage::SetCustomizing(BOOL bOn)
{
    JControlOnlyInfo* pInfo = Info();
    if (!pInfo)
        return;
    pInfo->EnableCustomizationMode(bOn ? 1 : 0);
    ForEachControlBar(ControlFrameOfCall(), [bOn](CControlBar* pBar) {
        if (pBar->IsKindOf(RUNTIME_CLASS(JToolBar)) || pBar->IsKindOf(RUNTIME_CLASS(JDialogBar)) ||
            pBar->IsKindOf(RUNTIME_CLASS(CDialogBar)))
            if (CWnd* pFloating = FloatingFrameOf(pBar))
                pFloating->SendMessage(WM_FLOATSTATUS, bOn ? FS_ACTIVATE : FS_DEACTIVATE);
        return true;
    });
}

BOOL CButtonsPage::OnInitDialog()
{
    CTsPropertyPage::OnInitDialog();
    if (JControlOnlyInfo* pInfo = Info())
        pInfo->m_hWndCustomizePage = m_hWnd;
    SetCustomizing(TRUE);
    m_listCategories.SubclassDlgItem(IDC_BUTTONS_CATEGORIES, this);
    m_listMacros.SubclassDlgItem(IDC_BUTTONS_MACROS, this);
    CRect area(0, 0, 0, 0);
    if (CWnd* pFrame = GetDlgItem(IDC_BUTTONS_PALETTE)) {
        pFrame->GetWindowRect(area);
        ScreenToClient(area);
        area.DeflateRect(4, 20);
    }
    m_wndHost.Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)), "",
                     WS_CHILD | WS_VISIBLE, area, this, 0xFFFF);
    for (int i = 0; i < GetCategoryCount(); ++i)
        m_listCategories.AddString(CategoryAt(i)->strName);
    m_listCategories.SetCurSel(0);
    if (GetCategoryCount() > 0)
        CreatePalette(0);
    if (m_wndHost.m_hWnd)
        m_wndHost.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    LOGFONTA font{};
    if (HFONT hDialogFont = (HFONT)SendMessage(WM_GETFONT);
        hDialogFont && ::GetObjectA(hDialogFont, sizeof font, &font)) {
        font.lfWeight = 300;
        m_hPromptFont = ::CreateFontIndirectA(&font);
    }
    for (int id : {IDC_BUTTONS_PROMPT, IDC_BUTTONS_DESCRIPTION})
        if (m_hPromptFont)
            ::SendDlgItemMessageA(m_hWnd, id, WM_SETFONT, (WPARAM)m_hPromptFont, FALSE);
    ::SetDlgItemTextA(m_hWnd, IDC_BUTTONS_PROMPT, LibraryText(IDS_BUTTONS_PAGE_PROMPT, ""));
    return TRUE;
}

BOOL CButtonsPage::CreatePalette(int index)
{
    Category* pCategory = CategoryAt(index);
    if (!pCategory || !m_hWnd)
        return FALSE;
    if (pCategory->pPalette)
        return TRUE;
    CFrameWnd* pOwner = GetInPlaceFrame();
    if (IsMacroCategory(index)) {
        auto* pToolbar = new JMacroToolbar;
        if (!m_listMacros.m_hWnd || !pToolbar->CreateInList(&m_listMacros, pOwner)) {
            if (pToolbar->m_hWnd)
                pToolbar->DestroyWindow();   // deletes it
            else
                delete pToolbar;
            return FALSE;
        }
        pCategory->pPalette = pToolbar;
        m_listMacros.SetToolbar(pToolbar);
        JMacroListBox::FindMacroDirectory();
        m_listMacros.Fill(MacroFilter(), GetDlgItem(IDC_BUTTONS_DIRECTORY));
        return TRUE;
    }
    auto* pPalette = new JCustomToolbar;
    if (!m_wndHost.m_hWnd ||
        !pPalette->CreatePalette(&m_wndHost, pCategory->ids.GetData(), (int)pCategory->ids.GetSize(), pOwner)) {
        if (pPalette->m_hWnd)
            pPalette->DestroyWindow();
        else
            delete pPalette;
        return FALSE;
    }
    pCategory->pPalette = pPalette;
    return TRUE;
}

void CButtonsPage::ShowPalette(int index, BOOL bShow)
{
    Category* pCategory = CategoryAt(index);
    if (!pCategory)
        return;
    if (bShow && !pCategory->pPalette && !CreatePalette(index))
        return;
    // The macro list's toolbar never shows: the list does.
    if (pCategory->pPalette && !IsMacroCategory(index))
        pCategory->pPalette->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CButtonsPage::ChooseCategory(int index)
{
    for (int i = 0; i < GetCategoryCount(); ++i)
        if (i != index)
            ShowPalette(i, FALSE);
    // The macro files take the palettes' place.
    const BOOL bMacros = IsMacroCategory(index);
    for (int id : {IDC_BUTTONS_MACROS, IDC_BUTTONS_DIRECTORY, IDC_BUTTONS_BROWSE})
        if (CWnd* pControl = GetDlgItem(id))
            pControl->ShowWindow(bMacros ? SW_SHOW : SW_HIDE);
    if (m_wndHost.m_hWnd)
        m_wndHost.ShowWindow(bMacros ? SW_HIDE : SW_SHOW);
    ShowPalette(index, TRUE);
    if (m_wndHost.m_hWnd)
        m_wndHost.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
}

void CButtonsPage::OnSelChangeCategory()
{
    ChooseCategory(m_listCategories.GetCurSel());
}

void CButtonsPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CTsPropertyPage::OnShowWindow(bShow, nStatus);
    if (bShow && m_listCategories.m_hWnd)
        ChooseCategory(m_listCategories.GetCurSel());
}

BOOL CButtonsPage::OnSetActive()
{
    const BOOL bActive = CTsPropertyPage::OnSetActive();
    SendMessage(WM_SETMESSAGESTRING, 0);
    SetCustomizing(TRUE);
    return bActive;
}

BOOL CButtonsPage::OnKillActive()
{
    JToolBar::ClearActiveFocus(nullptr);
    SetCustomizing(FALSE);
    return CTsPropertyPage::OnKillActive();
}

void CButtonsPage::OnDestroy()
{
    // The palettes go now, while the page still knows them.
    for (int i = 0; i < GetCategoryCount(); ++i) {
        Category* pCategory = CategoryAt(i);
        JToolBar* pPalette = pCategory->pPalette;
        pCategory->pPalette = nullptr;
        if (pPalette && pPalette->m_hWnd)
            pPalette->DestroyWindow();
    }
    m_listMacros.SetToolbar(nullptr);
    if (JControlOnlyInfo* pInfo = Info()) {
        pInfo->EnableCustomizationMode(0);
        if (pInfo->m_hWndCustomizePage == m_hWnd)
            pInfo->m_hWndCustomizePage = nullptr;
    }
    if (CFrameWnd* pFrame = GetInPlaceFrame()) {
        if (!pFrame->IsWindowEnabled())
            pFrame->EnableWindow(TRUE);
        JToolBar::ClearActiveFocus(nullptr);
        pFrame->SendMessage(WM_NCACTIVATE, TRUE);
    } else {
        JToolBar::ClearActiveFocus(nullptr);
    }
    CTsPropertyPage::OnDestroy();
}

LRESULT CButtonsPage::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    CString text;
    if (lParam)
        text = reinterpret_cast<LPCSTR>(lParam);
    else if (wParam)
        if (JControlOnlyInfo* pInfo = Info())
            pInfo->GetMessageString((UINT)wParam, text);
    ::SetDlgItemTextA(m_hWnd, IDC_BUTTONS_DESCRIPTION, text);
    return 0;
}

void CButtonsPage::OnBrowse()
{
    const CString filter = LibraryText(IDS_MACRO_FILE_FILTER, "Macro Files (*.jmac)|*.jmac||");
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    if (dialog.DoModal() != IDOK)
        return;
    MacroFilter() = dialog.m_ofn.nFilterIndex == 1 ? (LPCSTR)filter : kAllFiles;
    m_listMacros.Fill(MacroFilter(), GetDlgItem(IDC_BUTTONS_DIRECTORY));
}
