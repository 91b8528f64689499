// The message pump of a pop-up's own modal loop.
#pragma once
#include "afxwin.h"

// The next message of the thread. False when the loop must end: on WM_QUIT,
// which is posted again so that the loop outside sees it too, or on a failure.
inline bool GetPopupMessage(MSG& msg)
{
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0)
        ::PostQuitMessage((int)msg.wParam);
    return got != 0 && got != -1;
}
