// Internal: the maps from window handles to CWnd objects, and per-thread dispatch state.
#pragma once
#include "afxwnd.h"

struct AfxThreadState {
    MSG lastMsg{};              // message being dispatched (for Default)
    CWnd* pWndInit = nullptr;   // object waiting for its window in CreateEx
    HHOOK hHookCbt = nullptr;
    ATOM atomClassInit = 0;        // class the awaited window must have (0: any)
    HWND hWndCreating = nullptr;   // window attached by the hook, until its creation returns
    HWND hWndPrint = nullptr;      // window painting into a caller's DC (WM_PRINTCLIENT)
    HDC hDCPrint = nullptr;
    int nNestedLoops = 0;           // message loops running inside the thread's outermost one
    HWND hWndReflected = nullptr;   // control whose notification was reflected already
    // A control may answer a notification it leaves to its parent and owner too: its answer
    // stands when none of them takes the notification.
    const NMHDR* pDeclinedNotify = nullptr;
    LRESULT declinedResult = 0;
};

AfxThreadState& AfxGetThreadState();

// Scopes the answer of a control that declined a notification to that notification.
class AfxDeclinedNotifyScope {
public:
    AfxDeclinedNotifyScope()
        : m_pNotify(AfxGetThreadState().pDeclinedNotify), m_result(AfxGetThreadState().declinedResult)
    {
    }
    ~AfxDeclinedNotifyScope()
    {
        AfxGetThreadState().pDeclinedNotify = m_pNotify;
        AfxGetThreadState().declinedResult = m_result;
    }
    // What nobody took gets the declining control's answer, else `fallback`.
    static LRESULT Unhandled(LPARAM lParam, LRESULT fallback)
    {
        const AfxThreadState& state = AfxGetThreadState();
        return lParam && state.pDeclinedNotify == reinterpret_cast<const NMHDR*>(lParam) ? state.declinedResult
                                                                                         : fallback;
    }
    AfxDeclinedNotifyScope(const AfxDeclinedNotifyScope&) = delete;
    AfxDeclinedNotifyScope& operator=(const AfxDeclinedNotifyScope&) = delete;

private:
    const NMHDR* m_pNotify;
    LRESULT m_result;
};

// Counts a message loop (or a dispatch that may run one) inside the thread's outermost loop.
class AfxNestedLoop {
public:
    AfxNestedLoop() { ++AfxGetThreadState().nNestedLoops; }
    ~AfxNestedLoop() { --AfxGetThreadState().nNestedLoops; }
    AfxNestedLoop(const AfxNestedLoop&) = delete;
    AfxNestedLoop& operator=(const AfxNestedLoop&) = delete;
};

// FALSE for messages that are not user activity: repaints, the caret's timer and mouse
// moves that did not move. Idle work does not start again after them.
BOOL AfxIsIdleMessage(const MSG& msg);

// The barrier where the system calls the framework: no exception may unwind through the
// system's frames. Called inside a catch block; reports the exception and returns what a
// failed message answers.
LRESULT AfxHandleWndProcException(HWND hWnd, UINT nMsg);
template <class Call>
LRESULT AfxCallGuarded(HWND hWnd, UINT nMsg, Call&& call)
{
    try {
        return call();
    } catch (...) {
        return AfxHandleWndProcException(hWnd, nMsg);
    }
}

// Finds a dialog template in the current resource module, else in the application.
LPCDLGTEMPLATEA AfxLoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE& hInstFound);

// Access to CWnd internals for the framework's own units.
struct AfxWndInternals {
    static WNDPROC& Super(CWnd* pWnd) { return pWnd->m_pfnSuper; }
    static void PostNcDestroy(CWnd* pWnd) { pWnd->PostNcDestroy(); }
    static BOOL OnChildNotify(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
    {
        return pWnd->OnChildNotify(message, wParam, lParam, pResult);
    }
};

void AfxMapAdd(HWND hWnd, CWnd* pWnd);
void AfxMapRemove(HWND hWnd);

// Attaches pWnd to the next window this thread creates for it (see CWnd::CreateEx),
// of the named class when one is given; the unhook returns TRUE when the object was attached.
void AfxHookWindowCreate(CWnd* pWnd, LPCSTR lpszClassName = nullptr);
BOOL AfxUnhookWindowCreate();

// Counts the thread's floating frames (framedock.cpp): while there are any, a focus that comes
// into a frame has it raise its floating frames again.
void AfxFloatingFrameMade();
void AfxFloatingFrameGone();
