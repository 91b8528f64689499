// appcore.dll: the library imports most entries by ordinal, so the ordinals are
// checked in both the DLL's export table and this program's import table; the
// answers are the ones the host set, and the record holds what callers said.
#include "appcore.h"
#include "peimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace {

using testing_support::BesideProgram;

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

TEST(AppCoreExports, TheImportLibraryMakesCallersImportByOrdinal)
{
    // This program links appcore's import library as the control library does.
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::vector<testing_support::PeImport> imports;
    ASSERT_TRUE(testing_support::ReadImports(self, imports));
    std::set<DWORD> byOrdinal;
    std::set<std::string> byName;
    for (const auto& item : imports) {
        if (_stricmp(item.module.c_str(), "appcore.dll") != 0)
            continue;
        if (item.byOrdinal)
            byOrdinal.insert(item.ordinal);
        else
            byName.insert(item.name);
    }
    for (const auto& entry : kOrdinalEntries)
        EXPECT_EQ(1u, byOrdinal.count(entry.first)) << entry.first;
    EXPECT_EQ(1u, byName.count("ULocalizedHelp"));
}

// {0A0B0C0D-1111-2222-3333-444455556666}
const IID IID_ITestOther = {0x0a0b0c0d, 0x1111, 0x2222, {0x33, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};

// COM objects are released, never deleted through IUnknown, which has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// A COM object that counts its references and answers IUnknown only, or
// pretends success without an interface when told to misbehave.
class CountedObject : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        ++queries;
        if (returnNullOnSuccess) {
            *ppv = nullptr;
            return S_OK;
        }
        if (riid == IID_IUnknown) {
            *ppv = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = reinterpret_cast<void*>(0x1);   // junk a careless object leaves behind
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ULONG references = 1;
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

TEST_F(AppCoreApplication, WithoutAnObjectQueriesFail)
{
    AppCoreSetApplicationObject(nullptr);
    EXPECT_FALSE(AppHasApplication());
    void* pv = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(E_FAIL, AppGetApplicationObject(IID_IUnknown, &pv));
    EXPECT_EQ(nullptr, pv);
    EXPECT_EQ(E_POINTER, AppGetApplicationObject(IID_IUnknown, nullptr));
}

TEST_F(AppCoreApplication, TheRegisteredObjectIsQueriedAndHeldWhileRegistered)
{
    AppCoreSetApplicationObject(&object);
    EXPECT_TRUE(AppHasApplication());
    EXPECT_EQ(2u, object.references);

    void* pv = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IUnknown, &pv));
    EXPECT_EQ(static_cast<IUnknown*>(&object), pv);
    EXPECT_EQ(3u, object.references);   // the caller's reference
    static_cast<IUnknown*>(pv)->Release();

    pv = reinterpret_cast<void*>(0x2);
    EXPECT_EQ(E_NOINTERFACE, AppGetApplicationObject(IID_ITestOther, &pv));
    EXPECT_EQ(nullptr, pv);
    EXPECT_EQ(2u, object.references);

    // Registering it again does not leak a reference; removing it gives its reference back.
    AppCoreSetApplicationObject(&object);
    EXPECT_EQ(2u, object.references);
    AppCoreSetApplicationObject(nullptr);
    EXPECT_EQ(1u, object.references);
    EXPECT_FALSE(AppHasApplication());
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
