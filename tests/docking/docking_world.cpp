#include "docking_world.h"

#include "../toolbar/image_helpers.h"
#include "controlexports.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "module.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <sstream>
#include <tuple>

using testing_support::PumpMessages;
using testing_support::PumpUntil;

namespace docking {
namespace {

// Each step's name, the ranges of its arguments (0: none) and how often it is drawn.
struct OpInfo {
    const char* name;
    int range[4];   // bar, a, b, c
};
constexpr OpInfo kOps[] = {{"dock", {World::kBars, 4, 4, 100}},
                           {"float", {World::kBars, 100, 100}},
                           {"drag", {World::kBars, 6, 100}},
                           {"dblclick", {World::kBars}},
                           {"resize", {0, 4, 5}},
                           {"show", {World::kBars, 3}},
                           {"environment", {}},
                           {"saverestore", {}}};
constexpr int kWeights[] = {5, 3, 5, 2, 3, 2, 1, 1};
constexpr int Step::*kArgs[] = {&Step::bar, &Step::a, &Step::b, &Step::c};
constexpr UINT kDockBars[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
constexpr SIZE kFrameSizes[] = {{640, 440}, {900, 600}, {300, 220}, {170, 320}, {980, 700}};
constexpr int kOverlap = 2;   // docked bars overlap their neighbours by their hidden borders
constexpr UINT kCommands[] = {0x8101, 0x8102, 0x8103, 0x8104};
constexpr UINT kFirstBarID = AFX_IDW_CONTROLBAR_FIRST + 0x40;

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<DWORD*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountTopLevelWindow(HWND hWnd, LPARAM lParam)
{
    ::EnumChildWindows(hWnd, CountWindow, lParam);   // all descendants
    return CountWindow(hWnd, lParam);
}

CRect WindowRect(const CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    return rect;
}

CRect Common(const RECT& a, const RECT& b)
{
    CRect common;
    ::IntersectRect(common, &a, &b);
    return common;
}

// Input sent from a script step.
void Input(testing_support::ScriptedInput& script, std::function<void()> send)
{
    script.Then([send] { return send(), true; }, "input");
}

// Away from every button, so that no tip shows between steps.
void ParkMouse()
{
    testing_support::MoveMouse(CPoint(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1));
    PumpMessages();
}

[[gnu::format(printf, 2, 3)]] Failure Fail(const char* invariant, const char* format, ...)
{
    char detail[256];
    va_list args;
    va_start(args, format);
    vsnprintf(detail, sizeof detail, format, args);
    va_end(args);
    return Failure{invariant, detail};
}

}   // namespace

std::string Format(const Step& step)
{
    std::string text = kOps[(int)step.op].name;
    for (int i = 0; i < 4; ++i)
        if (kOps[(int)step.op].range[i])
            text += " " + std::to_string(step.*kArgs[i]);
    return text;
}

bool Parse(const std::string& line, Step& step)
{
    std::istringstream in(line);
    std::string name;
    in >> name;
    const auto found =
        std::find_if(std::begin(kOps), std::end(kOps), [&](const OpInfo& op) { return name == op.name; });
    if (found == std::end(kOps))
        return false;
    step = Step{(Op)(found - std::begin(kOps))};
    for (int i = 0; i < 4; ++i)
        if (found->range[i] && !(in >> step.*kArgs[i]))
            return false;
    return step.bar >= 0 && step.bar < World::kBars;
}

Step RandomStep(std::mt19937& random)
{
    std::discrete_distribution<int> pick(std::begin(kWeights), std::end(kWeights));
    Step step{(Op)pick(random)};
    for (int i = 0; i < 4; ++i) {
        // A bar is drawn for every step, used or not.
        const int range = i == 0 ? World::kBars : kOps[(int)step.op].range[i];
        step.*kArgs[i] = range ? std::uniform_int_distribution<int>(0, range - 1)(random) : 0;
    }
    if (!kOps[(int)step.op].range[0])
        step.bar = 0;
    return step;
}

World::World(const CString& keyPath) : m_keyPath(keyPath)
{
    ControlAttachProcess(::GetModuleHandleA(nullptr));
    JCreateEnvironmentManager(keyPath, 1, 1, 1, 1, 1, 1, 1, 1);
    JControlOnlyInfo* pInfo = GetJControlInfo();
    pInfo->m_nGripperBar = 1;
    pInfo->m_nFlatButtons = 1;
    pInfo->m_nLargeButtons = 0;
    HBITMAP strips[4];   // solid images in the four variants
    for (int variant = 0; variant < 4; ++variant)
        strips[variant] = image_test::MakeDib((variant >= 2 ? 24 : 16) * (int)std::size(kCommands),
                                              variant >= 2 ? 23 : 15, 24, RGB(0, 0, 40 * variant));
    pInfo->m_categories.AddCategory("Docking", strips[0], strips[1], strips[2], strips[3], kCommands, nullptr,
                                    (int)std::size(kCommands), 0);
    // The other environment exists from the start: what it makes once is no leak of a switch.
    JEnvironmentManager::Get()->CreateEnvironment("Elsewhere", nullptr, nullptr, nullptr);

    m_pFrame = new CFrameWnd;   // deletes itself with its window, and its bars with theirs
    m_pFrame->Create(nullptr, "docking", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(CPoint(40, 40), kFrameSizes[0]));
    m_pFrame->m_bAutoMenuEnable = FALSE;
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pOldMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = m_pFrame;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC;
    static const char* const kNames[] = {"Draw", "Edit", "View"};
    for (int i = 0; i < kToolBars; ++i) {
        auto* pBar = new JToolBar;
        pBar->Create(m_pFrame, kNames[i], kCommands, 2 + i, (int)(kFirstBarID + i), CBRS_ALIGN_ANY, dwStyle);
        m_bars[i] = pBar;
    }
    auto* pToolBar = new CToolBar;
    pToolBar->CreateEx(m_pFrame, TBSTYLE_FLAT, dwStyle, CRect(), kFirstBarID + 3);
    HDC hScreen = ::GetDC(nullptr);
    m_hToolImage = ::CreateCompatibleBitmap(hScreen, 16 * 3, 15);
    ::ReleaseDC(nullptr, hScreen);
    pToolBar->SetBitmap(m_hToolImage);
    pToolBar->SetButtons(kCommands, 3);
    m_bars[3] = pToolBar;
    auto* pDialogBar = new CDialogBar;
    pDialogBar->Create(m_pFrame, 100, dwStyle & ~CBRS_SIZE_DYNAMIC, kFirstBarID + 4);
    m_bars[4] = pDialogBar;
    // Each bar in its own row at the top, as a host starts.
    for (CControlBar* pBar : m_bars) {
        pBar->m_bAutoDelete = TRUE;
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    }
    m_pFrame->RecalcLayout();
    testing_support::MakeForeground(m_pFrame->m_hWnd);
    PumpMessages();
}

World::~World()
{
    if (::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    AfxGetApp()->m_pMainWnd = m_pOldMain;
    PumpMessages();
    ControlDetachProcess();
    ::DeleteObject(m_hToolImage);
}

CDockBar* World::DockBar(UINT nID) const
{
    return static_cast<CDockBar*>(m_pFrame->GetControlBar(nID));
}

CMiniDockFrameWnd* World::FloatingFrame(CControlBar* pBar) const
{
    if (!pBar->m_pDockBar || !pBar->m_pDockBar->m_bFloating)
        return nullptr;
    return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pBar->GetParentFrame());
}

Failure World::Run(const Step& step)
{
    m_rowsBefore = Rows();
    Failure failure;
    if (step.op == Op::SaveRestore)
        failure = SaveRestore();
    else if (step.op == Op::Environment)
        failure = SwitchEnvironment();
    else
        Apply(step);
    PumpMessages();
    // The main loop's idle pass, which updates bars and shows or hides floating frames.
    for (LONG n = 0; n < 8 && AfxGetApp()->OnIdle(n); ++n) {
    }
    PumpMessages();
    return failure ? failure : Check(step);
}

void World::Apply(const Step& step)
{
    const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (step.op == Op::Dock)
        Dock(step);
    else if (step.op == Op::Float)
        m_pFrame->FloatControlBar(m_bars[step.bar],
                                  CPoint((screen.cx - 120) * step.a / 100, (screen.cy - 60) * step.b / 100));
    else if (step.op == Op::Drag)
        Drag(step);
    else if (step.op == Op::DoubleClick)
        DoubleClick(step);
    else if (step.op == Op::Resize)
        Resize(step);
    else if (step.op == Op::Show)
        m_pFrame->ShowControlBar(m_bars[step.bar], step.a != 0, FALSE);   // shown twice as often as hidden
}

void World::Dock(const Step& step)
{
    CDockBar* pDockBar = DockBar(kDockBars[step.a]);
    const CRect dock = WindowRect(pDockBar);
    // Rows are about a bar's thickness apart; past the last row makes a new one.
    const int across = step.b * 24 + 8;
    const CPoint at = step.a < 2 ? CPoint(dock.left + dock.Width() * step.c / 100, dock.top + across)
                                 : CPoint(dock.left + across, dock.top + dock.Height() * step.c / 100);
    m_pFrame->DockControlBar(m_bars[step.bar], pDockBar, CRect(at, CSize(8, 8)));
    m_pFrame->RecalcLayout();
}

bool World::GripPoint(CControlBar* pBar, CPoint& point) const
{
    if (!pBar->IsWindowVisible() || ::IsIconic(m_pFrame->m_hWnd))
        return false;
    HWND hWndExpected = pBar->m_hWnd;
    if (CMiniDockFrameWnd* pFloating = FloatingFrame(pBar)) {
        CRect client;
        pFloating->GetClientRect(client);
        pFloating->ClientToScreen(client);
        point = CPoint(WindowRect(pFloating).left + 12, (WindowRect(pFloating).top + client.top) / 2);
        hWndExpected = pFloating->m_hWnd;
    } else {
        const CRect rect = WindowRect(pBar);
        point = (pBar->GetBarStyle() & CBRS_ORIENT_HORZ) ? CPoint(rect.left + 5, rect.CenterPoint().y)
                                                         : CPoint(rect.CenterPoint().x, rect.top + 5);
    }
    // Covered by another window (a floating frame), or off the screen: the user cannot take it there.
    return ::WindowFromPoint(point) == hWndExpected;
}

void World::Drag(const Step& step)
{
    CPoint from;
    if (!GripPoint(m_bars[step.bar], from))
        return;
    CRect client;
    m_pFrame->GetClientRect(client);
    m_pFrame->ClientToScreen(client);
    const CRect window = WindowRect(m_pFrame);
    const CPoint along(client.left + client.Width() * step.b / 100, client.top + client.Height() * step.b / 100);
    const CPoint zones[] = {{along.x, client.top + 3},
                            {along.x, client.bottom - 3},
                            {client.left + 3, along.y},
                            {client.right - 3, along.y},
                            client.CenterPoint() + CSize((step.b - 50) * client.Width() / 200, 0),
                            {window.right + 40 + step.b, window.top + 40 + step.b}};
    const CPoint to(std::clamp<int>(zones[step.a].x, 20, ::GetSystemMetrics(SM_CXSCREEN) - 20),
                    std::clamp<int>(zones[step.a].y, 40, ::GetSystemMetrics(SM_CYSCREEN) - 20));
    const CPoint middle((from.x + to.x) / 2, (from.y + to.y) / 2 + 7);
    testing_support::MakeForeground(m_pFrame->m_hWnd);
    // The drag loop dispatches the script's timer; the watchdog ends it if it never returns.
    testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
    Input(script.Wait(15), [middle] { testing_support::MoveMouse(middle); });
    Input(script.Wait(15), [to] { testing_support::MoveMouse(to); });
    Input(script.Wait(15), [to] { testing_support::SendMouseButton(to, false); });
    testing_support::SendMouseButton(from, true);
    PumpUntil([&] { return script.Done() && !::GetCapture(); });
    ParkMouse();
}

void World::DoubleClick(const Step& step)
{
    CControlBar* pBar = m_bars[step.bar];
    CPoint at;
    if (!GripPoint(pBar, at))
        return;
    testing_support::MakeForeground(m_pFrame->m_hWnd);
    const bool wasFloating = FloatingFrame(pBar) != nullptr;
    testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
    Input(script, [at] { testing_support::ClickAt(at), testing_support::ClickAt(at); });
    PumpUntil([&] { return script.Done() && !::GetCapture(); });
    int polls = 0;
    PumpUntil([&] { return (FloatingFrame(pBar) != nullptr) != wasFloating || ++polls > 5; });
    ParkMouse();
}

void World::Resize(const Step& step)
{
    if (step.a == 1) {
        m_pFrame->ShowWindow(SW_MINIMIZE);
    } else if (step.a == 2) {
        m_pFrame->ShowWindow(SW_RESTORE);
        testing_support::MakeForeground(m_pFrame->m_hWnd);
    } else if (!::IsIconic(m_pFrame->m_hWnd)) {
        CRect size(CPoint(0, 0), kFrameSizes[step.b]);
        if (step.a == 3) {   // the frame's borders around an empty client
            size.SetRectEmpty();
            ::AdjustWindowRectEx(size, m_pFrame->GetStyle(), FALSE, m_pFrame->GetExStyle());
        }
        m_pFrame->SetWindowPos(nullptr, 0, 0, size.Width(), size.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

Failure World::SwitchEnvironment()
{
    std::vector<BOOL> visible;
    for (CControlBar* pBar : m_bars)
        visible.push_back(pBar->IsWindowVisible());
    JEnvironmentManager::Get()->SetEnvironment("Elsewhere", nullptr, nullptr, nullptr);
    PumpMessages();
    JEnvironmentManager::Get()->SetEnvironment(0L);
    PumpMessages();
    for (int i = 0; i < kBars; ++i)
        if (m_bars[i]->IsWindowVisible() != visible[i])
            return Fail("environment", "bar %d was %sshown before switching to another environment and back", i,
                        visible[i] ? "" : "not ");
    return {};
}

Failure World::SaveRestore()
{
    const std::vector<Placement> before = Placements();
    std::vector<JToolBar*> bars;
    for (int i = 0; i < kToolBars; ++i) {
        auto* pBar = static_cast<JToolBar*>(m_bars[i]);
        pBar->StoreLastPosition();
        const auto place = [pBar] {
            return std::make_tuple(pBar->m_nDockBarID, pBar->m_ptDockPos, pBar->m_ptFloatPos, pBar->m_bFloating);
        };
        const auto stored = place();
        CString path;
        path.Format("%s\\Layout\\Toolbar%d", m_keyPath.GetString(), i);
        HKEY hKey = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        const BOOL bWritten = pBar->WriteToRegistry(hKey);
        const BOOL bRead = bWritten && pBar->ReadFromRegistry(hKey);
        ::RegCloseKey(hKey);
        if (!bRead || place() != stored)
            return Fail("layout", "toolbar %d %s", i,
                        !bWritten ? "not written"
                        : !bRead  ? "not read back"
                                  : "read back another place");
        bars.push_back(pBar);
    }
    // Placed again as a host places toolbars it makes from their keys: out of the dock bars,
    // then the floating ones at their places and each side's rows in order.
    for (JToolBar* pBar : bars)
        if (!pBar->m_bFloating && pBar->m_pDockBar)
            pBar->m_pDockBar->RemoveControlBar(pBar);
    m_pFrame->RecalcLayout();
    const auto order = [](const JToolBar* pBar) {
        const int side = (int)(std::find(std::begin(kDockBars), std::end(kDockBars), pBar->m_nDockBarID) - kDockBars);
        const CPoint at = pBar->m_ptDockPos;
        return side < 2 ? std::make_tuple(side, at.y, at.x) : std::make_tuple(side, at.x, at.y);
    };
    std::stable_sort(bars.begin(), bars.end(), [&](auto* a, auto* b) { return order(a) < order(b); });
    for (JToolBar* pBar : bars) {
        CRect rect(pBar->m_ptDockPos, CSize(30, 30));
        if (pBar->m_bFloating) {
            m_pFrame->FloatControlBar(pBar, pBar->m_ptFloatPos);
        } else {
            DockBar(pBar->m_nDockBarID)->ClientToScreen(rect);
            m_pFrame->DockControlBar(pBar, DockBar(pBar->m_nDockBarID), rect);
            m_pFrame->RecalcLayout();
        }
    }
    PumpMessages();
    const std::vector<Placement> after = Placements();
    const auto describe = [](const Placement& p) {
        char text[64];
        if (p.nDockBarID)
            snprintf(text, sizeof text, "dock bar %X row %d place %d", p.nDockBarID, p.row, p.order);
        else
            snprintf(text, sizeof text, "floating at %ld,%ld", p.floatPos.x, p.floatPos.y);
        return std::string(text);
    };
    for (int i = 0; i < kToolBars; ++i) {
        if (before[i].visible != after[i].visible)
            return Fail("visibility", "toolbar %d %s before it was saved, %s when placed again", i,
                        before[i].visible ? "shown" : "hidden", after[i].visible ? "shown" : "hidden");
        if (before[i] != after[i])
            return Fail("layout", "toolbar %d was at %s, placed again at %s", i, describe(before[i]).c_str(),
                        describe(after[i]).c_str());
    }
    return {};
}

std::vector<World::Placement> World::Placements() const
{
    // Rows and places counted among the library's toolbars only: the others are no part of
    // the stored layout, and rows of theirs alone may move up when it is placed again.
    const auto isToolBar = [this](const void* pEntry) { return std::count(m_bars, m_bars + kToolBars, pEntry) > 0; };
    std::vector<Placement> placements;
    for (CControlBar* pBar : m_bars) {
        Placement placement;
        placement.visible = pBar->IsWindowVisible() != FALSE;
        if (CMiniDockFrameWnd* pFloating = FloatingFrame(pBar)) {
            placement.floatPos = WindowRect(pFloating).TopLeft();
        } else if (CDockBar* pDockBar = pBar->m_pDockBar) {
            placement.nDockBarID = (UINT)pDockBar->GetDlgCtrlID();
            bool rowHasBars = false;
            for (int nPos = 1; nPos < (int)pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[nPos] != pBar; ++nPos) {
                if (isToolBar(pDockBar->m_arrBars[nPos])) {
                    rowHasBars = true;
                    ++placement.order;
                } else if (!pDockBar->m_arrBars[nPos] && rowHasBars) {
                    ++placement.row;
                    placement.order = 0;
                    rowHasBars = false;
                }
            }
        }
        placements.push_back(placement);
    }
    return placements;
}

std::vector<int> World::Rows() const
{
    std::vector<int> rows;
    for (UINT nID : kDockBars) {
        const CPtrArray& entries = DockBar(nID)->m_arrBars;
        int count = 0;
        for (int nPos = 1; nPos < (int)entries.GetSize(); ++nPos)
            count += entries[nPos] && !entries[nPos - 1];
        rows.push_back(count);
    }
    return rows;
}

std::string World::Signature() const
{
    std::ostringstream out;
    const CRect frame = WindowRect(m_pFrame);
    out << ::IsIconic(m_pFrame->m_hWnd) << frame.Width() << 'x' << frame.Height();
    for (CControlBar* pBar : m_bars) {
        const CRect rect = WindowRect(pBar);
        out << ' ' << pBar->IsWindowVisible() << (FloatingFrame(pBar) ? 'f' : 'd') << rect.left << ',' << rect.top
            << ',' << rect.Width() << ',' << rect.Height();
    }
    return out.str();
}

Failure World::Check(const Step& step)
{
    if (::GetCapture())
        return Fail("capture", "the mouse is still captured after the step");
    if (Failure failure = CheckDockBars(step))
        return failure;
    if (Failure failure = CheckFloating())
        return failure;
    // The same windows shown hold the same window and GDI objects: back at a state seen
    // before, more objects than then once may be made for good (a cache), twice is a leak.
    DWORD windows = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
    const Objects now{windows, image_test::GdiObjects()};
    const auto [seen, inserted] = m_objects.emplace(Signature(), now);
    const Objects then = seen->second;
    const bool more = now.windows > then.windows || now.gdi > then.gdi;
    seen->second = now;
    seen->second.grew = then.grew || more;
    if (!inserted && then.grew && more)
        return Fail("objects", "at %s the thread had %lu windows and %lu GDI objects, now %lu and %lu",
                    Signature().c_str(), then.windows, then.gdi, now.windows, now.gdi);
    return {};
}

Failure World::CheckDockBars(const Step& step) const
{
    const std::vector<int> rows = Rows();
    CRect client;
    m_pFrame->GetClientRect(client);
    // Inside and overlap are checked only when the frame has room for its bars.
    const bool room = !::IsIconic(m_pFrame->m_hWnd) && client.Width() >= 150 && client.Height() >= 150;
    const bool docking =
        step.op == Op::Dock || step.op == Op::Drag || step.op == Op::DoubleClick || step.op == Op::SaveRestore;
    for (int side = 0; side < 4; ++side) {
        CDockBar* pDockBar = DockBar(kDockBars[side]);
        const CPtrArray& entries = pDockBar->m_arrBars;
        // Rows: none empty, and none made by anything but docking.
        for (int nPos = 1; nPos < (int)entries.GetSize(); ++nPos)
            if (!entries[nPos] && !entries[nPos - 1])
                return Fail("rows", "dock bar %d has an empty row", side);
        if (entries.GetSize() == 0 || entries[0] || entries[entries.GetSize() - 1])
            return Fail("rows", "dock bar %d does not start and end with a row end", side);
        if (!docking && rows[side] > m_rowsBefore[side])
            return Fail("rows", "dock bar %d went from %d to %d rows", side, m_rowsBefore[side], rows[side]);
        CRect inside;
        pDockBar->GetClientRect(inside);
        std::vector<std::pair<int, CRect>> placed;
        for (int i = 0; i < kBars; ++i) {
            // Each bar docked once where it says it is, or alone in its floating frame; a dock bar
            // keeps one placeholder per bar at most.
            const int count = (int)std::count(entries.GetData(), entries.GetData() + entries.GetSize(), m_bars[i]);
            const bool here = m_bars[i]->m_pDockBar == pDockBar;
            if (count != (here ? 1 : 0) || !m_bars[i]->m_pDockBar)
                return Fail("membership", "bar %d is %d times in dock bar %d%s", i, count, side,
                            here ? ", its own" : "");
            const void* pPlaceHolder = reinterpret_cast<void*>((UINT_PTR)(kFirstBarID + i));
            if (std::count(entries.GetData(), entries.GetData() + entries.GetSize(), pPlaceHolder) > 1)
                return Fail("membership", "bar %d has more than one placeholder in dock bar %d", i, side);
            // Docked bars inside their dock bar (along the row when they fit) and clear of each other.
            if (!here || !room || !m_bars[i]->IsWindowVisible())
                continue;
            CRect rect = WindowRect(m_bars[i]);
            pDockBar->ScreenToClient(rect);
            rect.DeflateRect(kOverlap, kOverlap);
            CRect within = inside;
            if (side < 2 ? rect.Width() > inside.Width() : rect.Height() > inside.Height())
                (side < 2 ? within.right : within.bottom) = LONG_MAX;
            if (Common(rect, within) != rect)
                return Fail("inside", "bar %d at %ld,%ld %dx%d (less its hidden borders) leaves dock bar %d of %dx%d",
                            i, rect.left, rect.top, rect.Width(), rect.Height(), side, inside.Width(), inside.Height());
            for (const auto& [other, otherRect] : placed)
                if (!Common(rect, otherRect).IsRectEmpty())
                    return Fail("overlap", "bars %d and %d overlap in dock bar %d", other, i, side);
            placed.emplace_back(i, rect);
        }
    }
    return {};
}

Failure World::CheckFloating() const
{
    // Every floating frame shown holds a bar shown, and has enough of its caption on a screen to take hold of.
    for (int i = 0; i < kBars; ++i) {
        CMiniDockFrameWnd* pFloating = FloatingFrame(m_bars[i]);
        if (!pFloating || !pFloating->IsWindowVisible())
            continue;
        if (!pFloating->m_wndDockBar.GetDockedVisibleCount())
            return Fail("floating", "the floating frame of bar %d shows with no bar shown", i);
        CRect caption = WindowRect(pFloating);
        CRect client;
        pFloating->GetClientRect(client);
        pFloating->ClientToScreen(client);
        caption.bottom = client.top;
        MONITORINFO info{};
        info.cbSize = sizeof info;
        HMONITOR hMonitor = ::MonitorFromRect(caption, MONITOR_DEFAULTTONULL);
        const CRect shown = hMonitor && ::GetMonitorInfoA(hMonitor, &info) ? Common(caption, info.rcMonitor) : CRect();
        if (shown.Width() < std::min(16, caption.Width()) || shown.Height() < std::min(4, caption.Height()))
            return Fail("caption", "the floating frame of bar %d shows %dx%d of its caption (%dx%d at %ld,%ld)", i,
                        shown.Width(), shown.Height(), caption.Width(), caption.Height(), caption.left, caption.top);
    }
    return {};
}

}   // namespace docking
