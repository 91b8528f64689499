// CJTabBar: creation, the tabs and the selection. Layout and scrolling are in
// tabbar_layout.cpp, painting and the font in tabbar_paint.cpp, the mouse, keys,
// notifications and renaming in tabbar_input.cpp.
#include "jtabbar.h"

IMPLEMENT_DYNAMIC(CJTabBar, CWnd)

namespace {

GUserText ItemText(const _JTB_ITEM& item)
{
    return item.pszText ? GUserText::FromWide(item.pszText) : GUserText();
}

}   // namespace

CJTabBar::CJTabBar() : m_pTabs(new CJTabList), m_hCursor(::LoadCursorA(nullptr, IDC_ARROW))
{
}

CJTabBar::~CJTabBar()
{
    if (m_hWnd)
        DestroyWindow();
    UnhookParent();
    m_selection.RemoveAll();
    delete m_pTabs;
}

BOOL CJTabBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT nID)
{
    if (!pParentWnd || !pParentWnd->m_hWnd || m_hWnd)
        return FALSE;
    m_dwStyle = dwStyle;
    if (!(m_dwStyle & JTBS_ALIGNMASK))
        m_dwStyle |= JTBS_BOTTOM;
    m_pParent = pParentWnd;
    m_cyScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    MakeFont();
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, m_hCursor);
    if (!CWnd::CreateEx(0, lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP,
                        CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    CreateScrollButtons();
    HookParent();
    ReSize();
    return TRUE;
}

BOOL CJTabBar::GetItem(CJTab* pTab, _JTB_ITEM& item) const
{
    if (!m_pTabs->Contains(pTab))
        return FALSE;
    item.state = pTab->GetState();
    item.lParam = pTab->GetData();
    if (item.pszText) {
        // A host that gives no size has room for the whole name.
        const std::wstring text = pTab->GetText().ToWide();
        const size_t count = item.cchTextMax > 0 ? std::min(text.size(), (size_t)item.cchTextMax - 1) : text.size();
        wmemcpy(item.pszText, text.c_str(), count);
        item.pszText[count] = L'\0';
    }
    return TRUE;
}

BOOL CJTabBar::SetItem(CJTab* pTab, const _JTB_ITEM& item)
{
    if (!m_pTabs->Contains(pTab))
        return FALSE;
    pTab->SetText(ItemText(item));
    pTab->SetData(item.lParam);
    // The active tab stays the one active tab: the state only changes the selection of others.
    if (!pTab->IsActive()) {
        SelectItem(pTab, (item.state & JTIS_SELECTED) ? 1 : 0);
        if (item.state & JTIS_ACTIVE)
            SetActiveItem(pTab);
    }
    LayoutTabs();
    if (m_hWnd)
        Invalidate(FALSE);
    return TRUE;
}

CJTab* CJTabBar::InsertItem(const _JTB_ITEM& item, CJTab* pAfter)
{
    const BOOL bTail = pAfter == reinterpret_cast<CJTab*>(-1);
    if (pAfter && !bTail && !m_pTabs->Contains(pAfter))
        return nullptr;
    CJTab* pTab = nullptr;
    if (m_dwStyle & JTBS_SHEETTABS)
        pTab = new CJSheetTab(this, m_pTabs);
    else if (m_dwStyle & JTBS_SECTIONTABS)
        pTab = new CJSectionTab(this, m_pTabs);
    else
        return nullptr;
    pTab->SetText(ItemText(item));
    pTab->SetData(item.lParam);

    CJTab* pPrevious = bTail ? GetLastItem() : pAfter;
    POSITION position;
    if (bTail)
        position = m_pTabs->AddTail(pTab);
    else if (pAfter)
        position = m_pTabs->InsertAfter(pAfter->GetPosition(), pTab);
    else
        position = m_pTabs->AddHead(pTab);
    pTab->SetPosition(position);

    if (!m_pActive) {
        pTab->SetState(JTIS_ACTIVE | JTIS_SELECTED);
        m_pActive = pTab;
        m_selection.AddTail(pTab);
    }
    // The first visible tab stays the same tab.
    const int index = pPrevious ? m_pTabs->IndexOf(pPrevious) + 1 : 0;
    if (GetItemCount() > 1 && index <= m_nFirst)
        ++m_nFirst;
    if (bTail && pPrevious) {
        // Appending moves nothing else.
        pTab->PlaceAt(pPrevious->GetEnd() - m_pTabs->GetOverlap(), m_cyScroll);
        CountVisible();
        UpdateScrollButtons();
    } else {
        LayoutTabs();
    }
    InvalidateItem(pTab);
    return pTab;
}

BOOL CJTabBar::DeleteItem(CJTab* pTab)
{
    const int index = m_pTabs->IndexOf(pTab);
    if (index < 0)
        return FALSE;
    if (m_pHeld == pTab) {
        m_pHeld = nullptr;
        if (m_hWnd)
            KillTimer(kHoldTimer);
    }
    if (m_pRenaming == pTab)
        m_pRenaming = nullptr;
    if (m_pDropTarget == pTab)
        m_pDropTarget = nullptr;
    if (POSITION position = m_selection.Find(pTab))
        m_selection.RemoveAt(position);
    if (m_pActive == pTab) {
        CJTab* pNext = GetNextItem(pTab);
        if (!pNext)
            pNext = GetPrevItem(pTab);
        m_pActive = pNext;
        if (pNext) {
            pNext->SetState(JTIS_ACTIVE | JTIS_SELECTED);
            if (!m_selection.Find(pNext))
                m_selection.AddTail(pNext);
        }
    }
    m_pTabs->RemoveAt(pTab->GetPosition());
    delete pTab;
    if (index < m_nFirst || m_nFirst >= GetItemCount())
        m_nFirst = std::max(0, m_nFirst - 1);
    LayoutTabs();
    if (m_hWnd)
        Invalidate(FALSE);
    return TRUE;
}

void CJTabBar::DeleteAllItems()
{
    m_pHeld = m_pRenaming = m_pDropTarget = m_pActive = nullptr;
    if (m_hWnd)
        KillTimer(kHoldTimer);
    m_selection.RemoveAll();
    m_pTabs->DeleteAll();
    m_nFirst = 0;
    LayoutTabs();
    if (m_hWnd)
        Invalidate(FALSE);
}

CJTab* CJTabBar::GetFirstItem() const
{
    return m_pTabs->IsEmpty() ? nullptr : static_cast<CJTab*>(m_pTabs->GetHead());
}

CJTab* CJTabBar::GetLastItem() const
{
    return m_pTabs->IsEmpty() ? nullptr : static_cast<CJTab*>(m_pTabs->GetTail());
}

CJTab* CJTabBar::GetNextItem(CJTab* pTab) const
{
    if (!pTab || !pTab->GetPosition())
        return nullptr;
    POSITION position = pTab->GetPosition();
    m_pTabs->GetNext(position);
    return position ? m_pTabs->TabAt(position) : nullptr;
}

CJTab* CJTabBar::GetPrevItem(CJTab* pTab) const
{
    if (!pTab || !pTab->GetPosition())
        return nullptr;
    POSITION position = pTab->GetPosition();
    m_pTabs->GetPrev(position);
    return position ? m_pTabs->TabAt(position) : nullptr;
}

CJTab* CJTabBar::GetItemAt(int nIndex) const
{
    POSITION position = m_pTabs->FindIndex(nIndex);
    return position ? m_pTabs->TabAt(position) : nullptr;
}

CJTab* CJTabBar::FindItem(LPCSTR lpszName, const CJTab* pExcept) const
{
    for (POSITION position = m_pTabs->GetHeadPosition(); position;) {
        CJTab* pTab = static_cast<CJTab*>(m_pTabs->GetNext(position));
        if (pTab != pExcept && pTab->GetText().CompareNoCase(lpszName ? lpszName : "") == 0)
            return pTab;
    }
    return nullptr;
}

CJTab* CJTabBar::GetFirstVisibleItem() const
{
    return m_nVisible > 0 ? GetItemAt(m_nFirst) : nullptr;
}

CJTab* CJTabBar::GetNextVisibleItem(CJTab* pTab) const
{
    CJTab* pNext = GetNextItem(pTab);
    return pNext && IsItemVisible(pNext) ? pNext : nullptr;
}

CJTab* CJTabBar::GetPrevVisibleItem(CJTab* pTab) const
{
    CJTab* pPrevious = GetPrevItem(pTab);
    return pPrevious && IsItemVisible(pPrevious) ? pPrevious : nullptr;
}

BOOL CJTabBar::IsItemVisible(const CJTab* pTab) const
{
    if (!pTab || !m_bShowTabs || m_rectTabArea.IsRectEmpty())
        return FALSE;
    const int start = IsHorizontal() ? m_rectTabArea.left : m_rectTabArea.top;
    const int end = IsHorizontal() ? m_rectTabArea.right : m_rectTabArea.bottom;
    return pTab->GetStart() >= start && pTab->GetEnd() <= end;
}

void CJTabBar::InvalidateItem(CJTab* pTab)
{
    if (!m_hWnd || !pTab)
        return;
    CRect rect = pTab->GetRect();
    rect.IntersectRect(rect, m_rectTabArea);
    if (!rect.IsRectEmpty())
        InvalidateRect(rect, FALSE);
}

CJTab* CJTabBar::HitTest(_JTB_HITTESTINFO& info)
{
    const CPoint point = info.pt;
    info.flags = JTHT_NOWHERE;
    if (m_rectSplitter.PtInRect(point)) {
        info.flags = JTHT_ONSPLITTER;
        return nullptr;
    }
    if (m_rectScrollBar.PtInRect(point)) {
        info.flags = JTHT_ONSCROLLBAR;
        return nullptr;
    }
    if (!m_bShowTabs)
        return nullptr;
    if (Along(point) >= 0 && Along(point) < 4 * m_cyScroll - 4) {
        info.flags = JTHT_ONBUTTONS;
        return nullptr;
    }
    if (!m_rectTabArea.PtInRect(point))
        return nullptr;
    info.flags = JTHT_INTABAREA;
    // The active tab lies on top of its neighbours, the selected ones on top of the others.
    if (m_pActive && m_pActive->HitTest(point)) {
        info.flags = JTHT_ONTAB;
        return m_pActive;
    }
    CJTab* pFound = nullptr;
    for (POSITION position = m_pTabs->FindIndex(m_nFirst); position;) {
        CJTab* pTab = static_cast<CJTab*>(m_pTabs->GetNext(position));
        if (pTab->GetStart() > Along(point))
            break;
        if (pTab->HitTest(point) && (!pFound || (pTab->IsSelected() && !pFound->IsSelected())))
            pFound = pTab;
    }
    // A tab scrolled off the start may still reach into the area.
    if (!pFound)
        if (CJTab* pBefore = GetItemAt(m_nFirst - 1); pBefore && pBefore->HitTest(point))
            pFound = pBefore;
    if (pFound)
        info.flags = JTHT_ONTAB;
    return pFound;
}

BOOL CJTabBar::SetActiveItem(CJTab* pTab)
{
    if (!m_pTabs->Contains(pTab))
        return FALSE;
    if (pTab == m_pActive)
        return TRUE;
    if (pTab->IsSelected()) {
        if (m_pActive)
            m_pActive->SetState(m_pActive->GetState() & ~JTIS_ACTIVE);
    } else {
        for (POSITION position = m_selection.GetHeadPosition(); position;)
            static_cast<CJTab*>(m_selection.GetNext(position))->SetState(0);
        m_selection.RemoveAll();
    }
    pTab->SetState(JTIS_ACTIVE | JTIS_SELECTED);
    if (!m_selection.Find(pTab))
        m_selection.AddTail(pTab);
    m_pActive = pTab;
    if (m_hWnd)
        Invalidate(FALSE);
    return TRUE;
}

BOOL CJTabBar::SelectItem(CJTab* pTab, int nSelect)
{
    if (!m_pTabs->Contains(pTab))
        return FALSE;
    if (pTab->IsActive())
        return nSelect != 0;
    const BOOL bSelect = nSelect < 0 ? !pTab->IsSelected() : nSelect != 0;
    if (bSelect == pTab->IsSelected())
        return TRUE;
    pTab->SetState(bSelect ? (UINT)JTIS_SELECTED : 0u);
    if (bSelect)
        m_selection.AddTail(pTab);
    else if (POSITION position = m_selection.Find(pTab))
        m_selection.RemoveAt(position);
    InvalidateItem(pTab);
    return TRUE;
}

BOOL CJTabBar::SelectItemRange(CJTab* pFrom, CJTab* pTo)
{
    int from = m_pTabs->IndexOf(pFrom), to = m_pTabs->IndexOf(pTo);
    if (from < 0 || to < 0)
        return FALSE;
    if (from > to)
        std::swap(from, to);
    int index = 0;
    for (POSITION position = m_pTabs->GetHeadPosition(); position; ++index) {
        CJTab* pTab = static_cast<CJTab*>(m_pTabs->GetNext(position));
        if (!pTab->IsActive())
            SelectItem(pTab, index >= from && index <= to ? 1 : 0);
    }
    return TRUE;
}

void CJTabBar::SelectDropTarget(CJTab* pTab)
{
    if (pTab && !m_pTabs->Contains(pTab))
        pTab = nullptr;
    if (pTab == m_pDropTarget)
        return;
    InvalidateItem(m_pDropTarget);
    m_pDropTarget = pTab;
    InvalidateItem(m_pDropTarget);
}
