// drafthost.exe: a small drafting host that loads the control library.
// Its usage (kUsage below) is printed by --help. The default toolbars come from its
// start-up add-in; they come back as they were left at the last close, and are saved
// again at the next. With --screenshot it
// renders its frame (and its floating bars) into FILE (PNG, or BMP for ".bmp"), writes
// where its parts lie to FILE.layout, and exits, so it runs headless; the exit code is
// 0 on success, and a failure says why on the standard error.
#include "afxwin.h"
#include "addintoolbars.h"
#include "appcore.h"
#include "appinfo.h"
#include "buttonart.h"
#include "commands.h"
#include "controlexports.h"
#include "controllib.h"
#include "jenvmanager.h"
#include "macrocommands.h"
#include "mainframe.h"
#include "sampleaddin.h"
#include "screenshot.h"

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kUsage[] =
    "Usage: drafthost [--large] [--custom-buttons] [--screenshot FILE [--restore-layout] [--float-modify]\n"
    "                 [--save-layout] [--round-trip]]\n"
    "  --large           large toolbar buttons\n"
    "  --screenshot FILE render the frame into FILE (PNG, or BMP for .bmp), write where its parts\n"
    "                    lie to FILE.layout, and exit; the toolbars start from the defaults\n"
    "  --restore-layout  with --screenshot: the toolbars as the last run left them\n"
    "  --float-modify    with --screenshot: float the Modify toolbar over the sheet first\n"
    "  --save-layout     with --screenshot: save the toolbar layout before the shot\n"
    "  --custom-buttons  add the Hatch macro as a button of its own to the View toolbar and put\n"
    "                    a picture of the user's on its Zoom In button (both kept with the layout)\n"
    "  --round-trip      with --screenshot: switch to Survey and back to Drafting first\n"
    "  --help            show this text and exit\n";

// Exit codes: what went wrong.
enum ExitCode { kOk = 0, kBadUsage = 1, kNoFrame = 2, kNoLibrary = 3, kNoScreenshot = 4, kNoLayout = 5 };

// A program of the GUI subsystem has no console of its own: the text goes to the standard
// handle it inherited (a pipe or a file), or else to the console of the process that
// started it.
void Print(DWORD nStdHandle, const CString& text)
{
    HANDLE hOut = ::GetStdHandle(nStdHandle);
    bool bOwned = false;
    if ((!hOut || hOut == INVALID_HANDLE_VALUE) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        hOut = ::CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
        bOwned = hOut != INVALID_HANDLE_VALUE;
    }
    if (!hOut || hOut == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(hOut, (LPCSTR)text, (DWORD)text.GetLength(), &written, nullptr);
    if (bOwned)
        ::CloseHandle(hOut);
}

// How long a screenshot waits for restored toolbars that show once the host is ready.
const DWORD kToolBarShowTimeout = 5000;

// The host's command categories with their pictures, in the current environment.
void RegisterCategories()
{
    for (const DemoCategory& category : DemoCategories()) {
        const std::vector<Glyph> glyphs = GlyphsOf(category);
        const std::vector<UINT> ids = IdsOf(category);
        CStringArray names;
        for (const DemoCommand& command : category.commands)
            names.Add(command.name ? command.name : "");
        // The library owns the strips from here on.
        AddCategoryUsingBitmaps(category.name, DrawButtonStrip(glyphs, {false, false}),
                                DrawButtonStrip(glyphs, {false, true}), DrawButtonStrip(glyphs, {true, false}),
                                DrawButtonStrip(glyphs, {true, true}), ids.data(), (int)ids.size(), &names);
    }
}

class CDraftHostApp : public CWinApp {
public:
    CDraftHostApp() : CWinApp("Draft Host") {}

    BOOL InitInstance() override
    {
        DemoState state;
        bool restoreLayout = false, floatModify = false, saveLayout = false, customButtons = false, roundTrip = false;
        for (int i = 1; i < __argc; ++i) {
            if (strcmp(__argv[i], "--screenshot") == 0 && i + 1 < __argc)
                m_screenshot = __argv[++i];
            else if (strcmp(__argv[i], "--large") == 0)
                state.large = true;
            else if (strcmp(__argv[i], "--restore-layout") == 0)
                restoreLayout = true;
            else if (strcmp(__argv[i], "--float-modify") == 0)
                floatModify = true;
            else if (strcmp(__argv[i], "--save-layout") == 0)
                saveLayout = true;
            else if (strcmp(__argv[i], "--custom-buttons") == 0)
                customButtons = true;
            else if (strcmp(__argv[i], "--round-trip") == 0)
                roundTrip = true;
            else if (strcmp(__argv[i], "--help") == 0)
                return Usage(STD_OUTPUT_HANDLE, "", kOk);
            else
                return Usage(STD_ERROR_HANDLE, CString("drafthost: unknown option ") + __argv[i] + "\n", kBadUsage);
        }
        // A screenshot shows the defaults unless asked: it must not depend on an earlier run.
        state.restoreLayout = m_screenshot.IsEmpty() || restoreLayout;

        // The host's objects exist before the library, which asks for them as it starts.
        m_pAppInfo = new CDraftAppInfo;
        AppCoreSetApplicationObject(static_cast<JAppInfo*>(m_pAppInfo));
        state.pApp = m_pAppInfo;
        // The start-up add-in is an automation object: COM for this thread, and the
        // add-in beside the program registered for the user.
        m_bComStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        state.addIn = m_bComStarted && RegisterSampleAddIn();

        CString path, reason;
        m_bControlStarted = CheckControlLibrary(path, reason);
        if (m_bControlStarted) {
            StartControlLibrary(state);
            state.status.Format("CONTROL.dll loaded from %s", (LPCSTR)path);
        } else {
            state.status = reason;
        }

        auto* pFrame = new CMainFrame(state);
        if (!pFrame->Create(nullptr, "Draft Host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 560)))
            return Fail(kNoFrame, "the main window could not be made");
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(m_nCmdShow);
        if (!pFrame->IsLayoutRestored())
            pFrame->FloatSettingsBar();
        if (customButtons)
            pFrame->AddCustomButtons();
        pFrame->UpdateWindow();
        m_pAppInfo->SetReady(TRUE);

        if (!m_screenshot.IsEmpty()) {
            WaitForToolBarsToShow(*pFrame);
            if (floatModify)
                pFrame->FloatModifyBar();
            if (roundTrip) {
                pFrame->SendMessage(WM_COMMAND, ID_ENV_SURVEY);
                pFrame->SendMessage(WM_COMMAND, ID_ENV_DRAFTING);
            }
            // Idle work first: command-UI updates and delayed layouts, as a user would see them.
            for (LONG idle = 0; OnIdle(idle); ++idle) {
            }
            if (FILE* layout = fopen(m_screenshot + ".layout", "w")) {
                fputs(pFrame->DescribeLayout().c_str(), layout);
                fclose(layout);
            }
            // The framework destroys the frame and exits.
            if (saveLayout && !pFrame->SaveLayout())
                return Fail(kNoLayout, "the toolbar layout could not be saved");
            if (!m_bControlStarted)
                return Fail(kNoLibrary, state.status);
            if (!SaveWindowImage(pFrame->m_hWnd, m_screenshot))
                return Fail(kNoScreenshot, "the screenshot could not be written to " + m_screenshot);
            return FALSE;
        }
        return TRUE;
    }

    int ExitInstance() override
    {
        // The frame let the add-in go before it went.
        if (m_bComStarted)
            ::CoUninitialize();
        m_bComStarted = FALSE;
        AppCoreSetApplicationObject(nullptr);
        if (m_pAppInfo)
            m_pAppInfo->Release();
        m_pAppInfo = nullptr;
        return m_exitCode;
    }

private:
    // Prints the usage (after a message) and ends the program with the code.
    BOOL Usage(DWORD nStdHandle, const CString& message, ExitCode code)
    {
        Print(nStdHandle, message + kUsage);
        m_exitCode = code;
        return FALSE;
    }

    // Ends the program with the code, saying why.
    BOOL Fail(ExitCode code, const CString& why)
    {
        CString text;
        text.Format("drafthost: %s (exit code %d)\n", (LPCSTR)why, (int)code);
        Print(STD_ERROR_HANDLE, text);
        m_exitCode = code;
        return FALSE;
    }

    // Floating toolbars restored before the host was ready show on a timer of their
    // own once it is: the messages run until they have (or the time is up).
    static void WaitForToolBarsToShow(const CMainFrame& frame)
    {
        const DWORD start = ::GetTickCount();
        while (frame.HasToolBarsWaitingToShow() && ::GetTickCount() - start < kToolBarShowTimeout) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }

    // Start-up as a host does it: window classes (before any dialog template names
    // them), the environment manager, the host's objects, the toolbar settings, the
    // command categories, and the macro commands.
    void StartControlLibrary(DemoState& state)
    {
        InitCustomControls();
        JCreateEnvironmentManager(nullptr, 1, 1, 1, 1, 1, 1, 1, 1);
        SetWinApp(m_pAppInfo);
        SetDynamicCommand(&m_macroCommands);
        // The commands' prompts and tips are the program's own strings.
        SetDraftResourceHandle(AfxGetResourceHandle());
        // Toolbars take the large-buttons and gripper settings as they are made,
        // those the stored layout restores too.
        SetLargeButtons(state.large ? 1 : 0);
        SetGripperBarOnOff(1);
        // Directions show as quadrant bearings ("N 45 E").
        SetBearingInfo(1, 0, 0, 0);

        RegisterCategories();
        // A second environment beside the first, with the same add-in; each keeps its
        // own toolbars and menu. The categories are the host's in each environment.
        if (JEnvironmentManager* pManager = JGetEnvironmentManager()) {
            JCreateEnvironment(nullptr, "Survey", state.addIn ? kSampleAddInProgID : nullptr, nullptr);
            if (state.addIn)
                for (long i = 0; i < pManager->GetCount(); ++i)
                    if (pManager->GetEnvironment(i)->m_strStartUpDllClsid.IsEmpty())
                        pManager->GetEnvironment(i)->SetStartUpDLL(kSampleAddInProgID);
        }
        // An environment made afresh has no user key: its ribbon bars, value histories and
        // colours would go under the program's own key on this run and be looked for under
        // "Environments" (where stored environments are read from) on the next. Every
        // environment keeps them under "Environments" from the first run on.
        if (JEnvironmentManager* pManager = JGetEnvironmentManager()) {
            const CString environments = CString(m_pAppInfo->GetRegistryBasePath()) + "\\Environments";
            for (long i = 0; i < pManager->GetCount(); ++i)
                if (pManager->GetEnvironment(i)->m_strCustomUserKey.IsEmpty())
                    pManager->GetEnvironment(i)->SetCustomUserKey(environments);
        }
        m_pAppInfo->SetSwitchHandler([] {
            JControlOnlyInfo* pInfo = GetJControlInfo();
            if (pInfo && pInfo->m_categories.GetSize() == 0)
                RegisterCategories();
        });
        // The host starts in the environment it was closed in (the frame is made in it).
        if (JEnvironmentManager* pManager = JGetEnvironmentManager(); pManager && state.restoreLayout) {
            const long index = pManager->FindEnvironmentIndex(LastEnvironment());
            if (index >= 0)
                pManager->SetEnvironment(index);
        }

        // One macro command for each sample macro beside the program.
        WIN32_FIND_DATAA found{};
        const CString macros = ProgramFolder() + "Macros\\";
        HANDLE hFind = ::FindFirstFileA(macros + "*.jmac", &found);
        for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &found)) {
            HBITMAP hPicture = nullptr;
            const UINT id = AddMacroCommand(macros + found.cFileName, &hPicture);
            if (hPicture)
                ::DeleteObject(hPicture);   // the demo's menus show no pictures
            const int index = id ? m_macroCommands.FindCommand(id) : -1;
            if (const JMacroCommandEntry* pEntry = index >= 0 ? m_macroCommands.GetEntry(index) : nullptr)
                state.macros.emplace_back(id, pEntry->szName);
        }
        if (hFind != INVALID_HANDLE_VALUE)
            ::FindClose(hFind);

        state.pControl = GetJControlInfo();
        state.pMacroCommands = &m_macroCommands;
    }

    CString m_screenshot;
    BOOL m_bControlStarted = FALSE;
    BOOL m_bComStarted = FALSE;
    CDraftAppInfo* m_pAppInfo = nullptr;
    CDraftMacroCommands m_macroCommands;
    int m_exitCode = kOk;
};

CDraftHostApp theApp;

}   // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
