#pragma once
// A tiny RGB painting surface for the generated art, and the BMP writer.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kKey{255, 0, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

Rgb Shade(Rgb c, double factor);  // factor < 1 darkens, > 1 lightens
Rgb Mix(Rgb a, Rgb b, double t);

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct Point {
    double x, y;
};

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = kKey);

    int Width() const { return w_; }
    int Height() const { return h_; }
    Rgb Get(int x, int y) const { return px_[size_t(y) * w_ + x]; }
    void Set(int x, int y, Rgb c) {
        if (x >= clip_.x && y >= clip_.y && x < clip_.x + clip_.w && y < clip_.y + clip_.h)
            px_[size_t(y) * w_ + x] = c;
    }

    // Drawing stays inside the clip rectangle (one frame of a sheet, say).
    void SetClip(Rect r);
    void ResetClip() { clip_ = {0, 0, w_, h_}; }

    void FillRect(Rect r, Rgb c);
    void FrameRect(Rect r, Rgb c);
    void FillEllipse(double cx, double cy, double rx, double ry, Rgb c);
    void FillPolygon(const std::vector<Point>& pts, Rgb c);
    // Lit from above: lighter at the polygon's top, darker at its bottom (a rounded look).
    void FillPolygonShaded(const std::vector<Point>& pts, Rgb c, double contrast = 0.35);
    // A vertical gradient over the rectangle.
    void Gradient(Rect r, Rgb top, Rgb bottom);
    void Line(int x0, int y0, int x1, int y1, Rgb c);

    // Every opaque pixel of the rectangle that touches a key pixel (or the rectangle's edge)
    // becomes `c`: an outline around whatever was painted there.
    void OutlineOpaque(Rect r, Rgb c);

    // Text in a built-in block font (digits, capitals and a few signs): the small 3 x 5 one for
    // the HUD's labels, the large 5 x 7 one for titles and captions, whose letters read as
    // themselves (B and E, O and 0). Each glyph is width * scale wide with one scale-wide gap,
    // height * scale high.
    enum class Face { Small, Large };
    void Text(int x, int y, std::string_view s, int scale, Rgb c, Face f = Face::Small);
    static int TextWidth(std::string_view s, int scale, Face f = Face::Small);
    static int TextHeight(int scale, Face f = Face::Small);
    // Centred in the rectangle, at the largest scale (up to maxScale) that fits.
    void TextCentered(Rect r, std::string_view s, Rgb c, int maxScale = 64, Face f = Face::Small);

    const std::vector<Rgb>& Pixels() const { return px_; }

private:
    int w_, h_;
    Rect clip_;
    std::vector<Rgb> px_;
};

// Uncompressed bottom-up BI_RGB bitmap: 24 bits, or 8 bits with the game palette (every colour
// mapped to its nearest palette entry; the key colour to the key's own entry). `dither` spreads
// the palette's coarse steps by error diffusion instead (for still pictures with gradients).
std::vector<uint8_t> EncodeBmp(const Canvas& c, int bitsPerPixel, bool dither = false);

}  // namespace gen
