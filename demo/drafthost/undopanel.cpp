#include "undopanel.h"

#include "afxframe.h"
#include "jundolist.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CUndoPanel, CDialogBar)
    ON_BN_CLICKED(IDC_HISTORY_UNDO, OnUndo)
    ON_BN_CLICKED(IDC_HISTORY_REDO, OnRedo)
END_MESSAGE_MAP()

BOOL CUndoPanel::Create(CFrameWnd* pFrame, UINT nID)
{
    if (!CDialogBar::Create(pFrame, IDD_HISTORY_PANEL, WS_VISIBLE | CBRS_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY, nID))
        return FALSE;
    SetWindowText("History");
    EnableDocking(CBRS_ALIGN_BOTTOM | CBRS_ALIGN_TOP);
    return PlaceField(m_date, IDC_HISTORY_DATE_LABEL, IDC_HISTORY_DATE) &&
           PlaceField(m_time, IDC_HISTORY_TIME_LABEL, IDC_HISTORY_TIME);
}

BOOL CUndoPanel::PlaceField(CFieldControl& field, UINT nLabelID, UINT nID)
{
    CRect label;
    GetDlgItem((int)nLabelID)->GetWindowRect(&label);
    ScreenToClient(&label);
    if (!field.Create(label.right + 2, 0, WS_VISIBLE | WS_TABSTOP | FCS_3DBORDER, this, nID))
        return FALSE;
    CRect rect;
    field.GetWindowRect(&rect);
    field.SetWindowPos(nullptr, label.right + 2, (m_sizeDefault.cy - rect.Height()) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CUndoPanel::Record(const CString& action)
{
    m_done.push_back(action);
    m_undone.clear();
}

void CUndoPanel::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    // The frame handles none of the panel's items: the panel enables its own buttons.
    CDialogBar::OnUpdateCmdUI(pTarget, FALSE);
    GetDlgItem(IDC_HISTORY_UNDO)->EnableWindow(!m_done.empty());
    GetDlgItem(IDC_HISTORY_REDO)->EnableWindow(!m_undone.empty());
}

void CUndoPanel::OnUndo()
{
    DropList(IDC_HISTORY_UNDO, m_done, m_undone, TRUE);
}

void CUndoPanel::OnRedo()
{
    DropList(IDC_HISTORY_REDO, m_undone, m_done, FALSE);
}

void CUndoPanel::DropList(UINT nButtonID, std::vector<CString>& from, std::vector<CString>& to, BOOL bUndo)
{
    CUndoList list;
    if (from.empty() || !list.Create(m_pDockSite ? (CWnd*)m_pDockSite : this, bUndo, 8))
        return;
    for (auto it = from.rbegin(); it != from.rend(); ++it)
        list.m_list.AddString(*it);
    list.m_list.SetSel(0);
    CRect button;
    GetDlgItem((int)nButtonID)->GetWindowRect(&button);
    if (!list.DisplayList(button.left, button.bottom, button.Height()))
        return;
    const int count = list.m_list.GetSelCount();
    for (int i = 0; i < count && !from.empty(); ++i) {
        to.push_back(from.back());
        from.pop_back();
    }
    // With nothing left to take, this button goes grey and a grey window loses the focus:
    // the keyboard's focus moves on to the other button, which now has something.
    CWnd* pButton = GetDlgItem((int)nButtonID);
    CWnd* pOther = GetDlgItem(bUndo ? IDC_HISTORY_REDO : IDC_HISTORY_UNDO);
    if (from.empty() && !to.empty() && ::GetFocus() == pButton->m_hWnd) {
        pOther->EnableWindow(TRUE);
        SendMessage(WM_NEXTDLGCTL, (WPARAM)pOther->m_hWnd, TRUE);
    }
    CString text;
    text.Format(bUndo ? "%d action(s) undone (the demo draws nothing)" : "%d action(s) redone (the demo draws nothing)",
                count);
    Say(text);
}

BOOL CUndoPanel::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    CString text;
    if (pHeader->code == FCN_CORRECTED) {
        Say("That date does not exist: the nearest one is shown");
    } else if (pHeader->code == FCN_CHANGED && wParam == IDC_HISTORY_DATE) {
        int month, day, year;
        m_date.GetDate(month, day, year);
        text.Format("Date set to %d-%02d-%02d", year, month, day);
    } else if (pHeader->code == FCN_CHANGED && wParam == IDC_HISTORY_TIME) {
        int hour, minute;
        m_time.GetTime(hour, minute);
        text.Format("Time set to %02d:%02d", hour, minute);
    } else {
        return CDialogBar::OnNotify(wParam, lParam, pResult);
    }
    if (!text.IsEmpty()) {
        Record(text);
        Say(text);
    }
    *pResult = 0;
    return TRUE;
}

void CUndoPanel::Say(const CString& text)
{
    if (m_pDockSite)
        m_pDockSite->SetMessageText(text);
}
