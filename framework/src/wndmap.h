// Internal: the maps from window handles to CWnd objects, and per-thread dispatch state.
#pragma once
#include "afxwnd.h"

struct AfxThreadState {
    MSG lastMsg{};                // message being dispatched (for Default)
    CWnd* pWndInit = nullptr;     // object waiting for its window in CreateEx
    HHOOK hHookCbt = nullptr;
    HWND hWndPrint = nullptr;     // window painting into a caller's DC (WM_PRINTCLIENT)
    HDC hDCPrint = nullptr;
};

AfxThreadState& AfxGetThreadState();

// Access to CWnd internals for the framework's own units.
struct AfxWndInternals {
    static WNDPROC& Super(CWnd* pWnd) { return pWnd->m_pfnSuper; }
    static void PostNcDestroy(CWnd* pWnd) { pWnd->PostNcDestroy(); }
};

void AfxMapAdd(HWND hWnd, CWnd* pWnd);
void AfxMapRemove(HWND hWnd);
