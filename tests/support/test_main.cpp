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
    return RUN_ALL_TESTS();
}
