// The document's default units as the host answers for them. Hosts that do
// not implement these interfaces leave the unit services' defaults in force.
#pragma once
#include "unitsvc.h"

#include <objbase.h>

// {2D38416E-2A99-11D0-9DD8-080036D82702}: the host's application object.
inline constexpr IID IID_IJAppDocuments = {
    0x2d38416e, 0x2a99, 0x11d0, {0x9d, 0xd8, 0x08, 0x00, 0x36, 0xd8, 0x27, 0x02}};
// {F4A00740-4C95-11D0-AE95-080036C44A02}: the document's unit settings.
inline constexpr IID IID_IJUnitSettings = {
    0xf4a00740, 0x4c95, 0x11d0, {0xae, 0x95, 0x08, 0x00, 0x36, 0xc4, 0x4a, 0x02}};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

struct IJAppDocuments : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetApplicationInfo(IUnknown** ppInfo) = 0;
    // The object that answers for the active document's settings.
    virtual HRESULT STDMETHODCALLTYPE GetActiveDocument(IUnknown** ppDocument) = 0;
};

// Only the first and the thirteenth operations are used here; the others belong to the host.
struct IJUnitSettings : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetDefaultUnits(UINT unitType, UINT* primary, UINT* secondary,
                                                      UINT* tertiary) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved1() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved2() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultUnitFormat(UINT unitType, tagUomFormat* format) = 0;
};

#pragma GCC diagnostic pop

// The host's unit settings, AddRef'd; NULL when any step fails.
IJUnitSettings* HostUnitSettings();
