// The cost of one splitter step in a dock area of three dialog bars (the frame's layout and
// the paint of the bars it changed) against moving plain windows of the same size with the
// same controls and painting them. Both run in one program, so the ratio does not depend on
// the machine.
#include "../benchtime.h"
#include "controlexports.h"
#include "jdialogbar.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

const int kSteps = 400;
const int kRuns = 5;
const int kMove = 4;   // pixels a step moves the splitter, back and forth

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp("dialogbar_bench") {}
};
CBenchApp theApp;

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

struct Area {
    CFrameWnd* pFrame = nullptr;
    CSplitterDockBar* pDockBar = nullptr;
    CBaseDialogBar* bars[3] = {};
};

// A frame whose left area holds three resizable bars one above the other.
bool MakeArea(Area& area)
{
    area.pFrame = new CFrameWnd;
    if (!area.pFrame->Create(nullptr, "dialogbar_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)))
        return false;
    area.pDockBar = new CSplitterDockBar;
    if (!area.pDockBar->Create(area.pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_LEFT, AFX_IDW_DOCKBAR_LEFT))
        return false;
    area.pDockBar->m_bAutoDelete = TRUE;
    area.pFrame->EnableDocking(CBRS_ALIGN_ANY);
    for (int i = 0; i < 3; ++i) {
        auto* pBar = new CBaseDialogBar;
        if (!pBar->Create(area.pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_LEFT, AFX_IDW_CONTROLBAR_FIRST + 0x40 + i, 0,
                          nullptr, 0))
            return false;
        pBar->m_bAutoDelete = TRUE;
        pBar->SetResizeable(TRUE);
        pBar->SetStretchToFitHorz(TRUE);
        pBar->SetStretchToFitVert(TRUE);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        area.pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
        if (i > 0)
            pBar->MergeLastDialogBar();
        area.bars[i] = pBar;
    }
    area.pFrame->RecalcLayout();
    area.pFrame->UpdateWindow();
    return area.pDockBar->GetSplitterCount() == 2;
}

// Splitter steps as the user lets go of the first splitter: the frame is laid out, and the
// area and the two bars beside the splitter are painted.
double RunSplitter(Area& area)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSteps; ++i) {
        area.pDockBar->m_nCurrentSplitter = 0;
        area.pDockBar->m_nSplitterDelta = i % 2 ? -kMove : kMove;
        area.pDockBar->m_bInnerSplitterMoved = TRUE;
        area.pFrame->RecalcLayout();
        area.pDockBar->UpdateWindow();
        area.bars[0]->UpdateWindow();
        area.bars[1]->UpdateWindow();
    }
    return Seconds(start);
}

// The same sizes taken by two plain windows made from the same template, moved together.
double RunPlain(Area& area)
{
    HWND hWnds[2];
    CRect rects[2];
    for (int i = 0; i < 2; ++i) {
        area.bars[i]->GetWindowRect(rects[i]);
        area.pFrame->ScreenToClient(rects[i]);
        hWnds[i] = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(100), area.pFrame->m_hWnd,
                                        PlainDialog, 0);
        ::SetWindowPos(hWnds[i], HWND_TOP, rects[i].left, rects[i].top, rects[i].Width(), rects[i].Height(),
                       SWP_SHOWWINDOW);
        ::UpdateWindow(hWnds[i]);
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSteps; ++i) {
        const int delta = i % 2 ? -kMove : kMove;
        rects[0].bottom += delta;
        rects[1].top += delta;
        HDWP hDWP = ::BeginDeferWindowPos(2);
        for (int j = 0; j < 2; ++j)
            hDWP = ::DeferWindowPos(hDWP, hWnds[j], nullptr, rects[j].left, rects[j].top, rects[j].Width(),
                                    rects[j].Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        ::EndDeferWindowPos(hDWP);
        ::UpdateWindow(hWnds[0]);
        ::UpdateWindow(hWnds[1]);
    }
    const double seconds = Seconds(start);
    for (HWND hWnd : hWnds)
        ::DestroyWindow(hWnd);
    return seconds;
}

}   // namespace

int main()
{
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    InitCustomControls();
    Area area;
    if (!MakeArea(area)) {
        std::printf("the dock area could not be made\n");
        return 2;
    }
    std::vector<double> splitter, plain, ratios;
    for (int run = 0; run < kRuns; ++run) {
        splitter.push_back(RunSplitter(area));
        plain.push_back(RunPlain(area));
        ratios.push_back(splitter.back() / plain.back());
    }
    const double ratio = Median(ratios);
    std::printf("%d splitter steps of %d pixels between two of three dialog bars, each laid out and painted\n", kSteps,
                kMove);
    std::printf("  %-40s %8.3f ms a step (median of %d runs)\n", "CSplitterDockBar layout + paint",
                Median(splitter) * 1e3 / kSteps, kRuns);
    std::printf("  %-40s %8.3f ms a step\n", "two plain windows moved + painted", Median(plain) * 1e3 / kSteps);
    std::printf("  ratio: min %.2f / median %.2f / max %.2f (target at most 3.0): %s\n",
                *std::min_element(ratios.begin(), ratios.end()), ratio, *std::max_element(ratios.begin(), ratios.end()),
                ratio <= 3.0 ? "met" : "NOT met");
    area.pFrame->DestroyWindow();
    return ratio <= 3.0 ? 0 : 1;
}
