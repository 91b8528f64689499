// Resource IDs of the demo host.
#pragma once

// The unit panel: the library's ribbon bar (its own template is empty) of three sections,
// distances, angles and weight, whose fields are the library's registered window classes.
#define IDD_UNIT_PANEL 200
#define IDD_UNIT_DISTANCES 210
#define IDD_UNIT_ANGLES 211
#define IDD_UNIT_WEIGHT 212
#define IDC_UNIT_FEET 1001     // a distance in feet and inches (architectural)
#define IDC_UNIT_METRIC 1002   // a distance in millimetres
#define IDC_UNIT_ANGLE 1003
#define IDC_UNIT_DIRECTION 1004   // a direction shown as a bearing
#define IDC_UNIT_WEIGHT 1005      // a line weight, from the weight presets

// The history panel: the library's date and time fields (made in code right of their
// labels) and the Undo and Redo buttons that drop its undo list.
#define IDD_HISTORY_PANEL 201
#define IDC_HISTORY_DATE_LABEL 1101
#define IDC_HISTORY_DATE 1102
#define IDC_HISTORY_TIME_LABEL 1103
#define IDC_HISTORY_TIME 1104
#define IDC_HISTORY_UNDO 1105
#define IDC_HISTORY_REDO 1106

// The attribute panel: buttons of the library's "jbutton" class with drop-down parts (a
// colour, a line style and an arrowhead), a "SPACER" and a "JColorComboBox".
#define IDD_ATTRIBUTE_PANEL 202
#define IDC_ATTR_COLOR 1201
#define IDC_ATTR_STYLE 1202
#define IDC_ATTR_ARROW 1203
#define IDC_ATTR_SPACER 1204
#define IDC_ATTR_COMBO 1205

// The commands, grouped by category; each has its "prompt\ntip" string of the same ID.
#define ID_DRAW_LINE 33001
#define ID_DRAW_CIRCLE 33002
#define ID_DRAW_ARC 33003
#define ID_DRAW_RECTANGLE 33004
#define ID_DRAW_POLYLINE 33005
#define ID_DRAW_TEXT 33006
#define ID_DRAW_ELLIPSE 33007
#define ID_DRAW_POLYGON 33008
#define ID_MODIFY_MOVE 33101
#define ID_MODIFY_COPY 33102
#define ID_MODIFY_ROTATE 33103
#define ID_MODIFY_MIRROR 33104
#define ID_MODIFY_TRIM 33105
#define ID_MODIFY_ERASE 33106
#define ID_VIEW_ZOOMIN 33201
#define ID_VIEW_ZOOMOUT 33202
#define ID_VIEW_PAN 33203
#define ID_VIEW_GRID 33204
#define ID_VIEW_SNAP 33205
#define ID_VIEW_LAYERS 33206

// The Environment menu: switches between the host's two environments.
#define ID_ENV_DRAFTING 33901
#define ID_ENV_SURVEY 33902
// The File menu: the current environment written to a file and read back from one.
#define ID_FILE_EXPORT_ENV 33911
#define ID_FILE_IMPORT_ENV 33912
