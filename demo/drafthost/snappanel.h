// The snap panel: the library's resizable dialog bar with a caption, under the layer list at
// the left with a splitter between them. It floats and docks by a double-click on its
// caption; its snap modes are kept for the session.
#pragma once
#include "commands.h"
#include "jdialogbar.h"

class CSnapPanel : public CBaseDialogBar {
public:
    static constexpr UINT kBarID = ID_BAR_SNAP;

    // Made on the heap: the bar deletes itself with its window.
    static CSnapPanel* Make(CFrameWnd* pFrame, UINT nID);

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
};
