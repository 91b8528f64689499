// Run-time classes of the library's bars.
#include "jbars.h"

#include "jenvmanager.h"

IMPLEMENT_DYNAMIC(JToolBar, CToolBar)
IMPLEMENT_DYNCREATE(AutoDialogBar, CBaseDialogBar)
// The ribbon bar's run-time base is CDialogBar on purpose (see jbars.h).
IMPLEMENT_DYNAMIC(JDialogBar, CDialogBar)
