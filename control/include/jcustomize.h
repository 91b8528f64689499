// Customization: the customize dialog (JCustomizeDlg), the host's main frame class
// (CCustomFrame), which routes prompts, tooltips and bar toggles and keeps the customize
// dialog in front, and the private messages between the frame, the dialog and its pages.
#pragma once
#include "afxdlg.h"
#include "afxext.h"
#include "afxpriv.h"
#include "controlapi.h"
#include "jbuttonspage.h"
#include "jmenupage.h"

#include <vector>

class CCategoryPtrList;
class JToolBar;

// The library's private window messages (values fixed).
enum : UINT {
    JCM_GETBUTTONSIZE = WM_USER + 58,          // to the frame; wParam command, lParam SIZE-sized output
    JCM_GETBITMAPINFO = WM_USER + 110,         // to the frame; wParam command, lParam JBitmapInfo output
    JCM_SETDIALOGACTIVE = WM_USER + 111,       // to the customize dialog; wParam the dialog's active flag
    JCM_DISPLAYCUSTOMIZE = WM_USER + 112,      // to the frame: open the customize dialog
    JCM_MENUCHANGED = WM_USER + 130,           // page -> sheet -> frame; lParam the new main menu
    JCM_ACCELERATORSCHANGED = WM_USER + 131,   // page -> sheet -> frame; lParam the new table or 0
    JCM_CUSTOMIZEDONE = WM_USER + 132,         // to the host: the customize dialog closed
};

// The multiple-document frame from which the host derives its main frame.
class CONTROL_CLASS CCustomFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CCustomFrame)
public:
    static constexpr UINT kHelpID = 0x20001;   // the frame's help identifier

    CCustomFrame();
    // Removes the current environment's categories.
    ~CCustomFrame() override;

    // Like EnableDocking, with the library's splitter dock bars; FALSE when one of them
    // cannot be made.
    BOOL SpecialEnableDocking(DWORD dwDockStyle);
    // Docks a bar; a ribbon bar given no dock bar and no place goes where it was stored,
    // and takes the button size of the large-buttons setting when docking changed it.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    using CFrameWnd::DockControlBar;

    // A command's prompt: the macro provider's, the command's string from its category's
    // module, the host's string module or the category's names; else the base class's.
    void GetMessageString(UINT nID, CString& rMessage) const override;
    // WM_SETMESSAGESTRING: bar IDs other than the status bar's show no prompt.
    LRESULT SetMessageString(WPARAM wParam, LPARAM lParam);
    // Run when a flyout of this frame's toolbars opens for the first time since it last closed.
    virtual void ActivateFlyoutCommands(JToolBar* pFlyout);
    // Takes the frame's toolbars out of its bar list.
    void RemoveToolBars();
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSetOrbelMessageString(WPARAM wParam, LPARAM lParam);
    // The text of a command as stored (prompt, newline, tip); FALSE when none was found.
    BOOL FindCommandText(UINT nID, CString& rText) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetBitmapInfo(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetButtonSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDisplayToolbarCustomize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAcceleratorsChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnToolbars();
    afx_msg void OnCustomize();
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The customize dialog's window while customization mode is on, else NULL.
    static HWND CustomizeDialog();
    static BOOL Customizing();
    // The bars' context menu for a right click on a bar, its frame or a dock bar.
    static BOOL IsToolbarMenuTarget(CWnd* pWnd);
    static void CloseDroppedComboBox(const MSG* pMsg);
};

// The customize dialog: a modeless sheet with the buttons page and (unless the host says
// otherwise) the menu page. While it is open the control state is in customization mode,
// the toolbars take button drags and the main frame's menu bar is grey. It deletes itself
// when its window goes. DisplayCustomizeDialog opens it.
class CONTROL_CLASS JCustomizeDlg : public CPropertySheet {
    DECLARE_DYNAMIC(JCustomizeDlg)
public:
    // The page selector and the last argument are not used: the dialog opens at the page
    // the frame last asked for.
    explicit JCustomizeDlg(CWnd* pParentWnd = nullptr, UINT iSelectPage = 0, UINT nUnused = 0);
    ~JCustomizeDlg() override;

    // Hands the pages what they edit: the frame's menu bar and accelerators and the
    // categories; stores the toolbars first if they were never stored.
    void Initialize(HMENU hMainMenu, HACCEL hAccel, CCategoryPtrList* pCategories);
    BOOL OnInitDialog() override;
    // F1 opens the active page's help; Escape closes the dialog; Ctrl+Z outside an edit
    // field undoes the last change made to the toolbars while the dialog is open.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The help context of a page's template.
    static DWORD HelpContextOf(UINT nIDTemplate);

    // ---- fields, in declaration order ----
    CButtonsPage m_buttonsPage;
    CMenuPage m_menuPage;
    BOOL m_bMenuPage = FALSE;            // the menu page was added
    BOOL m_bDialogActive = TRUE;         // last told by WM_ACTIVATEAPP or JCM_SETDIALOGACTIVE
    HFONT m_hButtonFont = nullptr;       // of the two buttons the dialog adds; owned
    std::vector<ACCEL> m_accelerators;   // working copy of the frame's accelerator table

protected:
    void PostNcDestroy() override;

    afx_msg void OnOK();
    afx_msg void OnCancel();
    afx_msg void OnHelp();
    afx_msg void OnClose();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    // Asked with FS_SYNCACTIVE by a floating frame being made while the dialog is in front:
    // the floating toolbars look active while the buttons page works on them.
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetDialogActive(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAcceleratorsChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The sheet's own buttons are not used by a modeless sheet: hidden, their row given up.
    void HideSheetButtons();
    BOOL AddButton(UINT nID, UINT nIDCaption, int x, int y);
    // Sends JCM_CUSTOMIZEDONE to the frame (and posts it to the main window when asked),
    // ends customization mode and destroys the window, which deletes this object.
    void EndCustomizing(BOOL bTellMainWindow);
    // A page's message handed on to the frame.
    LRESULT ForwardToFrame(UINT message, WPARAM wParam, LPARAM lParam);
    // Greys the main frame's menu bar while the dialog is open, and gives the items
    // their states back afterwards.
    void GreyMenuBar();
    void RestoreMenuBar();

    HMENU m_hGreyedMenu = nullptr;    // the menu bar greyed
    std::vector<UINT> m_menuStates;   // its items' states before
    BOOL m_bMenuReplaced = FALSE;     // a page put new items in the menu bar
    BOOL m_bEnded = FALSE;            // JCM_CUSTOMIZEDONE went out
};
