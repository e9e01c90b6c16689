#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <set>

#include "TestBitmaps.h"
#include "platform/Display.h"
#include "platform/GamePalette.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"
#include "platform/Surface.h"

using namespace gorb;
using gorb::testing::MakeBmp;
using gorb::testing::MakeBmp24;
using gorb::testing::Rgb;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
constexpr int kDepths[] = {8, 16, 32};

int32_t PixelAt(const SurfaceRef& s, int32_t x, int32_t y) {
    SurfaceDesc desc;
    Rect whole;
    s->Lock(whole, desc, DDLOCK_WAIT | DDLOCK_READONLY);
    int32_t v = s->GetLockedPixel(x, y);
    s->Unlock(whole);
    return v;
}

SurfaceRef Uniform(int w, int h, uint32_t rgb, int bits) {
    return Surface::FromBitmap(MakeBmp24(w, h, std::vector<uint32_t>(size_t(w) * size_t(h), rgb)), bits);
}

void ExpectInvalid(const std::function<void()>& f, const char* what) {
    try {
        f();
        ADD_FAILURE() << what << ": no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.Number, dderr::InvalidParams) << what << ": " << e.Description;
    }
}

}  // namespace

TEST(Surface, RawPixelValuesFollowTheDepth) {
    struct Case {
        uint32_t rgb;
        int32_t want8, want16, want32;
    } cases[] = {
        {0xFF0000, 180, 0xF800, 0xFF0000},
        {0x00FF00, 30, 0x07E0, 0x00FF00},
        {0x000000, 0, 0x0000, 0x000000},
        {0xFFFFFF, 215, 0xFFFF, 0xFFFFFF},
        {kMagenta, kKeyIndex, 0xF81F, 0xFF00FF},
        {0x336699, 36 * 1 + 6 * 2 + 3, (0x33 >> 3) << 11 | (0x66 >> 2) << 5 | (0x99 >> 3), 0x336699},
    };
    for (auto c : cases) {
        auto bmp = MakeBmp24(3, 2, {0, 0, 0, 0, 0, c.rgb});
        EXPECT_EQ(PixelAt(Surface::FromBitmap(bmp, 8), 2, 1), c.want8) << std::hex << c.rgb;
        EXPECT_EQ(PixelAt(Surface::FromBitmap(bmp, 16), 2, 1), c.want16) << std::hex << c.rgb;
        EXPECT_EQ(PixelAt(Surface::FromBitmap(bmp, 32), 2, 1), c.want32) << std::hex << c.rgb;
    }
}

TEST(Surface, PalettizedBitmapsMapThroughTheGamePalette) {
    // The bitmap's own palette puts the key at index 3 and pure red at index 0.
    std::vector<Rgb> pal = {{255, 0, 0}, {0, 0, 255}, {10, 10, 10}, {255, 0, 255}};
    auto bmp = MakeBmp(4, 1, 8, pal, {0, 1, 2, 3});
    auto s8 = Surface::FromBitmap(bmp, 8);
    EXPECT_EQ(PixelAt(s8, 0, 0), 180);
    EXPECT_EQ(PixelAt(s8, 1, 0), 5);
    EXPECT_EQ(PixelAt(s8, 3, 0), kKeyIndex);
    auto s32 = Surface::FromBitmap(bmp, 32);
    EXPECT_EQ(PixelAt(s32, 1, 0), 0x0000FF);
    EXPECT_EQ(PixelAt(s32, 3, 0), int32_t(kMagenta));
    EXPECT_EQ(s32->Width(), 4);
    EXPECT_EQ(s32->Height(), 1);
}

// Every sheet of a mode must carry the key exactly where misc has it, whatever its own format.
TEST(Surface, TheMiscKeyEqualsTheKeyOfEverySheetAtEachDepth) {
    std::vector<uint32_t> misc(210 * 3, 0x204060);
    misc[1 * 210 + 205] = kMagenta;
    auto miscBmp = MakeBmp24(210, 3, misc);
    auto sheet8 = MakeBmp(2, 1, 8, {{9, 9, 9}, {1, 2, 3}, {255, 0, 255}}, {2, 0});
    auto sheet24 = MakeBmp24(2, 1, {0x102030, kMagenta});
    for (int bits : kDepths) {
        int32_t key = PixelAt(Surface::FromBitmap(miscBmp, bits), 205, 1);
        EXPECT_EQ(PixelAt(Surface::FromBitmap(sheet8, bits), 0, 0), key) << bits;
        EXPECT_EQ(PixelAt(Surface::FromBitmap(sheet24, bits), 1, 0), key) << bits;
        EXPECT_NE(PixelAt(Surface::FromBitmap(sheet24, bits), 0, 0), key) << bits;
    }
}

TEST(Surface, KeyedBltLeavesKeyPixelsUndrawnAtEachDepth) {
    // Source row: key, red, key, a colour one 5-6-5 step from the key, white.
    constexpr uint32_t nearKey = 0xFA02FC;  // truncates to the key's 16-bit value
    auto srcBmp = MakeBmp24(5, 1, {kMagenta, 0xFF0000, kMagenta, nearKey, 0xFFFFFF});
    for (int bits : kDepths) {
        auto src = Surface::FromBitmap(srcBmp, bits);
        src->SetColorKey(DDCKEY_SRCBLT, ColorKey{PixelAt(src, 0, 0), PixelAt(src, 0, 0)});
        auto dst = Uniform(8, 3, 0x00FF00, bits);
        int32_t green = PixelAt(dst, 0, 0);
        dst->Blt(Rect{2, 1, 7, 2}, src, Rect{0, 0, 5, 1}, DDBLT_KEYSRC);
        EXPECT_EQ(PixelAt(dst, 2, 1), green) << bits;
        EXPECT_EQ(PixelAt(dst, 3, 1), PixelAt(src, 1, 0)) << bits;
        EXPECT_EQ(PixelAt(dst, 4, 1), green) << bits;
        EXPECT_EQ(PixelAt(dst, 5, 1), PixelAt(src, 3, 0)) << bits << ": a near-key colour turned transparent";
        EXPECT_EQ(PixelAt(dst, 6, 1), PixelAt(src, 4, 0)) << bits;
        EXPECT_EQ(PixelAt(dst, 1, 1), green) << bits;  // outside the rectangle
        EXPECT_EQ(PixelAt(dst, 3, 0), green) << bits;
        EXPECT_EQ(PixelAt(dst, 3, 2), green) << bits;
    }
}

TEST(Surface, NearKeyColoursStayOpaqueAt16Bits) {
    for (uint32_t c : {0xF800F8u, 0xFB03FFu, 0xFF00F8u, 0xFF03FFu}) {
        EXPECT_NE(MapColor(16, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)), MapColor(16, 255, 0, 255)) << std::hex << c;
        EXPECT_NE(MapColor(8, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)), uint32_t(kKeyIndex)) << std::hex << c;
    }
}

TEST(Surface, BltFastIsAnOpaqueCopyToAPoint) {
    for (int bits : kDepths) {
        auto src = Surface::FromBitmap(MakeBmp24(3, 2, {kMagenta, 0xFF0000, 0x0000FF, 1, 2, 3}), bits);
        src->SetColorKey(DDCKEY_SRCBLT, ColorKey{PixelAt(src, 0, 0), PixelAt(src, 0, 0)});
        auto dst = Uniform(4, 4, 0x00FF00, bits);
        dst->BltFast(2, 3, src, Rect{0, 0, 2, 1}, DDBLTFAST_WAIT);
        EXPECT_EQ(PixelAt(dst, 2, 3), PixelAt(src, 0, 0)) << bits;  // the key is copied too
        EXPECT_EQ(PixelAt(dst, 3, 3), PixelAt(src, 1, 0)) << bits;
        EXPECT_EQ(PixelAt(dst, 1, 3), PixelAt(dst, 0, 0)) << bits;
    }
}

TEST(Surface, RectanglesOutsideEitherSurfaceAreErrors) {
    auto src = Uniform(10, 10, 0x123456, 32);
    src->SetColorKey(DDCKEY_SRCBLT, ColorKey{0, 0});
    auto dst = Uniform(20, 20, 0, 32);
    struct Case {
        Rect dest, source;
        const char* what;
    } cases[] = {
        {{0, 0, 10, 10}, {-1, 0, 9, 10}, "source left of the surface"},
        {{0, 0, 10, 10}, {1, 1, 11, 11}, "source past the right and bottom"},
        {{11, 11, 21, 21}, {0, 0, 10, 10}, "destination past the right and bottom"},
        {{0, -5, 10, 5}, {0, 0, 10, 10}, "destination above the surface"},
        {{0, 0, 5, 5}, {5, 5, 5, 10}, "empty source"},
        {{5, 5, 5, 5}, {5, 5, 5, 5}, "empty both"},
        {{0, 0, 4, 4}, {6, 6, 2, 2}, "reversed source"},
        {{0, 0, 6, 6}, {0, 0, 5, 5}, "sizes differ"},
        {{INT32_MIN, 0, INT32_MIN + 5, 5}, {0, 0, 5, 5}, "far left destination"},
        {{0, 0, 5, 5}, {INT32_MAX - 4, 0, INT32_MAX, 5}, "far right source"},
        {{INT32_MAX, 0, INT32_MIN, 5}, {0, 0, 5, 5}, "width that overflows 32 bits"},
    };
    for (auto c : cases) {
        ExpectInvalid([&] { dst->Blt(c.dest, src, c.source, DDBLT_KEYSRC); }, c.what);
        ExpectInvalid([&] { dst->Blt(c.dest, src, c.source, 0); }, c.what);
    }
    struct PointCase {
        int32_t x, y;
        Rect source;
        const char* what;
    } points[] = {
        {11, 0, {0, 0, 10, 10}, "copy past the right edge"},
        {0, -1, {0, 0, 10, 10}, "copy above the top"},
        {INT32_MAX, INT32_MAX, {0, 0, 10, 10}, "point near the 32-bit limit"},
        {0, 0, {0, 0, 11, 10}, "source wider than its surface"},
        {0, 0, {3, 3, 3, 4}, "empty source"},
    };
    for (auto c : points) ExpectInvalid([&] { dst->BltFast(c.x, c.y, src, c.source, DDBLTFAST_WAIT); }, c.what);
    ExpectInvalid([&] { dst->Blt(Rect{0, 0, 5, 5}, dst, Rect{5, 5, 10, 10}, 0); }, "a surface onto itself");
    ExpectInvalid([&] { dst->Blt(Rect{0, 0, 5, 5}, Uniform(5, 5, 0, 16), Rect{0, 0, 5, 5}, 0); }, "different depths");

    SurfaceDesc desc;
    dst->Lock(Rect{}, desc, DDLOCK_WAIT | DDLOCK_READONLY);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {20, 0}, {0, 20}, {INT32_MIN, INT32_MAX}})
        ExpectInvalid([&] { dst->GetLockedPixel(x, y); }, "pixel outside");
    dst->Unlock(Rect{});
    EXPECT_EQ(PixelAt(dst, 19, 19), 0);  // nothing was drawn by any failed call
}

TEST(Surface, LockStateAndDescription) {
    auto s = Uniform(7, 5, 0x0000FF, 16);
    EXPECT_THROW(s->GetLockedPixel(0, 0), PlatformError);
    EXPECT_THROW(s->Unlock(Rect{}), PlatformError);
    ExpectInvalid([&] {
        SurfaceDesc d;
        s->Lock(Rect{0, 0, 2, 2}, d, DDLOCK_READONLY);
    }, "a part of the surface");
    SurfaceDesc desc;
    desc.lCaps = DDSCAPS_PRIMARYSURFACE;
    s->Lock(Rect{}, desc, DDLOCK_WAIT | DDLOCK_READONLY);
    EXPECT_EQ(desc.lWidth, 7);
    EXPECT_EQ(desc.lHeight, 5);
    EXPECT_EQ(desc.lCaps, DDSCAPS_OFFSCREENPLAIN);
    EXPECT_EQ(desc.lBitsPerPixel, 16);
    EXPECT_EQ(s->GetLockedPixel(6, 4), 0x001F);
    s->Unlock(Rect{});
    EXPECT_FALSE(s->IsLocked());
}

TEST(Surface, CreationErrorsCarryTheirNumbers) {
    ExpectInvalid([] { Surface(0, 10, 32); }, "zero width");
    ExpectInvalid([] { Surface(10, -1, 8); }, "negative height");
    ExpectInvalid([] { Surface(10, 10, 24); }, "24-bit surfaces");
    try {
        Surface(100000, 100000, 32);
        ADD_FAILURE() << "no error for a 40 GB surface";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.Number, dderr::OutOfMemory);
    }
    auto bmp = MakeBmp24(4, 4, std::vector<uint32_t>(16, 0));
    bmp.resize(bmp.size() - 20);  // cut inside the pixel rows
    EXPECT_THROW(Surface::FromBitmap(bmp, 8), PlatformError);
    EXPECT_THROW(Surface::FromBitmap({}, 8), PlatformError);
    auto s = Uniform(2, 2, 0, 8);
    ExpectInvalid([&] { s->SetColorKey(DDCKEY_SRCBLT, ColorKey{256, 256}); }, "key beyond 8 bits");
    auto src = Uniform(2, 2, 0, 8);
    EXPECT_THROW(s->Blt(Rect{0, 0, 1, 1}, src, Rect{0, 0, 1, 1}, DDBLT_KEYSRC), PlatformError) << "keyed without a key";
}

// ---------------------------------------------------------------------------------------------
// 24-bit art on the 8-bit palette

namespace {

// The palette's nearest entry by searching all of it (the key aside), lowest on a tie.
int SearchedNearest(int r, int g, int b) {
    const auto& p = GamePalette();
    int best = 0;
    long bestD = -1;
    for (int i = 0; i < kKeyIndex; ++i) {
        long dr = p[i].r - r, dg = p[i].g - g, db = p[i].b - b, d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestD < 0 || d < bestD) bestD = d, best = i;
    }
    return best;
}

// Mean colour of the palette entries of a block.
std::array<double, 3> MeanColour(const std::vector<uint8_t>& idx, int w, int x0, int y0, int bw, int bh) {
    std::array<double, 3> m{};
    for (int y = y0; y < y0 + bh; ++y)
        for (int x = x0; x < x0 + bw; ++x) {
            const PaletteColor& c = GamePalette()[idx[size_t(y) * size_t(w) + size_t(x)]];
            m[0] += c.r, m[1] += c.g, m[2] += c.b;
        }
    for (double& v : m) v /= bw * bh;
    return m;
}

}  // namespace

TEST(Palette, TheNearestEntryIsTheOneASearchFinds) {
    for (int r = 0; r < 256; r += 3)
        for (int g = 1; g < 256; g += 5)
            for (int b = 2; b < 256; b += 3)
                ASSERT_EQ(NearestPaletteIndex(uint8_t(r), uint8_t(g), uint8_t(b)), SearchedNearest(r, g, b))
                    << r << "," << g << "," << b;
    // Near the darkened magenta corner and the key.
    for (int r = 200; r < 256; ++r)
        for (int b = 200; b < 256; ++b)
            for (int g : {0, 1, 12, 30}) {
                if (r == 255 && g == 0 && b == 255) continue;
                ASSERT_EQ(NearestPaletteIndex(uint8_t(r), uint8_t(g), uint8_t(b)), SearchedNearest(r, g, b))
                    << r << "," << g << "," << b;
            }
    EXPECT_EQ(NearestPaletteIndex(255, 0, 255), kKeyIndex);
}

// A gradient keeps its colours on average in both dithers (where the nearest entry bands it),
// exact palette colours and the key stay as they are, and only the key lands on the key's entry.
TEST(Palette, DitheringKeepsGradientsAndLeavesTheKeyAlone) {
    const int w = 320, h = 32;
    std::vector<uint32_t> gradient(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double t = double(x) / (w - 1);
            gradient[size_t(y) * w + size_t(x)] =
                uint32_t(20 + 210 * t) << 16 | uint32_t(30 + 100 * t) << 8 | uint32_t(80 - 10 * t);
        }
    gradient[5] = kMagenta;
    gradient[size_t(w) * 9 + 200] = 0x336699;  // a palette colour
    EXPECT_EQ(DitherFor(gradient), Dither::Ordered);  // art with key pixels: a sheet
    for (Dither d : {Dither::Nearest, Dither::Ordered, Dither::Diffusion}) {
        SCOPED_TRACE(int(d));
        auto idx = MapToPalette(gradient, w, h, d);
        ASSERT_EQ(idx.size(), gradient.size());
        EXPECT_EQ(idx[5], kKeyIndex);
        EXPECT_EQ(std::count(idx.begin(), idx.end(), uint8_t(kKeyIndex)), 1);
        if (d != Dither::Diffusion) {
            EXPECT_EQ(idx[size_t(w) * 9 + 200], 36 * 1 + 6 * 2 + 3);
        }
        double worst = 0;
        for (int x0 = 16; x0 + 16 <= w; x0 += 16) {
            auto m = MeanColour(idx, w, x0, 12, 16, 16);
            const double t = (x0 + 7.5) / (w - 1);
            const double want[3] = {20 + 210 * t, 30 + 100 * t, 80 - 10 * t};
            for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(m[k] - want[k]));
        }
        RecordProperty("worst_block_error_" + std::to_string(int(d)), std::to_string(worst));
        if (d == Dither::Nearest)
            EXPECT_GT(worst, 12) << "the nearest entry does not band this gradient?";
        else
            EXPECT_LT(worst, 6);
    }
}

// Ordered dithering gives a colour the same pattern wherever it stands (4 x 4 periodic), so a
// sprite looks the same in every frame of its sheet; diffusion passes no error across a key pixel.
TEST(Palette, OrderedPatternsRepeatAndDiffusionStopsAtTheKey) {
    const int w = 12, h = 8;
    std::vector<uint32_t> flat(size_t(w) * h, 0x7A5C33);
    auto ordered = MapToPalette(flat, w, h, Dither::Ordered);
    std::set<uint8_t> used(ordered.begin(), ordered.end());
    EXPECT_GT(used.size(), 1u);  // a colour between entries is mixed of two
    for (int y = 0; y + 4 < h; ++y)
        for (int x = 0; x + 4 < w; ++x) {
            EXPECT_EQ(ordered[size_t(y) * w + size_t(x)], ordered[size_t(y) * w + size_t(x + 4)]);
            EXPECT_EQ(ordered[size_t(y) * w + size_t(x)], ordered[size_t(y + 4) * w + size_t(x)]);
        }
    // Left of a key column one colour, right of it another: the right part maps as if alone.
    std::vector<uint32_t> split(size_t(w) * h), right(size_t(w) * h, kMagenta);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = x < 5 ? 0xC08040u : x == 5 ? kMagenta : 0x2050A0u;
            split[size_t(y) * w + size_t(x)] = c;
            if (x > 5) right[size_t(y) * w + size_t(x)] = c;
        }
    auto a = MapToPalette(split, w, h, Dither::Diffusion), b = MapToPalette(right, w, h, Dither::Diffusion);
    for (int y = 0; y < h; ++y)
        for (int x = 5; x < w; ++x) EXPECT_EQ(a[size_t(y) * w + size_t(x)], b[size_t(y) * w + size_t(x)]) << x << "," << y;
    EXPECT_EQ(DitherFor(std::vector<uint32_t>(4, 0x102030)), Dither::Diffusion);  // opaque: a picture
}

// Loading 24-bit art at 8 bits dithers it: a keyed sheet by the ordered pattern, an opaque
// picture by diffusion; at 16 and 32 bits nothing changes.
TEST(Surface, TwentyFourBitArtIsDitheredAtEightBits) {
    const int w = 64, h = 8;
    std::vector<uint32_t> sheet(size_t(w) * h, 0x7A5C33), picture = sheet;
    sheet[0] = kMagenta;
    auto s = Surface::FromBitmap(MakeBmp24(w, h, sheet), 8);
    auto p = Surface::FromBitmap(MakeBmp24(w, h, picture), 8);
    auto wantS = MapToPalette(sheet, w, h, Dither::Ordered), wantP = MapToPalette(picture, w, h, Dither::Diffusion);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(PixelAt(s, x, y), wantS[size_t(y) * w + size_t(x)]) << x << "," << y;
            ASSERT_EQ(PixelAt(p, x, y), wantP[size_t(y) * w + size_t(x)]) << x << "," << y;
        }
    EXPECT_EQ(PixelAt(Surface::FromBitmap(MakeBmp24(w, h, picture), 32), 9, 3), 0x7A5C33);
}
