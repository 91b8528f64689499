// The toolbar's own registry key, written: placement, visibility, buttons and
// flyouts, in the order the readers of stored layouts expect.
#include "hostengine.h"
#include "jappinfo.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "regvalues.h"
#include "toolbar_registry.h"

#include <algorithm>
#include <utility>

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

bool WritePoint(HKEY hKey, LPCSTR name, POINT point)
{
    const LONG xy[2] = {point.x, point.y};
    return WriteRegBytes(hKey, name, xy, sizeof xy);
}

bool HostHidesMainWindow()
{
    CWnd* pMain = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    return pMain && pMain->m_hWnd && !pMain->IsWindowVisible() && HostMode();
}

}   // namespace

void JToolBar::SetFlyoutList(int nButton, std::vector<UINT> ids)
{
    AttachFlyout(nButton, ids);
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
        // Before the host is ready its frame may not show yet, so the window's own
        // style says whether it is shown (showing and hiding the bar set it), and a
        // show put off until the host is ready counts as shown.
        bVisible = (GetStyle() & WS_VISIBLE) != 0 || m_bDeferredShow;
        m_bVisible = bVisible;
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
    // A key that takes no values (opened for reading, say) fails at once: a
    // half-written key would be counted as a toolbar and then not read back.
    if (!WriteRegNumber(hKey, "ID", (DWORD)GetDlgCtrlID()))
        return FALSE;
    bool ok = WriteRegNumber(hKey, "IDFixed", m_bIDFixed ? 1 : 0);
    // No longer than the readers take: a longer caption would make the key unreadable.
    char name[kNameBytes] = "";
    ::GetWindowTextA(m_hWnd, name, sizeof name);
    ok = WriteRegText(hKey, "Name", name) && ok;
    ok = WritePoint(hKey, "DockPos", m_ptDockPos) && ok;
    ok = WritePoint(hKey, "FloatPos", m_ptFloatPos) && ok;
    CRect rect;
    GetWindowRect(rect);
    const std::pair<LPCSTR, DWORD> numbers[] = {
        {"DockSite", DockSiteCode(m_nDockBarID)},
        {"Visible", IsVisibleForSave() ? 1u : 0u},
        {"Floating", IsFloating() ? 1u : 0u},
        {"FloatTop", (DWORD)rect.top},
        {"FloatBottom", (DWORD)rect.bottom},
        {"FloatLeft", (DWORD)rect.left},
        {"FloatRight", (DWORD)rect.right},
        {"Hide", m_bHide ? 1u : 0u},
        {"FloatSizeWidth", (DWORD)m_sizeFloat.cx},
        {"FloatSizeHeight", (DWORD)m_sizeFloat.cy},
        {"FloatOrientation", (GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) ? 1u : 0u},
        {"Default", m_bDefault ? 1u : 0u}};
    for (const auto& [valueName, value] : numbers)
        ok = WriteRegNumber(hKey, valueName, value) && ok;

    std::vector<UINT> defaults(m_arrDefaultIDs.GetData(), m_arrDefaultIDs.GetData() + m_arrDefaultIDs.GetSize());
    defaults.resize(std::min(defaults.size(), kMostListed));
    if (m_bDefault) {
        ok = WriteRegList(hKey, "DefaultIDs", defaults) && ok;
        WriteDefaultFlyouts(hKey);
    }
    // Each button's command and style come from one look at the button.
    const int nButtons = std::min((int)GetCommandCount(), (int)kMostListed);
    std::vector<UINT> ids, styles;
    ids.reserve((size_t)nButtons);
    styles.reserve((size_t)nButtons);
    for (int i = 0; i < nButtons; ++i) {
        const TBBUTTON button = GetButton(i);
        ids.push_back((button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)button.idCommand);
        styles.push_back(MAKELONG(button.fsStyle, button.fsState) ^ TBBS_DISABLED);
    }
    ok = WriteRegList(hKey, "IDs", ids.empty() && m_bDefault ? defaults : ids) && ok;
    if (!ids.empty()) {
        ok = WriteRegList(hKey, "Styles", styles) && ok;
    } else {
        // A kept key must not give an earlier save's row breaks to these buttons.
        DropStaleValue(hKey, "Styles");
    }
    WriteFlyouts(hKey, "Flyouts", "Flyout%d");
    ok = WritePictureRecords(hKey) && ok;
    return ok ? TRUE : FALSE;
}

BOOL JToolBar::WriteToNewKey(HKEY hKey)
{
    m_bWritingNewKey = TRUE;
    const BOOL bWritten = WriteToRegistry(hKey);
    m_bWritingNewKey = FALSE;
    return bWritten;
}

void JToolBar::DropStaleValue(HKEY hKey, LPCSTR name)
{
    if (!m_bWritingNewKey)
        ::RegDeleteValueA(hKey, name);
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
