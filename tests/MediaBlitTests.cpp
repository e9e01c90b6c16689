#include <gtest/gtest.h>

#include "media/BlitClip.h"

using namespace gorb;

TEST(MediaBlitClip, ClipsToThePlayAreaAndLeavesTheRectanglesChanged) {
    struct Case {
        const char* label;
        BlitRect src, dest;
        BlitRect wantSrc, wantDest;
        bool draws;
    } cases[] = {
        // Hanging over the left edge: the source moves by the same 10 pixels.
        {"Vorpex GFX", {0, 0, 40, 20}, {-10, 5, 30, 25}, {10, 0, 40, 20}, {0, 5, 30, 25}, true},
        // Exactly on the right and bottom edges: untouched.
        {"Player GFX", {0, 0, 12, 30}, {600, 300, 612, 330}, {0, 0, 12, 30}, {600, 300, 612, 330}, true},
        // One past: pulled back to 612 and 330.
        {"Player GFX", {0, 0, 13, 31}, {600, 300, 613, 331}, {0, 0, 12, 30}, {600, 300, 612, 330}, true},
        // Over the top.
        {"Bullet GFX", {5, 50, 25, 70}, {100, -7, 120, 13}, {5, 57, 25, 70}, {100, 0, 120, 13}, true},
        // Wholly left of the area: empty, nothing drawn.
        {"Explode GFX", {0, 0, 40, 20}, {-50, 5, -10, 25}, {50, 0, 40, 20}, {0, 5, -10, 25}, false},
        // Right edge at 0: empty too.
        {"Ice GFX", {0, 0, 40, 20}, {-40, 5, 0, 25}, {40, 0, 40, 20}, {0, 5, 0, 25}, false},
        // Wholly below the area.
        {"Propeller", {0, 0, 10, 10}, {10, 340, 20, 350}, {0, 0, 10, -10}, {10, 340, 20, 330}, false},
        // "Tile" labels are never clipped (the screen frame is placed by hand).
        {"Tile", {0, 0, 640, 480}, {-14, -75, 626, 405}, {0, 0, 640, 480}, {-14, -75, 626, 405}, true},
        {"Tile Draw", {0, 0, 40, 20}, {-10, 5, 30, 25}, {0, 0, 40, 20}, {-10, 5, 30, 25}, true},
        // ... but the check is case-sensitive.
        {"tile", {0, 0, 40, 20}, {-10, 5, 30, 25}, {10, 0, 40, 20}, {0, 5, 30, 25}, true},
        {"Til", {0, 0, 40, 20}, {-10, 5, 30, 25}, {10, 0, 40, 20}, {0, 5, 30, 25}, true},
        // An unclipped "Tile" rectangle that is empty still draws nothing.
        {"Tile", {0, 0, 40, 20}, {30, 5, 30, 25}, {0, 0, 40, 20}, {30, 5, 30, 25}, false},
    };
    for (const Case& c : cases) {
        BlitRect src = c.src, dest = c.dest;
        bool draws = ClipToPlayArea(src, dest, c.label);
        EXPECT_EQ(draws, c.draws) << c.label << " dest " << c.dest.Left << "," << c.dest.Top;
        EXPECT_EQ(src, c.wantSrc) << c.label << " dest " << c.dest.Left << "," << c.dest.Top;
        EXPECT_EQ(dest, c.wantDest) << c.label << " dest " << c.dest.Left << "," << c.dest.Top;
    }
}
