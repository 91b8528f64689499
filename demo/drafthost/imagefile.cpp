#include "imagefile.h"

#include <algorithm>
#include <array>

namespace {

void Put16(std::string& out, uint32_t v)
{
    out += (char)(v & 0xFF);
    out += (char)((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void Put32BigEndian(std::string& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += (char)((v >> shift) & 0xFF);
}

uint32_t Crc32(const std::string& data, size_t first)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = first; i < data.size(); ++i)
        crc = table[(crc ^ (uint8_t)data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutChunk(std::string& out, const char* type, const std::string& body)
{
    Put32BigEndian(out, (uint32_t)body.size());
    const size_t start = out.size();
    out += type;
    out += body;
    Put32BigEndian(out, Crc32(out, start));
}

// zlib stream of stored (uncompressed) deflate blocks.
std::string StoredZlib(const std::string& raw)
{
    std::string z = "\x78\x01";
    size_t pos = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - pos);
        z += (char)(pos + n == raw.size() ? 1 : 0);
        Put16(z, (uint32_t)n);
        Put16(z, (uint32_t)~n & 0xFFFF);
        z.append(raw, pos, n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Put32BigEndian(z, (b << 16) | a);
    return z;
}

}   // namespace

std::string EncodeBmp(const PixelImage& image)
{
    const uint32_t imageBytes = (uint32_t)image.width * (uint32_t)image.height * 4;
    std::string out = "BM";
    Put32(out, 54 + imageBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, (uint32_t)image.width);
    Put32(out, (uint32_t)image.height);   // bottom-up rows: top-down ones load black through Wine's LoadImage
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y)
        for (int x = 0; x < image.width; ++x)
            Put32(out, image.pixels[(size_t)y * (size_t)image.width + (size_t)x]);
    return out;
}

std::string EncodePng(const PixelImage& image)
{
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    Put32BigEndian(header, (uint32_t)image.width);
    Put32BigEndian(header, (uint32_t)image.height);
    header += "\x08\x02";   // 8 bits per channel, RGB
    header += std::string(3, '\0');
    PutChunk(out, "IHDR", header);

    std::string raw;
    raw.reserve((size_t)image.height * ((size_t)image.width * 3 + 1));
    for (int y = 0; y < image.height; ++y) {
        raw += '\0';   // no filter
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.pixels[(size_t)y * (size_t)image.width + (size_t)x];
            raw += (char)((p >> 16) & 0xFF);
            raw += (char)((p >> 8) & 0xFF);
            raw += (char)(p & 0xFF);
        }
    }
    PutChunk(out, "IDAT", StoredZlib(raw));
    PutChunk(out, "IEND", std::string());
    return out;
}
