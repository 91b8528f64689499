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

JToolBar::JToolBar() : m_strEnvironment(CurrentEnvironmentName())
{
}

JToolBar::~JToolBar()
{
    // Every environment forgets the bar, not only the current one: a bar
    // destroyed while another environment is current must not stay listed.
    JEnvironmentManager::ForgetBar(this);
}

int JToolBar::FindCommandIndex(UINT nCommandID)
{
    return m_hWnd ? CommandToIndex(nCommandID) : -1;
}

BOOL JToolBar::DeleteItem(int index)
{
    if (!m_hWnd || index < 0 || index >= GetToolBarCtrl().GetButtonCount())
        return FALSE;
    return GetToolBarCtrl().DeleteButton(index);
}

CBaseDialogBar::CBaseDialogBar() : m_strEnvironment(CurrentEnvironmentName())
{
}

CBaseDialogBar::~CBaseDialogBar()
{
    // Every environment forgets the bar, not only the current one: a bar
    // destroyed while another environment is current must not stay listed.
    JEnvironmentManager::ForgetBar(this);
}
