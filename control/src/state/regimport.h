// Registry files read back: a ".reg" file (as the registry editor writes it, or
// kept_copy::ExportTree) read whole and checked before anything is written, and
// a tree put in place whole.
//
// Importing builds the new tree in the sibling key "<name>.import" and marks it
// complete with "~ImportComplete"; putting it in place deletes the old key and
// renames the staged one, steps that may run again. A reader that finds a
// complete staged tree finishes it; an incomplete one is dropped.
#pragma once
#include "afxwin.h"

#include <string>
#include <vector>

namespace reg_import {

constexpr char kStagedSuffix[] = ".import";
constexpr size_t kLargestFile = 8u << 20;

struct Value {
    std::string name;
    DWORD type = REG_SZ;
    std::vector<BYTE> data;
};

struct Key {
    std::string path;   // below the root; empty for the root itself
    std::vector<Value> values;
};

enum class Outcome { Read, NoFile, TooLarge, NotRegistryFile, Damaged, Foreign };

// Reads `file`, whose keys must all lie in the tree at `root` (under
// HKEY_CURRENT_USER). On failure `why` says what is wrong, with the line.
Outcome ReadTree(const char* file, const std::string& root, std::vector<Key>& keys, std::string& why);

// Replaces the tree at `root` with `keys`: all of it or, failing, nothing.
bool ReplaceTree(const std::string& root, const std::vector<Key>& keys);

// Finishes or drops an import cut short of the tree at `root`.
void FinishInterruptedImport(const std::string& root);

}   // namespace reg_import
