// Start-up and shut-down of the library's module, linked into this program: the resource
// module is attached as data and released again.
#include "baseutil.h"
#include "cntlrc.h"
#include "module.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

// Whether the page at the resource module's base is still mapped.
bool IsMapped(HINSTANCE hModule)
{
    MEMORY_BASIC_INFORMATION info{};
    const auto base = reinterpret_cast<const void*>(reinterpret_cast<ULONG_PTR>(hModule) & ~(ULONG_PTR)3);
    return ::VirtualQuery(base, &info, sizeof info) == sizeof info && info.State != MEM_FREE;
}

// The second round starts again after a shut-down.
TEST(ControlModuleLifetime, StartUpAttachesTheResourcesAsDataAndShutDownReleasesThem)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const HINSTANCE hProgram = ::GetModuleHandleA(nullptr);
        ControlAttachProcess(hProgram);
        EXPECT_EQ(hProgram, ControlModule());
        const HINSTANCE hResources = ControlResources();
        ASSERT_NE(nullptr, hResources) << "cntlrc.drx must lie beside the test program";

        // Mapped as data, the module is unknown to the loader, so none of its code can run.
        EXPECT_EQ(nullptr, ::GetModuleHandleA("cntlrc.drx"));
        GUserText text;
        EXPECT_TRUE(text.LoadString(hResources, IDS_REGKEY_CREATE_FAILED));
        EXPECT_NE(-1, text.Text().Find("registry key"));
        EXPECT_NE(nullptr, ::FindResourceA(hResources, MAKEINTRESOURCEA(IDS_REGKEY_CREATE_FAILED / 16 + 1), RT_STRING));
        EXPECT_TRUE(IsMapped(hResources));

        ControlDetachProcess();
        EXPECT_EQ(nullptr, ControlResources());
        EXPECT_EQ(nullptr, ControlModule());
        EXPECT_FALSE(IsMapped(hResources));
    }
}

}   // namespace
