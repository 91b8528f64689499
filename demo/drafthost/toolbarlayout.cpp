#include "toolbarlayout.h"

#include "jbars.h"
#include "jcontrolinfo.h"

#include <algorithm>

namespace {

// There are fewer bar IDs than this: a larger stored count is damage.
constexpr DWORD kMostToolbars = 256;
// The size of the rectangle a restored toolbar is docked at; the dock bar sizes it.
constexpr int kDockRect = 30;

CString ToolbarKeyName(int n)
{
    CString name;
    name.Format("Toolbar%d", n);
    return name;
}

DWORD ReadCount(HKEY hToolbars)
{
    DWORD count = 0, type = 0, size = sizeof count;
    if (::RegQueryValueExA(hToolbars, "ToolbarCount", nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0;
    return std::min(count, kMostToolbars);
}

// Whether key n holds the toolbar of that caption.
bool KeyHoldsToolBar(HKEY hToolbars, int n, const CString& caption)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hToolbars, ToolbarKeyName(n), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    char name[256] = "";
    DWORD type = 0, size = sizeof name - 1;
    const bool bSame =
        ::RegQueryValueExA(hKey, "Name", nullptr, &type, reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS &&
        type == REG_SZ && caption == name;
    ::RegCloseKey(hKey);
    return bSame;
}

// Writes one toolbar into key n. A default toolbar keeps its own key, and with it the
// flyouts the demo first gave it; any other key is made anew, without values of another toolbar.
bool WriteToolBar(HKEY hToolbars, int n, JToolBar& bar)
{
    CString caption;
    bar.GetWindowText(caption);
    if (!(bar.IsDefault() && KeyHoldsToolBar(hToolbars, n, caption)))
        ::RegDeleteKeyA(hToolbars, ToolbarKeyName(n));
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(hToolbars, ToolbarKeyName(n), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool bWritten = bar.WriteToRegistry(hKey) != FALSE;
    ::RegCloseKey(hKey);
    return bWritten;
}

// A restored toolbar, docked at its side: the four dock bars take their toolbars in rows,
// top and bottom ordered by y, left and right by x, so each row is rebuilt as it was.
void DockRestored(CFrameWnd& frame, std::vector<JToolBar*> docked)
{
    const auto side = [](const JToolBar* pBar) {
        switch (pBar->m_nDockBarID) {
        case AFX_IDW_DOCKBAR_BOTTOM:
            return 1;
        case AFX_IDW_DOCKBAR_LEFT:
            return 2;
        case AFX_IDW_DOCKBAR_RIGHT:
            return 3;
        default:
            return 0;
        }
    };
    std::stable_sort(docked.begin(), docked.end(), [&](const JToolBar* a, const JToolBar* b) {
        if (side(a) != side(b))
            return side(a) < side(b);
        return side(a) < 2 ? a->m_ptDockPos.y < b->m_ptDockPos.y : a->m_ptDockPos.x < b->m_ptDockPos.x;
    });
    for (JToolBar* pBar : docked) {
        static const UINT kDockBars[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                         AFX_IDW_DOCKBAR_RIGHT};
        const UINT nDockBarID = kDockBars[side(pBar)];
        CRect rect(pBar->m_ptDockPos, CSize(kDockRect, kDockRect));
        if (CControlBar* pDockBar = frame.GetControlBar(nDockBarID))
            pDockBar->ClientToScreen(rect);
        frame.DockControlBar(pBar, nDockBarID, rect);
        // The next toolbar of the row finds this one at its real size.
        frame.RecalcLayout();
    }
}

}   // namespace

CString ToolbarLayoutPath(JControlOnlyInfo* pInfo)
{
    if (!pInfo)
        return CString();
    const GUserText root = pInfo->GetRegistryNameWithEnv();
    return root.IsEmpty() ? CString() : CString(root.GetString()) + "\\Toolbars";
}

int SaveToolbarLayout(CFrameWnd& frame, const CString& path)
{
    HKEY hToolbars = nullptr;
    if (path.IsEmpty() || ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hToolbars,
                                            nullptr) != ERROR_SUCCESS)
        return -1;
    const DWORD oldCount = ReadCount(hToolbars);
    int n = 0;
    for (POSITION pos = frame.m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = DYNAMIC_DOWNCAST(JToolBar, static_cast<CControlBar*>(frame.m_listControlBars.GetNext(pos)));
        // Flyouts belong to their toolbars; a toolbar emptied by the user is not worth a key.
        if (!pBar || !pBar->m_hWnd || pBar->m_bIsFlyout || (pBar->GetCommandCount() == 0 && !pBar->IsDefault()))
            continue;
        pBar->StoreLastPosition();
        if (WriteToolBar(hToolbars, n, *pBar))
            ++n;
    }
    for (DWORD i = (DWORD)n; i < oldCount; ++i)
        ::RegDeleteKeyA(hToolbars, ToolbarKeyName((int)i));
    ::RegDeleteKeyA(hToolbars, ToolbarKeyName(n));   // left by a toolbar whose write failed
    const DWORD count = (DWORD)n;
    ::RegSetValueExA(hToolbars, "ToolbarCount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
    ::RegCloseKey(hToolbars);
    return n;
}

std::vector<JToolBar*> RestoreToolbarLayout(CFrameWnd& frame, const CString& path)
{
    std::vector<JToolBar*> restored;
    HKEY hToolbars = nullptr;
    if (path.IsEmpty() || ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &hToolbars) != ERROR_SUCCESS)
        return restored;
    const DWORD count = ReadCount(hToolbars);
    for (DWORD i = 0; i < count; ++i) {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(hToolbars, ToolbarKeyName((int)i), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            continue;
        // An empty toolbar takes its ID, caption, buttons and place from the key.
        auto* pBar = new JToolBar;
        const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY;
        const BOOL bRead = pBar->Create(&frame, style, AFX_IDW_TOOLBAR) && pBar->ReadFromRegistry(hKey);
        ::RegCloseKey(hKey);
        if (!bRead) {
            delete pBar;   // takes its window with it
            continue;
        }
        pBar->SetBarStyle(pBar->GetBarStyle() | CBRS_SIZE_DYNAMIC);
        restored.push_back(pBar);
    }
    ::RegCloseKey(hToolbars);

    // The dock bars must lie where they will be before positions in them mean anything.
    frame.RecalcLayout();
    std::vector<JToolBar*> docked;
    for (JToolBar* pBar : restored) {
        if (pBar->m_bFloating)
            frame.FloatControlBar(pBar, pBar->m_ptFloatPos);
        else
            docked.push_back(pBar);
    }
    DockRestored(frame, docked);
    return restored;
}
