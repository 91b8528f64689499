// drafthost.exe's headless screenshot, a BMP with the places of its parts, checked pixel by pixel
// there; a layout the demo saved comes back in the next run that restores it.
#include "appinfo.h"
#include "commands.h"
#include "resource.h"
#include "toolbarkey.h"
#include "storedvalues.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>

namespace {

using testing_support::MemoryCanvas;

const int kFrameWidth = 800, kFrameHeight = 560;   // the demo frame's size
const int kGridStep = 20, kAxisEvery = 5;
const DWORD kDemoTimeout = 60000;
// Button sizes of the library's toolbars without and with large buttons.
const std::string kSmallButton = "23x22", kLargeButton = "32x30";

// One part of the layout report: where it lies, and what the demo says about it.
struct ReportedPart {
    CRect rect;
    std::string details;   // "key=value" words; "text=" takes the rest of the line

    std::string Value(const char* key) const
    {
        const std::string prefix = std::string(key) + "=";
        const size_t at = details.find(prefix), from = at + prefix.size();
        if (at == std::string::npos)
            return std::string();
        return prefix == "text=" ? details.substr(from) : details.substr(from, details.find(' ', from) - from);
    }
};

// A run's exit code (-1: not started, or killed at the timeout), output, image and layout report.
struct DemoRun {
    int exitCode = -1;
    std::string output;
    std::unique_ptr<MemoryCanvas> image;
    std::map<std::string, ReportedPart> parts;
};

DemoRun RunDemo(const CString& options)
{
    DemoRun run;
    CString commandLine = CString("\"") + testing_support::ProgramFolder().c_str() + "\\drafthost.exe\" " + options;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &inherited, 1 << 16))
        return run;
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = hWrite;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessA(nullptr, commandLine.GetBuffer(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &process);
    commandLine.ReleaseBuffer();
    ::CloseHandle(hWrite);
    if (started) {
        DWORD exitCode = (DWORD)-1;
        if (::WaitForSingleObject(process.hProcess, kDemoTimeout) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(process.hProcess, &exitCode);
        else
            ::TerminateProcess(process.hProcess, (UINT)-1);
        run.exitCode = (int)exitCode;
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        char buffer[4096];
        for (DWORD read = 0; ::ReadFile(hRead, buffer, sizeof buffer, &read, nullptr) && read;)
            run.output.append(buffer, read);
    }
    ::CloseHandle(hRead);
    return run;
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

DemoRun RunAndRead(LPCSTR lpszOptions)
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    CString path;
    path.Format("%sdemo_tests_%lu.bmp", folder, ::GetCurrentProcessId());
    DemoRun run = RunDemo(CString(lpszOptions) + " --screenshot \"" + path + "\"");
    run.image = LoadBitmapFile(path);
    ::DeleteFileA(path);
    // "name left top right bottom [details]" per line, in the frame window's (the image's) coordinates.
    std::ifstream layout(std::string(path) + ".layout");
    for (std::string line; std::getline(layout, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream fields(line);
        std::string name;
        ReportedPart part;
        if (!(fields >> name >> part.rect.left >> part.rect.top >> part.rect.right >> part.rect.bottom))
            continue;
        std::getline(fields >> std::ws, part.details);
        run.parts[name] = part;
    }
    layout.close();
    ::DeleteFileA(path + ".layout");
    return run;
}

// Pixels of the image in rect for which the test holds.
template <class Test>
int CountIn(const MemoryCanvas& image, const CRect& rect, Test test)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += test(image.Pixel(x, y)) ? 1 : 0;
    return count;
}

class DemoScreenshot : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_run = RunAndRead("");
        // Where the frame's client area lies in the image: the demo's window metrics are these.
        RECT insets = {0, 0, 0, 0};
        ::AdjustWindowRectEx(&insets, WS_OVERLAPPEDWINDOW, FALSE, 0);
        s_client = CRect(-insets.left, -insets.top, kFrameWidth - insets.right, kFrameHeight - insets.bottom);
    }
    void SetUp() override
    {
        ASSERT_EQ(0, s_run.exitCode) << "drafthost.exe --screenshot failed or timed out";
        ASSERT_NE(nullptr, s_run.image) << "the screenshot is no loadable BMP";
        ASSERT_EQ(CSize(kFrameWidth, kFrameHeight), CSize(s_run.image->width(), s_run.image->height()));
    }

    static COLORREF At(int x, int y) { return s_run.image->Pixel(x, y); }
    static CRect Part(const char* name) { return Details(name).rect; }
    static const ReportedPart& Details(const char* name) { return s_run.parts[name]; }

    static DemoRun s_run;
    static CRect s_client;
};

DemoRun DemoScreenshot::s_run;
CRect DemoScreenshot::s_client;

TEST_F(DemoScreenshot, TheFramesCaptionHoldsTheTitleAndTheFloatingToolbarHasASmallOne)
{
    const int y = s_client.top - ::GetSystemMetrics(SM_CYCAPTION) / 2;
    int titlePixels = 0;
    for (int x = s_client.left; x < s_client.left + 100; ++x)
        for (int dy = -4; dy <= 4; ++dy)
            titlePixels += At(x, y + dy) != At(s_client.left + 200, y + dy);
    EXPECT_GT(titlePixels, 40) << "no title text in the caption";

    const CRect floating = Part("floating"), settings = Part("settings");
    ASSERT_FALSE(floating.IsRectEmpty());
    ASSERT_FALSE(settings.IsRectEmpty());
    EXPECT_TRUE(floating.PtInRect(settings.CenterPoint()));
    EXPECT_TRUE(Part("sheet").PtInRect(floating.CenterPoint()));   // over the sheet
    // The caption strip lies between the frame's top and the bar, small-caption high.
    const int captionHeight = settings.top - floating.top;
    EXPECT_GE(captionHeight, ::GetSystemMetrics(SM_CYSMCAPTION));
    EXPECT_LT(captionHeight, ::GetSystemMetrics(SM_CYCAPTION) + 8);
    // Both caption strips are coloured (the frame's right of the title and left of any button).
    for (COLORREF strip : {At(s_client.right - 40, y), At(floating.right - 6, floating.top + captionHeight / 2)}) {
        EXPECT_NE(RGB(255, 255, 255), strip);
        EXPECT_NE(::GetSysColor(COLOR_BTNFACE), strip);
    }
}

TEST_F(DemoScreenshot, SheetShowsTheGrid)
{
    const CRect sheet = Part("sheet");
    ASSERT_FALSE(sheet.IsRectEmpty());
    const COLORREF paper = At(sheet.left + kGridStep / 2, sheet.top + kGridStep / 2);
    EXPECT_EQ(RGB(255, 255, 255), paper);
    const COLORREF minor = At(sheet.left + kGridStep, sheet.top + kGridStep / 2);
    const COLORREF axis = At(sheet.left + kGridStep * kAxisEvery, sheet.top + kGridStep / 2);
    EXPECT_NE(paper, minor);
    EXPECT_NE(paper, axis);
    EXPECT_NE(minor, axis);
    // A line every step along a row between lines and down a column between them, paper between.
    const auto expected = [&](int d) { return d % kGridStep ? paper : (d / kGridStep) % kAxisEvery ? minor : axis; };
    for (int x = 0; x < sheet.Width(); ++x)
        ASSERT_EQ(expected(x), At(sheet.left + x, sheet.top + kGridStep / 2)) << "column " << x;
    for (int y = 0; y < sheet.Height(); ++y)
        ASSERT_EQ(expected(y), At(sheet.left + kGridStep / 2, sheet.top + y)) << "row " << y;
}

TEST_F(DemoScreenshot, ToolbarsAreDockedOnTwoSidesWithGrippersAndTheirCategoriesButtonsInSmallSize)
{
    const CRect draw = Part("draw"), modify = Part("modify"), view = Part("view");
    // Name, dock side and buttons (separators are no buttons: Modify has two, View one).
    const std::tuple<const char*, std::string, const char*> bars[] = {
        {"draw", "top", "6"}, {"modify", "top", "6"}, {"view", "left", "6"}, {"settings", "floating", "3"}};
    for (const auto& [name, dock, buttons] : bars) {
        SCOPED_TRACE(name);
        const CRect rect = Part(name);
        ASSERT_FALSE(rect.IsRectEmpty());
        EXPECT_EQ(dock, Details(name).Value("dock"));
        EXPECT_EQ(buttons, Details(name).Value("buttons"));
        EXPECT_EQ(kSmallButton, Details(name).Value("button"));
        // Their buttons show the demo's pictures: far from plain face colour.
        EXPECT_GT(CountIn(*s_run.image, rect, [](COLORREF c) { return c != ::GetSysColor(COLOR_BTNFACE); }), 50);
        // Docked ones show a gripper: an etched bar across the start, inside the border.
        if (dock != "floating") {
            const bool across = rect.Width() > rect.Height();
            const CPoint light =
                across ? CPoint(rect.left + 4, rect.CenterPoint().y) : CPoint(rect.CenterPoint().x, rect.top + 4);
            const CPoint dark = light + (across ? CSize(2, 0) : CSize(0, 2));
            EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), At(light.x, light.y));
            EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), At(dark.x, dark.y));
        }
    }
    // The start-up add-in gave them, asked by the library after it was installed and initialised.
    EXPECT_EQ("Install;Initialize;LoadDefaultToolbars;", Details("addin").Value("calls"));
    EXPECT_EQ(draw.top, modify.top);   // Draw and Modify share the top row; View is on the left, below
    EXPECT_LE(draw.right, modify.left + 2);
    EXPECT_LE(view.right, Part("sheet").left);
    EXPECT_GE(view.top, draw.bottom - 2);
    // A horizontal bar is one button high (and its borders); the vertical one one button wide.
    EXPECT_LT(draw.Height(), 2 * 22);
    EXPECT_LT(view.Width(), 2 * 23);
}

TEST_F(DemoScreenshot, SheetListsTheLibrarysCategoriesWithTheirStripsInsideThePanel)
{
    const CRect panel = Part("categories"), sheet = Part("sheet");
    ASSERT_FALSE(panel.IsRectEmpty());
    EXPECT_TRUE(sheet.PtInRect(panel.TopLeft()));
    EXPECT_GT(CountIn(*s_run.image, panel, [](COLORREF c) { return c == RGB(200, 0, 0); }), 30)
        << "no coloured button pictures in the category panel";
    // The border holds all round, with the sheet's paper and grid beyond it.
    const COLORREF border = ::GetSysColor(COLOR_BTNSHADOW), paper = RGB(255, 255, 255);
    for (int y = panel.top; y < panel.bottom; ++y) {
        ASSERT_EQ(border, At(panel.right - 1, y)) << "row " << y;
        const COLORREF beyond = At(panel.right, y);
        ASSERT_TRUE(beyond == paper || GetBValue(beyond) == 240 || GetBValue(beyond) == 200) << "row " << y;
    }
}

// Under the sheet the unit panel, then the status bar with the library's status text. The
// fields follow their labels in a row, show their values in their units, and all but the
// weight combo box are sunken edits.
TEST_F(DemoScreenshot, UnitPanelAndStatusBarLieAlongTheBottomWithTheFieldsInARow)
{
    const CRect units = Part("units"), sheet = Part("sheet"), status = Part("status");
    ASSERT_FALSE(units.IsRectEmpty());
    ASSERT_FALSE(status.IsRectEmpty());
    EXPECT_EQ(s_client.bottom, status.bottom);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), At(status.right - 30, status.CenterPoint().y));
    const CRect statusText(status.left + 2, status.top + 2, status.left + 200, status.bottom - 2);
    EXPECT_GT(CountIn(*s_run.image, statusText, [](COLORREF c) { return c == ::GetSysColor(COLOR_BTNTEXT); }), 100)
        << "no status text";
    // The sheet tab bar lies between the sheet and the unit panel.
    const CRect tabs = Part("sheettabs");
    EXPECT_EQ(sheet.bottom, tabs.top);
    EXPECT_EQ(tabs.bottom, units.top);
    EXPECT_EQ("12", Details("sheettabs").Value("tabs"));
    EXPECT_LE(units.bottom, status.top + 2);
    EXPECT_GT(units.Width(), units.Height() * 5);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const auto dark = [](COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; };
    const std::pair<const char*, const char*> fields[] = {
        {"units.feet", "5'-6 1/2\""},   // architectural feet and inches
        {"units.metric", "1676.4 mm"},     {"units.angle", "30\xB0"},
        {"units.direction", "N 45\xB0 E"},   // a quadrant bearing
        {"units.weight", "0.35 mm"},
    };
    int left = units.left;
    for (const auto& [name, text] : fields) {
        SCOPED_TRACE(name);
        EXPECT_EQ(text, Details(name).Value("text"));
        const CRect field = Part(name);
        ASSERT_FALSE(field.IsRectEmpty());
        EXPECT_GE(field.left, left);
        RECT beyond;
        EXPECT_FALSE(::SubtractRect(&beyond, &field, &units)) << "outside the panel";
        // Dark text pixels of the label between the last field and this one.
        EXPECT_GT(CountIn(*s_run.image, CRect(left + 2, field.top, field.left - 2, field.bottom), dark), 20);
        left = field.right;
        if (name == std::string("units.weight"))
            continue;
        // Two dark lines along the top and left, two light ones along the bottom and right.
        const CPoint middle = field.CenterPoint();
        EXPECT_EQ(shadow, At(field.left, middle.y));
        EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), At(field.left + 1, middle.y));
        EXPECT_EQ(shadow, At(middle.x, field.top));
        EXPECT_EQ(light, At(field.right - 1, middle.y));
        EXPECT_EQ(light, At(middle.x, field.bottom - 1));
        // The text on the window-coloured face.
        EXPECT_EQ(window, At(field.left + 2, middle.y));
        EXPECT_EQ(window, At(field.right - 4, middle.y));
        const CRect face(field.left + 2, field.top + 2, field.right - 2, field.bottom - 2);
        EXPECT_GT(CountIn(*s_run.image, face, [window](COLORREF c) { return c != window; }), 15);
    }
}

TEST(DemoOptions, HelpUnknownOptionsAndFailuresSayWhatHappened)
{
    // Options, exit code and what the demo says.
    const std::tuple<const char*, int, const char*> runs[] = {
        {"--help", 0, "--screenshot FILE"},   // the usage, with no window left behind
        {"--large --frobnicate", 1, "unknown option --frobnicate\nUsage: drafthost"},
        {"--screenshot Z:\\no\\such\\folder\\shot.png", 4,
         "the screenshot could not be written to Z:\\no\\such\\folder\\shot.png (exit code 4)"},
    };
    for (const auto& [options, exitCode, says] : runs) {
        SCOPED_TRACE(options);
        const DemoRun run = RunDemo(options);
        EXPECT_EQ(exitCode, run.exitCode);
        EXPECT_NE(std::string::npos, run.output.find(says)) << run.output;
    }
}

// The same demo with --large: the library's large-buttons setting before the toolbars are made.
TEST(DemoLargeScreenshot, EveryToolbarHasLargeButtonsInItsPlace)
{
    DemoRun run = RunAndRead("--large");
    ASSERT_EQ(0, run.exitCode) << "drafthost.exe --large --screenshot failed";
    for (const char* name : {"draw", "modify", "view", "settings"})
        EXPECT_EQ(kLargeButton, run.parts[name].Value("button")) << name;
    EXPECT_EQ("left", run.parts["view"].Value("dock"));
    EXPECT_EQ("floating", run.parts["settings"].Value("dock"));
    // The large pictures fill the buttons: the bars grow with them.
    EXPECT_GE(run.parts["draw"].rect.Height(), 30);
    EXPECT_GE(run.parts["view"].rect.Width(), 32);
}

// Where the demo keeps its toolbars: its environment, named by the host, has no user
// key of its own, so its root lies under the host's "Environments".
CString LayoutPath()
{
    auto* pInfo = new CDraftAppInfo;
    CString path =
        CString(pInfo->GetRegistryBasePath()) + "\\Environments\\" + pInfo->GetDefaultEnvironmentName() + "\\Toolbars";
    pInfo->Release();
    return path;
}

// The values of the saved key under path whose "Name" is the caption; empty when there is none.
std::map<std::string, testing_support::StoredValue> SavedToolBar(const CString& path, const char* caption)
{
    for (int n = 0; n < 8; ++n) {
        CString subkey;
        subkey.Format("%s\\Toolbar%d", (LPCSTR)path, n);
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            continue;
        auto values = testing_support::ReadValues(hKey);
        ::RegCloseKey(hKey);
        if (values.count("Name") && values["Name"].Text() == std::string(caption) + '\0')
            return values;
    }
    return {};
}

// The toolbar layout a run leaves is the next one's: a first run floats Modify and
// saves, a second restores. Both share the registry of this program's Wine prefix.
TEST(DemoLayout, SaveBarLayoutWritesEveryToolbarAndLoadBarLayoutBringsItBackWhereItWasLeftWithItsPictures)
{
    const CString path = LayoutPath();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path);
    // Keys of an earlier layout with more toolbars, which the save must take away.
    if (HKEY hToolbars = testing_support::CreateKey(path)) {
        testing_support::WriteNumber(hToolbars, "ToolbarCount", 6);
        for (const char* name : {"Toolbar4", "Toolbar5"})
            ::RegCloseKey(testing_support::CreateKey(path + "\\" + name));
        ::RegCloseKey(hToolbars);
    }
    DemoRun saved = RunAndRead("--float-modify --save-layout");
    DemoRun restored = RunAndRead("--restore-layout");
    ASSERT_EQ(0, saved.exitCode) << "drafthost.exe --float-modify --save-layout failed";
    ASSERT_EQ(0, restored.exitCode) << "drafthost.exe --restore-layout failed";

    HKEY hToolbars = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &hToolbars));
    testing_support::StoredValue count;
    EXPECT_TRUE(testing_support::ReadStoredValue(hToolbars, "ToolbarCount", count));
    EXPECT_EQ((DWORD)REG_DWORD, count.type);
    EXPECT_EQ(4u, count.Number());
    HKEY hStale = nullptr;
    for (const char* stale : {"Toolbar4", "Toolbar5"})
        EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(hToolbars, stale, 0, KEY_READ, &hStale)) << "stale " << stale;
    ::RegCloseKey(hToolbars);
    for (const char* caption : {"Draw", "View", "Settings"})
        EXPECT_FALSE(SavedToolBar(path, caption).empty()) << caption;
    const auto modify = SavedToolBar(path, "Modify");
    ASSERT_FALSE(modify.empty());
    // The values are the toolbar tests' concern; the restored run shows they bring the layout back.
    testing_support::ExpectToolbarKeyValues(modify, true);
    EXPECT_EQ(modify.at("IDs").List(), modify.at("DefaultIDs").List()) << "the add-in's defaults are its buttons";
    // Draw's Circle holds the closed shapes, kept as the default flyout at the first save.
    const auto draw = SavedToolBar(path, "Draw");
    ASSERT_TRUE(draw.count("Flyouts") && draw.count("Flyout0") && draw.count("DefaultFlyouts"));
    EXPECT_EQ(std::vector<UINT>{1}, draw.at("Flyouts").List());
    EXPECT_EQ((std::vector<UINT>{33002, 33007, 33008}), draw.at("Flyout0").List());
    EXPECT_EQ(draw.at("Flyouts").data, draw.at("DefaultFlyouts").data);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path);

    ASSERT_EQ("floating", saved.parts["modify"].Value("dock")) << "--float-modify left Modify docked";
    for (const char* name : {"modify", "floating.modify", "draw", "view", "settings", "floating", "units", "sheet"}) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(saved.parts[name].rect.IsRectEmpty());
        EXPECT_EQ(saved.parts[name].rect, restored.parts[name].rect);
        EXPECT_EQ(saved.parts[name].details, restored.parts[name].details);   // dock side, buttons and their size
    }
    EXPECT_EQ("Install;Initialize;", restored.parts["addin"].Value("calls")) << "defaults over a restored layout";
    EXPECT_EQ("top", restored.parts["draw"].Value("dock"));
    EXPECT_EQ("left", restored.parts["view"].Value("dock"));
    EXPECT_EQ("6", restored.parts["modify"].Value("buttons"));
    EXPECT_EQ("1", restored.parts["draw"].Value("flyouts"));
    // The pictures came back with the buttons.
    const auto drawn = [](COLORREF c) { return c != ::GetSysColor(COLOR_BTNFACE); };
    EXPECT_GT(CountIn(*restored.image, restored.parts["modify"].rect, drawn), 150);
}

// The unit panel's place saved by a first run (no environment stored yet) lies where the
// next start reads it: under the environment's own key, not the program's.
TEST(DemoLayout, AFirstRunKeepsTheUnitPanelWhereTheNextStartLooksForIt)
{
    auto* pInfo = new CDraftAppInfo;
    const CString base = pInfo->GetRegistryBasePath();
    const CString environment = base + "\\Environments\\" + pInfo->GetDefaultEnvironmentName();
    const CString settings = pInfo->GetRegistryName();
    pInfo->Release();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, base);
    ASSERT_EQ(0, RunAndRead("--save-layout").exitCode);
    HKEY hKey = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, environment + "\\Ribbonbars\\Units", 0, KEY_READ, &hKey));
    ::RegCloseKey(hKey);
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, settings + "\\Ribbonbars", 0, KEY_READ, &hKey));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, base);
}

// A layer list's height kept from a taller window leaves the snap panel under it the height of
// its controls.
TEST(DemoLayout, AStoredPanelHeightLeavesThePanelUnderItItsControls)
{
    const DemoRun first = RunAndRead("");
    ASSERT_EQ(0, first.exitCode) << first.output;
    const CRect natural = first.parts.at("snap").rect;
    ASSERT_GT(natural.Height(), 50);
    CString panels = LayoutPath();
    panels = panels.Left(panels.ReverseFind('\\')) + "\\Panels";
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_CURRENT_USER, panels, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    CString name;
    name.Format("%uDocked", (UINT)ID_BAR_LAYERS);
    const DWORD tall = 2000;
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&tall), sizeof tall);
    ::RegCloseKey(hKey);
    const DemoRun restored = RunAndRead("--restore-layout");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, panels);
    ASSERT_EQ(0, restored.exitCode) << restored.output;
    // Its template's height: not squeezed to a sliver, though less than its share of the
    // column at a first start.
    EXPECT_GE(restored.parts.at("snap").rect.Height(), natural.Height() / 2);
    EXPECT_GT(restored.parts.at("layers").rect.Height(), first.parts.at("layers").rect.Height());
}

// A macro button with the macro's picture and a picture the user put on Zoom In,
// both on the View toolbar, come back with the layout at the next start.
TEST(DemoLayout, CustomButtonPicturesSurviveARestart)
{
    const CString path = LayoutPath();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path);
    const std::string picture =
        testing_support::ProgramFolder() + "\\CustBmps\\iCmd" + std::to_string(ID_VIEW_ZOOMIN) + ".tmp";
    DemoRun saved = RunAndRead("--custom-buttons --save-layout");
    DemoRun restored = RunAndRead("--restore-layout");
    ASSERT_EQ(0, saved.exitCode);
    ASSERT_EQ(0, restored.exitCode);
    const auto view = SavedToolBar(path, "View");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path);
    ASSERT_FALSE(view.empty());
    EXPECT_EQ(2u, view.at("CustomBitmaps").List().size());
    EXPECT_EQ(picture + std::string(1, '\0'), view.at("CustomBitmapFile0").Text());
    EXPECT_EQ(std::string("INTERNALBITMAP", 15), view.at("CustomBitmapFile1").Text());

    EXPECT_EQ("7", saved.parts["view"].Value("buttons"));
    EXPECT_EQ(saved.parts["view"].details, restored.parts["view"].details);
    const CRect rect = saved.parts["view"].rect;
    ASSERT_EQ(rect, restored.parts["view"].rect);
    // The user's orange disc shows, and the whole bar is the same after the restart.
    EXPECT_GT(CountIn(*saved.image, rect, [](COLORREF c) { return c == RGB(255, 140, 0); }), 40);
    int differing = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            differing += saved.image->Pixel(x, y) != restored.image->Pixel(x, y);
    EXPECT_EQ(0, differing);
    ::DeleteFileA(picture.c_str());
}

// After a restart the toolbars come from the stored layout, not from the add-in; a first
// visit to another environment then gets its add-in's toolbars of the same names beside them.
TEST(DemoEnvironments, AnEnvironmentNeverVisitedIsReachedAfterARestart)
{
    auto* pInfo = new CDraftAppInfo;
    const CString base = pInfo->GetRegistryBasePath();
    pInfo->Release();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, base);
    ASSERT_EQ(0, RunAndRead("--save-layout").exitCode);
    DemoRun run = RunAndRead("--restore-layout --round-trip");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, base);
    ASSERT_EQ(0, run.exitCode) << run.output;
    EXPECT_EQ(std::string::npos, run.parts["status"].Value("text").find("Still in"));
    // The frame knows its toolbars again after the switches.
    for (const char* bar : {"draw", "modify", "view"})
        EXPECT_FALSE(run.parts[bar].Value("dock").empty()) << bar;
}

// Survey and back: Drafting's restored View toolbar and the host's layer list each keep
// a column of their own at the left, View outermost, as at start-up.
TEST(DemoEnvironments, AfterARoundTripTheLayerListKeepsItsColumnBesideView)
{
    DemoRun run = RunAndRead("--round-trip");
    ASSERT_EQ(0, run.exitCode) << run.output;
    const CRect view = run.parts["view"].rect, layers = run.parts["layers"].rect;
    ASSERT_FALSE(view.IsRectEmpty());
    ASSERT_FALSE(layers.IsRectEmpty());
    EXPECT_EQ("left", run.parts["view"].Value("dock"));
    EXPECT_GE(layers.left, view.right - 2);
}

}   // namespace
