// The library's dialog bar in a frame: its caption strip and gripper in pixels, the layout of
// its children, its floating sizes, docking and floating with real input, and the calls its
// ActiveX children receive.
#include "comfake.h"
#include "controlexports.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "module.h"
#include "scripted_input.h"
#include "testsupport.h"
#include "tsprefscontexthelp.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

using testing_support::PumpMessages;
using testing_support::PumpUntil;

namespace {

constexpr UINT kBarID = AFX_IDW_CONTROLBAR_FIRST + 0x40;
constexpr DWORD kHelpContext = 77;

class DialogBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlAttachProcess(::GetModuleHandleA(nullptr));
        JCreateEnvironmentManager(m_key.path(), 1, 1, 1, 1, 1, 1, 1, 1);
        GetJControlInfo()->m_nGripperBar = 1;
        m_pFrame = new CFrameWnd;   // deletes itself with its window, and the bar with its own
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, "dialog bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 440)));
        // The left area is the library's splitter dock bar; the frame makes the other three.
        m_pLeft = new CSplitterDockBar;
        ASSERT_TRUE(m_pLeft->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, AFX_IDW_DOCKBAR_LEFT));
        m_pLeft->m_bAutoDelete = TRUE;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pBar = new CBaseDialogBar;
        char helpFile[] = "layers.hlp";
        ASSERT_TRUE(m_pBar->Create(m_pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarID, 0, helpFile, kHelpContext));
        m_pBar->m_bAutoDelete = TRUE;
        m_pBar->SetWindowText("Layers");
        m_pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(m_pBar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->RecalcLayout();
        testing_support::MakeForeground(m_pFrame->m_hWnd);
        PumpMessages();
    }
    void TearDown() override
    {
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        PumpMessages();
        ControlDetachProcess();
    }

    CWnd* MiniFrame() { return m_pBar->IsFloating() ? m_pBar->GetParent()->GetParent() : nullptr; }
    std::vector<CRect> ChildRects()
    {
        std::vector<CRect> rects;
        for (HWND hChild = ::GetTopWindow(m_pBar->m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            CRect rect;
            ::GetWindowRect(hChild, rect);
            m_pBar->ScreenToClient(rect);
            rects.push_back(rect);
        }
        return rects;
    }
    // Double-clicks with real input; the first click may start a drag loop, which the
    // script's timer runs in and its watchdog ends.
    void DoubleClick(CPoint at, bool floatingBefore)
    {
        testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        script.Wait(15).Then([at] { return testing_support::ClickAt(at), testing_support::ClickAt(at), true; });
        PumpUntil([&] { return script.Done() && !::GetCapture() && m_pBar->IsFloating() != floatingBefore; });
    }

    testing_support::ScopedTestKey m_key;
    CFrameWnd* m_pFrame = nullptr;
    CWnd* m_pOldMain = nullptr;
    CBaseDialogBar* m_pBar = nullptr;
    CSplitterDockBar* m_pLeft = nullptr;
};

TEST_F(DialogBarTest, CaptionStripAndGripperAreDrawnWhereTheBarsMeasuresSayInTheActivityColours)
{
    ASSERT_TRUE(m_pBar->GetGripperBar());   // from the control state
    m_pBar->SetShowCaption(TRUE);
    m_pBar->UpdateControlsPosition(0, 0, FALSE);
    CRect window, client;
    m_pBar->GetWindowRect(window);
    m_pBar->GetClientRect(client);
    m_pBar->ClientToScreen(client);
    const CPoint origin(client.left - window.left, client.top - window.top);   // client origin on the canvas
    CRect strip = m_pBar->GetCaptionRect();
    strip.OffsetRect(origin);
    ASSERT_EQ(CBaseDialogBar::kCaptionHeight, strip.Height());
    for (const BOOL bActive : {TRUE, FALSE}) {
        m_pBar->SetActive(bActive);
        const auto canvas = testing_support::RenderWindow(m_pBar->m_hWnd);
        const COLORREF fill = ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        const COLORREF text = ::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
        EXPECT_EQ(fill, canvas->Pixel(strip.right - 2, strip.top));
        EXPECT_EQ(fill, canvas->Pixel(strip.right - 2, strip.bottom - 1));
        EXPECT_NE(fill, canvas->Pixel(strip.right - 2, strip.bottom));
        // The title's letters lie in the strip, from 3 pixels in.
        int letters = 0, stray = 0;
        for (int y = strip.top - 4; y < strip.bottom + 4; ++y)
            for (int x = origin.x; x < strip.right; ++x)
                if (canvas->Pixel(x, y) == text)
                    (strip.PtInRect(CPoint(x, y)) && x >= strip.left + 3 ? letters : stray)++;
        EXPECT_GT(letters, 10) << bActive;
        EXPECT_EQ(0, stray) << bActive;
    }
    // The gripper: highlight then shadow, 2 pixels in from the bar's left border; without
    // it the client area, and the caption strip with it, begins there.
    const int y = strip.CenterPoint().y;
    const int grip = ((m_pBar->GetBarStyle() & CBRS_BORDER_LEFT) ? 2 : 0) + 2;
    auto canvas = testing_support::RenderWindow(m_pBar->m_hWnd);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas->Pixel(grip, y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas->Pixel(grip + 2, y));
    m_pBar->SetGripperBar(FALSE);
    EXPECT_FALSE(m_pBar->GetBarStyle() & CBRS_GRIPPER);
    canvas = testing_support::RenderWindow(m_pBar->m_hWnd);
    EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTION), canvas->Pixel(grip, y));
}

TEST_F(DialogBarTest, ChildrenFollowEachOtherInARowOrAColumnBelowTheCaptionWhenDocked)
{
    struct Case {
        BOOL bRow, bCaption, bFloat;
        int top;   // the first child's top
    } const cases[] = {{FALSE, FALSE, FALSE, 0},
                       {TRUE, FALSE, FALSE, 0},
                       {FALSE, TRUE, FALSE, CBaseDialogBar::kCaptionHeight},
                       {TRUE, TRUE, TRUE, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.bRow << " caption " << c.bCaption << " float " << c.bFloat);
        m_pBar->SetAddControlsToRight(c.bRow);
        m_pBar->SetShowCaption(c.bCaption);
        if (c.bFloat)
            m_pFrame->FloatControlBar(m_pBar, CPoint(300, 300));
        m_pBar->UpdateControlsPosition(0, 0, FALSE);
        const std::vector<CRect> rects = ChildRects();
        ASSERT_EQ(3u, rects.size());
        CPoint expected(0, c.top);
        for (const CRect& rect : rects) {
            EXPECT_EQ(expected, rect.TopLeft());
            (c.bRow ? expected.x : expected.y) += c.bRow ? rect.Width() : rect.Height();
        }
    }
    // A size with a zero side lays nothing out.
    ::MoveWindow(::GetTopWindow(m_pBar->m_hWnd), 50, 50, 10, 10, FALSE);
    m_pBar->SendMessage(WM_SIZE, 0, MAKELPARAM(0, 30));
    EXPECT_EQ(CPoint(50, 50), ChildRects()[0].TopLeft());
}

TEST_F(DialogBarTest, ChildrenThatALayoutMovesArePaintedAfreshAndThoseLeftInPlaceAreNot)
{
    // The bar paints over its children (no WS_CLIPCHILDREN): bits a moved child carried along
    // from where it stood would be painted over and never painted again.
    m_pBar->UpdateControlsPosition(0, 0, FALSE);
    ::UpdateWindow(m_pFrame->m_hWnd);
    PumpMessages();
    const auto invalid = [](HWND hChild) { return ::GetUpdateRect(hChild, nullptr, FALSE) != FALSE; };
    for (HWND hChild = ::GetTopWindow(m_pBar->m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ASSERT_FALSE(invalid(hChild));
    // The caption strip pushes every child down.
    m_pBar->SetShowCaption(TRUE);
    m_pBar->UpdateControlsPosition(0, 0, FALSE);
    // The label and the field (the push button takes its own repaint as it moves).
    for (int id : {1000, 1001}) {
        CRect client, update;
        ::GetClientRect(::GetDlgItem(m_pBar->m_hWnd, id), client);
        ::GetUpdateRect(::GetDlgItem(m_pBar->m_hWnd, id), update, FALSE);
        EXPECT_EQ(client, update) << id;
    }
    // Laid out again where they are: nothing to paint.
    PumpMessages();
    m_pBar->UpdateControlsPosition(0, 0, FALSE);
    for (HWND hChild = ::GetTopWindow(m_pBar->m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        EXPECT_FALSE(invalid(hChild)) << ::GetDlgCtrlID(hChild);
}

TEST_F(DialogBarTest, DockedLayoutsTakeTheDefaultOrFloatingSizeAndEdgesSetTheFloatingSize)
{
    const CSize template_ = m_pBar->m_sizeDefault;
    // Never sized: floating takes the template's size rather than nothing.
    EXPECT_EQ(template_, m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH));
    EXPECT_EQ(template_, m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));   // across a horizontal bar
    m_pFrame->FloatControlBar(m_pBar, CPoint(200, 200));
    ASSERT_TRUE(m_pBar->IsFloating());
    EXPECT_EQ(CSize(260, template_.cy), m_pBar->CalcDynamicLayout(260, LM_HORZ));
    EXPECT_EQ(CSize(260, 90), m_pBar->CalcDynamicLayout(90, LM_HORZ | LM_LENGTHY));
    EXPECT_EQ(CSize(1, 90), m_pBar->CalcDynamicLayout(-40, LM_HORZ));   // a bad length
    EXPECT_EQ(CSize(1, 90), m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH));
    // The size reported while the floating frame is tracked, and to the dock context.
    m_pBar->m_sizeTrack = CSize(120, 50);
    JDBTRACKINFO track{};
    EXPECT_EQ(1, m_pBar->SendMessage(JDBM_TRACKSIZE, 0, (LPARAM)&track));
    EXPECT_EQ(CRect(1, 1, 119, 49), CRect(track.rect));
    SIZE reported{};
    m_pBar->SendMessage(JDBM_GETDOCKSIZE, 0, (LPARAM)&reported);
    EXPECT_EQ(CSize(1, 90), CSize(reported));
    // The mini frame moves instead of sizing unless the bar is resizeable.
    m_pBar->SetResizeable(TRUE);
    EXPECT_FALSE(MiniFrame()->GetStyle() & MFS_MOVEFRAME);
    EXPECT_TRUE(m_pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC);
    m_pBar->SetResizeable(FALSE);
    EXPECT_TRUE(MiniFrame()->GetStyle() & MFS_MOVEFRAME);
}

TEST_F(DialogBarTest, ACornerSizesTheFloatingFrameTowardsItButNeverBelowTheFramesMinimum)
{
    m_pFrame->FloatControlBar(m_pBar, CPoint(200, 200));
    ASSERT_TRUE(m_pBar->IsFloating());
    JDockContext* pContext = m_pBar->m_pJDockContext;
    ASSERT_EQ(pContext, m_pBar->m_pDockContext);
    CRect frame;
    MiniFrame()->GetWindowRect(frame);
    const int minW = ::GetSystemMetrics(SM_CXMIN), minH = ::GetSystemMetrics(SM_CYMIN);
    const int cap = ::GetSystemMetrics(SM_CYSMCAPTION);
    struct Case {
        UINT nHit;
        CPoint cursor;
        CSize size;
        CPoint origin;
    } const cases[] = {
        // Past the opposite corner: the minimum, the origin only as far as it allows.
        {HTTOPLEFT,
         frame.BottomRight() + CSize(30, 30),
         {minW - 3, minH - 1},
         {frame.right - minW - 1, frame.bottom - cap - minH - 3}},
        {HTTOPLEFT,
         frame.TopLeft() - CSize(40, 20),
         {frame.right - (frame.left - 40) - 3, frame.bottom - cap - (frame.top - 20) - 1},
         {frame.left - 41, frame.top - 23}},
        {HTBOTTOMRIGHT, frame.TopLeft(), {minW, minH}, frame.TopLeft()},
        {HTTOPRIGHT,
         CPoint(frame.right + 10, frame.top - 10),
         {frame.Width() + 10, frame.bottom - cap - frame.top + 9},
         {frame.left, frame.top - 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nHit);
        pContext->m_bDragging = FALSE;
        pContext->m_nHitTest = (int)c.nHit;
        pContext->m_rectFrameDragHorz = frame;
        testing_support::MoveMouse(c.cursor);
        ASSERT_TRUE(PumpUntil([&] {
            CPoint pt;
            return ::GetCursorPos(&pt) && pt == c.cursor;
        }));
        EXPECT_EQ(c.size, m_pBar->CalcDynamicLayout(0, LM_HORZ));
        EXPECT_EQ(c.size, m_pBar->m_sizeFloat);
        EXPECT_EQ(c.origin, pContext->m_rectFrameDragHorz.TopLeft());
        EXPECT_EQ(frame.Size(), pContext->m_rectFrameDragHorz.Size());
    }
    EXPECT_FALSE(MiniFrame()->GetStyle() & MFS_4THICKFRAME);
    pContext->m_nHitTest = 0;
}

TEST_F(DialogBarTest, DraggingAFloatingFramesCornerWithTheMouseSizesTheBarAndHoldsTheOppositeCorner)
{
    m_pBar->SetResizeable(TRUE);
    m_pFrame->FloatControlBar(m_pBar, CPoint(300, 250));
    ASSERT_TRUE(m_pBar->IsFloating());
    const int cap = ::GetSystemMetrics(SM_CYSMCAPTION);
    struct Case {
        UINT nHit;
        CSize move;
    } const cases[] = {{HTBOTTOMRIGHT, {50, 40}}, {HTTOPLEFT, {-30, -20}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nHit);
        CRect frame;
        MiniFrame()->GetWindowRect(frame);
        const bool topLeft = c.nHit == HTTOPLEFT;
        const CPoint from = topLeft ? frame.TopLeft() + CSize(1, 1) : frame.BottomRight() - CSize(2, 2);
        ASSERT_EQ((LRESULT)c.nHit, MiniFrame()->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)));
        const CPoint to = from + c.move;
        {
            testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
            script.Wait(15).Then(
                [&] { return testing_support::MoveMouse(from + CSize(c.move.cx / 2, c.move.cy / 2)), true; });
            script.Wait(15).Then([&] { return testing_support::MoveMouse(to), true; });
            script.Wait(15).Then([&] { return testing_support::SendMouseButton(to, false), true; });
            testing_support::SendMouseButton(from, true);
            PumpUntil([&] { return script.Done() && !::GetCapture(); });
        }
        PumpMessages();
        CRect after;
        MiniFrame()->GetWindowRect(after);
        // The bar's own measure: from the held corner's frame edge to the cursor, less the caption.
        const CSize expected = topLeft ? CSize(frame.right - to.x - 3, frame.bottom - cap - to.y - 1)
                                       : CSize(to.x - frame.left, to.y - frame.top - cap);
        EXPECT_EQ(expected, m_pBar->m_sizeFloat);
        EXPECT_EQ(topLeft ? frame.BottomRight() : frame.TopLeft(), topLeft ? after.BottomRight() : after.TopLeft());
        EXPECT_GT(after.Width(), frame.Width());
    }
}

TEST_F(DialogBarTest, TheDockStateMessageAndDoubleClicksFloatAndDockTheBar)
{
    m_pBar->SetShowCaption(TRUE);
    CPoint owner(0, 0);
    m_pFrame->ClientToScreen(&owner);
    // Never floated: it floats at the owner's client top-left.
    EXPECT_EQ(1, m_pBar->SendMessage(JDBM_CHANGEDOCKSTATE));
    ASSERT_TRUE(m_pBar->IsFloating());
    EXPECT_TRUE(m_pBar->m_bFloating);
    EXPECT_EQ(owner, m_pBar->m_ptFloatPos);
    CRect frame;
    MiniFrame()->GetWindowRect(frame);
    EXPECT_EQ(owner, frame.TopLeft());
    EXPECT_TRUE(m_pBar->HasStateChanged(FALSE));
    EXPECT_TRUE(m_pBar->HasStateChanged(FALSE));
    EXPECT_TRUE(m_pBar->HasStateChanged(TRUE));
    EXPECT_FALSE(m_pBar->HasStateChanged(FALSE));

    // The floating frame's caption docks it again, at the top.
    CRect client;
    MiniFrame()->GetClientRect(client);
    MiniFrame()->ClientToScreen(client);
    DoubleClick(CPoint(client.CenterPoint().x, client.top - ::GetSystemMetrics(SM_CYSMCAPTION) / 2), true);
    ASSERT_FALSE(m_pBar->IsFloating());
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, (UINT)m_pBar->m_pDockBar->GetDlgCtrlID());
    EXPECT_TRUE(m_pBar->HasStateChanged(TRUE));

    // The docked bar's caption strip (no child there) floats it.
    CRect strip = m_pBar->GetCaptionRect();
    m_pBar->ClientToScreen(strip);
    DoubleClick(CPoint(strip.right - 20, strip.CenterPoint().y), false);
    EXPECT_TRUE(m_pBar->IsFloating());

    // The message docks a floating bar at its dock origin in its dock bar.
    m_pBar->m_nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
    m_pBar->SendMessage(JDBM_CHANGEDOCKSTATE);
    ASSERT_FALSE(m_pBar->IsFloating());
    EXPECT_FALSE(m_pBar->m_bFloating);
    EXPECT_EQ(AFX_IDW_DOCKBAR_BOTTOM, (UINT)m_pBar->m_pDockBar->GetDlgCtrlID());
}

TEST_F(DialogBarTest, ContextHelpNamesTheBarsHelpFileAndContext)
{
    EXPECT_EQ((LRESULT)kHelpContext, m_pBar->SendMessage(WM_HELPHITTEST));
    TsPrefsContextHelp help;
    long source = 0;
    char* file = nullptr;
    help.GetSourceOfHelpContextId(&source);
    help.GetHelpFile(&file);
    EXPECT_EQ(JHELP_FROM_DIALOGBAR, source);
    EXPECT_STREQ("layers.hlp", file);
}

// ---- the splitter dock bar ----

TEST_F(DialogBarTest, ASplitterDockBarIsHitOnItsInnerEdgeAndOnItsSplittersOnlyWhileSplitting)
{
    ASSERT_EQ(m_pLeft, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    struct Case {
        DWORD dwStyle;
        CRect edge;   // the outer splitter, in the area's window (100 x 200)
        int nHit;
    } const cases[] = {{CBRS_LEFT, {96, 0, 100, 200}, CSplitterDockBar::kHitOuterVert},
                       {CBRS_RIGHT, {0, 0, 4, 200}, CSplitterDockBar::kHitOuterVert},
                       {CBRS_BOTTOM, {0, 0, 100, 4}, CSplitterDockBar::kHitOuterHorz},
                       {CBRS_TOP, {0, 196, 100, 200}, CSplitterDockBar::kHitOuterHorz}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dwStyle);
        auto* pArea = new CSplitterDockBar;   // deletes itself with its window
        ASSERT_TRUE(pArea->Create(m_pFrame, WS_CHILD | WS_VISIBLE | c.dwStyle, 0x7000));
        pArea->MoveWindow(10, 30, 100, 200);
        pArea->AddSplitterInfo(1, CRect(40, -2, 46, 198), m_pBar, nullptr);
        pArea->AddSplitterInfo(2, CRect(-2, 60, 98, 66), m_pBar, nullptr);
        CRect window;
        pArea->GetWindowRect(window);
        const auto screen = [&](int x, int y, bool client) {
            CPoint pt(x, y);
            if (client)
                pArea->ClientToScreen(&pt);
            else
                pt.Offset(window.left, window.top);
            return pt;
        };
        EXPECT_EQ(c.nHit, pArea->HitTest(screen(c.edge.left, c.edge.top, false)));
        EXPECT_EQ(c.nHit, pArea->HitTest(screen(c.edge.right - 1, c.edge.bottom - 1, false)));
        EXPECT_EQ(CSplitterDockBar::kHitInnerVert, pArea->HitTest(screen(43, 30, true)));
        EXPECT_EQ(0, pArea->m_nCurrentSplitter);
        EXPECT_EQ(CSplitterDockBar::kHitInnerHorz, pArea->HitTest(screen(20, 63, true)));
        EXPECT_EQ(1, pArea->m_nCurrentSplitter);
        EXPECT_EQ(0, pArea->HitTest(screen(20, 100, true)));
        // The window answers the hit codes only while it holds a resizable dialog bar.
        const CPoint middle = screen(20, 63, true);
        EXPECT_NE(CSplitterDockBar::kHitInnerHorz, pArea->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)));
        pArea->m_bSplittingEnabled = TRUE;
        EXPECT_EQ(CSplitterDockBar::kHitInnerHorz, pArea->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)));
        pArea->DestroyWindow();
    }
}

TEST_F(DialogBarTest, MergingTheLastDialogBarJoinsItToTheRowBeforeIt)
{
    auto* pSecond = new CBaseDialogBar;
    ASSERT_TRUE(pSecond->Create(m_pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kBarID + 1, 0, nullptr, 0));
    pSecond->m_bAutoDelete = TRUE;
    pSecond->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(m_pBar, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(pSecond, AFX_IDW_DOCKBAR_LEFT);   // a row (column) of its own
    const auto rows = [&] {
        int count = 0;
        for (int nPos = 1; nPos < (int)m_pLeft->m_arrBars.GetSize(); ++nPos)
            count += m_pLeft->m_arrBars[nPos] && !m_pLeft->m_arrBars[nPos - 1];
        return count;
    };
    ASSERT_EQ(2, rows());
    m_pBar->MergeLastDialogBar();
    EXPECT_EQ(1, rows());
    EXPECT_EQ(2, m_pLeft->GetDockedCount());
    m_pBar->MergeLastDialogBar();   // nothing left to merge
    EXPECT_EQ(1, rows());
}

// Drags with the real mouse from one screen point to another and lets go.
void DragWithMouse(CPoint from, CPoint to)
{
    testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
    script.Wait(15).Then(
        [&] { return testing_support::MoveMouse(from + CSize((to.x - from.x) / 2, (to.y - from.y) / 2)), true; });
    script.Wait(15).Then([&] { return testing_support::MoveMouse(to), true; });
    script.Wait(15).Then([&] { return testing_support::SendMouseButton(to, false), true; });
    testing_support::SendMouseButton(from, true);
    PumpUntil([&] { return script.Done() && !::GetCapture(); });
    PumpMessages();
}

TEST_F(DialogBarTest, SplittersDraggedWithTheMouseSizeTheAreaAndShareItBetweenTwoBars)
{
    // Two resizable bars one above the other in the left area, both filling it.
    auto* pSecond = new CBaseDialogBar;
    ASSERT_TRUE(pSecond->Create(m_pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kBarID + 1, 0, nullptr, 0));
    pSecond->m_bAutoDelete = TRUE;
    pSecond->EnableDocking(CBRS_ALIGN_ANY);
    for (CBaseDialogBar* pBar : {m_pBar, pSecond}) {
        pBar->SetResizeable(TRUE);
        pBar->SetStretchToFitHorz(TRUE);
        pBar->SetStretchToFitVert(TRUE);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    }
    m_pBar->MergeLastDialogBar();
    m_pFrame->RecalcLayout();
    PumpMessages();
    const auto rectOf = [](CWnd* pWnd) {
        CRect rect;
        pWnd->GetWindowRect(rect);
        return rect;
    };
    CRect client;
    m_pFrame->GetClientRect(client);
    m_pFrame->ClientToScreen(client);
    CRect area = rectOf(m_pLeft), top = rectOf(m_pBar), bottom = rectOf(pSecond);
    ASSERT_TRUE(m_pLeft->m_bSplittingEnabled);
    ASSERT_EQ(1, m_pLeft->GetSplitterCount());
    EXPECT_EQ(2, m_pLeft->GetSplitterInfo(0)->nKind);
    EXPECT_EQ(area.Height(), client.Height());
    EXPECT_EQ(area.bottom, bottom.bottom);   // the last bar takes the rest of the column
    EXPECT_EQ(top.bottom + CSplitterDockBar::kSplitter, bottom.top);

    // The outer edge: the area and both bars grow by the drag.
    const CPoint edge(area.right - 2, area.top + 100);
    ASSERT_EQ(CSplitterDockBar::kHitOuterVert, m_pLeft->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)));
    DragWithMouse(edge, edge + CSize(60, 7));
    EXPECT_EQ(area.Width() + 60, rectOf(m_pLeft).Width());
    EXPECT_EQ(top.Width() + 60, rectOf(m_pBar).Width());
    EXPECT_EQ(bottom.Width() + 60, rectOf(pSecond).Width());
    EXPECT_FALSE(m_pLeft->m_bTracking);

    // The splitter between them: the space moves from one bar to the other.
    CRect splitter = m_pLeft->GetSplitterInfo(0)->rect;
    m_pLeft->ClientToScreen(splitter);
    const CPoint grip = splitter.CenterPoint();
    ASSERT_EQ(CSplitterDockBar::kHitInnerHorz, m_pLeft->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)));
    top = rectOf(m_pBar), bottom = rectOf(pSecond);
    DragWithMouse(grip, grip + CSize(0, 40));
    EXPECT_EQ(top.Height() + 40, rectOf(m_pBar).Height());
    EXPECT_EQ(bottom.Height() - 40, rectOf(pSecond).Height());
    EXPECT_EQ(bottom.bottom, rectOf(pSecond).bottom);
    // Kept when the frame is laid out again.
    m_pFrame->RecalcLayout();
    EXPECT_EQ(top.Height() + 40, rectOf(m_pBar).Height());

    // Escape while dragging: nothing is sized.
    {
        const CRect before = rectOf(m_pBar);
        CRect held = m_pLeft->GetSplitterInfo(0)->rect;
        m_pLeft->ClientToScreen(held);
        const CPoint grip = held.CenterPoint();
        testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        script.Wait(15).Then([&] { return testing_support::MoveMouse(grip + CSize(0, 30)), true; });
        script.Key(VK_ESCAPE);
        script.Wait(15).Then([&] { return testing_support::SendMouseButton(grip + CSize(0, 30), false), true; });
        testing_support::SendMouseButton(grip, true);
        PumpUntil([&] { return script.Done() && !::GetCapture(); });
        m_pFrame->RecalcLayout();
        EXPECT_FALSE(m_pLeft->m_bTracking);
        EXPECT_EQ(before, rectOf(m_pBar));
    }

    // Dragged past the bottom bar and past the frame's edge: no bar below the minimum, the area
    // inside the frame.
    splitter = m_pLeft->GetSplitterInfo(0)->rect;
    m_pLeft->ClientToScreen(splitter);
    DragWithMouse(splitter.CenterPoint(), splitter.CenterPoint() + CSize(0, 900));
    EXPECT_EQ(CSplitterDockBar::kMinBar, rectOf(pSecond).Height());
    area = rectOf(m_pLeft);
    DragWithMouse(CPoint(area.right - 2, area.top + 30), CPoint(client.right + 300, area.top + 30));
    EXPECT_LE(rectOf(m_pLeft).right, client.right);
    EXPECT_GE(rectOf(m_pLeft).Width(), CSplitterDockBar::kMinArea);
    DragWithMouse(CPoint(rectOf(m_pLeft).right - 2, area.top + 30), CPoint(client.left - 300, area.top + 30));
    // Thinner than its bars allow: they keep their minimum and the area holds them.
    EXPECT_EQ(CSplitterDockBar::kMinArea, m_pLeft->m_nAreaWidth);
    EXPECT_EQ(CSplitterDockBar::kMinBar, rectOf(m_pBar).Width());
    EXPECT_LE(rectOf(m_pBar).right, rectOf(m_pLeft).right);

    // Another bar shown: the area goes back to its natural size.
    pSecond->ShowWindow(SW_HIDE);
    m_pFrame->ShowControlBar(pSecond, FALSE, FALSE);
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(m_pLeft->m_bSizeFixed);
    EXPECT_GT(rectOf(m_pLeft).Width(), CSplitterDockBar::kMinArea);
}

// ---- ActiveX children ----

struct Call {
    std::wstring name;
    std::vector<LONG> args;
    bool operator==(const Call&) const = default;
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeControl : public testing_support::FakeComObject<IDispatch, IID_IDispatch> {
public:
    bool hasMethods = true;
    std::vector<Call> calls;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pCount) override { return *pCount = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        const std::wstring name = names[0];
        if (!hasMethods || count != 1 || (name != L"ResizeLayout" && name != L"Show"))
            return DISP_E_UNKNOWNNAME;
        ids[0] = name == L"Show" ? 2 : 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        Call call{id == 2 ? L"Show" : L"ResizeLayout", {}};
        EXPECT_EQ(DISPATCH_METHOD, flags);
        // Arguments arrive last first.
        for (UINT i = params->cArgs; i-- > 0;)
            call.args.push_back(params->rgvarg[i].vt == VT_BOOL ? (params->rgvarg[i].boolVal ? 1 : 0)
                                                                : params->rgvarg[i].lVal);
        calls.push_back(call);
        return S_OK;
    }
};
#pragma GCC diagnostic pop

// A child window that hands out its control's automation object.
class ControlHost : public CWnd {
public:
    FakeControl* pControl = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETOBJECT && (LONG)lParam == OBJID_NATIVEOM && pControl)
            return ::LresultFromObject(IID_IDispatch, wParam, pControl);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(DialogBarTest, ActiveXChildrenAreToldTheInsideSizeAndTheirVisibilityAndOthersAreLeftAlone)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    {
        FakeControl control, silent;
        silent.hasMethods = false;
        ControlHost host, quiet;
        host.pControl = &control;
        quiet.pControl = &silent;
        ASSERT_TRUE(host.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), m_pBar, 2000));
        ASSERT_TRUE(quiet.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), m_pBar, 2001));
        m_pBar->UpdateControlsPosition(300, 80, TRUE);
        m_pBar->UpdateControlsPosition(300, 80, FALSE);   // without resize: no call
        m_pBar->ShowWindow(SW_HIDE);
        m_pBar->ShowWindow(SW_SHOW);
        EXPECT_EQ((std::vector<Call>{{L"ResizeLayout", {300, 80}}, {L"Show", {0}}, {L"Show", {1}}}), control.calls);
        EXPECT_TRUE(silent.calls.empty());
        host.DestroyWindow();
        quiet.DestroyWindow();
    }
    ::CoUninitialize();
}

}   // namespace
