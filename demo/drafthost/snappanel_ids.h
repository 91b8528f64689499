// Resource IDs of the snap panel.
#pragma once
#define IDD_SNAP_PANEL 204
#define IDC_SNAP_GRID 1401
#define IDC_SNAP_ENDPOINT 1402
#define IDC_SNAP_MIDPOINT 1403
#define IDC_SNAP_INTERSECTION 1404
#define IDC_SNAP_SPACING 1405
