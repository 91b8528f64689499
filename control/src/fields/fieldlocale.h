// What the date and time fields read from the user's locale, and how they match a
// typed letter.
#pragma once
#include "afxwin.h"

// A whole number of the user's locale, or 0 when it cannot be read.
int LocaleNumber(LCTYPE type);
// A text of the user's locale, or lpszDefault when it cannot be read.
CString LocaleText(LCTYPE type, LPCSTR lpszDefault);
// Whether two characters are the same letter, case aside.
bool SameLetter(UINT a, UINT b);
