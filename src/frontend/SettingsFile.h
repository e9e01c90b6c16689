#pragma once
// The settings file "ZORBELS.INI" in the program's folder: the menu's choices, the sound
// switch, the joystick set-up and how far the player has got in each game type. The reader
// selects menu controls (their click actions run, as a player's click would) and sets the
// settings values; the writer turns them back into the file's 18 quoted lines.
//
// A player may edit the file by hand: the reader never throws and stops quietly at the first
// entry it cannot make sense of, keeping what it applied; the writer replaces the file only
// once the new one is complete, and never one that could not be read.
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Arithmetic.h"
#include "platform/Controls.h"

namespace gorb {

class GameForm;

inline constexpr const char* kSettingsFileName = "ZORBELS.INI";

// Word i (0..10) of each table stands for progress i: characters 9i+1 to 9i+9, blank-padded.
inline constexpr std::string_view LevelCodeWordsNormal =
    "opening  marble   teapot   gravel   lantern  quiver   orchid   tundra   saddle   beacon   fennel   ";
inline constexpr std::string_view LevelCodeWordsRandom =
    "opening  pebble   walrus   cobalt   meadow   trumpet  harbor   violet   thimble  canyon   juniper  ";

// The menu controls the file reads and writes.
struct SettingsControls {
    OptionGroup& optColor;       // 0..2
    OptionGroup& optRes;         // 0..2
    OptionGroup& optControls;    // 0..1
    OptionGroup& optLevel;       // 0..10
    OptionGroup& optDifficulty;  // 0..1
    OptionGroup& optPilot;       // 0..1
    OptionGroup& optPlay;        // 0..1
    CheckBox& chkFire;
    CheckBox& chkBack;
    CheckBox& chkCollision;
    CheckBox& chkOverload;
};

// The settings values the file feeds, wherever the program keeps them.
struct SettingsValues {
    Integer& StartLevel;          // optLevel index 0..10
    Integer& HighestLevelNormal;  // 0..10
    Integer& HighestLevelRandom;  // 0..10
    Boolean& SoundEnabled;
    Long& JoySaturation;
    Integer& JoyFireButton;
    Integer& JoyBombButton;
    Integer& JoyEjectButton;
};

struct SettingsBinding {
    SettingsControls Controls;
    SettingsValues Values;
};

// The program's folder + "ZORBELS.INI".
std::filesystem::path SettingsFilePath();

// What reading found: a file that is there but could not be read (or not to its end) is
// unreadable, with the system's reason; a missing file is not.
struct SettingsFileRead {
    bool Unreadable = false;
    std::string Reason;
};

// Reads the file to its end and applies its entries in order, never holding more than one entry
// in memory. A missing file changes nothing.
SettingsFileRead ReadSettings(const SettingsBinding& b, const std::filesystem::path& file);
// The reader over the file's bytes.
void ApplySettingsText(const SettingsBinding& b, std::string_view text);

// Writes the 18 entries to the file, or through a symbolic link to the file it points at. The
// new file is written beside the old one and renamed over it, keeping the old one's permissions,
// so that a failure or a kill at any moment leaves the old file or the new one; where the folder
// allows no new file, a writable file is rewritten in place. A read-only file is not written.
// Returns false with the reason when nothing was saved. Clamps a progress above 10 to 10 in the
// values too.
bool WriteSettings(const SettingsBinding& b, const std::filesystem::path& file, std::string* reason = nullptr);
// The file's text as the writer writes it (with the same clamping).
std::string SettingsText(const SettingsBinding& b);

// The same on the main form: its menu controls, the game's settings, the sound switch and the
// joystick settings, in the program's folder. A file that could not be read at start-up is never
// written; a save that fails is reported in the error log and on stderr, and the menu and game go
// on.
void ReadSettings(GameForm& f);
void WriteSettings(GameForm& f);

// The reader takes in no entry longer than this (an entry is some twenty characters): a longer
// item is a bad entry, and the reading stops there.
inline constexpr size_t kSettingsItemLimit = 1 << 20;

}  // namespace gorb
