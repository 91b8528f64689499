// A save cut short at any registry write leaves the old layout or the new one.
// A child process of this program saves a layout of ten toolbars over a stored
// one of eight and ends itself (TerminateProcess) right after its n-th registry
// write; a fresh LoadBarLayout then restores exactly one of the two layouts.
#include "layout_support.h"
#include "registry_cut.h"

#include <cstdlib>
#include <cstring>

using namespace layout_test;
using namespace testing_support;
using namespace toolbar_test;
using namespace registry_cut;

namespace {

constexpr LPCSTR kKeyVariable = "BARLAYOUT_CRASH_KEY";
constexpr LPCSTR kLimitVariable = "BARLAYOUT_CRASH_AFTER";

LONG WINAPI RefusedRegRenameKey(HKEY, LPCWSTR, LPCWSTR)
{
    return ERROR_ACCESS_DENIED;
}

const UINT kIDs[] = {kOpen, kSave, kGrey};

std::vector<UINT> Buttons(int n, bool bNew)
{
    std::vector<UINT> ids;
    for (int i = 0; i <= n % 5 + (bNew ? 1 : 0); ++i)
        ids.push_back(kIDs[(i + n) % 3]);
    return ids;
}

class BarLayoutCrash : public LayoutHost {
protected:
    // A settings value differs too: it is stored with the toolbars, never with the other layout's.
    void MakeLayout(const char* prefix, int count, bool bNew)
    {
        m_pInfo->SetShowCustomizeOnToolbarMenu(bNew ? 1 : 0);
        for (int n = 0; n < count; ++n) {
            const CString name = CString(prefix) + std::to_string(n).c_str();
            DockedBar(name, Buttons(n, bNew), n % 2 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
        }
    }

    // The toolbars restored, and the settings value stored beside them.
    std::set<std::string> Restored()
    {
        std::set<std::string> layout = Describe();
        DWORD value = 2, size = sizeof value;
        ::RegGetValueA(HKEY_CURRENT_USER, Root() + "\\Toolbars", "ShowCustomizeOnToolbarMenu", RRF_RT_REG_DWORD,
                       nullptr, &value, &size);
        layout.insert("ShowCustomizeOnToolbarMenu " + std::to_string(value));
        return layout;
    }

    // Runs the child's save with the limit; its exit code.
    DWORD RunChild(int limit)
    {
        ::SetEnvironmentVariableA(kKeyVariable, Root());
        return registry_cut::RunChild("BarLayoutCrash.DISABLED_ChildSavesTheNewLayout", kLimitVariable, limit);
    }

    // Puts the stored tree back as it was.
    void Restore(const Tree& tree)
    {
        const CString root = Root();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, root);
        for (const auto& [path, values] : tree) {
            HKEY hKey = CreateKey(root + path.c_str());
            for (const auto& [name, value] : values)
                ::RegSetValueExA(hKey, name.c_str(), 0, value.first, value.second.data(), (DWORD)value.second.size());
            ::RegCloseKey(hKey);
        }
    }
};

TEST_F(BarLayoutCrash, DISABLED_ChildSavesTheNewLayout)
{
    const char* key = std::getenv(kKeyVariable);
    const char* limit = std::getenv(kLimitVariable);
    ASSERT_TRUE(key && limit);
    MakeLayout("New", 10, true);
    Arm(std::atoi(limit));
    ForceSaveBarLayout(&m_frame, key, nullptr);
    ::TerminateProcess(::GetCurrentProcess(), kFinishedBase + g_writes);
}

TEST_F(BarLayoutCrash, EveryCutOfASaveLeavesTheOldOrTheNewLayout)
{
    // What each layout restores, from an uninterrupted save of each.
    MakeLayout("New", 10, true);
    ASSERT_EQ(10, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    DestroyBars();
    ASSERT_EQ(10, LoadBarLayout(&m_frame, nullptr, nullptr));
    const std::set<std::string> newLayout = Restored();
    DestroyBars();
    MakeLayout("Old", 8, false);
    ASSERT_EQ(8, ForceSaveBarLayout(&m_frame, nullptr, nullptr));
    DestroyBars();
    const Tree old = Snapshot(Root());
    ASSERT_EQ(8, LoadBarLayout(&m_frame, nullptr, nullptr));
    const std::set<std::string> oldLayout = Restored();
    DestroyBars();

    const DWORD finished = RunChild(0);
    ASSERT_GT(finished, kFinishedBase) << "the child did not save";
    const int writes = (int)(finished - kFinishedBase);
    // Cuts spread over the whole save, and every one of its last writes (the commit).
    std::set<int> cuts;
    for (int i = 1; i <= 40; ++i)
        cuts.insert(std::max(1, writes * i / 41));
    for (int n = std::max(1, writes - 30); n <= writes; ++n)
        cuts.insert(n);
    ASSERT_GE(cuts.size(), 50u);
    int olds = 0, news = 0;
    for (int cut : cuts) {
        SCOPED_TRACE("ended after registry write " + std::to_string(cut) + " of " + std::to_string(writes));
        Restore(old);
        ASSERT_EQ(kKilled, RunChild(cut));
        const int restored = LoadBarLayout(&m_frame, nullptr, nullptr);
        const std::set<std::string> layout = Restored();
        DestroyBars();
        if (layout == oldLayout && restored == 8)
            ++olds;
        else if (layout == newLayout && restored == 10)
            ++news;
        else
            ADD_FAILURE() << "restored " << restored << " toolbars of neither layout";
    }
    // Both sides of the commit were cut.
    EXPECT_GT(olds, 0);
    EXPECT_GT(news, 0);
}

// A save whose staged layout cannot be put in place is a failure: it returns 0
// and the changes stay to be saved.
TEST_F(BarLayoutCrash, ASaveThatCannotBePutInPlaceFailsAndStaysToBeSaved)
{
    MakeLayout("New", 3, true);
    void* real =
        PointImport(::GetModuleHandleA(nullptr), "RegRenameKey", reinterpret_cast<void*>(&RefusedRegRenameKey));
    ASSERT_NE(nullptr, real);
    const int refused = ForceSaveBarLayout(&m_frame, nullptr, nullptr);
    PointImport(::GetModuleHandleA(nullptr), "RegRenameKey", real);
    EXPECT_EQ(0, refused);
    EXPECT_EQ(3, SaveBarLayout(&m_frame, nullptr, nullptr)) << "saved again without being forced";
}

}   // namespace
