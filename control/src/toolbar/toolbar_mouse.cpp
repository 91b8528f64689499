// The toolbar's own button handling: pressing and releasing (the command is
// posted to the main window), check boxes, hot tracking, the flyout press-and-hold
// timer, timers and the help hit test.
#include "jbars.h"
#include "jenvmanager.h"
#include "tsprefscontexthelp.h"

namespace {

int s_nLastHotButton = -1;   // the button under the mouse at the last move over a flat toolbar

bool Customizing()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->m_bCustomizationMode;
}

}   // namespace

int JToolBar::HitTest(CPoint point)
{
    if (!m_hWnd)
        return -1;
    const int count = GetToolBarCtrl().GetButtonCount();
    for (int i = 0; i < count; ++i) {
        if (GetButtonStyle(i) & TBBS_SEPARATOR)
            continue;
        CRect rect;
        GetItemRect(i, rect);
        if (rect.PtInRect(point))
            return i;
    }
    return -1;
}

void JToolBar::InvalidateButton(int index)
{
    CRect rect;
    GetItemRect(index, rect);
    InvalidateRect(rect, FALSE);
}

CFrameWnd* JToolBar::MessageFrame()
{
    CWnd* pOwner = GetOwner();
    if (!pOwner)
        pOwner = GetParent();
    return pOwner && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : nullptr;
}

void JToolBar::ShowPrompt(UINT nID)
{
    if (CFrameWnd* pFrame = MessageFrame())
        pFrame->SetMessageText(nID);
}

void JToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_nFlyoutButton = -1;
    if (GetToolBarCtrl().GetButtonCount() == 0) {
        CToolBar::OnLButtonDown(nFlags, point);
        return;
    }
    const int hit = HitTest(point);
    const bool alt = ::GetKeyState(VK_MENU) < 0;
    if (Customizing() || alt) {
        // Buttons are picked up for rearranging.
        m_pBar = this;
        m_nIndex = hit;
        if (hit >= 0)
            DoDrag(point, hit, ::GetKeyState(VK_CONTROL) < 0);
        return;
    }
    if (IsFlyout(hit)) {
        // A short click runs the button's command, holding it opens the flyout.
        CToolBar::OnLButtonDown(nFlags, point);
        m_nPressedButton = -1;
        m_nFlyoutButton = hit;
        SetTimer(kFlyoutTimer, (UINT)m_nFlyoutTime);
        if (GetButtonStyle(hit) & TBBS_DISABLED)
            SetCapture();
        return;
    }
    m_nPressedButton = hit;
    if (hit < 0) {
        CToolBar::OnLButtonDown(nFlags, point);
        return;
    }
    const UINT nStyle = GetButtonStyle(hit);
    if (nStyle & TBBS_DISABLED) {
        m_nPressedButton = -1;
        return;
    }
    SetButtonStyle(hit, nStyle | TBBS_PRESSED);
    InvalidateButton(hit);
    UpdateWindow();
    SetCapture();
    ShowPrompt(GetItemID(hit));
}

void JToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nFlyoutButton != -1) {
        KillTimer(kFlyoutTimer);
        m_nPressedButton = m_nFlyoutButton;
        m_nFlyoutButton = -1;
    }
    const bool captured = GetCapture() == this;
    CRect rect;
    if (m_nPressedButton != -1) {
        GetItemRect(m_nPressedButton, rect);
        if (captured && rect.PtInRect(point)) {
            m_rectLast = rect;
            ClientToScreen(m_rectLast);
        }
    }
    if (m_nPressedButton == -1) {
        // The end of a press held on a flyout button: the flyout had the mouse, and
        // the control, which saw the press, must not run the button's command now.
        if (IsFlyout(HitTest(point))) {
            ResetAllButtons(-1, FALSE);
            Invalidate();
            return;
        }
        CToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int index = m_nPressedButton;
    UINT nStyle = GetButtonStyle(index) & ~TBBS_PRESSED;
    UINT nCommand = 0;
    bool run = false;
    if (captured) {
        ReleaseCapture();
        if (rect.PtInRect(point) && !(nStyle & TBBS_DISABLED)) {
            nCommand = GetItemID(index);
            run = true;
            if (nStyle & TBBS_CHECKBOX)
                nStyle = (nStyle ^ TBBS_CHECKED) & ~TBBS_INDETERMINATE;
        }
    }
    ShowPrompt(AFX_IDS_IDLEMESSAGE);
    m_nPressedButton = -1;
    if (run)
        if (CWnd* pMain = AfxGetMainWnd(); pMain && pMain->m_hWnd)
            pMain->PostMessage(WM_COMMAND, nCommand, (LPARAM)m_hWnd);
    SetButtonStyle(index, nStyle);
    ResetAllButtons(-1, FALSE);
    UpdateWindow();
}

void JToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // While buttons are rearranged a quick second press is one more press: it starts
    // a drag, as the first did, and never reaches the toolbar control.
    if ((Customizing() || ::GetKeyState(VK_MENU) < 0) && HitTest(point) >= 0) {
        OnLButtonDown(nFlags, point);
        return;
    }
    CToolBar::OnLButtonDblClk(nFlags, point);
}

void JToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    EnsureToolTip();
    if (m_nFlyoutButton != -1 && GetCapture() == this) {
        CRect rect;
        GetItemRect(m_nFlyoutButton, rect);
        if (!rect.PtInRect(point))
            OpenPendingFlyout();
    }
    if (m_nAppearance == 1) {
        const int hit = HitTest(point);
        if (hit != s_nLastHotButton) {
            m_bHotChanged = TRUE;
            s_nLastHotButton = hit;
        }
    }
    CToolBar::OnMouseMove(nFlags, point);
    if (m_nPressedButton == -1)
        return;
    if (GetCapture() != this) {
        m_nPressedButton = -1;
        ShowPrompt(AFX_IDS_IDLEMESSAGE);
        return;
    }
    CRect rect;
    GetItemRect(m_nPressedButton, rect);
    const UINT nStyle = GetButtonStyle(m_nPressedButton);
    const UINT nNew = rect.PtInRect(point) ? (nStyle | TBBS_PRESSED) : (nStyle & ~TBBS_PRESSED);
    if (nNew != nStyle) {
        SetButtonStyle(m_nPressedButton, nNew);
        InvalidateButton(m_nPressedButton);
    }
}

void JToolBar::ResetAllButtons(int keep, BOOL bNoCheckTest)
{
    const int count = GetToolBarCtrl().GetButtonCount();
    int checked = -1;
    for (int i = 0; i < count; ++i) {
        if (i == keep)
            continue;
        const UINT nStyle = GetButtonStyle(i);
        SetButtonStyle(i, nStyle & ~(TBBS_PRESSED | TBBS_INDETERMINATE));
        if (!bNoCheckTest && (nStyle & TBBS_CHECKED))
            checked = i;
    }
    if (keep < 0 || keep >= count)
        return;
    const UINT nStyle = GetButtonStyle(keep);
    if (nStyle & TBBS_DISABLED)
        return;
    if (checked == -1)
        SetButtonStyle(keep, nStyle | TBBS_PRESSED);
    else
        SetButtonStyle(keep, nStyle & ~TBBS_PRESSED);
}

void JToolBar::OpenPendingFlyout()
{
    KillTimer(kFlyoutTimer);
    // The flyout takes the mouse: the held press must not end in the button's own command.
    if (GetCapture() == this)
        ReleaseCapture();
    const int index = m_nFlyoutButton;
    m_nFlyoutButton = -1;
    RunFlyout(index, FALSE);
}

void JToolBar::OnTimer(UINT_PTR nIDEvent)
{
    CToolBar::OnTimer(nIDEvent);
    if (!::IsWindow(m_hWnd)) {
        ::KillTimer(nullptr, nIDEvent);
        return;
    }
    if (nIDEvent == kFlyoutTimer)
        OpenPendingFlyout();
    else if (nIDEvent == kDeferredShowTimer)
        ShowWhenReady();
}

LRESULT JToolBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    TsPrefsContextHelp help;
    help.ClearMemory();
    help.SetSourceOfHelpContextId(JHELP_FROM_TOOLBAR);
    const int hit = HitTest(CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam)));
    // Over no button there is no command to give help on.
    return hit >= 0 ? (LRESULT)GetItemID(hit) : 0;
}
