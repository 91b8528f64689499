// CJTabDlg: the small dialog that edits a tab's name.
#include "cntlrc.h"
#include "jtabbar.h"
#include "module.h"

IMPLEMENT_DYNAMIC(CJTabDlg, CDialog)

CJTabDlg::CJTabDlg(LPCSTR lpszTitle, CWnd* pParent) : CDialog(IDD, pParent), m_strTitle(lpszTitle ? lpszTitle : "")
{
}

INT_PTR CJTabDlg::DoModal()
{
    CResourceSwitch resources(ControlResources() ? ControlResources() : AfxGetResourceHandle());
    return CDialog::DoModal();
}

void CJTabDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kMaxName);
}

BOOL CJTabDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strTitle.IsEmpty())
        SetWindowText(m_strTitle);
    if (HWND hEdit = ::GetDlgItem(m_hWnd, IDC_NAME)) {
        ::SetFocus(hEdit);
        ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
        ::SendMessageA(hEdit, EM_SCROLLCARET, 0, 0);
    }
    return FALSE;   // the focus is set
}

void CJTabDlg::Refuse(UINT nIDText, LPCSTR lpszFallback)
{
    GUserText text;
    if (!ControlResources() || !text.FormatResource(ControlResources(), nIDText, (LPCSTR)m_strName))
        text.Format(lpszFallback, (LPCSTR)m_strName);
    CString caption;
    GetWindowText(caption);
    ::MessageBoxA(m_hWnd, text, caption, MB_OK | MB_ICONEXCLAMATION);
    if (HWND hEdit = ::GetDlgItem(m_hWnd, IDC_NAME)) {
        ::SetFocus(hEdit);
        ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
    }
}

void CJTabDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strName.Trim();
    if (m_pBar && m_strName.IsEmpty()) {
        Refuse(IDS_TABNAME_EMPTY, "A sheet needs a name. Type a name of 1 to 15 characters.");
        return;
    }
    if (m_pBar && m_pBar->FindItem(m_strName, m_pTab)) {
        Refuse(IDS_TABNAME_DUPLICATE, "There is already a sheet named \"%s\". Type a different name.");
        return;
    }
    EndDialog(IDOK);
}
