#include "mainframe.h"

#include "jcontrolinfo.h"

BEGIN_MESSAGE_MAP(CSheetView, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_DRAW_LINE, ID_VIEW_LAYERS, OnCommandRange)
    ON_COMMAND_RANGE(JMACRO_FIRST_ID, JMACRO_LAST_ID, OnCommandRange)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DRAW_LINE, ID_VIEW_LAYERS, OnUpdateCommand)
    ON_COMMAND(ID_APP_EXIT, OnExit)
END_MESSAGE_MAP()

namespace {
const COLORREF kSheet = RGB(255, 255, 255);
const COLORREF kGrid = RGB(220, 228, 240);
const COLORREF kAxis = RGB(150, 170, 200);
const int kGridStep = 20;
const UINT kIndicators[] = {ID_SEPARATOR};
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
    for (int x = sheet.left; x < sheet.right; x += kGridStep)
        dc.FillSolidRect(x, sheet.top, 1, sheet.Height(), (x / kGridStep) % 5 ? kGrid : kAxis);
    for (int y = sheet.top; y < sheet.bottom; y += kGridStep)
        dc.FillSolidRect(sheet.left, y, sheet.Width(), 1, (y / kGridStep) % 5 ? kGrid : kAxis);
    DrawCategories(dc);
}

void CSheetView::DrawCategories(CDC& dc)
{
    const JControlOnlyInfo* pInfo = m_state.pControl;
    if (!pInfo)
        return;
    // A panel listing what the library holds: its categories with their four strips.
    const int rows = (int)pInfo->m_categories.GetSize();
    CRect panel(2 * kGridStep + 1, 2 * kGridStep + 1, 2 * kGridStep + 1 + 330,
                2 * kGridStep + 1 + 28 + rows * 34 + 20 + (int)m_state.macros.size() * 16);
    dc.FillSolidRect(&panel, ::GetSysColor(COLOR_WINDOW));
    dc.Draw3dRect(&panel, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ oldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
    CString title;
    title.Format("Command categories in environment \"%s\"", (LPCSTR)pInfo->m_strCustomEnvironment);
    dc.TextOut(panel.left + 8, panel.top + 6, title);
    HDC hMemory = ::CreateCompatibleDC(dc.m_hDC);
    for (int i = 0; i < rows; ++i) {
        const JCategory* pCategory = static_cast<const JCategory*>(pInfo->m_categories.GetAt(i));
        const int top = panel.top + 28 + i * 34;
        dc.TextOut(panel.left + 8, top + 4, pCategory->m_strName);
        // Small plain, small colour, large colour, drawn with the transparent colour left out.
        int x = panel.left + 70;
        for (int strip : {JCategory::SmallPlain, JCategory::SmallColor, JCategory::LargeColor}) {
            HBITMAP hStrip = pCategory->m_hBitmaps[strip];
            BITMAP info{};
            if (!hStrip || !::GetObjectA(hStrip, sizeof info, &info))
                continue;
            HGDIOBJ old = ::SelectObject(hMemory, hStrip);
            ::TransparentBlt(dc.m_hDC, x, top + (30 - info.bmHeight) / 2, info.bmWidth, info.bmHeight, hMemory, 0, 0,
                             info.bmWidth, info.bmHeight, pInfo->m_crTransparent);
            ::SelectObject(hMemory, old);
            x += info.bmWidth + 8;
        }
    }
    ::DeleteDC(hMemory);
    int y = panel.top + 28 + rows * 34;
    dc.TextOut(panel.left + 8, y, "Macro commands (Macros menu):");
    for (const auto& [id, name] : m_state.macros) {
        y += 16;
        CString line;
        line.Format("%u  %s", id, (LPCSTR)name);
        dc.TextOut(panel.left + 20, y, line);
    }
    dc.SelectObject(oldFont);
}

// ---- the frame ----

CMainFrame::CMainFrame(DemoState state) : m_state(std::move(state)), m_view(m_state)
{
}

CMainFrame::~CMainFrame()
{
    for (HBITMAP hStrip : m_strips)
        ::DeleteObject(hStrip);
}

BOOL CMainFrame::CreateToolBar(CToolBar& bar, UINT nID, const DemoCategory& category, const char* title)
{
    const DWORD style =
        WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!bar.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), nID))
        return FALSE;
    const SIZE image = ButtonArtSize(m_state.large);
    bar.SetSizes(CSize(image.cx + 7, image.cy + 7), CSize(image.cx, image.cy));
    HBITMAP hStrip = DrawButtonStrip(GlyphsOf(category), {m_state.large, true}, ::GetSysColor(COLOR_BTNFACE));
    m_strips.push_back(hStrip);
    bar.SetBitmap(hStrip);
    const std::vector<UINT> ids = IdsOf(category);
    bar.SetButtons(ids.data(), (int)ids.size());
    bar.SetWindowText(title);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ::SetMenu(m_hWnd, BuildMenu());
    if (!m_view.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
        return -1;
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 1))
        return -1;
    m_statusBar.SetPaneText(0, m_state.status);

    EnableDocking(CBRS_ALIGN_ANY);
    const auto& categories = DemoCategories();
    if (!CreateToolBar(m_barDraw, ID_BAR_DRAW, categories[0], "Draw") ||
        !CreateToolBar(m_barModify, ID_BAR_MODIFY, categories[1], "Modify") ||
        !CreateToolBar(m_barView, ID_BAR_VIEW, categories[2], "View"))
        return -1;
    const DemoCategory settings = {"Settings",
                                   {{ID_VIEW_GRID, Glyph::Grid, "Grid"},
                                    {ID_VIEW_SNAP, Glyph::Snap, "Snap"},
                                    {ID_VIEW_LAYERS, Glyph::Layers, "Layers"}}};
    if (!CreateToolBar(m_barSettings, ID_BAR_SETTINGS, settings, "Settings"))
        return -1;

    // Draw and Modify share the top row, View stands on the left, Settings floats.
    DockControlBar(&m_barDraw, AFX_IDW_DOCKBAR_TOP);
    RecalcLayout();
    CRect drawRect;
    m_barDraw.GetWindowRect(&drawRect);
    drawRect.OffsetRect(drawRect.Width(), 0);
    DockControlBar(&m_barModify, AFX_IDW_DOCKBAR_TOP, &drawRect);
    DockControlBar(&m_barView, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&m_barSettings, AFX_IDW_DOCKBAR_BOTTOM);
    RecalcLayout();
    return 0;
}

void CMainFrame::FloatSettingsBar()
{
    CRect window;
    GetWindowRect(&window);
    FloatControlBar(&m_barSettings, CPoint(window.right - 220, window.top + 180));
    RecalcLayout();
}

HMENU CMainFrame::BuildMenu() const
{
    HMENU hBar = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, ID_APP_EXIT, "E&xit");
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hFile, "&File");
    for (const DemoCategory& category : DemoCategories()) {
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
    return hBar;
}

void CMainFrame::OnCommandRange(UINT nID)
{
    CString text;
    text.Format("Command %u", nID);
    m_statusBar.SetPaneText(0, text);
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
    const auto add = [&](const char* name, const CWnd& wnd) {
        if (!wnd.m_hWnd || !wnd.IsWindowVisible())
            return;
        CRect rect;
        wnd.GetWindowRect(&rect);
        rect.OffsetRect(-frame.left, -frame.top);
        char line[128];
        snprintf(line, sizeof line, "%s %ld %ld %ld %ld\n", name, rect.left, rect.top, rect.right, rect.bottom);
        text += line;
    };
    add("sheet", m_view);
    add("status", m_statusBar);
    add("draw", m_barDraw);
    add("modify", m_barModify);
    add("view", m_barView);
    add("settings", m_barSettings);
    if (CFrameWnd* pFloating = m_barSettings.GetParentFrame(); pFloating && pFloating != this)
        add("floating", *pFloating);
    return text;
}
