// Dialogs: CDialog (modal and modeless), dialog data exchange, and the common dialogs.
#pragma once
#include <commdlg.h>

#include <string>
#include <vector>

#include "afxctrls.h"
#include "afxwnd.h"

class CDialog;

// The state of one UpdateData pass. Nothing throws: a failed field marks the
// exchange failed, the remaining DDX/DDV calls do nothing, and UpdateData
// returns FALSE with the focus on the failing control.
class AFX_CORE_API CDataExchange {
public:
    BOOL m_bSaveAndValidate;   // TRUE: controls -> members
    CWnd* m_pDlgWnd;           // the dialog (or any window holding the controls)
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control with this ID; NULL when missing (which fails the exchange) and once the
    // exchange has failed, so that the failed control stays the one the focus goes to.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Marks the exchange failed: tells the user why (when a prompt is given),
    // then puts the focus on the last prepared control. Only the first failure counts.
    void Fail(LPCSTR lpszPrompt = nullptr);
    BOOL HasFailed() const { return m_bFailed; }

private:
    BOOL m_bFailed = FALSE;
};

AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// Check box state: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
AFX_CORE_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Subclasses the control with rControl the first time.
AFX_CORE_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
AFX_CORE_API void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
AFX_CORE_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

class AFX_CORE_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    UINT m_nIDHelp = 0;   // help context

    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modal: IDOK, IDCANCEL or EndDialog's code; -1 when the template or window could not be made.
    // Templates are looked up in the current resource module, then in the application.
    virtual INT_PTR DoModal();

    // Modeless. End a modeless dialog with DestroyWindow; EndDialog (and so the
    // default OnOK/OnCancel) destroys it too rather than merely hiding it.
    using CWnd::Create;
    BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // The module the template came from; the dialog's controls load their resources from it.
    HINSTANCE GetTemplateModule() const { return m_hTemplateModule; }

    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)AfxGetSafeHwnd(pWndCtrl), TRUE); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands the dialog does not handle go on to its owner, then to the thread's object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Called by the dialog procedure once the controls exist; returns TRUE to
    // let the system set the focus. The default loads the controls (UpdateData(FALSE)).
    virtual BOOL OnInitDialog();
    // Default: UpdateData(TRUE), then EndDialog(IDOK) unless validation failed.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    LPCSTR m_lpszTemplateName = nullptr;   // resource name, or MAKEINTRESOURCE(id)
    CWnd* m_pParentWnd = nullptr;
    HINSTANCE m_hTemplateModule = nullptr;

    virtual void DoDataExchange(CDataExchange* pDX);
    // The window that owns a modal dialog: the top-level window of the parent, else the main window.
    HWND GetModalOwner() const;
    // Creates the window from a template (modeless, hidden unless it says WS_VISIBLE).
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HWND hWndOwner, HINSTANCE hInst);

    afx_msg void OnClose();
    // WM_HELPHITTEST: HID_BASE_RESOURCE + m_nIDHelp, 0 without a help context.
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strTemplateName;   // owns m_lpszTemplateName when it is a name
    BOOL m_bModal = FALSE;       // inside DoModal
};

// Common dialogs run the system's own modal loop; DoModal returns IDOK or IDCANCEL.
class AFX_CORE_API CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
};

class AFX_CORE_API CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    OPENFILENAMEA m_ofn{};

    // lpszFilter: pairs "Description|pattern|", ending with "|" ("Text (*.txt)|*.txt|All|*.*||").
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

    CString GetPathName() const { return CString(m_ofn.lpstrFile); }
    CString GetFileName() const;    // name with extension
    CString GetFileExt() const;     // extension without the dot
    CString GetFileTitle() const;   // name without extension
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

protected:
    BOOL m_bOpenFileDialog;

private:
    std::string m_strFilter;   // NUL-separated, as the system wants it
    CString m_strDefExt;
    char m_szFileName[MAX_PATH] = {};
    char m_szFileTitle[MAX_PATH] = {};
};

class AFX_CORE_API CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    CHOOSECOLORA m_cc{};

    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The 16 custom colours, shared by every colour dialog of the process.
    static COLORREF* GetSavedCustomColors();
};

// ---- property sheets (propsheet.cpp, propertypage.cpp) ----
// The system's property sheet with the framework's objects on it. Modal sheets run the
// framework's modal loop (pre-translation and idle work go on; temporaries live through it).

class CPropertySheet;

// One page of a sheet: a child dialog made from its template when first shown. Its data
// exchange runs when the page is left (OnKillActive) and when it is shown again (OnSetActive).
class AFX_CORE_API CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    PROPSHEETPAGEA m_psp{};   // filled when the sheet is made; derived classes may add flags

    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);

    // Marks the page changed (the sheet's Apply button comes on) or unchanged.
    void SetModified(BOOL bChanged = TRUE);
    // Turns the sheet's Cancel button into Close after a change that cannot be undone.
    void CancelToClose();

    // Default: loads the controls from the members, except on the first activation (OnInitDialog did).
    virtual BOOL OnSetActive();
    // Default: stores the controls into the members; FALSE (a field failed) keeps the page up.
    virtual BOOL OnKillActive();
    // OK or Apply accepted the page. Default: nothing (the data were exchanged on OnKillActive).
    void OnOK() override;
    // The sheet was cancelled. Default: nothing.
    void OnCancel() override;
    // Default: OnOK, TRUE. FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // Default: OnCancel.
    virtual void OnReset();
    // Default: TRUE (the sheet may be cancelled).
    virtual BOOL OnQueryCancel();

    // The page's keys go to the sheet, which moves between pages and buttons.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CString m_strCaption;   // the tab's text; the template's caption when empty

    // The sheet's PSN_* notifications, mapped onto the virtual functions above.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    friend class CPropertySheet;
    // Fills m_psp: the template (from m_hTemplateModule when a derived class set it, else the
    // current resource module, else the program), the caption and the dialog procedure that
    // attaches this object to its window. FALSE without a template.
    BOOL PreparePage();

    BOOL m_bFirstSetActive = TRUE;   // OnInitDialog loaded the controls already
};

class AFX_CORE_API CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    PROPSHEETHEADERA m_psh{};   // derived classes may add flags (PSH_*) before the sheet is made

    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // Pages are not owned. Added to a sheet on screen, a page gets its tab at once.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;   // -1 when not on this sheet
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCSTR lpszText, UINT nStyle = 0);
    // The sheet's tab control (a temporary object); NULL before the sheet is made.
    CTabCtrl* GetTabControl() const;
    // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, PSBTN_HELP...
    BOOL PressButton(int nButton);

    // Modal: IDOK or IDCANCEL (or EndDialog's code); -1 when the sheet could not be made.
    virtual INT_PTR DoModal();
    // Modeless. dwStyle (DWORD)-1: a visible pop-up with caption, system menu and help button.
    // OK, Cancel and closing destroy a modeless sheet.
    using CWnd::Create;
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    // Ends a modal sheet with nEndID; destroys a modeless one.
    void EndDialog(int nEndID);

    // Called once the sheet and its first page exist. Default: TRUE.
    virtual BOOL OnInitDialog();
    // Keys go to the sheet's dialog manager (Tab, Ctrl+Tab, mnemonics, Enter, Escape).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnInitDialogMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Makes the system's sheet without showing it modally: PSH_MODELESS, pages from m_pages.
    BOOL CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle);
    // Ends a modeless sheet whose OK, Cancel or close left it without a page.
    void DestroyIfEnded();
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_psps;   // the pages' records while the sheet is being made
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    UINT m_nStartPage = 0;
    BOOL m_bModal = FALSE;       // inside DoModal
    DWORD m_dwCreateStyle = 0;   // for the pre-create callback
    DWORD m_dwCreateExStyle = 0;
};
