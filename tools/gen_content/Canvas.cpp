#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "platform/GamePalette.h"

namespace gen {

Rgb Shade(Rgb c, double f) {
    auto ch = [f](uint8_t v) {
        double x = f <= 1 ? v * f : v + (255 - v) * (f - 1);
        return uint8_t(std::clamp(std::lround(x), 0L, 255L));
    };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    auto ch = [t](uint8_t x, uint8_t y) {
        return uint8_t(std::clamp(std::lround(x + (y - x) * t), 0L, 255L));
    };
    return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : w_(width), h_(height), clip_{0, 0, width, height}, px_(size_t(width) * height, fill) {}

void Canvas::SetClip(Rect r) {
    int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
    int x1 = std::min(w_, r.x + r.w), y1 = std::min(h_, r.y + r.h);
    clip_ = {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

void Canvas::FillRect(Rect r, Rgb c) {
    int x0 = std::max(r.x, clip_.x), y0 = std::max(r.y, clip_.y);
    int x1 = std::min(r.x + r.w, clip_.x + clip_.w), y1 = std::min(r.y + r.h, clip_.y + clip_.h);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) px_[size_t(y) * w_ + x] = c;
}

void Canvas::FrameRect(Rect r, Rgb c) {
    FillRect({r.x, r.y, r.w, 1}, c);
    FillRect({r.x, r.y + r.h - 1, r.w, 1}, c);
    FillRect({r.x, r.y, 1, r.h}, c);
    FillRect({r.x + r.w - 1, r.y, 1, r.h}, c);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb c) {
    if (rx <= 0 || ry <= 0) return;
    int y0 = int(std::floor(cy - ry)), y1 = int(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y) {
        double dy = (y + 0.5 - cy) / ry;
        if (dy * dy > 1) continue;
        double half = rx * std::sqrt(1 - dy * dy);
        int x0 = int(std::lround(cx - half)), x1 = int(std::lround(cx + half));
        for (int x = x0; x < x1; ++x) Set(x, y, c);
    }
}

namespace {

// Even-odd scanline fill sampled at pixel centres; each row's colour comes from
// rowColour(sampleY, minY, maxY).
template <class RowColour>
void FillScanlines(Canvas& cv, const std::vector<Point>& pts, RowColour rowColour) {
    if (pts.size() < 3) return;
    double minY = pts[0].y, maxY = pts[0].y;
    for (auto& p : pts) minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    std::vector<double> xs;
    for (int y = int(std::floor(minY)); y <= int(std::ceil(maxY)); ++y) {
        double sy = y + 0.5;
        Rgb col = rowColour(sy, minY, maxY);
        xs.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            Point a = pts[i], b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = int(std::lround(xs[i])); x < int(std::lround(xs[i + 1])); ++x) cv.Set(x, y, col);
    }
}

}  // namespace

void Canvas::FillPolygon(const std::vector<Point>& pts, Rgb c) {
    FillScanlines(*this, pts, [c](double, double, double) { return c; });
}

void Canvas::FillPolygonShaded(const std::vector<Point>& pts, Rgb c, double contrast) {
    FillScanlines(*this, pts, [c, contrast](double sy, double minY, double maxY) {
        double t = (sy - minY) / std::max(1.0, maxY - minY);  // 0 top .. 1 bottom
        return t < 0.35 ? Shade(c, 1 + contrast * (0.35 - t) * 1.6) : Shade(c, 1 - contrast * (t - 0.35));
    });
}

void Canvas::Gradient(Rect r, Rgb top, Rgb bottom) {
    for (int y = 0; y < r.h; ++y) FillRect({r.x, r.y + y, r.w, 1}, Mix(top, bottom, r.h > 1 ? double(y) / (r.h - 1) : 0));
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void Canvas::OutlineOpaque(Rect r, Rgb c) {
    auto inside = [&](int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; };
    std::vector<std::pair<int, int>> edge;
    for (int y = std::max(0, r.y); y < std::min(h_, r.y + r.h); ++y)
        for (int x = std::max(0, r.x); x < std::min(w_, r.x + r.w); ++x) {
            if (Get(x, y) == kKey) continue;
            static constexpr int kD[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (auto& d : kD) {
                int nx = x + d[0], ny = y + d[1];
                if (!inside(nx, ny) || Get(nx, ny) == kKey) {
                    edge.emplace_back(x, y);
                    break;
                }
            }
        }
    for (auto [x, y] : edge) Set(x, y, c);
}

namespace {

struct BlockFont {
    int w, h;
    std::unordered_map<char, const char*> glyphs;  // w * h characters per glyph, row by row ('#' = ink)
};

// 3 x 5 glyphs.
const BlockFont& SmallFont() {
    static const BlockFont f{3, 5, {
        {'0', "####.##.##.####"}, {'1', ".#.##..#..#.###"}, {'2', "###..#####..###"},
        {'3', "###..#.##..####"}, {'4', "#.##.####..#..#"}, {'5', "####..###..####"},
        {'6', "####..####.####"}, {'7', "###..#.#..#..#."}, {'8', "####.#####.####"},
        {'9', "####.####..####"}, {'A', ".#.#.#####.##.#"}, {'B', "##.#.###.#.###."},
        {'C', ".###..#..#...##"}, {'D', "##.#.##.##.###."}, {'E', "####..##.#..###"},
        {'F', "####..##.#..#.."}, {'G', ".###..#.##.#.##"}, {'H', "#.##.#####.##.#"},
        {'I', "###.#..#..#.###"}, {'J', "..#..#..##.#.#."}, {'K', "#.##.###.#.##.#"},
        {'L', "#..#..#..#..###"}, {'M', "#.########.##.#"}, {'N', "##.#.##.##.##.#"},
        {'O', ".#.#.##.##.#.#."}, {'P', "##.#.###.#..#.."}, {'Q', ".#.#.##.###..##"},
        {'R', "##.#.###.#.##.#"}, {'S', ".###...#...###."}, {'T', "###.#..#..#..#."},
        {'U', "#.##.##.##.####"}, {'V', "#.##.##.##.#.#."}, {'W', "#.##.########.#"},
        {'X', "#.##.#.#.#.##.#"}, {'Y', "#.##.#.#..#..#."}, {'Z', "###..#.#.#..###"},
        {' ', "..............."}, {'-', "......###......"}, {'.', ".............#."},
        {'!', ".#..#..#.....#."}, {'+', "....#.###.#...."}, {'/', "..#..#.#.#..#.."},
        {'?', "###..#.#.....#."}, {':', "....#.....#...."},
    }};
    return f;
}

// 5 x 7 glyphs, rows of five.
const BlockFont& LargeFont() {
    static const BlockFont f{5, 7, {
        {'A', ".###.#...##...#######...##...##...#"}, {'B', "####.#...##...#####.#...##...#####."},
        {'C', ".###.#...##....#....#....#...#.###."}, {'D', "####.#...##...##...##...##...#####."},
        {'E', "######....#....####.#....#....#####"}, {'F', "######....#....####.#....#....#...."},
        {'G', ".###.#...##....#.####...##...#.####"}, {'H', "#...##...##...#######...##...##...#"},
        {'I', ".###...#....#....#....#....#...###."}, {'J', "..###...#....#....#....#.#..#..##.."},
        {'K', "#...##..#.#.#..##...#.#..#..#.#...#"}, {'L', "#....#....#....#....#....#....#####"},
        {'M', "#...###.###.#.##.#.##...##...##...#"}, {'N', "#...##...###..##.#.##..###...##...#"},
        {'O', ".###.#...##...##...##...##...#.###."}, {'P', "####.#...##...#####.#....#....#...."},
        {'Q', ".###.#...##...##...##.#.##..#..##.#"}, {'R', "####.#...##...#####.#.#..#..#.#...#"},
        {'S', ".#####....#.....###.....#....#####."}, {'T', "#####..#....#....#....#....#....#.."},
        {'U', "#...##...##...##...##...##...#.###."}, {'V', "#...##...##...##...##...#.#.#...#.."},
        {'W', "#...##...##...##.#.##.#.##.#.#.#.#."}, {'X', "#...##...#.#.#...#...#.#.#...##...#"},
        {'Y', "#...##...#.#.#...#....#....#....#.."}, {'Z', "#####....#...#...#...#...#....#####"},
        {'0', ".###.#...##...##.#.##...##...#.###."}, {'1', "..#...##....#....#....#....#...###."},
        {'2', ".###.#...#....#...#...#...#...#####"}, {'3', "####.....#....#.###.....#....#####."},
        {'4', "...#...##..#.#.#..#.#####...#....#."}, {'5', "######....####.....#....##...#.###."},
        {'6', ".###.#....#....####.#...##...#.###."}, {'7', "#####....#...#...#...#....#....#..."},
        {'8', ".###.#...##...#.###.#...##...#.###."}, {'9', ".###.#...##...#.####....#....#.###."},
        {' ', "..................................."}, {'.', "..........................##...##.."},
        {',', ".....................##....#...#..."}, {'!', "..#....#....#....#....#.........#.."},
        {'?', ".###.#...#....#...#...#.........#.."}, {':', "......##...##........##...##......."},
        {'-', "................###................"}, {'\'', "..#....#...#......................."},
        {'/', "....#....#...#...#...#...#....#...."},
    }};
    return f;
}

const BlockFont& FontOf(Canvas::Face f) { return f == Canvas::Face::Large ? LargeFont() : SmallFont(); }

}  // namespace

void Canvas::Text(int x, int y, std::string_view s, int scale, Rgb c, Face face) {
    const BlockFont& font = FontOf(face);
    for (char ch : s) {
        auto it = font.glyphs.find(char(std::toupper(static_cast<unsigned char>(ch))));
        const char* g = it == font.glyphs.end() ? font.glyphs.at('?') : it->second;
        for (int i = 0; i < font.w * font.h && g[i]; ++i)
            if (g[i] == '#') FillRect({x + (i % font.w) * scale, y + (i / font.w) * scale, scale, scale}, c);
        x += (font.w + 1) * scale;
    }
}

int Canvas::TextWidth(std::string_view s, int scale, Face face) {
    const int w = FontOf(face).w;
    return s.empty() ? 0 : int(s.size()) * (w + 1) * scale - scale;
}

int Canvas::TextHeight(int scale, Face face) { return FontOf(face).h * scale; }

void Canvas::TextCentered(Rect r, std::string_view s, Rgb c, int maxScale, Face face) {
    int scale = std::min({maxScale, r.w / std::max(1, TextWidth(s, 1, face)), r.h / TextHeight(1, face)});
    if (scale < 1) scale = 1;
    Text(r.x + (r.w - TextWidth(s, scale, face)) / 2, r.y + (r.h - TextHeight(scale, face)) / 2, s, scale, c, face);
}

namespace {
void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}
}  // namespace

std::vector<uint8_t> EncodeBmp(const Canvas& c, int bits, bool dither) {
    const int w = c.Width(), h = c.Height();
    const uint32_t stride = (uint32_t(w) * (bits / 8) + 3) & ~3u;
    const uint32_t paletteBytes = bits == 8 ? 256 * 4 : 0;
    const uint32_t offset = 14 + 40 + paletteBytes;
    std::vector<uint8_t> v;
    v.reserve(offset + stride * h);
    v.push_back('B');
    v.push_back('M');
    Put32(v, offset + stride * h);
    Put32(v, 0);
    Put32(v, offset);
    Put32(v, 40);
    Put32(v, uint32_t(w));
    Put32(v, uint32_t(h));  // positive: bottom-up rows
    Put16(v, 1);
    Put16(v, uint16_t(bits));
    Put32(v, 0);  // BI_RGB
    Put32(v, stride * h);
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, bits == 8 ? 256 : 0);
    Put32(v, 0);
    std::vector<uint8_t> indices;
    if (bits == 8) {
        for (const auto& p : gorb::GamePalette()) {
            v.push_back(p.b);
            v.push_back(p.g);
            v.push_back(p.r);
            v.push_back(0);
        }
        std::vector<uint32_t> rgb(c.Pixels().size());
        for (size_t i = 0; i < rgb.size(); ++i) {
            const Rgb& p = c.Pixels()[i];
            rgb[i] = uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b;
        }
        indices = gorb::MapToPalette(rgb, w, h, dither ? gorb::Dither::Diffusion : gorb::Dither::Nearest);
    }
    for (int y = h - 1; y >= 0; --y) {
        size_t rowStart = v.size();
        for (int x = 0; x < w; ++x) {
            if (bits == 8) {
                v.push_back(indices[size_t(y) * size_t(w) + size_t(x)]);
            } else {
                Rgb p = c.Get(x, y);
                v.push_back(p.b);
                v.push_back(p.g);
                v.push_back(p.r);
            }
        }
        while (v.size() - rowStart < stride) v.push_back(0);
    }
    return v;
}

}  // namespace gen
