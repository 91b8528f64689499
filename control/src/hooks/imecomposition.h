// Input-method results turned into the messages a window without input-method
// handling understands.
#pragma once
#include <windows.h>

// True when a WM_IME_COMPOSITION lParam announces a result (string or clauses).
inline bool CompositionHasResult(LPARAM lParam)
{
    return (lParam & (GCS_RESULTSTR | GCS_RESULTCLAUSE)) != 0;
}

// Sends hSource's composition result to hTarget as one WM_IME_CHAR per UTF-16 unit;
// the number of units sent.
long SendComposedResult(HWND hSource, HWND hTarget);

// Sends a WM_IME_CHAR's character to hTarget as WM_CHAR bytes in the thread's code page.
// A high surrogate waits in *pPendingHigh for its low half. The number of bytes sent.
int SendImeCharAsBytes(HWND hTarget, WPARAM wParam, wchar_t* pPendingHigh);
