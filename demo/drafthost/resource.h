// Resource IDs of the demo host.
#pragma once

// The unit panel: a dialog bar whose fields are the control library's registered window classes.
#define IDD_UNIT_PANEL 200
#define IDC_UNIT_FEET 1001     // a distance in feet and inches (architectural)
#define IDC_UNIT_METRIC 1002   // a distance in millimetres
#define IDC_UNIT_ANGLE 1003
#define IDC_UNIT_DIRECTION 1004   // a direction shown as a bearing
#define IDC_UNIT_WEIGHT 1005      // a line weight, from the weight presets
