#include "frontend/Menu.h"

#include "frontend/GameForm.h"
#include "frontend/MenuLayout.h"
#include "frontend/UnlockedLevels.h"
#include "platform/Cursor.h"
#include "world/World.h"

namespace gorb {

namespace {

void OpenPanel(GameForm& f, std::string_view button) {
    // A plain play request: a click while it still sounds does not restart it.
    f.PlaySound(menusound::PanelClick);
    HideOptionFrames(f);
    for (std::string_view frame : PanelFrames(button)) f.FindFrame(frame)->SetVisible(true);
}

}  // namespace

void ShowMenu(GameForm& f, bool show) {
    ShowCursor(show);
    f.picIntro->SetVisible(show);
    f.StartTimer->SetEnabled(show);
    f.cmdExit->SetVisible(show);
    f.cmdBegin->SetVisible(show);
    f.cmdConfig->SetVisible(show);
    f.cmdMisc->SetVisible(show);
    f.cmdGame->SetVisible(show);
}

void HideOptionFrames(GameForm& f) {
    for (std::string_view frame : OptionFrames()) f.FindFrame(frame)->SetVisible(false);
}

void PlayClickSound(GameForm& f) {
    if (!f.SoundReady()) return;
    SoundBuffer& click = f.Media.Sound.SoundBuffers[menusound::OptionClick];
    click.Stop();
    click.SetCurrentPosition(0);
    click.Play();
}

GameOptions ReadMenuOptions(const GameForm& f) {
    GameOptions o;
    o.FireTrailsOff = f.chkFire->Value() != 0;
    o.SimpleBackground = f.chkBack->Value() != 0;
    o.LesserCollision = f.chkCollision->Value() == 1;
    o.OverloadIndicatorOff = f.chkOverload->Value() != 0;
    o.PilotTalk = f.optPilot->Value(0);
    o.RandomGame = f.optPlay->Value(1);
    o.Joystick = f.optControls->Value(0);
    o.Blekker = f.optDifficulty->Value(1);
    return o;
}

void cmdBegin_Click(GameForm& f) {
    f.PlaySound(menusound::BeginClick);
    f.G->Options = ReadMenuOptions(f);
    if (f.Seams.RunGame)
        f.Seams.RunGame(f);
    else
        BeginGame(*f.G);
    // The game drew over the whole screen; paint the form again so nothing of the last frame
    // (tile backdrop, HUD) stays around the menu. The Begin button gets the focus back.
    f.Win.Refresh();
    f.cmdBegin->SetFocus();
}

void cmdConfig_Click(GameForm& f) { OpenPanel(f, "cmdConfig"); }
void cmdGame_Click(GameForm& f) { OpenPanel(f, "cmdGame"); }
void cmdMisc_Click(GameForm& f) { OpenPanel(f, "cmdMisc"); }

// The tick of a check box is its stored value.
void chkFire_Click(GameForm& f) { PlayClickSound(f); }
void chkBack_Click(GameForm& f) { PlayClickSound(f); }
void chkCollision_Click(GameForm& f) { PlayClickSound(f); }
void chkOverload_Click(GameForm& f) { PlayClickSound(f); }

void optColor_Click(GameForm& f, Integer index) {
    PlayClickSound(f);
    static constexpr Integer kDepths[3] = {8, 16, 32};
    if (index >= 0 && index < 3) f.G->Display.GameBitDepth = kDepths[index];
}

void optRes_Click(GameForm& f, Integer index) {
    PlayClickSound(f);
    static constexpr Integer kSizes[3][2] = {{640, 480}, {800, 600}, {1024, 768}};
    if (index < 0 || index >= 3) return;
    f.G->Display.ScreenWidth = kSizes[index][0];
    f.G->Display.ScreenHeight = kSizes[index][1];
}

void optLevel_Click(GameForm& f, Integer index) {
    PlayClickSound(f);
    f.G->Setup.StartLevel = index;
}

void optPlay_Click(GameForm& f, Integer index) {
    PlayClickSound(f);
    ShowUnlockedLevels(f, index);
}

// The selection itself is the stored value of these.
void optControls_Click(GameForm& f, Integer) { PlayClickSound(f); }
void optDifficulty_Click(GameForm& f, Integer) { PlayClickSound(f); }
void optPilot_Click(GameForm& f, Integer) { PlayClickSound(f); }

void StartTimer_Timer(GameForm&) {}

}  // namespace gorb
