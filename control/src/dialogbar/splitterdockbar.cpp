// CSplitterDockBar: a frame's dock bar whose area and dialog bars are sized with splitters.
#include "jdialogbar.h"

#include "jenvmanager.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNCREATE(CSplitterDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CSplitterDockBar, CDockBar)
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_KEYDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// How a docked bar is measured, as the framework's dock bar does.
DWORD DockedLayoutMode(const CControlBar* pBar)
{
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        return LM_HORZ | LM_HORZDOCK;
    return LM_VERTDOCK;
}

CBaseDialogBar* AsResizable(CControlBar* pBar)
{
    auto* pDialogBar = DYNAMIC_DOWNCAST(CBaseDialogBar, pBar);
    return pDialogBar && pDialogBar->GetResizeable() ? pDialogBar : nullptr;
}

LONG& AlongOf(CPoint& pt, bool bHorz)
{
    return bHorz ? pt.x : pt.y;
}
LONG& AlongOf(CSize& size, bool bHorz)
{
    return bHorz ? size.cx : size.cy;
}

bool IsSplitHit(int nHit)
{
    return nHit == CSplitterDockBar::kHitOuterHorz || nHit == CSplitterDockBar::kHitOuterVert ||
           nHit == CSplitterDockBar::kHitInnerHorz || nHit == CSplitterDockBar::kHitInnerVert;
}

}   // namespace

CSplitterDockBar::CSplitterDockBar() = default;

CSplitterDockBar::CSplitterDockBar(int nCreation) : m_nCreation(nCreation)
{
}

CSplitterDockBar::~CSplitterDockBar()
{
    for (INT_PTR i = 0; i < m_arrSplitters.GetSize(); ++i)
        delete static_cast<SplitterInfo*>(m_arrSplitters[i]);
}

BOOL CSplitterDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwDockStyle = dwStyle;
    return CDockBar::Create(pParentWnd, dwStyle, nID);
}

int CSplitterDockBar::HitTest(CPoint point)
{
    if (m_bTracking)
        return m_nHitCode;
    if (!m_hWnd)
        return 0;
    CRect window;
    GetWindowRect(window);
    // The outer edge: a strip along the side that faces the frame's middle.
    const CRect edge = OuterEdge(window);
    const int nEdgeHit = IsLeftArea() || IsRightArea() ? kHitOuterVert : kHitOuterHorz;
    if (!edge.IsRectEmpty() && edge.PtInRect(point))
        return nEdgeHit;
    for (int i = 0; i < m_nSplittersUsed; ++i) {
        const auto* pInfo = static_cast<const SplitterInfo*>(m_arrSplitters[i]);
        CRect rect(pInfo->rect);
        ClientToScreen(rect);
        if (rect.PtInRect(point)) {
            m_nCurrentSplitter = i;
            return pInfo->nKind == 2 ? kHitInnerHorz : kHitInnerVert;
        }
    }
    return 0;
}

CRect CSplitterDockBar::OuterEdge(const CRect& window) const
{
    CRect edge(window);
    if (IsLeftArea())
        edge.left = edge.right - kEdge;
    else if (IsRightArea())
        edge.right = edge.left + kEdge;
    else if (IsBottomArea())
        edge.bottom = edge.top + kEdge;
    else if (IsTopArea())
        edge.top = edge.bottom - kEdge;
    else
        edge.SetRectEmpty();
    return edge;
}

void CSplitterDockBar::AddSplitterInfo(short nKind, const CRect& rect, CBaseDialogBar* pBefore, CBaseDialogBar* pAfter)
{
    SplitterInfo* pInfo;
    if (m_nSplittersUsed < m_arrSplitters.GetSize()) {
        pInfo = static_cast<SplitterInfo*>(m_arrSplitters[m_nSplittersUsed]);
    } else {
        pInfo = new SplitterInfo;
        m_arrSplitters.Add(pInfo);
    }
    *pInfo = SplitterInfo{nKind, rect, pBefore, pAfter};
    ++m_nSplittersUsed;
}

const CSplitterDockBar::SplitterInfo* CSplitterDockBar::GetSplitterInfo(int index) const
{
    if (index < 0 || index >= m_nSplittersUsed)
        return nullptr;
    return static_cast<const SplitterInfo*>(m_arrSplitters[index]);
}

void CSplitterDockBar::MergeLastDialogBar()
{
    // The row ends between the last docked bar and the docked bar before it go, but never
    // the entry at position 1.
    int nLast = (int)m_arrBars.GetSize() - 1;
    while (nLast > 0 && !GetDockedControlBar(nLast))
        --nLast;
    if (nLast <= 1)
        return;
    for (int nPos = nLast - 1; nPos > 1 && !GetDockedControlBar(nPos); --nPos)
        if (!m_arrBars[nPos])
            m_arrBars.RemoveAt(nPos);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
}

void CSplitterDockBar::OnDrawSplitter(CDC* pDC, const CRect& rect)
{
    CRect inside(rect);
    pDC->Draw3dRect(inside, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
    inside.DeflateRect(1, 1);
    pDC->FillSolidRect(inside, ::GetSysColor(COLOR_3DFACE));
}

// ---- tracking ----

void CSplitterDockBar::SetSplitCursor(int nHit)
{
    UINT nResource = 0;
    LPCSTR lpszSystem = nullptr;
    if (nHit == kHitOuterHorz || nHit == kHitInnerHorz) {
        nResource = 30981;
        lpszSystem = IDC_SIZENS;
    } else if (nHit == kHitOuterVert || nHit == kHitInnerVert) {
        nResource = 30980;
        lpszSystem = IDC_SIZEWE;
    } else {
        return;
    }
    // One cursor is kept for the whole process: the last one asked for.
    static HCURSOR s_hCursor = nullptr;
    static UINT s_nCursor = 0;
    if (s_nCursor != nResource || !s_hCursor) {
        HCURSOR hCursor = nullptr;
        if (HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEA(nResource), RT_CURSOR))
            hCursor = ::LoadCursorA(hInst, MAKEINTRESOURCEA(nResource));
        if (!hCursor)
            hCursor = ::LoadCursorA(nullptr, lpszSystem);
        if (s_hCursor && s_hCursor != hCursor)
            ::DestroyCursor(s_hCursor);
        s_hCursor = hCursor;
        s_nCursor = nResource;
    }
    ::SetCursor(s_hCursor);
}

void CSplitterDockBar::StartTracking(int nHit)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    m_bSavedCustomizationMode = pInfo ? pInfo->m_bCustomizationMode : FALSE;
    if (pInfo)
        pInfo->m_bCustomizationMode = TRUE;
    m_nHitCode = nHit;
    m_bTracking = TRUE;
    SetCapture();
    SetFocus();

    CRect window;
    GetWindowRect(window);
    CRect tracker = OuterEdge(window);
    if (nHit == kHitInnerHorz || nHit == kHitInnerVert) {
        if (const SplitterInfo* pInfo = GetSplitterInfo(m_nCurrentSplitter)) {
            tracker = pInfo->rect;
            ClientToScreen(tracker);
            if (nHit == kHitInnerHorz)
                tracker.bottom = tracker.top + kEdge;
            else
                tracker.right = tracker.left + kEdge;
        }
    }
    m_rectTracker = m_rectTrackStart = tracker;
    m_ptTrackOffset = CPoint(0, 0);
    OnInvertTracker(m_rectTracker);
}

void CSplitterDockBar::StopTracking()
{
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->m_bCustomizationMode = m_bSavedCustomizationMode;
    if (!m_bTracking)
        return;
    m_bTracking = FALSE;   // first: releasing the capture comes back here
    OnInvertTracker(m_rectTracker);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_nHitCode == kHitInnerHorz || m_nHitCode == kHitInnerVert) {
        m_bInnerSplitterMoved = TRUE;
        // A splitter that runs across the area sizes the area too: it keeps its present size.
        const bool bVertArea = IsLeftArea() || IsRightArea();
        const bool bAcross = bVertArea ? m_nHitCode == kHitInnerVert : m_nHitCode == kHitInnerHorz;
        if (bAcross && !m_bSizeFixed) {
            CRect window;
            GetWindowRect(window);
            if (bVertArea)
                m_nAreaWidth = std::max(window.Width(), kMinArea);
            else
                m_nAreaHeight = std::max(window.Height(), kMinArea);
            m_bSizeFixed = TRUE;
        }
    } else {
        m_bSizeFixed = TRUE;
    }
}

void CSplitterDockBar::OnInvertTracker(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    HDC hDC = ::GetDCEx(::GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE);
    if (!hDC)
        return;
    CDC dc;
    dc.Attach(hDC);
    const HGDIOBJ hOld = ::SelectObject(dc.m_hDC, CDC::GetHalftoneBrush()->m_hObject);
    dc.PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    ::SelectObject(dc.m_hDC, hOld);
    ::ReleaseDC(::GetDesktopWindow(), dc.Detach());
}

CPoint CSplitterDockBar::TrackOffset(CPoint point) const
{
    const bool bUpDown = m_nHitCode == kHitOuterHorz || m_nHitCode == kHitInnerHorz;
    CPoint offset = bUpDown ? CPoint(0, point.y - m_nDragStartY) : CPoint(point.x - m_nDragStartX, 0);
    // The tracker stays inside the frame's client area: a splitter cannot be dragged past its edge.
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame)
        return offset;
    CRect client;
    pFrame->GetClientRect(client);
    pFrame->ClientToScreen(client);
    if (bUpDown)
        offset.y = std::clamp<LONG>(
            offset.y, client.top - m_rectTrackStart.top,
            std::max<LONG>(client.top - m_rectTrackStart.top, client.bottom - m_rectTrackStart.bottom));
    else
        offset.x = std::clamp<LONG>(
            offset.x, client.left - m_rectTrackStart.left,
            std::max<LONG>(client.left - m_rectTrackStart.left, client.right - m_rectTrackStart.right));
    return offset;
}

void CSplitterDockBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (m_bSplittingEnabled && IsSplitHit((int)nHitTest))
        SetSplitCursor((int)nHitTest);
    CDockBar::OnNcMouseMove(nHitTest, point);
}

void CSplitterDockBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_bTracking || !m_bSplittingEnabled || !IsSplitHit((int)nHitTest)) {
        CDockBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    m_nDragStartX = point.x;
    m_nDragStartY = point.y;
    SetSplitCursor((int)nHitTest);
    StartTracking((int)nHitTest);
}

void CSplitterDockBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    // A second press soon after the first takes hold of the splitter again.
    if (!m_bTracking && m_bSplittingEnabled && IsSplitHit((int)nHitTest)) {
        OnNcLButtonDown(nHitTest, point);
        return;
    }
    CDockBar::OnNcLButtonDblClk(nHitTest, point);
}

void CSplitterDockBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        CDockBar::OnMouseMove(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    SetSplitCursor(m_nHitCode);
    const CPoint offset = TrackOffset(point);
    if (offset == m_ptTrackOffset)
        return;
    OnInvertTracker(m_rectTracker);
    m_ptTrackOffset = offset;
    m_rectTracker = m_rectTrackStart;
    m_rectTracker.OffsetRect(offset);
    OnInvertTracker(m_rectTracker);
}

void CSplitterDockBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        CDockBar::OnLButtonUp(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    const CPoint delta = TrackOffset(point);
    CRect window;
    GetWindowRect(window);
    const auto atLeast = [](int n) { return n < kMinArea + 1 ? kMinArea : n; };
    switch (m_nHitCode) {
    case kHitInnerHorz:
        m_nSplitterDelta = delta.y;
        break;
    case kHitInnerVert:
        m_nSplitterDelta = delta.x;
        break;
    default:
        if (IsLeftArea())
            m_nAreaWidth = atLeast(window.Width() + delta.x);
        else if (IsRightArea())
            m_nAreaWidth = atLeast(window.Width() - delta.x);
        else if (IsBottomArea())
            m_nAreaHeight = atLeast(window.Height() - delta.y);
        else
            m_nAreaHeight = atLeast(window.Height() + delta.y);
        break;
    }
    m_nDragStartX = m_nDragStartY = 0;
    StopTracking();
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
}

void CSplitterDockBar::OnCaptureChanged(CWnd* pWnd)
{
    // Taken away (Escape, another window, a cancelled mode): the tracker goes and nothing is sized.
    if (m_bTracking && (!pWnd || pWnd->m_hWnd != m_hWnd)) {
        const BOOL bSizeFixed = m_bSizeFixed, bMoved = m_bInnerSplitterMoved;
        const int nWidth = m_nAreaWidth, nHeight = m_nAreaHeight;
        StopTracking();
        m_bSizeFixed = bSizeFixed;
        m_bInnerSplitterMoved = bMoved;
        m_nAreaWidth = nWidth;
        m_nAreaHeight = nHeight;
    }
    CDockBar::OnCaptureChanged(pWnd);
}

void CSplitterDockBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bTracking && nChar == VK_ESCAPE) {
        ::ReleaseCapture();   // OnCaptureChanged ends the tracking
        return;
    }
    CDockBar::OnKeyDown(nChar, nRepCnt, nFlags);
}

// ---- painting ----

void CSplitterDockBar::OnNcPaint()
{
    CDockBar::OnNcPaint();
    if (!m_bSplittingEnabled)
        return;
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(window);
    CRect edge = OuterEdge(window);
    edge.OffsetRect(-window.left, -window.top);
    // The whole border kept on the inner edge.
    if (IsLeftArea())
        edge.left = window.Width() - kBorder;
    else if (IsRightArea())
        edge.right = kBorder;
    else if (IsBottomArea())
        edge.bottom = kBorder;
    else
        edge.top = window.Height() - kBorder;
    OnDrawSplitter(&dc, edge);
}

void CSplitterDockBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
    for (int i = 0; i < m_nSplittersUsed; ++i)
        OnDrawSplitter(&dc, static_cast<const SplitterInfo*>(m_arrSplitters[i])->rect);
}

LRESULT CSplitterDockBar::OnNcHitTest(CPoint point)
{
    if (m_bSplittingEnabled)
        if (const int nHit = HitTest(point))
            return nHit;
    return CDockBar::OnNcHitTest(point);
}

// ---- layout ----

void CSplitterDockBar::AdjustBars(CControlBar* pBar, int nKind, int nLengthBefore, int nLengthAfter,
                                  CBaseDialogBar* pBefore, CBaseDialogBar* pAfter, CSize* pSize, long* pDelta)
{
    // Neither bar may become shorter than the minimum (nor shorter than it is, when it is already).
    const long nLow = -std::max(0, nLengthBefore - kMinBar);
    const long nHigh = std::max(0, nLengthAfter - kMinBar);
    *pDelta = std::clamp(*pDelta, nLow, nHigh);
    LONG& length = nKind == 1 ? pSize->cx : pSize->cy;
    if (pBar == pBefore)
        length += *pDelta;
    else if (pBar == pAfter)
        length -= *pDelta;
}

CSize CSplitterDockBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    int nVisible = 0;
    bool bSplitting = false;
    for (int nPos = 0; nPos < (int)m_arrBars.GetSize(); ++nPos) {
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar && pBar->IsVisible() && AsResizable(pBar)) {
            ++nVisible;
            bSplitting = true;
        }
    }
    m_bSplittingEnabled = bSplitting;
    // The border on the inner edge where the outer splitter is drawn; borders are given for a
    // horizontal bar and turn with a vertical one.
    const int nTop = bSplitting && (IsRightArea() || IsBottomArea()) ? kBorder : 0;
    const int nBottom = bSplitting && (IsLeftArea() || IsTopArea()) ? kBorder : 0;
    if (m_cxLeftBorder || m_cxRightBorder || m_cyTopBorder != nTop || m_cyBottomBorder != nBottom) {
        m_cxLeftBorder = m_cxRightBorder = 0;
        m_cyTopBorder = nTop;
        m_cyBottomBorder = nBottom;
        if (m_hWnd && !m_bLayoutQuery)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    // A dialog bar shown or hidden: the area goes back to its natural size (toolbars placed
    // again, as a stored layout does, leave the user's size alone).
    if (m_bSizeFixed && nVisible != m_nVisibleBars) {
        m_bSizeFixed = FALSE;
        m_nAreaWidth = m_nAreaHeight = 0;
    }
    CSize size = CDockBar::CalcDynamicLayout(nLength, dwMode);
    if (bSplitting && m_bSizeFixed) {
        if ((IsLeftArea() || IsRightArea()) && m_nAreaWidth > 0)
            size.cx = std::max<LONG>(size.cx, std::max(m_nAreaWidth, kMinArea));
        else if ((IsTopArea() || IsBottomArea()) && m_nAreaHeight > 0)
            size.cy = std::max<LONG>(size.cy, std::max(m_nAreaHeight, kMinArea));
    }
    if (!m_bLayoutQuery)
        m_nVisibleBars = nVisible;
    return size;
}

CSize CSplitterDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!m_bSplittingEnabled) {
        // The framework's rows: no splitter, no border.
        if (!m_bLayoutQuery) {
            for (int i = 0; i < m_nSplittersUsed && m_hWnd; ++i)
                InvalidateRect(static_cast<SplitterInfo*>(m_arrSplitters[i])->rect);
            m_nSplittersUsed = 0;
            m_laidOut.clear();
        }
        return CDockBar::CalcFixedLayout(bStretch, bHorz);
    }

    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize sizeMax(0, 0);
    // The room of a frame layout under way, even when the bars before took all of it across:
    // its length still bounds the rows.
    if (m_rectLayout.Width() > 0 || m_rectLayout.Height() > 0) {
        sizeMax = CSize(std::max<LONG>(m_rectLayout.Width(), 0), std::max<LONG>(m_rectLayout.Height(), 0));
    } else if (CFrameWnd* pFrame = GetParentFrame()) {
        CRect client;
        pFrame->GetClientRect(client);
        sizeMax = client.Size();
    }
    const bool bQuery = m_bLayoutQuery != FALSE;
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = bQuery ? nullptr : ::BeginDeferWindowPos((int)m_arrBars.GetSize());

    // Along a row: x (cx) for a top or bottom area, y (cy) for a left or right one; across: the other.
    const auto along = [bHorz](auto& v) -> LONG& { return AlongOf(v, bHorz); };
    const auto across = [bHorz](auto& v) -> LONG& { return AlongOf(v, !bHorz); };
    const LONG maxLength = std::max<LONG>(bHorz ? sizeMax.cx : sizeMax.cy, 0);

    // The splitter the user let go since the last layout, and how far it went.
    int nMovedKind = 0;
    CBaseDialogBar* pMovedBefore = nullptr;
    CBaseDialogBar* pMovedAfter = nullptr;
    if (const SplitterInfo* pInfo = m_bInnerSplitterMoved ? GetSplitterInfo(m_nCurrentSplitter) : nullptr) {
        nMovedKind = pInfo->nKind;
        pMovedBefore = pInfo->pBefore;
        pMovedAfter = pInfo->pAfter;
    }
    if (!bQuery) {
        if (!m_bInnerSplitterMoved)
            m_nSplitterDelta = 0;
        m_bInnerSplitterMoved = FALSE;
        for (int i = 0; i < m_nSplittersUsed && m_hWnd; ++i)
            InvalidateRect(static_cast<SplitterInfo*>(m_arrSplitters[i])->rect);
        m_nSplittersUsed = 0;
    }

    const LONG nOverlap = m_nCreation == 0 ? 2 : 0;
    const auto overlapOf = [&](CControlBar* pBar) -> LONG {
        CBaseDialogBar* pDialogBar = AsResizable(pBar);
        return pDialogBar && pDialogBar->GetDefaultBorder() == 0 ? 0 : nOverlap;
    };
    const auto stretchesAlong = [bHorz](CBaseDialogBar* p) {
        return p && (bHorz ? p->GetStretchToFitHorz() : p->GetStretchToFitVert());
    };
    const auto stretchesAcross = [bHorz](CBaseDialogBar* p) {
        return p && (bHorz ? p->GetStretchToFitVert() : p->GetStretchToFitHorz());
    };

    // The rows: their visible bars measured (a resizable bar keeps the size it was given), and
    // their hidden bars by how many visible ones come before them.
    struct Item {
        CControlBar* pBar;
        CBaseDialogBar* pDialogBar;
        CSize size;
    };
    struct Row {
        std::vector<Item> shown;
        std::vector<std::pair<size_t, CControlBar*>> hidden;
    };
    std::vector<Row> rows(1);
    int nVisible = 0;
    for (int nPos = 0; nPos < (int)m_arrBars.GetSize(); ++nPos) {
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (!pBar) {
            if (!m_arrBars.GetAt(nPos) && (!rows.back().shown.empty() || !rows.back().hidden.empty()))
                rows.emplace_back();
            continue;
        }
        if (!pBar->IsVisible()) {
            rows.back().hidden.emplace_back(rows.back().shown.size(), pBar);
            continue;
        }
        nVisible += AsResizable(pBar) ? 1 : 0;
        rows.back().shown.push_back(Item{pBar, AsResizable(pBar), pBar->CalcDynamicLayout(-1, DockedLayoutMode(pBar))});
    }
    if (rows.back().shown.empty() && rows.back().hidden.empty())
        rows.pop_back();
    const bool bKeepAcross = nVisible == m_nVisibleBars;
    for (Row& row : rows)
        for (Item& item : row.shown) {
            if (!item.pDialogBar)
                continue;
            for (auto [pBar, size] : m_laidOut)
                if (pBar == item.pBar) {
                    along(item.size) = along(size);
                    if (bKeepAcross)
                        across(item.size) = across(size);
                }
        }
    // The moved splitter shares its delta between its two bars.
    if (nMovedKind && pMovedBefore && pMovedAfter) {
        Item* pBefore = nullptr;
        Item* pAfter = nullptr;
        for (Row& row : rows)
            for (Item& item : row.shown) {
                if (item.pBar == pMovedBefore)
                    pBefore = &item;
                if (item.pBar == pMovedAfter)
                    pAfter = &item;
            }
        if (pBefore && pAfter) {
            long nDelta = m_nSplitterDelta;
            const int nLengthBefore = nMovedKind == 1 ? pBefore->size.cx : pBefore->size.cy;
            const int nLengthAfter = nMovedKind == 1 ? pAfter->size.cx : pAfter->size.cy;
            AdjustBars(pBefore->pBar, nMovedKind, nLengthBefore, nLengthAfter, pMovedBefore, pMovedAfter,
                       &pBefore->size, &nDelta);
            AdjustBars(pAfter->pBar, nMovedKind, nLengthBefore, nLengthAfter, pMovedBefore, pMovedAfter, &pAfter->size,
                       &nDelta);
        }
    }

    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    const LONG nInsideAcross = bHorz ? -inside.Height() : -inside.Width();
    const LONG nStoredAcross = m_bSizeFixed ? (bHorz ? m_nAreaHeight : m_nAreaWidth) : 0;

    // A size the user gave the area: the rows of bars that stretch across take what it adds or
    // lacks, the last first, none thinner than the minimum or than its other bars.
    if (nStoredAcross > 0) {
        LONG nContent = -nOverlap;
        for (size_t r = 0; r < rows.size(); ++r) {
            const auto& shown = rows[r].shown;
            if (shown.empty())
                continue;
            LONG nThickness = 0;
            for (Item item : shown)
                nThickness = std::max(nThickness, across(item.size));
            nContent += nThickness - nOverlap;
            // The row splitter after a row of dialog bars that another row follows.
            const bool bResizable = std::any_of(shown.begin(), shown.end(), [](const Item& i) { return i.pDialogBar; });
            if (bResizable && std::any_of(rows.begin() + (long)r + 1, rows.end(),
                                          [](const Row& later) { return !later.shown.empty(); }))
                nContent += kSplitter - nOverlap;
        }
        LONG nRest = nStoredAcross - nInsideAcross - nContent;
        for (size_t r = rows.size(); r-- > 0 && nRest != 0;) {
            auto& shown = rows[r].shown;
            if (std::none_of(shown.begin(), shown.end(), [&](const Item& i) { return stretchesAcross(i.pDialogBar); }))
                continue;
            LONG nThickness = 0, nLeast = kMinBar;
            for (Item& item : shown) {
                nThickness = std::max(nThickness, across(item.size));
                if (!stretchesAcross(item.pDialogBar))
                    nLeast = std::max(nLeast, across(item.size));
            }
            const LONG nNew = std::max(nThickness + nRest, nLeast);
            nRest -= nNew - nThickness;
            for (Item& item : shown)
                if (stretchesAcross(item.pDialogBar))
                    across(item.size) = nNew;
        }
    }

    // A splitter goes no further across than the room the frame gives the area inside its
    // borders, and there is none where rows thicker than that are cut off.
    const LONG nRoomAcross = (bHorz ? sizeMax.cy : sizeMax.cx) - nInsideAcross;
    const auto inRoom = [&](CRect& rect) {
        LONG& nNear = bHorz ? rect.top : rect.left;
        LONG& nFar = bHorz ? rect.bottom : rect.right;
        if (nRoomAcross <= 0)
            return true;
        nFar = std::min(nFar, nRoomAcross);
        return nNear < nFar;
    };
    std::vector<std::pair<CControlBar*, CSize>> laidOut;
    SplitterInfo* pOpen = nullptr;   // a splitter record still waiting for its bar after
    CPoint pt(-nOverlap, -nOverlap);
    // Hidden bars take no room, but their windows are kept where they would start in their row
    // (what a stored layout records, and where a bar placed again by it goes); a row of hidden
    // bars alone just before the next row.
    const auto park = [&](CControlBar* pBar, CPoint at) {
        if (m_bFloating || bQuery)
            return;
        CRect rectBar;
        pBar->GetWindowRect(rectBar);
        ScreenToClient(rectBar);
        if (rectBar.TopLeft() != at)
            AfxRepositionWindow(&layout, pBar->m_hWnd, CRect(at, rectBar.Size()));
    };
    const auto alongOf = [&](CControlBar* pBar) {
        CRect rectBar;
        pBar->GetWindowRect(rectBar);
        ScreenToClient(rectBar);
        CPoint at = rectBar.TopLeft();
        return along(at);
    };
    // Rows of hidden bars alone, waiting for the next row's start. A row's bars share its place
    // across, and keep their places along it while those still tell their order (a stored layout
    // placed again docks them one by one, and a bar that follows them comes after them only if
    // they have not moved up to where it starts).
    std::vector<std::vector<CControlBar*>> hiddenRows;
    const auto parkRows = [&](LONG nNext) {
        for (size_t j = 0; j < hiddenRows.size(); ++j) {
            const auto& bars = hiddenRows[j];
            bool bInOrder = true;
            for (size_t i = 1; i < bars.size(); ++i)
                bInOrder = bInOrder && alongOf(bars[i - 1]) < alongOf(bars[i]);
            for (size_t i = 0; i < bars.size(); ++i) {
                CPoint at;
                along(at) = bInOrder ? alongOf(bars[i]) : -nOverlap + (LONG)i;
                across(at) = nNext == LONG_MAX ? across(pt) + (LONG)j : nNext - (LONG)(hiddenRows.size() - j);
                park(bars[i], at);
            }
        }
        hiddenRows.clear();
    };
    for (size_t r = 0; r < rows.size(); ++r) {
        auto& row = rows[r].shown;
        const auto& hidden = rows[r].hidden;
        if (row.empty()) {
            auto& bars = hiddenRows.emplace_back();
            for (const auto& entry : hidden)
                bars.push_back(entry.second);
            continue;
        }
        parkRows(across(pt));
        LONG nThickness = 0;
        CBaseDialogBar* pLastResizable = nullptr;
        CBaseDialogBar* pSplitBefore = nullptr;   // a splitter waits for the next bar of the row
        CRect rectSplit;
        for (size_t k = 0; k <= row.size(); ++k) {
            // The hidden bars before this one: where they would start, and before where it starts
            // (a stored layout places them back by it); at the row's end, after its last bar.
            const auto parkHidden = [&](LONG nNextStart) {
                LONG nBefore = 0;
                for (const auto& entry : hidden)
                    nBefore += entry.first == k;
                LONG i = 0;
                for (const auto& [nShownBefore, pHidden] : hidden)
                    if (nShownBefore == k) {
                        CPoint at;
                        along(at) = std::min<LONG>(along(pt), nNextStart - nBefore) + i++;
                        across(at) = across(pt);
                        park(pHidden, at);
                    }
            };
            if (k == row.size()) {
                parkHidden(LONG_MAX);
                break;
            }
            Item& item = row[k];
            CBaseDialogBar* pDialogBar = item.pDialogBar;
            const LONG nBarOverlap = overlapOf(item.pBar);
            CSize size = item.size;
            if (stretchesAlong(pDialogBar)) {
                const LONG nStart = along(pt);
                const LONG nAvailable = maxLength - nBarOverlap - nStart;
                if (k + 1 == row.size() || !row[k + 1].pDialogBar) {
                    along(size) = nAvailable;
                } else {
                    size_t n = 0;
                    LONG nTotal = 0;
                    bool bAllStretch = true, bEmpty = false;
                    for (size_t j = k; j < row.size() && row[j].pDialogBar; ++j, ++n) {
                        nTotal += along(row[j].size);
                        bAllStretch = bAllStretch && stretchesAlong(row[j].pDialogBar);
                        bEmpty = bEmpty || along(row[j].size) == 0;
                    }
                    const LONG nGaps = 2 * (3 - nBarOverlap) * (LONG)(n - 1);
                    const LONG nNeed = nTotal + nGaps;
                    if (nNeed > nAvailable || bEmpty) {
                        if (maxLength == m_nLastLayoutLength || bEmpty) {
                            along(size) = (nAvailable - nGaps) / (LONG)n;
                        } else if (bAllStretch) {
                            along(size) -= (nNeed - nAvailable) / (LONG)n;
                            if (along(size) > nAvailable)
                                along(size) = nAvailable - kMinBar * (LONG)(n - 1);
                        }
                    } else if (nNeed < nAvailable && maxLength != m_nLastLayoutLength && bAllStretch &&
                               m_nLastLayoutLength > 0) {
                        along(size) += (nAvailable - nNeed) / (LONG)n;
                    }
                }
                along(size) = std::max<LONG>(along(size), kMinBar);
                // The next bars of the group start from where this one ends.
                along(item.size) = along(size);
            }
            across(size) = std::max<LONG>(across(size), 0);
            along(size) = std::max<LONG>(along(size), 0);

            // Placed as the framework's dock bar places bars.
            CRect rectBar;
            item.pBar->GetWindowRect(rectBar);
            ScreenToClient(rectBar);
            CPoint start = pt;
            if (!pDialogBar && !m_bFloating) {
                CPoint actual = rectBar.TopLeft();
                along(start) = std::max(along(start), along(actual));
            }
            if (along(start) + along(size) > maxLength)
                along(start) = std::max(maxLength - (along(size) - nBarOverlap), along(pt));
            const bool bNoRoom = m_bFloating ? along(start) >= maxLength - nBarOverlap
                                             : along(start) + along(size) - nBarOverlap > maxLength;
            if (k > 0 && bNoRoom) {
                // No room left in the row: it goes on below (not recorded: the rows are the user's),
                // and the splitter before it goes. The hidden bars before it stay at the line's end.
                parkHidden(LONG_MAX);
                across(pt) += nThickness - nOverlap;
                along(pt) = -nOverlap;
                nThickness = 0;
                start = pt;
                pSplitBefore = nullptr;
            } else {
                parkHidden(along(start));
            }
            if (pSplitBefore && !bQuery) {
                AddSplitterInfo(bHorz ? 1 : 2, rectSplit, pSplitBefore, nullptr);
                pOpen = static_cast<SplitterInfo*>(m_arrSplitters[m_nSplittersUsed - 1]);
            }
            pSplitBefore = nullptr;
            const CRect rect(start, size);
            if (rect != rectBar && !bQuery) {
                if (!(item.pBar->m_dwStyle & CBRS_FLOATING) && item.pBar->m_pDockContext)
                    item.pBar->m_pDockContext->m_rectMRUDockPos = rect;
                AfxRepositionWindow(&layout, item.pBar->m_hWnd, rect);
            }
            if (pDialogBar && !bQuery && pDialogBar->HasStateChanged(TRUE))
                pDialogBar->UpdateControlsPosition(rect.Width(), rect.Height(), TRUE);
            along(pt) = along(start) + along(size) - nBarOverlap;
            nThickness = std::max<LONG>(nThickness, across(size));
            if (!pDialogBar)
                continue;
            laidOut.emplace_back(item.pBar, size);
            pLastResizable = pDialogBar;
            if (pOpen && !bQuery) {
                pOpen->pAfter = pDialogBar;
                pOpen = nullptr;
            }
            // A splitter between it and the next bar of its row, when that one stays in the row.
            if (k + 1 < row.size()) {
                rectSplit = bHorz ? CRect(pt.x, pt.y, pt.x + kSplitter, pt.y + size.cy)
                                  : CRect(pt.x, pt.y, pt.x + size.cx, pt.y + kSplitter);
                pSplitBefore = inRoom(rectSplit) ? pDialogBar : nullptr;
                along(pt) += kSplitter - nBarOverlap;
            }
        }
        // The end of the row.
        across(pt) += nThickness - nOverlap;
        sizeFixed.cx = std::max(sizeFixed.cx, pt.x);
        sizeFixed.cy = std::max(sizeFixed.cy, pt.y);
        along(pt) = -nOverlap;
        const bool bRowFollows =
            std::any_of(rows.begin() + (long)r + 1, rows.end(), [](const Row& later) { return !later.shown.empty(); });
        if (pLastResizable && bRowFollows) {
            CRect splitter = bHorz ? CRect(-2, pt.y, sizeMax.cx - 2, pt.y + kSplitter)
                                   : CRect(pt.x, -2, pt.x + kSplitter, sizeMax.cy - 2);
            if (!bQuery && inRoom(splitter)) {
                AddSplitterInfo(bHorz ? 2 : 1, splitter, pLastResizable, nullptr);
                pOpen = static_cast<SplitterInfo*>(m_arrSplitters[m_nSplittersUsed - 1]);
            }
            across(pt) += kSplitter - nOverlap;
            sizeFixed.cx = std::max(sizeFixed.cx, pt.x);
            sizeFixed.cy = std::max(sizeFixed.cy, pt.y);
        }
    }
    parkRows(LONG_MAX);
    // A splitter with nothing after it is no splitter.
    if (pOpen && !pOpen->pAfter && m_nSplittersUsed > 0 && pOpen == m_arrSplitters[m_nSplittersUsed - 1])
        --m_nSplittersUsed;

    for (int nPos = 0; nPos < (int)m_arrBars.GetSize(); ++nPos)
        if (CControlBar* pBar = GetDockedControlBar(nPos))
            pBar->RecalcDelayShow(&layout);
    if (!bQuery && layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);

    if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
        sizeFixed.cx -= inside.Width();
    if ((!bStretch || bHorz) && sizeFixed.cy != 0)
        sizeFixed.cy -= inside.Height();
    if (!bQuery) {
        m_laidOut = std::move(laidOut);
        m_nLastLayoutLength = maxLength;
        for (int i = 0; i < m_nSplittersUsed && m_hWnd; ++i)
            InvalidateRect(static_cast<SplitterInfo*>(m_arrSplitters[i])->rect);
    }
    return sizeFixed;
}
