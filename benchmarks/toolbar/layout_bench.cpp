// A whole layout of 30 toolbars of 25 buttons each, stored and restored by the
// library (SaveBarLayout, LoadBarLayout), against the floor of that work: the
// bare registry writes of the same values, and the bare reads of them plus
// creating and docking 30 framework toolbars with the same buttons, each with
// its own copy of a prebuilt picture strip. The library's save includes making it crash-consistent.
#include "controlexports.h"
#include "jbars.h"
#include "toolbar_bench.h"

#include "afxpriv.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace toolbar_bench {

namespace {

constexpr double kTarget = 1.5;
constexpr int kToolbars = 30;
constexpr int kRuns = 9;
constexpr int kPairsPerRun = 3;
constexpr LPCSTR kLayoutKey = "Software\\CONTROL\\toolbar_bench\\Toolbars";
constexpr LPCSTR kBareKey = "Software\\CONTROL\\toolbar_bench\\BareLayout";

struct Value {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
};
// Every value of the stored layout, by subkey ("" for the "Toolbars" key itself).
using Layout = std::map<std::string, std::vector<Value>>;

std::vector<Value> Values(HKEY hKey)
{
    std::vector<Value> values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[4096];
        DWORD cchName = sizeof name, type = 0, size = sizeof data;
        if (::RegEnumValueA(hKey, i, name, &cchName, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        values.push_back({name, type, std::vector<BYTE>(data, data + size)});
    }
    return values;
}

Layout ReadLayout()
{
    Layout layout;
    HKEY hToolbars = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kLayoutKey, 0, KEY_READ, &hToolbars) != ERROR_SUCCESS)
        return layout;
    layout[""] = Values(hToolbars);
    for (int n = 0; n < kToolbars; ++n) {
        const std::string name = "Toolbar" + std::to_string(n);
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(hToolbars, name.c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
            layout[name] = Values(hKey);
            ::RegCloseKey(hKey);
        }
    }
    ::RegCloseKey(hToolbars);
    return layout;
}

void BareWrites(const Layout& layout)
{
    HKEY hRoot = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kBareKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hRoot, nullptr);
    for (const auto& [subkey, values] : layout) {
        HKEY hKey = hRoot;
        if (!subkey.empty())
            ::RegCreateKeyExA(hRoot, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        for (const Value& value : values)
            ::RegSetValueExA(hKey, value.name.c_str(), 0, value.type, value.data.data(), (DWORD)value.data.size());
        if (hKey != hRoot)
            ::RegCloseKey(hKey);
    }
    ::RegCloseKey(hRoot);
}

void BareReads(const Layout& layout)
{
    HKEY hRoot = nullptr;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, kLayoutKey, 0, KEY_READ, &hRoot);
    BYTE buffer[4096];
    for (const auto& [subkey, values] : layout) {
        HKEY hKey = hRoot;
        if (!subkey.empty())
            ::RegOpenKeyExA(hRoot, subkey.c_str(), 0, KEY_READ, &hKey);
        for (const Value& value : values) {
            DWORD type = 0, size = sizeof buffer;
            ::RegQueryValueExA(hKey, value.name.c_str(), nullptr, &type, buffer, &size);
        }
        if (hKey != hRoot)
            ::RegCloseKey(hKey);
    }
    ::RegCloseKey(hRoot);
}

// 30 framework toolbars with the same buttons, each given its own copy of a
// prebuilt strip (as each would load its bitmap), docked at the top.
void FrameworkToolBars(CFrameWnd& frame, const std::vector<UINT>& ids, const std::vector<HBITMAP>& strips)
{
    for (HBITMAP hStrip : strips) {
        auto* pBar = new CToolBar;
        pBar->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR + 1);
        pBar->SetSizes(CSize(23, 22), CSize(16, 15));   // the library's small buttons
        pBar->SetBitmap(hStrip);
        pBar->SetButtons(ids.data(), (int)ids.size());
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pBar->m_bAutoDelete = TRUE;
        frame.DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    }
    frame.RecalcLayout();
}

void DestroyToolBars(CFrameWnd& frame)
{
    std::vector<CControlBar*> bars;
    for (POSITION pos = frame.m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = static_cast<CControlBar*>(frame.m_listControlBars.GetNext(pos));
        if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CToolBar)))
            bars.push_back(pBar);
    }
    for (CControlBar* pBar : bars)
        pBar->DestroyWindow();
    frame.RecalcLayout();
}

// The picture strip a toolbar shows.
struct StripOf : JToolBar {
    static HBITMAP Of(JToolBar* pBar) { return static_cast<StripOf*>(pBar)->m_hbmImageWell; }
};

std::vector<HBITMAP> StripCopies(HBITMAP hStrip)
{
    std::vector<HBITMAP> strips;
    for (int n = 0; n < kToolbars; ++n)
        strips.push_back(static_cast<HBITMAP>(::CopyImage(hStrip, IMAGE_BITMAP, 0, 0, 0)));
    return strips;
}

}   // namespace

bool MeasureLayout(CFrameWnd& frame)
{
    frame.EnableDocking(CBRS_ALIGN_ANY);
    // The layout is these toolbars alone.
    DestroyToolBars(frame);
    const std::vector<UINT> ids = BenchCommandIds();
    for (int n = 0; n < kToolbars; ++n) {
        auto* pBar = new JToolBar;
        const std::string name = "Layout " + std::to_string(n);
        if (!pBar->Create(&frame, name.c_str(), ids.data(), (int)ids.size(), -1, CBRS_ALIGN_ANY,
                          WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY)) {
            std::printf("the layout's toolbars could not be made\n");
            return false;
        }
        frame.DockControlBar(pBar, n % 2 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
    }
    frame.RecalcLayout();
    const int saved = ForceSaveBarLayout(&frame, nullptr, nullptr);
    const Layout layout = ReadLayout();
    bool ok = saved == kToolbars && layout.size() == kToolbars + 1;
    // The strip a framework toolbar shows: the library's, as its first toolbar built it.
    HBITMAP hStrip = nullptr;
    for (POSITION pos = frame.m_listControlBars.GetHeadPosition(); pos && !hStrip;) {
        auto* pBar = DYNAMIC_DOWNCAST(JToolBar, static_cast<CControlBar*>(frame.m_listControlBars.GetNext(pos)));
        if (pBar)
            hStrip = static_cast<HBITMAP>(::CopyImage(StripOf::Of(pBar), IMAGE_BITMAP, 0, 0, 0));
    }

    std::vector<double> saves, writes, loads, floors;
    for (int run = 0; run < kRuns && ok; ++run) {
        std::vector<double> saveRun, writeRun, loadRun, floorRun;
        for (int pair = 0; pair < kPairsPerRun && ok; ++pair) {
            saveRun.push_back(FastestSecondsPerCall(
                [&] { ok = ForceSaveBarLayout(&frame, nullptr, nullptr) == kToolbars && ok; }, 1, 1));
            writeRun.push_back(FastestSecondsPerCall([&] { BareWrites(layout); }, 1, 1));
            DestroyToolBars(frame);
            loadRun.push_back(
                FastestSecondsPerCall([&] { ok = LoadBarLayout(&frame, nullptr, nullptr) == kToolbars && ok; }, 1, 1));
            DestroyToolBars(frame);
            floorRun.push_back(FastestSecondsPerCall(
                [&] {
                    BareReads(layout);
                    FrameworkToolBars(frame, ids, StripCopies(hStrip));
                },
                1, 1));
            DestroyToolBars(frame);
            ok = LoadBarLayout(&frame, nullptr, nullptr) == kToolbars && ok;
        }
        saves.push_back(Median(saveRun));
        writes.push_back(Median(writeRun));
        loads.push_back(Median(loadRun));
        floors.push_back(Median(floorRun));
    }
    if (hStrip)
        ::DeleteObject(hStrip);
    DestroyToolBars(frame);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kBareKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kBareKey);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kLayoutKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kLayoutKey);
    if (!ok) {
        std::printf("the layout did not save and load back\n");
        return false;
    }
    char what[128];
    std::snprintf(what, sizeof what, "Saving a layout of %d toolbars of %zu buttons", kToolbars, ids.size());
    bool met = Report(what, "SaveBarLayout", saves, "bare registry writes", writes, kTarget);
    std::snprintf(what, sizeof what, "Loading a layout of %d toolbars of %zu buttons", kToolbars, ids.size());
    met = Report(what, "LoadBarLayout", loads, "reads + 30 framework CToolBars", floors, kTarget) && met;
    return met;
}

}   // namespace toolbar_bench
