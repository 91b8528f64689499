// A frame with dock bars on every side, library toolbars, a framework toolbar and a dialog bar,
// driven by steps a user or a host takes, and the checks that must hold after each step. Steps
// are plain data with a text form, so that a sequence can be kept in a file and replayed:
//   dock BAR SIDE ROW POS   DockControlBar at a rectangle in row ROW, POS percent along the side
//   float BAR X Y           FloatControlBar at X, Y percent of the screen
//   drag BAR ZONE POS       the real mouse from the gripper (or caption) to a zone: 0-3 just inside a
//                           side of the client (top, bottom, left, right), 4 its middle, 5 beside the frame
//   dblclick BAR            on the gripper of a docked bar or the caption of a floating one
//   resize KIND SIZE        0 a size of a table, 1 minimize, 2 restore, 3 a client of 0x0
//   show BAR ON             ShowControlBar (0 hides)
//   environment             to another environment and back
//   saverestore             each library toolbar to its key and back, placed again as a host does
#pragma once
#include "afxext.h"
#include "afxwin.h"

#include <map>
#include <random>
#include <string>
#include <vector>

namespace docking {

enum class Op { Dock, Float, Drag, DoubleClick, Resize, Show, Environment, SaveRestore };

struct Step {
    Op op = Op::Dock;
    int bar = 0, a = 0, b = 0, c = 0;
};

std::string Format(const Step& step);
bool Parse(const std::string& line, Step& step);   // false for a line that is no step
Step RandomStep(std::mt19937& random);

// A failed check: which invariant, and what was seen.
struct Failure {
    std::string invariant;   // empty: every check held
    std::string detail;
    explicit operator bool() const { return !invariant.empty(); }
};

class World {
public:
    // The library's state goes under the registry key at keyPath (below HKCU).
    explicit World(const CString& keyPath);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Runs one step (skipped when it cannot be taken now) and checks the invariants.
    Failure Run(const Step& step);

    static constexpr int kBars = 5;   // the library's toolbars first, a framework toolbar, a dialog bar
    static constexpr int kToolBars = 3;

private:
    struct Placement {
        UINT nDockBarID = 0;   // 0: floating
        int row = 0, order = 0;
        CPoint floatPos;
        bool visible = true;
        bool operator==(const Placement&) const = default;
    };
    struct Objects {
        DWORD windows = 0, gdi = 0;
        bool grew = false;   // once more than before
    };

    void Apply(const Step& step);
    Failure Check(const Step& step);
    Failure CheckDockBars(const Step& step) const;
    Failure CheckFloating() const;
    void Dock(const Step& step);
    void Drag(const Step& step);
    void DoubleClick(const Step& step);
    void Resize(const Step& step);
    Failure SaveRestore();
    Failure SwitchEnvironment();

    CDockBar* DockBar(UINT nID) const;
    CMiniDockFrameWnd* FloatingFrame(CControlBar* pBar) const;
    // Where the real mouse takes hold of a bar: its gripper, or its floating frame's caption.
    bool GripPoint(CControlBar* pBar, CPoint& point) const;
    std::vector<Placement> Placements() const;
    std::string Signature() const;   // where the frame and every bar are, and which are shown
    std::vector<int> Rows() const;   // rows of each dock bar

    CString m_keyPath;
    CFrameWnd* m_pFrame = nullptr;
    CControlBar* m_bars[kBars] = {};
    HBITMAP m_hToolImage = nullptr;
    CWnd* m_pOldMain = nullptr;
    std::vector<int> m_rowsBefore;
    std::map<std::string, Objects> m_objects;   // by signature
};

}   // namespace docking
