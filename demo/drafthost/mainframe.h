// The demo host's main frame: a drawing sheet with the demo's toolbars docked on
// two sides and one floating, a status bar, and menus with the macro commands
// made through the control library.
#pragma once
#include "afxwin.h"

#include "commands.h"

#include <memory>
#include <string>
#include <vector>

class JControlOnlyInfo;

// What the frame shows about the control library.
struct DemoState {
    CString status;                                 // the status bar's message
    JControlOnlyInfo* pControl = nullptr;           // the library's current environment, or NULL
    std::vector<std::pair<UINT, CString>> macros;   // macro commands: ID and name
    bool large = false;                             // large buttons
};

// The sheet: the grid and a panel with the library's command categories.
class CSheetView : public CWnd {
public:
    explicit CSheetView(const DemoState& state) : m_state(state) {}

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void DrawCategories(CDC& dc);
    const DemoState& m_state;
};

class CMainFrame : public CFrameWnd {
public:
    explicit CMainFrame(DemoState state);
    ~CMainFrame() override;

    // Floats the Settings toolbar over the sheet; floating frames appear with a shown frame.
    void FloatSettingsBar();

    // Where the frame's parts lie in its window, as "name left top right bottom" lines
    // (window coordinates of the frame), for the screenshot check.
    std::string DescribeLayout() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnCommandRange(UINT nID);
    afx_msg void OnUpdateCommand(CCmdUI* pCmdUI);
    afx_msg void OnExit();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateToolBar(CToolBar& bar, UINT nID, const DemoCategory& category, const char* title);
    HMENU BuildMenu() const;

    DemoState m_state;
    CSheetView m_view;
    CStatusBar m_statusBar;
    CToolBar m_barDraw, m_barModify, m_barView, m_barSettings;
    std::vector<HBITMAP> m_strips;   // the toolbars' pictures, owned
};
