#include "frontend/KeyCommands.h"

#include <array>
#include <utility>

#include "frontend/GameForm.h"
#include "world/World.h"

namespace gorb {

namespace {

constexpr Integer kEsc = 27;
constexpr Integer kSpace = 32;

// The eighteen pickups of "=": the top weapon from any start, the five items twice, six lives.
namespace pickup = plane_type;
constexpr std::array<Integer, 18> kEverything = {
    pickup::LaserWeapon, pickup::LaserWeapon,
    pickup::AxeSpray, pickup::LoopDive, pickup::Rain, pickup::IceBomb, pickup::FireballColumn,
    pickup::AxeSpray, pickup::LoopDive, pickup::Rain, pickup::IceBomb, pickup::FireballColumn,
    pickup::ExtraLife, pickup::ExtraLife, pickup::ExtraLife, pickup::ExtraLife, pickup::ExtraLife, pickup::ExtraLife};

// The single pickup of each number key.
constexpr std::array<std::pair<char, Integer>, 11> kPickupKeys = {{
    {'1', pickup::SpreadWeapon}, {'2', pickup::MissileWeapon}, {'3', pickup::LaserWeapon},
    {'4', pickup::FireballColumn}, {'5', pickup::IceBomb}, {'6', pickup::LoopDive},
    {'7', pickup::Rain}, {'8', pickup::AxeSpray}, {'9', pickup::Speed},
    {'0', pickup::Energy}, {'-', pickup::ExtraLife},
}};

void Pause(Game& g) {
    LevelState& run = g.Run;
    if (run.Paused == True) {
        run.Paused = False;  // the next frame covers the sign
        return;
    }
    run.Paused = True;
    BlitMisc(g, g.Display.PlayAreaX + 190, g.Display.PlayAreaY + 128, 0, 60, 233, 74);
}

void Abandon(Game& g) {
    LevelState& run = g.Run;
    if (run.GameOverCountdown == 0) {
        // The plane falls with no life left; its landing starts the game-over countdown.
        run.FrameTimeMs = 35;
        g.Player().Lives = 0;
        g.Player().FallSpeed = 0;
        KillPlayer(g);
    } else {
        run.GameOverCountdown = 2;  // the frame loop ends the game in its next frame
    }
}

void CheatLetter(Game& g, char key) {
    LevelState& run = g.Run;
    if (kCheatCode.find(key) == std::string_view::npos) return;
    if (run.CheatBuffer.empty()) {
        if (key == kCheatCode.front()) run.CheatBuffer = key;
        return;
    }
    run.CheatBuffer += key;
    if (kCheatCode.substr(0, run.CheatBuffer.size()) == run.CheatBuffer) {
        if (run.CheatBuffer.size() == kCheatCode.size()) {
            run.DebugMode = True;
            g.Sounds.Request(g.Flags.PilotTalkOn == True ? snd::DebugVoice : snd::Waver);
        }
        return;
    }
    if (key == kCheatCode.front())
        run.CheatBuffer = key;
    else
        run.CheatBuffer.clear();
}

void DebugKey(Game& g, Integer key, const PickupAction& applyPickup) {
    LevelState& run = g.Run;
    auto pickup = [&](Integer type) {
        if (applyPickup) applyPickup(g, type);
    };
    if (key == 96) {
        // Ends the wait the level script is counting at its next step. Outside a level (the
        // menu after the end picture, Level 99) there is no script row to read.
        const auto& delays = g.Data.LevelScript[script_part::Delay];
        if (run.Level >= 0 && static_cast<size_t>(run.Level) < delays.size() && run.LevelProgress >= 0 &&
            static_cast<size_t>(run.LevelProgress) < delays[0].size()) {
            run.ScriptTick = ToInteger(delays[static_cast<size_t>(run.Level)][static_cast<size_t>(run.LevelProgress)] - 1);
        }
    }
    if (key == 92) run.FrameTimeMs = ToInteger(Clamp(run.FrameTimeMs + 50, 1, kSlowestFrameTimeMs));
    if (key == 124) run.FrameTimeMs = 35;
    if (key == 'b' && run.Level < 11 && run.Level >= 0) {
        run.LevelProgress = g.Data.BossStep[static_cast<size_t>(run.Level)];
        run.ScriptTick = 0;
        run.RandomGameActive = False;
    }
    for (const auto& [k, type] : kPickupKeys)
        if (key == k) pickup(type);
    if (key == '=')
        for (Integer type : kEverything) pickup(type);
}

}  // namespace

void Form_KeyPress(Game& g, const SequenceState& seq, Integer& keyAscii, const PickupAction& applyPickup) {
    const Integer key = keyAscii;
    if (key == 'p') Pause(g);
    if (key == kEsc) {
        Abandon(g);
        return;
    }
    // Any key but Space withdraws a skip that has not been acted on yet.
    seq.SkipRequested = ToBoolean(key == kSpace && seq.SequenceActive == True);
    if (g.Run.DebugMode == True)
        DebugKey(g, key, applyPickup);
    else if (key > 0 && key < 128)
        CheatLetter(g, static_cast<char>(key));
}

void Form_KeyPress(GameForm& f, Integer& keyAscii) {
    Form_KeyPress(*f.G, f.Sequence(), keyAscii, ApplyPickup);
}

}  // namespace gorb
