// Stored environments made at random from the toolbar keys under tests/data/toolbars,
// a stored menu from tests/data/menus and stored environments with the settings of
// tests/data/settings, then damaged: every load ends (no crash, no hang), restores
// what it says, and a layout it does not restore as stored is kept in a copy that
// reloads it; the menu reads as a menu or nothing, the environments as a count.
// BARLAYOUT_FUZZ_RUNS and BARLAYOUT_FUZZ_SEED set the number of cases and the
// first seed (case i uses seed + i); BARLAYOUT_FUZZ_TRACE=1 prints each seed
// before its case runs, to find one that ends the process.
#include "jenvmanager.h"
#include "layout_support.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

using namespace layout_test;
using namespace testing_support;

namespace {

using BarLayoutFuzz = LayoutHost;

int Setting(LPCSTR name, int fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

// The lines of each file of a folder under the test data: value lines, and key
// lines with "$ROOT" made `root` when it is given; of stored toolbar keys those
// that load (or those refused).
std::vector<std::vector<std::string>> SeedKeys(const char* folder, const char* root = nullptr, int loads = -1)
{
    std::vector<std::vector<std::string>> keys;
    for (const CString& file : RegFilesIn(folder)) {
        if (loads >= 0 && (file.Find("\\loads_") >= 0) != (loads != 0))
            continue;
        std::ifstream in((LPCSTR)file);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty() && (line[0] == '"' || (root && line[0] == '['))) {
                if (const size_t at = line.find("$ROOT"); root && at != std::string::npos)
                    line.replace(at, 5, root);
                lines.push_back(line);
            }
        }
        keys.push_back(lines);
    }
    return keys;
}

template <class T>
const T& Pick(const std::vector<T>& pool, std::mt19937& rng)
{
    return pool[rng() % pool.size()];
}

std::string Hex(std::mt19937& rng, size_t bytes)
{
    std::string text = "hex:";
    for (size_t i = 0; i < bytes; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", (unsigned)(rng() & 0xFF));
        text += byte;
    }
    return text;
}

// One damage to one line of the layout.
void Mutate(std::vector<std::string>& lines, std::mt19937& rng)
{
    std::string& line = lines[rng() % lines.size()];
    const size_t equals = line.find("\"=");
    if (line[0] == '[') {
        // Another number for a toolbar key: gaps and doubles; another name for a popup's key.
        const size_t at = line.rfind("Toolbar");
        if (at != std::string::npos && at + 7 < line.size() && isdigit((unsigned char)line[at + 7]))
            line = line.substr(0, at) + "Toolbar" + std::to_string(rng() % 6) + "]";
        else if (line.find("\\Menu") != std::string::npos)
            line.insert(line.size() - 1, "x");
        return;
    }
    if (equals == std::string::npos)
        return;
    const std::string name = line.substr(0, equals + 2);
    switch (rng() % 6) {
    case 0:
        line = ";" + line;
        break;   // gone
    case 1: {
        char number[32];
        std::snprintf(number, sizeof number, "dword:%08x", (unsigned)rng());
        line = name + number;
        break;
    }
    case 2:
        line = name + Hex(rng, rng() % 12);
        break;
    case 3:
        line = name + "\"" + std::string(rng() % 2 ? 5 : 10000, 'W') + "\"";
        break;
    case 4:
        line = name + "dword:0000000" + std::to_string(rng() % 8);
        break;
    default:
        line = name + Hex(rng, 8 * (rng() % 4));
        break;
    }
}

TEST_F(BarLayoutFuzz, DamagedLayoutsMenusAndEnvironmentsAreReadOrKept)
{
    const int runs = Setting("BARLAYOUT_FUZZ_RUNS", 40);
    const int seed = Setting("BARLAYOUT_FUZZ_SEED", 1);
    const bool trace = Setting("BARLAYOUT_FUZZ_TRACE", 0) != 0;
    const std::vector<std::vector<std::string>> seeds[2] = {SeedKeys("toolbars", nullptr, 0),
                                                           SeedKeys("toolbars", nullptr, 1)};
    ASSERT_GE(seeds[0].size() + seeds[1].size(), 20u);
    const auto menus = SeedKeys("menus", "$ROOT\\Menu");
    const std::vector<std::string> environmentNames = {"Survey", std::string(200, 'E'), "a.b", "Drafting"};
    std::vector<std::vector<std::vector<std::string>>> settings;
    for (const std::string& name : environmentNames)
        settings.push_back(SeedKeys("settings", ("$ROOT\\Environments\\" + name).c_str()));
    ASSERT_FALSE(menus.empty() || settings[0].empty());
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "barlayout_fuzz.reg";
    const CString root = Root();
    JEnvironmentManager* pManager = JGetEnvironmentManager();
    ASSERT_NE(nullptr, pManager);
    const long current = pManager->GetCurrentIndex();
    int hangs = 0, lost = 0, restored = 0, kept = 0, menusRead = 0, environmentsRead = 0;
    for (int i = 0; i < runs; ++i) {
        std::mt19937 rng((unsigned)(seed + i));
        if (trace)
            std::printf("seed %d\n", seed + i), std::fflush(stdout);
        const int count = 1 + (int)(rng() % 4);
        std::vector<std::string> lines = {"[HKEY_CURRENT_USER\\$ROOT\\Toolbars]",
                                          "\"ToolbarCount\"=dword:0000000" + std::to_string(count)};
        for (int n = 0; n < count; ++n) {
            lines.push_back("[HKEY_CURRENT_USER\\$ROOT\\Toolbars\\Toolbar" + std::to_string(n) + "]");
            // Mostly keys that load, so that damage to the layout itself is reached.
            const auto& key = Pick(seeds[rng() % 8 != 0], rng);
            lines.insert(lines.end(), key.begin(), key.end());
        }
        const auto& menu = Pick(menus, rng);
        lines.insert(lines.end(), menu.begin(), menu.end());
        lines.push_back("[HKEY_CURRENT_USER\\$ROOT\\Environments]");
        lines.push_back("\"ActiveEnvironment\"=\"" + Pick(environmentNames, rng) + "\"");
        const size_t environments = rng() % (environmentNames.size() + 1);
        for (size_t n = 0; n < environments; ++n) {
            const auto& environment = Pick(settings[n], rng);
            lines.insert(lines.end(), environment.begin(), environment.end());
        }
        for (int m = (int)(rng() % 6); m > 0; --m)
            Mutate(lines, rng);
        {
            std::ofstream out(file, std::ios::binary);
            for (const std::string& line : lines)
                out << line << "\r\n";
        }
        std::string error;
        ASSERT_TRUE(ImportRegFile(file.c_str(), root, error)) << error;
        const Tree stored = Snapshot(root);
        const std::set<std::string> before = KeptFiles();
        const auto start = std::chrono::steady_clock::now();
        const int result = LoadBarLayout(&m_frame, nullptr, nullptr);
        EXPECT_EQ((size_t)result, FrameBars().size()) << "seed " << seed + i;
        restored += result > 0;
        if (stored != Snapshot(root)) {
            const std::string copy = NewKeptFile(before);
            kept += !copy.empty();
            if (copy.empty() || !KeptCopyRestores(copy, root, stored)) {
                ++lost;
                ADD_FAILURE() << "seed " << seed + i << ": the stored layout is gone and no copy gives it back";
            }
        }
        if (HMENU hMenu = ReadMenuFromRegistry(0)) {
            ++menusRead;
            EXPECT_LE(::GetMenuItemCount(hMenu), 8) << "seed " << seed + i;
            ::DestroyMenu(hMenu);
        }
        const long read = pManager->ReadEnvironmentsFromRegistry(root);
        EXPECT_LE(read, (long)environments) << "seed " << seed + i;
        environmentsRead += read;
        pManager->SetEnvironment(current);
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10)) {
            ++hangs;
            ADD_FAILURE() << "seed " << seed + i << ": the reads took more than 10 seconds";
        }
        DestroyBars();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, root);
    }
    ::DeleteFileA(file.c_str());
    std::printf("%d environments from seed %d: %d layouts restored, %d dropped and kept, %d menus and %d environments "
                "read; crashes 0, hangs %d, layouts lost %d\n",
                runs, seed, restored, kept, menusRead, environmentsRead, hangs, lost);
}

}   // namespace
