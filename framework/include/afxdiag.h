// Diagnostics: assertions and trace output.
//
// Assertions stay on in every build: a failed one is reported to the debugger
// output and to the handler installed with AfxSetAssertHandler (the test
// programs make it fail the running test), then execution goes on.
#pragma once
#include "afxdef.h"

#include <cstdio>

typedef void (*AFX_ASSERT_HANDLER)(LPCSTR lpszExpression, LPCSTR lpszFile, int nLine);

// Installs a handler for failed assertions; returns the previous one (NULL: none).
AFX_CORE_API AFX_ASSERT_HANDLER AfxSetAssertHandler(AFX_ASSERT_HANDLER pfnHandler);
AFX_CORE_API void AfxAssertFailedLine(LPCSTR lpszExpression, LPCSTR lpszFile, int nLine);
// Writes printf-style text to the debugger output.
AFX_CORE_API void AfxTrace(LPCSTR lpszFormat, ...) AFX_PRINTF(1, 2);

#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(#f, __FILE__, __LINE__))
// Evaluates its argument in every build, and asserts it.
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(p) ASSERT((p) != nullptr)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define TRACE(...) AfxTrace(__VA_ARGS__)
