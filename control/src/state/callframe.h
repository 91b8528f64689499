// The frame the flat exports act on, and walks over its control bars.
#pragma once
#include "afxwin.h"

#include <functional>

// The registered in-place frame when there is one and it differs from the main
// window's top-level frame; otherwise that frame (or the main window itself); NULL
// without a main window.
CFrameWnd* ControlFrameOfCall();
// The registered in-place frame (the current environment's, or the process-wide one).
CFrameWnd* ControlInPlaceFrame();

// Calls fn for each control bar of the frame, from the head of its list; entries
// without a bar are skipped. fn returns false to stop the walk.
void ForEachControlBar(CFrameWnd* pFrame, const std::function<bool(CControlBar*)>& fn);

// A bar whose window still exists.
bool IsLiveBar(const CControlBar* pBar);

// The bar IDs drawn at run time (GetNextBarID).
constexpr UINT kFirstRunTimeBarID = 0xE83E;
constexpr UINT kLastRunTimeBarID = 0xE8FF;
// The floating frame of a floating bar, or NULL.
CWnd* FloatingFrameOf(CControlBar* pBar);
