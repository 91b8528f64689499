// appcore.dll: the library imports most entries by ordinal, so the ordinals are
// checked in the DLL's export table; the answers are the ones the host set.
#include "appcore.h"
#include "comfake.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Entry addresses as plain pointers, to compare with what GetProcAddress finds.
template <typename Function>
const void* Address(Function function)
{
    return reinterpret_cast<const void*>(function);
}

// clang-format off
const std::map<DWORD, const void*> kOrdinalEntries = {
    {16, Address(&AppGetEngineClsid)}, {47, Address(&AppGetApplicationObject)}, {2019, Address(&AppHasApplication)},
    {2020, Address(&AppSetModuleState)}, {2025, Address(&AppLoadBitmap)}, {2046, Address(&AppIsHostMode)},
    {2047, Address(&AppGetHelpFlag)}, {2049, Address(&AppGetSpecialBarName)},
    {2050, Address(&AppInPlaceFrameRegistered)}, {2054, Address(&AppSetInPlaceFrames)},
};
// clang-format on

TEST(AppCoreExports, EachOrdinalLeadsToItsEntry)
{
    const HMODULE hAppCore = ::GetModuleHandleA("appcore.dll");
    ASSERT_NE(nullptr, hAppCore);
    for (const auto& [ordinal, entry] : kOrdinalEntries)
        EXPECT_EQ(entry, Address(::GetProcAddress(hAppCore, MAKEINTRESOURCEA(ordinal)))) << ordinal;
    EXPECT_EQ(nullptr, ::GetProcAddress(hAppCore, "AppGetApplicationObject"));
    EXPECT_EQ(Address(&ULocalizedHelp), Address(::GetProcAddress(hAppCore, "ULocalizedHelp")));
}

// {0A0B0C0D-1111-2222-3333-444455556666}
const IID IID_ITestOther = {0x0a0b0c0d, 0x1111, 0x2222, {0x33, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};

// COM objects are released, never deleted through IUnknown, which has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// A COM object that answers IUnknown only, or pretends success without an
// interface when told to misbehave.
class CountedObject : public testing_support::FakeComObject<IUnknown, IID_IUnknown> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        ++queries;
        if (returnNullOnSuccess) {
            *ppv = nullptr;
            return S_OK;
        }
        const HRESULT hr = FakeComObject::QueryInterface(riid, ppv);
        if (FAILED(hr))
            *ppv = reinterpret_cast<void*>(0x1);   // junk a careless object leaves behind
        return hr;
    }

    int queries = 0;
    bool returnNullOnSuccess = false;
};
#pragma GCC diagnostic pop

class AppCoreApplication : public ::testing::Test {
protected:
    // Removed before the object goes: appcore releases it then.
    void TearDown() override { AppCoreSetApplicationObject(nullptr); }

    CountedObject object;
};

TEST_F(AppCoreApplication, TheRegisteredObjectIsQueriedAndHeldOnlyWhileRegistered)
{
    AppCoreSetApplicationObject(&object);
    EXPECT_TRUE(AppHasApplication());
    EXPECT_EQ(2, object.refs);

    void* pv = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IUnknown, &pv));
    EXPECT_EQ(static_cast<IUnknown*>(&object), pv);
    EXPECT_EQ(3, object.refs);   // the caller's reference
    static_cast<IUnknown*>(pv)->Release();

    pv = reinterpret_cast<void*>(0x2);
    EXPECT_EQ(E_NOINTERFACE, AppGetApplicationObject(IID_ITestOther, &pv));
    EXPECT_EQ(nullptr, pv);
    EXPECT_EQ(2, object.refs);

    // Registering it again does not leak a reference; removing it gives its reference back.
    AppCoreSetApplicationObject(&object);
    EXPECT_EQ(2, object.refs);
    AppCoreSetApplicationObject(nullptr);
    EXPECT_EQ(1, object.refs);
    EXPECT_FALSE(AppHasApplication());
    pv = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(E_FAIL, AppGetApplicationObject(IID_IUnknown, &pv));
    EXPECT_EQ(nullptr, pv);
    EXPECT_EQ(E_POINTER, AppGetApplicationObject(IID_IUnknown, nullptr));
}

TEST_F(AppCoreApplication, ASuccessWithoutAnInterfaceIsNoInterface)
{
    object.returnNullOnSuccess = true;
    AppCoreSetApplicationObject(&object);
    void* pv = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(E_NOINTERFACE, AppGetApplicationObject(IID_IUnknown, &pv));
    EXPECT_EQ(nullptr, pv);
    EXPECT_EQ(1, object.queries);
}

// The automation object over a host that makes toolbars (recorded) and knows its version.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ToolbarHost : public testing_support::FakeComObject<IJAppToolbars, IID_IJAppToolbars> {
public:
    std::vector<std::vector<UINT>> made;
    HRESULT STDMETHODCALLTYPE AddToolbar(const char*, const UINT* ids, int count, UINT* pnBarID) override
    {
        made.emplace_back(ids, ids + count);
        *pnBarID = 0xE840;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RemoveToolbar(const char* name) override { return *name ? S_OK : S_FALSE; }
};
#pragma GCC diagnostic pop

HRESULT Call(IDispatch* p, const wchar_t* name, std::vector<const wchar_t*> texts, VARIANT* pResult)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = p->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    if (FAILED(hr))
        return hr;
    std::vector<VARIANT> arguments(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {   // last first
        arguments[i].vt = VT_BSTR;
        arguments[i].bstrVal = ::SysAllocString(texts[texts.size() - 1 - i]);
    }
    DISPPARAMS params = {arguments.data(), nullptr, (UINT)arguments.size(), 0};
    ::VariantInit(pResult);
    hr = p->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, pResult, nullptr, nullptr);
    for (VARIANT& argument : arguments)
        ::VariantClear(&argument);
    return hr;
}

TEST_F(AppCoreApplication, TheAutomationObjectMakesToolbarsOfValidCommandListsOnly)
{
    ToolbarHost host;
    AppCoreSetApplicationObject(&host);
    IDispatch* p = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IDispatch, reinterpret_cast<void**>(&p)));
    const std::wstring tooMany = [] {
        std::wstring text = L"1";
        for (int i = 1; i <= APP_MAX_TOOLBAR_COMMANDS; ++i)
            text += L",1";
        return text;
    }();
    const struct {
        const wchar_t* commands;
        HRESULT result;
        std::vector<UINT> made;
    } cases[] = {
        {L"33001, 0,33002", S_OK, {33001, 0, 33002}},
        {L"4294967295", S_OK, {0xFFFFFFFF}},
        {L"4294967296", DISP_E_TYPEMISMATCH, {}},
        {L"1,,2", DISP_E_TYPEMISMATCH, {}},
        {L"1,2,", DISP_E_TYPEMISMATCH, {}},
        {L"", DISP_E_TYPEMISMATCH, {}},
        {L"1;2", DISP_E_TYPEMISMATCH, {}},
        {tooMany.c_str(), DISP_E_TYPEMISMATCH, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << &c - cases);
        host.made.clear();
        VARIANT result;
        EXPECT_EQ(c.result, Call(p, L"addtoolbar", {L"Draw", c.commands}, &result));
        EXPECT_EQ(c.made.empty() ? std::vector<std::vector<UINT>>{} : std::vector<std::vector<UINT>>{c.made},
                  host.made);
        EXPECT_EQ(SUCCEEDED(c.result) ? VT_I4 : VT_EMPTY, result.vt);
    }
    VARIANT result;
    EXPECT_EQ(S_OK, Call(p, L"RemoveToolbar", {L"Draw"}, &result));
    EXPECT_EQ(VARIANT_TRUE, result.boolVal);
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, Call(p, L"RemoveToolbar", {}, &result));
    DISPPARAMS noArray = {nullptr, nullptr, 1, 0};   // a count without its arguments
    EXPECT_EQ(E_INVALIDARG,
              p->Invoke(APP_DISPID_REMOVETOOLBAR, IID_NULL, 0, DISPATCH_METHOD, &noArray, &result, nullptr, nullptr));
    EXPECT_EQ(DISP_E_UNKNOWNNAME, Call(p, L"Quit", {}, &result));
    // This host has no version text.
    EXPECT_EQ(E_NOINTERFACE, Call(p, L"VersionText", {}, &result));
    p->Release();
    EXPECT_EQ(2, host.refs);   // the registration's only
}

TEST(AppCoreAnswers, TheSpecialBarNameIsCut)
{
    const std::string longName(500, 'b');
    AppCoreSetSpecialBarName(longName.c_str());
    EXPECT_EQ(std::string(127, 'b'), AppGetSpecialBarName());
    AppCoreSetSpecialBarName(nullptr);
    EXPECT_STREQ("", AppGetSpecialBarName());
}

TEST(AppCoreBitmaps, ResourceBitmapsLoadAsSections)
{
    const HINSTANCE hSelf = ::GetModuleHandleA(nullptr);
    const HBITMAP hBitmap = AppLoadBitmap(hSelf, 101);
    ASSERT_NE(nullptr, hBitmap);
    DIBSECTION section{};
    EXPECT_EQ(static_cast<int>(sizeof section), ::GetObjectA(hBitmap, sizeof section, &section));
    EXPECT_EQ(16, section.dsBm.bmWidth);
    EXPECT_EQ(15, section.dsBm.bmHeight);
    ::DeleteObject(hBitmap);

    EXPECT_EQ(nullptr, AppLoadBitmap(hSelf, 999));
    EXPECT_EQ(nullptr, AppLoadBitmap(nullptr, 32754));   // OBM_CLOSE stays the system's
}

}   // namespace
