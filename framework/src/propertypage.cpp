// CPropertyPage: a page of the system's property sheet, attached to its object when the
// sheet makes its window, with the sheet's notifications mapped onto virtual functions.
#include "afxwin.h"
#include "wndmap.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

// The page's dialog procedure under the framework's window procedure: it attaches the
// object named in the page's record and runs OnInitDialog.
INT_PTR CALLBACK AfxPropPageProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const auto* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* pPage = psp ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr;
    if (!pPage)
        return TRUE;
    if (CWnd::FromHandlePermanent(hWnd) != pPage && (pPage->m_hWnd || !pPage->SubclassWindow(hWnd)))
        return TRUE;   // the object is on another window: this one stays plain
    return (INT_PTR)AfxCallGuarded(hWnd, message, [&] { return (LRESULT)pPage->OnInitDialog(); });
}

}   // namespace

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate)
{
    if (nIDCaption)
        m_strCaption.LoadString(nIDCaption);
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption) : CDialog(lpszTemplateName)
{
    if (nIDCaption)
        m_strCaption.LoadString(nIDCaption);
}

BOOL CPropertyPage::PreparePage()
{
    if (!m_lpszTemplateName)
        return FALSE;
    HINSTANCE hInst = m_hTemplateModule;
    LPCDLGTEMPLATEA lpTemplate = nullptr;
    if (HRSRC hResource =
            hInst ? ::FindResourceA(hInst, m_lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */) : nullptr) {
        HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
        lpTemplate = hTemplate ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)) : nullptr;
    }
    if (!lpTemplate)
        lpTemplate = AfxLoadDialogTemplate(m_lpszTemplateName, hInst);
    if (!lpTemplate)
        return FALSE;
    // Templates may name common controls.
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    m_hTemplateModule = hInst;
    m_bFirstSetActive = TRUE;
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = (m_psp.dwFlags & ~(PSP_USETITLE | PSP_USECALLBACK)) | PSP_DLGINDIRECT;
    m_psp.hInstance = hInst;
    m_psp.pResource = lpTemplate;
    m_psp.pfnDlgProc = AfxPropPageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (!m_strCaption.IsEmpty()) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
    return TRUE;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (const HWND hSheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessageA(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    if (const HWND hSheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessageA(hSheet, PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // Not the dialog's own keys: those of the sheet (next in the walk) cross pages and buttons.
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (!pHeader || !m_hWnd || pHeader->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pHeader->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = !OnKillActive();
        return TRUE;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    case PSN_RESET:
        OnReset();
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = !OnQueryCancel();
        return TRUE;
    case PSN_HELP:
        // The page's help command, as a Help button on the page itself would send it.
        ::SendMessageA(m_hWnd, WM_COMMAND, ID_HELP, 0);
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}
