// The demo host's application objects: the application information and version
// text the library reads through appcore.dll, and the macro command provider.
#include "appcore.h"
#include "appinfo.h"
#include "macrocommands.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CString ProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\'));
}

class DraftAppInfo : public ::testing::Test {
protected:
    void SetUp() override { m_pInfo = new CDraftAppInfo; }
    void TearDown() override
    {
        AppCoreSetApplicationObject(nullptr);
        EXPECT_EQ(0u, m_pInfo->Release()) << "a reference was leaked";
    }

    CDraftAppInfo* m_pInfo = nullptr;
};

TEST_F(DraftAppInfo, AnswersTheHostsSettings)
{
    JAppInfo* pInfo = m_pInfo;
    EXPECT_STREQ("Draft Host", pInfo->GetMessageCaption());
    EXPECT_STREQ("Drafting", pInfo->GetDefaultEnvironmentName());
    EXPECT_STREQ("Software\\CONTROL Demo\\Draft Host", pInfo->GetRegistryBasePath());
    EXPECT_STREQ("Software\\CONTROL Demo\\Draft Host\\Settings", pInfo->GetRegistryName());
    EXPECT_STREQ((LPCSTR)ProgramFolder(), pInfo->GetApplicationPath());
    EXPECT_STREQ("", pInfo->GetDefaultStartUpDll());
    EXPECT_NE(0, pInfo->GetMacroDirectoryValue());

    EXPECT_FALSE(pInfo->IsReady());
    m_pInfo->SetReady(TRUE);
    EXPECT_TRUE(pInfo->IsReady());
}

TEST_F(DraftAppInfo, RecordsTheLibrarysNotifications)
{
    JAppInfo* pInfo = m_pInfo;
    pInfo->OnApplicationPathChanged(GUserText("C:\\Draft"));
    pInfo->OnStartUpDllChanged(GUserText("{6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A01}"));
    pInfo->OnEnvironmentNameChanged(GUserText("Survey"));
    pInfo->OnEnvironmentNameChanged(GUserText("Drafting"));
    pInfo->OnFirstSwitch();
    pInfo->OnSecondSwitch();
    pInfo->OnSecondSwitch();

    const CDraftAppInfo::Notices& notices = m_pInfo->GetNotices();
    EXPECT_EQ(CString("C:\\Draft"), notices.applicationPath);
    EXPECT_EQ(CString("{6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A01}"), notices.startUpDll);
    EXPECT_EQ(CString("Drafting"), notices.environmentName);
    EXPECT_EQ(1, notices.nApplicationPathChanges);
    EXPECT_EQ(1, notices.nStartUpDllChanges);
    EXPECT_EQ(2, notices.nEnvironmentNameChanges);
    EXPECT_EQ(1, notices.nFirstSwitches);
    EXPECT_EQ(2, notices.nSecondSwitches);
}

TEST_F(DraftAppInfo, IsHandedOutByAppCoreForBothInterfaces)
{
    AppCoreSetApplicationObject(static_cast<JAppInfo*>(m_pInfo));

    JAppInfo* pInfo = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IJAppInfo, reinterpret_cast<void**>(&pInfo)));
    EXPECT_STREQ("Drafting", pInfo->GetDefaultEnvironmentName());

    IJAppVersion* pVersion = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IJAppVersion, reinterpret_cast<void**>(&pVersion)));
    char text[64] = "";
    EXPECT_EQ(S_OK, pVersion->GetVersionText(text, sizeof text));
    EXPECT_STREQ("Draft Host 1.0", text);

    // One object: the identities agree.
    IUnknown* pFromInfo = nullptr;
    IUnknown* pFromVersion = nullptr;
    ASSERT_EQ(S_OK, pInfo->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pFromInfo)));
    ASSERT_EQ(S_OK, pVersion->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pFromVersion)));
    EXPECT_EQ(pFromInfo, pFromVersion);
    pFromInfo->Release();
    pFromVersion->Release();

    void* pMenus = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(E_NOINTERFACE, AppGetApplicationObject(IID_IJAppMenus, &pMenus));
    EXPECT_EQ(nullptr, pMenus);
    pVersion->Release();
    pInfo->Release();
}

TEST_F(DraftAppInfo, VersionTextRespectsTheBuffer)
{
    IJAppVersion* pVersion = m_pInfo;
    char text[8];
    memset(text, 'x', sizeof text);
    EXPECT_TRUE(FAILED(pVersion->GetVersionText(text, 6)));
    EXPECT_STREQ("Draft", text);
    EXPECT_EQ('x', text[6]);
    EXPECT_EQ(E_INVALIDARG, pVersion->GetVersionText(text, 0));
    EXPECT_EQ(E_POINTER, pVersion->GetVersionText(nullptr, 10));
    char exact[15];
    EXPECT_EQ(S_OK, pVersion->GetVersionText(exact, sizeof exact));
    EXPECT_STREQ("Draft Host 1.0", exact);
}

TEST(DraftMacroCommands, CommandsTakeIDsInTurnAndKeepTheirTexts)
{
    CDraftMacroCommands commands;
    IJDynamicCommand& provider = commands;
    UINT first = 0, second = 0;
    ASSERT_EQ(0, provider.AddMacroCommand(&first, "C:\\Macros\\hatch.jmac", "Pick a boundary\nHatch", 0, "Hatch area"));
    ASSERT_EQ(0, provider.AddMacroCommand(&second, "Macro.dimension", "Pick two points", 3, "Dimension"));
    EXPECT_EQ(static_cast<UINT>(JMACRO_FIRST_ID), first);
    EXPECT_EQ(first + 1, second);

    const int index = provider.FindCommand(second);
    ASSERT_EQ(1, index);
    const JMacroCommandEntry* pEntry = provider.GetEntry(index);
    ASSERT_NE(nullptr, pEntry);
    EXPECT_EQ(second, pEntry->nCommandID);
    EXPECT_STREQ("Macro.dimension", pEntry->szMacro);
    EXPECT_STREQ("Dimension", pEntry->szName);

    char text[64] = "";
    EXPECT_EQ(20, provider.GetMacroText(first, text, sizeof text));
    EXPECT_STREQ("C:\\Macros\\hatch.jmac", text);
    EXPECT_EQ(15, provider.GetStatusPrompt(first, text, sizeof text));
    EXPECT_STREQ("Pick a boundary", text);
    EXPECT_EQ(5, provider.GetToolTip(first, text, sizeof text));
    EXPECT_STREQ("Hatch", text);
    // Without a newline the whole string is the prompt.
    EXPECT_EQ(0, provider.GetToolTip(second, text, sizeof text));
    EXPECT_STREQ("", text);
    EXPECT_EQ(15, provider.GetStatusPrompt(second, text, sizeof text));

    // Cut to the buffer; unknown commands give nothing.
    EXPECT_EQ(4, provider.GetStatusPrompt(first, text, 5));
    EXPECT_STREQ("Pick", text);
    strcpy(text, "unchanged");
    EXPECT_EQ(0, provider.GetToolTip(42000, text, sizeof text));
    EXPECT_EQ(0, provider.GetMacroText(first, text, 0));
    EXPECT_STREQ("unchanged", text);
    EXPECT_GT(0, provider.FindCommand(42000));
    EXPECT_EQ(nullptr, provider.GetEntry(-1));
    EXPECT_EQ(nullptr, provider.GetEntry(2));
}

TEST(DraftMacroCommands, TheSameMacroKeepsItsCommand)
{
    CDraftMacroCommands commands;
    UINT first = 0, again = 0;
    ASSERT_EQ(0, commands.AddMacroCommand(&first, "Macro.hatch", "Old\nOld tip", 0, "Old"));
    const JMacroCommandEntry* pEntry = commands.GetEntry(0);
    ASSERT_EQ(0, commands.AddMacroCommand(&again, "Macro.hatch", "New\nNew tip", 0, "New"));
    EXPECT_EQ(first, again);
    EXPECT_EQ(1, commands.GetCount());
    EXPECT_EQ(pEntry, commands.GetEntry(0));
    EXPECT_STREQ("New", pEntry->szName);
}

TEST(DraftMacroCommands, BadArgumentsAndLongTextsAreHandled)
{
    CDraftMacroCommands commands;
    UINT id = 0;
    EXPECT_NE(0, commands.AddMacroCommand(nullptr, "Macro.hatch", "", 0, ""));
    EXPECT_NE(0, commands.AddMacroCommand(&id, nullptr, "", 0, ""));
    EXPECT_NE(0, commands.AddMacroCommand(&id, "", "", 0, ""));
    EXPECT_EQ(0, commands.GetCount());

    const std::string longMacro(5000, 'm'), longName(500, 'n');
    ASSERT_EQ(0, commands.AddMacroCommand(&id, longMacro.c_str(), nullptr, 0, longName.c_str()));
    const JMacroCommandEntry* pEntry = commands.GetEntry(commands.FindCommand(id));
    ASSERT_NE(nullptr, pEntry);
    EXPECT_EQ(std::string(sizeof pEntry->szMacro - 1, 'm'), pEntry->szMacro);
    EXPECT_EQ(std::string(sizeof pEntry->szName - 1, 'n'), pEntry->szName);
    ASSERT_EQ(0, commands.AddMacroCommand(&id, "Macro.unnamed", "Prompt\nTip", 0, nullptr));
    EXPECT_STREQ("", commands.GetEntry(commands.FindCommand(id))->szName);
}

TEST(DraftMacroCommands, TheRangeOfIDsEnds)
{
    CDraftMacroCommands commands;
    UINT id = 0;
    char macro[32];
    for (UINT expected = JMACRO_FIRST_ID; expected <= JMACRO_LAST_ID; ++expected) {
        sprintf(macro, "Macro.m%u", expected);
        ASSERT_EQ(0, commands.AddMacroCommand(&id, macro, "", 0, "")) << expected;
        ASSERT_EQ(expected, id);
    }
    id = 0;
    EXPECT_NE(0, commands.AddMacroCommand(&id, "Macro.onetoomany", "", 0, ""));
    EXPECT_EQ(0u, id);
    // A known macro still finds its command.
    EXPECT_EQ(0, commands.AddMacroCommand(&id, "Macro.m42001", "", 0, ""));
    EXPECT_EQ(static_cast<UINT>(JMACRO_FIRST_ID), id);
}

}   // namespace
