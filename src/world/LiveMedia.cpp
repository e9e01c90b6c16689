#include "world/LiveMedia.h"

#include "media/Blit.h"
#include "media/DisplaySetup.h"
#include "media/ErrorLog.h"
#include "media/InputSetup.h"
#include "media/SoundSetup.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"

namespace gorb {

namespace {

constexpr int32_t kReadLock = DDLOCK_WAIT | DDLOCK_READONLY;

void CopyJoystick(const JoystickFields& from, PlayerControls& to) {
    to.JoystickX = from.JoystickX;
    to.JoystickY = from.JoystickY;
    to.JoystickFire = from.JoystickFire;
    to.JoystickBomb = from.JoystickBomb;
    to.JoystickEject = from.JoystickEject;
}

}  // namespace

LiveMedia::LiveMedia(MediaState& media, DisplayFields& display, SoundFields& sound, JoystickFields& joystick,
                     const JoystickSettings& joySettings)
    : media_(media), display_(display), sound_(sound), joystick_(joystick), joySettings_(joySettings) {}

const SurfaceRef& LiveMedia::Sheet(SurfaceId id) const {
    const DisplayObjects& d = media_.Display;
    if (id >= 1 && id <= kVorpexSheetCount) return d.VorpexSheets[static_cast<size_t>(id)];
    switch (id) {
        case surf::Player: return d.GfxPlayer;
        case surf::Explode: return d.GfxExplode;
        case surf::Ice: return d.GfxIce;
        case surf::Bullet: return d.GfxBullet;
        case surf::Tiles: return d.GfxTiles;
        case surf::Misc: return d.GfxMisc;
        case surf::Screen: return d.GfxScreen;
        case surf::BackBuffer: return d.BackBuffer;
        default: return none_;
    }
}

// --- Drawing ----------------------------------------------------------------------------------

void LiveMedia::BlitToBackBuffer(SurfaceId surface, BlitRect& src, BlitRect& dst, Long sheetWidth,
                                 Long sheetHeight, const char* label) {
    gorb::BlitToBackBuffer(media_, Sheet(surface), src, dst, sheetWidth, sheetHeight, label);
}

void LiveMedia::BlitToPrimary(SurfaceId surface, BlitRect& src, BlitRect& dst, Long sheetWidth, Long sheetHeight,
                              const char* label) {
    gorb::BlitToPrimary(media_, Sheet(surface), src, dst, sheetWidth, sheetHeight, label);
}

// The collision test's reads go through the one shared description and lock rectangle, as
// every lock of the game does; a failing lock or read is the display's error and is thrown on.
void LiveMedia::LockSurface(SurfaceId surface) {
    const SurfaceRef& s = Sheet(surface);
    if (!s) throw PlatformError(err::ObjectNotSet, "Object variable or With block variable not set");
    DisplayObjects& d = media_.Display;
    s->Lock(d.LockRect, d.SurfaceDescription, kReadLock);
}

Long LiveMedia::GetLockedPixel(SurfaceId surface, Long x, Long y) {
    const SurfaceRef& s = Sheet(surface);
    if (!s) throw PlatformError(err::ObjectNotSet, "Object variable or With block variable not set");
    return s->GetLockedPixel(x, y);
}

void LiveMedia::UnlockSurface(SurfaceId surface) {
    const SurfaceRef& s = Sheet(surface);
    if (s) s->Unlock(media_.Display.LockRect);
}

// --- Sound ------------------------------------------------------------------------------------

void LiveMedia::PlayQueuedSounds(SoundRequests& requests, Integer first, Integer last) {
    // Without sound nothing is played, cleared or advanced: nothing to copy either way.
    if (sound_.SoundOn != True) return;
    // The world keeps its own requests and rings; the media layer plays from its fields, and
    // what it cleared and advanced goes back.
    SoundFields& s = sound_;
    for (int n = first; n <= last; ++n) s.SoundRequests.at(static_cast<size_t>(n)) = requests[n];
    static_cast<ChannelRings&>(s) = requests;
    gorb::PlayQueuedSounds(media_.Sound, s, first, last);
    for (int n = first; n <= last; ++n) requests[n] = s.SoundRequests[static_cast<size_t>(n)];
    static_cast<ChannelRings&>(requests) = s;
}

void LiveMedia::LoadResourceSound(Integer soundNumber, const std::string& resourceName) {
    // Without a sound device there is nothing to load into.
    if (sound_.SoundOn != True) return;
    try {
        gorb::LoadResourceSound(media_.Sound, soundNumber, resourceName);
    } catch (const PlatformError& e) {
        RunTimeError(e);
    }
}

void LiveMedia::ReleaseSoundBuffer(Integer soundNumber) {
    if (soundNumber < 0 || soundNumber > kSoundCount) return;
    media_.Sound.SoundBuffers[static_cast<size_t>(soundNumber)].Release();
}

// --- Display and sheets -----------------------------------------------------------------------

void LiveMedia::ReleaseDirectDraw(Game&) { gorb::ReleaseDirectDraw(media_); }

void LiveMedia::SetupDirectX(Game& g, Integer bitDepth, Integer width, Integer height) {
    gorb::SetupDirectX(media_, display_, bitDepth, width, height);
    SyncDisplay(g);
}

void LiveMedia::SetupDirectXObjects(Game& g) {
    gorb::SetupDirectXObjects(media_, display_);
    SyncDisplay(g);
}

void LiveMedia::LoadLevelBackground(Game&, const std::string& resourceName) {
    DisplayObjects& d = media_.Display;
    try {
        if (!d.DDraw) throw PlatformError(err::ObjectNotSet, "Object variable or With block variable not set");
        DescribePlainSurface(d, 0, 0);
        LoadKeyedResource(d, d.GfxScreen, resourceName);
    } catch (const PlatformError& e) {
        RunTimeError(e);
    }
}

void LiveMedia::SyncDisplay(Game& g) const {
    DisplayState& d = g.Display;
    d.PlayAreaX = media_.Display.PlayAreaX;
    d.PlayAreaY = media_.Display.PlayAreaY;
    d.ColorKeyPixel = display_.ColorKeyPixel;
    g.Sheets = static_cast<const SheetSizes&>(display_);
}

// --- Input ------------------------------------------------------------------------------------

void LiveMedia::SetupDirectInput(Game& g) {
    joystick_.JoystickMode = g.Flags.JoystickMode;
    gorb::SetupDirectInput(media_, joystick_, joySettings_);
    g.Flags.JoystickMode = joystick_.JoystickMode;
    CopyJoystick(joystick_, g.Controls);
}

void LiveMedia::PollJoystick(Game& g) {
    InputObjects& in = media_.Input;
    if (in.Joystick) {
        try {
            in.Joystick->Poll();
        } catch (const PlatformError&) {
            // A lost stick: the next event re-acquires it and the last state stands.
        }
    }
    // What the event delivered since the last frame (at the message pump) is the state the
    // player reads in this one.
    CopyJoystick(joystick_, g.Controls);
}

void LiveMedia::ReadKeyboardState(Game& g) {
    gorb::ReadKeyboardState(media_.Input);
    g.Controls.KeyboardState = media_.Input.KeyboardState;
}

// --- Game data --------------------------------------------------------------------------------

bool LoadStringTableGameData(Game& g, const DataStopHooks& hooks) {
    return gorb::LoadGameData(g.Types, g.Data, g.Flags.BossDifficulty, [](int id) { return res::LoadString(id); },
                              hooks);
}

void LiveMedia::LoadGameData(Game& g) {
    DataStopHooks hooks;
    hooks.MessageBox = [this](const std::string& text) { MessageBox(text); };
    hooks.ReleaseSounds = [this] { ReleaseDirectSound(media_.Sound); };
    hooks.UnloadMainForm = [this] { Unload(); };
    LoadStringTableGameData(g, hooks);
}

// --- The front end's services -----------------------------------------------------------------

void LiveMedia::ShowMenu(Game& g, bool show) {
    if (Hooks.ShowMenu) Hooks.ShowMenu(g, show);
}
void LiveMedia::HideOptionFrames(Game& g) {
    if (Hooks.HideOptionFrames) Hooks.HideOptionFrames(g);
}
void LiveMedia::WriteSettings(Game& g) {
    if (Hooks.WriteSettings) Hooks.WriteSettings(g);
}
void LiveMedia::ShowUnlockedLevels(Game& g, Integer gameType) {
    if (Hooks.ShowUnlockedLevels) Hooks.ShowUnlockedLevels(g, gameType);
}
void LiveMedia::ShowEndScreen(Game& g) {
    if (Hooks.ShowEndScreen) Hooks.ShowEndScreen(g);
}
void LiveMedia::ShowExtroScreens(Game& g) {
    if (Hooks.ShowExtroScreens) Hooks.ShowExtroScreens(g);
}

void LiveMedia::MessageBox(const std::string& text) {
    if (Hooks.MessageBox) {
        Hooks.MessageBox(text);
    } else if (media_.Hooks.MessageBox) {
        media_.Hooks.MessageBox(text);
    } else {
        MsgBox(text);
    }
}

void LiveMedia::Unload() {
    if (Hooks.UnloadMainForm) {
        Hooks.UnloadMainForm();
    } else if (media_.Hooks.UnloadMainForm) {
        media_.Hooks.UnloadMainForm();
    }
}

void LiveMedia::RunTimeError(const PlatformError& e) {
    LogRunTimeError(e);
    MessageBox(RunTimeErrorMessage(e));
    Unload();
}

}  // namespace gorb
