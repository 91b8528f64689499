// What the toolbar measurements share: a timer, the host frame they run in and
// how each one reports. Every measurement lives in a file of its own.
#pragma once
#include "../benchtime.h"
#include "afxwin.h"

#include <functional>
#include <vector>

namespace toolbar_bench {

// The fastest of several timed runs of work, in seconds per call of work
// (each run calls it `calls` times); the fastest run is the least disturbed one.
double FastestSecondsPerCall(const std::function<void()>& work, int calls, int runs);

// Prints one measurement made in runs (run i of the library beside run i of the
// baseline): the median times and the spread of the runs' ratios, min / median /
// max, against the target. True when the median ratio meets it.
bool Report(const char* what, const char* library, const std::vector<double>& librarySeconds, const char* baseline,
            const std::vector<double>& baselineSeconds, double target);


// The commands of the benchmark's category, one per button of the measured toolbars.
std::vector<UINT> BenchCommandIds();

// The measurements. Each returns true when it met its target. The registry
// and layout measurements use the category the paint measurement adds.
bool MeasurePaint(CFrameWnd& frame);
bool MeasureRegistry(CFrameWnd& frame);
bool MeasureLayout(CFrameWnd& frame);

}   // namespace toolbar_bench
