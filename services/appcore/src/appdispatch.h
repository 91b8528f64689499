// The engine's automation object over the host's application object.
#pragma once
#include "appcore.h"

#include <oaidl.h>

#include <string>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ApplicationDispatch final : public IDispatch {
public:
    // Holds a reference to the host's object; a new object holds one reference, the creator's.
    explicit ApplicationDispatch(IUnknown* pHost);
    ApplicationDispatch(const ApplicationDispatch&) = delete;
    ApplicationDispatch& operator=(const ApplicationDispatch&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    ~ApplicationDispatch();

    HRESULT VersionText(VARIANT* pResult);
    HRESULT AddToolbar(const std::string& name, const std::string& commands, VARIANT* pResult, UINT* puArgErr);
    HRESULT RemoveToolbar(const std::string& name, VARIANT* pResult);

    LONG m_references = 1;
    IUnknown* m_pHost;   // the host's application object
};
#pragma GCC diagnostic pop
