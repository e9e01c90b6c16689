#pragma once
// The full-screen picture sequences: the intro at start-up, the outro before the last level
// and the end screen after the last stage. Pictures are pushed up the screen one after the
// other to a drum loop; Space skips the pushes and moves on from a still picture.
//
// The sequences draw and play through a PicturePort, so they know nothing of the display's
// surfaces: the program gives them the media layer (PictureMedia.h), tests a recorder.
#include <array>
#include <string>

#include "media/SoundNumbers.h"
#include "platform/Arithmetic.h"

namespace gorb {

class GameForm;

// The drum loop under the pushes; a main-form field that lives from sequence to sequence.
struct DrumLoop {
    std::array<Integer, 5> DrumClips{};  // entries 1..4: drum1, drum3, drum1, drum4
    Integer DrumClipIndex = 0;           // clip played last, 0 before the first
    Long DrumNextTick = 0;               // tick after which the next clip may start
    Long DrumInterval = 0;               // 1600 ms once the intro has run
};

// The main-form fields the sequences use, wherever the form keeps them. The key handler sets
// SkipRequested.
struct SequenceState {
    Boolean& SequenceActive;  // only then does Space request a skip
    Boolean& SkipRequested;
    DrumLoop& Drums;
};

// Left, top, right, bottom (right and bottom exclusive), as the blit helpers take them.
struct PictureRect {
    Long Left = 0;
    Long Top = 0;
    Long Right = 0;
    Long Bottom = 0;
    bool operator==(const PictureRect&) const = default;
};

enum class PictureSlot { Prev, Next };  // GfxPrevPicture, GfxNextPicture

class PicturePort {
public:
    virtual ~PicturePort() = default;
    // The slot := the 640 x 480 bitmap resource of that name, keyed. Throws PlatformError
    // when it cannot be made.
    virtual void LoadPicture(PictureSlot slot, const std::string& name) = 0;
    virtual void DropPicture(PictureSlot slot) = 0;
    // Copies src of the slot's picture straight onto the screen at dst (nothing for an empty
    // dst or an empty slot).
    virtual void DrawPicture(PictureSlot slot, const PictureRect& src, const PictureRect& dst) = 0;
    // Sound is ready (SoundOn is True).
    virtual bool SoundOn() const = 0;
    // Plays a numbered sound once from its own buffer, without stop or rewind.
    virtual void PlaySound(Integer number) = 0;
    // Loads a wave resource into a numbered sound buffer. Throws PlatformError on a failure.
    virtual void LoadSound(Integer number, const std::string& name) = 0;
    // Handles the pending window messages once (typed keys reach SkipRequested here).
    virtual void PumpMessages() = 0;
    // Shows what was drawn on the screen in the window now.
    virtual void ShowScreen() = 0;
    // Top-left corner of the centred 640 x 480 layout on the display.
    virtual Integer ScreenOffsetX() const = 0;
    virtual Integer ScreenOffsetY() const = 0;
};

// The intro: three pictures pushed in with 5-second holds, pushed out, then the title and
// the intro music until Space. A picture that cannot be loaded throws to the start-up.
void ShowIntroScreens(const SequenceState& s, PicturePort& port);
// The outro: the three outro pictures the same way; no still picture. A picture that cannot
// be loaded is left out (the game is running; the level flow redraws the screen after it).
void ShowExtroScreens(const SequenceState& s, PicturePort& port);
// The end picture and its music until Space, then the closing click.
void ShowEndScreen(const SequenceState& s, PicturePort& port);

// One push from prevName to nextName (either may be empty) as transition k (1..4), with its
// hold unless k is 4. With tolerateMissing, a picture that cannot be loaded is not drawn.
void ScrollPicture(const SequenceState& s, PicturePort& port, const std::string& prevName,
                   const std::string& nextName, Integer k, bool tolerateMissing = false);
// Starts the next drum clip when its time has come.
void PlayIntroLoop(const SequenceState& s, PicturePort& port);
// Returns once Space has been pressed after the call began.
void WaitForSpace(const SequenceState& s, PicturePort& port);

// The same on the main form, over the media layer.
void ShowIntroScreens(GameForm& f);
void ShowExtroScreens(GameForm& f);
void ShowEndScreen(GameForm& f);
void WaitForSpace(GameForm& f);

// Length of a hold, and the drum loop's clip interval.
inline constexpr Long kPictureHoldMs = 5000;
inline constexpr Long kDrumIntervalMs = 1600;
// The intro music under the title picture; it may still play in the menu.
inline constexpr Integer kIntroMusic = snd::IntroMusic;

}  // namespace gorb
