// Seeded random docking: a frame with dock bars on every side, library toolbars, a framework toolbar,
// a framework dialog bar and the library's dialog bar, driven by steps a user or a host takes (one a line,
// see World::Apply: dock BAR SIDE ROW POS, float BAR X Y, drag BAR ZONE POS, dblclick BAR, resize KIND SIZE,
// show BAR ON, environment, saverestore, dockstate, split SIDE WHICH MOVE, customize BAR KIND TARGET POS), with
// invariants checked after each step. A new failure is printed once with its seed and
// the shortest sequence that still fails; later ones of its invariant are only counted. Such sequences are
// kept under tests/data/docking and replayed; "# known: INVARIANT: fault" marks a fault not mended yet (the
// file is skipped, the random run counts that invariant's failures). ctest runs four seeds of 50 steps;
// README.md shows a longer run (DOCKING_FUZZ_STEPS, _SEED, _LENGTH per seed, _TRACE prints each step).
#include "../toolbar/image_helpers.h"
#include "controlexports.h"
#include "jbars.h"
#include "jdragger.h"
#include "jenvmanager.h"
#include "module.h"
#include "regfile.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

using testing_support::PumpMessages;
using testing_support::PumpUntil;

namespace {

enum class Op {
    Dock,
    Float,
    Drag,
    DoubleClick,
    Resize,
    Show,
    Environment,
    SaveRestore,
    DockState,
    Split,
    Ribbon,
    Customize
};

struct Step {
    Op op = Op::Dock;
    int bar = 0, a = 0, b = 0, c = 0;
};

// A failed check: which invariant, and what was seen.
struct Failure {
    std::string invariant;   // empty: every check held
    std::string detail;
    explicit operator bool() const { return !invariant.empty(); }
};

constexpr int kBars = 7;   // the library's toolbars first, a framework toolbar and dialog bar, the library's two
constexpr int kToolBars = 3;

// Each step's name, the ranges of its arguments (0: none) and how often it is drawn.
struct OpInfo {
    const char* name;
    int range[4];   // bar, a, b, c
};
constexpr OpInfo kOps[] = {
    {"dock", {kBars, 4, 4, 100}}, {"float", {kBars, 100, 100}}, {"drag", {kBars, 6, 100}},
    {"dblclick", {kBars}},        {"resize", {0, 4, 5}},        {"show", {kBars, 3}},
    {"environment", {}},          {"saverestore", {}},          {"dockstate", {}},
    {"split", {0, 4, 3, 100}},    {"ribbon", {0, 4, 4}},        {"customize", {kBars, 5, kToolBars, 100}}};
constexpr int kWeights[] = {5, 3, 5, 2, 3, 2, 1, 1, 2, 3, 3, 4};
constexpr int Step::*kArgs[] = {&Step::bar, &Step::a, &Step::b, &Step::c};
constexpr UINT kDockBars[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
constexpr SIZE kFrameSizes[] = {{640, 440}, {900, 600}, {300, 220}, {170, 320}, {980, 700}};
constexpr int kOverlap = 2;   // docked bars overlap their neighbours by their hidden borders
constexpr UINT kCommands[] = {0x8101, 0x8102, 0x8103, 0x8104};
constexpr UINT kFirstBarID = AFX_IDW_CONTROLBAR_FIRST + 0x40;

// The windows of this thread, children included.
DWORD WindowsOfThread()
{
    DWORD count = 0;
    const auto addTree = [](HWND hWnd, LPARAM counter) {
        const auto add = [](HWND, LPARAM counted) { return ++*reinterpret_cast<DWORD*>(counted), TRUE; };
        return ::EnumChildWindows(hWnd, add, counter), ++*reinterpret_cast<DWORD*>(counter), TRUE;
    };
    ::EnumThreadWindows(::GetCurrentThreadId(), addTree, reinterpret_cast<LPARAM>(&count));
    return count;
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
    return step.bar >= 0 && step.bar < kBars;
}

Step RandomStep(std::mt19937& random)
{
    std::discrete_distribution<int> pick(std::begin(kWeights), std::end(kWeights));
    Step step{(Op)pick(random)};
    for (int i = 0; i < 4; ++i) {
        // A bar is drawn for every step, used or not.
        const int range = i == 0 ? kBars : kOps[(int)step.op].range[i];
        step.*kArgs[i] = range ? std::uniform_int_distribution<int>(0, range - 1)(random) : 0;
    }
    if (!kOps[(int)step.op].range[0])
        step.bar = 0;
    return step;
}

// The frame and its bars, a step at a time.
class World {
public:
    // The library's state goes under the registry key at keyPath (below HKCU).
    explicit World(const CString& keyPath) : m_keyPath(keyPath)
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
        // The library's dock bars on every side, as its frame makes them; the framework adds none.
        constexpr DWORD kSides[] = {CBRS_TOP, CBRS_BOTTOM, CBRS_LEFT, CBRS_RIGHT};
        for (int side = 0; side < 4; ++side)
            (new CSplitterDockBar)
                ->Create(m_pFrame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | kSides[side],
                         kDockBars[side]);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC;
        static const char* const kNames[] = {"Draw", "Edit", "View"};
        for (int i = 0; i < kToolBars; ++i)
            (new JToolBar)
                ->Create(m_pFrame, kNames[i], kCommands, 2 + i, (int)(kFirstBarID + i), CBRS_ALIGN_ANY, dwStyle);
        auto* pToolBar = new CToolBar;
        pToolBar->CreateEx(m_pFrame, TBSTYLE_FLAT, dwStyle, CRect(), kFirstBarID + 3);
        pToolBar->SetBitmap(m_hToolImage = image_test::MakeDib(16 * 3, 15, 24, RGB(0, 0, 0)));
        pToolBar->SetButtons(kCommands, 3);
        (new CDialogBar)->Create(m_pFrame, 100, dwStyle & ~CBRS_SIZE_DYNAMIC, kFirstBarID + 4);
        // The library's dialog bars are sized with splitters: one fills its row and its area, the other
        // its row only.
        for (int i = 5; i < kBars; ++i) {
            auto* pDialogBar = new CBaseDialogBar;
            pDialogBar->Create(m_pFrame, 100, dwStyle & ~CBRS_SIZE_DYNAMIC, kFirstBarID + i, 0, nullptr, 0);
            pDialogBar->SetResizeable(TRUE);
            pDialogBar->SetStretchToFitHorz(TRUE);
            pDialogBar->SetStretchToFitVert(i == 5);
        }
        for (int i = 0; i < kBars; ++i)
            m_bars[i] = m_pFrame->GetControlBar(kFirstBarID + i);
        // Each bar in its own row at the top, as a host starts.
        for (CControlBar* pBar : m_bars) {
            pBar->m_bAutoDelete = TRUE;
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        }
        // The ribbon bar, apart from the bars above: two sections, docked at the bottom.
        m_pRibbon = new JDialogBar;
        m_pRibbon->Create(m_pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, kFirstBarID + kBars, 0, nullptr, 0);
        m_pRibbon->m_bAutoDelete = TRUE;
        m_pRibbon->m_bLayoutRead = TRUE;   // nothing stored
        m_pRibbon->SetWindowText("Ribbon");
        m_pRibbon->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(m_pRibbon, AFX_IDW_DOCKBAR_BOTTOM);
        for (int i = 0; i < 2; ++i)
            InsertSection(0);
        m_pFrame->RecalcLayout();
        testing_support::MakeForeground(m_pFrame->m_hWnd);
        PumpMessages();
        JToolBar::BeginCustomizeSession();
    }

    ~World()
    {
        JToolBar::EndCustomizeSession();
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        PumpMessages();
        ControlDetachProcess();
        ::DeleteObject(m_hToolImage);
    }

    // Runs one step (skipped when it cannot be taken now) and checks the invariants.
    Failure Run(const Step& step)
    {
        m_rowsBefore = Rows();
        m_firstSave = false;
        Failure failure = Apply(step);
        PumpMessages();
        // The main loop's idle pass, which updates bars and shows or hides floating frames.
        for (LONG n = 0; n < 8 && AfxGetApp()->OnIdle(n); ++n) {
        }
        PumpMessages();
        return failure ? failure : Check(step);
    }

private:
    struct Placement {
        UINT nDockBarID = 0;   // 0: floating
        int row = 0, order = 0;
        CPoint floatPos;
        bool visible = true;
        bool operator==(const Placement&) const = default;
        std::string Text() const
        {
            return (nDockBarID ? "in dock bar " + std::to_string(nDockBarID) + " row " + std::to_string(row) +
                                     " place " + std::to_string(order)
                               : "floating at " + std::to_string(floatPos.x) + "," + std::to_string(floatPos.y)) +
                   (visible ? ", shown" : ", hidden");
        }
    };
    struct Objects {
        DWORD windows = 0, gdi = 0;
        bool grew = false;   // once more than before
    };

    CDockBar* DockBar(UINT nID) const { return static_cast<CDockBar*>(m_pFrame->GetControlBar(nID)); }

    CMiniDockFrameWnd* FloatingFrame(CControlBar* pBar) const
    {
        if (!pBar->m_pDockBar || !pBar->m_pDockBar->m_bFloating)
            return nullptr;
        return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pBar->GetParentFrame());
    }

    Failure Apply(const Step& step)
    {
        CControlBar* pBar = m_bars[step.bar];
        const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        switch (step.op) {
        case Op::Dock: {   // on side a (top, bottom, left, right), in row b, c percent along it
            CDockBar* pDockBar = DockBar(kDockBars[step.a]);
            const CRect dock = WindowRect(pDockBar);
            const int across = step.b * 24 + 8;   // rows are about a bar's thickness apart
            const CPoint at = step.a < 2 ? CPoint(dock.left + dock.Width() * step.c / 100, dock.top + across)
                                         : CPoint(dock.left + across, dock.top + dock.Height() * step.c / 100);
            m_pFrame->DockControlBar(pBar, pDockBar, CRect(at, CSize(8, 8)));
            m_pFrame->RecalcLayout();
            break;
        }
        case Op::Float:   // at a, b percent of the screen
            m_pFrame->FloatControlBar(pBar, CPoint((screen.cx - 120) * step.a / 100, (screen.cy - 60) * step.b / 100));
            break;
        case Op::Drag:   // to zone a (Grab), b percent along it
        case Op::DoubleClick:
            Grab(step);
            break;
        case Op::Resize:   // a: 0 to size b of the table, 1 minimize, 2 restore, 3 a client of 0x0
            if (step.a == 1 || step.a == 2) {
                m_pFrame->ShowWindow(step.a == 1 ? SW_MINIMIZE : SW_RESTORE);
                if (step.a == 2)
                    testing_support::MakeForeground(m_pFrame->m_hWnd);
            } else if (!::IsIconic(m_pFrame->m_hWnd)) {
                CRect size(CPoint(0, 0), step.a == 3 ? CSize() : CSize(kFrameSizes[step.b]));
                if (step.a == 3)   // the frame's borders around an empty client
                    ::AdjustWindowRectEx(size, m_pFrame->GetStyle(), FALSE, m_pFrame->GetExStyle());
                m_pFrame->SetWindowPos(nullptr, 0, 0, size.Width(), size.Height(),
                                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        case Op::Show:   // a: 0 hides (shown twice as often as hidden)
            m_pFrame->ShowControlBar(pBar, step.a != 0, FALSE);
            break;
        case Op::Environment: {
            const std::vector<Placement> before = Placements();
            JEnvironmentManager::Get()->SetEnvironment("Elsewhere", nullptr, nullptr, nullptr);
            PumpMessages();
            JEnvironmentManager::Get()->SetEnvironment(0L);
            PumpMessages();
            const std::vector<Placement> after = Placements();
            for (int i = 0; i < kBars; ++i)
                if (before[i] != after[i])
                    return Fail("environment",
                                "bar %d was %s before switching to another environment and back, then %s", i,
                                before[i].Text().c_str(), after[i].Text().c_str());
            break;
        }
        case Op::SaveRestore:
            return SaveRestore();
        case Op::DockState:   // the library's dialog bar floats or docks as its double-click asks
            if (m_bars[kToolBars + 2]->IsWindowVisible() && !::IsIconic(m_pFrame->m_hWnd))
                m_bars[kToolBars + 2]->SendMessage(JDBM_CHANGEDOCKSTATE);
            break;
        case Op::Split:
            DragSplitter(step);
            break;
        case Op::Ribbon:   // a: 0 inserts a section at b, 1 removes section b, 2 floats or docks, 3 sizes to b + 1 rows
            RibbonStep(step.a, step.b);
            break;
        case Op::Customize:
            return Customize(step);
        }
        if (step.op == Op::Environment || step.op == Op::SaveRestore) {
            // Toolbars read again from the registry start a new customizing session.
            JToolBar::EndCustomizeSession();
            JToolBar::BeginCustomizeSession();
            m_undo.clear();
        }
        return {};
    }

    // The library's toolbars of the frame (the new ones too), by caption, with their buttons.
    std::map<std::string, std::vector<UINT>> ToolbarButtons() const
    {
        std::map<std::string, std::vector<UINT>> buttons;
        for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos;) {
            auto* pBar = DYNAMIC_DOWNCAST(JToolBar, (CObject*)m_pFrame->m_listControlBars.GetNext(pos));
            if (!pBar || !::IsWindow(pBar->m_hWnd) || pBar->m_bIsFlyout)
                continue;
            CString caption;
            pBar->GetWindowText(caption);
            CUIntArray ids;
            pBar->GetButtonIDs(ids);
            buttons[caption.GetString()].assign(ids.GetData(), ids.GetData() + ids.GetSize());
        }
        return buttons;
    }

    static int RealButtons(const std::map<std::string, std::vector<UINT>>& buttons)
    {
        int count = 0;
        for (const auto& [name, ids] : buttons)
            count += (int)std::count_if(ids.begin(), ids.end(), [](UINT id) { return id != 0; });
        return count;
    }

    // In customization mode, with the real mouse: a of toolbar BAR's real buttons (c percent into them) is moved
    // (0) or copied (1) onto toolbar b, c percent along it, or moved (2) or copied (3) onto the frame's middle;
    // 4 takes back the last step. A toolbar's last button is never moved: the three stay.
    Failure Customize(const Step& step)
    {
        const auto before = ToolbarButtons();
        if (step.a == 4) {
            const BOOL bUndone = JToolBar::UndoCustomizeStep();
            PumpMessages();
            if (bUndone != !m_undo.empty())
                return Fail("undo", "undo answered %d with %d steps made", bUndone, (int)m_undo.size());
            if (bUndone && ToolbarButtons() != m_undo.back())
                return Fail("undo", "the toolbars' buttons are not what they were before the step");
            if (bUndone)
                m_undo.pop_back();
            return {};
        }
        auto* pSource = static_cast<JToolBar*>(m_bars[step.bar % kToolBars]);
        CUIntArray ids;
        pSource->GetButtonIDs(ids);
        std::vector<int> real;
        for (int i = 0; i < (int)ids.GetSize(); ++i)
            if (ids[i] != 0)
                real.push_back(i);
        const bool bMove = step.a == 0 || step.a == 2;
        if (::IsIconic(m_pFrame->m_hWnd) || !pSource->IsWindowVisible() || real.empty() || (bMove && real.size() < 2))
            return {};
        CRect button;
        pSource->GetItemRect(real[step.c * (int)real.size() / 100], button);
        pSource->ClientToScreen(button);
        const CPoint from = button.CenterPoint();
        if (::WindowFromPoint(from) != pSource->m_hWnd)
            return {};
        CPoint to;
        if (step.a < 2) {
            CControlBar* pTarget = m_bars[step.b];
            if (!pTarget->IsWindowVisible())
                return {};
            const CRect rect = WindowRect(pTarget);
            const bool horz = (pTarget->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
            to = horz ? CPoint(rect.left + rect.Width() * step.c / 100, rect.CenterPoint().y)
                      : CPoint(rect.CenterPoint().x, rect.top + rect.Height() * step.c / 100);
        } else {
            CRect client;
            m_pFrame->GetClientRect(client);
            m_pFrame->ClientToScreen(client);
            to = client.CenterPoint();
        }
        to.x = std::clamp<int>(to.x, 20, ::GetSystemMetrics(SM_CXSCREEN) - 20);
        to.y = std::clamp<int>(to.y, 20, ::GetSystemMetrics(SM_CYSCREEN) - 20);
        JControlOnlyInfo* pInfo = GetJControlInfo();
        const BOOL bSavedBefore = pInfo->m_bRegistryUsed;
        pInfo->m_bCustomizationMode = TRUE;
        testing_support::MakeForeground(m_pFrame->m_hWnd);
        {
            testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
            const CPoint middle((from.x + to.x) / 2, (from.y + to.y) / 2);
            script.Wait(15).Then([middle] { return testing_support::MoveMouse(middle), true; }, "halfway");
            script.Wait(15).Then([to] { return testing_support::MoveMouse(to), true; }, "there");
            script.Wait(15).Then([to] { return testing_support::SendMouseButton(to, false), true; }, "let go");
            if (!bMove)
                testing_support::SendKey(VK_CONTROL, true);
            testing_support::SendMouseButton(from, true);
            PumpUntil([&] { return script.Done() && !::GetCapture(); });
            if (!bMove)
                testing_support::SendKey(VK_CONTROL, false);
        }
        pInfo->m_bCustomizationMode = FALSE;
        m_firstSave = !bSavedBefore && pInfo->m_bRegistryUsed;
        ParkMouse();
        if (CDragger::IsDragging())
            return Fail("customize", "the drag still runs after the button was let go");
        const auto after = ToolbarButtons();
        for (int i = 0; i < kToolBars; ++i)
            if (!::IsWindow(m_bars[i]->m_hWnd))
                return Fail("customize", "toolbar %d went with a button still on it", i);
        for (const auto& [name, list] : after)
            for (size_t i = 0; i < list.size(); ++i)
                if (list[i] == 0 && (i == 0 || i + 1 == list.size() || list[i - 1] == 0))
                    return Fail("customize", "toolbar %s has a separator at an end or after another", name.c_str());
        const int change = RealButtons(after) - RealButtons(before);
        if (change != 0 && change != (bMove ? -1 : 1))
            return Fail("customize", "a %s changed the number of buttons by %d", bMove ? "move" : "copy", change);
        if (after != before)
            m_undo.push_back(before);
        if (std::getenv("DOCKING_FUZZ_TRACE"))
            std::cout << "  buttons " << RealButtons(before) << " -> " << RealButtons(after) << std::endl;
        return {};
    }

    void InsertSection(int at)
    {
        auto* pSection = new JSectionDlg(101u);   // deletes itself with its window
        if (pSection->Create(101u, m_pRibbon))
            m_pRibbon->InsertDialog(pSection, nullptr, at % (m_pRibbon->GetDialogCount() + 1), TRUE);
    }

    void RibbonStep(int action, int b)
    {
        const int count = m_pRibbon->GetDialogCount();
        if (action == 0 && count < 8) {
            InsertSection(b);
        } else if (action == 1 && count > 0) {
            m_pRibbon->RemoveDialog(m_pRibbon->GetDialogInfo(b % count)->pDialog, TRUE);
        } else if (action == 2 && !::IsIconic(m_pFrame->m_hWnd)) {
            m_pRibbon->SendMessage(JDBM_CHANGEDOCKSTATE);
        } else if (action == 3 && m_pRibbon->IsFloating()) {
            // As the floating frame's bottom edge is let go of b + 1 rows down.
            CRect bar = WindowRect(m_pRibbon);
            const int rowHeight = m_pRibbon->RowHeight();
            JDBTRACKINFO track{{bar.left, bar.top + 1 + (b + 1) * rowHeight + rowHeight / 2}, {}, HTBOTTOM};
            m_pRibbon->SendMessage(JDBM_RESIZE, 0, (LPARAM)&track);
        }
    }

    // The ribbon bar's sections lie inside it, in a row when docked and in the rows its columns
    // give when floating; its floating frame fits it.
    Failure CheckRibbon() const
    {
        if (!m_pRibbon->IsWindowVisible() || ::IsIconic(m_pFrame->m_hWnd))
            return {};
        const CRect bar = WindowRect(m_pRibbon);
        const int count = m_pRibbon->GetDialogCount();
        std::set<LONG> tops;
        for (int i = 0; i < count; ++i) {
            const CRect section = WindowRect(m_pRibbon->GetDialogInfo(i)->pDialog);
            if (!m_pRibbon->GetDialogInfo(i)->pDialog->IsWindowVisible() || section.IsRectEmpty())
                return Fail("ribbon", "section %d of %d is hidden or empty", i, count);
            if (section.left < bar.left || section.right > bar.right)
                return Fail("ribbon", "section %d (%ld to %ld) lies beyond its bar (%ld to %ld)", i, section.left,
                            section.right, bar.left, bar.right);
            tops.insert(section.top);
        }
        const bool floating = m_pRibbon->IsFloating() != FALSE;
        // Floating, the bar's own controls take the first place of the first row, then one
        // section a place; places past the columns each start a row.
        const int first = m_pRibbon->IsEmpty() ? 1 : 2;
        const int inFirstRow = std::clamp(m_pRibbon->GetColumns() - first + 1, 0, count);
        const int rows = !floating ? (count ? 1 : 0) : (inFirstRow ? 1 : 0) + count - inFirstRow;
        if ((int)tops.size() != rows)
            return Fail("ribbon", "%d sections %s with %d columns stand in %d rows, not %d", count,
                        floating ? "floating" : "docked", m_pRibbon->GetColumns(), (int)tops.size(), rows);
        if (floating) {
            CWnd* pFloating = m_pRibbon->GetParentFrame();
            CRect client;
            pFloating->GetClientRect(client);
            pFloating->ClientToScreen(client);
            // Its hidden borders overlap the frame's edges.
            CRect inner(bar);
            inner.DeflateRect(kOverlap, kOverlap);
            if (Common(inner, client) != inner)
                return Fail("ribbon", "the floating bar (%dx%d) does not fit its frame (%dx%d)", bar.Width(),
                            bar.Height(), client.Width(), client.Height());
        }
        return {};
    }

    // Drags side a's outer splitter (b 0) or its inner splitter b - 1 with the real mouse by (c - 50) * 6
    // pixels, when the user can take hold of it.
    void DragSplitter(const Step& step)
    {
        auto* pArea = static_cast<CSplitterDockBar*>(DockBar(kDockBars[step.a]));
        if (!pArea->m_bSplittingEnabled || ::IsIconic(m_pFrame->m_hWnd) || !pArea->IsWindowVisible())
            return;
        const CRect window = WindowRect(pArea);
        CPoint from;
        int nHit = 0;
        if (step.b == 0) {
            const CPoint middle = window.CenterPoint();
            const CPoint edges[] = {{middle.x, window.bottom - 2},
                                    {middle.x, window.top + 1},
                                    {window.right - 2, middle.y},
                                    {window.left + 1, middle.y}};
            from = edges[step.a];
            nHit = step.a < 2 ? CSplitterDockBar::kHitOuterHorz : CSplitterDockBar::kHitOuterVert;
        } else if (const CSplitterDockBar::SplitterInfo* pInfo = pArea->GetSplitterInfo(step.b - 1)) {
            CRect splitter = pInfo->rect;
            pArea->ClientToScreen(splitter);
            from = Common(splitter, window).CenterPoint();
            nHit = pInfo->nKind == 2 ? CSplitterDockBar::kHitInnerHorz : CSplitterDockBar::kHitInnerVert;
        } else {
            return;
        }
        if (::WindowFromPoint(from) != pArea->m_hWnd ||
            pArea->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)) != nHit)
            return;
        const int move = (step.c - 50) * 6;
        const bool upDown = nHit == CSplitterDockBar::kHitOuterHorz || nHit == CSplitterDockBar::kHitInnerHorz;
        const CPoint to(std::clamp<int>(from.x + (upDown ? 0 : move), 0, ::GetSystemMetrics(SM_CXSCREEN) - 1),
                        std::clamp<int>(from.y + (upDown ? move : 0), 0, ::GetSystemMetrics(SM_CYSCREEN) - 1));
        testing_support::MakeForeground(m_pFrame->m_hWnd);
        testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        script.Wait(15).Then(
            [&] { return testing_support::MoveMouse(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2)), true; });
        script.Wait(15).Then([&] { return testing_support::MoveMouse(to), true; });
        script.Wait(15).Then([&] { return testing_support::SendMouseButton(to, false), true; });
        testing_support::SendMouseButton(from, true);
        PumpUntil([&] { return script.Done() && !::GetCapture(); });
        ParkMouse();
    }

    // Where the real mouse takes hold of a bar: its gripper, or its floating frame's caption (not its
    // close box, which a narrow frame has where the caption would be taken: the system tracks a press
    // there in a loop of its own that reads the mouse only, and a click there hides the bar).
    bool GripPoint(CControlBar* pBar, CPoint& point) const
    {
        if (!pBar->IsWindowVisible() || ::IsIconic(m_pFrame->m_hWnd))
            return false;
        HWND hWndExpected = pBar->m_hWnd;
        if (CMiniDockFrameWnd* pFloating = FloatingFrame(pBar)) {
            CRect client;
            pFloating->GetClientRect(client);
            pFloating->ClientToScreen(client);
            // Left of the caption's close button, which starts near the left edge of a narrow frame: a press
            // on that button runs the system's own loop until the button is let go.
            const CRect frame = WindowRect(pFloating);
            point = CPoint(frame.left + 12, (frame.top + client.top) / 2);
            const auto onCaption = [&] {
                return pFloating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) == HTCAPTION;
            };
            while (!onCaption() && point.x > frame.left + 2)
                --point.x;
            if (!onCaption())
                return false;
            hWndExpected = pFloating->m_hWnd;
        } else {
            const CRect rect = WindowRect(pBar);
            point = (pBar->GetBarStyle() & CBRS_ORIENT_HORZ) ? CPoint(rect.left + 5, rect.CenterPoint().y)
                                                             : CPoint(rect.CenterPoint().x, rect.top + 5);
        }
        // Covered by another window (a floating frame), or off the screen: the user cannot take it there.
        return ::WindowFromPoint(point) == hWndExpected;
    }

    // Drags a bar by its grip to zone a, b percent along it (just inside the client's top, bottom, left and
    // right sides, its middle, beside the frame), or double-clicks it there.
    void Grab(const Step& step)
    {
        CControlBar* pBar = m_bars[step.bar];
        CPoint from;
        if (!GripPoint(pBar, from))
            return;
        testing_support::MakeForeground(m_pFrame->m_hWnd);
        const bool wasFloating = FloatingFrame(pBar) != nullptr;
        // The drag loop dispatches the script's timer; the watchdog ends it if it never returns.
        testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        const auto input = [&script](std::function<void()> send) {
            script.Wait(15).Then([send] { return send(), true; }, "input");
        };
        if (step.op == Op::DoubleClick) {
            input([from] { testing_support::ClickAt(from), testing_support::ClickAt(from); });
        } else {
            CRect client;
            m_pFrame->GetClientRect(client);
            m_pFrame->ClientToScreen(client);
            const CRect window = WindowRect(m_pFrame);
            const CPoint along(client.left + client.Width() * step.b / 100,
                               client.top + client.Height() * step.b / 100);
            const CPoint zones[] = {{along.x, client.top + 3},
                                    {along.x, client.bottom - 3},
                                    {client.left + 3, along.y},
                                    {client.right - 3, along.y},
                                    client.CenterPoint() + CSize((step.b - 50) * client.Width() / 200, 0),
                                    {window.right + 40 + step.b, window.top + 40 + step.b}};
            const CPoint to(std::clamp<int>(zones[step.a].x, 20, ::GetSystemMetrics(SM_CXSCREEN) - 20),
                            std::clamp<int>(zones[step.a].y, 40, ::GetSystemMetrics(SM_CYSCREEN) - 20));
            const CPoint middle((from.x + to.x) / 2, (from.y + to.y) / 2 + 7);
            input([middle] { testing_support::MoveMouse(middle); });
            input([to] { testing_support::MoveMouse(to); });
            input([to] { testing_support::SendMouseButton(to, false); });
            testing_support::SendMouseButton(from, true);
        }
        PumpUntil([&] { return script.Done() && !::GetCapture(); });
        int polls = step.op == Op::DoubleClick ? 0 : 5;
        PumpUntil([&] { return (FloatingFrame(pBar) != nullptr) != wasFloating || ++polls > 5; });
        ParkMouse();
    }

    Failure SaveRestore()
    {
        std::vector<Placement> before = Placements();
        std::vector<int> sized;   // the size the user gave each area across, 0 for none
        for (UINT nID : kDockBars) {
            const auto* pArea = static_cast<CSplitterDockBar*>(DockBar(nID));
            const bool horz = pArea->m_dwDockStyle & CBRS_ORIENT_HORZ;
            sized.push_back(pArea->m_bSizeFixed && pArea->m_bSplittingEnabled
                                ? (horz ? pArea->m_nAreaHeight : pArea->m_nAreaWidth)
                                : 0);
        }
        // A row wrapped on screen (a frame too small for it) is stored as the lines it shows, and lines placed
        // again in such a row make it wrap: its bars need only come back to their dock bar.
        bool wrapped = false;
        Rows(&wrapped);
        std::vector<JToolBar*> bars;
        for (int i = 0; i < kToolBars; ++i) {
            auto* pBar = static_cast<JToolBar*>(m_bars[i]);
            pBar->StoreLastPosition();
            const auto place = [pBar] {
                return std::make_tuple(pBar->m_nDockBarID, pBar->m_ptDockPos, pBar->m_bFloating);
            };
            const auto stored = place();
            const CPoint floatPos = pBar->m_ptFloatPos;
            CString path;
            path.Format("%s\\Layout\\Toolbar%d", m_keyPath.GetString(), i);
            HKEY hKey = nullptr;
            ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
            const BOOL bWritten = pBar->WriteToRegistry(hKey);
            const BOOL bRead = bWritten && pBar->ReadFromRegistry(hKey);
            ::RegCloseKey(hKey);
            // A floating place off the screen, or too near its right or bottom edge to take hold of the
            // caption (64x48), comes back pulled onto it.
            const CPoint pulled = pBar->m_ptFloatPos;
            const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
            const bool reachable =
                floatPos.x >= 0 && floatPos.y >= 0 && floatPos.x <= screen.cx - 64 && floatPos.y <= screen.cy - 48;
            if (!before[i].nDockBarID)
                before[i].floatPos = pulled;
            if (!bRead || place() != stored ||
                (pulled != floatPos && (reachable || !CRect(CPoint(), screen).PtInRect(pulled))))
                return Fail("layout", "toolbar %d %s", i,
                            !bWritten ? "not written"
                            : !bRead  ? "not read back"
                                      : "read back another place");
            bars.push_back(pBar);
        }
        // Placed again as a host places toolbars it makes from their keys: out of the dock bars,
        // then the floating ones at their places and each side's rows in order, all before the
        // frame is laid out again (the other bars' rows keep their places meanwhile).
        for (JToolBar* pBar : bars)
            if (!pBar->m_bFloating && pBar->m_pDockBar)
                pBar->m_pDockBar->RemoveControlBar(pBar);
        const auto order = [](const JToolBar* pBar) {
            const int side =
                (int)(std::find(std::begin(kDockBars), std::end(kDockBars), pBar->m_nDockBarID) - kDockBars);
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
            }
        }
        m_pFrame->RecalcLayout();
        PumpMessages();
        // The user's size is kept, and the area is no thinner than it (its bars may need more).
        CRect client;
        m_pFrame->GetClientRect(client);
        for (int side = 0; side < 4 && !::IsIconic(m_pFrame->m_hWnd); ++side) {
            if (!sized[side])
                continue;
            const auto* pArea = static_cast<CSplitterDockBar*>(DockBar(kDockBars[side]));
            const int kept = side < 2 ? pArea->m_nAreaHeight : pArea->m_nAreaWidth;
            const int shown = side < 2 ? WindowRect(pArea).Height() : WindowRect(pArea).Width();
            const int room = side < 2 ? client.Height() : client.Width();
            if (!pArea->m_bSizeFixed || kept != sized[side] || (shown < sized[side] && sized[side] < room / 2))
                return Fail("sized area", "dock bar %d sized to %d by the user is %d (%s) after a save and restore",
                            side, sized[side], shown, pArea->m_bSizeFixed ? "kept" : "dropped");
        }
        const std::vector<Placement> after = Placements();
        for (int i = 0; i < kToolBars; ++i) {
            if (before[i].visible != after[i].visible)
                return Fail("visibility", "toolbar %d %s before it was saved, %s when placed again", i,
                            before[i].visible ? "shown" : "hidden", after[i].visible ? "shown" : "hidden");
            if (before[i] != after[i] && !((wrapped || (Rows(&wrapped), wrapped)) && before[i].nDockBarID &&
                                           before[i].nDockBarID == after[i].nDockBarID))
                return Fail("layout", "toolbar %d was %s, placed again %s", i, before[i].Text().c_str(),
                            after[i].Text().c_str());
        }
        return {};
    }

    std::vector<Placement> Placements() const
    {
        // Rows and places counted among the library's toolbars only: the others are no part of
        // the stored layout, and rows of theirs alone may move up when it is placed again.
        const auto isToolBar = [this](const void* pEntry) {
            return std::count(m_bars, m_bars + kToolBars, pEntry) > 0;
        };
        std::vector<Placement> placements;
        for (CControlBar* pBar : m_bars) {
            Placement placement;
            placement.visible = pBar->IsWindowVisible() != FALSE;
            if (CMiniDockFrameWnd* pFloating = FloatingFrame(pBar)) {
                placement.floatPos = WindowRect(pFloating).TopLeft();
            } else if (CDockBar* pDockBar = pBar->m_pDockBar) {
                placement.nDockBarID = (UINT)pDockBar->GetDlgCtrlID();
                bool rowHasBars = false;
                for (int nPos = 1; nPos < (int)pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[nPos] != pBar;
                     ++nPos) {
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

    // Rows of each dock bar; *pWrapped: whether a row of shown bars wraps on screen.
    std::vector<int> Rows(bool* pWrapped = nullptr) const
    {
        std::vector<int> rows;
        for (int side = 0; side < 4; ++side) {
            CDockBar* pDockBar = DockBar(kDockBars[side]);
            int count = 0;
            LONG line = LONG_MIN;   // where the row's shown bars start across
            for (int nPos = 1; nPos < (int)pDockBar->m_arrBars.GetSize(); ++nPos) {
                count += pDockBar->m_arrBars[nPos] && !pDockBar->m_arrBars[nPos - 1];
                line = pDockBar->m_arrBars[nPos] ? line : LONG_MIN;
                if (CControlBar* pBar = pDockBar->GetDockedControlBar(nPos);
                    pBar && pBar->IsWindowVisible() && pWrapped) {
                    const LONG at = side < 2 ? WindowRect(pBar).top : WindowRect(pBar).left;
                    *pWrapped = *pWrapped || (line != LONG_MIN && at != line);
                    line = at;
                }
            }
            rows.push_back(count);
        }
        return rows;
    }

    // Where the frame and every bar are, and which are shown.
    std::string Signature() const
    {
        std::ostringstream out;
        const CRect frame = WindowRect(m_pFrame);
        out << ::IsIconic(m_pFrame->m_hWnd) << frame.Width() << 'x' << frame.Height();
        for (CControlBar* pBar : m_bars) {
            const CRect rect = WindowRect(pBar);
            out << ' ' << pBar->IsWindowVisible() << (FloatingFrame(pBar) ? 'f' : 'd') << rect.left << ',' << rect.top
                << ',' << rect.Width() << ',' << rect.Height();
        }
        for (const auto& [name, ids] : ToolbarButtons())
            out << ' ' << name << ':' << ids.size();
        const CRect ribbon = WindowRect(m_pRibbon);
        out << " ribbon " << m_pRibbon->GetDialogCount() << (m_pRibbon->IsFloating() ? 'f' : 'd')
            << m_pRibbon->GetColumns() << ',' << ribbon.Width() << ',' << ribbon.Height();
        return out.str();
    }

    Failure Check(const Step& step)
    {
        if (::GetCapture())
            return Fail("capture", "the mouse is still captured after the step");
        if (Failure failure = CheckDockBars(step))
            return failure;
        if (Failure failure = CheckFloating())
            return failure;
        if (Failure failure = CheckRibbon())
            return failure;
        // The same windows shown hold the same window and GDI objects: back at a state seen
        // before, more objects than then once may be made for good (a cache), twice is a leak.
        const Objects now{WindowsOfThread(), image_test::GdiObjects()};
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

    Failure CheckDockBars(const Step& step) const
    {
        const std::vector<int> rows = Rows();
        CRect client;
        m_pFrame->GetClientRect(client);
        // Inside and overlap are checked only when the frame has room for its bars.
        const bool room = !::IsIconic(m_pFrame->m_hWnd) && client.Width() >= 150 && client.Height() >= 150;
        const bool docking = step.op == Op::Dock || step.op == Op::Drag || step.op == Op::DoubleClick ||
                             step.op == Op::SaveRestore || step.op == Op::DockState || step.op == Op::Ribbon ||
                             m_firstSave;
        for (int side = 0; side < 4; ++side) {
            CDockBar* pDockBar = DockBar(kDockBars[side]);
            const CPtrArray& entries = pDockBar->m_arrBars;
            // Rows: none empty, and none made by anything but docking.
            for (int nPos = 1; nPos < (int)entries.GetSize(); ++nPos)
                if (!entries[nPos] && !entries[nPos - 1])
                    return Fail("rows", "dock bar %d has an empty row", side);
            if (!docking && rows[side] > m_rowsBefore[side])
                return Fail("rows", "dock bar %d went from %d to %d rows", side, m_rowsBefore[side], rows[side]);
            CRect inside;
            pDockBar->GetClientRect(inside);
            if (Failure failure = CheckSplitters(side, room))
                return failure;
            std::vector<std::pair<int, CRect>> placed;
            for (int i = 0; i < kBars; ++i) {
                const bool here = m_bars[i]->m_pDockBar == pDockBar;
                // Docked bars inside their dock bar (along the row when they fit) and clear of each other.
                if (!here || !room || !m_bars[i]->IsWindowVisible())
                    continue;
                CRect rect = WindowRect(m_bars[i]);
                pDockBar->ScreenToClient(rect);
                rect.DeflateRect(kOverlap, kOverlap);
                // Longer than the side, a bar keeps a row of its own cut off at its end; thicker than the
                // room the frame has across (its dock bars and the opposite ones fill it), cut off there.
                CRect within = inside;
                const bool horz = side < 2;
                if (horz ? rect.Width() > inside.Width() : rect.Height() > inside.Height())
                    (horz ? within.right : within.bottom) = LONG_MAX;
                const CRect first = WindowRect(DockBar(kDockBars[side & 2])),
                            second = WindowRect(DockBar(kDockBars[side | 1]));
                if (horz ? first.Height() + second.Height() >= client.Height()
                         : first.Width() + second.Width() >= client.Width())
                    (horz ? within.bottom : within.right) = LONG_MAX;
                if (Common(rect, within) != rect)
                    return Fail(
                        "inside", "bar %d at %ld,%ld %dx%d (less its hidden borders) leaves dock bar %d of %dx%d", i,
                        rect.left, rect.top, rect.Width(), rect.Height(), side, inside.Width(), inside.Height());
                for (const auto& [other, otherRect] : placed)
                    if (!Common(rect, otherRect).IsRectEmpty())
                        return Fail("overlap", "bars %d and %d overlap in dock bar %d", other, i, side);
                placed.emplace_back(i, rect);
            }
        }
        return {};
    }

    // A splitting area: its splitters inside it, its resizable bars no shorter than the minimum, a size
    // the user gave it no thinner than the minimum.
    Failure CheckSplitters(int side, bool room) const
    {
        const auto* pArea = static_cast<CSplitterDockBar*>(DockBar(kDockBars[side]));
        if (pArea->m_bSizeFixed && (side < 2 ? pArea->m_nAreaHeight : pArea->m_nAreaWidth) < CSplitterDockBar::kMinArea)
            return Fail("splitters", "dock bar %d was sized to %d", side,
                        side < 2 ? pArea->m_nAreaHeight : pArea->m_nAreaWidth);
        if (!room || !pArea->m_bSplittingEnabled)
            return {};
        CRect area;
        pArea->GetClientRect(area);
        area.InflateRect(kOverlap, kOverlap);   // a row splitter starts under the hidden borders
        for (int i = 0; i < pArea->GetSplitterCount(); ++i) {
            const CRect splitter = pArea->GetSplitterInfo(i)->rect;
            if (Common(splitter, area) != splitter)
                return Fail("splitters", "splitter %d at %ld,%ld %dx%d leaves dock bar %d of %dx%d", i, splitter.left,
                            splitter.top, splitter.Width(), splitter.Height(), side, area.Width(), area.Height());
        }
        for (int i = 5; i < kBars; ++i) {
            if (m_bars[i]->m_pDockBar != pArea || !m_bars[i]->IsWindowVisible())
                continue;
            const CRect rect = WindowRect(m_bars[i]);
            if ((side < 2 ? rect.Width() : rect.Height()) < CSplitterDockBar::kMinBar)
                return Fail("splitters", "dialog bar %d is %dx%d in dock bar %d", i, rect.Width(), rect.Height(), side);
        }
        return {};
    }

    Failure CheckFloating() const
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
            const CRect shown =
                hMonitor && ::GetMonitorInfoA(hMonitor, &info) ? Common(caption, info.rcMonitor) : CRect();
            if (shown.Width() < std::min(16, caption.Width()) || shown.Height() < std::min(4, caption.Height()))
                return Fail("caption", "the floating frame of bar %d shows %dx%d of its caption (%dx%d at %ld,%ld)", i,
                            shown.Width(), shown.Height(), caption.Width(), caption.Height(), caption.left,
                            caption.top);
        }
        return {};
    }

    CString m_keyPath;
    CFrameWnd* m_pFrame = nullptr;
    CControlBar* m_bars[kBars] = {};
    JDialogBar* m_pRibbon = nullptr;   // deletes itself with its window
    HBITMAP m_hToolImage = nullptr;
    CWnd* m_pOldMain = nullptr;
    std::vector<int> m_rowsBefore;
    // The step's drop saved the layout first, as the first drop does: a hidden toolbar that never had a
    // place is docked beyond the outermost row of its side then, a row of its own when none is there.
    bool m_firstSave = false;
    // The toolbars' buttons before each customizing step of the session, the last one last.
    std::vector<std::map<std::string, std::vector<UINT>>> m_undo;
    std::map<std::string, Objects> m_objects;   // by signature
};

struct Outcome {
    Failure failure;
    size_t at = 0;   // the failing step
};

// Invariants that a fault still breaks: such failures are counted, and the steps go on.
using Tolerated = std::set<std::string>;

// Runs the steps in a new world until a failure that is not tolerated.
Outcome Replay(const std::vector<Step>& steps, const Tolerated& tolerated = {},
               std::map<std::string, int>* counts = nullptr)
{
    testing_support::ScopedTestKey key;
    World world(key.path());
    static const bool trace = std::getenv("DOCKING_FUZZ_TRACE") != nullptr;   // each step before it runs
    for (size_t i = 0; i < steps.size(); ++i) {
        if (trace)
            std::cout << "step " << i + 1 << ": " << Format(steps[i]) << std::endl;
        Failure failure = world.Run(steps[i]);
        if (failure && !tolerated.count(failure.invariant))
            return {failure, i};
        if (failure && counts)
            ++(*counts)[failure.invariant];
    }
    return {};
}

// Drops steps one at a time, from the last, while the same invariant still fails; bounded in time.
std::vector<Step> Shorten(std::vector<Step> steps, const std::string& invariant, const Tolerated& tolerated,
                          std::chrono::seconds budget)
{
    const auto end = std::chrono::steady_clock::now() + budget;
    for (size_t i = steps.size(); i-- > 0 && steps.size() > 1 && std::chrono::steady_clock::now() < end;) {
        std::vector<Step> fewer(steps);
        fewer.erase(fewer.begin() + (std::ptrdiff_t)i);
        if (const Outcome outcome = Replay(fewer, tolerated); outcome.failure.invariant == invariant) {
            steps.assign(fewer.begin(), fewer.begin() + (std::ptrdiff_t)outcome.at + 1);
            i = std::min(i, steps.size());
        }
    }
    return steps;
}

// A corpus file's steps, and the "# known:" text of a fault that still makes it fail.
std::pair<std::vector<Step>, std::string> ReadCase(const std::string& path)
{
    std::pair<std::vector<Step>, std::string> found;
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("# known:"))
            found.second = line.substr(8);
        if (line.empty() || line[0] == '#')
            continue;
        EXPECT_TRUE(Parse(line, found.first.emplace_back())) << path << ": no step: " << line;
    }
    return found;
}

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator((testing_support::TestDataFolder() + "docking").GetString()))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Invariants that known faults still break: the random run counts them without failing.
Tolerated KnownFaults()
{
    Tolerated known;
    for (const std::string& file : CorpusFiles())
        if (const std::string fault = ReadCase(file).second; !fault.empty())
            known.emplace(fault.begin() + 1, std::find(fault.begin(), fault.end(), ':'));
    return known;
}

int Setting(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

TEST(DockingFuzz, RandomStepsKeepTheInvariants)
{
    const int total = Setting("DOCKING_FUZZ_STEPS", 200);
    const int length = std::max(Setting("DOCKING_FUZZ_LENGTH", 50), 1);
    const int firstSeed = Setting("DOCKING_FUZZ_SEED", 1);
    const Tolerated known = KnownFaults();
    Tolerated tolerated = known;
    int ran = 0, seeds = 0;
    std::map<std::string, int> failures;
    for (int seed = firstSeed; ran < total; ++seed, ++seeds) {
        std::mt19937 random((unsigned)seed);
        std::vector<Step> steps;
        for (int i = 0; i < std::min(length, total - ran); ++i)
            steps.push_back(RandomStep(random));
        ran += (int)steps.size();
        if (std::getenv("DOCKING_FUZZ_TRACE"))
            std::cout << "seed " << seed << std::endl;
        // A new failure is reported with its shortest sequence, then tolerated for the rest of the run.
        for (Outcome outcome; (outcome = Replay(steps, tolerated, &failures)).failure;) {
            const std::string& invariant = outcome.failure.invariant;
            ++failures[invariant];
            std::vector<Step> shortest(steps.begin(), steps.begin() + outcome.at + 1);
            shortest = Shorten(shortest, invariant, tolerated, std::chrono::seconds(90));
            const Outcome last = Replay(shortest, tolerated);
            ADD_FAILURE() << "# seed " << seed << ", step " << outcome.at + 1 << ": " << invariant << ": "
                          << outcome.failure.detail << "\n# shortest (" << shortest.size() << " steps): "
                          << (last.failure ? last.failure.invariant + ": " + last.failure.detail : "passes alone")
                          << "\n";
            for (const Step& step : shortest)
                std::cout << Format(step) << "\n";
            tolerated.insert(invariant);
        }
    }
    std::cout << "docking fuzz: " << ran << " steps, seeds " << firstSeed << " to " << firstSeed + seeds - 1;
    for (const auto& [invariant, count] : failures)
        std::cout << ", " << invariant << " failed " << count << " times"
                  << (known.count(invariant) ? " (known fault)" : "");
    std::cout << "\n";
}

class DockingCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(DockingCorpus, ReplaysWithoutAFailure)
{
    const auto [steps, known] = ReadCase(GetParam());
    if (!known.empty())
        GTEST_SKIP() << GetParam() << ": known fault, not mended yet:" << known;
    const Outcome outcome = Replay(steps);
    EXPECT_FALSE(outcome.failure) << GetParam() << ", step " << outcome.at + 1 << ": " << outcome.failure.invariant
                                  << ": " << outcome.failure.detail;
}

// Named by number, in the order of the file names; a failure or skip names the file.
INSTANTIATE_TEST_SUITE_P(Files, DockingCorpus, ::testing::ValuesIn(CorpusFiles()));
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(DockingCorpus);

}   // namespace
