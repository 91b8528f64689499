// Seeded random docking: sequences of the steps of docking_world.h, checked after each step.
// A failure prints its seed and the shortest sequence found that still fails, in the text form
// of the corpus under tests/data/docking, which is replayed file by file. A corpus file is
//     # what failed (free text)
//     # known: INVARIANT: the fault, while it is not mended (the file is then skipped, and
//       the random run counts that invariant's failures and goes on with the steps)
//     step lines
// The short run of ctest is four seeds of 50 steps; a longer one, for example:
//     DOCKING_FUZZ_STEPS=10000 DOCKING_FUZZ_SEED=1 cmake/wine-run.sh $PWD/build/wineprefix
//         build/bin/docking_tests.exe --gtest_filter=DockingFuzz.*
// (DOCKING_FUZZ_LENGTH: steps per seed). A failure of an invariant no known fault breaks fails the
// test and is printed with its shortest sequence once; later failures of it are only counted.
#include "docking_world.h"
#include "regfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

namespace {

using docking::Step;

struct Outcome {
    docking::Failure failure;
    size_t at = 0;   // the failing step
};

// Invariant -> the fault that still breaks it: such failures are counted, and the steps go on.
using Tolerated = std::map<std::string, std::string>;

// Runs the steps in a new world until a failure that is not tolerated.
Outcome Replay(const std::vector<Step>& steps, const Tolerated& tolerated = {},
               std::map<std::string, int>* counts = nullptr)
{
    testing_support::ScopedTestKey key;
    docking::World world(key.path());
    for (size_t i = 0; i < steps.size(); ++i) {
        docking::Failure failure = world.Run(steps[i]);
        if (failure && !tolerated.count(failure.invariant))
            return {failure, i};
        if (failure && counts)
            ++(*counts)[failure.invariant];
    }
    return {};
}

std::string Text(const std::vector<Step>& steps)
{
    std::string text;
    for (const Step& step : steps)
        text += docking::Format(step) + "\n";
    return text;
}

// Drops runs of steps, halving their length, while the same invariant still fails; bounded in time.
std::vector<Step> Shorten(std::vector<Step> steps, const std::string& invariant, const Tolerated& tolerated,
                          std::chrono::seconds budget)
{
    const auto end = std::chrono::steady_clock::now() + budget;
    for (size_t chunk = std::max<size_t>(steps.size() / 2, 1);; chunk = std::max<size_t>(chunk / 2, 1)) {
        bool dropped = false;
        for (size_t start = 0; start < steps.size() && steps.size() > 1;) {
            if (std::chrono::steady_clock::now() > end)
                return steps;
            std::vector<Step> fewer(steps);
            fewer.erase(fewer.begin() + start, fewer.begin() + std::min(start + chunk, fewer.size()));
            const Outcome outcome = Replay(fewer, tolerated);
            if (outcome.failure.invariant == invariant) {
                fewer.resize(outcome.at + 1);
                steps = fewer;
                dropped = true;
            } else {
                start += chunk;
            }
        }
        if (chunk == 1 && !dropped)
            return steps;
    }
}

struct CorpusCase {
    std::vector<Step> steps;
    std::string known;   // the fault that still makes it fail
    std::string error;
};

CorpusCase ReadCase(const std::string& path)
{
    CorpusCase found;
    std::ifstream in(path);
    if (!in)
        found.error = "cannot read " + path;
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (line.rfind("# known:", 0) == 0)
            found.known = line.substr(8);
        if (line.empty() || line[0] == '#')
            continue;
        Step step;
        if (!docking::Parse(line, step))
            found.error += "line " + std::to_string(n) + " is no step: " + line + "\n";
        found.steps.push_back(step);
    }
    return found;
}

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    const CString folder = testing_support::TestDataFolder() + "docking\\";
    WIN32_FIND_DATAA found{};
    HANDLE hFind = ::FindFirstFileA(folder + "*.txt", &found);
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &found))
        files.push_back(std::string(folder.GetString()) + found.cFileName);
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    std::sort(files.begin(), files.end());
    return files;
}

// Invariants that known faults still break: the random run counts them without failing.
Tolerated KnownFaults()
{
    Tolerated known;
    for (const std::string& file : CorpusFiles()) {
        const CorpusCase found = ReadCase(file);
        if (found.known.empty())
            continue;
        const size_t colon = found.known.find(':');
        known.emplace(found.known.substr(1, colon - 1), found.known.substr(colon + 1));
    }
    return known;
}

int Setting(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

TEST(DockingFuzz, RandomStepsKeepTheInvariants)
{
    const int total = Setting("DOCKING_FUZZ_STEPS", 200);
    const int length = std::max(Setting("DOCKING_FUZZ_LENGTH", 50), 1);
    const int firstSeed = Setting("DOCKING_FUZZ_SEED", 1);
    const Tolerated known = KnownFaults();
    Tolerated tolerated = known;
    int ran = 0, seeds = 0;
    std::map<std::string, int> failures;
    for (int seed = firstSeed; ran < total; ++seed, ++seeds) {
        std::mt19937 random((unsigned)seed);
        std::vector<Step> steps;
        for (int i = 0; i < std::min(length, total - ran); ++i)
            steps.push_back(docking::RandomStep(random));
        ran += (int)steps.size();
        // A new failure is reported with its shortest sequence, then tolerated for the rest of the run.
        for (Outcome outcome; (outcome = Replay(steps, tolerated, &failures)).failure;) {
            const std::string& invariant = outcome.failure.invariant;
            ++failures[invariant];
            std::vector<Step> shortest(steps.begin(), steps.begin() + outcome.at + 1);
            shortest = Shorten(shortest, invariant, tolerated, std::chrono::seconds(90));
            const Outcome last = Replay(shortest, tolerated);
            ADD_FAILURE() << "# seed " << seed << ", step " << outcome.at + 1 << ": " << invariant << ": "
                          << outcome.failure.detail << "\n# shortest (" << shortest.size() << " steps): "
                          << (last.failure ? last.failure.invariant + ": " + last.failure.detail : "passes alone")
                          << "\n"
                          << Text(shortest);
            tolerated[invariant] = " found in this run";
        }
    }
    std::cout << "docking fuzz: " << ran << " steps, seeds " << firstSeed << " to " << firstSeed + seeds - 1;
    for (const auto& [invariant, count] : failures)
        std::cout << ", " << invariant << " failed " << count << " times"
                  << (known.count(invariant) ? " (known fault)" : "");
    std::cout << "\n";
}

class DockingCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(DockingCorpus, ReplaysWithoutAFailure)
{
    const CorpusCase found = ReadCase(GetParam());
    ASSERT_EQ("", found.error);
    if (!found.known.empty())
        GTEST_SKIP() << "known fault, not mended yet:" << found.known;
    const Outcome outcome = Replay(found.steps);
    EXPECT_FALSE(outcome.failure) << "step " << outcome.at + 1 << ": " << outcome.failure.invariant << ": "
                                  << outcome.failure.detail;
}

INSTANTIATE_TEST_SUITE_P(Files, DockingCorpus, ::testing::ValuesIn(CorpusFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(info.param.find_last_of('\\') + 1);
                             name = name.substr(0, name.find('.'));
                             for (char& c : name)
                                 if (!isalnum((unsigned char)c))
                                     c = '_';
                             return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(DockingCorpus);

}   // namespace
