#include "appinfo.h"

#include <cstring>

CDraftAppInfo::CDraftAppInfo()
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        m_applicationPath = path;
        m_applicationPath = m_applicationPath.Left(m_applicationPath.ReverseFind('\\'));
    }
}

HRESULT STDMETHODCALLTYPE CDraftAppInfo::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IJAppInfo) || IsEqualIID(riid, IID_IJAppMenus))
        *ppv = static_cast<JAppInfo*>(this);
    else if (IsEqualIID(riid, IID_IJAppVersion))
        *ppv = static_cast<IJAppVersion*>(this);
    else if (IsEqualIID(riid, IID_IJAppToolbars))
        *ppv = static_cast<IJAppToolbars*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CDraftAppInfo::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE CDraftAppInfo::Release()
{
    const LONG references = ::InterlockedDecrement(&m_references);
    if (references == 0)
        delete this;
    return static_cast<ULONG>(references);
}

void STDMETHODCALLTYPE CDraftAppInfo::OnApplicationPathChanged(const GUserText& path)
{
    m_notices.applicationPath = path.GetString();
    ++m_notices.nApplicationPathChanges;
}

void STDMETHODCALLTYPE CDraftAppInfo::OnStartUpDllChanged(const GUserText& clsid)
{
    m_notices.startUpDll = clsid.GetString();
    ++m_notices.nStartUpDllChanges;
}

void STDMETHODCALLTYPE CDraftAppInfo::OnEnvironmentNameChanged(const GUserText& name)
{
    m_notices.environmentName = name.GetString();
    ++m_notices.nEnvironmentNameChanges;
}

HRESULT STDMETHODCALLTYPE CDraftAppInfo::GetVersionText(char* buffer, int size)
{
    static const char kVersion[] = "Draft Host 1.0";
    if (!buffer)
        return E_POINTER;
    if (size <= 0)
        return E_INVALIDARG;
    const size_t length = strnlen(kVersion, static_cast<size_t>(size) - 1);
    memcpy(buffer, kVersion, length);
    buffer[length] = '\0';
    return length == sizeof kVersion - 1 ? S_OK : HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
}

HRESULT STDMETHODCALLTYPE CDraftAppInfo::AddToolbar(const char* name, const UINT* commandIDs, int count, UINT* pnBarID)
{
    if (!name || !pnBarID || (count > 0 && !commandIDs))
        return E_POINTER;
    *pnBarID = 0;
    if (count <= 0)
        return E_INVALIDARG;
    if (!m_makeToolbar)
        return E_UNEXPECTED;
    return m_makeToolbar(name, std::vector<UINT>(commandIDs, commandIDs + count), pnBarID);
}

HRESULT STDMETHODCALLTYPE CDraftAppInfo::RemoveToolbar(const char* name)
{
    if (!name)
        return E_POINTER;
    return m_removeToolbar ? m_removeToolbar(name) : E_UNEXPECTED;
}

namespace {

constexpr char kSettingsKey[] = "Software\\CONTROL Demo\\Draft Host\\Settings";

}   // namespace

CString LastEnvironment()
{
    char name[256] = "";
    DWORD size = sizeof name - 1, type = 0;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return CString();
    if (::RegQueryValueExA(hKey, "Environment", nullptr, &type, (BYTE*)name, &size) != ERROR_SUCCESS || type != REG_SZ)
        name[0] = '\0';
    ::RegCloseKey(hKey);
    return CString(name);
}

void KeepLastEnvironment(const char* name)
{
    HKEY hKey = nullptr;
    if (!name || ::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                                   nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(hKey, "Environment", 0, REG_SZ, (const BYTE*)name, (DWORD)strlen(name) + 1);
    ::RegCloseKey(hKey);
}
