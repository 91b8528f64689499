#include "dockareas.h"

#include "controlexports.h"
#include "jenvmanager.h"

#include <algorithm>
#include <cstdio>

namespace {

// What is kept of a panel: "Floating", "X", "Y" (its floating frame), "Width" and "Height"
// (floating size), "Docked" (its height at the left); and the area's "AreaWidth".
HKEY OpenPanelsKey(bool bCreate)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    GUserText path;
    if (!pInfo || !pInfo->MakeRegistryPath(nullptr, "Panels", path))
        return nullptr;
    HKEY hKey = nullptr;
    const LONG result =
        bCreate ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr)
                : ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey);
    return result == ERROR_SUCCESS ? hKey : nullptr;
}

bool ReadValue(HKEY hKey, const char* name, int& value)
{
    DWORD data = 0, type = 0, size = sizeof data;
    if (::RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    value = (int)data;
    return true;
}

void WriteValue(HKEY hKey, const char* name, int value)
{
    const DWORD data = (DWORD)value;
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

CString ValueName(CBaseDialogBar* pPanel, const char* what)
{
    CString name;
    name.Format("%u%s", pPanel->GetDlgCtrlID(), what);
    return name;
}

CSplitterDockBar* LeftArea(CFrameWnd* pFrame)
{
    return DYNAMIC_DOWNCAST(CSplitterDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
}

}   // namespace

bool CreateSidePanel(CBaseDialogBar* pBar, CFrameWnd* pFrame, UINT nTemplate, UINT nID, const char* title)
{
    if (!pBar->Create(pFrame, nTemplate, WS_CHILD | WS_VISIBLE | CBRS_LEFT, nID, 0, nullptr, 0))
        return false;
    pBar->m_bAutoDelete = TRUE;
    pBar->SetWindowText(title);
    pBar->SetShowCaption(TRUE);
    pBar->SetResizeable(TRUE);
    pBar->SetStretchToFitHorz(TRUE);
    pBar->SetStretchToFitVert(TRUE);
    pBar->m_nDockBarID = AFX_IDW_DOCKBAR_LEFT;   // where a double-click docks it back
    pBar->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    return true;
}

void PlacePanels(CFrameWnd* pFrame, const std::vector<CBaseDialogBar*>& panels)
{
    for (size_t i = 0; i < panels.size(); ++i) {
        pFrame->DockControlBar(panels[i], AFX_IDW_DOCKBAR_LEFT);
        if (i > 0)
            panels[i]->MergeLastDialogBar();
    }
    pFrame->RecalcLayout();
    HKEY hKey = OpenPanelsKey(false);
    if (!hKey)
        return;
    CSplitterDockBar* pArea = LeftArea(pFrame);
    // The area's width, and each docked panel's height as the user shared the column.
    int width = 0;
    if (pArea && ReadValue(hKey, "AreaWidth", width) && width >= CSplitterDockBar::kMinArea) {
        CRect client;
        pFrame->GetClientRect(client);
        pArea->m_nAreaWidth = std::min(width, std::max((int)client.Width() / 2, CSplitterDockBar::kMinArea));
        pArea->m_bSizeFixed = TRUE;
        pFrame->RecalcLayout();
    }
    for (int i = 0; pArea && i < pArea->GetSplitterCount(); ++i) {
        const CSplitterDockBar::SplitterInfo* pInfo = pArea->GetSplitterInfo(i);
        int height = 0;
        if (pInfo->nKind != 2 || !pInfo->pBefore || !ReadValue(hKey, ValueName(pInfo->pBefore, "Docked"), height))
            continue;
        CRect rect;
        pInfo->pBefore->GetWindowRect(rect);
        // A height kept from a taller window leaves the panel under it the height of its controls.
        if (pInfo->pAfter) {
            CRect after;
            pInfo->pAfter->GetWindowRect(after);
            const int room = rect.Height() + after.Height() - pInfo->pAfter->m_sizeDefault.cy;
            if (room > 0)
                height = std::min(height, room);
        }
        pArea->m_nCurrentSplitter = i;
        pArea->m_nSplitterDelta = height - rect.Height();
        pArea->m_bInnerSplitterMoved = TRUE;
        pFrame->RecalcLayout();
    }
    // Floating panels where they were, at their size, when that is on a screen.
    for (CBaseDialogBar* pPanel : panels) {
        int floating = 0, x = 0, y = 0, cx = 0, cy = 0;
        if (!ReadValue(hKey, ValueName(pPanel, "Floating"), floating) || !floating ||
            !ReadValue(hKey, ValueName(pPanel, "X"), x) || !ReadValue(hKey, ValueName(pPanel, "Y"), y))
            continue;
        if (ReadValue(hKey, ValueName(pPanel, "Width"), cx) && ReadValue(hKey, ValueName(pPanel, "Height"), cy) &&
            cx > 0 && cy > 0 && cx < 4000 && cy < 4000)
            pPanel->m_sizeFloat = CSize(cx, cy);
        const CRect caption(x, y, x + 64, y + 16);
        if (!::MonitorFromRect(caption, MONITOR_DEFAULTTONULL))
            continue;
        pPanel->m_ptFloatPos = CPoint(x, y);
        pPanel->SendMessage(JDBM_CHANGEDOCKSTATE);
    }
    ::RegCloseKey(hKey);
}

void SavePanelPlaces(CFrameWnd* pFrame, const std::vector<CBaseDialogBar*>& panels)
{
    HKEY hKey = OpenPanelsKey(true);
    if (!hKey)
        return;
    if (CSplitterDockBar* pArea = LeftArea(pFrame); pArea && pArea->m_bSizeFixed && pArea->m_nAreaWidth > 0)
        WriteValue(hKey, "AreaWidth", pArea->m_nAreaWidth);
    else
        ::RegDeleteValueA(hKey, "AreaWidth");
    for (CBaseDialogBar* pPanel : panels) {
        if (!pPanel->m_hWnd)
            continue;
        const bool floating = pPanel->IsFloating() != FALSE;
        WriteValue(hKey, ValueName(pPanel, "Floating"), floating ? 1 : 0);
        if (floating) {
            CRect frame;
            pPanel->GetParentFrame()->GetWindowRect(frame);
            WriteValue(hKey, ValueName(pPanel, "X"), frame.left);
            WriteValue(hKey, ValueName(pPanel, "Y"), frame.top);
            WriteValue(hKey, ValueName(pPanel, "Width"), pPanel->m_sizeFloat.cx);
            WriteValue(hKey, ValueName(pPanel, "Height"), pPanel->m_sizeFloat.cy);
        } else {
            CRect rect;
            pPanel->GetWindowRect(rect);
            WriteValue(hKey, ValueName(pPanel, "Docked"), rect.Height());
        }
    }
    ::RegCloseKey(hKey);
}
