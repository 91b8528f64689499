// The library's own module and the resource module it attached at load time.
#pragma once
#include "afxwin.h"

HINSTANCE ControlModule();
// "cntlrc.drx": texts and dialog templates; NULL when it could not be found.
HINSTANCE ControlResources();
