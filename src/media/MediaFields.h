#pragma once
// The values the media layer and the game world share. Each has one owner, the game state
// (world/Game.h): the media procedures take the game's values by reference and write them there
// (what a display set-up measures, the joystick's state) or serve them (the sound requests and
// the channel rings). Nothing here holds a platform object, so the world can include it.
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

constexpr Long kPlayAreaWidth = 612;
constexpr Long kPlayAreaHeight = 330;

constexpr int kVorpexSheetCount = 53;  // "vorpex01" .. "vorpex53"

// The loaded sheets' sizes, as the display set-up measures them.
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

// What a display set-up leaves for the game to draw with: where the play area sits on the
// screen (a 640 x 480 screen until the first set-up) and the one colour key.
struct DisplayFields {
    Long PlayAreaX = 14;
    Long PlayAreaY = 75;
    // The raw pixel at (205, 1) of "misc" in the display's format: the one transparent value.
    Long ColorKeyPixel = 0;
};

// The play area centred on a width x height screen, halves truncated: the one place its origin
// is worked out.
constexpr void PlacePlayArea(DisplayFields& d, long long width, long long height) {
    d.PlayAreaX = static_cast<Long>((width - kPlayAreaWidth) / 2);
    d.PlayAreaY = static_cast<Long>((height - kPlayAreaHeight) / 2);
}

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

// One play request per sound number 0..96, set by whoever wants the sound and cleared by the
// queued playback when it plays it, and the playback's channel rings.
struct SoundRequests : ChannelRings {
    std::array<Boolean, kSoundCount + 1> Requested{};
    Boolean& operator[](int n) { return Requested.at(static_cast<size_t>(n)); }
    Boolean operator[](int n) const { return Requested.at(static_cast<size_t>(n)); }
    void Request(int n) { (*this)[n] = True; }
    // A sound number taken from a type table: 0 there means "no sound", and a number outside
    // the loaded sounds is ignored rather than written past the flags.
    void RequestFromTable(int n) {
        if (n >= 1 && n <= kSoundCount) Request(n);
    }
};

// Joystick state as the event callback leaves it for the player update: a stick at rest until
// the first event.
struct JoystickFields {
    Long JoystickX = 5000;  // 0..10000, 5000 = centre
    Long JoystickY = 5000;
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
