// Placeholder art: every sprite sheet and picture at its exact size and depth. Sprites are simple
// solid shapes (collisions test their pixels) with the key colour around them, an outline, and
// the frame number on a plate, so a screenshot tells which frame is shown.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "Content.h"

namespace gen {
namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------------
// Shapes in unit space: u from 0 (nose, front) to 1 (tail), v from 0 (top) to 1 (bottom).

struct Part {
    std::vector<Point> poly;
    Rgb color;
};
using Shape = std::vector<Part>;

std::vector<Point> Ellipse(double cu, double cv, double ru, double rv, int n = 24) {
    std::vector<Point> p;
    for (int i = 0; i < n; ++i) {
        double a = 2 * kPi * i / n;
        p.push_back({cu + ru * std::cos(a), cv + rv * std::sin(a)});
    }
    return p;
}

std::vector<Point> Box(double u0, double v0, double u1, double v1) {
    return {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
}

Rgb Luma(Rgb c) {
    int l = (c.r * 3 + c.g * 4 + c.b * 2) / 9;
    return l > 140 ? kBlack : kWhite;
}

Shape PlaneShape(Rgb c) {
    Rgb dark = Shade(c, 0.7), glass{120, 200, 255};
    return {
        {{{0.80, 0.5}, {0.92, 0.06}, {0.995, 0.06}, {0.995, 0.5}}, dark},  // fin
        {Ellipse(0.5, 0.5, 0.49, 0.17), c},                                  // fuselage
        {{{0.34, 0.52}, {0.56, 0.52}, {0.50, 0.95}, {0.41, 0.95}}, dark},    // wing
        {Ellipse(0.88, 0.55, 0.09, 0.07), dark},                             // tailplane
        {Ellipse(0.36, 0.36, 0.08, 0.09), glass},                            // cockpit
        {Ellipse(0.04, 0.5, 0.04, 0.10), Shade(c, 0.5)},                     // nose
    };
}

Shape BlimpShape(Rgb c) {
    Rgb dark = Shade(c, 0.65);
    return {
        {{{0.78, 0.40}, {0.98, 0.05}, {0.995, 0.05}, {0.995, 0.75}, {0.98, 0.75}, {0.78, 0.45}}, dark},
        {Ellipse(0.47, 0.42, 0.46, 0.33), c},
        {Box(0.33, 0.72, 0.62, 0.95), dark},  // gondola
        {Box(0.10, 0.36, 0.82, 0.46), Shade(c, 1.25)},
    };
}

Shape SaucerShape(Rgb c) {
    return {
        {Ellipse(0.5, 0.38, 0.22, 0.30), Rgb{140, 220, 255}},  // dome
        {Ellipse(0.5, 0.62, 0.49, 0.22), c},
        {Box(0.06, 0.60, 0.94, 0.68), Shade(c, 0.6)},
        {Ellipse(0.5, 0.86, 0.20, 0.12), Shade(c, 0.7)},
    };
}

Shape HullShape(Rgb c) {
    Rgb dark = Shade(c, 0.6);
    return {
        {Box(0.36, 0.12, 0.62, 0.50), dark},  // tower
        {Box(0.14, 0.30, 0.30, 0.50), Shade(c, 0.8)},
        {Box(0.70, 0.30, 0.86, 0.50), Shade(c, 0.8)},
        {{{0.0, 0.48}, {1.0, 0.48}, {0.93, 0.96}, {0.07, 0.96}}, c},  // hull
        {Box(0.05, 0.62, 0.95, 0.70), Shade(c, 1.3)},
    };
}

Shape TowerShape(Rgb c) {
    return {
        {{{0.5, 0.0}, {0.95, 0.22}, {0.05, 0.22}}, Shade(c, 0.6)},
        {Box(0.15, 0.20, 0.85, 1.0), c},
        {Box(0.35, 0.35, 0.65, 0.55), Rgb{255, 230, 90}},
    };
}

Shape VehicleShape(Rgb c) {
    return {
        {Box(0.02, 0.38, 0.40, 0.50), Shade(c, 0.5)},  // barrel (front)
        {Ellipse(0.55, 0.38, 0.20, 0.30), Shade(c, 0.8)},
        {Box(0.04, 0.50, 0.96, 0.82), c},
        {Box(0.0, 0.80, 1.0, 1.0), Shade(c, 0.45)},  // tracks
    };
}

Shape CrateShape(Rgb c) {
    Rgb dark = Shade(c, 0.55);
    return {
        {Box(0.02, 0.02, 0.98, 0.98), c},
        {{{0.02, 0.02}, {0.14, 0.02}, {0.98, 0.86}, {0.98, 0.98}, {0.86, 0.98}, {0.02, 0.14}}, dark},
        {Box(0.02, 0.45, 0.98, 0.55), dark},
    };
}

Shape BallShape(Rgb c) {
    std::vector<Point> star;
    for (int i = 0; i < 16; ++i) {
        double a = 2 * kPi * i / 16, r = i % 2 ? 0.30 : 0.49;
        star.push_back({0.5 + r * std::cos(a), 0.5 + r * std::sin(a)});
    }
    return {{star, Shade(c, 0.6)}, {Ellipse(0.5, 0.5, 0.33, 0.33), c}};
}

Shape FigureShape(Rgb c) {
    Rgb skin{240, 200, 160};
    return {
        {Box(0.28, 0.68, 0.46, 1.0), Shade(c, 0.6)},  // legs
        {Box(0.54, 0.68, 0.72, 1.0), Shade(c, 0.6)},
        {Box(0.05, 0.30, 0.95, 0.42), c},  // arms
        {Box(0.25, 0.26, 0.75, 0.72), c},  // body
        {Ellipse(0.5, 0.14, 0.26, 0.14), skin},
    };
}

Shape PickupShape(Rgb c) {
    return {{{{0.1, 0.0}, {0.9, 0.0}, {1.0, 0.2}, {1.0, 0.8}, {0.9, 1.0}, {0.1, 1.0}, {0.0, 0.8}, {0.0, 0.2}}, c}};
}

// Maps a unit-space shape into the rectangle, mirrored for right-facing sprites, turned by
// `degrees` about the centre (shrunk a little then so the turned shape stays in the frame).
void DrawShape(Canvas& cv, const Shape& s, Rect r, bool faceRight, double degrees = 0) {
    double a = degrees * kPi / 180, ca = std::cos(a), sa = std::sin(a);
    double shrink = degrees == 0 ? 1.0 : 0.82;
    double cx = r.x + r.w / 2.0, cy = r.y + r.h / 2.0;
    for (const auto& part : s) {
        std::vector<Point> pts;
        for (auto p : part.poly) {
            double u = faceRight ? 1 - p.x : p.x;
            double x = (u - 0.5) * r.w * shrink, y = (p.y - 0.5) * r.h * shrink;
            pts.push_back({cx + x * ca - y * sa, cy + x * sa + y * ca});
        }
        cv.FillPolygon(pts, part.color);
    }
}

// The frame number on a dark plate in the middle of the sprite.
void FrameNumber(Canvas& cv, Rect r, int frame, Rgb body) {
    std::string s = std::to_string(frame);
    int scale = std::max(1, std::min((r.w * 2 / 5) / Canvas::TextWidth(s, 1), (r.h * 2 / 5) / 5));
    int tw = Canvas::TextWidth(s, scale), th = 5 * scale;
    int x = r.x + (r.w - tw) / 2, y = r.y + (r.h - th) / 2;
    Rgb plate = Shade(body, 0.3);
    cv.FillRect({x - 1, y - 1, tw + 2, th + 2}, plate);
    cv.Text(x, y, s, scale, Luma(plate));
}

Rect Inner(Rect f, int ring = 1) { return {f.x + ring, f.y + ring, f.w - 2 * ring, f.h - 2 * ring}; }

// A sheet of one column: every frame gets the shape, an outline, and its number. The outermost
// ring of each frame stays key-coloured.
void PaintColumn(Canvas& cv, int frameH, Rgb color, Shape (*shape)(Rgb), bool faceRight,
                 const std::vector<double>& angles = {}) {
    int frames = cv.Height() / frameH;
    for (int f = 1; f <= frames; ++f) {
        Rect fr{0, (f - 1) * frameH, cv.Width(), frameH};
        Rect in = Inner(fr);
        cv.SetClip(in);
        Rgb c = Shade(color, 0.85 + 0.1 * (f % 4));
        double angle = angles.empty() ? 0 : angles[size_t(f - 1) % angles.size()];
        DrawShape(cv, shape(c), in, faceRight, angle);
        cv.OutlineOpaque(in, Shade(c, 0.35));
        FrameNumber(cv, in, f, c);
        cv.ResetClip();
    }
}

std::function<void(Canvas&)> Sheet(int frameH, Rgb color, Shape (*shape)(Rgb)) {
    return [=](Canvas& cv) { PaintColumn(cv, frameH, color, shape, false); };
}

// Pickups: the same 16-frame column with the item's letter; the pilot pickup is a figure.
std::function<void(Canvas&)> PickupSheet(const char* letter, Rgb color) {
    return [=](Canvas& cv) {
        for (int f = 1; f <= cv.Height() / 26; ++f) {
            Rect in = Inner({0, (f - 1) * 26, cv.Width(), 26});
            cv.SetClip(in);
            Rgb c = Shade(color, 0.8 + 0.05 * (f % 5));
            DrawShape(cv, PickupShape(c), in, false);
            cv.OutlineOpaque(in, Shade(c, 0.35));
            cv.Text(in.x + 3, in.y + 2, letter, 4, Luma(c));
            std::string n = std::to_string(f);
            cv.Text(in.x + in.w - Canvas::TextWidth(n, 1) - 3, in.y + in.h - 8, n, 1, Luma(c));
            cv.ResetClip();
        }
    };
}

// ---------------------------------------------------------------------------------------------
// Effects and bullets: several columns per sheet.

struct Column {
    int x, y, w, h, frames;
    Rgb color;
    bool round;
};

void PaintBurst(Canvas& cv, const Column& col, bool numbered) {
    for (int f = 1; f <= col.frames; ++f) {
        Rect fr{col.x, col.y + (f - 1) * col.h, col.w, col.h};
        Rect in = Inner(fr);
        cv.SetClip(in);
        double t = double(f) / col.frames;                         // 0..1 over the effect
        double grow = 0.35 + 0.65 * std::sin(std::min(1.0, t * 1.6) * kPi / 2);
        Rgb c = Mix(col.color, Rgb{90, 80, 80}, t * 0.8);
        double cx = in.x + in.w / 2.0, cy = in.y + in.h / 2.0;
        if (col.round) {
            cv.FillEllipse(cx, cy, in.w / 2.0 * grow, in.h / 2.0 * grow, Shade(c, 0.7));
            cv.FillEllipse(cx, cy, in.w / 3.0 * grow, in.h / 3.0 * grow, c);
            cv.FillEllipse(cx, cy, in.w / 6.0 * grow, in.h / 6.0 * grow, Shade(c, 1.5));
        } else {  // shards
            std::vector<Point> p{{cx, in.y + in.h * (0.5 - 0.5 * grow)},
                                 {cx + in.w * 0.4 * grow, cy},
                                 {cx, in.y + in.h * (0.5 + 0.5 * grow)},
                                 {cx - in.w * 0.4 * grow, cy}};
            cv.FillPolygon(p, c);
        }
        if (numbered && in.w >= 20 && in.h >= 20) FrameNumber(cv, in, f, c);
        cv.ResetClip();
    }
}

void PaintExplode(Canvas& cv) {
    PaintBurst(cv, {0, 0, 25, 25, 7, {200, 200, 200}, true}, true);      // smoke puff
    PaintBurst(cv, {25, 0, 9, 10, 4, {255, 255, 150}, true}, false);     // muzzle flash
    PaintBurst(cv, {34, 0, 79, 73, 9, {255, 200, 40}, true}, true);      // explosion
    PaintBurst(cv, {114, 0, 35, 27, 10, {255, 120, 200}, true}, true);   // jumper explosion
}

void PaintIce(Canvas& cv) {
    PaintBurst(cv, {0, 0, 133, 121, 10, {170, 230, 255}, true}, true);   // ice burst
    PaintBurst(cv, {133, 0, 26, 28, 8, {200, 245, 255}, false}, true);   // shard
    PaintBurst(cv, {159, 0, 9, 9, 11, {255, 255, 255}, false}, false);   // sparkle
}

void PaintBullets(Canvas& cv) {
    // Larger regions first where cuts share an origin (6 holds 1, 23 holds 21 and 11).
    const Column cols[] = {
        {245, 53, 10, 7, 1, {255, 255, 120}, false},   // 6, 22 (and 1, 4: top 3 rows)
        {272, 53, 20, 6, 4, {255, 160, 60}, true},     // 2, 3 missiles
        {32, 0, 38, 32, 4, {255, 110, 0}, true},       // 5 fireball
        {90, 0, 45, 24, 4, {160, 230, 255}, true},     // 7 ice bomb
        {96, 96, 39, 5, 3, {255, 255, 255}, false},    // 8 dive shot
        {100, 114, 26, 3, 1, {120, 255, 120}, false},  // 9, 10 laser
        {255, 53, 10, 11, 1, {255, 90, 90}, false},    // 23 (21 = top 7 rows, 11 = top 3)
        {265, 53, 7, 7, 3, {255, 60, 200}, true},      // 12 aimed ball
        {70, 0, 20, 6, 4, {200, 200, 60}, true},       // 13 shell
        {135, 0, 32, 10, 6, {255, 80, 40}, true},      // 14
        {100, 111, 35, 3, 1, {255, 40, 40}, false},    // 15 laser
        {217, 0, 25, 24, 2, {60, 60, 60}, true},       // 16 bomb, four columns
        {242, 0, 25, 24, 2, {70, 70, 70}, true},
        {267, 0, 25, 24, 2, {80, 80, 80}, true},
        {292, 0, 25, 24, 2, {90, 90, 90}, true},
        {71, 65, 15, 15, 4, {255, 150, 150}, true},    // 17
        {303, 46, 11, 11, 8, {60, 140, 255}, true},    // 18 water
        {70, 24, 19, 10, 4, {230, 120, 255}, true},    // 19
        {292, 48, 11, 11, 8, {120, 230, 60}, true},    // 20 snot
        {245, 64, 14, 14, 4, {255, 200, 0}, true},     // 24
        {135, 89, 110, 5, 8, {255, 230, 80}, false},  // 25 growing beam (full width)
        {279, 77, 13, 14, 4, {255, 100, 0}, true},     // 26 burst
        {0, 0, 15, 17, 8, {200, 255, 255}, true},      // 27
        {167, 0, 50, 41, 1, {100, 150, 255}, false},   // 36 rain
        {167, 41, 51, 45, 1, {80, 130, 255}, false},   // 37 rain
        {15, 0, 17, 17, 8, {190, 190, 210}, true},     // 38 axe
    };
    for (const auto& c : cols) {
        for (int f = 1; f <= c.frames; ++f) {
            Rect r{c.x, c.y + (f - 1) * c.h, c.w, c.h};
            cv.SetClip(r);
            Rgb col = Shade(c.color, 0.8 + 0.07 * f);
            if (c.round && r.w >= 5 && r.h >= 5) {
                cv.FillEllipse(r.x + r.w / 2.0, r.y + r.h / 2.0, r.w / 2.0, r.h / 2.0, col);
                cv.FillEllipse(r.x + r.w / 2.0, r.y + r.h / 2.0, r.w / 4.0, r.h / 4.0, Shade(col, 1.5));
            } else {
                cv.FillRect(r, col);
            }
            cv.ResetClip();
        }
    }
    // Pixels that two unrelated cuts would share stay transparent in both.
    cv.FillRect({303, 46, 11, 2}, kKey);
    cv.FillRect({217, 41, 1, 7}, kKey);
}

// ---------------------------------------------------------------------------------------------
// The "misc" sheet: HUD pieces, signs, propeller strip and the colour-key sample at (205, 1).

void PaintMisc(Canvas& cv) {
    for (int x = 0; x < 100; ++x)  // energy bar, full: red to green
        cv.FillRect({x, 0, 1, 22}, Mix(Rgb{220, 30, 30}, Rgb{40, 220, 40}, x / 99.0));
    cv.FrameRect({0, 0, 100, 22}, Rgb{20, 60, 20});
    cv.FillRect({364, 30, 100, 22}, Rgb{40, 40, 50});
    cv.FrameRect({364, 30, 100, 22}, Rgb{20, 20, 25});
    // Empty cell, life icon, five item icons.
    const char* icons[] = {"", "", "F", "I", "O", "R", "A"};
    for (int k = 0; k < 7; ++k) {
        Rect r{320 + 20 * k, 0, 20, 20};
        cv.FillRect(r, k == 0 ? Rgb{30, 30, 40} : Rgb{50, 50, 90});
        cv.FrameRect(r, Rgb{110, 110, 130});
        if (k == 1) {
            cv.SetClip(Inner(r, 2));
            DrawShape(cv, PlaneShape(Rgb{60, 200, 255}), Inner(r, 2), true);
            cv.ResetClip();
        } else if (k >= 2) {
            cv.Text(r.x + 4, r.y + 3, icons[k], 3, Rgb{255, 230, 90});
        }
    }
    // "Processor Alert" overload sign, four frames.
    for (int f = 1; f <= 4; ++f) {
        Rect r{213 + 26 * (f - 1), 0, 26, 18};
        cv.FillRect(r, f % 2 ? Rgb{200, 30, 30} : Rgb{230, 150, 0});
        cv.FrameRect(r, Rgb{40, 40, 40});
        cv.Text(r.x + 3, r.y + 2, "CPU", 2, kWhite);
        cv.Text(r.x + 11, r.y + 12, std::to_string(f), 1, kWhite);
    }
    // Pause sign and LOADING banner.
    for (auto [x, text] : {std::pair{0, "PAUSE"}, std::pair{239, "LOADING"}}) {
        Rect r{x, 60, 233, 74};
        cv.FillRect(r, Rgb{20, 30, 80});
        cv.FrameRect(r, Rgb{200, 200, 255});
        cv.FrameRect(Inner(r, 3), Rgb{120, 120, 200});
        cv.TextCentered(Inner(r, 10), text, Rgb{255, 230, 90}, 8);
    }
    // Propeller strip: seven phases of 2 x 22, drawn keyed; a blade is a short dark run that
    // moves along the strip. (205, 1) stays key: the key sample of every sheet.
    for (int p = 0; p < 7; ++p) {
        int start = 2 + p * 3;
        for (int y = start; y < start + 6 && y < 22; ++y) cv.FillRect({200 + 2 * p, y, 2, 1}, Rgb{70, 70, 70});
        cv.FillRect({200 + 2 * p, (start + 11) % 20 + 2, 2, 2}, Rgb{110, 110, 110});
    }
    cv.Set(205, 1, kKey);
}

// ---------------------------------------------------------------------------------------------
// Screen frame, level backgrounds and pictures.

void PaintTile(Canvas& cv) {
    cv.FillRect({0, 0, 640, 480}, Rgb{40, 40, 60});
    for (int y = 0; y < 480; ++y)  // brushed-metal bands
        if (y % 6 == 0) cv.FillRect({0, y, 640, 1}, Rgb{55, 55, 80});
    cv.TextCentered({0, 12, 640, 50}, "GORBULANT", Rgb{255, 210, 60}, 8);
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

std::function<void(Canvas&)> LevelBackground(int level) {
    return [level](Canvas& cv) {
        Rgb sky = Mix(Rgb{60, 110, 200}, Rgb{200, 90, 40}, (level - 1) / 10.0);
        Rgb hill = Mix(Rgb{40, 120, 50}, Rgb{110, 70, 50}, (level - 1) / 10.0);
        // Rear strip, x 0-149: opaque sky and hills that repeat every 150 pixels.
        for (int y = 0; y < 330; ++y) cv.FillRect({0, y, 150, 1}, Mix(sky, kWhite, y / 500.0));
        for (int x = 0; x < 150; ++x) {
            double t = 2 * kPi * x / 150;
            int top = int(230 + 20 * std::sin(t) + 10 * std::sin(3 * t + level));
            cv.FillRect({x, top, 1, 330 - top}, Shade(hill, 0.8));
        }
        char digits[8];
        std::snprintf(digits, sizeof digits, "%02d", level);
        cv.TextCentered({45, 30, 60, 40}, digits, Shade(sky, 0.6), 8);
        // Front strip, x 150-299: ground in front, key above it.
        for (int x = 0; x < 150; ++x) {
            double t = 2 * kPi * x / 150;
            int top = int(295 + 12 * std::sin(2 * t + level) + 5 * std::sin(5 * t));
            cv.FillRect({150 + x, top, 1, 330 - top}, hill);
            if (x % 50 == 10) cv.FillRect({150 + x, top - 14, 4, 14}, Shade(hill, 0.5));  // posts
        }
    };
}

std::function<void(Canvas&)> Picture(const char* caption, Rgb top, Rgb bottom) {
    return [=](Canvas& cv) {
        for (int y = 0; y < cv.Height(); ++y)
            cv.FillRect({0, y, cv.Width(), 1}, Mix(top, bottom, double(y) / cv.Height()));
        cv.FrameRect({0, 0, cv.Width(), cv.Height()}, Shade(bottom, 1.6));
        cv.TextCentered({cv.Width() / 10, cv.Height() / 3, cv.Width() * 8 / 10, cv.Height() / 3}, caption,
                        Shade(top, 2.0), 16);
    };
}

void PaintTitle(Canvas& cv, const char* subtitle) {
    Picture("GORBULANT", Rgb{10, 10, 40}, Rgb{60, 20, 80})(cv);
    DrawShape(cv, PlaneShape(Rgb{60, 200, 255}), {220, 330, 200, 90}, true);
    cv.TextCentered({0, 430, 640, 30}, subtitle, Rgb{200, 200, 200}, 4);
}

// Menu frame pictures: dark, so the light-grey labels on them read well.
std::function<void(Canvas&)> MenuPanel(const char* caption) {
    return [=](Canvas& cv) {
        for (int y = 0; y < cv.Height(); ++y)
            cv.FillRect({0, y, cv.Width(), 1}, Mix(Rgb{25, 25, 45}, Rgb{10, 10, 20}, double(y) / cv.Height()));
        cv.FrameRect({0, 0, cv.Width(), cv.Height()}, Rgb{90, 90, 130});
        cv.Text(4, cv.Height() - 8, caption, 1, Rgb{60, 60, 90});
    };
}

}  // namespace

std::vector<BitmapSpec> Bitmaps() {
    std::vector<BitmapSpec> v;
    // The enemy, object, boss and pickup sheets: width, height, frame height, colour, shape.
    struct Vorpex {
        int w, h, frameH;
        Rgb color;
        Shape (*shape)(Rgb);
    };
    const Vorpex vorpex[41] = {
        {67, 715, 55, {200, 60, 60}, PlaneShape},      // 01
        {79, 1800, 75, {60, 160, 60}, PlaneShape},     // 02
        {78, 1872, 78, {60, 90, 200}, PlaneShape},     // 03
        {58, 880, 55, {200, 160, 40}, PlaneShape},     // 04
        {137, 855, 95, {150, 40, 150}, PlaneShape},    // 05
        {114, 684, 76, {40, 150, 150}, PlaneShape},    // 06
        {75, 387, 43, {180, 100, 60}, PlaneShape},     // 07
        {81, 988, 76, {120, 120, 40}, PlaneShape},     // 08
        {110, 660, 60, {210, 140, 160}, BlimpShape},   // 09
        {213, 1122, 102, {170, 90, 120}, BlimpShape},  // 10
        {119, 1443, 111, {90, 60, 160}, PlaneShape},   // 11
        {155, 1924, 74, {100, 160, 200}, SaucerShape}, // 12
        {73, 1704, 71, {160, 200, 60}, PlaneShape},    // 13
        {136, 864, 96, {100, 100, 100}, PlaneShape},   // 14
        {164, 1794, 138, {200, 80, 20}, PlaneShape},   // 15
        {197, 2134, 194, {220, 200, 120}, PlaneShape}, // 16
        {116, 360, 40, {80, 80, 140}, PlaneShape},     // 17
        {102, 1394, 82, {140, 60, 60}, PlaneShape},    // 18
        {310, 330, 66, {90, 100, 120}, HullShape},     // 19
        {353, 955, 191, {110, 90, 100}, HullShape},    // 20
        {24, 627, 57, {150, 150, 170}, TowerShape},    // 21
        {105, 420, 30, {90, 120, 60}, VehicleShape},   // 22
        {37, 110, 11, {120, 110, 60}, VehicleShape},   // 23
        {33, 342, 38, {170, 120, 60}, CrateShape},     // 24
        {77, 540, 60, {150, 100, 50}, CrateShape},     // 25
        {58, 780, 60, {130, 130, 150}, TowerShape},    // 26
        {81, 1580, 79, {200, 40, 100}, PlaneShape},    // 27
        {94, 693, 63, {60, 120, 180}, PlaneShape},     // 28
        {79, 594, 66, {180, 180, 60}, PlaneShape},     // 29
        {124, 539, 77, {190, 120, 140}, BlimpShape},   // 30
        {120, 440, 40, {140, 160, 120}, PlaneShape},   // 31
        {103, 473, 43, {60, 180, 140}, PlaneShape},    // 32
        {36, 418, 38, {100, 100, 110}, BallShape},     // 33
        {66, 832, 64, {200, 100, 220}, SaucerShape},   // 34
        {430, 924, 84, {100, 110, 130}, HullShape},    // 35
        {27, 329, 47, {220, 120, 40}, FigureShape},    // 36
        {12, 350, 35, {120, 220, 255}, TowerShape},    // 37
        {136, 960, 96, {160, 30, 30}, PlaneShape},     // 38
        {190, 1794, 138, {120, 40, 200}, SaucerShape}, // 39
        {145, 1781, 137, {40, 120, 200}, SaucerShape}, // 40
        {100, 1287, 99, {200, 160, 40}, SaucerShape},  // 41
    };
    char name[16];
    for (int n = 1; n <= 41; ++n) {
        const Vorpex& s = vorpex[n - 1];
        std::snprintf(name, sizeof name, "vorpex%02d", n);
        v.push_back({name, s.w, s.h, n == 35 ? 24 : 8, Sheet(s.frameH, s.color, s.shape)});
    }
    // Pickups 42-53; sheet 45 is the pilot, also the ejected pilot.
    const std::pair<const char*, Rgb> pickups[12] = {
        {"A", {150, 150, 170}}, {"R", {60, 120, 230}}, {"F", {230, 90, 20}}, {"", {0, 0, 0}},
        {"S", {40, 200, 200}}, {"W", {200, 60, 60}}, {"E", {60, 200, 60}}, {"L", {200, 60, 200}},
        {"M", {230, 200, 40}}, {"O", {230, 130, 180}}, {"+", {255, 255, 255}}, {"I", {170, 230, 255}},
    };
    for (int n = 42; n <= 53; ++n) {
        std::snprintf(name, sizeof name, "vorpex%02d", n);
        auto [letter, color] = pickups[n - 42];
        v.push_back({name, 40, 416, 8, n == 45 ? Sheet(26, Rgb{240, 140, 40}, FigureShape) : PickupSheet(letter, color)});
    }
    // The player: 16 frames facing right; 1-5 climb to dive, the rest a roll for falling and diving.
    v.push_back({"player", 80, 1024, 24, [](Canvas& cv) {
                     PaintColumn(cv, 64, Rgb{60, 200, 255}, PlaneShape, true,
                                 {-20, -10, 0, 10, 20, 30, 45, 60, -20, -10, 0, 10, 20, 30, 45, 60});
                 }});
    v.push_back({"explode", 149, 657, 8, PaintExplode});
    v.push_back({"ice", 168, 1210, 8, PaintIce});
    v.push_back({"bullet", 317, 136, 24, PaintBullets});
    v.push_back({"tile", 640, 480, 8, PaintTile});
    v.push_back({"misc", 472, 134, 24, PaintMisc});
    for (int l = 1; l <= 11; ++l) {
        std::snprintf(name, sizeof name, "screen%02d", l);
        v.push_back({name, 300, 330, 24, LevelBackground(l)});
    }
    // Picture sequences.
    v.push_back({"INTRO01", 640, 480, 8, Picture("INTRO 1", {20, 40, 90}, {5, 10, 30})});
    v.push_back({"INTRO02", 640, 480, 8, Picture("INTRO 2", {40, 90, 20}, {10, 30, 5})});
    v.push_back({"INTRO03", 640, 480, 8, Picture("INTRO 3", {90, 40, 20}, {30, 10, 5})});
    v.push_back({"intro04", 640, 480, 24, [](Canvas& cv) { PaintTitle(cv, "PRESS SPACE"); }});
    v.push_back({"EXTRO01", 640, 480, 8, Picture("OUTRO 1", {70, 20, 90}, {20, 5, 30})});
    v.push_back({"EXTRO02", 640, 480, 8, Picture("OUTRO 2", {20, 80, 90}, {5, 25, 30})});
    v.push_back({"EXTRO03", 640, 480, 8, Picture("OUTRO 3", {90, 80, 20}, {30, 25, 5})});
    v.push_back({"end", 640, 480, 8, Picture("THE END", {100, 60, 0}, {20, 10, 0})});
    // The menu's title picture and the pictures of its eight option frames.
    v.push_back({"picIntro", 640, 480, 24, [](Canvas& cv) { PaintTitle(cv, "ZORBELS AHEAD"); }});
    const std::pair<const char*, std::pair<int, int>> panels[] = {
        {"frameColor", {113, 129}},     {"frameRes", {113, 129}},        {"frameControls", {113, 81}},
        {"frameGamePlay", {113, 81}},   {"FrameLevel", {113, 305}},      {"frameDifficulty", {113, 129}},
        {"framePerformance", {145, 217}}, {"framePreference", {113, 81}},
    };
    for (const auto& [n, size] : panels) v.push_back({n, size.first, size.second, 24, MenuPanel(n)});
    return v;
}

}  // namespace gen
