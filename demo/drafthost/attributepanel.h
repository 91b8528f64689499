// A panel of the library's attribute buttons, made from a dialog template that names
// their window classes: a colour button that drops the colour picker and shows the
// colour picked, a line-style button that drops a text list, an arrowhead button that
// drops the arrow list, and a colour combo box. The picks go to the status bar.
#pragma once
#include "afxext.h"
#include "jcolorpicker.h"
#include "jdropdown.h"

class CAttributePanel : public CDialogBar {
public:
    BOOL Create(CFrameWnd* pFrame, UINT nID);
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

protected:
    afx_msg LRESULT OnDropDown(WPARAM wParam, LPARAM lParam);
    afx_msg void OnColorPicked();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    JButton* Button(UINT nID);
    // The colour button's picture: a bar of the colour under a letter A.
    void ShowColor(COLORREF color);
    void Say(const CString& text);

    JColorPicker m_picker{"Demo"};
    COLORREF m_color = RGB(255, 0, 0);   // the colour the button shows
    JTextDropdown m_styles;
    JArrowDropdown m_arrows;
};
