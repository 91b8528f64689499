#include "layerpanel.h"

#include "layerpanel_ids.h"

#include "dockareas.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CLayerPanel, CBaseDialogBar)
    ON_COMMAND(IDC_LAYER_NEW, OnNewLayer)
END_MESSAGE_MAP()

CLayerPanel* CLayerPanel::Make(CFrameWnd* pFrame, UINT nID)
{
    auto* pBar = new CLayerPanel;
    if (!CreateSidePanel(pBar, pFrame, IDD_LAYER_PANEL, nID, "Layers")) {
        delete pBar;
        return nullptr;
    }
    for (const char* name : {"0 Default", "1 Walls", "2 Doors", "3 Furniture", "4 Dimensions", "5 Notes"})
        ::SendDlgItemMessageA(pBar->m_hWnd, IDC_LAYER_LIST, LB_ADDSTRING, 0, (LPARAM)name);
    ::SendDlgItemMessageA(pBar->m_hWnd, IDC_LAYER_LIST, LB_SETCURSEL, 1, 0);
    return pBar;
}

void CLayerPanel::UpdateControlsPosition(long cx, long cy, BOOL bResize)
{
    // The list takes the bar's width and what the button leaves of its height.
    CWnd* pList = GetDlgItem(IDC_LAYER_LIST);
    CWnd* pButton = GetDlgItem(IDC_LAYER_NEW);
    if (pList && pButton && cx > 0 && cy > 0) {
        CRect button;
        pButton->GetWindowRect(button);
        const int caption = IsFloating() ? 0 : kCaptionHeight;
        pList->SetWindowPos(nullptr, 0, 0, (int)cx, std::max(20, (int)cy - caption - button.Height()),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CBaseDialogBar::UpdateControlsPosition(cx, cy, bResize);
}

void CLayerPanel::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    // The button is the bar's own: it stays enabled whatever the frame handles.
    UpdateDialogControls(pTarget, FALSE);
}

void CLayerPanel::OnNewLayer()
{
    CString name;
    name.Format("%d Layer", (int)::SendDlgItemMessageA(m_hWnd, IDC_LAYER_LIST, LB_GETCOUNT, 0, 0));
    const LRESULT index = ::SendDlgItemMessageA(m_hWnd, IDC_LAYER_LIST, LB_ADDSTRING, 0, (LPARAM)(LPCSTR)name);
    ::SendDlgItemMessageA(m_hWnd, IDC_LAYER_LIST, LB_SETCURSEL, (WPARAM)index, 0);
}
