// JArrowDropdown: the arrowhead pictures and a text entry, in a list inside the pop-up.
#include "jdropdown.h"

#include "baseutil.h"
#include "cntlrc.h"
#include "module.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(JArrowDropdown, JDropdown)

namespace {

const int kListWidth = 117;
const int kImageWidth = 60;
const int kImageHeight = 11;

// Arrowhead kind k as a line ending at the right on the given colours: 0 plain, 1 open
// head, 2 filled head, 3 heads at both ends, 4 a dot, 5 a tick across the end.
HBITMAP MakeArrowImage(int kind, COLORREF ink, COLORREF paper)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, kImageWidth, kImageHeight);
    ::ReleaseDC(nullptr, hScreen);
    if (!hBitmap)
        return nullptr;
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ hOldBitmap = dc.SelectObject(hBitmap);
    dc.FillSolidRect(0, 0, kImageWidth, kImageHeight, paper);
    const int mid = kImageHeight / 2, end = kImageWidth - 3;
    dc.FillSolidRect(3, mid, end - 3, 1, ink);
    auto head = [&](int tip, int dir, bool filled) {
        for (int i = 0; i <= 4; ++i) {
            const int x = tip - dir * i;
            if (filled)
                dc.FillSolidRect(x, mid - i, 1, 2 * i + 1, ink);
            else {
                dc.FillSolidRect(x, mid - i, 1, 1, ink);
                dc.FillSolidRect(x, mid + i, 1, 1, ink);
            }
        }
    };
    switch (kind) {
    case 1:
        head(end, 1, false);
        break;
    case 2:
        head(end, 1, true);
        break;
    case 3:
        head(end, 1, true);
        head(3, -1, true);
        break;
    case 4:
        dc.FillSolidRect(end - 3, mid - 2, 5, 5, ink);
        break;
    case 5:
        for (int i = -3; i <= 3; ++i)
            dc.FillSolidRect(end - i, mid + i, 1, 1, ink);
        break;
    default:
        break;
    }
    dc.SelectObject(hOldBitmap);
    ::DeleteDC(dc.Detach());
    return hBitmap;
}

}   // namespace

JArrowDropdown::JArrowDropdown() = default;

JArrowDropdown::~JArrowDropdown()
{
    if (m_list.m_hWnd)
        m_list.DestroyWindow();
    for (JDROPIMAGE& image : m_images) {
        if (image.hNormal)
            ::DeleteObject(image.hNormal);
        if (image.hSelected)
            ::DeleteObject(image.hSelected);
    }
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

BOOL JArrowDropdown::Create(JButton* pButton)
{
    if (m_hWnd && m_list.m_hWnd) {
        m_pButton = pButton;
        return pButton && ::IsWindow(pButton->GetSafeHwnd());
    }
    if (!JDropdown::Create(pButton))
        return FALSE;
    // The bold control font and the row height of the text entry in it.
    HDC hScreen = ::GetDC(nullptr);
    m_hFont = CreateLibraryFont(FW_BOLD, IDS_UNITEDIT_FONT_FACE);
    const CString more = LibraryText(IDS_DROPDOWN_MORE, "More...");
    HGDIOBJ hOld = ::SelectObject(hScreen, m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(SYSTEM_FONT));
    SIZE text{};
    ::GetTextExtentPoint32A(hScreen, more, more.GetLength(), &text);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(nullptr, hScreen);
    const int rowHeight = std::max<int>(13, text.cy);

    const int entries = kArrowCount + 1;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    CRect list(0, 0, kListWidth, entries * rowHeight);
    ::AdjustWindowRectEx(list, style, FALSE, 0);
    list.OffsetRect(m_nMarginX - list.left, m_nMarginY - list.top);
    m_list.m_nItemHeight = rowHeight;
    m_list.m_strText = more;
    if (!m_list.Create(style, list, this, 1))
        return FALSE;
    m_list.SendMessage(WM_SETFONT, (WPARAM)m_hFont, FALSE);
    m_list.SetItemHeight(0, rowHeight);
    for (int i = 0; i < kArrowCount; ++i) {
        JDROPIMAGE& image = m_images[i];
        image.style = (UINT)i;
        image.width = kImageWidth;
        image.height = kImageHeight;
        image.hNormal = MakeArrowImage(i, ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOW));
        image.hSelected = MakeArrowImage(i, ::GetSysColor(COLOR_HIGHLIGHTTEXT), ::GetSysColor(COLOR_HIGHLIGHT));
        m_list.AddBitmap(reinterpret_cast<DWORD_PTR>(&image));
    }
    m_list.AddBitmap(JDROP_TEXTITEM);
    // The pop-up: the list and the margins on both sides.
    CRect popup(0, 0, list.right + m_nMarginX, list.bottom + m_nMarginY);
    ::AdjustWindowRectEx(popup, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, popup.Width(), popup.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}
