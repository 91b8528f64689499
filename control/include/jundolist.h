// The pop-up list under an undo or redo button: the user picks how many of the
// most recent actions to undo or redo in one go. The selection is always the first
// k rows (the k most recent actions); a status line under the list says how many.
//
//     CUndoList list;
//     list.Create(pFrame, TRUE, 8);
//     for (...) list.m_list.AddString(action);     // most recent first
//     if (list.DisplayList(x, y, buttonHeight))
//         Undo(list.m_list.GetSelCount());
#pragma once
#include "controlapi.h"

class CONTROL_CLASS CUndoList : public CWnd {
    DECLARE_DYNAMIC(CUndoList)
public:
    CUndoList();
    ~CUndoList() override;

    // A hidden pop-up owned by the parent's window; bUndo picks the undo texts of the
    // status line (else the redo texts). Non-zero on success.
    BOOL Create(CWnd* pParent, BOOL bUndo, int nVisibleRows);
    // Shows the pop-up at (x, y) in screen pixels, or above the anchor (a button
    // anchorHeight tall whose bottom is y) when it would cross the screen's bottom,
    // and runs until the user accepts (1: read m_list's selection count) or cancels (0).
    int DisplayList(int x, int y, int anchorHeight);

    CListBox m_list;   // the host fills it before DisplayList (ID 1)

protected:
    // The row under a screen point (any x inside the pop-up), or -1.
    int HitRow(CPoint screen) const;
    // Selects rows 0..last (none when last is -1), the rest deselected.
    void SelectPrefix(int last);
    // The selection for the mouse at a screen point, or an autoscroll.
    void SelectRows(CPoint screen);
    void ProcessArrowKeys(UINT nKey, LPARAM lParam);
    // Hides the pop-up and releases the mouse.
    void Cleanup();
    void StartAutoscroll(int state);
    void StopAutoscroll();
    void InvalidateStatus() { InvalidateRect(&m_statusRect, FALSE); }
    CString StatusText() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    enum : int { kIdle = -3, kScrollingDown = -2, kScrollingUp = -1 };

    int m_nVisibleRows = 0;    // rows the list shows without scrolling
    HFONT m_hFont = nullptr;   // owned
    CRect m_statusRect;        // client coordinates of the status line
    CString m_strPrevStatus;   // the status text drawn last
    int m_nAutoscroll = kIdle;
    int m_nMarginX = 2;
    int m_nMarginY = 2;
    BOOL m_bUndo = TRUE;   // status texts of undo (else redo)
};
