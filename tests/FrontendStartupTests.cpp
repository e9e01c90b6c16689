// The program's life run in-process: start-up to the menu, the cursor count, the centring, the
// Exit button with and without its jingle, closing the window, and failing set-up steps.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FrontendHarness.h"
#include "frontend/Menu.h"
#include "frontend/SettingsFile.h"
#include "media/ErrorLog.h"
#include "media/SoundSetup.h"

using namespace gorb;
using gorb::testing::FrontendHarness;
using gorb::testing::ReadFile;

namespace {

ModeLister AllListedModes() {
    return [](int32_t i, DisplayModeRecord& m) { return EnumDisplaySettings(i, m); };
}

DeviceCapsReader DesktopOf(int32_t bits, int32_t w, int32_t h) {
    return [=](int32_t index) { return index == BITSPIXEL ? bits : index == HORZRES ? w : h; };
}

std::string Quoted(const std::string& s) { return "\"" + s + "\"\r\n"; }

}  // namespace

TEST(FrontendStartup, WithoutSettingsTheMenuOpensWithTheDefaultsAndNoSound) {
    FrontendHarness h(-3);
    int cursorDuringIntro = 99, cursorAtDisplay = 99;
    std::vector<std::string> shownDuringIntro;
    bool timerDuringIntro = true;
    ProgramSeams seams = FrontendHarness::Seams();
    seams.OnLoadStep = [&](GameForm& form, std::string_view s) {
        if (s == "setting up DirectX") cursorAtDisplay = CursorDisplayCount();
        if (s != "calling Introscreens") return;
        cursorDuringIntro = CursorDisplayCount();
        // The menu is hidden while the intro runs: title picture, timer and all five buttons.
        for (Control* c : {static_cast<Control*>(form.picIntro), static_cast<Control*>(form.cmdExit),
                           static_cast<Control*>(form.cmdBegin), static_cast<Control*>(form.cmdConfig),
                           static_cast<Control*>(form.cmdGame), static_cast<Control*>(form.cmdMisc)})
            if (c->Visible()) shownDuringIntro.push_back(c->Name);
        timerDuringIntro = form.StartTimer->Enabled();
    };
    GameForm f(seams);
    ASSERT_EQ(h.Start(f), -1);

    EXPECT_TRUE(h.Messages.empty());
    EXPECT_GE(h.SpacesTyped, 1);  // the intro's title waited for Space
    EXPECT_EQ(cursorAtDisplay, -1);  // normalised to 0, then hidden with the menu
    EXPECT_EQ(cursorDuringIntro, -1);
    EXPECT_TRUE(shownDuringIntro.empty()) << shownDuringIntro.front();
    EXPECT_FALSE(timerDuringIntro);
    EXPECT_EQ(CursorDisplayCount(), 0);
    EXPECT_EQ(f.CursorCountAtStart, -3);

    EXPECT_TRUE(f.optPlay->Value(0));
    EXPECT_TRUE(f.optLevel->Value(0));
    EXPECT_TRUE(f.optPilot->Value(0));
    EXPECT_TRUE(f.optControls->Value(0));
    EXPECT_TRUE(f.optDifficulty->Value(0));
    EXPECT_EQ(f.G->Setup.StartLevel, 0);
    for (Integer i = 1; i <= 10; ++i) EXPECT_FALSE((*f.optLevel)[i].Visible()) << i;

    // The dummy desktop is 1024 x 768 with 4 bytes per pixel.
    const DisplayState& d = f.G->Display;
    EXPECT_EQ(d.DesktopBitDepth, 32);
    EXPECT_TRUE(f.optColor->Value(2));
    EXPECT_TRUE(f.optRes->Value(2));
    EXPECT_EQ(d.ScreenWidth, 1024);
    EXPECT_EQ(d.ScreenHeight, 768);
    EXPECT_EQ(d.GameBitDepth, 32);

    EXPECT_EQ(f.SoundEnabled, False);
    EXPECT_FALSE(f.SoundReady());
    EXPECT_EQ(f.Media.Sound.DirectSound, nullptr);

    for (Control* c : {static_cast<Control*>(f.picIntro), static_cast<Control*>(f.cmdExit),
                       static_cast<Control*>(f.cmdBegin), static_cast<Control*>(f.cmdConfig),
                       static_cast<Control*>(f.cmdGame), static_cast<Control*>(f.cmdMisc)})
        EXPECT_TRUE(c->Showing()) << c->Name;
    for (const char* frame : {"frameColor", "frameRes", "frameControls", "frameGamePlay", "FrameLevel",
                              "frameDifficulty", "framePerformance", "framePreference"})
        EXPECT_FALSE(f.FindFrame(frame)->Visible()) << frame;
    EXPECT_TRUE(f.StartTimer->Enabled());
    EXPECT_TRUE(f.cmdBegin->HasFocus());
    EXPECT_TRUE(f.Win.Visible());
    EXPECT_NE(f.Media.Display.PrimarySurface, nullptr);

    // Exit without sound closes at once with status 0, leaving no log and the cursor shown. The
    // harness runs on the virtual clock, which only a wait moves: "at once" is no wait at all,
    // however slowly the machine or a sanitizer runs the test.
    ASSERT_TRUE(IsVirtualClock());
    uint32_t before = GetTickCount();
    EXPECT_EQ(FrontendHarness::Catch([&] { FrontendHarness::Click(*f.cmdExit); }), kExitNormal);
    EXPECT_TRUE(h.Messages.empty());
    EXPECT_EQ(GetTickCount() - before, 0u);
    EXPECT_EQ(CursorDisplayCount(), -2);  // one above the count found at start-up
    EXPECT_EQ(f.Media.Display.DDraw, nullptr);
    EXPECT_FALSE(std::filesystem::exists(h.Dir.Path() / "zorbels.log"));
}

TEST(FrontendStartup, TheLayoutIsCentredOnTheDesktop) {
    struct Case {
        int32_t W, H;
        Integer X, Y;
    };
    for (Case c : {Case{640, 480, 0, 0}, Case{800, 600, 80, 60}, Case{1024, 768, 192, 144}}) {
        SCOPED_TRACE(c.W);
        FrontendHarness h;
        ProgramSeams seams = FrontendHarness::Seams();
        seams.ListModes = AllListedModes();
        seams.DeviceCaps = DesktopOf(16, c.W, c.H);
        GameForm f(seams);
        ASSERT_EQ(h.Start(f), -1);
        EXPECT_EQ(f.G->Display.ScreenOffsetX, c.X);
        EXPECT_EQ(f.G->Display.ScreenOffsetY, c.Y);
        EXPECT_EQ(f.cmdBegin->Left(), 520 + c.X);
        EXPECT_EQ(f.cmdBegin->Top(), 432 + c.Y);
        EXPECT_EQ(f.picIntro->Left(), c.X);
        EXPECT_EQ(f.FrameLevel->Left(), 168 + c.X);
        EXPECT_EQ((*f.optLevel)[0].Left(), 8);  // inside a frame: moves with its frame
        EXPECT_EQ(f.G->Display.ScreenWidth, c.W);
        EXPECT_EQ(f.WindowState, c.W == 640 ? 2 : 0);
        EXPECT_EQ(f.Media.Display.DDraw->ModeWidth(), c.W);
        EXPECT_EQ(f.Media.Display.DDraw->ModeBitsPerPixel(), 16);
    }
}

TEST(FrontendStartup, AnOddDesktopWidthRoundsTheOffsetHalfToEven) {
    FrontendHarness h;
    ProgramSeams seams = FrontendHarness::Seams();
    seams.DeviceCaps = DesktopOf(32, 1365, 767);
    // Stop before the display would be asked for this desktop.
    seams.OnLoadStep = [](GameForm&, std::string_view s) {
        if (s == "setting up DirectX") throw PlatformError(err::Generic, "stop", "test");
    };
    GameForm f(seams);
    EXPECT_EQ(h.Start(f), kExitSetupFailed);
    EXPECT_EQ(f.G->Display.ScreenOffsetX, 362);  // 362.5
    EXPECT_EQ(f.G->Display.ScreenOffsetY, 144);  // 143.5
    EXPECT_EQ(f.G->Display.ScreenWidth, 1365);
}

TEST(FrontendStartup, AFailingLoadStepIsLoggedShownAndEndsTheRun) {
    for (const char* step : {"getting screen modes", "reading INI file.", "setting up DirectX",
                             "setting up DirectSound", "calling Introscreens"}) {
        SCOPED_TRACE(step);
        FrontendHarness h;
        ProgramSeams seams = FrontendHarness::Seams();
        seams.OnLoadStep = [step](GameForm& form, std::string_view s) {
            if (s == "reading INI file.") form.SoundEnabled = True;  // as "SOUND=1" would
            if (s == step) throw PlatformError(-2005532292, "the picture went missing", "DirectDraw");
        };
        GameForm f(seams);
        EXPECT_EQ(h.Start(f), kExitSetupFailed);
        std::string first = std::string("Form Load:  Error While ") + step;
        EXPECT_EQ(h.Messages, std::vector<std::string>{first});
        EXPECT_EQ(ReadFile(h.Dir.Path() / "zorbels.log"),
                  Quoted(first) + Quoted("Error was the picture went missing") +
                      Quoted("Error source:  DirectDraw") + Quoted("Error Num:  -2005532292"));
        EXPECT_EQ(f.Media.Display.DDraw, nullptr);  // the display was given back
        EXPECT_GE(CursorDisplayCount(), 0);
    }
}

TEST(FrontendStartup, AFailedDisplaySetUpEndsInsideItsOwnFailurePath) {
    FrontendHarness h;
    ProgramSeams seams = FrontendHarness::Seams();
    seams.OnMediaStep = [](std::string_view s) {
        if (s == "DirectDrawCreate command.") throw PlatformError(dderr::NoDirectDrawHW, "no hardware", "DirectDraw");
    };
    GameForm f(seams);
    EXPECT_EQ(h.Start(f), kExitSetupFailed);
    EXPECT_EQ(h.Messages, std::vector<std::string>{"SetupDirectX:  Error While DirectDrawCreate command."});
    std::string log = ReadFile(h.Dir.Path() / "zorbels.log");
    EXPECT_EQ(log.rfind(Quoted("SetupDirectX:  Error While DirectDrawCreate command."), 0), 0u) << log;
    EXPECT_EQ(f.SequenceActive, False);  // the intro never started
}

TEST(FrontendStartup, SoundOnStartsTheDeviceAndTheExitJinglePlaysOneTimeInThree) {
    // One seed whose first draw picks the jingle (0) and one whose draw does not.
    auto firstDrawIsJingle = [](uint32_t seed) {
        RandomGenerator random;
        random.RandomizeWith(seed);
        return random.Below(3) == 0;
    };
    uint32_t jingleSeed = 0, quietSeed = 0;
    for (uint32_t seed = 1; seed < 10000 && (!jingleSeed || !quietSeed); ++seed) {
        uint32_t& slot = firstDrawIsJingle(seed) ? jingleSeed : quietSeed;
        if (!slot) slot = seed;
    }
    ASSERT_NE(jingleSeed, 0u);
    ASSERT_NE(quietSeed, 0u);

    for (uint32_t seed : {jingleSeed, quietSeed}) {
        SCOPED_TRACE(seed);
        FrontendHarness h;
        ProgramSeams seams = FrontendHarness::Seams();
        std::vector<std::string> steps;
        seams.OnLoadStep = [&steps](GameForm& form, std::string_view s) {
            steps.emplace_back(s);
            if (s == "reading INI file.") form.SoundEnabled = True;  // as "SOUND=1" would
        };
        GameForm f(seams);
        ASSERT_EQ(h.Start(f), -1);
        if (!f.SoundReady()) GTEST_SKIP() << "no sound device on this machine";
        EXPECT_EQ(steps, (std::vector<std::string>{"getting screen modes", "reading INI file.", "setting up DirectX",
                                                   "setting up DirectSound", "calling Introscreens"}));
        EXPECT_EQ(f.Media.Sound.SoundOn, True);
        // The title picture started the intro music.
        auto& buffers = f.Media.Sound.SoundBuffers;
        EXPECT_EQ(buffers[81].GetStatus(), dsound::BSTATUS_PLAYING);

        // What sounds as the form is unloaded, with the mixer held so nothing ends on its own.
        f.Media.Sound.DirectSound->PauseOutput(true);
        int32_t music = -1, jingle = -1;
        f.Win.OnUnload = [&](Integer& cancel) {
            music = buffers[81].GetStatus();
            jingle = buffers[88].GetStatus();
            Form_Unload(f, cancel);
        };
        f.G->Random.RandomizeWith(seed);
        ASSERT_TRUE(IsVirtualClock());  // only the jingle's wait moves it
        uint32_t before = GetTickCount();
        EXPECT_EQ(FrontendHarness::Catch([&] { cmdExit_Click(f); }), kExitNormal);
        EXPECT_EQ(f.Media.Sound.DirectSound, nullptr);  // the unload gave the sound device back
        EXPECT_TRUE(buffers[81].IsEmpty());
        if (seed == jingleSeed) {
            EXPECT_EQ(GetTickCount() - before, 1600u + 1);  // the wait ends once the clock is past
            EXPECT_EQ(music, 0);  // the intro music was stopped for "exit3"
            EXPECT_EQ(jingle, dsound::BSTATUS_PLAYING);
        } else {
            EXPECT_EQ(GetTickCount() - before, 0u);
            EXPECT_EQ(music, dsound::BSTATUS_PLAYING);
            EXPECT_EQ(jingle, 0);
        }
    }
}

TEST(FrontendStartup, ClosingTheWindowEndsTheRunNormally) {
    FrontendHarness h;
    GameForm f(FrontendHarness::Seams());
    ASSERT_EQ(h.Start(f), -1);
    EXPECT_EQ(FrontendHarness::Catch([] {
                  ScriptWindowClose();
                  PumpMessages();
              }),
              kExitNormal);
}

TEST(FrontendStartup, RunProgramGoesThroughTheEventLoopToExit) {
    FrontendHarness h;
    ProgramSeams seams = FrontendHarness::Seams();
    seams.OnLoadStep = [&](GameForm& f, std::string_view) { h.Watch(f); };
    int turns = 0;
    seams.OnIdle = [&](GameForm& f) {
        if (++turns == 3) FrontendHarness::Click(*f.cmdExit);
    };
    EXPECT_EQ(RunProgram(seams), kExitNormal);
    EXPECT_EQ(turns, 3);
}

TEST(FrontendStartup, AnExceptionEscapingAGameIsReportedAsARunTimeErrorAndEndsTheRun) {
    FrontendHarness h;
    ProgramSeams seams = FrontendHarness::Seams();
    seams.OnLoadStep = [&](GameForm& f, std::string_view) { h.Watch(f); };
    seams.RunGame = [](GameForm&) {
        std::array<int, 21> slots{};
        (void)slots.at(21);  // a checked index out of its range, deep in a game
    };
    seams.OnIdle = [](GameForm& f) { FrontendHarness::Click(*f.cmdBegin); };
    EXPECT_EQ(RunProgram(seams), kExitSetupFailed);
    ASSERT_EQ(h.Messages.size(), 1u);
    EXPECT_EQ(h.Messages[0].rfind("Run-time error '9':\n\nSubscript out of range (", 0), 0u) << h.Messages[0];
    const std::string log = ReadFile(h.Dir.Path() / "zorbels.log");
    EXPECT_EQ(log.rfind(Quoted("Run-time error '9':") + "\"Error was Subscript out of range (", 0), 0u) << log;
    EXPECT_NE(log.find(Quoted("Error Num:  9")), std::string::npos) << log;
}

// Without a display SDL quietly falls back to its offscreen driver, which pretends every mode
// works. The splash starts SDL's video before the probe asks for modes; the probe must still find
// none, and with no box to show the message goes to stderr and the log. The program runs in a
// child process: SDL's probing of the real drivers loads libraries that keep what they allocate.
TEST(FrontendStartup, WithoutADisplayTheProgramEndsAtOnceSayingSoOnStderrAndInTheLog) {
    gorb::testing::ScopedWorkDir dir;
    ShutdownDisplay();  // the headless host's video
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
        const int err = ::open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(err, 2);
        ProgramSeams seams = FrontendHarness::Seams();
        seams.SettingsFolder = dir.Path();
        std::string driver = "none";
        seams.OnLoadStep = [&](GameForm&, std::string_view s) {
            if (s == "getting screen modes" && SDL_GetCurrentVideoDriver()) driver = SDL_GetCurrentVideoDriver();
        };
        const int status = RunProgram(seams);
        std::ofstream("result.txt") << status << " " << driver;
        ::_exit(0);
    }
    int wait = 0;
    ::waitpid(pid, &wait, 0);
    ASSERT_TRUE(WIFEXITED(wait) && WEXITSTATUS(wait) == 0);
    int status = -1;
    std::string driver;
    std::ifstream(dir.Path() / "result.txt") >> status >> driver;
    if (driver != "offscreen") GTEST_SKIP() << "SDL found a display here: " << driver;

    EXPECT_EQ(status, kExitSetupFailed);
    const std::string err = ReadFile(dir.Path() / "stderr.txt");
    EXPECT_NE(err.find(std::string(kNoModesMessage) + "\n"), std::string::npos) << err;
    EXPECT_EQ(ReadFile(dir.Path() / "zorbels.log"), Quoted(kNoModesMessage));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / kSettingsFileName));
}
