// Entry point of the test programs: one application object, as in a host.
#include "afxwin.h"

#include <gtest/gtest.h>

namespace {
class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("CONTROL tests") {}
};
CTestApp theApp;

// Each test starts with a clean queue: a test whose main window went away left
// the quit message that ends a message loop, which must not end the next test's loops.
class QueueCleaner : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        AfxGetApp()->m_pMainWnd = nullptr;
    }
};
}   // namespace

int main(int argc, char** argv)
{
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    // A failed framework assertion fails the test that ran into it.
    AfxSetAssertHandler([](LPCSTR expression, LPCSTR file, int line) {
        ADD_FAILURE_AT(file ? file : "?", line) << "assertion failed: " << (expression ? expression : "");
    });
    ::testing::UnitTest::GetInstance()->listeners().Append(new QueueCleaner);
    return RUN_ALL_TESTS();
}
