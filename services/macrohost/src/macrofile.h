// Reading macro files and finding them: the parts of the macro host behind its
// entry points.
#pragma once
#include "macrohost.h"

#include <string>

namespace macrohost {

// What a macro file says; a key the file lacks leaves its text empty.
struct MacroFile {
    std::string name, tip, prompt, bitmap, command;
    COLORREF transparent = CLR_INVALID;   // CLR_INVALID: none given
};

// Reads the file at path (the first kMaxFileBytes bytes); false when it cannot be opened.
bool ReadMacroFile(const std::string& path, MacroFile& macro);
inline constexpr DWORD kMaxFileBytes = 64 * 1024;
inline constexpr size_t kMaxLineBytes = 4 * 1024;

// Parses "red,green,blue" (each 0-255); CLR_INVALID otherwise.
COLORREF ParseColor(const std::string& text);

// The folder "Macros" beside this module, without a trailing backslash.
std::string MacroDirectory();

// A macro text turned into the full path of an existing file, or "" (program IDs,
// absolute paths and names in the macro directory, ".jmac" optional).
std::string LocateMacro(const char* macro);
bool IsProgramID(const char* text);
// The file a program ID stands for (whether or not it exists), or "".
std::string ProgramIDFile(const char* text);
// True when text is a class id in registry form; fills *pClsid.
bool ParseClassID(const char* text, CLSID* pClsid);
// The class identifier derived from a full path (case-insensitive, '/' = '\').
CLSID ClassIDOfPath(const std::string& path);

// Copies text into buffer of size bytes, cut and NUL-terminated; nothing when
// buffer is NULL or size is not positive. Stops at an embedded NUL.
void CopyText(const std::string& text, char* buffer, int size);

}   // namespace macrohost
