#pragma once
// Uncompressed BMP files built in memory, for surface tests that must not depend on the
// program's embedded resources.
#include <cstdint>
#include <vector>

namespace gorb::testing {

struct Rgb {
    uint8_t r, g, b;
};

inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// bitsPerPixel 8 (palette + indices) or 24 (colours); rows top to bottom.
inline std::vector<uint8_t> MakeBmp(int w, int h, int bitsPerPixel, const std::vector<Rgb>& palette,
                                    const std::vector<uint32_t>& pixels /* index or 0xRRGGBB */) {
    int rowBytes = ((w * bitsPerPixel / 8) + 3) & ~3;
    uint32_t palBytes = bitsPerPixel == 8 ? uint32_t(palette.size()) * 4 : 0;
    uint32_t offset = 14 + 40 + palBytes;
    std::vector<uint8_t> v;
    v.push_back('B');
    v.push_back('M');
    Put32(v, offset + uint32_t(rowBytes * h));
    Put32(v, 0);
    Put32(v, offset);
    Put32(v, 40);
    Put32(v, uint32_t(w));
    Put32(v, uint32_t(h));  // positive: stored bottom-up
    Put16(v, 1);
    Put16(v, uint16_t(bitsPerPixel));
    Put32(v, 0);  // no compression
    Put32(v, uint32_t(rowBytes * h));
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, bitsPerPixel == 8 ? uint32_t(palette.size()) : 0);
    Put32(v, 0);
    if (bitsPerPixel == 8)
        for (auto c : palette) {
            v.push_back(c.b);
            v.push_back(c.g);
            v.push_back(c.r);
            v.push_back(0);
        }
    for (int y = h - 1; y >= 0; --y) {
        size_t start = v.size();
        for (int x = 0; x < w; ++x) {
            uint32_t p = pixels[size_t(y) * size_t(w) + size_t(x)];
            if (bitsPerPixel == 8) {
                v.push_back(uint8_t(p));
            } else {
                v.push_back(uint8_t(p));
                v.push_back(uint8_t(p >> 8));
                v.push_back(uint8_t(p >> 16));
            }
        }
        while (v.size() - start < size_t(rowBytes)) v.push_back(0);
    }
    return v;
}

inline std::vector<uint8_t> MakeBmp24(int w, int h, const std::vector<uint32_t>& rgb) { return MakeBmp(w, h, 24, {}, rgb); }

}  // namespace gorb::testing
