#pragma once
// The main menu: showing and hiding it, the three option panels, the click sound, and what
// every button, option button and check box does.
#include "media/SoundNumbers.h"
#include "platform/Arithmetic.h"
#include "world/Game.h"

namespace gorb {

class GameForm;

// Sound numbers the menu plays.
namespace menusound {
constexpr int PanelClick = snd::Click1;
constexpr int OptionClick = snd::Click2;
constexpr int BeginClick = snd::Click3;
}  // namespace menusound

void ShowMenu(GameForm& f, bool show);
void HideOptionFrames(GameForm& f);
void PlayClickSound(GameForm& f);

void cmdBegin_Click(GameForm& f);
void cmdConfig_Click(GameForm& f);
void cmdGame_Click(GameForm& f);
void cmdMisc_Click(GameForm& f);
void chkFire_Click(GameForm& f);
void chkBack_Click(GameForm& f);
void chkCollision_Click(GameForm& f);
void chkOverload_Click(GameForm& f);
void optColor_Click(GameForm& f, Integer index);
void optRes_Click(GameForm& f, Integer index);
void optControls_Click(GameForm& f, Integer index);
void optPlay_Click(GameForm& f, Integer index);
void optLevel_Click(GameForm& f, Integer index);
void optDifficulty_Click(GameForm& f, Integer index);
void optPilot_Click(GameForm& f, Integer index);
void StartTimer_Timer(GameForm& f);

// The option controls as a game start reads them.
GameOptions ReadMenuOptions(const GameForm& f);

}  // namespace gorb
