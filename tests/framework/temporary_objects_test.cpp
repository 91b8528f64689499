// Temporary wrappers of GDI objects and menus made inside a long modal loop: they live until the
// thread's own loop goes idle, yet those of objects deleted meanwhile do not pile up.
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

struct TemporaryKind {
    const char* name;
    std::function<void*()> makeAndWrap;   // a new object, wrapped once, then deleted; returns the wrapper
    std::function<void*()> wrapLive;      // the wrapper of an object that stays alive
    size_t (*count)();
};

HBRUSH LiveBrush()
{
    return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
}

HMENU LiveMenu()
{
    static const HMENU hMenu = ::CreatePopupMenu();
    return hMenu;
}

const TemporaryKind kKinds[] = {
    {"brushes",
     [] {
         HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
         void* pWrapper = CBrush::FromHandle(hBrush);
         ::DeleteObject(hBrush);
         return pWrapper;
     },
     [] { return static_cast<void*>(CBrush::FromHandle(LiveBrush())); }, &CGdiObject::GetTempMapCount},
    {"menus",
     [] {
         HMENU hMenu = ::CreatePopupMenu();
         void* pWrapper = CMenu::FromHandle(hMenu);
         ::DestroyMenu(hMenu);
         return pWrapper;
     },
     [] { return static_cast<void*>(CMenu::FromHandle(LiveMenu())); }, &CMenu::GetTempMapCount},
};

class TemporaryObjects : public ::testing::TestWithParam<TemporaryKind> {};

TEST_P(TemporaryObjects, DeletedOnesDoNotPileUpInAModalLoopAndAllGoAtIdleTimeAfterIt)
{
    const TemporaryKind& kind = GetParam();
    CWnd::DeleteTempMap();
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "modal", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    size_t inLoop = 0;
    bool sameLiveWrapper = false;
    {
        testing_support::ScriptedInput script;
        script.Then(
            [&] {
                void* pLive = kind.wrapLive();
                for (int i = 0; i < 3000; ++i)
                    kind.makeAndWrap();
                inLoop = kind.count();
                // The wrapper of a live object is the one a caller may still hold.
                sameLiveWrapper = kind.wrapLive() == pLive;
                window.EndModalLoop(IDOK);
                return true;
            },
            "wrap objects in the loop");
        EXPECT_EQ(window.RunModalLoop(0), IDOK);
    }
    EXPECT_LT(inLoop, 600u) << kind.name;
    EXPECT_TRUE(sameLiveWrapper) << kind.name;
    // The loop is over: the thread's idle time frees every temporary.
    AfxGetThread()->OnIdle(1);
    EXPECT_EQ(kind.count(), 0u) << kind.name;
    window.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Kinds, TemporaryObjects, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

}   // namespace
