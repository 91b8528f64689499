// The library's resizable dialog bar and the drag context it docks with.
#pragma once
#include "baseutil.h"
#include "controlapi.h"

#include <utility>
#include <vector>

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

    // A press that never leaves the drag distance moves nothing: the first click of a double
    // click on a floating frame lying over a dock area must not dock the bar there.
    void StartDrag(CPoint pt) override;
    void Move(CPoint pt) override;
    void EndDrag() override;

    // The bar's own orientation first (Shift flips it); the other one only when both outlines
    // pick the same dock bar, so that the outline does not flip back and forth.
    DWORD CanDock() override;
    using CDockContext::GetDockBar;
    // The dock bar the outline of the present orientation would dock in, or NULL.
    CDockBar* GetDockBar();

private:
    CPoint m_ptPressed;      // where the drag began (screen)
    BOOL m_bMoved = FALSE;   // the cursor has left the drag distance around it
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

// A frame's dock bar that, while it holds a visible resizable CBaseDialogBar, shows a splitter
// along its inner edge that sizes the whole dock area and splitters between neighbouring
// dialog bars that share the area among them.
class CONTROL_CLASS CSplitterDockBar : public CDockBar {
    DECLARE_DYNCREATE(CSplitterDockBar)
public:
    CSplitterDockBar();
    explicit CSplitterDockBar(int nCreation);
    ~CSplitterDockBar() override;

    // Hit codes: the outer edge of a top or bottom area (moves up and down), of a left or right
    // area (moves left and right), an inner splitter that moves up and down, any other.
    enum : int { kHitOuterHorz = 100, kHitOuterVert = 200, kHitInnerHorz = 300, kHitInnerVert = 400 };
    static constexpr int kEdge = 4;       // the outer splitter's thickness
    static constexpr int kSplitter = 6;   // an inner splitter's thickness

    // A splitter between two dialog bars: kind 2 lies between bars one above the other.
    struct SplitterInfo {
        short nKind;
        CRect rect;   // client coordinates
        CBaseDialogBar* pBefore;
        CBaseDialogBar* pAfter;
    };

    using CDockBar::Create;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // The hit code at a screen point, or 0; the splitter hit becomes the current one.
    int HitTest(CPoint point);
    // Adds a splitter record, reusing one left from an earlier layout.
    void AddSplitterInfo(short nKind, const CRect& rect, CBaseDialogBar* pBefore, CBaseDialogBar* pAfter);
    int GetSplitterCount() const { return m_nSplittersUsed; }
    const SplitterInfo* GetSplitterInfo(int index) const;
    // The last docked bar joins the row before it.
    void MergeLastDialogBar();
    // A 3-D rectangle filled with the face colour.
    virtual void OnDrawSplitter(CDC* pDC, const CRect& rect);
    // The sizing cursor of a hit code (others leave the cursor alone).
    void SetSplitCursor(int nHit);
    // Tracking a splitter: the mouse is captured and bars take no clicks meanwhile.
    void StartTracking(int nHit);
    void StopTracking();
    // Inverts a screen rectangle: the tracker drawn or erased.
    virtual void OnInvertTracker(const CRect& rect);
    // Shares a moved splitter's delta between the bars before and after it (nKind 1: their
    // widths, else their heights); neither falls below nMin. *pDelta is cut to what both allow;
    // *pSize, pBar's size, is grown or shrunk by it.
    void AdjustBars(CControlBar* pBar, int nKind, int nLengthBefore, int nLengthAfter, CBaseDialogBar* pBefore,
                    CBaseDialogBar* pAfter, CSize* pSize, long* pDelta);

    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    static constexpr int kMinBar = 25;   // a bar beside a splitter is never shorter
    static constexpr int kMinArea = 5;   // a sized area is never thinner
    static constexpr int kBorder = 5;    // the inner edge kept for the outer splitter

    // ---- fields, in declaration order ----
    DWORD m_dwDockStyle = 0;
    BOOL m_bSavedCustomizationMode = FALSE;
    BOOL m_bTracking = FALSE;
    BOOL m_bSizeFixed = FALSE;
    BOOL m_bSplittingEnabled = FALSE;
    int m_nCreation = 0;
    int m_nDragStartX = 0;
    int m_nDragStartY = 0;
    int m_nAreaWidth = 0;
    int m_nAreaHeight = 0;
    CRect m_rectTracker;
    int m_nVisibleBars = 0;   // visible resizable dialog bars, at the last layout
    int m_nHitCode = 0;
    CPtrArray m_arrSplitters;   // SplitterInfo*, owned; the first m_nSplittersUsed are in use
    int m_nSplittersUsed = 0;
    int m_nCurrentSplitter = -1;
    int m_nSplitterDelta = 0;
    BOOL m_bInnerSplitterMoved = FALSE;
    int m_nLastLayoutLength = -1;

protected:
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // Escape, or the capture taken away, ends tracking without sizing.
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The tracker at the start of tracking, and how far it has moved since (screen).
    CRect m_rectTrackStart;
    CPoint m_ptTrackOffset;
    // Each resizable bar's size at the last layout: the user's sizes stay across layouts.
    std::vector<std::pair<CControlBar*, CSize>> m_laidOut;
    // The tracker moved to the cursor, kept inside the frame's client area (screen).
    CPoint TrackOffset(CPoint point) const;
    // The outer splitter's strip in window coordinates (left, top, right, bottom of the area).
    CRect OuterEdge(const CRect& window) const;
    // Which side of the frame the area lies on, from the style given to Create.
    bool IsLeftArea() const { return (m_dwDockStyle & (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)) != 0; }
    bool IsRightArea() const { return (m_dwDockStyle & (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)) != 0; }
    bool IsBottomArea() const { return (m_dwDockStyle & (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)) != 0; }
    bool IsTopArea() const { return (m_dwDockStyle & (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)) != 0; }
};
