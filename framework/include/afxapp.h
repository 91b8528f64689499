// The thread and application objects and the framework's module state.
#pragma once
#include "afxwnd.h"

// The framework's object of one thread: its main window, message loop and idle work. The
// first one made on a thread is that thread's (AfxGetThread); threads without one run no
// idle work of another thread's.
class AFX_CORE_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    CWnd* m_pMainWnd = nullptr;
    DWORD m_nThreadID = GetCurrentThreadId();
    MSG m_msgCur{};   // the message PumpMessage got last

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // Runs the message loop until WM_QUIT; returns ExitInstance's result.
    virtual int Run();
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // A message of a modal loop the framework does not run (a menu, a message box,
    // another module's dialog: the MSGF_ code), seen through a message filter hook.
    // TRUE takes it from that loop; by default none is taken, so the loop's own
    // keys are never claimed by the main window's accelerators.
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    // Called while the queue is empty; return TRUE for more idle calls. Temporary objects
    // (FromHandle and the like) are freed here only outside any nested or modal loop.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages after which idle work need not run again: repaints, the caret's
    // timer and mouse moves that did not move.
    virtual BOOL IsIdleMessage(MSG* pMsg);
};

class AFX_CORE_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;   // company key under HKCU\Software
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    BOOL InitInstance() override { return TRUE; }
    void SetRegistryKey(LPCSTR lpszRegistryKey) { m_pszRegistryKey = lpszRegistryKey; }

private:
    CString m_strAppName;
};

AFX_CORE_API CWinApp* AfxGetApp();
AFX_CORE_API CWinThread* AfxGetThread();
AFX_CORE_API CWnd* AfxGetMainWnd();
AFX_CORE_API HINSTANCE AfxGetInstanceHandle();
// The module resources are loaded from (the application unless switched). Each thread has
// its own; a thread that never set one uses the application thread's.
AFX_CORE_API HINSTANCE AfxGetResourceHandle();
AFX_CORE_API void AfxSetResourceHandle(HINSTANCE hInstResource);
AFX_CORE_API int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_CORE_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Runs the application object: InitInstance, then the message loop.
AFX_CORE_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// Switches the current resource module for a scope and switches back.
class CResourceSwitch {
public:
    explicit CResourceSwitch(HINSTANCE hInstResource) : m_hOld(AfxGetResourceHandle())
    {
        if (hInstResource)
            AfxSetResourceHandle(hInstResource);
    }
    ~CResourceSwitch() { AfxSetResourceHandle(m_hOld); }
    CResourceSwitch(const CResourceSwitch&) = delete;
    CResourceSwitch& operator=(const CResourceSwitch&) = delete;

private:
    HINSTANCE m_hOld;
};

// Extension resource modules: searched, newest first, after the current resource module and
// before the application when a resource is looked up.
AFX_CORE_API void AfxAddResourceModule(HINSTANCE hModule);
AFX_CORE_API void AfxRemoveResourceModule(HINSTANCE hModule);
// The module holding a resource: the current resource module, the extension modules, then the
// application; NULL when none has it.
AFX_CORE_API HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
