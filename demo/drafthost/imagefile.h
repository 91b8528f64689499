// Image file writers for 32-bit top-down BGRA pixels.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // 0x00RRGGBB, rows top to bottom
};

// The encoded file contents.
std::string EncodeBmp(const PixelImage& image);
std::string EncodePng(const PixelImage& image);
