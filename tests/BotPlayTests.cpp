// A bot plays the whole game headless on the real media port and the shipped game data: every
// level and the three stages of FINAL in both boss difficulties, a random-game level, and one
// whole run through the main menu from "Level 10" to the end picture and back to the menu.
//
// The bot flies the plane with the arrow keys towards the height of the nearest living enemy in
// front of it and holds the fire key down, all through keys pushed into SDL's queue, exactly as
// the player's keys arrive. Test device: the bot cannot die. At every message pump (once a
// frame) the test sets the plane's Invulnerable flag and refills its energy, so enemy bullets
// and rams never take a life and the run is decided by whether each level can be finished.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FrontendHarness.h"
#include "LiveGameSupport.h"
#include "MediaTestDir.h"
#include "frontend/LiveMedia.h"
#include "frontend/UnlockedLevels.h"
#include "media/SoundSetup.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Keyboard.h"
#include "platform/MessagePump.h"
#include "platform/Resources.h"
#include "world/World.h"

#if defined(__SANITIZE_ADDRESS__)
#define GORB_BOT_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GORB_BOT_SANITIZED 1
#endif
#endif
#ifndef GORB_BOT_SANITIZED
#define GORB_BOT_SANITIZED 0
#endif

using namespace gorb;
using gorb::testing::FrontendHarness;
using gorb::testing::ScopedWorkDir;

namespace {

struct Unloaded {};

// No level needs nearly this many frames; a run that does is stuck.
constexpr int kFramesPerLevelCap = 30000;

// The bot and what it saw of the run: it runs at each message pump, looks at the game state,
// and presses or releases keys for the next frames.
class Bot {
public:
    explicit Bot(Game& g) : g_(g) { std::fill(std::begin(lastY_), std::end(lastY_), kUnseen); }
    ~Bot() { ReleaseAll(); }
    Bot(const Bot&) = delete;
    Bot& operator=(const Bot&) = delete;

    // Stops the run once this level is reached (0: play on to the end). Levels below the first
    // are not played: the game start pumps once while Level still holds the start-level index.
    int StopAtLevel = 0;
    int FirstLevel = 1;

    // Per level (1..13): frames played in it, and the mission targets left when it ended.
    std::map<int, int> Frames;
    std::map<int, int> TargetsLeftAtEnd;
    std::vector<int> Levels;  // every level entered, in order
    bool RandomSeen = false, HandedOver = false;
    int Runaway = 0;  // the level that ran past the cap
    std::string RunawayState;

    void Step() {
        LevelState& run = g_.Run;
        const int level = run.Level;
        if (level < FirstLevel || level > 13 || run.GameOver == True) {
            ReleaseAll();
            return;
        }
        if (Levels.empty() || Levels.back() != level) {
            if (!Levels.empty()) TargetsLeftAtEnd[Levels.back()] = g_.Data.MissionTargets[Levels.back()];
            Levels.push_back(level);
            if (level == StopAtLevel) {
                run.GameOver = True;
                ReleaseAll();
                return;
            }
        }
        if (run.RandomGameActive == True) RandomSeen = true;
        if (RandomSeen && run.RandomGameActive == False && level == Levels.front()) HandedOver = true;
        if (++Frames[level] > kFramesPerLevelCap && Runaway == 0) {
            Runaway = level;
            RunawayState = Describe();
            run.GameOver = True;
            ReleaseAll();
            return;
        }

        // The test device: the plane cannot be shot down.
        PlaneRecord& p = g_.Player();
        p.Invulnerable = True;
        if (p.Dying == False) p.HitPoints = 100;

        Steer(p);
    }

    std::string Describe() const {
        std::ostringstream s;
        const LevelState& run = g_.Run;
        s << "level " << run.Level << " row " << run.LevelProgress << " ended " << run.ScriptEnded << " hold "
          << run.ScriptHold << " complete " << run.LevelComplete << " targets "
          << g_.Data.MissionTargets[static_cast<size_t>(run.Level)] << "; objects:";
        for (int i = 1; i <= 20; ++i) {
            const PlaneRecord& r = g_.Obj.Planes[i];
            if (r.Active == 0) continue;
            s << " [" << i << "] type " << r.TypeId << " at (" << r.X << "," << r.Y << ") hp " << r.HitPoints
              << (r.IsBoss != 0 ? " boss" : "") << (r.Dying != 0 ? " dying" : "") << " path " << r.PathId;
        }
        return s.str();
    }

private:
    // The keys the bot uses, by SDL scancode.
    enum Key { Up, Down, Left, Right, Fire, Item, KeyCount };
    static constexpr SDL_Scancode kScan[KeyCount] = {SDL_SCANCODE_UP,   SDL_SCANCODE_DOWN,  SDL_SCANCODE_LEFT,
                                                     SDL_SCANCODE_RIGHT, SDL_SCANCODE_LCTRL, SDL_SCANCODE_LALT};

    void Set(Key k, bool down) {
        if (down_[k] == down) return;
        down_[k] = down;
        InjectKey(kScan[k], down);
    }
    void ReleaseAll() {
        for (int k = 0; k < KeyCount; ++k) Set(static_cast<Key>(k), false);
    }

    void Steer(const PlaneRecord& p) {
        // The guns of a level plane fire from about its middle height; its nose is at X + 80.
        const long muzzleY = p.Y + p.Height / 2;
        const long nose = p.X + p.Width;
        const PlaneRecord* target = nullptr;
        const PlaneRecord* pickup = nullptr;
        long best = 0, bestPickup = 0;
        for (int i = 1; i <= 20; ++i) {
            const PlaneRecord& o = g_.Obj.Planes[i];
            if (o.Active != True || o.Dying != 0 || o.X >= 600) continue;
            const long dx = o.X - p.X, dy = o.Y + o.Height / 2 - muzzleY;
            const long d = dx * dx + dy * dy;
            if (o.TypeId >= 52) {
                // Pickups are flown into: better guns and items reach what plain shots cannot.
                if (o.Y > -o.Height && o.Y < 330 && (!pickup || d < bestPickup)) {
                    pickup = &o;
                    bestPickup = d;
                }
                continue;
            }
            // Shots at armour are wasted: the invulnerable fortress hulls, the shield parts
            // (they go with their generator) and the big boss while its shield stands.
            if (o.Invulnerable != 0 || o.TypeId == 46 || (o.TypeId == 43 && g_.Voice.BossShieldDown != True)) continue;
            if (o.X + o.Width < nose - 20) continue;  // behind the guns
            if (!target || d < best) {
                target = &o;
                best = d;
            }
        }
        long want = target ? AimHeight(p, *target) : 165;
        bool left = p.X > 40, right = false;
        if (pickup) {
            want = pickup->Y + pickup->Height / 2;
            const long px = pickup->X + pickup->Width / 2, cx = p.X + p.Width / 2 + 2 * p.SpeedX;
            left = px < cx - 10;
            right = px > cx + 10;
        }
        const int climb = Climb(p, want - p.Height / 2);
        Set(Up, climb < 0);
        Set(Down, climb > 0);
        // Otherwise stay near the left edge, where everything comes into the guns' line.
        Set(Left, left);
        Set(Right, right);
        Set(Fire, true);
        // Special items are used as they come, one every 50 frames while the key is held.
        Set(Item, g_.Controls.ItemCount > 0 && target != nullptr);
        for (int i = 1; i <= 20; ++i) lastY_[i] = g_.Obj.Planes[i].Active == True ? g_.Obj.Planes[i].Y : kUnseen;
    }

    // The plane's vertical flight, a frame at a time: a held key gains half the top speed a
    // frame, a free axis loses as much and stops below 5.
    static void Fly(const PlaneRecord& p, long& y, long& speed, int key) {
        const long a = p.MaxSpeed / 2, top = p.MaxSpeed;
        if (key < 0) {
            if (speed > -top) speed -= a;
        } else if (key > 0) {
            if (speed < top) speed += a;
        } else {
            speed += speed > 0 ? -a : speed < 0 ? a : 0;
            if (speed >= -4 && speed <= 4) speed = 0;
        }
        y = std::clamp(y + speed, -12L, 280L);
    }

    // Up (-1), down (1) or neither: the key whose effect leaves the plane, once it has come to
    // rest, nearest the wanted top. A key pushed now counts from the frame after next, so the
    // key pushed the frame before is flown first.
    int Climb(const PlaneRecord& p, long wantY) {
        int best = 0;
        long bestMiss = 0;
        for (int key : {0, -1, 1}) {
            long y = p.Y, speed = p.SpeedY;
            Fly(p, y, speed, lastKey_);
            Fly(p, y, speed, key);
            for (int i = 0; i < 4 && speed != 0; ++i) Fly(p, y, speed, 0);
            const long miss = std::abs(y - wantY);
            if (key == 0 || miss < bestMiss) {
                best = key;
                bestMiss = miss;
            }
        }
        lastKey_ = best;
        return best;
    }

    // The muzzle height that brings the shots onto the target, as a player aims: ahead of a
    // target that climbs or sinks, by the time the shots take to reach it, and with a spread
    // gun (its shots climb and sink in pairs) so that one of the pairs crosses the target's
    // centre rather than passing above and below it.
    long AimHeight(const PlaneRecord& p, const PlaneRecord& t) const {
        const BulletType& shot = g_.Types.BulletTypes.at(static_cast<size_t>(p.GunBullet[1]));
        const long speed = shot.XSpeed > 0 ? shot.XSpeed : 1;
        const long dx = std::max<long>(0, t.X - (p.X + p.Width));
        const size_t slot = static_cast<size_t>(&t - &g_.Obj.Planes[0]);
        const long vy = lastY_[slot] == kUnseen ? 0 : t.Y - lastY_[slot];
        long want = t.Y + t.Height / 2 + vy * dx / speed;
        if (shot.YSpeed != 0) {
            const long spread = std::abs(static_cast<long>(shot.YSpeed)) * dx / speed;
            want += want - spread > 40 ? -spread : spread;  // the sinking pair, or near the top the climbing one
        }
        return want;
    }

    static constexpr long kUnseen = -100000;
    Game& g_;
    bool down_[KeyCount] = {};
    long lastY_[21];  // each slot's Y the frame before, to lead moving targets
    int lastKey_ = 0;  // the vertical key pushed the frame before
};

// Shared by both kinds of run: the bot at every pump, and the report of what it played.
struct BotRun {
    explicit BotRun(Game& g) : bot(g) { hook = AddPumpHook([this] { bot.Step(); }); }
    ~BotRun() { RemovePumpHook(hook); }
    BotRun(const BotRun&) = delete;
    BotRun& operator=(const BotRun&) = delete;

    void Report(const std::string& name, double seconds) const {
        std::ostringstream s;
        for (const auto& [level, frames] : bot.Frames) s << " L" << level << "=" << frames;
        ::testing::Test::RecordProperty("frames", s.str());
        ::testing::Test::RecordProperty("seconds", std::to_string(seconds));
        std::printf("[bot] %s:%s in %.2f s\n", name.c_str(), s.str().c_str(), seconds);
    }

    Bot bot;
    int hook = 0;
};

double SecondsSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A game run on the real media port with the program's string-table game data, as the menu
// starts it, without the menu: the front end's services are recorders.
class BotGame : public ::testing::Test {
protected:
    void SetUp() override {
        if (!res::HasString(101)) GTEST_SKIP() << "no game data in this build";
        UseHeadlessHost();
        g.Random.RandomizeWith(2024);
        media.Hooks.MessageBox = [this](const std::string& t) { boxes.push_back(t); };
        media.Hooks.UnloadMainForm = [this] {
            ++unloads;
            throw Unloaded{};
        };
        live.Hooks.WriteSettings = [this](Game&) { ++settingsWritten; };
        live.Hooks.ShowEndScreen = [this](Game&) { ++endScreens; };
        live.Hooks.ShowExtroScreens = [this](Game&) { ++outros; };
        g.Media = &live;

        gorb::testing::StartInDesktopModeWithSound(g, live, media);
        DisplayState& d = g.Display;
        g.Options.Joystick = false;
        // The game runs in the smallest mode (a switch there and back, as the menu's choice
        // makes it), and the presents keep no copy of their pixels: the frames are what counts.
        d.GameBitDepth = 32;
        d.ScreenWidth = 640;
        d.ScreenHeight = 480;
        KeepPresentPixels(false);
    }
    void TearDown() override {
        KeepPresentPixels(true);
        ReleaseDirectDraw(media);
        ReleaseDirectInput(media.Input);
        ReleaseDirectSound(media.Sound);
        UseVirtualClock(false);
    }

    // Plays from start-level index `startIndex` until `stopAt` is entered (0: to the end).
    void Play(int startIndex, bool blekker, bool random, int stopAt, const std::string& name) {
        g.Options.Blekker = blekker;
        g.Options.RandomGame = random;
        g.Setup.StartLevel = ToInteger(startIndex);
        run = std::make_unique<BotRun>(g);
        run->bot.StopAtLevel = stopAt;
        run->bot.FirstLevel = startIndex + 1;
        const auto t0 = std::chrono::steady_clock::now();
        EXPECT_NO_THROW(BeginGame(g));
        run->Report(name, SecondsSince(t0));
        EXPECT_EQ(run->bot.Runaway, 0) << run->bot.RunawayState;
        EXPECT_TRUE(boxes.empty()) << boxes.front();
        EXPECT_EQ(unloads, 0);
        EXPECT_EQ(settingsWritten, 1);
    }

    ScopedWorkDir wd;
    MediaState media;
    JoystickSettings joySettings;
    LiveMedia live{media, joySettings};
    std::unique_ptr<Game> owned = std::make_unique<Game>();
    Game& g = *owned;
    std::unique_ptr<BotRun> run;
    std::vector<std::string> boxes;
    int unloads = 0, settingsWritten = 0, endScreens = 0, outros = 0;
};

struct LevelCase {
    int Level;  // 1..10, or 11 for the three stages of FINAL
    bool Blekker;
};

std::string CaseName(const ::testing::TestParamInfo<LevelCase>& info) {
    const std::string level = info.param.Level == 11 ? "Final" : "Level" + std::to_string(info.param.Level);
    return level + (info.param.Blekker ? "Blekker" : "Blek");
}

std::vector<LevelCase> LevelCases() {
    std::vector<LevelCase> out;
    for (int l = 1; l <= 11; ++l) {
        // The sanitizer build plays a subset: the first level and a late one with a boss in
        // stages.
        if (GORB_BOT_SANITIZED && l != 1 && l != 9) continue;
        for (bool b : {false, true}) out.push_back({l, b});
    }
    return out;
}

class BotLevel : public BotGame, public ::testing::WithParamInterface<LevelCase> {};

}  // namespace

TEST_P(BotLevel, PlaysTheLevelToItsEnd) {
    const int level = GetParam().Level;
    Play(level - 1, GetParam().Blekker, false, level == 11 ? 0 : level + 1, CaseName({GetParam(), 0}));
    const Bot& bot = run->bot;
    if (level <= 10) {
        // The level's targets are met and the next level has started; FINAL comes after the
        // outro.
        EXPECT_EQ(bot.Levels, (std::vector<int>{level, level + 1}));
        ASSERT_EQ(bot.TargetsLeftAtEnd.count(level), 1u);
        EXPECT_LE(bot.TargetsLeftAtEnd.at(level), 0);
        EXPECT_EQ(g.Run.Level, level + 1);
        EXPECT_EQ(g.Run.LevelComplete, False);
        EXPECT_EQ(outros, level == 10 ? 1 : 0);
        EXPECT_EQ(endScreens, 0);
    } else {
        // The three stages, one after the other, then the end picture: the run is over.
        EXPECT_EQ(bot.Levels, (std::vector<int>{11, 12, 13}));
        for (int stage : {11, 12}) {
            ASSERT_EQ(bot.TargetsLeftAtEnd.count(stage), 1u) << stage;
            EXPECT_LE(bot.TargetsLeftAtEnd.at(stage), 0) << stage;
        }
        EXPECT_LE(g.Data.MissionTargets[13], 0);
        EXPECT_EQ(g.Run.Level, 99);
        EXPECT_EQ(endScreens, 1);
        EXPECT_EQ(outros, 0);  // the run started at FINAL
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, BotLevel, ::testing::ValuesIn(LevelCases()), CaseName);

TEST_F(BotGame, RandomGameLevelsHandOverToTheirBossRowsAndComplete) {
    for (int start : {0, 1}) {
        if (GORB_BOT_SANITIZED && start != 0) continue;
        SCOPED_TRACE("start level " + std::to_string(start + 1));
        settingsWritten = 0;
        Play(start, false, true, start + 2, "random level " + std::to_string(start + 1));
        const Bot& bot = run->bot;
        EXPECT_TRUE(bot.RandomSeen);
        EXPECT_TRUE(bot.HandedOver);
        EXPECT_EQ(bot.Levels, (std::vector<int>{start + 1, start + 2}));
        ASSERT_EQ(bot.TargetsLeftAtEnd.count(start + 1), 1u);
        EXPECT_LE(bot.TargetsLeftAtEnd.at(start + 1), 0);
        EXPECT_EQ(g.Setup.HighestLevelRandom, start + 1);  // reaching the next level unlocked it
        run.reset();
    }
}

// The whole program: start-up, the menu, Begin with "Level 10" (the levels before it are each
// played above), the outro before FINAL, its three stages, the end picture (Space typed) and
// the end of the game. Back at the menu with the settings written.
TEST(BotProgram, PlaysFromTheMenuThroughFinalToTheEnd) {
    if (!res::HasString(101)) GTEST_SKIP() << "no game data in this build";
    if (GORB_BOT_SANITIZED) GTEST_SKIP() << "played in the release build";
    FrontendHarness h;
    auto form = std::make_unique<GameForm>(FrontendHarness::Seams());
    ASSERT_EQ(h.Start(*form), -1);
    Game& g = *form->G;
    KeepPresentPixels(false);
    FrontendHarness::Click(*form->cmdConfig);
    FrontendHarness::Click((*form->optControls)[1]);  // keyboard
    FrontendHarness::Click((*form->optRes)[0]);       // 640 x 480
    FrontendHarness::Click(*form->cmdGame);
    FrontendHarness::Click((*form->optPlay)[0]);
    g.Setup.HighestLevelNormal = 9;  // "Level 10" unlocked
    ShowUnlockedLevels(*form, 0);
    FrontendHarness::Click((*form->optLevel)[9]);
    FrontendHarness::Click((*form->optDifficulty)[1]);
    ASSERT_EQ(g.Setup.StartLevel, 9);

    const auto t0 = std::chrono::steady_clock::now();
    int status = 0;
    {
        BotRun run(g);
        run.bot.FirstLevel = 10;
        status = FrontendHarness::Catch([&] { FrontendHarness::Click(*form->cmdBegin); });
        run.Report("menu, Level 10 to the end of FINAL, Blekker", SecondsSince(t0));
        EXPECT_EQ(run.bot.Runaway, 0) << run.bot.RunawayState;
        EXPECT_EQ(run.bot.Levels, (std::vector<int>{10, 11, 12, 13}));
        for (int level : {10, 11, 12}) {
            ASSERT_EQ(run.bot.TargetsLeftAtEnd.count(level), 1u) << level;
            EXPECT_LE(run.bot.TargetsLeftAtEnd.at(level), 0) << level;
        }
    }
    KeepPresentPixels(true);
    ASSERT_EQ(status, -1) << (h.Messages.empty() ? "" : h.Messages.front());
    EXPECT_TRUE(h.Messages.empty());
    // The last stage was won: the end picture was shown and the game ended from there.
    EXPECT_LE(g.Data.MissionTargets[13], 0);
    EXPECT_EQ(g.Run.Level, 99);
    EXPECT_EQ(g.Flags.BossDifficulty, 1);
    // The outro's pictures and the end picture waited for Space.
    EXPECT_GE(h.SpacesTyped, 2);
    // Back at the menu in the desktop's mode, with FINAL unlocked and stored.
    EXPECT_EQ(form->Media.Display.DDraw->ModeWidth(), g.Display.DesktopWidth);
    EXPECT_TRUE(form->cmdBegin->Showing());
    EXPECT_TRUE(form->cmdBegin->HasFocus());
    EXPECT_EQ(g.Setup.HighestLevelNormal, 10);
    EXPECT_TRUE((*form->optLevel)[10].Visible());
    EXPECT_NE(gorb::testing::ReadFile(h.Dir.Path() / "ZORBELS.INI").find("LEVLN="), std::string::npos);
    FrontendHarness::Catch([&] { form.reset(); });
}
