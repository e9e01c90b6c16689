// Shows a test card in a display mode for a few seconds, for checking the full-screen window by
// eye or by screenshot: display-card WIDTH HEIGHT BITS SECONDS.
// The card: a 1-pixel orange border, eight colour bars, a white frame round the play area, and a
// keyed sprite whose key-coloured pixels must not show (its magenta ring stays invisible).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"
#include "TestBitmaps.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: display-card WIDTH HEIGHT BITS SECONDS\n");
        return 2;
    }
    int w = std::atoi(argv[1]), h = std::atoi(argv[2]), bits = std::atoi(argv[3]), seconds = std::atoi(argv[4]);
    try {
        auto dd = gorb::DirectDrawCreate("");
        dd->SetCooperativeLevel(0, gorb::DDSCL_FULLSCREEN | gorb::DDSCL_EXCLUSIVE);
        dd->SetDisplayMode(w, h, bits);
        gorb::SurfaceDesc desc{gorb::DDSD_CAPS, gorb::DDSCAPS_PRIMARYSURFACE};
        auto primary = dd->CreateSurface(desc);

        const uint32_t bars[8] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
        std::vector<uint32_t> card(size_t(w) * size_t(h));
        int px = (w - 612) / 2, py = (h - 330) / 2;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t c = bars[x * 8 / w];
                if (c == 0xFF00FF) c = 0xC000C0;  // the key colour is shown nowhere
                bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                bool frame = (x == px - 1 || x == px + 612) && y >= py - 1 && y <= py + 330;
                frame |= (y == py - 1 || y == py + 330) && x >= px - 1 && x <= px + 612;
                if (border) c = 0xFF8000;
                else if (frame) c = 0xFFFFFF;
                card[size_t(y) * size_t(w) + size_t(x)] = c;
            }
        gorb::SurfaceDesc sheet{gorb::DDSD_CAPS | gorb::DDSD_WIDTH | gorb::DDSD_HEIGHT, gorb::DDSCAPS_OFFSCREENPLAIN};
        auto cardSurface = dd->CreateSurfaceFromBitmap(gorb::testing::MakeBmp24(w, h, card), sheet);
        primary->BltFast(0, 0, cardSurface, gorb::Rect{0, 0, w, h}, gorb::DDBLTFAST_WAIT);

        // A 64 x 64 sprite: a grey disc inside a key-coloured ring and corners.
        std::vector<uint32_t> sprite(64 * 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                int dx = x - 32, dy = y - 32;
                sprite[size_t(y) * 64 + size_t(x)] = dx * dx + dy * dy < 20 * 20 ? 0x808080 : 0xFF00FF;
            }
        sheet.lWidth = sheet.lHeight = 0;
        auto spriteSurface = dd->CreateSurfaceFromBitmap(gorb::testing::MakeBmp24(64, 64, sprite), sheet);
        gorb::SurfaceDesc lockDesc;
        spriteSurface->Lock(gorb::Rect{}, lockDesc, gorb::DDLOCK_WAIT | gorb::DDLOCK_READONLY);
        int32_t key = spriteSurface->GetLockedPixel(0, 0);
        spriteSurface->Unlock(gorb::Rect{});
        spriteSurface->SetColorKey(gorb::DDCKEY_SRCBLT, gorb::ColorKey{key, key});
        primary->Blt(gorb::Rect{w / 2 - 32, h / 2 - 32, w / 2 + 32, h / 2 + 32}, spriteSurface, gorb::Rect{0, 0, 64, 64},
                     gorb::DDBLT_KEYSRC);

        uint32_t end = gorb::TickPlus(gorb::GetTickCount(), int64_t(seconds) * 1000);
        while (!gorb::TickPast(gorb::GetTickCount(), end)) {
            gorb::PumpMessages();
            gorb::WaitUntilPast(gorb::TickPlus(gorb::GetTickCount(), 35));
        }
        int32_t ww, wh;
        gorb::GetWindowSize(ww, wh);
        std::printf("mode %dx%dx%d in a %dx%d window, %llu presents\n", w, h, bits, ww, wh,
                    static_cast<unsigned long long>(gorb::LastPresent().Count));
    } catch (const gorb::PlatformError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.Number, e.Description.c_str());
        return 1;
    }
    gorb::ShutdownDisplay();
    return 0;
}
