// CCustomFrame: the prompts in the message bar and the tooltips of the commands
// registered with the library.
#include "jcustomize.h"

#include "jcontrolinfo.h"
#include "jenvmanager.h"

#include <iterator>
#include <vector>

namespace {

bool IsMacroCommand(UINT nID)
{
    return nID >= JMACRO_FIRST_ID && nID <= JMACRO_LAST_ID;
}

// The string nID of a module, at most 254 characters; FALSE when it has none.
BOOL LoadCommandString(HINSTANCE hModule, UINT nID, CString& rText)
{
    char buffer[255] = "";
    if (!hModule || ::LoadStringA(hModule, nID, buffer, (int)sizeof buffer) <= 0)
        return FALSE;
    rText = buffer;
    return TRUE;
}

// The text before the first newline (a prompt), or after it (a tip).
CString PromptPart(const CString& text)
{
    const int newline = text.Find('\n');
    return newline < 0 ? text : text.Left(newline);
}

CString TipPart(const CString& text)
{
    const int newline = text.Find('\n');
    if (newline < 0)
        return CString();
    const CString rest = text.Mid(newline + 1);
    const int next = rest.Find('\n');
    return next < 0 ? rest : rest.Left(next);
}

}   // namespace

BOOL CCustomFrame::FindCommandText(UINT nID, CString& rText) const
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (!pInfo)
        return FALSE;
    if (LoadCommandString(pInfo->GetCategoryInstanceHandle(nID), nID, rText) ||
        LoadCommandString(pInfo->m_hDraftResource, nID, rText))
        return TRUE;
    // The names the host gave the category's commands.
    const JCategory* pCategory = pInfo->GetCommandCategory(nID);
    const int position = pCategory ? pCategory->FindPosition(nID) : -1;
    if (position < 0 || position >= pCategory->m_arrNames.GetSize())
        return FALSE;
    rText = pCategory->m_arrNames[position].Left(254);
    return !rText.IsEmpty();
}

void CCustomFrame::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    if (IsMacroCommand(nID)) {
        JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
        char buffer[511] = "";
        if (pInfo && pInfo->m_pDynamicCommand &&
            pInfo->m_pDynamicCommand->GetStatusPrompt(nID, buffer, sizeof buffer) > 0) {
            buffer[sizeof buffer - 1] = '\0';
            rMessage = buffer;
        }
        return;
    }
    CString text;
    if (FindCommandText(nID, text))
        rMessage = PromptPart(text);
    else
        CMDIFrameWnd::GetMessageString(nID, rMessage);
}

LRESULT CCustomFrame::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    return SetMessageString(wParam, lParam);
}

LRESULT CCustomFrame::SetMessageString(WPARAM wParam, LPARAM lParam)
{
    // Bars are toggled from the View menu: only the status bar's toggle has a prompt.
    const UINT nID = (UINT)wParam;
    if (nID >= AFX_IDW_CONTROLBAR_FIRST && nID <= AFX_IDW_CONTROLBAR_LAST && nID != AFX_IDW_STATUS_BAR)
        return OnSetOrbelMessageString(0, reinterpret_cast<LPARAM>(""));
    return OnSetOrbelMessageString(wParam, lParam);
}

LRESULT CCustomFrame::OnSetOrbelMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    if (CWnd* pMessageBar = GetMessageBar()) {
        CString message;
        if (lParam)
            message = reinterpret_cast<LPCSTR>(lParam);
        else if (wParam)
            GetMessageString((UINT)wParam, message);
        auto* pStatusBar = DYNAMIC_DOWNCAST(CStatusBar, pMessageBar);
        int pane = pStatusBar ? pStatusBar->CommandToIndex(1) : -1;
        if (pStatusBar && pane < 0)
            pane = pStatusBar->CommandToIndex(0);
        if (pane >= 0)
            pStatusBar->SetPaneText(pane, message, TRUE);
        else
            pMessageBar->SetWindowText(message);
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

BOOL CCustomFrame::OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!pNMHDR || (pNMHDR->code != TTN_NEEDTEXTA && pNMHDR->code != TTN_NEEDTEXTW))
        return CMDIFrameWnd::OnToolTipText(nID, pNMHDR, pResult);
    const bool bWide = pNMHDR->code == TTN_NEEDTEXTW;
    auto* pTTTA = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
    auto* pTTTW = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    UINT_PTR nCommand = pNMHDR->idFrom;
    // Tools registered by window carry the window, whose ID is the command.
    if ((bWide ? pTTTW->uFlags : pTTTA->uFlags) & TTF_IDISHWND)
        nCommand = (UINT_PTR)::GetDlgCtrlID(reinterpret_cast<HWND>(nCommand));
    if (nCommand == 0)
        return CMDIFrameWnd::OnToolTipText(nID, pNMHDR, pResult);

    CString tip;
    if (IsMacroCommand((UINT)nCommand)) {
        JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
        char buffer[255] = "";
        if (pInfo && pInfo->m_pDynamicCommand &&
            pInfo->m_pDynamicCommand->GetToolTip((UINT)nCommand, buffer, sizeof buffer) > 0) {
            buffer[sizeof buffer - 1] = '\0';
            tip = buffer;
        }
    } else if (CString text; FindCommandText((UINT)nCommand, text)) {
        tip = TipPart(text);
    }
    if (bWide) {
        // Converted whole, then cut to the notification's buffer.
        std::vector<wchar_t> wide((size_t)tip.GetLength() + 1, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, tip, -1, wide.data(), (int)wide.size());
        ::lstrcpynW(pTTTW->szText, wide.data(), (int)std::size(pTTTW->szText));
        pTTTW->lpszText = pTTTW->szText;
    } else {
        ::lstrcpynA(pTTTA->szText, tip, (int)std::size(pTTTA->szText));
        pTTTA->lpszText = pTTTA->szText;
    }
    if (pResult)
        *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return TRUE;
}
