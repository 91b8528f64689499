// Resource IDs of the layer list.
#pragma once
#define IDD_LAYER_PANEL 203
#define IDC_LAYER_LIST 1301
#define IDC_LAYER_NEW 1302
