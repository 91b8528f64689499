// Control wrappers: thin CWnd classes over the system's controls (message sends,
// no state of their own), and CImageList.
#pragma once
#include "afxgdi.h"
#include "afxwnd.h"

// Registers the common control classes (ICC_*) once per process.
AFX_CORE_API void AfxInitCommonControls(DWORD dwClasses);

#define AFX_SEND(msg, w, l) ::SendMessageA(m_hWnd, (msg), (WPARAM)(w), (LPARAM)(l))

class AFX_CORE_API CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    using CWnd::Create;
    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
    HICON SetIcon(HICON hIcon) { return (HICON)AFX_SEND(STM_SETICON, hIcon, 0); }
    HICON GetIcon() const { return (HICON)AFX_SEND(STM_GETICON, 0, 0); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)AFX_SEND(STM_SETIMAGE, IMAGE_BITMAP, hBitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)AFX_SEND(STM_GETIMAGE, IMAGE_BITMAP, 0); }
};

class AFX_CORE_API CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    using CWnd::Create;
    BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCheck() const { return (int)AFX_SEND(BM_GETCHECK, 0, 0); }
    void SetCheck(int nCheck) { AFX_SEND(BM_SETCHECK, nCheck, 0); }
    UINT GetState() const { return (UINT)AFX_SEND(BM_GETSTATE, 0, 0); }
    void SetState(BOOL bHighlight) { AFX_SEND(BM_SETSTATE, bHighlight, 0); }
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { AFX_SEND(BM_SETSTYLE, nStyle, bRedraw); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)AFX_SEND(BM_SETIMAGE, IMAGE_BITMAP, hBitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)AFX_SEND(BM_GETIMAGE, IMAGE_BITMAP, 0); }
    HICON SetIcon(HICON hIcon) { return (HICON)AFX_SEND(BM_SETIMAGE, IMAGE_ICON, hIcon); }
    HICON GetIcon() const { return (HICON)AFX_SEND(BM_GETIMAGE, IMAGE_ICON, 0); }

    // Owner-drawn buttons (BS_OWNERDRAW) paint here; the parent reflects WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class AFX_CORE_API CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    DWORD GetSel() const { return (DWORD)AFX_SEND(EM_GETSEL, 0, 0); }
    void GetSel(int& nStartChar, int& nEndChar) const { AFX_SEND(EM_GETSEL, &nStartChar, &nEndChar); }
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE)
    {
        SetSel(LOWORD(dwSelection), HIWORD(dwSelection), bNoScroll);
    }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        AFX_SEND(EM_SETSEL, nStartChar, nEndChar);
        if (!bNoScroll)
            AFX_SEND(EM_SCROLLCARET, 0, 0);
    }
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE) { AFX_SEND(EM_REPLACESEL, bCanUndo, lpszNewText); }
    void LimitText(int nChars = 0) { AFX_SEND(EM_LIMITTEXT, nChars, 0); }
    void SetLimitText(UINT nMax) { AFX_SEND(EM_SETLIMITTEXT, nMax, 0); }
    UINT GetLimitText() const { return (UINT)AFX_SEND(EM_GETLIMITTEXT, 0, 0); }
    int GetLineCount() const { return (int)AFX_SEND(EM_GETLINECOUNT, 0, 0); }
    // Copies line nIndex into lpszBuffer (nMaxLength characters at most, no NUL added).
    int GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const
    {
        *reinterpret_cast<WORD*>(lpszBuffer) = (WORD)nMaxLength;
        return (int)AFX_SEND(EM_GETLINE, nIndex, lpszBuffer);
    }
    int LineIndex(int nLine = -1) const { return (int)AFX_SEND(EM_LINEINDEX, nLine, 0); }
    int LineLength(int nLine = -1) const { return (int)AFX_SEND(EM_LINELENGTH, nLine, 0); }
    int LineFromChar(int nIndex = -1) const { return (int)AFX_SEND(EM_LINEFROMCHAR, nIndex, 0); }
    void LineScroll(int nLines, int nChars = 0) { AFX_SEND(EM_LINESCROLL, nChars, nLines); }
    int GetFirstVisibleLine() const { return (int)AFX_SEND(EM_GETFIRSTVISIBLELINE, 0, 0); }
    BOOL GetModify() const { return (BOOL)AFX_SEND(EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { AFX_SEND(EM_SETMODIFY, bModified, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)AFX_SEND(EM_SETREADONLY, bReadOnly, 0); }
    void SetPasswordChar(char ch) { AFX_SEND(EM_SETPASSWORDCHAR, (BYTE)ch, 0); }
    char GetPasswordChar() const { return (char)AFX_SEND(EM_GETPASSWORDCHAR, 0, 0); }
    void SetMargins(UINT nLeft, UINT nRight)
    {
        AFX_SEND(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
    }
    BOOL CanUndo() const { return (BOOL)AFX_SEND(EM_CANUNDO, 0, 0); }
    BOOL Undo() { return (BOOL)AFX_SEND(EM_UNDO, 0, 0); }
    void EmptyUndoBuffer() { AFX_SEND(EM_EMPTYUNDOBUFFER, 0, 0); }
    void Clear() { AFX_SEND(WM_CLEAR, 0, 0); }
    void Copy() { AFX_SEND(WM_COPY, 0, 0); }
    void Cut() { AFX_SEND(WM_CUT, 0, 0); }
    void Paste() { AFX_SEND(WM_PASTE, 0, 0); }
};

class AFX_CORE_API CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddString(LPCSTR lpszItem) { return (int)AFX_SEND(LB_ADDSTRING, 0, lpszItem); }
    int InsertString(int nIndex, LPCSTR lpszItem) { return (int)AFX_SEND(LB_INSERTSTRING, nIndex, lpszItem); }
    int DeleteString(UINT nIndex) { return (int)AFX_SEND(LB_DELETESTRING, nIndex, 0); }
    void ResetContent() { AFX_SEND(LB_RESETCONTENT, 0, 0); }
    int GetCount() const { return (int)AFX_SEND(LB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)AFX_SEND(LB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)AFX_SEND(LB_SETCURSEL, nSelect, 0); }
    int GetSel(int nIndex) const { return (int)AFX_SEND(LB_GETSEL, nIndex, 0); }
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return (int)AFX_SEND(LB_SETSEL, bSelect, nIndex); }
    int GetSelCount() const { return (int)AFX_SEND(LB_GETSELCOUNT, 0, 0); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const { return (int)AFX_SEND(LB_GETSELITEMS, nMaxItems, rgIndex); }
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
    {
        return (int)AFX_SEND(LB_SELITEMRANGEEX, bSelect ? nFirstItem : nLastItem, bSelect ? nLastItem : nFirstItem);
    }
    int GetText(int nIndex, LPSTR lpszBuffer) const { return (int)AFX_SEND(LB_GETTEXT, nIndex, lpszBuffer); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return (int)AFX_SEND(LB_GETTEXTLEN, nIndex, 0); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)AFX_SEND(LB_GETITEMDATA, nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)AFX_SEND(LB_SETITEMDATA, nIndex, dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)AFX_SEND(LB_GETITEMDATA, nIndex, 0); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int FindString(int nStartAfter, LPCSTR lpszItem) const
    {
        return (int)AFX_SEND(LB_FINDSTRING, nStartAfter, lpszItem);
    }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const
    {
        return (int)AFX_SEND(LB_FINDSTRINGEXACT, nIndexStart, lpszFind);
    }
    int SelectString(int nStartAfter, LPCSTR lpszItem) { return (int)AFX_SEND(LB_SELECTSTRING, nStartAfter, lpszItem); }
    int GetItemHeight(int nIndex) const { return (int)AFX_SEND(LB_GETITEMHEIGHT, nIndex, 0); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)AFX_SEND(LB_SETITEMHEIGHT, nIndex, cyItemHeight); }
    int GetItemRect(int nIndex, LPRECT lpRect) const { return (int)AFX_SEND(LB_GETITEMRECT, nIndex, lpRect); }
    int GetTopIndex() const { return (int)AFX_SEND(LB_GETTOPINDEX, 0, 0); }
    int SetTopIndex(int nIndex) { return (int)AFX_SEND(LB_SETTOPINDEX, nIndex, 0); }
    int GetCaretIndex() const { return (int)AFX_SEND(LB_GETCARETINDEX, 0, 0); }
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) { return (int)AFX_SEND(LB_SETCARETINDEX, nIndex, bScroll); }
    // The item at a client point; bOutside is set when the point lies beyond the items.
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const
    {
        const DWORD result = (DWORD)AFX_SEND(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
        bOutside = HIWORD(result) != 0;
        return LOWORD(result);
    }

    // Owner-drawn lists (LBS_OWNERDRAW*): the parent reflects these to the object.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class AFX_CORE_API CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddString(LPCSTR lpszString) { return (int)AFX_SEND(CB_ADDSTRING, 0, lpszString); }
    int InsertString(int nIndex, LPCSTR lpszString) { return (int)AFX_SEND(CB_INSERTSTRING, nIndex, lpszString); }
    int DeleteString(UINT nIndex) { return (int)AFX_SEND(CB_DELETESTRING, nIndex, 0); }
    void ResetContent() { AFX_SEND(CB_RESETCONTENT, 0, 0); }
    int GetCount() const { return (int)AFX_SEND(CB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)AFX_SEND(CB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)AFX_SEND(CB_SETCURSEL, nSelect, 0); }
    int GetLBText(int nIndex, LPSTR lpszText) const { return (int)AFX_SEND(CB_GETLBTEXT, nIndex, lpszText); }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return (int)AFX_SEND(CB_GETLBTEXTLEN, nIndex, 0); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)AFX_SEND(CB_GETITEMDATA, nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)AFX_SEND(CB_SETITEMDATA, nIndex, dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)AFX_SEND(CB_GETITEMDATA, nIndex, 0); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int FindString(int nStartAfter, LPCSTR lpszString) const
    {
        return (int)AFX_SEND(CB_FINDSTRING, nStartAfter, lpszString);
    }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const
    {
        return (int)AFX_SEND(CB_FINDSTRINGEXACT, nIndexStart, lpszFind);
    }
    int SelectString(int nStartAfter, LPCSTR lpszString)
    {
        return (int)AFX_SEND(CB_SELECTSTRING, nStartAfter, lpszString);
    }
    int GetItemHeight(int nIndex) const { return (int)AFX_SEND(CB_GETITEMHEIGHT, nIndex, 0); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)AFX_SEND(CB_SETITEMHEIGHT, nIndex, cyItemHeight); }
    int GetTopIndex() const { return (int)AFX_SEND(CB_GETTOPINDEX, 0, 0); }
    int SetTopIndex(int nIndex) { return (int)AFX_SEND(CB_SETTOPINDEX, nIndex, 0); }
    void ShowDropDown(BOOL bShowIt = TRUE) { AFX_SEND(CB_SHOWDROPDOWN, bShowIt, 0); }
    BOOL GetDroppedState() const { return (BOOL)AFX_SEND(CB_GETDROPPEDSTATE, 0, 0); }
    void GetDroppedControlRect(LPRECT lprect) const { AFX_SEND(CB_GETDROPPEDCONTROLRECT, 0, lprect); }
    int GetDroppedWidth() const { return (int)AFX_SEND(CB_GETDROPPEDWIDTH, 0, 0); }
    int SetDroppedWidth(UINT nWidth) { return (int)AFX_SEND(CB_SETDROPPEDWIDTH, nWidth, 0); }
    // Selection in the edit part: LOWORD start, HIWORD end.
    DWORD GetEditSel() const { return (DWORD)AFX_SEND(CB_GETEDITSEL, 0, 0); }
    BOOL SetEditSel(int nStartChar, int nEndChar)
    {
        return (BOOL)AFX_SEND(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar));
    }
    BOOL LimitText(int nMaxChars) { return (BOOL)AFX_SEND(CB_LIMITTEXT, nMaxChars, 0); }
    void Clear() { AFX_SEND(WM_CLEAR, 0, 0); }
    void Copy() { AFX_SEND(WM_COPY, 0, 0); }
    void Cut() { AFX_SEND(WM_CUT, 0, 0); }
    void Paste() { AFX_SEND(WM_PASTE, 0, 0); }

    // Owner-drawn combo boxes (CBS_OWNERDRAW*): the parent reflects these to the object.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class AFX_CORE_API CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) { AFX_SEND(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    void SetRange32(int nLower, int nUpper) { AFX_SEND(UDM_SETRANGE32, nLower, nUpper); }
    // 16-bit range: LOWORD upper, HIWORD lower.
    DWORD GetRange() const { return (DWORD)AFX_SEND(UDM_GETRANGE, 0, 0); }
    void GetRange(int& lower, int& upper) const { AFX_SEND(UDM_GETRANGE32, &lower, &upper); }
    void GetRange32(int& lower, int& upper) const { AFX_SEND(UDM_GETRANGE32, &lower, &upper); }
    // Both return the previous position; SetPos takes the full 32-bit range too.
    int SetPos(int nPos) { return (int)AFX_SEND(UDM_SETPOS32, 0, nPos); }
    int SetPos32(int nPos) { return (int)AFX_SEND(UDM_SETPOS32, 0, nPos); }
    // The position; HIWORD is non-zero when the buddy's text is not a valid position.
    int GetPos() const { return (int)AFX_SEND(UDM_GETPOS, 0, 0); }
    int GetPos32(LPBOOL lpbError = nullptr) const { return (int)AFX_SEND(UDM_GETPOS32, 0, lpbError); }
    CWnd* SetBuddy(CWnd* pWndBuddy) { return FromHandle((HWND)AFX_SEND(UDM_SETBUDDY, AfxGetSafeHwnd(pWndBuddy), 0)); }
    CWnd* GetBuddy() const { return FromHandle((HWND)AFX_SEND(UDM_GETBUDDY, 0, 0)); }
    int SetBase(int nBase) { return (int)AFX_SEND(UDM_SETBASE, nBase, 0); }
    UINT GetBase() const { return (UINT)AFX_SEND(UDM_GETBASE, 0, 0); }
    BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)AFX_SEND(UDM_SETACCEL, nAccel, pAccel); }
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const { return (UINT)AFX_SEND(UDM_GETACCEL, nAccel, pAccel); }
};

class CImageList;

class AFX_CORE_API CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct)
    {
        return (HTREEITEM)AFX_SEND(TVM_INSERTITEMA, 0, lpInsertStruct);
    }
    HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)AFX_SEND(TVM_DELETEITEM, 0, hItem); }
    BOOL DeleteAllItems() { return (BOOL)AFX_SEND(TVM_DELETEITEM, 0, TVI_ROOT); }
    UINT GetCount() const { return (UINT)AFX_SEND(TVM_GETCOUNT, 0, 0); }

    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const
    {
        return (HTREEITEM)AFX_SEND(TVM_GETNEXTITEM, nCode, hItem);
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    BOOL ItemHasChildren(HTREEITEM hItem) const { return GetChildItem(hItem) != nullptr; }
    BOOL Select(HTREEITEM hItem, UINT nCode) { return (BOOL)AFX_SEND(TVM_SELECTITEM, nCode, hItem); }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)AFX_SEND(TVM_EXPAND, nCode, hItem); }
    BOOL EnsureVisible(HTREEITEM hItem) { return (BOOL)AFX_SEND(TVM_ENSUREVISIBLE, 0, hItem); }
    CEdit* EditLabel(HTREEITEM hItem) { return (CEdit*)FromHandle((HWND)AFX_SEND(TVM_EDITLABELA, 0, hItem)); }
    BOOL SortChildren(HTREEITEM hItem) { return (BOOL)AFX_SEND(TVM_SORTCHILDREN, 0, hItem); }
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
    {
        *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
        return (BOOL)AFX_SEND(TVM_GETITEMRECT, bTextOnly, lpRect);
    }

    BOOL GetItem(TVITEMA* pItem) const { return (BOOL)AFX_SEND(TVM_GETITEMA, 0, pItem); }
    BOOL SetItem(TVITEMA* pItem) { return (BOOL)AFX_SEND(TVM_SETITEMA, 0, pItem); }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const
    {
        return (UINT)AFX_SEND(TVM_GETITEMSTATE, hItem, nStateMask);
    }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);

    // TVSIL_NORMAL or TVSIL_STATE. Returns the previous list's object when the framework knows it.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(UINT nImageListType) const;
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const { return (HTREEITEM)AFX_SEND(TVM_HITTEST, 0, pHitTestInfo); }
};

class AFX_CORE_API CHotKeyCtrl : public CWnd {
    DECLARE_DYNAMIC(CHotKeyCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // wModifiers: HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT, HOTKEYF_EXT.
    void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers)
    {
        AFX_SEND(HKM_SETHOTKEY, MAKEWORD(wVirtualKeyCode, wModifiers), 0);
    }
    DWORD GetHotKey() const { return (DWORD)AFX_SEND(HKM_GETHOTKEY, 0, 0); }
    void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const
    {
        const DWORD key = GetHotKey();
        wVirtualKeyCode = LOBYTE(LOWORD(key));
        wModifiers = HIBYTE(LOWORD(key));
    }
    // wInvalidComb: HKCOMB_* combinations that get wModifiers instead.
    void SetRules(WORD wInvalidComb, WORD wModifiers)
    {
        AFX_SEND(HKM_SETRULES, wInvalidComb, MAKELPARAM(wModifiers, 0));
    }
};

class AFX_CORE_API CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)AFX_SEND(TCM_GETITEMCOUNT, 0, 0); }
    int GetCurSel() const { return (int)AFX_SEND(TCM_GETCURSEL, 0, 0); }
    // Selects without notifying the parent; returns the previous selection, -1 on failure.
    int SetCurSel(int nItem) { return (int)AFX_SEND(TCM_SETCURSEL, nItem, 0); }
    int GetCurFocus() const { return (int)AFX_SEND(TCM_GETCURFOCUS, 0, 0); }
    BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const { return (BOOL)AFX_SEND(TCM_GETITEMA, nItem, pTabCtrlItem); }
    BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem) { return (BOOL)AFX_SEND(TCM_SETITEMA, nItem, pTabCtrlItem); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)AFX_SEND(TCM_GETITEMRECT, nItem, lpRect); }
    LONG InsertItem(int nItem, LPCSTR lpszItem);
    BOOL DeleteItem(int nItem) { return (BOOL)AFX_SEND(TCM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)AFX_SEND(TCM_DELETEALLITEMS, 0, 0); }
    // bLarger TRUE: the window rectangle for a display area; FALSE: the display area of a window rectangle.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { AFX_SEND(TCM_ADJUSTRECT, bLarger, lpRect); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)AFX_SEND(TCM_HITTEST, 0, pHitTestInfo); }
    int GetRowCount() const { return (int)AFX_SEND(TCM_GETROWCOUNT, 0, 0); }
};

class AFX_CORE_API CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    using CWnd::Create;
    // A tip window owned by pParentWnd's top-level window; dwStyle adds TTS_* styles.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // A tool for a whole window (lpRectTool NULL and nIDTool 0) or for a rectangle of it.
    // lpszText may be LPSTR_TEXTCALLBACK: the window is then asked with TTN_GETDISPINFO.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    // The text is string nIDText of the current resource module.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void Activate(BOOL bActivate) { AFX_SEND(TTM_ACTIVATE, bActivate, 0); }
    // Give it the mouse messages of the tools' windows (from their PreTranslateMessage).
    void RelayEvent(LPMSG lpMsg) { AFX_SEND(TTM_RELAYEVENT, 0, lpMsg); }
    void SetDelayTime(UINT nDelay) { AFX_SEND(TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)(INT)nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime) { AFX_SEND(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    int GetDelayTime(DWORD dwDuration) const { return (int)AFX_SEND(TTM_GETDELAYTIME, dwDuration, 0); }
    int SetMaxTipWidth(int iWidth) { return (int)AFX_SEND(TTM_SETMAXTIPWIDTH, 0, iWidth); }
    int GetMaxTipWidth() const { return (int)AFX_SEND(TTM_GETMAXTIPWIDTH, 0, 0); }
    void Pop() { AFX_SEND(TTM_POP, 0, 0); }
    int GetToolCount() const { return (int)AFX_SEND(TTM_GETTOOLCOUNT, 0, 0); }

private:
    void FillInToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

// An image list. Not a window: the object owns its HIMAGELIST and deletes it.
class AFX_CORE_API CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    ~CImageList() override { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // nFlags: ILC_COLOR* with ILC_MASK for transparency.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap of the current resource module, cut into cx-wide images; crMask is transparent.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();
    // The object owning hImageList, or NULL when no CImageList holds it.
    static CImageList* FromHandlePermanent(HIMAGELIST hImageList);

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask)
    {
        return Add(pbmImage ? (HBITMAP)*pbmImage : nullptr, pbmMask ? (HBITMAP)*pbmMask : nullptr);
    }
    int Add(CBitmap* pbmImage, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, *pbmImage, crMask); }
    int Add(HBITMAP hbmImage, HBITMAP hbmMask) { return ImageList_Add(m_hImageList, hbmImage, hbmMask); }
    int Add(HBITMAP hbmImage, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, hbmImage, crMask); }
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
    {
        return ImageList_Replace(m_hImageList, nImage, *pbmImage, pbmMask ? (HBITMAP)*pbmMask : nullptr);
    }
    int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL RemoveAll() { return ImageList_Remove(m_hImageList, -1); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
    {
        return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
    }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    {
        return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
    }
    // A new icon of image nImage; the caller destroys it.
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
    BOOL SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }

    // Dragging an image over a window (the drag image is the process's, so these are static).
    BOOL BeginDrag(int nImage, CPoint ptHotSpot)
    {
        return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
    }
    static BOOL DragEnter(CWnd* pWndLock, CPoint point)
    {
        return ImageList_DragEnter(AfxGetSafeHwnd(pWndLock), point.x, point.y);
    }
    static BOOL DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(AfxGetSafeHwnd(pWndLock)); }
    static void EndDrag() { ImageList_EndDrag(); }
    static BOOL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
};

#undef AFX_SEND
