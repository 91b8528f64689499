// CDialog: dialog windows made from templates, run modal in the framework's
// own loop (CWnd::RunModalLoop) or modeless.
#include "afxwin.h"
#include "wndmap.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

LPCDLGTEMPLATEA AfxLoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE& hInstFound)
{
    const HINSTANCE modules[] = {AfxGetResourceHandle(), AfxGetInstanceHandle()};
    for (HINSTANCE hInst : modules) {
        HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
        HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
        if (const void* pTemplate = hTemplate ? ::LockResource(hTemplate) : nullptr) {
            hInstFound = hInst;
            return static_cast<LPCDLGTEMPLATEA>(pTemplate);
        }
    }
    return nullptr;
}

namespace {

// The dialog procedure under the framework's window procedure: everything goes
// through the message map first, and only WM_INITDIALOG needs an answer here.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (!pDialog)
        return TRUE;
    // The system calls this procedure itself: a handler's exception stops here, and a
    // dialog that could not set itself up ends (DoModal returns -1).
    bool initialized = false;
    const LRESULT result = AfxCallGuarded(hWnd, message, [&] {
        const BOOL setFocus = pDialog->OnInitDialog();
        initialized = true;
        return (LRESULT)setFocus;
    });
    if (!initialized)
        pDialog->EndDialog(-1);
    return (INT_PTR)result;
}

}   // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd)
{
    m_nIDHelp = nIDTemplate;
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_lpszTemplateName = lpszTemplateName;
    } else {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    }
}

HWND CDialog::GetModalOwner() const
{
    HWND hWnd = AfxGetSafeHwnd(m_pParentWnd);
    const bool explicitParent = hWnd != nullptr;
    if (!hWnd)
        hWnd = AfxGetSafeHwnd(AfxGetMainWnd());
    while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    // Without a parent the dialog goes above whatever the main window shows
    // last (another modal dialog, say), not behind it.
    if (hWnd && !explicitParent)
        hWnd = ::GetLastActivePopup(hWnd);
    return hWnd;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HWND hWndOwner, HINSTANCE hInst)
{
    if (!lpTemplate || m_hWnd)
        return FALSE;
    // Templates may name common controls.
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    m_hTemplateModule = hInst;
    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, hWndOwner, AfxDlgProc, 0);
    const BOOL attached = AfxUnhookWindowCreate();
    if (hWnd && !attached) {
        ::DestroyWindow(hWnd);   // never reached this object: not ours to keep
        return FALSE;
    }
    return hWnd != nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATEA lpTemplate = m_lpszTemplateName ? AfxLoadDialogTemplate(m_lpszTemplateName, hInst) : nullptr;
    if (!lpTemplate)
        return -1;

    const HWND hWndOwner = GetModalOwner();
    const bool reenableOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (reenableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    m_bModal = TRUE;
    m_bContinueModal = TRUE;   // EndDialog in OnInitDialog clears it
    m_nModalResult = -1;
    const BOOL created = CreateFromTemplate(lpTemplate, hWndOwner, hInst);
    if (created) {
        if (m_bContinueModal) {
            DWORD flags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                flags |= MLF_NOIDLEMSG;
            RunModalLoop(flags);
        }
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_bContinueModal = FALSE;
    m_bModal = FALSE;

    // The owner comes back before the dialog goes, so activation returns to it.
    if (reenableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    return created ? m_nModalResult : -1;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (!lpszTemplateName)
        return FALSE;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATEA lpTemplate = AfxLoadDialogTemplate(lpszTemplateName, hInst);
    if (!lpTemplate)
        return FALSE;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    // Without a parent a pop-up dialog belongs to the main window and stays above it.
    HWND hWndParent = AfxGetSafeHwnd(m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
    m_bModal = FALSE;
    return CreateFromTemplate(lpTemplate, hWndParent, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal) {
        EndModalLoop(nResult);
        return;
    }
    // A modeless dialog ends by going away (a self-deleting one is deleted in
    // PostNcDestroy); ::EndDialog would only hide it and leave it alive.
    m_nModalResult = nResult;
    DestroyWindow();
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.HasFailed();
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Tips of the controls (EnableToolTips) see the mouse first.
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keyboard and mouse input gets the dialog keys: Tab, arrows, Enter, Escape, mnemonics.
    const UINT message = pMsg->message;
    const bool input =
        (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
    return m_hWnd && input && ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Only commands (menus, accelerators, buttons with command IDs) go further: the
    // dialog's own controls (IDOK, IDCANCEL, ...) and system commands stay here.
    if ((nCode != CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID >= 0xE000)
        return FALSE;
    // A popup dialog's owner gets them next. A child dialog is part of its parent, which
    // routes to it (as a frame does to its view) and would only be asked back.
    CWnd* pOwner = (GetStyle() & WS_CHILD) ? nullptr : CWnd::FromHandle(::GetParent(m_hWnd));
    if (pOwner && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    return pThread && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;   // the failing field has the focus; the dialog stays
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnClose()
{
    OnCancel();
}
