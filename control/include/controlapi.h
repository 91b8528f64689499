// Export macros of the control library.
#pragma once
#include "afxwin.h"

#ifdef CONTROL_BUILD
#define CONTROL_API extern "C" __declspec(dllexport)   // flat exports
#define CONTROL_CLASS __declspec(dllexport)            // exported classes
#else
#define CONTROL_API extern "C" __declspec(dllimport)
#define CONTROL_CLASS __declspec(dllimport)
#endif
