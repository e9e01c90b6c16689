#pragma once
// The settings file "ZORBELS.INI" in the program's folder: read once at start-up, written at
// the end of every game.
namespace gorb {

class GameForm;

// Applies the file's entries to the menu and the settings values; a missing or broken file
// leaves what start-up chose. Never fails.
void ReadSettings(GameForm& f);
// Writes the menu choices and the settings values.
void WriteSettings(GameForm& f);

}  // namespace gorb
