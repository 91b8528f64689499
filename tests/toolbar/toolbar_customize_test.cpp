// Customizing toolbars with the real mouse: moving, copying (Control), separators by
// small sideways drags, removal and new toolbars by drops on empty space, each seen in
// the toolbars' buttons and in the layout stored after a save; drags called off by
// Escape, the right button, a lost capture or another application; the undo of steps.
#include "cntlrc.h"
#include "controlexports.h"
#include "jdragger.h"
#include "jflyout.h"
#include "module.h"
#include "storedvalues.h"
#include "toolbar_custombitmaps.h"
#include "toolbar_fixture.h"

#include <atomic>
#include <functional>
#include <map>

using namespace toolbar_test;
using namespace testing_support;

namespace {

using Ids = std::vector<UINT>;

// A window of another thread taking the foreground, as another application would.
class ForeignWindow {
public:
    ForeignWindow() { m_hThread = ::CreateThread(nullptr, 0, &ForeignWindow::Run, this, 0, nullptr); }
    ~ForeignWindow()
    {
        ::SetEvent(m_hStop);
        ::WaitForSingleObject(m_hThread, 5000);
        ::CloseHandle(m_hThread);
        ::CloseHandle(m_hStop);
    }
    std::atomic<bool> m_bForeground{false};

private:
    static DWORD WINAPI Run(LPVOID p)
    {
        auto* self = static_cast<ForeignWindow*>(p);
        HWND hWnd = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 900, 700, 50, 50, nullptr, nullptr,
                                      nullptr, nullptr);
        self->m_bForeground = MakeForeground(hWnd) != FALSE;
        while (::MsgWaitForMultipleObjects(1, &self->m_hStop, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
        }
        ::DestroyWindow(hWnd);
        return 0;
    }
    HANDLE m_hStop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_hThread = nullptr;
};

// Cursors with the same hot spot and mask.
bool SameCursor(HCURSOR hOne, HCURSOR hOther)
{
    ICONINFO one{}, other{};
    if (!hOne || !hOther || !::GetIconInfo(hOne, &one) || !::GetIconInfo(hOther, &other))
        return false;
    const auto bits = [](HBITMAP hBitmap) {
        BITMAP bm{};
        ::GetObjectA(hBitmap, sizeof bm, &bm);
        std::vector<BYTE> data((size_t)bm.bmWidthBytes * (size_t)bm.bmHeight);
        ::GetBitmapBits(hBitmap, (LONG)data.size(), data.data());
        return data;
    };
    const bool same =
        one.xHotspot == other.xHotspot && one.yHotspot == other.yHotspot && bits(one.hbmMask) == bits(other.hbmMask);
    for (HBITMAP hBitmap : {one.hbmMask, one.hbmColor, other.hbmMask, other.hbmColor})
        if (hBitmap)
            ::DeleteObject(hBitmap);
    return same;
}

// Reaches the toolbar's protected drop handling.
class DropProbe : public ProbeToolBar {
public:
    using JToolBar::IsValidDrop;
    using JToolBar::StripSeparators;
};

class Customizing : public ToolbarHost {
protected:
    void SetUp() override
    {
        ToolbarHost::SetUp();
        m_pInfo->SetCustomEnvironment("Drafting");
        m_pInfo->m_bToolTips = FALSE;      // no tip in the way of the next press
        m_pInfo->m_bRegistryUsed = TRUE;   // no first save before the first drop
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        m_pA = Place(MakeToolBar({kOpen, kSave, kGrey}, CBRS_ALIGN_ANY, -1, "Alpha"), CRect(10, 60, 20, 70));
        m_pB = Place(MakeToolBar({kSave}, CBRS_ALIGN_ANY, -1, "Beta"), CRect(300, 60, 310, 70));
        ASSERT_TRUE(MakeForeground(m_frame.m_hWnd));
        m_pInfo->m_bCustomizationMode = TRUE;
        JToolBar::m_pBar = nullptr;
    }
    void TearDown() override
    {
        JToolBar::EndCustomizeSession();
        JToolBar::m_nDragOption = 0;
        ToolbarHost::TearDown();
        custom_bitmaps::SetFolder(nullptr);
        for (HBITMAP hPicture : m_pictures)
            ::DeleteObject(hPicture);
    }
    // Docks the toolbar in the top row at a screen place.
    ProbeToolBar* Place(ProbeToolBar* pBar, CRect at)
    {
        m_frame.ClientToScreen(at);
        m_frame.DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, at);
        m_frame.RecalcLayout();
        PumpMessages();
        return pBar;
    }
    static CRect ButtonRect(JToolBar* pBar, int index)
    {
        CRect rect;
        pBar->GetItemRect(index, rect);
        pBar->ClientToScreen(rect);
        return rect;
    }
    // Somewhere in the frame's client area with no bar: new toolbars float at the
    // first place, removals go to the second.
    CPoint EmptySpace(int place = 0)
    {
        CRect client;
        m_frame.GetClientRect(client);
        m_frame.ClientToScreen(client);
        return CPoint(place ? client.right - 60 : client.left + 60, client.bottom - 40);
    }
    // A drag with the real mouse from one screen point to another, the keys held
    // throughout; `during` runs once the frame has moved halfway.
    void Drag(CPoint from, CPoint to, const std::vector<WORD>& keys = {}, std::function<bool()> during = {})
    {
        ScriptedInput script(ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        const CPoint middle((from.x + to.x) / 2, (from.y + to.y) / 2);
        script.Wait(20).Then([middle] { return MoveMouse(middle), true; }, "halfway");
        script.Then([&] { return CDragger::IsDragging() != FALSE; }, "dragging");
        if (during)
            script.Then(during, "during");
        script.Wait(20).Then([to] { return MoveMouse(to), true; }, "there");
        script.Wait(20).Then([to] { return SendMouseButton(to, false), true; }, "let go");
        for (WORD key : keys)
            SendKey(key, true);
        SendMouseButton(from, true);
        PumpUntil([&] { return script.Done() && !::GetCapture(); });
        // Another key before Alt goes up: Alt alone would open the frame's menu.
        if (std::find(keys.begin(), keys.end(), VK_MENU) != keys.end())
            PressKey(VK_SHIFT);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            SendKey(*key, false);
        MoveMouse(CPoint(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1));
        PumpMessages();
        EXPECT_FALSE(CDragger::IsDragging());
        EXPECT_EQ(nullptr, ::GetCapture());
    }
    // Every stored toolbar's buttons by name, after a save.
    std::map<std::string, Ids> StoredToolbars()
    {
        EXPECT_GT(ForceSaveBarLayout(&m_frame, nullptr, nullptr), 0);
        GUserText path;
        m_pInfo->MakeRegistryPath(nullptr, "Toolbars", path);
        std::map<std::string, Ids> stored;
        HKEY hToolbars = CreateKey(path);
        char name[64];
        for (DWORD i = 0; DWORD cch = sizeof name; ++i) {
            if (::RegEnumKeyExA(hToolbars, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            HKEY hBar = nullptr;
            ::RegOpenKeyExA(hToolbars, name, 0, KEY_READ, &hBar);
            StoredValue caption, ids;
            if (ReadStoredValue(hBar, "Name", caption) && ReadStoredValue(hBar, "IDs", ids))
                stored[caption.Text().c_str()] = ids.List();
            ::RegCloseKey(hBar);
        }
        ::RegCloseKey(hToolbars);
        return stored;
    }
    // The library's toolbars of the frame by caption.
    std::map<std::string, JToolBar*> Toolbars()
    {
        std::map<std::string, JToolBar*> bars;
        for (POSITION pos = m_frame.m_listControlBars.GetHeadPosition(); pos;) {
            auto* pBar = DYNAMIC_DOWNCAST(JToolBar, (CObject*)m_frame.m_listControlBars.GetNext(pos));
            if (pBar && ::IsWindow(pBar->m_hWnd) && !pBar->m_bIsFlyout) {
                CString caption;
                pBar->GetWindowText(caption);
                bars[caption.GetString()] = pBar;
            }
        }
        return bars;
    }
    // A picture of the user's, its top-left pixel the transparent colour; the toolbar
    // keeps a copy, and its file (the folder cannot be made) stays in the registry.
    HBITMAP Picture(COLORREF color)
    {
        char temp[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, temp);
        custom_bitmaps::SetFolder((std::string(temp) + "customize_test_missing\\deeper\\").c_str());
        m_pictures.emplace_back(image_test::MakeDib(16, 15, 24, color));
        image_test::SetPixels(m_pictures.back(), {{0, 0}}, kMagenta);
        return m_pictures.back();
    }
    static Ids IdsOf(JToolBar* pBar)
    {
        CUIntArray ids;
        pBar->GetButtonIDs(ids);
        return Ids(ids.GetData(), ids.GetData() + ids.GetSize());
    }

    std::vector<HBITMAP> m_pictures;
    ProbeToolBar* m_pA = nullptr;   // Open, Save, Grey
    ProbeToolBar* m_pB = nullptr;   // Save
};

TEST_F(Customizing, MovesCopiesAndSeparatesButtonsUnderTheRealMouse)
{
    // The drop's left edge goes `shift` pixels right of the left edge of a button of
    // Alpha (0) or Beta (1): a button goes before the first button whose left edge is
    // right of it, and small drags over itself make separators.
    struct Case {
        const char* what;
        int button;   // of Alpha
        int bar, at, shift;
        bool copy;
        Ids alpha, beta;
    };
    const Case cases[] = {
        {"move onto Beta", 0, 1, 0, 3, false, {kSave, kGrey}, {kSave, kOpen}},
        {"copy onto Beta", 0, 1, 0, 3, true, {kOpen, kSave, kGrey}, {kSave, kOpen}},
        {"copy before Beta's button", 2, 1, 0, -3, true, {kOpen, kSave, kGrey}, {kGrey, kSave}},
        {"move to the end", 0, 0, 2, 3, false, {kSave, kGrey, kOpen}, {kSave}},
        {"move to the start", 2, 0, 0, -3, false, {kGrey, kOpen, kSave}, {kSave}},
        {"copy within", 2, 0, 0, -3, true, {kGrey, kOpen, kSave, kGrey}, {kSave}},
        {"separator before", 1, 0, 1, 6, false, {kOpen, 0, kSave, kGrey}, {kSave}},
        {"separator after", 1, 0, 1, -6, false, {kOpen, kSave, 0, kGrey}, {kSave}},
        {"back onto itself", 1, 0, 1, 1, false, {kOpen, kSave, kGrey}, {kSave}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(m_pA->SetButtonIDs(Ids{kOpen, kSave, kGrey}.data(), 3));
        ASSERT_TRUE(m_pB->SetButtonIDs(Ids{kSave}.data(), 1));
        m_frame.RecalcLayout();
        PumpMessages();
        const CRect from = ButtonRect(m_pA, c.button);
        const CRect target = ButtonRect(c.bar ? m_pB : m_pA, c.at);
        const CPoint to = from.CenterPoint() + CSize(target.left + c.shift - from.left, target.top - from.top);
        HCURSOR hSeen = nullptr;
        Drag(from.CenterPoint(), to, c.copy ? std::vector<WORD>{VK_CONTROL} : std::vector<WORD>{}, [&] {
            hSeen = ::GetCursor();
            return true;
        });
        EXPECT_EQ(c.alpha, m_pA->ButtonIDs());
        EXPECT_EQ(c.beta, m_pB->ButtonIDs());
        const HCURSOR hCopy = ::LoadCursorA(ControlResources(), MAKEINTRESOURCEA(IDC_COPY_CURSOR));
        ASSERT_NE(nullptr, hCopy);
        EXPECT_EQ(c.copy, SameCursor(hSeen, hCopy)) << "the copy cursor shows while copying, and only then";
        EXPECT_FALSE(SameCursor(::GetCursor(), hCopy));
        const std::map<std::string, Ids> stored = StoredToolbars();
        EXPECT_EQ(c.alpha, stored.at("Alpha"));
        EXPECT_EQ(c.beta, stored.at("Beta"));
    }
}

TEST_F(Customizing, DropsOnEmptySpaceRemoveButtonsAndMakeToolbars)
{
    // A copy on empty space makes a floating toolbar of the next free name.
    m_pA->SetWindowText("Toolbar2");
    Drag(ButtonRect(m_pA, 1).CenterPoint(), EmptySpace(), {VK_CONTROL});
    std::map<std::string, JToolBar*> bars = Toolbars();
    ASSERT_EQ(1u, bars.count("Toolbar3"));
    JToolBar* pNew = bars["Toolbar3"];
    EXPECT_EQ(Ids{kSave}, IdsOf(pNew));
    EXPECT_TRUE(pNew->IsFloating());
    EXPECT_EQ((Ids{kOpen, kSave, kGrey}), m_pA->ButtonIDs());

    // A move on empty space removes the button; the last one takes its toolbar along,
    // but a default toolbar stays, empty.
    Drag(ButtonRect(m_pA, 0).CenterPoint(), EmptySpace(1));
    EXPECT_EQ((Ids{kSave, kGrey}), m_pA->ButtonIDs());
    const HWND hBeta = m_pB->m_hWnd;
    Drag(ButtonRect(m_pB, 0).CenterPoint(), EmptySpace(1));
    EXPECT_FALSE(::IsWindow(hBeta));
    m_pA->SetDefaultButtons(Ids{kOpen}.data(), 1);
    Drag(ButtonRect(m_pA, 0).CenterPoint(), EmptySpace(1));
    Drag(ButtonRect(m_pA, 0).CenterPoint(), EmptySpace(1));
    ASSERT_TRUE(::IsWindow(m_pA->m_hWnd));
    EXPECT_EQ(0, m_pA->GetCommandCount());
    const std::map<std::string, Ids> stored = StoredToolbars();
    EXPECT_EQ(0u, stored.count("Beta"));
    EXPECT_EQ(Ids{kSave}, stored.at("Toolbar3"));
}

TEST_F(Customizing, AltDragsOutsideCustomizationAndPlainPressesStillRunCommands)
{
    m_pInfo->m_bCustomizationMode = FALSE;
    Drag(ButtonRect(m_pA, 0).CenterPoint(), ButtonRect(m_pB, 0).CenterPoint() + CSize(ButtonRect(m_pB, 0).Width(), 0),
         {VK_MENU});
    EXPECT_EQ((Ids{kSave, kGrey}), m_pA->ButtonIDs());
    EXPECT_EQ((Ids{kSave, kOpen}), m_pB->ButtonIDs());
    EXPECT_EQ(nullptr, JToolBar::m_pBar) << "the focus is customizing's alone";
    // Without Alt a press is a click.
    ClickAt(ButtonRect(m_pA, 0).CenterPoint());
    PumpUntil([&] { return !m_frame.m_commands.empty(); });
    EXPECT_EQ(Ids{kSave}, m_frame.m_commands);
    EXPECT_EQ((Ids{kSave, kGrey}), m_pA->ButtonIDs());
}

TEST_F(Customizing, DragsCalledOffChangeNothing)
{
    const auto foreign = std::make_unique<std::unique_ptr<ForeignWindow>>();
    const std::pair<const char*, std::function<bool()>> enders[] = {
        {"Escape", [] { return PressKey(VK_ESCAPE), true; }},
        {"right button", [] { return ClickAt(CPoint(5, 5), true), true; }},
        {"lost capture", [] { return ::ReleaseCapture(), true; }},
        {"another application", [&] { return *foreign = std::make_unique<ForeignWindow>(), true; }},
    };
    for (const auto& [what, end] : enders) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(MakeForeground(m_frame.m_hWnd));
        const CRect from = ButtonRect(m_pA, 0);
        const CPoint to = ButtonRect(m_pB, 0).CenterPoint();
        ScriptedInput script(ScriptedInput::Runner::kTestThreadTimer, 5000, 10);
        script.Wait(20).Then([to] { return MoveMouse(to), true; }, "there");
        script.Then([&] { return CDragger::IsDragging() != FALSE; }, "dragging");
        script.Then(end, what);
        script.Then([] { return !CDragger::IsDragging(); }, "ended");
        script.Wait(20).Then([to] { return SendMouseButton(to, false), true; }, "let go");
        SendMouseButton(from.CenterPoint(), true);
        PumpUntil([&] { return script.Done(); });
        MoveMouse(CPoint(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1));
        PumpMessages();
        EXPECT_FALSE(CDragger::IsDragging());
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_EQ((Ids{kOpen, kSave, kGrey}), m_pA->ButtonIDs());
        EXPECT_EQ(Ids{kSave}, m_pB->ButtonIDs());
        EXPECT_TRUE(m_frame.m_commands.empty());
        foreign->reset();
    }
    // With dragging switched off a press in customization mode starts none.
    JToolBar::m_nDragOption = 1;
    ClickAt(ButtonRect(m_pA, 0).CenterPoint());
    PumpMessages();
    EXPECT_FALSE(CDragger::IsDragging());
    EXPECT_EQ((Ids{kOpen, kSave, kGrey}), m_pA->ButtonIDs());
}

TEST_F(Customizing, FlyoutsAndPicturesTravelWithTheirButtons)
{
    const Ids kFlyout = {kOpen, kSave, kGrey};
    m_pA->AddFlyout(0, kFlyout.data(), (int)kFlyout.size());
    m_pA->SetPicture(0, Picture(RGB(0, 90, 0)));
    ASSERT_NE(nullptr, m_pA->GetCustomRecord(0));
    ASSERT_EQ(RGB(0, 90, 0), m_pA->ImageCenter(0));
    Drag(ButtonRect(m_pA, 0).CenterPoint(), ButtonRect(m_pB, 0).CenterPoint() + CSize(ButtonRect(m_pB, 0).Width(), 0),
         {VK_CONTROL});
    ASSERT_EQ((Ids{kSave, kOpen}), m_pB->ButtonIDs());
    EXPECT_TRUE(m_pB->IsFlyout(1));
    const CTMBITMAPSTRUCT* pCopy = m_pB->GetCustomRecord(1);
    ASSERT_NE(nullptr, pCopy);
    ASSERT_NE(nullptr, m_pA->GetCustomRecord(0));
    EXPECT_NE(m_pA->GetCustomRecord(0)->m_hBitmap, pCopy->m_hBitmap) << "each toolbar owns its picture";
    EXPECT_EQ(RGB(0, 90, 0), m_pB->ImageCenter(1));
    // Moved on to a new toolbar of its own, both come along.
    Drag(ButtonRect(m_pB, 1).CenterPoint(), EmptySpace(), {VK_CONTROL});
    JToolBar* pNew = Toolbars()["Toolbar3"];
    ASSERT_NE(nullptr, pNew);
    EXPECT_TRUE(pNew->IsFlyout(0));
    EXPECT_NE(nullptr, pNew->GetCustomRecord(0));
}

TEST_F(Customizing, UndoTakesBackEachStepOfTheSessionOnly)
{
    const CRect beta = ButtonRect(m_pB, 0);
    // Outside a session nothing is kept.
    Drag(ButtonRect(m_pA, 2).CenterPoint(), beta.CenterPoint() + CSize(beta.Width(), 0));
    EXPECT_FALSE(JToolBar::UndoCustomizeStep());
    ASSERT_EQ((Ids{kSave, kGrey}), m_pB->ButtonIDs());

    JToolBar::BeginCustomizeSession();
    m_pB->SetPicture(1, Picture(RGB(90, 0, 0)));
    Drag(ButtonRect(m_pA, 0).CenterPoint(), EmptySpace(), {VK_CONTROL});   // Toolbar3 {Open}
    ASSERT_EQ(1u, Toolbars().count("Toolbar3"));
    Drag(ButtonRect(m_pA, 1).CenterPoint() + CSize(0, 0), ButtonRect(m_pA, 1).CenterPoint() + CSize(6, 0));
    ASSERT_EQ((Ids{kOpen, 0, kSave}), m_pA->ButtonIDs());
    const HWND hBeta = m_pB->m_hWnd;
    m_pB->DeleteItem(0);
    Drag(ButtonRect(m_pB, 0).CenterPoint(), EmptySpace(1));   // Beta goes
    ASSERT_FALSE(::IsWindow(hBeta));
    EXPECT_FALSE(CDragger::IsDragging());

    // Beta comes back with its picture, then its first button; the separator goes, then
    // the new toolbar.
    ASSERT_TRUE(JToolBar::UndoCustomizeStep());
    JToolBar* pBeta = Toolbars()["Beta"];
    ASSERT_NE(nullptr, pBeta);
    EXPECT_EQ(Ids{kGrey}, IdsOf(pBeta));
    ASSERT_NE(nullptr, pBeta->GetCustomRecord(0));
    EXPECT_NE(nullptr, pBeta->GetCustomRecord(0)->m_hBitmap);
    EXPECT_FALSE(pBeta->IsFloating());
    ASSERT_TRUE(JToolBar::UndoCustomizeStep());
    EXPECT_EQ((Ids{kSave, kGrey}), IdsOf(pBeta));
    ASSERT_TRUE(JToolBar::UndoCustomizeStep());
    EXPECT_EQ((Ids{kOpen, kSave}), m_pA->ButtonIDs());
    ASSERT_TRUE(JToolBar::UndoCustomizeStep());
    EXPECT_EQ(0u, Toolbars().count("Toolbar3"));
    EXPECT_FALSE(JToolBar::UndoCustomizeStep()) << "the move before the session stays";
    EXPECT_EQ((Ids{kSave, kGrey}), IdsOf(pBeta));
    const std::map<std::string, Ids> stored = StoredToolbars();
    EXPECT_EQ((Ids{kSave, kGrey}), stored.at("Beta"));
    EXPECT_EQ(0u, stored.count("Toolbar3"));

    // A new session starts with nothing to undo.
    m_pA->DeleteItem(0);
    JToolBar::EndCustomizeSession();
    JToolBar::BeginCustomizeSession();
    EXPECT_FALSE(JToolBar::UndoCustomizeStep());
}

TEST_F(Customizing, TargetsNamesAndSeparatorRules)
{
    // Only shown toolbars of the current environment take drops; flyouts never.
    const CRect beta = ButtonRect(m_pB, 0);
    EXPECT_EQ(m_pB, m_pA->FindToolbar(beta));
    m_pB->m_strEnvironment = "Survey";
    EXPECT_EQ(nullptr, m_pA->FindToolbar(beta));
    m_pB->m_strEnvironment = "Drafting";
    m_frame.ShowControlBar(m_pB, FALSE, FALSE);
    EXPECT_EQ(nullptr, m_pA->FindToolbar(beta));
    m_frame.ShowControlBar(m_pB, TRUE, FALSE);
    const Ids kFlyout = {kOpen, kSave};
    m_pA->AddFlyout(0, kFlyout.data(), (int)kFlyout.size());
    auto* pFlyout = static_cast<JFlyout*>(m_pA->m_arrFlyouts[0]);
    ASSERT_NE(nullptr, pFlyout);
    CRect flyout;
    pFlyout->GetWindowRect(flyout);
    if (!flyout.IsRectEmpty()) {
        EXPECT_NE((JToolBar*)pFlyout, m_pA->FindToolbar(flyout));
    }

    // Names: one past the largest number and past the count of toolbars not default.
    struct Naming {
        const char* alpha;
        const char* beta;
        BOOL bBetaDefault;
        const char* expected;
    };
    const Naming namings[] = {{"Alpha", "Beta", FALSE, "Toolbar3"},
                              {"Toolbar7", "Beta", FALSE, "Toolbar8"},
                              {"Toolbar1", "Beta", TRUE, "Toolbar2"},
                              {"Toolbar", "Toolbarx", TRUE, "Toolbar2"}};
    for (const Naming& n : namings) {
        m_pA->SetWindowText(n.alpha);
        m_pB->SetWindowText(n.beta);
        m_pB->m_bDefault = n.bBetaDefault;
        CString name = "unchanged";
        m_pA->GetNextToolbarName(name);
        EXPECT_STREQ(n.expected, name) << n.alpha << ", " << n.beta;
    }

    // No separator at either end nor two together.
    auto* pProbe = static_cast<DropProbe*>(static_cast<ProbeToolBar*>(m_pA));
    CUIntArray ids;
    for (UINT id : {0u, 0u, kOpen, 0u, 0u, kSave, 0u})
        ids.Add(id);
    pProbe->StripSeparators(ids);
    EXPECT_EQ((Ids{kOpen, 0, kSave}), Ids(ids.GetData(), ids.GetData() + ids.GetSize()));
    // A drop within a pixel of the button is none.
    const CRect button(100, 100, 123, 122);
    EXPECT_FALSE(pProbe->IsValidDrop(button, CRect(button.TopLeft() + CSize(1, -1), button.Size())));
    EXPECT_TRUE(pProbe->IsValidDrop(button, CRect(button.TopLeft() + CSize(2, 0), button.Size())));
}

TEST_F(Customizing, RemovingACategoryThatEmptiesAToolbarTakesTheToolbarSafely)
{
    const HWND hBeta = m_pB->m_hWnd;
    m_pB->SetButtonIDs(Ids{kSave, kOpen}.data(), 2);
    RemoveCategory("Tools");
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hBeta));
    EXPECT_FALSE(::IsWindow(m_pA->m_hWnd));
}

}   // namespace
