// Buttons that dialogs and ribbon bars place beside the toolbars:
//
//  - JButton: a toolbar-style bitmap button with an optional drop-down part (window
//    style bit JBS_DROPDOWN) from which the pickers drop their pop-ups, a colour fill
//    for buttons that show a current colour, and the toolbar's pressed, checked,
//    indeterminate and disabled looks;
//  - JChevronButton: a narrow overflow button holding a popup menu of bitmap items;
//  - JSpacer: an empty control of a given width.
//
// "jbutton" and "SPACER" are window classes dialog templates can name (InitCustomControls
// registers them): such a control gets its object with its first message.
//
// The owner (else the parent) of a JButton hears of a press of the main part through
// JBN_PRESSED (and WM_NOTIFY with that code) and may veto it by answering non-zero; a
// press of the drop-down part sends JBN_DROPDOWN (and WM_NOTIFY), during which the owner
// opens its pop-up; a completed click posts WM_COMMAND with the control ID.
#pragma once
#include "controlapi.h"
#include "afxext.h"

enum : UINT {
    JBN_DROPDOWN = WM_USER + 115,   // 0x473: wParam the control ID
    JBN_PRESSED = WM_USER + 116,    // 0x474: wParam the control ID
};
// Window style bit: the button has a drop-down part at its right.
enum : DWORD { JBS_DROPDOWN = 0x0001 };

class CONTROL_CLASS JButton : public CWnd {
    DECLARE_DYNAMIC(JButton)
public:
    JButton();
    ~JButton() override;

    // A child window of the framework's default class; style may hold JBS_DROPDOWN.
    BOOL Create(CWnd* pParent, CRect rect, DWORD dwStyle, UINT nID);

    // The bitmap resource from the framework's current resource module, with the
    // button colours (black, greys, white) mapped to the system's. FALSE leaves no image.
    BOOL LoadBitmap(LPCSTR lpszName);
    BOOL LoadBitmap(UINT nID) { return LoadBitmap(MAKEINTRESOURCEA(nID)); }
    // A screen-format copy of hBitmap; the caller keeps hBitmap.
    BOOL LoadBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const { return m_hBitmap; }

    void SetButtonStyle(UINT nStyle);
    UINT GetButtonStyle() const { return m_nStyle; }
    UINT GetDropDownStyle() const { return m_nDropStyle; }
    BOOL IsDropDown() const { return m_hWnd && (GetStyle() & JBS_DROPDOWN); }
    int GetDropDownWidth() const { return m_nDropWidth; }

    // Window size = bitmap size + 6 each way.
    void SizeToContent();
    void InvalidateButton();
    void SetPalette(HPALETTE hPalette);
    // Deletes the bitmap and the palette.
    void CleanUp();

    long GetAppearance() const { return m_nAppearance; }
    // 1: flat; anything else: 3-D.
    void SetAppearance(long nAppearance);

    // Paints crColor where the mask bitmap (lpszMask + "_ML"/"_MS", or lpszMask, from the
    // bitmap's module; "IDB_PTCO2" when NULL) is black. JCOLOR_FACE is the button face
    // colour, JCOLOR_NONE a hatch; other values above 0xFFFFFF turn the fill off.
    enum : COLORREF { JCOLOR_FACE = 0xFFFFFFFE, JCOLOR_NONE = 0x80000000 };
    void FillMaskColor(COLORREF crColor, LPCSTR lpszMask = nullptr);
    void ReloadColor();
    int GetFillState() const { return m_nFillState; }

    // The main part and the drop-down part in client coordinates.
    CRect MainPartRect() const;
    CRect DropDownPartRect() const;

    static BOOL RegisterControlClass();
    static void FreeSharedDrawingObjects();

protected:
    void Paint(CDC* pDC);
    void DrawPart(CDC* pDC, const CRect& part, UINT nStyle, HBITMAP hImage, BOOL bFollowedByDropDown);
    void Press(CPoint point);
    CWnd* NotifyTarget() const;
    LRESULT Notify(UINT nCode);
    void SetMessageString(UINT nID);
    void ApplyFill(BOOL bRepaint);
    BOOL ReloadResourceBitmap();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateCommand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    int m_nAppearance = 0;
    UINT m_nStyle = 0;
    UINT m_nDropStyle = 0;
    int m_nDropWidth = 14;
    HBITMAP m_hBitmap = nullptr;   // owned
    HBITMAP m_hPlain = nullptr;    // the image before any colour fill; owned
    HRSRC m_hRsrc = nullptr;
    HINSTANCE m_hRsrcModule = nullptr;
    CString m_strRsrcName;   // the resource's name, for a reload after a colour change
    BOOL m_bTracking = FALSE;
    BOOL m_bDropDown = FALSE;
    COLORREF m_crFill = 0;
    CString m_strMask;
    int m_nFillState = 0;            // 0 none, 1 applied, -1 to apply at the next paint
    HPALETTE m_hPalette = nullptr;   // owned
    BOOL m_bHot = FALSE;
};

class CONTROL_CLASS JChevronButton : public CWnd {
    DECLARE_DYNAMIC(JChevronButton)
public:
    JChevronButton();
    ~JChevronButton() override;

    // At (left, top) of rect with the chevron's own size.
    virtual BOOL Create(LPCSTR lpszName, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual void DrawBorder(CDC* pDC, const CRect& rect);
    virtual BOOL HitButton(const CPoint& point);
    // Appends a bitmap item and shows the chevron; the caller keeps hBitmap alive. 0.
    virtual long Add(UINT nID, HBITMAP hBitmap);
    virtual long MenuCount();
    // Removes the first item; the chevron hides while items remain. The new count.
    virtual long PopOffTopMenuItem();

    CMenu m_menu;
    int m_nWidth = 11;
    int m_nHeight = 22;
    int m_nAppearance = 0;
    int m_nItems = 0;
    BOOL m_bMenuShown = FALSE;

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CONTROL_CLASS JSpacer : public CWnd {
    DECLARE_DYNAMIC(JSpacer)
public:
    static BOOL RegisterControlClass();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
