#include "mainframe.h"

#include "addintoolbars.h"
#include "afxpriv.h"
#include "appinfo.h"
#include "buttonart.h"
#include "controlexports.h"
#include "dockareas.h"
#include "jappinfo.h"
#include "jbars.h"
#include "jcontrolinfo.h"
#include "jenvmanager.h"
#include "junitcombo.h"
#include "junitedit.h"
#include "resource.h"
#include "sampleaddin.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>

BEGIN_MESSAGE_MAP(CSheetView, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMainFrame, CCustomFrame)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND_RANGE(ID_DRAW_LINE, ID_VIEW_LAYERS, OnCommandRange)
    ON_COMMAND_RANGE(JMACRO_FIRST_ID, JMACRO_LAST_ID, OnCommandRange)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DRAW_LINE, ID_VIEW_LAYERS, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(IDC_UNIT_FEET, IDC_UNIT_WEIGHT, OnUpdateCommand)   // else the panel greys them
    ON_COMMAND(ID_APP_EXIT, OnExit)
    ON_COMMAND_RANGE(ID_ENV_DRAFTING, ID_ENV_SURVEY, OnEnvironment)
    ON_COMMAND(ID_FILE_EXPORT_ENV, OnExportEnvironment)
    ON_COMMAND(ID_FILE_IMPORT_ENV, OnImportEnvironment)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ENV_DRAFTING, ID_ENV_SURVEY, OnUpdateEnvironment)
END_MESSAGE_MAP()

namespace {
const COLORREF kSheet = RGB(255, 255, 255);
const COLORREF kGrid = RGB(220, 228, 240);
const COLORREF kAxis = RGB(150, 170, 200);
const int kGridStep = 20;
const UINT kIndicators[] = {ID_SEPARATOR};
const double kMetresPerInch = 0.0254;
const double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

const char* DockSide(const CControlBar& bar)
{
    if (bar.IsFloating())
        return "floating";
    switch (bar.m_pDockBar ? bar.m_pDockBar->GetDlgCtrlID() : 0) {
    case AFX_IDW_DOCKBAR_TOP:
        return "top";
    case AFX_IDW_DOCKBAR_LEFT:
        return "left";
    case AFX_IDW_DOCKBAR_BOTTOM:
        return "bottom";
    case AFX_IDW_DOCKBAR_RIGHT:
        return "right";
    default:
        return "none";
    }
}

// "dock=... buttons=N button=WxH": where the toolbar is, its real buttons and their size.
std::string DescribeToolBar(JToolBar& bar)
{
    int buttons = 0, flyouts = 0;
    CRect button;
    for (int i = 0; i < bar.GetToolBarCtrl().GetButtonCount(); ++i) {
        if (bar.GetButtonStyle(i) & TBBS_SEPARATOR)
            continue;
        flyouts += bar.IsFlyout(i) ? 1 : 0;
        if (buttons++ == 0)
            bar.GetItemRect(i, &button);
    }
    char text[128];
    snprintf(text, sizeof text, "dock=%s buttons=%d button=%dx%d flyouts=%d", DockSide(bar), buttons, button.Width(),
             button.Height(), flyouts);
    return text;
}
}   // namespace

// ---- the sheet ----

BOOL CSheetView::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnPaint covers the whole client area
}

void CSheetView::OnPaint()
{
    CPaintDC dc(this);
    CRect sheet;
    GetClientRect(&sheet);
    dc.FillSolidRect(&sheet, kSheet);
    // x runs over the sheet's own coordinates, from the first grid line in view.
    for (int x = (m_nScrollX + kGridStep - 1) / kGridStep * kGridStep; x < sheet.right + m_nScrollX; x += kGridStep)
        dc.FillSolidRect(x - m_nScrollX, sheet.top, 1, sheet.Height(), (x / kGridStep) % 5 ? kGrid : kAxis);
    for (int y = sheet.top; y < sheet.bottom; y += kGridStep)
        dc.FillSolidRect(sheet.left, y, sheet.Width(), 1, (y / kGridStep) % 5 ? kGrid : kAxis);
    DrawCategories(dc);
}

namespace {
const int kCategoryRow = 34, kCategoryStripsLeft = 70, kStripGap = 8, kMacroRow = 16;
// The strips a category shows: small plain, small colour, large colour.
const int kPanelStrips[] = {JCategory::SmallPlain, JCategory::SmallColor, JCategory::LargeColor};

int StripsWidth(const JCategory& category)
{
    int width = 0;
    for (int strip : kPanelStrips) {
        BITMAP info{};
        if (category.m_hBitmaps[strip] && ::GetObjectA(category.m_hBitmaps[strip], sizeof info, &info))
            width += info.bmWidth + kStripGap;
    }
    return width;
}
}   // namespace

CRect CSheetView::CategoryPanel() const
{
    const JControlOnlyInfo* pInfo = m_state.pControl;
    if (!pInfo)
        return CRect();
    // As wide as the widest row of strips, and no narrower than its title needs.
    const int rows = (int)pInfo->m_categories.GetSize();
    int width = 330;
    for (int i = 0; i < rows; ++i)
        width = std::max(width, kCategoryStripsLeft +
                                    StripsWidth(*static_cast<const JCategory*>(pInfo->m_categories.GetAt(i))));
    const CPoint topLeft(2 * kGridStep + 1, 2 * kGridStep + 1);
    return CRect(topLeft, CSize(width, 28 + rows * kCategoryRow + 20 + (int)m_state.macros.size() * kMacroRow));
}

void CSheetView::ScrollTo(int x)
{
    if (x == m_nScrollX)
        return;
    m_nScrollX = x;
    Invalidate(FALSE);
}

void CSheetView::DrawCategories(CDC& dc)
{
    const JControlOnlyInfo* pInfo = m_state.pControl;
    if (!pInfo)
        return;
    // A panel listing what the library holds: its categories with their strips.
    const int rows = (int)pInfo->m_categories.GetSize();
    const CRect panel = CategoryPanel();
    dc.FillSolidRect(&panel, ::GetSysColor(COLOR_WINDOW));
    dc.Draw3dRect(&panel, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    // Nothing of it reaches past its border.
    const int saved = dc.SaveDC();
    CRect inside(panel);
    inside.DeflateRect(1, 1);
    dc.IntersectClipRect(inside);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    CString title;
    title.Format("Command categories in environment \"%s\"", (LPCSTR)pInfo->m_strCustomEnvironment);
    dc.TextOut(panel.left + 8, panel.top + 6, title);
    HDC hMemory = ::CreateCompatibleDC(dc.m_hDC);
    for (int i = 0; i < rows; ++i) {
        const JCategory* pCategory = static_cast<const JCategory*>(pInfo->m_categories.GetAt(i));
        const int top = panel.top + 28 + i * kCategoryRow;
        dc.TextOut(panel.left + 8, top + 4, pCategory->m_strName);
        // Drawn with the transparent colour left out.
        int x = panel.left + kCategoryStripsLeft;
        for (int strip : kPanelStrips) {
            HBITMAP hStrip = pCategory->m_hBitmaps[strip];
            BITMAP info{};
            if (!hStrip || !::GetObjectA(hStrip, sizeof info, &info))
                continue;
            HGDIOBJ old = ::SelectObject(hMemory, hStrip);
            ::TransparentBlt(dc.m_hDC, x, top + (30 - info.bmHeight) / 2, info.bmWidth, info.bmHeight, hMemory, 0, 0,
                             info.bmWidth, info.bmHeight, pInfo->m_crTransparent);
            ::SelectObject(hMemory, old);
            x += info.bmWidth + kStripGap;
        }
    }
    ::DeleteDC(hMemory);
    int y = panel.top + 28 + rows * kCategoryRow;
    dc.TextOut(panel.left + 8, y, "Macro commands (Macros menu):");
    for (const auto& [id, name] : m_state.macros) {
        y += kMacroRow;
        CString line;
        line.Format("%u  %s", id, (LPCSTR)name);
        dc.TextOut(panel.left + 20, y, line);
    }
    dc.RestoreDC(saved);
}

// ---- the frame ----

CMainFrame::CMainFrame(DemoState state) : m_state(std::move(state)), m_view(m_state)
{
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::LoadDefaultToolBars()
{
    // Through the library: the add-in asks the application object for each toolbar,
    // which the frame makes docked at the top, each on a row of its own.
    JLoadToolbarsFromDll();
    FindToolBars();
    if (!m_pBarDraw || !m_pBarModify || !m_pBarView || !m_pBarSettings)
        return FALSE;
    // Held down, Circle offers the closed shapes; its face follows the last pick.
    const UINT shapes[] = {ID_DRAW_CIRCLE, ID_DRAW_ELLIPSE, ID_DRAW_POLYGON};
    if (const int circle = m_pBarDraw->FindCommandIndex(ID_DRAW_CIRCLE); circle >= 0)
        m_pBarDraw->AddFlyout(circle, shapes, 3);

    // Draw and Modify share the top row, View stands on the left, Settings floats.
    DockControlBar(m_pBarDraw, AFX_IDW_DOCKBAR_TOP);
    RecalcLayout();
    CRect drawRect;
    m_pBarDraw->GetWindowRect(&drawRect);
    drawRect.OffsetRect(drawRect.Width(), 0);
    DockControlBar(m_pBarModify, AFX_IDW_DOCKBAR_TOP, &drawRect);
    DockControlBar(m_pBarView, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(m_pBarSettings, AFX_IDW_DOCKBAR_BOTTOM);
    return TRUE;
}

BOOL CMainFrame::RestoreToolBars()
{
    // The library re-creates the stored toolbars in this frame and docks them.
    if (LoadBarLayout(this, nullptr, nullptr) <= 0)
        return FALSE;
    FindToolBars();
    return TRUE;
}

void CMainFrame::FindToolBars()
{
    const std::pair<const char*, JToolBar**> known[] = {
        {"Draw", &m_pBarDraw}, {"Modify", &m_pBarModify}, {"View", &m_pBarView}, {"Settings", &m_pBarSettings}};
    for (const auto& [name, ppBar] : known)
        *ppBar = nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = DYNAMIC_DOWNCAST(JToolBar, static_cast<CControlBar*>(m_listControlBars.GetNext(pos)));
        if (!pBar || !pBar->m_hWnd)
            continue;
        CString caption;
        pBar->GetWindowText(caption);
        for (const auto& [name, ppBar] : known)
            if (caption == name && !*ppBar)
                *ppBar = pBar;
    }
}

BOOL CMainFrame::CreateUnitPanel()
{
    if (!m_unitPanel.Create(this, IDD_UNIT_PANEL, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY,
                            ID_BAR_UNITS, 0, nullptr, 0))
        return FALSE;
    m_unitPanel.SetWindowText("Units");
    m_unitPanel.EnableDocking(CBRS_ALIGN_BOTTOM | CBRS_ALIGN_TOP);
    // Its stored place (floating, docked at the top or the bottom, its rows) is read at its
    // first layout; pictures start from the default place.
    m_unitPanel.m_bLayoutRead = !m_state.restoreLayout;
    DockControlBar(&m_unitPanel, AFX_IDW_DOCKBAR_BOTTOM);
    for (UINT nID : {IDD_UNIT_DISTANCES, IDD_UNIT_ANGLES, IDD_UNIT_WEIGHT}) {
        auto* pSection = new JSectionDlg(nID);   // deletes itself with its window
        if (!pSection->Create(nID, &m_unitPanel))
            return FALSE;
        m_unitPanel.InsertDialog(pSection, nullptr, -1, TRUE);
    }
    ShowInUnits(IDC_UNIT_FEET, UNIT_FOOT, UNIT_INCH, UOM_FORMAT_FRACTION, 4, 66.5 * kMetresPerInch);
    ShowInUnits(IDC_UNIT_METRIC, UNIT_MILLIMETRE, UNIT_NONE, UOM_FORMAT_DECIMAL, 1, 1.6764);
    ShowInUnits(IDC_UNIT_ANGLE, UNIT_DEGREE, UNIT_NONE, UOM_FORMAT_DECIMAL, 0, 30 * kRadiansPerDegree);
    // Internal angles run counter-clockwise from east: 45 degrees is north-east.
    ShowInUnits(IDC_UNIT_DIRECTION, UNIT_DEGREE, UNIT_NONE, UOM_FORMAT_DECIMAL, 0, 45 * kRadiansPerDegree);
    // The weight field keeps the environment's weight units and format.
    if (auto* pWeight = DYNAMIC_DOWNCAST(JWeightComboBox, UnitField(IDC_UNIT_WEIGHT)))
        pWeight->SetValue(0.35e-3);
    return TRUE;
}

CWnd* CMainFrame::UnitField(UINT nID) const
{
    for (int i = 0; i < m_unitPanel.GetDialogCount(); ++i)
        if (CWnd* pField = m_unitPanel.GetDialogInfo(i)->pDialog->GetDlgItem((int)nID))
            return pField;
    return nullptr;
}

void CMainFrame::ShowInUnits(UINT nFieldID, UINT primary, UINT secondary, BYTE mode, BYTE precision, double value)
{
    // The window class made the field's object; the handle map finds it.
    auto* pField = DYNAMIC_DOWNCAST(JUnitEdit, UnitField(nFieldID));
    if (!pField)
        return;
    tagUomFormat format{};
    format.mode = mode;
    format.precision = precision;
    pField->SetUnitDisplayMode(0);   // the field's own units and format
    pField->SetLocalUnits(&primary, &secondary, nullptr);
    pField->SetLocalFormat(format);
    pField->SetValue(value);
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The library's frame makes the dock areas (its splitter dock bars) and floats bars in
    // its own floating frames.
    if (CCustomFrame::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CString environment = GetJControlInfo() ? CString(GetJControlInfo()->m_strCustomEnvironment) : CString();
    ::SetMenu(m_hWnd, BuildMenu(environment));
    // The environment's menu as it was left; the first time, the menu is stored as it
    // is, so that a switch keeps it.
    if (GetJControlInfo()) {
        HMENU hStored = m_state.restoreLayout ? ReadMenuFromRegistry(0) : nullptr;
        if (hStored)
            ReplaceMainMenu(hStored, ::GetMenu(m_hWnd));
        else
            WriteMenuToRegistry(0, nullptr, ::GetMenu(m_hWnd));
    }
    if (!m_sheetArea.Create(this, AFX_IDW_PANE_FIRST, &m_view))
        return -1;
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 1))
        return -1;
    m_statusBar.SetPaneText(0, m_state.status);
    // Laid out before the dock areas, the status bar runs along the whole bottom edge.
    ::SetWindowPos(m_statusBar.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // The unit panel lies along the bottom, nearest the sheet; the toolbars come as
    // they were left, or else as the demo first places them.
    if (!CreateUnitPanel())
        return -1;
    if (!m_undoPanel.Create(this, ID_BAR_HISTORY))
        return -1;
    DockControlBar(&m_undoPanel, AFX_IDW_DOCKBAR_BOTTOM);
    if (!m_attributePanel.Create(this, ID_BAR_ATTRIBUTES))
        return -1;
    DockControlBar(&m_attributePanel, AFX_IDW_DOCKBAR_BOTTOM);
    // As a host starts its environment: the start-up add-in is installed before the
    // stored layout is read, and gives its default toolbars when none was restored.
    if (m_state.pApp)
        ConnectAddInToolbars(*m_state.pApp, *this);
    if (m_state.addIn && SUCCEEDED(JLoadStartupDll(1, kSampleAddInProgID, 0)))
        JInitStartupDll();
    m_bLayoutRestored = m_state.restoreLayout && RestoreToolBars();
    if (!m_bLayoutRestored && !LoadDefaultToolBars()) {
        m_state.status = "The start-up add-in gave no toolbars";
        m_statusBar.SetPaneText(0, m_state.status);
    }
    // The layer list and the snap panel stand at the left beside the View toolbar, one under
    // the other, as the last run left them.
    m_pLayerPanel = CLayerPanel::Make(this, CLayerPanel::kBarID);
    m_pSnapPanel = CSnapPanel::Make(this, CSnapPanel::kBarID);
    if (!m_pLayerPanel || !m_pSnapPanel)
        return -1;
    PlacePanels(this, {m_pLayerPanel, m_pSnapPanel});
    RecalcLayout();
    return 0;
}

void CMainFrame::OnClose()
{
    // As a host does at shut-down: the ribbon bar's place in the environment's key,
    // every environment's settings, and the toolbars when they changed; the menu as it is.
    SaveUnitPanelPlace();
    if (GetJControlInfo()) {
        WriteMenuToRegistry(0, nullptr, ::GetMenu(m_hWnd));
        KeepLastEnvironment(GetJControlInfo()->m_strCustomEnvironment);
    }
    if (JEnvironmentManager* pManager = JGetEnvironmentManager())
        pManager->SaveAll();
    if (m_pLayerPanel && m_pSnapPanel)
        SavePanelPlaces(this, {m_pLayerPanel, m_pSnapPanel});
    CCustomFrame::OnClose();
}

void CMainFrame::OnDestroy()
{
    // The add-in takes its toolbars away and is uninstalled and let go while the
    // frame it was given still stands.
    if (m_state.addIn && JGetStartUpDllDispatch()) {
        JUnLoadToolbarsFromDll();
        JLoadStartupDll(0, kSampleAddInProgID, 0);
    }
    if (m_state.pApp)
        DisconnectAddInToolbars(*m_state.pApp);
    FindToolBars();
    CCustomFrame::OnDestroy();
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && m_sheetArea.m_hWnd &&
        (pMsg->hwnd == m_hWnd || pMsg->hwnd == m_sheetArea.m_hWnd || ::IsChild(m_sheetArea.m_hWnd, pMsg->hwnd)) &&
        m_sheetArea.TabBar().HandleKey((UINT)pMsg->wParam))
        return TRUE;
    return CCustomFrame::PreTranslateMessage(pMsg);
}

void CMainFrame::SaveUnitPanelPlace()
{
    if (m_unitPanel.m_hWnd) {
        m_unitPanel.StoreLastPosition();
        m_unitPanel.WriteToRegistry();
        m_unitPanel.CloseRegKey();
    }
}

BOOL CMainFrame::SaveLayout()
{
    SaveUnitPanelPlace();
    return ForceSaveBarLayout(this, nullptr, nullptr) > 0;
}

bool CMainFrame::HasToolBarsWaitingToShow() const
{
    for (const JToolBar* pBar : {m_pBarDraw, m_pBarModify, m_pBarView, m_pBarSettings})
        if (pBar && pBar->m_hWnd && pBar->m_bDeferredShow)
            return true;
    return false;
}

void CMainFrame::FloatSettingsBar()
{
    if (!m_pBarSettings)
        return;
    CRect window;
    GetWindowRect(&window);
    FloatControlBar(m_pBarSettings, CPoint(window.right - 220, window.top + 180));
    RecalcLayout();
}

void CMainFrame::FloatModifyBar()
{
    if (!m_pBarModify)
        return;
    CRect window;
    GetWindowRect(&window);
    FloatControlBar(m_pBarModify, CPoint(window.left + 420, window.top + 330));
    RecalcLayout();
}

void CMainFrame::AddCustomButtons()
{
    if (!m_pBarView || !m_pBarView->m_hWnd)
        return;
    bool hasMacro = false;
    for (int i = 0; i < (int)m_pBarView->GetCommandCount(); ++i)
        if (const CTMBITMAPSTRUCT* pRecord = m_pBarView->GetCustomRecord(i))
            hasMacro = hasMacro || pRecord->m_strMacro.Find("hatch") >= 0;
    if (!hasMacro)
        m_pBarView->AppendMacroButton("hatch");
    const int zoomIn = m_pBarView->FindCommandIndex(ID_VIEW_ZOOMIN);
    if (zoomIn < 0 || m_pBarView->GetCustomBitmapByCommand(ID_VIEW_ZOOMIN))
        return;
    // The user's picture: an orange disc, on a corner colour that stands for the face.
    const SIZE size = ButtonArtSize(m_state.large);
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hPicture = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    const HGDIOBJ hOld = ::SelectObject(hDC, hPicture);
    HBRUSH hBack = ::CreateSolidBrush(kButtonArtTransparent);
    const RECT all = {0, 0, size.cx, size.cy};
    ::FillRect(hDC, &all, hBack);
    ::DeleteObject(hBack);
    HBRUSH hOrange = ::CreateSolidBrush(RGB(255, 140, 0));
    HPEN hOutline = ::CreatePen(PS_SOLID, 1, RGB(120, 40, 0));
    const HGDIOBJ hOldBrush = ::SelectObject(hDC, hOrange);
    const HGDIOBJ hOldPen = ::SelectObject(hDC, hOutline);
    ::Ellipse(hDC, 1, 1, size.cx - 1, size.cy - 1);
    ::SelectObject(hDC, hOldPen);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hOrange);
    ::DeleteObject(hOutline);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    m_pBarView->SetPicture(zoomIn, hPicture);   // the toolbar keeps a copy
    ::DeleteObject(hPicture);
}

HMENU CMainFrame::BuildMenu(const CString& environment) const
{
    HMENU hBar = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, ID_FILE_EXPORT_ENV, "&Export Environment...");
    ::AppendMenuA(hFile, MF_STRING, ID_FILE_IMPORT_ENV, "&Import Environment...");
    ::AppendMenuA(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hFile, MF_STRING, ID_APP_EXIT, "E&xit");
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hFile, "&File");
    for (const DemoCategory& category : DemoCategories()) {
        if (environment == "Survey" && CString(category.name) == "Modify")
            continue;
        HMENU hPopup = ::CreatePopupMenu();
        for (const DemoCommand& command : category.commands)
            ::AppendMenuA(hPopup, command.nID ? MF_STRING : MF_SEPARATOR, command.nID, command.name);
        CString title;
        title.Format("&%s", category.name);
        ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hPopup, title);
    }
    HMENU hMacros = ::CreatePopupMenu();
    for (const auto& [id, name] : m_state.macros)
        ::AppendMenuA(hMacros, MF_STRING, id, name);
    if (m_state.macros.empty())
        ::AppendMenuA(hMacros, MF_STRING | MF_GRAYED, 0, "(no macro host)");
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hMacros, "&Macros");
    HMENU hTools = ::CreatePopupMenu();
    ::AppendMenuA(hTools, MF_STRING, ID_JCUSTOMIZE, "&Customize...");
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hTools, "&Tools");
    HMENU hEnvironments = ::CreatePopupMenu();
    ::AppendMenuA(hEnvironments, MF_STRING, ID_ENV_DRAFTING, "&Drafting");
    ::AppendMenuA(hEnvironments, MF_STRING, ID_ENV_SURVEY, "&Survey");
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hEnvironments, "&Environment");
    return hBar;
}

namespace {

const char* EnvironmentOf(UINT nID)
{
    return nID == ID_ENV_SURVEY ? "Survey" : "Drafting";
}

// An environment whose toolbars were stored before.
bool HasStoredLayout(const char* environment)
{
    JEnvironmentManager* pManager = JGetEnvironmentManager();
    JEnvironmentRecord* pEnvironment =
        pManager ? pManager->GetEnvironment(pManager->FindEnvironmentIndex(environment)) : nullptr;
    GUserText path;
    HKEY hKey = nullptr;
    if (!pEnvironment || !pEnvironment->MakeRegistryPath(nullptr, "Toolbars", path) ||
        ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD count = 0, size = sizeof count;
    const bool stored = ::RegQueryValueExA(hKey, "ToolbarCount", nullptr, nullptr, reinterpret_cast<BYTE*>(&count),
                                           &size) == ERROR_SUCCESS &&
                        count > 0;
    ::RegCloseKey(hKey);
    return stored;
}

}   // namespace

void CMainFrame::OnEnvironment(UINT nID)
{
    const char* environment = EnvironmentOf(nID);
    const bool firstVisit = !HasStoredLayout(environment);
    if (!JSetEnvironment(environment)) {
        // A refused switch puts the environment left back with toolbars made anew.
        FindToolBars();
        m_statusBar.SetPaneText(0, CString("Still in ") + GetJControlInfo()->m_strCustomEnvironment.GetString());
        return;
    }
    FindToolBars();
    // The library brought the environment's stored menu; the first time it has none.
    if (HMENU hStored = ReadMenuFromRegistry(0)) {
        ::DestroyMenu(hStored);
    } else {
        ReplaceMainMenu(BuildMenu(environment), ::GetMenu(m_hWnd));
        WriteMenuToRegistry(0, nullptr, ::GetMenu(m_hWnd));
    }
    DrawMenuBar();
    if (firstVisit && CString(environment) == "Survey")
        PlaceSurveyToolBars();
    // The sheet shows the categories of the environment now current.
    m_state.pControl = GetJControlInfo();
    if (m_view.m_hWnd)
        m_view.Invalidate();
    m_statusBar.SetPaneText(0, CString("Environment: ") + environment);
}

void CMainFrame::OnUpdateEnvironment(CCmdUI* pCmdUI)
{
    JControlOnlyInfo* pInfo = GetJControlInfo();
    pCmdUI->Enable(pInfo != nullptr);
    pCmdUI->SetCheck(pInfo && pInfo->m_strCustomEnvironment == EnvironmentOf(pCmdUI->m_nID));
}

namespace {

// A ".reg" file picked in the common file dialog; empty when the user cancels.
CString PickEnvironmentFile(HWND hOwner, bool save, const CString& environment)
{
    char file[MAX_PATH] = "";
    if (save)
        std::snprintf(file, sizeof file, "%s.reg", (LPCSTR)environment);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hOwner;
    dialog.lpstrFilter = "Registry files (*.reg)\0*.reg\0All files\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrDefExt = "reg";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL picked = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
    return picked ? CString(file) : CString();
}

}   // namespace

void CMainFrame::OnExportEnvironment()
{
    JControlOnlyInfo* pInfo = GetJControlInfo();
    if (!pInfo)
        return;
    const CString environment = pInfo->m_strCustomEnvironment.GetString();
    const CString file = PickEnvironmentFile(m_hWnd, true, environment);
    if (file.IsEmpty())
        return;
    // The file holds what is stored: the toolbars and the menu as they are now go first.
    ForceSaveBarLayout(this, nullptr, nullptr);
    WriteMenuToRegistry(0, nullptr, ::GetMenu(m_hWnd));
    char message[512] = "";
    if (JExportEnvironment(nullptr, file, message, sizeof message) == JENVFILE_DONE)
        m_statusBar.SetPaneText(0, "Environment " + environment + " exported to " + file);
    else
        ::MessageBoxA(m_hWnd, message, "Export Environment", MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::OnImportEnvironment()
{
    JControlOnlyInfo* pInfo = GetJControlInfo();
    if (!pInfo)
        return;
    const CString environment = pInfo->m_strCustomEnvironment.GetString();
    const CString file = PickEnvironmentFile(m_hWnd, false, environment);
    if (file.IsEmpty())
        return;
    char message[512] = "";
    if (JImportEnvironment(nullptr, file, message, sizeof message) != JENVFILE_DONE) {
        ::MessageBoxA(m_hWnd, message, "Import Environment", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The imported toolbars, unit display values and menu take the place of those shown.
    LoadBarLayout(this, nullptr, nullptr);
    FindToolBars();
    if (HMENU hStored = ReadMenuFromRegistry(0)) {
        ReplaceMainMenu(hStored, ::GetMenu(m_hWnd));
        DrawMenuBar();
    }
    RecalcLayout();
    m_statusBar.SetPaneText(0, "Environment " + environment + " imported from " + file);
}

void CMainFrame::PlaceSurveyToolBars()
{
    for (JToolBar* pBar : {m_pBarModify, m_pBarSettings})
        if (pBar)
            ShowControlBar(pBar, FALSE, FALSE);
    if (m_pBarView) {
        DockControlBar(m_pBarView, AFX_IDW_DOCKBAR_TOP);
        RecalcLayout();
    }
    // Not saved here: a save now would clear the library's record that the layout
    // changed, and what the user then does to these bars would be lost on the next
    // switch. The switch away and the save at close store it.
}

void CMainFrame::OnCommandRange(UINT nID)
{
    // The demo draws nothing: it says which command came.
    CString name;
    for (const DemoCategory& category : DemoCategories())
        for (const DemoCommand& command : category.commands)
            if (command.nID == nID)
                name = command.name;
    for (const auto& [id, macro] : m_state.macros)
        if (id == nID)
            name = macro;
    m_statusBar.SetPaneText(0, name + " chosen (the demo draws nothing)");
    m_undoPanel.Record(name);
}

void CMainFrame::GetMessageString(UINT nID, CString& rMessage) const
{
    char prompt[256] = "";
    if (nID == AFX_IDS_IDLEMESSAGE)
        rMessage = m_state.status;
    else if (m_state.pMacroCommands && m_state.pMacroCommands->GetStatusPrompt(nID, prompt, sizeof prompt) > 0)
        rMessage = prompt;
    else
        CCustomFrame::GetMessageString(nID, rMessage);
}

void CMainFrame::OnUpdateCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CMainFrame::OnExit()
{
    PostMessage(WM_CLOSE);
}

std::string CMainFrame::DescribeLayout() const
{
    CRect frame;
    GetWindowRect(&frame);
    std::string text;
    const auto add = [&](const std::string& name, const CWnd* pWnd, const std::string& details) {
        if (!pWnd || !pWnd->m_hWnd || !pWnd->IsWindowVisible())
            return;
        CRect rect;
        pWnd->GetWindowRect(&rect);
        rect.OffsetRect(-frame.left, -frame.top);
        char line[96];
        snprintf(line, sizeof line, "%s %ld %ld %ld %ld", name.c_str(), rect.left, rect.top, rect.right, rect.bottom);
        text += line;
        text += details.empty() ? "\n" : " " + details + "\n";
    };
    add("sheet", &m_view, "");
    if (const CRect tabs = m_sheetArea.VisibleTabBar(); !tabs.IsRectEmpty()) {
        char line[96];
        snprintf(line, sizeof line, "sheettabs %ld %ld %ld %ld tabs=%d\n", tabs.left - frame.left, tabs.top - frame.top,
                 tabs.right - frame.left, tabs.bottom - frame.top, m_sheetArea.SheetCount());
        text += line;
    }
    if (const CRect panel = m_view.CategoryPanel(); !panel.IsRectEmpty()) {
        CRect sheet;
        m_view.GetWindowRect(&sheet);
        char line[96];
        snprintf(line, sizeof line, "categories %ld %ld %ld %ld\n", sheet.left - frame.left + panel.left,
                 sheet.top - frame.top + panel.top, sheet.left - frame.left + panel.right,
                 sheet.top - frame.top + panel.bottom);
        text += line;
    }
    add("status", &m_statusBar, std::string("text=") + (LPCSTR)m_statusBar.GetPaneText(0));
    if (const std::string calls = AddInCalls(); !calls.empty())
        text += "addin 0 0 0 0 calls=" + calls + "\n";
    const std::pair<const char*, JToolBar*> toolbars[] = {
        {"draw", m_pBarDraw}, {"modify", m_pBarModify}, {"view", m_pBarView}, {"settings", m_pBarSettings}};
    for (const auto& [name, pBar] : toolbars)
        if (pBar)
            add(name, pBar, DescribeToolBar(*pBar));
    if (CFrameWnd* pFloating = m_pBarSettings ? m_pBarSettings->GetParentFrame() : nullptr; pFloating != this)
        add("floating", pFloating, "");
    for (const auto& [name, pBar] : toolbars)
        if (pBar && pBar->m_hWnd && pBar->IsFloating())
            add(std::string("floating.") + name, pBar->GetParentFrame(), "");
    add("layers", m_pLayerPanel, "");
    add("snap", m_pSnapPanel, "");
    add("units", &m_unitPanel, "");
    const std::pair<const char*, UINT> fields[] = {{"units.feet", IDC_UNIT_FEET},
                                                   {"units.metric", IDC_UNIT_METRIC},
                                                   {"units.angle", IDC_UNIT_ANGLE},
                                                   {"units.direction", IDC_UNIT_DIRECTION},
                                                   {"units.weight", IDC_UNIT_WEIGHT}};
    for (const auto& [name, nID] : fields) {
        if (!m_unitPanel.m_hWnd)
            break;
        CString value;
        if (CWnd* pField = UnitField(nID)) {
            pField->GetWindowText(value);
            add(name, pField, std::string("text=") + (LPCSTR)value);
        }
    }
    return text;
}
