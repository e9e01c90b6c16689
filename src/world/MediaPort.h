#pragma once
// The services a game run uses from the media layer, the game data loader and the menu: the
// blit helpers, queued sound playback, display and input set-up, level loads, the menu and
// the picture sequences. The program wires them to the real layers; tests record them.
#include <string>

#include "world/Game.h"

namespace gorb {

class MediaPort {
public:
    virtual ~MediaPort() = default;

    // Drawing: a keyed, clipped blit into the play area, and an opaque copy to the screen.
    virtual void BlitToBackBuffer(SurfaceId surface, BlitRect& src, BlitRect& dst, Long sheetWidth,
                                  Long sheetHeight, const char* label) = 0;
    virtual void BlitToPrimary(SurfaceId surface, BlitRect& src, BlitRect& dst, Long sheetWidth,
                               Long sheetHeight, const char* label) = 0;

    // Pixel reads for the collision test: a whole-surface read-only lock, the raw value of a
    // pixel of a locked surface in the display's own format (the colour key is compared with
    // it as it is), and the unlock. Reading outside the surface or an unlocked surface is an
    // error of the port, as it is of the display. A port without pixel data reads every pixel
    // as 0, the colour key a game starts with, so nothing ever touches.
    virtual void LockSurface(SurfaceId surface) { (void)surface; }
    virtual Long GetLockedPixel(SurfaceId surface, Long x, Long y) {
        (void)surface, (void)x, (void)y;
        return 0;
    }
    virtual void UnlockSurface(SurfaceId surface) { (void)surface; }

    // Sound: plays and clears the requests first..last (nothing unless sound is on).
    virtual void PlayQueuedSounds(SoundRequests& requests, Integer first, Integer last) = 0;
    virtual void LoadResourceSound(Integer soundNumber, const std::string& resourceName) = 0;
    virtual void ReleaseSoundBuffer(Integer soundNumber) = 0;

    // Display and sheets: leave and enter a display mode (sets the play-area origin), load
    // every sprite sheet (records their sizes), load a level background keyed.
    virtual void ReleaseDirectDraw(Game& g) = 0;
    virtual void SetupDirectX(Game& g, Integer bitDepth, Integer width, Integer height) = 0;
    virtual void SetupDirectXObjects(Game& g) = 0;
    virtual void LoadLevelBackground(Game& g, const std::string& resourceName) = 0;

    // Input.
    virtual void SetupDirectInput(Game& g) = 0;
    virtual void PollJoystick(Game& g) = 0;
    // Fills g.Controls.KeyboardState from the keyboard device. The default leaves the table as
    // it is, so a headless game keeps whatever keys were put there.
    virtual void ReadKeyboardState(Game&) {}

    // Game data: the parsed strings, at every game start.
    virtual void LoadGameData(Game& g) = 0;

    // Menu, settings and picture sequences.
    virtual void ShowMenu(Game& g, bool show) = 0;
    virtual void HideOptionFrames(Game& g) = 0;
    virtual void WriteSettings(Game& g) = 0;
    virtual void ShowUnlockedLevels(Game& g, Integer gameType) = 0;
    virtual void ShowEndScreen(Game& g) = 0;
    virtual void ShowExtroScreens(Game& g) = 0;

    // An OK-only message box.
    virtual void MessageBox(const std::string& text) = 0;
};

// A port that draws nothing and plays nothing; requests in a served range are cleared as a
// sound-on playback would. Tests and the benchmark build on it.
class SilentMedia : public MediaPort {
public:
    void BlitToBackBuffer(SurfaceId, BlitRect&, BlitRect&, Long, Long, const char*) override {}
    void BlitToPrimary(SurfaceId, BlitRect&, BlitRect&, Long, Long, const char*) override {}
    void PlayQueuedSounds(SoundRequests& requests, Integer first, Integer last) override {
        for (int n = first; n <= last; ++n) requests[n] = False;
    }
    void LoadResourceSound(Integer, const std::string&) override {}
    void ReleaseSoundBuffer(Integer) override {}
    void ReleaseDirectDraw(Game&) override {}
    void SetupDirectX(Game& g, Integer, Integer width, Integer height) override {
        g.Display.PlayAreaX = (width - 640) / 2 + 14;
        g.Display.PlayAreaY = (height - 480) / 2 + 75;
    }
    void SetupDirectXObjects(Game&) override {}
    void LoadLevelBackground(Game&, const std::string&) override {}
    void SetupDirectInput(Game&) override {}
    void PollJoystick(Game&) override {}
    void LoadGameData(Game&) override {}
    void ShowMenu(Game&, bool) override {}
    void HideOptionFrames(Game&) override {}
    void WriteSettings(Game&) override {}
    void ShowUnlockedLevels(Game&, Integer) override {}
    void ShowEndScreen(Game&) override {}
    void ShowExtroScreens(Game&) override {}
    void MessageBox(const std::string&) override {}
};

}  // namespace gorb
