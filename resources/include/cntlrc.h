// Resource numbers of the library's resource module "cntlrc.drx".
#pragma once

#define IDS_REGKEY_CREATE_FAILED 204   // shown when a registry key cannot be created
#define IDS_LAYOUT_KEPT 2401           // the status line: an unreadable layout was kept (%s: the file)
#define IDS_TOOLBAR_MANAGER_ITEM 185   // the bars' context menu: opens the toolbar manager
#define IDS_CUSTOMIZE_ITEM 186         // the bars' context menu: opens the customize dialog
#define IDS_MORE_TOOLBARS 210          // the bars' context menu: more bars than it lists

// A string with printf arguments, for tests of formatting from resources.
#define IDS_FRAMEWORK_FORMAT_PROBE 2300
// A small dialog that exercises the framework's dialog support (data exchange, modal and modeless use).
#define IDD_FRAMEWORK_PROBE 2100
#define IDC_PROBE_NAME 1001      // edit: a name
#define IDC_PROBE_ENABLED 1002   // check box
#define IDC_PROBE_ITEMS 1003     // list box
#define IDC_PROBE_COUNT 1004     // edit: a whole number
// A small menu the framework's tests load from this module.
#define IDR_FRAMEWORK_PROBE 2200
#define ID_PROBE_OPEN 2201
#define ID_PROBE_GRID 2202
#define ID_PROBE_SNAP 2203
#define ID_PROBE_EXIT 2204
// A dialog bar panel for the framework's tests: a label, an edit and a button.
#define IDD_FRAMEWORK_DIALOGBAR 2400
#define IDC_DIALOGBAR_EDIT 2402
#define IDC_DIALOGBAR_APPLY 2403
// The ribbon bar's own template: no controls of its own, the sections come later.
#define IDD_RIBBONBAR 130
// Unit edit controls: their font (face, size in points), the invalid-entry text
// and the compass letters of quadrant bearings (only the first byte counts).
#define IDS_UNITEDIT_FONT_FACE 179
#define IDS_UNITEDIT_FONT_SIZE 213
#define IDS_UNITEDIT_INVALID_ENTRY 224
#define IDS_COMPASS_NORTH 226
#define IDS_COMPASS_EAST 227
#define IDS_COMPASS_WEST 228
#define IDS_COMPASS_SOUTH 229
// A dialog holding one control of each unit edit window class.
#define IDD_UNITEDIT_CLASSES 2500
#define IDC_UNITEDIT_UNIT 2501
#define IDC_UNITEDIT_DISTANCE 2502
#define IDC_UNITEDIT_ANGLE 2503
#define IDC_UNITEDIT_DIRECTION 2504
#define IDC_UNITEDIT_SCALAR 2505
#define IDS_WEIGHT_PRESET_FIRST 169   // nine preset line weights, 169 to 177
#define IDD_UNITCOMBO_CLASSES 2600
#define IDC_UNITCOMBO_UNIT 2601
#define IDC_UNITCOMBO_DISTANCE 2602
#define IDC_UNITCOMBO_ANGLE 2603
#define IDC_UNITCOMBO_DIRECTION 2604
#define IDC_UNITCOMBO_SCALAR 2605
#define IDC_UNITCOMBO_WEIGHT 2606
// The undo list: its font face (its size is IDS_UNITEDIT_FONT_SIZE) and the status line
// texts, which take the number of chosen actions as their one argument.
#define IDS_UNDOLIST_NONE 158
#define IDS_UNDOLIST_FONT_FACE 182
#define IDS_UNDOLIST_UNDO_ONE 187
#define IDS_UNDOLIST_UNDO_MANY 188
#define IDS_UNDOLIST_REDO_ONE 190
#define IDS_UNDOLIST_REDO_MANY 191
// The sheet tab bar: the tabs' font (face, size in points), the name dialog (its
// title and edit) and the texts of a refused name ("%s" is the name).
#define IDS_TABBAR_FONT_FACE 3101
#define IDS_TABBAR_FONT_SIZE 3102
#define IDS_TABNAME_TITLE 3103
#define IDS_TABNAME_EMPTY 3104
#define IDS_TABNAME_DUPLICATE 3105
#define IDD_TABNAME 103
#define IDC_TABNAME_EDIT 105
#define IDS_DROPDOWN_MORE 2700      // the text entry under the dropdowns' pictures
#define IDS_COLOR_NAME_FIRST 2800   // the 18 standard colours' names, 2800 to 2817, in palette order
#define IDS_COLOR_NOFILL 2820       // the colour picker's no-fill button
#define IDS_COLOR_MORE 2821         // the colour picker's more-colours button
#define IDS_COLOR_NONE 2822         // the preview row with no colour under the cursor
#define IDS_COLOR_CUSTOM 2823       // a new custom colour's proposed name, with its number
#define IDS_COLOR_EMPTY 2824        // an empty custom well
#define IDS_COLOR_SPECIAL 2825      // the hatched special colour
#define IDD_COLORNAME 2830          // the name of a new custom colour
#define IDC_COLORNAME_EDIT 1015
// The customize dialog: the font of the buttons it adds (height in logical units, face), its
// caption and the buttons' captions; the page in the menu page's place.
#define IDS_CUSTOMIZE_FONT_HEIGHT 1
#define IDS_CUSTOMIZE_FONT_FACE 2
#define IDS_CUSTOMIZE_CAPTION 183
#define IDS_CUSTOMIZE_HELP 184
#define IDS_CUSTOMIZE_CLOSE 225
#define IDD_MENU_PAGE 135
#define IDC_MENU_PAGE_NOTE 1101

// Bitmaps.
#define IDB_DEFAULT_MACRO 226

// Cursors.
#define IDC_COPY_CURSOR 149   // a toolbar button being copied

// The buttons page of the customize dialog: categories, the palette frame (the palettes go
// inside it), the macro files with their folder and filter, and two prompt lines.
#define IDD_BUTTONS_PAGE 136
#define IDC_BUTTONS_CATEGORIES 1006
#define IDC_BUTTONS_MACROS 1017
#define IDC_BUTTONS_PALETTE 1018
#define IDC_BUTTONS_PROMPT 1019
#define IDC_BUTTONS_DESCRIPTION 1020
#define IDC_BUTTONS_BROWSE 1021
#define IDC_BUTTONS_DIRECTORY 1022
#define IDS_CUSTOM_BUTTONS_CATEGORY 206   // the category of macro files and custom buttons
#define IDS_BUTTONS_PAGE_PROMPT 216
#define IDS_MACRO_FILE_FILTER 221   // a file dialog filter; its first "(...)" holds the patterns listed
// The button picture dialog: a palette of pictures, or one loaded from a .bmp file.
#define IDD_CUSTOM_BUTTONS 224
#define IDC_CUSTOM_BUTTONS_PALETTE 1018
#define IDC_CUSTOM_BUTTONS_BROWSE 1021
#define IDS_BUTTON_PICTURE_FILTER 219
#define IDS_BUTTON_PICTURE_TITLE 220
#define IDS_BUTTON_PICTURE_UNREADABLE 3401
#define IDB_BUTTON_PICTURES 3402   // twelve 16x15 pictures offered for custom buttons
