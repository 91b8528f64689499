// The host's objects that the control library calls back: the application
// information object (handed in with SetWinApp) and the dynamic command
// provider (SetDynamicCommand). The host implements both; the operations stand
// in the order of their virtual tables, which the library relies on.
#pragma once
#include "appcore.h"
#include "baseutil.h"

#include <objbase.h>

// {6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A01}
inline constexpr IID IID_IJAppInfo = {0x6b1c3c2e, 0x5a0f, 0x4c1b, {0x9e, 0x41, 0x3d, 0x2a, 0x7f, 0x0c, 0x1a, 0x01}};
// The application object's version text (IJAppVersion, stored as "VersionStamp") and
// the toolbars it makes for add-ins (IJAppToolbars) are the engine's: appcore.h.

// {6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A03}: asked of the application object when menus take part in a switch.
inline constexpr IID IID_IJAppMenus = {0x6b1c3c2e, 0x5a0f, 0x4c1b, {0x9e, 0x41, 0x3d, 0x2a, 0x7f, 0x0c, 0x1a, 0x03}};

// COM-style interfaces are released, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Application information. Texts are NUL-terminated and owned by the object;
// NULL is read as an empty text.
struct JAppInfo : public IUnknown {
    // A value the menu and custom-button pages hand to the macro host; 0 when none.
    virtual long STDMETHODCALLTYPE GetMacroDirectoryValue() = 0;
    // Caption of the library's message boxes.
    virtual const char* STDMETHODCALLTYPE GetMessageCaption() = 0;
    // Name of the environment used when none is set.
    virtual const char* STDMETHODCALLTYPE GetDefaultEnvironmentName() = 0;
    // Key (under HKEY_CURRENT_USER) under which "Environments" lies.
    virtual const char* STDMETHODCALLTYPE GetRegistryBasePath() = 0;
    // Full registry root used when there is no environment.
    virtual const char* STDMETHODCALLTYPE GetRegistryName() = 0;
    // Non-zero once the host's windows may be shown.
    virtual BOOL STDMETHODCALLTYPE IsReady() = 0;
    virtual const char* STDMETHODCALLTYPE GetApplicationPath() = 0;
    // Class id (or program id) of the start-up DLL used when none is stored.
    virtual const char* STDMETHODCALLTYPE GetDefaultStartUpDll() = 0;
    // Notifications of an environment switch.
    virtual void STDMETHODCALLTYPE OnApplicationPathChanged(const GUserText& path) = 0;
    virtual void STDMETHODCALLTYPE OnStartUpDllChanged(const GUserText& clsid) = 0;
    virtual void STDMETHODCALLTYPE OnEnvironmentNameChanged(const GUserText& name) = 0;
    virtual void STDMETHODCALLTYPE OnFirstSwitch() = 0;
    virtual void STDMETHODCALLTYPE OnSecondSwitch() = 0;
};

#pragma GCC diagnostic pop

// Macro commands (IDs 42001-49999) made at run time.
enum : UINT { JMACRO_FIRST_ID = 42001, JMACRO_LAST_ID = 49999 };

// One macro command as the dynamic command provider keeps it.
struct JMacroCommandEntry {
    UINT nCommandID;
    char szMacro[2048];   // the macro's file or program ID
    char szName[64];
};

// The dynamic command provider.
class IJDynamicCommand {
public:
    // The entry at index (from FindCommand), or NULL.
    virtual const JMacroCommandEntry* GetEntry(int index) = 0;
    // The entry index of a command, or a negative value when the command is unknown.
    virtual int FindCommand(UINT nCommandID) = 0;
    // Registers a macro command and fills *pnCommandID; 0 on success. commandString is
    // the prompt, a newline and the tip.
    virtual int AddMacroCommand(UINT* pnCommandID, const char* macro, const char* commandString, int value,
                                const char* name) = 0;
    // Fill buffer (NUL-terminated, at most size bytes) and return the text's length; 0 when unknown.
    virtual int GetMacroText(UINT nCommandID, char* buffer, int size) = 0;
    virtual int GetStatusPrompt(UINT nCommandID, char* buffer, int size) = 0;
    virtual int GetToolTip(UINT nCommandID, char* buffer, int size) = 0;

protected:
    ~IJDynamicCommand() = default;   // the host owns the object
};
