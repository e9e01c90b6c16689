#pragma once
// Everything a game run needs from outside the game world, as one interface: drawing, pixel
// reads, sound, display and input set-up, level loads, time, waiting, presenting and the
// message pump, the game data, the menu and the picture sequences. The world calls nothing
// else: it includes no SDL and links no platform code. The program's port is the front end's
// LiveMedia over the media layer; tests and benchmarks give a recording one.
//
// The port keeps no game state of its own: whatever a call measures or changes (the play
// area's origin, the colour key, the sheet sizes, the joystick, the keyboard table, the sound
// requests and rings) is written into the Game it is given.
#include <cstdint>
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
    // error of the port, as it is of the display.
    virtual void LockSurface(SurfaceId surface) = 0;
    virtual Long GetLockedPixel(SurfaceId surface, Long x, Long y) = 0;
    virtual void UnlockSurface(SurfaceId surface) = 0;

    // Sound: whether it is on (the sound set-up succeeded); plays and clears the requests
    // first..last, advancing the rings (nothing unless sound is on); loads a wave resource into
    // a sound number; releases a number's buffer.
    virtual bool SoundOn() const = 0;
    virtual void PlayQueuedSounds(SoundRequests& requests, Integer first, Integer last) = 0;
    virtual void LoadResourceSound(Integer soundNumber, const std::string& resourceName) = 0;
    virtual void ReleaseSoundBuffer(Integer soundNumber) = 0;

    // Display and sheets: leave and enter a display mode (places the play area, reads the
    // colour key into g.Display), load every sprite sheet (their sizes into g.Sheets), load a
    // level background keyed.
    virtual void ReleaseDirectDraw(Game& g) = 0;
    virtual void SetupDirectX(Game& g, Long bitDepth, Long width, Long height) = 0;
    virtual void SetupDirectXObjects(Game& g) = 0;
    virtual void LoadLevelBackground(Game& g, const std::string& resourceName) = 0;

    // Input: the keyboard, and the joystick when g.Flags.JoystickMode is set (cleared when none
    // is attached); its event writes g.Controls' joystick fields when messages are pumped. The
    // frame's poll of the stick. The keyboard's state into g.Controls.KeyboardState.
    virtual void SetupDirectInput(Game& g) = 0;
    virtual void PollJoystick(Game& g) = 0;
    virtual void ReadKeyboardState(Game& g) = 0;

    // Time and messages: the millisecond tick count (wrapping at 2^32); a wait until the count
    // is past a deadline, which handles no messages; a short rest of an idle loop (a paused
    // game), in which game time does not pass; what was drawn on the screen shown in the window
    // now; and one turn of the message pump, where key presses and the joystick event arrive.
    virtual uint32_t GetTickCount() = 0;
    virtual void WaitUntilPast(uint32_t deadline) = 0;
    virtual void Rest(uint32_t ms) = 0;
    virtual void PresentScreen() = 0;
    virtual void PumpMessages() = 0;

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

}  // namespace gorb
