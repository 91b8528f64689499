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
};

AfxThreadState& AfxGetThreadState();

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
