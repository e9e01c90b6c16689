#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "TestBitmaps.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"
#include "platform/ScreenCopy.h"

#if defined(__SANITIZE_ADDRESS__)
#define GORB_LEAK_CHECKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GORB_LEAK_CHECKS 1
#endif
#endif
#ifdef GORB_LEAK_CHECKS
#include <sanitizer/lsan_interface.h>
#endif

using namespace gorb;
using gorb::testing::MakeBmp24;

namespace {

class Display : public ::testing::Test {
protected:
    void SetUp() override { UseHeadlessHost(); }
    void TearDown() override {
        ShutdownDisplay();
        UseVirtualClock(false);
    }

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
    // A 2 x 2 sheet of pure red.
    static SurfaceRef RedSheet(DirectDraw& dd) {
        SurfaceDesc desc{DDSD_CAPS, DDSCAPS_OFFSCREENPLAIN};
        return dd.CreateSurfaceFromBitmap(MakeBmp24(2, 2, std::vector<uint32_t>(4, 0xFF0000)), desc);
    }
    // The display's window: the one borderless window.
    static SDL_Window* DisplayWindow() {
        for (uint32_t id = 1; id < 64; ++id)
            if (SDL_Window* w = SDL_GetWindowFromID(id); w && SDL_GetWindowFlags(w) & SDL_WINDOW_BORDERLESS) return w;
        return nullptr;
    }
};

// Allocations made while this lives are not reported as leaks.
struct LeaksIgnored {
#ifdef GORB_LEAK_CHECKS
    LeaksIgnored() { __lsan_disable(); }
    ~LeaksIgnored() { __lsan_enable(); }
#else
    LeaksIgnored() {}
    ~LeaksIgnored() {}
#endif
    LeaksIgnored(const LeaksIgnored&) = delete;
    LeaksIgnored& operator=(const LeaksIgnored&) = delete;
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

// Another part of the program quitting SDL takes the window, its renderer and texture with it.
// Until the next window the pump and the waits present nothing, also once the video is up again
// (a stale window must not be taken for a live one), and the next primary is shown as usual.
TEST_F(Display, VideoQuitUnderneathPresentsNothingUntilTheNextWindow) {
    std::shared_ptr<DirectDraw> dd;
    SurfaceRef primary;
    uint64_t count = 0;
    {
        // SDL_Quit frees the window but not the renderer and texture made for it, and leaves no
        // safe way to free them afterwards: that leak is SDL's, provoked here on purpose.
        LeaksIgnored sdlLeaks;
        dd = SetUpMode(640, 480, 32);
        primary = Primary(*dd);
        PumpMessages();
        count = LastPresent().Count;
        SDL_Quit();
    }
    MarkScreenChanged();
    PumpMessages();
    UseHeadlessHost();  // the video is back, without our window
    MarkScreenChanged();
    PumpMessages();
    WaitUntilPast(TickPlus(GetTickCount(), 5));
    EXPECT_EQ(LastPresent().Count, count);
    int32_t w = -1, h = -1;
    GetWindowSize(w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);

    primary.reset();
    dd.reset();
    dd = SetUpMode(640, 480, 32);
    primary = Primary(*dd);
    PumpMessages();
    EXPECT_EQ(LastPresent().Count, count + 1);
    GetWindowSize(w, h);
    EXPECT_GT(w, 0);
}

// Closing the display leaves nothing behind for whatever runs next in the process.
TEST_F(Display, ShutdownRemovesTheHooksAndTheScreen) {
    auto dd = SetUpMode(640, 480, 32);
    auto primary = Primary(*dd);
    PumpMessages();
    const uint64_t count = LastPresent().Count;
    ShutdownDisplay();
    EXPECT_EQ(GetScreenSurface(), nullptr);
    MarkScreenChanged();
    RunPumpHooks();
    WaitUntilPast(TickPlus(GetTickCount(), 5));
    EXPECT_EQ(LastPresent().Count, count);
}

// Random opaque copies onto the primary, a present after each few, as the game draws: the window
// then shows exactly what one present of the whole screen shows, in every mode and depth of the
// menu (scaled to the dummy desktop's 1024 x 768; at 1024 x 768 x 32 the primary is the window's
// framebuffer itself) and on both paths to the window.
TEST_F(Display, PresentingOnlyTheChangedRectanglesShowsWhatAWholePresentWould) {
    for (bool renderer : {false, true}) {
        ShutdownDisplay();
        PreferRenderer(renderer);
        UseHeadlessHost();
        for (int32_t w : {640, 800, 1024}) {
            for (int32_t bits : {8, 16, 32}) {
                const int32_t h = w * 3 / 4;
                auto dd = SetUpMode(w, h, bits);
                auto primary = Primary(*dd);
                PumpMessages();
                std::mt19937 rng(uint32_t(w * 100 + bits));
                std::vector<uint32_t> colours(64 * 48);
                for (uint32_t& c : colours) c = rng() & 0xFFFFFF;
                SurfaceDesc desc{DDSD_CAPS, DDSCAPS_OFFSCREENPLAIN};
                auto sheet = dd->CreateSurfaceFromBitmap(MakeBmp24(64, 48, colours), desc);
                const uint64_t before = LastPresent().Count;
                for (int round = 0; round < 12; ++round) {
                    for (int k = 0; k < 3; ++k) {
                        const int32_t sw = 1 + int32_t(rng() % 64), sh = 1 + int32_t(rng() % 48);
                        const int32_t x = int32_t(rng() % uint32_t(w - sw + 1)), y = int32_t(rng() % uint32_t(h - sh + 1));
                        primary->BltFast(x, y, sheet, Rect{0, 0, sw, sh}, DDBLTFAST_WAIT);
                    }
                    PumpMessages();
                }
                EXPECT_EQ(LastPresent().Count, before + 12);
                std::vector<uint32_t> changed, whole;
                int32_t ww = 0, wh = 0;
                ASSERT_TRUE(ReadWindowPicture(changed, ww, wh));
                EXPECT_EQ(ww, 1024);
                MarkScreenChanged();
                PumpMessages();
                ASSERT_TRUE(ReadWindowPicture(whole, ww, wh));
                size_t differ = 0;
                for (size_t i = 0; i < whole.size(); ++i) differ += changed[i] != whole[i];
                EXPECT_EQ(differ, 0u) << w << " x " << h << " x " << bits << (renderer ? " renderer" : " framebuffer");
                EXPECT_EQ(primary->OwnsPixels(), renderer || w != 1024 || bits != 32) << w << " x " << bits;
                primary.reset();
                dd.reset();
            }
        }
    }
    PreferRenderer(false);
}

// A primary that lives in the window's framebuffer keeps its picture in memory of its own when
// the framebuffer goes: the window resized under it (met by the pump's window event, or before
// any pump by the present of a frame that drew), or the mode changed while it is still held.
TEST_F(Display, APrimaryInTheFramebufferMovesOutBeforeTheFramebufferGoes) {
    for (bool presentFirst : {false, true}) {
        SCOPED_TRACE(presentFirst ? "resize met by a present" : "resize met by the pump");
        auto dd = SetUpMode(1024, 768, 32);
        auto primary = Primary(*dd);
        ASSERT_FALSE(primary->OwnsPixels());
        auto red = RedSheet(*dd);
        primary->BltFast(100, 100, red, Rect{0, 0, 2, 2}, DDBLTFAST_WAIT);
        PumpMessages();
        EXPECT_EQ(LastPresent().At(100, 100), 0xFF0000u);

        SDL_Window* window = DisplayWindow();
        ASSERT_NE(window, nullptr);
        SDL_SetWindowSize(window, 800, 600);
        if (presentFirst) {
            primary->BltFast(200, 200, red, Rect{0, 0, 2, 2}, DDBLTFAST_WAIT);
            PresentScreen();
        } else {
            PumpMessages();
        }
        EXPECT_TRUE(primary->OwnsPixels());
        std::vector<uint32_t> shown;
        int32_t ww = 0, wh = 0;
        ASSERT_TRUE(ReadWindowPicture(shown, ww, wh));
        ASSERT_EQ(ww, 800);
        // 1024 x 768 into 800 x 600: screen pixel 100 shows at window pixel 79 (100 * 0.78125 = 78.1).
        EXPECT_EQ(shown[size_t(79) * 800 + 79], 0xFF0000u);
        primary->BltFast(0, 0, red, Rect{0, 0, 2, 2}, DDBLTFAST_WAIT);  // its own memory now
        PumpMessages();
        ASSERT_TRUE(ReadWindowPicture(shown, ww, wh));
        EXPECT_EQ(shown[0], 0xFF0000u);

        // Back at the desktop's size a new primary is in the framebuffer again; a mode change while
        // it is still held leaves it its picture.
        SDL_SetWindowSize(window, 1024, 768);
        PumpMessages();
        primary.reset();
        dd.reset();
        dd = SetUpMode(1024, 768, 32);
        primary = Primary(*dd);
        ASSERT_FALSE(primary->OwnsPixels());
        primary->BltFast(7, 7, red, Rect{0, 0, 2, 2}, DDBLTFAST_WAIT);
        dd->SetDisplayMode(640, 480, 32);
        EXPECT_TRUE(primary->OwnsPixels());
        SurfaceDesc lock;
        primary->Lock(Rect{}, lock, DDLOCK_WAIT);
        EXPECT_EQ(uint32_t(primary->GetLockedPixel(7, 7)), 0xFF0000u);
        primary->Unlock(Rect{});
    }
}

// The copy into the window on its own: after a whole copy, copies of changed rectangles give the
// picture a whole copy of the final screen gives, at every depth, into windows of both pixel
// formats, scaled up with bars at the sides or above and below, scaled down, and unscaled.
TEST(ScreenCopy, ChangedRectanglesGiveThePictureOfAWholeCopy) {
    struct Case {
        int w, h, winW, winH;
    } cases[] = {{640, 480, 1024, 768}, {640, 480, 1920, 1080}, {800, 600, 1280, 1024}, {1024, 768, 800, 600}, {640, 480, 640, 480}};
    std::mt19937 rng(7);
    for (auto c : cases) {
        for (int bits : {8, 16, 32}) {
            for (uint32_t winFormat : {uint32_t(SDL_PIXELFORMAT_RGB888), uint32_t(SDL_PIXELFORMAT_RGB565)}) {
                Surface screen(c.w, c.h, bits);
                SDL_Surface* s = screen.Sdl();
                const int bpp = bits / 8;
                auto scribble = [&](SDL_Rect r) {
                    for (int y = r.y; y < r.y + r.h; ++y) {
                        uint8_t* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
                        for (int x = r.x * bpp; x < (r.x + r.w) * bpp; ++x) row[x] = uint8_t(rng());
                    }
                };
                scribble(SDL_Rect{0, 0, c.w, c.h});
                const int winBits = SDL_BITSPERPIXEL(winFormat) == 24 ? 32 : 16;
                SDL_Surface* changed = SDL_CreateRGBSurfaceWithFormat(0, c.winW, c.winH, winBits, winFormat);
                SDL_Surface* whole = SDL_CreateRGBSurfaceWithFormat(0, c.winW, c.winH, winBits, winFormat);
                ASSERT_TRUE(changed && whole);
                const Viewport v = FitToWindow(c.w, c.h, c.winW, c.winH);
                const SDL_Rect view{v.X, v.Y, v.W, v.H};
                CopyScreenRect(s, SDL_Rect{0, 0, c.w, c.h}, changed, view);
                for (int k = 0; k < 40; ++k) {
                    SDL_Rect r{int(rng() % uint32_t(c.w)), int(rng() % uint32_t(c.h)), 0, 0};
                    r.w = 1 + int(rng() % uint32_t(std::min(97, c.w - r.x)));
                    r.h = 1 + int(rng() % uint32_t(std::min(61, c.h - r.y)));
                    scribble(r);
                    const SDL_Rect out = CopyScreenRect(s, r, changed, view);
                    const SDL_Rect want = WindowRectOf(r, c.w, c.h, view);
                    EXPECT_TRUE(out.x == want.x && out.y == want.y && out.w == want.w && out.h == want.h);
                }
                CopyScreenRect(s, SDL_Rect{0, 0, c.w, c.h}, whole, view);
                size_t differ = 0;
                for (int y = 0; y < c.winH; ++y)
                    differ += std::memcmp(static_cast<uint8_t*>(changed->pixels) + y * changed->pitch,
                                          static_cast<uint8_t*>(whole->pixels) + y * whole->pitch,
                                          size_t(c.winW) * size_t(winBits / 8)) != 0;
                EXPECT_EQ(differ, 0u) << c.w << "x" << c.h << " in " << c.winW << "x" << c.winH << " bits " << bits
                                      << " window " << SDL_GetPixelFormatName(winFormat);
                // The bars are never written; the corner of the picture shows screen pixel (0, 0).
                if (v.X > 0) {
                    EXPECT_EQ(static_cast<uint8_t*>(whole->pixels)[0], 0);
                }
                if (bits == 32 && winFormat == SDL_PIXELFORMAT_RGB888) {
                    const uint32_t corner = *reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(whole->pixels) +
                                                                              v.Y * whole->pitch + v.X * 4);
                    EXPECT_EQ(corner, *static_cast<const uint32_t*>(s->pixels) & 0xFFFFFFu);
                }
                SDL_FreeSurface(changed);
                SDL_FreeSurface(whole);
            }
        }
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
