// What the date and time fields read from the user's locale, and how they match a
// typed letter.
#pragma once
#include "afxwin.h"

// The longest text read from the locale; a host's separator or designator is cut to it.
constexpr int kMaxLocaleText = 24;

// A host's separator or designator, cut to kMaxLocaleText bytes without splitting a
// double-byte character.
CString SettingText(const char* text);
// A whole number of the user's locale, or 0 when it cannot be read.
int LocaleNumber(LCTYPE type);
// A text of the user's locale, or lpszDefault when it cannot be read.
CString LocaleText(LCTYPE type, LPCSTR lpszDefault);
// Whether two characters are the same letter, case aside.
bool SameLetter(UINT a, UINT b);
