// The document's units and format come from the host when it answers for them.
#include "appcore.h"
#include "hostunits.h"
#include "junitedit.h"
#include "comfake.h"

#include <gtest/gtest.h>

namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// A document that answers for inches shown with five decimals; counts its references.
class FakeDocument : public testing_support::FakeComObject<IJUnitSettings, IID_IJUnitSettings> {
public:
    HRESULT STDMETHODCALLTYPE GetDefaultUnits(UINT unitType, UINT* primary, UINT* secondary, UINT* tertiary) override
    {
        if (unitType != UNIT_TYPE_DISTANCE)
            return E_INVALIDARG;
        *primary = UNIT_INCH;
        *secondary = UNIT_NONE;
        *tertiary = UNIT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reserved1() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved2() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultUnitFormat(UINT unitType, tagUomFormat* format) override
    {
        if (unitType != UNIT_TYPE_DISTANCE)
            return E_INVALIDARG;
        *format = tagUomFormat{};
        format->precision = 5;
        return S_OK;
    }
};

class FakeApplication : public testing_support::FakeComObject<IJAppDocuments, IID_IJAppDocuments> {
public:
    FakeDocument document;

    HRESULT STDMETHODCALLTYPE GetApplicationInfo(IUnknown** ppInfo) override
    {
        *ppInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetActiveDocument(IUnknown** ppDocument) override
    {
        document.AddRef();
        *ppDocument = static_cast<IUnknown*>(&document);
        return S_OK;
    }
};

#pragma GCC diagnostic pop

// The host's inches answer for distances, but must never become the service's default.
TEST(HostUnitSettings, TheHostsDocumentAnswersFirstLeavesTheServiceDefaultsAndEveryReferenceIsReleased)
{
    UINT servicePrimary = 0, serviceAngle = 0, primary = 0, secondary = 0, tertiary = 0;
    ::GetDefaultUnits(UNIT_TYPE_DISTANCE, &servicePrimary, nullptr, nullptr);
    ::GetDefaultUnits(UNIT_TYPE_ANGLE, &serviceAngle, nullptr, nullptr);
    ASSERT_NE(UNIT_INCH, servicePrimary);
    FakeApplication application;
    AppCoreSetApplicationObject(&application);
    EXPECT_EQ(1, JUnitEdit::GetDefaultUnits(UNIT_TYPE_DISTANCE, &primary, &secondary, &tertiary));
    EXPECT_EQ(UNIT_INCH, primary);
    tagUomFormat format{};
    EXPECT_EQ(1, JUnitEdit::GetDefaultUnitFormat(UNIT_TYPE_DISTANCE, &format));
    EXPECT_EQ(5, format.precision);
    // A type the document does not answer for falls back to the unit services.
    EXPECT_EQ(1, JUnitEdit::GetDefaultUnits(UNIT_TYPE_ANGLE, &primary, nullptr, nullptr));
    EXPECT_EQ(serviceAngle, primary);
    {
        JDistanceEdit edit;   // takes the document's units as its own
        edit.GetLocalUnits(&primary, nullptr, nullptr);
        EXPECT_EQ(UNIT_INCH, primary);
        // A parse in local units sets the service's defaults only for its time.
        ASSERT_TRUE(edit.CreateEx(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr));
        const UINT metre = UNIT_METRE;
        edit.SetLocalUnits(&metre, nullptr, nullptr);
        edit.SetUnitDisplayMode(0);
        edit.SendMessage(WM_CHAR, '3', 1);   // typed
        edit.SetWindowText("3");
        EXPECT_DOUBLE_EQ(3.0, edit.GetValue());
    }
    AppCoreSetApplicationObject(nullptr);
    EXPECT_EQ(1, application.refs);
    EXPECT_EQ(1, application.document.refs);
    ::GetDefaultUnits(UNIT_TYPE_DISTANCE, &primary, nullptr, nullptr);
    EXPECT_EQ(servicePrimary, primary) << "the host's inches became the service's default";
    // Without a host: the unit services' defaults.
    EXPECT_EQ(1, JUnitEdit::GetDefaultUnits(UNIT_TYPE_DISTANCE, &primary, nullptr, nullptr));
    EXPECT_EQ(servicePrimary, primary);
}

}   // namespace
