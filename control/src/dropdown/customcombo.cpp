// JCustomComboBox: a top section in insertion order above the sorted rest, with a line
// under the top section.
#include "jdropdown.h"

#include <mbstring.h>

IMPLEMENT_DYNAMIC(JCustomComboBox, CComboBox)

int JCustomComboBox::AddItem(LPCSTR lpszText, BOOL bSorted, DWORD_PTR itemData)
{
    if (!m_hWnd || !lpszText)
        return -1;
    if (CComboBox::DefWindowProc(CB_FINDSTRING, (WPARAM)-1, (LPARAM)lpszText) != CB_ERR)
        return -1;
    int index;
    if (!bSorted) {
        index = m_nLastTop + 1;
    } else {
        const int count = (int)CComboBox::DefWindowProc(CB_GETCOUNT, 0, 0);
        index = m_nLastTop + 1;
        for (; index < count; ++index) {
            const int length = (int)CComboBox::DefWindowProc(CB_GETLBTEXTLEN, index, 0);
            if (length < 0)
                break;
            CString item;
            CComboBox::DefWindowProc(CB_GETLBTEXT, index, (LPARAM)item.GetBuffer(length + 1));
            item.ReleaseBuffer();
            if (_mbsicmp(reinterpret_cast<const unsigned char*>((LPCSTR)item),
                         reinterpret_cast<const unsigned char*>(lpszText)) > 0)
                break;
        }
    }
    const int inserted = (int)CComboBox::DefWindowProc(CB_INSERTSTRING, index, (LPARAM)lpszText);
    if (inserted < 0)
        return -1;
    if (!bSorted)
        m_nLastTop = inserted;
    CComboBox::DefWindowProc(CB_SETITEMDATA, inserted, (LPARAM)itemData);
    return inserted;
}

LRESULT JCustomComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CB_ADDSTRING)
        return AddItem(reinterpret_cast<LPCSTR>(lParam), TRUE, 0);
    if (message == CB_RESETCONTENT)
        m_nLastTop = -1;
    if (message == WM_REFLECT_BASE + WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

void JCustomComboBox::DrawItem(LPDRAWITEMSTRUCT lpDraw)
{
    if ((int)lpDraw->itemID < 0)
        return;
    CDC dc;
    dc.Attach(lpDraw->hDC);
    const CRect rect(lpDraw->rcItem);
    const BOOL bSelected = (lpDraw->itemState & ODS_SELECTED) != 0;
    dc.FillSolidRect(rect, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CString text;
    const int length = (int)CComboBox::DefWindowProc(CB_GETLBTEXTLEN, lpDraw->itemID, 0);
    if (length > 0) {
        CComboBox::DefWindowProc(CB_GETLBTEXT, lpDraw->itemID, (LPARAM)text.GetBuffer(length + 1));
        text.ReleaseBuffer();
    }
    const COLORREF oldText = dc.SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    CRect textRect = rect;
    textRect.left += 2;
    dc.DrawText(text, -1, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldText);
    // The line under the top section, in the list (not in the edit part).
    if (m_bSeparator && (int)lpDraw->itemID == m_nLastTop && !(lpDraw->itemState & ODS_COMBOBOXEDIT))
        dc.FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, ::GetSysColor(COLOR_WINDOWTEXT));
    dc.Detach();
}
