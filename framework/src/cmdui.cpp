#include "afxwin.h"

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (!m_pOther)
        return;
    // A control about to be disabled hands the focus on first, so the keyboard is not lost.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
        if (HWND hParent = ::GetParent(m_pOther->m_hWnd))
            ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
}

void CCmdUI::SetCheck(int nCheck)
{
    if (!m_pOther)
        return;
    // Only buttons that show a check state take it.
    if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
        m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (!m_pOther || !lpszText)
        return;
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText)  // unchanged text is not set again, which would flicker
        m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pTarget || m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and static items are left alone
    m_bEnableChanged = FALSE;
    const BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (!m_bEnableChanged && bDisableIfNoHndler && !bResult) {
        AFX_CMDHANDLERINFO info{};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return bResult;
}
