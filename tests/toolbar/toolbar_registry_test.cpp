// A toolbar's own registry key: what it writes, value by value, and what it
// restores from a key written by another toolbar or changed by hand.
#include "../control/fake_host.h"
#include "toolbarkey.h"
#include "appcore.h"
#include "storedvalues.h"
#include "toolbar_fixture.h"

using namespace toolbar_test;
using namespace testing_support;

namespace {

class ToolbarRegistry : public ToolbarHost {
protected:
    void SetUp() override
    {
        ToolbarHost::SetUp();
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        m_hKey = CreateKey(m_key.path() + "\\Bar");
    }
    void TearDown() override
    {
        ::RegCloseKey(m_hKey);
        SetWinApp(nullptr);
        AppCoreSetHostMode(FALSE);
        ToolbarHost::TearDown();
    }

    // A toolbar with a fixed ID, docking on every side.
    ProbeToolBar* MakeFixedToolBar(std::vector<UINT> ids, int nID, const char* name = "Tools")
    {
        return MakeToolBar(std::move(ids), CBRS_ALIGN_ANY, nID, name);
    }
    // Writes m_hKey from a toolbar made for it, which then goes.
    void Save(std::vector<UINT> ids, const char* name = "Tools")
    {
        ProbeToolBar* pSaved = MakeFixedToolBar(std::move(ids), 0xE860, name);
        ASSERT_TRUE(pSaved->WriteToRegistry(m_hKey));
        pSaved->DestroyWindow();
    }
    // Writes m_hKey from a toolbar floating at `at`, which then goes; answers where its frame was.
    CPoint SaveFloating(CPoint at)
    {
        ProbeToolBar* pSaved = MakeFixedToolBar({kOpen, kSave}, 0xE851);
        m_frame.FloatControlBar(pSaved, at);
        testing_support::PumpMessages();
        pSaved->StoreLastPosition();
        EXPECT_TRUE(pSaved->m_bFloating);
        CRect frame;
        pSaved->GetParentFrame()->GetWindowRect(frame);
        EXPECT_EQ(frame.TopLeft(), pSaved->m_ptFloatPos);
        EXPECT_TRUE(pSaved->WriteToRegistry(m_hKey));
        pSaved->DestroyWindow();
        return frame.TopLeft();
    }
    // What the toolbar writes now, into a key of its own.
    std::map<std::string, StoredValue> ValuesOf(ProbeToolBar* pBar)
    {
        HKEY hKey = CreateKey(m_key.path() + "\\Now");
        EXPECT_TRUE(pBar->WriteToRegistry(hKey));
        auto values = ReadValues(hKey);
        ::RegCloseKey(hKey);
        return values;
    }
    std::vector<UINT> FlyoutsOf(ProbeToolBar* pBar) { return ValuesOf(pBar).at("Flyouts").List(); }
    // Reads m_hKey into a new toolbar, as the layout code does with a fresh one.
    ProbeToolBar* Restore(BOOL* pResult = nullptr)
    {
        ProbeToolBar* pBar = MakeToolBar({kGrey});
        const BOOL bResult = pBar->ReadFromRegistry(m_hKey);
        if (pResult)
            *pResult = bResult;
        else
            EXPECT_TRUE(bResult);
        return pBar;
    }

    HKEY m_hKey = nullptr;
};

TEST_F(ToolbarRegistry, WritesEveryValueWithItsTypeAndDefaultFlyoutsOnlyAtTheFirstSave)
{
    ProbeToolBar* pBar = MakeFixedToolBar({kOpen, 0, kSave}, 0xE850);
    pBar->StoreLastPosition();
    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));

    const std::map<std::string, StoredValue> values = ReadValues(m_hKey);
    testing_support::ExpectToolbarKeyValues(values, false);
    CRect rect;
    pBar->GetWindowRect(rect);
    // clang-format off
    const std::pair<const char*, DWORD> numbers[] = {
        {"ID", 0xE850}, {"IDFixed", 1}, {"DockSite", 1}, {"Visible", 1}, {"Floating", 0}, {"Default", 0},
        {"FloatOrientation", 1}, {"FloatTop", (DWORD)rect.top}, {"FloatRight", (DWORD)rect.right}};
    // clang-format on
    for (const auto& [name, number] : numbers)
        EXPECT_EQ(number, values.at(name).Number()) << name;
    EXPECT_EQ(std::string("Tools", 6), values.at("Name").Text());   // with its end
    EXPECT_EQ(8u, values.at("DockPos").data.size());
    EXPECT_EQ((std::vector<UINT>{kOpen, 0, kSave}), values.at("IDs").List());
    EXPECT_EQ(3u, values.at("Styles").List().size());
    EXPECT_EQ((std::vector<UINT>{(UINT)-1}), values.at("Flyouts").List());
    EXPECT_EQ((std::vector<UINT>{(UINT)-1}), values.at("CustomBitmaps").List());
    // A default toolbar writes its default flyouts only at the first save.
    ProbeToolBar* pDefault = MakeFixedToolBar({kOpen, kSave}, 0xE860);
    const UINT defaults[] = {kOpen, kSave};
    pDefault->SetDefaultButtons(defaults, 2);
    ASSERT_TRUE(pDefault->WriteToRegistry(m_hKey));
    auto written = ReadValues(m_hKey);
    EXPECT_EQ(1u, written.at("Default").Number());
    EXPECT_EQ((std::vector<UINT>{kOpen, kSave}), written.at("DefaultIDs").List());
    EXPECT_EQ((std::vector<UINT>{(UINT)-1}), written.at("DefaultFlyouts").List());
    // What the host first gave stays, whatever the toolbar's flyouts are now.
    WriteList(m_hKey, "DefaultFlyouts", {1});
    WriteList(m_hKey, "DefaultFlyout0", {kGrey, kOpen});
    ASSERT_TRUE(pDefault->WriteToRegistry(m_hKey));
    written = ReadValues(m_hKey);
    EXPECT_EQ((std::vector<UINT>{1}), written.at("DefaultFlyouts").List());
    EXPECT_EQ((std::vector<UINT>{kGrey, kOpen}), written.at("DefaultFlyout0").List());
    // An empty list counts as none written yet.
    WriteList(m_hKey, "DefaultFlyouts", {});
    ASSERT_TRUE(pDefault->WriteToRegistry(m_hKey));
    EXPECT_EQ((std::vector<UINT>{(UINT)-1}), ReadValues(m_hKey).at("DefaultFlyouts").List());
}

TEST_F(ToolbarRegistry, DockedAndFloatingToolbarsComeBackWhereTheyWere)
{
    ProbeToolBar* pSaved = MakeFixedToolBar({kOpen, 0, kSave, kOpen}, 0xE850, "Draw");
    m_frame.DockControlBar(pSaved, AFX_IDW_DOCKBAR_LEFT);
    m_frame.RecalcLayout();
    pSaved->StoreLastPosition();
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, pSaved->m_nDockBarID);
    EXPECT_FALSE(pSaved->m_bFloating);
    ASSERT_TRUE(pSaved->WriteToRegistry(m_hKey));
    EXPECT_EQ(3u, ReadValues(m_hKey).at("DockSite").Number());
    EXPECT_EQ(0u, ReadValues(m_hKey).at("FloatOrientation").Number()) << "docked left, it stands upright";
    pSaved->DestroyWindow();

    // The caption, ID and dock site read back are the hand-written keys' tests below; here what the
    // reader derives from them, and where the bar lands.
    ProbeToolBar* pBar = Restore();
    EXPECT_EQ((std::vector<UINT>{kOpen, 0, kSave, kOpen}), pBar->ButtonIDs());
    EXPECT_FALSE(pBar->m_bFloating);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ((DWORD)(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT), pBar->GetBarStyle() & CBRS_ALIGN_ANY);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, pBar->m_dwDockStyle);
    EXPECT_TRUE(pBar->m_bAutoDelete);
    // The layout code docks it from what was read; it lands where the first one was.
    m_frame.DockControlBar(pBar, pBar->m_nDockBarID);
    m_frame.RecalcLayout();
    pBar->StoreLastPosition();
    EXPECT_EQ(ReadPoint(m_hKey, "DockPos"), pBar->m_ptDockPos);
    const CPoint at = SaveFloating(CPoint(150, 120));
    EXPECT_EQ(1u, ReadValues(m_hKey).at("Floating").Number());
    EXPECT_EQ(at, ReadPoint(m_hKey, "FloatPos"));

    ProbeToolBar* pFloating = Restore();
    EXPECT_TRUE(pFloating->m_bFloating);
    m_frame.FloatControlBar(pFloating, pFloating->m_ptFloatPos);
    testing_support::PumpMessages();
    CRect restored;
    pFloating->GetParentFrame()->GetWindowRect(restored);
    EXPECT_EQ(at, restored.TopLeft());
    EXPECT_TRUE(pFloating->IsWindowVisible());
}

TEST_F(ToolbarRegistry, ControlIDIsKeptOnlyWhenFixedAndUsableAndOddDockSitesDockAtTheTop)
{
    Save({kOpen});
    MakeFixedToolBar({kSave}, 0xE870, "Other");   // holds 0xE870

    // The main toolbar's 0xE800 is kept; an ID of another bar is not, nor one of the
    // framework's own bars (status bar and kin, dock bars) though the frame has none yet.
    struct Case {
        DWORD fixed, id;
        bool kept;
    } cases[] = {{1, 0xE860, true},  {0, 0xE860, false}, {1, 0, false},      {1, 0x10000, false},
                 {1, 0xE81B, false}, {1, 0xE800, true},  {1, 0xE801, false}, {1, 0xE803, false},
                 {1, 0xE805, false}, {1, 0xE81F, false}, {1, 0xE870, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "IDFixed " << c.fixed << ", ID " << std::hex << c.id);
        WriteNumber(m_hKey, "IDFixed", c.fixed);
        WriteNumber(m_hKey, "ID", c.id);
        ProbeToolBar* pBar = Restore();
        EXPECT_EQ(c.kept, pBar->GetDlgCtrlID() == (int)c.id);
        EXPECT_EQ(c.kept, !!pBar->m_bIDFixed);
        if (!c.kept) {
            EXPECT_GE(pBar->GetDlgCtrlID(), 0xE83E) << "a fresh bar ID";
        }
        pBar->DestroyWindow();
    }
    const std::pair<DWORD, UINT> codes[] = {
        {0, AFX_IDW_DOCKBAR_TOP},  {1, AFX_IDW_DOCKBAR_TOP},          {2, AFX_IDW_DOCKBAR_BOTTOM},
        {3, AFX_IDW_DOCKBAR_LEFT}, {4, AFX_IDW_DOCKBAR_RIGHT},        {5, AFX_IDW_DOCKBAR_FLOAT},
        {6, AFX_IDW_DOCKBAR_TOP},  {0xFFFFFFFF, AFX_IDW_DOCKBAR_TOP},
    };
    for (const auto& [code, dockBar] : codes) {
        SCOPED_TRACE(code);
        WriteNumber(m_hKey, "DockSite", code);
        ProbeToolBar* pBar = Restore();
        EXPECT_EQ(dockBar, pBar->m_nDockBarID);
        pBar->DestroyWindow();
    }
}

TEST_F(ToolbarRegistry, PositionsOffTheScreenAreBroughtBackAndOnlyRowBreaksAreTakenFromTheStyles)
{
    Save({kOpen});
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        CPoint dockIn, floatIn, dockOut, floatOut;
    } cases[] = {
        {{-8, -8}, {100, 100}, {-8, -8}, {100, 100}},
        {{cx, cy - 58}, {cx, cy}, {0, 0}, {0, 0}},
        // Inside the screen, yet too near its edge to grab: the caption stays reachable.
        {{cx - 1, cy - 59}, {cx - 1, cy - 1}, {cx - 1, cy - 59}, {cx - 64, cy - 48}},
        {{0, 0}, {0, cy - 1}, {0, 0}, {0, cy - 48}},
        {{10, 20}, {-1, -1}, {10, 20}, {0, 0}},
        {{INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dockIn.x << "," << c.dockIn.y);
        WritePoint(m_hKey, "DockPos", c.dockIn);
        WritePoint(m_hKey, "FloatPos", c.floatIn);
        ProbeToolBar* pBar = Restore();
        EXPECT_EQ(c.dockOut, pBar->m_ptDockPos);
        EXPECT_EQ(c.floatOut, pBar->m_ptFloatPos);
        pBar->DestroyWindow();
    }
    Save({kOpen, kSave, kOpen, kSave});
    WriteList(m_hKey, "Styles", {TBBS_CHECKED, TBBS_DISABLED, TBBS_WRAPPED, 0});

    ProbeToolBar* pBar = Restore();
    EXPECT_FALSE(pBar->GetButtonStyle(0) & TBBS_CHECKED);
    EXPECT_FALSE(pBar->GetButtonStyle(1) & TBBS_DISABLED);
    EXPECT_TRUE(pBar->GetButtonStyle(2) & TBBS_WRAPPED) << "a stored row break is honoured";
    EXPECT_TRUE(pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC);
    EXPECT_FALSE(pBar->GetBarStyle() & CBRS_SIZE_FIXED);
    // Without stored styles nothing is taken at all.
    ::RegDeleteValueA(m_hKey, "Styles");
    ProbeToolBar* pPlain = Restore();
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(pPlain->GetButtonStyle(i) & TBBS_WRAPPED) << i;
}

// Lists on no real button are dropped; a listed one without commands fails the read after the buttons.
TEST_F(ToolbarRegistry, FlyoutListsComeBackWithTheirButtonsOnly)
{
    Save({kOpen, kSave, 0, kOpen});
    WriteList(m_hKey, "Flyouts", {1, 3});
    WriteList(m_hKey, "Flyout0", {kSave, kOpen});
    WriteList(m_hKey, "Flyout1", {kGrey});
    const auto copy = ValuesOf(Restore());
    EXPECT_EQ((std::vector<UINT>{1, 3}), copy.at("Flyouts").List());
    EXPECT_EQ((std::vector<UINT>{kSave, kOpen}), copy.at("Flyout0").List());
    EXPECT_EQ((std::vector<UINT>{kGrey}), copy.at("Flyout1").List());

    Save({kOpen, 0});
    WriteList(m_hKey, "Flyouts", {1, 7, (UINT)-5});   // a separator, past the end, negative
    for (const char* name : {"Flyout0", "Flyout1", "Flyout2"})
        WriteList(m_hKey, name, {kSave});
    EXPECT_EQ((std::vector<UINT>{(UINT)-1}), FlyoutsOf(Restore()));

    Save({kOpen, kSave}, "Edited");
    WriteList(m_hKey, "Flyouts", {0});
    WriteList(m_hKey, "Flyout0", {});

    BOOL bResult = TRUE;
    ProbeToolBar* pBar = Restore(&bResult);
    EXPECT_FALSE(bResult);
    EXPECT_EQ(2, pBar->GetCommandCount()) << "the buttons were set before the flyouts";
    EXPECT_STREQ("Edited", pBar->Caption());
    EXPECT_FALSE(pBar->m_bAutoDelete) << "the caller decides what becomes of a half-read toolbar";
}

class DefaultFlyouts : public ToolbarRegistry {
protected:
    void SetUp() override
    {
        ToolbarRegistry::SetUp();
        m_toolbars = CreateKey(m_pInfo->GetRegistryNameWithEnv() + "\\Toolbars");
        const UINT defaults[] = {kOpen, kSave, kOpen};
        m_pBar = MakeFixedToolBar({kOpen, kSave, kOpen}, 0xE860, "Standard");
        m_pBar->SetDefaultButtons(defaults, 3);
    }
    void TearDown() override
    {
        ::RegCloseKey(m_toolbars);
        ToolbarRegistry::TearDown();
    }
    // A stored toolbar key under the environment's toolbars.
    HKEY AddStored(int n, const char* name)
    {
        char subkey[32];
        wsprintfA(subkey, "Toolbar%d", n);
        HKEY hKey = nullptr;
        ::RegCreateKeyExA(m_toolbars, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        if (name)
            ::RegSetValueExA(hKey, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), lstrlenA(name) + 1);
        return hKey;
    }
    std::vector<UINT> FlyoutsNow() { return FlyoutsOf(m_pBar); }

    HKEY m_toolbars = nullptr;
    ProbeToolBar* m_pBar = nullptr;
};

TEST_F(DefaultFlyouts, AreFoundByTheToolbarsCaption)
{
    WriteNumber(m_toolbars, "ToolbarCount", 3);
    ::RegCloseKey(AddStored(0, "Draw"));
    HKEY hKey = AddStored(2, "Standard");   // 1 is missing: skipped
    WriteList(hKey, "DefaultFlyouts", {0, 2});
    WriteList(hKey, "DefaultFlyout0", {kSave});
    WriteList(hKey, "DefaultFlyout1", {kGrey, kSave});
    ::RegCloseKey(hKey);

    EXPECT_TRUE(m_pBar->ReadDefaultFlyoutsFromRegistry());
    EXPECT_EQ((std::vector<UINT>{0, 2}), FlyoutsNow());
    // They stop at the first missing list.
    HKEY hStandard = AddStored(2, nullptr);
    ::RegDeleteValueA(hStandard, "DefaultFlyout1");
    ::RegCloseKey(hStandard);
    EXPECT_TRUE(m_pBar->ReadDefaultFlyoutsFromRegistry());
    EXPECT_EQ((std::vector<UINT>{0}), FlyoutsNow());
}

TEST_F(DefaultFlyouts, DamagedToolbarKeysGiveFailureWithoutHanging)
{
    // Not a default toolbar: nothing to do.
    ProbeToolBar* pPlain = MakeFixedToolBar({kOpen}, 0xE861, "Plain");
    EXPECT_TRUE(pPlain->ReadDefaultFlyoutsFromRegistry());

    EXPECT_FALSE(m_pBar->ReadDefaultFlyoutsFromRegistry()) << "no count";
    ::RegSetValueExA(m_toolbars, "ToolbarCount", 0, REG_SZ, reinterpret_cast<const BYTE*>("2"), 2);
    EXPECT_FALSE(m_pBar->ReadDefaultFlyoutsFromRegistry()) << "a count of the wrong type";
    WriteNumber(m_toolbars, "ToolbarCount", 0x7FFFFFFF);
    EXPECT_TRUE(m_pBar->ReadDefaultFlyoutsFromRegistry()) << "an absurd count finds nothing, promptly";
    ::RegCloseKey(AddStored(0, nullptr));
    EXPECT_FALSE(m_pBar->ReadDefaultFlyoutsFromRegistry()) << "a stored toolbar without a name";

    ::RegDeleteKeyA(m_toolbars, "Toolbar0");
    HKEY hKey = AddStored(0, "Standard");
    ::RegSetValueExA(hKey, "DefaultFlyouts", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&kSave), 4);
    EXPECT_FALSE(m_pBar->ReadDefaultFlyoutsFromRegistry()) << "a list of the wrong type";
    WriteList(hKey, "DefaultFlyouts", std::vector<UINT>(300, 0));
    EXPECT_FALSE(m_pBar->ReadDefaultFlyoutsFromRegistry()) << "a list longer than its buffer";
    WriteList(hKey, "DefaultFlyouts", {(UINT)-1, 0});
    EXPECT_TRUE(m_pBar->ReadDefaultFlyoutsFromRegistry());
    EXPECT_EQ((std::vector<UINT>{(UINT)-1}), FlyoutsNow());
    ::RegCloseKey(hKey);
}

TEST_F(ToolbarRegistry, OnlyAVisibleFloatingToolbarWaitsForTheHostAndHiddenOnesStayHidden)
{
    SaveFloating(CPoint(200, 150));
    FakeAppInfo host;
    host.ready = FALSE;
    SetWinApp(&host);
    ProbeToolBar* pBar = Restore();
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_TRUE(pBar->m_bDeferredShow);
    EXPECT_TRUE(pBar->m_bVisiblePending);
    EXPECT_EQ(1u, ValuesOf(pBar).at("Visible").Number()) << "saved meanwhile, it still counts as shown";

    m_frame.FloatControlBar(pBar, pBar->m_ptFloatPos);
    testing_support::PumpMessages();
    ::Sleep(1100);
    testing_support::PumpMessages();
    EXPECT_FALSE(pBar->IsWindowVisible()) << "the host is still not ready";
    host.ready = TRUE;
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !!pBar->IsWindowVisible(); }));
    EXPECT_FALSE(pBar->m_bDeferredShow);
    // Hidden ones stay hidden, visible docked ones show at once.
    Save({kOpen});
    host.ready = FALSE;
    struct Case {
        DWORD visible, floating;
        BOOL bHostMode;
        bool shown, waits;
    } cases[] = {
        {1, 0, FALSE, true, false},    // docked: shown at once
        {1, 1, TRUE, true, false},     // the host runs the library inside another: shown at once
        {0, 1, FALSE, false, false},   // hidden: nothing to wait for
        {0, 0, FALSE, false, false},   // hidden and docked
        {1, 1, FALSE, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.visible << c.floating << c.bHostMode);
        WriteNumber(m_hKey, "Visible", c.visible);
        WriteNumber(m_hKey, "Floating", c.floating);
        WriteNumber(m_hKey, "Hide", 1);
        AppCoreSetHostMode(c.bHostMode);
        ProbeToolBar* pCase = Restore();
        EXPECT_EQ(c.shown, !!(pCase->GetStyle() & WS_VISIBLE));
        EXPECT_EQ(c.waits, !!pCase->m_bDeferredShow);
        EXPECT_TRUE(pCase->m_bHide) << "kept for the next save";
        pCase->DestroyWindow();
    }
}

TEST_F(ToolbarRegistry, HiddenToolbarSavesAsHiddenUnlessOnlyTheFrameHidesItAndOneWithoutButtonsStoresNoStyles)
{
    ProbeToolBar* pSaved = MakeFixedToolBar({kOpen}, 0xE860);
    m_frame.ShowControlBar(pSaved, FALSE, FALSE);
    FakeAppInfo host;
    for (FakeAppInfo* pHost : {(FakeAppInfo*)nullptr, &host}) {
        SetWinApp(pHost);
        ASSERT_TRUE(pSaved->WriteToRegistry(m_hKey));
        EXPECT_EQ(0u, ReadValues(m_hKey).at("Visible").Number()) << (pHost ? "ready host" : "no host");
    }
    // Hidden only while the frame is in a special mode, it counts as shown.
    pSaved->m_nStateFlags = CControlBar::tempHide;
    ASSERT_TRUE(pSaved->WriteToRegistry(m_hKey));
    EXPECT_EQ(1u, ReadValues(m_hKey).at("Visible").Number());
    // A toolbar without buttons stores no styles, and its defaults as buttons.
    ProbeToolBar* pBar = MakeFixedToolBar({kOpen, kSave}, 0xE860);
    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    ASSERT_TRUE(ReadValues(m_hKey).count("Styles"));
    const UINT defaults[] = {kSave, 0, kOpen};
    ASSERT_TRUE(pBar->SetButtonIDs(defaults, 0));
    ASSERT_EQ(0, pBar->GetCommandCount());
    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    EXPECT_FALSE(ReadValues(m_hKey).count("Styles")) << "the kept key loses the rows of buttons that went";
    pBar->SetDefaultButtons(defaults, 3);
    const auto values = ValuesOf(pBar);
    EXPECT_EQ((std::vector<UINT>{kSave, 0, kOpen}), values.at("IDs").List());
    EXPECT_FALSE(values.count("Styles")) << "no buttons, no styles";
}

TEST_F(ToolbarRegistry, NothingIsWrittenWithoutAKeyOrWhileTheHostHidesItsWindow)
{
    ProbeToolBar* pBar = MakeFixedToolBar({kOpen}, 0xE860);
    EXPECT_FALSE(pBar->WriteToRegistry(nullptr));
    EXPECT_FALSE(pBar->ReadFromRegistry(nullptr));

    AppCoreSetHostMode(TRUE);
    m_frame.ShowWindow(SW_HIDE);
    EXPECT_FALSE(pBar->WriteToRegistry(m_hKey));
    EXPECT_TRUE(ReadValues(m_hKey).empty());
    m_frame.ShowWindow(SW_SHOW);
    EXPECT_TRUE(pBar->WriteToRegistry(m_hKey));
    // A key that takes no values is a failure, not a save.
    HKEY hReadOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, m_key.path() + "\\Bar", 0, KEY_READ, &hReadOnly));
    EXPECT_FALSE(pBar->WriteToRegistry(hReadOnly));
    ::RegCloseKey(hReadOnly);
}

TEST_F(ToolbarRegistry, EveryRequiredValueIsNeeded)
{
    Save({kOpen, kSave}, "Whole");
    const auto whole = ReadValues(m_hKey);
    for (const char* required : {"IDFixed", "ID", "Name", "DockPos", "FloatPos", "DockSite", "Visible", "Floating",
                                 "FloatTop", "FloatBottom", "FloatLeft", "FloatRight", "FloatSizeWidth",
                                 "FloatSizeHeight", "FloatOrientation", "CustomBitmaps", "IDs", "Default", "Flyouts"}) {
        SCOPED_TRACE(required);
        ::RegDeleteValueA(m_hKey, required);
        BOOL bResult = TRUE;
        ProbeToolBar* pBar = Restore(&bResult);
        EXPECT_FALSE(bResult);
        // Values read before the missing one stay applied: the buttons come before "Default".
        if (std::string(required) == "Default") {
            EXPECT_EQ(2, pBar->GetCommandCount());
        }
        pBar->DestroyWindow();
        const StoredValue& value = whole.at(required);
        ::RegSetValueExA(m_hKey, required, 0, value.type, value.data.data(), (DWORD)value.data.size());
    }
    // The optional ones are not.
    for (const char* optional : {"Hide", "Styles"})
        ::RegDeleteValueA(m_hKey, optional);
    Restore();
}

// Too long a caption or button list is cut; a damaged floating position leaves the docked one alone.
TEST_F(ToolbarRegistry, WhatIsWrittenFitsWhatIsReadAndDamageStaysWhereItIs)
{
    Save(std::vector<UINT>(300, kOpen), std::string(300, 'C').c_str());
    ProbeToolBar* pLong = Restore();
    EXPECT_EQ(255, pLong->Caption().GetLength());
    EXPECT_EQ(256, pLong->GetCommandCount());

    Save({kOpen});
    WritePoint(m_hKey, "DockPos", CPoint(99999, 99999));
    WriteList(m_hKey, "FloatPos", {100});
    BOOL bResult = TRUE;
    ProbeToolBar* pBar = Restore(&bResult);
    EXPECT_FALSE(bResult);
    EXPECT_EQ(CPoint(-8, -8), pBar->m_ptDockPos);
}

TEST_F(ToolbarRegistry, FlyoutsFollowTheirButtons)
{
    Save({kOpen, kSave, kGrey});
    WriteList(m_hKey, "Flyouts", {1, 2});
    WriteList(m_hKey, "Flyout0", {kSave, kGrey});
    WriteList(m_hKey, "Flyout1", {kGrey});
    ProbeToolBar* pBar = Restore();
    auto flyouts = [&] { return FlyoutsOf(pBar); };
    // Each flyout goes to the first new button holding one of its commands; a second one there is dropped.
    const UINT reordered[] = {kGrey, kOpen, kSave};
    ASSERT_TRUE(pBar->SetButtonIDs(reordered, 3));
    EXPECT_EQ((std::vector<UINT>{0}), flyouts());
    const UINT apart[] = {kOpen, kSave, 0, kGrey};
    ASSERT_TRUE(pBar->SetButtonIDs(apart, 4));
    EXPECT_EQ((std::vector<UINT>{1}), flyouts()) << "the list of Save and Grey stays with Save";
    // A deleted button takes its flyout along; later ones move down.
    ASSERT_TRUE(pBar->DeleteItem(0));
    EXPECT_EQ((std::vector<UINT>{0}), flyouts());
    ASSERT_TRUE(pBar->DeleteItem(0));
    EXPECT_EQ((std::vector<UINT>{(UINT)-1}), flyouts());
}

}   // namespace
