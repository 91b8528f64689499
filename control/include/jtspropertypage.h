// The library's property-page base: its template and tab text come from the library's
// resource module ("cntlrc.drx"), whatever module the host has made current, and that
// module is current while the page is shown.
#pragma once
#include "controlapi.h"

class CONTROL_CLASS CTsPropertyPage : public CPropertyPage {
    DECLARE_DYNAMIC(CTsPropertyPage)
public:
    explicit CTsPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    BOOL OnSetActive() override;
};
