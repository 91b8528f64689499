// The frame's dock areas are the library's splitter dock bars; the panels at the left keep
// their places (docked or floating, floating size, the area's width and their share of it)
// under the library's registry root, "Panels".
#pragma once
#include "jdialogbar.h"

#include <vector>

// Before the frame's EnableDocking: the four sides.
bool MakeDockAreas(CFrameWnd* pFrame);

// The panels docked at the left one under the other, then placed as the last run left them.
void PlacePanels(CFrameWnd* pFrame, const std::vector<CBaseDialogBar*>& panels);
void SavePanelPlaces(CFrameWnd* pFrame, const std::vector<CBaseDialogBar*>& panels);
