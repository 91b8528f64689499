#include "afxwin.h"
#include "wndmap.h"

#include <atomic>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
std::atomic<CWinApp*> g_pApp{nullptr};
thread_local CWinThread* t_pThread = nullptr;
// The application thread's resource module, seen by threads that never chose their own.
std::atomic<HINSTANCE> g_hAppResource{nullptr};
thread_local HINSTANCE t_hResource = nullptr;
thread_local bool t_bResourceSet = false;

constexpr UINT kSysTimer = 0x0118;   // the caret's blink timer

}   // namespace

CWinThread::CWinThread()
{
    if (!t_pThread)
        t_pThread = this;
}

CWinThread::~CWinThread()
{
    if (t_pThread == this)
        t_pThread = nullptr;
}

int CWinThread::Run()
{
    // Idle work until it is done, then messages; only a message that is user activity
    // starts the idle work again.
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(idleCount++))
                idle = false;
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (::GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0)
        return FALSE;
    // A handler that pumps messages itself runs a nested loop.
    AfxNestedLoop nested;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return AfxIsIdleMessage(*pMsg);
}

BOOL AfxIsIdleMessage(const MSG& msg)
{
    thread_local POINT lastPoint{-1, -1};
    thread_local UINT lastMessage = 0;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (msg.message == lastMessage && msg.pt.x == lastPoint.x && msg.pt.y == lastPoint.y)
            return FALSE;
        lastPoint = msg.pt;
        lastMessage = msg.message;
        return TRUE;
    }
    return msg.message != WM_PAINT && msg.message != kSysTimer;
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
    // Objects a caller may still hold across a nested loop live until the outermost one.
    if (AfxGetThreadState().nNestedLoops == 0)
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
    CWinApp* pThis = this;
    g_pApp.compare_exchange_strong(pThis, nullptr);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWinThread* AfxGetThread()
{
    return t_pThread;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    CWinApp* pApp = g_pApp;
    return pApp && pApp->m_hInstance ? pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    const HINSTANCE hResource = t_bResourceSet ? t_hResource : g_hAppResource.load();
    return hResource ? hResource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    t_hResource = hInstResource;
    t_bResourceSet = true;
    CWinApp* pApp = g_pApp;
    if (!pApp || pApp->m_nThreadID == ::GetCurrentThreadId())
        g_hAppResource = hInstResource;
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
