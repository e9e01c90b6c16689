// The real media port: a short game on the headless host with the real display, sheets, sounds,
// input and string-table game data.
#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "LiveGameSupport.h"
#include "frontend/LiveMedia.h"
#include "MediaTestDir.h"
#include "media/SoundSetup.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Joystick.h"
#include "platform/Keyboard.h"
#include "platform/MessagePump.h"
#include "platform/Screen.h"
#include "world/World.h"

using namespace gorb;
using gorb::testing::ScopedWorkDir;

namespace {

struct Unloaded {};

class LiveGame : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessHost();
        g.Random.RandomizeWith(4242);
        media.Hooks.MessageBox = [this](const std::string& t) { boxes.push_back(t); };
        // The program's unload ends the run by throwing; so does this one.
        media.Hooks.UnloadMainForm = [this] {
            ++unloads;
            throw Unloaded{};
        };
        live.Hooks.ShowMenu = [this](Game&, bool show) { menu.push_back(show ? "ShowMenu 1" : "ShowMenu 0"); };
        live.Hooks.WriteSettings = [this](Game&) { menu.push_back("WriteSettings"); };
        live.Hooks.ShowUnlockedLevels = [this](Game&, Integer t) {
            menu.push_back("ShowUnlockedLevels " + std::to_string(t));
        };
        g.Media = &live;

        // Start-up: the desktop's own mode, then sound.
        gorb::testing::StartInDesktopModeWithSound(g, live, media);
    }
    void TearDown() override {
        for (int h : hooks) RemovePumpHook(h);
        ReleaseDirectDraw(media);
        media.Input.Joystick.reset();
        ReleaseDirectInput(media.Input);
        ReleaseDirectSound(media.Sound);
        stick.reset();
        ShutdownDisplay();
        UseVirtualClock(false);
    }
    void OnPump(std::function<void()> f) { hooks.push_back(AddPumpHook(std::move(f))); }

    // Distinct colours in a rectangle of the last present.
    static size_t Colours(const PresentRecord& p, int x, int y, int w, int h) {
        std::set<uint32_t> seen;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) seen.insert(p.At(i, j));
        return seen.size();
    }

    ScopedWorkDir wd;
    MediaState media;
    JoystickSettings joySettings;
    LiveMedia live{media, joySettings};
    std::unique_ptr<Game> owned = std::make_unique<Game>();
    Game& g = *owned;
    std::vector<std::string> boxes, menu;
    std::vector<int> hooks;
    int unloads = 0;
    std::unique_ptr<VirtualJoystick> stick;
};

}  // namespace

TEST_F(LiveGame, AShortGameInItsOwnModeShootsTheLevelStartPlaneAndIsLeftWithEsc) {
    ASSERT_EQ(media.Sound.SoundOn, True);
    // A game mode other than the desktop's: the display is switched there and back.
    g.Display.GameBitDepth = 16;
    g.Display.ScreenWidth = 800;
    g.Display.ScreenHeight = 600;
    g.Options.Joystick = true;
    stick = std::make_unique<VirtualJoystick>(2, 32);
    joySettings.JoySaturation = 10000;
    joySettings.JoyFireButton = 0;

    int frames = 0, shotDown = 0;
    PresentRecord shot;
    Long playAreaX = 0, sheet35Width = 0;
    bool soundServed = false, stickSeen = false;
    OnPump([&] {
        ++frames;
        if (frames > 600) {
            ADD_FAILURE() << "runaway";
            g.Run.GameOver = True;
        }
        if (frames == 20) {
            g.Sounds.Request(23);  // an explosion, served by the next frame's 17..32 range
            stick->SetAxis(0, -32768);
            stick->SetButton(0, true);  // fire, held from here on
        }
        if (frames == 21) soundServed = g.Sounds[23] == False && !media.Sound.SoundChannels[2].IsEmpty();
        // The stick's event arrived at the last pump; this frame's poll handed it on.
        if (frames == 22) stickSeen = g.Controls.JoystickX == 0 && g.Controls.JoystickFire == True;
        if (frames > 1 && shotDown == 0 && g.Run.ScriptHold == False) {  // pump 1 is before the level
            // The level-start plane was hit, by the pixel test over the real sheets.
            shotDown = frames;
            shot = LastPresent();
            playAreaX = g.Display.PlayAreaX;
            sheet35Width = media.Display.VorpexSheets[35]->Width();
            // Esc: no lives left, and the landing (or here the test) starts the countdown.
            g.Player().Lives = 0;
            LoseLife(g);
        }
        if (shotDown != 0 && frames == shotDown + 5) g.Run.GameOverCountdown = 2;  // Esc again: over
    });

    EXPECT_NO_THROW(BeginGame(g));

    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(unloads, 0);
    ASSERT_GT(shotDown, 22);
    RecordProperty("shot_down_at_frame", shotDown);
    EXPECT_EQ(frames, shotDown + 6);
    EXPECT_EQ(menu, (std::vector<std::string>{"ShowMenu 0", "WriteSettings", "ShowUnlockedLevels 0", "ShowMenu 1"}));

    // The game ran at 800 x 600 with the play area centred there; the present shows the level
    // background, the sprites and the screen frame.
    EXPECT_EQ(playAreaX, 94);
    ASSERT_EQ(shot.Width, 800);
    ASSERT_EQ(shot.Height, 600);
    EXPECT_GT(Colours(shot, 94, 135, 612, 330), 20u);
    EXPECT_GT(Colours(shot, 80, 60, 640, 75), 2u);  // the frame above the play area
    // The set-ups measured the sheets into the game.
    EXPECT_GT(sheet35Width, 0);
    EXPECT_EQ(g.Sheets.VorpexSheetWidths[35], sheet35Width);
    EXPECT_TRUE(soundServed);
    EXPECT_TRUE(stickSeen);
    EXPECT_FALSE(media.Sound.SoundBuffers[60].IsEmpty());  // level 1's boss clip

    // Back in the desktop's mode, with its play-area origin.
    ASSERT_TRUE(media.Display.DDraw);
    EXPECT_EQ(media.Display.DDraw->ModeWidth(), g.Display.DesktopWidth);
    EXPECT_EQ(g.Display.PlayAreaX, (g.Display.DesktopWidth - 612) / 2);
    // And the key the game compares with is the misc sheet's key pixel in the desktop's format.
    SurfaceDesc lock;
    media.Display.GfxMisc->Lock(Rect{}, lock, DDLOCK_WAIT | DDLOCK_READONLY);
    EXPECT_EQ(g.Display.ColorKeyPixel, media.Display.GfxMisc->GetLockedPixel(205, 1));
    media.Display.GfxMisc->Unlock(Rect{});
}

// On a desktop too slow for the game (here every present takes 45 ms of the virtual clock) the
// overload sign is in the presented picture; and the LOADING banner is presented while the
// game is set up, before the screen frame covers it. Both are compared pixel for pixel with the
// misc sheet they come from.
TEST_F(LiveGame, ASlowDesktopShowsTheOverloadSignAndTheLoadingBannerIsPresented) {
    ASSERT_EQ(media.Display.DDraw->ModeBitsPerPixel(), 32);  // presents hold the sheet's own values
    const SurfaceRef misc = media.Display.GfxMisc;
    ASSERT_TRUE(misc);
    SurfaceDesc lock;
    misc->Lock(Rect{}, lock, DDLOCK_WAIT | DDLOCK_READONLY);
    const auto shows = [&](const PresentRecord& shot, Long x, Long y, int sx, int sy, int w, int h) {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (shot.At(int32_t(x) + i, int32_t(y) + j) != (uint32_t(misc->GetLockedPixel(sx + i, sy + j)) & 0xFFFFFFu))
                    return false;
        return true;
    };
    bool bannerShown = false;
    int signShownAtFrame = 0, frames = 0;
    SetScreenPresenter([&] {
        PresentIfChanged();
        AdvanceVirtualClock(45);
        const PresentRecord& shot = LastPresent();
        const Long x = g.Display.PlayAreaX, y = g.Display.PlayAreaY;
        if (shows(shot, x + 190, y + 128, 239, 60, 233, 74)) bannerShown = true;
        for (int f = 1; f <= 4 && !signShownAtFrame; ++f)
            if (shows(shot, x + 2, y + 2, 213 + 26 * (f - 1), 0, 26, 18)) signShownAtFrame = frames;
    });
    OnPump([&] {
        if (++frames == 16) g.Run.GameOver = True;
    });
    EXPECT_NO_THROW(BeginGame(g));
    misc->Unlock(Rect{});
    EXPECT_TRUE(bannerShown);
    // Frames 1 to 10 overran, so frame 11 draws the sign first; it is presented before that
    // frame's pump, and pump 1 came before the first frame.
    EXPECT_EQ(signShownAtFrame, 11);
}

TEST_F(LiveGame, KeysReachTheGameStateAndALoadWithoutItsResourceEndsTheProgram) {
    live.SetupDirectInput(g);
    InjectKey(SDL_SCANCODE_LEFT, true);
    PumpMessages();
    live.ReadKeyboardState(g);
    EXPECT_NE(g.Controls.KeyboardState[0xCB], 0);
    InjectKey(SDL_SCANCODE_LEFT, false);
    PumpMessages();
    live.ReadKeyboardState(g);
    EXPECT_EQ(g.Controls.KeyboardState[0xCB], 0);

    // Every level background is in the program; a missing one is the run time's error.
    EXPECT_THROW(live.LoadLevelBackground(g, "screen99"), Unloaded);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Run-time error '326':", 0), 0u) << boxes[0];
    EXPECT_THROW(live.LoadResourceSound(60, "zugbos99z"), Unloaded);
    EXPECT_EQ(unloads, 2);
}

// The eject's promise: the pilot bails out with the weapon, and a plane that stays where it
// ejected catches its pilot as it falls, and has the weapon back. Played on the real sheets, so
// the plane's art and the pilot's path must meet.
TEST_F(LiveGame, APlaneThatStaysWhereItEjectedCatchesItsFallingPilot) {
    int frames = 0, ejectAt = 0, caughtAt = 0;
    Integer ejectX = 0, ejectY = 0;
    bool pilotSeen = false, moved = false;
    OnPump([&] {
        ++frames;
        if (frames > 400) {
            ADD_FAILURE() << "runaway";
            g.Run.GameOver = True;
            return;
        }
        PlaneRecord& p = g.Player();
        p.Invulnerable = True;  // nothing else may end the plane meanwhile
        if (p.Dying == False) p.HitPoints = 100;
        if (ejectAt == 0) {
            // Flown in and come to rest: give it a weapon worth saving and press eject.
            if (p.Active == True && p.SpeedX == 0 && p.SpeedY == 0 && frames > 40) {
                ApplyPickup(g, 57);
                InjectKey(SDL_SCANCODE_LSHIFT, true);
                ejectAt = frames;
                ejectX = p.X;
                ejectY = p.Y;
            }
            return;
        }
        if (frames == ejectAt + 2) InjectKey(SDL_SCANCODE_LSHIFT, false);
        moved = moved || p.X != ejectX || p.Y != ejectY;
        bool pilot = false;
        for (int i = 1; i <= 20; ++i) pilot = pilot || (g.Obj.Planes[i].Active != 0 && g.Obj.Planes[i].TypeId == 55);
        if (pilot && !pilotSeen) {
            EXPECT_EQ(p.GunBullet[1], 1) << "the eject leaves the plane the basic weapon";
        }
        pilotSeen = pilotSeen || pilot;
        if (pilotSeen && !pilot) {
            caughtAt = frames;
            EXPECT_EQ(p.GunBullet[1], 4) << "the pilot left the area instead of being caught";
            g.Run.GameOver = True;
        }
    });

    EXPECT_NO_THROW(BeginGame(g));

    EXPECT_TRUE(boxes.empty()) << boxes.front();
    ASSERT_GT(ejectAt, 0);
    EXPECT_TRUE(pilotSeen);
    EXPECT_FALSE(moved);
    ASSERT_GT(caughtAt, 0);
    RecordProperty("caught_frames_after_eject", caughtAt - ejectAt);
    EXPECT_LT(caughtAt - ejectAt, 30);
}
