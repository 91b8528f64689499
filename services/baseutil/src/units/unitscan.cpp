// Numbers and unit spellings of unit texts.
#include "unitscan.h"

#include <cmath>
#include <cstdlib>

namespace units {
namespace {

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool IsLetter(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

// A double has 17 significant digits; longer texts are typing mistakes.
constexpr size_t kLongestNumber = 350;

}

void Scanner::SkipSpaces()
{
    while (m_pos != m_end && (*m_pos == ' ' || *m_pos == '\t'))
        ++m_pos;
}

size_t Scanner::DigitsAt(const char* p) const
{
    const char* start = p;
    while (p != m_end && IsDigit(*p))
        ++p;
    return size_t(p - start);
}

bool Scanner::AtNumber() const
{
    return IsDigit(Peek()) || (IsPoint(Peek()) && IsDigit(Peek(1)));
}

// numerator/denominator, both whole, with nothing between.
bool Scanner::ReadFraction(const char* p, double* value, const char** after) const
{
    size_t top = DigitsAt(p);
    if (!top || p + top == m_end || p[top] != '/')
        return false;
    size_t bottom = DigitsAt(p + top + 1);
    if (!bottom)
        return false;
    double numerator = std::strtod(p, nullptr);
    double denominator = std::strtod(p + top + 1, nullptr);
    *value = numerator / denominator;
    *after = p + top + 1 + bottom;
    return true;
}

bool Scanner::ReadNumber(double* value)
{
    const char* p = m_pos;
    size_t whole = DigitsAt(p);
    if (whole > kLongestNumber)
        return false;
    const char* afterWhole = p + whole;
    if (whole && (afterWhole == m_end || !IsPoint(*afterWhole))) {
        // a/b, a-b/c and a b/c: whole numbers only, as drafters write inches.
        double fraction = 0.0;
        const char* after = nullptr;
        const char* next = afterWhole;
        bool mixed = false;
        if (ReadFraction(p, &fraction, &after)) {
            *value = fraction;
        } else if (next != m_end && *next == '-' && ReadFraction(next + 1, &fraction, &after)) {
            mixed = true;
        } else {
            while (next != m_end && *next == ' ')
                ++next;
            mixed = next != afterWhole && ReadFraction(next, &fraction, &after);
        }
        if (after) {
            if (mixed)
                *value = std::strtod(p, nullptr) + fraction;
            m_pos = after;
            return std::isfinite(*value) && (m_pos == m_end || (!IsPoint(*m_pos) && !IsDigit(*m_pos)));
        }
    }

    // Decimal, with '.' or the locale's separator, and an optional exponent.
    char text[kLongestNumber + 8];
    size_t length = 0;
    while (p != m_end && IsDigit(*p) && length < kLongestNumber)
        text[length++] = *p++;
    if (p != m_end && IsPoint(*p)) {
        text[length++] = '.';
        ++p;
        while (p != m_end && IsDigit(*p) && length < kLongestNumber)
            text[length++] = *p++;
    }
    if (length == 0 || (length == 1 && text[0] == '.') || length >= kLongestNumber)
        return false;
    if (p != m_end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q != m_end && (*q == '+' || *q == '-'))
            ++q;
        size_t exponent = DigitsAt(q);
        if (exponent) {
            if (exponent > 6)
                return false;
            text[length++] = 'e';
            for (const char* e = p + 1; e != q + exponent; ++e)
                text[length++] = *e;
            p = q + exponent;
        }
    }
    text[length] = '\0';
    *value = std::strtod(text, nullptr);
    m_pos = p;
    return std::isfinite(*value) && (p == m_end || (!IsPoint(*p) && !IsDigit(*p)));
}

size_t Scanner::UnitSpellingLength() const
{
    unsigned char first = (unsigned char)Peek();
    if (first == '\'' || first == '"' || first == 0xB0)
        return 1;
    if (first == 0xC2 && (unsigned char)Peek(1) == 0xB0)
        return 2;
    size_t length = 0;
    if (first == 0xB5)   // micro sign, ANSI or UTF-8
        length = 1;
    else if (first == 0xC2 && (unsigned char)Peek(1) == 0xB5)
        length = 2;
    while (IsLetter(Peek(length)))
        ++length;
    return length;
}

}
