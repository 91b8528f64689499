// The layout of a floating ribbon bar of 12 sections (each a label, a field and a push button)
// switched between one row and ten (three in the first, then one a row), against laying out the same 12 section windows by
// hand as a host would without the library: their places computed from their sizes, row by
// row, and each moved there, then the bar repainted. Both run in one program, so the ratio
// does not depend on the machine.
#include "../benchtime.h"
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

// The sections' sizes and the bar's first place and gap, which a host laying them out knows.
struct Sections {
    std::vector<HWND> windows;
    std::vector<CSize> sizes;
    CPoint origin;
    int gap = 0;
};

Sections SectionsOf(JDialogBar& bar)
{
    Sections sections;
    for (int i = 0; i < bar.GetDialogCount(); ++i) {
        CWnd* pSection = bar.GetDialogInfo(i)->pDialog;
        CRect rect;
        pSection->GetWindowRect(rect);
        bar.ScreenToClient(rect);
        if (i == 0)
            sections.origin = rect.TopLeft();
        sections.windows.push_back(pSection->m_hWnd);
        sections.sizes.push_back(rect.Size());
    }
    sections.gap = bar.m_nGap;
    return sections;
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

// The first row holds as many sections as there are columns; each later one starts a row.
void LayOutByHand(const Sections& sections, int columns)
{
    CPoint at = sections.origin;
    for (size_t n = 0; n < sections.windows.size(); ++n) {
        const CSize size = sections.sizes[n];
        if ((int)n + 1 > columns) {
            at.x = sections.origin.x;
            at.y += size.cy;
        }
        ::SetWindowPos(sections.windows[n], nullptr, at.x, at.y, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        at.x += size.cx + sections.gap;
    }
}

double RunByHand(HWND hBar, const Sections& sections)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLayouts; ++i) {
        LayOutByHand(sections, kColumns[i % 2]);
        ::RedrawWindow(hBar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return Seconds(start);
}

std::vector<CRect> SectionRects(JDialogBar& bar)
{
    std::vector<CRect> rects;
    for (int i = 0; i < bar.GetDialogCount(); ++i) {
        CRect rect;
        bar.GetDialogInfo(i)->pDialog->GetWindowRect(rect);
        rects.push_back(rect);
    }
    return rects;
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
    pBar->m_nColumns = kColumns[0];
    pBar->RecalcLayout();
    const Sections sections = SectionsOf(*pBar);
    // Both lay the sections out alike.
    for (int columns : kColumns) {
        LayOutByHand(sections, columns);
        const std::vector<CRect> byHand = SectionRects(*pBar);
        pBar->m_nColumns = columns;
        pBar->RecalcLayout();
        if (SectionRects(*pBar) != byHand) {
            std::printf("the sections laid out by hand stand elsewhere than the bar puts them (%d columns)\n", columns);
            return 2;
        }
    }
    std::vector<double> bar, hand, ratios;
    for (int run = 0; run < kRuns; ++run) {
        bar.push_back(RunBar(*pBar));
        hand.push_back(RunByHand(pBar->m_hWnd, sections));
        ratios.push_back(bar.back() / hand.back());
    }
    const double ratio = Median(ratios);
    std::printf("%d sections (%d windows), laid out %d times, one row and ten in turn\n", kSections,
                kSections * 4, kLayouts);
    std::printf("  %-40s %10.2f ms (median of %d runs)\n", "JDialogBar::RecalcLayout", Median(bar) * 1e3, kRuns);
    std::printf("  %-40s %10.2f ms\n", "the 12 sections laid out by hand", Median(hand) * 1e3);
    std::printf("  ratio: min %.2f / median %.2f / max %.2f (target at most 1.5): %s\n",
                *std::min_element(ratios.begin(), ratios.end()), ratio, *std::max_element(ratios.begin(), ratios.end()),
                ratio <= 1.5 ? "met" : "NOT met");
    pFrame->DestroyWindow();
    return ratio <= 1.5 ? 0 : 1;
}
