// Throughput of ParseUnit then FormatUnit on texts drafters type, against
// strtod then snprintf on plain numbers, measured in one run so that the ratio
// does not depend on the machine. The target is a ratio of at most 5.
#include "baseutil.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

struct Sample {
    UINT type;
    const char* text;
    UINT units[3];
    tagUomFormat format;
};

tagUomFormat Shown(BYTE mode, BYTE precision)
{
    tagUomFormat format = {};
    format.mode = mode;
    format.precision = precision;
    return format;
}

const Sample kDraftingTexts[] = {
    {UNIT_TYPE_DISTANCE, "12.5 mm", {UNIT_MILLIMETRE, UNIT_NONE, UNIT_NONE}, Shown(UOM_FORMAT_DECIMAL, 2)},
    {UNIT_TYPE_DISTANCE, "5'-6 1/2\"", {UNIT_FOOT, UNIT_INCH, UNIT_NONE}, Shown(UOM_FORMAT_FRACTION, 6)},
    {UNIT_TYPE_DISTANCE, "2'6-3/8\" + 300mm", {UNIT_FOOT, UNIT_INCH, UNIT_NONE}, Shown(UOM_FORMAT_FRACTION, 4)},
    {UNIT_TYPE_DISTANCE, "(3m - 1ft) / 2", {UNIT_METRE, UNIT_NONE, UNIT_NONE}, Shown(UOM_FORMAT_DECIMAL, 4)},
    {UNIT_TYPE_DISTANCE, "1250", {UNIT_MILLIMETRE, UNIT_NONE, UNIT_NONE}, Shown(UOM_FORMAT_DECIMAL, 2)},
    {UNIT_TYPE_ANGLE, "12d30m15s", {UNIT_DEGREE, UNIT_ARCMINUTE, UNIT_ARCSECOND}, Shown(UOM_FORMAT_DECIMAL, 0)},
    {UNIT_TYPE_ANGLE, "45.25", {UNIT_DEGREE, UNIT_NONE, UNIT_NONE}, Shown(UOM_FORMAT_DECIMAL, 2)},
    {UNIT_TYPE_SCALAR, "0.75", {UNIT_NONE, UNIT_NONE, UNIT_NONE}, Shown(UOM_FORMAT_DECIMAL, 3)},
};
const char* const kPlainNumbers[] = {"12.5", "5.541667", "2.8125", "1.347600", "1250", "12.504167", "45.25", "0.75"};

constexpr int kRounds = 200000;
constexpr double kTarget = 5.0;

double Seconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// Seconds for kRounds passes over the drafting texts; the sink keeps the work observable.
double TimeUnitService(size_t* sink)
{
    GUserText texts[std::size(kDraftingTexts)];
    for (size_t i = 0; i < std::size(kDraftingTexts); ++i)
        texts[i] = kDraftingTexts[i].text;
    GUserText shown;
    auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round) {
        for (size_t i = 0; i < std::size(kDraftingTexts); ++i) {
            const Sample& sample = kDraftingTexts[i];
            double value = 0.0;
            if (ParseUnit(sample.type, 0, texts[i], &value, nullptr) != 1)
                std::abort();
            FormatUnit(sample.type, value, shown, &sample.format, &sample.units[0], &sample.units[1], &sample.units[2]);
            *sink += size_t(shown.GetLength());
        }
    }
    return Seconds(std::chrono::steady_clock::now() - start);
}

double TimePlainNumbers(size_t* sink)
{
    char shown[64];
    auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round) {
        for (const char* text : kPlainNumbers) {
            double value = std::strtod(text, nullptr);
            *sink += size_t(std::snprintf(shown, sizeof shown, "%.3f", value));
        }
    }
    return Seconds(std::chrono::steady_clock::now() - start);
}

}

int main()
{
    static_assert(std::size(kDraftingTexts) == std::size(kPlainNumbers), "one plain number per drafting text");
    size_t sink = 0;
    TimeUnitService(&sink);   // warm up both before measuring
    TimePlainNumbers(&sink);
    double units = TimeUnitService(&sink);
    double plain = TimePlainNumbers(&sink);
    double conversions = double(kRounds) * double(std::size(kPlainNumbers));
    double ratio = units / plain;
    std::printf("unit service, parse + format: %10.0f texts/s\n", conversions / units);
    std::printf("strtod + snprintf:            %10.0f numbers/s\n", conversions / plain);
    std::printf("ratio: %.2f (target at most %.0f): %s\n", ratio, kTarget, ratio <= kTarget ? "met" : "NOT met");
    std::printf("(%zu characters written)\n", sink);
    return 0;
}
