// The toolbar's appearance and shape: flat look, gripper, sizes, transparent
// colour, orientation that follows a floating toolbar's shape, deferred showing.
#include "callframe.h"
#include "hostengine.h"
#include "jbars.h"
#include "jenvmanager.h"

namespace {

// The toolbars of the environment a toolbar belongs to (the current one for a
// toolbar made without environments) are to be saved again.
void MarkToolbarsChanged(const GUserText& environment)
{
    JControlOnlyInfo* pInfo = nullptr;
    if (JEnvironmentManager* pManager = JEnvironmentManager::Get(); pManager && !environment.IsEmpty())
        pInfo = pManager->GetEnvironment(pManager->FindEnvironmentIndex(environment));
    if (!pInfo)
        pInfo = JEnvironmentManager::Current();
    if (pInfo)
        pInfo->m_bToolbarsDirty = TRUE;
}

// Only what the user does goes through the drag context: the library's own
// loads and restores dock and float bars directly and leave the mark alone.
class ToolBarDockContext : public CDockContext {
public:
    using CDockContext::CDockContext;

    BOOL Track() override
    {
        // The loop may delete this context with its bar: nothing of either is used after it.
        const GUserText environment = static_cast<JToolBar*>(m_pBar)->m_strEnvironment;
        const BOOL ended = CDockContext::Track();
        if (ended)
            MarkToolbarsChanged(environment);
        return ended;
    }

    void ToggleDocking() override
    {
        const BOOL floating = m_pBar->IsFloating();
        CDockContext::ToggleDocking();
        if (m_pBar->IsFloating() != floating)
            MarkToolbarsChanged(static_cast<JToolBar*>(m_pBar)->m_strEnvironment);
    }
};

}   // namespace

CDockContext* JToolBar::CreateDockContext()
{
    return new ToolBarDockContext(this);
}

void JToolBar::SetAppearance(long nAppearance)
{
    m_nAppearance = (int)nAppearance;
    if (!m_hWnd)
        return;
    if (nAppearance == 1)
        ModifyStyle(0, TBSTYLE_FLAT);
    else
        ModifyStyle(TBSTYLE_FLAT, 0);
    Invalidate();
}

void JToolBar::SetGripperBar(BOOL bGripper)
{
    m_bGripper = bGripper;
    if (!m_hWnd)
        return;
    SetBarStyle(bGripper ? (m_dwStyle | CBRS_GRIPPER) : (m_dwStyle & ~CBRS_GRIPPER));
    // The gripper lies in the non-client area.
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Invalidate();
    UpdateWindow();
}

void JToolBar::SetTransparentColor(COLORREF crTransparent)
{
    if (crTransparent == m_crTransparent)
        return;
    m_crTransparent = crTransparent;
    ReloadBitmap();
}

void JToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    CToolBar::SetSizes(sizeButton, sizeImage);
    ReloadBitmap();
    for (INT_PTR i = 0; i < m_arrFlyouts.GetSize(); ++i)
        if (auto* pFlyout = static_cast<JToolBar*>(m_arrFlyouts[i]))
            pFlyout->SetSizes(sizeButton, sizeImage);
}

void JToolBar::FollowFloatingShape(CSize size)
{
    m_sizeFloat = size;
    if (m_sizeButton.cx <= 0 || m_sizeButton.cy <= 0)
        return;
    const int columns = size.cx / m_sizeButton.cx;
    const int rows = size.cy / m_sizeButton.cy;
    const DWORD vertical = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
    const DWORD horizontal = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
    if ((m_dwStyle & vertical) && rows <= columns)
        SetBarStyle((m_dwStyle & ~vertical) | horizontal);
    else if (!(m_dwStyle & vertical) && columns < rows)
        SetBarStyle((m_dwStyle & ~horizontal) | vertical);
}

void JToolBar::OnSize(UINT nType, int cx, int cy)
{
    if (IsFloating() && !m_bIsFlyout)
        FollowFloatingShape(CSize(cx, cy));
    CToolBar::OnSize(nType, cx, cy);
}

LRESULT JToolBar::OnStyleChanged(WPARAM, LPARAM)
{
    if (IsFloating() && !m_bIsFlyout)
        FollowFloatingShape(CalcFixedLayout(FALSE, (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0));
    return Default();
}

void JToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    if (pManager && pManager->IsEnvironmentDirty()) {
        // Clear first: applying the settings moves windows, which comes back here.
        pManager->SetEnvironmentDirty(0);
        if (JControlOnlyInfo* pInfo = pManager->CurrentControlInfo())
            pInfo->UpdateToolbars(1);
    }
    CToolBar::OnWindowPosChanging(lpwndpos);
    if (!(lpwndpos->flags & SWP_NOMOVE) && GetParent()) {
        CRect old;
        GetWindowRect(old);
        GetParent()->ScreenToClient(old);
        GetParent()->InvalidateRect(old);
        PostMessage(WM_NCPAINT);
    }
}

void JToolBar::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd* pFloating = FloatingFrameOf(this);
    if (HostMode() && pFloating && !IsWindowVisible() && pFloating->IsWindowVisible() &&
        GetToolBarCtrl().GetButtonCount() == 0) {
        pFloating->ShowWindow(SW_HIDE);
        return;
    }
    CToolBar::OnActivateApp(bActive, dwThreadID);
}

void JToolBar::OnSysColorChange()
{
    CToolBar::OnSysColorChange();
    m_bColorReload = TRUE;
    ReloadBitmap(TRUE);
    m_bColorReload = FALSE;
}

void JToolBar::OnUpdateCommand(CCmdUI* pCmdUI)
{
    if (m_nAppearance == 1)
        m_bHotChanged = FALSE;
    pCmdUI->ContinueRouting();
}

BOOL JToolBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void JToolBar::OnPaint()
{
    // Paints often; the strip is rebuilt only when what it shows changed.
    ReloadBitmap();
    CToolBar::OnPaint();
    if (m_arrFlyouts.GetSize() == 0)
        return;
    CClientDC dc(this);
    for (int i = 0; i < (int)m_arrFlyouts.GetSize(); ++i)
        if (IsFlyout(i))
            DrawFlyoutSymbol(&dc, i);
}

void JToolBar::DrawFlyoutSymbol(CDC* pDC, int index)
{
    CRect rect;
    GetItemRect(index, rect);
    const bool pressed = (GetButtonStyle(index) & TBBS_PRESSED) != 0;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF black = RGB(0, 0, 0);
    CPoint anchor;
    // The line, then the arrow head as offsets from the anchor: shadow, black, shadow, black.
    CPoint lineEnd;
    CPoint head[4];
    if (m_dwStyle & CBRS_ALIGN_RIGHT) {
        anchor = CPoint(rect.left + 4, rect.bottom - (pressed ? 3 : 4));
        lineEnd = CPoint(0, -3);
        head[0] = CPoint(-1, 0), head[1] = CPoint(-1, -1), head[2] = CPoint(-1, -2), head[3] = CPoint(-2, -1);
    } else if (m_dwStyle & CBRS_ALIGN_LEFT) {
        anchor = CPoint(rect.right - (pressed ? 5 : 6), rect.bottom - (pressed ? 3 : 4));
        lineEnd = CPoint(0, -3);
        head[0] = CPoint(1, 0), head[1] = CPoint(1, -1), head[2] = CPoint(1, -2), head[3] = CPoint(2, -1);
    } else if (m_dwStyle & CBRS_ALIGN_TOP) {
        anchor = CPoint(rect.right - (pressed ? 5 : 6), rect.bottom - (pressed ? 5 : 6));
        lineEnd = CPoint(3, 0);
        head[0] = CPoint(0, 1), head[1] = CPoint(1, 1), head[2] = CPoint(2, 1), head[3] = CPoint(1, 2);
    } else {
        anchor = CPoint(rect.right - (pressed ? 5 : 6), rect.top + 4);
        lineEnd = CPoint(3, 0);
        head[0] = CPoint(0, -1), head[1] = CPoint(1, -1), head[2] = CPoint(2, -1), head[3] = CPoint(1, -2);
    }
    pDC->MoveTo(anchor.x, anchor.y);
    pDC->LineTo(anchor.x + lineEnd.x, anchor.y + lineEnd.y);
    for (int i = 0; i < 4; ++i)
        pDC->SetPixel(anchor.x + head[i].x, anchor.y + head[i].y, (i % 2) ? black : shadow);
}

void JToolBar::ShowWhenReady()
{
    if (!m_bDeferredShow) {
        KillTimer(kDeferredShowTimer);
        return;
    }
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (pInfo && pInfo->m_pAppInfo && !pInfo->m_pAppInfo->IsReady())
        return;
    ShowWindow(SW_SHOWNA);
    if (CFrameWnd* pFrame = GetDockingFrame()) {
        pFrame->ShowWindow(SW_SHOWNA);
        pFrame->RecalcLayout();
    }
    Invalidate();
    m_bDeferredShow = FALSE;
    KillTimer(kDeferredShowTimer);
}
