// Resource IDs of the layer list.
#pragma once
#define IDD_LAYER_PANEL 202
#define IDC_LAYER_LIST 1201
#define IDC_LAYER_NEW 1202
