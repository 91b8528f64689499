#include "afxwin.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace {
std::atomic<AFX_ASSERT_HANDLER> g_assertHandler{nullptr};
}

AFX_ASSERT_HANDLER AfxSetAssertHandler(AFX_ASSERT_HANDLER pfnHandler)
{
    return g_assertHandler.exchange(pfnHandler);
}

void AfxAssertFailedLine(LPCSTR lpszExpression, LPCSTR lpszFile, int nLine)
{
    AfxTrace("%s(%d): assertion failed: %s\n", lpszFile ? lpszFile : "?", nLine, lpszExpression ? lpszExpression : "");
    if (AFX_ASSERT_HANDLER handler = g_assertHandler.load())
        handler(lpszExpression, lpszFile, nLine);
}

void AfxTrace(LPCSTR lpszFormat, ...)
{
    char text[1024];
    va_list args;
    va_start(args, lpszFormat);
    vsnprintf(text, sizeof text, lpszFormat, args);
    va_end(args);
    ::OutputDebugStringA(text);
}
