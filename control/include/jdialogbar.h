// The library's resizable dialog bar and the drag context it docks with.
#pragma once
#include "baseutil.h"
#include "controlapi.h"

// The private messages of dialog bars and their floating frames.
enum : UINT {
    JDBM_TRACKSIZE = WM_USER + 103,         // lParam: JDBTRACKINFO*; the bar fills in the rectangle
    JDBM_CHANGEDOCKSTATE = WM_USER + 104,   // docked bars float, floating bars dock
    JDBM_RESIZE = WM_USER + 105,            // lParam: JDBTRACKINFO*; the sizing ended there
    JDBM_GETDOCKSIZE = WM_USER + 135,       // lParam: SIZE* that receives the bar's size
};

// What a floating frame being sized tells its bar: the cursor (screen), the rectangle the
// bar answers with, and the border being dragged.
struct JDBTRACKINFO {
    POINT pt;
    RECT rect;
    UINT nHitTest;
};

// The drag context of the library's bars.
class CONTROL_CLASS JDockContext : public CDockContext {
public:
    explicit JDockContext(CControlBar* pBar);
    ~JDockContext() override;

    // Sizing a floating frame from one of its corners (not dragging, not an edge).
    BOOL IsSizingFromCorner() const;

    // A corner sizes both ways, the opposite corner held; edges as the framework sizes them.
    void Stretch(CPoint pt) override;
};

// A dialog bar that can be sized, draws a caption strip when docked, lays its controls out
// in a row or a column and switches between docked and floating on request.
class CONTROL_CLASS CBaseDialogBar : public CDialogBar {
    DECLARE_DYNCREATE(CBaseDialogBar)
public:
    CBaseDialogBar();
    ~CBaseDialogBar() override;

    // The caption strip's height, and the dock states HasStateChanged tells apart.
    static constexpr int kCaptionHeight = 14;
    enum : int { kStateFloating = 1, kStateHorz = 2, kStateVert = 3 };

    using CDialogBar::Create;
    // The integer argument is not used. The bar is registered with the control state
    // whether or not its window could be made.
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID, int nUnused, char* lpszHelpFile,
                DWORD dwHelpContext);

    // ---- virtual operations, in slot order ----
    virtual void EnableDocking(DWORD dwDockStyle);
    virtual long GetBorderHeight() { return 0; }
    virtual long GetBorderWidth() { return 0; }
    virtual long GetDefaultBorder() { return 0; }
    // Places the children from the top-left border in z-order, in a row or a column; with
    // bResize, ActiveX children are told the bar's inside size ("ResizeLayout").
    virtual void UpdateControlsPosition(long cx, long cy, BOOL bResize);
    virtual void SetActive(BOOL bActive);
    // ActiveX children are told to show or hide ("Show").
    virtual void SendShowStateToControls(BOOL bShow);

    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL GetResizeable() const { return m_bResizeable; }
    void SetResizeable(BOOL bResizeable);
    BOOL GetGripperBar() const { return m_bGripper; }
    void SetGripperBar(BOOL bGripper);
    BOOL GetStretchToFitHorz() const { return m_bStretchToFitHorz; }
    void SetStretchToFitHorz(BOOL b) { m_bStretchToFitHorz = b; }
    BOOL GetStretchToFitVert() const { return m_bStretchToFitVert; }
    void SetStretchToFitVert(BOOL b) { m_bStretchToFitVert = b; }
    BOOL GetShowCaption() const { return m_bShowCaption; }
    void SetShowCaption(BOOL b) { m_bShowCaption = b; }
    BOOL GetAddControlsToRight() const { return m_bAddControlsToRight; }
    void SetAddControlsToRight(BOOL b) { m_bAddControlsToRight = b; }
    // Whether the dock state changed since the last reset or someone marked the state changed;
    // bReset starts over from the current state.
    BOOL HasStateChanged(BOOL bReset);
    long GetWidth();
    long GetHeight();
    // Docked: the bar joins the row before it in its dock bar.
    void MergeLastDialogBar();

    // The caption strip in client coordinates (what is drawn when docked with a caption).
    CRect GetCaptionRect();
    // The process-wide caption font.
    static HFONT CaptionFont();

    // ---- fields, in declaration order ----
    BOOL m_bGripper;
    BOOL m_bResizeable = FALSE;
    BOOL m_bStretchToFitHorz = FALSE;
    BOOL m_bStretchToFitVert = FALSE;
    BOOL m_bShowCaption = FALSE;
    BOOL m_bAddControlsToRight = FALSE;
    BOOL m_bStateChanged = FALSE;
    BOOL m_bActive = FALSE;
    CSize m_sizeFloat{0, 0};
    CSize m_sizeTrack{0, 0};
    int m_nLastDockState = 0;
    CString m_strHelpFile;
    int m_nFrameTopBorder = 3;   // the floating frame's metrics
    int m_nFrameMinWidth;
    int m_nFrameMinHeight;
    int m_nFrameCaption;
    int m_nFrameSideBorder = 3;
    UINT m_nDockBarID = AFX_IDW_DOCKBAR_TOP;   // where to dock when asked to
    BOOL m_bFloating = FALSE;                  // floated by a dock-state change
    CPoint m_ptFloatPos{-1, -1};               // -1: not known yet
    CPoint m_ptDockOrigin{-1, -1};
    GUserText m_strEnvironment;                // the environment the bar was created in
    CRect m_rectLastFrame;                     // the frame window's rectangle at the last paint
    BOOL m_bUnlisted = FALSE;                  // kept out of the toolbar context menu and the toolbar manager
    JDockContext* m_pJDockContext = nullptr;   // owned; also the bar's dock context

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnStyleChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnChangeDockState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDockWndTrackSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDockContextGetSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    // For derived bars: a hidden floating bar does not leave its frame showing in host mode.
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    DECLARE_MESSAGE_MAP()

private:
    // The floating frame around the bar's floating dock bar, or NULL.
    CWnd* MiniFrame();
    // The floating size, or the template's size while the floating size is empty.
    CSize FloatingSize();
    CFrameWnd* DockingFrameOfCall();
    void PaintCaption(CDC* pDC);
};
