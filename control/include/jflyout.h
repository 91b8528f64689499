// JFlyout: the small toolbar that pops up beside a toolbar button held down (or
// opened from the keyboard); the command picked takes the button's place.
#pragma once
#include "jbars.h"

class JFlyoutHost;

class CONTROL_CLASS JFlyout : public JToolBar {
    DECLARE_DYNAMIC(JFlyout)
public:
    JFlyout();
    ~JFlyout() override;

    using JToolBar::Create;
    // Makes the hidden pop-up that holds the flyout, owned by the frame, and the
    // flyout toolbar in it, laid out in a column when bVertical.
    BOOL Create(CWnd* pFrame, int bVertical);
    // Shows the flyout beside button `index` of pParent and runs it until a pick
    // or a cancel: the command picked, or -1.
    int DisplayFlyout(CToolBar* pParent, int index);
    // The same from the keyboard: the mouse is not taken, the arrows move and
    // the parent button's own command starts out selected.
    int DisplayFlyoutFromKeyboard(CToolBar* pParent, int index);
    // Gives a button its tip text unless it has one.
    void SetToolTip(UINT nID);

    // Where the flyout of a button opens, as the side of the button it leaves
    // from: CBRS_ALIGN_TOP opens downward, _BOTTOM upward, _LEFT to the right,
    // _RIGHT to the left. May turn the flyout and give its new size.
    DWORD GetFlyOutDirection(CToolBar* pParent, int index, CSize* pSize);

    CWnd* GetPopupHost() const;
    int m_nSelection = -1;                // the highlighted button while open
    BOOL m_bCommandsActivated = FALSE;    // the frame activated the commands since the last close
    JToolBar* m_pParentBar = nullptr;     // the toolbar whose slot holds this flyout

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnCancelMode();
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    friend class JFlyoutHost;
    int Run(CToolBar* pParent, int index, BOOL bKeyboard);
    void AdjustFly(CToolBar* pParent, int index);
    void SetOrientation(BOOL bHorz);
    BOOL IsHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
    void DrawButton(int index, UINT nState);
    void Select(int index);
    void MoveSelection(int step);
    void CancelFlyout();
    void TellFrame(UINT nID);

    JFlyoutHost* m_pHost = nullptr;   // owned; deletes itself with its window
    BOOL m_bCancelled = FALSE;        // the loop is to end without a pick
    BOOL m_bRunning = FALSE;
};
