// A registry tree under HKEY_CURRENT_USER replaced as a whole, so that a write cut
// short leaves the old tree or the new one.
//
// The new tree is built in a sibling key named by the path plus a suffix and is
// marked complete by a value once all of it is in. Putting it in place deletes
// the old key and renames the staged one; each step may run again, so a reader
// that finds a complete staged tree finishes the write, and one that finds an
// incomplete staged tree drops it.
#pragma once
#include "afxwin.h"

#include <string>

struct StagedKey {
    const char* suffix;     // appended to the path to name the staged key
    const char* complete;   // the value that marks the staged tree whole
};

namespace staged_key {

// Finishes or drops a write cut short of the tree at `path`.
void FinishInterrupted(const StagedKey& kind, const std::string& path);
// The staged key of the tree at `path`, made empty after an interrupted write is
// settled; NULL when it cannot be made or `path` names no key under a parent.
HKEY Begin(const StagedKey& kind, const std::string& path);
// Marks the staged tree complete (the key is closed) and puts it in place; a
// staged tree that cannot be marked is dropped.
bool Commit(const StagedKey& kind, const std::string& path, HKEY hStaged);
// Closes and drops a staged tree that was not written whole.
void Abandon(const StagedKey& kind, const std::string& path, HKEY hStaged);

}   // namespace staged_key
