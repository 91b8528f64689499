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
    enum IdleFlags : UINT { idleNotify = 4, idleLayout = 8 };
    UINT m_nIdleFlags = 0;

    // Paused (calls nest: each pause needs its resume), the frame's bars keep their buttons and
    // panes as they are: idle time skips their command-UI updates, delayed layouts still run.
    void PauseCommandUI(BOOL bPause) { m_nCommandUIPauses += bPause ? 1 : (m_nCommandUIPauses > 0 ? -1 : 0); }
    BOOL IsCommandUIPaused() const { return m_nCommandUIPauses > 0; }

private:
    int m_nCommandUIPauses = 0;   // PauseCommandUI(TRUE) calls not yet resumed

public:
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

    // Accelerators translated by PreTranslateMessage; the frame owns a loaded table.
    BOOL LoadAccelTable(LPCSTR lpszResourceName);
    void SetAccelTable(HACCEL hAccel);
    HACCEL m_hAccelTable = nullptr;
    // Menu items whose command nobody handles are greyed when their pop-up opens.
    BOOL m_bAutoMenuEnable = TRUE;

    // Commands go to the frame, then the application object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The frames of this thread that exist, for idle updates of those outside the main window.
    static const CPtrList& GetFrameList();

protected:
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
    // Puts the visible floating frames this frame owns back on top, in their order.
    void RaiseFloatingFrames();

protected:
    // Destroys the dock bars and floating frames (the bars in them go with them).
    void DestroyDockBars();
    afx_msg void OnDestroy();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRaiseFloating(WPARAM wParam, LPARAM lParam);
    // Tries left to raise the floating frames while a window of this program stays above them.
    UINT m_nRaiseTries = 0;
    // The FS_SHOW/FS_HIDE and FS_ENABLE/FS_DISABLE parts of a WM_FLOATSTATUS.
    void ApplyFloatStatus(WPARAM wParam);
    // ---- end of docking ----

    // ---- Default accelerators, the active frame and help (mdi.cpp, bartips.cpp) ----
public:
    // The accelerators PreTranslateMessage translates: m_hAccelTable here.
    virtual HACCEL GetDefaultAccelerator();
    // The frame whose commands come first: this one; an MDI frame's active child.
    virtual CFrameWnd* GetActiveFrame();

protected:
    // WM_HELPHITTEST: HID_BASE_RESOURCE + m_nIDHelp, 0 when the frame has no help context.
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    // ---- end of default accelerators ----

    DECLARE_MESSAGE_MAP()
};

// ---- MDI frames (mdi.cpp) ----
class CMDIChildWnd;
class CCreateContext;

// A frame whose client is the system's MDI client window, holding CMDIChildWnd frames.
// Commands go to the active child first, then to this frame, then to the application.
class AFX_CORE_API CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    HWND m_hWndMDIClient = nullptr;   // window ID AFX_IDW_PANE_FIRST: the frame's layout places it
    HMENU m_hMenuDefault = nullptr;   // the frame's menu when no child brings its own

    // Makes the MDI client; pWindowMenu is the pop-up that lists the children (may be NULL).
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, class CMenu* pWindowMenu);
    // The pop-up of a menu bar that holds the window commands (ID_WINDOW_*), or NULL.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child (NULL when none, or when it is not a framework child).
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate) { ClientSend(WM_MDIACTIVATE, (WPARAM)AfxGetSafeHwnd(pWndActivate)); }
    void MDIIconArrange() { ClientSend(WM_MDIICONARRANGE); }
    void MDIMaximize(CWnd* pWnd) { ClientSend(WM_MDIMAXIMIZE, (WPARAM)AfxGetSafeHwnd(pWnd)); }
    void MDIRestore(CWnd* pWnd) { ClientSend(WM_MDIRESTORE, (WPARAM)AfxGetSafeHwnd(pWnd)); }
    void MDINext() { ClientSend(WM_MDINEXT, 0, 0); }
    void MDIPrev() { ClientSend(WM_MDINEXT, 0, 1); }
    void MDICascade() { ClientSend(WM_MDICASCADE); }
    void MDICascade(int nType) { ClientSend(WM_MDICASCADE, (WPARAM)nType); }
    void MDITile() { ClientSend(WM_MDITILE); }
    void MDITile(int nType) { ClientSend(WM_MDITILE, (WPARAM)nType); }
    // Replaces the menu bar and the window pop-up (NULL keeps either); returns the old menu bar.
    class CMenu* MDISetMenu(class CMenu* pFrameMenu, class CMenu* pWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    // The active child's own table when it has one, else the frame's.
    HACCEL GetDefaultAccelerator() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Keys: the MDI system keys (Ctrl+F4, Ctrl+F6), then the default accelerators.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Called while the frame is created: the client, with the menu bar's window pop-up.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    LRESULT ClientSend(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWndMDIClient, message, wParam, lParam);
    }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Puts the frame's own menu back: a child's menu bar is not the frame's to destroy.
    afx_msg void OnDestroy();
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// A frame inside an MDI frame's client. Its accelerators are translated by the MDI frame.
class AFX_CORE_API CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    // The menu bar the MDI frame shows while this child is active (NULL: the frame's own).
    HMENU m_hMenuShared = nullptr;

    using CWnd::Create;
    // Made by the MDI client (WM_MDICREATE); pParentWnd NULL means the main window.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // The menu bar (kept in m_hMenuShared) and accelerators this child brings; not owned.
    void SetHandles(HMENU hMenu, HACCEL hAccel);

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    // Goes through the MDI client, which keeps the window list and menus right.
    BOOL DestroyWindow() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
// ---- end of MDI frames ----
