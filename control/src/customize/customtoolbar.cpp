// JCustomToolbar: the palette of one category's buttons on the buttons page.
#include "jbuttonspage.h"
#include "jenvmanager.h"

#include <vector>

IMPLEMENT_DYNAMIC(JCustomToolbar, JToolBar)

BEGIN_MESSAGE_MAP(JCustomToolbar, JToolBar)
    ON_WM_PAINT()
    ON_WM_SHOWWINDOW()
    ON_WM_KEYUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {

// WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_FIXED
constexpr DWORD kPaletteStyle = 0x50002832;
constexpr UINT kPaletteID = AFX_IDW_CONTROLBAR_FIRST;

}   // namespace

int JCustomToolbar::RowLength()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->m_nLargeButtons == 1 ? 5 : 7;
}

BOOL JCustomToolbar::CreatePalette(CWnd* pHost, const UINT* lpIDArray, int nIDCount, CWnd* pOwner)
{
    // A separator is nothing to drag: the palette shows the commands alone.
    std::vector<UINT> ids;
    for (int i = 0; lpIDArray && i < nIDCount; ++i)
        if (lpIDArray[i] != 0)
            ids.push_back(lpIDArray[i]);
    // A palette in a page: no gripper, and kept out of the bars' menu.
    m_bGripper = FALSE;
    m_bUnlisted = TRUE;
    if (ids.empty() || !Create(pHost, "", ids.data(), (int)ids.size(), (int)kPaletteID, (DWORD)-1, kPaletteStyle))
        return FALSE;
    const int row = RowLength();
    for (int i = row - 1; i < (int)ids.size() - 1; i += row)
        SetButtonStyle(i, GetButtonStyle(i) | TBBS_WRAPPED);
    SetBarStyle(GetBarStyle() & ~CBRS_BORDER_BOTTOM);
    if (pOwner)
        SetOwner(pOwner);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void JCustomToolbar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

CWnd* JCustomToolbar::Page() const
{
    CWnd* pHost = GetParent();
    return pHost ? pHost->GetParent() : nullptr;
}

void JCustomToolbar::OnPaint()
{
    // Whatever state a button was left in, the palette shows it plain.
    const int count = GetToolBarCtrl().GetButtonCount();
    for (int i = 0; i < count; ++i) {
        const UINT nStyle = GetButtonStyle(i);
        const UINT nPlain = nStyle & ~(TBBS_DISABLED | TBBS_PRESSED | TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nPlain != nStyle)
            SetButtonStyle(i, nPlain);
    }
    JToolBar::OnPaint();
}

void JCustomToolbar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    JToolBar::OnShowWindow(bShow, nStatus);
    if (bShow)
        return;
    if (m_pBar == this)
        if (CWnd* pPage = Page())
            pPage->SendMessage(WM_SETMESSAGESTRING, 0);
    ClearActiveFocus(nullptr);
}

void JCustomToolbar::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

void JCustomToolbar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int hit = HitTest(point);
    if (hit < 0) {
        CToolBar::OnLButtonDown(nFlags, point);
        return;
    }
    m_nIndex = hit;
    DoDrag(point, hit, TRUE);
}

void JCustomToolbar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // A palette lives in the page, not in a frame: none of a frame toolbar's upkeep.
    CToolBar::OnWindowPosChanging(lpwndpos);
}

void JCustomToolbar::OnMouseMove(UINT nFlags, CPoint point)
{
    JToolBar::OnMouseMove(nFlags, point);
    const int hit = HitTest(point);
    if (CWnd* pPage = Page())
        pPage->SendMessage(WM_SETMESSAGESTRING, hit >= 0 ? GetItemID(hit) : 0);
}
