// CJSheetTab: the tab of a drawing sheet.
#include "jtabbar.h"

IMPLEMENT_DYNAMIC(CJSheetTab, CJTab)
