// Where the last help context came from, for the host's context help.
#pragma once
#include "controlapi.h"

// The source of a help context ID.
enum : long {
    JHELP_FROM_APPLICATION = 0,   // no control of the library claimed the hit
    JHELP_FROM_TOOLBAR = 1,       // the ID is a toolbar button's command
    JHELP_FROM_DIALOGBAR = 2,     // the ID is a dialog bar's, with the bar's help file
};

// All objects share one process-wide help file and source; every operation returns 0.
class CONTROL_CLASS TsPrefsContextHelp {
public:
    TsPrefsContextHelp();
    virtual ~TsPrefsContextHelp();
    TsPrefsContextHelp(const TsPrefsContextHelp& other);
    TsPrefsContextHelp& operator=(const TsPrefsContextHelp& other);

    long ClearMemory();
    long SavePreferences();
    // *file: the help file (NULL when none), owned by the shared state.
    long GetHelpFile(char** file);
    // Stores a copy of file (NULL: none).
    long SetHelpFile(const char* file);
    long GetSourceOfHelpContextId(long* source);
    // A source outside 0..2 is stored as 0.
    long SetSourceOfHelpContextId(long source);

private:
    char m_szName[80];
};
