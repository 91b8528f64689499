// drafthost.exe: a small drafting host that loads the control library.
//   drafthost [--screenshot FILE]
// With --screenshot it renders its frame into FILE (PNG, or BMP for ".bmp")
// and exits, so it runs headless; the exit code is 0 on success.
#include "afxwin.h"
#include "appcore.h"
#include "appinfo.h"
#include "macrocommands.h"
#include "mainframe.h"
#include "screenshot.h"

#include <cstdlib>
#include <cstring>

namespace {

// The folder of this executable, with a trailing backslash.
CString ProgramFolder()
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\') + 1);
}

class CDraftHostApp : public CWinApp {
public:
    CDraftHostApp() : CWinApp("Draft Host") {}

    BOOL InitInstance() override
    {
        for (int i = 1; i < __argc; ++i)
            if (strcmp(__argv[i], "--screenshot") == 0 && i + 1 < __argc)
                m_screenshot = __argv[++i];

        // The host's objects exist before the library, which asks for them as it starts.
        m_pAppInfo = new CDraftAppInfo;
        AppCoreSetApplicationObject(static_cast<JAppInfo*>(m_pAppInfo));

        // The library is loaded from this program's folder by its full path, never
        // through the current directory or PATH; its own imports are found beside it.
        ::SetDllDirectoryA("");
        const CString folder = ProgramFolder();
        if (!folder.IsEmpty())
            m_hControl = ::LoadLibraryExA(folder + "CONTROL.dll", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        CString status;
        if (m_hControl) {
            char path[MAX_PATH] = "";
            ::GetModuleFileNameA(m_hControl, path, MAX_PATH);
            status.Format("CONTROL.dll loaded from %s", path);
        } else {
            status.Format("CONTROL.dll could not be loaded (error %lu)", ::GetLastError());
        }

        // ---- Integration point: hand the host's objects to CONTROL.dll here, once it
        // exports them (SetWinApp(m_pAppInfo), SetDynamicCommand(&m_macroCommands), ...).
        // ----

        auto* pFrame = new CMainFrame(status);
        if (!pFrame->Create(nullptr, "Draft Host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 560))) {
            m_exitCode = 2;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        m_pAppInfo->SetReady(TRUE);

        if (!m_screenshot.IsEmpty()) {
            m_exitCode = !m_hControl ? 3 : SaveWindowImage(pFrame->m_hWnd, m_screenshot) ? 0 : 4;
            return FALSE;   // the framework destroys the frame and exits
        }
        return TRUE;
    }

    int ExitInstance() override
    {
        if (m_hControl)
            ::FreeLibrary(m_hControl);
        AppCoreSetApplicationObject(nullptr);
        if (m_pAppInfo)
            m_pAppInfo->Release();
        m_pAppInfo = nullptr;
        return m_exitCode;
    }

private:
    CString m_screenshot;
    HMODULE m_hControl = nullptr;
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
