// drafthost.exe: a small drafting host that loads the control library.
//   drafthost [--large] [--screenshot FILE [--restore-layout] [--float-modify] [--save-layout]]
// The toolbars come back as they were left at the last close, and are saved again
// at the next. With --screenshot it renders its frame (and its floating bars) into
// FILE (PNG, or BMP for ".bmp"), writes where its parts lie to FILE.layout, and
// exits, so it runs headless; the exit code is 0 on success. A screenshot starts
// with the default toolbars unless --restore-layout; --float-modify floats the
// Modify toolbar over the sheet and --save-layout saves the layout, both before
// the shot. --large shows large buttons.
#include "afxwin.h"
#include "appcore.h"
#include "appinfo.h"
#include "buttonart.h"
#include "commands.h"
#include "controlexports.h"
#include "controllib.h"
#include "macrocommands.h"
#include "mainframe.h"
#include "screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// How long a screenshot waits for restored toolbars that show once the host is ready.
const DWORD kToolBarShowTimeout = 5000;

class CDraftHostApp : public CWinApp {
public:
    CDraftHostApp() : CWinApp("Draft Host") {}

    BOOL InitInstance() override
    {
        DemoState state;
        bool restoreLayout = false, floatModify = false, saveLayout = false;
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
        }
        // A screenshot shows the defaults unless asked: it must not depend on an earlier run.
        state.restoreLayout = m_screenshot.IsEmpty() || restoreLayout;

        // The host's objects exist before the library, which asks for them as it starts.
        m_pAppInfo = new CDraftAppInfo;
        AppCoreSetApplicationObject(static_cast<JAppInfo*>(m_pAppInfo));

        CString path, reason;
        m_bControlStarted = CheckControlLibrary(path, reason);
        if (m_bControlStarted) {
            StartControlLibrary(state);
            state.status.Format("CONTROL.dll loaded from %s", (LPCSTR)path);
        } else {
            state.status = reason;
        }

        auto* pFrame = new CMainFrame(state);
        if (!pFrame->Create(nullptr, "Draft Host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 560))) {
            m_exitCode = 2;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(m_nCmdShow);
        if (!pFrame->IsLayoutRestored())
            pFrame->FloatSettingsBar();
        pFrame->UpdateWindow();
        m_pAppInfo->SetReady(TRUE);

        if (!m_screenshot.IsEmpty()) {
            WaitForToolBarsToShow(*pFrame);
            if (floatModify)
                pFrame->FloatModifyBar();
            // Idle work first: command-UI updates and delayed layouts, as a user would see them.
            for (LONG idle = 0; OnIdle(idle); ++idle) {
            }
            if (saveLayout && !pFrame->SaveLayout())
                m_exitCode = 5;
            if (m_exitCode == 0)
                m_exitCode = !m_bControlStarted ? 3 : SaveWindowImage(pFrame->m_hWnd, m_screenshot) ? 0 : 4;
            if (FILE* layout = fopen(m_screenshot + ".layout", "w")) {
                fputs(pFrame->DescribeLayout().c_str(), layout);
                fclose(layout);
            }
            return FALSE;   // the framework destroys the frame and exits
        }
        return TRUE;
    }

    int ExitInstance() override
    {
        AppCoreSetApplicationObject(nullptr);
        if (m_pAppInfo)
            m_pAppInfo->Release();
        m_pAppInfo = nullptr;
        return m_exitCode;
    }

private:
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
        // Toolbars take the large-buttons setting as they are made.
        SetLargeButtons(state.large ? 1 : 0);
        // Directions show as quadrant bearings ("N 45 E").
        SetBearingInfo(1, 0, 0, 0);

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
    }

    CString m_screenshot;
    BOOL m_bControlStarted = FALSE;
    CDraftAppInfo* m_pAppInfo = nullptr;
    CDraftMacroCommands m_macroCommands;
    int m_exitCode = 0;
};

CDraftHostApp theApp;

}   // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
