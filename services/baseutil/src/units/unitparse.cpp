// ParseUnit: arithmetic over quantities of one kind.
//
//   expression := term (('+' | '-') term)*
//   term       := unary (('*' | '/') unary)*
//   unary      := ('+' | '-') unary | '(' expression ')' | measure
//   measure    := number [unit (number [unit])*]     each following unit smaller: 5'-6 1/2", 12d30m15s
//
// Every value carries its dimension: 0 for plain numbers, 1 for quantities of
// the field's kind. A plain number added to a quantity, or left as the result,
// is in the default primary unit; products and quotients that leave the kind
// (distance times distance, number over distance) are rejected. A ratio of two
// quantities (10 m / 2 m) is a number without a unit, not a plain number typed
// in the default unit: it may scale a quantity but is never one itself.
#include "unitscan.h"
#include "units.h"

#include <cmath>

namespace units {
namespace {

// Deeper nesting than any typed text has; the cap keeps the recursion bounded.
constexpr int kDeepestNesting = 64;

struct Quantity {
    double value;
    int dimension;
    bool ratio = false;   // dimension 0 from dividing quantities
};

class Parser {
public:
    Parser(UINT unitType, bool caseSensitive, const char* text, size_t length)
        : m_type(unitType), m_caseSensitive(caseSensitive), m_scan(text, length, DecimalSeparator())
    {
    }

    bool Parse(double* value, UINT* unitFound)
    {
        Quantity result;
        if (!Expression(&result))
            return false;
        m_scan.SkipSpaces();
        if (!m_scan.AtEnd())
            return false;
        if (result.dimension == 0) {
            if (result.ratio)
                return false;
            result.value *= DefaultFactor(m_type);
        }
        if (!std::isfinite(result.value))
            return false;
        *value = result.value;
        *unitFound = m_firstUnit ? m_firstUnit->code : Defaults(m_type).primary;
        return true;
    }

private:
    bool Expression(Quantity* result)
    {
        if (!Term(result))
            return false;
        for (;;) {
            m_scan.SkipSpaces();
            char op = m_scan.Peek();
            if (op != '+' && op != '-')
                return true;
            m_scan.Advance();
            Quantity right;
            if (!Term(&right) || !Add(result, right, op == '-' ? -1.0 : 1.0))
                return false;
        }
    }

    bool Term(Quantity* result)
    {
        if (!Unary(result))
            return false;
        for (;;) {
            m_scan.SkipSpaces();
            char op = m_scan.Peek();
            if (op != '*' && op != '/')
                return true;
            m_scan.Advance();
            Quantity right;
            if (!Unary(&right))
                return false;
            const bool quantities = result->dimension == 1 && right.dimension == 1;
            if (op == '*') {
                result->value *= right.value;
                result->dimension += right.dimension;
            } else {
                if (right.value == 0.0)
                    return false;
                result->value /= right.value;
                result->dimension -= right.dimension;
            }
            result->ratio = result->dimension == 0 && (result->ratio || right.ratio || (op == '/' && quantities));
            if (result->dimension < 0 || result->dimension > 1 || !std::isfinite(result->value))
                return false;
        }
    }

    bool Unary(Quantity* result)
    {
        m_scan.SkipSpaces();
        char ch = m_scan.Peek();
        if (ch == '+' || ch == '-' || ch == '(') {
            if (++m_depth > kDeepestNesting)
                return false;
            m_scan.Advance();
            bool read;
            if (ch == '(') {
                read = Expression(result);
                m_scan.SkipSpaces();
                read = read && m_scan.Peek() == ')';
                m_scan.Advance();
            } else {
                read = Unary(result);
                if (ch == '-')
                    result->value = -result->value;
            }
            --m_depth;
            return read;
        }
        return Measure(result);
    }

    bool Measure(Quantity* result)
    {
        double number;
        if (!m_scan.AtNumber() || !m_scan.ReadNumber(&number))
            return false;
        *result = {number, 0, false};
        const char* beforeUnit = m_scan.Position();
        m_scan.SkipSpaces();
        const UnitInfo* unit = ReadUnit();
        if (!unit) {
            m_scan.Restore(beforeUnit);
            return !UnknownUnitFollows();
        }
        if (!m_firstUnit)
            m_firstUnit = unit;
        *result = {number * unit->factor, 1, false};

        // Smaller units may follow: 5'-6 1/2", 12°30'15", 1 m 25 cm.
        for (;;) {
            const char* before = m_scan.Position();
            if (m_scan.Peek() == '-' && unit->code == UNIT_FOOT)   // 5'-6", not 5 m - 6 cm
                m_scan.Advance();
            else
                m_scan.SkipSpaces();
            double part;
            if (!m_scan.AtNumber() || !m_scan.ReadNumber(&part)) {
                m_scan.Restore(before);
                return true;
            }
            const char* afterPart = m_scan.Position();
            m_scan.SkipSpaces();
            const UnitInfo* smaller = ReadUnit();
            if (!smaller && unit->code == UNIT_FOOT && !UnknownUnitFollows()) {
                // Feet then a bare number: inches, as in 5'6.
                m_scan.Restore(afterPart);
                smaller = FindUnit(UNIT_INCH);
            }
            if (!smaller || smaller->factor >= unit->factor) {
                m_scan.Restore(before);
                return true;
            }
            result->value += part * smaller->factor;
            unit = smaller;
        }
    }

    // The unit spelled here, consumed; null (nothing consumed) when none or unknown.
    const UnitInfo* ReadUnit()
    {
        size_t length = m_scan.UnitSpellingLength();
        if (!length)
            return nullptr;
        const UnitInfo* unit = FindUnitByName(m_type, m_scan.Position(), length, m_caseSensitive);
        if (unit)
            m_scan.Advance(length);
        return unit;
    }

    bool UnknownUnitFollows() const
    {
        Scanner probe = m_scan;
        probe.SkipSpaces();
        return probe.UnitSpellingLength() != 0;
    }

    bool Add(Quantity* left, Quantity right, double sign)
    {
        left->ratio = left->ratio || right.ratio;
        if (left->dimension != right.dimension) {
            // A ratio has no unit to lend a quantity it is added to.
            if (left->ratio)
                return false;
            // One side is a plain number: it is in the default unit.
            double factor = DefaultFactor(m_type);
            if (left->dimension == 0)
                left->value *= factor;
            else
                right.value *= factor;
            left->dimension = 1;
        }
        left->value += sign * right.value;
        return std::isfinite(left->value);
    }

    UINT m_type;
    bool m_caseSensitive;
    Scanner m_scan;
    int m_depth = 0;
    const UnitInfo* m_firstUnit = nullptr;
};

}
}

int ParseUnit(UINT unitType, int caseSensitive, const GUserText& text, double* value, UINT* unitFound)
{
    if (!value || !units::IsKnownType(unitType))
        return 0;
    units::Parser parser(unitType, caseSensitive != 0, text.GetString(), (size_t)text.GetLength());
    UINT scratch = 0;
    return parser.Parse(value, unitFound ? unitFound : &scratch) ? 1 : 0;
}
