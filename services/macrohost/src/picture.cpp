// Reading .bmp files without trusting them: every size and offset the headers
// give is checked against the file before a pixel is copied, the picture is made
// by this code (never by the system's file loader), and run-length encoded
// pixels are decoded with every run clipped to the picture.
#include "picture.h"

#include <cstring>
#include <vector>

namespace macrohost {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr DWORD kCoreHeaderBytes = 12;
constexpr DWORD kInfoHeaderBytes = 40;
constexpr DWORD kLargestHeaderBytes = 124;   // BITMAPV5HEADER

DWORD U16(const BYTE* p)
{
    return DWORD(p[0]) | DWORD(p[1]) << 8;
}

DWORD U32(const BYTE* p)
{
    return U16(p) | U16(p + 2) << 16;
}

// What the headers say, once they have been found consistent with the file.
struct Layout {
    LONG width = 0, height = 0;   // height < 0: rows top-down
    WORD bits = 0;
    DWORD compression = BI_RGB;
    DWORD colours = 0;     // palette entries (pictures of 8 bits or fewer)
    DWORD masks[3] = {};   // BI_BITFIELDS
    const BYTE* palette = nullptr;
    size_t paletteEntry = 4;   // 3 for the old core header
    const BYTE* pixels = nullptr;
    size_t pixelBytes = 0;   // what the file holds from the pixel offset on
};

bool ReadLayout(const BYTE* data, size_t size, Layout& out)
{
    if (!data || size < kFileHeaderBytes + kCoreHeaderBytes || size > kMaxPictureFileBytes || data[0] != 'B' ||
        data[1] != 'M')
        return false;
    const DWORD pixelOffset = U32(data + 10);
    const DWORD headerBytes = U32(data + kFileHeaderBytes);
    if (headerBytes != kCoreHeaderBytes && (headerBytes < kInfoHeaderBytes || headerBytes > kLargestHeaderBytes))
        return false;
    if (kFileHeaderBytes + headerBytes > size)
        return false;
    const BYTE* header = data + kFileHeaderBytes;
    long long width, height;
    DWORD planes, colours = 0;
    if (headerBytes == kCoreHeaderBytes) {
        width = U16(header + 4);
        height = U16(header + 6);
        planes = U16(header + 8);
        out.bits = WORD(U16(header + 10));
        out.paletteEntry = 3;
    } else {
        width = LONG(U32(header + 4));
        height = LONG(U32(header + 8));
        planes = U16(header + 12);
        out.bits = WORD(U16(header + 14));
        out.compression = U32(header + 16);
        colours = U32(header + 32);
    }
    const long long rows = height < 0 ? -height : height;
    if (planes != 1 || width < 1 || width > kMaxPictureSide || rows < 1 || rows > kMaxPictureSide)
        return false;
    out.width = LONG(width);
    out.height = LONG(height);

    switch (out.compression) {
    case BI_RGB:
        if (out.bits != 1 && out.bits != 4 && out.bits != 8 && out.bits != 16 && out.bits != 24 && out.bits != 32)
            return false;
        break;
    case BI_BITFIELDS:
        if (out.bits != 16 && out.bits != 32)
            return false;
        break;
    case BI_RLE8:
    case BI_RLE4:
        // Run-length pictures are stored bottom-up only.
        if (out.bits != (out.compression == BI_RLE8 ? 8 : 4) || height < 0)
            return false;
        break;
    default:
        return false;
    }

    size_t tables = kFileHeaderBytes + headerBytes;
    if (out.compression == BI_BITFIELDS) {
        // The masks follow a plain info header; later headers hold them.
        const size_t at = kFileHeaderBytes + kInfoHeaderBytes;
        if (at + sizeof out.masks > size)
            return false;
        for (int i = 0; i < 3; ++i)
            out.masks[i] = U32(data + at + 4 * i);
        if (!out.masks[0] && !out.masks[1] && !out.masks[2])
            return false;
        if (headerBytes == kInfoHeaderBytes)
            tables += sizeof out.masks;
    }
    if (out.bits <= 8) {
        const DWORD most = 1u << out.bits;
        out.colours = colours ? colours : most;
        if (out.colours > most)
            return false;
        out.palette = data + tables;
        tables += out.colours * out.paletteEntry;
        if (tables > size)
            return false;
    }
    if (pixelOffset < tables || pixelOffset >= size)
        return false;
    out.pixels = data + pixelOffset;
    out.pixelBytes = size - pixelOffset;
    if (out.compression == BI_RGB || out.compression == BI_BITFIELDS) {
        const size_t stride = (size_t(out.width) * out.bits + 31) / 32 * 4;
        if (stride * size_t(rows) > out.pixelBytes)
            return false;
    }
    return true;
}

// Decodes run-length pixels into a zeroed bottom-up picture of stride bytes a row.
// Runs past the right edge are clipped, a move past the top ends the picture: no
// write leaves the picture and the work is bounded by the input and the picture.
void DecodeRunLength(const Layout& in, BYTE* bits, size_t stride)
{
    const bool nibbles = in.compression == BI_RLE4;
    const auto put = [&](LONG x, LONG y, BYTE index) {
        BYTE* row = bits + size_t(y) * stride;
        if (!nibbles)
            row[x] = index;
        else if (x % 2 == 0)
            row[x / 2] = BYTE((row[x / 2] & 0x0F) | (index << 4));
        else
            row[x / 2] = BYTE((row[x / 2] & 0xF0) | (index & 0x0F));
    };
    const BYTE* p = in.pixels;
    const BYTE* end = in.pixels + in.pixelBytes;
    LONG x = 0, y = 0;
    while (end - p >= 2 && y < in.height) {
        const BYTE count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            // A repeated byte: both its nibbles alternate in a 4-bit picture.
            for (LONG i = 0; i < count && x < in.width; ++i, ++x)
                put(x, y, nibbles ? BYTE(i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            continue;
        }
        switch (value) {
        case 0:   // end of row
            x = 0;
            ++y;
            break;
        case 1:   // end of picture
            return;
        case 2:   // move right and up
            if (end - p < 2)
                return;
            x += p[0];
            y += p[1];
            p += 2;
            break;
        default: {   // literal pixels, padded to a whole word
            const size_t bytes = nibbles ? (value + 1u) / 2 : value;
            if (size_t(end - p) < bytes)
                return;
            for (LONG i = 0; i < value && x < in.width; ++i, ++x)
                put(x, y, nibbles ? BYTE(i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 0x0F) : p[i]);
            p += bytes + (bytes & 1);
            break;
        }
        }
    }
}

}   // namespace

HBITMAP PictureFromBytes(const BYTE* data, size_t size)
{
    Layout in;
    if (!ReadLayout(data, size, in))
        return nullptr;

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = in.width;
    info.header.biHeight = in.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = in.bits;
    info.header.biCompression = in.compression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
    info.header.biClrUsed = in.colours;
    if (in.compression == BI_BITFIELDS)
        memcpy(info.colours, in.masks, sizeof in.masks);
    for (DWORD i = 0; i < in.colours; ++i) {
        const BYTE* entry = in.palette + i * in.paletteEntry;
        info.colours[i] = RGBQUAD{entry[0], entry[1], entry[2], 0};
    }

    void* bits = nullptr;
    const HBITMAP hBitmap =
        ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hBitmap || !bits) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return nullptr;
    }
    const size_t stride = (size_t(in.width) * in.bits + 31) / 32 * 4;
    const size_t bytes = stride * size_t(in.height < 0 ? -in.height : in.height);
    if (in.compression == BI_RLE8 || in.compression == BI_RLE4) {
        memset(bits, 0, bytes);
        DecodeRunLength(in, static_cast<BYTE*>(bits), stride);
    } else {
        memcpy(bits, in.pixels, bytes);
    }
    ::GdiFlush();
    return hBitmap;
}

HBITMAP LoadPictureFile(const std::string& path)
{
    const HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    HBITMAP hBitmap = nullptr;
    try {
        LARGE_INTEGER size{};
        if (::GetFileSizeEx(hFile, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxPictureFileBytes) {
            std::vector<BYTE> data(size_t(size.QuadPart));
            DWORD got = 0;
            if (::ReadFile(hFile, data.data(), DWORD(data.size()), &got, nullptr) && got == data.size())
                hBitmap = PictureFromBytes(data.data(), data.size());
        }
    } catch (...) {   // no memory for the file: no picture
    }
    ::CloseHandle(hFile);
    return hBitmap;
}

}   // namespace macrohost
