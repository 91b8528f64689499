// Entry point of the test programs: one application object, as in a host.
#include "afxwin.h"

#include <gtest/gtest.h>

namespace {
class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("CONTROL tests") {}
};
CTestApp theApp;
}

int main(int argc, char** argv)
{
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    // A failed framework assertion fails the test that ran into it.
    AfxSetAssertHandler([](LPCSTR expression, LPCSTR file, int line) {
        ADD_FAILURE_AT(file ? file : "?", line) << "assertion failed: " << (expression ? expression : "");
    });
    return RUN_ALL_TESTS();
}
