// The sheet tab bar: a strip of tabs along one edge of a drawing window, one tab per
// sheet, with one active tab, an optional multiple selection, four scroll buttons, an
// optional scroll bar sharing the strip at an adjustable ratio, renaming through a small
// dialog and notifications to the parent.
#pragma once
#include "baseutil.h"
#include "controlapi.h"
#include "jimage.h"

class CJTabBar;
class CJTabList;

// Bar styles. The low four bits are the alignment: the edge of the parent the bar lies on.
enum : DWORD {
    JTBS_BOTTOM = 0x0001,
    JTBS_RIGHT = 0x0002,
    JTBS_TOP = 0x0004,
    JTBS_LEFT = 0x0008,
    JTBS_ALIGNMASK = 0x000F,
    JTBS_SHEETTABS = 0x0100,     // tabs are CJSheetTabs
    JTBS_SECTIONTABS = 0x0200,   // tabs are CJSectionTabs
    JTBS_EDITLABELS = 0x0400,    // a double-click on the active tab and F2 rename it through CJTabDlg
};

// Tab states: an active tab is also selected.
enum : UINT { JTIS_SELECTED = 0x0001, JTIS_ACTIVE = 0x0002 };

// WM_NOTIFY codes sent to the parent (JTBNOTIFY).
enum : UINT {
    JTBN_SELCHANGING = 1,   // a click on a tab that is not active, before anything changes; non-zero cancels
    JTBN_SELCHANGED = 2,    // the selection or the active tab changed
    JTBN_HOLD = 3,          // the left button has been held on a tab for 450 ms
    JTBN_DBLCLK = 4,        // double-click on the active tab
    JTBN_RCLICK = 5,        // right click on a tab, after any activation
    JTBN_RENAMED = 6,       // the active tab took a new name from the name dialog
};

// The scroll buttons' command identifiers; identifier & 7 is the ScrollDirection.
enum : UINT { ID_JTB_SCROLLFIRST = 5377, ID_JTB_SCROLLPREV = 5378, ID_JTB_SCROLLNEXT = 5379, ID_JTB_SCROLLLAST = 5380 };
// The scroll bar's and the splitter's child identifiers.
enum : UINT { ID_JTB_SCROLLBAR = 5381, ID_JTB_SPLITTER = 5382 };

enum ScrollDirection { JTB_SCROLLFIRST = 1, JTB_SCROLLPREV = 2, JTB_SCROLLNEXT = 3, JTB_SCROLLLAST = 4 };
enum _JTB_EDGEOFFSET { JTB_OFFSETLEFT = 0, JTB_OFFSETTOP = 1, JTB_OFFSETRIGHT = 2, JTB_OFFSETBOTTOM = 3 };

// The host's view of a tab. GetItem copies the name and a NUL into pszText (nothing when
// pszText is NULL): the whole name when cchTextMax is not positive, as hosts that leave it
// unset expect, else at most cchTextMax - 1 characters. SetItem and InsertItem read
// pszText up to its NUL (an empty name for NULL) and never read cchTextMax.
struct _JTB_ITEM {
    UINT state;
    LPWSTR pszText;
    int cchTextMax;
    LPARAM lParam;
};

// Where a point of the bar's client area lies.
enum : UINT {
    JTHT_NOWHERE = 0x0000,
    JTHT_ONTAB = 0x0001,
    JTHT_ONBUTTONS = 0x0002,
    JTHT_ONSPLITTER = 0x0004,
    JTHT_ONSCROLLBAR = 0x0008,
    JTHT_INTABAREA = 0x0010,   // in the tab area, on no tab
};
struct _JTB_HITTESTINFO {
    POINT pt;     // in: bar client coordinates
    UINT flags;   // out: JTHT_*
};

// lParam of the bar's WM_NOTIFY; wParam is the bar's control identifier.
struct JTBNOTIFY {
    NMHDR hdr;
    class CJTab* pTab;
    POINT pt;   // bar client coordinates
};

// One tab: a four-cornered shape along the bar holding a name.
class CONTROL_CLASS CJTab : public CObject {
    DECLARE_DYNAMIC(CJTab)
public:
    CJTab(CJTabBar* pOwner, CJTabList* pList, int nSlant = 8);
    ~CJTab() override;
    CJTab(const CJTab&) = delete;
    CJTab& operator=(const CJTab&) = delete;

    CJTabBar* GetOwner() const { return m_pOwner; }
    CJTabList* GetList() const { return m_pList; }
    UINT GetState() const { return m_nState; }
    void SetState(UINT nState) { m_nState = nState & (JTIS_SELECTED | JTIS_ACTIVE); }
    BOOL IsSelected() const { return (m_nState & JTIS_SELECTED) != 0; }
    BOOL IsActive() const { return (m_nState & JTIS_ACTIVE) != 0; }
    const GUserText& GetText() const { return m_strText; }
    // Takes the name and measures the tab's length from it with the bar's font.
    void SetText(LPCSTR lpszText);
    LPARAM GetData() const { return m_lParam; }
    void SetData(LPARAM lParam) { m_lParam = lParam; }
    POSITION GetPosition() const { return m_position; }
    void SetPosition(POSITION position) { m_position = position; }
    int GetSlant() const { return m_nSlant; }

    // Bar client coordinates.
    const CRect& GetRect() const { return m_rect; }
    void SetRect(const CRect& rect);
    // Its extent along the bar, from its name.
    int GetLength() const { return m_nLength; }
    // Start along the bar (x of a horizontal bar, y of a vertical one).
    int GetStart() const;
    int GetEnd() const { return GetStart() + m_nLength; }
    // Places the tab at a start along the bar, across the whole bar thickness.
    void PlaceAt(int nStart, int nThickness);

    // The four corners of the outline (the inset variant for the inner fill).
    void GetOutline(POINT points[4], BOOL bInset) const;
    // The exact shape, made on demand from the outline; NULL when it cannot be made.
    CRgn* GetRegion();
    // Inside its rectangle and its shape, or inside its rectangle shortened by half the overlap.
    BOOL HitTest(CPoint point);

    virtual void Draw(CDC* pDC);

protected:
    virtual COLORREF GetFillColor() const;

    CJTabBar* m_pOwner;              // the bar
    CJTabList* m_pList;              // the list holding the tab
    UINT m_nState = 0;               // JTIS_*
    GUserText m_strText;             // the label
    LPARAM m_lParam = 0;             // the host's value
    CRect m_rect;                    // bar client coordinates
    CRgn m_region;                   // the outline's shape, made when first hit-tested after a move
    POSITION m_position = nullptr;   // the tab's node in the list
    int m_nSlant;                    // how far the sides lean in
    int m_nLength = 0;               // along the bar
};

class CONTROL_CLASS CJSheetTab : public CJTab {
    DECLARE_DYNAMIC(CJSheetTab)
public:
    CJSheetTab(CJTabBar* pOwner, CJTabList* pList) : CJTab(pOwner, pList, 8) {}
};

// A tab of a section of a sheet: leans more and is filled a shade lighter.
class CONTROL_CLASS CJSectionTab : public CJTab {
    DECLARE_DYNAMIC(CJSectionTab)
public:
    CJSectionTab(CJTabBar* pOwner, CJTabList* pList) : CJTab(pOwner, pList, 10) {}

protected:
    COLORREF GetFillColor() const override;
};

// The bar's tabs in order. Owns them: deleting the list deletes them.
class CONTROL_CLASS CJTabList : public CObList {
    DECLARE_DYNAMIC(CJTabList)
public:
    CJTabList();
    ~CJTabList() override;
    CJTabList(const CJTabList&) = delete;
    CJTabList& operator=(const CJTabList&) = delete;

    CJTab* TabAt(POSITION position) { return static_cast<CJTab*>(GetAt(position)); }
    // The index of a tab of this list, or -1.
    int IndexOf(const CJTab* pTab) const;
    BOOL Contains(const CJTab* pTab) const { return IndexOf(pTab) >= 0; }
    void DeleteAll();

    int GetOverlap() const { return m_nOverlap; }
    void SetOverlap(int nOverlap) { m_nOverlap = nOverlap; }
    COLORREF GetBackColor() const;   // the tab area's fill
    void SetBackColor(COLORREF crBack) { m_crBack = crBack; }
    // The font the tabs are measured and drawn with (not owned).
    void SetFont(CFont* pFont) { m_pFont = pFont; }
    CFont* GetFont() const { return m_pFont; }
    // A screen DC with the tabs' font selected, for measuring.
    int MeasureText(LPCSTR lpszText) const;

private:
    int m_nOverlap = 8;
    COLORREF m_crBack = CLR_INVALID;   // CLR_INVALID: the button face colour
    CFont* m_pFont = nullptr;
};

// Button styles of JTabbarButton.
enum : DWORD {
    JTBBS_DROPDOWN = 0x0001,   // a drop-down arrow part at the right
    JTBBS_REPEAT = 0x0002,     // the command goes on the press, so that the owner can repeat it while held
    JTBBS_CHECK = 0x0004,      // a click toggles the check state
};

// A push button drawing a bitmap, with an optional drop-down part and check state.
class CONTROL_CLASS JTabbarButton : public CWnd {
    DECLARE_DYNAMIC(JTabbarButton)
public:
    JTabbarButton() = default;
    ~JTabbarButton() override;

    using CWnd::Create;
    BOOL Create(DWORD dwButtonStyle, const RECT& rect, CWnd* pParent, UINT nID);

    // The picture: pixels of the key colour (of pixel (0, 0) for CLR_INVALID) are transparent.
    BOOL SetBitmap(HBITMAP hBitmap, COLORREF crKey = CLR_INVALID);   // copied; the caller keeps hBitmap
    BOOL LoadBitmap(UINT nIDResource, COLORREF crKey = CLR_INVALID);
    BOOL LoadBitmap(LPCSTR lpszResource, COLORREF crKey = CLR_INVALID);
    // Draws image nImage of a list the caller keeps alive instead of a picture of its own.
    void SetImage(JImageList* pList, int nImage);

    BOOL IsDropDown() const { return (m_dwButtonStyle & JTBBS_DROPDOWN) != 0; }
    // Whether a client point lies on the drop-down part.
    BOOL HitDropDown(CPoint point) const;
    BOOL IsPressed() const { return m_bPressed; }
    int GetCheck() const { return m_nCheck; }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, (WPARAM)nCheck); }
    // The size its picture, border and drop-down part need.
    CSize GetContentSize() const;
    void SizeToContent();

    // The memory DC and bitmap every button draws through, made on first use.
    static void FreeSharedDrawingObjects();

protected:
    void DrawButton(CDC* pDC, const CRect& rect);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void SetPressed(BOOL bPressed);
    void SendCommand(WORD wCode);

    DWORD m_dwButtonStyle = 0;
    JImageList m_ownImages;            // the picture set with SetBitmap / LoadBitmap
    JImageList* m_pImages = nullptr;   // the list drawn from: m_ownImages or the caller's
    int m_nImage = -1;
    BOOL m_bPressed = FALSE;    // shown pressed
    BOOL m_bTracking = FALSE;   // the left button went down here and is held
    int m_nCheck = BST_UNCHECKED;
};

// The name dialog (template 103, edit 105): a name of at most 15 characters. With a bar
// and a tab given, an empty name or one another tab of the bar has is refused with a
// message and the dialog stays open.
class CONTROL_CLASS CJTabDlg : public CDialog {
    DECLARE_DYNAMIC(CJTabDlg)
public:
    enum { IDD = 103, IDC_NAME = 105, kMaxName = 15 };

    CJTabDlg(LPCSTR lpszTitle, CWnd* pParent);
    // Checks the name against the other tabs of pBar (pTab is the one being renamed).
    void SetNameCheck(CJTabBar* pBar, CJTab* pTab)
    {
        m_pBar = pBar;
        m_pTab = pTab;
    }
    // Runs with the library's resource module current.
    INT_PTR DoModal() override;

    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void Refuse(UINT nIDText, LPCSTR lpszFallback);

    CString m_strTitle;
    CJTabBar* m_pBar = nullptr;
    CJTab* m_pTab = nullptr;
};

// The splitter between the tabs and the scroll bar: dragging it sets the bar's ratio.
class CONTROL_CLASS CJTabSplit : public CWnd {
    DECLARE_DYNAMIC(CJTabSplit)
public:
    using CWnd::Create;
    BOOL Create(CJTabBar* pBar, const RECT& rect);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Draw(HDC hDC);

    CJTabBar* m_pBar = nullptr;
    BOOL m_bDragging = FALSE;
    int m_nGrab = 0;   // where along the splitter it was taken
};

class CONTROL_CLASS CJTabBar : public CWnd {
    DECLARE_DYNAMIC(CJTabBar)
public:
    CJTabBar();
    ~CJTabBar() override;

    // dwStyle: the alignment, the tab kind and JTBS_EDITLABELS. The bar places itself along
    // the parent's edge and follows the parent's size.
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT nID);

    // Items.
    BOOL GetItem(CJTab* pTab, _JTB_ITEM& item) const;
    BOOL SetItem(CJTab* pTab, const _JTB_ITEM& item);
    // pAfter NULL: at the head; (CJTab*)-1: at the tail; else after that tab. NULL on failure.
    CJTab* InsertItem(const _JTB_ITEM& item, CJTab* pAfter);
    BOOL DeleteItem(CJTab* pTab);
    void DeleteAllItems();
    int GetItemCount() const { return (int)m_pTabs->GetCount(); }
    CJTab* GetFirstItem() const;
    CJTab* GetLastItem() const;
    CJTab* GetNextItem(CJTab* pTab) const;
    CJTab* GetPrevItem(CJTab* pTab) const;
    CJTab* GetItemAt(int nIndex) const;
    int GetItemIndex(const CJTab* pTab) const { return m_pTabs->IndexOf(pTab); }
    // The tab with this name (case ignored), other than pExcept; NULL when none.
    CJTab* FindItem(LPCSTR lpszName, const CJTab* pExcept = nullptr) const;
    CJTab* GetFirstVisibleItem() const;
    CJTab* GetNextVisibleItem(CJTab* pTab) const;
    CJTab* GetPrevVisibleItem(CJTab* pTab) const;
    int GetVisibleItemCount() const { return m_nVisible; }
    int GetFirstVisibleIndex() const { return m_nFirst; }
    // Wholly inside the tab area.
    BOOL IsItemVisible(const CJTab* pTab) const;
    void EnsureItemVisible(CJTab* pTab);
    void InvalidateItem(CJTab* pTab);
    CJTab* HitTest(_JTB_HITTESTINFO& info);

    // Selection.
    CJTab* GetActiveItem() const { return m_pActive; }
    // Makes the tab the active one; the selection keeps it and, when it was selected, the others.
    BOOL SetActiveItem(CJTab* pTab);
    // nSelect 1 selects, 0 deselects, -1 toggles; the active tab stays selected.
    BOOL SelectItem(CJTab* pTab, int nSelect = -1);
    // Selects the tabs from pFrom to pTo (either order) and deselects the others but the active one.
    BOOL SelectItemRange(CJTab* pFrom, CJTab* pTo);
    int GetSelCount() const { return (int)m_selection.GetCount(); }
    CObList& GetSelItems() { return m_selection; }
    void SelectDropTarget(CJTab* pTab);
    CJTab* GetDropTarget() const { return m_pDropTarget; }

    // Renames a tab through the name dialog; TRUE when it took a new name.
    BOOL RenameItem(CJTab* pTab);
    // Ctrl+Page Up/Down (previous/next sheet), F2 (rename), and the menu key or Shift+F10
    // (the active tab's JTBN_RCLICK, at its centre); TRUE when the key was used. Hosts call
    // it for keys (WM_KEYDOWN and WM_SYSKEYDOWN) that reach their drawing window.
    BOOL HandleKey(UINT nChar);

    // Layout and look.
    void ReSize();
    BOOL ScrollItems(ScrollDirection direction);
    void SetFirstItem(CJTab* pTab);
    void SetOffset(_JTB_EDGEOFFSET edge, int nOffset);
    UINT GetAlignment() const { return m_dwStyle & JTBS_ALIGNMASK; }
    BOOL IsHorizontal() const { return GetAlignment() != JTBS_RIGHT && GetAlignment() != JTBS_LEFT; }
    const CRect& GetTabArea() const { return m_rectTabArea; }
    const CRect& GetSplitterRect() const { return m_rectSplitter; }
    const CRect& GetScrollBarRect() const { return m_rectScrollBar; }
    void SetTabToScrollRatio(float fRatio);
    void GetTabToScrollRatio(float* pRatio) const;
    void ShowScrollBar(BYTE bShow);
    void ShowTabs(BYTE bShow);
    void SetTabColors(COLORREF crBack);
    // The bar's thickness: the system's horizontal scroll bar height.
    int GetThickness() const { return m_cyScroll; }
    JTabbarButton* GetScrollButton(ScrollDirection direction);
    CWnd* GetScrollBarCtrl() { return m_scrollBar.m_hWnd ? &m_scrollBar : nullptr; }
    CJTabSplit* GetSplitter() { return m_splitter.m_hWnd ? &m_splitter : nullptr; }

    // The tabs' font follows this language: an ideographic one (Chinese, Japanese, Korean)
    // gets the system's GUI face in its character set; 0 (the start) follows the system and
    // keyboard languages.
    void SetFontLanguage(LANGID language);
    LANGID GetFontLanguage() const { return m_langFont; }
    CFont* GetTabFont() { return &m_font; }
    // The LOGFONT the bar uses for a language.
    static LOGFONTA MakeTabFont(LANGID language, BOOL bVertical);

    // The parts of the bar in its own coordinates, from the parent's client area.
    void CalcMemberRects(CWnd* pParent, CRect& rectBar, CRect& rectTabArea, CRect& rectSplitter,
                         CRect& rectScrollBar) const;

protected:
    // Timer 1 repeats a held scroll button; timer 2 reports a tab held down.
    enum : UINT_PTR { kRepeatTimer = 1, kHoldTimer = 2 };
    enum : UINT { kRepeatMs = 150, kHoldMs = 450 };

    // The record the bar's parent keeps in its "TabBar_Properties" property.
    struct ParentHook {
        WNDPROC pfnPrevious;
        CJTabBar* pFirst;
        CJTabBar* pSecond;
    };
    static LRESULT CALLBACK ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL HookParent();
    void UnhookParent();

    LRESULT Notify(UINT nCode, CJTab* pTab, CPoint point);
    // A click on a tab with the keys' flags (MK_CONTROL, MK_SHIFT) honoured when bWithKeys.
    void ClickTab(CJTab* pTab, UINT nFlags, CPoint point, BOOL bWithKeys);
    // Activates the next or previous tab as a click on it would.
    BOOL StepActive(int nStep);
    void SetFirstIndex(int nIndex);
    void CountVisible();
    void LayoutTabs();
    void UpdateScrollButtons();
    void CreateScrollButtons();
    void PlaceChildren();
    void MakeFont();
    void MeasureTabs();
    void DrawEdgeLine(CDC* pDC);
    int Along(CPoint point) const { return IsHorizontal() ? point.x : point.y; }
    int BarLength() const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSlider(UINT nID);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Paints the parts of the client area in update onto hDC (client coordinates).
    void PaintTo(HDC hDC, const CRect& update);

    DWORD m_dwStyle = 0;     // JTBS_*
    float m_fRatio = 0.5f;   // tabs : scroll bar
    CRect m_rectTabArea;     // bar client coordinates
    CJTab* m_pActive = nullptr;
    CJTab* m_pDropTarget = nullptr;
    int m_nFirst = 0;      // index of the first visible tab
    int m_nVisible = 0;    // tabs wholly in the tab area from the first on
    CObList m_selection;   // the selected tabs; always holds the active one
    CJTabList* m_pTabs;    // owns the tabs
    HCURSOR m_hCursor;     // IDC_ARROW
    CRect m_rectSplitter;
    CRect m_rectScrollBar;
    CJTabSplit m_splitter;
    CWnd m_scrollBar;
    JTabbarButton m_buttons[4];   // first, previous, next, last
    JImageList m_arrows;          // the four buttons' pictures

    int m_offsets[4] = {0, 0, 0, 0};   // left, top, right, bottom
    int m_cyScroll = 0;                // SM_CYHSCROLL when last laid out
    BOOL m_bShowTabs = TRUE;
    BOOL m_bShowScrollBar = FALSE;
    CWnd* m_pParent = nullptr;
    LANGID m_langFont = 0;
    CFont m_font;

    CJTab* m_pHeld = nullptr;       // the tab the left button is held on (timer 2)
    CJTab* m_pRenaming = nullptr;   // the tab the name dialog is open for
    int m_nRepeat = 0;              // the direction the held scroll button repeats (timer 1)

    friend class CJTabSplit;
};
