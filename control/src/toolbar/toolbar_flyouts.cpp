// The toolbar's side of its flyouts: attaching them to buttons, opening one held
// down or from the keyboard, and putting the command picked on the button.
#include "callframe.h"
#include "jcustomize.h"
#include "jflyout.h"

#include <algorithm>

namespace {

JFlyout* FlyoutIn(void* pSlot)
{
    return pSlot ? DYNAMIC_DOWNCAST(JFlyout, static_cast<JToolBar*>(pSlot)) : nullptr;
}

}   // namespace

void JToolBar::AddFlyout(int index, const UINT* lpIDArray, int nIDCount)
{
    if (m_bIsFlyout || !m_hWnd || index < 0 || index >= (int)GetCommandCount() || GetItemID(index) == 0 || !lpIDArray ||
        nIDCount <= 0)
        return;
    SetFlyoutList(index, std::vector<UINT>(lpIDArray, lpIDArray + nIDCount));
}

void JToolBar::AttachFlyout(int index, const std::vector<UINT>& ids)
{
    if (m_bIsFlyout || !m_hWnd || index < 0)
        return;
    if (m_arrFlyouts.GetSize() <= index)
        m_arrFlyouts.SetSize(GetCommandCount());
    if (index >= m_arrFlyouts.GetSize())
        return;
    if (auto* pOld = static_cast<JToolBar*>(m_arrFlyouts[index])) {
        m_arrFlyouts[index] = nullptr;
        if (JFlyout* pFlyout = FlyoutIn(pOld))
            pFlyout->m_pParentBar = nullptr;
        if (pOld->m_hWnd)
            pOld->DestroyWindow();
    }
    // The frame of the call, else (while the host's main window is still being
    // made) the frame the toolbar docks in. Without a frame nothing is attached;
    // the list stays with the toolbar.
    CFrameWnd* pFrame = ControlFrameOfCall();
    if (!pFrame)
        pFrame = m_pDockSite ? m_pDockSite : GetTopLevelFrame();
    if (!pFrame || !pFrame->m_hWnd || ids.empty())
        return;
    auto* pFlyout = new JFlyout;
    if (!pFlyout->Create(pFrame, TRUE) || !pFlyout->SetButtonIDs(ids.data(), (int)ids.size())) {
        if (pFlyout->m_hWnd)
            pFlyout->DestroyWindow();   // deletes it
        else
            delete pFlyout;
        return;
    }
    if (pFlyout->GetSizeButton().cx != m_sizeButton.cx || pFlyout->GetSizeButton().cy != m_sizeButton.cy)
        pFlyout->SetSizes(m_sizeButton, m_sizeImage);
    pFlyout->m_pParentBar = this;
    m_arrFlyouts[index] = pFlyout;
}

void JToolBar::ForgetFlyout(JToolBar* pFlyout)
{
    for (INT_PTR i = 0; i < m_arrFlyouts.GetSize(); ++i)
        if (m_arrFlyouts[i] == pFlyout)
            m_arrFlyouts[i] = nullptr;
}

BOOL JToolBar::SwapCommand(UINT nID, int index)
{
    if (!m_hWnd || index < 0 || index >= (int)GetCommandCount())
        return FALSE;
    UINT nOld = 0, nStyle = 0;
    int iImage = 0;
    GetButtonInfo(index, nOld, nStyle, iImage);
    SetButtonInfo(index, nID, nStyle, iImage);
    // The tip of the button follows its command.
    if (m_pToolTip && m_pToolTip->m_hWnd && nOld != nID) {
        m_pToolTip->DelTool(this, nOld);
        CRect rect;
        GetItemRect(index, rect);
        m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACK, rect, nID);
    }
    ReloadBitmap(TRUE);
    InvalidateButton(index);
    return TRUE;
}

void JToolBar::RunFlyout(int index, BOOL bKeyboard)
{
    KillTimer(kFlyoutTimer);
    m_nFlyoutButton = -1;
    JFlyout* pFlyout = IsFlyout(index) ? FlyoutIn(m_arrFlyouts[index]) : nullptr;
    if (!pFlyout || !pFlyout->m_hWnd)
        return;
    ResetAllButtons(-1, FALSE);
    // The host's frame sets its flyout commands up once per opening.
    if (!pFlyout->m_bCommandsActivated)
        if (auto* pFrame = DYNAMIC_DOWNCAST(CCustomFrame, ControlFrameOfCall())) {
            pFrame->ActivateFlyoutCommands(pFlyout);
            pFlyout->m_bCommandsActivated = TRUE;
        }
    // The button's own tip would cover the flyout. A tip still waiting to show
    // shows even when deactivated: the tip control is told the mouse left every
    // button, and the wait then finds the cursor over another tool and gives up.
    if (m_pToolTip && m_pToolTip->m_hWnd) {
        m_pToolTip->SendMessage(TTM_POP);
        m_pToolTip->Activate(FALSE);
        MSG away{m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1), 0, {-1, -1}};
        m_pToolTip->RelayEvent(&away);
    }
    const HWND hSelf = m_hWnd, hFlyout = pFlyout->m_hWnd;
    const int chosen =
        bKeyboard ? pFlyout->DisplayFlyoutFromKeyboard(this, index) : pFlyout->DisplayFlyout(this, index);
    if (!::IsWindow(hSelf) || FromHandlePermanent(hSelf) != this)
        return;   // the toolbar went while its flyout was open
    if (!::IsWindow(hFlyout) || FromHandlePermanent(hFlyout) != pFlyout)
        pFlyout = nullptr;
    ActivateToolTips();
    if (chosen != -1 && index < (int)GetCommandCount()) {
        // The button's own command picked again leaves the button as it is: the
        // user's picture on it stays.
        if (GetItemID(index) != (UINT)chosen) {
            // The button's own picture goes; a picture the flyout holds for the command
            // comes with it, as a copy of its own.
            CTMBITMAPSTRUCT* pCopy = nullptr;
            if (const CTMBITMAPSTRUCT* pPicked = pFlyout ? pFlyout->GetCustomBitmapByCommand((UINT)chosen) : nullptr) {
                pCopy = new CTMBITMAPSTRUCT;
                pCopy->m_nCommandID = pPicked->m_nCommandID;
                pCopy->m_hBitmap = pPicked->m_hBitmap
                                       ? static_cast<HBITMAP>(::CopyImage(pPicked->m_hBitmap, IMAGE_BITMAP, 0, 0, 0))
                                       : nullptr;
                pCopy->m_strMacro = pPicked->m_strMacro;
                pCopy->m_crFill = pPicked->m_crFill;
                pCopy->m_hFillModule = pPicked->m_hFillModule;
                pCopy->m_strFillMask = pPicked->m_strFillMask;
                pCopy->m_strSymbolFile = pPicked->m_strSymbolFile;
                pCopy->m_strBitmapFile = pPicked->m_strBitmapFile;
            }
            SetCustomRecord(index, pCopy);
            SwapCommand((UINT)chosen, index);
        }
        UINT nStyle = GetButtonStyle(index);
        if (nStyle & TBBS_CHECKBOX)
            nStyle = (nStyle ^ TBBS_CHECKED) & ~TBBS_INDETERMINATE;
        SetButtonStyle(index, nStyle & ~TBBS_PRESSED);
    }
    ShowPrompt(AFX_IDS_IDLEMESSAGE);
    if (chosen != -1)
        PostMessage(WM_COMMAND, (WPARAM)(UINT)chosen, (LPARAM)m_hWnd);
    if (index < (int)GetCommandCount())
        InvalidateButton(index);
    UpdateWindow();
}

BOOL JToolBar::OpenFlyoutFromKeyboard(int index)
{
    if (!m_hWnd || !IsFlyout(index) || !FlyoutIn(m_arrFlyouts[index]))
        return FALSE;
    RunFlyout(index, TRUE);
    return TRUE;
}

BOOL JToolBar::HandleFlyoutKey(const MSG* pMsg)
{
    // Alt+Down or F4 on the focused button: the one holding the customization
    // focus, else the hot button of a toolbar the host moved the focus to.
    const bool bOpen = (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_DOWN) ||
                       (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F4 && ::GetKeyState(VK_MENU) >= 0);
    if (!bOpen || m_bIsFlyout || !m_hWnd || m_arrFlyouts.GetSize() == 0)
        return FALSE;
    int index = -1;
    if (m_pBar == this && IsFlyout(m_nIndex))
        index = m_nIndex;
    else if (::GetFocus() == m_hWnd)
        index = (int)SendMessage(TB_GETHOTITEM);
    return OpenFlyoutFromKeyboard(index);
}
