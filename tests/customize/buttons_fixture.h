// The host of the buttons page's tests: a frame with a toolbar of the library, a
// category of eight commands each drawn in a colour of its own, and a stand-in for
// the page (a window with a palette host in it) that records the prompts it is sent.
#pragma once
#include "../control/fake_host.h"
#include "../toolbar/toolbar_fixture.h"
#include "jbuttonspage.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace buttons_test {

const UINT kShape = 0x8100;   // kShape + 0 ... kShape + 7
const int kShapes = 8;

inline COLORREF ShapeColor(int i)
{
    return RGB(40 + 25 * i, 200 - 20 * i, (i * 70) % 256);
}

using ScriptedInputSteps = std::vector<testing_support::ScriptStep>;

// A fresh folder under the temporary folder, current for the scope's life.
class MacroFolderScope {
public:
    MacroFolderScope()
    {
        static int counter = 0;
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::filesystem::path(temp) /
                   ("Macro Folder " + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter));
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
        std::filesystem::create_directories(m_folder);
        char old[MAX_PATH];
        ::GetCurrentDirectoryA(MAX_PATH, old);
        m_old = old;
        ::SetCurrentDirectoryA(m_folder.string().c_str());
    }
    ~MacroFolderScope()
    {
        ::SetCurrentDirectoryA(m_old.c_str());
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
    }
    MacroFolderScope(const MacroFolderScope&) = delete;
    MacroFolderScope& operator=(const MacroFolderScope&) = delete;

    void Add(const std::string& name, const std::string& content = "") { std::ofstream(m_folder / name) << content; }
    const std::filesystem::path& path() const { return m_folder; }

private:
    std::filesystem::path m_folder;
    std::string m_old;
};

// A window standing in for the page: the palette host is its child, as on the page.
class PageStandIn : public CWnd {
public:
    std::vector<std::pair<WPARAM, std::string>> m_prompts;   // WM_SETMESSAGESTRING received
    CWnd m_host;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING) {
            m_prompts.emplace_back(wParam, lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ButtonsHost : public toolbar_test::ToolbarHost {
protected:
    void SetUp() override
    {
        ToolbarHost::SetUp();
        AddShapes();
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        const LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
        ASSERT_TRUE(m_page.CreateEx(0, cls, "page", WS_POPUP | WS_VISIBLE, CRect(620, 40, 900, 260), &m_frame, 0));
        ASSERT_TRUE(m_page.m_host.Create(cls, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 270, 200), &m_page, 0xFFFF));
    }
    void TearDown() override
    {
        if (m_page.m_hWnd)
            m_page.DestroyWindow();
        ToolbarHost::TearDown();
    }

    // Eight commands whose images are each one colour (with a magenta corner).
    void AddShapes()
    {
        HBITMAP strips[4];
        UINT ids[kShapes];
        for (int variant = 0; variant < 4; ++variant) {
            const int cx = variant >= 2 ? 24 : 16, cy = variant >= 2 ? 23 : 15;
            strips[variant] = image_test::MakeDib(cx * kShapes, cy, 24, image_test::kMagenta);
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            const HGDIOBJ hOld = ::SelectObject(dc, strips[variant]);
            for (int i = 0; i < kShapes; ++i) {
                dc.FillSolidRect(i * cx, 0, cx, cy, ShapeColor(i));
                dc.SetPixel(i * cx, 0, image_test::kMagenta);
            }
            ::SelectObject(dc, hOld);
        }
        for (int i = 0; i < kShapes; ++i)
            ids[i] = kShape + (UINT)i;
        m_pInfo->m_categories.AddCategory("Shapes", strips[0], strips[1], strips[2], strips[3], ids, nullptr, kShapes,
                                          0);
    }

    // A palette of the first `count` shapes in the stand-in's host.
    JCustomToolbar* MakePalette(int count)
    {
        std::vector<UINT> ids;
        for (int i = 0; i < count; ++i)
            ids.push_back(kShape + (UINT)i);
        auto* pPalette = new JCustomToolbar;
        if (!pPalette->CreatePalette(&m_page.m_host, ids.data(), (int)ids.size(), &m_frame)) {
            ADD_FAILURE() << "no palette";
            return nullptr;
        }
        m_page.m_host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
        testing_support::PumpMessages();
        return pPalette;
    }

    static CPoint ScreenCenter(CToolBar* pBar, int index)
    {
        CRect rect;
        pBar->GetItemRect(index, rect);
        pBar->ClientToScreen(rect);
        return rect.CenterPoint();
    }

    static void MoveTo(CPoint point)
    {
        testing_support::MoveMouse(point);
        testing_support::PumpMessages();
    }

    PageStandIn m_page;
};

}   // namespace buttons_test
