// The frame's dock areas are the library's splitter dock bars (its customization frame makes
// them); the panels at the left keep
// their places (docked or floating, floating size, the area's width and their share of it)
// under the library's registry root, "Panels".
#pragma once
#include "jdialogbar.h"

#include <vector>

// A panel for the left area made from its template: a resizable bar with a caption that
// deletes itself with its window, docks left or right and is docked back at the left by a
// double-click. FALSE when its window could not be made (the caller deletes the bar).
bool CreateSidePanel(CBaseDialogBar* pBar, CFrameWnd* pFrame, UINT nTemplate, UINT nID, const char* title);

// The panels docked at the left one under the other, then placed as the last run left them.
void PlacePanels(CFrameWnd* pFrame, const std::vector<CBaseDialogBar*>& panels);
void SavePanelPlaces(CFrameWnd* pFrame, const std::vector<CBaseDialogBar*>& panels);
