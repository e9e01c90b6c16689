#include "platform/GamePalette.h"

#include <algorithm>

namespace gorb {

namespace {

constexpr int kCubeMagenta = 36 * 5 + 5;
constexpr int kFirstGrey = 216, kGreys = 39;

std::array<PaletteColor, 256> BuildPalette() {
    std::array<PaletteColor, 256> p{};
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p[36 * r + 6 * g + b] = {uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)};
    p[kCubeMagenta] = {238, 0, 238};  // keep the key colour unique
    for (int i = 0; i < kGreys; ++i) {
        uint8_t v = uint8_t(6 + i * 6);
        p[kFirstGrey + i] = {v, v, v};
    }
    p[kKeyIndex] = kKeyColor;
    return p;
}

bool IsKey(int r, int g, int b) { return r == kKeyColor.r && g == kKeyColor.g && b == kKeyColor.b; }

long Distance(const PaletteColor& p, int r, int g, int b) {
    long dr = long(p.r) - r, dg = long(p.g) - g, db = long(p.b) - b;
    return dr * dr * 3 + dg * dg * 4 + db * db * 2;
}

// The nearest entry from the palette's shape, without a search: the weighted distance splits by
// channel, so the nearest cube entry has each channel's nearest level, and the nearest grey lies
// next to the weighted mean. The darkened magenta corner is its own candidate; where it stands in
// for the nearest cube entry, the second-nearest cube entries (one channel a level further off)
// are candidates too.
int Nearest(int r, int g, int b) {
    const auto& p = GamePalette();
    int best = -1;
    long bestD = 0;
    auto consider = [&](int i) {
        long d = Distance(p[i], r, g, b);
        if (best < 0 || d < bestD || (d == bestD && i < best)) bestD = d, best = i;
    };
    const int v[3] = {r, g, b};
    int level[3], second[3];
    for (int k = 0; k < 3; ++k) {
        level[k] = (v[k] + 25) / 51;  // nearest of 0, 51, ..., 255
        second[k] = v[k] >= level[k] * 51 ? std::min(5, level[k] + 1) : std::max(0, level[k] - 1);
        if (second[k] == level[k]) second[k] = level[k] == 5 ? 4 : 1;
    }
    const int cube = 36 * level[0] + 6 * level[1] + level[2];
    if (cube != kCubeMagenta) {
        consider(cube);
    } else {
        consider(36 * second[0] + 6 * level[1] + level[2]);
        consider(36 * level[0] + 6 * second[1] + level[2]);
        consider(36 * level[0] + 6 * level[1] + second[2]);
    }
    consider(kCubeMagenta);
    const int grey = std::clamp((3 * r + 4 * g + 2 * b - 27) / 54, 0, kGreys - 1);  // next to the mean
    for (int k = std::max(0, grey - 1); k <= std::min(kGreys - 1, grey + 1); ++k) consider(kFirstGrey + k);
    return best;
}

// 4 x 4 Bayer thresholds, 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Colours go to the cube: each channel takes the level above where the pattern's threshold lies
// below its share of the way there, so the mixture averages to the colour in every channel.
// Greys, and colours nearly grey, mix the two nearest greys instead (the cube's steps would be
// much coarser there): the nearer one, and the next one along the way, as often as the colour
// lies towards it.
uint8_t OrderedPixel(int r, int g, int b, int x, int y) {
    const auto& p = GamePalette();
    const int threshold = 2 * kBayer[y & 3][x & 3] + 1;  // the pattern's (t + 0.5) / 16, in 32nds
    if (std::max({r, g, b}) - std::min({r, g, b}) >= 16) {
        auto channel = [&](int v) {
            const int level = v / 51, rest = v - level * 51;
            return level + (level < 5 && threshold * 51 < 32 * rest ? 1 : 0);
        };
        return uint8_t(36 * channel(r) + 6 * channel(g) + channel(b));
    }
    const int c1 = Nearest(r, g, b);
    const int er = r - p[c1].r, eg = g - p[c1].g, eb = b - p[c1].b;
    if (er == 0 && eg == 0 && eb == 0) return uint8_t(c1);
    const int c2 = Nearest(std::clamp(r + er, 0, 255), std::clamp(g + eg, 0, 255), std::clamp(b + eb, 0, 255));
    if (c2 == c1) return uint8_t(c1);
    const long sr = long(p[c2].r) - p[c1].r, sg = long(p[c2].g) - p[c1].g, sb = long(p[c2].b) - p[c1].b;
    const long along = 3 * er * sr + 4 * eg * sg + 2 * eb * sb, length = 3 * sr * sr + 4 * sg * sg + 2 * sb * sb;
    return uint8_t(threshold * length < 32 * along ? c2 : c1);
}

void Diffuse(std::span<const uint32_t> rgb, int w, int h, std::vector<uint8_t>& out) {
    const auto& p = GamePalette();
    // Errors in sixteenths, per channel, for this row and the next (one spare column each side).
    std::vector<int> err(size_t(w + 2) * 3 * 2, 0);
    auto at = [&](int row, int x) { return &err[(size_t(row & 1) * size_t(w + 2) + size_t(x + 1)) * 3]; };
    std::vector<uint8_t> key(size_t(w) * size_t(h));
    for (size_t i = 0; i < key.size(); ++i) key[i] = IsKey(int(rgb[i] >> 16 & 0xFF), int(rgb[i] >> 8 & 0xFF), int(rgb[i] & 0xFF));
    auto keyAt = [&](int x, int y) { return key[size_t(y) * size_t(w) + size_t(x)] != 0; };
    for (int y = 0; y < h; ++y) {
        std::fill_n(at(y + 1, -1), size_t(w + 2) * 3, 0);
        const bool rightward = (y & 1) == 0;  // serpentine: no drift to one side
        const int step = rightward ? 1 : -1;
        for (int i = 0; i < w; ++i) {
            const int x = rightward ? i : w - 1 - i;
            const size_t o = size_t(y) * size_t(w) + size_t(x);
            const uint32_t c = rgb[o];
            const int r = int(c >> 16 & 0xFF), g = int(c >> 8 & 0xFF), b = int(c & 0xFF);
            if (key[o]) {  // the key stays the key, and no error crosses it
                out[o] = kKeyIndex;
                continue;
            }
            const int* e = at(y, x);
            const int v[3] = {std::clamp(r + e[0] / 16, 0, 255), std::clamp(g + e[1] / 16, 0, 255),
                              std::clamp(b + e[2] / 16, 0, 255)};
            const int idx = Nearest(v[0], v[1], v[2]);
            out[o] = uint8_t(idx);
            const int q[3] = {v[0] - p[idx].r, v[1] - p[idx].g, v[2] - p[idx].b};
            auto give = [&](int row, int nx, int weight) {
                if (nx < 0 || nx >= w || row >= h || keyAt(nx, row)) return;
                int* t = at(row, nx);
                for (int k = 0; k < 3; ++k) t[k] += q[k] * weight;
            };
            give(y, x + step, 7);
            give(y + 1, x - step, 3);
            give(y + 1, x, 5);
            give(y + 1, x + step, 1);
        }
    }
}

}  // namespace

const std::array<PaletteColor, 256>& GamePalette() {
    static const std::array<PaletteColor, 256> palette = BuildPalette();
    return palette;
}

uint8_t NearestPaletteIndex(uint8_t r, uint8_t g, uint8_t b) {
    if (IsKey(r, g, b)) return kKeyIndex;
    return static_cast<uint8_t>(Nearest(r, g, b));
}

Dither DitherFor(std::span<const uint32_t> rgb) {
    for (uint32_t c : rgb)
        if (IsKey(int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF))) return Dither::Ordered;
    return Dither::Diffusion;
}

std::vector<uint8_t> MapToPalette(std::span<const uint32_t> rgb, int width, int height, Dither dither) {
    std::vector<uint8_t> out(size_t(std::max(0, width)) * size_t(std::max(0, height)));
    if (out.empty() || rgb.size() < out.size()) return out;
    if (dither == Dither::Diffusion) {
        Diffuse(rgb, width, height, out);
        return out;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t o = size_t(y) * size_t(width) + size_t(x);
            const uint32_t c = rgb[o];
            const int r = int(c >> 16 & 0xFF), g = int(c >> 8 & 0xFF), b = int(c & 0xFF);
            out[o] = IsKey(r, g, b) ? uint8_t(kKeyIndex)
                     : dither == Dither::Ordered ? OrderedPixel(r, g, b, x, y)
                                                 : uint8_t(Nearest(r, g, b));
        }
    return out;
}

}  // namespace gorb
