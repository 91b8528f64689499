// The start-up DLL: each environment's automation add-in, created from its class
// id text, installed into the host and asked for its default toolbars.
#include "jenvmanager.h"

#include "callframe.h"
#include "controlexports.h"
#include "hostengine.h"
#include "jtabbar.h"
#include "libstate.h"
#include "macrohostlibrary.h"

#include <oleauto.h>

#include <string>

namespace {

// The engine's application object as IDispatch, released when it goes.
struct ApplicationObject {
    IDispatch* p = nullptr;
    HRESULT hr = AppGetApplicationObject(IID_IDispatch, reinterpret_cast<void**>(&p));
    ApplicationObject() = default;
    ApplicationObject(const ApplicationObject&) = delete;
    ApplicationObject& operator=(const ApplicationObject&) = delete;
    ~ApplicationObject()
    {
        if (p)
            p->Release();
    }
};

CLSID EngineClsid()
{
    CLSID clsid = GUID_NULL;
    if (FAILED(AppGetEngineClsid(&clsid)))
        clsid = GUID_NULL;
    return clsid;
}

bool ClsidFromText(const char* text, CLSID& clsid)
{
    wchar_t wide[64] = L"";
    if (!text || strlen(text) >= 64 || !::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 64))
        return false;
    return SUCCEEDED(::CLSIDFromString(wide, &clsid));
}

// Registry form ("{...}") of a class identifier; FALSE when it cannot be made.
bool ClsidToText(REFCLSID clsid, GUserText& text)
{
    LPOLESTR wide = nullptr;
    if (FAILED(::StringFromCLSID(clsid, &wide)) || !wide)
        return false;
    char narrow[64] = "";
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    ::CoTaskMemFree(wide);
    if (length <= 0)
        return false;
    text = narrow;
    return true;
}

// Asks the macro host's "GetRunMacro" for the class identifier of text (a class id in
// registry form stands for itself; anything else is a macro beside the application).
HRESULT RunMacroClsid(PFN_GETRUNMACRO getRunMacro, const char* text, const char* appPath, int& error, CLSID& clsid)
{
    CLSID engine = EngineClsid();
    CLSID parsed = GUID_NULL;
    const GUserText macro = ClsidFromText(text, parsed) ? GUserText(text) : GUserText(appPath) + "\\" + text;
    char path[2048] = "";
    int kind = 0;
    error = 0;
    return getRunMacro(nullptr, &engine, macro, &error, path, &clsid, &kind, 0, 0, 1, 1);
}

const char* AppPathOf(JAppInfo* pAppInfo)
{
    const char* path = pAppInfo ? pAppInfo->GetApplicationPath() : nullptr;
    return path ? path : "";
}

// Calls an add-in method by name, with the application object as its one argument
// when given. A name the add-in does not know is skipped (S_OK). An add-in that
// throws has failed the call.
HRESULT CallAddIn(IDispatch* pAddIn, const wchar_t* name, IDispatch* pApplication)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    VARIANT argument;
    ::VariantInit(&argument);
    if (pApplication) {
        argument.vt = VT_DISPATCH;
        argument.pdispVal = pApplication;
    }
    DISPPARAMS params = {pApplication ? &argument : nullptr, nullptr, pApplication ? 1u : 0u, 0};
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    HRESULT hr = S_OK;
    // The add-in may unload itself through the library while it runs.
    pAddIn->AddRef();
    try {
        if (SUCCEEDED(pAddIn->GetIDsOfNames(IID_NULL, names, 1, 0, &id)))
            hr = pAddIn->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &exception, &argumentError);
    } catch (...) {
        hr = DISP_E_EXCEPTION;
    }
    pAddIn->Release();
    ::VariantClear(&result);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return hr;
}

IDispatch*& SharedDispatch()
{
    return ControlState().pSharedStartUpDispatch;
}

}   // namespace

// ---- resolving a class id text ----

GUserText JControlOnlyInfo::GetClsidString(GUserText text)
{
    GUserText out;
    GetClsidString(text, out);
    return out;
}

void JControlOnlyInfo::GetClsidString(GUserText text, GUserText& out)
{
    HostTellModuleState();
    out.Empty();
    MacroHostLibrary host;
    CLSID clsid = GUID_NULL;
    bool found = false;
    for (const char* resolver : {"UMacroCLSIDFromFileName", "UMacroCLSIDFromProgID"}) {
        auto fromText = host.Find<PFN_UMACROCLSIDFROMFILENAME>(resolver);
        if (!found && fromText && SUCCEEDED(fromText(text, &clsid)))
            found = true;
    }
    if (!found)
        found = ClsidFromText(text, clsid);
    if (!found) {
        // The application's own default takes the text's place.
        ApplicationObject application;
        if (!application.p)
            return;
        const GUserText defaultText(
            m_pAppInfo && m_pAppInfo->GetDefaultStartUpDll() ? m_pAppInfo->GetDefaultStartUpDll() : "");
        clsid = GUID_NULL;
        if (auto getRunMacro = host.Find<PFN_GETRUNMACRO>("GetRunMacro")) {
            int error = 0;
            if (FAILED(RunMacroClsid(getRunMacro, defaultText, AppPathOf(m_pAppInfo), error, clsid)))
                return;
        }
    }
    if (!ClsidToText(clsid, out))
        out = text;
}

// ---- loading and unloading ----

long JControlOnlyInfo::LoadStartupDll(int load, int noInvoke)
{
    if (!load && !m_pStartUpDllDispatch)
        return E_INVALIDARG;
    IDispatch*& shared = SharedDispatch();
    if (load && shared && !m_pStartUpDllDispatch) {
        m_pStartUpDllDispatch = shared;
        m_pStartUpDllDispatch->AddRef();
    }

    HRESULT hr = S_OK;
    ApplicationObject application;
    if (!m_pStartUpDllDispatch && !m_strStartUpDllClsid.IsEmpty()) {
        if (!application.p)
            return HRerr(application.hr, __FILE__, __LINE__);
        MacroHostLibrary host;
        const GUserText resolved = GetClsidString(m_strStartUpDllClsid);
        if (auto getRunMacro = host.Find<PFN_GETRUNMACRO>("GetRunMacro")) {
            int error = 0;
            CLSID clsid = GUID_NULL;
            hr = RunMacroClsid(getRunMacro, resolved, AppPathOf(m_pAppInfo), error, clsid);
            if (SUCCEEDED(hr) && error == 0 && !IsEqualCLSID(clsid, GUID_NULL)) {
                IDispatch* pAddIn = nullptr;
                hr = JCoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                       reinterpret_cast<void**>(&pAddIn));
                if (FAILED(hr) || !pAddIn)
                    return HRerr(FAILED(hr) ? hr : E_NOINTERFACE, __FILE__, __LINE__);
                m_pStartUpDllDispatch = pAddIn;
                // The shared pointer holds a reference of its own while it is set.
                if (shared)
                    shared->Release();
                shared = pAddIn;
                shared->AddRef();
            }
        }
    }

    if (m_pStartUpDllDispatch && !noInvoke && application.p)
        hr = HRerr(CallAddIn(m_pStartUpDllDispatch, load ? L"Install" : L"UnInstall", application.p), __FILE__,
                   __LINE__);

    if (!load) {
        if (SUCCEEDED(hr) && !noInvoke) {
            if (CFrameWnd* pFrame = ControlFrameOfCall(); pFrame && pFrame->m_hWnd)
                pFrame->SendMessage(JM_UNLOADADDINS, 0, 0);
            m_categories.RemoveAllCategories();
            m_arrBars.RemoveAll();
            FreeVisibilityRecords();
        }
        bool bRelease = false;
        if (shared && !noInvoke) {
            shared->Release();
            shared = nullptr;
            bRelease = true;
        } else {
            bRelease = HostMode() != FALSE;
        }
        // The environment gives its reference back and keeps no pointer to it. With the
        // add-in's last reference goes the memory the tab bar buttons draw through; it is
        // made again at their next paint.
        if (bRelease && m_pStartUpDllDispatch) {
            IDispatch* pAddIn = m_pStartUpDllDispatch;
            m_pStartUpDllDispatch = nullptr;
            if (pAddIn->Release() == 0)
                JTabbarButton::FreeSharedDrawingObjects();
        }
    }
    return hr;
}

long JControlOnlyInfo::InitStartupDll()
{
    if (!m_pStartUpDllDispatch)
        return 0;
    return CallAddIn(m_pStartUpDllDispatch, L"Initialize", nullptr);
}

long JControlOnlyInfo::LoadToolbarsFromDll()
{
    if (!m_pStartUpDllDispatch)
        return 0;
    ApplicationObject application;
    return application.p ? CallAddIn(m_pStartUpDllDispatch, L"LoadDefaultToolbars", application.p) : 0;
}

long JControlOnlyInfo::UnLoadToolbarsFromDll()
{
    if (!m_pStartUpDllDispatch)
        return 0;
    ApplicationObject application;
    return application.p ? CallAddIn(m_pStartUpDllDispatch, L"UnLoadDefaultToolbars", application.p) : 0;
}

// ---- the manager's forwarders ----

long JEnvironmentManager::LoadStartupDll(int load, int noInvoke)
{
    return m_pCurrent ? m_pCurrent->LoadStartupDll(load, noInvoke) : 0;
}

long JEnvironmentManager::InitStartupDll()
{
    return m_pCurrent ? m_pCurrent->InitStartupDll() : 0;
}

long JEnvironmentManager::LoadToolbarsFromDll()
{
    return m_pCurrent ? m_pCurrent->LoadToolbarsFromDll() : 0;
}

long JEnvironmentManager::UnLoadToolbarsFromDll()
{
    return m_pCurrent ? m_pCurrent->UnLoadToolbarsFromDll() : 0;
}

GUserText JEnvironmentManager::GetClsidString(GUserText text)
{
    return m_pCurrent ? m_pCurrent->GetClsidString(text) : GUserText();
}

void JEnvironmentManager::GetClsidString(GUserText text, GUserText& out)
{
    if (m_pCurrent)
        m_pCurrent->GetClsidString(text, out);
    else
        out.Empty();
}

// ---- flat exports ----

namespace {

// The control state the exports work on; none without an environment manager.
JControlOnlyInfo* StartUpInfo()
{
    return JEnvironmentManager::Get() ? JEnvironmentManager::Current() : nullptr;
}

}   // namespace

CONTROL_API long JLoadStartupDll(int load, const char* clsid, int noInvoke)
{
    JControlOnlyInfo* pInfo = StartUpInfo();
    if (!pInfo)
        return 0;
    pInfo->SetStartUpDLL(clsid);
    return pInfo->LoadStartupDll(load, noInvoke);
}

CONTROL_API IDispatch* JGetStartUpDllDispatch()
{
    JControlOnlyInfo* pInfo = StartUpInfo();
    return pInfo ? pInfo->m_pStartUpDllDispatch : nullptr;
}

CONTROL_API long JInitStartupDll()
{
    JControlOnlyInfo* pInfo = StartUpInfo();
    return pInfo ? pInfo->InitStartupDll() : 0;
}

CONTROL_API long JLoadToolbarsFromDll()
{
    JControlOnlyInfo* pInfo = StartUpInfo();
    return pInfo ? pInfo->LoadToolbarsFromDll() : 0;
}

CONTROL_API long JUnLoadToolbarsFromDll()
{
    JControlOnlyInfo* pInfo = StartUpInfo();
    return pInfo ? pInfo->UnLoadToolbarsFromDll() : 0;
}
