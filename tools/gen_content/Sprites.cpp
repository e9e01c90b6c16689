// The sprite sheets: every enemy, object, boss and pickup, and the player's plane. Each sheet is
// one column of frames; each frame is a figure (polygons in pixels) in a pose that matches what
// the animation tables expect of that frame: cruise, climb, dive, bank, falling with smoke,
// rolls, loops, open hatches, wrecks. Enemies face left with their noses under the propeller
// strip the game draws over them; the player faces right.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "Content.h"
#include "data/PlayerGuns.h"

namespace gen {
namespace {

constexpr Rgb kGlass{150, 215, 250};

double Rad(double deg) { return deg * kPi / 180; }

std::vector<Point> Ell(double cx, double cy, double rx, double ry, int n = 28) {
    std::vector<Point> p;
    for (int i = 0; i < n; ++i) {
        double a = 2 * kPi * i / n;
        p.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return p;
}

std::vector<Point> Quad(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// A thick line as a polygon.
std::vector<Point> Bar(Point a, Point b, double width) {
    double dx = b.x - a.x, dy = b.y - a.y, l = std::max(1e-6, std::hypot(dx, dy));
    double nx = -dy / l * width / 2, ny = dx / l * width / 2;
    return {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
}

// ---------------------------------------------------------------------------------------------
// Poses and figures.

struct Pose {
    double pitch = 0;     // degrees, positive: nose up
    double roll = 0;      // degrees about the long axis
    bool centre = false;  // turned about the frame's centre (manoeuvres), not the nose
    double smoke = 0;     // 0..1: damage, smoke and fire
    int phase = 0;        // step of a cycle: exhaust, wheels, legs, lights
    double open = 0;      // hatches, bomb bay
    double glow = 0;      // charging weapon
    bool flash = false;   // lit up white
    double wreck = 0;     // broken, sinking
    double dx = 0, dy = 0;
    int kind = 0;         // model-specific variant (firing, kneeling, squashed, turning...)
};

struct Part {
    std::vector<Point> poly;
    Rgb color;
    bool shaded = true;
};

struct Figure {
    std::vector<Part> parts;
    Point pivot{0, 0};
    std::vector<Point> smokeAt;  // where damage smoke pours out
    bool fit = true;             // shrink to stay inside the frame
};

void Add(Figure& f, std::vector<Point> poly, Rgb c, bool shaded = true) { f.parts.push_back({std::move(poly), c, shaded}); }

void Smoke(Canvas& cv, Point at, double amount, int seed, bool rightward) {
    int puffs = 2 + int(amount * 4);
    double dir = rightward ? -1 : 1;  // smoke trails behind the plane
    for (int i = puffs - 1; i >= 0; --i) {
        double r = 2 + i * (1 + amount);
        double x = at.x + dir * (i * (4 + amount * 3) + HashUnit(seed, i) * 3);
        double y = at.y - i * (3 + amount * 2) - HashUnit(i, seed) * 3;
        Rgb c = Mix(Rgb{60, 58, 60}, Rgb{170, 165, 160}, double(i) / puffs);
        cv.FillEllipse(x, y, r, r * 0.85, c);
    }
}

// Draws the figure in the frame: turned by the pose's pitch about its pivot (or the frame's
// centre), shifted, shrunk to fit, outlined, with smoke and flash.
void Render(Canvas& cv, Rect frame, Figure fig, const Pose& p, int seed) {
    Rect in = Inner(frame);
    Point pivot = p.centre ? Point{in.x + in.w / 2.0, in.y + in.h / 2.0} : fig.pivot;
    double a = Rad(p.pitch), ca = std::cos(a), sa = std::sin(a);
    auto tf = [&](Point q) {
        double dx = q.x - fig.pivot.x, dy = q.y - fig.pivot.y;
        return Point{pivot.x + dx * ca - dy * sa + p.dx, pivot.y + dx * sa + dy * ca + p.dy};
    };
    for (auto& part : fig.parts)
        for (auto& q : part.poly) q = tf(q);
    for (auto& q : fig.smokeAt) q = tf(q);
    // Shrink about the pivot until everything lies inside the frame's inner area.
    double s = 1;
    if (fig.fit) {
        double x0 = in.x + 0.5, y0 = in.y + 0.5, x1 = in.x + in.w - 0.5, y1 = in.y + in.h - 0.5;
        Point c{std::clamp(pivot.x + p.dx, x0, x1), std::clamp(pivot.y + p.dy, y0, y1)};
        for (auto& part : fig.parts)
            for (auto& q : part.poly) {
                // Bounds right at the pivot cannot be met by shrinking: clipping trims those.
                double dx = q.x - c.x, dy = q.y - c.y;
                if (dx < 0 && c.x - x0 > 3) s = std::min(s, (x0 - c.x) / dx);
                if (dx > 0 && x1 - c.x > 3) s = std::min(s, (x1 - c.x) / dx);
                if (dy < 0 && c.y - y0 > 3) s = std::min(s, (y0 - c.y) / dy);
                if (dy > 0 && y1 - c.y > 3) s = std::min(s, (y1 - c.y) / dy);
            }
        s = std::max(0.2, s);
        auto sc = [&](Point& q) { q = {c.x + (q.x - c.x) * s, c.y + (q.y - c.y) * s}; };
        for (auto& part : fig.parts)
            for (auto& q : part.poly) sc(q);
        for (auto& q : fig.smokeAt) sc(q);
    }
    cv.SetClip(in);
    if (p.smoke > 0)
        for (size_t i = 0; i < fig.smokeAt.size(); ++i) Smoke(cv, fig.smokeAt[i], p.smoke, seed + int(i) * 7, false);
    for (const auto& part : fig.parts) {
        if (part.shaded)
            cv.FillPolygonShaded(part.poly, part.color);
        else
            cv.FillPolygon(part.poly, part.color);
    }
    if (p.smoke > 0.3)  // flames licking out of the engine, in front of the body
        for (const auto& at : fig.smokeAt) {
            cv.FillEllipse(at.x, at.y, 2 + p.smoke * 3, 1.5 + p.smoke * 2, Rgb{255, 150, 30});
            cv.FillEllipse(at.x, at.y, 1 + p.smoke * 1.5, 1 + p.smoke, Rgb{255, 235, 120});
        }
    if (p.flash)
        for (int y = in.y; y < in.y + in.h; ++y)
            for (int x = in.x; x < in.x + in.w; ++x)
                if (!(cv.Get(x, y) == kKey)) cv.Set(x, y, Mix(cv.Get(x, y), Rgb{255, 255, 230}, 0.7));
    cv.OutlineOpaque(in, kInk);
    // The middle of every frame is solid, so shots can hit the sprite there.
    int mx = frame.x + frame.w / 2, my = frame.y + frame.h / 2;
    if (cv.Get(mx, my) == kKey) cv.FillEllipse(mx + 0.5, my + 0.5, 2, 2, kInk);
    cv.ResetClip();
}

// ---------------------------------------------------------------------------------------------
// Frame plans: poses for the frame roles the animation tables use.

using Plan = std::vector<Pose>;

Plan& operator+=(Plan& a, const Plan& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// n poses, the i-th set up by set(pose, i).
Plan Steps(int n, std::function<void(Pose&, int)> set) {
    Plan v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) set(v[static_cast<size_t>(i)], i);
    return v;
}
Plan Cruise(int n) {
    return Steps(n, [n](Pose& p, int i) {
        p.phase = i;
        p.dy = (n > 1 && i % 2) ? (i % 4 == 1 ? -1 : 1) : 0;
    });
}
Plan Pitched(std::initializer_list<double> degrees) {
    Plan v;
    int i = 0;
    for (double d : degrees) {
        Pose p;
        p.pitch = d;
        p.phase = i++;
        v.push_back(p);
    }
    return v;
}
Plan Bank(double pitch, double roll) {
    Pose p;
    p.pitch = pitch;
    p.roll = roll;
    return {p};
}
Plan Falling(int n) {
    return Steps(n, [n](Pose& p, int i) {
        p.pitch = -22 - 12 * i;
        p.roll = 12 * i;
        p.smoke = 0.35 + 0.65 * i / std::max(1, n - 1);
        p.centre = true;
        p.phase = i;
    });
}
Plan Roll(int n) {
    return Steps(n, [n](Pose& p, int i) { p.roll = 360.0 * (i + 1) / (n + 1); });
}
Plan Loop(int n) {
    return Steps(n, [n](Pose& p, int i) {
        p.pitch = 360.0 * (i + 1) / (n + 1);
        p.roll = p.pitch > 90 && p.pitch < 270 ? 180 : 0;
        p.centre = true;
    });
}
Plan Spin(int n) {
    return Steps(n, [](Pose& p, int i) {
        p.pitch = -60 + 15 * (i % 2);
        p.roll = 90.0 * i + 45;
        p.centre = true;
    });
}

// ---------------------------------------------------------------------------------------------
// Models: each builds a figure for a pose. Coordinates are pixels inside the frame.

struct Look {
    Rgb body, wing, trim;
};

enum class Style { Fighter, Biplane, Bomber, Jet, Float, Gunship };

struct PlaneDef {
    Style style;
    Look look;
    Point nose;    // frame-relative
    double len;    // nose to tail
    double thick;  // fuselage depth
    std::vector<Point> guns;
};

Figure PlaneFigure(Rect fr, const PlaneDef& d, const Pose& p) {
    Figure f;
    const double nx = fr.x + d.nose.x, ny = fr.y + d.nose.y, L = d.len, T = d.thick, H = T / 2;
    const double cr = std::cos(Rad(p.roll)), sr = std::sin(Rad(p.roll));
    const Look& k = d.look;
    auto P = [&](double u, double v) { return Point{nx + u * L, ny + v}; };
    f.pivot = {nx, ny};
    const bool jet = d.style == Style::Jet;
    // Canopy first: the fuselage covers its lower half.
    if (d.style != Style::Bomber) Add(f, Ell(nx + 0.34 * L, ny - 0.8 * H * cr, 0.11 * L, 0.45 * H * std::abs(cr) + 0.8), kGlass);
    // Fin, turning with the roll.
    double fh = T * (jet ? 1.2 : 1.0);
    Add(f, {P(0.74, -0.4 * H * cr), P(0.9, -(0.4 * H + fh) * cr), P(1.0, -(0.4 * H + fh) * cr), P(1.0, -0.1 * H * cr)},
        Shade(k.body, 0.8));
    // Fuselage.
    if (jet)
        Add(f, {P(0, 0.1 * H), P(0.18, -0.75 * H), P(0.6, -H), P(1.0, -0.55 * H), P(1.0, 0.5 * H), P(0.6, H), P(0.2, 0.8 * H)},
            k.body);
    else
        Add(f, {P(0, -0.6 * H), P(0.08, -H), P(0.55, -0.85 * H), P(1.0, -0.35 * H), P(1.0, 0.1 * H), P(0.6, 0.8 * H),
                P(0.12, H), P(0, 0.6 * H)},
            k.body);
    // Trim stripe and the Zorbel roundel.
    Add(f, {P(0.1, 0.15 * H), P(0.75, 0.05 * H), P(0.75, 0.3 * H), P(0.1, 0.45 * H)}, k.trim, false);
    Add(f, Ell(nx + 0.62 * L, ny - 0.15 * H * cr, std::max(1.0, 0.3 * H), std::max(1.0, 0.3 * H * std::abs(cr))), k.trim);
    Add(f, Ell(nx + 0.62 * L, ny - 0.15 * H * cr, std::max(0.6, 0.12 * H), std::max(0.6, 0.12 * H * std::abs(cr))), kInk,
        false);
    // Tailplane.
    Add(f, Ell(nx + 0.9 * L, ny - 0.1 * H, 0.1 * L, 0.12 * T + 0.3 * T * std::abs(sr) + 0.5), Shade(k.wing, 0.9));
    // Wings: edge-on slab, plus the planform that shows when banked or rolled.
    // The wing's planform shows in perspective: a little from the cruise view, more when banked.
    double span = T * 1.6, ws = std::sin(Rad(p.roll + 14));
    auto wing = [&](double wy, double u0, double u1) {
        if (std::abs(ws) > 0.05)
            Add(f, {P(u0 + 0.02, wy), P(u1, wy), P(u1 - 0.08, wy + span * ws), P(u0 + 0.1, wy + span * ws)},
                Shade(k.wing, ws > 0 ? 0.85 : 1.1));
        Add(f, {P(u0, wy - 0.14 * T), P(u1, wy - 0.1 * T), P(u1, wy + 0.12 * T), P(u0, wy + 0.14 * T)}, k.wing);
    };
    double wy = 0.35 * H * cr;
    switch (d.style) {
        case Style::Biplane: {
            double top = -1.5 * H * cr;
            Add(f, Bar(P(0.25, top), P(0.3, wy), 1.5), Shade(k.wing, 0.6), false);
            Add(f, Bar(P(0.45, top), P(0.48, wy), 1.5), Shade(k.wing, 0.6), false);
            wing(top, 0.18, 0.5);
            wing(wy, 0.2, 0.48);
            break;
        }
        case Style::Bomber: {
            wing(wy - 0.2 * H, 0.25, 0.55);
            // Glazed nose and engines on the wing.
            Add(f, Ell(nx + 0.06 * L, ny - 0.1 * H, 0.07 * L, 0.45 * H), kGlass);
            for (int e = 0; e < 2; ++e)
                Add(f, Ell(nx + (0.28 + 0.08 * e) * L, ny + (0.3 + 0.35 * e) * H * cr, 0.07 * L, 0.22 * T), Shade(k.body, 0.7));
            Add(f, Ell(nx + 0.2 * L, ny - 0.9 * H * cr, 0.08 * L, 0.3 * H * std::abs(cr) + 0.8), kGlass);
            if (p.open > 0) {  // bomb bay doors hanging open, a bomb in the bay
                Add(f, Quad(nx + 0.42 * L, ny + 0.6 * H, nx + 0.62 * L, ny + 0.95 * H), Rgb{30, 30, 35}, false);
                Add(f, Bar(P(0.42, 0.9 * H), P(0.38, 0.9 * H + 0.6 * H * p.open), 2), Shade(k.body, 0.6), false);
                Add(f, Bar(P(0.62, 0.9 * H), P(0.66, 0.9 * H + 0.6 * H * p.open), 2), Shade(k.body, 0.6), false);
                Add(f, Ell(nx + 0.52 * L, ny + (0.8 + 0.5 * p.open) * H, 0.06 * L, 0.2 * H), Rgb{60, 60, 60});
            }
            break;
        }
        case Style::Jet:
            wing(0.2 * H * cr, 0.35, 0.7);
            Add(f, Ell(nx + 0.45 * L, ny + 0.2 * H, 0.09 * L, 0.35 * H), Shade(k.body, 0.6));  // intake
            {
                double fl = (p.phase % 2 ? 0.12 : 0.08) * L;
                Add(f, {P(1.0, -0.35 * H), {nx + L + fl, ny}, P(1.0, 0.35 * H)}, Rgb{255, 170, 40}, false);
            }
            break;
        case Style::Float:
            wing(-0.2 * H * cr, 0.22, 0.5);
            Add(f, Bar(P(0.3, 0.5 * H), P(0.28, 2.4 * H), 2), Shade(k.wing, 0.6), false);
            Add(f, Bar(P(0.55, 0.5 * H), P(0.52, 2.4 * H), 2), Shade(k.wing, 0.6), false);
            Add(f, {P(0.12, 2.3 * H), P(0.75, 2.3 * H), P(0.7, 3.0 * H), P(0.2, 3.0 * H)}, k.wing);
            break;
        case Style::Gunship:
            wing(wy, 0.25, 0.52);
            Add(f, Ell(nx + 0.4 * L, ny + 1.1 * H, 0.16 * L, 0.5 * H), Shade(k.body, 0.75));  // gun pod
            break;
        case Style::Fighter:
            wing(wy, 0.22, 0.5);
            break;
    }
    // Gun barrels ending at the muzzles that lie inside the frame.
    for (auto g : d.guns) {
        Point m{fr.x + g.x, fr.y + g.y};
        if (g.x < 2 || g.y < 2 || g.x > fr.w - 3 || g.y > fr.h - 3 || std::abs(m.y - ny) > H + 3) continue;
        double toward = std::abs(m.x - (nx + 0.5 * L)) > 4 ? 0 : 1;
        Add(f, Bar(m, {m.x + 6 + toward * 2, m.y + 0.5}, 2.2), Rgb{50, 50, 55}, false);
    }
    // Exhaust glow in the cruise cycle.
    if (!jet && p.smoke == 0) Add(f, Ell(nx + 0.14 * L, ny + 0.55 * H, 1.5, 1.0), p.phase % 2 ? Rgb{255, 200, 80} : Rgb{200, 90, 30}, false);
    f.smokeAt = {P(0.15, 0), P(0.5, -0.2 * H)};
    return f;
}

// A sheet of one column, every frame posed by the plan (repeated if the plan is short).
void PaintFrames(Canvas& cv, int frameH, const Plan& plan, const std::function<Figure(Rect, const Pose&)>& model) {
    int frames = cv.Height() / frameH;
    for (int i = 0; i < frames; ++i) {
        Rect fr{0, i * frameH, cv.Width(), frameH};
        const Pose& p = plan[size_t(i) % plan.size()];
        Render(cv, fr, model(fr, p), p, i * 31 + cv.Width());
    }
}

void PlaneSheet(Canvas& cv, int frameH, const Plan& plan, PlaneDef d) {
    PaintFrames(cv, frameH, plan, [&](Rect fr, const Pose& p) { return PlaneFigure(fr, d, p); });
}

// The frame layouts of the animation tables.
Plan PlanTable1(int frames) {  // 1 level, 2 climb, 3 dive, 4 bank up, 5 bank down, 6-9 falling, 10-13 roll
    Plan v = Cruise(1);
    v += Pitched({12});
    v += Pitched({-12});
    v += Bank(8, -35);
    v += Bank(-8, 35);
    v += Falling(4);
    if (frames > 9) v += Roll(4);
    return v;
}
Plan PlanTable5() {  // 1-4 cruise, 5-6 climb, 7-8 dive, 9-12 falling, 13-20 loop, 21-24 roll
    Plan v = Cruise(4);
    v += Pitched({8, 16});
    v += Pitched({-8, -16});
    v += Falling(4);
    v += Loop(8);
    v += Roll(4);
    return v;
}
Plan PlanCruiseClimbDiveFall(int cruise, int climb, int dive, int fall) {
    Plan v = Cruise(cruise);
    Plan u, d;
    for (int i = 0; i < climb; ++i) u += Pitched({8.0 + 16.0 * i / std::max(1, climb)});
    for (int i = 0; i < dive; ++i) d += Pitched({-8.0 - 16.0 * i / std::max(1, dive)});
    v += u;
    v += d;
    v += Falling(fall);
    return v;
}
Plan Turning(int n) {  // bank round, as seen from the side
    return Steps(n, [n](Pose& p, int i) {
        p.roll = -25 - 50.0 * i / std::max(1, n - 1);
        p.pitch = 4;
        p.kind = 1;
    });
}

// ---------------------------------------------------------------------------------------------
// Other models.

Figure BlimpFigure(Rect fr, Look k, Point gun, bool boss, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 2);
    double len = in.w * (boss ? 0.92 : 0.9), cx = in.x + in.w / 2.0, cy = in.y + in.h * 0.4;
    double turn = 1;
    if (p.kind == 1) turn = std::max(0.3, std::abs(std::cos(Rad(p.roll + 25))));  // turning: foreshortened
    double rx = len / 2 * turn, ry = in.h * 0.36 * (1 - 0.25 * p.wreck);
    f.pivot = {cx, cy};
    // Tail fins.
    Add(f, {{cx + rx * 0.6, cy - ry * 0.2}, {cx + rx * 1.0, cy - ry * 1.05}, {cx + rx * 1.08, cy - ry * 1.0}, {cx + rx * 1.02, cy}},
        Shade(k.wing, 0.9));
    Add(f, {{cx + rx * 0.6, cy + ry * 0.2}, {cx + rx * 1.0, cy + ry * 1.05}, {cx + rx * 1.08, cy + ry * 1.0}, {cx + rx * 1.02, cy}},
        Shade(k.wing, 0.8));
    Add(f, Ell(cx, cy, rx, ry, 40), k.body);
    // Panel seams and a band of trim.
    for (int s = -2; s <= 2; ++s)
        Add(f, Bar({cx + s * rx * 0.33, cy - ry * std::sqrt(1 - std::pow(s * 0.33, 2)) + 1},
                   {cx + s * rx * 0.33, cy + ry * std::sqrt(1 - std::pow(s * 0.33, 2)) - 1}, 1),
            Shade(k.body, 0.75), false);
    Add(f, Quad(cx - rx * 0.85, cy - ry * 0.12, cx + rx * 0.85, cy + ry * 0.12), k.trim, false);
    // Gondola under the envelope, reaching to the gun.
    double gy = fr.y + gun.y, gx = fr.x + gun.x;
    double gTop = cy + ry * 0.8, gBot = std::min<double>(in.y + in.h - 1, std::max(gTop + 6, gy + 4));
    Add(f, Bar({cx - rx * 0.2, cy + ry * 0.7}, {cx - rx * 0.15, gTop + 2}, 1.5), kInk, false);
    Add(f, Bar({cx + rx * 0.2, cy + ry * 0.7}, {cx + rx * 0.15, gTop + 2}, 1.5), kInk, false);
    Add(f, {{cx - rx * 0.35, gTop}, {cx + rx * 0.3, gTop}, {cx + rx * 0.25, gBot}, {cx - rx * 0.3, gBot}}, k.wing);
    for (int w = 0; w < 3; ++w)
        Add(f, Quad(cx - rx * 0.28 + w * rx * 0.18, gTop + 2, cx - rx * 0.2 + w * rx * 0.18, gTop + 4), kGlass, false);
    if (gun.x > 2 && gun.y > 2 && gun.y < fr.h - 2) Add(f, Bar({gx, gy}, {cx - rx * 0.25, gy}, 2.5), Rgb{55, 55, 60}, false);
    if (p.smoke > 0) {  // torn and deflating
        Add(f, Ell(cx - rx * 0.3, cy - ry * 0.3, rx * 0.12, ry * 0.2), Rgb{40, 30, 30}, false);
        f.smokeAt = {{cx - rx * 0.3, cy - ry * 0.3}, {cx + rx * 0.4, cy}};
    }
    return f;
}

Figure SaucerFigure(Rect fr, Look k, const Pose& p, double domeScale = 1, int legs = 0) {
    Figure f;
    Rect in = Inner(fr, 2);
    double cx = in.x + in.w / 2.0, cy = in.y + in.h * 0.55, rx = in.w * 0.48, ry = in.h * 0.2;
    f.pivot = {cx, cy};
    Add(f, Ell(cx, cy - ry * 0.7, rx * 0.38 * domeScale, ry * 1.6 * domeScale, 32), kGlass);
    Add(f, Ell(cx - rx * 0.1, cy - ry * 1.2, rx * 0.08, ry * 0.5), Rgb{40, 160, 60});  // the pilot's head
    Add(f, Ell(cx, cy, rx, ry, 40), k.body);
    Add(f, Quad(cx - rx * 0.96, cy - 1, cx + rx * 0.96, cy + 1.5), Shade(k.body, 0.55), false);
    Add(f, Ell(cx, cy + ry * 0.75, rx * 0.45, ry * 0.6), Shade(k.wing, 0.8));
    for (int l = 0; l < legs; ++l) {
        double lx = cx + (l - (legs - 1) / 2.0) * rx * 0.5;
        Add(f, Bar({lx, cy + ry}, {lx + (lx - cx) * 0.3, cy + ry * 2.2}, 2), Shade(k.wing, 0.6), false);
    }
    // Running lights chase round the rim.
    for (int i = 0; i < 6; ++i) {
        double lx = cx - rx * 0.8 + i * rx * 0.32;
        bool on = (i + p.phase) % 3 == 0;
        Add(f, Ell(lx, cy + ry * 0.3, std::max(1.2, rx * 0.045), std::max(1.0, ry * 0.18)),
            on ? Rgb{255, 240, 120} : Shade(k.trim, 0.7), false);
    }
    if (p.glow > 0) {  // charging: a growing glow under the disc
        double g = p.glow;
        Add(f, Ell(cx, cy + ry * 0.8, rx * (0.2 + 0.3 * g), ry * (0.4 + 0.6 * g)), Mix(Rgb{120, 200, 255}, Rgb{255, 255, 255}, g));
        Add(f, Ell(cx, cy + ry * 0.8, rx * (0.1 + 0.12 * g), ry * (0.2 + 0.3 * g)), Rgb{255, 255, 255}, false);
    }
    if (p.open > 0)  // hatches
        for (int h = -1; h <= 1; h += 2)
            Add(f, Quad(cx + h * rx * 0.3 - 3, cy + ry * 0.9, cx + h * rx * 0.3 + 3, cy + ry * (0.9 + p.open)), Rgb{40, 40, 50}, false);
    f.smokeAt = {{cx + rx * 0.3, cy - ry * 0.2}};
    return f;
}

Plan SaucerPlan(int frames, bool hatch) {  // 1-4 cruise, 5-6 climb, 7-8 dive, 9-12 falling, 13 flash / hatches shut
    Plan v = PlanCruiseClimbDiveFall(4, 2, 2, 4);
    Pose last;
    if (hatch)
        last.open = 0;
    else
        last.flash = true;
    v.push_back(last);
    for (int i = 0; i < 4 && hatch; ++i) v[size_t(i)].open = 0.6;
    v.resize(size_t(frames), Pose{});
    return v;
}

Figure HeliFigure(Rect fr, Look k, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 2);
    double nx = in.x + 10, ny = in.y + in.h * 0.48, L = in.w - 12, H = in.h * 0.2;
    f.pivot = {nx, ny};
    bool ground = p.kind == 2;
    Add(f, Bar({nx + 0.45 * L, ny}, {nx + L, ny - 0.4 * H}, H * 0.5), k.body);  // tail boom
    Add(f, {{nx + 0.9 * L, ny - 0.4 * H}, {nx + L - 1, ny - 1.4 * H}, {nx + L, ny - 0.2 * H}}, Shade(k.body, 0.8));
    Add(f, Ell(nx + 0.95 * L, ny - 0.5 * H, 3, ground ? 5 : 2 + (p.phase % 2) * 4), Rgb{90, 90, 95}, false);
    Add(f, Ell(nx + 0.3 * L, ny, 0.3 * L, H * 1.1, 32), k.body);
    Add(f, Ell(nx + 0.16 * L, ny - 0.3 * H, 0.14 * L, H * 0.6), kGlass);
    Add(f, Quad(nx + 0.05 * L, ny + 0.35 * H, nx + 0.5 * L, ny + 0.55 * H), k.trim, false);
    // Skids.
    Add(f, Bar({nx + 0.15 * L, ny + 1.0 * H}, {nx + 0.12 * L, ny + 1.6 * H}, 1.5), kInk, false);
    Add(f, Bar({nx + 0.45 * L, ny + 1.0 * H}, {nx + 0.48 * L, ny + 1.6 * H}, 1.5), kInk, false);
    Add(f, Bar({nx + 0.02 * L, ny + 1.6 * H}, {nx + 0.6 * L, ny + 1.6 * H}, 2), Rgb{70, 70, 75}, false);
    // Rotor: a blur in flight, two still blades on the ground.
    Add(f, Bar({nx + 0.3 * L, ny - 1.1 * H}, {nx + 0.3 * L, ny - 1.5 * H}, 2.5), kInk, false);
    if (ground) {
        Add(f, Bar({nx + 0.3 * L, ny - 1.5 * H}, {nx - 0.02 * L, ny - 1.3 * H}, 1.6), Rgb{60, 60, 65}, false);
        Add(f, Bar({nx + 0.3 * L, ny - 1.5 * H}, {nx + 0.75 * L, ny - 1.3 * H}, 1.6), Rgb{60, 60, 65}, false);
    } else {
        double w = L * (0.3 + 0.05 * (p.phase % 2));
        Add(f, Ell(nx + 0.32 * L, ny - 1.55 * H, w, 1.3), Rgb{150, 150, 160}, false);
    }
    f.smokeAt = {{nx + 0.35 * L, ny - 0.8 * H}};
    return f;
}

// The hulls of the battleship (level 6) and the fortress (the last stage). Both are invulnerable
// and every straight shot that meets an opaque pixel of theirs is spent, so the guns and masts
// that stand on them are separate objects and the hull keeps the space where they stand, and
// the rows in front of them, in the key colour: the battleship is a bare hull whose deck the
// turrets stand on, and the fortress keeps its superstructure behind the bow guns.
Figure ShipFigure(Rect fr, Look k, bool big, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 2);
    double sink = p.wreck * in.h * 0.35;
    double x0 = in.x + 2, x1 = in.x + in.w - 3, deck = in.y + in.h * 0.55 + sink, keel = in.y + in.h - 2;
    double W = x1 - x0;
    f.pivot = {x0 + W / 2, deck};
    if (big) {
        // Superstructure: bridge, funnels, a flight deck tower with its radar, gun cupolas on
        // the after deck (the bow is left clear for the fortress's own bow guns).
        Add(f, Bar({x0 + W * 0.42, deck - in.h * 0.5}, {x0 + W * 0.42, deck}, 1.5), kInk, false);
        Add(f, Quad(x0 + W * 0.32, deck - in.h * 0.28, x0 + W * 0.5, deck), Shade(k.body, 1.1));
        Add(f, Quad(x0 + W * 0.35, deck - in.h * 0.36, x0 + W * 0.45, deck - in.h * 0.27), kGlass, false);
        for (int i = 0; i < 2; ++i) {
            double fx = x0 + W * (0.55 + 0.1 * i);
            Add(f, {{fx, deck - in.h * 0.34}, {fx + W * 0.05, deck - in.h * 0.34}, {fx + W * 0.055, deck}, {fx - 0.005 * W, deck}},
                k.trim);
        }
        for (int t = 1; t < 4; ++t) {
            double tx = t == 1 ? x0 + W * 0.32 : x0 + W * (0.72 + 0.1 * (t - 2));
            Add(f, Bar({tx, deck - in.h * 0.1}, {tx - W * 0.06, deck - in.h * 0.14}, 2), Rgb{60, 60, 65}, false);
            Add(f, Ell(tx, deck - in.h * 0.06, W * 0.035, in.h * 0.07), Shade(k.body, 0.9));
        }
        Add(f, Quad(x0 + W * 0.5, deck - in.h * 0.45, x0 + W * 0.56, deck - in.h * 0.2), Shade(k.body, 1.2));
        Add(f, Ell(x0 + W * 0.53, deck - in.h * 0.5, W * 0.03, in.h * 0.03), k.trim);
    }
    // Hull with a waterline stripe.
    Add(f, {{x0, deck - in.h * 0.06}, {x1, deck}, {x1 - W * 0.04, keel}, {x0 + W * 0.08, keel}}, k.wing);
    Add(f, Quad(x0 + W * 0.03, keel - in.h * 0.12, x1 - W * 0.02, keel - in.h * 0.06), Rgb{150, 40, 40}, false);
    for (int w = 0; w < 8; ++w)
        Add(f, Ell(x0 + W * (0.15 + 0.1 * w), deck + in.h * 0.08, 1.2, 1.2), Shade(k.wing, 1.5), false);
    f.smokeAt = {{x0 + W * (big ? 0.58 : 0.5), deck - in.h * (big ? 0.36 : 0.05)}};
    if (p.wreck > 0) f.smokeAt.push_back({x0 + W * 0.3, deck - in.h * 0.1});
    f.fit = false;
    return f;
}

Figure MastFigure(Rect fr, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 1);
    double cx = in.x + in.w / 2.0, base = in.y + in.h - 1, top = in.y + 12;
    f.pivot = {cx, base};
    Rgb steel{150, 150, 160};
    Add(f, {{cx - 6, base}, {cx - 1.5, top}, {cx + 1.5, top}, {cx + 6, base}}, steel);
    for (int i = 1; i < 6; ++i) {
        double y = base - i * (base - top) / 6;
        double hw = 1.5 + 4.5 * (y - top) / (base - top);
        Add(f, Bar({cx - hw, y}, {cx + hw, y - 3}, 1), Rgb{80, 80, 90}, false);
    }
    Add(f, Quad(cx - 8, base - 3, cx + 8, base), Rgb{90, 80, 70});
    // The dish turns on top; the aerial's tip sparks.
    double a = Rad(p.phase * 30.0);
    double w = 8 * std::abs(std::cos(a)) + 2;
    Add(f, {{cx - w, top - 8}, {cx + w, top - 8}, {cx + w * 0.6, top - 2}, {cx - w * 0.6, top - 2}}, Rgb{200, 200, 210});
    Add(f, Bar({cx, top - 2}, {cx, top + 1}, 2), kInk, false);
    Add(f, Bar({cx, top - 8}, {cx, top - 11}, 1), kInk, false);
    if (p.kind == 1)
        for (int s = 0; s < 4; ++s) {
            double sa = Rad(45.0 + 90 * s + 20 * p.phase);
            Add(f, Bar({cx, top - 11}, {cx + 4 * std::cos(sa), top - 11 + 4 * std::sin(sa)}, 1), Rgb{255, 255, 140}, false);
        }
    f.smokeAt = {{cx, top}};
    f.fit = false;
    return f;
}

Figure GroundGunFigure(Rect fr, Look k, Point muzzle, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 1);
    double base = in.y + in.h, bx = in.x + in.w * 0.55;
    f.pivot = {bx, base};
    double ang = Rad(150 + 8 * p.phase), len = in.w * 0.5;
    Point pivot{bx - in.w * 0.1, base - in.h * 0.55};
    Point tip{pivot.x + len * std::cos(ang), pivot.y - len * std::sin(ang) * 0.5};
    if (p.kind == 1 || p.phase == 0) tip = {fr.x + muzzle.x + 1.0, fr.y + muzzle.y + 0.0};
    if (p.wreck > 0) tip = {pivot.x - len * 0.6, pivot.y + 3};
    Add(f, Bar(pivot, tip, in.h * 0.16), Rgb{70, 70, 75});
    Add(f, Ell(pivot.x + 4, pivot.y + 2, in.w * 0.16, in.h * 0.28), k.body);
    Add(f, {{in.x + in.w * 0.18, base - in.h * 0.45}, {in.x + in.w * 0.98, base - in.h * 0.45}, {in.x + in.w * 1.0, base - in.h * 0.2},
            {in.x + in.w * 0.12, base - in.h * 0.2}},
        k.wing);
    Add(f, Quad(in.x + in.w * 0.12, base - in.h * 0.22, in.x + in.w, base), Rgb{60, 60, 60});
    for (int w = 0; w < 6; ++w)
        Add(f, Ell(in.x + in.w * (0.2 + 0.14 * w), base - in.h * 0.1, in.h * 0.09, in.h * 0.09), Rgb{120, 120, 120}, false);
    if (p.kind == 1)  // muzzle flash
        Add(f, Ell(tip.x + 2, tip.y, 3 + p.phase % 2 * 2, 2.5), Rgb{255, 230, 120}, false);
    if (p.wreck > 0) {
        Add(f, Ell(pivot.x, pivot.y, in.w * 0.08, in.h * 0.2), Rgb{40, 35, 30}, false);
        f.smokeAt = {{pivot.x + 6, pivot.y - 2}};
    }
    f.fit = false;
    return f;
}

Figure TurretFigure(Rect fr, Look k, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 1);
    double cx = in.x + in.w * 0.55, base = in.y + in.h;
    f.pivot = {cx, base};
    double dir = std::cos(Rad(p.phase * 50.0));
    Point a{cx, base - in.h * 0.55};
    Point b{cx - in.w * 0.45 * (0.4 + 0.6 * std::abs(dir)), base - in.h * (0.75 + 0.2 * (1 - std::abs(dir)))};
    if (p.wreck == 0) Add(f, Bar(a, b, 2), Rgb{60, 60, 65}, false);
    Add(f, Ell(cx, base - 1, in.w * 0.3, in.h * (p.wreck > 0 ? 0.45 : 0.7)), p.wreck > 0 ? Shade(k.body, 0.5) : k.body);
    Add(f, Quad(in.x + 2, base - 3, in.x + in.w - 2, base), k.wing);
    if (p.kind == 1) Add(f, Ell(b.x - 1, b.y, 2.5, 2), Rgb{255, 230, 120}, false);
    if (p.wreck > 0) f.smokeAt = {{cx, base - 4}};
    f.fit = false;
    return f;
}

Figure SoldierFigure(Rect fr, Look k, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 1);
    double cx = in.x + in.w * 0.55, foot = in.y + in.h - 1;
    bool kneel = p.kind == 1;
    double hip = foot - (kneel ? 8 : 13), shoulder = hip - 11, head = shoulder - 4;
    f.pivot = {cx, foot};
    if (p.centre) f.pivot = {cx, hip - 4};
    Rgb skin{110, 200, 90};
    double s = std::sin(p.phase * kPi / 2);
    // Legs (running stride), body, arms holding a rifle pointing left.
    if (kneel) {
        Add(f, Bar({cx - 1, hip}, {cx - 7, hip + 1}, 3.5), Shade(k.wing, 0.8));
        Add(f, Bar({cx - 7, hip + 1}, {cx - 7, foot}, 3.5), Shade(k.wing, 0.8));
        Add(f, Bar({cx + 1, hip}, {cx + 6, foot}, 3.5), k.wing);
    } else {
        Add(f, Bar({cx, hip}, {cx - 5 * s, foot}, 3.5), Shade(k.wing, 0.8));
        Add(f, Bar({cx, hip}, {cx + 5 * s, foot}, 3.5), k.wing);
    }
    Add(f, Quad(cx - 4, shoulder, cx + 4, hip + 1), k.body);
    Add(f, Ell(cx, head, 4.5, 4.5), skin);
    Add(f, {{cx - 5, head - 1}, {cx + 5, head - 1}, {cx + 4, head - 5}, {cx - 3, head - 6}}, k.wing);  // helmet
    Add(f, Ell(cx - 2, head + 0.5, 1.2, 1.2), Rgb{255, 240, 60}, false);                              // eye
    double gy = fr.y + 14;
    Add(f, Bar({cx + 3, shoulder + 3}, {fr.x + 10.0, gy}, 2.5), Rgb{60, 55, 50}, false);
    Add(f, Bar({cx, shoulder + 2}, {cx - 5, gy + 1}, 2.5), k.body, false);
    f.smokeAt = {};
    f.fit = false;
    return f;
}

Figure CartFigure(Rect fr, Look k, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 1);
    double base = in.y + in.h - 1, x0 = in.x + 4, x1 = in.x + in.w - 5, recoil = p.kind == 1 ? 3 : 0;
    f.pivot = {(x0 + x1) / 2, base};
    double deck = fr.y + 31.0;
    // Two guns, front and rear, and a crew cab.
    Add(f, Bar({fr.x + 1.0 + recoil, deck}, {x0 + 18 + recoil, deck + 2}, 3), Rgb{60, 60, 65}, false);
    Add(f, Bar({fr.x + 66.0, deck}, {x1 - 18, deck + 2}, 3), Rgb{60, 60, 65}, false);
    Add(f, Quad(x0 + 18, in.y + in.h * 0.25, x0 + 38, deck), Shade(k.body, 1.1));
    Add(f, Quad(x0 + 22, in.y + in.h * 0.3, x0 + 34, in.y + in.h * 0.4), kGlass, false);
    Add(f, {{x0 + 2, deck - 4}, {x1 - 2, deck - 4}, {x1, base - 10}, {x0, base - 10}}, k.body);
    Add(f, Quad(x0 + 2, deck + 4, x1 - 2, deck + 6), k.trim, false);
    for (int w = 0; w < 2; ++w) {
        double wx = w ? x1 - 11 : x0 + 11, wy = base - 9;
        Add(f, Ell(wx, wy, 9, 9), Rgb{70, 55, 40});
        Add(f, Ell(wx, wy, 6, 6), Rgb{140, 110, 70}, false);
        for (int s = 0; s < 3; ++s) {
            double a = Rad(60.0 * s + 20 * p.phase);
            Add(f, Bar({wx - 6 * std::cos(a), wy - 6 * std::sin(a)}, {wx + 6 * std::cos(a), wy + 6 * std::sin(a)}, 1.5),
                Rgb{70, 55, 40}, false);
        }
    }
    if (p.kind == 1) Add(f, Ell(fr.x + 4.0, deck, 4, 3), Rgb{255, 230, 120}, false);
    f.smokeAt = {{x0 + 28, in.y + in.h * 0.3}};
    f.fit = false;
    return f;
}

Figure MineFigure(Rect fr, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 1);
    double cx = in.x + in.w / 2.0, cy = in.y + in.h / 2.0, r = std::min(in.w, in.h) * 0.32;
    f.pivot = {cx, cy};
    double spike = p.kind == 2 ? 1.45 : 1.3;
    for (int i = 0; i < 8; ++i) {
        double a = Rad(45.0 * i + 15 * p.phase);
        Add(f, Bar({cx, cy}, {cx + r * spike * std::cos(a), cy + r * spike * std::sin(a)}, 3), Rgb{90, 90, 95}, false);
    }
    Add(f, Ell(cx, cy, r, r, 32), p.kind == 2 ? Rgb{150, 60, 50} : Rgb{80, 90, 85});
    bool lit = p.kind == 2 || (p.kind == 1 && p.phase % 2 == 0);
    Add(f, Ell(cx - r * 0.2, cy - r * 0.2, r * 0.3, r * 0.3), lit ? Rgb{255, 60, 40} : Rgb{90, 30, 30});
    if (lit) Add(f, Ell(cx - r * 0.28, cy - r * 0.28, r * 0.12, r * 0.12), Rgb{255, 220, 200}, false);
    f.fit = false;
    return f;
}

Figure JumperFigure(Rect fr, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 1);
    double cx = in.x + in.w / 2.0, cy = in.y + in.h / 2.0;
    f.pivot = {cx, cy};
    Rgb skin{120, 210, 80};
    if (p.kind == 1) {  // squashed flatter and flatter
        double t = 0.3 + 0.2 * p.phase;
        Add(f, Ell(cx, cy + 2 * p.phase, in.w * (0.35 + 0.15 * t), in.h * (0.3 - 0.2 * t) + 2), skin);
        Add(f, Ell(cx - 4, cy + 2 * p.phase - 1, 2, 1.5), Rgb{255, 240, 80}, false);
        for (int d = 0; d < p.phase + 1; ++d)
            Add(f, Ell(cx + (d - 1.5) * 6, cy + 2 * p.phase + in.h * 0.12, 1.5, 1.5), Shade(skin, 0.6), false);
        f.fit = false;
        return f;
    }
    double stretch = 1 + 0.15 * (p.phase - 1);
    double bodyH = in.h * 0.32 * stretch;
    Add(f, Bar({cx, cy + bodyH * 0.5}, {cx - 6 - 2 * p.phase, cy + bodyH * 1.35}, 3), Shade(skin, 0.7));
    Add(f, Bar({cx, cy + bodyH * 0.5}, {cx + 6 + 2 * p.phase, cy + bodyH * 1.35}, 3), Shade(skin, 0.8));
    Add(f, Ell(cx, cy, in.w * 0.38, bodyH, 28), skin);
    Add(f, Ell(cx - 4, cy - bodyH * 0.35, 3, 3), Rgb{255, 255, 255});
    Add(f, Ell(cx - 5, cy - bodyH * 0.35, 1.3, 1.3), kInk, false);
    Add(f, Bar({cx - 6, cy + bodyH * 0.2}, {cx + 2, cy + bodyH * 0.3}, 1.5), Rgb{120, 30, 40}, false);
    Add(f, Bar({cx + 2, cy - bodyH * 0.9}, {cx + 5, cy - bodyH * 1.3}, 1.5), Shade(skin, 0.6), false);  // antenna
    f.fit = false;
    return f;
}

Figure ShieldFigure(Rect fr, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 1);
    double cx = in.x + in.w / 2.0, base = in.y + in.h;
    f.pivot = {cx, base};
    Add(f, {{cx - 4.5, base}, {cx - 2, in.y + 10.0}, {cx + 2, in.y + 10.0}, {cx + 4.5, base}}, Rgb{120, 120, 140});
    Add(f, Quad(cx - 5, base - 4, cx + 5, base), Rgb{80, 80, 95});
    double g = p.glow;
    Add(f, Ell(cx, in.y + 6.0, 4.5, 5.5), Mix(Rgb{40, 90, 160}, Rgb{200, 255, 255}, g));
    Add(f, Ell(cx - 1, in.y + 5.0, 1.5, 2), Rgb{255, 255, 255}, false);
    for (int r = 0; r < 3; ++r)
        Add(f, Quad(cx - 1.5, in.y + 14.0 + r * 6, cx + 1.5, in.y + 16.0 + r * 6), Mix(Rgb{60, 60, 90}, Rgb{120, 255, 255}, g),
            false);
    f.smokeAt = {{cx, in.y + 8.0}};
    f.fit = false;
    return f;
}

Figure MothershipFigure(Rect fr, Look k, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 2);
    double x0 = in.x + 4, x1 = in.x + in.w - 10, cy = in.y + in.h * 0.45, H = in.h * 0.3;
    double W = x1 - x0;
    f.pivot = {x0 + W / 2, cy};
    // Engine flames at the stern flicker.
    for (int e = 0; e < 3; ++e) {
        double ey = cy - H * 0.6 + e * H * 0.6;
        double fl = 6 + ((p.phase + e) % 4) * 2;
        if (p.wreck == 0) Add(f, {{x1 - 2, ey - 3}, {x1 + fl, ey}, {x1 - 2, ey + 3}}, Rgb{255, 170, 60}, false);
        Add(f, Quad(x1 - 14, ey - 4, x1, ey + 4), Rgb{80, 80, 90});
    }
    Add(f, {{x0, cy}, {x0 + W * 0.08, cy - H}, {x1 - W * 0.1, cy - H * 1.05}, {x1 - 10, cy - H * 0.7}, {x1 - 10, cy + H * 0.9},
            {x0 + W * 0.1, cy + H}},
        k.body);
    // Bridge dome, windows, hull plating, the Zorbel emblem.
    Add(f, Ell(x0 + W * 0.22, cy - H, W * 0.06, H * 0.6), kGlass);
    for (int w = 0; w < 14; ++w)
        Add(f, Quad(x0 + W * (0.12 + 0.055 * w), cy - H * 0.5, x0 + W * (0.12 + 0.055 * w) + 4, cy - H * 0.3),
            (w + p.phase) % 5 ? Rgb{255, 230, 140} : Rgb{90, 90, 60}, false);
    Add(f, Quad(x0 + W * 0.06, cy + H * 0.1, x1 - 12, cy + H * 0.22), k.trim, false);
    Add(f, Ell(x0 + W * 0.7, cy - H * 0.35, H * 0.35, H * 0.35), k.trim);
    Add(f, Ell(x0 + W * 0.7, cy - H * 0.35, H * 0.15, H * 0.15), kInk, false);
    // Belly hatches, where the jumpers drop from.
    for (int h = 0; h < 3; ++h) {
        double hx = x0 + W * (0.3 + 0.15 * h);
        Add(f, Quad(hx, cy + H * 0.85, hx + W * 0.06, cy + H), Rgb{40, 40, 50}, false);
        if (p.open > 0)
            Add(f, Bar({hx, cy + H}, {hx - W * 0.02, cy + H + in.h * 0.3 * p.open}, 2.5), Shade(k.wing, 0.7), false);
    }
    Add(f, Bar({x0 + W * 0.05, cy + H * 0.3}, {x0 - 2, cy + H * 0.35}, 3), Rgb{60, 60, 65}, false);
    if (p.wreck > 0) {
        for (int h = 0; h < 3; ++h)
            Add(f, Ell(x0 + W * (0.2 + 0.27 * h), cy - H * 0.1, W * 0.035, H * 0.35), Rgb{35, 25, 20}, false);
        f.smokeAt = {{x0 + W * 0.2, cy - H * 0.3}, {x0 + W * 0.47, cy}, {x0 + W * 0.74, cy - H * 0.2}};
    }
    f.fit = false;
    return f;
}

// The big level-start object: a round armoured balloon-fortress with an engine on its nose.
Figure FortressFigure(Rect fr, Look k, const Pose& p) {
    Figure f;
    Rect in = Inner(fr, 2);
    double nx = in.x + 2, ny = fr.y + 93.0, cx = in.x + in.w * 0.55, cy = in.y + in.h * 0.45;
    double rx = in.w * 0.42, ry = in.h * 0.38;
    f.pivot = {nx, ny};
    Add(f, {{cx + rx * 0.7, cy}, {cx + rx * 1.15, cy - ry * 0.8}, {cx + rx * 1.18, cy + ry * 0.8}}, Shade(k.wing, 0.9));
    Add(f, Ell(cx, cy, rx, ry, 48), k.body);
    for (int b = -2; b <= 2; ++b) {  // armour bands
        double yy = cy + b * ry * 0.38, half = rx * std::sqrt(std::max(0.0, 1 - std::pow(b * 0.38, 2)));
        Add(f, Quad(cx - half + 2, yy - 1.5, cx + half - 2, yy + 1.5), Shade(k.body, 0.7), false);
    }
    for (int r = 0; r < 10; ++r)  // rivets
        Add(f, Ell(cx - rx * 0.7 + r * rx * 0.16, cy - ry * 0.2, 1.5, 1.5), Shade(k.body, 1.4), false);
    Add(f, Ell(cx - rx * 0.2, cy + ry * 0.25, rx * 0.22, rx * 0.22), k.trim);
    Add(f, Ell(cx - rx * 0.2, cy + ry * 0.25, rx * 0.1, rx * 0.1), kInk, false);
    Add(f, Bar({nx + 1, ny}, {cx - rx * 0.8, ny}, 16), Rgb{90, 90, 100});  // engine pylon
    Add(f, Ell(nx + 8, ny, 8, 11), Rgb{110, 110, 120});
    Add(f, Ell(cx + rx * 0.1, cy + ry * 1.05, rx * 0.35, ry * 0.14), k.wing);  // gondola
    for (int w = 0; w < 5; ++w)
        Add(f, Quad(cx - rx * 0.2 + w * rx * 0.12, cy + ry * 1.0, cx - rx * 0.15 + w * rx * 0.12, cy + ry * 1.07), kGlass, false);
    Add(f, Bar({cx - rx * 0.1, cy - ry}, {cx - rx * 0.1, cy - ry - 14}, 1.5), kInk, false);  // flag
    Add(f, {{cx - rx * 0.1, cy - ry - 14}, {cx - rx * 0.1 + 12 + p.phase, cy - ry - 11 + p.phase % 2}, {cx - rx * 0.1, cy - ry - 8}},
        k.trim, false);
    if (p.kind == 1)  // sparks where it is hit
        for (int s = 0; s < 5; ++s) {
            double sx = cx - rx * 0.5 + HashUnit(s, p.phase) * rx, sy = cy - ry * 0.5 + HashUnit(p.phase, s) * ry;
            Add(f, Ell(sx, sy, 4, 4), Rgb{255, 220, 90}, false);
            Add(f, Ell(sx, sy, 2, 2), Rgb{255, 255, 230}, false);
        }
    f.smokeAt = {{cx, cy}};
    return f;
}

// ---------------------------------------------------------------------------------------------
// Pickups: a box that wobbles round, with the item's letter, or the pilot under his parachute.

void Letter(Canvas& cv, double cx, int y, char ch, double scaleX, int scaleY, Rgb c) {
    static const char* const kRows[] = {
        // A, R, F, S, W, E, L, M, O, +, I, C
        ".#.#.#####.##.#", "##.#.###.#.##.#", "####..##.#..#..", ".###...#...###.", "#.##.########.#",
        "####..##.#..###", "#..#..#..#..###", "#.########.##.#", ".#.#.##.##.#.#.", "....#.###.#....",
        "###.#..#..#.###", ".###..#..#...##"};
    const std::string letters = "ARFSWELMO+IC";
    size_t i = letters.find(ch);
    if (i == std::string::npos) return;
    const char* g = kRows[i];
    double gw = 3 * scaleX * 3;  // glyph width in pixels
    for (int k = 0; k < 15; ++k)
        if (g[k] == '#') {
            double x0 = cx - gw / 2 + (k % 3) * 3 * scaleX;
            cv.FillRect({int(std::lround(x0)), y + (k / 3) * scaleY, std::max(1, int(std::lround(x0 + 3 * scaleX)) - int(std::lround(x0))),
                         scaleY},
                        c);
        }
}

void PaintPickup(Canvas& cv, char letter, Rgb color) {
    for (int f = 0; f < 16; ++f) {
        Rect fr{0, f * 26, 40, 26};
        Rect in = Inner(fr);
        cv.SetClip(in);
        double a = 2 * kPi * f / 16;
        double face = 0.6 + 0.4 * std::abs(std::cos(a));  // width of the front face
        double side = 0.25 * std::abs(std::sin(a));
        double cx = 20, w = 34 * face, top = fr.y + 3.0, bot = fr.y + 23.0;
        double sx = std::sin(a) > 0 ? 1 : -1;
        double x0 = cx - w / 2 - (sx < 0 ? side * 16 : 0) + (sx > 0 ? -side * 4 : 0);
        // Side face, then the front with bevels and the letter.
        if (side > 0.02) {
            double edge = sx > 0 ? x0 + w : x0;
            double sw = side * 16 * sx;
            cv.FillPolygon({{edge, top}, {edge + sw, top + 2}, {edge + sw, bot - 2}, {edge, bot}}, Shade(color, 0.55));
        }
        cv.FillPolygonShaded({{x0, top}, {x0 + w, top}, {x0 + w, bot}, {x0, bot}}, color, 0.3);
        cv.FrameRect({int(x0) + 1, int(top) + 1, int(w) - 1, int(bot - top) - 2}, Shade(color, 1.5));
        Rgb ink = (color.r * 3 + color.g * 4 + color.b * 2) / 9 > 130 ? Rgb{30, 20, 30} : Rgb{255, 255, 240};
        Letter(cv, x0 + w / 2 + 1, int(top) + 3, letter, face, 3, Shade(ink, 0.5));
        Letter(cv, x0 + w / 2, int(top) + 2, letter, face, 3, ink);
        // A glint that sweeps across.
        double gx = x0 + std::fmod(f * 5.0, w);
        cv.FillRect({int(gx), int(top) + 1, 2, 2}, Rgb{255, 255, 255});
        cv.OutlineOpaque(in, kInk);
        cv.ResetClip();
    }
}

void PaintPilot(Canvas& cv) {
    for (int f = 0; f < 16; ++f) {
        Rect fr{0, f * 26, 40, 26};
        Rect in = Inner(fr);
        cv.SetClip(in);
        double sway = 3 * std::sin(2 * kPi * f / 16);
        double cx = 20 + sway, py = fr.y + 15.0;
        // Parachute canopy with stripes, cords, the pilot.
        cv.FillPolygonShaded({{cx - 14, fr.y + 9.0}, {cx - 10, fr.y + 3.0}, {cx, fr.y + 1.5}, {cx + 10, fr.y + 3.0}, {cx + 14, fr.y + 9.0}},
                             Rgb{240, 240, 235});
        cv.FillPolygon({{cx - 5, fr.y + 2.0}, {cx + 5, fr.y + 2.0}, {cx + 3, fr.y + 9.0}, {cx - 3, fr.y + 9.0}}, Rgb{220, 60, 50});
        cv.Line(int(cx - 13), fr.y + 9, int(20 + sway * 0.3), int(py), Rgb{90, 90, 90});
        cv.Line(int(cx + 13), fr.y + 9, int(20 + sway * 0.3), int(py), Rgb{90, 90, 90});
        double bx = 20 + sway * 0.3;
        cv.FillEllipse(bx, py + 1, 3, 3, Rgb{240, 200, 160});
        cv.FillRect({int(bx) - 3, int(py) + 3, 6, 6}, Rgb{60, 90, 160});
        cv.FillRect({int(bx) - 3, int(py) + 8, 2, 3}, Rgb{50, 50, 60});
        cv.FillRect({int(bx) + 1, int(py) + 8, 2, 3}, Rgb{50, 50, 60});
        cv.FillRect({int(bx) - 3, int(py) - 2, 6, 2}, Rgb{120, 80, 40});  // flying cap
        cv.FillRect({18, fr.y + 12, 4, 3}, Rgb{60, 90, 160});              // harness at the frame's middle
        cv.OutlineOpaque(in, kInk);
        cv.ResetClip();
    }
}

// ---------------------------------------------------------------------------------------------
// The sheets.

PlaneDef Plane(Style s, Look k, Point prop, double len, double thick, std::vector<Point> guns = {}) {
    return {s, k, {std::max(1.0, prop.x + 2), prop.y + 11}, len, thick, std::move(guns)};
}

// Zorbel colours: sickly greens, purples and rusty reds with yellow emblems.
constexpr Look kGreen{{90, 150, 70}, {70, 110, 55}, {240, 200, 40}};
constexpr Look kPurple{{130, 80, 160}, {95, 60, 120}, {250, 210, 60}};
constexpr Look kRust{{170, 80, 50}, {130, 60, 40}, {250, 220, 90}};
constexpr Look kSteel{{130, 140, 155}, {95, 100, 115}, {230, 60, 50}};
constexpr Look kOlive{{120, 120, 60}, {90, 90, 45}, {230, 90, 40}};
constexpr Look kTeal{{60, 140, 140}, {45, 100, 105}, {250, 200, 60}};
constexpr Look kSand{{190, 160, 100}, {150, 120, 70}, {160, 50, 40}};
constexpr Look kBlack{{70, 65, 80}, {50, 45, 60}, {230, 50, 50}};
constexpr Look kCrimson{{170, 40, 50}, {120, 30, 40}, {250, 230, 120}};

void PaintSheet(int n, Canvas& cv) {
    auto planes = [&](int fh, const Plan& plan, PlaneDef d) { PlaneSheet(cv, fh, plan, d); };
    auto frames = [&](int fh, const Plan& plan, std::function<Figure(Rect, const Pose&)> m) { PaintFrames(cv, fh, plan, m); };
    switch (n) {
        case 1: return planes(55, PlanTable1(13), Plane(Style::Fighter, kGreen, {0, 17}, 62, 14, {{4, 15}}));
        case 2: return planes(75, PlanTable5(), Plane(Style::Biplane, kRust, {2, 26}, 72, 15, {{12, 26}}));
        case 3: return planes(78, PlanTable5(), Plane(Style::Biplane, kPurple, {1, 26}, 72, 16));
        case 4: return planes(55, [] { Plan v = PlanCruiseClimbDiveFall(4, 2, 2, 4); v += Spin(4); return v; }(),
                              Plane(Style::Fighter, kTeal, {0, 16}, 54, 13, {{0, 26}}));
        case 5: return planes(95, PlanTable1(9), Plane(Style::Bomber, kBlack, {-2, 38}, 132, 30, {{10, 42}, {28, 52}}));
        case 6: return planes(76, PlanTable1(9), Plane(Style::Fighter, kCrimson, {5, 25}, 104, 22, {{11, 43}}));
        case 7: return planes(43, PlanTable1(9), Plane(Style::Fighter, kOlive, {2, 10}, 70, 11, {{6, 24}}));
        case 8: {
            Plan v = Cruise(3);
            v += Pitched({12});
            v += Pitched({-12});
            v += Falling(4);
            v += Turning(4);
            return planes(76, v, Plane(Style::Gunship, kSteel, {0, 19}, 76, 17));
        }
        case 9:
        case 10: {
            Plan v = Cruise(3);
            v[1].dy = -1;
            v += Falling(4);
            for (size_t i = 3; i < 7; ++i) v[i].pitch = -6 - 3.0 * double(i - 3), v[i].wreck = 0.1 * double(i - 2);
            v += Turning(4);
            Look k = n == 9 ? Look{{200, 170, 120}, {120, 100, 80}, {170, 50, 50}} : Look{{150, 60, 90}, {90, 40, 60}, {250, 210, 60}};
            Point gun = n == 9 ? Point{26, 51} : Point{72, 99};
            return frames(n == 9 ? 60 : 102, v, [=](Rect fr, const Pose& p) { return BlimpFigure(fr, k, gun, n == 10, p); });
        }
        case 11: {
            Plan v = Cruise(3);
            v += Pitched({10});
            v += Pitched({-10});
            v += Falling(4);
            v += Steps(4, [](Pose& p, int i) { p.open = 0.25 + 0.25 * i; });
            return planes(111, v, Plane(Style::Bomber, kOlive, {7, 45}, 108, 26, {{0, 55}}));
        }
        case 12: {
            Plan v = PlanCruiseClimbDiveFall(4, 4, 4, 4);
            v += Steps(10, [](Pose& p, int i) { p.glow = (i + 1) / 10.0, p.phase = i; });
            return frames(74, v, [](Rect fr, const Pose& p) { return SaucerFigure(fr, kPurple, p, 1.1); });
        }
        case 13: return planes(71, PlanTable5(), Plane(Style::Fighter, kSand, {-1, 25}, 68, 15, {{12, 0}}));
        case 14: {
            PlaneDef d = Plane(Style::Bomber, kGreen, {-2, 42}, 130, 28, {{0, 50}});
            Plan v = PlanTable1(9);
            v[0].open = 0.6;
            return planes(96, v, d);
        }
        case 15:
        case 26: {
            Plan v = PlanCruiseClimbDiveFall(4, 2, 2, 4);
            v.push_back(Pose{});
            for (int i = 0; i < 8; ++i) v[size_t(i)].open = 0.7;  // hatches open while it can shoot
            if (n == 15) return planes(138, v, Plane(Style::Bomber, kCrimson, {0, 65}, 160, 36, {{0, 73}}));
            return frames(60, v, [](Rect fr, const Pose& p) { return SaucerFigure(fr, kOlive, p, 1.3, 3); });
        }
        case 16: {
            Plan v = Cruise(4);
            v += Steps(4, [](Pose& p, int i) { p.kind = 1, p.phase = i, p.dx = (i % 2 ? 3 : -3), p.dy = (i % 3) - 1; });
            v += Pitched({10, 20, 30});
            for (size_t i = 8; i < 11; ++i) v[i].centre = true;
            return frames(194, v, [](Rect fr, const Pose& p) {
                return FortressFigure(fr, Look{{150, 140, 120}, {100, 90, 80}, {220, 60, 40}}, p);
            });
        }
        case 17: return planes(40, PlanTable1(9), Plane(Style::Jet, kSteel, {2, 8}, 100, 14, {{35, 10}}));
        case 18: {
            Plan v = Cruise(4);
            v += Pitched({10, 18});
            v += Pitched({-10, -18});
            v += Falling(4);
            v += Steps(5, [](Pose& p, int) { p.kind = 2; });
            return frames(82, v, [](Rect fr, const Pose& p) { return HeliFigure(fr, kOlive, p); });
        }
        case 19:
        case 20: {
            Plan v = Cruise(2);
            v += Steps(3, [](Pose& p, int i) { p.wreck = 0.3 + 0.3 * i, p.smoke = 0.5 + 0.25 * i, p.pitch = -3 - 3 * i; });
            bool big = n == 20;
            Look k = big ? Look{{120, 125, 135}, {80, 85, 95}, {200, 60, 50}} : Look{{140, 140, 150}, {90, 95, 105}, {60, 60, 60}};
            return frames(big ? 191 : 66, v, [=](Rect fr, const Pose& p) { return ShipFigure(fr, k, big, p); });
        }
        case 21: {
            Plan v = Steps(7, [](Pose& p, int i) { p.phase = i, p.kind = i >= 4 ? 1 : 0; });
            v += Steps(4, [](Pose& p, int i) { p.pitch = -15 - 20 * i, p.smoke = 0.4 + 0.2 * i; });
            return frames(57, v, [](Rect fr, const Pose& p) { return MastFigure(fr, p); });
        }
        case 22: {
            Plan v = Steps(6, [](Pose& p, int i) { p.phase = i; });
            v += Steps(4, [](Pose& p, int i) { p.kind = 1, p.phase = i; });
            v += Steps(4, [](Pose& p, int i) { p.wreck = 0.4 + 0.2 * i, p.smoke = 0.4 + 0.15 * i; });
            return frames(30, v, [](Rect fr, const Pose& p) { return GroundGunFigure(fr, kSand, {1, 6}, p); });
        }
        case 23: {
            Plan v = Steps(4, [](Pose& p, int i) { p.phase = i; });
            v += Steps(2, [](Pose& p, int i) { p.kind = 1, p.phase = i; });
            v += Steps(4, [](Pose& p, int i) { p.wreck = 0.5 + 0.15 * i, p.smoke = 0.2 + 0.1 * i; });
            return frames(11, v, [](Rect fr, const Pose& p) { return TurretFigure(fr, kSteel, p); });
        }
        case 24: {
            Plan v = Steps(4, [](Pose& p, int i) { p.phase = i; });
            v += Steps(1, [](Pose& p, int) { p.kind = 1; });
            v += Steps(4, [](Pose& p, int i) { p.pitch = -20 - 22 * i, p.centre = true; });
            return frames(38, v, [](Rect fr, const Pose& p) { return SoldierFigure(fr, kGreen, p); });
        }
        case 25: {
            Plan v = Steps(4, [](Pose& p, int i) { p.phase = i; });
            v += Steps(1, [](Pose& p, int) { p.kind = 1; });
            v += Steps(4, [](Pose& p, int i) { p.pitch = -4 - 3 * i, p.smoke = 0.4 + 0.2 * i, p.wreck = 1; });
            return frames(60, v, [](Rect fr, const Pose& p) { return CartFigure(fr, kRust, p); });
        }
        case 27: {
            Plan v = Cruise(4);
            v += Pitched({6, 10, 14, 18});
            v += Pitched({-6, -10, -14, -18});
            v += Falling(4);
            v += Steps(4, [](Pose& p, int i) { p.roll = -20 - 10 * i, p.pitch = -8, p.phase = i; });
            return planes(79, v, Plane(Style::Fighter, kCrimson, {0, 30}, 76, 17, {{35, 35}}));
        }
        case 28:
        case 30:
        case 31:
        case 32: {
            Plan v = Cruise(3);
            v += Falling(4);
            v += Turning(4);
            if (n == 28) return planes(63, v, Plane(Style::Float, kTeal, {-2, 10}, 88, 12, {{-5, 25}}));
            if (n == 30) return planes(77, v, Plane(Style::Bomber, kPurple, {-3, 35}, 118, 26, {{-7, 49}}));
            if (n == 31) return planes(40, v, Plane(Style::Jet, kBlack, {0, 8}, 104, 14));
            return planes(43, v, Plane(Style::Biplane, kSand, {-1, 14}, 96, 10, {{9, 25}}));
        }
        case 29: return planes(66, PlanTable1(9), Plane(Style::Fighter, kBlack, {0, 17}, 74, 17, {{4, 32}}));
        case 33: {
            Plan v = Steps(6, [](Pose& p, int i) { p.phase = i; });
            v += Steps(4, [](Pose& p, int i) { p.kind = 1, p.phase = i; });
            v += Steps(1, [](Pose& p, int) { p.kind = 2; });
            return frames(38, v, [](Rect fr, const Pose& p) { return MineFigure(fr, p); });
        }
        case 34:
        case 39:
        case 40:
        case 41: {
            Plan v = SaucerPlan(13, false);
            int fh = n == 34 ? 64 : n == 39 ? 138 : n == 40 ? 137 : 99;
            Look k = n == 34 ? kTeal : n == 39 ? kPurple : n == 40 ? kSteel : kRust;
            int legs = n == 39 ? 3 : n == 41 ? 2 : 0;
            double dome = n == 40 ? 1.4 : 1.0;
            return frames(fh, v, [=](Rect fr, const Pose& p) { return SaucerFigure(fr, k, p, dome, legs); });
        }
        case 35: {
            Plan v = Cruise(4);
            v += Steps(3, [](Pose& p, int i) { p.open = 0.35 * (i + 1), p.phase = i; });
            v += Steps(4, [](Pose& p, int i) { p.wreck = 1, p.smoke = 0.4 + 0.2 * i, p.pitch = -1.0 * i, p.phase = i; });
            return frames(84, v, [](Rect fr, const Pose& p) { return MothershipFigure(fr, kSteel, p); });
        }
        case 36: {
            Plan v = Steps(3, [](Pose& p, int i) { p.phase = i; });
            v += Steps(4, [](Pose& p, int i) { p.kind = 1, p.phase = i; });
            return frames(47, v, [](Rect fr, const Pose& p) { return JumperFigure(fr, p); });
        }
        case 37: {
            Plan v = Steps(6, [](Pose& p, int i) { p.glow = (i + 1) / 6.0; });
            v += Steps(4, [](Pose& p, int i) { p.pitch = -10 - 15 * i, p.smoke = 0.3, p.glow = 0; });
            return frames(35, v, [](Rect fr, const Pose& p) { return ShieldFigure(fr, p); });
        }
        case 38: {
            Plan v = Cruise(4);
            v += Steps(2, [](Pose& p, int i) { p.pitch = 6.0 - 12 * i, p.open = 1; });
            v += Falling(4);
            return planes(96, v, Plane(Style::Bomber, kRust, {-2, 42}, 130, 28, {{0, 50}}));
        }
        default: break;
    }
    // Pickups 42-53.
    static const std::pair<char, Rgb> kPickups[12] = {
        {'A', {170, 170, 190}}, {'R', {60, 120, 230}}, {'F', {235, 100, 25}}, {' ', {0, 0, 0}},
        {'S', {40, 200, 200}},  {'W', {210, 60, 60}},  {'E', {70, 200, 70}},  {'L', {150, 70, 210}},
        {'M', {235, 200, 40}},  {'O', {235, 135, 175}}, {'+', {250, 250, 250}}, {'I', {170, 230, 255}},
    };
    if (n == 45) return PaintPilot(cv);
    if (n >= 42 && n <= 53) PaintPickup(cv, kPickups[n - 42].first, kPickups[n - 42].second);
}

}  // namespace

void PaintVorpex(int n, Canvas& cv) { PaintSheet(n, cv); }

// ---------------------------------------------------------------------------------------------
// The player's plane: 16 frames of one barrel roll, seen from the side, facing right. Frame 3 is
// level flight, 1 and 2 roll one way (climbing), 4 and 5 the other (diving), and the fall, the
// fly-out and the loop dive run through all 16. The plane spans its 80 x 64 frame with the
// propeller at the right edge; its two wing guns end there too, at the muzzle heights the game
// fires from, so each frame's roll angle is the one that puts them at those heights.

namespace {

struct Vec3 {
    double x, y, z;  // x toward the nose, y up, z toward the viewer (before the roll)
};

// One flat piece of the plane: a polygon in the plane's own coordinates.
struct Piece {
    std::vector<Vec3> pts;
    Rgb color;
    bool shaded = false;
};

// The fuselage's radius along its length (tail at x 2, spinner tip at 79).
double BodyRadius(double x) {
    static const double kAt[][2] = {{2, 2}, {20, 4.8}, {40, 7}, {55, 7.5}, {66, 7.5}, {73, 7}, {75, 6}};
    if (x <= kAt[0][0]) return kAt[0][1];
    for (size_t i = 1; i < std::size(kAt); ++i)
        if (x <= kAt[i][0]) return kAt[i - 1][1] + (kAt[i][1] - kAt[i - 1][1]) * (x - kAt[i - 1][0]) / (kAt[i][0] - kAt[i - 1][0]);
    return kAt[std::size(kAt) - 1][1];
}

}  // namespace

void PaintPlayer(Canvas& cv) {
    const Rgb body{200, 205, 215}, wingTop{182, 192, 208}, belly{222, 228, 238}, trim{200, 40, 40}, gun{50, 50, 56};
    constexpr double kMuzzleX = 75;   // where the barrels end; the shots start at the frame's edge
    constexpr double kGunSpan = 23;   // from the fuselage's axis out to each wing gun
    constexpr double kWingSpan = 29;  // out to each wing tip
    for (int f = 1; f <= 16; ++f) {
        const Rect fr{0, (f - 1) * 64, 80, 64};
        const double g1 = gorb::kPlayerGunY1[size_t((f - 1) % 8)], g2 = gorb::kPlayerGunY2[size_t((f - 1) % 8)];
        const double axisY = fr.y + (g1 + g2) / 2, half = (g2 - g1) / 2;
        // The roll runs 22.5 degrees a frame; the nose bobs with it, up twice and down twice a
        // turn (never while the wings stand on end, so the tips stay inside the frame).
        const double ideal = -(f - 3) * 22.5;
        const double pitch = 5 * std::sin(Rad(2 * ideal));
        // The roll angle nearest the ideal one that puts the guns at their heights after the pitch.
        const double lift = std::asin(std::clamp(half / std::cos(Rad(pitch)) / kGunSpan, 0.0, 1.0)) * 180 / kPi;
        double roll = lift, bestGap = 1e9;
        for (double c : {lift, 180 - lift, -lift, -180 + lift}) {
            double gap = std::abs(std::remainder(c - ideal, 360.0));
            if (gap < bestGap) bestGap = gap, roll = c;
        }
        const double cr = std::cos(Rad(roll)), sr = std::sin(Rad(roll));
        const double cp = std::cos(Rad(pitch)), sp = std::sin(Rad(pitch));
        // Plane coordinates to the frame: roll about the axis, then pitch about the muzzles' point.
        auto screen = [&](Vec3 v) {
            double y = v.y * cr - v.z * sr;
            double dx = v.x - kMuzzleX, dy = -y;
            return Point{kMuzzleX + dx * cp + dy * sp + 0.5, axisY - dx * sp + dy * cp};
        };
        auto depth = [&](Vec3 v) { return v.y * sr + v.z * cr; };
        // How much a face with the given normal (plane coordinates) is lit, from above and in front.
        auto light = [&](Vec3 n) {
            double ny = n.y * cr - n.z * sr, nz = n.y * sr + n.z * cr;
            return 0.74 + 0.26 * std::max(0.0, 0.55 * ny + 0.83 * nz);
        };

        struct Drawn {
            double depth;
            std::vector<Point> poly;
            Rgb color;
            bool shaded;
            bool edged = false;  // a darker line round it, to part it from what lies behind
        };
        std::vector<Drawn> parts;
        auto add = [&](const Piece& pc, double d, bool edged = false) {
            std::vector<Point> poly;
            for (const Vec3& v : pc.pts) poly.push_back(screen(v));
            parts.push_back({d, std::move(poly), pc.color, pc.shaded, edged});
        };
        // A flat surface of some thickness (wing, tailplane): its face turned away first, darker,
        // then the face towards the viewer, so edge-on it still shows as a slab.
        auto plate = [&](std::vector<Point> outline, double y, double thick, Rgb top, Rgb bottom) {
            const double up = sr;  // how much the top face turns towards the viewer
            double zMid = 0;
            for (auto& q : outline) zMid += q.y;
            zMid /= double(outline.size());
            const double d = depth({0, y, zMid});
            auto face = [&](double fy, Rgb c, bool edged) {
                Piece pc;
                for (auto& q : outline) pc.pts.push_back({q.x, fy, q.y});
                pc.color = c;
                add(pc, d, edged);
            };
            const double far = up >= 0 ? y - thick / 2 : y + thick / 2, near = up >= 0 ? y + thick / 2 : y - thick / 2;
            Rgb nearC = up >= 0 ? Shade(top, light({0, 1, 0})) : Shade(bottom, light({0, -1, 0}));
            for (double fy = far; up >= 0 ? fy < near : fy > near; fy += up >= 0 ? 0.5 : -0.5) face(fy, Shade(nearC, 0.8), false);
            face(near, nearC, true);
        };

        // Wings, one half each side, and the tailplane: planforms as (x, z) outlines.
        for (int side : {1, -1}) {
            std::vector<Point> wing{{44, 0}, {62, 0}, {60.5, side * 20.0}, {58.5, side * (kWingSpan - 1.5)},
                                    {56, side * kWingSpan}, {51, side * kWingSpan}, {48.5, side * (kWingSpan - 2.0)}};
            plate(wing, 0, 2, wingTop, belly);
            std::vector<Point> tail{{3, 0}, {14, 0}, {11.5, side * 11.0}, {8.5, side * 12.0}, {4.5, side * 11.0}};
            plate(tail, 0.5, 1.5, wingTop, belly);
            // Roundel on the upper face, seen when the top turns towards the viewer.
            if (sr > 0.35) {
                Point c = screen({53, 1, side * 19.0});
                double ry = 3.5 * std::abs(sr);
                double d = depth({53, 1, side * 19.0}) + 0.01;
                parts.push_back({d, Ell(c.x, c.y, 3.5, ry), trim, false});
                parts.push_back({d + 0.001, Ell(c.x, c.y, 1.8, ry * 0.5), kWhite, false});
            }
            // The gun: a pod on the leading edge and its barrel out to the muzzle.
            Vec3 root{58.5, 0, side * kGunSpan}, muzzle{kMuzzleX, 0, side * kGunSpan};
            double d = depth(root) + 0.02;
            parts.push_back({d, Bar(screen(root), screen(muzzle), 2.2), gun, false});
            Point pod = screen({60, 0, side * kGunSpan});
            parts.push_back({d, Ell(pod.x, pod.y, 3, 1.8), Shade(wingTop, 0.7), false});
        }
        // The fin, standing up from the tail: it leans towards the viewer as the plane rolls.
        {
            Piece fin{{{2, 1.5, 0}, {4.5, 13.5, 0}, {9, 13.5, 0}, {15, 3, 0}}, Shade(body, 0.85 * light({0, 0, 1}) + 0.15), false};
            add(fin, depth({8, 7, 0}), true);
            Piece tip{{{4.5, 13.5, 0}, {9, 13.5, 0}, {8.3, 11.5, 0}, {4.1, 11.5, 0}}, trim, false};
            add(tip, depth({8, 7, 0}) + 0.001);
        }
        // The fuselage: round, so the same outline at every roll; what is on it turns with it.
        {
            Piece hull;
            for (double x = 2; x <= 75; x += 1) hull.pts.push_back({x, BodyRadius(x), 0});
            for (double x = 75; x >= 2; x -= 1) hull.pts.push_back({x, -BodyRadius(x), 0});
            // Drawn as a silhouette: the outline in the frame's plane, whatever the roll.
            std::vector<Point> poly;
            for (const Vec3& v : hull.pts) {
                double dx = v.x - kMuzzleX, dy = -v.y;
                poly.push_back({kMuzzleX + dx * cp + dy * sp + 0.5, axisY - dx * sp + dy * cp});
            }
            parts.push_back({0, std::move(poly), body, true});
            // The red stripe along each side and the canopy on top, where they face the viewer.
            for (double around : {90.0, -90.0, 0.0}) {
                const double a = Rad(around);
                const double facing = std::sin(a) * cr + std::cos(a) * sr;  // towards the viewer
                if (facing < -0.15) continue;
                auto onSkin = [&](double x, double above) {
                    double r = BodyRadius(x) + above;
                    return Vec3{x, r * std::cos(a), r * std::sin(a)};
                };
                Piece mark;
                if (around == 0) {  // the canopy: a bubble over the cockpit
                    for (double x = 36; x <= 52; x += 1) mark.pts.push_back(onSkin(x, 3.5 * std::sin(kPi * (x - 36) / 16)));
                    for (double x = 52; x >= 36; x -= 1) mark.pts.push_back(onSkin(x, -1.5));
                    mark.color = Shade(kGlass, 0.8 + 0.25 * std::max(0.0, facing));
                } else {  // the stripe, from the cockpit back towards the tail
                    for (double x = 12; x <= 50; x += 2) mark.pts.push_back(onSkin(x, 0.2));
                    const double w = Rad(around > 0 ? 90 - 28 : -90 + 28);
                    for (double x = 50; x >= 12; x -= 2) {
                        double r = BodyRadius(x) + 0.2;
                        mark.pts.push_back({x, r * std::cos(w), r * std::sin(w)});
                    }
                    mark.color = trim;
                }
                add(mark, 0.5 + facing);
            }
            // The engine cowling's ring.
            parts.push_back({0.2, Bar(screen({66, 7.5, 0}), screen({66, -7.5, 0}), 1.2), Shade(body, 0.7), false});
        }
        // The propeller disc and the spinner, in front of everything.
        {
            Point hub = screen({77.5, 0, 0});
            std::vector<Point> disc = Ell(0, 0, 1.3, 11.5);
            for (auto& q : disc) q = {hub.x + q.x * cp + q.y * sp, hub.y - q.x * sp + q.y * cp};
            parts.push_back({100, std::move(disc), Rgb{185, 185, 192}, false});
            Piece spinner{{{74, 3.5, 0}, {76.5, 3, 0}, {79, 0, 0}, {76.5, -3, 0}, {74, -3.5, 0}}, trim, true};
            add(spinner, 101);
        }

        std::stable_sort(parts.begin(), parts.end(), [](const Drawn& a, const Drawn& b) { return a.depth < b.depth; });
        Rect in = Inner(fr);
        cv.SetClip(in);
        for (const Drawn& d : parts) {
            if (d.shaded)
                cv.FillPolygonShaded(d.poly, d.color, 0.3);
            else
                cv.FillPolygon(d.poly, d.color);
            if (d.edged)
                for (size_t i = 0; i < d.poly.size(); ++i) {
                    const Point a = d.poly[i], b = d.poly[(i + 1) % d.poly.size()];
                    cv.Line(int(std::floor(a.x)), int(std::floor(a.y)), int(std::floor(b.x)), int(std::floor(b.y)), Shade(d.color, 0.62));
                }
        }
        cv.OutlineOpaque(in, kInk);
        cv.ResetClip();
    }
}

}  // namespace gen
