#include "snappanel.h"

#include "snappanel_ids.h"

#include "dockareas.h"

CSnapPanel* CSnapPanel::Make(CFrameWnd* pFrame, UINT nID)
{
    auto* pBar = new CSnapPanel;
    if (!CreateSidePanel(pBar, pFrame, IDD_SNAP_PANEL, nID, "Snap")) {
        delete pBar;
        return nullptr;
    }
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
