#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"

using namespace gorb;
using gorb::testing::MakeBmp24;

namespace {

class Display : public ::testing::Test {
protected:
    void SetUp() override { UseHeadlessHost(); }
    void TearDown() override { UseVirtualClock(false); }

    // The set-up order the game uses, up to the primary surface.
    std::shared_ptr<DirectDraw> SetUpMode(int32_t w, int32_t h, int32_t bits) {
        auto dd = DirectDrawCreate("");
        dd->SetCooperativeLevel(0, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
        dd->SetDisplayMode(w, h, bits, 0, 0);
        return dd;
    }
    SurfaceRef Primary(DirectDraw& dd) {
        SurfaceDesc desc;
        desc.lFlags = DDSD_CAPS;
        desc.lCaps = DDSCAPS_PRIMARYSURFACE;
        return dd.CreateSurface(desc);
    }
};

int32_t ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const PlatformError& e) {
        return e.Number;
    }
    return 0;
}

}  // namespace

TEST_F(Display, DesktopAndModeList) {
    // The dummy driver's desktop: 1024 x 768 with 4 bytes per pixel, which counts as 32 bits.
    EXPECT_EQ(GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(HORZRES), 1024);
    EXPECT_EQ(GetDeviceCaps(VERTRES), 768);
    std::vector<std::tuple<int, int, int>> seen;
    DisplayModeRecord m;
    for (int32_t i = 0; EnumDisplaySettings(i, m); ++i) seen.emplace_back(m.BitsPerPel, m.PelsWidth, m.PelsHeight);
    // The desktop's mode is one of the nine, so it is not listed twice.
    ASSERT_EQ(seen.size(), 9u);
    for (int w : {640, 800, 1024})
        for (int bits : {8, 16, 32})
            EXPECT_EQ(std::count(seen.begin(), seen.end(), std::tuple(bits, w, w * 3 / 4)), 1) << w << " " << bits;
    EXPECT_FALSE(EnumDisplaySettings(-1, m));
    EXPECT_EQ(GetDDEnum().GetCount(), 1);
}

TEST_F(Display, OneDirectDrawAtATimeAndErrorNumbers) {
    EXPECT_EQ(ErrorNumber([] { DirectDrawCreate("{not-a-driver}"); }), dderr::InvalidDirectDrawGUID);
    auto dd = DirectDrawCreate("");
    EXPECT_EQ(ErrorNumber([] { DirectDrawCreate(""); }), dderr::DirectDrawAlreadyCreated);
    EXPECT_EQ(ErrorNumber([&] { dd->SetDisplayMode(640, 480, 8); }), dderr::Generic) << "not exclusive yet";
    EXPECT_EQ(ErrorNumber([&] { dd->SetCooperativeLevel(0, 3); }), dderr::InvalidParams);
    dd->SetCooperativeLevel(0, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    EXPECT_EQ(ErrorNumber([&] { dd->SetDisplayMode(640, 480, 24); }), dderr::InvalidParams);
    EXPECT_EQ(ErrorNumber([&] { dd->SetDisplayMode(320, 200, 8); }), dderr::InvalidParams);
    DDCaps hw, emu;
    dd->GetCaps(hw, emu);
    dd.reset();
    EXPECT_NO_THROW(DirectDrawCreate(""));  // released: a new one may be made
}

TEST_F(Display, ModeGivesThePrimaryItsSizeAndDepth) {
    struct Case {
        int32_t w, h, bits;
    } cases[] = {{640, 480, 8}, {800, 600, 16}, {1024, 768, 32}};
    for (auto c : cases) {
        auto dd = SetUpMode(c.w, c.h, c.bits);
        auto primary = Primary(*dd);
        EXPECT_EQ(primary->Width(), c.w);
        EXPECT_EQ(primary->Height(), c.h);
        EXPECT_EQ(primary->BitsPerPixel(), c.bits);
        EXPECT_EQ(GetScreenSurface(), primary->Sdl());
        EXPECT_EQ(ErrorNumber([&] { Primary(*dd); }), dderr::Generic) << "a second primary";

        SurfaceDesc desc;
        desc.lFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.lCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.lWidth = 612;
        desc.lHeight = 330;
        auto back = dd->CreateSurface(desc);
        EXPECT_EQ(back->BitsPerPixel(), c.bits);
        EXPECT_EQ(back->Width(), 612);

        // A bitmap at its own size; the size is written back into the description.
        desc.lWidth = desc.lHeight = 0;
        auto sheet = dd->CreateSurfaceFromBitmap(MakeBmp24(5, 3, std::vector<uint32_t>(15, 0)), desc);
        EXPECT_EQ(desc.lWidth, 5);
        EXPECT_EQ(desc.lHeight, 3);
        EXPECT_EQ(sheet->BitsPerPixel(), c.bits);
        desc.lWidth = 6;
        EXPECT_EQ(ErrorNumber([&] { dd->CreateSurfaceFromBitmap(MakeBmp24(5, 3, std::vector<uint32_t>(15, 0)), desc); }),
                  dderr::InvalidParams);

        int32_t ww, wh;
        GetWindowSize(ww, wh);
        EXPECT_EQ(ww, 1024);  // one desktop-sized window whatever the mode
        EXPECT_EQ(wh, 768);

        // Release in the game's order: desktop mode back, surfaces dropped, then the object.
        dd->FlipToGDISurface();
        dd->RestoreDisplayMode();
        dd->SetCooperativeLevel(0, DDSCL_NORMAL);
        EXPECT_EQ(dd->ModeWidth(), 1024);
        if (c.w != 1024) {
            EXPECT_EQ(GetScreenSurface(), nullptr);
        }
        primary.reset();
        dd.reset();
        EXPECT_EQ(GetScreenSurface(), nullptr);
    }
}

TEST_F(Display, TheChangedPrimaryIsPresentedByThePumpAndByAWait) {
    for (int bits : {8, 16, 32}) {
        auto dd = SetUpMode(640, 480, bits);
        auto primary = Primary(*dd);
        PumpMessages();  // the new, black primary is shown
        uint64_t count = LastPresent().Count;
        EXPECT_EQ(LastPresent().Width, 640);
        EXPECT_EQ(LastPresent().At(639, 479), 0u);

        PumpMessages();
        EXPECT_EQ(LastPresent().Count, count) << "nothing changed, nothing presented";

        SurfaceDesc desc{DDSD_CAPS, DDSCAPS_OFFSCREENPLAIN};
        auto red = dd->CreateSurfaceFromBitmap(MakeBmp24(2, 2, {0xFF0000, 0xFF0000, 0x0000FF, 0xFF0000}), desc);
        primary->BltFast(14, 75, red, Rect{0, 0, 2, 2}, DDBLTFAST_WAIT);
        EXPECT_TRUE(ScreenChanged());
        uint32_t deadline = TickPlus(GetTickCount(), 35);
        WaitUntilPast(deadline);
        EXPECT_TRUE(TickPast(GetTickCount(), deadline));
        EXPECT_EQ(LastPresent().Count, count + 1) << bits;
        EXPECT_EQ(LastPresent().At(14, 75), 0xFF0000u) << bits;
        EXPECT_EQ(LastPresent().At(14, 76), 0x0000FFu) << bits;
        EXPECT_EQ(LastPresent().At(13, 75), 0u) << bits;
        PumpMessages();
        EXPECT_EQ(LastPresent().Count, count + 1) << "already shown by the wait";

        primary.reset();
        dd.reset();
    }
}

TEST_F(Display, FitToWindowKeepsTheAspectWithBlackBars) {
    struct Case {
        int32_t w, h, winW, winH;
        Viewport want;
    } cases[] = {
        {640, 480, 1024, 768, {0, 0, 1024, 768}},
        {640, 480, 1280, 1024, {0, 32, 1280, 960}},
        {800, 600, 1280, 1024, {0, 32, 1280, 960}},
        {1024, 768, 1920, 1080, {240, 0, 1440, 1080}},
        {1280, 1024, 1280, 1024, {0, 0, 1280, 1024}},
        {640, 480, 0, 0, {0, 0, 0, 0}},
    };
    for (auto c : cases) {
        Viewport v = FitToWindow(c.w, c.h, c.winW, c.winH);
        EXPECT_EQ(std::tie(v.X, v.Y, v.W, v.H), std::tie(c.want.X, c.want.Y, c.want.W, c.want.H))
            << c.w << "x" << c.h << " in " << c.winW << "x" << c.winH;
    }
}

TEST(Clock, AVirtualWaitReturnsPastTheDeadlineEvenAcrossTheWrap) {
    UseVirtualClock(true, 0xFFFFFFF0u);
    uint32_t deadline = TickPlus(GetTickCount(), 35);
    WaitUntilPast(deadline);
    EXPECT_TRUE(TickPast(GetTickCount(), deadline));
    EXPECT_EQ(GetTickCount(), deadline + 1);
    uint32_t before = GetTickCount();
    WaitUntilPast(before - 5);  // already past: no time passes
    EXPECT_EQ(GetTickCount(), before);
    UseVirtualClock(false);
}

// The game's own sheets: the key read from misc is the background of every other sheet, at each
// depth, whether the sheet is palettized or 24-bit.
TEST_F(Display, TheMiscKeyIsTheBackgroundOfTheEmbeddedSheets) {
    for (int32_t bits : {8, 16, 32}) {
        auto dd = SetUpMode(640, 480, bits);
        SurfaceDesc desc{DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN};
        auto misc = dd->CreateSurfaceFromResource("", "MISC", desc);
        EXPECT_EQ(desc.lWidth, 472);
        EXPECT_EQ(desc.lHeight, 134);
        misc->Lock(Rect{}, desc, DDLOCK_WAIT | DDLOCK_READONLY);
        int32_t key = misc->GetLockedPixel(205, 1);
        misc->Unlock(Rect{});
        EXPECT_EQ(uint32_t(key), MapColor(bits, 255, 0, 255));
        for (const char* name : {"player", "bullet", "vorpex01", "vorpex35", "explode", "ice"}) {
            desc.lWidth = desc.lHeight = 0;
            auto sheet = dd->CreateSurfaceFromResource("", name, desc);
            sheet->Lock(Rect{}, desc, DDLOCK_WAIT | DDLOCK_READONLY);
            EXPECT_EQ(sheet->GetLockedPixel(0, 0), key) << name << " at " << bits << " bits";
            sheet->Unlock(Rect{});
        }
        EXPECT_EQ(ErrorNumber([&] { dd->CreateSurfaceFromResource("", "no-such-sheet", desc); }), 326);
        EXPECT_EQ(ErrorNumber([&] { dd->CreateSurfaceFromResource("other.exe", "misc", desc); }), dderr::InvalidParams);
    }
}
