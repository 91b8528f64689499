// Stored layouts made at random from the toolbar keys under tests/data/toolbars
// and then damaged: every load ends (no crash, no hang), restores what it says,
// and a layout it does not restore as stored is kept in a copy that reloads it.
// BARLAYOUT_FUZZ_RUNS and BARLAYOUT_FUZZ_SEED set the number of cases and the
// first seed (case i uses seed + i); BARLAYOUT_FUZZ_TRACE=1 prints each seed
// before its case runs, to find one that ends the process.
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

// The value lines of each stored toolbar key: those that load, then those refused.
std::vector<std::vector<std::string>> SeedKeys(bool loads)
{
    std::vector<std::vector<std::string>> keys;
    for (const CString& file : RegFilesIn("toolbars")) {
        if ((file.Find("\\loads_") >= 0) != loads)
            continue;
        std::ifstream in((LPCSTR)file);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && line[0] == '"')
                lines.push_back(line);
        keys.push_back(lines);
    }
    return keys;
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
        // Another number for a toolbar key: gaps and doubles.
        const size_t at = line.rfind("Toolbar");
        if (at != std::string::npos && at + 7 < line.size() && isdigit((unsigned char)line[at + 7]))
            line = line.substr(0, at) + "Toolbar" + std::to_string(rng() % 6) + "]";
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

TEST_F(BarLayoutFuzz, DamagedLayoutsAreRestoredOrKept)
{
    const int runs = Setting("BARLAYOUT_FUZZ_RUNS", 40);
    const int seed = Setting("BARLAYOUT_FUZZ_SEED", 1);
    const bool trace = Setting("BARLAYOUT_FUZZ_TRACE", 0) != 0;
    const std::vector<std::vector<std::string>> seeds[2] = {SeedKeys(false), SeedKeys(true)};
    ASSERT_GE(seeds[0].size() + seeds[1].size(), 20u);
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "barlayout_fuzz.reg";
    const CString root = Root();
    int hangs = 0, lost = 0, restored = 0, kept = 0;
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
            const auto& pool = seeds[rng() % 8 != 0];
            const auto& key = pool[rng() % pool.size()];
            lines.insert(lines.end(), key.begin(), key.end());
        }
        for (int m = (int)(rng() % 4); m > 0; --m)
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
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10)) {
            ++hangs;
            ADD_FAILURE() << "seed " << seed + i << ": the load took more than 10 seconds";
        }
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
        DestroyBars();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, root);
    }
    ::DeleteFileA(file.c_str());
    std::printf("%d layouts from seed %d: %d restored, %d dropped and kept; crashes 0, hangs %d, layouts lost %d\n",
                runs, seed, restored, kept, hangs, lost);
}

}   // namespace
