#pragma once
// The one fixed 256-colour palette of the 8-bit display mode and of every 8-bit bitmap.
// Entry 255 is the colour key, magenta (255, 0, 255), and no other entry holds that colour:
// a 24-bit colour maps to the key's entry only when it is exactly the key.
#include <array>
#include <cstdint>

namespace gorb {

struct PaletteColor {
    uint8_t r, g, b;
};

constexpr int kKeyIndex = 255;
constexpr PaletteColor kKeyColor{255, 0, 255};

// 0..215: a 6 x 6 x 6 colour cube (levels 0, 51, ..., 255; index = 36 r + 6 g + b), with the
// cube's own magenta corner darkened so it is not the key; 216..254: 39 greys; 255: the key.
const std::array<PaletteColor, 256>& GamePalette();

// The palette entry for a 24-bit colour: the key's entry for exactly the key colour, otherwise
// the nearest of the other 255 entries.
uint8_t NearestPaletteIndex(uint8_t r, uint8_t g, uint8_t b);

}  // namespace gorb
