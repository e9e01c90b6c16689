// The program's life: the start procedure, the splash, the main form's load handler with every
// set-up step, the Exit button and the unload handler that ends the run.
#include "frontend/GameForm.h"
#include "frontend/Menu.h"
#include "frontend/MenuLayout.h"
#include "frontend/ModeProbe.h"
#include "frontend/PictureSequences.h"
#include "frontend/SettingsFile.h"
#include "media/DisplaySetup.h"
#include "media/ErrorLog.h"
#include "media/InputSetup.h"
#include "media/SoundNumbers.h"
#include "media/SoundSetup.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/Display.h"
#include "platform/MessagePump.h"

#include <cstdio>

namespace gorb {

namespace {

constexpr int kExitJingle = snd::ExitJingle;
constexpr uint32_t kExitJingleMs = 1600;

void Step(GameForm& f, const char* text) {
    f.LoadStepText = text;
    if (f.Seams.OnLoadStep) f.Seams.OnLoadStep(f, f.LoadStepText);
}

// A failed load step: the four-line log, the display given back, the message, the end.
void LoadFailed(GameForm& f, const PlatformError& e) {
    LogStandardError(logprefix::FormLoad, f.LoadStepText, e);
    ReleaseDirectDraw(f.Media);
    f.ShowMessage(std::string(logprefix::FormLoad) + f.LoadStepText);
    f.UnloadWithStatus(kExitSetupFailed);
}

// Start-up centring: half the spare room, rounded half to even.
Integer CentreOffset(Long desktop, Long layout) { return CInt((desktop - layout) / 2.0); }

}  // namespace

SplashForm::SplashForm() : Win(FormKind::OwnWindow, kSplashWidth, kSplashHeight) {
    Win.SetCaption(std::string(kSplashCaption));
    Win.SetBackColor(Rgb{0, 0, 0});
    const FontSpec nominal{std::string(kSplashFontName), kSplashFontSize, true};
    std::vector<CaptionSlot> captions;
    for (const ControlSpec& spec : SplashLabels()) {
        Label& l = Win.Add<Label>();
        l.Name = std::string(spec.Name);
        l.SetCaption(std::string(spec.Caption));
        l.SetFont(nominal);
        l.SetForeColor(Rgb{192, 192, 192});
        l.SetBackColor(Rgb{0, 0, 0});
        l.SetAlignment(Label::Alignment::Left);
        l.Move(spec.Left, spec.Top, spec.Width, spec.Height);
        captions.push_back({&l, MaxCaptionLines(spec)});
    }
    // Every line whole on the splash, whatever face this machine gives the font.
    const FontSpec fitted = FitCaptionFont(nominal, captions);
    for (const CaptionSlot& slot : captions) slot.control->SetFont(fitted);
}

void Form_Load(GameForm& f) {
    f.LoadStepText.clear();
    try {
        if (f.Seams.RandomSeed) f.G->Random.RandomizeWith(*f.Seams.RandomSeed);
        else f.G->Random.Randomize();

        f.G->Setup.TypeDataPending = True;
        f.Media.Sound.SoundOn = False;
        f.SoundEnabled = False;

        Step(f, "getting screen modes");
        GetScreenModes(f);

        DisplayState& d = f.G->Display;
        d.ScreenOffsetX = CentreOffset(d.DesktopWidth, 640);
        d.ScreenOffsetY = CentreOffset(d.DesktopHeight, 480);
        for (std::string_view name : CentredControls()) {
            Control* c = f.Find(name);
            c->Move(c->Left() + d.ScreenOffsetX, c->Top() + d.ScreenOffsetY);
        }
        // Until a size is chosen, by the player or the settings file, the game runs at the
        // desktop's size.
        d.ScreenWidth = d.DesktopWidth;
        d.ScreenHeight = d.DesktopHeight;

        f.optPlay->Select(0);
        f.optLevel->Select(0);
        f.optPilot->Select(0);
        f.optControls->Select(0);
        f.optDifficulty->Select(0);

        f.G->Setup.HighestLevelNormal = 0;
        f.G->Setup.HighestLevelRandom = 0;

        Step(f, "reading INI file.");
        ReadSettings(f);

        // Whatever the count was at start, it ends at exactly 0: the cursor shows.
        Long count = ShowCursor(false);
        f.CursorCountAtStart = ToInteger(count + 1);
        while (count >= -1) count = ShowCursor(false);
        while (count < 0) count = ShowCursor(true);

        ShowMenu(f, false);

        Step(f, "setting up DirectX");
        SetupDirectX(f.Media, d, f.G->Sheets, d.DesktopBitDepth, d.DesktopWidth, d.DesktopHeight);

        if (f.SoundEnabled == True) {
            Step(f, "setting up DirectSound");
            SetupDirectSound(f.Media.Sound, f.Media.Hooks, f.G->Random);
        }

        f.Win.Refresh();

        Step(f, "calling Introscreens");
        ShowIntroScreens(f);

        ShowMenu(f, true);
        f.cmdBegin->SetFocus();
    } catch (const PlatformError& e) {
        LoadFailed(f, e);
    } catch (const std::exception& e) {
        LoadFailed(f, PlatformError(err::Generic, e.what(), "Gorbulant"));
    }
}

void cmdExit_Click(GameForm& f) {
    if (f.SoundReady() && f.G->Random.Below(3) == 0) {
        f.Media.Sound.SoundBuffers[kIntroMusic].Stop();
        f.PlaySound(kExitJingle);
        // The jingle plays out; nothing is handled meanwhile.
        WaitUntilPast(TickPlus(GetTickCount(), kExitJingleMs));
    }
    f.UnloadWithStatus(kExitNormal);
}

void Form_Unload(GameForm& f, Integer& /*cancel*/) {
    ReleaseDirectDraw(f.Media);
    ReleaseDirectSound(f.Media.Sound);
    ReleaseDirectInput(f.Media.Input);
    f.Media.Sound.SoundOn = False;  // nothing is left to play on

    // Leave the cursor visible: one above the count found at start-up.
    Long count = ShowCursor(false);
    while (count >= f.CursorCountAtStart) count = ShowCursor(false);
    count = ShowCursor(true);
    while (count <= f.CursorCountAtStart) count = ShowCursor(true);

    throw ProcessEnd{f.ExitStatus};
}

void RunEventLoop(GameForm& f) {
    for (;;) {
        PumpMessages();
        if (f.Seams.OnIdle) f.Seams.OnIdle(f);
        WaitUntilPast(TickPlus(GetTickCount(), 10));
    }
}

void RunTimeFailure(GameForm& f, const std::exception& e) {
    const PlatformError error = AsRunTimeError(e);
    LogRunTimeError(error);
    f.ShowMessage(RunTimeErrorMessage(error));
    f.UnloadWithStatus(kExitSetupFailed);
}

int RunProgram(ProgramSeams seams) {
    int status = kExitNormal;
    try {
        SplashForm splash;
        splash.Win.Show();
        splash.Win.Refresh();
        GameForm form(std::move(seams));
        try {
            form.Show();
            PumpMessages();
            RunEventLoop(form);
        } catch (const std::exception& e) {
            // Whatever escaped a menu click or a game (a checked index, a library's throw) ends
            // the program like any run-time error, never silently.
            RunTimeFailure(form, e);
        }
    } catch (const ProcessEnd& end) {
        status = end.Status;
    } catch (const std::exception& e) {
        // Failing even while reporting or releasing: the text is all that is left to give.
        const std::string text = RunTimeErrorMessage(AsRunTimeError(e));
        std::fprintf(stderr, "%s\n", text.c_str());
        AddToErrorLog(text.substr(0, text.find('\n')));
        status = kExitSetupFailed;
    }
    return status;
}

}  // namespace gorb
