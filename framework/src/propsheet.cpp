// CPropertySheet: the system's property sheet, always made modeless; DoModal runs the
// framework's modal loop on it, so pre-translation and idle work go on while it is up.
#include "afxwin.h"
#include "wndmap.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, OnInitDialogMessage)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

namespace {

// The sheet being made on this thread, for the pre-create callback (which has no user data).
thread_local CPropertySheet* t_pSheetCreating = nullptr;

struct DlgTemplateEx {   // the leading fields of an extended dialog template
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
};

// Style bits that describe the template's own data, kept whatever style is asked for.
constexpr DWORD kTemplateStyleBits = DS_SETFONT | DS_FIXEDSYS | DS_3DLOOK;

}   // namespace

CPropertySheet::CPropertySheet() = default;

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage)
{
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd)
        DestroyWindow();
}

// ---- pages ----

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    if (m_hWnd) {
        if (!pPage->PreparePage())
            return;
        const HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&pPage->m_psp);
        if (!hPage)
            return;
        if (!::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage))) {
            ::DestroyPropertySheetPage(hPage);
            return;
        }
    }
    m_pages.push_back(pPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
    if (!m_hWnd && m_nStartPage >= (UINT)GetPageCount())
        m_nStartPage = 0;
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == pPage)
            return (int)i;
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return (int)m_nStartPage;
    const HWND hPage = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (!hPage)
        return -1;
    return (int)::SendMessageA(m_hWnd, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(hPage), 0);
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, reinterpret_cast<LPARAM>(lpszText));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (!m_hWnd)
        return nullptr;
    return (CTabCtrl*)CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
}

BOOL CPropertySheet::PressButton(int nButton)
{
    if (!m_hWnd)
        return FALSE;
    // OK and Cancel go through WM_COMMAND as a click would, so the sheet sees how it ended.
    const int nID = nButton == PSBTN_OK ? IDOK : nButton == PSBTN_CANCEL ? IDCANCEL : 0;
    if (nID) {
        ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, nID)));
        return TRUE;
    }
    ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, nButton, 0);   // answers nothing
    return TRUE;
}

// ---- making and ending the sheet ----

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam)
{
    CPropertySheet* pSheet = t_pSheetCreating;
    if (message != PSCB_PRECREATE || !pSheet || !lParam || pSheet->m_dwCreateStyle == (DWORD)-1)
        return 0;
    // The template is the system's copy, made for this sheet: the asked style replaces its own.
    auto* pEx = reinterpret_cast<DlgTemplateEx*>(lParam);
    if (pEx->signature == 0xFFFF) {
        pEx->style = pSheet->m_dwCreateStyle | (pEx->style & kTemplateStyleBits);
        pEx->exStyle = pSheet->m_dwCreateExStyle;
    } else {
        auto* pTemplate = reinterpret_cast<DLGTEMPLATE*>(lParam);
        pTemplate->style = pSheet->m_dwCreateStyle | (pTemplate->style & kTemplateStyleBits);
        pTemplate->dwExtendedStyle = pSheet->m_dwCreateExStyle;
    }
    return 0;
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd || m_pages.empty())
        return FALSE;
    const bool hasHelp = (m_psh.dwFlags & PSH_HASHELP) != 0;
    m_psps.clear();
    for (CPropertyPage* pPage : m_pages) {
        if (!pPage->PreparePage())
            return FALSE;
        if (hasHelp)
            pPage->m_psp.dwFlags |= PSP_HASHELP;
        m_psps.push_back(pPage->m_psp);
    }
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)m_psps.size();
    m_psh.nStartPage = m_nStartPage < m_psh.nPages ? m_nStartPage : 0;
    m_psh.ppsp = m_psps.data();
    m_psh.pfnCallback = SheetCallback;
    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;

    CPropertySheet* const pOuter = t_pSheetCreating;
    t_pSheetCreating = this;
    AfxHookWindowCreate(this);
    const HWND hWnd = reinterpret_cast<HWND>(::PropertySheetA(&m_psh));
    AfxUnhookWindowCreate();   // the first page's creation may have taken the hook down already
    t_pSheetCreating = pOuter;
    if (hWnd && m_hWnd != hWnd) {
        ::DestroyWindow(hWnd);   // never reached this object: not ours to keep
        return FALSE;
    }
    return hWnd != nullptr;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    if (dwStyle == (DWORD)-1)
        dwStyle = DS_MODALFRAME | DS_CONTEXTHELP | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    m_bModal = FALSE;
    // Without a parent the sheet belongs to the main window and stays above it.
    const HWND hWndParent = AfxGetSafeHwnd(m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
    if (!CreateSheet(hWndParent, dwStyle, dwExStyle))
        return FALSE;
    if ((dwStyle & WS_VISIBLE) && !::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    // The owner: the parent's top-level window, else what the main window shows last.
    HWND hWndOwner = AfxGetSafeHwnd(m_pParentWnd);
    const bool explicitParent = hWndOwner != nullptr;
    if (!hWndOwner)
        hWndOwner = AfxGetSafeHwnd(AfxGetMainWnd());
    while (hWndOwner && (::GetWindowLongPtrA(hWndOwner, GWL_STYLE) & WS_CHILD))
        hWndOwner = ::GetParent(hWndOwner);
    if (hWndOwner && !explicitParent)
        hWndOwner = ::GetLastActivePopup(hWndOwner);

    const bool reenableOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (reenableOwner)
        ::EnableWindow(hWndOwner, FALSE);
    m_bModal = TRUE;
    INT_PTR result = -1;
    if (CreateSheet(hWndOwner, (DWORD)-1, 0)) {
        result = RunModalLoop(MLF_SHOWONIDLE);
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_bModal = FALSE;
    // The owner comes back before the sheet goes, so activation returns to it.
    if (reenableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd)
        DestroyWindow();
    return result;
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_bModal) {
        EndModalLoop(nEndID);
        return;
    }
    m_nModalResult = nEndID;
    DestroyWindow();
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // OK, Cancel or closing leave the system's sheet without a current page.
    if (m_hWnd && !::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)) {
        if (m_nModalResult == -1)
            m_nModalResult = IDCANCEL;
        return FALSE;
    }
    return TRUE;
}

void CPropertySheet::DestroyIfEnded()
{
    if (!m_bModal && m_hWnd && !::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0))
        DestroyWindow();
}

// ---- messages ----

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

LRESULT CPropertySheet::OnInitDialogMessage(WPARAM, LPARAM)
{
    // The system makes the tabs and the first page, then the object sets itself up.
    const LRESULT result = Default();
    OnInitDialog();
    return result;
}

LRESULT CPropertySheet::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    // The page on show does its idle work (command-UI of its controls) too.
    if (CPropertyPage* pPage = GetActivePage(); pPage && pPage->m_hWnd)
        return ::SendMessageA(pPage->m_hWnd, WM_KICKIDLE, wParam, lParam);
    return 0;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    const UINT nID = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED || (nID != IDOK && nID != IDCANCEL))
        return FALSE;
    // The system applies or cancels the pages; a page may refuse and keep the sheet up.
    Default();
    if (m_hWnd && !::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)) {
        m_nModalResult = (int)nID;
        DestroyIfEnded();
    }
    return TRUE;
}

void CPropertySheet::OnSysCommand(UINT nID, LPARAM)
{
    Default();
    if ((nID & 0xFFF0) == SC_CLOSE)
        DestroyIfEnded();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    const UINT message = pMsg->message;
    const bool input =
        (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
    return m_hWnd && input && ::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg));
}
