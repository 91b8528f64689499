#include "sheettabs.h"

#include "mainframe.h"

#include <algorithm>
#include <string>

namespace {

const UINT kSheetID = 1;
const UINT kTabBarID = 2;
const int kSheetWidth = 3000;   // the sheet's extent the scroll bar moves over, in pixels
enum : UINT { kInsertSheet = 1, kRenameSheet, kDeleteSheet };

}   // namespace

BEGIN_MESSAGE_MAP(CSheetArea, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

BOOL CSheetArea::Create(CWnd* pFrame, UINT nID, CSheetView* pSheet)
{
    if (!CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pFrame, nID))
        return FALSE;
    m_pSheet = pSheet;
    if (!pSheet->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kSheetID))
        return FALSE;
    if (!m_tabBar.Create(JTBS_BOTTOM | JTBS_SHEETTABS | JTBS_EDITLABELS, this, kTabBarID))
        return FALSE;
    for (int i = 0; i < 12; ++i)
        AddSheet(nullptr, reinterpret_cast<CJTab*>(-1));
    // A scroll bar shares the strip, so that a dozen sheets need the scroll buttons.
    m_tabBar.ShowScrollBar(TRUE);
    m_tabBar.SetTabToScrollRatio(0.45f);
    if (CWnd* pBar = m_tabBar.GetScrollBarCtrl()) {
        SCROLLINFO info{sizeof info, SIF_RANGE, 0, kSheetWidth - 1, 0, 0, 0};
        ::SetScrollInfo(pBar->m_hWnd, SB_CTL, &info, FALSE);
    }
    return TRUE;
}

CRect CSheetArea::VisibleTabBar() const
{
    CRect bar, area;
    m_tabBar.GetWindowRect(&bar);
    GetWindowRect(&area);
    bar.IntersectRect(bar, area);
    return bar;
}

void CSheetArea::AddSheet(LPCSTR lpszName, CJTab* pAfter)
{
    std::wstring name = lpszName ? GUserText(lpszName).ToWide() : L"Sheet" + std::to_wstring(m_nNextSheet);
    // A name no other sheet has.
    while (m_tabBar.FindItem(GUserText::FromWide(name.c_str())))
        name = L"Sheet" + std::to_wstring(++m_nNextSheet);
    ++m_nNextSheet;
    _JTB_ITEM item{0, name.data(), 0, 0};
    m_tabBar.InsertItem(item, pAfter);
}

void CSheetArea::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    // The sheet ends where the tab bar starts (the bar reaches one pixel past the bottom).
    if (m_pSheet && m_pSheet->m_hWnd)
        m_pSheet->MoveWindow(0, 0, cx, std::max(0, cy - ::GetSystemMetrics(SM_CYHSCROLL) + 1));
    // A page of the scroll bar is the sheet's width in view.
    if (CWnd* pBar = m_tabBar.GetScrollBarCtrl()) {
        SCROLLINFO info{sizeof info, SIF_PAGE, 0, 0, (UINT)std::max(0, cx), 0, 0};
        ::SetScrollInfo(pBar->m_hWnd, SB_CTL, &info, TRUE);
        if (m_pSheet)
            m_pSheet->ScrollTo(::GetScrollPos(pBar->m_hWnd, SB_CTL));
    }
}

BOOL CSheetArea::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// The tab bar's scroll bar scrolls the sheet.
void CSheetArea::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    const CWnd* pOurs = m_tabBar.GetScrollBarCtrl();
    if (!pScrollBar || !pOurs || pScrollBar->m_hWnd != pOurs->m_hWnd)
        return;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(pScrollBar->m_hWnd, SB_CTL, &info))
        return;
    const int line = 20, page = std::max<int>(line, (int)info.nPage);
    int pos = info.nPos;
    switch (nSBCode) {
    case SB_LINELEFT:
        pos -= line;
        break;
    case SB_LINERIGHT:
        pos += line;
        break;
    case SB_PAGELEFT:
        pos -= page;
        break;
    case SB_PAGERIGHT:
        pos += page;
        break;
    case SB_LEFT:
        pos = info.nMin;
        break;
    case SB_RIGHT:
        pos = info.nMax;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = (int)nPos;
        break;
    default:
        return;
    }
    pos = std::clamp(pos, info.nMin, std::max(info.nMin, info.nMax - std::max(0, (int)info.nPage - 1)));
    ::SetScrollPos(pScrollBar->m_hWnd, SB_CTL, pos, TRUE);
    m_pSheet->ScrollTo(pos);
}

BOOL CSheetArea::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pNotify = reinterpret_cast<const JTBNOTIFY*>(lParam);
    if (wParam != kTabBarID || pNotify->hdr.hwndFrom != m_tabBar.m_hWnd)
        return CWnd::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    if (pNotify->hdr.code == JTBN_RCLICK && pNotify->pTab)
        ShowSheetMenu(pNotify->pTab, pNotify->pt);
    return TRUE;
}

void CSheetArea::ShowSheetMenu(CJTab* pTab, CPoint point)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, kInsertSheet, "&Insert Sheet");
    ::AppendMenuA(hMenu, MF_STRING, kRenameSheet, "&Rename Sheet...");
    ::AppendMenuA(hMenu, MF_STRING | (m_tabBar.GetItemCount() > 1 ? 0 : MF_GRAYED), kDeleteSheet, "&Delete Sheet");
    m_tabBar.ClientToScreen(&point);
    const UINT command = (UINT)::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_BOTTOMALIGN, point.x,
                                                point.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
    switch (command) {
    case kInsertSheet:
        AddSheet(nullptr, pTab);
        m_tabBar.SetActiveItem(m_tabBar.GetNextItem(pTab));
        m_tabBar.EnsureItemVisible(m_tabBar.GetActiveItem());
        break;
    case kRenameSheet:
        m_tabBar.RenameItem(pTab);
        break;
    case kDeleteSheet:
        m_tabBar.DeleteItem(pTab);
        break;
    default:
        break;
    }
}
