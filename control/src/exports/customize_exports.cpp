// Flat exports that open the customization dialogs.
#include "controlexports.h"

#include "libstate.h"

CONTROL_API UINT DisplayToolbarManager()
{
    // Refused while the customize dialog is open: it already edits the toolbars.
    if (ControlState().bCustomizeDialogOpen)
        return 0;
    // The toolbar manager is not part of the library yet: nothing is shown.
    return 0;
}

CONTROL_API int DisplayCustomizeDialog()
{
    if (ControlState().bCustomizeDialogOpen)
        return 0;
    return 0;
}
