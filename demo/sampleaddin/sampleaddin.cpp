// The sample add-in's object, its class factory and the module's entry points.
#include "sampleaddin.h"

#include <oleauto.h>

#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace {

LONG g_objects = 0;
LONG g_locks = 0;

// ---- faults the host's tests ask for ----
struct Fault {
    char method[32] = "";   // "" with bActive: every method
    bool bActive = false;
    HRESULT result = S_OK;
    bool bThrow = false;
};
Fault g_fault;

bool FaultFor(const char* method, HRESULT& result)
{
    if (!g_fault.bActive || (g_fault.method[0] && _stricmp(g_fault.method, method) != 0))
        return false;
    if (g_fault.bThrow)
        throw std::runtime_error(std::string("sample add-in fault in ") + method);
    result = g_fault.result;
    return true;
}

// ---- calls on the application object ----

DISPID MemberOf(IDispatch* pDispatch, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(pDispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id)))
        return DISPID_UNKNOWN;
    return id;
}

// Calls a member with text arguments (given first to last); the result in *pResult when asked.
HRESULT CallWithTexts(IDispatch* pDispatch, const wchar_t* name, WORD flags, const char* const* texts, UINT count,
                      VARIANT* pResult)
{
    const DISPID id = MemberOf(pDispatch, name);
    if (id == DISPID_UNKNOWN)
        return DISP_E_UNKNOWNNAME;
    VARIANT arguments[2];
    if (count > 2)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) {
        ::VariantInit(&arguments[i]);
        wchar_t wide[512] = L"";
        ::MultiByteToWideChar(CP_ACP, 0, texts[count - 1 - i], -1, wide, 512);   // last first
        arguments[i].vt = VT_BSTR;
        arguments[i].bstrVal = ::SysAllocString(wide);
    }
    DISPPARAMS params = {arguments, nullptr, count, 0};
    const HRESULT hr = pDispatch->Invoke(id, IID_NULL, 0, flags, &params, pResult, nullptr, nullptr);
    for (UINT i = 0; i < count; ++i)
        ::VariantClear(&arguments[i]);
    return hr;
}

std::wstring Wide(const std::string& text)
{
    wchar_t wide[512] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 512);
    return wide;
}

// ---- the add-in object ----

enum : DISPID {
    ID_INSTALL = 1,
    ID_UNINSTALL,
    ID_INITIALIZE,
    ID_LOADDEFAULTTOOLBARS,
    ID_UNLOADDEFAULTTOOLBARS,
    ID_CALLLOG = 10,
    ID_HOSTVERSION,
    ID_INSTALLED,
};

struct Member {
    const wchar_t* name;
    DISPID id;
    const char* logName;
    bool bTakesApplication;
    bool bProperty;
};
const Member kMembers[] = {
    {L"Install", ID_INSTALL, "Install", true, false},
    {L"UnInstall", ID_UNINSTALL, "UnInstall", true, false},
    {L"Initialize", ID_INITIALIZE, "Initialize", false, false},
    {L"LoadDefaultToolbars", ID_LOADDEFAULTTOOLBARS, "LoadDefaultToolbars", true, false},
    {L"UnLoadDefaultToolbars", ID_UNLOADDEFAULTTOOLBARS, "UnLoadDefaultToolbars", true, false},
    {L"CallLog", ID_CALLLOG, nullptr, false, true},
    {L"HostVersion", ID_HOSTVERSION, nullptr, false, true},
    {L"Installed", ID_INSTALLED, nullptr, false, true},
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class SampleAddIn final : public IDispatch {
public:
    SampleAddIn() { ::InterlockedIncrement(&g_objects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG references = ::InterlockedDecrement(&m_references);
        if (references == 0)
            delete this;
        return static_cast<ULONG>(references);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                            DISPID* rgDispId) override
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        if (!rgszNames || !rgDispId || cNames == 0)
            return E_INVALIDARG;
        for (UINT i = 0; i < cNames; ++i)
            rgDispId[i] = DISPID_UNKNOWN;
        for (const Member& member : kMembers)
            if (rgszNames[0] && _wcsicmp(rgszNames[0], member.name) == 0)
                rgDispId[0] = member.id;
        return rgDispId[0] == DISPID_UNKNOWN || cNames > 1 ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* pParams, VARIANT* pResult,
                                     EXCEPINFO*, UINT* puArgErr) override;

private:
    ~SampleAddIn() { ::InterlockedDecrement(&g_objects); }

    HRESULT Property(DISPID id, VARIANT* pResult);
    HRESULT Install(IDispatch* pApplication);
    HRESULT LoadDefaultToolbars(IDispatch* pApplication);
    HRESULT UnLoadDefaultToolbars(IDispatch* pApplication);

    LONG m_references = 1;
    std::string m_log;           // the methods called, each followed by ';'
    std::string m_hostVersion;   // read at "Install"
    bool m_bInstalled = false;
    bool m_bToolbarsMade[sizeof kSampleToolbars / sizeof kSampleToolbars[0]] = {};
};
#pragma GCC diagnostic pop

HRESULT STDMETHODCALLTYPE SampleAddIn::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* pParams,
                                              VARIANT* pResult, EXCEPINFO*, UINT* puArgErr)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    const Member* pMember = nullptr;
    for (const Member& member : kMembers)
        if (member.id == id)
            pMember = &member;
    if (!pMember)
        return DISP_E_MEMBERNOTFOUND;
    if (pResult)
        ::VariantInit(pResult);
    const UINT count = pParams ? pParams->cArgs : 0;
    if (pMember->bProperty)
        return (flags & DISPATCH_PROPERTYGET) && count == 0 ? Property(id, pResult) : DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (count != (pMember->bTakesApplication ? 1u : 0u))
        return DISP_E_BADPARAMCOUNT;
    IDispatch* pApplication = nullptr;
    if (pMember->bTakesApplication) {
        const VARIANT& argument = pParams->rgvarg[0];
        if (argument.vt == VT_DISPATCH)
            pApplication = argument.pdispVal;
        else if (argument.vt == (VT_DISPATCH | VT_BYREF) && argument.ppdispVal)
            pApplication = *argument.ppdispVal;
        if (!pApplication) {
            if (puArgErr)
                *puArgErr = 0;
            return DISP_E_TYPEMISMATCH;
        }
    }
    m_log += pMember->logName;
    m_log += ';';
    HRESULT hr = S_OK;
    if (FaultFor(pMember->logName, hr))
        return hr;
    switch (id) {
    case ID_INSTALL:
        return Install(pApplication);
    case ID_UNINSTALL:
        m_bInstalled = false;
        return S_OK;
    case ID_INITIALIZE:
        return S_OK;
    case ID_LOADDEFAULTTOOLBARS:
        return LoadDefaultToolbars(pApplication);
    default:
        return UnLoadDefaultToolbars(pApplication);
    }
}

HRESULT SampleAddIn::Property(DISPID id, VARIANT* pResult)
{
    if (!pResult)
        return S_OK;
    if (id == ID_INSTALLED) {
        pResult->vt = VT_BOOL;
        pResult->boolVal = m_bInstalled ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    const std::wstring text = Wide(id == ID_CALLLOG ? m_log : m_hostVersion);
    pResult->vt = VT_BSTR;
    pResult->bstrVal = ::SysAllocString(text.c_str());
    return pResult->bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT SampleAddIn::Install(IDispatch* pApplication)
{
    // The host's version is kept for the add-in's own use; a host without one is fine.
    VARIANT version;
    ::VariantInit(&version);
    if (SUCCEEDED(CallWithTexts(pApplication, L"VersionText", DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, 0,
                                &version)) &&
        version.vt == VT_BSTR && version.bstrVal) {
        char text[256] = "";
        ::WideCharToMultiByte(CP_ACP, 0, version.bstrVal, -1, text, sizeof text, nullptr, nullptr);
        text[sizeof text - 1] = '\0';
        m_hostVersion = text;
    }
    ::VariantClear(&version);
    m_bInstalled = true;
    return S_OK;
}

HRESULT SampleAddIn::LoadDefaultToolbars(IDispatch* pApplication)
{
    HRESULT result = S_OK;
    size_t i = 0;
    for (const SampleToolbar& toolbar : kSampleToolbars) {
        if (!m_bToolbarsMade[i]) {
            const char* texts[] = {toolbar.name, toolbar.commands};
            const HRESULT hr = CallWithTexts(pApplication, L"AddToolbar", DISPATCH_METHOD, texts, 2, nullptr);
            if (SUCCEEDED(hr))
                m_bToolbarsMade[i] = true;
            else if (SUCCEEDED(result))
                result = hr;   // the first failure; the others are still tried
        }
        ++i;
    }
    return result;
}

HRESULT SampleAddIn::UnLoadDefaultToolbars(IDispatch* pApplication)
{
    HRESULT result = S_OK;
    size_t i = 0;
    for (const SampleToolbar& toolbar : kSampleToolbars) {
        if (m_bToolbarsMade[i]) {
            const char* texts[] = {toolbar.name};
            const HRESULT hr = CallWithTexts(pApplication, L"RemoveToolbar", DISPATCH_METHOD, texts, 1, nullptr);
            if (SUCCEEDED(hr))
                m_bToolbarsMade[i] = false;
            else if (SUCCEEDED(result))
                result = hr;
        }
        ++i;
    }
    return result;
}

// ---- the class factory ----

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class SampleFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    // One static factory: its references keep the module as locks do.
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&g_locks) + 1); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(::InterlockedDecrement(&g_locks) + 1); }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        auto* pObject = new (std::nothrow) SampleAddIn;
        if (!pObject)
            return E_OUTOFMEMORY;
        const HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL bLock) override
    {
        if (bLock)
            ::InterlockedIncrement(&g_locks);
        else
            ::InterlockedDecrement(&g_locks);
        return S_OK;
    }
};
#pragma GCC diagnostic pop

SampleFactory g_factory;

}   // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_SampleAddIn))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

extern "C" void WINAPI SampleAddInSetFault(const char* method, HRESULT result, BOOL bThrow)
{
    g_fault = Fault{};
    if (!method && result == S_OK && !bThrow)
        return;
    lstrcpynA(g_fault.method, method ? method : "", sizeof g_fault.method);
    g_fault.bActive = true;
    g_fault.result = result;
    g_fault.bThrow = bThrow != FALSE;
}

extern "C" LONG WINAPI SampleAddInObjects()
{
    return g_objects;
}
