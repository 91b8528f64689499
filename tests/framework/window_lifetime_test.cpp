// Who owns what when windows come and go: self-deleting objects, frames,
// temporary wrappers and failed creation.
#include "testsupport.h"

#include "baseutil.h"
#include "cntlrc.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>

using testing_support::PumpMessages;

namespace {

struct Tracker {
    int destroyed = 0;     // WM_DESTROY seen
    int ncDestroyed = 0;   // PostNcDestroy calls
    int deleted = 0;       // destructor calls
};

class CSelfDeleting : public CWnd {
public:
    explicit CSelfDeleting(Tracker& t, bool failCreate = false) : m_t(t), m_failCreate(failCreate) {}
    ~CSelfDeleting() override { ++m_t.deleted; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return m_failCreate ? -1 : 0; }
    afx_msg void OnDestroy()
    {
        ++m_t.destroyed;
        CWnd::OnDestroy();
    }
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

TEST(WindowLifetime, SelfDeletingObjectsGoOnceWithTheirWindowsAndTheirParents)
{
    Tracker t, parentTrack, childTrack, failed;
    auto* pWnd = new CSelfDeleting(t);
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    const HWND hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(1, t.destroyed);
    EXPECT_EQ(1, t.ncDestroyed);
    EXPECT_EQ(1, t.deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    // Children of a destroyed parent clean up too.
    auto* pParent = new CSelfDeleting(parentTrack);
    ASSERT_TRUE(pParent->CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    auto* pChild = new CSelfDeleting(childTrack);
    ASSERT_TRUE(pChild->Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 10, 10), pParent, 5));
    pParent->DestroyWindow();
    EXPECT_EQ(1, parentTrack.deleted);
    EXPECT_EQ(1, childTrack.deleted);
    // A failed creation cleans up once.
    auto* pFailing = new CSelfDeleting(failed, /*failCreate=*/true);
    EXPECT_FALSE(pFailing->CreateEx(0, nullptr, "fails", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(1, failed.ncDestroyed);
    EXPECT_EQ(1, failed.deleted);
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

TEST(WindowLifetime, TemporaryAndAttachedWrappersOwnWhatTheyShould)
{
    // A window the framework did not create gets a temporary object, the same one until
    // idle time, which never owns the window.
    auto raw = [] {
        return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    };
    HWND hWnd = raw();
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(hWnd));
    // An attached window leaves the map when destroyed, dies with its object (as any
    // object's window does), and a detached one outlives it.
    CWnd attached;
    ASSERT_TRUE(attached.Attach(hWnd));
    EXPECT_TRUE(attached.DestroyWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(nullptr, attached.m_hWnd);
    HWND dies = raw(), kept = raw();
    {
        CWnd first, second;
        ASSERT_TRUE(first.Attach(dies));
        ASSERT_TRUE(second.Attach(kept));
        EXPECT_EQ(kept, second.Detach());
    }
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(dies));
    EXPECT_FALSE(::IsWindow(dies));
    EXPECT_TRUE(::IsWindow(kept));
    ::DestroyWindow(kept);
}

// While it is being created, makes a child whose creation is preceded by a
// window of another class: a hook newer than the framework's creates one as
// soon as the child is announced, as system windows can slip in first.
class CParentWithIntruder : public CWnd {
public:
    CWnd child;
    static inline HHOOK s_hook;
    static inline HWND s_intruder;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        s_intruder = nullptr;
        s_hook = ::SetWindowsHookExA(
            WH_CBT,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (code == HCBT_CREATEWND && !s_intruder) {
                    s_intruder = HWND_MESSAGE;   // no recursion
                    s_intruder = ::CreateWindowExA(0, "STATIC", "intruder", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                                   nullptr, nullptr);
                }
                return ::CallNextHookEx(s_hook, code, wParam, lParam);
            },
            nullptr, ::GetCurrentThreadId());
        const BOOL created = child.Create("EDIT", "", WS_VISIBLE, CRect(0, 0, 40, 20), this, 5);
        ::UnhookWindowsHookEx(s_hook);
        return created ? 0 : -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWithIntruder, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(WindowLifetime, CreationHookTakesOnlyTheAwaitedClass)
{
    CParentWithIntruder parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    ASSERT_NE(nullptr, parent.child.m_hWnd);
    char name[32] = "";
    ::GetClassNameA(parent.child.m_hWnd, name, sizeof name);
    EXPECT_STREQ("Edit", name);
    EXPECT_EQ(parent.m_hWnd, ::GetParent(parent.child.m_hWnd));
    const HWND intruder = CParentWithIntruder::s_intruder;
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(intruder));
    if (intruder && intruder != HWND_MESSAGE)
        ::DestroyWindow(intruder);
}

TEST(WindowLifetime, TemporaryObjectsStayBoundedWithoutIdleTime)
{
    // A host with its own message loop never calls OnIdle.
    AfxGetThread()->OnIdle(1);
    for (int i = 0; i < 3000; ++i) {
        HWND raw = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, CWnd::FromHandle(raw));
        ::DestroyWindow(raw);
    }
    EXPECT_LT(CWnd::GetTempMapCount(), 600u);
    AfxGetThread()->OnIdle(1);
}

// Handlers that throw: nothing may unwind through Windows' frames.
class CThrowing : public CWnd {
public:
    bool failCreate = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        if (failCreate)
            throw std::runtime_error("create failed");
        return 0;
    }
    afx_msg LRESULT OnStd(WPARAM, LPARAM) { throw std::runtime_error("bad value"); }
    afx_msg LRESULT OnObject(WPARAM, LPARAM) { throw new CObjectProbe; }
    afx_msg LRESULT OnInt(WPARAM, LPARAM) { throw 42; }
    afx_msg LRESULT OnResource(WPARAM, LPARAM)
    {
        AfxThrowResourceException();
        return 1;
    }
    DECLARE_MESSAGE_MAP()

    class CObjectProbe : public CObject {};
};

BEGIN_MESSAGE_MAP(CThrowing, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_USER + 1, OnStd)
    ON_MESSAGE(WM_USER + 2, OnObject)
    ON_MESSAGE(WM_USER + 3, OnInt)
    ON_MESSAGE(WM_USER + 4, OnResource)
END_MESSAGE_MAP()

std::vector<std::string> g_reports;

TEST(WindowLifetime, ExceptionsStopAtTheWindowProcedure)
{
    g_reports.clear();
    const AFX_ASSERT_HANDLER previous =
        AfxSetAssertHandler([](LPCSTR expression, LPCSTR, int) { g_reports.push_back(expression); });
    CThrowing wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "throwing", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    for (UINT message = WM_USER + 1; message <= WM_USER + 4; ++message)
        EXPECT_EQ(0, ::SendMessageA(wnd.m_hWnd, message, 0, 0)) << message;
    CThrowing failing;
    failing.failCreate = true;
    EXPECT_FALSE(failing.CreateEx(0, nullptr, "failing", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(nullptr, failing.m_hWnd);
    AfxSetAssertHandler(previous);
    ASSERT_EQ(5u, g_reports.size());
    EXPECT_NE(std::string::npos, g_reports[0].find("bad value"));
    EXPECT_NE(std::string::npos, g_reports[2].find("unknown"));
    EXPECT_NE(std::string::npos, g_reports[4].find("create failed"));
}

// A frame whose creation fails after its window (and menu) existed.
class CFailingFrame : public CFrameWnd {
public:
    HMENU* pMenuSeen = nullptr;
    HMENU* pMenuAfter = nullptr;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        *pMenuSeen = ::GetMenu(m_hWnd);
        return -1;
    }
    void PostNcDestroy() override
    {
        // By now the window has taken its menu with it; a menu made now may
        // reuse its handle and must survive.
        *pMenuAfter = ::CreateMenu();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(WindowLifetime, FailedFrameCreationDestroysItsMenuOnce)
{
    HINSTANCE resources =
        AttachLocaleResDLL(::GetModuleHandleA(nullptr), "cntlrc.drx", LOCALE_RES_BESIDE_CALLER, 0, TRUE);
    ASSERT_NE(nullptr, resources);
    HMENU seen = nullptr, after = nullptr;
    {
        CResourceSwitch use(resources);
        CFailingFrame frame;
        frame.pMenuSeen = &seen;
        frame.pMenuAfter = &after;
        EXPECT_FALSE(frame.Create(nullptr, "failing", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr,
                                  MAKEINTRESOURCEA(IDR_FRAMEWORK_PROBE)));
    }
    EXPECT_NE(nullptr, seen);
    EXPECT_FALSE(::IsMenu(seen) && seen != after);
    EXPECT_TRUE(::IsMenu(after));
    ::DestroyMenu(after);
    ::FreeLibrary(resources);
}

// Live handles of a kind, counted by index: Wine answers for a handle by its index alone.
template <class IsLive>
int LiveHandles(IsLive isLive, ULONG_PTR first, ULONG_PTR step)
{
    int live = 0;
    for (ULONG_PTR index = first; index < 0x10000; index += step)
        live += isLive(index) ? 1 : 0;
    return live;
}

int Menus()
{
    return LiveHandles([](ULONG_PTR h) { return ::IsMenu(reinterpret_cast<HMENU>(h)) != FALSE; }, 0x20, 2);
}

int GdiObjects()
{
    return LiveHandles([](ULONG_PTR h) { return ::GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0; }, 1, 1);
}

int ThreadWindows()
{
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(), [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<int*>(p) > 0; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(WindowLifetime, FailedCreationsKeepNothing)
{
    // Over an object that holds one already, nothing is made.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    const int menus = Menus();
    EXPECT_FALSE(menu.CreateMenu());
    EXPECT_FALSE(menu.CreatePopupMenu());
    EXPECT_EQ(menus, Menus());
    const HINSTANCE user32 = ::GetModuleHandleA("user32.dll");
    constexpr UINT kCloseBitmap = 32754;   // a bitmap every system has
    HBITMAP probe = ::LoadBitmapA(user32, MAKEINTRESOURCEA(kCloseBitmap));
    ASSERT_NE(nullptr, probe);
    ::DeleteObject(probe);
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    const int objects = GdiObjects();
    EXPECT_FALSE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    {
        CResourceSwitch use(user32);
        CToolBar bar;   // no window: it cannot take the bitmap
        EXPECT_FALSE(bar.LoadBitmap(kCloseBitmap));
    }
    EXPECT_EQ(objects, GdiObjects());
    // A floating frame whose dock bar cannot be made (no parent for it) goes whole.
    const int windows = ThreadWindows();
    auto* pFloating = new CMiniDockFrameWnd;
    EXPECT_FALSE(pFloating->Create(nullptr, CBRS_ALIGN_TOP));
    EXPECT_EQ(windows, ThreadWindows());
}

TEST(Diagnostics, FailedAssertionsReachTheInstalledHandler)
{
    static int s_failures;
    static int s_line;
    s_failures = 0;
    const AFX_ASSERT_HANDLER previous = AfxSetAssertHandler([](LPCSTR, LPCSTR, int line) {
        ++s_failures;
        s_line = line;
    });
    int evaluated = 0;
    ASSERT(1 + 1 == 2);
    VERIFY(++evaluated == 1);   // evaluated in every build
    ASSERT(evaluated == 2);
    const int expectedLine = __LINE__ - 1;
    AfxSetAssertHandler(previous);
    EXPECT_EQ(1, evaluated);
    EXPECT_EQ(1, s_failures);
    EXPECT_EQ(expectedLine, s_line);
}

}   // namespace
