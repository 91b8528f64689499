// Reads the pieces of a unit text: numbers (decimal, exponent, fraction, mixed
// number) and unit spellings.
#pragma once
#include <cstddef>

namespace units {

class Scanner {
public:
    Scanner(const char* text, size_t length, char separator) : m_pos(text), m_end(text + length), m_sep(separator) {}

    void SkipSpaces();
    bool AtEnd() const { return m_pos == m_end; }
    char Peek(size_t ahead = 0) const { return size_t(m_end - m_pos) > ahead ? m_pos[ahead] : '\0'; }
    void Advance(size_t count = 1) { m_pos += count; }
    const char* Position() const { return m_pos; }
    void Restore(const char* pos) { m_pos = pos; }

    // Whether a number starts here.
    bool AtNumber() const;
    // Reads the number that starts here; false for a malformed or non-finite one.
    bool ReadNumber(double* value);
    // Length of the unit spelling that starts here (letters, or one of ' " °), 0 when none.
    size_t UnitSpellingLength() const;

private:
    bool IsPoint(char ch) const { return ch == '.' || (m_sep && ch == m_sep); }
    size_t DigitsAt(const char* p) const;
    bool ReadFraction(const char* p, double* value, const char** after) const;

    const char* m_pos;
    const char* m_end;
    char m_sep;
};

}
