// CCustomFrame: activation and clicks. While customization mode is on the frame is not
// activated by clicks and draws its caption inactive; the customize dialog stays in front.
// Right clicks on bars open the bars' context menu.
#include "jcustomize.h"

#include "controlexports.h"
#include "jbars.h"
#include "jdropdown.h"
#include "jenvmanager.h"

BOOL CCustomFrame::Customizing()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->m_bCustomizationMode;
}

HWND CCustomFrame::CustomizeDialog()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (!pInfo || !pInfo->m_bCustomizationMode)
        return nullptr;
    HWND hDialog = pInfo->GetActiveDlg();
    return ::IsWindow(hDialog) ? hDialog : nullptr;
}

int CCustomFrame::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (Customizing())
        return MA_NOACTIVATE;
    return CMDIFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CCustomFrame::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (HWND hDialog = CustomizeDialog()) {
        if (::GetForegroundWindow() == hDialog)
            ::MessageBeep(0);
        else
            ::SetForegroundWindow(hDialog);
    }
    CMDIFrameWnd::OnLButtonDown(nFlags, point);
}

BOOL CCustomFrame::OnNcActivate(BOOL bActive)
{
    // The customize dialog is the active window meanwhile, whatever was asked.
    if (Customizing())
        return (BOOL)DefWindowProc(WM_NCACTIVATE, FALSE, 0);
    return CMDIFrameWnd::OnNcActivate(bActive);
}

void CCustomFrame::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    HWND hDialog = CustomizeDialog();
    if (hDialog) {
        // The first click on the frame brings the dialog back; the next one works, and the
        // menu bar and the system menu activate the frame while they are open.
        if (::GetActiveWindow() != hDialog) {
            ::SetActiveWindow(hDialog);
            return;
        }
        ::SendMessageA(hDialog, JCM_SETDIALOGACTIVE, 0, 0);
        if (nHitTest == HTSYSMENU || nHitTest == HTMENU)
            ::SetActiveWindow(m_hWnd);
    }
    CMDIFrameWnd::OnNcLButtonDown(nHitTest, point);
    if (HWND hStill = CustomizeDialog())
        ::SetActiveWindow(hStill);
}

void CCustomFrame::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CMDIFrameWnd::OnNcLButtonDblClk(nHitTest, point);
    if (HWND hDialog = CustomizeDialog())
        ::SetActiveWindow(hDialog);
}

void CCustomFrame::OnSysCommand(UINT nID, LPARAM lParam)
{
    CMDIFrameWnd::OnSysCommand(nID, lParam);
    if ((nID & 0xFFF0) == SC_RESTORE)
        if (HWND hDialog = CustomizeDialog())
            ::SetActiveWindow(hDialog);
}

void CCustomFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar && pBar->m_hWnd && pBar->IsKindOf(RUNTIME_CLASS(CBaseDialogBar)))
            static_cast<CBaseDialogBar*>(pBar)->SetActive(nState);
    }
}

// ---- pre-translation ----

void CCustomFrame::CloseDroppedComboBox(const MSG* pMsg)
{
    HWND hFocus = ::GetFocus();
    if (!hFocus || hFocus == pMsg->hwnd)
        return;
    // A drop-down list box has the focus itself; a drop-down combo box's edit has it.
    CComboBox* pCombo = nullptr;
    if (auto* pFocus = DYNAMIC_DOWNCAST(CComboBox, CWnd::FromHandlePermanent(hFocus));
        pFocus && (pFocus->GetStyle() & 0xF) == CBS_DROPDOWNLIST) {
        pCombo = pFocus;
    } else if (HWND hParent = ::GetParent(hFocus); hParent && hParent != pMsg->hwnd) {
        auto* pParent = DYNAMIC_DOWNCAST(CComboBox, CWnd::FromHandlePermanent(hParent));
        if (pParent && (pParent->GetStyle() & 0xF) == CBS_DROPDOWN)
            pCombo = pParent;
    }
    if (!pCombo)
        return;
    // A click in the dropped list itself (a child of the desktop) leaves it open.
    const bool inList =
        (::GetWindowLongA(pMsg->hwnd, GWL_STYLE) & WS_CHILD) && ::GetParent(pMsg->hwnd) == ::GetDesktopWindow();
    if (!inList)
        pCombo->SendMessage(CB_SHOWDROPDOWN, FALSE);
}

BOOL CCustomFrame::IsToolbarMenuTarget(CWnd* pWnd)
{
    return pWnd && (pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) || pWnd->IsKindOf(RUNTIME_CLASS(JMiniDockFrameWnd)) ||
                    pWnd->IsKindOf(RUNTIME_CLASS(JDialogBar)) || pWnd->IsKindOf(RUNTIME_CLASS(CDialogBar)) ||
                    pWnd->IsKindOf(RUNTIME_CLASS(JToolBar)));
}

BOOL CCustomFrame::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    if (message == WM_LBUTTONDOWN || message == WM_NCLBUTTONDOWN)
        CloseDroppedComboBox(pMsg);
    CWnd* pTarget = CWnd::FromHandlePermanent(pMsg->hwnd);
    const BOOL customizing = Customizing();
    const bool onDockBar = pTarget && pTarget->IsKindOf(RUNTIME_CLASS(CDockBar));
    if (message == WM_LBUTTONDBLCLK && onDockBar && !customizing)
        return TRUE;
    if (message == WM_LBUTTONDOWN && onDockBar && customizing) {
        if (HWND hDialog = CustomizeDialog())
            ::SetActiveWindow(hDialog);
        return TRUE;
    }
    if (message == WM_RBUTTONDOWN && !customizing && IsToolbarMenuTarget(pTarget)) {
        POINT point{};
        ::GetCursorPos(&point);
        DisplayToolbarMenu(&point);
        return TRUE;
    }
    if (message == WM_NCRBUTTONDOWN && pTarget && pTarget->IsKindOf(RUNTIME_CLASS(JMiniDockFrameWnd))) {
        // A floating selector bar keeps its own caption menu.
        auto* pMiniFrame = static_cast<JMiniDockFrameWnd*>(pTarget);
        CWnd* pFirst = CWnd::FromHandlePermanent(::GetWindow(pMiniFrame->m_wndDockBar.m_hWnd, GW_CHILD));
        if (!pFirst || !pFirst->IsKindOf(RUNTIME_CLASS(JSelectCntl))) {
            POINT point{(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
            DisplayToolbarMenu(&point);
            return TRUE;
        }
    }
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}
