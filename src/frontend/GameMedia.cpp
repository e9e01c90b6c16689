#include "frontend/GameMedia.h"

#include "data/GameDataLoader.h"
#include "frontend/GameForm.h"
#include "frontend/Menu.h"
#include "frontend/PictureSequences.h"
#include "frontend/SettingsFile.h"
#include "frontend/UnlockedLevels.h"
#include "media/Blit.h"
#include "media/DisplaySetup.h"
#include "media/InputSetup.h"
#include "media/SoundSetup.h"
#include "platform/Resources.h"

namespace gorb {

namespace {

class FormMediaPort final : public MediaPort {
public:
    explicit FormMediaPort(GameForm& f) : f_(f) {}

    void BlitToBackBuffer(SurfaceId surface, BlitRect& src, BlitRect& dst, Long sheetWidth, Long sheetHeight,
                          const char* label) override {
        gorb::BlitToBackBuffer(f_.Media, Sheet(surface), src, dst, sheetWidth, sheetHeight, label);
    }
    void BlitToPrimary(SurfaceId surface, BlitRect& src, BlitRect& dst, Long sheetWidth, Long sheetHeight,
                       const char* label) override {
        gorb::BlitToPrimary(f_.Media, Sheet(surface), src, dst, sheetWidth, sheetHeight, label);
    }

    void PlayQueuedSounds(SoundRequests& requests, Integer first, Integer last) override {
        // The world keeps its own request flags and ring counters; the media layer plays from
        // its copy, and what it cleared and advanced goes back.
        SoundFields& s = f_.SoundF;
        for (int n = 0; n <= kSoundCount; ++n) s.SoundRequests[n] = requests[n];
        s.ChannelGeneral = requests.ChannelGeneral;
        s.ChannelItem = requests.ChannelItem;
        s.ChannelBoss = requests.ChannelBoss;
        s.ChannelCrash = requests.ChannelCrash;
        gorb::PlayQueuedSounds(f_.Media.Sound, s, first, last);
        for (int n = 0; n <= kSoundCount; ++n) requests[n] = s.SoundRequests[n];
        requests.ChannelGeneral = s.ChannelGeneral;
        requests.ChannelItem = s.ChannelItem;
        requests.ChannelBoss = s.ChannelBoss;
        requests.ChannelCrash = s.ChannelCrash;
    }
    void LoadResourceSound(Integer soundNumber, const std::string& resourceName) override {
        // Without a sound device there is nothing to load into.
        if (!f_.SoundReady()) return;
        gorb::LoadResourceSound(f_.Media.Sound, soundNumber, resourceName);
    }
    void ReleaseSoundBuffer(Integer soundNumber) override {
        if (soundNumber >= 0 && soundNumber <= kSoundCount) f_.Media.Sound.SoundBuffers[soundNumber].Release();
    }

    void ReleaseDirectDraw(Game&) override { gorb::ReleaseDirectDraw(f_.Media); }
    void SetupDirectX(Game&, Integer bitDepth, Integer width, Integer height) override {
        gorb::SetupDirectX(f_.Media, f_.DisplayF, bitDepth, width, height);
        SyncDisplayFields(f_);
    }
    void SetupDirectXObjects(Game&) override {
        gorb::SetupDirectXObjects(f_.Media, f_.DisplayF);
        SyncDisplayFields(f_);
    }
    void LoadLevelBackground(Game&, const std::string& resourceName) override {
        DisplayObjects& d = f_.Media.Display;
        d.SurfaceDescription.lFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
        d.SurfaceDescription.lCaps = DDSCAPS_OFFSCREENPLAIN;
        d.SurfaceDescription.lWidth = 0;
        d.SurfaceDescription.lHeight = 0;
        d.GfxScreen = d.DDraw->CreateSurfaceFromResource("", resourceName, d.SurfaceDescription);
        d.GfxScreen->SetColorKey(DDCKEY_SRCBLT, d.Key);
    }

    void SetupDirectInput(Game& g) override {
        f_.JoyF.JoystickMode = g.Flags.JoystickMode;
        gorb::SetupDirectInput(f_.Media, f_.JoyF, f_.JoySettings);
        g.Flags.JoystickMode = f_.JoyF.JoystickMode;
    }
    void PollJoystick(Game& g) override {
        InputObjects& in = f_.Media.Input;
        if (in.Joystick) {
            try {
                in.Joystick->Poll();
            } catch (const PlatformError&) {
                // A lost stick: the event callback re-acquires it; the last state stands.
            }
        }
        PlayerControls& c = g.Controls;
        c.JoystickX = f_.JoyF.JoystickX;
        c.JoystickY = f_.JoyF.JoystickY;
        c.JoystickFire = f_.JoyF.JoystickFire;
        c.JoystickBomb = f_.JoyF.JoystickBomb;
        c.JoystickEject = f_.JoyF.JoystickEject;
    }

    void LoadGameData(Game& g) override {
        DataStopHooks hooks;
        hooks.MessageBox = [this](const std::string& text) { f_.ShowMessage(text); };
        hooks.ReleaseSounds = [this] { ReleaseDirectSound(f_.Media.Sound); };
        hooks.UnloadMainForm = [this] { f_.UnloadWithStatus(kExitSetupFailed); };
        gorb::LoadGameData(g.Types, g.Data, g.Flags.BossDifficulty, [](int id) { return res::LoadString(id); },
                           hooks);
    }

    void ShowMenu(Game&, bool show) override { gorb::ShowMenu(f_, show); }
    void HideOptionFrames(Game&) override { gorb::HideOptionFrames(f_); }
    void WriteSettings(Game&) override { gorb::WriteSettings(f_); }
    void ShowUnlockedLevels(Game&, Integer gameType) override { gorb::ShowUnlockedLevels(f_, gameType); }
    void ShowEndScreen(Game&) override { gorb::ShowEndScreen(f_); }
    void ShowExtroScreens(Game&) override { gorb::ShowExtroScreens(f_); }
    void MessageBox(const std::string& text) override { f_.ShowMessage(text); }

private:
    const SurfaceRef& Sheet(SurfaceId id) {
        DisplayObjects& d = f_.Media.Display;
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

    GameForm& f_;
    SurfaceRef none_;
};

}  // namespace

std::unique_ptr<MediaPort> MakeFormMediaPort(GameForm& f) { return std::make_unique<FormMediaPort>(f); }

void SyncDisplayFields(GameForm& f) {
    DisplayState& d = f.G->Display;
    d.PlayAreaX = f.Media.Display.PlayAreaX;
    d.PlayAreaY = f.Media.Display.PlayAreaY;
    SheetSizes& s = f.G->Sheets;
    const DisplayFields& m = f.DisplayF;
    s.VorpexSheetWidths = m.VorpexSheetWidths;
    s.VorpexSheetHeights = m.VorpexSheetHeights;
    s.PlayerSheetWidth = m.PlayerSheetWidth;
    s.PlayerSheetHeight = m.PlayerSheetHeight;
    s.ExplodeSheetWidth = m.ExplodeSheetWidth;
    s.ExplodeSheetHeight = m.ExplodeSheetHeight;
    s.IceSheetWidth = m.IceSheetWidth;
    s.IceSheetHeight = m.IceSheetHeight;
    s.BulletSheetWidth = m.BulletSheetWidth;
    s.BulletSheetHeight = m.BulletSheetHeight;
    s.TileSheetWidth = m.TileSheetWidth;
    s.TileSheetHeight = m.TileSheetHeight;
    s.MiscSheetWidth = m.MiscSheetWidth;
    s.MiscSheetHeight = m.MiscSheetHeight;
}

}  // namespace gorb
