// A stored menu ("Menu" or "DefaultMenu" under an environment's root) replaced so
// that a write cut short leaves the old menu or the new one.
//
// A write builds the new menu in the sibling key "<name>.new" and marks it
// complete with the value "MenuComplete" once every item is in. Putting it in
// place deletes the old key and renames the staged one; each step may run again,
// so a reader that finds a complete staged menu finishes the write, and one that
// finds an incomplete staged menu drops it.
#pragma once
#include "afxwin.h"

#include <string>

namespace menu_store {

// Finishes or drops a write cut short of the menu at `path` (under HKEY_CURRENT_USER).
void FinishInterruptedWrite(const char* path);

// The staged key of the menu at `path`, made empty; NULL when it cannot be made.
HKEY BeginWrite(const char* path);
// Marks the staged menu complete (the key is closed) and puts it in place.
bool CommitWrite(const char* path, HKEY hStaged);

// A deep copy of a menu: every item at its position with its text and ID; a
// popup whose copy fails is left out. NULL for no menu.
HMENU CopyMenu(HMENU hMenu, bool popup);

// The text of the item at `position`, whatever its length; empty for none.
std::string ItemText(HMENU hMenu, int position);

}   // namespace menu_store
