// JColorComboBox: an owner-drawn combo box of named colours, each item's data its colour,
// and the window class "JColorComboBox" for dialog templates.
#include "colorlist.h"

#include "cntlrc.h"
#include "module.h"

#include <new>

IMPLEMENT_DYNAMIC(JColorComboBox, CComboBox)

namespace {

// The default entries: the standard colours by their palette indices, in the list's order.
const int kDefaultOrder[18] = {0, 10, 9, 8, 11, 6, 7, 1, 16, 15, 14, 17, 12, 13, 5, 4, 3, 2};

HINSTANCE ClassModule()
{
    return ControlModule() ? ControlModule() : ::GetModuleHandleA(nullptr);
}

WNDPROC g_pfnCombo = nullptr;   // the system combo box class's procedure

class JTemplateColorCombo final : public JColorComboBox {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // Owner-drawn items that keep their texts, in the order they are added. The combo box
        // makes its drop-down list from the style of WM_CREATE's creation data, which is not the
        // one WM_NCCREATE saw: both get the style.
        if (message == WM_NCCREATE || message == WM_CREATE) {
            const DWORD add = CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, remove = CBS_SORT | CBS_OWNERDRAWVARIABLE;
            if (message == WM_NCCREATE)
                ModifyStyle(remove, add);
            if (auto* pCreate = reinterpret_cast<CREATESTRUCTA*>(lParam))
                pCreate->style = (pCreate->style & ~remove) | add;
        }
        const LRESULT result = JColorComboBox::WindowProc(message, wParam, lParam);
        if (message == WM_CREATE && result != -1)
            AddDefaultColors();
        return result;
    }

    // Takes the window over; its default processing stays the combo box's.
    void Adopt(HWND hWnd)
    {
        Attach(hWnd);
        m_pfnSuper = g_pfnCombo;
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
    }

protected:
    void PostNcDestroy() override { delete this; }
};

LRESULT CALLBACK StartUp(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CWnd::FromHandlePermanent(hWnd))
        return ::CallWindowProcA(g_pfnCombo, hWnd, message, wParam, lParam);
    auto* pCombo = new (std::nothrow) JTemplateColorCombo;
    if (!pCombo)
        return ::CallWindowProcA(g_pfnCombo, hWnd, message, wParam, lParam);
    pCombo->Adopt(hWnd);
    return AfxCallWndProc(pCombo, hWnd, message, wParam, lParam);
}

}   // namespace

BOOL JColorComboBox::RegisterControlClass()
{
    WNDCLASSA combo{};
    if (!::GetClassInfoA(nullptr, "combobox", &combo))
        return FALSE;
    g_pfnCombo = combo.lpfnWndProc;
    WNDCLASSA existing{};
    if (::GetClassInfoA(ClassModule(), "JColorComboBox", &existing))
        return existing.lpfnWndProc == StartUp;
    WNDCLASSA wc = combo;
    wc.hInstance = ClassModule();
    wc.lpszClassName = "JColorComboBox";
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = StartUp;
    return ::RegisterClassA(&wc) != 0;
}

void JColorComboBox::SetRegistryName(const char* name)
{
    m_strRegistryName = name ? CString(name).Left(1023) : CString();
    if (!m_hWnd || m_strRegistryName.IsEmpty())
        return;
    for (const auto& [color, text] : ReadStoredColorList(m_strRegistryName))
        AddColor(color, text.IsEmpty() ? LibraryText(IDS_COLOR_CUSTOM, "Custom").GetString() : text.GetString());
}

void JColorComboBox::AddDefaultColors()
{
    for (int index : kDefaultOrder)
        AddColor(StandardColor(index), StandardColorName(index));
    AddColor(JCP_COLOR_SPECIAL, LibraryText(IDS_COLOR_SPECIAL, "By Layer"));
}

int JColorComboBox::AddColor(COLORREF color, const char* name)
{
    if (!m_hWnd || !name)
        return -1;
    const int found = (int)CComboBox::DefWindowProc(CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    if (found != CB_ERR)
        return found;
    const int index = (int)CComboBox::DefWindowProc(CB_ADDSTRING, 0, (LPARAM)name);
    if (index >= 0)
        CComboBox::DefWindowProc(CB_SETITEMDATA, index, (LPARAM)color);
    return index;
}

int JColorComboBox::SetCurrentColor(COLORREF color)
{
    if (!m_hWnd)
        return -1;
    const int count = GetCount();
    for (int index = 0; index < count; ++index)
        if ((COLORREF)GetItemData(index) == color) {
            SetCurSel(index);
            return index;
        }
    // Appended even when an earlier unknown colour took the same name: a match by name
    // would select that colour instead of this one.
    const int added =
        (int)CComboBox::DefWindowProc(CB_ADDSTRING, 0, (LPARAM)LibraryText(IDS_COLOR_EMPTY, "Empty").GetString());
    if (added < 0)
        return -1;
    CComboBox::DefWindowProc(CB_SETITEMDATA, added, (LPARAM)color);
    SetCurSel(added);
    return added;
}

COLORREF JColorComboBox::GetCurrentColor() const
{
    const int index = m_hWnd ? GetCurSel() : CB_ERR;
    return index == CB_ERR ? (COLORREF)-1 : (COLORREF)GetItemData(index);
}

void JColorComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasure)
{
    lpMeasure->itemHeight = 16;
}

void JColorComboBox::DrawItem(LPDRAWITEMSTRUCT lpDraw)
{
    if ((int)lpDraw->itemID < 0)
        return;
    CDC dc;
    dc.Attach(lpDraw->hDC);
    const CRect rect(lpDraw->rcItem);
    const BOOL bSelected = (lpDraw->itemState & ODS_SELECTED) != 0;
    dc.FillSolidRect(rect, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF color = (COLORREF)lpDraw->itemData;
    CRect swatch(rect.left + 1, rect.top + 1, rect.left + rect.Height() - 1, rect.bottom - 1);
    HGDIOBJ hOldPen = dc.SelectObject(::GetStockObject(BLACK_PEN));
    HBRUSH hFill = color == JCP_COLOR_SPECIAL ? ::CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0))
                                              : ::CreateSolidBrush(color & 0xFFFFFF);
    HGDIOBJ hOldBrush = dc.SelectObject(hFill);
    ::Rectangle(dc.GetSafeHdc(), swatch.left, swatch.top, swatch.right, swatch.bottom);
    dc.SelectObject(hOldBrush);
    dc.SelectObject(hOldPen);
    ::DeleteObject(hFill);
    CString text;
    GetLBText((int)lpDraw->itemID, text);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(bSelected                            ? COLOR_HIGHLIGHTTEXT
                                  : (lpDraw->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                                       : COLOR_WINDOWTEXT));
    CRect textRect = rect;
    textRect.left = swatch.right + 3;
    dc.DrawText(text, -1, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SetBkMode(oldMode);
    if (bSelected && (lpDraw->itemState & ODS_FOCUS))
        ::DrawFocusRect(dc.GetSafeHdc(), rect);
    dc.Detach();
}

LRESULT JColorComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_REFLECT_BASE + WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    }
    if (message == WM_REFLECT_BASE + WM_MEASUREITEM) {
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    }
    if (message == WM_REFLECT_BASE + WM_COMMAND) {
        const UINT code = HIWORD(wParam);
        if (code == CBN_SETFOCUS || code == CBN_KILLFOCUS || code == CBN_EDITCHANGE)
            return TRUE;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}
