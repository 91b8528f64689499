// The frame's toolbars under an environment's "Toolbars" key: re-created and
// docked in a stable order on load, written as one layout on save.
#include "callframe.h"
#include "hostengine.h"
#include "jbars.h"
#include "jcontrolinfo.h"
#include "jenvmanager.h"
#include "layoutstore.h"
#include "libstate.h"
#include "regvalues.h"

#include "afxpriv.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kUnreadable = 0x8000;
// A docked toolbar keeps at least this much of itself on its dock bar.
constexpr int kDockedReach = 30;
// A docked toolbar's border may lie a little before its dock bar; (-8, -8) is a
// place never given.
constexpr int kDockedLeast = -8;

std::vector<JToolBar*> FrameToolBars(CFrameWnd* pFrame)
{
    std::vector<JToolBar*> bars;
    ForEachControlBar(pFrame, [&bars](CControlBar* pBar) {
        if (IsLiveBar(pBar) && pBar->IsKindOf(RUNTIME_CLASS(JToolBar)) && !static_cast<JToolBar*>(pBar)->m_bIsFlyout)
            bars.push_back(static_cast<JToolBar*>(pBar));
        return true;
    });
    return bars;
}

void DestroyBars(const std::vector<JToolBar*>& bars)
{
    for (JToolBar* pBar : bars)
        if (IsLiveBar(pBar))
            pBar->DestroyWindow();   // the toolbar deletes itself
}

CString Caption(CWnd* pWnd)
{
    char text[256] = "";
    ::GetWindowTextA(pWnd->m_hWnd, text, sizeof text);
    return text;
}

// A floating position lying off every monitor comes back onto the work area of
// the nearest one, with room left for the caption.
CPoint OntoNearestMonitor(CPoint point)
{
    const RECT probe = {point.x, point.y, point.x + 64, point.y + 48};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(::MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &info))
        return point;
    const RECT& work = info.rcWork;
    point.x = std::clamp<LONG>(point.x, work.left, std::max(work.left, work.right - 64));
    point.y = std::clamp<LONG>(point.y, work.top, std::max(work.top, work.bottom - 48));
    return point;
}

bool IsSideDock(UINT nDockBarID)
{
    return nDockBarID == AFX_IDW_DOCKBAR_LEFT || nDockBarID == AFX_IDW_DOCKBAR_RIGHT;
}

// The stored docked position, with its place along the dock bar kept on the bar
// (its row or column may lie beyond the others: it makes a new one).
CPoint ClampedToDockBar(CFrameWnd* pFrame, CWnd* pDockBar, UINT nDockBarID, CPoint pos)
{
    CRect client;
    pFrame->GetClientRect(client);
    if (pDockBar && pDockBar->m_hWnd) {
        CRect dock;
        pDockBar->GetClientRect(dock);
        client.right = std::max(client.right, dock.right);
        client.bottom = std::max(client.bottom, dock.bottom);
    }
    LONG& along = IsSideDock(nDockBarID) ? pos.y : pos.x;
    const LONG length = IsSideDock(nDockBarID) ? client.Height() : client.Width();
    if (length > kDockedReach)
        along = std::clamp<LONG>(along, kDockedLeast, length - kDockedReach);
    return pos;
}

// A default toolbar keeps the flyouts the host first gave it: they come over
// from its stored key (found by its caption) into the key it is written to.
void CarryDefaultFlyouts(HKEY hToolbars, const CString& caption, HKEY hKey)
{
    DWORD count = 0;
    if (!ReadRegNumber(hToolbars, "ToolbarCount", &count))
        return;
    for (DWORD i = 0; i < std::min<DWORD>(count, 1024); ++i) {
        char name[32];
        wsprintfA(name, "Toolbar%d", (int)i);
        HKEY hStored = nullptr;
        if (::RegOpenKeyExA(hToolbars, name, 0, KEY_READ, &hStored) != ERROR_SUCCESS)
            continue;
        char stored[256] = "";
        const bool same = ReadRegText(hStored, "Name", stored, sizeof stored) && caption == stored;
        for (int n = -1; same; ++n) {
            char value[32] = "DefaultFlyouts";
            if (n >= 0)
                wsprintfA(value, "DefaultFlyout%d", n);
            BYTE data[1024];
            DWORD type = 0, size = sizeof data;
            if (::RegQueryValueExA(hStored, value, nullptr, &type, data, &size) != ERROR_SUCCESS)
                break;
            ::RegSetValueExA(hKey, value, 0, type, data, size);
        }
        ::RegCloseKey(hStored);
        if (same)
            return;
    }
}

// A restored toolbar does not join a row (or column) of the host's own bars, which
// the layout does not hold: it takes a row of its own, before that row when it was
// stored at or before the row's start, else after it.
void KeepOutOfHostRows(CDockBar* pDock, JToolBar* pBar, CPoint stored, const std::vector<JToolBar*>& restored)
{
    CPtrArray& bars = pDock->m_arrBars;
    int at = -1;
    for (int i = 0; i < (int)bars.GetSize(); ++i)
        if (bars[i] == pBar)
            at = i;
    if (at <= 0)
        return;
    int begin = at, end = at;
    while (begin > 0 && bars[begin - 1])
        --begin;
    while (end < (int)bars.GetSize() && bars[end])
        ++end;
    if (end >= (int)bars.GetSize())
        return;   // no row end: not a row as the dock bar keeps them
    const bool bHorz = (pDock->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
    LONG rowStart = LONG_MAX;
    for (int i = begin; i < end; ++i) {
        if ((ULONG_PTR)bars[i] < 0x10000 || bars[i] == pBar)
            continue;   // a placeholder, or the bar itself
        auto* pOther = static_cast<CControlBar*>(bars[i]);
        if (!pOther->m_hWnd || !pOther->IsVisible() ||
            std::find(restored.begin(), restored.end(), pOther) != restored.end())
            continue;
        CRect rect;
        pOther->GetWindowRect(rect);
        pDock->ScreenToClient(rect);
        rowStart = std::min(rowStart, bHorz ? rect.top : rect.left);
    }
    if (rowStart == LONG_MAX)
        return;
    bars.RemoveAt(at);
    --end;
    const int place = (bHorz ? stored.y : stored.x) <= rowStart ? begin : end + 1;
    bars.InsertAt(place, nullptr);
    bars.InsertAt(place, pBar);
}

// Whether a docked bar shares its row (or column) with another bar, shown or hidden: it was
// put there, and its dock bar keeps its window where it stands in that row.
bool SharesRow(CControlBar* pBar)
{
    CDockBar* pDock = pBar->m_pDockBar;
    if (!pDock || pDock->m_bFloating)
        return false;
    const CPtrArray& bars = pDock->m_arrBars;
    int at = -1;
    for (int i = 1; i < (int)bars.GetSize() && at < 0; ++i)
        if (bars[i] == pBar)
            at = i;
    if (at < 0)
        return false;
    int begin = at, end = at;
    while (begin > 1 && bars[begin - 1])
        --begin;
    while (end + 1 < (int)bars.GetSize() && bars[end + 1])
        ++end;
    for (int i = begin; i <= end; ++i)
        if (i != at && (ULONG_PTR)bars[i] >= 0x10000)   // not a placeholder of a bar gone floating
            return true;
    return false;
}
}   // namespace

// ---- loading ----

int JControlOnlyInfo::ReadToolbarsFromRegistry(CFrameWnd* pFrame, HKEY hToolbars, const char*)
{
    if (!pFrame)
        pFrame = ControlFrameOfCall();
    // A save cut short is finished or dropped before anything is read.
    layout_store::FinishInterruptedSave(hToolbars);
    if (!m_bSettingsLoaded)
        ReadToolbarSettingsFromRegistry(hToolbars);
    if (m_categories.GetSize() == 0 || !hToolbars || !pFrame)
        return 0;
    if (!m_pLayoutFrame)
        m_pLayoutFrame = pFrame;

    std::vector<JToolBar*> existing = FrameToolBars(pFrame);
    // Bars made by the restore mark nothing to save: the stored layout is what they show.
    const BOOL wasDirty = m_bToolbarsDirty;
    DWORD count = 0;
    if (!ReadRegNumber(hToolbars, "ToolbarCount", &count))
        return 0;
    // Grown as keys are read: a damaged count may be any number.
    std::vector<int> visible;
    std::vector<JToolBar*> loaded;
    bool failed = false;
    for (DWORD i = 0; i < count && !failed; ++i) {
        char name[32];
        wsprintfA(name, "Toolbar%d", (int)i);
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(hToolbars, name, 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
            failed = true;
            break;
        }
        char caption[256] = "";
        DWORD isVisible = 0;
        if (!ReadRegText(hKey, "Name", caption, sizeof caption) || !ReadRegNumber(hKey, "Visible", &isVisible)) {
            ::RegCloseKey(hKey);
            failed = true;
            break;
        }
        visible.push_back((int)isVisible);
        // A toolbar of the same name is replaced.
        auto same = std::find_if(existing.begin(), existing.end(),
                                 [&](JToolBar* pBar) { return IsLiveBar(pBar) && Caption(pBar) == caption; });
        if (same != existing.end()) {
            (*same)->DestroyWindow();
            existing.erase(same);
        }
        auto* pBar = new JToolBar;
        if (!pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR)) {
            delete pBar;
            ::RegCloseKey(hKey);
            failed = true;
            break;
        }
        if (!pBar->ReadFromRegistry(hKey)) {
            pBar->DestroyWindow();
            ::RegCloseKey(hKey);
            failed = true;
            break;
        }
        loaded.push_back(pBar);
        pBar->SetBarStyle(pBar->GetBarStyle() | CBRS_SIZE_DYNAMIC);
        ::RegCloseKey(hKey);
    }
    if (failed) {
        DestroyBars(existing);
        DestroyBars(loaded);
        return kUnreadable;
    }
    // The frame is not laid out before the new toolbars are docked: the rows the replaced ones
    // leave stay as room at their places, and the other bars' rows do not move up into it.

    // Floating toolbars float where they were; docked ones go to their sides,
    // each side in the order of its rows (or columns), equal ones in stored order.
    std::vector<JToolBar*> sides[4];   // top, bottom, left, right
    for (size_t i = 0; i < loaded.size(); ++i) {
        JToolBar* pBar = loaded[i];
        if (pBar->m_bFloating) {
            pFrame->FloatControlBar(pBar, OntoNearestMonitor(pBar->m_ptFloatPos), CBRS_ALIGN_TOP);
            if (!visible[i])
                if (CWnd* pFloating = FloatingFrameOf(pBar))
                    pFloating->ShowWindow(SW_HIDE);
            continue;
        }
        const UINT id = pBar->m_nDockBarID;
        const int side = id == AFX_IDW_DOCKBAR_BOTTOM  ? 1
                         : id == AFX_IDW_DOCKBAR_LEFT  ? 2
                         : id == AFX_IDW_DOCKBAR_RIGHT ? 3
                                                       : 0;
        const auto key = [side](JToolBar* p) { return side < 2 ? p->m_ptDockPos.y : p->m_ptDockPos.x; };
        auto& list = sides[side];
        list.insert(std::find_if(list.begin(), list.end(), [&](JToolBar* p) { return key(p) > key(pBar); }), pBar);
    }
    for (const auto& list : sides) {
        for (JToolBar* pBar : list) {
            CWnd* pDockBar = pFrame->GetControlBar(pBar->m_nDockBarID);
            const CPoint pos = ClampedToDockBar(pFrame, pDockBar, pBar->m_nDockBarID, pBar->m_ptDockPos);
            CRect rect(pos.x, pos.y, pos.x + 30, pos.y + 30);
            if (pDockBar)
                pDockBar->ClientToScreen(rect);
            pFrame->DockControlBar(pBar, pBar->m_nDockBarID, rect);
            if (auto* pDock = DYNAMIC_DOWNCAST(CDockBar, pDockBar))
                KeepOutOfHostRows(pDock, pBar, pos, loaded);
        }
    }
    if (m_bActive)
        pFrame->RecalcLayout();
    // Only a change to a bar the layout did not replace is still to be saved.
    m_bToolbarsDirty = wasDirty && std::any_of(existing.begin(), existing.end(), IsLiveBar);
    return (int)loaded.size();
}

// ---- saving ----

int JControlOnlyInfo::WriteToolbarsToRegistry(CFrameWnd* pFrame, HKEY hToolbars, const char*)
{
    if (!m_bToolbarsDirty)
        return 0;
    if (!pFrame)
        pFrame = ControlFrameOfCall();
    if (!pFrame)
        return 0;
    // Bars have real places only in an active frame.
    if ((!pFrame->IsWindowVisible() || !pFrame->IsWindowEnabled()) && HostMode())
        pFrame->ActivateFrame(-1);
    m_bToolbarsDirty = FALSE;

    const std::vector<JToolBar*> bars = FrameToolBars(pFrame);
    // The outermost rows and columns of the shown docked toolbars.
    LONG topY = -32767, bottomY = 32767, leftX = -32767, rightX = 32767;
    bool unplaced = false;
    const auto isHidden = [](JToolBar* pBar) {
        return !pBar->IsWindowVisible() && pBar->m_nStateFlags != CControlBar::tempHide;
    };
    for (JToolBar* pBar : bars) {
        if (!isHidden(pBar)) {
            pBar->StoreLastPosition();
            if (!pBar->IsFloating()) {
                const CPoint pos = pBar->m_ptDockPos;
                switch (pBar->m_nDockBarID) {
                case AFX_IDW_DOCKBAR_BOTTOM:
                    bottomY = std::min(bottomY, pos.y);
                    break;
                case AFX_IDW_DOCKBAR_LEFT:
                    leftX = std::max(leftX, pos.x);
                    break;
                case AFX_IDW_DOCKBAR_RIGHT:
                    rightX = std::min(rightX, pos.x);
                    break;
                default:
                    topY = std::max(topY, pos.y);
                    break;
                }
            }
        } else if (!pBar->IsFloating() && pBar->m_ptDockPos == CPoint(-8, -8)) {
            // One docked beside other bars has its place in their row: moved beyond the outermost
            // row, it would leave that row for one of its own.
            if (SharesRow(pBar))
                pBar->StoreLastPosition();
            else
                unplaced = true;
        }
    }
    // Hidden toolbars that never had a place get one beyond the outermost row or column.
    if (unplaced) {
        const bool large = m_nLargeButtons == 1;
        const LONG rowStep = large ? 30 : 22;
        const LONG columnStep = large ? 32 : 24;
        // A side without a shown toolbar has no outermost row: its first hidden toolbar goes to the
        // side's edge. Stepping on from the marks above would give places so far off that reading
        // them back takes them for damage and puts the toolbar somewhere else.
        if (topY == -32767)
            topY = -rowStep;
        if (bottomY == 32767)
            bottomY = rowStep;
        if (leftX == -32767)
            leftX = -columnStep;
        if (rightX == 32767)
            rightX = columnStep;
        for (JToolBar* pBar : bars) {
            if (!isHidden(pBar) || pBar->IsFloating() || pBar->m_ptDockPos != CPoint(-8, -8))
                continue;
            pBar->StoreLastPosition();
            CPoint pos;
            switch (pBar->m_nDockBarID) {
            case AFX_IDW_DOCKBAR_LEFT:
                pos = CPoint(leftX += columnStep, -1);
                break;
            case AFX_IDW_DOCKBAR_RIGHT:
                pos = CPoint(rightX -= columnStep, -1);
                break;
            case AFX_IDW_DOCKBAR_BOTTOM:
                pos = CPoint(-1, bottomY -= rowStep);
                break;
            default:
                pos = CPoint(-1, topY += rowStep);
                break;
            }
            pBar->m_ptDockPos = pos;
            CRect rect(pos.x, pos.y, pos.x + 30, pos.y + 30);
            CWnd* pDockBar = pBar->m_pDockBar ? static_cast<CWnd*>(pBar->m_pDockBar) : pBar->GetParent();
            if (pDockBar)
                pDockBar->ClientToScreen(rect);
            pFrame->DockControlBar(pBar, pBar->m_nDockBarID, rect);
        }
    }
    if (!hToolbars)
        return 0;

    // The new layout is staged beside the stored one and takes its place at once.
    layout_store::StagedSave save(hToolbars);
    if (save.IsOpen())
        WriteToolbarSettings(
            [](void* context, const char* name, DWORD type, const void* data, DWORD size) {
                static_cast<layout_store::StagedSave*>(context)->AddSetting(name, type, data, size);
            },
            &save);
    int written = 0;
    bool reported = false;
    std::vector<JToolBar*> empty;
    for (JToolBar* pBar : bars) {
        if (!IsLiveBar(pBar))
            continue;
        if (pBar->GetCount() == 0 && !pBar->IsDefault()) {
            empty.push_back(pBar);
            continue;
        }
        HKEY hKey = save.StageToolbar(written);
        if (!hKey) {
            if (!reported)
                ReportRegistryKeyFailure();
            reported = true;
            continue;
        }
        if (pBar->IsDefault())
            CarryDefaultFlyouts(hToolbars, Caption(pBar), hKey);
        if (pBar->WriteToNewKey(hKey))
            ++written;
    }
    DestroyBars(empty);
    if (written == 0 && m_nNumberOfToolbars != 0) {
        // Every write failed: the stored layout stays as it was.
        m_bRegistryUsed = TRUE;
        m_pLayoutFrame = nullptr;
        return m_nNumberOfToolbars;
    }
    m_bRegistryUsed = TRUE;
    m_pLayoutFrame = nullptr;
    if (!save.Commit(written)) {
        // Not in place: the changes are still to be saved.
        m_bToolbarsDirty = TRUE;
        return 0;
    }
    return written;
}
