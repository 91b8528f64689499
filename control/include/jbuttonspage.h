// The buttons page of the customize dialog and the classes behind it: the
// palettes of a category's buttons, the list of macro files a macro button is
// dragged from, and the small dialog that picks the picture of a new button.
#pragma once
#include "jbars.h"
#include "jtspropertypage.h"

// A palette of one category's buttons on the buttons page, in rows of RowLength().
// A press on a button starts a copying drag of it onto the toolbars.
class CONTROL_CLASS JCustomToolbar : public JToolBar {
    DECLARE_DYNAMIC(JCustomToolbar)
public:
    // Makes the palette of these commands (separators left out) in the page's palette
    // host, owned by pOwner; FALSE (and nothing made) when it cannot be created.
    BOOL CreatePalette(CWnd* pHost, const UINT* lpIDArray, int nIDCount, CWnd* pOwner);
    // Buttons in a row: 7, or 5 with large buttons.
    static int RowLength();
    // The palette's buttons are not commands to run: none is ever greyed.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnPaint();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The page the prompts go to: the palette host's parent.
    CWnd* Page() const;
};

// The picture palette of JCustomButtonsDlg: the library's own pictures, then the
// pictures on the buttons of the environment's toolbars. A click selects one.
class CONTROL_CLASS JCustomButtonsToolbar : public JToolBar {
    DECLARE_DYNAMIC(JCustomButtonsToolbar)
public:
    ~JCustomButtonsToolbar() override;

    // Makes the palette in the dialog's palette host, in rows as wide as the host.
    BOOL CreatePalette(CWnd* pHost);
    int GetPictureCount() const { return m_nPictures; }
    // Selects a picture: its button shows checked and its image is copied.
    void SelectPicture(int index);

    HBITMAP m_hbmSelected = nullptr;   // a copy of the selected picture; owned
    int m_nSelected = -1;              // the selected button, -1 for none
    int m_nPictures = 0;               // buttons (and images) of the palette

protected:
    // The palette keeps the strip it was given: it is not rebuilt from the categories.
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The images offered, each of the toolbar's image size; the caller deletes them.
    void CollectPictures(std::vector<HBITMAP>& pictures);
    HBITMAP FittedCopy(HBITMAP hSource, int cx, int cy, const COLORREF* pKey);
};

// The dialog that picks the picture of a new button (template 224), shown below an
// anchor rectangle (a button, in screen coordinates), or above it when the screen
// ends below. After OK the picture is GetBitmap(); Cancel leaves none.
class CONTROL_CLASS JCustomButtonsDlg : public CDialog {
    DECLARE_DYNAMIC(JCustomButtonsDlg)
public:
    JCustomButtonsDlg(int left, int top, int right, int bottom, CWnd* pParent = nullptr);
    ~JCustomButtonsDlg() override;

    // Runs with the library's resource module current.
    INT_PTR DoModal() override;
    // The picture chosen (owned by the dialog), or NULL.
    HBITMAP GetBitmap() const { return m_hbmResult; }
    // The picture chosen, now the caller's.
    HBITMAP DetachBitmap();
    JCustomButtonsToolbar* GetPalette() const { return m_pPalette; }

    // ---- fields, in declaration order ----
    HBITMAP m_hbmResult = nullptr;                 // owned
    JCustomButtonsToolbar* m_pPalette = nullptr;   // deletes itself with its window
    CWnd m_wndHost;                                // the palette host
    CRect m_rectAnchor;                            // screen coordinates

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    void PlaceBelowAnchor();
};

// The macro button's toolbar of the buttons page: a child of the macro list that
// drags the selected macro file onto a toolbar as a new macro button.
class CONTROL_CLASS JMacroToolbar : public JToolBar {
    DECLARE_DYNAMIC(JMacroToolbar)
public:
    // Made in the macro list, without size: only its drags are seen.
    BOOL CreateInList(CWnd* pList, CWnd* pOwner);

    CPoint m_ptDrag{0, 0};   // where the drag started, in this toolbar's client coordinates

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The macro button dropped at a screen rectangle: made on the toolbar there, or
    // on a new floating toolbar on empty space; FALSE when nothing was made.
    BOOL DropMacroButton(const CString& strMacro, CRect rectDrop);
};

// The list of macro files of the buttons page: the files of the current directory
// matching the page's filter. A press on a file drags it as a macro button.
class CONTROL_CLASS JMacroListBox : public CListBox {
    DECLARE_DYNAMIC(JMacroListBox)
public:
    void SetToolbar(JMacroToolbar* pToolbar) { m_pToolbar = pToolbar; }
    JMacroToolbar* GetToolbar() const { return m_pToolbar; }
    // Lists the current directory's files that match the filter's patterns (those of
    // its first "(...)", from its first '*'; the library's macro filter when it has
    // none), each name once. The directory (lower case) goes to pDirText when given.
    void Fill(const char* lpszFilter, CWnd* pDirText);
    const CString& GetDirectory() const { return m_strDirectory; }
    // The full path of the selected file, or empty.
    CString GetSelectedPath() const;
    // Once a process: the macro host, given the host's value, makes its macro folder current.
    static void FindMacroDirectory();
    // The patterns of a filter, in order.
    static std::vector<CString> Patterns(const char* lpszFilter);

    // ---- fields, in declaration order ----
    JMacroToolbar* m_pToolbar = nullptr;   // a child window; deletes itself
    CString m_strDirectory;                // of the listed files, lower case

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// The first page of the customize dialog (template 136): the categories' palettes
// and the macro files, from which buttons are dragged onto toolbars. While it is
// the active page the control state is in customization mode.
class CONTROL_CLASS CButtonsPage : public CTsPropertyPage {
    DECLARE_DYNAMIC(CButtonsPage)
public:
    CButtonsPage();
    ~CButtonsPage() override;

    // A category offered on the page, its commands copied (none for a count below 1).
    // The category named by the library's custom buttons text, without commands,
    // offers the macro files.
    virtual void AddCategory(const char* lpszName, const UINT* lpIDArray, int nIDCount);
    // The palette of a category, made on its first showing; FALSE when it cannot be.
    virtual BOOL CreatePalette(int index);
    virtual void ShowPalette(int index, BOOL bShow);

    int GetCategoryCount() const { return (int)m_arrCategories.GetSize(); }
    // The palette of a category (a JCustomToolbar, or the macro list's JMacroToolbar), or NULL.
    JToolBar* GetPalette(int index) const;
    // The macro file filter of every buttons page of the process.
    static GUserText& MacroFilter();

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    // One per added category.
    struct Category {
        CString strName;
        CUIntArray ids;
        JToolBar* pPalette = nullptr;   // deletes itself with its window
    };

    // ---- fields, in declaration order ----
    CListBox m_listCategories;       // 1006
    JMacroListBox m_listMacros;      // 1017
    CWnd m_wndHost;                  // the palettes' parent, inside the palette frame 1018
    CPtrArray m_arrCategories;       // Category*; owned
    HFONT m_hPromptFont = nullptr;   // 1019 and 1020; owned

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSelChangeCategory();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    Category* CategoryAt(int index) const;
    BOOL IsMacroCategory(int index) const;
    // Shows the chosen category's palette (or the macro files) and hides the others.
    void ChooseCategory(int index);
    // Customization mode on or off, with the floating bars told.
    static void SetCustomizing(BOOL bOn);
};
