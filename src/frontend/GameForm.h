#pragma once
// The main form: the menu's controls, the game state and the media state, and the program's
// life from start-up to the end of the run. The form owns the game and media state.
//
// "Unload the main form" runs Form_Unload, which releases everything and ends the run by
// throwing ProcessEnd; RunProgram (and a test harness) catches it and returns its status.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/ModeProbe.h"
#include "frontend/PictureSequences.h"
#include "media/MediaFields.h"
#include "media/MediaState.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "world/Game.h"

namespace gorb {

class MediaPort;

// The end of the run, thrown by the unload handler. Not an std::exception, so no failure path
// of a set-up step can swallow it.
struct ProcessEnd {
    int Status = 0;
};

// Exit statuses.
inline constexpr int kExitNormal = 0;
inline constexpr int kExitSetupFailed = 1;

// What a headless run replaces. The defaults are the real program's.
struct ProgramSeams {
    ModeLister ListModes;             // default: the display's mode list
    DeviceCapsReader DeviceCaps;      // default: the desktop's capabilities
    // Why a display that lists no mode cannot be used, for the player (empty: no reason known).
    std::function<std::string()> DisplayProblem;  // default: the display's own
    std::optional<uint32_t> RandomSeed;  // default: seeded from the time of day
    // Called with each step text of the load handler as it is stored; throw a PlatformError
    // to fail that step.
    std::function<void(class GameForm&, std::string_view step)> OnLoadStep;
    // The same for the media layer's set-up steps.
    std::function<void(std::string_view step)> OnMediaStep;
    // Called once per turn of the event loop, after the messages were pumped.
    std::function<void(class GameForm&)> OnIdle;
    // Runs in place of a whole game when set (the Begin button's game).
    std::function<void(class GameForm&)> RunGame;
    // The folder of the settings file; empty: the program's folder.
    std::filesystem::path SettingsFolder;
};

class GameForm {
public:
    explicit GameForm(ProgramSeams seams = {});
    ~GameForm();
    GameForm(const GameForm&) = delete;
    GameForm& operator=(const GameForm&) = delete;

    ProgramSeams Seams;
    Form Win;  // frmGameForm

    // Shows the form: loads it first (the whole start-up runs), then the Begin button gets
    // the keyboard focus, which only a visible form can give.
    void Show();

    // Controls (owned by Win).
    PictureBox* picIntro = nullptr;
    CommandButton *cmdConfig = nullptr, *cmdGame = nullptr, *cmdMisc = nullptr, *cmdExit = nullptr,
                  *cmdBegin = nullptr;
    Frame *frameColor = nullptr, *frameRes = nullptr, *frameControls = nullptr, *frameGamePlay = nullptr,
          *FrameLevel = nullptr, *frameDifficulty = nullptr, *framePerformance = nullptr,
          *framePreference = nullptr;
    OptionGroup *optColor = nullptr, *optRes = nullptr, *optControls = nullptr, *optPlay = nullptr,
                *optLevel = nullptr, *optDifficulty = nullptr, *optPilot = nullptr;
    CheckBox *chkFire = nullptr, *chkBack = nullptr, *chkCollision = nullptr, *chkOverload = nullptr;
    Timer* StartTimer = nullptr;
    // Every control by name (option buttons as "optLevel(3)").
    Control* Find(std::string_view name) const;
    Frame* FindFrame(std::string_view name) const;

    // The game state and the media state.
    std::unique_ptr<Game> G;
    MediaState Media;
    JoystickSettings JoySettings;
    std::unique_ptr<MediaPort> Port;  // the game run's view of the media layer and the menu

    // Settings and start-up state.
    Boolean SoundEnabled = False;  // "SOUND=1" in the settings file
    std::string SettingsUnreadable;  // why the settings file could not be read; empty when it was
    Integer CursorCountAtStart = 0;
    Integer WindowState = 0;       // 2: maximised (a 640 x 480 desktop)
    std::string LoadStepText;      // the load handler's step text

    // Picture sequences and key commands.
    Boolean SequenceActive = False;
    Boolean SkipRequested = False;
    DrumLoop Drums;
    // The three above as the sequences and the key handler take them.
    SequenceState Sequence() { return {SequenceActive, SkipRequested, Drums}; }

    // Sound is ready and may be played.
    bool SoundReady() const { return Media.Sound.SoundOn == True; }
    // Plays one loaded sound from its own buffer, without stop or rewind, when sound is on.
    void PlaySound(int number);

    // An OK-only message box.
    void ShowMessage(const std::string& text);
    // Unloads the main form; its handler ends the run with this status.
    void UnloadWithStatus(int status);
    int ExitStatus = kExitNormal;

private:
    void BuildControls();
    void WireEvents();
    std::map<std::string, Control*, std::less<>> byName_;
};

// The splash form, on screen while the main form loads, until the end of the run.
struct SplashForm {
    SplashForm();
    Form Win;
};

// The start procedure: the splash, the main form with its whole load handler, then the event
// loop until the main form is unloaded. Returns the exit status.
int RunProgram(ProgramSeams seams = {});

// Handlers of the main form (StartUp.cpp).
void Form_Load(GameForm& f);
void Form_Unload(GameForm& f, Integer& cancel);
void cmdExit_Click(GameForm& f);
// A std::exception that escaped the program's handlers: logged and shown as a run-time error,
// then the form is unloaded with a failure status (which throws ProcessEnd).
void RunTimeFailure(GameForm& f, const std::exception& e);
// Turns of the event loop until the form is unloaded (which throws ProcessEnd).
[[noreturn]] void RunEventLoop(GameForm& f);

}  // namespace gorb
