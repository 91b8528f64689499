// FormatUnit: a value in one unit or in a chain of units, each a whole multiple
// of the next (feet and inches; degrees, minutes and seconds), the last one
// rounded to the format's decimals or fraction.
#include "units.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>

namespace units {
namespace {

using Count = unsigned __int128;

constexpr int kMostDecimals = 15;
constexpr int kMostFractionBits = 8;   // 1/256
// Above this many steps a double no longer holds every step exactly.
constexpr double kMostSteps = 9.0e15;

class Writer {
public:
    void Text(const char* text)
    {
        while (*text && m_length + 1 < sizeof m_buffer)
            m_buffer[m_length++] = *text++;
        m_buffer[m_length] = '\0';
    }
    void Whole(Count value)
    {
        char digits[48];
        size_t n = 0;
        do {
            digits[n++] = char('0' + int(value % 10));
            value /= 10;
        } while (value);
        char text[48];
        for (size_t i = 0; i < n; ++i)
            text[i] = digits[n - 1 - i];
        text[n] = '\0';
        Text(text);
    }
    void Decimals(Count value, int width, char separator)
    {
        char text[24];
        text[0] = separator;
        for (int i = width; i > 0; --i, value /= 10)
            text[i] = char('0' + int(value % 10));
        text[width + 1] = '\0';
        Text(text);
    }
    void Label(const UnitInfo& unit)
    {
        if (!unit.symbolLabel)
            Text(" ");
        Text(unit.label);
    }
    const char* Result() const { return m_buffer; }

private:
    char m_buffer[160] = "";
    size_t m_length = 0;
};

// Primary unit and the smaller ones that divide it evenly; 0 for a unit foreign to the type.
int UnitChain(UINT unitType, const UINT codes[3], const UnitInfo* chain[3], Count ratios[3])
{
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && codes[i] == UNIT_NONE)
            break;
        const UnitInfo* unit = FindUnit(codes[i]);
        if (!unit || unit->type != unitType)
            return 0;
        if (i > 0) {
            double ratio = chain[i - 1]->factor / unit->factor;
            double whole = std::round(ratio);
            if (whole < 2.0 || whole > 1e12 || std::fabs(ratio - whole) > 1e-9 * whole)
                break;
            ratios[i] = Count(whole);
        }
        chain[count++] = unit;
    }
    return count;
}

// Values too large to count in steps of the last unit: the primary unit in exponent form.
bool WriteLarge(Writer& out, double value, const UnitInfo& primary, char separator)
{
    double inPrimary = value / primary.factor;
    if (!std::isfinite(inPrimary))
        return false;
    // The text must read back: near the largest double, the rounded number times the
    // unit's factor can overflow. Step towards zero until it does not.
    while (!std::isfinite(inPrimary * primary.factor))
        inPrimary = std::nextafter(inPrimary, 0.0);
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", inPrimary);
    if (char* point = std::strchr(text, '.'))
        *point = separator;
    out.Text(text);
    out.Label(primary);
    return true;
}

}
}

namespace units {
namespace {

int Format(UINT unitType, double value, GUserText& text, const tagUomFormat* format, const UINT* primary,
           const UINT* secondary, const UINT* tertiary)
{
    if (!IsKnownType(unitType) || !std::isfinite(value))
        return 0;
    tagUomFormat shown;
    if (format)
        shown = *format;
    else
        GetDefaultUnitFormat(unitType, &shown);
    UINT codes[3];
    if (primary) {
        codes[0] = *primary;
        codes[1] = secondary ? *secondary : UNIT_NONE;
        codes[2] = tertiary ? *tertiary : UNIT_NONE;
    } else {
        GetDefaultUnits(unitType, &codes[0], &codes[1], &codes[2]);
    }
    const UnitInfo* chain[3] = {};
    Count ratios[3] = {};
    int count = UnitChain(unitType, codes, chain, ratios);
    if (!count)
        return 0;

    const char separator = DecimalSeparator();
    const bool integer = shown.integerDisplay == 1;
    const bool fraction = shown.mode == UOM_FORMAT_FRACTION && !integer;
    const int precision = integer ? 0 : std::min<int>(shown.precision, fraction ? kMostFractionBits : kMostDecimals);
    Count stepsPerUnit = 1;
    for (int i = 0; i < precision; ++i)
        stepsPerUnit *= fraction ? 2 : 10;

    Writer out;
    const UnitInfo& last = *chain[count - 1];
    double scaled = std::fabs(value) / last.factor * double(stepsPerUnit);
    if (!(scaled < kMostSteps)) {
        if (!WriteLarge(out, value, *chain[0], separator))
            return 0;
        text = out.Result();
        return 1;
    }
    Count steps = Count(std::floor(scaled + 0.5));
    if (steps && value < 0)
        out.Text("-");

    // Steps per unit of each place, from the last unit up.
    Count per[3];
    per[count - 1] = stepsPerUnit;
    for (int i = count - 2; i >= 0; --i)
        per[i] = per[i + 1] * ratios[i + 1];
    Count rest = steps;
    for (int i = 0; i < count - 1; ++i) {
        out.Whole(rest / per[i]);
        rest %= per[i];
        out.Label(*chain[i]);
        // Architectural feet and inches read 5'-6"; word labels need a space.
        if (chain[i]->code == UNIT_FOOT)
            out.Text("-");
        else if (!chain[i]->symbolLabel)
            out.Text(" ");
    }
    Count whole = rest / stepsPerUnit;
    Count part = rest % stepsPerUnit;
    if (!fraction) {
        out.Whole(whole);
        if (precision > 0)
            out.Decimals(part, precision, separator);
    } else if (part == 0) {
        out.Whole(whole);
    } else {
        Count divisor = std::gcd((unsigned long long)part, (unsigned long long)stepsPerUnit);
        if (whole || count > 1) {
            out.Whole(whole);
            out.Text(" ");
        }
        out.Whole(part / divisor);
        out.Text("/");
        out.Whole(stepsPerUnit / divisor);
    }
    out.Label(last);
    text = out.Result();
    return 1;
}

}
}

int FormatUnit(UINT unitType, double value, GUserText& text, const tagUomFormat* format, const UINT* primary,
               const UINT* secondary, const UINT* tertiary)
{
    text.Empty();
    try {
        return units::Format(unitType, value, text, format, primary, secondary, tertiary);
    } catch (...) {   // out of memory for the text: nothing leaves the library
        text.Empty();
        return 0;
    }
}
