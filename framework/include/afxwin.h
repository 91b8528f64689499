// The framework layer: an MFC-compatible subset over Win32.
#pragma once
#include "afxdef.h"
#include "afxobject.h"
#include "afxstr.h"
#include "afxtypes.h"
#include "afxcoll.h"
#include "afxmsg.h"
#include "afxwnd.h"
#include "afxgdi.h"
#include "afxmenu.h"
#include "afxexcept.h"
#include "afxframe.h"
#include "afxapp.h"
