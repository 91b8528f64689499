// The control state: registry keys, toolbar settings, command images and command states.
#include "jcontrolinfo.h"

#include "callframe.h"
#include "hostengine.h"
#include "regvalues.h"

#include <cstring>

JControlOnlyInfo::~JControlOnlyInfo()
{
    m_categories.RemoveAllCategories();
    m_arrBars.RemoveAll();
    FreeVisibilityRecords();
    for (INT_PTR i = 0; i < m_arrCommandStates.GetSize(); ++i)
        delete static_cast<JCommandState*>(m_arrCommandStates[i]);
    m_arrCommandStates.RemoveAll();
}

namespace {

GUserText HostText(const char* text)
{
    return GUserText(text ? text : "");
}

}   // namespace

// ---- registry keys ----

int JControlOnlyInfo::MakeRegistryPath(const char* environment, const char* subKey, GUserText& out)
{
    GUserText root;
    const auto environmentsRoot = [&](const GUserText& name) {
        return HostText(m_pAppInfo->GetRegistryBasePath()) + "\\Environments\\" + name;
    };
    if (environment) {
        if (!m_strCustomUserKey.IsEmpty())
            root = m_strCustomUserKey + "\\" + environment;
        else if (m_pAppInfo)
            root = environmentsRoot(environment);
    } else if (!m_strCustomUserKey.IsEmpty()) {
        root = m_strCustomUserKey;
        if (!m_strCustomEnvironment.IsEmpty())
            root += "\\" + m_strCustomEnvironment;
    } else if (m_pAppInfo) {
        root = m_strCustomEnvironment.IsEmpty() ? HostText(m_pAppInfo->GetRegistryName())
                                                : environmentsRoot(m_strCustomEnvironment);
    }
    if (root.IsEmpty())
        return 0;
    out = root;
    if (subKey && *subKey)
        out += GUserText("\\") + subKey;
    return 1;
}

GUserText JControlOnlyInfo::GetRegistryNameWithEnv()
{
    if (m_strCustomUserKey.IsEmpty())
        return m_pAppInfo ? HostText(m_pAppInfo->GetRegistryName()) : GUserText();
    GUserText name = m_strCustomUserKey;
    if (!m_strCustomEnvironment.IsEmpty())
        name += "\\" + m_strCustomEnvironment;
    return name;
}

void JControlOnlyInfo::InitializeRegistryKeys(const char* userKey, const char* environment, const char* startUpDll)
{
    SetCustomUserKey(userKey);
    SetCustomEnvironment(environment);
    if (startUpDll && m_strStartUpDllClsid.IsEmpty())
        m_strStartUpDllClsid = startUpDll;
}

int JControlOnlyInfo::IsRegistryInitialized()
{
    return !m_strCustomUserKey.IsEmpty() && !m_strCustomEnvironment.IsEmpty();
}

void JControlOnlyInfo::SetCustomEnvironment(const char* name)
{
    if (m_strCustomEnvironment.IsEmpty())
        m_strCustomEnvironment = HostText(name);
}

GUserText JControlOnlyInfo::GetCustomEnvironment()
{
    if (m_strCustomEnvironment.IsEmpty() && m_pAppInfo)
        return HostText(m_pAppInfo->GetDefaultEnvironmentName());
    return m_strCustomEnvironment;
}

void JControlOnlyInfo::SetCustomUserKey(const char* key)
{
    m_strCustomUserKey = HostText(key);
}

void JControlOnlyInfo::SetStartUpDLL(const char* clsid)
{
    if (clsid && *clsid)
        m_strStartUpDllClsid = clsid;
    else if (m_pAppInfo)
        m_strStartUpDllClsid = HostText(m_pAppInfo->GetDefaultStartUpDll());
}

// ---- settings ----

namespace {

// A stored number; `fallback` when missing, of another size, or a text that happens to be 4 bytes long.
int ReadNumber(HKEY hKey, const char* name, int fallback)
{
    DWORD value = 0;
    return ReadRegNumber(hKey, name, &value) ? (int)value : fallback;
}

// A string value of at most 259 characters; empty when missing, of another type or too long.
GUserText ReadText(HKEY hKey, const char* name)
{
    char buffer[MAX_PATH] = "";
    return ReadRegText(hKey, name, buffer, sizeof buffer) ? GUserText(buffer) : GUserText();
}

}   // namespace

void JControlOnlyInfo::ReadUnitDisplayValues(const char* path)
{
    HKEY hKey = nullptr;
    if (!path || OpenRegPath(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) {
        if (!m_bDocumentUnitsFixed)
            m_nUseDocumentUnits = 1;
        m_nDisplayPrimaryUnits = 61;
        m_nFormatMode = 0;
        m_nFormatPrecision = 2;
        HostVersionText(m_strVersionStamp);
        return;
    }
    m_nDisplayPrimaryUnits = ReadNumber(hKey, "DisplayPrimaryUnits", 61);
    m_nFormatMode = ReadNumber(hKey, "FormatMode", 0);
    m_nFormatPrecision = ReadNumber(hKey, "FormatPrecision", 2);
    if (!m_bDocumentUnitsFixed)
        m_nUseDocumentUnits = ReadNumber(hKey, "UseDocumentUnits", 1);
    char stamp[257] = "";
    DWORD size = 256;
    DWORD type = 0;
    if (::RegQueryValueExA(hKey, "VersionStamp", nullptr, &type, reinterpret_cast<BYTE*>(stamp), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        stamp[size < 256 ? size : 256] = '\0';
        m_strVersionStamp = stamp;
    } else {
        HostVersionText(m_strVersionStamp);
    }
    ::RegCloseKey(hKey);
}

void JControlOnlyInfo::ReadToolbarSettingsFromRegistry(HKEY hKey)
{
    if (!hKey) {
        m_nFlatButtons = 0;
        m_nGripperBar = 0;
        m_nLargeButtons = 0;
        m_bToolTips = TRUE;
        m_bColorButtons = TRUE;
        m_crTransparent = RGB(255, 0, 255);
        m_nUseDocumentUnits = 1;
        m_bDocumentUnitsFixed = FALSE;
        m_strVersionStamp.Empty();
        m_nDisplayPrimaryUnits = 61;
        m_nFormatMode = 0;
        m_nFormatPrecision = 2;
        m_strStartUpDllClsid.Empty();
        m_bShowCustomizeOnToolbarMenu = TRUE;
        m_bShowToolBarMgrOnToolbarMenu = TRUE;
        m_bSettingsLoaded = TRUE;
        return;
    }
    m_bRegistryUsed = TRUE;
    const GUserText appPath = ReadText(hKey, "AppPath");
    if (!appPath.IsEmpty())
        m_strAppPath = appPath;
    else if (m_pAppInfo)
        m_strAppPath = HostText(m_pAppInfo->GetApplicationPath());
    const GUserText clsid = ReadText(hKey, "StartUpDllClsid");
    if (!clsid.IsEmpty()) {
        m_strStartUpDllClsid = clsid;
    } else {
        // The application's default, which may be empty: never what another
        // environment had before this one was read.
        m_strStartUpDllClsid.Empty();
        SetStartUpDLL("");
    }
    m_bColorButtons = ReadNumber(hKey, "ColorButtons", 1);
    m_nLargeButtons = ReadNumber(hKey, "LargeButtons", 0);
    m_bToolTips = ReadNumber(hKey, "ToolTips", 1);
    m_nGripperBar = ReadNumber(hKey, "GripperBar", 0);
    m_nFlatButtons = ReadNumber(hKey, "FlatButtons", 0);
    m_crTransparent = (COLORREF)ReadNumber(hKey, "TransparentColor", (int)RGB(255, 0, 255));
    m_bShowCustomizeOnToolbarMenu = ReadNumber(hKey, "ShowCustomizeOnToolbarMenu", 1);
    m_bShowToolBarMgrOnToolbarMenu = ReadNumber(hKey, "ShowToolBarMgrOnToolbarMenu", 1);
    m_bSettingsLoaded = TRUE;
}

void JControlOnlyInfo::WriteToolbarSettingsToRegistry(HKEY hKey)
{
    if (!hKey)
        return;
    WriteToolbarSettings(
        [](void* context, const char* name, DWORD type, const void* data, DWORD size) {
            ::RegSetValueExA(static_cast<HKEY>(context), name, 0, type, static_cast<const BYTE*>(data), size);
        },
        hKey);
}

void JControlOnlyInfo::WriteToolbarSettings(SettingWriter write, void* context)
{
    for (int* pSetting : {&m_nLargeButtons, &m_nGripperBar, &m_nFlatButtons})
        if (*pSetting == -1)
            *pSetting = 0;
    const auto number = [&](const char* name, int value) {
        const DWORD data = (DWORD)value;
        write(context, name, REG_DWORD, &data, sizeof data);
    };
    const auto text = [&](const char* name, const GUserText& value) {
        // Written from a path-sized buffer, with its terminating NUL.
        char buffer[MAX_PATH] = "";
        lstrcpynA(buffer, value, MAX_PATH);
        write(context, name, REG_SZ, buffer, (DWORD)strlen(buffer) + 1);
    };
    number("ColorButtons", m_bColorButtons);
    number("LargeButtons", m_nLargeButtons);
    number("ToolTips", m_bToolTips);
    number("GripperBar", m_nGripperBar);
    number("FlatButtons", m_nFlatButtons);
    number("TransparentColor", (int)m_crTransparent);
    if (!m_strStartUpDllClsid.IsEmpty())
        text("StartUpDllClsid", m_strStartUpDllClsid);
    if (!m_strAppPath.IsEmpty())
        text("AppPath", m_strAppPath);
    number("ShowCustomizeOnToolbarMenu", m_bShowCustomizeOnToolbarMenu);
    number("ShowToolBarMgrOnToolbarMenu", m_bShowToolBarMgrOnToolbarMenu);
}

long JControlOnlyInfo::GetButtonSize(UINT, LPARAM sizeOut)
{
    int* pSize = reinterpret_cast<int*>(sizeOut);
    if (!pSize)
        return 0;
    pSize[0] = m_nLargeButtons == 1 ? 32 : 23;
    pSize[1] = m_nLargeButtons == 1 ? 30 : 22;
    return 1;
}

long JControlOnlyInfo::GetBitmapInfo(UINT commandID, LPARAM infoOut)
{
    JCategory* pCategory = GetCommandCategory(commandID);
    JBitmapInfo* pInfo = reinterpret_cast<JBitmapInfo*>(infoOut);
    if (!pCategory || !pInfo)
        return 0;
    const int strip =
        (m_nLargeButtons == 1 ? JCategory::LargePlain : JCategory::SmallPlain) + (m_bColorButtons ? 1 : 0);
    pInfo->nImageIndex = pCategory->FindImageIndex(commandID);
    pInfo->hModule = nullptr;
    if (pCategory->m_hModule && pCategory->m_nBitmapIDs[strip]) {
        pInfo->nBitmap = pCategory->m_nBitmapIDs[strip];
        pInfo->hModule = pCategory->m_hModule;
    } else {
        pInfo->nBitmap = reinterpret_cast<UINT_PTR>(pCategory->m_hBitmaps[strip]);
    }
    return 1;
}
