// The host's objects as the tests play them: application information with
// settable texts that records its notifications, and a dynamic command provider.
#pragma once
#include "comfake.h"
#include "jappinfo.h"

#include <string>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class FakeAppInfo : public testing_support::FakeComObject<JAppInfo, IID_IJAppInfo> {
public:
    std::string caption = "Test Host";
    std::string defaultEnvironment = "Drafting";
    std::string basePath = "Software\\CONTROL Tests\\Host";
    std::string registryName = "Software\\CONTROL Tests\\Host\\Settings";
    std::string appPath = "C:\\Host";
    std::string defaultStartUpDll = "{00000000-0000-0000-0000-000000000001}";
    BOOL ready = TRUE;
    std::vector<std::string> notifications;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid != IID_IJAppVersion)
            return FakeComObject::QueryInterface(riid, ppv);
        *ppv = &version;
        AddRef();
        return S_OK;
    }

    long STDMETHODCALLTYPE GetMacroDirectoryValue() override { return 0; }
    const char* STDMETHODCALLTYPE GetMessageCaption() override { return caption.c_str(); }
    const char* STDMETHODCALLTYPE GetDefaultEnvironmentName() override { return defaultEnvironment.c_str(); }
    const char* STDMETHODCALLTYPE GetRegistryBasePath() override { return basePath.c_str(); }
    const char* STDMETHODCALLTYPE GetRegistryName() override { return registryName.c_str(); }
    BOOL STDMETHODCALLTYPE IsReady() override { return ready; }
    const char* STDMETHODCALLTYPE GetApplicationPath() override { return appPath.c_str(); }
    const char* STDMETHODCALLTYPE GetDefaultStartUpDll() override { return defaultStartUpDll.c_str(); }
    void STDMETHODCALLTYPE OnApplicationPathChanged(const GUserText& path) override { Note("path:", path); }
    void STDMETHODCALLTYPE OnStartUpDllChanged(const GUserText& clsid) override { Note("dll:", clsid); }
    void STDMETHODCALLTYPE OnEnvironmentNameChanged(const GUserText& name) override { Note("name:", name); }
    void STDMETHODCALLTYPE OnFirstSwitch() override { Note("first"); }
    void STDMETHODCALLTYPE OnSecondSwitch() override { Note("second"); }
    void Note(std::string what, const GUserText& text = GUserText())
    {
        notifications.push_back(what + text.GetString());
    }

    struct Version : testing_support::FakeComObject<IJAppVersion, IID_IJAppVersion> {
        std::string text = "Test Host 2.5";
        HRESULT STDMETHODCALLTYPE GetVersionText(char* buffer, int size) override
        {
            lstrcpynA(buffer, text.c_str(), size);
            return S_OK;
        }
    } version;
};

#pragma GCC diagnostic pop

class FakeProvider final : public IJDynamicCommand {
public:
    std::vector<JMacroCommandEntry> entries;
    std::vector<std::string> commandStrings;
    int failWith = 0;   // non-zero: AddMacroCommand fails with it

    const JMacroCommandEntry* GetEntry(int index) override
    {
        return index >= 0 && index < (int)entries.size() ? &entries[(size_t)index] : nullptr;
    }
    int FindCommand(UINT nCommandID) override
    {
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].nCommandID == nCommandID)
                return (int)i;
        return -1;
    }
    int AddMacroCommand(UINT* pnCommandID, const char* macro, const char* commandString, int, const char* name) override
    {
        if (failWith)
            return failWith;
        JMacroCommandEntry entry{};
        entry.nCommandID = JMACRO_FIRST_ID + (UINT)entries.size();
        lstrcpynA(entry.szMacro, macro ? macro : "", sizeof entry.szMacro);
        lstrcpynA(entry.szName, name ? name : "", sizeof entry.szName);
        entries.push_back(entry);
        commandStrings.push_back(commandString ? commandString : "");
        *pnCommandID = entry.nCommandID;
        return 0;
    }
    bool giveMacroText = false;   // the macro text of the commands made; otherwise no texts
    int GetMacroText(UINT id, char* buffer, int size) override
    {
        const JMacroCommandEntry* pEntry = giveMacroText ? GetEntry(FindCommand(id)) : nullptr;
        if (!pEntry)
            return 0;
        lstrcpynA(buffer, pEntry->szMacro, size);
        return lstrlenA(buffer);
    }
    int GetStatusPrompt(UINT, char*, int) override { return 0; }
    int GetToolTip(UINT, char*, int) override { return 0; }
};
