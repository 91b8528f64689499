// The demo host's application objects: the application information and version text read through
// appcore.dll, the macro command provider, and the prompt and tip of each of its commands.
#include "appcore.h"
#include "appinfo.h"
#include "commands.h"
#include "macrocommands.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>

namespace {

TEST(DraftAppInfo, IsHandedOutByAppCoreForBothInterfacesWithItsVersionTextCutToTheBuffer)
{
    auto* pApp = new CDraftAppInfo;
    AppCoreSetApplicationObject(static_cast<JAppInfo*>(pApp));

    JAppInfo* pInfo = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IJAppInfo, reinterpret_cast<void**>(&pInfo)));
    EXPECT_STREQ(testing_support::ProgramFolder().c_str(), pInfo->GetApplicationPath());   // no trailing backslash

    IJAppVersion* pVersion = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IJAppVersion, reinterpret_cast<void**>(&pVersion)));

    // One object: the identities agree.
    IUnknown *pFromInfo = nullptr, *pFromVersion = nullptr;
    ASSERT_EQ(S_OK, pInfo->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pFromInfo)));
    ASSERT_EQ(S_OK, pVersion->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pFromVersion)));
    EXPECT_EQ(pFromInfo, pFromVersion);
    pFromVersion->Release();

    // Menus take part in a switch of environments: the same object answers.
    IUnknown* pMenus = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IJAppMenus, reinterpret_cast<void**>(&pMenus)));
    IUnknown* pFromMenus = nullptr;
    ASSERT_EQ(S_OK, pMenus->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pFromMenus)));
    EXPECT_EQ(pFromInfo, pFromMenus);
    pFromMenus->Release();
    pMenus->Release();
    pFromInfo->Release();

    // The version text respects the buffer: cut and ended, or whole in one of its exact size.
    char text[64];
    memset(text, 'x', sizeof text);
    EXPECT_TRUE(FAILED(pVersion->GetVersionText(text, 6)));
    EXPECT_STREQ("Draft", text);
    EXPECT_EQ('x', text[6]);
    EXPECT_EQ(E_INVALIDARG, pVersion->GetVersionText(text, 0));
    EXPECT_EQ(E_POINTER, pVersion->GetVersionText(nullptr, 10));
    EXPECT_EQ(S_OK, pVersion->GetVersionText(text, 15));
    EXPECT_STREQ("Draft Host 1.0", text);
    pVersion->Release();
    pInfo->Release();
    AppCoreSetApplicationObject(nullptr);
    EXPECT_EQ(0u, pApp->Release()) << "a reference was leaked";
}

// An add-in's toolbar, asked of appcore's automation object, reaches the frame's maker.
TEST(DraftAppInfo, ToolbarsAskedThroughTheAutomationObjectGoToTheFramesMaker)
{
    auto* pApp = new CDraftAppInfo;
    AppCoreSetApplicationObject(static_cast<JAppInfo*>(pApp));
    IDispatch* pApplication = nullptr;
    ASSERT_EQ(S_OK, AppGetApplicationObject(IID_IDispatch, reinterpret_cast<void**>(&pApplication)));
    const auto addToolbar = [&](VARIANT* pResult) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(L"AddToolbar")};
        DISPID id = DISPID_UNKNOWN;
        pApplication->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
        VARIANT arguments[2];   // last first
        arguments[0].vt = arguments[1].vt = VT_BSTR;
        arguments[0].bstrVal = ::SysAllocString(L"33001,0,33002");
        arguments[1].bstrVal = ::SysAllocString(L"Draw");
        DISPPARAMS params = {arguments, nullptr, 2, 0};
        ::VariantInit(pResult);
        const HRESULT hr = pApplication->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, pResult, nullptr, nullptr);
        ::VariantClear(&arguments[0]);
        ::VariantClear(&arguments[1]);
        return hr;
    };
    VARIANT result;
    EXPECT_EQ(E_UNEXPECTED, addToolbar(&result));   // no frame yet

    std::string made;
    pApp->SetToolbarMaker(
        [&](const char* name, const std::vector<UINT>& ids, UINT* pnBarID) {
            made = name + std::string(":") + std::to_string(ids.size());
            *pnBarID = 0xE841;
            return S_OK;
        },
        [](const char*) { return S_FALSE; });
    EXPECT_EQ(S_OK, addToolbar(&result));
    EXPECT_EQ("Draw:3", made);
    EXPECT_EQ(0xE841, result.lVal);
    pApp->SetToolbarMaker(nullptr, nullptr);
    pApplication->Release();
    AppCoreSetApplicationObject(nullptr);
    EXPECT_EQ(0u, pApp->Release()) << "a reference was leaked";
}

TEST(DraftMacroCommands, CommandsTakeIDsInTurnAndKeepTheirTextsCutToTheBuffer)
{
    CDraftMacroCommands commands;
    IJDynamicCommand& provider = commands;
    UINT first = 0, second = 0, again = 0;
    ASSERT_EQ(0, provider.AddMacroCommand(&first, "C:\\Macros\\hatch.jmac", "Old\nOld tip", 0, "Old"));
    const JMacroCommandEntry* pEntry = provider.GetEntry(0);
    // The same macro keeps its command and entry and takes the new texts, also named in
    // another case (the customize dialog names macro files in a lower-case folder).
    ASSERT_EQ(0, provider.AddMacroCommand(&again, "c:\\macros\\hatch.jmac", "Pick a boundary\nHatch", 0, "Hatch"));
    ASSERT_EQ(0, provider.AddMacroCommand(&second, "Macro.dimension", "Pick two points", 3, "Dimension"));
    EXPECT_EQ(static_cast<UINT>(JMACRO_FIRST_ID), first);
    EXPECT_EQ(first, again);
    EXPECT_EQ(first + 1, second);
    EXPECT_EQ(pEntry, provider.GetEntry(provider.FindCommand(first)));
    EXPECT_STREQ("Hatch", pEntry->szName);
    EXPECT_EQ(second, provider.GetEntry(provider.FindCommand(second))->nCommandID);

    // Text, length and size of each answer; without a newline the whole string is the prompt.
    using Getter = int (IJDynamicCommand::*)(UINT, char*, int);
    const struct {
        Getter get;
        UINT nID;
        int size;
        int length;
        const char* text;
    } answers[] = {
        {&IJDynamicCommand::GetMacroText, first, 64, 20, "C:\\Macros\\hatch.jmac"},
        {&IJDynamicCommand::GetStatusPrompt, first, 64, 15, "Pick a boundary"},
        {&IJDynamicCommand::GetToolTip, first, 64, 5, "Hatch"},
        {&IJDynamicCommand::GetToolTip, second, 64, 0, ""},
        {&IJDynamicCommand::GetStatusPrompt, second, 64, 15, "Pick two points"},
        {&IJDynamicCommand::GetStatusPrompt, first, 5, 4, "Pick"},
        {&IJDynamicCommand::GetToolTip, 42000, 64, 0, "unchanged"},
        {&IJDynamicCommand::GetMacroText, first, 0, 0, "unchanged"},
    };
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.text);
        char text[64] = "unchanged";
        EXPECT_EQ(answer.length, (provider.*answer.get)(answer.nID, text, answer.size));
        EXPECT_STREQ(answer.text, text);
    }
    EXPECT_GT(0, provider.FindCommand(42000));
    EXPECT_EQ(nullptr, provider.GetEntry(-1));
    EXPECT_EQ(nullptr, provider.GetEntry(2));
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

    // The range of IDs ends; a known macro still finds its command.
    char macro[32];
    for (UINT expected = JMACRO_FIRST_ID + 2; expected <= JMACRO_LAST_ID; ++expected) {
        sprintf(macro, "Macro.m%u", expected);
        ASSERT_EQ(0, commands.AddMacroCommand(&id, macro, "", 0, "")) << expected;
        ASSERT_EQ(expected, id);
    }
    id = 0;
    EXPECT_NE(0, commands.AddMacroCommand(&id, "Macro.onetoomany", "", 0, ""));
    EXPECT_EQ(0u, id);
    EXPECT_EQ(0, commands.AddMacroCommand(&id, "Macro.unnamed", "", 0, ""));
    EXPECT_EQ(static_cast<UINT>(JMACRO_FIRST_ID + 1), id);
}

TEST(DemoCommands, EachHasAStatusPromptAndATipNamedAfterIt)
{
    // The strings live in the program, where the frame and the toolbars look for them.
    HMODULE hDemo = ::LoadLibraryExA((testing_support::ProgramFolder() + "\\drafthost.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hDemo);
    for (const DemoCategory& category : DemoCategories())
        for (const DemoCommand& command : category.commands) {
            if (!command.nID)
                continue;
            char text[256] = "";
            ::LoadStringA(hDemo, command.nID, text, sizeof text);
            const char* tip = strchr(text, '\n');
            ASSERT_NE(nullptr, tip) << command.name;
            EXPECT_GT(tip - text, 10) << command.name;
            EXPECT_STREQ(command.name, tip + 1);
        }
    ::FreeLibrary(hDemo);
}

}   // namespace
