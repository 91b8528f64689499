// A panel of the library's date, time and undo controls: a date and a time field, and
// Undo and Redo buttons that drop the library's undo list of the demo's recent actions
// (commands chosen, dates and times stepped). The demo draws nothing: undoing only
// moves actions from one list to the other and says so in the status bar.
#pragma once
#include "afxext.h"
#include "jfieldcontrol.h"

#include <vector>

class CUndoPanel : public CDialogBar {
public:
    BOOL Create(CFrameWnd* pFrame, UINT nID);
    // An action the Undo button can take back; it ends what Redo could bring again.
    void Record(const CString& action);

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnUndo();
    afx_msg void OnRedo();
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

private:
    // Drops the undo list under a button and moves the chosen actions from one list to the other.
    void DropList(UINT nButtonID, std::vector<CString>& from, std::vector<CString>& to, BOOL bUndo);
    // Places a field right of its label, centred in the bar's height.
    BOOL PlaceField(CFieldControl& field, UINT nLabelID, UINT nID);
    void Say(const CString& text);

    CDateControl m_date;
    CTimeControl m_time;
    std::vector<CString> m_done;     // oldest first
    std::vector<CString> m_undone;   // the last undone last
};
