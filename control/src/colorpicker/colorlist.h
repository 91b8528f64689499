// What the colour picker and the colour combo box share: the standard colours and the
// user's stored list.
#pragma once
#include "jcolorpicker.h"

#include <utility>
#include <vector>

COLORREF StandardColor(int index);   // 0..17, in the palette's order
CString StandardColorName(int index);
// The stored custom colours under registryName\ColorPicker, in order; entries of the
// wrong type or beyond 0xFFFFFF (but the hatch) are left out.
std::vector<std::pair<COLORREF, CString>> ReadStoredColorList(const char* registryName);
// Moves the stored list and settings under from\ColorPicker to to\ColorPicker: the colours
// not stored there yet are appended, settings not there yet are taken, and the old key goes.
// Nothing happens when from holds no colours or names the same key.
void MoveStoredColorList(const CString& from, const CString& to);
