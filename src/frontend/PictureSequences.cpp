#include "frontend/PictureSequences.h"

#include "frontend/GameForm.h"
#include "frontend/PictureMedia.h"
#include "platform/Clock.h"
#include "platform/PlatformError.h"

namespace gorb {

namespace {

constexpr Long kPictureWidth = 640;
constexpr Long kPictureHeight = 480;
// Holds and still pictures pump messages in slices of this many milliseconds, so a waiting
// sequence leaves the processor alone without noticeably delaying a key or a drum clip.
constexpr uint32_t kIdleSliceMs = 5;

constexpr Integer kEndMusic = snd::BossVoiceA;  // the level's boss voice gives way to it
constexpr Integer kClosingClick = snd::Click3;

void LoadOrSkip(PicturePort& port, PictureSlot slot, const std::string& name, bool tolerateMissing) {
    if (name.empty()) return;
    if (!tolerateMissing) {
        port.LoadPicture(slot, name);
        return;
    }
    try {
        port.LoadPicture(slot, name);
    } catch (const PlatformError&) {
        // The game is running: the push goes on without this picture.
    }
}

// Draws a whole picture at the layout position.
void DrawWhole(PicturePort& port, PictureSlot slot) {
    const Long x0 = port.ScreenOffsetX();
    const Long y0 = port.ScreenOffsetY();
    port.DrawPicture(slot, {0, 0, kPictureWidth, kPictureHeight}, {x0, y0, x0 + kPictureWidth, y0 + kPictureHeight});
}

// One picture of a push, its destination rows top..bottom kept within the layout's rows.
void DrawPushed(PicturePort& port, PictureSlot slot, Long x0, Long y0, Long top, Long bottom) {
    PictureRect src{0, 0, kPictureWidth, kPictureHeight};
    PictureRect dst{x0, top, x0 + kPictureWidth, bottom};
    if (dst.Top < y0) {
        src.Top += y0 - dst.Top;
        dst.Top = y0;
    }
    if (dst.Bottom > y0 + kPictureHeight) {
        src.Bottom -= dst.Bottom - (y0 + kPictureHeight);
        dst.Bottom = y0 + kPictureHeight;
    }
    port.DrawPicture(slot, src, dst);
}

// Pumps messages (and the drum loop when asked) until the tick count passes end or Space.
void PumpUntil(const SequenceState& s, PicturePort& port, uint32_t end, bool drums) {
    while (!TickPast(GetTickCount(), end)) {
        port.PumpMessages();
        if (drums) PlayIntroLoop(s, port);
        if (s.SkipRequested == True) return;
        uint32_t next = TickPlus(GetTickCount(), kIdleSliceMs - 1);
        if (TickPast(next, end)) next = end;
        WaitUntilPast(next);
    }
}

// The four pushes of a pushed sequence: nothing -> 1, 1 -> 2, 2 -> 3, 3 -> nothing.
void PushPictures(const SequenceState& s, PicturePort& port, const std::string& stem, bool tolerateMissing) {
    std::string prev;
    for (Integer k = 1; k <= 4; ++k) {
        const std::string next = k <= 3 ? stem + static_cast<char>('0' + k) : std::string();
        ScrollPicture(s, port, prev, next, k, tolerateMissing);
        if (s.SkipRequested == True) break;
        prev = next;
    }
}

void ArmDrums(const SequenceState& s) {
    s.Drums.DrumClipIndex = 0;
    s.Drums.DrumNextTick = 0;
}

}  // namespace

void PlayIntroLoop(const SequenceState& s, PicturePort& port) {
    if (!port.SoundOn()) return;
    const uint32_t now = GetTickCount();
    // The first clip of a sequence starts at once (the next tick is still 0 then); testing the
    // index keeps that true on a tick counter past half its range.
    DrumLoop& d = s.Drums;
    if (d.DrumClipIndex != 0 && !TickPast(now, static_cast<uint32_t>(d.DrumNextTick))) return;
    d.DrumClipIndex = static_cast<Integer>(d.DrumClipIndex + 1);
    if (d.DrumClipIndex > 4 || d.DrumClipIndex < 1) d.DrumClipIndex = 1;
    port.PlaySound(d.DrumClips[static_cast<size_t>(d.DrumClipIndex)]);
    d.DrumNextTick = static_cast<Long>(TickPlus(now, d.DrumInterval));
}

void WaitForSpace(const SequenceState& s, PicturePort& port) {
    s.SkipRequested = False;
    for (;;) {
        port.PumpMessages();
        if (s.SkipRequested == True) return;
        WaitUntilPast(TickPlus(GetTickCount(), kIdleSliceMs - 1));
    }
}

void ScrollPicture(const SequenceState& s, PicturePort& port, const std::string& prevName, const std::string& nextName,
                   Integer k, bool tolerateMissing) {
    const Long x0 = port.ScreenOffsetX();
    const Long y0 = port.ScreenOffsetY();
    Long delay = 30;
    port.DropPicture(PictureSlot::Prev);
    port.DropPicture(PictureSlot::Next);
    s.SkipRequested = False;
    LoadOrSkip(port, PictureSlot::Prev, prevName, tolerateMissing);
    LoadOrSkip(port, PictureSlot::Next, nextName, tolerateMissing);

    // The outgoing picture rises from its place to fully above the layout, the incoming one
    // from fully below into its place, one pixel a step; the steps slow down at both ends.
    for (Long p = y0 + 960; p >= y0 + 480; --p) {
        const uint32_t deadline = TickPlus(GetTickCount(), delay);
        if (k > 1) DrawPushed(port, PictureSlot::Prev, x0, y0, p - 960, p - 480);
        if (k < 4) DrawPushed(port, PictureSlot::Next, x0, y0, p - 480, p);
        if (p < y0 + 500) ++delay;
        if (p > y0 + 940) --delay;
        // The step is on screen while it waits, and showing it is part of the step's time.
        port.ShowScreen();
        WaitUntilPast(deadline);
        port.PumpMessages();
        if (s.SkipRequested == True) return;
        PlayIntroLoop(s, port);
    }
    if (k == 4) return;  // the last push has no hold
    PumpUntil(s, port, TickPlus(GetTickCount(), kPictureHoldMs), true);
}

void ShowIntroScreens(const SequenceState& s, PicturePort& port) {
    s.SequenceActive = True;
    ArmDrums(s);
    s.Drums.DrumInterval = kDrumIntervalMs;
    s.Drums.DrumClips = {0, snd::Drum1, snd::Drum3, snd::Drum1, snd::Drum4};
    PushPictures(s, port, "INTRO0", false);
    port.LoadPicture(PictureSlot::Next, "intro04");
    DrawWhole(port, PictureSlot::Next);
    port.PumpMessages();
    if (port.SoundOn()) port.PlaySound(kIntroMusic);
    WaitForSpace(s, port);
    s.SequenceActive = False;
    port.DropPicture(PictureSlot::Prev);
    port.DropPicture(PictureSlot::Next);
}

void ShowExtroScreens(const SequenceState& s, PicturePort& port) {
    s.SequenceActive = True;
    ArmDrums(s);  // clips and interval stay as the intro set them
    PushPictures(s, port, "EXTRO0", true);
    port.DropPicture(PictureSlot::Prev);
    port.DropPicture(PictureSlot::Next);
    // The sequence is over: a Space typed in the last level must not count as a skip.
    s.SequenceActive = False;
}

void ShowEndScreen(const SequenceState& s, PicturePort& port) {
    s.SequenceActive = True;
    try {
        port.LoadPicture(PictureSlot::Next, "end");
        DrawWhole(port, PictureSlot::Next);
    } catch (const PlatformError&) {
        // Without its picture the end screen still waits for Space and ends the game.
    }
    port.PumpMessages();
    if (port.SoundOn()) {
        try {
            port.LoadSound(kEndMusic, "end03c");
            port.PlaySound(kEndMusic);
        } catch (const PlatformError&) {
            // No end music; the still picture is shown all the same.
        }
    }
    WaitForSpace(s, port);
    if (port.SoundOn()) port.PlaySound(kClosingClick);
    s.SequenceActive = False;
    port.DropPicture(PictureSlot::Next);
}

namespace {

MediaPictures PicturesOf(GameForm& f) {
    return MediaPictures(f.Media, *f.G);
}

}  // namespace

void ShowIntroScreens(GameForm& f) {
    MediaPictures port = PicturesOf(f);
    ShowIntroScreens(f.Sequence(), port);
}

void ShowExtroScreens(GameForm& f) {
    MediaPictures port = PicturesOf(f);
    ShowExtroScreens(f.Sequence(), port);
}

void ShowEndScreen(GameForm& f) {
    MediaPictures port = PicturesOf(f);
    ShowEndScreen(f.Sequence(), port);
}

void WaitForSpace(GameForm& f) {
    MediaPictures port = PicturesOf(f);
    WaitForSpace(f.Sequence(), port);
}

}  // namespace gorb
