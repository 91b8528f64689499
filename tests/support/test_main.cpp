// Entry point of the test programs: one application object, as in a host.
#include "afxwin.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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
// The toolbars' picture folder beside the program is shared by every test program
// and the benchmarks: picture files a run leaves there go with it, so that the next
// run (or a benchmark of a save without pictures) starts as this one did.
class PictureFolderKeeper : public ::testing::EmptyTestEventListener {
    std::set<std::string> m_before = Files();

    static std::string Folder() { return testing_support::ProgramFolder() + "\\CustBmps\\"; }

    static std::set<std::string> Files()
    {
        std::set<std::string> files;
        WIN32_FIND_DATAA found{};
        HANDLE hFind = ::FindFirstFileA((Folder() + "*").c_str(), &found);
        if (hFind == INVALID_HANDLE_VALUE)
            return files;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.insert(found.cFileName);
        } while (::FindNextFileA(hFind, &found));
        ::FindClose(hFind);
        return files;
    }

    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        for (const std::string& file : Files())
            if (!m_before.count(file))
                ::DeleteFileA((Folder() + file).c_str());
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
    ::testing::UnitTest::GetInstance()->listeners().Append(new PictureFolderKeeper);
    return RUN_ALL_TESTS();
}
