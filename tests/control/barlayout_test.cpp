// Whole toolbar layouts stored and restored: docking order, never-placed toolbars,
// the dirty flag, the unit display values, stored layouts damaged as users'
// data may be, and floating toolbars that lie off every monitor.
#include "layout_support.h"
#include "registry_cut.h"
#include "regvalues.h"

#include <tuple>

using namespace layout_test;
using namespace testing_support;
using namespace toolbar_test;

namespace {

using BarLayout = LayoutHost;

// Registry reads counted through the program's imports.
int g_nReads = 0;
decltype(&::RegQueryValueExA) g_realQueryValue = nullptr;

LONG WINAPI CountedRegQueryValueExA(HKEY hKey, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    ++g_nReads;
    return g_realQueryValue(hKey, name, reserved, type, data, size);
}

bool HoldsAnyFile(const std::string& folder)
{
    WIN32_FIND_DATAA found{};
    HANDLE hFind = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    bool any = false;
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more && !any; more = ::FindNextFileA(hFind, &found))
        any = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    return any;
}

CPoint StoredDockPos(LPCSTR toolbars, int n)
{
    HKEY hKey = CreateKey(CString(toolbars) + "\\Toolbar" + std::to_string(n).c_str());
    const CPoint pos = ReadPoint(hKey, "DockPos");
    ::RegCloseKey(hKey);
    return pos;
}

TEST_F(BarLayout, DocksEachSideByRowWithEqualRowsInStoredOrder)
{
    DockedBar("A", {kOpen});
    DockedBar("B", {kSave});
    DockedBar("C", {kGrey});
    ASSERT_EQ(3, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    DestroyBars();
    const CString toolbars = Root() + "\\Toolbars";
    for (auto [n, y] : {std::pair{0, 40}, {1, 0}, {2, 40}}) {
        HKEY hKey = CreateKey(toolbars + "\\Toolbar" + std::to_string(n).c_str());
        WritePoint(hKey, "DockPos", CPoint(0, y));
        ::RegCloseKey(hKey);
    }
    ASSERT_EQ(3, LoadBarLayout(&m_frame, nullptr, nullptr));
    auto* pDock = static_cast<CDockBar*>(m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP));
    ASSERT_NE(nullptr, pDock);
    std::string order;
    for (INT_PTR i = 0; i < pDock->m_arrBars.GetSize(); ++i) {
        // Rows end in NULL; a bar that floated away leaves its ID (below 0x10000).
        auto* pBar = static_cast<CControlBar*>(pDock->m_arrBars[i]);
        if ((ULONG_PTR)pBar >= 0x10000) {
            CString caption;
            pBar->GetWindowText(caption);
            order += (LPCSTR)caption;
        }
    }
    // Docked B, A, C: B makes the first row, A the second, and C, docked at A's
    // very place after it, goes before A in that row.
    EXPECT_EQ("BCA", order);
}

TEST_F(BarLayout, HiddenToolbarNeverPlacedIsStoredBeyondTheLowestRow)
{
    DockedBar("First", {kOpen, kSave});
    JToolBar* pSecond = DockedBar("Second", {kSave});
    // A row of its own below the first.
    CRect below;
    m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(below);
    m_frame.DockControlBar(pSecond, AFX_IDW_DOCKBAR_TOP,
                           CRect(below.left, below.bottom + 2, below.left + 30, below.bottom + 32));
    JToolBar* pHidden = DockedBar("Hidden", {kGrey});
    m_frame.ShowControlBar(pHidden, FALSE, FALSE);
    pHidden->m_ptDockPos = CPoint(-8, -8);
    m_frame.RecalcLayout();
    ASSERT_EQ(3, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    const CString toolbars = Root() + "\\Toolbars";
    const LONG lowest = std::max(StoredDockPos(toolbars, 0).y, StoredDockPos(toolbars, 1).y);
    EXPECT_GT(lowest, 0);
    EXPECT_EQ(CPoint(-1, lowest + 22), StoredDockPos(toolbars, 2));
}

// One docked beside a shown bar while hidden has its place in that row: a save keeps it there.
TEST_F(BarLayout, HiddenToolbarDockedBesideAnotherKeepsItsRow)
{
    JToolBar* pFirst = DockedBar("First", {kOpen, kSave});
    JToolBar* pHidden = DockedBar("Hidden", {kGrey});
    m_frame.ShowControlBar(pHidden, FALSE, FALSE);
    CRect first;
    pFirst->GetWindowRect(first);
    m_frame.DockControlBar(pHidden, AFX_IDW_DOCKBAR_TOP,
                           CRect(first.right + 10, first.top, first.right + 40, first.top + 30));
    pHidden->m_ptDockPos = CPoint(-8, -8);
    m_frame.RecalcLayout();
    auto* pDock = static_cast<CDockBar*>(m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP));
    const auto entries = [pDock] {
        std::vector<void*> bars(pDock->m_arrBars.GetData(), pDock->m_arrBars.GetData() + pDock->m_arrBars.GetSize());
        return bars;
    };
    const std::vector<void*> before = entries();
    ASSERT_EQ((std::vector<void*>{nullptr, pFirst, pHidden, nullptr}), before);
    ASSERT_EQ(2, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_EQ(before, entries());
    const CString toolbars = Root() + "\\Toolbars";
    EXPECT_EQ(StoredDockPos(toolbars, 0).y, StoredDockPos(toolbars, 1).y);
}

// Alone on its side, a hidden toolbar that was never placed is stored at the side's edge, a place
// that is read back as it was stored.
TEST_F(BarLayout, HiddenToolbarNeverPlacedAloneOnItsSideIsStoredAtItsEdge)
{
    const std::pair<UINT, CPoint> sides[] = {{AFX_IDW_DOCKBAR_TOP, {-1, 0}},
                                             {AFX_IDW_DOCKBAR_BOTTOM, {-1, 0}},
                                             {AFX_IDW_DOCKBAR_LEFT, {0, -1}},
                                             {AFX_IDW_DOCKBAR_RIGHT, {0, -1}}};
    const CString toolbars = Root() + "\\Toolbars";
    for (const auto& [nDockBarID, expected] : sides) {
        SCOPED_TRACE(nDockBarID);
        DockedBar("Shown", {kOpen}, nDockBarID == AFX_IDW_DOCKBAR_TOP ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
        JToolBar* pHidden = DockedBar("Hidden", {kGrey}, nDockBarID);
        m_frame.ShowControlBar(pHidden, FALSE, FALSE);
        m_frame.RecalcLayout();
        ASSERT_EQ(2, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
        const CPoint stored = StoredDockPos(toolbars, 1);
        EXPECT_EQ(expected, stored);
        DestroyBars();
        ASSERT_EQ(2, LoadBarLayout(&m_frame, nullptr, nullptr));
        int hidden = 0;
        for (JToolBar* pBar : FrameBars())
            if (!pBar->IsWindowVisible() && ++hidden) {
                EXPECT_EQ(stored, pBar->m_ptDockPos);
                EXPECT_EQ(nDockBarID, pBar->m_nDockBarID);
            }
        EXPECT_EQ(1, hidden);
        DestroyBars();
    }
}

// Toolbars in rows of their own before a row of the host's own bar, loaded over themselves,
// come back in those rows: the host's row does not move up to meet them first.
TEST_F(BarLayout, ToolbarRowsBeforeAHostRowComeBackAsTheyWere)
{
    DockedBar("First", {kOpen, kSave});
    DockedBar("Second", {kSave});
    auto* pHost = new CToolBar;   // deletes itself with its window
    pHost->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pHost->CreateEx(&m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(), 0xE830));
    HBITMAP hImage = image_test::MakeDib(16 * 2, 15, 24, RGB(0, 0, 0));
    pHost->SetBitmap(hImage);
    const UINT ids[] = {kOpen, kSave};
    pHost->SetButtons(ids, 2);
    pHost->SetWindowText("Host");
    pHost->EnableDocking(CBRS_ALIGN_ANY);
    m_frame.DockControlBar(pHost, AFX_IDW_DOCKBAR_TOP);
    m_frame.RecalcLayout();
    auto* pDock = static_cast<CDockBar*>(m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP));
    // Each row as its captions, rows ending in "|"; and where each bar is.
    const auto rows = [pDock] {
        std::string text;
        std::map<std::string, std::tuple<LONG, LONG, LONG, LONG>> places;
        for (INT_PTR i = 1; i < pDock->m_arrBars.GetSize(); ++i) {
            CControlBar* pBar = pDock->GetDockedControlBar((int)i);
            if (!pBar) {
                text += pDock->m_arrBars[i] ? "" : "|";
                continue;
            }
            CString caption;
            pBar->GetWindowText(caption);
            text += (LPCSTR)caption;
            CRect rect;
            pBar->GetWindowRect(rect);
            places[(LPCSTR)caption] = {rect.left, rect.top, rect.right, rect.bottom};
        }
        return std::make_pair(text, places);
    };
    const auto before = rows();
    ASSERT_EQ("First|Second|Host|", before.first);
    ASSERT_EQ(2, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    ASSERT_EQ(2, LoadBarLayout(&m_frame, nullptr, nullptr));
    m_frame.RecalcLayout();
    EXPECT_EQ(before, rows());
    pHost->DestroyWindow();
    ::DeleteObject(hImage);
}

TEST_F(BarLayout, SavesOnlyWhenChangedUnlessForced)
{
    DockedBar("Tools", {kOpen, kSave});
    ASSERT_EQ(1, SaveBarLayout(&m_frame, nullptr, nullptr));
    HKEY hKey = CreateKey(Root() + "\\Toolbars\\Toolbar0");
    WriteNumber(hKey, "Hide", 7);
    EXPECT_EQ(0, SaveBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_EQ(7u, [&] {
        StoredValue v;
        ReadStoredValue(hKey, "Hide", v);
        return v.Number();
    }());
    ::RegCloseKey(hKey);
    EXPECT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    hKey = CreateKey(Root() + "\\Toolbars\\Toolbar0");
    StoredValue hide;
    ASSERT_TRUE(ReadStoredValue(hKey, "Hide", hide));
    EXPECT_EQ(0u, hide.Number());
    ::RegCloseKey(hKey);
}

// A staged key left without its journal lends nothing to the next save.
TEST_F(BarLayout, AStagedKeyLeftWithoutItsJournalIsNotSaved)
{
    DockedBar("Tools", {kOpen, kSave});
    HKEY hKey = CreateKey(Root() + "\\Toolbars\\Toolbar0.new");
    WriteNumber(hKey, "Stray", 1);
    ::RegCloseKey(hKey);
    ASSERT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    hKey = CreateKey(Root() + "\\Toolbars\\Toolbar0");
    StoredValue stray;
    EXPECT_FALSE(ReadStoredValue(hKey, "Stray", stray));
    ::RegCloseKey(hKey);
}

TEST_F(BarLayout, UnitDisplayValuesReadBackByteForByte)
{
    m_pInfo->m_nDisplayPrimaryUnits = 64;
    m_pInfo->m_nFormatMode = 3;
    m_pInfo->m_nFormatPrecision = 5;
    m_pInfo->m_nUseDocumentUnits = 0;
    m_pInfo->m_strVersionStamp = "Release 11.2 \"beta\" \xE9t\xE9";
    DockedBar("Tools", {kOpen});
    ASSERT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    const CString path = Root() + "\\eInformation";
    const Tree first = Snapshot(path);
    ASSERT_EQ(1u, first.size());
    const auto& values = first.at("");
    ASSERT_EQ(5u, values.size());
    const char stamp[] = "Release 11.2 \"beta\" \xE9t\xE9";   // with its end
    EXPECT_EQ(std::make_pair(DWORD(REG_SZ), std::vector<BYTE>(stamp, stamp + sizeof stamp)), values.at("VersionStamp"));
    m_pInfo->m_nDisplayPrimaryUnits = 61;
    m_pInfo->m_strVersionStamp = "other";
    DestroyBars();
    ASSERT_EQ(1, LoadBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_EQ(64, m_pInfo->m_nDisplayPrimaryUnits);
    EXPECT_EQ(3, m_pInfo->m_nFormatMode);
    EXPECT_EQ(5, m_pInfo->m_nFormatPrecision);
    EXPECT_EQ(0, m_pInfo->m_nUseDocumentUnits);
    ASSERT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_TRUE(first == Snapshot(path));
}

TEST_F(BarLayout, FloatingToolbarOffEveryMonitorComesBackOntoTheWorkArea)
{
    JToolBar* pBar = DockedBar("Away", {kOpen, kSave});
    m_frame.FloatControlBar(pBar, CPoint(100, 100));
    ASSERT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    DestroyBars();
    HKEY hKey = CreateKey(Root() + "\\Toolbars\\Toolbar0");
    WritePoint(hKey, "FloatPos", CPoint(-5000, 9000));   // a second monitor that is gone
    ::RegCloseKey(hKey);
    ASSERT_EQ(1, LoadBarLayout(&m_frame, nullptr, nullptr));
    const std::vector<JToolBar*> bars = FrameBars();
    ASSERT_EQ(1u, bars.size());
    ASSERT_TRUE(bars[0]->IsFloating());
    CRect rect;
    bars[0]->GetParentFrame()->GetWindowRect(rect);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(rect.left, work.left);
    EXPECT_GE(rect.top, work.top);
    EXPECT_LE(rect.top + 48, work.bottom);
    EXPECT_LE(rect.left + 64, work.right);
}

// What the user does to a bar after a save is saved by the next one (a double click
// floats it, its floating frame is dragged away); a restore leaves nothing to save.
TEST_F(BarLayout, BarsTheUserMovesAreSavedAgain)
{
    JToolBar* pBar = DockedBar("Tools", {kOpen, kSave});
    pBar->SetGripperBar(TRUE);
    m_frame.RecalcLayout();
    m_frame.ShowWindow(SW_SHOW);
    MakeForeground(m_frame.m_hWnd);
    PumpMessages();
    ASSERT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    const CString key = Root() + "\\Toolbars\\Toolbar0";
    const auto stored = [&key](LPCSTR name) {
        HKEY hKey = CreateKey(key);
        StoredValue value;
        ReadStoredValue(hKey, name, value);
        const CPoint pos = ReadPoint(hKey, name);
        ::RegCloseKey(hKey);
        return std::make_pair(value.Number(), pos);
    };
    ASSERT_EQ(0u, stored("Floating").first);

    CRect rect;
    pBar->GetWindowRect(rect);
    const CPoint gripper(rect.left + 3, rect.CenterPoint().y);
    ClickAt(gripper);
    ClickAt(gripper);
    PumpUntil([pBar] { return pBar->IsFloating(); });
    ASSERT_TRUE(pBar->IsFloating());
    EXPECT_EQ(1, SaveBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_EQ(1u, stored("Floating").first);

    DestroyBars();
    ASSERT_EQ(1, LoadBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_EQ(0, SaveBarLayout(&m_frame, nullptr, nullptr));
    ASSERT_EQ(1u, FrameBars().size());
    CFrameWnd* pFloating = FrameBars()[0]->GetParentFrame();
    ASSERT_NE(&m_frame, pFloating);
    const CPoint before = stored("FloatPos").second;
    pFloating->GetWindowRect(rect);
    const CPoint caption(rect.left + 12, rect.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2);
    const CPoint to(caption.x + 60, caption.y + 40);
    ScriptedInput script;
    script.Wait(50)
        .Then(
            [to] {
                MoveMouse(to);
                return true;
            },
            "move")
        .Wait(50)
        .Then(
            [to] {
                SendMouseButton(to, false);
                return true;
            },
            "release");
    SendMouseButton(caption, true);
    PumpUntil([&] { return script.Done() && !::GetCapture(); });
    PumpMessages();
    EXPECT_EQ(1, SaveBarLayout(&m_frame, nullptr, nullptr));
    FrameBars()[0]->GetParentFrame()->GetWindowRect(rect);
    EXPECT_NE(before, rect.TopLeft());
    EXPECT_EQ(rect.TopLeft(), stored("FloatPos").second);
}

// Each stored layout under tests/data/layouts, and each stored toolbar key of
// tests/data/toolbars as the second of two: "loads_" restores all its toolbars;
// "ignored_" restores nothing and deletes nothing; "unreadable_" (and a failing
// toolbar key) restores nothing and drops the stored data. A copy is kept of
// every layout that is not restored, and it reloads byte for byte.
TEST_F(BarLayout, DamagedLayoutsGiveTheirResultAndAreKept)
{
    struct Case {
        CString file;
        CString asSecondToolbar;   // a toolbar key file, or empty
    };
    std::vector<Case> cases;
    for (const CString& file : RegFilesIn("layouts"))
        cases.push_back({file, ""});
    const CString two = TestDataFolder() + "layouts\\loads_two.reg";
    for (const CString& file : RegFilesIn("toolbars"))
        cases.push_back({two, file});
    ASSERT_GE(cases.size(), 30u);
    const CString root = Root();
    for (const Case& test : cases) {
        const CString label = test.asSecondToolbar.IsEmpty() ? test.file : test.asSecondToolbar;
        SCOPED_TRACE((LPCSTR)label);
        std::string error;
        ASSERT_TRUE(ImportRegFile(test.file, root, error)) << error;
        if (!test.asSecondToolbar.IsEmpty()) {
            ::RegDeleteTreeA(HKEY_CURRENT_USER, root + "\\Toolbars\\Toolbar1");
            ASSERT_TRUE(ImportRegFile(test.asSecondToolbar, root + "\\Toolbars", error)) << error;
            HKEY hToolbars = CreateKey(root + "\\Toolbars");
            ASSERT_EQ(ERROR_SUCCESS, ::RegRenameKey(hToolbars, L"Bar", L"Toolbar1"));
            ::RegCloseKey(hToolbars);
        }
        const bool loads = label.Find("\\loads_") >= 0;
        const bool ignored = label.Find("\\ignored_") >= 0;
        const Tree stored = Snapshot(root);
        const std::set<std::string> kept = KeptFiles();
        const int result = LoadBarLayout(&m_frame, nullptr, nullptr);
        EXPECT_EQ(loads ? 2 : 0, result);
        EXPECT_EQ(loads ? 2u : 0u, FrameBars().size());
        EXPECT_EQ(loads || ignored, stored == Snapshot(root)) << "kept only when restored or ignored";
        const std::string copy = NewKeptFile(kept);
        EXPECT_EQ(!loads, !copy.empty());
        if (!copy.empty()) {
            EXPECT_TRUE(KeptCopyRestores(copy, root, stored));
        }
        DestroyBars();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, root);
    }
}

// An unreadable layout is dropped only once a copy of it is kept: with no folder
// to write it in the stored data stay; with "KeptLayouts" taken by a file the copy
// goes to the temporary folder.
TEST_F(BarLayout, AnUnreadableLayoutIsDroppedOnlyOnceItsCopyIsKept)
{
    const CString root = Root();
    std::string error;
    ASSERT_TRUE(ImportRegFile(TestDataFolder() + "layouts\\unreadable_gap.reg", root, error)) << error;
    const Tree stored = Snapshot(root);
    const std::string folder = kept_copy::Folder();
    const std::string aside = folder + ".aside";
    ASSERT_TRUE(::MoveFileA(folder.c_str(), aside.c_str()));
    HANDLE hFile = ::CreateFileA(folder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    ::CloseHandle(hFile);
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    for (LPCSTR variable : {"TMP", "TEMP"})
        ::SetEnvironmentVariableA(variable, (folder + "\\nowhere").c_str());

    EXPECT_EQ(0, LoadBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_TRUE(stored == Snapshot(root)) << "dropped without a copy";
    for (LPCSTR variable : {"TMP", "TEMP"})
        ::SetEnvironmentVariableA(variable, temp);
    const std::set<std::string> kept = KeptFiles();
    EXPECT_EQ(0, LoadBarLayout(&m_frame, nullptr, nullptr));
    const std::string copy = NewKeptFile(kept);
    EXPECT_EQ(0u, copy.find(temp)) << copy;
    EXPECT_TRUE(Snapshot(root).empty());
    EXPECT_TRUE(KeptCopyRestores(copy, root, stored));

    ::DeleteFileA(copy.c_str());
    ::DeleteFileA(folder.c_str());
    EXPECT_TRUE(::MoveFileA(aside.c_str(), folder.c_str()));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, root);
}

// An environment of the longest name puts its key past MAX_PATH characters: its
// unreadable layout is still kept and then dropped.
TEST_F(BarLayout, AnUnreadableLayoutOfTheLongestEnvironmentNameIsKeptAndDropped)
{
    m_pInfo->SetCustomEnvironment(std::string(255, 'E').c_str());
    const CString root = Root();
    ASSERT_GT(root.GetLength(), MAX_PATH);
    DockedBar("A", {kOpen});
    DockedBar("B", {kSave});
    ASSERT_EQ(2, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    DestroyBars();
    HKEY hToolbars = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, OpenRegPath(HKEY_CURRENT_USER, root + "\\Toolbars", KEY_ALL_ACCESS, &hToolbars));
    ::RegDeleteTreeA(hToolbars, "Toolbar0");
    ::RegDeleteKeyA(hToolbars, "Toolbar0");
    ::RegCloseKey(hToolbars);

    const std::set<std::string> kept = KeptFiles();
    EXPECT_EQ(0, LoadBarLayout(&m_frame, nullptr, nullptr));
    const std::string copy = NewKeptFile(kept);
    EXPECT_FALSE(copy.empty());
    HKEY hRoot = nullptr;
    EXPECT_NE(ERROR_SUCCESS, OpenRegPath(HKEY_CURRENT_USER, root, KEY_READ, &hRoot));
    if (hRoot)
        ::RegCloseKey(hRoot);
    ::DeleteFileA(copy.c_str());
}

// A save removes the picture files its old keys name only from the library's own
// picture folder: a damaged key naming any other file leaves that file alone.
TEST_F(BarLayout, ASaveRemovesOnlyItsOwnPictureFiles)
{
    JToolBar* pBar = DockedBar("Tools", {kOpen, kSave});
    ASSERT_EQ(1, SaveBarLayout(&m_frame, nullptr, nullptr));
    const std::string own = ProgramFolder() + "\\CustBmps";
    ::CreateDirectoryA(own.c_str(), nullptr);
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string files[] = {own + "\\iCmd40001.tmp", std::string(temp) + "drawing.dwg", own + "\\..\\drawing.dwg"};
    HKEY hKey = CreateKey(Root() + "\\Toolbars\\Toolbar0");
    for (int n = 0; n < 3; ++n) {
        ::CloseHandle(::CreateFileA(files[n].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const std::string name = "CustomBitmapFile" + std::to_string(n);
        ::RegSetValueExA(hKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(files[n].c_str()),
                         (DWORD)files[n].size() + 1);
    }
    ::RegCloseKey(hKey);
    EXPECT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(files[0].c_str()));
    for (const std::string& file : {files[1], files[2]}) {
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(file.c_str())) << file;
        ::DeleteFileA(file.c_str());
    }
    // A picture's file is rewritten in place by every save: the commit of the next keeps it.
    HBITMAP hPicture = ::CreateBitmap(16, 15, 1, 32, nullptr);
    pBar->SetPicture(1, hPicture);
    ::DeleteObject(hPicture);
    const std::string picture = own + "\\iCmd" + std::to_string(kSave) + ".tmp";
    for (int save = 0; save < 2; ++save)
        EXPECT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(picture.c_str()));
    pBar->SetPicture(1, nullptr);
}

// Without picture files in the picture folder no toolbar key is asked which files
// it names: the reads of a save do not grow with its toolbars.
TEST_F(BarLayout, ASaveWithoutPictureFilesReadsNoKeyPerToolbar)
{
    if (HoldsAnyFile(ProgramFolder() + "\\CustBmps"))
        GTEST_SKIP() << "the picture folder holds files";
    constexpr int kBars = 10;
    for (int n = 0; n < kBars; ++n)
        DockedBar(("Bar " + std::to_string(n)).c_str(), {kOpen, kSave});
    ASSERT_EQ(kBars, ForceSaveBarLayout(&m_frame, nullptr, nullptr));   // the old layout, replaced next
    g_realQueryValue = reinterpret_cast<decltype(g_realQueryValue)>(registry_cut::PointImport(
        ::GetModuleHandleA(nullptr), "RegQueryValueExA", reinterpret_cast<void*>(&CountedRegQueryValueExA)));
    ASSERT_NE(nullptr, g_realQueryValue);
    g_nReads = 0;
    const int saved = ForceSaveBarLayout(&m_frame, nullptr, nullptr);
    registry_cut::PointImport(::GetModuleHandleA(nullptr), "RegQueryValueExA",
                              reinterpret_cast<void*>(g_realQueryValue));
    EXPECT_EQ(kBars, saved);
    EXPECT_LT(g_nReads, kBars);
    DestroyBars();
    EXPECT_EQ(kBars, LoadBarLayout(&m_frame, nullptr, nullptr));
}

// Keeping a copy drops the oldest of its own name beyond the last few, and none
// of a name that begins with it ("Draft 2" for "Draft").
TEST_F(BarLayout, KeepingACopyPrunesTheOldestOfItsOwnNameOnly)
{
    const std::string folder = kept_copy::Folder();
    std::vector<std::string> files;   // by twos: "Draft", then "Draft 2"
    for (int n = 0; n < kept_copy::kCopiesKept; ++n)
        for (const char* label : {"Draft", "Draft 2"}) {
            files.push_back(folder + "\\" + label + " 2020-01-0" + std::to_string(n + 1) + " 000000.000.reg");
            ::CloseHandle(::CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    DockedBar("A", {kOpen});
    ASSERT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    const std::string copy = kept_copy::KeepTree(Root(), "Draft");
    EXPECT_FALSE(copy.empty());
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(i != 0, ::GetFileAttributesA(files[i].c_str()) != INVALID_FILE_ATTRIBUTES) << files[i];
        ::DeleteFileA(files[i].c_str());
    }
    ::DeleteFileA(copy.c_str());
}

// Long names alike in their first 64 characters keep copies of their own: keeping
// more of one does not prune the other's.
TEST_F(BarLayout, LongNamesAlikeAtTheStartKeepCopiesApart)
{
    DockedBar("A", {kOpen});
    ASSERT_EQ(1, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    const std::string stem(64, 'E');
    std::vector<std::string> copies;
    for (int n = 0; n <= kept_copy::kCopiesKept; ++n)
        copies.push_back(kept_copy::KeepTree(Root(), (stem + (n ? " 2" : " 1")).c_str()));
    EXPECT_NE(copies[0], copies[1]);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(copies[0].c_str())) << "pruned by another name";
    for (const std::string& copy : copies)
        ::DeleteFileA(copy.c_str());
}

}   // namespace
