// Timing helpers the benchmark programs share.
#pragma once
#include <algorithm>
#include <chrono>
#include <vector>

// Seconds since `start`.
inline double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The middle sample (the upper one of an even count); 0 for none.
inline double Median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}
