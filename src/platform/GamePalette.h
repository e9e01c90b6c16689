#pragma once
// The one fixed 256-colour palette of the 8-bit display mode and of every 8-bit bitmap.
// Entry 255 is the colour key, magenta (255, 0, 255), and no other entry holds that colour:
// a 24-bit colour maps to the key's entry only when it is exactly the key.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

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
// the nearest of the other 255 entries (red, green and blue weighted 3, 4, 2; the lowest entry
// of equally near ones).
uint8_t NearestPaletteIndex(uint8_t r, uint8_t g, uint8_t b);

// How 24-bit art is brought onto the palette. Nearest maps each pixel alone, so gradients turn
// into bands of the cube's coarse steps. Ordered mixes the two nearest entries in a fixed 4 x 4
// pattern: a colour gets the same pattern wherever it stands, so sprites stay steady from one
// animation frame to the next. Diffusion passes each pixel's error on to its neighbours: the
// finest result for a still picture. Every way leaves the key colour on the key's entry, passes
// no error through key pixels and never puts any other colour on the key's entry.
enum class Dither { Nearest, Ordered, Diffusion };

// Ordered for art with key pixels (sheets of sprites, keyed strips), Diffusion for opaque
// pictures.
Dither DitherFor(std::span<const uint32_t> rgb);

// Maps width x height pixels (0x..RRGGBB, row by row) to palette entries.
std::vector<uint8_t> MapToPalette(std::span<const uint32_t> rgb, int width, int height, Dither dither);

}  // namespace gorb
