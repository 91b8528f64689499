// CFrameWnd: a top-level frame that keeps the list of its control bars.
#pragma once
#include "afxcoll.h"
#include "afxwnd.h"

class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;

// The default floating alignment (also in afxext.h, with the other bar styles).
#define CBRS_ALIGN_TOP 0x2000L

class AFX_CORE_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;   // lets Windows choose position and size

    // The frame's control bars (CControlBar*), in the order they were added.
    CPtrList m_listControlBars;

    // Work the frame leaves for the next idle time (m_nIdleFlags).
    enum IdleFlags : UINT { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    UINT m_nIdleFlags = 0;

    CFrameWnd();
    ~CFrameWnd() override;

    using CWnd::Create;
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0);

    BOOL IsFrameWnd() const override { return TRUE; }
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    // Lays the frame out at the next idle time instead of now.
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);

    // The view (or other child) that sees commands before the frame; not owned.
    CWnd* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CWnd* pViewNew) { m_pViewActive = pViewNew; }

    // Accelerators translated by PreTranslateMessage; the frame owns a loaded table.
    BOOL LoadAccelTable(LPCSTR lpszResourceName);
    void SetAccelTable(HACCEL hAccel);
    HACCEL m_hAccelTable = nullptr;
    // Menu items whose command nobody handles are greyed when their pop-up opens.
    BOOL m_bAutoMenuEnable = TRUE;

    // Commands go to the active view, the frame, then the application object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The frames of this thread that exist, for idle updates of those outside the main window.
    static const CPtrList& GetFrameList();

protected:
    CWnd* m_pViewActive = nullptr;
    BOOL m_bOwnsAccelTable = FALSE;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;   // frames delete themselves

    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Runs delayed layout; command-UI updates of children come with their own handlers.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // Updates the items of a pop-up about to open through the command-UI handlers.
    afx_msg void OnInitMenuPopup(HMENU hPopupMenu, UINT nIndex, BOOL bSysMenu);

    // ---- Control bars and the message bar (barlayout.cpp) ----
public:
    UINT m_nIDHelp = 0;          // help context of the frame
    UINT m_nIDTracking = 0;      // command whose prompt the message bar shows
    UINT m_nIDLastMessage = 0;   // last string ID shown in the message bar
    BOOL m_bInRecalcLayout = FALSE;

    // The bar with this window ID among the frame's bars, or NULL.
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The window showing prompts: the status bar (pane 0), or NULL.
    virtual CWnd* GetMessageBar();
    // The prompt of a command: its string resource up to the first newline.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText); }
    void SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID); }

protected:
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    // Tooltip texts of bars: the part of the command's string after the newline.
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // ---- end of control bars ----

    // ---- Docking (framedock.cpp) ----
public:
    // The class of floating frames CreateFloatingFrame makes (a CMiniDockFrameWnd kind).
    const CRuntimeClass* m_pFloatingFrameClass = nullptr;

    // Makes the dock bars for the CBRS_ALIGN_ sides in dwDockStyle (top, bottom, left, right).
    void EnableDocking(DWORD dwDockStyle);
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // Docks pBar in the dock bar nDockBarID (0: the one of the bar's alignment), at lpRect (screen) if given.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats pBar in a floating frame whose top left is point (screen).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // Docks pBar back where it was (its placeholder), in pDockBar or the dock bar that holds the placeholder.
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    void ReDockBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr)
    {
        ReDockControlBar(pBar, pDockBar, lpRect);
    }
    // The style (among dwDockStyle) of a visible dock bar that rect (screen) meets, or 0.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // Sends WM_FLOATSTATUS to the floating frames this frame owns.
    void NotifyFloatingWindows(DWORD dwFlags);

protected:
    // Destroys the dock bars and floating frames (the bars in them go with them).
    void DestroyDockBars();
    afx_msg void OnDestroy();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    // ---- end of docking ----

    DECLARE_MESSAGE_MAP()
};
