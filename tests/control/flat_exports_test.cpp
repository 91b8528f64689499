// The flat exports as a host calls them: neutral results before the manager
// exists, settings, bearings, bar IDs, menus and context help.
#include "appcore.h"
#include "control_fixture.h"
#include "jbars.h"
#include "tsprefscontexthelp.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using FlatExports = ControlLibrary;

TEST_F(FlatExports, BeforeTheManagerExistsEverythingIsNeutral)
{
    EXPECT_EQ(nullptr, JGetEnvironmentManager());
    EXPECT_EQ(nullptr, GetJControlInfo());
    EXPECT_EQ(1, UsingColorButtons());
    EXPECT_EQ(0, UsingLargeButtons());
    EXPECT_EQ(0, UsingFlatButtons());
    EXPECT_EQ(0, UsingToolTips());
    EXPECT_EQ(0u, GetTransparentColorForToolbars());
    EXPECT_EQ(-1, JGetCommandState(5, nullptr, nullptr));
    const UINT ids[] = {1, 2};
    AddCategory("Draw", 1, 2, 3, 4, ids, 2, nullptr, nullptr);
    AddCategory(nullptr, 1, 2, 3, 4, nullptr, -4, nullptr, nullptr);
    RemoveCategory("Draw");
    RemoveCategory(nullptr);
    RemoveAllCategories();
    SetLargeButtons(1);
    SetToolTips(1);
    JSetCommandState(5, 1, 1);
    JSetCustomizeMode(nullptr, nullptr);
    SetCustomEnvironment("Nowhere");
    SetCustomUserKey("Nowhere");
    InitializeRegistryKeys("Nowhere", "Nowhere", nullptr);
    FillMaskColor(0, 0, nullptr, nullptr);
    EXPECT_EQ(nullptr, JGetEnvironmentManager());
    EXPECT_EQ(0, JRemoveCommandFromMenus(1, nullptr));   // no frame
    EXPECT_EQ(0, ReplaceMainMenu(nullptr, nullptr));
    POINT point{10, 10};
    EXPECT_EQ(0, DisplayToolbarMenu(&point));
    EXPECT_EQ(0u, AddMacroCommand(nullptr, nullptr));
}

TEST_F(FlatExports, SettingsReadBeforeAnyAreStoredShowTheirMarker)
{
    ASSERT_NE(nullptr, CreateManager());
    EXPECT_EQ(-1, UsingLargeButtons());
    EXPECT_EQ(1, UsingColorButtons());
    SetLargeButtons(1);
    EXPECT_EQ(1, UsingLargeButtons());
}

TEST_F(FlatExports, BearingSettingsKeepInvalidPartsAsTheyWere)
{
    // {on, mode, axis, sense} given, then as kept; mode 2 and axis 4 are no such things.
    const struct {
        int in[4], result, out[4];
    } steps[] = {{{1, 2, 1, 0}, 0, {1, 1, 1, 0}}, {{0, 1, 4, 1}, 0, {0, 1, 1, 1}}};
    int got[4] = {-1, -1, -1, -1};
    GetBearingInfo(&got[0], &got[1], &got[2], &got[3]);
    EXPECT_EQ((std::vector<int>{0, 1, 0, 0}), std::vector<int>(got, got + 4));
    for (const auto& step : steps) {
        EXPECT_EQ(step.result, SetBearingInfo(step.in[0], step.in[1], step.in[2], step.in[3]));
        GetBearingInfo(&got[0], &got[1], &got[2], &got[3]);
        EXPECT_EQ(std::vector<int>(step.out, step.out + 4), std::vector<int>(got, got + 4));
    }
    EXPECT_EQ(1, SetBearingInfo(7, 0, 3, 1));
    GetBearingInfo(nullptr, nullptr, nullptr, nullptr);
    GetBearingInfo(&got[0], nullptr, nullptr, nullptr);
    EXPECT_EQ(1, got[0]);
}

TEST(ContextHelp, SourceAndHelpFileAreSharedByAllObjects)
{
    TsPrefsContextHelp writer, reader;
    auto source = [&] {
        long source = -1;
        reader.GetSourceOfHelpContextId(&source);
        return source;
    };
    auto file = [](TsPrefsContextHelp& help) {
        char* file = nullptr;
        help.GetHelpFile(&file);
        return file ? std::string(file) : std::string("(none)");
    };
    EXPECT_EQ(0, writer.SetHelpFile("bars.chm"));
    EXPECT_EQ(0, writer.SetSourceOfHelpContextId(2));
    EXPECT_EQ("bars.chm", file(reader));
    EXPECT_EQ(2, source());
    for (long invalid : {3L, -1L}) {
        writer.SetSourceOfHelpContextId(invalid);
        EXPECT_EQ(0, source()) << invalid;
    }
    writer.SetHelpFile(nullptr);
    EXPECT_EQ("(none)", file(reader));
    writer.SetHelpFile("x.chm");
    EXPECT_EQ(0, reader.ClearMemory());
    EXPECT_EQ("(none)", file(writer));
}

TEST_F(FlatExports, RegisteredMessagesAreTheHostsToo)
{
    EXPECT_EQ(::RegisterWindowMessageA("JLOADADDINS"), JM_LOADADDINS);
    EXPECT_EQ(::RegisterWindowMessageA("JUNLOADRIBBONBAR"), JM_UNLOADRIBBONBAR);
    EXPECT_NE(JM_LOADTOOLBARFROMDLL, JM_UNLOADTOOLBARFROMDLL);
}

TEST_F(FlatExports, InPlaceFramesAreToldToTheEngine)
{
    CFrameWnd* pMain = new CFrameWnd;
    ASSERT_TRUE(pMain->Create(nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    CFrameWnd* pInPlace = new CFrameWnd;
    ASSERT_TRUE(pInPlace->Create(nullptr, "in place", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    AfxGetApp()->m_pMainWnd = pMain;
    AppCoreResetRecord();

    EXPECT_EQ(pMain, GetInPlaceFrame());   // the frame of the call
    EXPECT_EQ(0, IsInPlaceActivated());
    SetInPlaceFrame(pInPlace, nullptr, pMain);   // before the manager: kept process-wide
    EXPECT_EQ(pInPlace, GetInPlaceFrame());
    EXPECT_EQ(pMain, GetClientInPlaceFrame());
    EXPECT_EQ(1, IsInPlaceActivated());
    AppCoreRecord record{};
    AppCoreGetRecord(&record);
    EXPECT_EQ(pInPlace->m_hWnd, record.hWndInPlace);
    EXPECT_EQ(pMain->m_hWnd, record.hWndClient);
    EXPECT_EQ(1, record.nInPlaceRegistered);
    SetInPlaceFrame(nullptr, nullptr, nullptr);
    EXPECT_EQ(pMain, GetInPlaceFrame());
    AppCoreGetRecord(&record);
    EXPECT_EQ(1, record.nInPlaceRegistered);   // not called without a frame
    AfxGetApp()->m_pMainWnd = nullptr;
    pInPlace->DestroyWindow();
    pMain->DestroyWindow();
}

}   // namespace
