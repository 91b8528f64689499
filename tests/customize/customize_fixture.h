// The host's main frame as a CCustomFrame with a status bar, the application's main
// window, and a category of commands whose strings live in this program.
#pragma once
#include "../control/control_fixture.h"
#include "jbars.h"
#include "jcustomize.h"
#include "libstate.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <vector>

namespace customize_test {

// Commands of the "Tools" category (strings in customize_tests.rc).
const UINT kOpen = 0x8001;      // prompt, tip and a third part
const UINT kSave = 0x8002;      // a prompt without a tip
const UINT kZoom = 0x8003;      // a tip longer than a tooltip shows
const UINT kShared = 185;       // also a string of the library's resource module
const UINT kUnnamed = 0x8004;   // no string anywhere

// A CCustomFrame whose client area is its own (no MDI client), kept by the fixture.
class TestFrame : public CCustomFrame {
public:
    int m_nToolBarsAtDestroy = -1;       // toolbars in the bar list when WM_DESTROY came
    int m_nClicks = 0;                   // WM_LBUTTONDOWN on the frame's own client area
    int m_nCaptionDrawn = -1;            // the last WM_NCACTIVATE's flag default processing got
    std::vector<bool> m_customizeDone;   // JCM_CUSTOMIZEDONE received: was the dialog still open

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCACTIVATE)
            m_nCaptionDrawn = (int)wParam;
        return CCustomFrame::DefWindowProc(message, wParam, lParam);
    }

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext*) override { return TRUE; }
    void PostNcDestroy() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN)
            ++m_nClicks;
        if (message == JCM_CUSTOMIZEDONE)
            m_customizeDone.push_back(ControlState().bCustomizeDialogOpen != FALSE);
        if (message == WM_DESTROY) {
            m_nToolBarsAtDestroy = 0;
            for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;)
                if (DYNAMIC_DOWNCAST(JToolBar, static_cast<CControlBar*>(m_listControlBars.GetNext(pos))))
                    ++m_nToolBarsAtDestroy;
        }
        return CCustomFrame::WindowProc(message, wParam, lParam);
    }
};

class CustomFrameHost : public ControlLibrary {
protected:
    void SetUp() override
    {
        ControlLibrary::SetUp();
        m_pInfo = CreateManager();
        ASSERT_NE(nullptr, m_pInfo);
        m_pInfo->m_nLargeButtons = 0;
        m_pInfo->m_nFlatButtons = 0;
        m_pInfo->m_nGripperBar = 0;
        const UINT ids[] = {kOpen, 0, kSave, kZoom, kShared, kUnnamed};
        m_pInfo->m_categories.AddCategory("Tools", 0, 0, 0, 0, ids, nullptr, 6, ::GetModuleHandleA(nullptr), 0);
        ASSERT_TRUE(m_frame.Create(nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 460)));
        const UINT indicators[] = {ID_SEPARATOR};
        ASSERT_TRUE(m_status.Create(&m_frame));
        m_status.SetIndicators(indicators, 1);
        m_oldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = &m_frame;
        m_frame.RecalcLayout();
        testing_support::PumpMessages();
    }
    void TearDown() override
    {
        if (m_frame.m_hWnd)
            m_frame.DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_oldMain;
        testing_support::PumpMessages();
        ControlLibrary::TearDown();
    }

    JToolBar* MakeToolBar(UINT nID, const char* name, std::vector<UINT> ids, UINT nDockBarID = AFX_IDW_DOCKBAR_TOP)
    {
        auto* pBar = new JToolBar;   // deletes itself with its window
        EXPECT_TRUE(pBar->Create(&m_frame, name, ids.data(), (int)ids.size(), (int)nID, CBRS_ALIGN_ANY,
                                 WS_CHILD | WS_VISIBLE | CBRS_TOP));
        m_frame.DockControlBar(pBar, nDockBarID);
        m_frame.RecalcLayout();
        testing_support::PumpMessages();
        return pBar;
    }

    CString StatusText() const { return m_status.GetPaneText(0); }

    JControlOnlyInfo* m_pInfo = nullptr;
    TestFrame m_frame;
    CStatusBar m_status;
    CWnd* m_oldMain = nullptr;
};

}   // namespace customize_test
