// JDialogBar's place and visibility under "Ribbonbars".
#include "jribbonbar.h"

#include "hostengine.h"
#include "jenvmanager.h"
#include "libstate.h"

namespace {

JControlOnlyInfo* ControlInfo()
{
    return JEnvironmentManager::Current();
}

BOOL WriteDword(HKEY hKey, LPCSTR lpszName, DWORD value)
{
    return ::RegSetValueExA(hKey, lpszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

// A stored number, only when it is one.
bool ReadDword(HKEY hKey, LPCSTR lpszName, DWORD& value)
{
    DWORD type = 0, read = 0, size = sizeof read;
    if (::RegQueryValueExA(hKey, lpszName, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof read)
        return false;
    value = read;
    return true;
}

}   // namespace

BOOL JDialogBar::OpenRegKey()
{
    CloseRegKey();
    JControlOnlyInfo* pInfo = ControlInfo();
    if (!pInfo)
        return FALSE;
    const GUserText name = pInfo->GetRegistryNameWithEnv();
    if (name.IsEmpty())
        return FALSE;
    CString path(static_cast<LPCSTR>(name));
    path += "\\Ribbonbars";
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &m_hKey) == ERROR_SUCCESS)
        return TRUE;
    m_hKey = nullptr;
    if (JRegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &m_hKey,
                        nullptr) == ERROR_SUCCESS)
        return TRUE;
    m_hKey = nullptr;
    ReportRegistryKeyFailure();
    return FALSE;
}

void JDialogBar::CloseRegKey()
{
    if (m_hKey)
        ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

BOOL JDialogBar::WriteToRegistry()
{
    if (!m_hKey && !OpenRegKey())
        return FALSE;
    if (JControlOnlyInfo* pInfo = ControlInfo()) {
        if (pInfo->m_nLargeButtons == -1)
            pInfo->m_nLargeButtons = 0;
        if (pInfo->m_nGripperBar == -1)
            pInfo->m_nGripperBar = 0;
        WriteDword(m_hKey, "LargeButtons", (DWORD)pInfo->m_nLargeButtons);
        WriteDword(m_hKey, "GripperBar", (DWORD)pInfo->m_nGripperBar);
    }
    const CString name = GetCaption();
    HKEY hBar = nullptr;
    if (JRegCreateKeyEx(m_hKey, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hBar, nullptr) !=
        ERROR_SUCCESS) {
        ReportRegistryKeyFailure();
        return FALSE;
    }
    const POINT pos = m_ptFloatPos;
    ::RegSetValueExA(hBar, "FloatPos", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&pos), sizeof pos);
    WriteDword(hBar, "Floating", m_bFloating ? 1 : 0);
    WriteDword(hBar, "Hide", (DWORD)m_bUnlisted);
    if (m_bRememberVisibleState)
        WriteDword(hBar, "Visible", (DWORD)m_bCustomVisible);
    const DWORD site = m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM  ? kSiteBottom
                       : m_nDockBarID == AFX_IDW_DOCKBAR_FLOAT ? kSiteFloating
                                                               : kSiteTop;
    WriteDword(hBar, "DockSite", site);
    ::RegCloseKey(hBar);
    return TRUE;
}

BOOL JDialogBar::ReadFromRegistry()
{
    if (!m_hKey && !OpenRegKey())
        return FALSE;
    if (JControlOnlyInfo* pInfo = ControlInfo()) {
        DWORD value = 0;
        if (pInfo->m_nLargeButtons == -1 && ReadDword(m_hKey, "LargeButtons", value))
            pInfo->m_nLargeButtons = value ? 1 : 0;
        if (pInfo->m_nGripperBar == -1 && ReadDword(m_hKey, "GripperBar", value))
            pInfo->m_nGripperBar = value ? 1 : 0;
    }
    const CString name = GetCaption();
    if (name.IsEmpty()) {
        CloseRegKey();
        return FALSE;
    }
    HKEY hBar = nullptr;
    if (::RegOpenKeyExA(m_hKey, name, 0, KEY_ALL_ACCESS, &hBar) != ERROR_SUCCESS)
        return FALSE;
    // Values of another type or size leave the field as it was.
    POINT pos{};
    DWORD type = 0, size = sizeof pos;
    if (::RegQueryValueExA(hBar, "FloatPos", nullptr, &type, reinterpret_cast<BYTE*>(&pos), &size) == ERROR_SUCCESS &&
        type == REG_BINARY && size == sizeof pos)
        m_ptFloatPos = pos;
    DWORD value = 0;
    m_nDockBarID = ReadDword(hBar, "DockSite", value) && value == kSiteBottom ? AFX_IDW_DOCKBAR_BOTTOM
                                                                              : AFX_IDW_DOCKBAR_TOP;
    if (ReadDword(hBar, "Floating", value))
        m_bFloating = value != 0;
    m_bUnlisted = ReadDword(hBar, "Hide", value) && value != 0;

    m_bCustomVisible = IsWindowVisible();
    if (m_bRememberVisibleState) {
        DWORD visible = 1;
        ReadDword(hBar, "Visible", visible);
        SetCustomVisible(visible != 0);
        JControlOnlyInfo* pInfo = ControlInfo();
        if (!visible)
            ShowWindow(SW_HIDE);
        else if (!pInfo || !pInfo->m_pAppInfo || pInfo->m_pAppInfo->IsReady() || !m_bFloating || HostMode())
            ShowWindow(SW_SHOWNA);
        else {
            ShowWindow(SW_HIDE);   // the host shows it when it is ready
            m_bShowPending = TRUE;
        }
    }
    ::RegCloseKey(hBar);
    return TRUE;
}
