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

BOOL CWinThread::ProcessMessageFilter(int, LPMSG)
{
    return FALSE;
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

namespace {

void SendIdleUpdate(CWnd* pWnd)
{
    if (!pWnd || !pWnd->m_hWnd || !pWnd->IsWindowVisible())
        return;
    AfxCallWndProc(pWnd, pWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

}   // namespace

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        // Command-UI updates and delayed layouts: the main window and its
        // children, then the frames outside it (floating frames, pop-ups).
        CWnd* pMainWnd = GetMainWnd();
        SendIdleUpdate(pMainWnd);
        CPtrList frames;
        for (POSITION pos = CFrameWnd::GetFrameList().GetHeadPosition(); pos;)
            frames.AddTail(const_cast<CPtrList&>(CFrameWnd::GetFrameList()).GetNext(pos));
        for (POSITION pos = frames.GetHeadPosition(); pos;) {
            CFrameWnd* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
            // A handler may have destroyed a frame of the copied list.
            if (pFrame == pMainWnd || !CFrameWnd::GetFrameList().Find(pFrame) || !pFrame->m_hWnd)
                continue;
            if (pMainWnd && pMainWnd->m_hWnd && ::IsChild(pMainWnd->m_hWnd, pFrame->m_hWnd))
                continue;   // reached through the main window
            SendIdleUpdate(pFrame);
        }
        return TRUE;
    }
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
