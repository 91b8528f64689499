#include "afxwin.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* g_pApp = nullptr;
HINSTANCE g_hResource = nullptr;
}

int CWinThread::Run()
{
    for (;;) {
        MSG msg;
        for (LONG idle = 0; !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);)
            if (!OnIdle(idle++))
                break;
        if (!PumpMessage())
            return ExitInstance();
    }
}

BOOL CWinThread::PumpMessage()
{
    MSG msg;
    if (::GetMessageA(&msg, nullptr, 0, 0) <= 0)
        return FALSE;
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(AfxGetSafeHwnd(pMainWnd), pMsg))
        return TRUE;
    // Windows outside the main window (modeless pop-ups) give it a last chance.
    if (pMainWnd && pMsg->hwnd) {
        CWnd* pTop = CWnd::FromHandle(pMsg->hwnd)->GetTopLevelParent();
        if (pTop != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG)
{
    CWnd::DeleteTempMap();
    return FALSE;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_strAppName(lpszAppName)
{
    m_pszAppName = m_strAppName.IsEmpty() ? nullptr : (LPCSTR)m_strAppName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWinThread* AfxGetThread()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource ? g_hResource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

BOOL CString::LoadString(UINT nID)
{
    return AfxLoadString(AfxGetResourceHandle(), nID, *this);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    CWinApp* pApp = AfxGetApp();
    return ::MessageBoxA(AfxGetSafeHwnd(pMainWnd), lpszText, pApp && pApp->m_pszAppName ? pApp->m_pszAppName : "",
                         nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    if (!text.LoadString(nIDPrompt))
        text.Format("(missing text %u)", nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
