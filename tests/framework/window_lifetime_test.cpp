// Who owns what when windows come and go: self-deleting objects, frames,
// temporary wrappers and failed creation.
#include "testsupport.h"

#include <gtest/gtest.h>

using testing_support::PumpMessages;

namespace {

struct Tracker {
    int destroyed = 0;      // WM_DESTROY seen
    int ncDestroyed = 0;    // PostNcDestroy calls
    int deleted = 0;        // destructor calls
};

class CSelfDeleting : public CWnd {
public:
    explicit CSelfDeleting(Tracker& t, bool failCreate = false) : m_t(t), m_failCreate(failCreate) {}
    ~CSelfDeleting() override { ++m_t.deleted; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return m_failCreate ? -1 : 0; }
    afx_msg void OnDestroy() { ++m_t.destroyed; CWnd::OnDestroy(); }
    void PostNcDestroy() override
    {
        ++m_t.ncDestroyed;
        EXPECT_EQ(nullptr, m_hWnd);   // already detached
        delete this;
    }
    DECLARE_MESSAGE_MAP()

private:
    Tracker& m_t;
    bool m_failCreate;
};

BEGIN_MESSAGE_MAP(CSelfDeleting, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST(WindowLifetime, ObjectDeletesItselfAfterNcDestroy)
{
    Tracker t;
    auto* pWnd = new CSelfDeleting(t);
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    const HWND hWnd = pWnd->m_hWnd;

    ::DestroyWindow(hWnd);
    EXPECT_EQ(1, t.destroyed);
    EXPECT_EQ(1, t.ncDestroyed);
    EXPECT_EQ(1, t.deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WindowLifetime, ChildrenOfADestroyedParentCleanUpToo)
{
    Tracker parentTrack, childTrack;
    auto* pParent = new CSelfDeleting(parentTrack);
    ASSERT_TRUE(pParent->CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    auto* pChild = new CSelfDeleting(childTrack);
    ASSERT_TRUE(pChild->Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 10, 10), pParent, 5));

    pParent->DestroyWindow();
    EXPECT_EQ(1, parentTrack.deleted);
    EXPECT_EQ(1, childTrack.deleted);
}

TEST(WindowLifetime, FailedCreationCleansUpOnce)
{
    Tracker t;
    auto* pWnd = new CSelfDeleting(t, /*failCreate=*/true);
    EXPECT_FALSE(pWnd->CreateEx(0, nullptr, "fails", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(1, t.ncDestroyed);
    EXPECT_EQ(1, t.deleted);
}

TEST(WindowLifetime, DestroyingTheObjectDestroysItsWindow)
{
    HWND hWnd = nullptr;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "scoped", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

class CTrackedFrame : public CFrameWnd {
public:
    explicit CTrackedFrame(Tracker& t) : m_t(t) {}
    ~CTrackedFrame() override { ++m_t.deleted; }

private:
    Tracker& m_t;
};

TEST(WindowLifetime, ClosingTheMainFrameDeletesItAndEndsTheLoop)
{
    Tracker t;
    auto* pFrame = new CTrackedFrame(t);
    ASSERT_TRUE(pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CWinApp* pApp = AfxGetApp();
    ASSERT_NE(nullptr, pApp);
    pApp->m_pMainWnd = pFrame;
    EXPECT_EQ(pFrame, pFrame->GetTopLevelFrame());

    pFrame->PostMessage(WM_CLOSE);
    MSG msg;
    bool quit = false;
    while (!quit && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        quit = msg.message == WM_QUIT;
        ::DispatchMessageA(&msg);
    }
    EXPECT_TRUE(quit);
    EXPECT_EQ(1, t.deleted);
    EXPECT_EQ(nullptr, pApp->m_pMainWnd);
}

TEST(WindowLifetime, TemporaryWrappersForForeignWindows)
{
    // A window the framework did not create gets a temporary object, the
    // same one until idle time, and never a permanent entry.
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(hWnd));   // the wrapper never owned the window
    ::DestroyWindow(hWnd);
}

TEST(WindowLifetime, ParentFramesAreFoundThroughChildWindows)
{
    auto* pOuter = new CFrameWnd;
    ASSERT_TRUE(pOuter->Create(nullptr, "Outer", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    auto* pInner = new CFrameWnd;
    ASSERT_TRUE(pInner->Create(nullptr, "Inner", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), pOuter));
    CWnd leaf;
    ASSERT_TRUE(leaf.Create(nullptr, "leaf", WS_VISIBLE, CRect(0, 0, 10, 10), pInner, 9));

    EXPECT_EQ(pInner, leaf.GetParentFrame());
    EXPECT_EQ(pOuter, leaf.GetTopLevelFrame());
    EXPECT_EQ(pOuter, leaf.GetTopLevelParent());
    leaf.DestroyWindow();
    pOuter->DestroyWindow();
}

} // namespace
