// The demo's toolbar layout in the registry, kept as a host keeps it: under the
// environment's "Toolbars" key, "ToolbarCount" and one key "Toolbar%d" per
// toolbar, whose values the toolbar writes and reads itself.
#pragma once
#include "afxwin.h"

#include <vector>

class JControlOnlyInfo;
class JToolBar;

// The HKEY_CURRENT_USER path of the environment's toolbar layout; empty without a control state.
CString ToolbarLayoutPath(JControlOnlyInfo* pInfo);

// Stores the position of every toolbar of the frame and writes its key; stale keys of an
// earlier, longer layout go. The number of toolbars written, or -1 when the key cannot be made.
int SaveToolbarLayout(CFrameWnd& frame, const CString& path);

// Creates the saved toolbars in the frame and docks or floats each where it was. A key
// that cannot be read is left out. The toolbars made, in the order of their keys.
std::vector<JToolBar*> RestoreToolbarLayout(CFrameWnd& frame, const CString& path);
