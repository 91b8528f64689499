// CMenuPage: the place of the menu page in the customize dialog.
#include "jmenupage.h"

#include "cntlrc.h"
#include "jenvmanager.h"

IMPLEMENT_DYNAMIC(CMenuPage, CTsPropertyPage)

CMenuPage::CMenuPage() : CTsPropertyPage(IDD_MENU_PAGE)
{
}

void CMenuPage::SetMenuData(CCategoryPtrList* pCategories, HMENU hMainMenu, std::vector<ACCEL>* pAccelerators)
{
    m_pCategories = pCategories;
    m_hMainMenu = hMainMenu;
    m_pAccelerators = pAccelerators;
}

BOOL CMenuPage::OnSetActive()
{
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->EnableCustomizationMode(1);
    return CTsPropertyPage::OnSetActive();
}

void CMenuPage::OnOK()
{
}
