// drafthost.exe: a small drafting host that loads the control library.
//   drafthost [--screenshot FILE]
// With --screenshot it renders its frame into FILE (PNG, or BMP for ".bmp")
// and exits, so it runs headless; the exit code is 0 on success.
#include "afxwin.h"
#include "mainframe.h"
#include "screenshot.h"

#include <cstdlib>
#include <cstring>

namespace {

class CDraftHostApp : public CWinApp {
public:
    CDraftHostApp() : CWinApp("Draft Host") {}

    BOOL InitInstance() override
    {
        for (int i = 1; i < __argc; ++i)
            if (strcmp(__argv[i], "--screenshot") == 0 && i + 1 < __argc)
                m_screenshot = __argv[++i];

        // The library is loaded like any host loads it at start-up.
        m_hControl = ::LoadLibraryA("CONTROL.dll");
        CString status;
        if (m_hControl) {
            char path[MAX_PATH] = "";
            ::GetModuleFileNameA(m_hControl, path, MAX_PATH);
            status.Format("CONTROL.dll loaded from %s", path);
        } else {
            status.Format("CONTROL.dll could not be loaded (error %lu)", ::GetLastError());
        }

        auto* pFrame = new CMainFrame(status);
        if (!pFrame->Create(nullptr, "Draft Host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 560))) {
            m_exitCode = 2;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();

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
        return m_exitCode;
    }

private:
    CString m_screenshot;
    HMODULE m_hControl = nullptr;
    int m_exitCode = 0;
};

CDraftHostApp theApp;

}   // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
