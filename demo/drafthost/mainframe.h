// The demo host's main frame, the library's customization frame: a drawing sheet with
// the control library's toolbars (its start-up add-in's defaults) docked on two sides
// and one floating, a panel of the library's unit fields docked at the bottom, a status
// bar, and menus with the macro commands made through the control library and Tools >
// Customize, which opens the library's customize dialog.
#pragma once
#include "afxwin.h"

#include "commands.h"
#include "jbars.h"
#include "jcustomize.h"
#include "layerpanel.h"
#include "snappanel.h"
#include "sheettabs.h"
#include "undopanel.h"
#include "attributepanel.h"

#include <memory>
#include <string>
#include <vector>

class CDraftAppInfo;
class JControlOnlyInfo;
class JToolBar;
class IJDynamicCommand;

// What the frame shows about the control library.
struct DemoState {
    CString status;                                 // the status bar's message
    JControlOnlyInfo* pControl = nullptr;           // the library's current environment, or NULL
    std::vector<std::pair<UINT, CString>> macros;   // macro commands: ID and name
    IJDynamicCommand* pMacroCommands = nullptr;     // their prompts and tips
    bool large = false;                             // large buttons
    bool restoreLayout = false;                     // toolbars from the saved layout, when there is one
    CDraftAppInfo* pApp = nullptr;                  // the application object, which makes an add-in's toolbars
    bool addIn = false;                             // the sample add-in is registered: the start-up DLL
};

// The sheet: the grid and a panel with the library's command categories.
class CSheetView : public CWnd {
public:
    explicit CSheetView(const DemoState& state) : m_state(state) {}
    // Where the panel of the library's categories lies in the sheet; empty without the library.
    CRect CategoryPanel() const;
    // How far the sheet is scrolled to the right, in pixels; the category panel stays put.
    void ScrollTo(int x);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void DrawCategories(CDC& dc);
    const DemoState& m_state;
    int m_nScrollX = 0;
};

class CMainFrame : public CCustomFrame {
public:
    explicit CMainFrame(DemoState state);
    ~CMainFrame() override;

    // Floats the Settings toolbar over the sheet; floating frames appear with a shown frame.
    void FloatSettingsBar();
    // Floats the Modify toolbar at a fixed place over the sheet, as a user may have dragged it.
    void FloatModifyBar();
    // A macro button with the macro's own picture and a picture the user gave a
    // command, on the View toolbar; a restored layout that has them keeps them.
    void AddCustomButtons();
    // Whether the toolbars came from the saved layout rather than the defaults.
    bool IsLayoutRestored() const { return m_bLayoutRestored; }
    // Whether a restored toolbar waits for the host to be ready before it shows.
    bool HasToolBarsWaitingToShow() const;
    // Writes the toolbars' layout and the unit panel's place for the next start; FALSE when the
    // layout cannot be written.
    BOOL SaveLayout();
    void SaveUnitPanelPlace();
    // The sheet keys (Ctrl+Page Up/Down, F2, the menu key and Shift+F10) that reach the
    // frame or the sheet go to the sheet tab bar.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The status bar's text for a command: its prompt; for the idle message, what the demo
    // says about the library.
    void GetMessageString(UINT nID, CString& rMessage) const override;

    // Where the frame's parts lie in its window, as "name left top right bottom [details]"
    // lines (window coordinates of the frame), for the screenshot check. Toolbars add
    // "dock=top|left|bottom|right|floating buttons=N button=WxH", unit fields "text=..."
    // (the rest of the line). The frame of a floating toolbar is "floating.NAME" ("floating"
    // too for Settings); "categories" is the sheet's panel of the library's categories.
    // "addin 0 0 0 0 calls=..." (no place) lists the start-up add-in's methods called so far.
    std::string DescribeLayout() const;

protected:
    // The sheet takes the client area: no MDI client.
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnCommandRange(UINT nID);
    afx_msg void OnUpdateCommand(CCmdUI* pCmdUI);
    afx_msg void OnExit();
    afx_msg void OnEnvironment(UINT nID);
    afx_msg void OnUpdateEnvironment(CCmdUI* pCmdUI);
    afx_msg void OnExportEnvironment();
    afx_msg void OnImportEnvironment();
    DECLARE_MESSAGE_MAP()

private:
    // The start-up add-in's default toolbars, placed as the demo first shows them;
    // FALSE when it gave not all of them.
    BOOL LoadDefaultToolBars();
    // The saved toolbars, docked and floating where they were; FALSE when none could be restored.
    BOOL RestoreToolBars();
    // The demo's toolbars among the frame's bars, known by their captions.
    void FindToolBars();
    BOOL CreateUnitPanel();
    // A field of the unit panel's sections, or NULL.
    CWnd* UnitField(UINT nID) const;
    // Shows a value in a unit field of the panel with the field's own units and format.
    void ShowInUnits(UINT nFieldID, UINT primary, UINT secondary, BYTE mode, BYTE precision, double value);
    // The menu bar of an environment: Survey has no Modify menu.
    HMENU BuildMenu(const CString& environment) const;
    // The first look of the Survey environment: Draw and View only.
    void PlaceSurveyToolBars();

    DemoState m_state;
    CSheetArea m_sheetArea;   // the sheet and the sheet tab bar under it
    CSheetView m_view;
    CStatusBar m_statusBar;
    JDialogBar m_unitPanel;   // the sections delete themselves with their windows
    CUndoPanel m_undoPanel;
    CAttributePanel m_attributePanel;
    // The toolbars delete themselves with their windows.
    JToolBar* m_pBarDraw = nullptr;
    JToolBar* m_pBarModify = nullptr;
    JToolBar* m_pBarView = nullptr;
    JToolBar* m_pBarSettings = nullptr;
    CLayerPanel* m_pLayerPanel = nullptr;   // deletes itself with its window
    CSnapPanel* m_pSnapPanel = nullptr;     // likewise
    bool m_bLayoutRestored = false;
};
