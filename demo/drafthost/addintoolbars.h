// The toolbars an add-in asks for through the application object (its default
// toolbars), made in the demo's frame.
#pragma once
#include "afxwin.h"

#include <functional>
#include <string>

class CDraftAppInfo;
class JToolBar;

// From now on the application object makes an add-in's toolbars in frame: a library
// toolbar captioned with the name, of the commands asked for (which are also its
// default buttons), on the next free bar ID, docked at the top; made is told of each.
// Removing one destroys the frame's library toolbar of that caption.
void ConnectAddInToolbars(CDraftAppInfo& app, CFrameWnd& frame, std::function<void(JToolBar*)> made = {});
// Before the frame goes.
void DisconnectAddInToolbars(CDraftAppInfo& app);

// The sample add-in (sampleaddin.dll beside the program), registered for the current
// user by its own DllRegisterServer; FALSE when that cannot be done.
BOOL RegisterSampleAddIn();
// The methods the library called on the loaded start-up add-in so far, each followed
// by ';' (the sample add-in's "CallLog"); empty without one.
std::string AddInCalls();
