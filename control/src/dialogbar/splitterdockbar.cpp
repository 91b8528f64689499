// CSplitterDockBar: a frame's dock bar whose area and dialog bars are sized with splitters.
#include "jdialogbar.h"

IMPLEMENT_DYNCREATE(CSplitterDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CSplitterDockBar, CDockBar)
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

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
    CRect edge(window);
    int nEdgeHit = 0;
    if (IsLeftArea()) {
        edge.left = edge.right - kEdge;
        nEdgeHit = kHitOuterVert;
    } else if (IsRightArea()) {
        edge.right = edge.left + kEdge;
        nEdgeHit = kHitOuterVert;
    } else if (IsBottomArea()) {
        edge.bottom = edge.top + kEdge;
        nEdgeHit = kHitOuterHorz;
    } else if (IsTopArea()) {
        edge.top = edge.bottom - kEdge;
        nEdgeHit = kHitOuterHorz;
    }
    if (nEdgeHit && edge.PtInRect(point))
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

LRESULT CSplitterDockBar::OnNcHitTest(CPoint point)
{
    if (m_bSplittingEnabled)
        if (const int nHit = HitTest(point))
            return nHit;
    return CDockBar::OnNcHitTest(point);
}
