// JSectionDlg: one section of a ribbon bar.
#include "jribbonbar.h"

IMPLEMENT_DYNAMIC(JSectionDlg, CDialog)

BEGIN_MESSAGE_MAP(JSectionDlg, CDialog)
    ON_WM_GETDLGCODE()
    ON_WM_PARENTNOTIFY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

JSectionDlg::JSectionDlg(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd)
{
}

JSectionDlg::JSectionDlg(LPCSTR lpszTemplateName, CWnd* pParentWnd) : CDialog(lpszTemplateName, pParentWnd)
{
}

void JSectionDlg::OnOKCancel(UINT)
{
}

void JSectionDlg::CleanUp()
{
    if (m_hWnd)
        DestroyWindow();
    else
        delete this;
}

BOOL JSectionDlg::PreTranslateMessage(MSG* pMsg)
{
    // Tab belongs to the bar, which moves across its sections.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB)
        return CWnd::PreTranslateMessage(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void JSectionDlg::PostNcDestroy()
{
    delete this;
}

UINT JSectionDlg::OnGetDlgCode()
{
    return (UINT)Default() | DLGC_WANTTAB;
}

LRESULT JSectionDlg::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // The controls follow the frame's command handlers, as the bar's own do.
    CWnd* pBar = GetParent();
    CFrameWnd* pTarget = pBar ? pBar->GetParentFrame() : nullptr;
    if (auto* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar); pControlBar && pControlBar->m_pDockSite)
        pTarget = pControlBar->m_pDockSite;
    if (pTarget)
        UpdateDialogControls(pTarget, (BOOL)wParam);
    return 0;
}

void JSectionDlg::OnParentNotify(UINT message, LPARAM lParam)
{
    if (message == WM_CREATE || message == WM_DESTROY)
        if (auto* pBar = DYNAMIC_DOWNCAST(JDialogBar, GetParent()))
            pBar->ChildrenChanged();
    CDialog::OnParentNotify(message, lParam);
}
