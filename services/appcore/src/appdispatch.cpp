// The engine's automation object: the host's application object as add-ins
// call it, by name through IDispatch.
#include "appdispatch.h"

#include <oleauto.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Member {
    const wchar_t* name;
    DISPID id;
    UINT nArguments;
};
const Member kMembers[] = {
    {L"VersionText", APP_DISPID_VERSIONTEXT, 0},
    {L"AddToolbar", APP_DISPID_ADDTOOLBAR, 2},
    {L"RemoveToolbar", APP_DISPID_REMOVETOOLBAR, 1},
};

const Member* FindMember(DISPID id)
{
    for (const Member& member : kMembers)
        if (member.id == id)
            return &member;
    return nullptr;
}

std::string Narrow(BSTR text)
{
    const int length = text ? static_cast<int>(::SysStringLen(text)) : 0;
    if (length == 0)
        return std::string();
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

// "40001, 40002,0,40003": decimal command IDs separated by commas; FALSE for anything else.
bool ParseCommandIDs(const std::string& text, std::vector<UINT>& ids)
{
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ')
            ++at;
        unsigned long long value = 0;
        size_t digits = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 11) {
            value = value * 10 + static_cast<unsigned>(text[at++] - '0');
            ++digits;
        }
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (digits == 0 || value > 0xFFFFFFFFull || ids.size() >= APP_MAX_TOOLBAR_COMMANDS)
            return false;
        ids.push_back(static_cast<UINT>(value));
        if (at < text.size() && text[at++] != ',')
            return false;
        if (at == text.size() && text.back() == ',')
            return false;
    }
    return !ids.empty();
}

}   // namespace

ApplicationDispatch::ApplicationDispatch(IUnknown* pHost) : m_pHost(pHost)
{
    m_pHost->AddRef();
}

ApplicationDispatch::~ApplicationDispatch()
{
    m_pHost->Release();
}

HRESULT STDMETHODCALLTYPE ApplicationDispatch::QueryInterface(REFIID riid, void** ppv)
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

ULONG STDMETHODCALLTYPE ApplicationDispatch::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE ApplicationDispatch::Release()
{
    const LONG references = ::InterlockedDecrement(&m_references);
    if (references == 0)
        delete this;
    return static_cast<ULONG>(references);
}

HRESULT STDMETHODCALLTYPE ApplicationDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ApplicationDispatch::GetTypeInfo(UINT /*iTInfo*/, LCID /*lcid*/, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE ApplicationDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                                             LCID /*lcid*/, DISPID* rgDispId)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!rgszNames || !rgDispId || cNames == 0)
        return E_INVALIDARG;
    // Only members are named here: argument names are unknown.
    HRESULT hr = S_OK;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    for (const Member& member : kMembers)
        if (rgszNames[0] && _wcsicmp(rgszNames[0], member.name) == 0)
            rgDispId[0] = member.id;
    if (rgDispId[0] == DISPID_UNKNOWN || cNames > 1)
        hr = DISP_E_UNKNOWNNAME;
    return hr;
}

HRESULT STDMETHODCALLTYPE ApplicationDispatch::Invoke(DISPID dispIdMember, REFIID riid, LCID /*lcid*/, WORD wFlags,
                                                      DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                                      EXCEPINFO* /*pExcepInfo*/, UINT* puArgErr)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    const Member* pMember = FindMember(dispIdMember);
    if (!pMember || !(wFlags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
        return DISP_E_MEMBERNOTFOUND;
    const UINT nArguments = pDispParams ? pDispParams->cArgs : 0;
    if (pDispParams && pDispParams->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    if (nArguments != pMember->nArguments)
        return DISP_E_BADPARAMCOUNT;
    if (nArguments && !pDispParams->rgvarg)
        return E_INVALIDARG;

    // Arguments come last first; every one is read as a text.
    std::vector<std::string> arguments;
    for (UINT i = 0; i < nArguments; ++i) {
        VARIANT text;
        ::VariantInit(&text);
        const UINT index = nArguments - 1 - i;
        if (FAILED(::VariantChangeType(&text, &pDispParams->rgvarg[index], 0, VT_BSTR))) {
            if (puArgErr)
                *puArgErr = index;
            return DISP_E_TYPEMISMATCH;
        }
        arguments.push_back(Narrow(text.bstrVal));
        ::VariantClear(&text);
    }
    if (pVarResult)
        ::VariantInit(pVarResult);

    switch (pMember->id) {
    case APP_DISPID_VERSIONTEXT:
        return VersionText(pVarResult);
    case APP_DISPID_ADDTOOLBAR:
        return AddToolbar(arguments[0], arguments[1], pVarResult, puArgErr);
    default:
        return RemoveToolbar(arguments[0], pVarResult);
    }
}

HRESULT ApplicationDispatch::VersionText(VARIANT* pResult)
{
    IJAppVersion* pVersion = nullptr;
    HRESULT hr = m_pHost->QueryInterface(IID_IJAppVersion, reinterpret_cast<void**>(&pVersion));
    if (FAILED(hr) || !pVersion)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    char buffer[256] = "";
    hr = pVersion->GetVersionText(buffer, sizeof buffer);
    pVersion->Release();
    if (FAILED(hr))
        return hr;
    buffer[sizeof buffer - 1] = '\0';
    if (pResult) {
        const int length = ::MultiByteToWideChar(CP_ACP, 0, buffer, -1, nullptr, 0);
        std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, buffer, -1, wide.data(), length);
        pResult->vt = VT_BSTR;
        pResult->bstrVal = ::SysAllocString(wide.c_str());
        if (!pResult->bstrVal) {
            pResult->vt = VT_EMPTY;
            return E_OUTOFMEMORY;
        }
    }
    return S_OK;
}

HRESULT ApplicationDispatch::AddToolbar(const std::string& name, const std::string& commands, VARIANT* pResult,
                                        UINT* puArgErr)
{
    std::vector<UINT> ids;
    if (!ParseCommandIDs(commands, ids)) {
        if (puArgErr)
            *puArgErr = 0;   // the last argument, the commands
        return DISP_E_TYPEMISMATCH;
    }
    IJAppToolbars* pToolbars = nullptr;
    HRESULT hr = m_pHost->QueryInterface(IID_IJAppToolbars, reinterpret_cast<void**>(&pToolbars));
    if (FAILED(hr) || !pToolbars)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    UINT nBarID = 0;
    hr = pToolbars->AddToolbar(name.c_str(), ids.data(), static_cast<int>(ids.size()), &nBarID);
    pToolbars->Release();
    if (SUCCEEDED(hr) && pResult) {
        pResult->vt = VT_I4;
        pResult->lVal = static_cast<LONG>(nBarID);
    }
    return hr;
}

HRESULT ApplicationDispatch::RemoveToolbar(const std::string& name, VARIANT* pResult)
{
    IJAppToolbars* pToolbars = nullptr;
    HRESULT hr = m_pHost->QueryInterface(IID_IJAppToolbars, reinterpret_cast<void**>(&pToolbars));
    if (FAILED(hr) || !pToolbars)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    hr = pToolbars->RemoveToolbar(name.c_str());
    pToolbars->Release();
    if (SUCCEEDED(hr) && pResult) {
        pResult->vt = VT_BOOL;
        pResult->boolVal = hr == S_OK ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return hr;
}
