// JBitmapListBox: the owner-drawn list of pictures and one text entry inside the dropdowns.
#include "jdropdown.h"

IMPLEMENT_DYNAMIC(JBitmapListBox, CListBox)

BEGIN_MESSAGE_MAP(JBitmapListBox, CListBox)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

int JBitmapListBox::AddBitmap(DWORD_PTR itemData)
{
    const int index = (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)itemData);
    if (index >= 0)
        SetItemData(index, itemData);
    return index;
}

void JBitmapListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasure)
{
    lpMeasure->itemHeight = m_nItemHeight;
}

void JBitmapListBox::DrawItem(LPDRAWITEMSTRUCT lpDraw)
{
    if ((int)lpDraw->itemID < 0)
        return;
    CDC dc;
    dc.Attach(lpDraw->hDC);
    const CRect rect(lpDraw->rcItem);
    const BOOL bSelected = (lpDraw->itemState & ODS_SELECTED) != 0;
    const BOOL bDisabled = (lpDraw->itemState & ODS_DISABLED) != 0;
    const DWORD_PTR data = lpDraw->itemData;
    if (data == JDROP_TEXTITEM || !data) {
        dc.FillSolidRect(rect, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const COLORREF oldText = dc.SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        CRect text = rect;
        dc.DrawText(m_strText, -1, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.SetBkMode(oldMode);
        dc.SetTextColor(oldText);
    } else {
        const auto* pImage = reinterpret_cast<const JDROPIMAGE*>(data);
        const int background = bSelected ? COLOR_HIGHLIGHT : (bDisabled ? COLOR_3DFACE : COLOR_WINDOW);
        dc.FillSolidRect(rect, ::GetSysColor(background));
        HBITMAP hImage = bSelected && pImage->hSelected   ? pImage->hSelected
                         : bDisabled && pImage->hDisabled ? pImage->hDisabled
                                                          : pImage->hNormal;
        if (hImage) {
            HDC hMemory = ::CreateCompatibleDC(lpDraw->hDC);
            HGDIOBJ hOld = ::SelectObject(hMemory, hImage);
            const int x = (rect.left + rect.right) / 2 - pImage->width / 2;
            const int y = (rect.top + rect.bottom) / 2 - pImage->height / 2;
            ::BitBlt(lpDraw->hDC, x, y, pImage->width, pImage->height, hMemory, 0, 0, SRCCOPY);
            ::SelectObject(hMemory, hOld);
            ::DeleteDC(hMemory);
        }
    }
    dc.Detach();
}
