// The main menu run in-process: the panels, option clicks and what they store, the start
// levels per game type, and the Begin button starting a game with the chosen options.
#include <gtest/gtest.h>

#include "FrontendHarness.h"
#include "frontend/Menu.h"
#include "frontend/MenuLayout.h"
#include "frontend/UnlockedLevels.h"
#include "media/SoundSetup.h"
#include "platform/Resources.h"
#include "platform/Screen.h"
#include "world/World.h"

using namespace gorb;
using gorb::testing::FrontendHarness;

namespace {

class FrontendMenu : public ::testing::Test {
protected:
    void StartForm(ProgramSeams seams = FrontendHarness::Seams()) {
        form = std::make_unique<GameForm>(std::move(seams));
        ASSERT_EQ(h.Start(*form), -1);
    }
    void TearDown() override {
        // The form goes before the host it was shown on.
        if (form) FrontendHarness::Catch([&] { form.reset(); });
    }
    bool FramesShowing(std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (!form->FindFrame(n)->Visible()) return false;
        return true;
    }
    int FramesOpen() {
        int n = 0;
        for (std::string_view frame : OptionFrames()) n += form->FindFrame(frame)->Visible();
        return n;
    }

    FrontendHarness h;
    std::unique_ptr<GameForm> form;
};

}  // namespace

TEST_F(FrontendMenu, LayoutTableHoldsEveryControlOnce) {
    int options = 0, frames = 0, buttons = 0, checks = 0;
    for (const ControlSpec& c : MenuControls()) {
        EXPECT_EQ(FindMenuControl(c.Name, c.Index), &c) << c.Name;
        options += c.Kind == ControlKind::OptionButton;
        frames += c.Kind == ControlKind::Frame;
        buttons += c.Kind == ControlKind::CommandButton;
        checks += c.Kind == ControlKind::CheckBox;
        if (!c.Parent.empty()) {
            // Everything inside a frame fits in it.
            const ControlSpec* frame = FindMenuControl(c.Parent);
            ASSERT_NE(frame, nullptr) << c.Name;
            EXPECT_LE(c.Left + c.Width, frame->Width) << c.Name;
            EXPECT_LE(c.Top + c.Height, frame->Height) << c.Name;
        }
    }
    EXPECT_EQ(options, 3 + 3 + 2 + 2 + 11 + 2 + 2);
    EXPECT_EQ(frames, 8);
    EXPECT_EQ(buttons, 5);
    EXPECT_EQ(checks, 4);
}

TEST_F(FrontendMenu, PanelButtonsOpenOnePanelAtATime) {
    StartForm();
    FrontendHarness::Click(*form->cmdConfig);
    EXPECT_TRUE(FramesShowing({"frameColor", "frameRes", "frameControls"}));
    EXPECT_EQ(FramesOpen(), 3);
    FrontendHarness::Click(*form->cmdGame);
    EXPECT_TRUE(FramesShowing({"frameGamePlay", "FrameLevel", "frameDifficulty"}));
    EXPECT_EQ(FramesOpen(), 3);
    FrontendHarness::Click(*form->cmdGame);  // again: stays open
    EXPECT_EQ(FramesOpen(), 3);
    FrontendHarness::Click(*form->cmdMisc);
    EXPECT_TRUE(FramesShowing({"framePerformance", "framePreference"}));
    EXPECT_EQ(FramesOpen(), 2);
    // Alt with the access key clicks the button as well.
    ScriptAltKey('c');
    PumpMessages();
    EXPECT_TRUE(FramesShowing({"frameColor", "frameRes", "frameControls"}));
}

TEST_F(FrontendMenu, OptionClicksStoreTheirValues) {
    StartForm();
    FrontendHarness::Click(*form->cmdConfig);
    // The dummy display lists every size and the 8- and 16-bit depths.
    FrontendHarness::Click((*form->optColor)[0]);
    EXPECT_EQ(form->G->Display.GameBitDepth, 8);
    FrontendHarness::Click((*form->optColor)[1]);
    EXPECT_EQ(form->G->Display.GameBitDepth, 16);
    FrontendHarness::Click((*form->optRes)[0]);
    EXPECT_EQ(form->G->Display.ScreenWidth, 640);
    EXPECT_EQ(form->G->Display.ScreenHeight, 480);
    FrontendHarness::Click((*form->optRes)[1]);
    EXPECT_EQ(form->G->Display.ScreenWidth, 800);
    FrontendHarness::Click((*form->optControls)[1]);
    EXPECT_TRUE(form->optControls->Value(1));

    FrontendHarness::Click(*form->cmdMisc);
    FrontendHarness::Click(*form->chkCollision);
    EXPECT_EQ(form->chkCollision->Value(), 1);
    FrontendHarness::Click(*form->chkCollision);
    EXPECT_EQ(form->chkCollision->Value(), 0);
    FrontendHarness::Click((*form->optPilot)[1]);
    EXPECT_TRUE(form->optPilot->Value(1));

    // A click on a closed panel's place reaches nothing of it.
    FrontendHarness::Click(*form->cmdGame);
    SDL_Rect r = (*form->optPilot)[0].ScreenRect();
    ScriptClick(r.x + r.w / 2, r.y + r.h / 2);
    PumpMessages();
    EXPECT_TRUE(form->optPilot->Value(1));
}

TEST_F(FrontendMenu, GameTypeShowsItsUnlockedStartLevels) {
    StartForm();
    form->G->Setup.HighestLevelNormal = 5;
    form->G->Setup.HighestLevelRandom = 2;
    FrontendHarness::Click(*form->cmdGame);
    FrontendHarness::Click((*form->optPlay)[0]);
    for (Integer i = 1; i <= 10; ++i) EXPECT_EQ((*form->optLevel)[i].Visible(), i <= 5) << i;
    FrontendHarness::Click((*form->optLevel)[4]);
    EXPECT_EQ(form->G->Setup.StartLevel, 4);

    // Random: "Level 5" is no longer offered; the choice moves down to "Level 3".
    FrontendHarness::Click((*form->optPlay)[1]);
    for (Integer i = 1; i <= 10; ++i) EXPECT_EQ((*form->optLevel)[i].Visible(), i <= 2) << i;
    EXPECT_TRUE(form->optLevel->Value(2));
    EXPECT_EQ(form->G->Setup.StartLevel, 2);

    FrontendHarness::Click((*form->optPlay)[0]);
    EXPECT_TRUE((*form->optLevel)[5].Visible());
    EXPECT_TRUE(form->optLevel->Value(2));

    // No progress at all: only "Level 1"; a selected "FINAL" comes down to it.
    form->optLevel->Select(10);
    form->G->Setup.HighestLevelNormal = 0;
    ShowUnlockedLevels(*form, 0);
    EXPECT_TRUE(form->optLevel->Value(0));
    EXPECT_EQ(form->G->Setup.StartLevel, 0);
}

TEST_F(FrontendMenu, BeginStartsAGameWithTheChosenOptions) {
    GameOptions seen;
    bool menuHiddenByGame = false;
    ProgramSeams seams = FrontendHarness::Seams();
    seams.RunGame = [&](GameForm& f) {
        seen = f.G->Options;
        ShowMenu(f, false);
        menuHiddenByGame = !f.cmdBegin->Visible();
        ShowMenu(f, true);
    };
    StartForm(seams);
    FrontendHarness::Click(*form->cmdMisc);
    FrontendHarness::Click(*form->chkFire);
    FrontendHarness::Click(*form->chkCollision);
    FrontendHarness::Click((*form->optPilot)[1]);
    FrontendHarness::Click(*form->cmdGame);
    FrontendHarness::Click((*form->optPlay)[1]);
    FrontendHarness::Click((*form->optDifficulty)[1]);
    FrontendHarness::Click(*form->cmdConfig);
    FrontendHarness::Click((*form->optControls)[1]);
    form->cmdConfig->SetFocus();
    FrontendHarness::Click(*form->cmdBegin);

    EXPECT_TRUE(menuHiddenByGame);
    EXPECT_TRUE(seen.FireTrailsOff);
    EXPECT_FALSE(seen.SimpleBackground);
    EXPECT_TRUE(seen.LesserCollision);
    EXPECT_FALSE(seen.OverloadIndicatorOff);
    EXPECT_FALSE(seen.PilotTalk);
    EXPECT_TRUE(seen.RandomGame);
    EXPECT_FALSE(seen.Joystick);
    EXPECT_TRUE(seen.Blekker);
    EXPECT_TRUE(form->cmdBegin->HasFocus());
    EXPECT_EQ(CursorDisplayCount(), 0);
}

TEST_F(FrontendMenu, ARealGameRunsAndReturnsToTheMenu) {
    if (!res::HasString(101)) GTEST_SKIP() << "no game data in this build";
    StartForm();
    FrontendHarness::Click(*form->cmdConfig);
    FrontendHarness::Click((*form->optControls)[1]);  // keyboard: no joystick needed
    FrontendHarness::Click((*form->optRes)[0]);       // 640 x 480: a mode change and back
    // Frames pump messages once each; end the game after a few of them.
    int pumps = 0;
    int hook = AddPumpHook([&] {
        if (form->G->Run.GameOver != True && ++pumps == 40) form->G->Run.GameOver = True;
    });
    int status = FrontendHarness::Catch([&] { FrontendHarness::Click(*form->cmdBegin); });
    RemovePumpHook(hook);
    ASSERT_EQ(status, -1) << (h.Messages.empty() ? "" : h.Messages.front());
    EXPECT_TRUE(h.Messages.empty());
    EXPECT_GE(pumps, 40);
    EXPECT_EQ(form->G->Setup.TypeDataPending, False);
    EXPECT_EQ(form->G->Flags.JoystickMode, False);
    // Back in the desktop's mode, with the menu shown and the focus on Begin.
    EXPECT_EQ(form->Media.Display.DDraw->ModeWidth(), 1024);
    EXPECT_TRUE(form->cmdBegin->Showing());
    EXPECT_TRUE(form->cmdBegin->HasFocus());
    EXPECT_EQ(FramesOpen(), 0);
    EXPECT_EQ(CursorDisplayCount(), 0);
}

// A game in the desktop's own mode draws its tile backdrop over the whole screen; back in the
// menu, the screen around the menu shows the form's background again, not the last frame.
TEST_F(FrontendMenu, TheMenuIsRepaintedWholeAfterAGameInTheDesktopMode) {
    if (!res::HasString(101)) GTEST_SKIP() << "no game data in this build";
    StartForm();
    FrontendHarness::Click(*form->cmdConfig);
    FrontendHarness::Click((*form->optControls)[1]);
    auto corner = [] {
        SDL_Surface* s = GetScreenSurface();
        EXPECT_NE(s, nullptr);
        if (!s) return std::vector<uint8_t>{};
        const auto* row = static_cast<const uint8_t*>(s->pixels) + 2 * s->pitch;
        return std::vector<uint8_t>(row, row + 8 * s->format->BytesPerPixel);
    };
    auto before = corner();
    int frames = 0;
    std::vector<uint8_t> during;
    int hook = AddPumpHook([&] {
        if (form->G->Run.GameOver == True) return;
        if (++frames == 30) {
            during = corner();
            form->G->Run.GameOver = True;
        }
    });
    int status = FrontendHarness::Catch([&] { FrontendHarness::Click(*form->cmdBegin); });
    RemovePumpHook(hook);
    ASSERT_EQ(status, -1);
    ASSERT_EQ(form->Media.Display.DDraw->ModeWidth(), 1024);
    EXPECT_NE(during, before) << "the game should have drawn its backdrop over the corner";
    EXPECT_EQ(corner(), before);
}

// With sound on: a panel button asks for "click01" with a plain play request, so a second click
// while it sounds does not restart it; option buttons and check boxes restart "click02" from its
// start; Begin plays "click03". The mixer is driven by hand, so nothing depends on real time.
TEST_F(FrontendMenu, ClicksPlayTheirOwnSoundsAndOnlyTheOptionClickRestarts) {
    ProgramSeams seams = FrontendHarness::Seams();
    seams.OnLoadStep = [](GameForm& f, std::string_view s) {
        if (s == "reading INI file.") f.SoundEnabled = True;  // as "SOUND=1" would
    };
    seams.RunGame = [](GameForm&) {};
    StartForm(seams);
    if (!form->SoundReady()) GTEST_SKIP() << "no sound device on this machine";
    SoundDevice& dev = *form->Media.Sound.DirectSound;
    dev.PauseOutput(true);
    auto& buffers = form->Media.Sound.SoundBuffers;
    for (SoundBuffer& b : buffers) b.Stop();  // whatever the intro left sounding
    const auto playing = [&](int n) { return buffers[static_cast<size_t>(n)].GetStatus() == dsound::BSTATUS_PLAYING; };
    const auto playingSet = [&] {
        std::vector<int> out;
        for (int n : {85, 86, 87})
            if (playing(n)) out.push_back(n);
        return out;
    };
    const auto mix = [&](size_t frames) {
        std::vector<int16_t> out(frames * 2);
        dev.MixFrames(out.data(), static_cast<int>(frames));
    };
    const auto quiet = [&] {
        for (int n : {85, 86, 87}) buffers[static_cast<size_t>(n)].Stop();
    };

    FrontendHarness::Click(*form->cmdConfig);
    EXPECT_EQ(playingSet(), std::vector<int>{85});
    // Half-way through, a second click leaves it going on: three quarters more end it.
    const size_t panel = buffers[85].Frames();
    ASSERT_GT(panel, 4u);
    mix(panel / 2);
    FrontendHarness::Click(*form->cmdConfig);
    mix(panel * 3 / 4);
    EXPECT_FALSE(playing(85));

    quiet();
    FrontendHarness::Click((*form->optControls)[1]);
    EXPECT_EQ(playingSet(), std::vector<int>{86});
    // The option click stops and rewinds it: after the second click it plays from the start.
    const size_t option = buffers[86].Frames();
    ASSERT_GT(option, 4u);
    mix(option / 2);
    FrontendHarness::Click((*form->optControls)[0]);
    mix(option * 3 / 4);
    EXPECT_TRUE(playing(86));

    quiet();
    FrontendHarness::Click(*form->cmdMisc);
    quiet();
    FrontendHarness::Click(*form->chkBack);
    EXPECT_EQ(playingSet(), std::vector<int>{86});

    quiet();
    FrontendHarness::Click(*form->cmdBegin);
    EXPECT_EQ(playingSet(), std::vector<int>{87});
}

// The form as it is created, before start-up changes it: fonts, colours, the captions that are
// easy to get wrong, and the starting state of every control.
TEST_F(FrontendMenu, TheFormStartsWithItsFontsCaptionsAndEverythingHidden) {
    GameForm f(FrontendHarness::Seams());
    EXPECT_EQ(f.Win.Caption(), "Gorbulant");
    EXPECT_EQ(f.Win.BackColor(), (Rgb{0, 0, 0}));
    for (const ControlSpec& spec : MenuControls()) {
        if (spec.Kind == ControlKind::Timer) continue;
        const std::string name = spec.Index < 0 ? std::string(spec.Name)
                                                : std::string(spec.Name) + "(" + std::to_string(spec.Index) + ")";
        const Control* c = f.Find(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->Caption(), spec.Caption) << name;
        EXPECT_EQ(c->Left(), spec.Left) << name;
        EXPECT_EQ(c->Top(), spec.Top) << name;
        EXPECT_EQ(c->Font().Name, "Comic Sans MS") << name;
        EXPECT_FALSE(c->Font().Bold) << name;
        // The layout's size, or smaller where the face found here needs it (the next test).
        EXPECT_LE(c->Font().Size, spec.Kind == ControlKind::CommandButton ? 12.0 : 8.25) << name;
        if (spec.Kind == ControlKind::Label) {
            EXPECT_EQ(c->ForeColor(), (Rgb{192, 192, 192})) << name;
            EXPECT_EQ(static_cast<const Label*>(c)->TextAlign(), Label::Alignment::Center) << name;
        }
    }
    for (Integer i = 0; i <= 10; ++i) {
        EXPECT_EQ((*f.optLevel)[i].Top(), i < 10 ? 32 + 24 * i : 272) << i;
        EXPECT_EQ((*f.optLevel)[i].Caption(), i < 10 ? "Level " + std::to_string(i + 1) : "FINAL") << i;
    }
    EXPECT_EQ(f.chkFire->Caption(), "Turn OFF Fire Trails && Smoke Puffs:");
    EXPECT_EQ(f.chkBack->Caption(), "Simple (faster) Backgrounnds:");
    EXPECT_EQ(f.cmdExit->Caption(), "E&xit");
    EXPECT_EQ((*f.optDifficulty)[1].Caption(), "Blekker");

    for (const CommandButton* b : {f.cmdConfig, f.cmdGame, f.cmdMisc, f.cmdExit, f.cmdBegin})
        EXPECT_FALSE(b->Visible()) << b->Name;
    for (std::string_view frame : OptionFrames()) EXPECT_FALSE(f.FindFrame(frame)->Visible()) << frame;
    for (Integer i = 0; i < 3; ++i) {
        EXPECT_FALSE((*f.optColor)[i].Enabled()) << i;
        EXPECT_FALSE((*f.optRes)[i].Enabled()) << i;
    }
    EXPECT_FALSE((*f.optColor)[2].Visible());
    EXPECT_TRUE((*f.optColor)[1].Visible());
    for (const OptionGroup* g : {f.optColor, f.optRes, f.optControls, f.optPlay, f.optLevel, f.optDifficulty, f.optPilot})
        EXPECT_EQ(g->Selected(), -1);
    for (const CheckBox* b : {f.chkFire, f.chkBack, f.chkCollision, f.chkOverload}) EXPECT_EQ(b->Value(), 0) << b->Name;
    EXPECT_FALSE(f.StartTimer->Enabled());
}

// Every caption of the menu and of the splash measured against its control, with the face
// fontconfig finds and with the built-in font a machine without fonts gets: at most the lines the
// layout gives the control (one for every button and frame), each line within the caption's room,
// all lines within its height (the last one to its baseline).
TEST_F(FrontendMenu, EveryCaptionFitsItsControlWithTheFoundFontAndTheFallback) {
    struct FinderBack {
        ~FinderBack() { SetFontFinder(nullptr); }
    } finderBack;
    for (bool fallback : {false, true}) {
        SCOPED_TRACE(fallback ? "built-in font" : "found font");
        SetFontFinder(fallback ? FontFinder([](const std::string&, bool) { return std::string(); }) : nullptr);
        GameForm f(FrontendHarness::Seams());
        SplashForm splash;
        auto measure = [&](const Control& c, const ControlSpec& spec) {
            const std::string text = ParseAccessKey(c.Caption()).Text;
            const SDL_Rect area = c.CaptionArea();
            const int maxLines = MaxCaptionLines(spec);
            if (spec.Kind == ControlKind::CommandButton || spec.Kind == ControlKind::OptionButton ||
                spec.Kind == ControlKind::Frame) {
                EXPECT_EQ(maxLines, 1) << c.Name;
            }
            EXPECT_EQ(GetFontMetrics(c.Font()).Fallback, fallback) << c.Name;
            EXPECT_GE(FontPixelSize(c.Font()), 8) << c.Name << ": too small to read";
            auto lines = WrapText(c.Font(), text, area.w);
            EXPECT_LE(int(lines.size()), maxLines) << c.Name << " \"" << text << "\" wraps";
            const FontMetrics m = GetFontMetrics(c.Font());
            EXPECT_LE((int(lines.size()) - 1) * m.Height + m.Ascent, area.h) << c.Name << ": lines cut off";
            for (const TextLine& l : lines)
                EXPECT_LE(TextWidth(c.Font(), std::string_view(text).substr(l.Start, l.Length)), area.w)
                    << c.Name << " \"" << text << "\"";
        };
        for (const ControlSpec& spec : MenuControls()) {
            if (spec.Kind == ControlKind::Timer || spec.Kind == ControlKind::Picture) continue;
            const std::string name = spec.Index < 0 ? std::string(spec.Name)
                                                    : std::string(spec.Name) + "(" + std::to_string(spec.Index) + ")";
            const Control* c = f.Find(name);
            ASSERT_NE(c, nullptr) << name;
            measure(*c, spec);
        }
        ASSERT_EQ(splash.Win.Children().size(), SplashLabels().size());
        for (size_t i = 0; i < SplashLabels().size(); ++i) measure(*splash.Win.Children()[i], SplashLabels()[i]);
        RecordProperty(fallback ? "fallback_pixels" : "found_pixels",
                       std::to_string(FontPixelSize(f.cmdGame->Font())) + " / " +
                           std::to_string(FontPixelSize((*f.optPlay)[0].Font())) + " / " +
                           std::to_string(FontPixelSize(splash.Win.Children()[0]->Font())));
    }
}
