// Control bars: toolbars and status bars along a frame's sides, laid out by the frame.
#pragma once
#include <vector>
#include "afxcmdui.h"
#include "afxframe.h"
#include "afxgdi.h"

class CDockBar;
class CDockContext;
class CMiniDockFrameWnd;

// Bar styles (CControlBar::m_dwStyle), kept apart from the window style.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// CalcDynamicLayout modes.
#define LM_STRETCH 0x01    // stretch across the frame (fixed layouts)
#define LM_HORZ 0x02       // horizontal, else vertical
#define LM_MRUWIDTH 0x04   // use the most recently used floating width
#define LM_HORZDOCK 0x08   // docked horizontally
#define LM_VERTDOCK 0x10   // docked vertically
#define LM_LENGTHY 0x20    // nLength is a height, not a width
#define LM_COMMIT 0x40     // keep the result (the floating width)

#define ID_SEPARATOR 0

// Toolbar button styles: the control's style in the low word, its state in the high word.
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)   // set when the control's ENABLED state is not
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)

// Status bar pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000   // takes the width the other panes leave

// WM_SIZEPARENT: each bar takes its side of rect, shrinks it and moves itself through hDWP.
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;        // NULL when only asking for sizes
    RECT rect;        // the space left, in parent client coordinates
    SIZE sizeTotal;   // the bars' total extent
    BOOL bStretch;    // bars stretch across the whole side
};

// Moves hWnd to rect within the layout's deferred positioning (or at once without one).
AFX_CORE_API void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

class AFX_CORE_API CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;
    ~CControlBar() override;

    // Bar style (CBRS_), separate from the window style.
    DWORD m_dwStyle = 0;
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_nMRUWidth = 32767;   // most recently used floating width (LM_MRUWIDTH)
    BOOL m_bAutoDelete = FALSE;

    enum StateFlags : UINT { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags = 0;

    // Docking (the frame that lays the bar out, the dock bar holding it, its drag context).
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;
    DWORD m_dwDockStyle = 0;

    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    // Shrinks a window rectangle to the area inside the borders and gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // The bar's size when docked (bStretch: across the whole side).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The bar's size for an LM_ mode; nLength is the whole bar's requested width (height with
    // LM_LENGTHY), borders included, or -1.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Updates the bar's items from pTarget's command-UI handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // Tips and the fly-by prompt use OnToolHitTest: the bar's child windows unless overridden.

    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);

    void EnableDocking(DWORD dwDockStyle);
    // In a floating dock bar (or, outside any dock bar, styled CBRS_FLOATING).
    BOOL IsFloating() const;
    virtual BOOL IsDockBar() const { return FALSE; }
    // Visible, counting a pending delayed show or hide.
    BOOL IsVisible() const;
    int GetCount() const { return m_nCount; }
    CFrameWnd* GetDockingFrame() const;
    // Shows or hides at the frame's next layout.
    void DelayShow(BOOL bShow);
    // Applies a pending delayed show or hide; returns the window style after it.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    int m_nCount = 0;             // items (buttons, panes)
    INT_PTR m_nFlyByHit = -1;     // item whose prompt the message bar shows
    BOOL m_bFlyByTimer = FALSE;   // watching for the cursor to leave

    BOOL IsHorzBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // Borders and gripper, in window coordinates of pDC.
    void DrawNonClient(CDC* pDC);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // Borders and gripper in the non-client area.
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    // The fly-by prompt follows the mouse and a timer.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // WM_HELPHITTEST (bartips.cpp): HID_BASE_COMMAND + the item's command, else HID_BASE_CONTROL + the bar's ID.
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // ---- Docking (dockbar.cpp) ----
public:
    // Makes the drag context of EnableDocking; bars with their own kind of dragging override it.
    virtual CDockContext* CreateDockContext();
    // A floating bar goes with its floating frame.
    BOOL DestroyWindow() override;

protected:
    // A press on the bar's own space (not an item) starts a drag, a double click toggles docking.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    // ---- end of docking ----

private:
    void TrackFlyBy(CPoint point);
    void CheckFlyBy();
    void SetFlyByPrompt(INT_PTR nHit);
};

// A status bar over the common status control; pane 0 is the frame's message bar.
class AFX_CORE_API CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();

    using CWnd::Create;
    using CWnd::CreateEx;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // dwCtrlStyle: the control's own styles (SBARS_SIZEGRIP).
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per ID, showing the ID's string resource; ID_SEPARATOR is a pane that stretches.
    // FALSE when a string is missing (the pane is still made).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct Pane {
        UINT nID;
        UINT nStyle;
        int cxText;
        CString strText;
    };
    std::vector<Pane> m_panes;

    // Sends the pane widths (and texts) to the control.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    int TextWidth(LPCSTR lpszText) const;

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The common toolbar control.
class AFX_CORE_API CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddBitmap(int nNumButtons, UINT nBitmapID)
    {
        TBADDBITMAP tbab = {AfxGetResourceHandle(), nBitmapID};
        return (int)SendMessage(TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&tbab);
    }
    int AddBitmap(int nNumButtons, HBITMAP hBitmap)
    {
        TBADDBITMAP tbab = {nullptr, (UINT_PTR)hBitmap};
        return (int)SendMessage(TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&tbab);
    }
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
    {
        return (BOOL)SendMessage(TB_ADDBUTTONSA, (WPARAM)nNumButtons, (LPARAM)lpButtons);
    }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton)
    {
        return (BOOL)SendMessage(TB_INSERTBUTTONA, (WPARAM)nIndex, (LPARAM)lpButton);
    }
    BOOL DeleteButton(int nIndex) { return (BOOL)SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const
    {
        return (BOOL)SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)lpButton);
    }
    int GetButtonCount() const { return (int)SendMessage(TB_BUTTONCOUNT); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return (BOOL)SendMessage(TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
    }
    BOOL SetButtonSize(CSize size) { return (BOOL)SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    BOOL SetBitmapSize(CSize size) { return (BOOL)SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    CSize GetButtonSize() const
    {
        const DWORD size = (DWORD)SendMessage(TB_GETBUTTONSIZE);
        return CSize(LOWORD(size), HIWORD(size));
    }
    UINT CommandToIndex(UINT nID) const { return (UINT)SendMessage(TB_COMMANDTOINDEX, nID); }
    BOOL SetState(int nID, UINT nState) { return (BOOL)SendMessage(TB_SETSTATE, (WPARAM)nID, MAKELPARAM(nState, 0)); }
    int GetState(int nID) const { return (int)SendMessage(TB_GETSTATE, (WPARAM)nID); }
    BOOL EnableButton(int nID, BOOL bEnable = TRUE)
    {
        return (BOOL)SendMessage(TB_ENABLEBUTTON, (WPARAM)nID, MAKELPARAM(bEnable, 0));
    }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE)
    {
        return (BOOL)SendMessage(TB_CHECKBUTTON, (WPARAM)nID, MAKELPARAM(bCheck, 0));
    }
    BOOL PressButton(int nID, BOOL bPress = TRUE)
    {
        return (BOOL)SendMessage(TB_PRESSBUTTON, (WPARAM)nID, MAKELPARAM(bPress, 0));
    }
    BOOL HideButton(int nID, BOOL bHide = TRUE)
    {
        return (BOOL)SendMessage(TB_HIDEBUTTON, (WPARAM)nID, MAKELPARAM(bHide, 0));
    }
    BOOL IsButtonEnabled(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONENABLED, (WPARAM)nID); }
    BOOL IsButtonChecked(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONCHECKED, (WPARAM)nID); }
    BOOL IsButtonPressed(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONPRESSED, (WPARAM)nID); }
    BOOL IsButtonHidden(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONHIDDEN, (WPARAM)nID); }
    BOOL SetButtonInfo(int nID, TBBUTTONINFOA* ptbbi)
    {
        return (BOOL)SendMessage(TB_SETBUTTONINFOA, (WPARAM)nID, (LPARAM)ptbbi);
    }
    int GetButtonInfo(int nID, TBBUTTONINFOA* ptbbi) const
    {
        return (int)SendMessage(TB_GETBUTTONINFOA, (WPARAM)nID, (LPARAM)ptbbi);
    }
    HIMAGELIST SetImageList(HIMAGELIST hImageList)
    {
        return (HIMAGELIST)SendMessage(TB_SETIMAGELIST, 0, (LPARAM)hImageList);
    }
    HIMAGELIST GetImageList() const { return (HIMAGELIST)SendMessage(TB_GETIMAGELIST); }
    int SetHotItem(int nHot) { return (int)SendMessage(TB_SETHOTITEM, (WPARAM)nHot); }
    int GetHotItem() const { return (int)SendMessage(TB_GETHOTITEM); }
    int HitTest(LPPOINT pPoint) const { return (int)SendMessage(TB_HITTEST, 0, (LPARAM)pPoint); }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
    void SetRows(int nRows, BOOL bLarger, LPRECT lpRect)
    {
        SendMessage(TB_SETROWS, MAKEWPARAM(nRows, bLarger), (LPARAM)lpRect);
    }
    int GetRows() const { return (int)SendMessage(TB_GETROWS); }
    HWND GetToolTips() const { return (HWND)SendMessage(TB_GETTOOLTIPS); }
    void SetToolTips(HWND hWndToolTip) { SendMessage(TB_SETTOOLTIPS, (WPARAM)hWndToolTip); }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return (DWORD)SendMessage(TB_SETEXTENDEDSTYLE, 0, (LPARAM)dwExStyle); }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(TB_GETEXTENDEDSTYLE); }
    void SetButtonStructSize(int nSize) { SendMessage(TB_BUTTONSTRUCTSIZE, (WPARAM)nSize); }
};

// A toolbar: the toolbar control as a bar, with MFC's button styles and layouts.
class AFX_CORE_API CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};

    using CWnd::Create;
    using CWnd::CreateEx;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);

    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // Sets the top and bottom borders so the docked bar is cyHeight high.
    void SetHeight(int cyHeight);
    BOOL LoadBitmap(UINT nIDResource);
    // Takes ownership of the bitmap, a row of m_sizeImage images.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // Buttons in order, images numbered along; a NULL array makes nIDCount separators.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // As above, each button added with its state (TBSTATE_*, row break included) in
    // one go; a NULL lpStates gives every button TBSTATE_ENABLED.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount, const BYTE* lpStates);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void GetButtonText(int nIndex, CString& rString) const { rString = GetButtonText(nIndex); }
    // The same window seen as the control (the wrapper holds no state of its own).
    CToolBarCtrl& GetToolBarCtrl() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    HBITMAP m_hbmImageWell = nullptr;
    BOOL m_bImagesAdded = FALSE;
    // The borders m_nMRUWidth was measured with: the buttons keep their rows when the
    // bar's borders change (a bar laid out before it floats gains a floating bar's).
    int m_cxMRUInsets = 0;

    TBBUTTON GetButton(int nIndex) const;
    void SetButtonState(int nIndex, BYTE fsStyle, BYTE fsState);
    // Gives the buttons the fresh styles and states when they are the same buttons; false when they are not.
    bool ResetButtons(const std::vector<TBBUTTON>& buttons);
    // Widths of the buttons as laid out in one row (0 for hidden ones), and which are separators.
    // buttons: every button as the control holds it (one look at each serves the whole layout).
    void MeasureItems(const std::vector<TBBUTTON>& buttons, std::vector<int>& widths,
                      std::vector<bool>& separators) const;
    // Sets TBSTATE_WRAP so rows are at most nWidth wide (0: one per row; <0: one row).
    // buttons follow the states given.
    void WrapButtons(std::vector<TBBUTTON>& buttons, const std::vector<int>& widths,
                     const std::vector<bool>& separators, int nWidth);
    // Extent of the laid-out buttons, without borders.
    CSize ButtonsExtent(const std::vector<TBBUTTON>& buttons) const;
    CSize CalcLayout(DWORD dwMode, int nLength);

    afx_msg void OnPaint();
    // Draws pressed buttons, and leaves the notification to the parent and owner too.
    afx_msg BOOL OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// ---- Docking: dock bars, floating mini frames and the drag context ----

// CMiniFrameWnd styles (in the window style's class-specific low word).
#define MFS_SYNCACTIVE 0x00000100L     // follows the activation of its owner
#define MFS_4THICKFRAME 0x00000200L    // sized by its sides only, not its corners
#define MFS_THICKFRAME 0x00000400L     // has a sizing border
#define MFS_MOVEFRAME 0x00000800L      // its border moves it instead of sizing it
#define MFS_BLOCKSYSMENU 0x00001000L   // the caption does not open the system menu

// The bars docked along one side of a frame, or in a floating frame. m_arrBars holds the bars
// in rows: entry 0 is always NULL and a NULL entry ends each row. A bar that floated away
// leaves its window ID behind (a value below 0x10000) so that it can come back to its row.
class AFX_CORE_API CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    BOOL m_bFloating;
    CPtrArray m_arrBars;
    CRect m_rectLayout;   // the space the frame's layout offers, empty outside a layout
    BOOL m_bLayoutQuery = FALSE;

    using CWnd::Create;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Docks pBar here: with a screen rectangle at the row and place it points at, else in a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes pBar out, leaving its ID as a placeholder when nAddPlaceHolder is 1; -1 keeps old placeholders.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Removes the placeholder of pBar (a bar, or its ID as a pointer).
    void RemovePlaceHolder(CControlBar* pBar);
    // Docks pBar back at its placeholder (or at lpRect when it has none).
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // The bar at nPos, or NULL for a row end or a placeholder.
    CControlBar* GetDockedControlBar(int nPos) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The entry equal to pBar (a bar or a placeholder) other than nPosExclude, or -1.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    void ShowAll(BOOL bShow);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL IsDockBar() const override { return TRUE; }

protected:
    // Inserts pBar in the row holding ptMid (client coordinates) after the bars left of rect;
    // a hidden bar by the near edge of rect (see Insert).
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid, BOOL bHidden = FALSE);
    // Gives pBar this dock bar's alignment and borders and hides it while it moves here;
    // TRUE when it was visible (Took shows it again).
    BOOL PrepareToTake(CControlBar* pBar);
    // Records pBar as docked here and shows it again when it was visible.
    void Took(CControlBar* pBar, BOOL bShow);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A frame with a small caption: a tool window.
class AFX_CORE_API CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;

    using CFrameWnd::Create;
    BOOL Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = nullptr,
                UINT nID = 0) override;
    // Grows a client rectangle by a mini frame's border and small caption.
    static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION, DWORD dwExStyle = 0);

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    // As small as its contents: no room is kept for the caption's text.
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    DECLARE_MESSAGE_MAP()
};

// The floating frame of docked bars: one floating dock bar as its only child.
class AFX_CORE_API CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    ~CMiniDockFrameWnd() override;

    CDockBar m_wndDockBar;

    using CMiniFrameWnd::Create;
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    // The first bar of the dock bar, or NULL.
    CControlBar* GetFirstBar() const;

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// Drags a bar between dock bars and floating frames, toggles its docking and sizes its floating frame.
class AFX_CORE_API CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    // It holds the screen's DC while a drag runs.
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    UINT m_uMRUDockID = 0;     // the dock bar the bar was last docked in
    CRect m_rectMRUDockPos;    // its rectangle there, in the dock bar's client coordinates
    DWORD m_dwMRUFloatStyle;   // the style it last floated with
    CPoint m_ptMRUFloatPos;    // where its floating frame last was (x < 0: never floated)

    // Drag state.
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz, m_rectDragVert;             // docking outlines
    CRect m_rectFrameDragHorz, m_rectFrameDragVert;   // floating outlines
    DWORD m_dwDockStyle = 0;                          // where the bar may dock
    DWORD m_dwOverDockStyle = 0;                      // where it would dock now (0: it would float)
    DWORD m_dwStyle = 0;                              // the bar's alignment when the drag began
    BOOL m_bFlip = FALSE;                             // Shift: the other orientation
    BOOL m_bForceFrame = FALSE;                       // Control: float, never dock
    CDC* m_pDC = nullptr;                             // the desktop, for the outline
    BOOL m_bDragging = FALSE;                         // dragging, else sizing
    BOOL m_bTracking = FALSE;                         // Track's loop runs (m_pBar NULL: the bar is gone)
    int m_nHitTest = 0;                               // the border being dragged when sizing
    CRect m_rectRequestedSize, m_rectActualSize, m_rectActualFrameSize, m_rectFrameBorders;

    virtual void StartDrag(CPoint pt);
    virtual void Move(CPoint pt);
    virtual void EndDrag();
    virtual void CancelDrag();
    virtual void OnKey(int nChar, BOOL bDown);
    virtual void ToggleDocking();

    virtual void StartResize(int nHitTest, CPoint pt);
    virtual void Stretch(CPoint pt);
    virtual void EndResize();

    // Runs the drag loop until the button is released (TRUE) or the drag is cancelled.
    virtual BOOL Track();
    // The docking style the outline would dock with now, or 0.
    virtual DWORD CanDock();
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    void UpdateState(BOOL* pFlag, BOOL bNewValue);
    CDockBar* GetDockBar(DWORD dwOverDockStyle);

protected:
    void InitLoop();
    void CancelLoop();

private:
    // The messages of a drag: 1 when the button was released, 0 when cancelled, -1 when the
    // capture or the bar went away.
    int TrackLoop(HWND hWndBar);
};

// ---- Dialog bars (dialogbar.cpp) ----
// A bar made from a dialog template: its controls report to the owner frame and are
// updated from the frame's command-UI handlers; Tab and the arrow keys move between them.
class AFX_CORE_API CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();

    // The template's size in pixels; the docked bar adds its borders around it.
    CSize m_sizeDefault;

    using CWnd::Create;
    // The template is looked up through AfxFindResourceHandle; the window is a child of pParentWnd
    // whatever the template says, shown when nStyle has WS_VISIBLE. nStyle also holds the CBRS_ styles.
    virtual BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LPCSTR m_lpszTemplateName = nullptr;   // MAKEINTRESOURCE or m_strTemplateName

    // The controls exist; FALSE keeps the focus where it was (a bar never takes it at creation).
    afx_msg LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strTemplateName;
};
// ---- end of dialog bars ----
