// Ribbon bars: a dialog bar that lays out its own controls (AutoDialogBar), the bar of section
// dialogs that the host and add-ins fill (JDialogBar, JSectionDlg), and the floating frame that
// sizes such a bar by rows of sections (JMiniDockFrameWnd).
#pragma once
#include "jdialogbar.h"

// The dialog bar messages of the colour and large-button settings.
enum : UINT {
    JDBM_COLORBUTTONCHANGE = WM_USER + 200,
    JDBM_LARGEBUTTONCHANGE = WM_USER + 201,
};

// A dialog bar with a name and automatic layout of its controls.
class CONTROL_CLASS AutoDialogBar : public CBaseDialogBar {
    DECLARE_DYNCREATE(AutoDialogBar)
public:
    AutoDialogBar();
    ~AutoDialogBar() override;

    using CBaseDialogBar::Create;
    // The library's empty bar template with the next free bar ID.
    BOOL Create(CWnd* pParentWnd, UINT nStyle, short nWord, char* lpszHelpFile, DWORD dwHelpContext);

    long GetBorderHeight() override { return m_nBorderHeight; }
    long GetBorderWidth() override { return m_nBorderWidth; }
    long GetDefaultBorder() override { return m_bNoBorder ? 0 : 4; }
    void SetNoBorder(BOOL b) { m_bNoBorder = (short)(b ? 1 : 0); }
    BOOL GetNoBorder() const { return m_bNoBorder != 0; }
    const GUserText& GetDialogBarName() const { return m_strBarName; }
    void SetDialogBarName(LPCSTR lpszName) { m_strBarName = lpszName ? lpszName : ""; }
    CString GetCaption() const;
    void SetCaption(LPCSTR lpszCaption);
    // Controls laid out automatically, in order.
    void AddControl(CWnd* pControl);
    void DeleteControl(CWnd* pControl);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // ---- fields, in declaration order ----
    GUserText m_strBarName;
    int m_nLayoutWidth = 0;   // the size of the last fixed layout
    int m_nLayoutHeight = 0;
    CPtrArray m_arrControls;   // CWnd*, not owned
    short m_nCreationWord = 0;
    short m_nPrevControlCount = 0;
    short m_bNoBorder = 0;
    int m_nBorderHeight = 0;
    int m_nBorderWidth = 0;

protected:
    afx_msg LRESULT OnDockContextGetSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorButtonChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLargeButtonChange(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// A section of a ribbon bar: a modeless child dialog the bar lays out in its rows.
class CONTROL_CLASS JSectionDlg : public CDialog {
    DECLARE_DYNAMIC(JSectionDlg)
public:
    explicit JSectionDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit JSectionDlg(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // OK and Cancel (Enter and Escape) come here; a section does nothing with them.
    virtual void OnOKCancel(UINT nID);
    // Destroys the window (the object goes with it).
    virtual void CleanUp();
    // Tab goes on to the bar.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnOK() override { OnOKCancel(IDOK); }
    void OnCancel() override { OnOKCancel(IDCANCEL); }
    void DoDataExchange(CDataExchange*) override {}
    void PostNcDestroy() override;
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// One section of a ribbon bar and the module its controls' resources come from.
struct DIALOG_INFO {
    HINSTANCE hResources;
    JSectionDlg* pDialog;
};

// The ribbon bar: rows of section dialogs after the bar's own controls. Its run-time class
// names CDialogBar as its base, so kind tests for CBaseDialogBar and AutoDialogBar are false
// for it: the frame, the toolbar manager and the context menu treat it as a kind of its own.
class CONTROL_CLASS JDialogBar : public AutoDialogBar {
    DECLARE_DYNAMIC(JDialogBar)
public:
    JDialogBar();
    ~JDialogBar() override;

    static constexpr SIZE kSmallButton{24, 22};
    static constexpr SIZE kLargeButton{32, 30};
    // "DockSite" values.
    enum : DWORD { kSiteTop = 1, kSiteBottom = 2, kSiteFloating = 5 };

    using AutoDialogBar::Create;
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID, int nUnused, char* lpszHelpFile,
                DWORD dwHelpContext);
    BOOL Create(CWnd* pParentWnd, UINT nStyle, short nWord, char* lpszHelpFile, DWORD dwHelpContext);

    // ---- sections ----
    // The section (which must have a window) becomes the bar's hidden child at index (-1:
    // appended). Returns the index; 0 for an index outside 0 ... count; the index given when
    // there is no section window. With bRecalc the bar and its frame are laid out again.
    int InsertDialog(JSectionDlg* pDialog, HINSTANCE hResources, int index, BOOL bRecalc);
    BOOL RemoveDialog(JSectionDlg* pDialog, BOOL bDelay);
    void RemoveAll(BOOL bDelay);
    int GetDialogCount() const { return (int)m_arrSections.GetSize(); }
    DIALOG_INFO* GetDialogInfo(int index) const;
    // Every child window is a section.
    BOOL IsEmpty();
    // A child of the bar or of a section was created or destroyed.
    void ChildrenChanged() { m_childLists.clear(); }

    // ---- sizes ----
    void SetButtonSize(SIZE size) { m_sizeButton = size; }
    CSize GetButtonSize() const { return m_sizeButton; }
    void SetHeight(int nHeight);
    int GetHeight();
    // Places the bar's own controls and the sections, in rows of m_nColumns when floating.
    void RecalcLayout(int nNoWrap = 0);
    // Lays out the non-dialog children of the bar or of a section in one row; their extent.
    CSize ResizeAndReposition(CWnd* pContainer, HINSTANCE hResources, BOOL bMove);
    // The bar's size with nColumns positions in its first row.
    CSize CalcFixedSize(int nColumns);
    // The columns a floating frame sized at pt by the border nHitTest gives.
    int ColumnsForPoint(CPoint pt, UINT nHitTest);
    int GetColumns() const { return m_nColumns; }
    int RowHeight() const { return m_nTopMargin + m_nBottomMargin + m_sizeButton.cy + 2; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    // The bar's controls are its own and its sections' rows (RecalcLayout).
    void UpdateControlsPosition(long cx, long cy, BOOL bResize) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- place and visibility ----
    UINT GetDockBarDlgCtrlID() const { return m_nDockBarID; }
    CPoint GetDockPoint() const { return m_ptDockOrigin; }
    CPoint GetFloatPoint() const { return m_ptFloatPos; }
    void SetDockPoint(CPoint pt) { m_ptDockOrigin = pt; }
    void StoreLastPosition();
    BOOL GetCustomVisible() const { return m_bCustomVisible; }
    void SetCustomVisible(BOOL bVisible);
    BOOL GetRememberVisibleState() const { return m_bRememberVisibleState; }
    void SetRememberVisibleState(BOOL b) { m_bRememberVisibleState = b; }
    long GetStateFlags() const { return m_lStateFlags; }
    void SetStateFlags(long l) { m_lStateFlags = l; }

    // ---- "Ribbonbars" ----
    BOOL OpenRegKey();
    BOOL WriteToRegistry();
    BOOL ReadFromRegistry();
    void CloseRegKey();

    // Moves the focus across the bar's controls and sections; TRUE when it moved.
    BOOL ProcessTab(BOOL bBackwards);

    // ---- fields, in declaration order ----
    CSize m_sizeButton = kSmallButton;
    int m_nCaptionWidth = 14;   // reserved at the left of a docked bar
    int m_nTopMargin = 3;
    int m_nBottomMargin = 3;
    int m_nGap = 3;        // between sections
    int m_nColumns = 1;    // sections per row when floating
    HINSTANCE m_hOwnResources;   // the bar's own controls' module
    CPtrArray m_arrSections;     // DIALOG_INFO*, owned, in display order
    HKEY m_hKey = nullptr;       // the open "Ribbonbars" key
    BOOL m_bCustomVisible = TRUE;
    BOOL m_bRememberVisibleState = FALSE;
    long m_lStateFlags = 0;
    short m_nRibbonWord = 0;      // the short argument of Create
    BOOL m_bShowPending = FALSE;  // a visible floating bar kept hidden until the host is ready
    BOOL m_bLayoutRead = FALSE;   // the stored place was looked for
    BOOL m_bInLayout = FALSE;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg LRESULT OnTrackSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChangeDockState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDockContextGetSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLargeButtonChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The host's special bar (appcore's special bar name).
    BOOL IsSpecialBar();
    // Reads the stored place once, before the first layout.
    void ApplyStoredPlace();
    void RecalcFrame(BOOL bDelay);

    // The children of the bar and of each section, kept between layouts: walking a window's
    // children costs a round trip to the window server per child. A list is walked again when
    // one of its windows was destroyed or moved elsewhere, when a child notifies its creation
    // or destruction, and when sections come or go.
    struct CachedChild {
        HWND hWnd;
        bool bDialog;        // a section, or another dialog
        bool bButtonClass;
    };
    struct ChildList {
        HWND hContainer;
        std::vector<CachedChild> children;
    };
    std::vector<ChildList> m_childLists;
    const std::vector<CachedChild>& ChildrenOf(HWND hContainer);
};

// The floating frame of the library's bars: it sizes, with its edges, the bars that do not
// size themselves, docks its bar on a caption double-click and hides it on close.
class CONTROL_CLASS JMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(JMiniDockFrameWnd)
public:
    JMiniDockFrameWnd() = default;

    using CMiniDockFrameWnd::Create;
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    // The sizing loop: the bar answers each cursor position with its size (JDBM_TRACKSIZE)
    // and is told the end (JDBM_RESIZE). Escape, a right click or a lost capture cancel it.
    virtual void DockWndTrackSize(CWnd* pBar, const CPoint& pt, UINT nHitTest);
    // The bar the frame's caption and close act on.
    CControlBar* GetActionBar() const;

protected:
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};
