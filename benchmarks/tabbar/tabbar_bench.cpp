// The cost of a sheet tab bar of 1,000 sheets against a common tab control doing the
// same work: adding the tabs, painting, then scrolling from the first tab to the last
// one step at a time with a paint after each step. Both run in one program, so the
// ratio does not depend on the machine.
#include "../benchtime.h"
#include "controlexports.h"
#include "jtabbar.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kSheets = 1000;
const int kRuns = 5;

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp("tabbar_bench") {}
};
CBenchApp theApp;

// The library's bar: adds the sheets, paints, scrolls to the end painting each step.
// Returns the seconds taken and the number of scroll steps.
double RunTabBar(CWnd& parent, int& steps)
{
    const auto start = std::chrono::steady_clock::now();
    CJTabBar bar;
    bar.Create(JTBS_BOTTOM | JTBS_SHEETTABS, &parent, 1);
    for (int i = 0; i < kSheets; ++i) {
        std::wstring name = L"Sheet" + std::to_wstring(i + 1);
        _JTB_ITEM item{0, name.data(), 0, i};
        bar.InsertItem(item, reinterpret_cast<CJTab*>(-1));
    }
    bar.UpdateWindow();
    steps = 0;
    while (bar.ScrollItems(JTB_SCROLLNEXT)) {
        bar.UpdateWindow();
        ++steps;
    }
    bar.DestroyWindow();
    return Seconds(start);
}

// The same with a common tab control: TCM_INSERTITEM, and its scroll position set once
// per step as its own arrows do.
double RunTabControl(CWnd& parent, int steps)
{
    const auto start = std::chrono::steady_clock::now();
    CRect client;
    parent.GetClientRect(client);
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL);
    HWND hTabs = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_BOTTOM, 0,
                                   client.bottom - cy - 4, client.Width(), cy + 4, parent.m_hWnd, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(hTabs, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    for (int i = 0; i < kSheets; ++i) {
        std::string name = "Sheet" + std::to_string(i + 1);
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = name.data();
        item.lParam = i;
        ::SendMessageA(hTabs, TCM_INSERTITEMA, i, (LPARAM)&item);
    }
    ::UpdateWindow(hTabs);
    for (int i = 1; i <= steps; ++i) {
        ::SendMessageA(hTabs, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, i), 0);
        ::UpdateWindow(hTabs);
    }
    ::DestroyWindow(hTabs);
    return Seconds(start);
}

}   // namespace

int main()
{
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&classes);
    InitCustomControls();
    CWnd parent;
    if (!parent.CreateEx(0, AfxRegisterWndClass(0), "tabbar_bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900,
                         200, nullptr, nullptr))
        return 2;
    std::vector<double> bar, control, ratios;
    int steps = 0;
    for (int run = 0; run < kRuns; ++run) {
        bar.push_back(RunTabBar(parent, steps));
        control.push_back(RunTabControl(parent, steps));
        ratios.push_back(bar.back() / control.back());
    }
    const double ratio = Median(ratios);
    std::printf("%d sheets added, painted, scrolled first to last in %d painted steps\n", kSheets, steps);
    std::printf("  %-34s %10.1f ms (median of %d runs)\n", "CJTabBar", Median(bar) * 1e3, kRuns);
    std::printf("  %-34s %10.1f ms\n", "common tab control (TCM_INSERTITEM)", Median(control) * 1e3);
    std::printf("  ratio: min %.2f / median %.2f / max %.2f (target at most 2.0): %s\n",
                *std::min_element(ratios.begin(), ratios.end()), ratio, *std::max_element(ratios.begin(), ratios.end()),
                ratio <= 2.0 ? "met" : "NOT met");
    parent.DestroyWindow();
    return ratio <= 2.0 ? 0 : 1;
}
