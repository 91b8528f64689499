// Flat exports that open the customization dialogs.
#include "controlexports.h"

#include "callframe.h"
#include "jcustomize.h"
#include "jenvmanager.h"
#include "libstate.h"
#include "module.h"

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
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    CFrameWnd* pFrame = ControlFrameOfCall();
    if (!pInfo || !pFrame || !pFrame->m_hWnd)
        return 0;
    // The dialog's texts and templates are the resource module's.
    CResourceSwitch resources(ControlResources() ? ControlResources() : AfxGetResourceHandle());
    auto* pDialog = new JCustomizeDlg(nullptr);   // deletes itself with its window
    pDialog->Initialize(::GetMenu(pFrame->m_hWnd), pFrame->GetDefaultAccelerator(), &pInfo->m_categories);
    if (!pDialog->Create(pFrame)) {
        if (pDialog->m_hWnd)
            pDialog->DestroyWindow();
        else
            delete pDialog;
        return 0;
    }
    pInfo->EnableCustomizationMode(1);
    return 1;
}
