// Run-time classes of the library's bars.
#include "jbars.h"

#include "jenvmanager.h"

IMPLEMENT_DYNAMIC(JToolBar, CToolBar)
IMPLEMENT_DYNCREATE(CBaseDialogBar, CDialogBar)
IMPLEMENT_DYNCREATE(AutoDialogBar, CBaseDialogBar)
// The ribbon bar's run-time base is CDialogBar on purpose (see jbars.h).
IMPLEMENT_DYNAMIC(JDialogBar, CDialogBar)

namespace {

GUserText CurrentEnvironmentName()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo ? pInfo->GetCustomEnvironment() : GUserText();
}

}   // namespace

CBaseDialogBar::CBaseDialogBar() : m_strEnvironment(CurrentEnvironmentName())
{
}

CBaseDialogBar::~CBaseDialogBar()
{
    // Every environment forgets the bar, not only the current one: a bar
    // destroyed while another environment is current must not stay listed.
    JEnvironmentManager::ForgetBar(this);
}
