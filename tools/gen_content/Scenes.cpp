// Scenes: the eleven level backgrounds and the full-screen pictures.
//
// A background is two strips of 150 x 330: the rear strip (x 0-149, fully opaque: sky and far
// scenery) and the front strip (x 150-299: near scenery at the bottom, key colour above). Both
// repeat every 150 pixels as they scroll, so everything in them is periodic in x: sums of sines
// with whole numbers of periods per strip, and features drawn at x, x - 150 and x + 150.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "Content.h"

namespace gen {
namespace {

constexpr int kStrip = 150;

// Salted, so the scenery's jitter differs from the sprites' for the same seeds.
double Hash(int a, int b) { return HashUnit(a, b + 977); }

// A periodic height profile: base + sum of sines with k whole periods per strip.
double Ridge(int x, int seed, double base, std::initializer_list<std::pair<int, double>> waves) {
    double y = base;
    int i = 0;
    for (auto [k, amp] : waves) y += amp * std::sin(2 * kPi * k * x / kStrip + Hash(seed, i++) * 6.28);
    return y;
}

struct Strip {
    Canvas& cv;
    int x0;  // 0 rear, 150 front
    void Column(int x, int top, int bottom, Rgb c) const {
        if (bottom > top) cv.FillRect({x0 + x, std::max(0, top), 1, std::min(330, bottom) - std::max(0, top)}, c);
    }
    // Shapes drawn three times so that they wrap across the strip's edges.
    void Ellipse(double cx, double cy, double rx, double ry, Rgb c) const {
        cv.SetClip({x0, 0, kStrip, 330});
        for (int k = -1; k <= 1; ++k) cv.FillEllipse(x0 + cx + k * kStrip, cy, rx, ry, c);
        cv.ResetClip();
    }
    void Poly(std::vector<Point> pts, Rgb c, bool shaded = false) const {
        cv.SetClip({x0, 0, kStrip, 330});
        for (int k = -1; k <= 1; ++k) {
            std::vector<Point> q = pts;
            for (auto& p : q) p.x += x0 + k * kStrip;
            if (shaded)
                cv.FillPolygonShaded(q, c, 0.25);
            else
                cv.FillPolygon(q, c);
        }
        cv.ResetClip();
    }
    void Box(double x, double y, double w, double h, Rgb c) const {
        Poly({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, c);
    }
};

void Sky(Strip s, Rgb top, Rgb horizon, int horizonY = 330) {
    for (int y = 0; y < 330; ++y) s.cv.FillRect({s.x0, y, kStrip, 1}, Mix(top, horizon, std::min(1.0, double(y) / horizonY)));
}

void Clouds(Strip s, int seed, int count, double yMin, double yMax, Rgb c, double size = 1) {
    for (int i = 0; i < count; ++i) {
        double cx = Hash(seed, i) * kStrip, cy = yMin + Hash(i, seed) * (yMax - yMin), w = (14 + Hash(seed + 1, i) * 16) * size;
        s.Ellipse(cx, cy + w * 0.15, w * 1.2, w * 0.3, Shade(c, 0.9));
        s.Ellipse(cx - w * 0.4, cy, w * 0.55, w * 0.35, c);
        s.Ellipse(cx + w * 0.3, cy - w * 0.1, w * 0.6, w * 0.45, c);
        s.Ellipse(cx + w * 0.15, cy - w * 0.05, w * 0.4, w * 0.25, Shade(c, 1.08));
    }
}

void Stars(Strip s, int seed, int count, double yMax) {
    for (int i = 0; i < count; ++i) {
        int x = int(Hash(seed, i) * kStrip), y = int(Hash(i, seed) * yMax);
        Rgb c = Mix(Rgb{150, 150, 190}, Rgb{255, 255, 255}, Hash(i, i));
        s.cv.FillRect({s.x0 + x, y, 1, 1}, c);
        if (i % 7 == 0) {
            s.cv.FillRect({s.x0 + std::max(0, x - 1), y, x > 0 && x < kStrip - 1 ? 3 : 1, 1}, c);
            s.cv.FillRect({s.x0 + x, std::max(0, y - 1), 1, 3}, c);
        }
    }
}

// Land below a ridge line, shaded darker with depth; an optional lighter rim along the top.
void Land(Strip s, int seed, double base, std::initializer_list<std::pair<int, double>> waves, Rgb top, Rgb bottom,
          Rgb rim = kKey) {
    for (int x = 0; x < kStrip; ++x) {
        int y0 = int(Ridge(x, seed, base, waves));
        for (int y = std::max(0, y0); y < 330; ++y)
            s.cv.FillRect({s.x0 + x, y, 1, 1}, Mix(top, bottom, std::min(1.0, (y - y0) / 70.0)));
        if (!(rim == kKey)) s.Column(x, y0, y0 + 2, rim);
    }
}

void Trees(Strip s, int seed, int count, double groundBase, std::initializer_list<std::pair<int, double>> waves, Rgb leaf,
           bool pine) {
    for (int i = 0; i < count; ++i) {
        double x = (i + Hash(seed, i) * 0.6) * kStrip / count;
        double g = Ridge(int(x) % kStrip, seed, groundBase, waves) + 2;
        double h = 14 + Hash(i, seed) * 12;
        s.Box(x - 1, g - h * 0.4, 2.5, h * 0.45, Rgb{80, 55, 35});
        if (pine) {
            s.Poly({{x, g - h * 1.3}, {x + h * 0.35, g - h * 0.3}, {x - h * 0.35, g - h * 0.3}}, leaf, true);
        } else {
            s.Ellipse(x, g - h * 0.75, h * 0.4, h * 0.45, leaf);
            s.Ellipse(x - h * 0.12, g - h * 0.85, h * 0.2, h * 0.2, Shade(leaf, 1.2));
        }
    }
}

void Buildings(Strip s, int seed, int count, double base, double minH, double maxH, Rgb wall, Rgb lit, double litShare) {
    for (int i = 0; i < count; ++i) {
        double x = i * double(kStrip) / count + Hash(seed, i) * 6, w = kStrip / double(count) + 2 + Hash(i, seed) * 6;
        double h = minH + Hash(seed + 3, i) * (maxH - minH);
        Rgb c = Shade(wall, 0.85 + 0.3 * Hash(i, seed + 5));
        s.Box(x, base - h, w, h + 330, c);
        if (i % 3 == 0) s.Box(x + w * 0.4, base - h - 8, 1.5, 8, c);  // aerial
        for (double wy = base - h + 4; wy < 330 - 4; wy += 7)
            for (double wx = x + 3; wx < x + w - 4; wx += 5)
                if (Hash(int(wx * 13 + seed), int(wy)) < litShare) s.Box(wx, wy, 2, 3, lit);
    }
}

void Waves(Strip s, int seed, double base, Rgb top, Rgb bottom, Rgb foam, double amp) {
    Land(s, seed, base, {{3, amp}, {7, amp * 0.4}}, top, bottom);
    for (int row = 0; row < 6; ++row) {
        double y = base + 10 + row * 14;
        for (int i = 0; i < 5 + row; ++i) {
            double x = Hash(seed + row, i) * kStrip;
            s.Box(x, y + Hash(i, row) * 6, 6 + row * 2, 1.5, foam);
        }
    }
}

void PaintLevel(int level, Canvas& cv) {
    Strip rear{cv, 0}, front{cv, kStrip};
    switch (level) {
        case 1:  // green meadows on a summer day
            Sky(rear, {70, 130, 220}, {190, 220, 245});
            Clouds(rear, 11, 4, 30, 150, {250, 250, 255});
            Land(rear, 12, 235, {{1, 14}, {2, 8}, {5, 3}}, {110, 160, 190}, {90, 150, 120});
            Land(rear, 13, 270, {{2, 10}, {3, 5}}, {90, 170, 80}, {60, 130, 50});
            Land(front, 14, 298, {{1, 10}, {3, 5}}, {70, 150, 50}, {40, 100, 30}, {130, 200, 90});
            Trees(front, 14, 5, 298, {{1, 10}, {3, 5}}, {40, 120, 40}, false);
            break;
        case 2:  // open sea
            Sky(rear, {90, 150, 230}, {220, 235, 250}, 240);
            Clouds(rear, 21, 3, 40, 140, {255, 255, 255}, 1.2);
            Land(rear, 22, 232, {{1, 6}, {2, 3}}, {80, 130, 110}, {70, 120, 100});  // an island far off
            Waves(rear, 23, 245, {40, 110, 170}, {20, 70, 130}, {140, 190, 230}, 1.5);
            Waves(front, 24, 300, {30, 100, 170}, {15, 60, 120}, {230, 245, 255}, 5);
            break;
        case 3:  // mountains and pine forest
            Sky(rear, {110, 160, 220}, {230, 235, 240});
            Clouds(rear, 31, 2, 20, 80, {245, 245, 250});
            Land(rear, 32, 180, {{1, 30}, {2, 18}, {5, 8}}, {140, 140, 160}, {90, 100, 110}, {250, 250, 255});
            Land(rear, 33, 250, {{2, 12}, {4, 6}}, {60, 110, 70}, {40, 80, 50});
            Land(front, 34, 300, {{1, 6}, {4, 3}}, {40, 90, 40}, {25, 60, 25});
            Trees(front, 34, 7, 300, {{1, 6}, {4, 3}}, {30, 90, 50}, true);
            break;
        case 4:  // desert
            Sky(rear, {230, 170, 90}, {250, 230, 170});
            Land(rear, 42, 220, {{1, 6}}, {200, 130, 80}, {180, 110, 60});
            rear.Box(20, 185, 40, 60, {190, 110, 70});
            rear.Box(95, 200, 26, 40, {180, 105, 65});
            Land(rear, 43, 265, {{2, 8}, {3, 4}}, {230, 190, 120}, {210, 160, 90});
            Land(front, 44, 302, {{1, 8}, {2, 6}}, {240, 200, 120}, {200, 150, 80}, {250, 225, 160});
            for (int c = 0; c < 2; ++c) {
                double x = 40 + c * 75, g = Ridge(int(x), 44, 302, {{1, 8}, {2, 6}});
                front.Box(x - 2, g - 22, 5, 24, {60, 130, 60});
                front.Box(x - 8, g - 16, 4, 8, {60, 130, 60});
                front.Box(x - 8, g - 12, 8, 3, {60, 130, 60});
                front.Box(x + 4, g - 19, 4, 9, {60, 130, 60});
            }
            break;
        case 5:  // a city at dusk
            Sky(rear, {70, 50, 110}, {240, 140, 80});
            Clouds(rear, 51, 3, 40, 120, {220, 130, 120});
            Buildings(rear, 52, 6, 250, 30, 90, {90, 70, 100}, {250, 210, 120}, 0.3);
            Buildings(front, 53, 4, 310, 10, 40, {50, 40, 55}, {255, 220, 110}, 0.4);
            break;
        case 6:  // arctic ice
            Sky(rear, {150, 200, 235}, {235, 245, 250});
            Clouds(rear, 61, 3, 30, 120, {250, 252, 255}, 0.8);
            Land(rear, 62, 230, {{2, 16}, {3, 10}}, {220, 235, 245}, {160, 200, 225}, {255, 255, 255});
            Waves(rear, 63, 275, {70, 120, 160}, {50, 90, 130}, {200, 230, 240}, 1);
            Land(front, 64, 305, {{3, 6}, {5, 4}}, {235, 245, 255}, {170, 205, 230}, {255, 255, 255});
            for (int b = 0; b < 3; ++b) {  // icebergs
                double x = 20 + b * 50;
                front.Poly({{x - 12, 306}, {x - 6, 285.0 - b * 4}, {x + 2, 280.0 - b * 3}, {x + 12, 306}}, {210, 235, 250}, true);
            }
            break;
        case 7:  // night over the hills
            Sky(rear, {5, 10, 35}, {30, 40, 90});
            Stars(rear, 71, 60, 220);
            Land(rear, 72, 235, {{1, 14}, {3, 6}}, {25, 35, 60}, {15, 20, 40});
            Buildings(rear, 73, 10, 262, 6, 14, {30, 30, 50}, {250, 220, 120}, 0.5);
            Land(front, 74, 300, {{1, 8}, {2, 5}}, {20, 35, 30}, {10, 20, 15});
            Trees(front, 74, 6, 300, {{1, 8}, {2, 5}}, {20, 50, 40}, true);
            break;
        case 8:  // red canyon
            Sky(rear, {200, 120, 80}, {250, 200, 140});
            Land(rear, 82, 190, {{1, 20}, {3, 12}, {6, 4}}, {170, 80, 50}, {120, 50, 35}, {210, 120, 80});
            for (int y = 200; y < 330; y += 11) rear.Box(0, y, 150, 1, {140, 60, 40});
            Land(rear, 83, 260, {{2, 10}}, {150, 70, 45}, {110, 45, 30});
            for (int p = 0; p < 3; ++p) {  // rock pillars
                double x = 18 + p * 50, top = 240 + p * 12;
                front.Poly({{x - 9, 330}, {x - 6, top}, {x + 7, top - 4}, {x + 10, 330}}, {160, 70, 45}, true);
                front.Box(x - 10, top - 2, 22, 4, {190, 100, 60});
            }
            Land(front, 84, 310, {{1, 5}, {3, 3}}, {130, 60, 40}, {90, 40, 30});
            break;
        case 9:  // storm over the sea
            Sky(rear, {60, 65, 75}, {130, 140, 150});
            Clouds(rear, 91, 5, 10, 110, {90, 95, 105}, 1.5);
            for (int i = 0; i < 40; ++i) {  // rain
                int x = int(Hash(92, i) * kStrip), y = int(Hash(i, 92) * 280);
                for (int k = 0; k < 8; ++k) cv.FillRect({(x + k) % kStrip, y + k * 2, 1, 2}, {150, 160, 175});
            }
            Waves(rear, 93, 240, {50, 70, 90}, {30, 45, 60}, {150, 165, 180}, 4);
            Waves(front, 94, 292, {40, 60, 80}, {20, 30, 45}, {210, 220, 230}, 10);
            break;
        case 10:  // volcano land
            Sky(rear, {40, 10, 15}, {180, 60, 30});
            Clouds(rear, 101, 3, 20, 100, {70, 40, 40}, 1.3);
            Land(rear, 102, 200, {{1, 35}, {2, 10}}, {70, 40, 40}, {40, 25, 25});
            for (int x = 0; x < kStrip; ++x) {  // lava glowing down the slopes
                int y0 = int(Ridge(x, 102, 200, {{1, 35}, {2, 10}}));
                if (y0 < 190) rear.Column(x, y0, y0 + 3, {255, 120, 30});
            }
            Land(front, 104, 305, {{2, 8}, {5, 4}}, {45, 35, 35}, {20, 15, 15});
            for (int l = 0; l < 3; ++l) front.Box(20 + l * 50, 318 - l * 3, 22, 3, {255, 110, 20});
            break;
        default:  // the Zorbels' own world
            Sky(rear, {40, 20, 60}, {120, 170, 80});
            Stars(rear, 111, 30, 120);
            rear.Ellipse(40, 60, 10, 10, {200, 230, 140});
            rear.Ellipse(110, 90, 6, 6, {230, 180, 240});
            Land(rear, 112, 240, {{2, 6}}, {70, 60, 90}, {40, 35, 60});
            for (int t = 0; t < 3; ++t) {  // towers with domes
                double x = 25 + t * 50, h = 60 + t * 20;
                rear.Box(x - 5, 240 - h, 10, h + 100, {90, 80, 120});
                rear.Ellipse(x, 240 - h, 11, 9, {140, 220, 160});
                rear.Box(x - 1, 240 - h - 18, 2, 10, {200, 200, 80});
            }
            Land(front, 114, 305, {{3, 3}}, {80, 90, 100}, {40, 45, 55}, {150, 160, 170});
            front.Box(0, 292, 150, 5, {100, 110, 125});  // a pipe running through
            for (int j = 0; j < 5; ++j) front.Box(j * 30.0 + 8, 289, 6, 11, {140, 150, 160});
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Pictures.

// Copies one frame of a sprite sheet, scaled up by a whole factor, leaving key pixels out.
void Stamp(Canvas& dst, const Canvas& src, Rect from, int x, int y, int scale) {
    for (int sy = 0; sy < from.h; ++sy)
        for (int sx = 0; sx < from.w; ++sx) {
            Rgb c = src.Get(from.x + sx, from.y + sy);
            if (c == kKey) continue;
            dst.FillRect({x + sx * scale, y + sy * scale, scale, scale}, c);
        }
}

const Canvas& Sheet(int n, int w, int h) {
    static std::vector<std::pair<int, Canvas>> cache;
    for (auto& [k, c] : cache)
        if (k == n) return c;
    Canvas c(w, h);
    if (n == 0)
        PaintPlayer(c);
    else
        PaintVorpex(n, c);
    cache.emplace_back(n, std::move(c));
    return cache.back().second;
}

void Player(Canvas& cv, int frame, int x, int y, int scale) {
    Stamp(cv, Sheet(0, 80, 1024), {0, (frame - 1) * 64, 80, 64}, x, y, scale);
}
void Zorbel(Canvas& cv, int sheet, int w, int h, int fh, int frame, int x, int y, int scale) {
    Stamp(cv, Sheet(sheet, w, h), {0, (frame - 1) * fh, w, fh}, x, y, scale);
}

constexpr Canvas::Face kLarge = Canvas::Face::Large;

// Big block letters with a dark outline, a drop shadow, a top-to-bottom colour sweep and a bevel
// along each stroke's top and bottom edges.
void Title(Canvas& cv, Rect r, const std::string& text, Rgb top, Rgb bottom, int maxScale = 10) {
    int scale = std::min({maxScale, r.w / std::max(1, Canvas::TextWidth(text, 1, kLarge)), r.h / Canvas::TextHeight(1, kLarge)});
    int tw = Canvas::TextWidth(text, scale, kLarge), th = Canvas::TextHeight(scale, kLarge);
    int x = r.x + (r.w - tw) / 2, y = r.y + (r.h - th) / 2;
    int o = std::max(1, scale / 4);
    cv.Text(x + o * 2, y + o * 2, text, scale, Rgb{10, 5, 20}, kLarge);
    for (int dy = -o; dy <= o; dy += o)
        for (int dx = -o; dx <= o; dx += o) cv.Text(x + dx, y + dy, text, scale, Rgb{30, 15, 40}, kLarge);
    Canvas mask(cv.Width(), cv.Height(), kBlack);
    mask.Text(x, y, text, scale, kWhite, kLarge);
    auto ink = [&](int xx, int yy) { return xx >= 0 && yy >= 0 && xx < cv.Width() && yy < cv.Height() && mask.Get(xx, yy) == kWhite; };
    for (int yy = y; yy < y + th; ++yy)
        for (int xx = x; xx < x + tw; ++xx)
            if (ink(xx, yy)) {
                Rgb c = Mix(top, bottom, double(yy - y) / th);
                if (!ink(xx, yy - o)) c = Shade(c, 1.35);
                else if (!ink(xx, yy + o)) c = Shade(c, 0.75);
                cv.Set(xx, yy, c);
            }
}

// A line of text in a framed dark box, centred across the picture; scale is of the large face.
void Caption(Canvas& cv, int y, const std::string& text, int scale = 3) {
    int tw = Canvas::TextWidth(text, scale, kLarge), th = Canvas::TextHeight(scale, kLarge), x = (cv.Width() - tw) / 2;
    cv.FillRect({x - 12, y - 8, tw + 24, th + 16}, Rgb{15, 10, 30});
    cv.FrameRect({x - 12, y - 8, tw + 24, th + 16}, Rgb{200, 170, 60});
    cv.Text(x + 1, y + 1, text, scale, Rgb{70, 50, 20}, kLarge);
    cv.Text(x, y, text, scale, Rgb{250, 225, 120}, kLarge);
}

// A full-width scene: the background strips of a level, scaled 2x and repeated.
void SceneFromLevel(Canvas& cv, int level, int yOffset) {
    Canvas bg(300, 330);
    PaintLevel(level, bg);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            int sx = x % kStrip, sy = y + 330 - 240;
            Rgb c = bg.Get(kStrip + sx, sy);
            if (c == kKey) c = bg.Get(sx, sy);
            cv.FillRect({x * 2, y * 2 + yOffset, 2, 2}, c);
        }
}

void Fireworks(Canvas& cv, int seed, int count) {
    for (int i = 0; i < count; ++i) {
        double cx = 60 + Hash(seed, i) * 520, cy = 50 + Hash(i, seed) * 160, r = 20 + Hash(seed + 1, i) * 30;
        Rgb c = i % 3 == 0 ? Rgb{255, 220, 90} : i % 3 == 1 ? Rgb{120, 220, 255} : Rgb{255, 120, 150};
        for (int k = 0; k < 16; ++k) {
            double a = 2 * kPi * k / 16;
            cv.Line(int(cx + r * 0.3 * std::cos(a)), int(cy + r * 0.3 * std::sin(a)), int(cx + r * std::cos(a)),
                    int(cy + r * std::sin(a)), c);
            cv.FillRect({int(cx + r * std::cos(a)) - 1, int(cy + r * std::sin(a)) - 1, 3, 3}, Shade(c, 1.3));
        }
    }
}

void Picture(const std::string& name, Canvas& cv) {
    if (name == "INTRO01") {  // night: the Zorbel saucers arrive over the hills
        SceneFromLevel(cv, 7, 0);
        Zorbel(cv, 34, 66, 832, 64, 1, 90, 60, 2);
        Zorbel(cv, 39, 190, 1794, 138, 1, 260, 30, 1);
        Zorbel(cv, 34, 66, 832, 64, 2, 480, 110, 2);
        Title(cv, {0, 250, 640, 70}, "GORBULANT", {140, 230, 120}, {40, 120, 60});
        Caption(cv, 400, "THE ZORBELS ARE COMING");
    } else if (name == "INTRO02") {  // dawn: the pilot takes off
        SceneFromLevel(cv, 1, 0);
        Player(cv, 2, 200, 120, 3);
        Caption(cv, 400, "ONE PILOT TAKES TO THE SKY");
    } else if (name == "INTRO03") {  // the first fight
        SceneFromLevel(cv, 3, 0);
        Player(cv, 3, 60, 150, 2);
        Zorbel(cv, 1, 67, 715, 55, 1, 380, 90, 2);
        Zorbel(cv, 2, 79, 1800, 75, 1, 470, 220, 2);
        Zorbel(cv, 1, 67, 715, 55, 7, 300, 20, 2);
        for (int b = 0; b < 5; ++b) cv.FillRect({230 + b * 26, 214, 14, 3}, Rgb{255, 240, 120});
        Caption(cv, 400, "ELEVEN SKIES TO WIN BACK");
    } else if (name == "intro04" || name == "picIntro") {  // the title
        cv.Gradient({0, 0, 640, 480}, Rgb{20, 30, 80}, Rgb{230, 130, 70});
        for (int k = 0; k < 24; ++k) {  // sunburst
            double a0 = 2 * kPi * k / 24, a1 = a0 + kPi / 24;
            cv.FillPolygon({{470, 330}, {470 + 700 * std::cos(a0), 330 + 700 * std::sin(a0)}, {470 + 700 * std::cos(a1), 330 + 700 * std::sin(a1)}},
                           Rgb{250, 170, 90});
        }
        cv.FillEllipse(470, 330, 70, 70, Rgb{255, 230, 150});
        Canvas hills(300, 330);
        PaintLevel(1, hills);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 320; ++x) {
                Rgb c = hills.Get(kStrip + x % kStrip, 270 + y);
                if (!(c == kKey)) cv.FillRect({x * 2, 360 + y * 2, 2, 2}, Shade(c, 0.8));
            }
        cv.FillRect({0, 478, 640, 2}, Rgb{30, 60, 20});
        if (name == "intro04") {
            Title(cv, {0, 40, 640, 110}, "GORBULANT", {255, 240, 140}, {230, 90, 30});
            Player(cv, 2, 200, 200, 3);
            Zorbel(cv, 1, 67, 715, 55, 1, 520, 190, 1);
            Zorbel(cv, 1, 67, 715, 55, 1, 560, 240, 1);
            Caption(cv, 432, "PRESS SPACE", 2);
        } else {  // the menu: buttons and panels sit on the left
            Title(cv, {300, 20, 330, 60}, "GORBULANT", {255, 240, 140}, {230, 90, 30});
            Player(cv, 3, 340, 140, 3);
            Zorbel(cv, 1, 67, 715, 55, 1, 520, 330, 1);
        }
    } else if (name == "EXTRO01") {  // the outro plays before FINAL: the Zorbels run for home
        SceneFromLevel(cv, 10, 0);
        Player(cv, 3, 30, 170, 2);
        Zorbel(cv, 34, 66, 832, 64, 1, 400, 120, 1);
        Zorbel(cv, 34, 66, 832, 64, 2, 480, 80, 1);
        Zorbel(cv, 41, 100, 1287, 99, 1, 520, 180, 1);
        Caption(cv, 400, "THE ZORBELS FLEE HOME");
    } else if (name == "EXTRO02") {  // their own world comes in sight
        SceneFromLevel(cv, 11, 0);
        Player(cv, 2, 40, 40, 2);
        Zorbel(cv, 39, 190, 1794, 138, 1, 380, 120, 1);
        Caption(cv, 400, "THEIR WORLD LIES AHEAD");
    } else if (name == "EXTRO03") {  // the last fight: three stages against the fleet's flagship
        SceneFromLevel(cv, 11, 0);
        Stamp(cv, Sheet(20, 353, 955), {0, 0, 353, 191}, 270, 60, 1);
        Player(cv, 3, 40, 170, 2);
        Caption(cv, 400, "THE FINAL FIGHT BEGINS");
    } else if (name == "end") {  // after the last stage: the victory, home at night
        SceneFromLevel(cv, 7, 0);
        Fireworks(cv, 9, 6);
        Player(cv, 2, 250, 170, 1);
        Title(cv, {0, 250, 640, 80}, "THE END", {255, 240, 140}, {230, 90, 30});
        Caption(cv, 360, "THE SKIES ARE CLEAR");
        // It waits for Space, as the title does: the same hint.
        Caption(cv, 432, "PRESS SPACE", 2);
    }
    cv.FrameRect({0, 0, cv.Width(), cv.Height()}, Rgb{20, 15, 30});
}

}  // namespace

void PaintLevelBackground(int level, Canvas& cv) { PaintLevel(level, cv); }
void PaintPicture(const std::string& name, Canvas& cv) { Picture(name, cv); }

}  // namespace gen
