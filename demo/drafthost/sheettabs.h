// The drawing area: the sheet with the control library's sheet tab bar under it, one tab
// per drawing sheet. The tabs scroll with their buttons, rename on a double-click or F2
// and offer inserting, renaming and deleting sheets on a right click; the bar's scroll
// bar scrolls the sheet.
#pragma once
#include "afxwin.h"

#include "jtabbar.h"

class CSheetView;

class CSheetArea : public CWnd {
public:
    // Creates the area as the frame's pane nID, with pSheet (not yet created) inside it.
    BOOL Create(CWnd* pFrame, UINT nID, CSheetView* pSheet);
    CJTabBar& TabBar() { return m_tabBar; }
    int SheetCount() const { return m_tabBar.GetItemCount(); }
    // The part of the tab bar that shows, in screen coordinates.
    CRect VisibleTabBar() const;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    DECLARE_MESSAGE_MAP()
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void AddSheet(LPCSTR lpszName, CJTab* pAfter);
    void ShowSheetMenu(CJTab* pTab, CPoint point);

    CSheetView* m_pSheet = nullptr;
    CJTabBar m_tabBar;
    int m_nNextSheet = 1;
};
