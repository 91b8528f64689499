// The framework's modal message loop. Modal dialogs run it instead of the
// system's dialog loop so that the application's pre-translation (accelerators,
// IsDialogMessage) and idle work (command-UI updates) go on while they are up.
#include "afxwin.h"
#include "wndmap.h"

int CWnd::RunModalLoop(DWORD dwFlags)
{
    // The window's handle is kept apart from the object: once the window is
    // gone the object may be too, and the loop must not touch it.
    const HWND hWnd = m_hWnd;
    if (!hWnd)
        return -1;
    // Temporary objects outlive the loop: its idle passes do not free them.
    AfxNestedLoop nested;
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    bool showPending = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    const HWND hWndParent = ::GetParent(hWnd);
    bool idle = true;
    LONG idleCount = 0;
    MSG msg;
    for (;;) {
        // Idle work until it is done or a message comes.
        while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showPending) {
                showPending = false;
                ::ShowWindow(hWnd, SW_SHOWNORMAL);
                ::UpdateWindow(hWnd);
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent && idleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(hWnd));
            if (!(dwFlags & MLF_NOKICKIDLE))
                ::SendMessageA(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount);
            if (!::IsWindow(hWnd))
                return -1;
            if (!ContinueModal())
                return m_nModalResult;
            CWinThread* pThread = AfxGetThread();
            if (!pThread || !pThread->OnIdle(idleCount++))
                idle = false;
        }

        // Messages until the queue runs empty; GetMessage waits, so an idle loop does not spin.
        do {
            const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0)
                    ::PostQuitMessage((int)msg.wParam);   // the outer loop must see it too
                if (::IsWindow(hWnd))
                    m_bContinueModal = FALSE;
                return -1;
            }
            // The thread's pre-translation walks from the target up through parents
            // and owners, so it reaches this window's PreTranslateMessage (IsDialogMessage).
            CWinThread* pThread = AfxGetThread();
            const BOOL handled = pThread ? pThread->PreTranslateMessage(&msg) : WalkPreTranslateTree(nullptr, &msg);
            if (!handled) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (!::IsWindow(hWnd))
                return -1;
            if (!ContinueModal())
                return m_nModalResult;
            if (pThread ? pThread->IsIdleMessage(&msg) : AfxIsIdleMessage(msg)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal()
{
    return m_bContinueModal;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_bContinueModal) {
        m_bContinueModal = FALSE;
        // A loop waiting in GetMessage (a message sent from another thread
        // ended it) wakes up and sees the flag.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}
