// Saving and restoring a toolbar of 25 buttons through its own key, against the
// bare registry calls for the same values: what the toolbar adds to the registry
// work of a layout save and load. The toolbar is restored from its own key, as a
// layout reload does; its buttons stay the same, so its image strip is kept.
#include "jbars.h"
#include "toolbar_bench.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace toolbar_bench {

namespace {

constexpr double kTarget = 1.5;
constexpr int kRuns = 20;
constexpr int kPairsPerRun = 20;
constexpr LPCSTR kKeyPath = "Software\\CONTROL\\toolbar_bench\\Toolbar0";

struct Value {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
};

// Every value of the key as the toolbar wrote it.
std::vector<Value> Snapshot(HKEY hKey)
{
    std::vector<Value> values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD cchName = sizeof name, type = 0, size = 0;
        if (::RegEnumValueA(hKey, i, name, &cchName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        Value value{name, type, std::vector<BYTE>(size)};
        ::RegQueryValueExA(hKey, name, nullptr, &type, value.data.data(), &size);
        values.push_back(std::move(value));
    }
    return values;
}

// The same values written and read back with nothing around the calls.
void BareRegistryRoundTrip(HKEY hKey, const std::vector<Value>& values)
{
    for (const Value& value : values)
        ::RegSetValueExA(hKey, value.name.c_str(), 0, value.type, value.data.data(), (DWORD)value.data.size());
    BYTE buffer[1024];
    for (const Value& value : values) {
        DWORD type = 0, size = sizeof buffer;
        ::RegQueryValueExA(hKey, value.name.c_str(), nullptr, &type, buffer, &size);
    }
}

}   // namespace

bool MeasureRegistry(CFrameWnd& frame)
{
    const std::vector<UINT> ids = BenchCommandIds();
    auto* pBar = new JToolBar;
    if (!pBar->Create(&frame, "Registry", ids.data(), (int)ids.size(), -1, CBRS_ALIGN_ANY,
                      WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY)) {
        std::printf("the toolbar could not be made\n");
        return false;
    }
    frame.RecalcLayout();
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS) {
        std::printf("the benchmark's key could not be made\n");
        return false;
    }
    pBar->StoreLastPosition();
    bool ok = pBar->WriteToRegistry(hKey) != FALSE;
    const std::vector<Value> values = Snapshot(hKey);

    // Each registry call is a round trip to the registry's keeper, whose latency
    // drifts with the machine's load: one toolbar call and one bare round trip
    // alternate, and the median of each run's pairs counts for that run.
    std::vector<double> toolbar, bare;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<double> toolbarRun, bareRun;
        for (int pair = 0; pair < kPairsPerRun; ++pair) {
            toolbarRun.push_back(FastestSecondsPerCall(
                [&] { ok = pBar->WriteToRegistry(hKey) && pBar->ReadFromRegistry(hKey) && ok; }, 1, 1));
            bareRun.push_back(FastestSecondsPerCall([&] { BareRegistryRoundTrip(hKey, values); }, 1, 1));
        }
        toolbar.push_back(Median(toolbarRun));
        bare.push_back(Median(bareRun));
    }
    ::RegCloseKey(hKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kKeyPath);
    pBar->DestroyWindow();
    if (!ok) {
        std::printf("the toolbar's key did not read back\n");
        return false;
    }
    char what[96];
    std::snprintf(what, sizeof what, "Writing and reading a toolbar's key (%zu buttons, %zu values)", ids.size(),
                  values.size());
    return Report(what, "WriteToRegistry + Read...", toolbar, "bare registry calls", bare, kTarget);
}

}   // namespace toolbar_bench
