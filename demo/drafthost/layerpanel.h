// The layer list: the library's resizable dialog bar with a caption, docked at the left
// beside the View toolbar. It floats and docks by a double-click on its caption, and its
// floating frame sizes from every side and corner; the list fills what the bar is given.
#pragma once
#include "commands.h"
#include "jdialogbar.h"

class CLayerPanel : public CBaseDialogBar {
public:
    static constexpr UINT kBarID = ID_BAR_LAYERS;

    // Made on the heap: the bar deletes itself with its window.
    static CLayerPanel* Make(CFrameWnd* pFrame, UINT nID);

    void UpdateControlsPosition(long cx, long cy, BOOL bResize) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnNewLayer();
    DECLARE_MESSAGE_MAP()
};
