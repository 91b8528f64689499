// Dialogs: CDialog (modal and modeless), dialog data exchange, and the common dialogs.
#pragma once
#include <commdlg.h>

#include <string>

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
