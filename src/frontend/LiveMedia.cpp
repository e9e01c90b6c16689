#include "frontend/LiveMedia.h"

#include "frontend/GameForm.h"
#include "frontend/Menu.h"
#include "frontend/PictureSequences.h"
#include "frontend/SettingsFile.h"
#include "frontend/UnlockedLevels.h"
#include "media/Blit.h"
#include "media/DisplaySetup.h"
#include "media/ErrorLog.h"
#include "media/InputSetup.h"
#include "media/SoundSetup.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "platform/Resources.h"
#include "platform/Screen.h"

namespace gorb {

namespace {

constexpr int32_t kReadLock = DDLOCK_WAIT | DDLOCK_READONLY;

}  // namespace

LiveMedia::LiveMedia(MediaState& media, const JoystickSettings& joySettings)
    : media_(media), joySettings_(joySettings) {}

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
    if (!s) throw ObjectNotSet();
    DisplayObjects& d = media_.Display;
    s->Lock(d.LockRect, d.SurfaceDescription, kReadLock);
}

Long LiveMedia::GetLockedPixel(SurfaceId surface, Long x, Long y) {
    const SurfaceRef& s = Sheet(surface);
    if (!s) throw ObjectNotSet();
    return s->GetLockedPixel(x, y);
}

void LiveMedia::UnlockSurface(SurfaceId surface) {
    const SurfaceRef& s = Sheet(surface);
    if (s) s->Unlock(media_.Display.LockRect);
}

// --- Sound ------------------------------------------------------------------------------------

bool LiveMedia::SoundOn() const { return media_.Sound.SoundOn == True; }

void LiveMedia::PlayQueuedSounds(SoundRequests& requests, Integer first, Integer last) {
    gorb::PlayQueuedSounds(media_.Sound, requests, first, last);
}

void LiveMedia::LoadResourceSound(Integer soundNumber, const std::string& resourceName) {
    // Without a sound device there is nothing to load into.
    if (!SoundOn()) return;
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

void LiveMedia::SetupDirectX(Game& g, Long bitDepth, Long width, Long height) {
    gorb::SetupDirectX(media_, g.Display, g.Sheets, bitDepth, width, height);
}

void LiveMedia::SetupDirectXObjects(Game& g) { gorb::SetupDirectXObjects(media_, g.Sheets); }

void LiveMedia::LoadLevelBackground(Game&, const std::string& resourceName) {
    DisplayObjects& d = media_.Display;
    try {
        if (!d.DDraw) throw ObjectNotSet();
        DescribePlainSurface(d, 0, 0);
        LoadKeyedResource(d, d.GfxScreen, resourceName);
    } catch (const PlatformError& e) {
        RunTimeError(e);
    }
}

// --- Input ------------------------------------------------------------------------------------

void LiveMedia::SetupDirectInput(Game& g) {
    gorb::SetupDirectInput(media_, g.Flags.JoystickMode, g.Controls, joySettings_);
}

void LiveMedia::PollJoystick(Game&) {
    InputObjects& in = media_.Input;
    if (in.Joystick) {
        try {
            in.Joystick->Poll();
        } catch (const PlatformError&) {
            // A lost stick: the next event re-acquires it and the last state stands.
        }
    }
}

void LiveMedia::ReadKeyboardState(Game& g) { gorb::ReadKeyboardState(media_.Input, g.Controls.KeyboardState); }

// --- Time and messages ------------------------------------------------------------------------

uint32_t LiveMedia::GetTickCount() { return gorb::GetTickCount(); }
void LiveMedia::WaitUntilPast(uint32_t deadline) { gorb::WaitUntilPast(deadline); }
void LiveMedia::Rest(uint32_t ms) { gorb::Rest(ms); }
void LiveMedia::PresentScreen() { gorb::PresentScreen(); }
void LiveMedia::PumpMessages() { gorb::PumpMessages(); }

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
    if (media_.Hooks.MessageBox) media_.Hooks.MessageBox(text);
    else MsgBox(text);
}

void LiveMedia::Unload() {
    if (media_.Hooks.UnloadMainForm) media_.Hooks.UnloadMainForm();
}

void LiveMedia::RunTimeError(const PlatformError& e) {
    LogRunTimeError(e);
    MessageBox(RunTimeErrorMessage(e));
    Unload();
}

std::unique_ptr<MediaPort> MakeFormMediaPort(GameForm& f) {
    auto port = std::make_unique<LiveMedia>(f.Media, f.JoySettings);
    FrontEndHooks& h = port->Hooks;
    h.ShowMenu = [&f](Game&, bool show) { ShowMenu(f, show); };
    h.HideOptionFrames = [&f](Game&) { HideOptionFrames(f); };
    h.WriteSettings = [&f](Game&) { WriteSettings(f); };
    h.ShowUnlockedLevels = [&f](Game&, Integer gameType) { ShowUnlockedLevels(f, gameType); };
    h.ShowEndScreen = [&f](Game&) { ShowEndScreen(f); };
    h.ShowExtroScreens = [&f](Game&) { ShowExtroScreens(f); };
    return port;
}

}  // namespace gorb
