// Flat exports: the whole bar layout of an environment, its toolbar settings and
// its unit display values, stored and restored; and deleting an environment's
// stored data. A stored layout that cannot be read is kept as a file first.
#include "controlexports.h"

#include "callframe.h"
#include "cntlrc.h"
#include "jenvmanager.h"
#include "keptcopy.h"
#include "libstate.h"
#include "module.h"
#include "regvalues.h"

namespace {

constexpr int kUnreadable = 0x8000;

// The current control state after the environment and user key of the call are applied.
JControlOnlyInfo* Prologue(const char* userKey, const char* environment)
{
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    if (!pManager || !JEnvironmentManager::Current())
        return nullptr;
    if (environment && *environment)
        pManager->SetEnvironment(environment, nullptr, nullptr, nullptr);
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (pInfo && userKey && *userKey)
        pInfo->SetCustomUserKey(userKey);
    return pInfo;
}

HKEY CreatePath(const GUserText& path)
{
    HKEY hKey = nullptr;
    if (JRegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS) {
        ReportRegistryKeyFailure();
        return nullptr;
    }
    return hKey;
}

// A "ToolbarCount" that is there but is no number.
bool HasDamagedCount(HKEY hToolbars)
{
    DWORD count = 0;
    return ::RegQueryValueExA(hToolbars, "ToolbarCount", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           !ReadRegNumber(hToolbars, "ToolbarCount", &count);
}

// Keeps the environment's stored tree as a file and says so once, on the
// frame's status line and to the debugger. FALSE when no copy could be made.
bool KeepUnreadableLayout(JControlOnlyInfo* pInfo, CFrameWnd* pFrame, const char* environment)
{
    GUserText root;
    if (!pInfo->MakeRegistryPath(environment, nullptr, root))
        return false;
    const GUserText name = environment && *environment ? GUserText(environment) : pInfo->GetCustomEnvironment();
    const std::string file = kept_copy::KeepTree(root, name);
    if (file.empty())
        return false;
    CString format;
    if (!ControlResources() || !AfxLoadString(ControlResources(), IDS_LAYOUT_KEPT, format))
        format = "The stored toolbar layout could not be read; a copy is kept in %s.";
    CString text;
    text.Format(format, file.c_str());
    ::OutputDebugStringA(text + "\n");
    if (pFrame && pFrame->m_hWnd && pFrame->GetMessageBar())
        pFrame->SetMessageText(text);
    return true;
}

}   // namespace

CFrameWnd* MainTopLevelFrame()
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMain = pThread ? pThread->GetMainWnd() : nullptr;
    if (!pMain || !pMain->m_hWnd)
        return nullptr;
    if (CFrameWnd* pFrame = pMain->GetTopLevelFrame())
        return pFrame;
    return pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : nullptr;
}

void WriteUnitDisplayValues(JControlOnlyInfo* pInfo, const char* environment)
{
    GUserText path;
    if (!pInfo->MakeRegistryPath(environment, "eInformation", path))
        return;
    HKEY hKey = CreatePath(path);
    if (!hKey)
        return;
    WriteRegNumber(hKey, "DisplayPrimaryUnits", (DWORD)pInfo->m_nDisplayPrimaryUnits);
    WriteRegNumber(hKey, "FormatMode", (DWORD)pInfo->m_nFormatMode);
    WriteRegNumber(hKey, "FormatPrecision", (DWORD)pInfo->m_nFormatPrecision);
    WriteRegNumber(hKey, "UseDocumentUnits", (DWORD)pInfo->m_nUseDocumentUnits);
    WriteRegText(hKey, "VersionStamp", pInfo->m_strVersionStamp);
    ::RegCloseKey(hKey);
}

CONTROL_API void LoadBarLayoutSettings(const char* userKey, const char* environment)
{
    JControlOnlyInfo* pInfo = Prologue(userKey, environment);
    GUserText path;
    if (!pInfo || !pInfo->MakeRegistryPath(environment, "Toolbars", path))
        return;
    HKEY hKey = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        hKey = nullptr;
    pInfo->ReadToolbarSettingsFromRegistry(hKey);
    if (hKey)
        ::RegCloseKey(hKey);
}

CONTROL_API void SaveBarLayoutSettings(const char* userKey, const char* environment)
{
    JControlOnlyInfo* pInfo = Prologue(userKey, environment);
    GUserText path;
    if (!pInfo || !pInfo->MakeRegistryPath(environment, "Toolbars", path))
        return;
    if (HKEY hKey = CreatePath(path)) {
        pInfo->WriteToolbarSettingsToRegistry(hKey);
        ::RegCloseKey(hKey);
    }
}

CONTROL_API int LoadBarLayout(CFrameWnd* pFrame, const char* userKey, const char* environment)
{
    JControlOnlyInfo* pInfo = Prologue(userKey, environment);
    GUserText path;
    if (!pInfo || !pInfo->MakeRegistryPath(environment, "Toolbars", path))
        return 0;
    if (!pFrame)
        pFrame = MainTopLevelFrame();
    GUserText information;
    if (pInfo->MakeRegistryPath(environment, "eInformation", information))
        pInfo->ReadUnitDisplayValues(information);
    HKEY hKey = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) {
        pInfo->m_nLargeButtons = 0;
        return 0;
    }
    const int result = pInfo->ReadToolbarsFromRegistry(pFrame, hKey, environment);
    const bool damagedCount = result == 0 && HasDamagedCount(hKey);
    ::RegCloseKey(hKey);
    if (!(result & kUnreadable)) {
        // Nothing is deleted for a count that is no number, but the next save
        // would replace what the keys hold.
        if (damagedCount)
            KeepUnreadableLayout(pInfo, pFrame, environment);
        return result;
    }
    // Without a copy the stored data stay for the user to save another way.
    const bool kept = KeepUnreadableLayout(pInfo, pFrame, environment);
    // The start-up DLL's default toolbars go with the layout that could not be read.
    JUnLoadToolbarsFromDll();
    if (kept)
        JDeleteEnvironmentFromRegistry(pFrame, userKey, environment);
    return 0;
}

CONTROL_API int SaveBarLayout(CFrameWnd* pFrame, const char* userKey, const char* environment)
{
    JControlOnlyInfo* pInfo = Prologue(userKey, environment);
    if (!pInfo)
        return 0;
    if (!pFrame)
        pFrame = ControlFrameOfCall();
    GUserText path;
    if (!pFrame || !pInfo->MakeRegistryPath(environment, "Toolbars", path))
        return 0;
    WriteUnitDisplayValues(pInfo, environment);
    HKEY hKey = CreatePath(path);
    if (!hKey)
        return 0;
    const int result = pInfo->WriteToolbarsToRegistry(pFrame, hKey, environment);
    ::RegCloseKey(hKey);
    return result;
}

CONTROL_API int ForceSaveBarLayout(CFrameWnd* pFrame, const char* userKey, const char* environment)
{
    JControlOnlyInfo* pInfo = Prologue(userKey, environment);
    if (!pInfo)
        return 0;
    pInfo->m_bToolbarsDirty = TRUE;
    return SaveBarLayout(pFrame, userKey, environment);
}

CONTROL_API void JDeleteEnvironmentFromRegistry(CFrameWnd* pFrame, const char* userKey, const char* environment)
{
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (!pManager || !pInfo)
        return;
    if (environment && SameEnvironmentName(pInfo->m_strCustomEnvironment, environment))
        return;
    if (!pFrame)
        pFrame = ControlFrameOfCall();
    if (!pFrame)
        return;
    const GUserText previous = pInfo->m_strCustomEnvironment;
    const bool switching = environment && *environment;
    // Another environment is made current (added first when not in the list) to
    // compose its root; its record goes with its key, or a later save would write it back.
    if (switching)
        pManager->SetEnvironment(environment, nullptr, nullptr, nullptr);
    pInfo = JEnvironmentManager::Current();
    if (userKey && *userKey)
        pInfo->SetCustomUserKey(userKey);
    GUserText root;
    const int composed = pInfo->MakeRegistryPath(nullptr, nullptr, root);
    if (switching)
        pManager->SetEnvironment(previous, nullptr, nullptr, nullptr);
    if (switching)
        pManager->DeleteEnvironment(environment);
    HKEY hKey = nullptr;
    if (!composed || OpenRegPath(HKEY_CURRENT_USER, root, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    ::RegCloseKey(hKey);
    DeleteRegPath(HKEY_CURRENT_USER, root);
}
