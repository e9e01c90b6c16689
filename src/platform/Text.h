#pragma once
// Text for the forms and controls: fonts by family name through fontconfig, drawn with
// SDL2_ttf at 96 dpi, and a small built-in bitmap font when no font file can be found, so the
// menu still shows its captions. Also the colour and rectangle helpers every painter shares.
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gorb {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

struct FontSpec {
    std::string Name = "MS Sans Serif";
    double Size = 8.25;  // points, at 96 dpi
    bool Bold = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Height of the font's em in pixels: points at 96 dpi.
int FontPixelSize(const FontSpec& font);

struct FontMetrics {
    int Height = 0;   // line height in pixels
    int Ascent = 0;   // baseline below the line's top
    bool Fallback = false;  // the built-in bitmap font draws this font
};
FontMetrics GetFontMetrics(const FontSpec& font);

// Width in pixels of one line of UTF-8 text.
int TextWidth(const FontSpec& font, std::string_view utf8);

// Draws one line of UTF-8 text with its top-left corner at (x, y), only inside clip (and the
// surface). Works on 8-bit (game palette), 16-bit and 32-bit surfaces.
void DrawText(SDL_Surface* dst, const FontSpec& font, std::string_view utf8, int x, int y,
              Rgb color, const SDL_Rect& clip);

// A caption with "&" access-key marks: "&&" shows one "&"; the first single "&" marks the
// next character, which is drawn underlined and is the key that Alt selects.
struct AccessKeyText {
    std::string Text;          // what is drawn
    int UnderlineAt = -1;      // byte offset in Text of the marked character, or -1
    char32_t Key = 0;          // the marked character in lower case, 0 when none
};
AccessKeyText ParseAccessKey(std::string_view caption);

// Breaks text into lines no wider than width (at blanks; "\n" forces a break). A word wider
// than the width stands alone on its line. Each line is [Start, Start + Length) of text.
struct TextLine {
    size_t Start = 0, Length = 0;
};
std::vector<TextLine> WrapText(const FontSpec& font, std::string_view text, int width);
// Whether text wrapped inside a width x height box takes at most maxLines lines, none of them
// wider than the box, and all of them within its height (the last one down to its baseline: a
// descender may reach into the margin around the box).
bool TextFits(const FontSpec& font, std::string_view text, int width, int height, int maxLines);

// Looks up the font file for a family name; "" when there is none. The default asks
// fontconfig; tests replace it (nullptr restores the default). Clears the font cache.
using FontFinder = std::function<std::string(const std::string& name, bool bold)>;
void SetFontFinder(FontFinder finder);
std::string FindFontFile(const std::string& name, bool bold);

// Colour and rectangle helpers over any of the three pixel formats.
uint32_t MapColor(const SDL_Surface* s, Rgb c);
Rgb PixelColor(const SDL_Surface* s, int x, int y);  // for tests and blending
void FillRect(SDL_Surface* s, SDL_Rect r, Rgb c, const SDL_Rect& clip);
void DrawHLine(SDL_Surface* s, int x0, int x1, int y, Rgb c, const SDL_Rect& clip);
void DrawVLine(SDL_Surface* s, int x, int y0, int y1, Rgb c, const SDL_Rect& clip);
void PutPixel(SDL_Surface* s, int x, int y, Rgb c, const SDL_Rect& clip);
bool Intersect(const SDL_Rect& a, const SDL_Rect& b, SDL_Rect* out);

}  // namespace gorb
