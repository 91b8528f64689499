// The toolbar's own registry key, read back. The key is user data that may be
// damaged: a required value that is missing, of the wrong type or longer than
// its buffer ends the reading with FALSE, and positions are brought on screen.
#include "callframe.h"
#include "controlexports.h"
#include "hostengine.h"
#include "jappinfo.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "regvalues.h"
#include "toolbar_registry.h"

#include <algorithm>

using namespace toolbar_key;

namespace {

constexpr int kDockBottomMargin = 58;   // two large buttons' height above the screen's bottom
// There are fewer bar IDs than this: a larger stored count is damage.
constexpr DWORD kMostToolbars = 256;

UINT DockBarFromCode(DWORD code)
{
    for (const DockSite& site : kDockSites)
        if (site.code == code)
            return site.nDockBarID;
    return AFX_IDW_DOCKBAR_TOP;
}

bool ReadPoint(HKEY hKey, LPCSTR name, CPoint& point)
{
    LONG xy[2] = {};
    if (!ReadRegBytes(hKey, name, xy, sizeof xy))
        return false;
    point = CPoint(xy[0], xy[1]);
    return true;
}

// Of a floating toolbar's frame this much at least stays on the screen, so that
// its caption can still be grabbed.
constexpr int kReachableWidth = 64;
constexpr int kReachableHeight = 48;
// No screen is smaller than this.
constexpr SIZE kSmallestScreen = {640, 480};
// The framework's own bars have these IDs, whether the frame has made them yet or not:
// the status bar and its kin, and the frame's dock bars. No toolbar may take one.
constexpr DWORD kFirstStandardBarID = AFX_IDW_STATUS_BAR;
constexpr DWORD kLastStandardBarID = AFX_IDW_DIALOGBAR;
constexpr DWORD kFirstDockBarID = AFX_IDW_DOCKBAR_TOP;
constexpr DWORD kLastDockBarID = AFX_IDW_DOCKBAR_FLOAT;

bool IsFrameworkBarID(DWORD id)
{
    return (id >= kFirstStandardBarID && id <= kLastStandardBarID) || (id >= kFirstDockBarID && id <= kLastDockBarID);
}

// Another live window of the bar's frame already has this ID: a bar of its list,
// or a child of the frame itself.
bool IsTakenByAnother(CControlBar* pBar, UINT id)
{
    CFrameWnd* pFrame = pBar->m_pDockSite ? pBar->m_pDockSite : ControlFrameOfCall();
    if (!pFrame)
        return false;
    bool taken = false;
    ForEachControlBar(pFrame, [pBar, id, &taken](CControlBar* pOther) {
        taken = pOther != pBar && IsLiveBar(pOther) && (UINT)pOther->GetDlgCtrlID() == id;
        return !taken;
    });
    if (taken || !pFrame->m_hWnd)
        return taken;
    HWND hChild = ::GetDlgItem(pFrame->m_hWnd, (int)id);
    return hChild && hChild != pBar->m_hWnd;
}

// A stored control ID the bar can take: not 0, 16 bits (commands carry it), none of
// the framework's own bars, and none another window of its frame has. The frame's main
// toolbar (AFX_IDW_TOOLBAR) keeps its ID, so that the View menu and ShowControlBar find it.
bool IsUsableBarID(CControlBar* pBar, DWORD id)
{
    return id != 0 && id <= 0xFFFF && !IsFrameworkBarID(id) && !IsTakenByAnother(pBar, (UINT)id);
}

// A bar that already holds a run-time ID no other bar of its frame has keeps it:
// a toolbar restored again needs no new one.
bool HoldsItsOwnRunTimeID(CControlBar* pBar)
{
    const UINT id = (UINT)pBar->GetDlgCtrlID();
    return id >= kFirstRunTimeBarID && id <= kLastRunTimeBarID && !IsTakenByAnother(pBar, id);
}

bool HostNotReady()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->m_pAppInfo && !pInfo->m_pAppInfo->IsReady();
}

}   // namespace

BOOL JToolBar::ReadPlacement(HKEY hKey, BOOL& bHorz)
{
    CPoint dock, floatPos;
    if (!ReadPoint(hKey, "DockPos", dock) || !ReadPoint(hKey, "FloatPos", floatPos))
        return FALSE;
    DWORD site = 0, visible = 0, floating = 0, edge = 0, cx = 0, cy = 0, horz = 0, hide = 0;
    if (!ReadRegNumber(hKey, "DockSite", &site) || !ReadRegNumber(hKey, "Visible", &visible) ||
        !ReadRegNumber(hKey, "Floating", &floating))
        return FALSE;
    // The floating rectangle is not needed beyond this point, but belongs to a whole key.
    for (LPCSTR name : {"FloatTop", "FloatBottom", "FloatLeft", "FloatRight"})
        if (!ReadRegNumber(hKey, name, &edge))
            return FALSE;
    if (!ReadRegNumber(hKey, "FloatSizeWidth", &cx) || !ReadRegNumber(hKey, "FloatSizeHeight", &cy) ||
        !ReadRegNumber(hKey, "FloatOrientation", &horz))
        return FALSE;

    // Positions and sizes are brought onto the screen. Asking for the screen's
    // size costs round trips to the window server: values that lie well inside
    // the smallest screen there is stay as they are on any screen, and need no asking.
    const bool insideSmallest = floatPos.x >= 0 && floatPos.x <= kSmallestScreen.cx - kReachableWidth &&
                                floatPos.y >= 0 && floatPos.y <= kSmallestScreen.cy - kReachableHeight &&
                                dock.x >= -kSmallestScreen.cx && dock.x < kSmallestScreen.cx &&
                                dock.y >= -kSmallestScreen.cy && dock.y < kSmallestScreen.cy - kDockBottomMargin &&
                                cx <= (DWORD)kSmallestScreen.cx && cy <= (DWORD)kSmallestScreen.cy;
    const int cxScreen = insideSmallest ? kSmallestScreen.cx : ::GetSystemMetrics(SM_CXSCREEN);
    const int cyScreen = insideSmallest ? kSmallestScreen.cy : ::GetSystemMetrics(SM_CYSCREEN);
    if (floatPos.x < 0 || floatPos.x >= cxScreen)
        floatPos.x = 0;
    if (floatPos.y < 0 || floatPos.y >= cyScreen)
        floatPos.y = 0;
    floatPos.x = std::min<LONG>(floatPos.x, std::max(0, cxScreen - kReachableWidth));
    floatPos.y = std::min<LONG>(floatPos.y, std::max(0, cyScreen - kReachableHeight));
    // Docked positions may be a little negative (before the first bar); far off is damage.
    if (dock.x >= cxScreen || dock.x < -cxScreen)
        dock.x = 0;
    if (dock.y >= cyScreen - kDockBottomMargin || dock.y < -cyScreen)
        dock.y = 0;
    m_ptDockPos = dock;
    m_ptFloatPos = floatPos;
    m_nDockBarID = DockBarFromCode(site);
    m_bVisible = visible != 0;
    m_bFloating = floating != 0;
    m_sizeFloat = CSize(std::clamp((int)cx, 0, cxScreen), std::clamp((int)cy, 0, cyScreen));
    bHorz = horz != 0;
    m_bHide = ReadRegNumber(hKey, "Hide", &hide) && hide != 0;
    return TRUE;
}

void JToolBar::ApplyVisibility()
{
    m_bDeferredShow = FALSE;
    // Shown or hidden only when that changes something: a toolbar restored from
    // its own key stays as it is.
    const BOOL bShown = (GetStyle() & WS_VISIBLE) != 0;
    if (m_bVisible) {
        // A floating toolbar shown before the host is ready would show on its own.
        if (!(HostNotReady() && m_bFloating && !HostMode())) {
            if (!bShown)
                ShowWindow(SW_SHOWNA);
            return;
        }
        m_bVisiblePending = TRUE;
    }
    if (bShown)
        ShowWindow(SW_HIDE);
    if (HostNotReady() && m_bFloating && m_bVisible) {
        m_bDeferredShow = TRUE;
        SetTimer(kDeferredShowTimer, 1000);
    }
}

BOOL JToolBar::ReadPictureRecords(HKEY hKey)
{
    std::vector<UINT> buttons;
    if (!ReadRegList(hKey, "CustomBitmaps", kListBytes, buttons))
        return FALSE;
    std::vector<CTMBITMAPSTRUCT*> records;
    const bool none = !buttons.empty() && buttons[0] == (UINT)-1;
    for (int n = 0; !none && n < (int)buttons.size(); ++n) {
        CTMBITMAPSTRUCT* pRecord = nullptr;
        if (!ReadPictureRecord(hKey, n, pRecord)) {
            // A record that cannot be rebuilt makes the key unusable.
            for (CTMBITMAPSTRUCT* pRead : records)
                delete pRead;
            return FALSE;
        }
        if (pRecord)
            records.push_back(pRecord);
    }
    // The key's records take the place of the toolbar's; they find their buttons
    // when the buttons are read.
    for (int i = 0; i < m_arrCustomBitmaps.GetSize(); ++i)
        SetCustomRecord(i, nullptr);
    for (CTMBITMAPSTRUCT* pOld : m_loadedRecords)
        delete pOld;
    m_loadedRecords = std::move(records);
    return TRUE;
}

BOOL JToolBar::ReadButtons(HKEY hKey, BOOL& bStoredRows)
{
    std::vector<UINT> ids;
    if (!ReadRegList(hKey, "IDs", kListBytes, ids))
        return FALSE;
    // Of the stored styles only the row breaks are the user's; states come from the
    // commands. The buttons are added with their rows: each later change of one
    // would lay the whole bar out again.
    std::vector<UINT> styles;
    bStoredRows = ReadRegList(hKey, "Styles", kListBytes, styles);
    std::vector<BYTE> states(ids.size(), TBSTATE_ENABLED);
    for (size_t j = 0; bStoredRows && j < std::min(styles.size(), states.size()); ++j)
        if (styles[j] & TBBS_WRAPPED)
            states[j] |= TBSTATE_WRAP;
    // An empty list is no buttons (a NULL list would be one empty button).
    static const UINT kNoButtons[1] = {};
    // A macro registered again under a new command takes the first button of its old one.
    for (CTMBITMAPSTRUCT* pRecord : m_loadedRecords) {
        if (pRecord->m_nOldCommandID == 0)
            continue;
        auto at = std::find(ids.begin(), ids.end(), pRecord->m_nOldCommandID);
        if (at != ids.end())
            *at = pRecord->m_nCommandID;
    }
    if (!SetButtonIDs(ids.empty() ? kNoButtons : ids.data(), (int)ids.size(), states.data()))
        return FALSE;
    DWORD isDefault = 0;
    if (!ReadRegNumber(hKey, "Default", &isDefault))
        return FALSE;
    m_bDefault = isDefault != 0;
    if (m_bDefault) {
        std::vector<UINT> defaults;
        if (!ReadRegList(hKey, "DefaultIDs", kListBytes, defaults))
            return FALSE;
        SetDefaultButtons(defaults.data(), (int)defaults.size());
    }
    return TRUE;
}

void JToolBar::CommitStoredLayout(BOOL bHorz, BOOL bStoredRows, DWORD dwWindowStyle)
{
    // Stored rows are measured as a floating bar of fixed size keeps them, then
    // committed as a dynamic bar. The window takes only the final style: each
    // change of style is a change of its frame.
    const DWORD dwShown = m_dwStyle;
    if (bStoredRows)
        m_dwStyle |= CBRS_FLOATING | CBRS_SIZE_FIXED;
    const CSize size = CalcFixedLayout(FALSE, bHorz);
    m_dwStyle = (m_dwStyle & ~CBRS_SIZE_FIXED) | CBRS_SIZE_DYNAMIC;
    CalcDynamicLayout(size.cx, bHorz ? LM_COMMIT | LM_HORZ : LM_COMMIT);
    // The floating style served the layout only: a bar that is not placed yet
    // must not count as floating (it would be saved as such).
    const DWORD dwFinal = (m_dwStyle & ~CBRS_FLOATING) | (dwShown & CBRS_FLOATING);
    m_dwStyle = dwWindowStyle;
    SetBarStyle(dwFinal);
}

BOOL JToolBar::ReadFlyoutLists(HKEY hKey, const std::vector<UINT>& buttons, LPCSTR lpszItemFormat, BOOL bRequired)
{
    const int nButtons = (int)GetCommandCount();
    for (int n = 0; n < (int)buttons.size(); ++n) {
        char name[64];
        wsprintfA(name, lpszItemFormat, n);
        std::vector<UINT> ids;
        if (!ReadRegList(hKey, name, kFlyoutBytes, ids) || ids.empty())
            return !bRequired;
        // A flyout belongs to a real button of this toolbar; any other index is damage.
        const int nButton = (int)buttons[n];
        if (nButton >= 0 && nButton < nButtons && GetItemID(nButton) != 0)
            SetFlyoutList(nButton, std::move(ids));
    }
    return TRUE;
}

BOOL JToolBar::ReadFromRegistry(HKEY hKey)
{
    if (!hKey || !m_hWnd)
        return FALSE;
    DWORD fixed = 0, id = 0;
    if (!ReadRegNumber(hKey, "IDFixed", &fixed))
        return FALSE;
    if (fixed && !ReadRegNumber(hKey, "ID", &id))
        return FALSE;
    m_bIDFixed = fixed && IsUsableBarID(this, id);
    if (!m_bIDFixed)
        id = HoldsItsOwnRunTimeID(this) ? (DWORD)GetDlgCtrlID() : (DWORD)GetNextBarID();
    if ((int)id > 0 && GetDlgCtrlID() != (int)id)
        SetDlgCtrlID((int)id);
    char name[kNameBytes] = "";
    if (!ReadRegText(hKey, "Name", name, sizeof name))
        return FALSE;
    CString caption;
    GetWindowText(caption);
    if (caption != name)
        SetWindowText(name);

    BOOL bHorz = TRUE;
    if (!ReadPlacement(hKey, bHorz))
        return FALSE;
    ApplyVisibility();
    const DWORD dwAlign = bHorz ? CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM : CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
    // The window's frame takes the stored alignment with the final style, in one change.
    const DWORD dwWindowStyle = m_dwStyle;
    m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | dwAlign;

    BOOL bStoredRows = FALSE;
    if (!ReadPictureRecords(hKey) || !ReadButtons(hKey, bStoredRows)) {
        const DWORD dwAligned = m_dwStyle;
        m_dwStyle = dwWindowStyle;
        SetBarStyle(dwAligned);
        return FALSE;
    }
    CommitStoredLayout(bHorz, bStoredRows, dwWindowStyle);

    std::vector<UINT> flyouts;
    if (!ReadRegList(hKey, "Flyouts", kListBytes, flyouts))
        return FALSE;
    DestroyFlyouts();
    m_flyoutLists.clear();
    if (!(flyouts.size() == 1 && flyouts[0] == (UINT)-1) && !ReadFlyoutLists(hKey, flyouts, "Flyout%d", TRUE))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    m_bAutoDelete = TRUE;
    return TRUE;
}

BOOL JToolBar::ReadDefaultFlyoutsFromRegistry()
{
    if (!m_bDefault)
        return TRUE;
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (!pInfo || !m_hWnd)
        return FALSE;
    GUserText path = pInfo->GetRegistryNameWithEnv();
    path += "\\Toolbars";
    HKEY hToolbars = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, path, KEY_READ, &hToolbars) != ERROR_SUCCESS)
        return FALSE;
    CString caption;
    GetWindowText(caption);
    BOOL bResult = TRUE;
    DWORD count = 0;
    HKEY hFound = nullptr;
    if (!ReadRegNumber(hToolbars, "ToolbarCount", &count))
        bResult = FALSE;
    for (DWORD i = 0; bResult && !hFound && i < std::min(count, kMostToolbars); ++i) {
        char subkey[32];
        wsprintfA(subkey, "Toolbar%d", (int)i);
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(hToolbars, subkey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            continue;
        char name[kNameBytes] = "";
        if (!ReadRegText(hKey, "Name", name, sizeof name))
            bResult = FALSE;
        else if (caption == name)
            hFound = hKey;
        if (hKey != hFound)
            ::RegCloseKey(hKey);
    }
    ::RegCloseKey(hToolbars);
    if (!hFound)
        return bResult;

    std::vector<UINT> buttons;
    if (!ReadRegList(hFound, "DefaultFlyouts", kListBytes, buttons))
        bResult = FALSE;
    else if (!buttons.empty() && buttons[0] != (UINT)-1) {
        DestroyFlyouts();
        m_flyoutLists.clear();
        ReadFlyoutLists(hFound, buttons, "DefaultFlyout%d", FALSE);
    }
    ::RegCloseKey(hFound);
    return bResult;
}
