// Commands and strings of the control bar tests (controlbar_test.rc).
#pragma once

#define IDS_TEST_IDLEMESSAGE 0xE001   // the framework's idle prompt
#define ID_BAR_LINE 32811             // handled by the frame
#define ID_BAR_ARC 32812              // disabled by its update handler
#define ID_BAR_TEXT 32813             // no handler at all
#define ID_BAR_SNAP 32814             // checked by its update handler
#define ID_BAR_ZOOM 32815
#define ID_BAR_PAN 32816
#define ID_INDICATOR_MODE 32821   // status indicators
#define ID_INDICATOR_GRID 32822
