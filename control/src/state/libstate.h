// The library's process-wide state: plain module-level data, used on the
// host's user-interface thread only.
#pragma once
#include "baseutil.h"
#include "jappinfo.h"

class JEnvironmentManager;
class JControlOnlyInfo;

// Direction display settings.
struct JBearingInfo {
    int nOn = 0;            // bearings shown (1) or azimuths (0)
    int nAzimuthMode = 1;   // 0 or 1
    int nBaseAxis = 0;      // 0 to 3
    int nSense = 0;         // 0 or 1
};

struct ControlProcessState {
    JEnvironmentManager* pManager = nullptr;
    // While set, the control state every call works on instead of the manager's current one.
    JControlOnlyInfo* pCurrentOverride = nullptr;
    // The last host objects handed in, for environments made later.
    JAppInfo* pAppInfo = nullptr;
    IJDynamicCommand* pDynamicCommand = nullptr;
    HINSTANCE hDraftResource = nullptr;
    // In-place frames while no manager exists.
    CFrameWnd* pInPlaceFrame = nullptr;
    CFrameWnd* pSecondFrame = nullptr;
    CFrameWnd* pClientInPlaceFrame = nullptr;
    HMENU hMenuInPlaceServer = nullptr;
    // The add-in object environments share while it is set (one reference held).
    IDispatch* pSharedStartUpDispatch = nullptr;
    BOOL bRegistryKeysChanged = FALSE;
    // For tests: a result code that replaces a successful one at a step (6 to 11) of
    // the host's environment switch, or S_OK.
    HRESULT (*pfnSwitchStepResult)(int step) = nullptr;
    BOOL bCustomizeDialogOpen = FALSE;
    int nCustomizeStartPage = 0;   // the page the customize dialog opens at
    JBearingInfo bearing;
};

ControlProcessState& ControlState();

// Environment names are compared as the registry compares its key names: without
// regard to case, so one stored key never stands for two environments.
inline bool SameEnvironmentName(const GUserText& stored, const char* name)
{
    return stored.CompareNoCase(name ? name : "") == 0;
}

// Shows the resource module's "registry key could not be created" message.
void ReportRegistryKeyFailure();

// The top-level frame of the thread's main window, or NULL.
CFrameWnd* MainTopLevelFrame();
// Writes the control state's unit display values under the environment's "eInformation" key.
void WriteUnitDisplayValues(JControlOnlyInfo* pInfo, const char* environment);
