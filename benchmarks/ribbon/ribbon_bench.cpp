// The layout of a floating ribbon bar of 12 sections (each a label, a field and a push button)
// switched between one row and four rows, against moving by hand the windows that change place
// (the sections: their controls stay put in them) to the very places the bar gave them. Both
// run in one program, so the ratio does not depend on the machine.
#include "controlexports.h"
#include "jbars.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

const int kSections = 12;
const int kLayouts = 400;   // per run, alternating the two shapes
const int kRuns = 7;
const int kColumns[2] = {kSections, 3};

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp("ribbon_bench") {}
};
CBenchApp theApp;

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> samples)
{
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

struct Place {
    HWND hWnd;
    CRect rect;   // in its parent's client coordinates
};

// Every section and every control of every section where the bar has put them.
std::vector<Place> Places(JDialogBar& bar)
{
    std::vector<Place> places;
    for (int i = 0; i < bar.GetDialogCount(); ++i) {
        const HWND hSection = bar.GetDialogInfo(i)->pDialog->m_hWnd;
        for (HWND hWnd = hSection; hWnd; hWnd = hWnd == hSection ? ::GetTopWindow(hSection) : ::GetWindow(hWnd, GW_HWNDNEXT)) {
            CRect rect;
            ::GetWindowRect(hWnd, rect);
            ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rect), 2);
            places.push_back({hWnd, rect});
        }
    }
    return places;
}

double RunBar(JDialogBar& bar)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLayouts; ++i) {
        bar.m_nColumns = kColumns[i % 2];
        bar.RecalcLayout();
    }
    return Seconds(start);
}

double RunByHand(JDialogBar& bar, const std::vector<Place> (&shapes)[2])
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLayouts; ++i) {
        for (const Place& place : shapes[i % 2])
            ::SetWindowPos(place.hWnd, nullptr, place.rect.left, place.rect.top, place.rect.Width(),
                           place.rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        ::RedrawWindow(bar.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return Seconds(start);
}

}   // namespace

int main()
{
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    InitCustomControls();
    JCreateEnvironmentManager("Software\\CONTROL\\ribbon_bench", 1, 1, 1, 1, 1, 1, 1, 1);
    auto* pFrame = new CFrameWnd;
    if (!pFrame->Create(nullptr, "ribbon_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 400)))
        return 2;
    theApp.m_pMainWnd = pFrame;
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(JMiniDockFrameWnd);
    auto* pBar = new JDialogBar;
    if (!pBar->Create(pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_CONTROLBAR_FIRST + 0x40, 0, nullptr, 0))
        return 2;
    pBar->m_bAutoDelete = TRUE;
    pBar->m_bLayoutRead = TRUE;   // nothing stored to look for
    pBar->SetWindowText("Bench");
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->FloatControlBar(pBar, CPoint(40, 40));
    for (int i = 0; i < kSections; ++i) {
        auto* pSection = new JSectionDlg(101u);
        if (!pSection->Create(101u, pBar))
            return 2;
        pBar->InsertDialog(pSection, nullptr, -1, FALSE);
    }
    std::vector<Place> shapes[2];
    for (int shape = 0; shape < 2; ++shape) {
        pBar->m_nColumns = kColumns[shape];
        pBar->RecalcLayout();
        shapes[shape] = Places(*pBar);
    }
    // By hand, only what moves between the two shapes is moved.
    for (size_t i = shapes[0].size(); i-- > 0;)
        if (shapes[0][i].rect == shapes[1][i].rect) {
            shapes[0].erase(shapes[0].begin() + (long)i);
            shapes[1].erase(shapes[1].begin() + (long)i);
        }
    std::vector<double> bar, hand, ratios;
    for (int run = 0; run < kRuns; ++run) {
        bar.push_back(RunBar(*pBar));
        hand.push_back(RunByHand(*pBar, shapes));
        ratios.push_back(bar.back() / hand.back());
    }
    const double ratio = Median(ratios);
    std::printf("%d sections (%d windows, %zu of them moving), laid out %d times, one row and four rows in turn\n",
                kSections, kSections * 4, shapes[0].size(), kLayouts);
    std::printf("  %-40s %10.2f ms (median of %d runs)\n", "JDialogBar::RecalcLayout", Median(bar) * 1e3, kRuns);
    std::printf("  %-40s %10.2f ms\n", "the moving windows moved by hand", Median(hand) * 1e3);
    std::printf("  ratio: min %.2f / median %.2f / max %.2f (target at most 1.5): %s\n",
                *std::min_element(ratios.begin(), ratios.end()), ratio, *std::max_element(ratios.begin(), ratios.end()),
                ratio <= 1.5 ? "met" : "NOT met");
    pFrame->DestroyWindow();
    return ratio <= 1.5 ? 0 : 1;
}
