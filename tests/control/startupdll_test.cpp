// The start-up DLL with the real sample add-in (sampleaddin.dll, registered for
// the test's user): loading, sharing, no-invoke and unloading, the messages the
// frame gets, class id resolution and the result codes of a failing add-in.
#include "addin_host.h"

using namespace addin_host;

namespace {

TEST_F(StartUpDll, TheSampleIsInstalledGivesItsToolbarsThroughTheApplicationAndIsReleasedWhenUnloaded)
{
    EXPECT_EQ(nullptr, JGetStartUpDllDispatch());
    ASSERT_EQ(S_OK, JLoadStartupDll(1, kSampleAddInClsid, 0));
    IDispatch* p = JGetStartUpDllDispatch();
    ASSERT_NE(nullptr, p);
    ExpectConsistent(p);
    EXPECT_EQ(2u, References(p));   // the environment's and the shared pointer's
    // "Install" read the version through the engine's automation object.
    EXPECT_EQ("Test Host 2.5", Property(p, L"HostVersion"));

    EXPECT_EQ(S_OK, JInitStartupDll());
    EXPECT_EQ(S_OK, JLoadToolbarsFromDll());
    EXPECT_EQ(S_OK, JUnLoadToolbarsFromDll());
    EXPECT_EQ((std::vector<std::string>{
                  "add Draw 33001,33002,33003,33004,33005,33006", "add Modify 33101,33102,0,33103,33104,0,33105,33106",
                  "add View 33201,33202,33203,0,33204,33205,33206", "add Settings 33204,33205,33206", "remove Draw",
                  "remove Modify", "remove View", "remove Settings"}),
              m_host.toolbars.calls);

    p->AddRef();   // kept to read what it was told
    ASSERT_EQ(S_OK, JLoadStartupDll(0, kSampleAddInClsid, 0));
    EXPECT_EQ("Install;Initialize;LoadDefaultToolbars;UnLoadDefaultToolbars;UnInstall;", Property(p, L"CallLog"));
    EXPECT_EQ(0u, p->Release());   // ours was the last
    EXPECT_EQ(nullptr, JGetStartUpDllDispatch());
    EXPECT_EQ(nullptr, ControlState().pSharedStartUpDispatch);
    EXPECT_EQ(0, m_objects());
    EXPECT_EQ(E_INVALIDARG, JLoadStartupDll(0, kSampleAddInClsid, 0));   // nothing left to unload
}

TEST_F(StartUpDll, EnvironmentsLoadedTogetherShareOneObjectUntilOneUnloads)
{
    JEnvironmentManager* pManager = JGetEnvironmentManager();
    pManager->CreateEnvironment("Second", m_key.path(), kSampleAddInProgID, nullptr);
    JControlOnlyInfo* pFirst = pManager->GetEnvironment(0);
    JControlOnlyInfo* pSecond = pManager->GetEnvironment(1);
    pFirst->SetStartUpDLL(kSampleAddInClsid);
    ASSERT_EQ(S_OK, pFirst->LoadStartupDll(1, 0));
    ASSERT_EQ(S_OK, pSecond->LoadStartupDll(1, 0));
    IDispatch* p = pFirst->m_pStartUpDllDispatch;
    EXPECT_EQ(p, pSecond->m_pStartUpDllDispatch);
    EXPECT_EQ(3u, References(p));
    EXPECT_EQ("Install;Install;", Property(p, L"CallLog"));

    // Unloading the second clears the shared pointer; the first keeps its object.
    ASSERT_EQ(S_OK, pSecond->LoadStartupDll(0, 0));
    EXPECT_EQ(nullptr, pSecond->m_pStartUpDllDispatch);
    EXPECT_EQ(nullptr, ControlState().pSharedStartUpDispatch);
    EXPECT_EQ(1u, References(p));
    // With nothing shared, the first lets go only in host mode.
    ASSERT_EQ(S_OK, pFirst->LoadStartupDll(0, 0));
    EXPECT_EQ(p, pFirst->m_pStartUpDllDispatch);
    AppCoreSetHostMode(TRUE);
    ASSERT_EQ(S_OK, pFirst->LoadStartupDll(0, 0));
    EXPECT_EQ(nullptr, pFirst->m_pStartUpDllDispatch);
    EXPECT_EQ(0, m_objects());
}

// An environment deleted while it holds the add-in gives its reference back.
TEST_F(StartUpDll, ADeletedEnvironmentGivesBackItsAddIn)
{
    JEnvironmentManager* pManager = JGetEnvironmentManager();
    pManager->CreateEnvironment("Second", m_key.path(), kSampleAddInProgID, nullptr);
    ASSERT_EQ(S_OK, pManager->GetEnvironment(1)->LoadStartupDll(1, 0));
    IDispatch* p = pManager->GetEnvironment(1)->m_pStartUpDllDispatch;
    ASSERT_EQ(2u, References(p));
    pManager->DeleteEnvironment("Second");
    ASSERT_EQ(1, pManager->GetCount());
    EXPECT_EQ(1u, References(p));   // the shared pointer's
    ASSERT_EQ(S_OK, m_pInfo->LoadStartupDll(1, 1));
    ASSERT_EQ(S_OK, m_pInfo->LoadStartupDll(0, 0));
    EXPECT_EQ(0, m_objects());
}

// Unloading: what the frame is sent and whether the environment's categories stay.
struct UnloadCase {
    const char* name;
    int noInvoke;
    const char* faultMethod;   // NULL: none
    HRESULT fault;
    BOOL bThrow;
    HRESULT result;
    bool bUnloadAddInsSent;
    int calledUnInstall;
};
const UnloadCase kUnloadCases[] = {
    {"plain", 0, nullptr, S_OK, FALSE, S_OK, true, 1},
    {"no invoke", 1, nullptr, S_OK, FALSE, S_OK, false, 0},
    {"UnInstall fails", 0, "UnInstall", E_ACCESSDENIED, FALSE, E_ACCESSDENIED, false, 1},
    {"UnInstall throws", 0, "UnInstall", S_OK, TRUE, DISP_E_EXCEPTION, false, 1},
};

TEST_F(StartUpDll, UnloadingSendsJUnloadAddInsOnlyAfterASuccessfulUnInstall)
{
    for (const UnloadCase& c : kUnloadCases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(S_OK, JLoadStartupDll(1, kSampleAddInClsid, 0));
        IDispatch* p = JGetStartUpDllDispatch();
        p->AddRef();
        AddCategory();
        m_frame.sent.clear();
        if (c.faultMethod)
            m_setFault(c.faultMethod, c.fault, c.bThrow);
        EXPECT_EQ(c.result, JLoadStartupDll(0, kSampleAddInClsid, c.noInvoke));
        m_setFault(nullptr, S_OK, FALSE);
        const std::vector<RecordingFrame::Sent> expected =
            c.bUnloadAddInsSent ? std::vector<RecordingFrame::Sent>{{JM_UNLOADADDINS, 0, 0}}
                                : std::vector<RecordingFrame::Sent>{};
        EXPECT_EQ(expected, m_frame.sent);
        EXPECT_EQ(c.bUnloadAddInsSent ? 0 : 1, m_pInfo->m_categories.GetCount());
        EXPECT_EQ(c.calledUnInstall ? "Install;UnInstall;" : "Install;", Property(p, L"CallLog"));
        // The shared pointer goes unless the call was not to touch the add-in, which
        // goes as usual afterwards.
        EXPECT_EQ(c.noInvoke ? p : nullptr, JGetStartUpDllDispatch());
        if (c.noInvoke) {
            EXPECT_EQ(S_OK, JLoadStartupDll(0, kSampleAddInClsid, 0));
        }
        EXPECT_EQ(nullptr, ControlState().pSharedStartUpDispatch);
        EXPECT_EQ(0u, p->Release());
        m_pInfo->m_categories.RemoveAllCategories();
    }
}

TEST_F(StartUpDll, ClassIdTextsResolveThroughEachResolverInTurn)
{
    HMODULE hMacroHost = ::LoadLibraryA(ModuleBesideProgram("macrohost.dll").c_str());
    ASSERT_NE(nullptr, hMacroHost);
    auto fromFile = reinterpret_cast<PFN_UMACROCLSIDFROMFILENAME>(
        reinterpret_cast<void*>(::GetProcAddress(hMacroHost, "UMacroCLSIDFromFileName")));
    CLSID hatch = GUID_NULL;
    ASSERT_EQ(S_OK, fromFile("hatch", &hatch));
    wchar_t wide[40] = L"";
    char hatchText[40] = "";
    ::StringFromGUID2(hatch, wide, 40);
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, hatchText, 40, nullptr, nullptr);

    const struct {
        const char* text;
        bool bApplication;
        const char* expected;
    } cases[] = {
        {"hatch", true, hatchText},                                            // a macro file
        {"Macro.Hatch", true, hatchText},                                      // a macro's program ID
        {kSampleAddInProgID, true, kSampleAddInClsid},                         // a registered class's program ID
        {"{5d3f8a10-7c2b-4e61-9a0d-2b6e4f1c8a51}", true, kSampleAddInClsid},   // a class id
        {"No.Such.Thing", true, "{00000000-0000-0000-0000-000000000001}"},     // the application's default
        {"No.Such.Thing", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        AppCoreSetApplicationObject(c.bApplication ? &m_host : nullptr);
        EXPECT_STREQ(c.expected, m_pInfo->GetClsidString(GUserText(c.text)));
        GUserText out("stale");
        JGetEnvironmentManager()->GetClsidString(GUserText(c.text), out);
        EXPECT_STREQ(c.expected, out);
    }
    ::FreeLibrary(hMacroHost);
}

// An add-in that fails anywhere gives the call's code and leaves the library consistent.
TEST_F(StartUpDll, AFailingAddInGivesItsResultCodes)
{
    const HRESULT kNoToolbars = static_cast<HRESULT>(0x80040201);
    const struct {
        const char* name;
        const char* faultMethod;
        HRESULT fault;
        BOOL bThrow;
        long (*call)();
        HRESULT result;
    } cases[] = {
        {"Install fails", "Install", E_ACCESSDENIED, FALSE, [] { return JLoadStartupDll(1, kSampleAddInClsid, 0); },
         E_ACCESSDENIED},
        {"Install throws", "Install", S_OK, TRUE, [] { return JLoadStartupDll(1, kSampleAddInClsid, 0); },
         DISP_E_EXCEPTION},
        {"Initialize fails", "Initialize", E_FAIL, FALSE, [] { return JInitStartupDll(); }, E_FAIL},
        {"LoadDefaultToolbars fails", "LoadDefaultToolbars", kNoToolbars, FALSE, [] { return JLoadToolbarsFromDll(); },
         kNoToolbars},
        {"UnLoadDefaultToolbars throws", "UnLoadDefaultToolbars", S_OK, TRUE, [] { return JUnLoadToolbarsFromDll(); },
         DISP_E_EXCEPTION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.faultMethod) != "Install") {
            ASSERT_EQ(S_OK, JLoadStartupDll(1, kSampleAddInClsid, 0));
        }
        m_setFault(c.faultMethod, c.fault, c.bThrow);
        EXPECT_EQ(c.result, c.call());
        m_setFault(nullptr, S_OK, FALSE);
        ExpectConsistent(JGetStartUpDllDispatch());
        EXPECT_EQ(S_OK, JLoadStartupDll(0, kSampleAddInClsid, 0));
        ExpectConsistent(nullptr);
    }

    // Nothing is created: the class is not registered, is registered by a bare file
    // name (never searched for), or there is no application object.
    ASSERT_EQ(S_OK, Entry("DllUnregisterServer")());
    EXPECT_EQ(REGDB_E_CLASSNOTREG, JLoadStartupDll(1, kSampleAddInClsid, 0));
    ExpectConsistent(nullptr);
    ASSERT_EQ(S_OK, Entry("DllRegisterServer")());
    HKEY hKey = nullptr;
    ASSERT_EQ(
        ERROR_SUCCESS,
        ::RegOpenKeyExA(HKEY_CURRENT_USER,
                        (std::string("Software\\Classes\\CLSID\\") + kSampleAddInClsid + "\\InprocServer32").c_str(), 0,
                        KEY_SET_VALUE, &hKey));
    ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("sampleaddin.dll"), 16);
    ::RegCloseKey(hKey);
    // Not even the module already loaded under that name is taken: no local server either.
    EXPECT_EQ(REGDB_E_CLASSNOTREG, JLoadStartupDll(1, kSampleAddInClsid, 0));
    ExpectConsistent(nullptr);
    // Nor a local server whose program is named without its folder (registered for
    // the machine, where every system's COM finds it): found on PATH, it would leave a mark.
    char mark[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, mark);
    lstrcatA(mark, "local_server_started");
    ::DeleteFileA(mark);
    const std::string server = std::string("cmd.exe /c echo started>\"") + mark + "\" & rem";
    const std::string classKey = std::string("CLSID\\") + kSampleAddInClsid;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, (classKey + "\\LocalServer32").c_str(), 0, nullptr,
                                               0, KEY_SET_VALUE, nullptr, &hKey, nullptr));
    ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()), (DWORD)server.size() + 1);
    ::RegCloseKey(hKey);
    EXPECT_EQ(CO_E_DLLNOTFOUND, JLoadStartupDll(1, kSampleAddInClsid, 0));
    ExpectConsistent(nullptr);
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, classKey.c_str());
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, classKey.c_str());
    ::Sleep(200);   // a started program has had time to write
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(mark)) << "the server was started";
    ::DeleteFileA(mark);
    AppCoreSetApplicationObject(nullptr);
    EXPECT_EQ(E_FAIL, JLoadStartupDll(1, kSampleAddInClsid, 0));
    ExpectConsistent(nullptr);
    EXPECT_EQ(0, JInitStartupDll());   // nothing to call
}

}   // namespace
