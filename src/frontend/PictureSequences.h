#pragma once
// The full-screen picture sequences: the intro at start-up, the outro before the last level
// and the end screen after the last stage.
#include <string_view>

namespace gorb {

class GameForm;

void ShowIntroScreens(GameForm& f);
void ShowExtroScreens(GameForm& f);
void ShowEndScreen(GameForm& f);
// Pumps messages until Space is typed (a Space typed before the call does not count).
void WaitForSpace(GameForm& f);
// Draws a whole 640 x 480 picture at the centred layout position, into GfxNextPicture.
void ShowStillPicture(GameForm& f, std::string_view name);

}  // namespace gorb
