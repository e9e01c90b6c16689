// The pixel-exact collision test: a cheap box test first, then the overlap of the two sprites
// sampled on a grid over their locked sheets, a pixel counting only where neither sprite holds
// the colour key.
#include <cstdlib>

#include "world/World.h"

namespace gorb {

namespace {

// One overlap axis: where it starts in the plane (a) and in the other sprite (b), and its size.
struct Span {
    Long OffA = 0;
    Long OffB = 0;
    Long Size = 0;
};

Span Overlap(Long posA, Long sizeA, Long posB, Long sizeB) {
    Span s;
    if (posB > posA) {
        s.OffA = posB - posA;
        s.Size = sizeA - s.OffA;
        if (s.Size > sizeB) s.Size = sizeB;
    } else {
        s.OffB = posA - posB;
        s.Size = sizeB - s.OffB;
        if (s.Size > sizeA) s.Size = sizeA;
    }
    return s;
}

// True when a sampled pixel pair is opaque in both sprites. A key pixel in the second sprite
// saves the read of the first.
bool Sample(MediaPort& m, SurfaceId sheetA, SurfaceId sheetB, Long key, Long ax, Long ay,
            Long bx, Long by, const Span& sx, const Span& sy, Long step) {
    // Columns outside, rows inside, from the overlap's top-left corner.
    for (Long i = 0; i <= sx.Size - 1; i += step) {
        for (Long j = 0; j <= sy.Size - 1; j += step) {
            if (m.GetLockedPixel(sheetB, bx + i, by + j) == key) continue;
            if (m.GetLockedPixel(sheetA, ax + i, ay + j) == key) continue;
            return true;
        }
    }
    return false;
}

}  // namespace

void SpriteCollision(Game& g, Integer kind, Integer index, Integer otherCentreX,
                     Integer otherCentreY, Integer otherX, Integer otherY, Long otherWidth,
                     Long otherHeight, Integer otherSrcX, Integer otherSrcY, Boolean& hit,
                     Integer step) {
    if (kind < collide::PlayerBullet || kind > collide::PlayerPlane) return;
    const PlaneRecord& a = g.Obj.Planes.at(static_cast<size_t>(index));
    if (a.Active != True || a.Dying != 0) return;

    // Box test on the centres, strict: boxes that only meet along an edge do not overlap.
    const Long cxA = a.Width / 2 + a.X;
    const Long cyA = a.Height / 2 + a.Y;
    if (std::labs(otherCentreX - cxA) >= (otherWidth + a.Width) / 2) return;
    if (std::labs(otherCentreY - cyA) >= (otherHeight + a.Height) / 2) return;

    const Span sx = Overlap(a.X, a.Width, otherX, otherWidth);
    const Span sy = Overlap(a.Y, a.Height, otherY, otherHeight);

    // The sheets the two sprites are drawn from; the second sprite's is locked first.
    SurfaceId sheetA = a.Sheet;
    SurfaceId sheetB = surf::Bullet;
    if (kind == collide::EnemyBullet) sheetA = surf::Player;
    if (kind == collide::PlayerPlane) sheetB = surf::Player;
    MediaPort& m = *g.Media;
    m.LockSurface(sheetB);
    try {
        m.LockSurface(sheetA);
    } catch (...) {
        m.UnlockSurface(sheetB);
        throw;
    }

    hit = False;
    // A step below 1 would never leave the grid.
    const Long st = step < 1 ? 1 : step;
    bool touched = false;
    try {
        touched = Sample(m, sheetA, sheetB, g.Display.ColorKeyPixel, a.SrcX + sx.OffA,
                         a.SrcY + sy.OffA, otherSrcX + sx.OffB, otherSrcY + sy.OffB, sx, sy, st);
    } catch (...) {
        // A failed read leaves no sheet locked behind it.
        m.UnlockSurface(sheetB);
        m.UnlockSurface(sheetA);
        throw;
    }
    if (touched) hit = True;

    // The player's plane, when it is the second sprite, is let go last.
    if (kind == collide::PlayerPlane) {
        m.UnlockSurface(sheetA);
        m.UnlockSurface(sheetB);
    } else {
        m.UnlockSurface(sheetB);
        m.UnlockSurface(sheetA);
    }
}

}  // namespace gorb
