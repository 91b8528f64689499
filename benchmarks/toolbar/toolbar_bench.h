// What the toolbar measurements share: a timer, the host frame they run in and
// how each one reports. Every measurement lives in a file of its own.
#pragma once
#include "afxwin.h"

#include <functional>
#include <vector>

namespace toolbar_bench {

// The fastest of several timed runs of work, in seconds per call of work
// (each run calls it `calls` times); the fastest run is the least disturbed one.
double FastestSecondsPerCall(const std::function<void()>& work, int calls, int runs);

// Prints one measurement: both rates and their ratio against the target. True when met.
bool Report(const char* what, const char* library, double librarySeconds, const char* baseline, double baselineSeconds,
            double target);

// The commands of the benchmark's category, one per button of the measured toolbars.
std::vector<UINT> BenchCommandIds();

// The measurements. Each returns true when it met its target. The registry
// measurement uses the category the paint measurement adds.
bool MeasurePaint(CFrameWnd& frame);
bool MeasureRegistry(CFrameWnd& frame);

}   // namespace toolbar_bench
