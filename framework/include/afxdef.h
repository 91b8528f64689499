// Base definitions of the framework layer: Windows headers and the export macro.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>

#ifdef AFXCORE_BUILD
#define AFX_CORE_API __declspec(dllexport)
#else
#define AFX_CORE_API __declspec(dllimport)
#endif

// Marks message handlers in class declarations; expands to nothing.
#define afx_msg

#ifndef PASCAL
#define PASCAL
#endif

// printf-style format checking for variadic members (argument positions count `this`).
#define AFX_PRINTF_MEMBER(fmt, first) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, first)))
#define AFX_PRINTF(fmt, first) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, first)))
