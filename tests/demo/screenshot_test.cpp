// The demo host's headless screenshot: drafthost.exe runs as its own process,
// writes a BMP and the places of its parts, and the image shows the frame's
// caption, the docked and floating toolbars, the sheet's grid with the control
// library's categories, and the status bar at those places.
#include "testsupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

using testing_support::MemoryCanvas;

const int kFrameWidth = 800, kFrameHeight = 560;   // the demo frame's size
const int kGridStep = 20, kAxisEvery = 5;
const DWORD kDemoTimeout = 60000;

CString BesideProgram(LPCSTR lpszFileName)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\') + 1) + lpszFileName;
}

// Runs the demo with --screenshot; its exit code, or -1 when it could not start or
// was killed after the timeout.
int RunDemo(const CString& imagePath)
{
    CString commandLine;
    commandLine.Format("\"%s\" --screenshot \"%s\"", (LPCSTR)BesideProgram("drafthost.exe"), (LPCSTR)imagePath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return -1;
    commandLine.ReleaseBuffer();
    DWORD exitCode = (DWORD)-1;
    if (::WaitForSingleObject(process.hProcess, kDemoTimeout) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &exitCode);
    else
        ::TerminateProcess(process.hProcess, (UINT)-1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return (int)exitCode;
}

// The BMP file's pixels, or nullptr when Windows cannot load it.
std::unique_ptr<MemoryCanvas> LoadBitmapFile(const CString& path)
{
    const auto hBitmap =
        static_cast<HBITMAP>(::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!hBitmap)
        return nullptr;
    BITMAP info{};
    ::GetObjectA(hBitmap, sizeof info, &info);
    auto canvas = std::make_unique<MemoryCanvas>(info.bmWidth, info.bmHeight);
    HDC hSource = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hSource, hBitmap);
    ::BitBlt(canvas->dc(), 0, 0, info.bmWidth, info.bmHeight, hSource, 0, 0, SRCCOPY);
    ::SelectObject(hSource, old);
    ::DeleteDC(hSource);
    ::DeleteObject(hBitmap);
    return canvas;
}

class DemoScreenshot : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char folder[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, folder);
        CString path;
        path.Format("%sdemo_tests_%lu.bmp", folder, ::GetCurrentProcessId());
        s_exitCode = RunDemo(path);
        s_image = LoadBitmapFile(path);
        ::DeleteFileA(path);
        // "name left top right bottom" per line, in the frame window's (the image's) coordinates.
        std::ifstream layout(std::string(path) + ".layout");
        std::string name;
        CRect rect;
        while (layout >> name >> rect.left >> rect.top >> rect.right >> rect.bottom)
            s_parts[name] = rect;
        layout.close();
        ::DeleteFileA(path + ".layout");

        // Where the frame's client area lies in the image: the same window
        // metrics apply here as in the demo's process.
        RECT insets = {0, 0, 0, 0};
        ::AdjustWindowRectEx(&insets, WS_OVERLAPPEDWINDOW, FALSE, 0);
        s_client = CRect(-insets.left, -insets.top, kFrameWidth - insets.right, kFrameHeight - insets.bottom);
    }
    static void TearDownTestSuite() { s_image.reset(); }

    void SetUp() override
    {
        ASSERT_EQ(0, s_exitCode) << "drafthost.exe --screenshot failed or timed out";
        ASSERT_NE(nullptr, s_image) << "the screenshot is no loadable BMP";
    }

    static COLORREF At(int x, int y) { return s_image->Pixel(x, y); }
    static CRect Part(const char* name)
    {
        auto it = s_parts.find(name);
        return it == s_parts.end() ? CRect() : it->second;
    }
    // Pixels in rect that differ from colour.
    static int CountOther(const CRect& rect, COLORREF colour)
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += At(x, y) != colour;
        return count;
    }

    static int s_exitCode;
    static std::unique_ptr<MemoryCanvas> s_image;
    static CRect s_client;
    static std::map<std::string, CRect> s_parts;
};

int DemoScreenshot::s_exitCode = -1;
std::unique_ptr<MemoryCanvas> DemoScreenshot::s_image;
CRect DemoScreenshot::s_client;
std::map<std::string, CRect> DemoScreenshot::s_parts;

TEST_F(DemoScreenshot, HasTheFramesSize)
{
    EXPECT_EQ(kFrameWidth, s_image->width());
    EXPECT_EQ(kFrameHeight, s_image->height());
}

TEST_F(DemoScreenshot, CaptionStripHoldsTheTitle)
{
    const int y = s_client.top - ::GetSystemMetrics(SM_CYCAPTION) / 2;
    const COLORREF strip = At(s_client.right - 40, y);   // right of the title and left of any button
    EXPECT_NE(RGB(255, 255, 255), strip);
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), strip);
    int titlePixels = 0;
    for (int x = s_client.left; x < s_client.left + 100; ++x)
        for (int dy = -4; dy <= 4; ++dy)
            titlePixels += At(x, y + dy) != At(s_client.left + 200, y + dy);
    EXPECT_GT(titlePixels, 40) << "no title text in the caption";
}

TEST_F(DemoScreenshot, SheetShowsTheGrid)
{
    const CRect sheet = Part("sheet");
    ASSERT_FALSE(sheet.IsRectEmpty());
    const COLORREF paper = At(sheet.left + kGridStep / 2, sheet.top + kGridStep / 2);
    EXPECT_EQ(RGB(255, 255, 255), paper);
    // Along a row between horizontal lines: a vertical line every step, paper between.
    const int y = sheet.top + kGridStep / 2;
    const COLORREF minor = At(sheet.left + kGridStep, y);
    const COLORREF axis = At(sheet.left + kGridStep * kAxisEvery, y);
    EXPECT_NE(paper, minor);
    EXPECT_NE(paper, axis);
    EXPECT_NE(minor, axis);
    for (int x = 0; x < sheet.Width(); ++x) {
        const COLORREF expected = x % kGridStep ? paper : (x / kGridStep) % kAxisEvery ? minor : axis;
        ASSERT_EQ(expected, At(sheet.left + x, y)) << "column " << x;
    }
    // Down a column between vertical lines, the same for horizontal lines.
    const int x = sheet.left + kGridStep / 2;
    for (int dy = 0; dy < sheet.Height(); ++dy) {
        const COLORREF expected = dy % kGridStep ? paper : (dy / kGridStep) % kAxisEvery ? minor : axis;
        ASSERT_EQ(expected, At(x, sheet.top + dy)) << "row " << dy;
    }
}

TEST_F(DemoScreenshot, StatusBarShowsTheLibrarysStatus)
{
    const CRect status = Part("status");
    ASSERT_FALSE(status.IsRectEmpty());
    EXPECT_EQ(Part("sheet").bottom, status.top);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(face, At(status.right - 30, status.CenterPoint().y));
    int textPixels = 0;
    for (int yy = status.top + 2; yy < status.bottom - 2; ++yy)
        for (int xx = status.left + 2; xx < status.left + 200; ++xx)
            textPixels += At(xx, yy) == ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(textPixels, 100) << "no status text";
}

TEST_F(DemoScreenshot, ToolbarsAreDockedOnTwoSidesWithTheirPictures)
{
    const CRect draw = Part("draw"), modify = Part("modify"), view = Part("view");
    ASSERT_FALSE(draw.IsRectEmpty());
    ASSERT_FALSE(modify.IsRectEmpty());
    ASSERT_FALSE(view.IsRectEmpty());
    // Draw and Modify share the top row; View stands on the left, below it.
    EXPECT_EQ(draw.top, modify.top);
    EXPECT_LE(draw.right, modify.left + 2);
    EXPECT_GT(view.Height(), view.Width());
    EXPECT_LE(view.right, Part("sheet").left);
    EXPECT_GE(view.top, draw.bottom - 2);
    // Their buttons show the demo's pictures: far from plain face colour.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (const CRect& bar : {draw, modify, view})
        EXPECT_GT(CountOther(bar, face), 150);
}

TEST_F(DemoScreenshot, FloatingToolbarHasASmallCaption)
{
    const CRect floating = Part("floating"), settings = Part("settings");
    ASSERT_FALSE(floating.IsRectEmpty());
    ASSERT_FALSE(settings.IsRectEmpty());
    EXPECT_TRUE(floating.PtInRect(settings.CenterPoint()));
    EXPECT_TRUE(Part("sheet").PtInRect(floating.CenterPoint()));   // over the sheet
    // The caption strip lies between the frame's top and the bar, small-caption high.
    const int captionHeight = settings.top - floating.top;
    EXPECT_GE(captionHeight, ::GetSystemMetrics(SM_CYSMCAPTION));
    EXPECT_LT(captionHeight, ::GetSystemMetrics(SM_CYCAPTION) + 8);
    const COLORREF caption = At(floating.right - 6, floating.top + captionHeight / 2);
    EXPECT_NE(RGB(255, 255, 255), caption);
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), caption);
}

TEST_F(DemoScreenshot, SheetListsTheLibrarysCategoriesWithTheirStrips)
{
    const CRect sheet = Part("sheet");
    // The panel of categories at the sheet's top left: the strips' colours show there.
    const CRect panel(sheet.left + 41, sheet.top + 41, sheet.left + 371, sheet.top + 200);
    int red = 0;
    for (int y = panel.top; y < panel.bottom; ++y)
        for (int x = panel.left; x < panel.right; ++x)
            red += At(x, y) == RGB(200, 0, 0);
    EXPECT_GT(red, 30) << "no coloured button pictures in the category panel";
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), At(panel.right - 10, panel.top + 10));
}

}   // namespace
