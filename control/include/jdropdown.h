// The pop-ups that drop from a JButton's drop-down part: a borderless pop-up owned by
// the button, a list inside it, and a modal loop in ShowDropDown that ends on a pick,
// Escape, a click elsewhere, a right click, WM_CLOSE, the application losing
// activation or the button going away. A pick is sent to the button's window with the
// dropdown's report message and the list index in wParam.
//
//     JTextDropdown drop;                      // in the owner's JBN_DROPDOWN handler
//     drop.Create(&m_button);
//     drop.AddString("Solid"); ...
//     drop.ShowDropDown(&m_button);            // the button hears JDM_TEXTPICKED
#pragma once
#include "controlapi.h"
#include "jbutton.h"

enum : UINT {
    JDM_STYLEPICKED = 0x478,
    JDM_TEXTPICKED = 0x479,   // also the weight dropdown's
    JDM_ARROWPICKED = 0x47A,
    JDM_PATTERNPICKED = 0x47B,
};

class CONTROL_CLASS JDropdown : public CWnd {
    DECLARE_DYNAMIC(JDropdown)
public:
    JDropdown();
    ~JDropdown() override;

    // A hidden pop-up owned by the button's window; FALSE when the button has none.
    virtual BOOL Create(JButton* pButton);
    // Runs the pop-up under the button until a pick or a cancel; 1 when it ran.
    virtual int ShowDropDown(JButton* pButton);
    // The first visible item from the top whose rectangle holds the screen point; -1.
    int HitTest(CListBox* pList, CPoint screen) const;
    void SetCurSel(int nIndex);
    void SetIndex(int nIndex) { SetCurSel(nIndex); }
    int GetIndex();
    // Hides the pop-up and releases the capture.
    void Cleanup();

    // The pop-up's place for a button rectangle (screen): below it, or above it when
    // the bottom would leave the work area; moved sideways to stay on it.
    static CPoint PlaceBelow(const CRect& button, CSize popup);
    // Whether a press (client coordinates of msg.hwnd) falls on the drop-down part of the
    // button that opened the pop-up: it closes the pop-up and goes no further, or the
    // button would drop it again at once.
    static BOOL IsPressOnDropPart(HWND hButton, const MSG& msg);

    JButton* m_pButton = nullptr;
    int m_nMarginX = 3;
    int m_nMarginY = 3;

protected:
    virtual CListBox* List() = 0;
    virtual CWnd* Popup() { return this; }
    virtual UINT ReportMessage() const = 0;
    void Report(int nIndex);
    // A navigation key's move: Up and Page Up the previous item, Down and Page Down the
    // next, Home the first, End, Left and Right the last.
    static void NavigateList(CListBox* pList, UINT vk);
    // The pop-up's answers that keep the frame active; shared with the text list's window.
    static BOOL HandlePopupMessage(CWnd* pPopup, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    friend class JDropListBox;
};

// The owner-drawn list of pictures inside the dropdowns: each item's data is a
// JDROPIMAGE* or JDROP_TEXTITEM for the text entry.
struct JDROPIMAGE {
    CString name;
    UINT style = 0;
    HBITMAP hNormal = nullptr;     // the caller's
    HBITMAP hSelected = nullptr;   // NULL: the normal one
    HBITMAP hDisabled = nullptr;   // NULL: the normal one
    int width = 0;
    int height = 0;
};
enum : DWORD_PTR { JDROP_TEXTITEM = (DWORD_PTR)-1 };

class CONTROL_CLASS JBitmapListBox : public CListBox {
    DECLARE_DYNAMIC(JBitmapListBox)
public:
    int AddBitmap(DWORD_PTR itemData);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasure);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDraw);
    CString m_strText;   // what the text entry shows
    int m_nItemHeight = 17;

protected:
    DECLARE_MESSAGE_MAP()
};

// The arrowheads: six pictures and a text entry, reported with JDM_ARROWPICKED.
class CONTROL_CLASS JArrowDropdown : public JDropdown {
    DECLARE_DYNAMIC(JArrowDropdown)
public:
    JArrowDropdown();
    ~JArrowDropdown() override;
    BOOL Create(JButton* pButton) override;
    enum { kArrowCount = 6 };
    JBitmapListBox m_list;

protected:
    CListBox* List() override { return &m_list; }
    UINT ReportMessage() const override { return JDM_ARROWPICKED; }
    HFONT m_hFont = nullptr;   // owned
    JDROPIMAGE m_images[kArrowCount];
};

class JDropListBox;

// A plain sorted list of texts the host adds, reported with JDM_TEXTPICKED.
class CONTROL_CLASS JTextDropdown : public JDropdown {
    DECLARE_DYNAMIC(JTextDropdown)
public:
    JTextDropdown();
    ~JTextDropdown() override;
    BOOL Create(JButton* pButton) override;
    int AddString(LPCSTR lpszText);
    CListBox* GetList() { return List(); }

protected:
    CListBox* List() override;
    CWnd* Popup() override;
    UINT ReportMessage() const override { return JDM_TEXTPICKED; }
    JDropListBox* m_pList = nullptr;   // owned
};

// An owner-drawn combo box whose first items form a top section kept in insertion
// order, with a line under it; the rest is sorted.
class CONTROL_CLASS JCustomComboBox : public CComboBox {
    DECLARE_DYNAMIC(JCustomComboBox)
public:
    // The index, or -1 when the text is there already.
    int AddItem(LPCSTR lpszText, BOOL bSorted, DWORD_PTR itemData);
    void ShowSeparator(BOOL bShow) { m_bSeparator = bShow; }
    int GetLastTopIndex() const { return m_nLastTop; }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDraw);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL m_bSeparator = TRUE;
    int m_nLastTop = -1;
};

// Notifications of JSelectCntl to its view window.
enum : UINT {
    JSM_SELFOLLOW = 0x489,   // wParam: the current button + 1 while the selection follows the mouse
    JSM_SELECTED = 0x48A,    // wParam: the picked button + 1, or 0 when closed without a pick; lParam: key flags
};

// A pop-up bar of numbered buttons in a strip that scrolls when there are more buttons
// than it shows. ShowSelector shows it holding the mouse; a release over a button picks it.
class CONTROL_CLASS JSelectCntl : public CControlBar {
    DECLARE_DYNAMIC(JSelectCntl)
public:
    JSelectCntl();
    ~JSelectCntl() override;

    BOOL Create(DWORD dwStyle, CWnd* pParent, CWnd* pView, UINT nID);
    void ShowSelector();
    // Closes without a pick: the selection becomes -1 and the view hears JSM_SELECTED 0.
    void Close();
    void SetCurSel(int nIndex, BOOL bNotify);
    int GetCurSel() const { return m_nCurrent; }
    // Also resets the current and first visible buttons to 0.
    void SetNumberBtns(int nCount);
    int GetNumberBtns() const { return m_nButtons; }
    // Stores nCount less one: the layout shows that many.
    void SetNumVisibleBtns(int nCount) { m_nVisible = nCount - 1; }
    int GetNumVisibleBtns() const { return m_nVisible; }
    void SetViewWindow(CWnd* pView) { m_pView = pView; }
    void SetFirstButton(int nFirst);
    int GetFirstButton() const { return m_nFirst; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

    // Hit codes besides a visible button's index (counted from the first visible one).
    enum { kHitNone = -1, kHitScrollFirst = -5, kHitScrollLast = -6 };
    int HitTest(CPoint client) const;
    BOOL CanScroll() const { return m_nButtons > ShownCount(); }
    // Client rectangle of visible button i (from the first visible one).
    CRect ButtonRect(int i) const;
    CRect ScrollerRect() const { return m_scroller; }
    CSize GetButtonSize() const { return CSize(m_cxButton, m_cyButton); }

protected:
    int ShownCount() const { return m_nButtons < m_nVisible ? m_nButtons : m_nVisible; }
    void Layout();
    void Notify(UINT message, WPARAM wParam, LPARAM lParam = 0);
    void Scroll(int nStep);
    void Finish(int nPicked, UINT nFlags);
    void DoPaint(CDC* pDC) override;

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

    int m_nButtons = 10;
    int m_nVisible = 6;
    int m_nCurrent = 0;
    int m_nFirst = 0;
    int m_nSpacing = 0;
    int m_cxButton = 0;
    int m_cyButton = 0;
    HFONT m_hFont = nullptr;   // owned
    CRect m_scroller;
    int m_nScrollState = -7;   // the scroller half held (kHitScroll*), -7 for none
    BOOL m_bOverScroller = FALSE;
    BOOL m_bAutoScrolling = FALSE;
    CWnd* m_pView = nullptr;
    HCURSOR m_hOldCursor = nullptr;
    BOOL m_bClosing = FALSE;
};
