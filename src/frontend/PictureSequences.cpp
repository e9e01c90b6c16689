#include "frontend/PictureSequences.h"

#include "frontend/GameForm.h"
#include "media/Blit.h"
#include "platform/Clock.h"
#include "platform/MessagePump.h"

namespace gorb {

namespace {
constexpr int kIntroMusic = 81;
constexpr int kEndClick = 87;
}  // namespace

void ShowStillPicture(GameForm& f, std::string_view name) {
    DisplayObjects& d = f.Media.Display;
    d.SurfaceDescription.lFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    d.SurfaceDescription.lCaps = DDSCAPS_OFFSCREENPLAIN;
    d.SurfaceDescription.lWidth = 0;
    d.SurfaceDescription.lHeight = 0;
    d.GfxNextPicture = d.DDraw->CreateSurfaceFromResource("", name, d.SurfaceDescription);
    d.GfxNextPicture->SetColorKey(DDCKEY_SRCBLT, d.Key);
    const DisplayState& s = f.G->Display;
    f.DisplayF.SrcRect = BlitRect{0, 0, 640, 480};
    f.DisplayF.DestRect = BlitRect{s.ScreenOffsetX, s.ScreenOffsetY, s.ScreenOffsetX + 640, s.ScreenOffsetY + 480};
    BlitToPrimary(f.Media, d.GfxNextPicture, f.DisplayF.SrcRect, f.DisplayF.DestRect, 640, 480, "BackBuffer");
}

void WaitForSpace(GameForm& f) {
    f.SkipRequested = False;
    while (f.SkipRequested != True) {
        PumpMessages();
        // Yield between pumps; a still picture needs no faster turns.
        if (f.SkipRequested != True) WaitUntilPast(TickPlus(GetTickCount(), 5));
    }
}

void ShowIntroScreens(GameForm& f) {
    f.SequenceActive = True;
    ShowStillPicture(f, "intro04");
    PumpMessages();
    f.PlaySound(kIntroMusic);
    WaitForSpace(f);
    f.SequenceActive = False;
    f.Media.Display.GfxPrevPicture.reset();
    f.Media.Display.GfxNextPicture.reset();
}

void ShowExtroScreens(GameForm& f) {
    f.SequenceActive = False;
    f.Media.Display.GfxPrevPicture.reset();
    f.Media.Display.GfxNextPicture.reset();
}

void ShowEndScreen(GameForm& f) {
    f.SequenceActive = True;
    ShowStillPicture(f, "end");
    PumpMessages();
    WaitForSpace(f);
    f.PlaySound(kEndClick);
    f.SequenceActive = False;
    f.Media.Display.GfxNextPicture.reset();
}

}  // namespace gorb
