// A host frame as the main window, a category of commands with one solid colour
// per image and per strip variant, and toolbars of the library in the frame.
#pragma once
#include "../control/control_fixture.h"
#include "image_helpers.h"
#include "jbars.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <vector>

namespace toolbar_test {

using image_test::kMagenta;
const UINT kOpen = 0x8001;
const UINT kSave = 0x8002;
const UINT kGrey = 0x8003;      // its image is dark grey, which the inactive look turns black
const UINT kUnknown = 0x8F00;   // in no category

// Image colours by strip variant (small plain, small colour, large plain, large colour) and image.
const COLORREF kImageColors[4][3] = {
    {RGB(10, 10, 10), RGB(20, 20, 20), RGB(0x80, 0x80, 0x80)},
    {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0x80, 0x80, 0x80)},
    {RGB(30, 30, 30), RGB(40, 40, 40), RGB(0x80, 0x80, 0x80)},
    {RGB(0, 0, 200), RGB(200, 200, 0), RGB(0x80, 0x80, 0x80)},
};

// Shows what the base class keeps: the strip the toolbar control draws from.
class ProbeToolBar : public JToolBar {
public:
    using JToolBar::DrawFlyoutSymbol;
    HBITMAP Strip() const { return m_hbmImageWell; }
    // The colour at the centre of image i of the strip.
    COLORREF ImageCenter(int i) const
    {
        return image_test::PixelOf(m_hbmImageWell, i * m_sizeImage.cx + m_sizeImage.cx / 2, m_sizeImage.cy / 2);
    }
    std::vector<UINT> ButtonIDs()
    {
        CUIntArray ids;
        GetButtonIDs(ids);
        return std::vector<UINT>(ids.GetData(), ids.GetData() + ids.GetSize());
    }
    CString Caption() const
    {
        CString caption;
        GetWindowText(caption);
        return caption;
    }
    int ImageCount() const
    {
        return m_hbmImageWell ? image_test::Describe(m_hbmImageWell).bmWidth / m_sizeImage.cx : 0;
    }
};

// A frame that records the commands it receives.
class RecordingFrame : public CFrameWnd {
public:
    std::vector<UINT> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam && HIWORD(wParam) == 0)
            m_commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override {}   // lives in the fixture
};

class ToolbarHost : public ControlLibrary {
protected:
    void SetUp() override
    {
        ControlLibrary::SetUp();
        m_pInfo = CreateManager();
        ASSERT_NE(nullptr, m_pInfo);
        m_pInfo->m_nFlatButtons = 0;
        m_pInfo->m_nGripperBar = 0;
        m_pInfo->m_nLargeButtons = 0;
        m_pInfo->m_bColorButtons = TRUE;
        ASSERT_TRUE(m_frame.Create(nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
        m_frame.m_bAutoMenuEnable = FALSE;
        m_oldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = &m_frame;
        AddCategory();
    }
    void TearDown() override
    {
        // Toolbars delete themselves with their windows.
        m_frame.DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_oldMain;
        testing_support::PumpMessages();
        ControlLibrary::TearDown();
    }

    // Strips of three images each, of the current image sizes, with a magenta
    // (transparent) top-left pixel in every image.
    void AddCategory()
    {
        HBITMAP strips[4];
        for (int variant = 0; variant < 4; ++variant) {
            const int cx = variant >= 2 ? 24 : 16, cy = variant >= 2 ? 23 : 15;
            strips[variant] = image_test::MakeDib(cx * 3, cy, 24, kMagenta);
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            const HGDIOBJ hOld = ::SelectObject(dc, strips[variant]);
            for (int i = 0; i < 3; ++i) {
                dc.FillSolidRect(i * cx, 0, cx, cy, kImageColors[variant][i]);
                dc.SetPixel(i * cx, 0, kMagenta);
            }
            ::SelectObject(dc, hOld);
        }
        const UINT ids[] = {kOpen, 0, kSave, kGrey};
        m_pInfo->m_categories.AddCategory("Tools", strips[0], strips[1], strips[2], strips[3], ids, nullptr, 4, 0);
    }

    ProbeToolBar* MakeToolBar(std::vector<UINT> ids, DWORD dwDockStyle = (DWORD)-1, int nID = -1,
                              const char* name = "Tools")
    {
        auto* pBar = new ProbeToolBar;
        EXPECT_TRUE(pBar->Create(&m_frame, name, ids.data(), (int)ids.size(), nID, dwDockStyle,
                                 WS_CHILD | WS_VISIBLE | CBRS_TOP));
        m_frame.RecalcLayout();
        testing_support::PumpMessages();
        return pBar;
    }

    // Paints the toolbar now, as the next paint after a change would.
    static void Repaint(CWnd* pBar)
    {
        pBar->Invalidate();
        pBar->UpdateWindow();
    }

    CPoint ButtonCenter(JToolBar* pBar, int index)
    {
        CRect rect;
        pBar->GetItemRect(index, rect);
        pBar->ClientToScreen(rect);
        return rect.CenterPoint();
    }

    JControlOnlyInfo* m_pInfo = nullptr;
    RecordingFrame m_frame;
    CWnd* m_oldMain = nullptr;
};

}   // namespace toolbar_test
