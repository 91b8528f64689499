// The cost of the library's toolbar against the framework's plain toolbar doing
// the same work, measured in one run so that the ratios do not depend on the
// machine. Each measurement lives in its own file; this one starts the library
// as a host does, gives them a frame and prints their results.
#include "controlexports.h"
#include "toolbar_bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace toolbar_bench {

double FastestSecondsPerCall(const std::function<void()>& work, int calls, int runs)
{
    double fastest = 1e30;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i)
            work();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        fastest = std::min(fastest, seconds / calls);
    }
    return fastest;
}

bool Report(const char* what, const char* library, const std::vector<double>& librarySeconds, const char* baseline,
            const std::vector<double>& baselineSeconds, double target)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < librarySeconds.size() && i < baselineSeconds.size(); ++i)
        ratios.push_back(librarySeconds[i] / baselineSeconds[i]);
    if (ratios.empty())
        return false;
    const double median = Median(ratios);
    std::printf("%s\n", what);
    std::printf("  %-28s %10.1f us (median of %zu runs)\n", library, Median(librarySeconds) * 1e6, ratios.size());
    std::printf("  %-28s %10.1f us\n", baseline, Median(baselineSeconds) * 1e6);
    std::printf("  ratio: min %.2f / median %.2f / max %.2f (target at most %.1f): %s\n",
                *std::min_element(ratios.begin(), ratios.end()), median,
                *std::max_element(ratios.begin(), ratios.end()), target, median <= target ? "met" : "NOT met");
    return median <= target;
}

}   // namespace toolbar_bench

namespace {

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp("toolbar_bench") {}
};
CBenchApp theApp;

}   // namespace

int main()
{
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    InitCustomControls();
    // The library's state lives under a key of its own, not a host's.
    JCreateEnvironmentManager("Software\\CONTROL\\toolbar_bench", 1, 1, 1, 1, 1, 1, 1, 1);
    if (!GetJControlInfo()) {
        std::printf("the control library did not start\n");
        return 2;
    }
    // The frame deletes itself with its window, and its toolbars go with it.
    auto* pFrame = new CFrameWnd;
    if (!pFrame->Create(nullptr, "toolbar_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 300)))
        return 2;
    theApp.m_pMainWnd = pFrame;
    bool met = toolbar_bench::MeasurePaint(*pFrame);
    met = toolbar_bench::MeasureRegistry(*pFrame) && met;
    met = toolbar_bench::MeasureLayout(*pFrame) && met;
    theApp.m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
    return met ? 0 : 1;
}
