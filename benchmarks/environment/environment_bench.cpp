// The host's switch between two environments of 15 toolbars each, with their
// menus (JSetEnvironment), against the floor of that work: the bare registry
// writes of the one's layout, the bare reads of the other's, and creating 15
// framework toolbars with the same buttons and the other's menu. Several runs;
// the median ratio is printed against the target.
#include "../benchtime.h"
#include "appcore.h"
#include "controlexports.h"
#include "jappinfo.h"
#include "jbars.h"
#include "jcontrolinfo.h"
#include "jenvmanager.h"

#include "afxpriv.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr double kTarget = 2.0;
constexpr int kToolbars = 15;
constexpr int kButtons = 12;
constexpr int kPopups = 6;
constexpr int kItems = 12;
constexpr int kRuns = 9;
constexpr int kSwitchesPerRun = 4;
constexpr UINT kFirstCommand = 0x9000;
constexpr LPCSTR kBase = "Software\\CONTROL\\environment_bench";
constexpr LPCSTR kBareKey = "Software\\CONTROL\\environment_bench\\Bare";

// The host's application object: names, keys and the menu interface, nothing more.
// A COM object is released, never deleted through its interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class BenchAppInfo final : public JAppInfo {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IJAppInfo) || IsEqualIID(riid, IID_IJAppMenus)
                   ? static_cast<JAppInfo*>(this)
                   : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    long STDMETHODCALLTYPE GetMacroDirectoryValue() override { return 0; }
    const char* STDMETHODCALLTYPE GetMessageCaption() override { return "environment_bench"; }
    const char* STDMETHODCALLTYPE GetDefaultEnvironmentName() override { return "A"; }
    const char* STDMETHODCALLTYPE GetRegistryBasePath() override { return kBase; }
    const char* STDMETHODCALLTYPE GetRegistryName() override { return "Software\\CONTROL\\environment_bench\\Settings"; }
    BOOL STDMETHODCALLTYPE IsReady() override { return TRUE; }
    const char* STDMETHODCALLTYPE GetApplicationPath() override { return ""; }
    const char* STDMETHODCALLTYPE GetDefaultStartUpDll() override { return ""; }
    void STDMETHODCALLTYPE OnApplicationPathChanged(const GUserText&) override {}
    void STDMETHODCALLTYPE OnStartUpDllChanged(const GUserText&) override {}
    void STDMETHODCALLTYPE OnEnvironmentNameChanged(const GUserText&) override {}
    void STDMETHODCALLTYPE OnFirstSwitch() override {}
    void STDMETHODCALLTYPE OnSecondSwitch() override {}
};
#pragma GCC diagnostic pop

struct Value {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
};
// Every value of a stored layout, by subkey ("" for the "Toolbars" key itself).
using Layout = std::map<std::string, std::vector<Value>>;

void ReadValues(HKEY hKey, const std::string& path, Layout& layout)
{
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[4096];
        DWORD cchName = sizeof name, type = 0, size = sizeof data;
        if (::RegEnumValueA(hKey, i, name, &cchName, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        layout[path].push_back({name, type, std::vector<BYTE>(data, data + size)});
    }
    char subkey[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof subkey;
        HKEY hSub = nullptr;
        if (::RegEnumKeyExA(hKey, i, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (::RegOpenKeyExA(hKey, subkey, 0, KEY_READ, &hSub) == ERROR_SUCCESS) {
            ReadValues(hSub, path.empty() ? subkey : path + "\\" + subkey, layout);
            ::RegCloseKey(hSub);
        }
    }
}

// An environment's stored layout and menu.
Layout Stored(const char* environment)
{
    Layout layout;
    for (const char* part : {"Toolbars", "Menu"}) {
        const std::string path = std::string(kBase) + "\\Environments\\" + environment + "\\" + part;
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
            ReadValues(hKey, part, layout);
            ::RegCloseKey(hKey);
        }
    }
    return layout;
}

void BareWrites(const Layout& layout)
{
    HKEY hRoot = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kBareKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hRoot, nullptr);
    for (const auto& [subkey, values] : layout) {
        HKEY hKey = nullptr;
        ::RegCreateKeyExA(hRoot, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        for (const Value& value : values)
            ::RegSetValueExA(hKey, value.name.c_str(), 0, value.type, value.data.data(), (DWORD)value.data.size());
        ::RegCloseKey(hKey);
    }
    ::RegCloseKey(hRoot);
}

void BareReads(const char* environment, const Layout& layout)
{
    const std::string root = std::string(kBase) + "\\Environments\\" + environment;
    HKEY hRoot = nullptr;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, root.c_str(), 0, KEY_READ, &hRoot);
    BYTE buffer[4096];
    for (const auto& [subkey, values] : layout) {
        HKEY hKey = nullptr;
        ::RegOpenKeyExA(hRoot, subkey.c_str(), 0, KEY_READ, &hKey);
        for (const Value& value : values) {
            DWORD type = 0, size = sizeof buffer;
            ::RegQueryValueExA(hKey, value.name.c_str(), nullptr, &type, buffer, &size);
        }
        ::RegCloseKey(hKey);
    }
    ::RegCloseKey(hRoot);
}

std::vector<UINT> CommandIds()
{
    std::vector<UINT> ids;
    for (int i = 0; i < kButtons; ++i)
        ids.push_back(kFirstCommand + (UINT)i);
    return ids;
}

HBITMAP Strip(int width, int height)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, width * kButtons, height);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int i = 0; i < kButtons; ++i) {
        RECT cell = {i * width, 0, (i + 1) * width, height};
        HBRUSH hBrush = ::CreateSolidBrush(RGB(20 * i, 255 - 20 * i, 128));
        ::FillRect(hDC, &cell, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    return hBitmap;
}

// A menu bar of popups of commands; the environment's name tells them apart.
HMENU MakeMenu(const char* environment)
{
    HMENU hBar = ::CreateMenu();
    for (int p = 0; p < kPopups; ++p) {
        HMENU hPopup = ::CreatePopupMenu();
        for (int i = 0; i < kItems; ++i) {
            const std::string text = std::string(environment) + " item " + std::to_string(p) + "." + std::to_string(i);
            ::AppendMenuA(hPopup, i == kItems / 2 ? MF_SEPARATOR : MF_STRING, kFirstCommand + (UINT)(p * kItems + i),
                          text.c_str());
        }
        ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hPopup, (std::string("&") + environment + std::to_string(p)).c_str());
    }
    return hBar;
}

// The environment's toolbars and menu, stored. The toolbars are the same in
// both (a host's add-in gives them), docked on other sides: the frame's are
// shown and docked again, or made the first time.
bool MakeEnvironment(CFrameWnd& frame, const char* environment, bool second)
{
    const std::vector<UINT> ids = CommandIds();
    std::vector<JToolBar*> bars;
    for (POSITION pos = frame.m_listControlBars.GetHeadPosition(); pos;)
        if (auto* pBar = DYNAMIC_DOWNCAST(JToolBar, static_cast<CControlBar*>(frame.m_listControlBars.GetNext(pos))))
            bars.push_back(pBar);
    for (int n = (int)bars.size(); n < kToolbars; ++n) {
        auto* pBar = new JToolBar;
        if (!pBar->Create(&frame, ("Bench " + std::to_string(n)).c_str(), ids.data(), (int)ids.size(), -1,
                          CBRS_ALIGN_ANY, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY))
            return false;
        bars.push_back(pBar);
    }
    for (size_t n = 0; n < bars.size(); ++n) {
        frame.ShowControlBar(bars[n], TRUE, FALSE);
        frame.DockControlBar(bars[n], (n % 2 != 0) != second ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
    }
    frame.RecalcLayout();
    HMENU hOld = ::GetMenu(frame.m_hWnd);
    ::SetMenu(frame.m_hWnd, MakeMenu(environment));
    if (hOld)
        ::DestroyMenu(hOld);
    WriteMenuToRegistry(0, nullptr, nullptr);
    return ForceSaveBarLayout(&frame, nullptr, nullptr) == kToolbars;
}

// The floor of a switch to `environment`: the layout left written, the new one
// read, its plain toolbars made and its menu put on the frame.
void FloorSwitch(CFrameWnd& frame, const Layout& left, const char* environment, const Layout& entered,
                 const std::vector<HBITMAP>& strips, std::vector<CToolBar*>& bars)
{
    BareWrites(left);
    BareReads(environment, entered);
    const std::vector<UINT> ids = CommandIds();
    for (HBITMAP hStrip : strips) {
        auto* pBar = new CToolBar;
        pBar->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR + 1);
        pBar->SetSizes(CSize(23, 22), CSize(16, 15));
        pBar->SetBitmap(static_cast<HBITMAP>(::CopyImage(hStrip, IMAGE_BITMAP, 0, 0, 0)));
        pBar->SetButtons(ids.data(), (int)ids.size());
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pBar->m_bAutoDelete = TRUE;
        frame.DockControlBar(pBar, (int)bars.size() % 2 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
        bars.push_back(pBar);
    }
    frame.RecalcLayout();
    HMENU hOld = ::GetMenu(frame.m_hWnd);
    ::SetMenu(frame.m_hWnd, MakeMenu(environment));
    ::DestroyMenu(hOld);
}

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp("environment_bench") {}
};
CBenchApp theApp;
BenchAppInfo g_appInfo;

}   // namespace

int main()
{
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
    AppCoreSetApplicationObject(static_cast<JAppInfo*>(&g_appInfo));
    InitCustomControls();
    JCreateEnvironmentManager(nullptr, 1, 1, 1, 1, 1, 1, 1, 1);
    SetWinApp(&g_appInfo);
    JEnvironmentManager* pManager = JGetEnvironmentManager();
    if (!pManager || !GetJControlInfo() || !JCreateEnvironment(nullptr, "B", nullptr, nullptr)) {
        std::printf("the control library did not start\n");
        return 2;
    }
    auto* pFrame = new CFrameWnd;
    if (!pFrame->Create(nullptr, "environment_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 600)))
        return 2;
    theApp.m_pMainWnd = pFrame;
    pFrame->EnableDocking(CBRS_ALIGN_ANY);

    // Each environment has the category of the toolbars' commands, its toolbars and its menu.
    const std::vector<UINT> ids = CommandIds();
    HBITMAP hSmall = Strip(16, 15), hLarge = Strip(24, 23);
    bool ok = true;
    for (long index : {1L, 0L}) {
        pManager->SetEnvironment(index);
        AddCategoryUsingBitmaps("Bench", hSmall, hSmall, hLarge, hLarge, ids.data(), (int)ids.size(), nullptr);
    }
    ok = MakeEnvironment(*pFrame, "A", false);
    ok = ok && JSetEnvironment("B") && MakeEnvironment(*pFrame, "B", true) && JSetEnvironment("A");
    const Layout stored[2] = {Stored("A"), Stored("B")};
    ok = ok && stored[0].size() == kToolbars + 1 + kPopups + 1 && stored[1].size() == stored[0].size();
    std::vector<HBITMAP> strips(kToolbars, hSmall);

    std::vector<double> switches, floors, ratios;
    for (int run = 0; run < kRuns && ok; ++run) {
        std::vector<double> switchRun, floorRun;
        for (int s = 0; s < kSwitchesPerRun && ok; ++s) {
            const bool toB = GetJControlInfo()->m_strCustomEnvironment == "A";
            const char* to = toB ? "B" : "A";
            switchRun.push_back(Seconds([&] { ok = JSetEnvironment(to) != 0; }));
            // The floor in the same frame, its plain toolbars gone after it.
            std::vector<CToolBar*> bars;
            floorRun.push_back(
                Seconds([&] { FloorSwitch(*pFrame, stored[toB ? 0 : 1], to, stored[toB ? 1 : 0], strips, bars); }));
            for (CToolBar* pBar : bars)
                pBar->DestroyWindow();
            pFrame->RecalcLayout();
        }
        switches.push_back(Median(switchRun));
        floors.push_back(Median(floorRun));
        ratios.push_back(switches.back() / floors.back());
    }
    theApp.m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
    ::DeleteObject(hSmall);
    ::DeleteObject(hLarge);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
    if (!ok) {
        std::printf("the environments were not made or did not switch\n");
        return 2;
    }
    const double median = Median(ratios);
    std::printf("Switching between two environments of %d toolbars of %d buttons with menus of %d popups\n",
                kToolbars, kButtons, kPopups);
    std::printf("  %-44s %10.1f us (median of %d runs)\n", "JSetEnvironment", Median(switches) * 1e6, kRuns);
    std::printf("  %-44s %10.1f us\n", "bare writes + reads, 15 CToolBars, the menu", Median(floors) * 1e6);
    std::printf("  ratio: min %.2f / median %.2f / max %.2f (target at most %.1f): %s\n",
                *std::min_element(ratios.begin(), ratios.end()), median,
                *std::max_element(ratios.begin(), ratios.end()), kTarget, median <= kTarget ? "met" : "NOT met");
    return median <= kTarget ? 0 : 1;
}
