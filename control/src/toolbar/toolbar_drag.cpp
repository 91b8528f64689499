// Dragging a toolbar's buttons while customizing (or with Alt held): the drag
// itself, the copy cursor, the toolbar under a drop, names of new toolbars and
// the customization focus.
#include "callframe.h"
#include "cntlrc.h"
#include "jbars.h"
#include "jdragger.h"
#include "jenvmanager.h"
#include "module.h"

#include "afxpriv.h"

#include <cstdio>
#include <cstring>

namespace {

bool Customizing()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->m_bCustomizationMode;
}

// Loaded once for each resource module: each load from a module mapped as data
// makes a new cursor.
HCURSOR LibraryCopyCursor()
{
    static HINSTANCE s_hLoadedFrom = nullptr;
    static HCURSOR s_hCursor = nullptr;
    LPCSTR lpszName = MAKEINTRESOURCEA(IDC_COPY_CURSOR);
    HINSTANCE hModule = ControlResources();
    if (!hModule || !::FindResourceA(hModule, lpszName, MAKEINTRESOURCEA(12)))   // RT_GROUP_CURSOR
        hModule = AfxFindResourceHandle(lpszName, MAKEINTRESOURCEA(12));
    if (hModule && (hModule != s_hLoadedFrom || !s_hCursor)) {
        s_hCursor = ::LoadCursorA(hModule, lpszName);
        s_hLoadedFrom = hModule;
    }
    return hModule ? s_hCursor : nullptr;
}

}   // namespace

void JToolBar::SetCopyMode(int mode)
{
    if (!m_hSavedCursor) {
        // Without a cursor yet, the arrow is the one to come back to.
        m_hSavedCursor = ::GetCursor();
        if (!m_hSavedCursor)
            m_hSavedCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));   // IDC_ARROW
    }
    if (mode == 1) {
        if (HCURSOR hCopy = LibraryCopyCursor())
            ::SetCursor(hCopy);
    } else if (m_hSavedCursor) {
        ::SetCursor(m_hSavedCursor);
    }
    m_nCopyMode = mode;
}

void JToolBar::DoDrag(CPoint point, int index, BOOL bCopy)
{
    if (!m_hWnd || index < 0 || index >= (int)GetCommandCount())
        return;
    SetCopyMode(bCopy ? 1 : 0);
    ClientToScreen(&point);
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (HWND hPage = pInfo ? pInfo->m_hWndCustomizePage : nullptr;
        hPage && ::IsWindow(hPage) && ::IsWindowVisible(hPage))
        ::SendMessageA(hPage, WM_SETMESSAGESTRING, GetItemID(index), 0);
    BOOL bDropped = FALSE;
    CRect drop;
    const HWND hSelf = m_hWnd;
    if (m_nDragOption == 0) {
        CDragger dragger;
        bDropped = dragger.StartDrag(point, index, this);
        drop = dragger.GetLastRect();
        // The toolbar may have gone while the drag ran (its frame closed, say).
        if (!::IsWindow(hSelf) || FromHandlePermanent(hSelf) != this)
            return;
    }
    CRect button;
    if (index < (int)GetCommandCount()) {
        GetItemRect(index, button);
        ClientToScreen(button);
    }
    if (bDropped && index < (int)GetCommandCount() && IsValidDrop(button, drop)) {
        const HCURSOR hSaved = m_hSavedCursor;
        m_nIndex = index;
        OnDrop(drop);
        if (::IsWindow(hSelf) && FromHandlePermanent(hSelf) == this)
            SetCopyMode(0);
        else if (hSaved)
            ::SetCursor(hSaved);
        return;
    }
    SetCopyMode(0);
    if (!Customizing())
        ClearActiveFocus(nullptr);
}

BOOL JToolBar::IsValidDrop(CRect buttonRect, CRect dropRect)
{
    // Both corners within the button grown by a pixel (the far edges included).
    buttonRect.InflateRect(1, 1);
    const bool bTopLeft = dropRect.left >= buttonRect.left && dropRect.top >= buttonRect.top &&
                          dropRect.left <= buttonRect.right && dropRect.top <= buttonRect.bottom;
    const bool bBottomRight = dropRect.right >= buttonRect.left && dropRect.bottom >= buttonRect.top &&
                              dropRect.right <= buttonRect.right && dropRect.bottom <= buttonRect.bottom;
    return !(bTopLeft && bBottomRight);
}

JToolBar* JToolBar::FindToolbar(const CRect& dropRect)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    CFrameWnd* pFrame = ControlFrameOfCall();
    if (!pInfo || pInfo->m_strCustomEnvironment.IsEmpty() || !pFrame)
        return nullptr;
    JToolBar* pFound = nullptr;
    ForEachControlBar(pFrame, [&](CControlBar* pBar) {
        auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar);
        // Flyouts and toolbars on their way out take no drops.
        if (!pToolBar || !IsLiveBar(pToolBar) || pToolBar->m_bIsFlyout || !pToolBar->IsWindowVisible())
            return true;
        CRect rect, common;
        pToolBar->GetWindowRect(rect);
        if (!common.IntersectRect(rect, dropRect) || !(pToolBar->m_strEnvironment == pInfo->m_strCustomEnvironment))
            return true;
        pFound = pToolBar;
        return false;
    });
    return pFound;
}

void JToolBar::GetNextToolbarName(CString& name) const
{
    CFrameWnd* pFrame = ControlFrameOfCall();
    if (!pFrame)
        return;
    int count = 0, largest = 0;
    ForEachControlBar(pFrame, [&](CControlBar* pBar) {
        auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar);
        if (!pToolBar || !IsLiveBar(pToolBar) || pToolBar->m_bIsFlyout)
            return true;
        if (!pToolBar->m_bDefault)
            ++count;
        CString caption;
        pToolBar->GetWindowText(caption);
        int number = 0;
        if (std::strncmp(caption, "Toolbar", 7) == 0 && std::sscanf((const char*)caption + 7, "%d", &number) == 1 &&
            number > largest)
            largest = number;
        return true;
    });
    name.Format("Toolbar%d", largest < count ? count + 1 : largest + 1);
}

void JToolBar::SetActiveFocus(JToolBar* pBar, int index)
{
    ClearActiveFocus(nullptr);
    m_pBar = pBar;
    m_nIndex = index;
    DrawActiveFocus();
}

void JToolBar::ClearActiveFocus(JToolBar* pBar)
{
    if (!m_pBar || (pBar && pBar != m_pBar))
        return;
    DrawActiveFocus();
    m_pBar = nullptr;
}

void JToolBar::DrawActiveFocus()
{
    if (IsLiveBar(m_pBar) && m_nIndex >= 0 && m_nIndex < (int)m_pBar->GetCommandCount())
        m_pBar->InvalidateButton(m_nIndex);
}
