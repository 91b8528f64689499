// CStatusBar: panes over the common status control; the bar keeps the panes'
// IDs, styles and texts and gives the control their widths.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

constexpr int kPaneMargin = 4;   // each side of a pane's text

// Updates a pane's enabled state, check and text from command-UI handlers.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* pBar = static_cast<CStatusBar*>(m_pOther);
        const UINT nStyle = pBar->GetPaneStyle((int)m_nIndex);
        pBar->SetPaneStyle((int)m_nIndex, bOn ? nStyle & ~SBPS_DISABLED : nStyle | SBPS_DISABLED);
    }
    void SetCheck(int nCheck) override
    {
        auto* pBar = static_cast<CStatusBar*>(m_pOther);
        const UINT nStyle = pBar->GetPaneStyle((int)m_nIndex);
        pBar->SetPaneStyle((int)m_nIndex, nCheck ? nStyle | SBPS_POPOUT : nStyle & ~SBPS_POPOUT);
    }
    void SetText(LPCSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText ? lpszText : "");
    }
};

}   // namespace

CStatusBar::CStatusBar()
{
    // The control draws its own pane edges.
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_dwStyle = dwStyle & CBRS_ALL;
    // The bar style shares bits with the control's styles, so it stays out of the window style.
    const DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | (dwCtrlStyle & 0xFFFF) | WS_CHILD | CCS_NOPARENTALIGN |
                             CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetFont((HFONT)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    return TRUE;
}

int CStatusBar::TextWidth(LPCSTR lpszText) const
{
    CClientDC dc(const_cast<CStatusBar*>(this));
    HGDIOBJ old = dc.SelectObject(GetFont() ? (HGDIOBJ)GetFont() : ::GetStockObject(DEFAULT_GUI_FONT));
    const int cx = dc.GetTextExtent(lpszText, (int)::lstrlenA(lpszText)).cx;
    dc.SelectObject(old);
    return cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane{lpIDArray ? lpIDArray[i] : ID_SEPARATOR, SBPS_NORMAL, 0, CString()};
        if (pane.nID == ID_SEPARATOR) {
            // The message pane: it takes the room the others leave.
            pane.nStyle = SBPS_STRETCH | (i == 0 ? SBPS_NOBORDERS : 0);
        } else {
            if (!pane.strText.LoadString(pane.nID))
                bResult = FALSE;
            pane.cxText = TextWidth(pane.strText);
        }
        m_panes.push_back(pane);
    }
    m_nCount = (int)m_panes.size();
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (!m_hWnd)
        return;
    if (bUpdateRects) {
        CRect client;
        GetClientRect(client);
        int fixed = 0;
        int stretchers = 0;
        for (const Pane& pane : m_panes) {
            if (pane.nStyle & SBPS_STRETCH)
                ++stretchers;
            else
                fixed += pane.cxText + 2 * kPaneMargin;
        }
        // Only the first stretchy pane stretches; later ones keep their width.
        int extra = std::max(0, (int)client.Width() - fixed);
        std::vector<int> edges;
        int right = 0;
        for (const Pane& pane : m_panes) {
            int cx = pane.cxText + 2 * kPaneMargin;
            if ((pane.nStyle & SBPS_STRETCH) && stretchers) {
                cx = extra;
                extra = 0;
                stretchers = 0;
            }
            right += cx;
            edges.push_back(right);
        }
        if (!edges.empty())
            SendMessage(SB_SETPARTS, (WPARAM)edges.size(), (LPARAM)edges.data());
    }
    if (bUpdateText) {
        for (size_t i = 0; i < m_panes.size(); ++i) {
            const Pane& pane = m_panes[i];
            const UINT flags = pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT);
            // A disabled pane shows no text.
            LPCSTR text = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCSTR)pane.strText;
            SendMessage(SB_SETTEXTA, i | flags, (LPARAM)text);
        }
    }
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return (int)i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? m_panes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (nIndex >= 0 && nIndex < (int)m_panes.size())
        SendMessage(SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.size())
        return FALSE;
    Pane& pane = m_panes[nIndex];
    const CString text = lpszNewText ? lpszNewText : "";
    if (pane.strText == text)
        return TRUE;
    pane.strText = text;
    if (bUpdate)
        UpdateAllPanes(FALSE, TRUE);
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? m_panes[nIndex].strText : CString();
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.size())
        return;
    Pane& pane = m_panes[nIndex];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    UpdateAllPanes(TRUE, TRUE);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = nStyle = 0;
    cxWidth = 0;
    if (nIndex < 0 || nIndex >= (int)m_panes.size())
        return;
    nID = m_panes[nIndex].nID;
    nStyle = m_panes[nIndex].nStyle;
    cxWidth = m_panes[nIndex].cxText;
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? m_panes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.size() || m_panes[nIndex].nStyle == nStyle)
        return;
    const bool widthChanged = ((m_panes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_panes[nIndex].nStyle = nStyle;
    UpdateAllPanes(widthChanged, TRUE);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CClientDC dc(this);
    HGDIOBJ old = dc.SelectObject(GetFont() ? (HGDIOBJ)GetFont() : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    int borders[3] = {0, 0, 0};
    SendMessage(SB_GETBORDERS, 0, (LPARAM)borders);
    CRect inside;
    CalcInsideRect(inside, bHorz);
    // Text, the panes' edges above and below it, and the bar's own borders.
    size.cy = tm.tmHeight + 2 * borders[1] + 4 - inside.Height();
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_panes.size();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        // Indicators without handlers keep their state: they are not commands.
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnPaint()
{
    Default();
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    // The window text is the message pane's.
    return SetPaneText(0, reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const CString text = GetPaneText(0);
    if (!wParam || !lParam)
        return 0;
    ::lstrcpynA(reinterpret_cast<LPSTR>(lParam), text, (int)wParam);
    return ::lstrlenA(reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(0).GetLength();
}
