// The toolbar's tips and texts: its own tip control fed with the mouse messages,
// tip texts per button, button texts from the categories' string resources.
#include "hostengine.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "tiptext.h"

BOOL JToolBar::PreTranslateMessage(MSG* pMsg)
{
    if (HandleFlyoutKey(pMsg))
        return TRUE;
    if (pMsg->hwnd == m_hWnd && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        EnsureToolTip();
    if (m_pToolTip && m_pToolTip->m_hWnd) {
        ActivateToolTips();
        const bool tipVisible = m_pToolTip->IsWindowVisible() != FALSE;
        if (tipVisible || m_bIsFlyout) {
            if (tipVisible && ::GetForegroundWindow() != m_pToolTip->m_hWnd)
                m_pToolTip->ShowWindow(SW_SHOWNA);
            switch (pMsg->message) {
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
                m_bButtonDown = TRUE;
                m_pToolTip->RelayEvent(pMsg);
                break;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
            case WM_MBUTTONUP:
                m_bButtonDown = FALSE;
                m_pToolTip->RelayEvent(pMsg);
                break;
            case WM_MOUSEMOVE:
                if (m_bButtonDown && !(pMsg->wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
                    // The release went elsewhere: the tip still waits for it.
                    MSG up = *pMsg;
                    up.message = WM_LBUTTONUP;
                    m_bButtonDown = FALSE;
                    m_pToolTip->RelayEvent(&up);
                } else {
                    m_pToolTip->RelayEvent(pMsg);
                }
                break;
            default:
                break;
            }
        }
        JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
        if (!m_pToolTip->IsWindowVisible() && pInfo && pInfo->m_bToolTips && HostMode())
            m_pToolTip->SendMessage(TTM_UPDATE);
    }
    return CToolBar::PreTranslateMessage(pMsg);
}

BOOL JToolBar::ChangeTooltipTextOnItem(int index, const char* lpszText)
{
    if (!m_hWnd || !EnsureToolTip())
        return FALSE;
    const UINT nID = GetItemID(index);
    if (nID == 0)
        return FALSE;
    m_pToolTip->UpdateTipText(lpszText ? lpszText : "", this, nID);
    ActivateToolTips();
    return TRUE;
}

BOOL JToolBar::GetTooltipTextOnItem(int index, char* out)
{
    return GetTooltipTextOnItem(index, out, kTipTextChars);
}

BOOL JToolBar::GetTooltipTextOnItem(int index, char* out, int cchOut)
{
    if (!m_hWnd || !out || cchOut <= 0 || !EnsureToolTip())
        return FALSE;
    const UINT nID = GetItemID(index);
    if (nID == 0)
        return FALSE;
    // Read through a buffer of ours: the caller's only ever gets what it holds.
    char text[INFOTIPSIZE];
    ReadTipText(m_pToolTip, m_hWnd, nID, text);
    lstrcpynA(out, text, cchOut);
    return TRUE;
}

CString JToolBar::GetButtonText(int index)
{
    CString text = CToolBar::GetButtonText(index);
    if (!text.IsEmpty() || !m_hWnd || index < 0 || index >= GetToolBarCtrl().GetButtonCount())
        return text;
    const UINT nID = GetItemID(index);
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    JBitmapInfo info{};
    if (nID == 0 || !pInfo || !pInfo->GetBitmapInfo(nID, (LPARAM)&info))
        return text;
    // Prompt, newline, tip: the tip names the button.
    CString resource;
    if (HINSTANCE hModule = pInfo->GetCategoryInstanceHandle(nID)) {
        char buffer[512] = "";
        if (::LoadStringA(hModule, nID, buffer, (int)sizeof buffer) > 0)
            resource = buffer;
    }
    const int newline = resource.ReverseFind('\n');
    return newline >= 0 ? resource.Mid(newline + 1) : resource;
}

void JToolBar::GetButtonText(int index, CString& rString)
{
    rString = GetButtonText(index);
}
