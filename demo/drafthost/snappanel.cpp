#include "snappanel.h"

#include "snappanel_ids.h"

CSnapPanel* CSnapPanel::Make(CFrameWnd* pFrame, UINT nID)
{
    auto* pBar = new CSnapPanel;
    if (!pBar->CBaseDialogBar::Create(pFrame, IDD_SNAP_PANEL, WS_CHILD | WS_VISIBLE | CBRS_LEFT, nID, 0, nullptr, 0)) {
        delete pBar;
        return nullptr;
    }
    pBar->m_bAutoDelete = TRUE;
    pBar->SetWindowText("Snap");
    pBar->SetShowCaption(TRUE);
    pBar->SetResizeable(TRUE);
    pBar->SetStretchToFitHorz(TRUE);
    pBar->SetStretchToFitVert(TRUE);
    pBar->m_nDockBarID = AFX_IDW_DOCKBAR_LEFT;   // where a double-click docks it back
    pBar->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    for (const int nID : {IDC_SNAP_GRID, IDC_SNAP_ENDPOINT})
        ::CheckDlgButton(pBar->m_hWnd, nID, BST_CHECKED);
    ::SetDlgItemTextA(pBar->m_hWnd, IDC_SNAP_SPACING, "10 mm");
    return pBar;
}

void CSnapPanel::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    // The check boxes are the bar's own: they stay enabled whatever the frame handles.
    UpdateDialogControls(pTarget, FALSE);
}
