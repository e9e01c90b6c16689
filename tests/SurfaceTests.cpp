#include <gtest/gtest.h>

#include <climits>

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
