// The effect, bullet, HUD and frame sheets, and the table of every bitmap. Sprites live in
// Sprites.cpp, backgrounds and pictures in Scenes.cpp.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "Content.h"

namespace gen {
namespace {

// Salted, so these sheets' jitter differs from the sprites' for the same seeds.
double Hash(int a, int b) { return HashUnit(a, b + 31); }

std::vector<Point> Turned(std::vector<Point> pts, Point c, double deg) {
    double a = deg * kPi / 180, ca = std::cos(a), sa = std::sin(a);
    for (auto& p : pts) {
        double dx = p.x - c.x, dy = p.y - c.y;
        p = {c.x + dx * ca - dy * sa, c.y + dx * sa + dy * ca};
    }
    return pts;
}

// ---------------------------------------------------------------------------------------------
// Effects: explosions and smoke grow and fade; ice bursts into crystals.

// A cloud of overlapping lobes around (cx, cy).
void Puff(Canvas& cv, double cx, double cy, double r, int seed, Rgb outer, Rgb inner, int lobes = 6) {
    for (int i = 0; i < lobes; ++i) {
        double a = 2 * kPi * (i + Hash(seed, i) * 0.5) / lobes, d = r * 0.45;
        cv.FillEllipse(cx + d * std::cos(a), cy + d * std::sin(a), r * 0.6, r * 0.55, outer);
    }
    cv.FillEllipse(cx, cy, r * 0.7, r * 0.65, outer);
    cv.FillEllipse(cx - r * 0.15, cy - r * 0.15, r * 0.45, r * 0.4, inner);
}

void PaintExplode(Canvas& cv) {
    // Kind 2/4, smoke and hit puff: grey, growing, thinning out.
    for (int f = 0; f < 7; ++f) {
        Rect in = Inner({0, f * 25, 25, 25});
        cv.SetClip(in);
        double t = f / 6.0, r = 4 + 7 * t;
        Rgb c = Mix(Rgb{120, 115, 110}, Rgb{200, 200, 200}, t);
        if (f == 0) Puff(cv, 12.5, f * 25 + 12.5, r, f, Rgb{255, 200, 90}, Rgb{255, 250, 200});
        else Puff(cv, 12.5, f * 25 + 12.5, r, f, c, Shade(c, 1.2), 6 - f / 2);
        cv.ResetClip();
    }
    // Kind 1, muzzle flash: a star that shrinks.
    for (int f = 0; f < 4; ++f) {
        Rect in = {25, f * 10, 9, 10};
        cv.SetClip(in);
        double r = 4.5 - f, cx = 29.5, cy = f * 10 + 5.0;
        cv.FillPolygon({{cx - r, cy}, {cx, cy - r * 0.35}, {cx + r, cy}, {cx, cy + r * 0.35}}, Rgb{255, 200, 60});
        cv.FillPolygon({{cx, cy - r}, {cx + r * 0.35, cy}, {cx, cy + r}, {cx - r * 0.35, cy}}, Rgb{255, 200, 60});
        cv.FillEllipse(cx, cy, std::max(1.0, r * 0.4), std::max(1.0, r * 0.4), Rgb{255, 255, 220});
        cv.ResetClip();
    }
    // Kind 3, explosion: a white flash, a fireball, then dark smoke breaking apart with debris.
    for (int f = 0; f < 9; ++f) {
        Rect in = Inner({34, f * 73, 79, 73});
        cv.SetClip(in);
        double cx = 34 + 39.5, cy = f * 73 + 36.5, t = f / 8.0;
        double r = 10 + 26 * std::sin(std::min(1.0, t * 1.8) * kPi / 2);
        if (f < 5) {
            Rgb smoke = Mix(Rgb{90, 60, 50}, Rgb{70, 65, 65}, t * 2);
            if (f >= 2) Puff(cv, cx, cy, r, f, smoke, smoke, 8);
            Puff(cv, cx, cy, r * (f >= 2 ? 0.8 : 1), f + 10, Rgb{240, 110, 20}, Rgb{255, 190, 50}, 7);
            cv.FillEllipse(cx - 2, cy - 2, r * (0.45 - 0.07 * f), r * (0.42 - 0.07 * f), Rgb{255, 250, 200});
        } else {
            // Smoke drifts apart in lumps that shrink.
            double k = (f - 4) / 4.0;
            for (int l = 0; l < 6; ++l) {
                double a = 2 * kPi * l / 6 + 0.4, d = r * (0.35 + 0.45 * k);
                double lr = r * (0.45 - 0.28 * k);
                Rgb c = Mix(Rgb{80, 70, 65}, Rgb{160, 155, 150}, k);
                cv.FillEllipse(cx + d * std::cos(a), cy + d * std::sin(a), lr, lr * 0.9, c);
                if (k < 0.6) cv.FillEllipse(cx + d * std::cos(a), cy + d * std::sin(a), lr * 0.4, lr * 0.35, Rgb{230, 100, 30});
            }
        }
        for (int d = 0; d < 8 && f > 0; ++d) {  // debris flying out
            double a = 2 * kPi * Hash(d, 3), dist = (8 + 30 * Hash(3, d)) * (0.3 + t);
            cv.FillRect({int(cx + dist * std::cos(a)), int(cy + dist * std::sin(a)), 2, 2}, f < 6 ? Rgb{255, 220, 120} : Rgb{50, 45, 45});
        }
        cv.ResetClip();
    }
    // Kind 8, the jumper's end: a green splat spreading out and fading.
    for (int f = 0; f < 10; ++f) {
        Rect in = Inner({114, f * 27, 35, 27});
        cv.SetClip(in);
        double cx = 131.5, cy = f * 27 + 13.5, t = f / 9.0;
        Rgb goo = Mix(Rgb{120, 220, 70}, Rgb{70, 110, 60}, t);
        cv.FillEllipse(cx, cy, 5 + 3 * t, 4 + 2 * t, goo);
        for (int d = 0; d < 7; ++d) {
            double a = 2 * kPi * d / 7 + 0.3, dist = 3 + 12 * t;
            cv.FillEllipse(cx + dist * std::cos(a), cy + dist * std::sin(a) * 0.8, 2.5 - t, 2.5 - t, goo);
        }
        cv.ResetClip();
    }
}

void PaintIce(Canvas& cv) {
    // Kind 6, ice burst: six crystal arms grow, then break into flying pieces.
    for (int f = 0; f < 10; ++f) {
        Rect in = Inner({0, f * 121, 133, 121});
        cv.SetClip(in);
        double cx = 66.5, cy = f * 121 + 60.5;
        Rgb ice{170, 225, 255}, pale{235, 250, 255};
        if (f < 6) {
            double len = 12 + 44 * std::sin(std::min(1.0, (f + 1) / 6.0) * kPi / 2);
            for (int arm = 0; arm < 6; ++arm) {
                double a = arm * 60.0;
                std::vector<Point> spike{{cx, cy - 4}, {cx + len, cy}, {cx, cy + 4}};
                cv.FillPolygonShaded(Turned(spike, {cx, cy}, a), ice, 0.3);
                for (int b = 1; b <= 2; ++b) {  // side branches
                    Point at{cx + len * b / 3.0, cy};
                    for (int s = -1; s <= 1; s += 2) {
                        std::vector<Point> br{{at.x - 2, at.y}, {at.x + len * 0.25, at.y + s * len * 0.25}, {at.x + 2, at.y}};
                        cv.FillPolygon(Turned(br, {cx, cy}, a), pale);
                    }
                }
            }
            cv.FillEllipse(cx, cy, 8 + 2 * f, 8 + 2 * f, pale);
        } else {
            double k = (f - 5) / 4.0;
            for (int p = 0; p < 12; ++p) {
                double a = 2 * kPi * p / 12 + 0.2, d = 30 + 30 * k;
                double px = cx + d * std::cos(a), py = cy + d * std::sin(a) + 10 * k * k;
                std::vector<Point> shard{{px - 5, py}, {px, py - 8 + 3 * k}, {px + 5, py}, {px, py + 4}};
                cv.FillPolygon(Turned(shard, {px, py}, p * 40.0 + f * 20), Mix(ice, Rgb{120, 170, 210}, k));
            }
            cv.FillEllipse(cx, cy, 10 * (1 - k) + 1, 10 * (1 - k) + 1, pale);
        }
        cv.OutlineOpaque(in, Rgb{60, 120, 170});
        cv.ResetClip();
    }
    // Kind 7, ice shard: a splinter that tumbles.
    for (int f = 0; f < 8; ++f) {
        Rect in = Inner({133, f * 28, 26, 28});
        cv.SetClip(in);
        Point c{146, f * 28 + 14.0};
        std::vector<Point> shard{{c.x - 3, c.y - 11}, {c.x + 4, c.y - 4}, {c.x + 2, c.y + 11}, {c.x - 4, c.y + 3}};
        cv.FillPolygonShaded(Turned(shard, c, f * 45.0), Rgb{190, 235, 255}, 0.4);
        cv.OutlineOpaque(in, Rgb{70, 130, 180});
        cv.ResetClip();
    }
    // Kind 5, sparkle: a four-point star that twinkles.
    for (int f = 0; f < 11; ++f) {
        Rect in{159, f * 9, 9, 9};
        cv.SetClip(in);
        double r = 1.5 + 3 * std::sin(kPi * (f + 1) / 12.0), cx = 163.5, cy = f * 9 + 4.5;
        cv.FillPolygon({{cx - r, cy}, {cx, cy - 0.8}, {cx + r, cy}, {cx, cy + 0.8}}, Rgb{200, 240, 255});
        cv.FillPolygon({{cx, cy - r}, {cx + 0.8, cy}, {cx, cy + r}, {cx - 0.8, cy}}, Rgb{200, 240, 255});
        cv.FillRect({163, f * 9 + 4, 1, 1}, kWhite);
        cv.ResetClip();
    }
}

// ---------------------------------------------------------------------------------------------
// Bullets. Every cut is solid (the collision test samples it on a grid).

// Horizontal bands, one colour per row, over the rectangle.
void Bands(Canvas& cv, Rect r, std::initializer_list<Rgb> rows) {
    int y = r.y;
    for (Rgb c : rows) {
        if (y >= r.y + r.h) break;
        cv.FillRect({r.x, y++, r.w, 1}, c);
    }
}

void Ball(Canvas& cv, Rect r, Rgb c, double glint = 1.6) {
    cv.SetClip(r);
    double cx = r.x + r.w / 2.0, cy = r.y + r.h / 2.0;
    cv.FillEllipse(cx, cy, r.w / 2.0, r.h / 2.0, Shade(c, 0.7));
    cv.FillEllipse(cx, cy, r.w / 2.0 - 1, r.h / 2.0 - 1, c);
    cv.FillEllipse(cx - r.w / 8.0, cy - r.h / 8.0, std::max(1.0, r.w / 5.0), std::max(1.0, r.h / 5.0), Shade(c, glint));
    cv.ResetClip();
}

void PaintBullets(Canvas& cv) {
    const Rgb yellow{255, 230, 90}, white{255, 255, 230}, orange{255, 150, 40}, red{230, 50, 40};
    // Player tracer (1, 4: top 3 rows; 6, 22: all 7 rows).
    Bands(cv, {245, 53, 10, 7}, {orange, white, orange, yellow, white, yellow, orange});
    cv.FillRect({253, 53, 2, 7}, white);
    // Enemy shots 11 (3 rows), 21 (7 rows), 23 (11 rows).
    Bands(cv, {255, 53, 10, 11}, {red, Rgb{255, 200, 150}, red, Rgb{200, 40, 30}, Rgb{255, 120, 80}, Rgb{255, 200, 150},
                                  Rgb{200, 40, 30}, red, Rgb{255, 120, 80}, Rgb{255, 200, 150}, red});
    cv.FillRect({255, 53, 2, 11}, Rgb{255, 230, 200});
    // Missiles 2, 3: grey body, red nose at the right, flame behind on the left.
    for (int f = 0; f < 4; ++f) {
        int y = 53 + f * 6;
        cv.SetClip({272, y, 20, 6});
        cv.FillRect({272, y + 1, 6, 4}, f % 2 ? orange : yellow);
        cv.FillRect({272, y + 2, 3 + f % 2, 2}, white);
        cv.FillPolygonShaded({{277, y + 0.5}, {287, y + 0.5}, {292, y + 3.0}, {287, y + 5.5}, {277, y + 5.5}}, Rgb{200, 200, 210}, 0.5);
        cv.FillRect({287, y + 1, 3, 4}, red);
        cv.FillRect({277, y, 3, 6}, Rgb{90, 90, 100});
        cv.ResetClip();
    }
    // Fireball column 5: a ball of fire with its flames licking back.
    for (int f = 0; f < 4; ++f) {
        Rect r{32, f * 32, 38, 32};
        cv.SetClip(r);
        double cx = 55, cy = f * 32 + 16.0;
        for (int k = 0; k < 5; ++k) {
            double fy = cy + (k - 2) * 5 + ((k + f) % 2 ? 1.5 : -1.5);
            cv.FillPolygon({{cx, fy - 3}, {34.0 + (k + f) % 3 * 3, fy}, {cx, fy + 3}}, orange);
        }
        cv.FillEllipse(cx, cy, 13, 13, Rgb{240, 100, 20});
        cv.FillEllipse(cx + 1, cy, 9, 9, Rgb{255, 190, 50});
        cv.FillEllipse(cx + 2, cy - 1, 5, 5, white);
        cv.ResetClip();
    }
    // Ice bomb 7: the bomb in the right 24 columns (what stays as it shrinks), frost to its left.
    for (int f = 0; f < 4; ++f) {
        int y = f * 24;
        cv.SetClip({90, y, 45, 24});
        for (int k = 0; k < 6; ++k)
            cv.FillEllipse(92 + k * 3.5, y + 12 + ((k + f) % 3 - 1) * 2.0, 2 + k * 0.6, 2 + k * 0.6, Rgb{200, 240, 255});
        cv.FillRect({100, y + 9, 14, 6}, Rgb{220, 245, 255});
        cv.FillEllipse(123, y + 12, 11, 11, Rgb{120, 190, 240});
        cv.FillEllipse(121, y + 10, 6, 6, Rgb{220, 245, 255});
        for (int s = 0; s < 3; ++s) cv.Line(123, y + 12, 123 + int(9 * std::cos(s * 2.1 + f)), y + 12 + int(9 * std::sin(s * 2.1 + f)), kWhite);
        cv.ResetClip();
    }
    // Dive shot 8: a white-hot streak.
    for (int f = 0; f < 3; ++f)
        Bands(cv, {96, 96 + f * 5, 39, 5}, {Rgb{150, 200, 255}, Rgb{220, 240, 255}, white, Rgb{220, 240, 255}, Rgb{150, 200, 255}});
    // Lasers: 15 red, 9/10 green.
    Bands(cv, {100, 111, 35, 3}, {Rgb{255, 80, 60}, Rgb{255, 220, 200}, Rgb{255, 80, 60}});
    Bands(cv, {100, 114, 26, 3}, {Rgb{80, 255, 100}, Rgb{230, 255, 230}, Rgb{80, 255, 100}});
    // Aimed balls and orbs.
    for (int f = 0; f < 3; ++f) Ball(cv, {265, 53 + f * 7, 7, 7}, f == 1 ? Rgb{255, 120, 60} : Rgb{230, 70, 40});
    for (int f = 0; f < 4; ++f) Ball(cv, {71, 65 + f * 15, 15, 15}, Mix(orange, red, f / 3.0));
    for (int f = 0; f < 8; ++f) Ball(cv, {303, 46 + f * 11, 11, 11}, Rgb{60, 140, 255}, 1.8);
    for (int f = 0; f < 8; ++f) {  // snot: a wobbling green blob
        Rect r{292, 48 + f * 11, 11, 11};
        cv.SetClip(r);
        double w = 5 + (f % 4 < 2 ? 0.5 : -0.5);
        cv.FillEllipse(297.5, r.y + 5.5, w, 10.5 - w, Rgb{110, 200, 60});
        cv.FillEllipse(296, r.y + 4, 2, 2, Rgb{200, 255, 150});
        cv.ResetClip();
    }
    for (int f = 0; f < 4; ++f) {  // 24: a spiky energy ball
        Rect r{245, 64 + f * 14, 14, 14};
        cv.SetClip(r);
        Point c{252, r.y + 7.0};
        for (int k = 0; k < 4; ++k) cv.FillPolygon(Turned({{c.x - 7, c.y}, {c.x, c.y - 2}, {c.x + 7, c.y}, {c.x, c.y + 2}}, c, k * 45.0 + f * 22), yellow);
        cv.FillEllipse(c.x, c.y, 4, 4, white);
        cv.ResetClip();
    }
    for (int f = 0; f < 4; ++f) Ball(cv, {279, 77 + f * 14, 13, 14}, Mix(Rgb{255, 200, 60}, Rgb{230, 80, 20}, f / 3.0));
    for (int f = 0; f < 8; ++f) {  // 27: a spinning cyan crystal
        Rect r{0, f * 17, 15, 17};
        cv.SetClip(r);
        Point c{7.5, r.y + 8.5};
        double w = 2 + 5 * std::abs(std::cos(f * kPi / 8));
        cv.FillPolygonShaded({{c.x, c.y - 8}, {c.x + w, c.y}, {c.x, c.y + 8}, {c.x - w, c.y}}, Rgb{120, 230, 240}, 0.5);
        cv.ResetClip();
    }
    // Shell 13: a brass shell pointing left with a smoke trail.
    for (int f = 0; f < 4; ++f) {
        int y = f * 6;
        cv.SetClip({70, y, 20, 6});
        cv.FillRect({81, y + 1, 9, 4}, f % 2 ? Rgb{190, 190, 190} : Rgb{150, 150, 150});
        cv.FillPolygonShaded({{70, y + 3.0}, {74, y + 0.5}, {82, y + 0.5}, {82, y + 5.5}, {74, y + 5.5}}, Rgb{220, 180, 80}, 0.5);
        cv.ResetClip();
    }
    // 14: a violet plasma bolt that flickers.
    for (int f = 0; f < 6; ++f) {
        Rect r{135, f * 10, 32, 10};
        cv.SetClip(r);
        double tail = 20 + (f % 3) * 4;
        cv.FillPolygon({{135, r.y + 5.0}, {143, r.y + 0.5}, {135 + tail, r.y + 3.0 + f % 2}, {167, r.y + 5.0}, {135 + tail, r.y + 7.0 - f % 2}, {143, r.y + 9.5}},
                       Rgb{120, 90, 255});
        cv.FillEllipse(142, r.y + 5, 6, 3.5, Rgb{210, 200, 255});
        cv.ResetClip();
    }
    // Bomb 16: four columns tilting further nose-down as the bomb falls lower.
    for (int col = 0; col < 4; ++col)
        for (int f = 0; f < 2; ++f) {
            Rect r{217 + 25 * col, f * 24, 25, 24};
            cv.SetClip(Inner(r));
            Point c{r.x + 12.5, r.y + 12.0};
            double a = 90 - 20.0 * col;  // from level to pointing down
            cv.FillPolygon(Turned({{c.x + 6, c.y - 5}, {c.x + 11, c.y - 7 + f}, {c.x + 11, c.y + 7 - f}, {c.x + 6, c.y + 5}}, c, a - 90 + 180),
                           Rgb{70, 70, 75});
            cv.FillPolygonShaded(Turned({{c.x - 10, c.y}, {c.x - 6, c.y - 4.5}, {c.x + 7, c.y - 4}, {c.x + 7, c.y + 4}, {c.x - 6, c.y + 4.5}}, c, a - 90 + 180),
                                 Rgb{100, 105, 95}, 0.5);
            cv.ResetClip();
        }
    // 19: a small rocket heading up-left.
    for (int f = 0; f < 4; ++f) {
        Rect r{70, 24 + f * 10, 19, 10};
        cv.SetClip(r);
        cv.FillPolygon({{72, r.y + 2.0}, {84, r.y + 6.0}, {83, r.y + 9.0}, {71, r.y + 4.0}}, Rgb{170, 170, 180});
        cv.FillRect({70, r.y + 1, 3, 3}, red);
        cv.FillEllipse(86, r.y + 7.5, 3 + f % 2, 2, orange);
        cv.ResetClip();
    }
    // 25: the growing beam, yellow-white, flickering along its length.
    for (int f = 0; f < 8; ++f) {
        Rect r{135, 89 + f * 5, 110, 5};
        Bands(cv, r, {Rgb{255, 200, 60}, Rgb{255, 240, 150}, white, Rgb{255, 240, 150}, Rgb{255, 200, 60}});
        for (int x = (f * 7) % 11; x < 110; x += 11) cv.FillRect({135 + x, r.y + 1, 3, 3}, white);
    }
    // Rain items 36, 37: a storm cloud with lightning and rain under it.
    for (auto [r, seed] : {std::pair{Rect{167, 0, 50, 41}, 1}, std::pair{Rect{167, 41, 51, 45}, 2}}) {
        cv.SetClip(r);
        double cx = r.x + r.w / 2.0;
        cv.FillRect({r.x + 4, r.y + r.h / 2, r.w - 8, r.h / 2}, Rgb{70, 100, 170});
        for (int k = 0; k < 12; ++k)
            cv.FillRect({r.x + 4 + k * (r.w - 8) / 12, r.y + r.h / 2 + int(Hash(k, seed) * 6), 2, r.h / 2}, Rgb{140, 180, 255});
        Puff(cv, cx, r.y + r.h * 0.32, r.w * 0.42, seed, Rgb{110, 115, 135}, Rgb{170, 175, 190}, 7);
        cv.FillPolygon({{cx + 2, r.y + r.h * 0.4}, {cx - 5, r.y + r.h * 0.7}, {cx, r.y + r.h * 0.68}, {cx - 4, r.y + r.h - 2.0}, {cx + 6, r.y + r.h * 0.6},
                        {cx + 1, r.y + r.h * 0.62}},
                       Rgb{255, 250, 150});
        cv.ResetClip();
    }
    // Axe spray 38: a spinning axe.
    for (int f = 0; f < 8; ++f) {
        Rect r{15, f * 17, 17, 17};
        cv.SetClip(r);
        Point c{23.5, r.y + 8.5};
        cv.FillPolygon(Turned({{c.x - 1.5, c.y - 8}, {c.x + 1.5, c.y - 8}, {c.x + 1.5, c.y + 8}, {c.x - 1.5, c.y + 8}}, c, f * 45.0), Rgb{140, 90, 50});
        cv.FillPolygonShaded(Turned({{c.x, c.y - 8}, {c.x + 7, c.y - 7}, {c.x + 8, c.y - 2}, {c.x + 7, c.y + 1}, {c.x, c.y - 2}}, c, f * 45.0),
                             Rgb{200, 205, 215}, 0.4);
        cv.FillEllipse(c.x, c.y, 2, 2, Rgb{140, 90, 50});
        cv.ResetClip();
    }
    // Pixels that two unrelated cuts would share stay transparent in both.
    cv.FillRect({303, 46, 11, 2}, kKey);
    cv.FillRect({217, 41, 1, 7}, kKey);
}

// ---------------------------------------------------------------------------------------------
// The "misc" sheet: HUD pieces, signs, propeller strip and the colour-key sample at (205, 1).

void Icon(Canvas& cv, Rect r, int k) {
    cv.Gradient(r, Rgb{60, 60, 100}, Rgb{25, 25, 50});
    cv.FrameRect(r, Rgb{130, 130, 160});
    cv.SetClip(Inner(r));
    double cx = r.x + 10, cy = r.y + 10;
    switch (k) {
        case 1:  // a life: the player's plane
            cv.FillPolygonShaded({{r.x + 3.0, cy - 2}, {r.x + 14.0, cy - 2}, {r.x + 17.0, cy}, {r.x + 14.0, cy + 2}, {r.x + 3.0, cy + 2}}, Rgb{200, 205, 215});
            cv.FillPolygon({{r.x + 3.0, cy - 2}, {r.x + 3.0, cy - 7}, {r.x + 6.0, cy - 2}}, Rgb{200, 40, 40});
            cv.FillRect({r.x + 8, int(cy), 5, 5}, Rgb{150, 160, 175});
            cv.FillRect({r.x + 9, int(cy) - 4, 3, 2}, Rgb{150, 215, 250});
            cv.FillRect({r.x + 17, int(cy) - 5, 1, 10}, Rgb{190, 190, 190});
            break;
        case 2:  // fireball column
            cv.FillEllipse(cx + 2, cy, 6, 6, Rgb{240, 100, 20});
            cv.FillPolygon({{cx - 8, cy - 4}, {cx + 2, cy - 2}, {cx - 8, cy + 4}, {cx + 2, cy + 2}}, Rgb{255, 150, 40});
            cv.FillEllipse(cx + 3, cy - 1, 3, 3, Rgb{255, 240, 180});
            break;
        case 3:  // ice bomb
            for (int a = 0; a < 3; ++a) {
                double t = a * kPi / 3;
                cv.Line(int(cx - 7 * std::cos(t)), int(cy - 7 * std::sin(t)), int(cx + 7 * std::cos(t)), int(cy + 7 * std::sin(t)), Rgb{200, 240, 255});
                cv.Line(int(cx - 7 * std::cos(t)) + 1, int(cy - 7 * std::sin(t)), int(cx + 7 * std::cos(t)) + 1, int(cy + 7 * std::sin(t)), Rgb{120, 200, 255});
            }
            cv.FillEllipse(cx, cy, 2.5, 2.5, kWhite);
            break;
        case 4:  // loop dive: a looping arrow
            for (int i = 0; i < 40; ++i) {
                double t = 2 * kPi * i / 40 * 0.85;
                cv.FillRect({int(cx + 6 * std::cos(t)), int(cy - 1 + 5 * std::sin(t)), 2, 2}, Rgb{255, 220, 80});
            }
            cv.FillPolygon({{cx + 3, cy - 9}, {cx + 8, cy - 6}, {cx + 3, cy - 2}}, Rgb{255, 220, 80});
            break;
        case 5:  // rain
            cv.FillEllipse(cx - 3, cy - 3, 5, 4, Rgb{170, 175, 190});
            cv.FillEllipse(cx + 3, cy - 4, 5, 5, Rgb{190, 195, 210});
            for (int d = 0; d < 4; ++d) cv.FillRect({r.x + 4 + d * 4, int(cy) + 3 + d % 2 * 2, 1, 4}, Rgb{120, 170, 255});
            break;
        case 6:  // axe spray
            cv.FillRect({int(cx) - 1, r.y + 3, 2, 15}, Rgb{140, 90, 50});
            cv.FillPolygonShaded({{cx, r.y + 3.0}, {cx + 7, r.y + 2.0}, {cx + 8, r.y + 8.0}, {cx + 7, r.y + 11.0}, {cx, r.y + 8.0}}, Rgb{200, 205, 215});
            break;
        default: break;
    }
    cv.ResetClip();
}

void Panel(Canvas& cv, Rect r, const char* text, Rgb top, Rgb bottom) {
    cv.Gradient(r, top, bottom);
    cv.FrameRect(r, Rgb{230, 220, 170});
    cv.FrameRect(Inner(r, 1), Rgb{20, 15, 30});
    cv.FrameRect(Inner(r, 4), Rgb{200, 160, 60});
    for (int x = r.x + 10; x < r.x + r.w - 10; x += 20) {  // rivets
        cv.FillRect({x, r.y + 6, 2, 2}, Rgb{200, 200, 210});
        cv.FillRect({x, r.y + r.h - 8, 2, 2}, Rgb{200, 200, 210});
    }
    constexpr Canvas::Face kLarge = Canvas::Face::Large;
    Rect t = Inner(r, 12);
    int scale = std::min(t.w / Canvas::TextWidth(text, 1, kLarge), t.h / Canvas::TextHeight(1, kLarge));
    int tw = Canvas::TextWidth(text, scale, kLarge), x = t.x + (t.w - tw) / 2;
    int y = t.y + (t.h - Canvas::TextHeight(scale, kLarge)) / 2;
    cv.Text(x + 2, y + 2, text, scale, Rgb{20, 10, 20}, kLarge);
    cv.Text(x, y, text, scale, Rgb{255, 225, 100}, kLarge);
}

void PaintMisc(Canvas& cv) {
    // Energy bar, full: segments from red through yellow to green, lit from above.
    for (int x = 0; x < 100; ++x) {
        double t = x / 99.0;
        Rgb c = t < 0.5 ? Mix(Rgb{220, 40, 30}, Rgb{240, 210, 40}, t * 2) : Mix(Rgb{240, 210, 40}, Rgb{60, 210, 60}, (t - 0.5) * 2);
        if (x % 5 == 4) c = Shade(c, 0.6);
        cv.Gradient({x, 0, 1, 22}, Shade(c, 1.4), Shade(c, 0.7));
    }
    cv.FrameRect({0, 0, 100, 22}, Rgb{20, 30, 20});
    // Energy bar, empty: the same segments, dark.
    for (int x = 0; x < 100; ++x) cv.Gradient({364 + x, 30, 1, 22}, Rgb{55, 55, 70}, x % 5 == 4 ? Rgb{15, 15, 20} : Rgb{30, 30, 40});
    cv.FrameRect({364, 30, 100, 22}, Rgb{20, 20, 25});
    // Empty cell, life icon, five item icons.
    cv.Gradient({320, 0, 20, 20}, Rgb{35, 35, 50}, Rgb{20, 20, 30});
    cv.FrameRect({320, 0, 20, 20}, Rgb{70, 70, 90});
    for (int k = 1; k < 7; ++k) Icon(cv, {320 + 20 * k, 0, 20, 20}, k);
    // "Processor Alert" overload sign, four frames: a warning that blinks.
    for (int f = 1; f <= 4; ++f) {
        Rect r{213 + 26 * (f - 1), 0, 26, 18};
        bool on = f % 2 == 1;
        cv.FillRect(r, on ? Rgb{200, 30, 30} : Rgb{90, 20, 20});
        cv.FrameRect(r, on ? Rgb{255, 220, 60} : Rgb{150, 110, 30});
        cv.Text(r.x + 3, r.y + 2, "CPU", 2, on ? kWhite : Rgb{200, 150, 150});
        cv.FillRect({r.x + 3, r.y + 13, 20 * f / 4, 2}, Rgb{255, 220, 60});
    }
    Panel(cv, {0, 60, 233, 74}, "PAUSE", Rgb{30, 40, 100}, Rgb{10, 15, 40});
    Panel(cv, {239, 60, 233, 74}, "LOADING", Rgb{30, 70, 50}, Rgb{10, 30, 20});
    // Propeller strip: seven phases of 2 x 22, drawn keyed. A blade turns: its visible length
    // along the strip grows and shrinks, with a blurred grey hub. (205, 1) stays key: the key
    // sample of every sheet.
    for (int p = 0; p < 7; ++p) {
        double a = 2 * kPi * p / 7;
        int half = int(std::lround(10 * std::abs(std::cos(a)))) + 1;
        int mid = 11;
        for (int y = mid - half; y < mid + half; ++y) cv.FillRect({200 + 2 * p, y, 2, 1}, Mix(Rgb{60, 55, 50}, Rgb{140, 130, 110}, std::abs(y - mid) / 11.0));
        cv.FillRect({200 + 2 * p, mid - 1, 2, 2}, Rgb{190, 40, 40});  // the spinner
    }
    cv.Set(205, 1, kKey);
}

// ---------------------------------------------------------------------------------------------
// Screen frame, level backgrounds and pictures.

void PaintTile(Canvas& cv) {
    cv.FillRect({0, 0, 640, 480}, Rgb{40, 40, 60});
    for (int y = 0; y < 480; ++y)  // brushed-metal bands
        if (y % 6 == 0) cv.FillRect({0, y, 640, 1}, Rgb{55, 55, 80});
    cv.TextCentered({0, 12, 640, 50}, "GORBULANT", Rgb{255, 210, 60}, 8, Canvas::Face::Large);
    // The textured window: seamless both ways over the 579 x 318 backdrop piece at (19, 81).
    for (int y = 81; y < 399; ++y)
        for (int x = 19; x < 598; ++x) {
            int u = x - 19, v = y - 81;
            bool line = u % 193 == 0 || v % 53 == 0;
            bool dot = (u + v) % 3 == 0;
            cv.Set(x, y, line ? Rgb{70, 90, 140} : dot ? Rgb{28, 36, 66} : Rgb{20, 26, 50});
        }
    cv.FrameRect({13, 74, 614, 332}, Rgb{200, 200, 220});
    // HUD boxes and their labels.
    struct Box {
        Rect r;
        const char* label;
    };
    for (const auto& b : {Box{{13, 424, 120, 20}, "LIVES"}, Box{{232, 423, 100, 22}, "ENERGY"},
                          Box{{425, 424, 200, 20}, "SUPERWEAPONS"}}) {
        cv.FillRect(b.r, kBlack);
        cv.FrameRect({b.r.x - 1, b.r.y - 1, b.r.w + 2, b.r.h + 2}, Rgb{200, 200, 220});
        cv.Text(b.r.x, 412, b.label, 2, Rgb{220, 220, 240});
    }
}

// Menu frame pictures: dark, so the light-grey labels on them read well.
// An option frame's backing picture: a dark gradient with a thin border; the frame's own
// controls carry all the text.
void PaintMenuPanel(Canvas& cv) {
    for (int y = 0; y < cv.Height(); ++y)
        cv.FillRect({0, y, cv.Width(), 1}, Mix(Rgb{25, 25, 45}, Rgb{10, 10, 20}, double(y) / cv.Height()));
    cv.FrameRect({0, 0, cv.Width(), cv.Height()}, Rgb{90, 90, 130});
}

}  // namespace

std::vector<BitmapSpec> Bitmaps() {
    std::vector<BitmapSpec> v;
    // The enemy, object, boss and pickup sheets: width, height (the frame plans are in Sprites.cpp).
    static const int kVorpex[53][2] = {
        {67, 715},   {79, 1800},  {78, 1872},  {58, 880},   {137, 855},  {114, 684},  {75, 387},   {81, 988},
        {110, 660},  {213, 1122}, {119, 1443}, {155, 1924}, {73, 1704},  {136, 864},  {164, 1794}, {197, 2134},
        {116, 360},  {102, 1394}, {310, 330},  {353, 955},  {24, 627},   {105, 420},  {37, 110},   {33, 342},
        {77, 540},   {58, 780},   {81, 1580},  {94, 693},   {79, 594},   {124, 539},  {120, 440},  {103, 473},
        {36, 418},   {66, 832},   {430, 924},  {27, 329},   {12, 350},   {136, 960},  {190, 1794}, {145, 1781},
        {100, 1287}, {40, 416},   {40, 416},   {40, 416},   {40, 416},   {40, 416},   {40, 416},   {40, 416},
        {40, 416},   {40, 416},   {40, 416},   {40, 416},   {40, 416},
    };
    char name[16];
    for (int n = 1; n <= 53; ++n) {
        std::snprintf(name, sizeof name, "vorpex%02d", n);
        v.push_back({name, kVorpex[n - 1][0], kVorpex[n - 1][1], n == 35 ? 24 : 8, [n](Canvas& c) { PaintVorpex(n, c); }});
    }
    v.push_back({"player", 80, 1024, 24, PaintPlayer});
    v.push_back({"explode", 149, 657, 8, PaintExplode});
    v.push_back({"ice", 168, 1210, 8, PaintIce});
    v.push_back({"bullet", 317, 136, 24, PaintBullets});
    v.push_back({"tile", 640, 480, 8, PaintTile});
    v.push_back({"misc", 472, 134, 24, PaintMisc});
    for (int l = 1; l <= 11; ++l) {
        std::snprintf(name, sizeof name, "screen%02d", l);
        v.push_back({name, 300, 330, 24, [l](Canvas& c) { PaintLevelBackground(l, c); }});
    }
    // Picture sequences: the intro, its title, the outro and the end screen; then the menu's
    // title picture and the pictures of its eight option frames.
    for (const char* p : {"INTRO01", "INTRO02", "INTRO03", "EXTRO01", "EXTRO02", "EXTRO03", "end"})
        v.push_back({p, 640, 480, 8, [p](Canvas& c) { PaintPicture(p, c); }, true});
    v.push_back({"intro04", 640, 480, 24, [](Canvas& c) { PaintPicture("intro04", c); }});
    v.push_back({"picIntro", 640, 480, 24, [](Canvas& c) { PaintPicture("picIntro", c); }});
    const std::pair<const char*, std::pair<int, int>> panels[] = {
        {"frameColor", {113, 129}},     {"frameRes", {113, 129}},        {"frameControls", {113, 81}},
        {"frameGamePlay", {113, 81}},   {"FrameLevel", {113, 305}},      {"frameDifficulty", {113, 129}},
        {"framePerformance", {145, 217}}, {"framePreference", {113, 81}},
    };
    for (const auto& [n, size] : panels) v.push_back({n, size.first, size.second, 24, PaintMenuPanel});
    return v;
}

}  // namespace gen
