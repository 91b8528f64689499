// The environment manager: creating environments, switching between them and
// reading the stored ones.
#include "jenvmanager.h"

#include "hostengine.h"
#include "libstate.h"
#include "regimport.h"
#include "regvalues.h"

#include <string>
#include <vector>

namespace {

GUserText Text(const char* text)
{
    return GUserText(text ? text : "");
}

// The key under which "Environments" lies, with the application's start-up DLL
// and path; FALSE when there is none.
BOOL FindEnvironmentsBase(const char* userKey, GUserText& base, GUserText* startUpDll, GUserText* appPath)
{
    HostTellModuleState();
    if (HostHasApplication()) {
        HostObject<JAppInfo> app(IID_IJAppInfo);
        if (app) {
            base = userKey && *userKey ? Text(userKey) : Text(app->GetRegistryBasePath());
            if (startUpDll)
                *startUpDll = Text(app->GetDefaultStartUpDll());
            if (appPath)
                *appPath = Text(app->GetApplicationPath());
            return !base.IsEmpty();
        }
    }
    base = Text(userKey);
    return !base.IsEmpty();
}

HKEY CreateEnvironmentsKey(const GUserText& base)
{
    HKEY hKey = nullptr;
    const GUserText path = base + "\\Environments";
    if (JRegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS) {
        ReportRegistryKeyFailure();
        return nullptr;
    }
    return hKey;
}

}   // namespace

JEnvironmentRecord* JEnvironmentManager::NewEnvironment(const char* name, const char* userKey, const char* startUpDll,
                                                        const char* appPath)
{
    auto* pEnvironment = new JEnvironmentRecord;
    pEnvironment->SetCustomUserKey(userKey);
    pEnvironment->SetCustomEnvironment(name);
    if (JEnvironmentRecord* pCurrent = m_pCurrent) {
        pEnvironment->m_pDynamicCommand = pCurrent->m_pDynamicCommand;
        pEnvironment->m_pAppInfo = pCurrent->m_pAppInfo;
        pEnvironment->m_hDraftResource = pCurrent->m_hDraftResource;
        pEnvironment->m_bColorButtons = pCurrent->m_bColorButtons;
        pEnvironment->m_nLargeButtons = pCurrent->m_nLargeButtons;
        pEnvironment->m_bToolTips = pCurrent->m_bToolTips;
        pEnvironment->m_nFlatButtons = pCurrent->m_nFlatButtons;
        pEnvironment->m_nGripperBar = pCurrent->m_nGripperBar;
        pEnvironment->m_strAppPath = pCurrent->m_strAppPath;
    }
    JAppInfo* pApp = pEnvironment->m_pAppInfo;
    if (appPath)
        pEnvironment->m_strAppPath = appPath;
    else if (pApp)
        pEnvironment->m_strAppPath = Text(pApp->GetApplicationPath());
    if (startUpDll)
        pEnvironment->m_strStartUpDllClsid = startUpDll;
    else if (pApp)
        pEnvironment->m_strStartUpDllClsid = Text(pApp->GetDefaultStartUpDll());
    else if (m_pCurrent)
        pEnvironment->m_strStartUpDllClsid = m_pCurrent->m_strStartUpDllClsid;
    return pEnvironment;
}

void JEnvironmentManager::NotifySwitch(JEnvironmentRecord* pEnvironment)
{
    JAppInfo* pApp = pEnvironment->m_pAppInfo;
    if (!pApp)
        return;
    pApp->OnStartUpDllChanged(pEnvironment->m_strStartUpDllClsid);
    pApp->OnEnvironmentNameChanged(pEnvironment->m_strCustomEnvironment);
    pApp->OnFirstSwitch();
    pApp->OnSecondSwitch();
    if (!pEnvironment->m_strAppPath.IsEmpty())
        pApp->OnApplicationPathChanged(pEnvironment->m_strAppPath);
}

void JEnvironmentManager::MakeCurrent(long index, bool readSettings)
{
    JEnvironmentRecord* pEnvironment = GetEnvironment(index);
    if (!pEnvironment)
        return;
    if (m_pCurrent && m_pCurrent != pEnvironment) {
        if (!m_bInitialising)
            m_pCurrent->Show(0);
        m_pCurrent->m_bActive = FALSE;
    }
    m_pCurrent = pEnvironment;
    m_nCurrentIndex = index;
    pEnvironment->m_bActive = TRUE;
    const HINSTANCE hResource = AfxGetResourceHandle();
    if (!pEnvironment->m_hResourceHandle)
        pEnvironment->m_hResourceHandle = hResource;
    else if (pEnvironment->m_hResourceHandle != hResource)
        AfxSetResourceHandle(pEnvironment->m_hResourceHandle);
    if (!m_bInitialising) {
        NotifySwitch(pEnvironment);
        pEnvironment->Show(1);
    }
    if (readSettings && !pEnvironment->m_bSettingsLoaded)
        ReadToolbarSettingsFromRegistry(pEnvironment->m_strCustomEnvironment);
}

void JEnvironmentManager::ApplyKeys(JEnvironmentRecord* pEnvironment, const char* userKey, const char* startUpDll)
{
    if (userKey && pEnvironment->m_strCustomUserKey != userKey)
        pEnvironment->SetCustomUserKey(userKey);
    if (startUpDll) {
        if (pEnvironment->m_strStartUpDllClsid != startUpDll) {
            pEnvironment->m_strStartUpDllClsid = startUpDll;
            if (pEnvironment->m_pAppInfo)
                pEnvironment->m_pAppInfo->OnStartUpDllChanged(pEnvironment->m_strStartUpDllClsid);
        }
    } else if (pEnvironment->m_pAppInfo) {
        pEnvironment->m_strStartUpDllClsid = Text(pEnvironment->m_pAppInfo->GetDefaultStartUpDll());
    }
}

void JEnvironmentManager::SetEnvironment(const char* name, const char* userKey, const char* startUpDll,
                                         const char* appPath)
{
    long index = -1;
    if (!name || !*name) {
        index = GetCount() > 0 ? 0 : -1;
    } else {
        index = FindEnvironmentIndex(name);
        if (index >= 0 && index == m_nCurrentIndex && GetEnvironment(index) == m_pCurrent)
            return;   // already current: the other arguments are ignored
    }
    if (index >= 0) {
        const bool first = !name || !*name;
        JEnvironmentRecord* pEnvironment = GetEnvironment(index);
        MakeCurrent(index, false);
        ApplyKeys(pEnvironment, userKey, startUpDll);
        if (!first && !pEnvironment->m_bSettingsLoaded)
            ReadToolbarSettingsFromRegistry(pEnvironment->m_strCustomEnvironment);
        WriteActiveEnvironmentToRegistry(nullptr);
        return;
    }
    if (!name || !*name)
        return;   // no environment to select

    // A new environment.
    JEnvironmentRecord* pEnvironment = NewEnvironment(name, userKey, startUpDll, appPath);
    if (m_pCurrent) {
        if (!m_bInitialising)
            m_pCurrent->Show(0);
        m_pCurrent->m_bActive = FALSE;
    }
    m_nCurrentIndex = (long)m_arrEnvironments.Add(pEnvironment);
    m_pCurrent = pEnvironment;
    pEnvironment->m_bActive = TRUE;
    if (!m_bInitialising) {
        NotifySwitch(pEnvironment);
        pEnvironment->Show(1);
    }
}

int JEnvironmentManager::SetEnvironment(long index)
{
    if (index < 0 || index >= GetCount())
        return 0;
    if (index == m_nCurrentIndex && GetEnvironment(index) == m_pCurrent)
        return 1;
    MakeCurrent(index, true);
    return 1;
}

int JEnvironmentManager::CreateEnvironment(const char* name, const char* userKey, const char* startUpDll,
                                           const char* appPath)
{
    m_arrEnvironments.Add(NewEnvironment(name, userKey, startUpDll, appPath));
    return 1;
}

// ---- stored environments ----

namespace {

bool IsStagedImport(const char* name)
{
    const size_t length = strlen(name), suffix = strlen(reg_import::kStagedSuffix);
    return length > suffix && _stricmp(name + length - suffix, reg_import::kStagedSuffix) == 0;
}

}   // namespace

long JEnvironmentManager::ReadEnvironmentsFromRegistry(const char* userKey)
{
    GUserText base, startUpDll, appPath;
    if (!FindEnvironmentsBase(userKey, base, &startUpDll, &appPath))
        return 0;
    HKEY hKey = CreateEnvironmentsKey(base);
    if (!hKey)
        return 0;
    const GUserText environmentsKey = base + "\\Environments";
    const BOOL wasInitialising = m_bInitialising;
    m_bInitialising = TRUE;
    long count = 0;
    char name[1024];
    // An import cut short is finished or dropped before the environments are counted.
    std::vector<std::string> staged;
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        const LONG result = ::RegEnumKeyExA(hKey, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
            break;
        if (result == ERROR_SUCCESS && IsStagedImport(name))
            staged.push_back(std::string(environmentsKey) + "\\" + std::string(name, length - strlen(reg_import::kStagedSuffix)));
    }
    for (const std::string& root : staged)
        reg_import::FinishInterruptedImport(root);
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        const LONG result = ::RegEnumKeyExA(hKey, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;   // a name longer than any environment's: not one of ours
        if (result != ERROR_SUCCESS)
            break;
        if (IsStagedImport(name))
            continue;
        SetEnvironment(name, environmentsKey, startUpDll.IsEmpty() ? nullptr : (const char*)startUpDll,
                       appPath.IsEmpty() ? nullptr : (const char*)appPath);
        ReadToolbarSettingsFromRegistry(name);
        ++count;
    }
    ::RegCloseKey(hKey);
    if (count > 0)
        SetEnvironment(kDefaultEnvironment, nullptr, nullptr, nullptr);
    m_bInitialising = wasInitialising;
    return count;
}

void JEnvironmentManager::ReadToolbarSettingsFromRegistry(const char* environment)
{
    if (!m_pCurrent)
        return;
    GUserText information;
    if (m_pCurrent->MakeRegistryPath(environment, "eInformation", information))
        m_pCurrent->ReadUnitDisplayValues(information);
    GUserText toolbars;
    if (!m_pCurrent->MakeRegistryPath(environment, "Toolbars", toolbars))
        return;
    HKEY hKey = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, toolbars, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    m_pCurrent->ReadToolbarSettingsFromRegistry(hKey);
    ::RegCloseKey(hKey);
}

void JEnvironmentManager::WriteActiveEnvironmentToRegistry(const char* userKey)
{
    if (!m_pCurrent)
        return;
    GUserText base;
    if (!FindEnvironmentsBase(userKey, base, nullptr, nullptr))
        return;
    HKEY hKey = CreateEnvironmentsKey(base);
    if (!hKey)
        return;
    const GUserText& name = m_pCurrent->m_strCustomEnvironment;
    WriteRegText(hKey, "ActiveEnvironment", name);
    ::RegCloseKey(hKey);
}
