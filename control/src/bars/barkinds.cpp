// Run-time classes of the library's bars.
#include "jbars.h"

#include "jenvmanager.h"

IMPLEMENT_DYNAMIC(JToolBar, CToolBar)
