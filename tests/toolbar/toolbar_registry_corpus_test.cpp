// Stored toolbar keys under tests/data/toolbars: a "fails_" key is refused without harm, a "loads_"
// key gives a toolbar on screen that writes a key which reads back the same.
#include "regfile.h"
#include "storedvalues.h"
#include "toolbar_fixture.h"

#include <string>

using namespace toolbar_test;
using namespace testing_support;

namespace {

using ToolbarCorpus = ToolbarHost;

// The values a toolbar writes that do not depend on where its window happens to be.
std::map<std::string, StoredValue> Placeless(HKEY hKey)
{
    std::map<std::string, StoredValue> values = ReadValues(hKey);
    for (const char* name : {"FloatTop", "FloatBottom", "FloatLeft", "FloatRight", "ID"})
        values.erase(name);
    return values;
}

TEST_F(ToolbarCorpus, EveryStoredKeyLoadsOrIsRefusedWithoutHarm)
{
    const std::vector<CString> files = RegFilesIn("toolbars");
    ASSERT_GE(files.size(), 20u) << "the corpus is missing: " << (LPCSTR)TestDataFolder();
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    const int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    for (const CString& file : files) {
        SCOPED_TRACE((LPCSTR)file);
        const bool bShouldLoad = file.Find("\\loads_") >= 0;
        ASSERT_TRUE(bShouldLoad || file.Find("\\fails_") >= 0) << "a corpus file says what it expects";
        ScopedTestKey key;
        std::string error;
        ASSERT_TRUE(ImportRegFile(file, key.path(), error)) << error;
        HKEY hKey = CreateKey(key.path() + "\\Bar");
        ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
        const BOOL bLoaded = pBar->ReadFromRegistry(hKey);
        ::RegCloseKey(hKey);
        EXPECT_EQ(bShouldLoad, !!bLoaded);
        // Whatever was read is within bounds.
        EXPECT_LE(pBar->GetCommandCount(), 256);
        EXPECT_LT(pBar->Caption().GetLength(), 256);
        EXPECT_TRUE(pBar->m_ptFloatPos.x >= 0 && pBar->m_ptFloatPos.x < cxScreen);
        EXPECT_TRUE(pBar->m_ptFloatPos.y >= 0 && pBar->m_ptFloatPos.y < cyScreen);
        EXPECT_LT(pBar->m_ptDockPos.x, cxScreen);
        EXPECT_LT(pBar->m_ptDockPos.y, cyScreen - 58);
        EXPECT_LE(pBar->m_sizeFloat.cx, cxScreen);
        EXPECT_LE(pBar->m_sizeFloat.cy, cyScreen);
        EXPECT_GE(pBar->m_nDockBarID, (UINT)AFX_IDW_DOCKBAR_TOP);
        EXPECT_LE(pBar->m_nDockBarID, (UINT)AFX_IDW_DOCKBAR_FLOAT);
        // Written and read again, a loaded key gives the same key.
        HKEY hFirst = CreateKey(key.path() + "\\First");
        ASSERT_TRUE(pBar->WriteToRegistry(hFirst));
        // Gone before the copy reads: a live bar holding the stored ID would keep it from the copy.
        pBar->DestroyWindow();
        if (bShouldLoad) {
            ProbeToolBar* pCopy = MakeToolBar({kGrey});
            EXPECT_TRUE(pCopy->ReadFromRegistry(hFirst));
            HKEY hSecond = CreateKey(key.path() + "\\Second");
            ASSERT_TRUE(pCopy->WriteToRegistry(hSecond));
            const auto first = Placeless(hFirst);
            const auto second = Placeless(hSecond);
            EXPECT_EQ(first.size(), second.size());
            for (const auto& [name, value] : first) {
                SCOPED_TRACE(name);
                ASSERT_TRUE(second.count(name));
                EXPECT_EQ(value.type, second.at(name).type);
                EXPECT_EQ(value.data, second.at(name).data);
            }
            ::RegCloseKey(hSecond);
            pCopy->DestroyWindow();
        }
        ::RegCloseKey(hFirst);
    }
}

}   // namespace
