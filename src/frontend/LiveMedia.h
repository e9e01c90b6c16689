#pragma once
// The media port of the real program: every drawing, sound, display and input call of a game run
// goes to the media layer, time, waits, presents and the message pump to the platform, the game
// data comes from the string table through the data loader, and the menu's services are hooks
// the front end sets.
//
// The port holds no copy of game state: the media procedures it calls write straight into the
// game it is given (the play area's origin, the colour key, the sheet sizes, the joystick and
// keyboard state) and serve the game's own sound requests and rings.
#include <functional>
#include <memory>
#include <string>

#include "data/GameDataLoader.h"
#include "media/MediaFields.h"
#include "media/MediaState.h"
#include "world/MediaPort.h"

namespace gorb {

class GameForm;

// The front end's services during a game run. An empty hook does nothing. Messages and the
// unload go through the media layer's own hooks, which the set-up failures use too.
struct FrontEndHooks {
    std::function<void(Game&, bool show)> ShowMenu;
    std::function<void(Game&)> HideOptionFrames;
    std::function<void(Game&)> WriteSettings;
    std::function<void(Game&, Integer gameType)> ShowUnlockedLevels;
    std::function<void(Game&)> ShowEndScreen;
    std::function<void(Game&)> ShowExtroScreens;
};

class LiveMedia final : public MediaPort {
public:
    // Both arguments must outlive the port; the front end owns them as main-form state.
    LiveMedia(MediaState& media, const JoystickSettings& joySettings);

    FrontEndHooks Hooks;

    void BlitToBackBuffer(SurfaceId surface, BlitRect& src, BlitRect& dst, Long sheetWidth, Long sheetHeight,
                          const char* label) override;
    void BlitToPrimary(SurfaceId surface, BlitRect& src, BlitRect& dst, Long sheetWidth, Long sheetHeight,
                       const char* label) override;
    void LockSurface(SurfaceId surface) override;
    Long GetLockedPixel(SurfaceId surface, Long x, Long y) override;
    void UnlockSurface(SurfaceId surface) override;

    bool SoundOn() const override;
    void PlayQueuedSounds(SoundRequests& requests, Integer first, Integer last) override;
    void LoadResourceSound(Integer soundNumber, const std::string& resourceName) override;
    void ReleaseSoundBuffer(Integer soundNumber) override;

    void ReleaseDirectDraw(Game& g) override;
    void SetupDirectX(Game& g, Long bitDepth, Long width, Long height) override;
    void SetupDirectXObjects(Game& g) override;
    void LoadLevelBackground(Game& g, const std::string& resourceName) override;

    void SetupDirectInput(Game& g) override;
    void PollJoystick(Game& g) override;
    void ReadKeyboardState(Game& g) override;

    uint32_t GetTickCount() override;
    void WaitUntilPast(uint32_t deadline) override;
    void Rest(uint32_t ms) override;
    void PresentScreen() override;
    void PumpMessages() override;

    void LoadGameData(Game& g) override;

    void ShowMenu(Game& g, bool show) override;
    void HideOptionFrames(Game& g) override;
    void WriteSettings(Game& g) override;
    void ShowUnlockedLevels(Game& g, Integer gameType) override;
    void ShowEndScreen(Game& g) override;
    void ShowExtroScreens(Game& g) override;
    void MessageBox(const std::string& text) override;

    // The surface a world surface id names (an empty reference for an unknown id or a sheet
    // not loaded).
    const SurfaceRef& Sheet(SurfaceId surface) const;

private:
    // An unexpected failure where the game has no failure path of its own: the run time's
    // message, then the end of the program.
    void RunTimeError(const PlatformError& e);
    void Unload();

    MediaState& media_;
    const JoystickSettings& joySettings_;
    SurfaceRef none_;
};

// The main form's port: the form's media state, its joystick settings, and the menu, the
// settings file and the picture sequences as its hooks.
std::unique_ptr<MediaPort> MakeFormMediaPort(GameForm& f);

// The game data of the program's string table, parsed for g.Flags.BossDifficulty into
// g.Types and g.Data. False when the data stopped the program (the hooks have run).
bool LoadStringTableGameData(Game& g, const DataStopHooks& hooks);

}  // namespace gorb
