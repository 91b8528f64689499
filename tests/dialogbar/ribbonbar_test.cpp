// The ribbon bar in a frame: rows of sections set by dragging its floating frame's edge with
// the mouse, Tab and Shift+Tab across sections with real keys, and its "Ribbonbars" values,
// byte for byte and damaged.
#include "controlexports.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "module.h"
#include "regfile.h"
#include "scripted_input.h"
#include "storedvalues.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

using testing_support::PumpMessages;
using testing_support::PumpUntil;

namespace {

constexpr UINT kSectionTemplates[] = {201, 202, 203};

class RibbonBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlAttachProcess(::GetModuleHandleA(nullptr));
        JCreateEnvironmentManager(m_key.path(), 1, 1, 1, 1, 1, 1, 1, 1);
        GetJControlInfo()->m_nGripperBar = 0;
        m_pFrame = new CFrameWnd;   // deletes itself with its window, and the bar with its own
        ASSERT_TRUE(m_pFrame->Create(nullptr, "ribbon", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 700, 480)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(JMiniDockFrameWnd);
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pBar = MakeBar("Units");
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

    JDialogBar* MakeBar(LPCSTR lpszName)
    {
        auto* pBar = new JDialogBar;
        EXPECT_TRUE(pBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0, nullptr, 0));
        pBar->m_bAutoDelete = TRUE;
        pBar->SetWindowText(lpszName);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_BOTTOM);
        for (UINT id : kSectionTemplates) {
            auto* pSection = new JSectionDlg(id);   // deletes itself with its window
            EXPECT_TRUE(pSection->Create(id, pBar));
            pBar->InsertDialog(pSection, nullptr, -1, TRUE);
        }
        return pBar;
    }
    CRect SectionRect(int i)
    {
        CRect rect;
        m_pBar->GetDialogInfo(i)->pDialog->GetWindowRect(rect);
        return rect;
    }
    int Rows()
    {
        std::set<LONG> tops;
        for (int i = 0; i < m_pBar->GetDialogCount(); ++i)
            tops.insert(SectionRect(i).top);
        return (int)tops.size();
    }
    CWnd* MiniFrame() { return m_pBar->GetParentFrame(); }
    CString RibbonKey() { return CString((LPCSTR)GetJControlInfo()->GetRegistryNameWithEnv()) + "\\Ribbonbars"; }

    // Drags an edge of the floating frame with the real mouse; the sizing loop runs meanwhile.
    void DragEdge(UINT nHit, CPoint from, CPoint to)
    {
        ASSERT_EQ((LRESULT)nHit, MiniFrame()->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)));
        testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        script.Wait(15).Then(
            [&] { return testing_support::MoveMouse(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2)), true; });
        script.Wait(15).Then([&] { return testing_support::MoveMouse(to), true; });
        script.Wait(15).Then([&] { return testing_support::SendMouseButton(to, false), true; });
        testing_support::SendMouseButton(from, true);
        PumpUntil([&] { return script.Done() && !::GetCapture(); });
        PumpMessages();
    }

    testing_support::ScopedTestKey m_key;
    CFrameWnd* m_pFrame = nullptr;
    CWnd* m_pOldMain = nullptr;
    JDialogBar* m_pBar = nullptr;
};

TEST_F(RibbonBarTest, DockedSectionsStandInOneRowAfterEachOtherAndTheBarIsNotABaseDialogBar)
{
    EXPECT_FALSE(m_pBar->IsKindOf(RUNTIME_CLASS(CBaseDialogBar)));
    ASSERT_EQ(3, m_pBar->GetDialogCount());
    EXPECT_EQ(1, Rows());
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(SectionRect(i - 1).right + m_pBar->m_nGap, SectionRect(i).left) << i;
    // The push button takes the button height; the fields keep theirs, centred in the row.
    CWnd* pButton = m_pBar->GetDialogInfo(2)->pDialog->GetDlgItem(2032);
    CRect button;
    pButton->GetWindowRect(button);
    EXPECT_EQ(m_pBar->GetButtonSize().cy, button.Height());
    EXPECT_EQ(SectionRect(0).Height(), m_pBar->RowHeight() + 2);
    CRect bar;
    m_pBar->GetWindowRect(bar);
    EXPECT_LE(SectionRect(2).right, bar.right);
}

TEST_F(RibbonBarTest, AChildAddedToASectionOrTakenFromItAfterALayoutIsLaidOutWithTheNext)
{
    CWnd* pSection = m_pBar->GetDialogInfo(0)->pDialog;
    const int width = SectionRect(0).Width();
    const HWND hExtra = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, pSection->m_hWnd,
                                          nullptr, nullptr, nullptr);
    m_pBar->RecalcLayout();
    CRect extra;
    ::GetWindowRect(hExtra, extra);
    EXPECT_EQ(m_pBar->GetButtonSize().cy, extra.Height());
    EXPECT_EQ(width + 10, SectionRect(0).Width());
    ::SetParent(hExtra, m_pFrame->m_hWnd);
    m_pBar->RecalcLayout();
    EXPECT_EQ(width, SectionRect(0).Width());
    ::DestroyWindow(hExtra);
}

TEST_F(RibbonBarTest, AnAutomaticBarReportsTheSizeOfItsControlsAsTheyComeAndGo)
{
    auto* pBar = new AutoDialogBar;
    ASSERT_TRUE(pBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, nullptr, 0));
    pBar->m_bAutoDelete = TRUE;
    const int border = 2 * (int)pBar->GetDefaultBorder();
    constexpr SIZE kSizes[] = {{40, 20}, {60, 30}, {50, 25}};
    std::vector<std::unique_ptr<CWnd>> controls;
    for (const SIZE& size : kSizes) {
        controls.push_back(std::make_unique<CWnd>());
        ASSERT_TRUE(controls.back()->CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(CPoint(0, 0), size), pBar,
                                              1000 + (UINT)controls.size()));
    }
    // Stacked: the widest and the sum of the heights, within the borders.
    const auto expectSizes = [&](CSize expected) {
        EXPECT_EQ(expected, pBar->CalcFixedLayout(FALSE, TRUE));
        EXPECT_EQ(expected, pBar->m_sizeDefault);
        EXPECT_EQ(expected, pBar->m_sizeFloat);
        EXPECT_EQ(expected, pBar->m_sizeTrack);
    };
    // The first two at once, then one more.
    pBar->AddControl(controls[0].get());
    pBar->AddControl(controls[1].get());
    expectSizes(CSize(border + 60, border + 20 + 30));
    pBar->AddControl(controls[2].get());
    expectSizes(CSize(border + 60, border + 20 + 30 + 25));
    // One taken away: the bar shrinks to the two left.
    pBar->DeleteControl(controls[1].get());
    expectSizes(CSize(border + 50, border + 20 + 25));

    // Floating with a caption (drawn only when docked), one control: its size, nothing taken off.
    pBar->SetShowCaption(TRUE);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBar(pBar, CPoint(100, 100));
    ASSERT_TRUE(pBar->IsFloating());
    pBar->DeleteControl(controls[2].get());
    expectSizes(CSize(border + 40, border + 20));
}

TEST_F(RibbonBarTest, DraggingTheFloatingFramesEdgesSetsTheRowsOfSections)
{
    m_pBar->SendMessage(JDBM_CHANGEDOCKSTATE);
    ASSERT_TRUE(m_pBar->IsFloating());
    ASSERT_TRUE(MiniFrame()->IsKindOf(RUNTIME_CLASS(JMiniDockFrameWnd)));
    EXPECT_FALSE(MiniFrame()->GetStyle() & MFS_MOVEFRAME);
    EXPECT_EQ(3, Rows());   // one column until sized

    // The right edge pulled far out: all three in one row.
    CRect frame;
    MiniFrame()->GetWindowRect(frame);
    const int y = frame.CenterPoint().y;
    DragEdge(HTRIGHT, CPoint(frame.right - 2, y), CPoint(frame.left + m_pBar->CalcFixedSize(3).cx + 40, y));
    EXPECT_EQ(3, m_pBar->GetColumns());
    EXPECT_EQ(1, Rows());

    // The bottom edge pulled down by rows: two, then three.
    const int rowHeight = m_pBar->RowHeight();
    for (int rows : {2, 3}) {
        SCOPED_TRACE(rows);
        CRect bar, before;
        m_pBar->GetWindowRect(bar);
        MiniFrame()->GetWindowRect(before);
        const int x = before.CenterPoint().x;
        DragEdge(HTBOTTOM, CPoint(x, before.bottom - 2), CPoint(x, bar.top + 1 + rows * rowHeight + rowHeight / 2));
        EXPECT_EQ(4 - rows, m_pBar->GetColumns());
        EXPECT_EQ(rows, Rows());
        CRect after;
        MiniFrame()->GetWindowRect(after);
        EXPECT_EQ(before.TopLeft(), after.TopLeft());
        // The bar takes its size for its rows, and the frame grows with it.
        CRect grown;
        m_pBar->GetWindowRect(grown);
        EXPECT_EQ(m_pBar->CalcFixedLayout(FALSE, TRUE), grown.Size());
        EXPECT_GT(grown.Height(), bar.Height());
        EXPECT_EQ(grown.Height() - bar.Height(), after.Height() - before.Height());
        // The first row holds the first sections; each later one starts at the left.
        EXPECT_EQ(SectionRect(0).left, SectionRect(2).left);
        EXPECT_EQ(SectionRect(0).top + (rows - 1) * SectionRect(2).Height(), SectionRect(2).top);
    }
    // Escape ends a drag with nothing changed.
    CRect before;
    MiniFrame()->GetWindowRect(before);
    {
        testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        const CPoint from(before.CenterPoint().x, before.bottom - 2);
        script.Wait(15).Then([&] { return testing_support::MoveMouse(from - CSize(0, 2 * rowHeight)), true; });
        script.Wait(15).Key(VK_ESCAPE);
        script.Wait(15).Then([&] { return testing_support::SendMouseButton(from, false), true; });
        testing_support::SendMouseButton(from, true);
        PumpUntil([&] { return script.Done() && !::GetCapture(); });
    }
    EXPECT_EQ(1, m_pBar->GetColumns());
    CRect after;
    MiniFrame()->GetWindowRect(after);
    EXPECT_EQ(before, after);

    // A section removed while the bar floats: the frame fits the two left.
    ASSERT_TRUE(m_pBar->RemoveDialog(m_pBar->GetDialogInfo(1)->pDialog, TRUE));
    EXPECT_FALSE(m_pBar->RemoveDialog(nullptr, TRUE));
    PumpMessages();
    CRect bar;
    m_pBar->GetWindowRect(bar);
    EXPECT_EQ(m_pBar->CalcFixedLayout(FALSE, TRUE), bar.Size());
    EXPECT_EQ(2, Rows());

    // A double-click on the frame's caption docks the bar where it was before it floated.
    CRect client;
    MiniFrame()->GetClientRect(client);
    MiniFrame()->ClientToScreen(client);
    const CPoint caption(client.CenterPoint().x, client.top - ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    {
        testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        script.Wait(15).Then(
            [&] { return testing_support::ClickAt(caption), testing_support::ClickAt(caption), true; });
        PumpUntil([&] { return script.Done() && !::GetCapture() && !m_pBar->IsFloating(); });
    }
    EXPECT_FALSE(m_pBar->IsFloating());
    ASSERT_TRUE(m_pBar->m_pDockBar);
    EXPECT_EQ(AFX_IDW_DOCKBAR_BOTTOM, m_pBar->m_pDockBar->GetDlgCtrlID());
    EXPECT_EQ(1, Rows());
}

TEST_F(RibbonBarTest, AClickOnTheFloatingCaptionOverAnotherAreaDocksNothingAndADoubleClickDocksTheBarBack)
{
    // Another bar fills the top area, where the bar first floats: at the frame's client top-left.
    JDialogBar* pOther = MakeBar("Other");
    m_pFrame->DockControlBar(pOther, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    PumpMessages();
    // Clicks with real input; the first press on a bar or a caption runs a drag loop, which the
    // script's timer runs in and its watchdog ends.
    const auto clicks = [&](CPoint at, int count, const std::function<bool()>& done) {
        testing_support::ScriptedInput script(testing_support::ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        script.Wait(15).Then([at, count] {
            for (int i = 0; i < count; ++i)
                testing_support::ClickAt(at);
            return true;
        });
        PumpUntil([&] { return script.Done() && !::GetCapture() && done(); });
        PumpMessages();
        ::Sleep(::GetDoubleClickTime() + 20);   // the next click starts afresh
    };
    m_pBar->SendMessage(JDBM_CHANGEDOCKSTATE);
    ASSERT_TRUE(m_pBar->IsFloating());
    CRect frame, top;
    MiniFrame()->GetWindowRect(frame);
    pOther->GetWindowRect(top);
    ASSERT_TRUE(CRect().IntersectRect(frame, top)) << "the floating frame lies over the top area";

    CRect client;
    MiniFrame()->GetClientRect(client);
    MiniFrame()->ClientToScreen(client);
    const CPoint caption(client.CenterPoint().x, client.top - ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    // A click that moves nothing leaves the bar floating where it is.
    clicks(caption, 1, [] { return true; });
    ASSERT_TRUE(m_pBar->IsFloating());
    CRect still;
    MiniFrame()->GetWindowRect(still);
    EXPECT_EQ(frame, still);
    // A double-click docks it where it was docked, not in the area under it.
    clicks(caption, 2, [&] { return !m_pBar->IsFloating(); });
    ASSERT_FALSE(m_pBar->IsFloating());
    EXPECT_EQ(AFX_IDW_DOCKBAR_BOTTOM, m_pBar->m_pDockBar->GetDlgCtrlID());
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, pOther->m_pDockBar->GetDlgCtrlID());
}

TEST_F(RibbonBarTest, TabAndShiftTabMoveAcrossSectionsAndWrapAround)
{
    testing_support::MakeForeground(m_pFrame->m_hWnd);
    const auto field = [&](int section, int id) { return m_pBar->GetDialogInfo(section)->pDialog->GetDlgItem(id); };
    field(0, 2011)->SetFocus();
    const HWND forwards[] = {field(0, 2012)->m_hWnd, field(1, 2021)->m_hWnd, field(2, 2031)->m_hWnd,
                             field(2, 2032)->m_hWnd, field(0, 2011)->m_hWnd};
    for (HWND hExpected : forwards) {
        testing_support::PressKey(VK_TAB);
        EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == hExpected; })) << ::GetDlgCtrlID(hExpected);
    }
    // Backwards from the first: the last tab stop of the last section, then the one before.
    for (HWND hExpected : {field(2, 2032)->m_hWnd, field(2, 2031)->m_hWnd, field(1, 2021)->m_hWnd}) {
        testing_support::PressKeyChord({VK_SHIFT, VK_TAB});
        EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == hExpected; })) << ::GetDlgCtrlID(hExpected);
    }
    // A field reached by Tab has its text selected.
    field(2, 2031)->SetWindowText("12.5");
    field(1, 2021)->SetFocus();
    testing_support::PressKey(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == field(2, 2031)->m_hWnd; }));
    DWORD start = 1, end = 0;
    field(2, 2031)->SendMessage(EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(4u, end);
}

// A unit combo box in a section, made from its window class as a template makes it, is one
// tab stop like the fields: Tab from it goes on, Shift+Tab back, and Tab into it selects its text.
TEST_F(RibbonBarTest, AUnitComboBoxIsATabStopLikeTheFields)
{
    InitCustomControls();
    testing_support::MakeForeground(m_pFrame->m_hWnd);
    const auto field = [&](int section, int id) { return m_pBar->GetDialogInfo(section)->pDialog->GetDlgItem(id); };
    const HWND hCombo =
        ::CreateWindowExA(0, "JDistanceComboBox", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN, 0, 0, 60, 100,
                          m_pBar->GetDialogInfo(1)->pDialog->m_hWnd, (HMENU)2022, nullptr, nullptr);
    ASSERT_NE(nullptr, hCombo);
    ::SetWindowPos(hCombo, field(1, 2021)->m_hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowTextA(hCombo, "12.5");
    const HWND hField = ::GetWindow(hCombo, GW_CHILD);
    const struct {
        HWND hFrom;
        bool bBackwards;
        HWND hTo;
    } steps[] = {{hCombo, false, field(2, 2031)->m_hWnd},
                 {hCombo, true, field(1, 2021)->m_hWnd},
                 {field(1, 2021)->m_hWnd, false, hField}};
    for (const auto& step : steps) {
        ::SetFocus(step.hFrom);
        PumpMessages();
        if (step.bBackwards)
            testing_support::PressKeyChord({VK_SHIFT, VK_TAB});
        else
            testing_support::PressKey(VK_TAB);
        EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == step.hTo; })) << ::GetDlgCtrlID(step.hTo);
    }
    const int length = ::GetWindowTextLengthA(hCombo);
    EXPECT_GT(length, 0);
    EXPECT_EQ(MAKELONG(0, length), (LONG)::SendMessageA(hCombo, CB_GETEDITSEL, 0, 0));
}

TEST_F(RibbonBarTest, RibbonbarsValuesAreWrittenByteForByte)
{
    GetJControlInfo()->m_nLargeButtons = -1;   // unset: written as 0
    m_pBar->m_ptFloatPos = CPoint(-7, 300);
    m_pBar->m_bFloating = TRUE;
    m_pBar->m_bUnlisted = TRUE;
    m_pBar->SetRememberVisibleState(TRUE);
    m_pBar->m_bCustomVisible = FALSE;
    struct Site {
        UINT nDockBar;
        DWORD stored;
    } const sites[] = {{AFX_IDW_DOCKBAR_BOTTOM, 2}, {AFX_IDW_DOCKBAR_FLOAT, 5}, {AFX_IDW_DOCKBAR_LEFT, 1}};
    for (const Site& site : sites) {
        m_pBar->m_nDockBarID = site.nDockBar;
        ASSERT_TRUE(m_pBar->WriteToRegistry());
        m_pBar->CloseRegKey();
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, RibbonKey(), 0, KEY_READ, &hKey));
        auto top = testing_support::ReadValues(hKey);
        EXPECT_EQ(2u, top.size());
        EXPECT_EQ(REG_DWORD, top["LargeButtons"].type);
        EXPECT_EQ(0u, top["LargeButtons"].Number());
        EXPECT_EQ(0u, top["GripperBar"].Number());
        HKEY hBar = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(hKey, "Units", 0, KEY_READ, &hBar));
        auto values = testing_support::ReadValues(hBar);
        EXPECT_EQ(5u, values.size());
        const BYTE pos[8] = {0xF9, 0xFF, 0xFF, 0xFF, 0x2C, 0x01, 0, 0};
        EXPECT_EQ(REG_BINARY, values["FloatPos"].type);
        EXPECT_EQ(std::vector<BYTE>(pos, pos + 8), values["FloatPos"].data);
        const std::pair<const char*, DWORD> numbers[] = {
            {"Floating", 1}, {"Hide", 1}, {"Visible", 0}, {"DockSite", site.stored}};
        for (const auto& [name, value] : numbers) {
            EXPECT_EQ(REG_DWORD, values[name].type) << name;
            EXPECT_EQ(value, values[name].Number()) << name;
        }
        ::RegCloseKey(hBar);
        ::RegCloseKey(hKey);
    }
    // Without remembering visibility there is no "Visible".
    ::RegDeleteTreeA(HKEY_CURRENT_USER, RibbonKey());
    m_pBar->SetRememberVisibleState(FALSE);
    ASSERT_TRUE(m_pBar->WriteToRegistry());
    m_pBar->CloseRegKey();
    testing_support::StoredValue visible;
    HKEY hBar = testing_support::CreateKey(RibbonKey() + "\\Units");
    EXPECT_FALSE(testing_support::ReadStoredValue(hBar, "Visible", visible));
    ::RegCloseKey(hBar);
}

// A bar named as in each file reads it at its first layout and lands where it says, or docked
// at the top when the file is damaged; never off every screen, never a crash.
TEST_F(RibbonBarTest, StoredPlacesAndTheirDamagedFormsGiveABarOnTheScreen)
{
    const std::vector<CString> files = testing_support::RegFilesIn("ribbonbars");
    ASSERT_GE(files.size(), 5u);
    CRect desk;
    ::GetWindowRect(::GetDesktopWindow(), desk);
    for (const CString& file : files) {
        SCOPED_TRACE((LPCSTR)file);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, RibbonKey());
        std::string error;
        ASSERT_TRUE(testing_support::ImportRegFile(file, GetJControlInfo()->GetRegistryNameWithEnv(), error)) << error;
        JDialogBar* pBar = MakeBar("Stored");
        ASSERT_TRUE(pBar->m_bLayoutRead);
        PumpMessages();
        CRect rect;
        pBar->GetWindowRect(rect);
        EXPECT_TRUE(CRect().IntersectRect(rect, desk));
        EXPECT_GT(rect.Width(), 0);
        if (pBar->IsFloating()) {
            EXPECT_TRUE(pBar->m_bFloating);
        } else {
            const UINT nDockBar = (UINT)pBar->m_pDockBar->GetDlgCtrlID();
            EXPECT_TRUE(nDockBar == AFX_IDW_DOCKBAR_TOP || nDockBar == AFX_IDW_DOCKBAR_BOTTOM) << nDockBar;
        }
        // What the file said, where it could be read.
        CString expected;
        if (testing_support::StoredValue want; [&] {
                HKEY hKey = testing_support::CreateKey(RibbonKey() + "\\Stored");
                const bool read = testing_support::ReadStoredValue(hKey, "Expect", want);
                ::RegCloseKey(hKey);
                return read;
            }()) {
            const std::string text = want.Text();
            EXPECT_STREQ(text.c_str(), pBar->IsFloating()                             ? "floating"
                                       : pBar->m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM ? "bottom"
                                                                                      : "top");
        }
        pBar->DestroyWindow();
        PumpMessages();
    }
}

}   // namespace
