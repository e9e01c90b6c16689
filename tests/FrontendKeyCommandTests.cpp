// Typed key commands: pause, Esc, the skip request, the cheat code and the debug keys, called
// directly and through the toolkit's key-press event.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WorldTestSupport.h"
#include "frontend/KeyCommands.h"
#include "platform/Forms.h"
#include "platform/MessagePump.h"
#include "platform/ScriptedInput.h"

using namespace gorb;

namespace {

class KeyCommandTest : public gorb::test::WorldTest {
protected:
    Boolean active = False, skip = False;
    DrumLoop drums;
    SequenceState seq{active, skip, drums};
    std::vector<int> pickups;
    PickupAction applyPickup = [this](Game&, Integer type) { pickups.push_back(type); };

    void Type(const std::string& keys) {
        for (char c : keys) {
            Integer k = static_cast<unsigned char>(c);
            Form_KeyPress(g, seq, k, applyPickup);
        }
    }
    void EnterDebugMode() {
        Type("wombrex");
        ASSERT_EQ(g.Run.DebugMode, True);
        g.Sounds = SoundRequests{};
    }
};

}  // namespace

TEST_F(KeyCommandTest, LowerCasePTogglesPauseAndDrawsTheSignOnlyWhenPausing) {
    g.Display.PlayAreaX = 94;
    g.Display.PlayAreaY = 135;
    Type("P");
    EXPECT_EQ(g.Run.Paused, False);
    Type("p");
    EXPECT_EQ(g.Run.Paused, True);
    Type("p");
    EXPECT_EQ(g.Run.Paused, False);
    const auto signs = media.Of("prim", "Tile Misc Stuff");
    ASSERT_EQ(signs.size(), 1u);
    EXPECT_EQ(signs[0].Surface, surf::Misc);
    EXPECT_EQ(signs[0].Src, (BlitRect{0, 60, 233, 134}));
    EXPECT_EQ(signs[0].Dst.Left, 94 + 190);
    EXPECT_EQ(signs[0].Dst.Top, 135 + 128);
}

TEST_F(KeyCommandTest, EscDropsThePlaneWithNoLivesOrEndsARunningCountdown) {
    g.Run.FrameTimeMs = 135;
    g.Player().Lives = 3;
    g.Player().Dying = True;  // already falling
    g.Player().FallSpeed = 4.5;
    seq.SequenceActive = True;
    seq.SkipRequested = True;
    Type("\x1b");
    EXPECT_EQ(g.Run.FrameTimeMs, 35);
    EXPECT_EQ(g.Player().Lives, 0);
    EXPECT_EQ(g.Player().FallSpeed, 0);
    EXPECT_EQ(g.Player().Dying, True);
    EXPECT_EQ(g.Run.GameOverCountdown, 0);
    EXPECT_EQ(seq.SkipRequested, True);  // Esc touches nothing else

    g.Run.GameOverCountdown = 40;
    g.Player().FallSpeed = 2;
    Type("\x1b");
    EXPECT_EQ(g.Run.GameOverCountdown, 2);
    EXPECT_EQ(g.Player().FallSpeed, 2);
}

TEST_F(KeyCommandTest, SpaceRequestsASkipOnlyDuringASequenceAndAnyOtherKeyWithdrawsIt) {
    struct Case {
        bool active;
        std::string keys;
        Boolean skip;
    };
    const std::vector<Case> cases = {
        {false, " ", False}, {true, " ", True}, {true, " x", False}, {true, " p", False},
        {true, "x ", True},  {true, " \x1b", True},
    };
    for (const Case& c : cases) {
        skip = False;
        active = ToBoolean(c.active);
        Type(c.keys);
        EXPECT_EQ(seq.SkipRequested, c.skip) << "'" << c.keys << "' active " << c.active;
    }
}

TEST_F(KeyCommandTest, CheatCodeCollectsOnlyItsOwnLettersInOrder) {
    struct Case {
        std::string keys;
        bool debug;
        std::string buffer;
    };
    const std::vector<Case> cases = {
        {"wombrex", true, "wombrex"},
        {"wXoQmZb1r!e\x01x", true, "wombrex"},  // other characters in between do no harm
        {"WOMBREX", false, ""},
        {"ombrex", false, ""},                  // only the first letter starts the code
        {"wombe", false, ""},                   // a wrong letter empties the buffer
        {"wombwombrex", true, "wombrex"},       // ...or restarts it when it is the first letter
        {"wombre", false, "wombre"},
        {"wombrexw", true, "wombrex"},          // after the code its letters no longer collect
    };
    for (const Case& c : cases) {
        g.Run.DebugMode = False;
        g.Run.CheatBuffer.clear();
        Type(c.keys);
        EXPECT_EQ(g.Run.DebugMode, ToBoolean(c.debug)) << c.keys;
        EXPECT_EQ(g.Run.CheatBuffer, c.buffer) << c.keys;
    }
}

TEST_F(KeyCommandTest, CompletedCodeRequestsThePilotsVoiceOrTheShortSound) {
    g.Flags.PilotTalkOn = True;
    Type("wombrex");
    EXPECT_EQ(g.Sounds[80], True);
    EXPECT_EQ(g.Sounds[47], False);
    g.Run.DebugMode = False;
    g.Run.CheatBuffer.clear();
    g.Sounds = SoundRequests{};
    g.Flags.PilotTalkOn = False;
    Type("wombrex");
    EXPECT_EQ(g.Sounds[80], False);
    EXPECT_EQ(g.Sounds[47], True);
}

TEST_F(KeyCommandTest, DebugKeysMoveTheScriptAndChangeTheFrameTime) {
    Type("b`\\");  // nothing before the code
    EXPECT_EQ(g.Run.FrameTimeMs, 35);
    EnterDebugMode();
    g.Run.Level = 5;
    g.Run.LevelProgress = 7;
    g.Data.LevelScript[0][5][7] = 120;
    g.Data.BossStep[5] = 33;
    Type("`");
    EXPECT_EQ(g.Run.ScriptTick, 119);
    g.Run.RandomGameActive = True;
    Type("b");
    EXPECT_EQ(g.Run.LevelProgress, 33);
    EXPECT_EQ(g.Run.ScriptTick, 0);
    EXPECT_EQ(g.Run.RandomGameActive, False);
    Type("\\\\");
    EXPECT_EQ(g.Run.FrameTimeMs, 135);
    Type("|");
    EXPECT_EQ(g.Run.FrameTimeMs, 35);
    for (int i = 0; i < 1000; ++i) Type("\\");
    EXPECT_EQ(g.Run.FrameTimeMs, kSlowestFrameTimeMs);  // no 16-bit wrap into a negative period
}

TEST_F(KeyCommandTest, BossJumpAndScriptSkipDoNothingOutsideTheScriptedLevels) {
    EnterDebugMode();
    for (Integer level : std::initializer_list<Integer>{11, 12, 13, 99}) {
        g.Run.Level = level;
        g.Run.LevelProgress = 4;
        g.Run.ScriptTick = 9;
        Type("b");
        EXPECT_EQ(g.Run.LevelProgress, 4) << level;
        EXPECT_EQ(g.Run.ScriptTick, 9) << level;
    }
    g.Run.Level = 99;  // the menu after the end picture: no script row to read
    Type("`");
    EXPECT_EQ(g.Run.ScriptTick, 9);
}

TEST_F(KeyCommandTest, PickupKeysHandOutTheirPickupsOnlyInDebugMode) {
    Type("1234567890-=");
    EXPECT_TRUE(pickups.empty());
    EnterDebugMode();
    Type("1234567890-");
    EXPECT_EQ(pickups, (std::vector<int>{57, 60, 59, 54, 63, 61, 53, 52, 56, 58, 62}));
    pickups.clear();
    Type("=");
    EXPECT_EQ(pickups, (std::vector<int>{59, 59, 52, 61, 53, 63, 54, 52, 61, 53, 63, 54, 62, 62, 62, 62, 62, 62}));
}

TEST_F(KeyCommandTest, TypedKeysReachTheHandlerThroughTheMainFormsKeyPressEvent) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    {
        Form form(FormKind::Screen);
        form.OnKeyPress = [this](Integer& k) { Form_KeyPress(g, seq, k, applyPickup); };
        form.Show();
        seq.SequenceActive = True;
        ScriptText("wombrex p ");
        PumpMessages();
        EXPECT_EQ(g.Run.DebugMode, True);
        EXPECT_EQ(g.Run.Paused, True);
        EXPECT_EQ(seq.SkipRequested, True);
        g.Run.GameOverCountdown = 10;
        ScriptKey(SDLK_ESCAPE);
        PumpMessages();
        EXPECT_EQ(g.Run.GameOverCountdown, 2);
    }
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
