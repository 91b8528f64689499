// Button pictures of macros: .bmp files read by the macro host itself. A file
// from disk may be damaged in any way; its headers are checked against its
// size before anything is made of it, and pictures of absurd size are refused.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

namespace macrohost {

// Larger than any button picture; larger files and dimensions are refused.
inline constexpr LONG kMaxPictureSide = 1024;
inline constexpr DWORD kMaxPictureFileBytes = 4 * 1024 * 1024 + 64 * 1024;

// The picture in a .bmp file as a new DIB section the caller owns, or NULL when the
// file cannot be read or is not a picture of sound headers and a sane size. Reads
// uncompressed pictures of 1, 4, 8, 16, 24 and 32 bits and run-length encoded ones
// of 4 and 8 bits.
HBITMAP LoadPictureFile(const std::string& path);
// The same from the bytes of a file.
HBITMAP PictureFromBytes(const BYTE* data, size_t size);

}   // namespace macrohost
