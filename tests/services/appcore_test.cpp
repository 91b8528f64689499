// appcore.dll: the library imports most entries by ordinal, so the ordinals are
// checked in the DLL's export table; the answers are the ones the host set.
#include "appcore.h"
#include "comfake.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

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
