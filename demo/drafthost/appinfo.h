// The demo host's application object: the application information the control
// library reads, the version text it stamps on stored settings and the toolbars
// an add-in asks for. appcore.dll hands it out (AppGetApplicationObject) for
// IID_IJAppInfo, IID_IJAppVersion and IID_IJAppToolbars, and wraps it for add-ins
// (IID_IDispatch). It also answers IID_IJAppMenus: its menus take part in a switch
// of environments.
#pragma once
#include "afxwin.h"

#include "hostinterfaces.h"

#include <functional>
#include <vector>

HOST_COM_CLASSES_BEGIN

class CDraftAppInfo final : public JAppInfo, public IJAppVersion, public IJAppToolbars {
public:
    // A new object holds one reference, the creator's.
    CDraftAppInfo();

    // IUnknown (shared by both interfaces)
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // JAppInfo
    long STDMETHODCALLTYPE GetMacroDirectoryValue() override { return 1; }
    const char* STDMETHODCALLTYPE GetMessageCaption() override { return "Draft Host"; }
    const char* STDMETHODCALLTYPE GetDefaultEnvironmentName() override { return "Drafting"; }
    const char* STDMETHODCALLTYPE GetRegistryBasePath() override { return "Software\\CONTROL Demo\\Draft Host"; }
    const char* STDMETHODCALLTYPE GetRegistryName() override { return "Software\\CONTROL Demo\\Draft Host\\Settings"; }
    BOOL STDMETHODCALLTYPE IsReady() override { return m_ready; }
    const char* STDMETHODCALLTYPE GetApplicationPath() override { return m_applicationPath; }
    const char* STDMETHODCALLTYPE GetDefaultStartUpDll() override { return ""; }
    void STDMETHODCALLTYPE OnApplicationPathChanged(const GUserText& path) override;
    void STDMETHODCALLTYPE OnStartUpDllChanged(const GUserText& clsid) override;
    void STDMETHODCALLTYPE OnEnvironmentNameChanged(const GUserText& name) override;
    void STDMETHODCALLTYPE OnFirstSwitch() override { ++m_notices.nFirstSwitches; }
    void STDMETHODCALLTYPE OnSecondSwitch() override
    {
        ++m_notices.nSecondSwitches;
        if (m_switched)
            m_switched();
    }

    // IJAppVersion: "Draft Host 1.0"; a buffer too small gets the cut text and a failure code.
    HRESULT STDMETHODCALLTYPE GetVersionText(char* buffer, int size) override;

    // IJAppToolbars: made and destroyed by the frame's maker; E_UNEXPECTED before there is one.
    HRESULT STDMETHODCALLTYPE AddToolbar(const char* name, const UINT* commandIDs, int count, UINT* pnBarID) override;
    HRESULT STDMETHODCALLTYPE RemoveToolbar(const char* name) override;

    // The frame's side of IJAppToolbars: makes a toolbar (name, commands; 0 a separator)
    // and gives its bar ID, and destroys one by name (S_FALSE when there is none).
    using ToolbarMaker = std::function<HRESULT(const char* name, const std::vector<UINT>& commandIDs, UINT* pnBarID)>;
    using ToolbarRemover = std::function<HRESULT(const char* name)>;
    // Empty functions remove the frame's (before the frame goes).
    void SetToolbarMaker(ToolbarMaker make, ToolbarRemover remove)
    {
        m_makeToolbar = std::move(make);
        m_removeToolbar = std::move(remove);
    }

    // Called when the library has made another environment current, before its
    // toolbars are made: the host registers its categories there.
    void SetSwitchHandler(std::function<void()> switched) { m_switched = std::move(switched); }

    // The host's side: ready once the main frame is shown.
    void SetReady(BOOL bReady) { m_ready = bReady; }

    // What the library told the host.
    struct Notices {
        CString applicationPath, startUpDll, environmentName;
        int nApplicationPathChanges = 0, nStartUpDllChanges = 0, nEnvironmentNameChanges = 0;
        int nFirstSwitches = 0, nSecondSwitches = 0;
    };
    const Notices& GetNotices() const { return m_notices; }

private:
    ~CDraftAppInfo() = default;   // Release deletes it

    LONG m_references = 1;
    BOOL m_ready = FALSE;
    CString m_applicationPath;   // the executable's folder, without a trailing backslash
    ToolbarMaker m_makeToolbar;
    ToolbarRemover m_removeToolbar;
    std::function<void()> m_switched;
    Notices m_notices;
};
HOST_COM_CLASSES_END

// The environment the host was closed in, kept under its settings key; empty the first time.
CString LastEnvironment();
void KeepLastEnvironment(const char* name);
