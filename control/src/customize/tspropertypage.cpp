// CTsPropertyPage: property pages whose templates live in the library's resource module.
#include "jtspropertypage.h"

#include "module.h"

IMPLEMENT_DYNAMIC(CTsPropertyPage, CPropertyPage)

CTsPropertyPage::CTsPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate)
{
    // Without the resource module the page falls back to the current module, then the host's.
    m_hTemplateModule = ControlResources();
    if (nIDCaption && m_hTemplateModule)
        m_strCaption.LoadString(m_hTemplateModule, nIDCaption);
}

BOOL CTsPropertyPage::OnSetActive()
{
    CResourceSwitch resources(ControlResources() ? ControlResources() : AfxGetResourceHandle());
    return CPropertyPage::OnSetActive();
}
