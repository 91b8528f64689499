// Flyouts under the real mouse and keyboard: where they open beside the button on
// each docking side, what a pick does to the button, what cancels them, and the
// flyout lists through a save and a load.
#include "jflyout.h"
#include "storedvalues.h"
#include "toolbar_custombitmaps.h"
#include "toolbar_fixture.h"

#include <atomic>
#include <tuple>

using namespace toolbar_test;
using namespace testing_support;

namespace {

const std::vector<UINT> kTools = {kOpen, kSave, kGrey};

// The colour of a command's small colour image.
COLORREF ImageColor(UINT nID)
{
    return kImageColors[1][std::find(kTools.begin(), kTools.end(), nID) - kTools.begin()];
}

// A window of another thread taking the foreground, as another application would.
struct ForeignWindow {
    HANDLE hThread = nullptr;
    HANDLE hStop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> m_bForeground{false};
    void Start()
    {
        hThread = ::CreateThread(
            nullptr, 0,
            [](LPVOID p) -> DWORD {
                auto* self = static_cast<ForeignWindow*>(p);
                HWND hWnd = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 500, 50, 50, nullptr,
                                              nullptr, nullptr, nullptr);
                self->m_bForeground = MakeForeground(hWnd) != FALSE;
                while (::MsgWaitForMultipleObjects(1, &self->hStop, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
                    MSG msg;
                    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                        ::DispatchMessageA(&msg);
                }
                ::DestroyWindow(hWnd);
                return 0;
            },
            this, 0, nullptr);
    }
    ~ForeignWindow()
    {
        ::SetEvent(hStop);
        if (hThread) {
            ::WaitForSingleObject(hThread, 5000);
            ::CloseHandle(hThread);
        }
        ::CloseHandle(hStop);
    }
};

class Flyouts : public ToolbarHost {
protected:
    void SetUp() override
    {
        ToolbarHost::SetUp();
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        m_pBar = MakeToolBar({kOpen, 0, kSave, kGrey}, CBRS_ALIGN_ANY);
        m_pBar->AddFlyout(0, kTools.data(), (int)kTools.size());
        ASSERT_TRUE(m_pBar->IsFlyout(0));
        Dock(AFX_IDW_DOCKBAR_TOP);
        ASSERT_TRUE(MakeForeground(m_frame.m_hWnd));
    }
    void Dock(UINT nDockBarID)
    {
        m_frame.DockControlBar(m_pBar, nDockBarID);
        m_frame.RecalcLayout();
        PumpMessages();
    }
    JFlyout* Flyout() { return static_cast<JFlyout*>(m_pBar->m_arrFlyouts[0]); }
    bool IsOpen() { return Flyout()->GetPopupHost()->IsWindowVisible() != FALSE; }
    CRect OpenRect()
    {
        CRect rect;
        Flyout()->GetPopupHost()->GetWindowRect(rect);
        return rect;
    }
    // Presses button 0 and holds it until the flyout has opened; the script goes on from there.
    void HoldButton(ScriptedInput& script)
    {
        script.Then([this] { return IsOpen(); }, "flyout open");
        SendMouseButton(ButtonCenter(m_pBar, 0), true);
    }
    void RunScript(ScriptedInput& script)
    {
        EXPECT_TRUE(PumpUntil([&] { return script.Done() && !IsOpen(); }));
        ::Sleep(50);
        PumpMessages();
    }

    ProbeToolBar* m_pBar = nullptr;
};

TEST_F(Flyouts, HeldButtonOpensBesideItAwayFromTheDockingSideAndThePickTakesItsPlace)
{
    struct Side {
        UINT nDockBarID;
        bool bVertical;   // the flyout is a column
    };
    const Side sides[] = {{AFX_IDW_DOCKBAR_TOP, true},
                          {AFX_IDW_DOCKBAR_BOTTOM, true},
                          {AFX_IDW_DOCKBAR_LEFT, false},
                          {AFX_IDW_DOCKBAR_RIGHT, false}};
    UINT face = kOpen;
    std::vector<UINT> commands;
    for (const Side& side : sides) {
        SCOPED_TRACE(side.nDockBarID);
        Dock(side.nDockBarID);
        CRect button;
        m_pBar->GetItemRect(0, button);
        m_pBar->ClientToScreen(button);
        // Each pick takes the next tool: the face changes every time.
        const UINT pick = kTools[(std::find(kTools.begin(), kTools.end(), face) - kTools.begin() + 1) % 3];
        CRect open;
        ScriptedInput script;
        HoldButton(script);
        CPoint centres[3];
        script.Then([&] {
            open = OpenRect();
            for (int i = 0; i < 3; ++i)
                centres[i] = ButtonCenter(Flyout(), i);
            return true;
        });
        // Over every button where it showed at the opening, then back to the one picked:
        // the highlight moves no button.
        const int at = (int)(std::find(kTools.begin(), kTools.end(), pick) - kTools.begin());
        for (int i : {0, 1, 2, at})
            script
                .Then([&, i] {
                    MoveMouse(centres[i]);
                    return true;
                })
                .Wait(30);
        script.Then([&] {
            EXPECT_EQ(at, Flyout()->m_nSelection);
            SendMouseButton(centres[at], false);
            return true;
        });
        RunScript(script);

        EXPECT_EQ(side.bVertical, open.Height() > open.Width());
        // Below, above, right of and left of the button, by side.
        const CPoint corners[] = {{button.left, button.bottom},
                                  {button.left, button.top - open.Height()},
                                  {button.right, button.top},
                                  {button.left - open.Width(), button.top}};
        EXPECT_EQ(corners[&side - sides], open.TopLeft());
        commands.push_back(pick);
        face = pick;
        EXPECT_EQ(pick, m_pBar->GetItemID(0));
        EXPECT_EQ(commands, m_frame.m_commands);
        EXPECT_EQ(ImageColor(pick), m_pBar->ImageCenter(0)) << "the button shows the picked command";
        EXPECT_TRUE(m_pBar->IsFlyout(0));
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST_F(Flyouts, AClickLeavesItOpenAClickOutsideReachesItsTargetAndAReleaseOutsidePicksNothing)
{
    // Pressed and released without entering: it stays open without the mouse.
    ScriptedInput script;
    HoldButton(script);
    script.Then([&] {
        SendMouseButton(ButtonCenter(m_pBar, 0), false);
        return true;
    });
    script.Wait(50).Then([&] {
        EXPECT_TRUE(IsOpen());
        EXPECT_EQ(nullptr, ::GetCapture());
        // A click on another button of the toolbar closes it and runs that button.
        ClickAt(ButtonCenter(m_pBar, 3));
        return true;
    });
    RunScript(script);
    EXPECT_EQ(std::vector<UINT>{kGrey}, m_frame.m_commands);
    EXPECT_EQ(kOpen, m_pBar->GetItemID(0));

    // Into the flyout and out again: the release outside picks nothing.
    m_frame.m_commands.clear();
    ::Sleep(::GetDoubleClickTime() + 50);
    ScriptedInput outside;
    HoldButton(outside);
    outside.Then([&] {
        MoveMouse(ButtonCenter(Flyout(), 2));
        return true;
    });
    outside.Wait(50).Then([&] {
        const CRect open = OpenRect();
        SendMouseButton(CPoint(open.right + 40, open.bottom + 40), false);
        return true;
    });
    RunScript(outside);
    EXPECT_TRUE(m_frame.m_commands.empty());
    EXPECT_EQ(kOpen, m_pBar->GetItemID(0));
}

TEST_F(Flyouts, KeyboardOpensMovesPicksAndCancels)
{
    // Pictures on the button and on the flyout's kGrey (kept in memory: no folder).
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    custom_bitmaps::SetFolder((std::string(temp) + "flyout_missing\\deeper").c_str());
    const COLORREF kRed = RGB(200, 30, 30);
    for (auto [pBar, index, color] : {std::tuple{(JToolBar*)m_pBar, 0, RGB(1, 2, 3)}, {Flyout(), 2, kRed}}) {
        HBITMAP hPicture = image_test::MakeDib(16, 15, 24, color);
        image_test::SetPixels(hPicture, {{0, 0}}, image_test::kMagenta);
        pBar->SetPicture(index, hPicture);
        ::DeleteObject(hPicture);
    }
    custom_bitmaps::SetFolder(nullptr);
    // The host moved the keyboard to the toolbar, its first button hot. Enter at once
    // picks the button's own command: it runs, and the button keeps its picture.
    m_pBar->SetFocus();
    m_pBar->SendMessage(TB_SETHOTITEM, 0);
    ScriptedInput same;
    same.Then([this] { return IsOpen(); }, "opened by Alt+Down");
    same.Then([] {
        PressKey(VK_RETURN);
        return true;
    });
    PressKeyChord({VK_MENU, VK_DOWN});
    RunScript(same);
    EXPECT_NE(nullptr, m_pBar->GetCustomBitmapByCommand(kOpen));
    m_pBar->SetFocus();
    m_pBar->SendMessage(TB_SETHOTITEM, 0);
    ScriptedInput script;
    script.Then([this] { return IsOpen(); }, "opened by Alt+Down");
    script.Then([this] {
        EXPECT_EQ(0, Flyout()->m_nSelection) << "the button's own command starts out selected";
        PressKey(VK_DOWN);   // kSave
        PressKey(VK_DOWN);   // kGrey
        PressKey(VK_DOWN);   // round to kOpen
        PressKey(VK_UP);     // back to kGrey
        return true;
    });
    script.Wait(100).Then([this] {
        EXPECT_EQ(2, Flyout()->m_nSelection);
        PressKey(VK_RETURN);
        return true;
    });
    PressKeyChord({VK_MENU, VK_DOWN});
    RunScript(script);
    EXPECT_EQ(kGrey, m_pBar->GetItemID(0));
    EXPECT_EQ((std::vector<UINT>{kOpen, kGrey}), m_frame.m_commands);
    // The button's own picture went; the flyout's picture of kGrey came, a copy of its own.
    EXPECT_EQ(nullptr, m_pBar->GetCustomBitmapByCommand(kOpen));
    EXPECT_EQ(kRed, m_pBar->ImageCenter(0));
    EXPECT_NE(Flyout()->GetCustomBitmap(2), m_pBar->GetCustomBitmap(0));

    // F4 opens it too; Escape closes it without a change.
    ScriptedInput cancel;
    cancel.Then([this] { return IsOpen(); }, "opened by F4");
    cancel.Then([] {
        PressKey(VK_DOWN);
        PressKey(VK_ESCAPE);
        return true;
    });
    m_pBar->SetFocus();
    PressKey(VK_F4);
    RunScript(cancel);
    EXPECT_EQ(kGrey, m_pBar->GetItemID(0));
    EXPECT_EQ((std::vector<UINT>{kOpen, kGrey}), m_frame.m_commands);
}

TEST_F(Flyouts, ClosesWhenTheApplicationLosesActivationOrTheFrameGoes)
{
    ScriptedInput script;
    script.Then([this] { return IsOpen(); }, "open");
    ForeignWindow other;
    script.Then([&] {
        other.Start();
        return true;
    });
    EXPECT_TRUE(m_pBar->OpenFlyoutFromKeyboard(0));
    RunScript(script);
    EXPECT_TRUE(other.m_bForeground);
    EXPECT_EQ(kOpen, m_pBar->GetItemID(0));
    EXPECT_TRUE(m_frame.m_commands.empty());

    // The frame destroyed while the flyout is open, toolbar and all: the loop ends and
    // nothing is left behind.
    ASSERT_TRUE(MakeForeground(m_frame.m_hWnd));
    const HWND hHost = Flyout()->GetPopupHost()->m_hWnd;
    const HWND hBar = m_pBar->m_hWnd;
    ScriptedInput gone;
    gone.Then([this] { return IsOpen(); }, "open again");
    gone.Then([this] {
        m_frame.DestroyWindow();
        return true;
    });
    m_pBar->SetFocus();
    m_pBar->SendMessage(TB_SETHOTITEM, 0);
    PressKey(VK_F4);
    EXPECT_TRUE(PumpUntil([&] { return gone.Done() && !::IsWindow(hBar); }));
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hHost));
}

TEST_F(Flyouts, ListsAndTheirFlyoutsSurviveASaveAndALoad)
{
    ASSERT_TRUE(m_pBar->SwapCommand(kGrey, 0));
    HKEY hKey = CreateKey(m_key.path() + "\\Bar");
    ASSERT_TRUE(m_pBar->WriteToRegistry(hKey));
    auto values = ReadValues(hKey);
    EXPECT_EQ((std::vector<UINT>{kGrey, 0, kSave, kGrey}), values.at("IDs").List());
    EXPECT_EQ(std::vector<UINT>{0}, values.at("Flyouts").List());
    EXPECT_EQ(kTools, values.at("Flyout0").List());

    ProbeToolBar* pLoaded = MakeToolBar({kSave});
    ASSERT_TRUE(pLoaded->ReadFromRegistry(hKey));
    ASSERT_TRUE(pLoaded->IsFlyout(0));
    CUIntArray ids;
    static_cast<JToolBar*>(pLoaded->m_arrFlyouts[0])->GetButtonIDs(ids);
    EXPECT_EQ(kTools, std::vector<UINT>(ids.GetData(), ids.GetData() + ids.GetSize()));
    HKEY hAgain = CreateKey(m_key.path() + "\\Again");
    ASSERT_TRUE(pLoaded->WriteToRegistry(hAgain));
    auto again = ReadValues(hAgain);
    for (const char* name : {"IDs", "Flyouts", "Flyout0"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(values.at(name).data, again.at(name).data);
    }
    ::RegCloseKey(hKey);
    ::RegCloseKey(hAgain);
}

}   // namespace

TEST_F(Flyouts, OfAFloatingColumnOpenAwayFromItsEnds)
{
    // The flyout of a floating bar leaves from the side of the bar its button is on:
    // the first row upward, the last downward, one between them beside the column.
    m_frame.FloatControlBar(m_pBar, CPoint(200, 200), CBRS_ALIGN_LEFT);
    PumpMessages();
    ASSERT_TRUE(m_pBar->IsFloating());
    CRect first, last;
    m_pBar->GetItemRect(0, first);
    m_pBar->GetItemRect(3, last);
    ASSERT_EQ(first.left, last.left) << "one column";
    ASSERT_LT(first.bottom, last.top);
    const struct {
        int index;
        DWORD dwDirection;
        bool bVertical;   // the flyout is a column
    } cases[] = {{0, CBRS_ALIGN_BOTTOM, false}, {2, CBRS_ALIGN_RIGHT, false}, {3, CBRS_ALIGN_TOP, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        m_pBar->AddFlyout(c.index, kTools.data(), (int)kTools.size());
        auto* pFlyout = static_cast<JFlyout*>(m_pBar->m_arrFlyouts[c.index]);
        ASSERT_NE(nullptr, pFlyout);
        // Laid out across the parent first, as it opens.
        pFlyout->SetBarStyle((pFlyout->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
        CSize size = pFlyout->CalcFixedLayout(FALSE, TRUE);
        EXPECT_EQ(c.dwDirection, pFlyout->GetFlyOutDirection(m_pBar, c.index, &size));
        EXPECT_EQ(c.bVertical, size.cy > size.cx);
    }
}

TEST_F(Flyouts, TheButtonsOwnTipWaitingToShowStaysAwayWhileItsFlyoutIsOpen)
{
    ASSERT_TRUE(m_pBar->ChangeTooltipTextOnItem(0, "Open"));
    MoveMouse(ButtonCenter(m_pBar, 0));
    ScriptedInput script;
    HoldButton(script);
    script.Wait(::GetDoubleClickTime() + 200).Then([this] {
        EXPECT_FALSE(m_pBar->m_pToolTip->IsWindowVisible());
        SendMouseButton(ButtonCenter(m_pBar, 0), false);
        return true;
    });
    script.Key(VK_ESCAPE);
    RunScript(script);
}

TEST_F(Flyouts, AButtonUnderTheMouseShowsItsTipFromTheHostsResources)
{
    m_pInfo->m_hDraftResource = ::GetModuleHandleA(nullptr);
    CString tip;
    ScriptedInput script;
    script.Then([this] { return IsOpen(); }, "open");
    script.Then([this] {
        MoveMouse(ButtonCenter(Flyout(), 2));
        return true;
    });
    script.Then(
        [&] {
            TOOLINFOA info{sizeof info, 0, Flyout()->m_hWnd, kGrey, {}, nullptr, tip.GetBuffer(80), 0, nullptr};
            Flyout()->m_pToolTip->SendMessage(TTM_GETTEXTA, 80, (LPARAM)&info);
            tip.ReleaseBuffer();
            return Flyout()->m_pToolTip->IsWindowVisible() != FALSE;
        },
        "tip shown");
    script.Key(VK_ESCAPE);
    EXPECT_TRUE(m_pBar->OpenFlyoutFromKeyboard(0));
    RunScript(script);
    EXPECT_EQ(CString("Grey fill"), tip);
}
