// Stored data that could not be read is kept before it is replaced: the tree is
// written to a dated ".reg" file (the registry editor's format, every value
// byte for byte) in the folder "KeptLayouts" beside the host executable, where
// the last few copies of each name stay.
#pragma once
#include "afxwin.h"

#include <string>

namespace kept_copy {

constexpr int kCopiesKept = 5;

// The folder, made when missing (the temporary folder when it cannot be).
std::string Folder();
// Writes the tree at `path` under HKEY_CURRENT_USER to "<label> <date>.reg";
// the file's path, or empty when nothing could be kept.
std::string KeepTree(const char* path, const char* label);
// Comment lines after the header and at the end of a file written here, so that
// a file cut short at a line end shows.
constexpr char kBeginLine[] = "; whole when the line \"; end\" closes it";
constexpr char kEndLine[] = "; end";

// Writes the tree at `path` into `file`; false on failure. Texts are written
// quoted ("\\", "\"" and "\n" escaped) when that keeps them exactly, other values
// as numbers or bytes.
bool ExportTree(const char* path, const char* file);

}   // namespace kept_copy
