#pragma once
// Main-form state that the media layer writes and the game world reads: sheet sizes and the
// colour key, the sound switch and request flags with the channel-ring counters, and the
// joystick fields. The world's game state includes these structs; the media procedures take
// them by reference.
#include <array>
#include <cstdint>

#include "platform/Arithmetic.h"

namespace gorb {

// The shared blit rectangles (right and bottom exclusive). Filled by each caller right before
// a blit; BlitToBackBuffer clips them in place.
struct BlitRect {
    Long Left = 0;
    Long Top = 0;
    Long Right = 0;
    Long Bottom = 0;
    friend bool operator==(const BlitRect&, const BlitRect&) = default;
};

constexpr int kVorpexSheetCount = 53;  // "vorpex01" .. "vorpex53"

// The loaded sheets' sizes, as the display set-up measures them (0 until then).
struct SheetSizes {
    std::array<Long, 64> VorpexSheetWidths{};  // entries 1..53 used
    std::array<Long, 64> VorpexSheetHeights{};
    Long PlayerSheetWidth = 0, PlayerSheetHeight = 0;
    Long ExplodeSheetWidth = 0, ExplodeSheetHeight = 0;
    Long IceSheetWidth = 0, IceSheetHeight = 0;
    Long BulletSheetWidth = 0, BulletSheetHeight = 0;
    Long TileSheetWidth = 0, TileSheetHeight = 0;
    Long MiscSheetWidth = 0, MiscSheetHeight = 0;
};

struct DisplayFields : SheetSizes {
    // The raw pixel at (205, 1) of "misc" in the display's format: the one transparent value.
    Long ColorKeyPixel = 0;
    BlitRect SrcRect;
    BlitRect DestRect;
};

constexpr int kSoundCount = 96;     // sound numbers 1..96
constexpr int kChannelCount = 28;   // duplicate channels 1..28

// The counters of the four duplicate channel rings. Each holds the channel used last; it is
// advanced before use.
struct ChannelRings {
    Integer ChannelGeneral = 1;  // ring 1..20
    Integer ChannelItem = 20;    // ring 21..22
    Integer ChannelBoss = 22;    // ring 23..25
    Integer ChannelCrash = 24;   // ring 26..28 (its first use lands on 25)

    // The four counters back to their start values.
    void ResetRings() { *this = ChannelRings{}; }
};

struct SoundFields : ChannelRings {
    // True only after a complete sound set-up; never cleared.
    Boolean SoundOn = False;
    std::array<Boolean, kSoundCount + 1> SoundRequests{};  // 0..96

    // Game start: every request cleared and the four counters back to their start values.
    void ResetForGame() {
        for (int n = 1; n <= kSoundCount; ++n) SoundRequests[n] = False;
        ResetRings();
    }
};

// Joystick state as the event callback leaves it for the player update.
struct JoystickFields {
    Boolean JoystickMode = False;  // joystick control for this game
    Long JoystickX = 0;            // 0..10000, 5000 = centre
    Long JoystickY = 0;
    Boolean JoystickFire = False;
    Boolean JoystickBomb = False;
    Boolean JoystickEject = False;
};

// The joystick settings kept in the settings file.
struct JoystickSettings {
    Long JoySaturation = 0;     // 0 until the settings file sets it
    Integer JoyFireButton = 0;  // button numbers 0..31 address the device's 32 buttons
    Integer JoyBombButton = 0;
    Integer JoyEjectButton = 0;
};

}  // namespace gorb
