// Painting a toolbar of 25 buttons: the library's toolbar, whose image strip is
// cut from a command category, against the framework's plain toolbar showing
// the same strip, prebuilt. Both are invalidated and painted through the window
// manager (RedrawWindow with an immediate update), as a window uncovered by the
// user is.
#include "controlexports.h"
#include "jbars.h"
#include "toolbar_bench.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace toolbar_bench {

namespace {

constexpr int kButtons = 25;
constexpr UINT kFirstCommand = 0x9100;
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr double kTarget = 1.2;
constexpr int kPaintsPerRun = 50;
constexpr int kRounds = 30;

// kButtons pictures side by side, each a coloured square with a dark frame and a
// transparent corner, on the given background.
HBITMAP DrawStrip(SIZE cell, COLORREF background)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hStrip = ::CreateCompatibleBitmap(hScreen, cell.cx * kButtons, cell.cy);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ old = ::SelectObject(hDC, hStrip);
    HBRUSH hBackground = ::CreateSolidBrush(background);
    RECT all = {0, 0, cell.cx * kButtons, cell.cy};
    ::FillRect(hDC, &all, hBackground);
    ::DeleteObject(hBackground);
    for (int i = 0; i < kButtons; ++i) {
        HBRUSH hFill = ::CreateSolidBrush(RGB(40 + i * 8, 200 - i * 6, (i * 37) % 256));
        RECT square = {i * cell.cx + 2, 2, (i + 1) * cell.cx - 2, cell.cy - 2};
        ::FillRect(hDC, &square, hFill);
        ::DeleteObject(hFill);
        ::FrameRect(hDC, &square, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
    ::SelectObject(hDC, old);
    ::DeleteDC(hDC);
    return hStrip;
}

// One category holding the benchmark's commands, in the four strip variants.
void AddBenchCategory(const std::vector<UINT>& ids)
{
    const SIZE small = JToolBar::kSmallImage, large = JToolBar::kLargeImage;
    CStringArray names;
    for (size_t i = 0; i < ids.size(); ++i) {
        CString name;
        name.Format("Command %u", (unsigned)i + 1);
        names.Add(name);
    }
    // The library owns the strips from here on.
    AddCategoryUsingBitmaps("Benchmark", DrawStrip(small, kTransparent), DrawStrip(small, kTransparent),
                            DrawStrip(large, kTransparent), DrawStrip(large, kTransparent), ids.data(), (int)ids.size(),
                            &names);
}

// What a bar shows, frame included, as pixels.
std::vector<COLORREF> Pixels(CWnd& bar)
{
    CRect rect;
    bar.GetWindowRect(&rect);
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, rect.Width(), rect.Height());
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ old = ::SelectObject(hDC, hImage);
    bar.SendMessage(WM_PRINT, (WPARAM)hDC, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            pixels.push_back(::GetPixel(hDC, x, y));
    ::SelectObject(hDC, old);
    ::DeleteObject(hImage);
    ::DeleteDC(hDC);
    return pixels;
}

void Paint(CWnd& bar)
{
    ::RedrawWindow(bar.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    ::UpdateWindow(bar.m_hWnd);
    ::GdiFlush();
}

}   // namespace

std::vector<UINT> BenchCommandIds()
{
    std::vector<UINT> ids;
    for (int i = 0; i < kButtons; ++i)
        ids.push_back(kFirstCommand + (UINT)i);
    return ids;
}

bool MeasurePaint(CFrameWnd& frame)
{
    const std::vector<UINT> ids = BenchCommandIds();
    AddBenchCategory(ids);

    // Both delete themselves with their windows, which go with the frame.
    auto* pLibraryBar = new JToolBar;
    if (!pLibraryBar->Create(&frame, "Library", ids.data(), kButtons, -1, (DWORD)-1,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP)) {
        delete pLibraryBar;
        return false;
    }
    auto* pPlainBar = new CToolBar;
    pPlainBar->m_bAutoDelete = TRUE;
    if (!pPlainBar->Create(&frame, WS_CHILD | WS_VISIBLE | pLibraryBar->GetBarStyle(), AFX_IDW_TOOLBAR + 1)) {
        delete pPlainBar;
        return false;
    }
    pPlainBar->ModifyStyle(0, pLibraryBar->GetStyle() & TBSTYLE_FLAT);
    pPlainBar->SetSizes(pLibraryBar->GetSizeButton(), pLibraryBar->GetSizeImage());
    pPlainBar->SetBitmap(DrawStrip(pLibraryBar->GetSizeImage(), ::GetSysColor(COLOR_BTNFACE)));
    pPlainBar->SetButtons(ids.data(), kButtons);
    frame.RecalcLayout();
    frame.UpdateWindow();

    // Both must show the same: otherwise they would not do the same work.
    if (Pixels(*pLibraryBar) != Pixels(*pPlainBar)) {
        std::printf("the two toolbars do not show the same pixels\n");
        return false;
    }

    // Warm both up, then alternate short runs so that neither meets a quieter machine;
    // each run's fastest paints count.
    Paint(*pLibraryBar);
    Paint(*pPlainBar);
    std::vector<double> library, plain;
    for (int round = 0; round < kRounds; ++round) {
        library.push_back(FastestSecondsPerCall([&] { Paint(*pLibraryBar); }, kPaintsPerRun / 5, 5));
        plain.push_back(FastestSecondsPerCall([&] { Paint(*pPlainBar); }, kPaintsPerRun / 5, 5));
    }
    return Report("Painting a toolbar of 25 buttons (RedrawWindow + immediate update):", "JToolBar, from categories",
                  library, "CToolBar, prebuilt strip", plain, kTarget);
}

}   // namespace toolbar_bench
