// What a toolbar's registry key may hold: the buffers its values are read into,
// which writing keeps within (a longer value would make the whole key unreadable).
#pragma once
#include "afxwin.h"
#include "afxpriv.h"

#include <cstddef>

namespace toolbar_key {

constexpr DWORD kListBytes = 1024;               // lists of buttons and IDs
constexpr DWORD kFlyoutBytes = 200;              // one flyout's commands
constexpr DWORD kRecordHeaderBytes = 200;        // a picture record's description
constexpr DWORD kNameBytes = 256;                // the caption, with its end
constexpr size_t kMostListed = kListBytes / 4;   // 256 entries
constexpr size_t kMostFlyoutCommands = kFlyoutBytes / 4;

// "DockSite": the stored code of each dock bar. Any other code docks at the top.
struct DockSite {
    DWORD code;
    UINT nDockBarID;
};
constexpr DockSite kDockSites[] = {{1, AFX_IDW_DOCKBAR_TOP},
                                   {2, AFX_IDW_DOCKBAR_BOTTOM},
                                   {3, AFX_IDW_DOCKBAR_LEFT},
                                   {4, AFX_IDW_DOCKBAR_RIGHT},
                                   {5, AFX_IDW_DOCKBAR_FLOAT}};

}   // namespace toolbar_key
