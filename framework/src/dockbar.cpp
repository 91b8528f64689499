// CDockBar: the rows of bars docked along one side of a frame (or in a floating frame),
// and the docking members of CControlBar.
#include "afxwin.h"

#include <climits>
#include <vector>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {

constexpr int kOverlap = 2;   // neighbouring bars and rows share their 2-pixel borders

// Placeholders are window IDs stored as pointers: they never reach the address range of objects.
bool IsPlaceHolder(void* p)
{
    return p && (UINT_PTR)p < 0x10000;
}

void* PlaceHolderOf(const CControlBar* pBar)
{
    return (void*)(UINT_PTR)(UINT)::GetDlgCtrlID(pBar->m_hWnd);
}

DWORD DockedLayoutMode(const CControlBar* pBar)
{
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        return LM_HORZ | LM_HORZDOCK;
    return LM_VERTDOCK;
}

}   // namespace

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_bAutoDelete = TRUE;
    m_arrBars.Add(nullptr);
    // The bars' own borders make the dock bar's edges.
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CWnd::CreateEx(0, lpszClass, nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    void* p = m_arrBars.GetAt(nPos);
    return p && !IsPlaceHolder(p) ? static_cast<CControlBar*>(p) : nullptr;
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (GetDockedControlBar((int)i))
            ++nCount;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = GetDockedControlBar((int)i); pBar && pBar->IsVisible())
            ++nCount;
    return nCount;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if ((int)i != nPosExclude && m_arrBars.GetAt(i) == pBar)
            return (int)i;
    return -1;
}

void CDockBar::ShowAll(BOOL bShow)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = GetDockedControlBar((int)i)) {
            if (CFrameWnd* pFrame = pBar->GetDockingFrame())
                pFrame->ShowControlBar(pBar, bShow, FALSE);
        }
    }
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid, BOOL bHidden)
{
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const LONG nAlong = bHorz ? rect.left : rect.top;
    const LONG nAcross = bHorz ? rect.top : rect.left;
    // What tells the row across: a hidden bar's near edge, a shown bar's middle.
    const LONG nAt = bHidden ? nAcross : (bHorz ? ptMid.y : ptMid.x);
    const auto join = [&](int nPos) {
        m_arrBars.InsertAt(nPos, pBarIns);
        return nPos;
    };
    const auto newRow = [&](int nPos) {
        m_arrBars.InsertAt(nPos, nullptr);
        return join(nPos);
    };
    int nPosInsAfter = 0;
    // The row so far: the near and far edges of its shown bars (a row wrapped on screen reaches
    // over all its lines), and the place kept by its hidden bars.
    LONG nRowStart = LONG_MAX, nRowEdge = LONG_MIN, nHiddenAt = LONG_MIN;
    LONG nTotalWidth = 0;
    for (int nPos = 0, nRowBegin = 1; nPos < (int)m_arrBars.GetSize(); ++nPos) {
        void* pEntry = m_arrBars.GetAt(nPos);
        if (CControlBar* pBar = GetDockedControlBar(nPos)) {
            CRect rectBar;
            pBar->GetWindowRect(rectBar);
            ScreenToClient(rectBar);
            if (pBar->IsVisible()) {
                nRowStart = std::min(nRowStart, bHorz ? rectBar.top : rectBar.left);
                nRowEdge = std::max(nRowEdge, bHorz ? rectBar.bottom : rectBar.right - 1);
            } else {
                nHiddenAt = bHorz ? rectBar.top : rectBar.left;
            }
            // Hidden bars keep a place in their row too (CalcFixedLayout).
            if (nAlong > (bHorz ? rectBar.left : rectBar.top))
                nPosInsAfter = nPos;
            continue;
        }
        if (pEntry)
            continue;   // a placeholder
        // The end of a row. A shown bar goes in the row that holds the middle of its rectangle;
        // a middle in the room before a row (rows taken out and not laid out yet) is a row of its
        // own there. A hidden one (a stored layout placed again) goes by its near edge: in a row
        // whose shown bars start in its near half, before a row that starts after it. A row of
        // hidden bars alone takes a bar that starts just where it is kept (CalcFixedLayout); a bar
        // before that place (by its near edge, or its middle when shown) takes a row before it.
        if (nRowEdge != LONG_MIN) {
            nTotalWidth = nRowEdge;
            if (nAt < nRowStart)
                return newRow(nRowBegin);
            if (bHidden ? nAcross < (nRowStart + nRowEdge - kOverlap) / 2 : nAt < nTotalWidth)
                return join(nPosInsAfter + 1);
        } else if (nHiddenAt != LONG_MIN) {
            if (nAcross == nHiddenAt)
                return join(nPosInsAfter + 1);
            if (nAt < nHiddenAt)
                return newRow(nRowBegin);
        } else if (nPos == 0 && !bHidden && nAt < nTotalWidth) {
            return newRow(1);   // before the first row: a row of its own
        }
        nPosInsAfter = nPos;
        nRowBegin = nPos + 1;
        nRowStart = LONG_MAX, nRowEdge = LONG_MIN, nHiddenAt = LONG_MIN;
    }
    // Beyond the last row: a new row.
    return newRow(nPosInsAfter + 1);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    // Already here, where it is asked to be (a bar taken out of the rows is not here).
    if (pBar->m_pDockBar == this && FindBar(pBar) > 0 && (!lpRect || rectBar == *lpRect))
        return;

    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
        CString title;
        pBar->GetWindowText(title);
        SetWindowText(title);
    }
    const BOOL bHidden = !pBar->IsVisible();
    const BOOL bShow = PrepareToTake(pBar);

    int nPos = -1;
    if (lpRect) {
        CRect rect(*lpRect);
        ScreenToClient(rect);
        nPos = Insert(pBar, rect, rect.CenterPoint(), bHidden);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    } else {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
        // Off the edge: the layout pulls it in.
        pBar->SetWindowPos(nullptr, -kOverlap, -kOverlap, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }

    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar == this)
        RemoveControlBar(pBar, nPos);
    else if (pBar->m_pDockBar)
        pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating);
    Took(pBar, bShow);
    RemovePlaceHolder(pBar);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

BOOL CDockBar::PrepareToTake(CControlBar* pBar)
{
    m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) |
                (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
    // The dock bar's alignment, and every border: neighbours overlap them.
    DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    dwStyle = m_bFloating ? dwStyle | CBRS_FLOATING : dwStyle & ~CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);

    // Hidden while it changes parent, so it does not flash at a half-made place.
    if (pBar->m_pDockBar == this || !pBar->IsWindowVisible())
        return FALSE;
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    return TRUE;
}

void CDockBar::Took(CControlBar* pBar, BOOL bShow)
{
    pBar->m_pDockBar = this;
    if (!m_bFloating && pBar->m_pDockContext)
        pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
    if (bShow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    const int nPos = FindBar(static_cast<CControlBar*>(PlaceHolderOf(pBar)));
    if (nPos <= 0) {
        // No place kept for it: dock it where the rectangle says.
        DockControlBar(pBar, lpRect);
        return;
    }
    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    if (pBar->m_pDockBar == this && (!lpRect || rectBar == *lpRect))
        return;

    const BOOL bShow = PrepareToTake(pBar);
    // The bar takes its placeholder's entry, in the row it left.
    m_arrBars.SetAt(nPos, pBar);
    if (lpRect) {
        CRect rect(*lpRect);
        ScreenToClient(rect);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar && pBar->m_pDockBar != this)
        pBar->m_pDockBar->RemoveControlBar(pBar);
    Took(pBar, bShow);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder == 1) {
        void* pPlaceHolder = PlaceHolderOf(pBar);
        m_arrBars.SetAt(nPos, pPlaceHolder);
        // One placeholder per bar is enough.
        if (FindBar(static_cast<CControlBar*>(pPlaceHolder), nPos) > 0) {
            m_arrBars.RemoveAt(nPos);
            if (!m_arrBars.GetAt(nPos - 1) && !m_arrBars.GetAt(nPos))
                m_arrBars.RemoveAt(nPos);
        }
    } else {
        m_arrBars.RemoveAt(nPos);
        // A row left empty goes with its end.
        if (!m_arrBars.GetAt(nPos - 1) && !m_arrBars.GetAt(nPos))
            m_arrBars.RemoveAt(nPos);
        if (nAddPlaceHolder != -1)
            RemovePlaceHolder(pBar);
    }

    // Nothing more while the bar is being torn down.
    if (!pBar->m_pDockContext)
        return FALSE;
    CFrameWnd* pFrame = GetDockingFrame();
    if (!pFrame)
        return FALSE;
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        if (GetDockedCount() == 0) {
            pFrame->DestroyWindow();
            return TRUE;   // the floating frame, this dock bar with it, is gone
        }
        pFrame->ShowWindow(SW_HIDE);
    } else {
        pFrame->DelayRecalcLayout();
    }
    return FALSE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    if (pBar && !IsPlaceHolder(pBar))
        pBar = static_cast<CControlBar*>(PlaceHolderOf(pBar));
    const int nOldPos = FindBar(pBar);
    if (nOldPos <= 0)
        return;
    m_arrBars.RemoveAt(nOldPos);
    if (!m_arrBars.GetAt(nOldPos - 1) && !m_arrBars.GetAt(nOldPos))
        m_arrBars.RemoveAt(nOldPos);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize sizeMax;
    // The room of a frame layout under way, even when the bars before took all of it across:
    // its length still bounds the rows.
    if (m_rectLayout.Width() > 0 || m_rectLayout.Height() > 0) {
        sizeMax = CSize(std::max<LONG>(m_rectLayout.Width(), 0), std::max<LONG>(m_rectLayout.Height(), 0));
    } else if (CFrameWnd* pFrame = GetParentFrame()) {
        CRect rectFrame;
        pFrame->GetClientRect(rectFrame);
        sizeMax = rectFrame.Size();
    }

    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    // Along a row: x for horizontal dock bars, y for vertical ones; across: the other.
    auto along = [bHorz](auto& point) -> decltype(point.x)& { return bHorz ? point.x : point.y; };
    auto across = [bHorz](auto& point) -> decltype(point.x)& { return bHorz ? point.y : point.x; };
    const LONG maxLength = bHorz ? sizeMax.cx : sizeMax.cy;
    CPoint pt(-kOverlap, -kOverlap);
    int nWidth = 0;   // the row's thickness
    // Ends the row on screen: the next one overlaps its far border.
    auto endRow = [&] {
        across(pt) += nWidth - kOverlap;
        sizeFixed.cx = std::max(sizeFixed.cx, pt.x);
        sizeFixed.cy = std::max(sizeFixed.cy, pt.y);
        along(pt) = -kOverlap;
        nWidth = 0;
    };
    // Hidden bars take no room, but their windows are kept at a place that tells where they stand
    // (what a stored layout records, see Insert): where they would start in their row, before its
    // next shown bar; a row of hidden bars alone keeps its place in the far half of the row before
    // it (or before the first row), else it is put just before the row that follows it.
    const auto placeOf = [this](CControlBar* pBar) {
        CRect rectBar;
        pBar->GetWindowRect(rectBar);
        ScreenToClient(rectBar);
        return rectBar;
    };
    std::vector<CControlBar*> hiddenInRow;               // since the row's last shown bar
    std::vector<std::vector<CControlBar*>> hiddenRows;   // rows of hidden bars alone, not placed yet
    const auto alongOf = [&](CControlBar* pBar) {
        CPoint at = placeOf(pBar).TopLeft();
        return along(at);
    };
    // nFrom LONG_MIN: the bars keep their places along the row (a row of hidden bars alone).
    const auto park = [&](std::vector<CControlBar*>& bars, LONG nFrom, LONG nBefore, LONG nAcross) {
        const bool bKeepAlong = nFrom == LONG_MIN;
        nFrom = std::min<LONG>(nFrom, nBefore - (LONG)bars.size());
        for (size_t i = 0; i < bars.size() && !m_bFloating && !m_bLayoutQuery; ++i) {
            const CRect rectBar = placeOf(bars[i]);
            CPoint at;
            along(at) = bKeepAlong ? alongOf(bars[i]) : nFrom + (LONG)i;
            across(at) = nAcross;
            if (rectBar.TopLeft() != at)
                AfxRepositionWindow(&layout, bars[i]->m_hWnd, CRect(at, rectBar.Size()));
        }
        bars.clear();
    };
    const auto acrossOf = [&](CControlBar* pBar) {
        CPoint at = placeOf(pBar).TopLeft();
        return across(at);
    };
    LONG nRowStart = 0, nFarHalf = LONG_MIN;   // the last row of shown bars: its start, its far half
    const auto parkRows = [&](LONG nNext) {    // the next row's start, LONG_MAX when none follows
        bool bKeep = true;
        for (size_t j = 0; j < hiddenRows.size(); ++j) {
            const LONG nAt = acrossOf(hiddenRows[j][0]);
            bKeep = bKeep && nAt >= nFarHalf && nAt < nNext && (j == 0 || nAt > acrossOf(hiddenRows[j - 1][0]));
        }
        const LONG nFirst = nNext == LONG_MAX ? across(pt) : nNext - (LONG)hiddenRows.size();
        for (size_t j = 0; j < hiddenRows.size(); ++j) {
            // Their places along the row are kept while they still tell the order: a stored layout
            // placed again docks them one by one, and a bar that follows them in the row comes
            // after them only if they have not moved up to where it starts.
            const auto& bars = hiddenRows[j];
            bool bInOrder = true;
            for (size_t i = 1; i < bars.size(); ++i)
                bInOrder = bInOrder && alongOf(bars[i - 1]) < alongOf(bars[i]);
            park(hiddenRows[j], bInOrder ? LONG_MIN : -kOverlap, LONG_MAX,
                 bKeep ? acrossOf(hiddenRows[j][0]) : nFirst + (LONG)j);
        }
        hiddenRows.clear();
    };
    bool bRowShown = false;
    // A row that does not fit goes on in another row on screen. Such a wrap is worked out
    // again at every layout and never recorded: the rows of m_arrBars are the user's.
    for (int nPos = 0; nPos < (int)m_arrBars.GetSize(); ++nPos) {
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (!pBar) {
            if (m_arrBars.GetAt(nPos))
                continue;
            if (bRowShown) {
                park(hiddenInRow, along(pt), LONG_MAX, across(pt));
                nFarHalf = (nRowStart + across(pt) + nWidth) / 2 + 1;
                if (nWidth != 0)
                    endRow();
            } else if (!hiddenInRow.empty()) {
                hiddenRows.push_back(std::move(hiddenInRow));
                hiddenInRow.clear();
            }
            bRowShown = false;
            continue;
        }
        if (!pBar->IsVisible()) {
            hiddenInRow.push_back(pBar);
        } else {
            if (!bRowShown) {
                parkRows(across(pt));
                nRowStart = across(pt);
            }
            bRowShown = true;
            const CSize sizeBar = pBar->CalcDynamicLayout(-1, DockedLayoutMode(pBar));
            const LONG length = bHorz ? sizeBar.cx : sizeBar.cy;
            CRect rectBar;
            pBar->GetWindowRect(rectBar);
            ScreenToClient(rectBar);
            CPoint start = pt;
            CPoint actual = rectBar.TopLeft();
            if (!m_bFloating) {
                // Bars stay where the user put them, further along the row, and are
                // pulled back when they would end beyond the side.
                along(start) = std::max(along(start), along(actual));
                if (along(start) + length > maxLength)
                    along(start) = std::max(maxLength - (length - kOverlap), along(pt));
            }
            // Not room enough left in the row: the bar starts the next one (a bar longer than the
            // side itself keeps a row of its own). A floating frame is sized to its rows: there
            // only a bar wholly past its edge wraps.
            const bool bNoRoom =
                m_bFloating ? along(start) >= maxLength - kOverlap : along(start) + length - kOverlap > maxLength;
            if (nWidth != 0 && bNoRoom) {
                park(hiddenInRow, along(pt), LONG_MAX, across(pt));
                endRow();
                start = pt;
            }
            park(hiddenInRow, along(pt), along(start), across(start));
            const CRect rect(start, sizeBar);
            // A query only measures: nothing moves and nothing is recorded.
            if (rect != rectBar && !m_bLayoutQuery) {
                if (!(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext)
                    pBar->m_pDockContext->m_rectMRUDockPos = rect;
                AfxRepositionWindow(&layout, pBar->m_hWnd, rect);
            }
            along(pt) = along(start) + length - kOverlap;
            nWidth = std::max<int>(nWidth, bHorz ? sizeBar.cy : sizeBar.cx);
        }
        pBar->RecalcDelayShow(&layout);
    }
    parkRows(LONG_MAX);
    if (!m_bLayoutQuery && layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);

    // The dock bar's own borders around the rows.
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
        sizeFixed.cx -= inside.Width();
    if ((!bStretch || bHorz) && sizeFixed.cy != 0)
        sizeFixed.cy -= inside.Height();
    return sizeFixed;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    // The layout's room and kind hold while the bars are placed.
    const BOOL bLayoutQuery = m_bLayoutQuery;
    const CRect rectLayout = m_rectLayout;
    m_bLayoutQuery = lpLayout->hDWP == nullptr;
    m_rectLayout = lpLayout->rect;
    const LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = bLayoutQuery;
    m_rectLayout = rectLayout;
    return lResult;
}

// ---- CControlBar's docking members ----

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    if (m_pDockBar)
        return m_pDockBar->m_bFloating;
    return (m_dwStyle & CBRS_FLOATING) != 0;
}

CDockContext* CControlBar::CreateDockContext()
{
    return new CDockContext(this);
}

BOOL CControlBar::DestroyWindow()
{
    if (m_hWnd && !IsDockBar() && m_pDockBar && m_pDockBar->m_bFloating && m_pDockBar->GetDockedCount() == 1) {
        if (CFrameWnd* pFrame = GetDockingFrame(); pFrame && pFrame != m_pDockSite)
            return pFrame->DestroyWindow();
    }
    return CWnd::DestroyWindow();
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockBar && m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockBar && m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}
