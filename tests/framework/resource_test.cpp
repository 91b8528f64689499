// Finding the module that holds a resource, switching the resource module, and the
// framework's message box.
#include "cntlrc.h"
#include "frame_helpers.h"

#include <gtest/gtest.h>

using testing_support::ScriptedInput;

namespace {

// Every system module carries a version resource; the test program has none.
const LPCSTR kVersion = MAKEINTRESOURCEA(1);
const LPCSTR kVersionType = MAKEINTRESOURCEA(16);   // RT_VERSION

TEST(ResourceHandle, SearchOrderIsCurrentThenExtensionsNewestFirstThenApplication)
{
    const HINSTANCE hApp = AfxGetInstanceHandle();
    const HINSTANCE hUser = ::GetModuleHandleA("user32.dll");
    const HINSTANCE hGdi = ::GetModuleHandleA("gdi32.dll");
    const HINSTANCE hKernel = ::GetModuleHandleA("kernel32.dll");
    ASSERT_EQ(nullptr, ::FindResourceA(hApp, kVersion, kVersionType));
    for (HINSTANCE hModule : {hUser, hGdi, hKernel})
        ASSERT_NE(nullptr, ::FindResourceA(hModule, kVersion, kVersionType));
    EXPECT_EQ(nullptr, AfxFindResourceHandle(kVersion, kVersionType));
    AfxAddResourceModule(hUser);
    EXPECT_EQ(hUser, AfxFindResourceHandle(kVersion, kVersionType));
    AfxAddResourceModule(hGdi);
    EXPECT_EQ(hGdi, AfxFindResourceHandle(kVersion, kVersionType));
    {
        CResourceSwitch use(hKernel);
        EXPECT_EQ(hKernel, AfxFindResourceHandle(kVersion, kVersionType));
    }
    AfxAddResourceModule(hUser);   // added again: newest now
    EXPECT_EQ(hUser, AfxFindResourceHandle(kVersion, kVersionType));
    AfxRemoveResourceModule(hUser);
    EXPECT_EQ(hGdi, AfxFindResourceHandle(kVersion, kVersionType));
    AfxRemoveResourceModule(hGdi);
    EXPECT_EQ(nullptr, AfxFindResourceHandle(kVersion, kVersionType));
    // Named resources of the library's module are found through a registered module.
    const HINSTANCE hLibrary = frame_tests::LibraryResources();
    ASSERT_NE(nullptr, hLibrary);
    const LPCSTR kMenuType = MAKEINTRESOURCEA(4);   // RT_MENU
    EXPECT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCEA(IDR_FRAMEWORK_PROBE), kMenuType));
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(IDR_FRAMEWORK_PROBE));   // not in the application
    AfxAddResourceModule(hLibrary);
    EXPECT_EQ(hLibrary, AfxFindResourceHandle(MAKEINTRESOURCEA(IDR_FRAMEWORK_PROBE), kMenuType));
    ASSERT_TRUE(menu.LoadMenu(IDR_FRAMEWORK_PROBE));
    EXPECT_EQ((UINT)ID_PROBE_OPEN, menu.GetSubMenu(0)->GetMenuItemID(0));
    AfxRemoveResourceModule(hLibrary);
}

TEST(ResourceHandle, NestedSwitchesRestoreInOrder)
{
    const HINSTANCE hApp = AfxGetResourceHandle();
    const HINSTANCE hUser = ::GetModuleHandleA("user32.dll");
    const HINSTANCE hGdi = ::GetModuleHandleA("gdi32.dll");
    {
        CResourceSwitch outer(hUser);
        EXPECT_EQ(hUser, AfxGetResourceHandle());
        {
            CResourceSwitch inner(hGdi);
            EXPECT_EQ(hGdi, AfxGetResourceHandle());
            {
                CResourceSwitch keep(nullptr);   // NULL keeps the current module
                EXPECT_EQ(hGdi, AfxGetResourceHandle());
            }
            EXPECT_EQ(hGdi, AfxGetResourceHandle());
        }
        EXPECT_EQ(hUser, AfxGetResourceHandle());
    }
    EXPECT_EQ(hApp, AfxGetResourceHandle());
}

TEST(FrameworkMessageBox, ShowsTheTextUnderTheApplicationNameAndReturnsTheAnswer)
{
    auto box = [] { return testing_support::FindDialogWindow(AfxGetApp()->m_pszAppName); };
    CString shown;
    {
        ScriptedInput script;
        frame_tests::ReadAndAnswer(script, box, IDCANCEL, shown);
        EXPECT_EQ(IDCANCEL, AfxMessageBox("Close the drawing?", MB_OKCANCEL));
    }
    EXPECT_STREQ("Close the drawing?", shown);
    {
        CResourceSwitch use(frame_tests::LibraryResources());
        ScriptedInput script;
        frame_tests::ReadAndAnswer(script, box, IDOK, shown);
        EXPECT_EQ(IDOK, AfxMessageBox(IDS_REGKEY_CREATE_FAILED));
    }
    EXPECT_STREQ("Your settings could not be saved because a registry key could not be created.", shown);
    {
        ScriptedInput script;
        frame_tests::ReadAndAnswer(script, box, IDOK, shown);
        AfxMessageBox(IDS_REGKEY_CREATE_FAILED);   // not in the application's own resources
    }
    EXPECT_STREQ("(missing text 204)", shown);
}

}   // namespace
