// The host side of add-in tests: the real sample add-in registered for the test's
// user, an application object that makes the toolbars add-ins ask for, and a frame
// that records the registered messages it is sent.
#pragma once
#include "control_fixture.h"
#include "fake_host.h"
#include "libstate.h"
#include "macrohost.h"
#include "sampleaddin.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <string>
#include <vector>

namespace addin_host {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The host's application object, which also makes the toolbars an add-in asks for (recorded).
class ToolbarHost : public FakeAppInfo {
public:
    bool menus = false;   // menus take part in a switch
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IJAppMenus && menus) {
            *ppv = static_cast<JAppInfo*>(this);
            AddRef();
            return S_OK;
        }
        if (riid != IID_IJAppToolbars)
            return FakeAppInfo::QueryInterface(riid, ppv);
        *ppv = &toolbars;
        AddRef();
        return S_OK;
    }
    struct Toolbars : testing_support::FakeComObject<IJAppToolbars, IID_IJAppToolbars> {
        std::vector<std::string> calls;
        HRESULT STDMETHODCALLTYPE AddToolbar(const char* name, const UINT* ids, int count, UINT* pnBarID) override
        {
            std::string call = std::string("add ") + name;
            for (int i = 0; i < count; ++i)
                call += (i ? "," : " ") + std::to_string(ids[i]);
            calls.push_back(call);
            *pnBarID = 0xE840 + (UINT)calls.size();
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE RemoveToolbar(const char* name) override
        {
            calls.push_back(std::string("remove ") + name);
            return S_OK;
        }
    } toolbars;
};

// The host's frame records the registered messages it is sent.
class RecordingFrame : public CFrameWnd {
public:
    struct Sent {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Sent&) const = default;
    };
    std::vector<Sent> sent;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= 0xC000 && message <= 0xFFFF)
            sent.push_back({message, wParam, lParam});
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}   // lives in the fixture
};
#pragma GCC diagnostic pop

inline std::string Property(IDispatch* p, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    VARIANT result;
    ::VariantInit(&result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (FAILED(p->GetIDsOfNames(IID_NULL, names, 1, 0, &id)) ||
        FAILED(p->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr)) ||
        FAILED(::VariantChangeType(&result, &result, 0, VT_BSTR)))
        return "?";
    char text[256] = "";
    ::WideCharToMultiByte(CP_ACP, 0, result.bstrVal, -1, text, sizeof text, nullptr, nullptr);
    ::VariantClear(&result);
    return text;
}

inline ULONG References(IUnknown* p)
{
    p->AddRef();
    return p->Release();
}

inline std::string ModuleBesideProgram(const char* name)
{
    return testing_support::ProgramFolder() + "\\" + name;
}

class StartUpDll : public ControlLibrary {
protected:
    void SetUp() override
    {
        ControlLibrary::SetUp();
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        m_hAddIn = ::LoadLibraryA(ModuleBesideProgram("sampleaddin.dll").c_str());
        ASSERT_NE(nullptr, m_hAddIn);
        m_setFault = reinterpret_cast<PFN_SAMPLEADDINSETFAULT>(Address("SampleAddInSetFault"));
        m_objects = reinterpret_cast<PFN_SAMPLEADDINOBJECTS>(Address("SampleAddInObjects"));
        ASSERT_EQ(S_OK, Entry("DllRegisterServer")());
        AppCoreSetApplicationObject(&m_host);
        m_pInfo = CreateManager();
        ASSERT_NE(nullptr, m_pInfo);
        SetWinApp(&m_host);
        ASSERT_TRUE(m_frame.Create(nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
        AfxGetApp()->m_pMainWnd = &m_frame;
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        m_frame.DestroyWindow();
        if (m_setFault)
            m_setFault(nullptr, S_OK, FALSE);
        AppCoreSetHostMode(FALSE);
        ControlLibrary::TearDown();
        AppCoreSetApplicationObject(nullptr);
        if (m_hAddIn) {
            EXPECT_EQ(S_OK, Entry("DllUnregisterServer")());
            ::FreeLibrary(m_hAddIn);
        }
        ::CoUninitialize();
    }

    HRESULT(WINAPI* Entry(const char* name))() { return reinterpret_cast<HRESULT(WINAPI*)()>(Address(name)); }
    void* Address(const char* name) { return reinterpret_cast<void*>(::GetProcAddress(m_hAddIn, name)); }

    void AddCategory()
    {
        const UINT ids[] = {33001, 33002};
        m_pInfo->m_categories.AddCategory("Draw", 1, 2, 3, 4, ids, nullptr, 2, (HINSTANCE)0x1000, 0);
    }

    // The library's state agrees with itself: the shared add-in is the current one's or gone.
    void ExpectConsistent(IDispatch* pExpected)
    {
        EXPECT_EQ(pExpected, JGetStartUpDllDispatch());
        EXPECT_EQ(pExpected, ControlState().pSharedStartUpDispatch);
        EXPECT_EQ(pExpected ? 1 : 0, m_objects());
    }

    ToolbarHost m_host;
    RecordingFrame m_frame;
    JControlOnlyInfo* m_pInfo = nullptr;
    HMODULE m_hAddIn = nullptr;
    PFN_SAMPLEADDINSETFAULT m_setFault = nullptr;
    PFN_SAMPLEADDINOBJECTS m_objects = nullptr;
};

}   // namespace addin_host
