// The toolbar's own registry key, written: placement, visibility, buttons and
// flyouts, in the order the readers of stored layouts expect.
#include "hostengine.h"
#include "jappinfo.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "regvalues.h"
#include "toolbar_registry.h"

#include <algorithm>

using namespace toolbar_key;

namespace {

// The stored code of a dock bar; any other bar is stored as the top.
DWORD DockSiteCode(UINT nDockBarID)
{
    for (const DockSite& site : kDockSites)
        if (site.nDockBarID == nDockBarID)
            return site.code;
    return 1;
}

void WritePoint(HKEY hKey, LPCSTR name, POINT point)
{
    const LONG xy[2] = {point.x, point.y};
    WriteRegBytes(hKey, name, xy, sizeof xy);
}

bool HostHidesMainWindow()
{
    CWnd* pMain = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    return pMain && pMain->m_hWnd && !pMain->IsWindowVisible() && HostMode();
}

}   // namespace

void JToolBar::SetFlyoutList(int nButton, std::vector<UINT> ids)
{
    for (FlyoutList& list : m_flyoutLists)
        if (list.nButton == nButton) {
            list.ids = std::move(ids);
            return;
        }
    auto at = m_flyoutLists.begin();
    while (at != m_flyoutLists.end() && at->nButton < nButton)
        ++at;
    m_flyoutLists.insert(at, FlyoutList{nButton, std::move(ids)});
}

BOOL JToolBar::HasFlyoutList(int nButton) const
{
    return std::any_of(m_flyoutLists.begin(), m_flyoutLists.end(),
                       [nButton](const FlyoutList& list) { return list.nButton == nButton; });
}

BOOL JToolBar::IsVisibleForSave()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    BOOL bVisible;
    if (pInfo && pInfo->m_pAppInfo && pInfo->m_pAppInfo->IsReady()) {
        bVisible = IsWindowVisible();
    } else {
        // Before the host is ready the window may not show yet: the flag says what it will be.
        if (m_bVisiblePending && !m_bVisible)
            m_bVisible = m_bVisiblePending;
        bVisible = m_bVisible;
    }
    // Hidden only while the frame is in a special mode: it comes back afterwards.
    if (!bVisible && m_nStateFlags == tempHide)
        bVisible = TRUE;
    return bVisible;
}

void JToolBar::WriteFlyouts(HKEY hKey, LPCSTR lpszListName, LPCSTR lpszItemFormat)
{
    const int nButtons = (int)GetCommandCount();
    std::vector<UINT> buttons;
    for (const FlyoutList& list : m_flyoutLists) {
        if (list.nButton >= nButtons)
            continue;   // its button went
        char name[64];
        wsprintfA(name, lpszItemFormat, (int)buttons.size());
        std::vector<UINT> ids = list.ids;
        ids.resize(std::min(ids.size(), kMostFlyoutCommands));
        WriteRegList(hKey, name, ids);
        buttons.push_back((UINT)list.nButton);
    }
    if (buttons.empty())
        buttons.push_back((UINT)-1);
    WriteRegList(hKey, lpszListName, buttons);
}

void JToolBar::WriteDefaultFlyouts(HKEY hKey)
{
    // Written once, at the first save: afterwards they keep what the host first gave.
    std::vector<UINT> stored;
    if (ReadRegList(hKey, "DefaultFlyouts", 1024, stored) && !stored.empty())
        return;
    WriteFlyouts(hKey, "DefaultFlyouts", "DefaultFlyout%d");
}

BOOL JToolBar::WriteToRegistry(HKEY hKey)
{
    if (!hKey || !m_hWnd || HostHidesMainWindow())
        return FALSE;
    WriteRegNumber(hKey, "ID", (DWORD)GetDlgCtrlID());
    WriteRegNumber(hKey, "IDFixed", m_bIDFixed ? 1 : 0);
    // No longer than the readers take: a longer caption would make the key unreadable.
    char name[kNameBytes] = "";
    ::GetWindowTextA(m_hWnd, name, sizeof name);
    WriteRegText(hKey, "Name", name);
    WritePoint(hKey, "DockPos", m_ptDockPos);
    WritePoint(hKey, "FloatPos", m_ptFloatPos);
    WriteRegNumber(hKey, "DockSite", DockSiteCode(m_nDockBarID));
    WriteRegNumber(hKey, "Visible", IsVisibleForSave() ? 1 : 0);
    WriteRegNumber(hKey, "Floating", IsFloating() ? 1 : 0);
    CRect rect;
    GetWindowRect(rect);
    WriteRegNumber(hKey, "FloatTop", (DWORD)rect.top);
    WriteRegNumber(hKey, "FloatBottom", (DWORD)rect.bottom);
    WriteRegNumber(hKey, "FloatLeft", (DWORD)rect.left);
    WriteRegNumber(hKey, "FloatRight", (DWORD)rect.right);
    WriteRegNumber(hKey, "Hide", m_bHide ? 1 : 0);
    WriteRegNumber(hKey, "FloatSizeWidth", (DWORD)m_sizeFloat.cx);
    WriteRegNumber(hKey, "FloatSizeHeight", (DWORD)m_sizeFloat.cy);
    WriteRegNumber(hKey, "FloatOrientation", (GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) ? 1 : 0);
    WriteRegNumber(hKey, "Default", m_bDefault ? 1 : 0);

    std::vector<UINT> defaults(m_arrDefaultIDs.GetData(), m_arrDefaultIDs.GetData() + m_arrDefaultIDs.GetSize());
    defaults.resize(std::min(defaults.size(), kMostListed));
    if (m_bDefault) {
        WriteRegList(hKey, "DefaultIDs", defaults);
        WriteDefaultFlyouts(hKey);
    }
    CUIntArray buttons;
    GetButtonIDs(buttons);
    std::vector<UINT> ids(buttons.GetData(), buttons.GetData() + buttons.GetSize());
    ids.resize(std::min(ids.size(), kMostListed));
    WriteRegList(hKey, "IDs", ids.empty() && m_bDefault ? defaults : ids);
    if (!ids.empty()) {
        std::vector<UINT> styles;
        for (int i = 0; i < (int)ids.size(); ++i)
            styles.push_back(GetButtonStyle(i));
        WriteRegList(hKey, "Styles", styles);
    } else {
        // A kept key must not give an earlier save's row breaks to these buttons.
        ::RegDeleteValueA(hKey, "Styles");
    }
    WriteFlyouts(hKey, "Flyouts", "Flyout%d");
    // No button has a picture record of its own.
    WriteRegList(hKey, "CustomBitmaps", {(UINT)-1});
    return TRUE;
}

void JToolBar::StoreLastPosition()
{
    if (!m_hWnd)
        return;
    if (IsFloating()) {
        m_bFloating = TRUE;
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
            CRect rect;
            pFrame->GetWindowRect(rect);
            m_ptFloatPos = rect.TopLeft();
        }
        return;
    }
    m_bFloating = FALSE;
    if (!m_pDockBar || !m_pDockBar->m_hWnd)
        return;
    CFrameWnd* pDockFrame = m_pDockBar->GetParentFrame();
    if (pDockFrame && pDockFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        return;
    CRect rect;
    GetWindowRect(rect);
    m_pDockBar->ScreenToClient(rect);
    m_ptDockPos = rect.TopLeft();
    m_nDockBarID = (UINT)m_pDockBar->GetDlgCtrlID();
}
