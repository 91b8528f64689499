// The colour picker: a pop-up palette of colour wells dropped from a JButton, with 18
// standard colours and custom colours the user defines with the system colour dialog.
// Custom colours are kept per user in the registry ("CustomColors") and per drawing in
// the host's active document (its preference store); the palette grows, in rows and
// then in columns, to make room for them. JColorComboBox is its combo-box form.
//
//     m_picker.Create(this, 0, 0, JCP_MORECOLORS, ID_COLOR);    // once
//     m_picker.ShowDropDown(&m_colorButton);                     // on JBN_DROPDOWN
//     ... WM_COMMAND(MAKEWPARAM(ID_COLOR, 1)): m_picker.GetCurrentColor()
#pragma once
#include "controlapi.h"
#include "jbutton.h"

#include <vector>

enum tagColorReference : int {
    COLORREF_REGISTRY = 0,   // a custom colour of the user's registry list
    COLORREF_DOCUMENT = 1,   // a custom colour of the document
    COLORREF_PICKED = 2,     // picked since loading: stored in both places
    COLORREF_TEXT = 3,       // a text button
    COLORREF_EMPTY = 4,      // an empty well
};

struct COLOR_INFO {
    COLORREF color = 0;          // or JCP_COLOR_NOFILL, JCP_COLOR_MORE, JCP_COLOR_SPECIAL
    COLORREF paletteColor = 0;   // PALETTEINDEX form when a palette is in use
    CString name;
    CRect rect;
    tagColorReference reference = COLORREF_EMPTY;
};

// Picker style bits (the low word of Create's style).
enum : DWORD { JCP_NOFILL = 0x1, JCP_MORECOLORS = 0x2, JCP_PREVIEW = 0x4 };
enum : COLORREF {
    JCP_COLOR_NOFILL = (COLORREF)-2,
    JCP_COLOR_MORE = (COLORREF)-3,
    JCP_COLOR_SPECIAL = 0x80000000,   // drawn as a hatch
};

class CONTROL_CLASS JColorPicker : public CWnd {
    DECLARE_DYNAMIC(JColorPicker)
public:
    JColorPicker();
    explicit JColorPicker(const char* pickerName);
    ~JColorPicker() override;

    BOOL Create(CWnd* pOwner, int x, int y, DWORD dwStyle, UINT nID);
    int ShowDropDown(JButton* pButton);
    // The selected colour (-1 when none) and its name; the more-colours button asks the user.
    unsigned long GetCurrentColor(CString* pName = nullptr);
    void SetCurrentColor(COLORREF color);
    int SetColorInfo(int index, COLORREF color, const char* name, tagColorReference reference);

    virtual void LoadColors(const char* registryName);
    virtual void LoadColorPickerSettings(const char* registryName);
    virtual int FindColorIndex(COLORREF color, const std::vector<COLORREF>& list);
    virtual int FindColorIndex(COLORREF color);
    virtual void SaveColorsToDocument(const char* registryName);
    virtual void SaveColorsToRegistry(const char* registryName);
    virtual int ColorsCountInRegistry(const char* registryName);
    virtual int ColorsCountInDocument(const char* registryName);
    virtual int LoadColorsFromRegistry(const char* registryName, std::vector<COLORREF>* pList);
    virtual int LoadColorsFromRegistry(const char* registryName);
    virtual int LoadColorsFromDocument(const char* registryName, std::vector<COLORREF>* pList);
    virtual int LoadColorsFromDocument(const char* registryName);
    virtual int GetNextAvailableCustomIndex();
    virtual int GetCountOfAvailableCustomWells();
    virtual void AddColorWell(int index);
    virtual void ReSize();
    virtual int MergeColorCount(const char* registryName);
    virtual CSize CalcFixedLayout();

    void LoadDefaultColors();
    void SetPalette(HPALETTE hPalette) { m_hPalette = hPalette; }
    void SetRegistryName(const char* name);
    void GetRegistryName(char* buffer, unsigned cbBuffer) const;
    void SetColorPickerName(const char* name);
    void ChangeNoFillText(const char* text);
    int Reset();
    void SaveColors(const char* registryName);
    void ComputeAndAdjustColorWells();
    static int PointOnBorders(const CRect& rect, CPoint point);
    // The document the colours of the drawing go to; NULL asks the host's application
    // object for its active document at the next load.
    void SetDocument(IUnknown* pDocument);

    int GetButtonCount() const { return (int)m_buttons.size(); }
    const COLOR_INFO* GetButton(int index) const;
    int GetColumns() const { return m_nColumns; }
    int GetWellCount() const { return m_nWells; }
    int GetLastCustomIndex() const { return m_nLastCustom; }
    int GetCurSel() const { return m_nCurrent; }
    int FirstCustomIndex() const { return (m_dwPickerStyle & JCP_NOFILL) ? 19 : 18; }
    // The button under a client point, or -1.
    int HitButton(CPoint point) const;

protected:
    void Init();
    void BuildButtons(const std::vector<COLOR_INFO>* pKeep);
    void ClearButtons();
    int WellButton(int well) const { return well + ((m_dwPickerStyle & JCP_NOFILL) ? 1 : 0); }
    CString DocumentSection() const;
    CString EmptyText() const;
    void Select(int index);
    void Notify();
    void DrawButton(CDC* pDC, int index);
    void Paint(CDC* pDC);
    BOOL AskForName(CString& name);
    unsigned long PickMoreColors(CString* pName);
    void AdvanceCustomIndex();
    int Widen(int rows, int merged, bool* pAdjusted);
    // Keeps the palette on the work area of the owner's monitor: fewer columns, more rows,
    // smaller wells, and only past the smallest wells fewer of them.
    void FitToWorkArea();
    // Loads the document's colours into free wells, or with pList collects the new ones there.
    int LoadColorsFromDocument(const char* registryName, void* reserved, std::vector<COLORREF>* pList);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    std::vector<COLOR_INFO> m_buttons;
    int m_cxWell = 19, m_cyWell = 19, m_nColumns = 6, m_nWells = 30, m_nMargin = 2, m_cxGap = 1, m_cyGap = 1;
    int m_cyText = 19, m_nTextGap = 5;
    int m_nCurrent = -1;
    int m_nSaved = -1;
    DWORD m_dwPickerStyle = 0;
    CWnd* m_pOwner = nullptr;
    UINT m_nID = 0;
    CString m_strRegistryName;
    CString m_strPickerName;
    int m_nNextCustom = 18;
    int m_nLastCustom = 29;
    HFONT m_hFont = nullptr;   // owned
    HPALETTE m_hPalette = nullptr;
    BOOL m_bLoadedRegistry = FALSE;
    BOOL m_bLoadedDocument = FALSE;
    IUnknown* m_pDocument = nullptr;   // held
    BOOL m_bDocumentGiven = FALSE;
    int m_bGrowPalette = 1, m_nCustomWells = 12, m_bAdjustPalette = 1, m_nAdjustOnRow = 16, m_nAdjustColumnsBy = 1;
    CRect m_preview;
    CString m_strNoFill;
};

class CONTROL_CLASS JColorComboBox : public CComboBox {
    DECLARE_DYNAMIC(JColorComboBox)
public:
    static BOOL RegisterControlClass();
    void SetRegistryName(const char* name);
    int AddColor(COLORREF color, const char* name);
    int SetCurrentColor(COLORREF color);
    COLORREF GetCurrentColor() const;
    void AddDefaultColors();
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDraw);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasure);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CString m_strRegistryName;
};
