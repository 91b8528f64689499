// JDialogBar: the ribbon bar, its sections, their rows and its dock state.
#include "jribbonbar.h"

#include "appcore.h"
#include "controlexports.h"
#include "jbutton.h"
#include "jenvmanager.h"
#include "module.h"

#include <algorithm>
#include <utility>
#include <vector>

// The run-time base is CDialogBar on purpose: see jribbonbar.h.
IMPLEMENT_DYNAMIC(JDialogBar, CDialogBar)

BEGIN_MESSAGE_MAP(JDialogBar, AutoDialogBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DESTROY()
    ON_WM_PARENTNOTIFY()
    ON_MESSAGE(JDBM_TRACKSIZE, OnTrackSize)
    ON_MESSAGE(JDBM_RESIZE, OnResize)
    ON_MESSAGE(JDBM_CHANGEDOCKSTATE, OnChangeDockState)
    ON_MESSAGE(JDBM_GETDOCKSIZE, OnDockContextGetSize)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(JDBM_LARGEBUTTONCHANGE, OnLargeButtonChange)
END_MESSAGE_MAP()

namespace {

// "button", compared without case on at most six characters.
bool IsButtonClassName(LPCSTR lpszName)
{
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, lpszName, std::min(6, lstrlenA(lpszName)), "button",
                            6) == CSTR_EQUAL;
}

JControlOnlyInfo* ControlInfo()
{
    return JEnvironmentManager::Current();
}

}   // namespace

JDialogBar::JDialogBar() : m_hOwnResources(AfxGetResourceHandle())
{
    m_nDockBarID = AFX_IDW_DOCKBAR_TOP;
}

JDialogBar::~JDialogBar()
{
    CloseRegKey();
    for (INT_PTR i = 0; i < m_arrSections.GetSize(); ++i)
        delete static_cast<DIALOG_INFO*>(m_arrSections[i]);
    m_arrSections.RemoveAll();
}

BOOL JDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID, int nUnused, char* lpszHelpFile,
                        DWORD dwHelpContext)
{
    return CBaseDialogBar::Create(pParentWnd, nIDTemplate, nStyle, nID, nUnused, lpszHelpFile, dwHelpContext);
}

BOOL JDialogBar::Create(CWnd* pParentWnd, UINT nStyle, short nWord, char* lpszHelpFile, DWORD dwHelpContext)
{
    const BOOL bMade = AutoDialogBar::Create(pParentWnd, nStyle, nWord, lpszHelpFile, dwHelpContext);
    m_nRibbonWord = nWord;
    return bMade;
}

BOOL JDialogBar::IsSpecialBar()
{
    const char* lpszSpecial = AppGetSpecialBarName();
    return lpszSpecial && *lpszSpecial && !m_strBarName.IsEmpty() && lstrcmpiA(lpszSpecial, m_strBarName) == 0;
}

// ---- sections ----

int JDialogBar::InsertDialog(JSectionDlg* pDialog, HINSTANCE hResources, int index, BOOL bRecalc)
{
    if (!pDialog || !pDialog->m_hWnd || !m_hWnd)
        return index;
    const int count = GetDialogCount();
    if (index != -1 && (index < 0 || index > count))
        return 0;
    pDialog->SetParent(this);
    pDialog->ShowWindow(SW_HIDE);
    if (IsSpecialBar()) {
        CRect client;
        GetClientRect(client);
        pDialog->SetWindowPos(nullptr, 0, 0, std::max(0, client.Width() - 2), std::max(0, client.Height() - 2),
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    auto* pInfo = new DIALOG_INFO{hResources ? hResources : AfxGetResourceHandle(), pDialog};
    if (index == -1)
        index = count;
    m_arrSections.InsertAt(index, pInfo);
    m_childLists.clear();
    if (bRecalc) {
        RecalcLayout();
        RecalcFrame(FALSE);
        Invalidate();
    }
    return index;
}

BOOL JDialogBar::RemoveDialog(JSectionDlg* pDialog, BOOL bDelay)
{
    for (INT_PTR i = 0; i < m_arrSections.GetSize(); ++i) {
        auto* pInfo = static_cast<DIALOG_INFO*>(m_arrSections[i]);
        if (pInfo->pDialog != pDialog)
            continue;
        if (pDialog->m_hWnd)
            pDialog->SendMessage(WM_SETREDRAW, FALSE);
        m_arrSections.RemoveAt(i);
        m_childLists.clear();
        delete pInfo;
        if (bDelay)
            RecalcFrame(TRUE);
        pDialog->CleanUp();
        return TRUE;
    }
    return FALSE;
}

void JDialogBar::RemoveAll(BOOL bDelay)
{
    // Taken out first: a section's clean-up may reach the bar again.
    std::vector<DIALOG_INFO*> sections;
    for (INT_PTR i = 0; i < m_arrSections.GetSize(); ++i)
        sections.push_back(static_cast<DIALOG_INFO*>(m_arrSections[i]));
    m_arrSections.RemoveAll();
    m_childLists.clear();
    for (DIALOG_INFO* pInfo : sections) {
        if (pInfo->pDialog->m_hWnd)
            pInfo->pDialog->ShowWindow(SW_HIDE);
        pInfo->pDialog->CleanUp();
        delete pInfo;
    }
    if (bDelay)
        RecalcFrame(TRUE);
}

DIALOG_INFO* JDialogBar::GetDialogInfo(int index) const
{
    if (index < 0 || index >= GetDialogCount())
        return nullptr;
    return static_cast<DIALOG_INFO*>(m_arrSections[index]);
}

BOOL JDialogBar::IsEmpty()
{
    if (!m_hWnd)
        return TRUE;
    for (const CachedChild& child : ChildrenOf(m_hWnd)) {
        CWnd* pChild = CWnd::FromHandlePermanent(child.hWnd);
        if (!pChild || !pChild->IsKindOf(RUNTIME_CLASS(JSectionDlg)))
            return FALSE;
    }
    return TRUE;
}

const std::vector<JDialogBar::CachedChild>& JDialogBar::ChildrenOf(HWND hContainer)
{
    auto it = std::find_if(m_childLists.begin(), m_childLists.end(),
                           [hContainer](const ChildList& list) { return list.hContainer == hContainer; });
    if (it != m_childLists.end()) {
        const bool bCurrent = std::all_of(it->children.begin(), it->children.end(), [hContainer](const CachedChild& c) {
            return ::IsWindow(c.hWnd) && ::GetAncestor(c.hWnd, GA_PARENT) == hContainer;
        });
        if (bCurrent)
            return it->children;
        it->children.clear();
    } else {
        it = m_childLists.insert(m_childLists.end(), ChildList{hContainer, {}});
    }
    for (HWND hChild = ::GetTopWindow(hContainer); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char name[16] = "";
        ::GetClassNameA(hChild, name, sizeof name);
        it->children.push_back({hChild, lstrcmpA(name, "#32770") == 0, IsButtonClassName(name)});
    }
    return it->children;
}

// ---- sizes ----

void JDialogBar::SetHeight(int nHeight)
{
    int usable = nHeight;
    if (m_dwStyle & CBRS_BORDER_TOP)
        --usable;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        --usable;
    const int extra = usable - (int)m_sizeButton.cy;
    m_nBottomMargin = extra / 2;
    m_nTopMargin = usable - m_nBottomMargin - (int)m_sizeButton.cy;
    if (m_nTopMargin < 0) {
        m_nTopMargin = 0;
        m_nBottomMargin = extra;
    }
    RecalcFrame(FALSE);
}

int JDialogBar::GetHeight()
{
    StoreLastPosition();
    CRect client(0, 0, 0, 0);
    if (m_hWnd)
        GetClientRect(client);
    return client.Height();
}

CSize JDialogBar::ResizeAndReposition(CWnd* pContainer, HINSTANCE hResources, BOOL bMove)
{
    const int rowHeight = RowHeight();
    if (!pContainer || !pContainer->m_hWnd)
        return CSize(2, rowHeight + 2);
    struct Child {
        HWND hWnd;
        CRect rect;   // in the container's client coordinates
        bool bButtonClass;
    };
    std::vector<Child> children;
    CPoint origin(0, 0);
    ::ClientToScreen(pContainer->m_hWnd, &origin);
    for (const CachedChild& child : ChildrenOf(pContainer->m_hWnd)) {
        if (child.bDialog)
            continue;
        CRect rect;
        ::GetWindowRect(child.hWnd, rect);
        rect.OffsetRect(-origin.x, -origin.y);
        children.push_back({child.hWnd, rect, child.bButtonClass});
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const Child& a, const Child& b) { return a.rect.left < b.rect.left; });

    JControlOnlyInfo* pInfo = ControlInfo();
    const bool bLarge = pInfo && pInfo->m_nLargeButtons > 0;
    const bool bColour = !pInfo || pInfo->m_bColorButtons;
    const char* suffix = bLarge ? (bColour ? "_LC" : "_LM") : (bColour ? "_SC" : "_SM");
    int x = 0;
    bool bAfterButton = false;
    for (const Child& child : children) {
        CSize size = child.rect.Size();
        auto* pButton = DYNAMIC_DOWNCAST(JButton, CWnd::FromHandlePermanent(child.hWnd));
        if (pButton) {
            char text[200] = "";
            ::GetWindowTextA(child.hWnd, text, sizeof text - 4);
            if (*text) {
                lstrcatA(text, suffix);
                CResourceSwitch resources(hResources);
                pButton->LoadBitmap(text);
            }
            size = m_sizeButton;
            if (::GetWindowLongA(child.hWnd, GWL_STYLE) & JBS_DROPDOWN)
                size.cx += m_nCaptionWidth;
            if (bAfterButton)
                --x;   // neighbouring buttons share an edge
        } else if (child.bButtonClass) {
            size.cy = m_sizeButton.cy;
        }
        // A child already in its place is left alone.
        const CRect place(CPoint(x, (rowHeight - size.cy) / 2), size);
        if (bMove && place != child.rect)
            ::SetWindowPos(child.hWnd, nullptr, place.left, place.top, place.Width(), place.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        x += size.cx;
        bAfterButton = pButton != nullptr;
    }
    return CSize(x + 2, rowHeight + 2);
}

CSize JDialogBar::CalcFixedSize(int nColumns)
{
    CSize size = ResizeAndReposition(this, m_hOwnResources, FALSE);
    const bool bOnlySections = IsEmpty() != FALSE;
    if (bOnlySections)
        size.cx += 1;
    if (m_bShowCaption)
        size.cy += kCaptionHeight;
    if (m_bGripper && IsSpecialBar())
        size.cx = 14;
    const bool bSingleFloating = IsFloating() && GetDialogCount() == 1;
    for (int i = 0; i < GetDialogCount(); ++i) {
        DIALOG_INFO* pInfo = GetDialogInfo(i);
        const CSize section = ResizeAndReposition(pInfo->pDialog, pInfo->hResources, FALSE);
        const int position = bOnlySections ? i + 1 : i + 2;
        if (position <= nColumns) {
            size.cx += section.cx;
            if (!(i == 0 && bOnlySections))
                size.cx += m_nGap;
        } else {
            size.cx = std::max(size.cx, section.cx);
            if (!bSingleFloating)
                size.cy += section.cy;
        }
    }
    return size;
}

CSize JDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CalcFixedSize(IsFloating() ? m_nColumns : GetDialogCount() + 1);
    // The bar's borders (and gripper) lie around the rows.
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    size.cx -= inside.Width();
    size.cy -= inside.Height();
    if (!bStretch)
        return size;
    if (!bHorz)
        return CSize(0, 32767);
    return CSize(32767, RowHeight());
}

CSize JDialogBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    // Floating, the rows of sections decide the size, not the frame's edges.
    if (IsFloating())
        return CalcFixedLayout(FALSE, TRUE);
    return CBaseDialogBar::CalcDynamicLayout(nLength, dwMode);
}

void JDialogBar::UpdateControlsPosition(long, long, BOOL)
{
    // Sized by a layout of its frame: the stored place waits for a layout of the bar's own,
    // or it would float the bar in the middle of docking it.
    const BOOL bRead = m_bLayoutRead;
    m_bLayoutRead = TRUE;
    RecalcLayout();
    m_bLayoutRead = bRead;
}

void JDialogBar::RecalcLayout(int nNoWrap)
{
    if (!m_hWnd || m_bInLayout)
        return;
    m_bInLayout = TRUE;
    if (!m_bLayoutRead)
        ApplyStoredPlace();
    const CSize own = ResizeAndReposition(this, m_hOwnResources, TRUE);
    const bool bOnlySections = IsEmpty() != FALSE;
    int x = bOnlySections ? 1 : own.cx + m_nGap;
    int rowOffset = 0;
    if (m_bGripper && IsSpecialBar())
        x += 14;
    int position = bOnlySections ? 1 : 2;
    const int count = GetDialogCount();
    for (int i = 0; i < count; ++i) {
        DIALOG_INFO* pInfo = GetDialogInfo(i);
        if (!pInfo->pDialog->m_hWnd)
            continue;
        const bool bDockedBefore = !IsFloating();
        const CSize size = ResizeAndReposition(pInfo->pDialog, pInfo->hResources, TRUE);
        if (!nNoWrap && IsFloating() && position > m_nColumns) {
            x = 1;
            if (bDockedBefore || count > 1)
                rowOffset += size.cy;
        }
        const CRect place(CPoint(x - 1, m_nTopMargin / 2 + rowOffset + 1), size);
        CRect now;
        pInfo->pDialog->GetWindowRect(now);
        ScreenToClient(now);
        if (now != place || !pInfo->pDialog->IsWindowVisible())
            pInfo->pDialog->SetWindowPos(nullptr, place.left, place.top, size.cx, size.cy,
                                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
        x += size.cx + m_nGap;
        ++position;
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    m_bInLayout = FALSE;
}

int JDialogBar::ColumnsForPoint(CPoint pt, UINT nHitTest)
{
    int n = GetDialogCount() + (IsEmpty() ? 0 : 1);
    n = std::max(n, 1);
    CRect bar;
    GetWindowRect(bar);
    const int rowHeight = std::max(RowHeight(), 1);
    switch (nHitTest) {
    case HTLEFT:
        for (int k = 1; k <= n; ++k)
            if (pt.x >= bar.right - CalcFixedSize(k).cx)
                return std::max(k - 1, 1);
        return n;
    case HTRIGHT:
        for (int k = 1; k <= n; ++k)
            if (pt.x < bar.left + CalcFixedSize(k).cx)
                return std::max(k - 1, 1);
        return n;
    case HTTOP:
        return std::clamp(n - (int)(bar.bottom - pt.y - 1) / rowHeight + 1, 1, n);
    case HTBOTTOM:
        return std::clamp(n - (int)(pt.y - bar.top - 1) / rowHeight + 1, 1, n);
    default:
        return n;
    }
}

LRESULT JDialogBar::OnTrackSize(WPARAM, LPARAM lParam)
{
    if (auto* pTrack = reinterpret_cast<JDBTRACKINFO*>(lParam)) {
        const CSize size = CalcFixedSize(ColumnsForPoint(pTrack->pt, pTrack->nHitTest));
        CRect rect(CPoint(0, 0), size);
        rect.DeflateRect(1, 1);
        pTrack->rect = rect;
    }
    return 1;
}

LRESULT JDialogBar::OnResize(WPARAM, LPARAM lParam)
{
    if (auto* pTrack = reinterpret_cast<JDBTRACKINFO*>(lParam)) {
        m_nColumns = std::max(ColumnsForPoint(pTrack->pt, pTrack->nHitTest), 1);
        RecalcLayout();
        RecalcFrame(FALSE);
    }
    return 1;
}

void JDialogBar::RecalcFrame(BOOL bDelay)
{
    if (!m_hWnd)
        return;
    if (IsFloating()) {
        // The floating frame fits the bar at once: it has no idle layout of its own.
        if (CFrameWnd* pMini = GetParentFrame())
            pMini->RecalcLayout();
        return;
    }
    CFrameWnd* pFrame = m_pDockSite ? m_pDockSite : GetParentFrame();
    if (!pFrame)
        return;
    if (bDelay)
        pFrame->DelayRecalcLayout();
    else
        pFrame->RecalcLayout();
}

// ---- place and visibility ----

void JDialogBar::StoreLastPosition()
{
    if (!m_hWnd)
        return;
    if (IsFloating()) {
        if (CFrameWnd* pMini = GetParentFrame()) {
            CRect rect;
            pMini->GetWindowRect(rect);
            m_ptFloatPos = rect.TopLeft();
        }
        m_bFloating = TRUE;
    } else if (m_pDockBar) {
        CRect rect;
        GetWindowRect(rect);
        m_ptDockOrigin = rect.TopLeft();
        m_nDockBarID = (UINT)m_pDockBar->GetDlgCtrlID();
        m_bFloating = FALSE;
    }
}

void JDialogBar::SetCustomVisible(BOOL bVisible)
{
    m_bCustomVisible = bVisible;
    if (!m_hWnd)
        return;
    if (!bVisible)
        ShowWindow(SW_HIDE);
    else if (!IsWindowVisible())
        ShowWindow(SW_SHOW);
}

void JDialogBar::ApplyStoredPlace()
{
    CFrameWnd* pFrame = m_pDockSite;
    if (!pFrame || GetWindowTextLength() == 0)
        return;
    m_bLayoutRead = TRUE;
    JControlOnlyInfo* pInfo = ControlInfo();
    const int nLargeBefore = pInfo ? pInfo->m_nLargeButtons : -1;
    const BOOL bRead = ReadFromRegistry();
    CloseRegKey();
    if (!bRead)
        return;
    if (m_bFloating) {
        // A place off every screen comes back onto the desktop.
        CRect desk;
        ::GetWindowRect(::GetDesktopWindow(), desk);
        CPoint pt = m_ptFloatPos;
        pt.x = std::clamp((int)pt.x, (int)desk.left, std::max((int)desk.left, (int)desk.right - 40));
        pt.y = std::clamp((int)pt.y, (int)desk.top, std::max((int)desk.top, (int)desk.bottom - 20));
        m_ptFloatPos = pt;
        pFrame->FloatControlBar(this, pt, CBRS_ALIGN_TOP);
    } else {
        pFrame->DockControlBar(this, m_nDockBarID);
    }
    if (pInfo && pInfo->m_nLargeButtons != nLargeBefore)
        m_sizeButton = pInfo->m_nLargeButtons > 0 ? kLargeButton : kSmallButton;
}

// ---- messages ----

void JDialogBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    StoreLastPosition();
    if (!IsFloating() && m_pDockContext) {
        CPoint screen(point);
        ClientToScreen(&screen);
        m_pDockContext->StartDrag(screen);
        return;
    }
    CControlBar::OnLButtonDown(nFlags, point);
}

void JDialogBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    StoreLastPosition();
    if (!IsFloating()) {
        SendMessage(JDBM_CHANGEDOCKSTATE);
        return;
    }
    CControlBar::OnLButtonDblClk(nFlags, point);
}

void JDialogBar::OnDestroy()
{
    m_childLists.clear();
    CloseRegKey();
    AutoDialogBar::OnDestroy();
}

void JDialogBar::OnParentNotify(UINT message, LPARAM lParam)
{
    if (message == WM_CREATE || message == WM_DESTROY)
        ChildrenChanged();
    AutoDialogBar::OnParentNotify(message, lParam);
}

LRESULT JDialogBar::OnChangeDockState(WPARAM wParam, LPARAM lParam)
{
    // Floated by a message rather than a click, the bar still docks back where it was.
    if (!IsFloating())
        StoreLastPosition();
    CBaseDialogBar::OnChangeDockState(wParam, lParam);
    RecalcLayout();
    return 1;
}

LRESULT JDialogBar::OnDockContextGetSize(WPARAM, LPARAM lParam)
{
    if (auto* pSize = reinterpret_cast<SIZE*>(lParam))
        *pSize = CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    return 1;
}

LRESULT JDialogBar::OnHelpHitTest(WPARAM, LPARAM)
{
    return (LRESULT)::GetWindowContextHelpId(m_hWnd);
}

LRESULT JDialogBar::OnLargeButtonChange(WPARAM, LPARAM)
{
    JControlOnlyInfo* pInfo = ControlInfo();
    m_sizeButton = pInfo && pInfo->m_nLargeButtons > 0 ? kLargeButton : kSmallButton;
    RecalcLayout();
    RecalcFrame(FALSE);
    return 1;
}
