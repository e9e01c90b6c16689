// The screen frame, the HUD, the background strips and the overload sign.
#include "WorldTestSupport.h"

using namespace gorb;
using namespace gorb::test;

namespace {

class Hud : public WorldTest {
protected:
    void Mode(int w, int h) {
        g.Display.ScreenWidth = w;
        g.Display.ScreenHeight = h;
        PlacePlayArea(g.Display, w, h);
    }
    std::vector<BlitRect> Dests(const std::string& label) const {
        std::vector<BlitRect> out;
        for (const Call& c : media.Of("prim", label)) out.push_back(c.Dst);
        return out;
    }
};

TEST_F(Hud, ScreenFrameAndBackdropAt640And800) {
    struct { int w, h; std::vector<BlitRect> pieces; BlitRect frame; Long barX, barY; } cases[] = {
        {640, 480,
         {{0, 0, 579, 318}, {0, 318, 579, 480}, {579, 0, 640, 318}, {579, 318, 640, 480}},
         {0, 0, 640, 480}, 232, 423},
        {800, 600,
         {{0, 0, 579, 318}, {0, 318, 579, 600}, {579, 0, 800, 318}, {579, 318, 800, 600}},
         {80, 60, 720, 540}, 312, 483}};
    for (const auto& c : cases) {
        media.Calls.clear();
        Mode(c.w, c.h);
        DrawScreenFrame(g);
        auto d = Dests("Tile Draw");
        ASSERT_EQ(d.size(), 5u) << c.w;
        EXPECT_EQ(std::vector<BlitRect>(d.begin(), d.begin() + 4), c.pieces) << c.w;
        EXPECT_EQ(d[4], c.frame);
        EXPECT_EQ(g.Hud.EnergyBarX, c.barX);
        EXPECT_EQ(g.Hud.EnergyBarY, c.barY);
        EXPECT_EQ(g.Hud.TilePieceWidth, 579);
        // Every backdrop piece comes from the window's inside, the frame is the whole sheet.
        const auto tiles = media.Of("prim", "Tile Draw");
        for (int k = 0; k < 4; ++k) {
            const Call& piece = tiles[size_t(k)];
            EXPECT_EQ(piece.Surface, surf::Tiles);
            EXPECT_EQ(piece.Src.Left, 19);
            EXPECT_EQ(piece.Src.Top, 81);
            EXPECT_EQ(piece.Src.Right - piece.Src.Left, piece.Dst.Right - piece.Dst.Left);
            EXPECT_EQ(piece.Src.Bottom - piece.Src.Top, piece.Dst.Bottom - piece.Dst.Top);
        }
        EXPECT_EQ(tiles[4].Src, (BlitRect{0, 0, 640, 480}));
    }
}

TEST_F(Hud, BackdropAt1024ColumnsOutsideRowsInsideAndTheAnchors) {
    Mode(1024, 768);
    DrawScreenFrame(g);
    auto d = Dests("Tile Draw");
    std::vector<BlitRect> want = {{0, 0, 579, 318},     {0, 318, 579, 636},     {0, 636, 579, 768},
                                  {579, 0, 1024, 318},  {579, 318, 1024, 636},  {579, 636, 1024, 768},
                                  {192, 144, 832, 624}};
    EXPECT_EQ(d, want);
    EXPECT_EQ(g.Hud.EnergyBarX, 206 + 218);
    EXPECT_EQ(g.Hud.EnergyBarY, 219 + 348);
    EXPECT_EQ(g.Hud.ItemRowX, 206 + 411);
    EXPECT_EQ(g.Hud.ItemRowY, 219 + 349);
    EXPECT_EQ(g.Hud.TilePieceHeight, 318);

    // An odd-sized desktop: the frame's window still sits exactly around the play area.
    media.Calls.clear();
    g.Display.ScreenWidth = 1023;
    g.Display.ScreenHeight = 767;
    PlacePlayArea(g.Display, 1023, 767);
    DrawScreenFrame(g);
    EXPECT_EQ(Dests("Tile Draw").back().Left + 14, g.Display.PlayAreaX);
    EXPECT_EQ(Dests("Tile Draw").back().Top + 75, g.Display.PlayAreaY);
}

TEST_F(Hud, LoadingBannerInTheMiddleOfThePlayArea) {
    Mode(800, 600);
    DrawLoadingBanner(g);
    auto calls = media.Of("prim", "Tile Misc Stuff");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Surface, surf::Misc);
    EXPECT_EQ(calls[0].Src, (BlitRect{239, 60, 472, 134}));
    EXPECT_EQ(calls[0].Dst, (BlitRect{94 + 190, 135 + 128, 94 + 190 + 233, 135 + 128 + 74}));
}

TEST_F(Hud, EnergyBarSlidesFourPixelsAFrame) {
    Mode(640, 480);
    DrawScreenFrame(g);
    g.Hud.ShownEnergy = 100;
    g.Player().HitPoints = 100;
    media.Calls.clear();
    UpdateEnergyGauge(g);
    EXPECT_TRUE(media.Calls.empty());
    g.Player().HitPoints = 20;
    int frames = 0;
    while (g.Hud.ShownEnergy != 20) {
        UpdateEnergyGauge(g);
        ++frames;
    }
    EXPECT_EQ(frames, 20);
    // The full part shows E pixels, the empty part the rest.
    auto d = media.Of("prim", "Tile Misc Stuff");
    EXPECT_EQ(d[d.size() - 2].Src, (BlitRect{80, 0, 100, 22}));
    EXPECT_EQ(d.back().Src, (BlitRect{384, 30, 464, 52}));
    EXPECT_EQ(d.back().Dst.Left, 232 + 20);
    g.Player().HitPoints = -2;
    for (int f = 0; f < 10; ++f) UpdateEnergyGauge(g);
    EXPECT_EQ(g.Hud.ShownEnergy, 0);
    // The level start's forced redraw: 110 moves to 106, is limited to 100 and draws a full bar.
    g.Player().HitPoints = 100;
    g.Hud.ShownEnergy = 110;
    media.Calls.clear();
    UpdateEnergyGauge(g);
    EXPECT_EQ(g.Hud.ShownEnergy, 100);
    d = media.Of("prim", "Tile Misc Stuff");
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].Src, (BlitRect{0, 0, 100, 22}));
    EXPECT_EQ(d[0].Dst, (BlitRect{232, 423, 332, 445}));
    EXPECT_EQ(d[1].Dst.Right - d[1].Dst.Left, 0);  // the empty part has no width: nothing drawn
}

TEST_F(Hud, LivesRowAndItemSlots) {
    Mode(640, 480);
    DrawScreenFrame(g);
    struct { int lives; int icons; } cases[] = {{7, 6}, {2, 2}, {-1, 0}};
    for (auto c : cases) {
        media.Calls.clear();
        g.Player().Lives = ToInteger(c.lives);
        UpdateLivesRow(g);
        auto calls = media.Of("prim", "Tile Misc Stuff");
        ASSERT_EQ(calls.size(), 6u);
        int icons = 0;
        for (const Call& k : calls) icons += k.Src.Left == 340;
        EXPECT_EQ(icons, c.icons);
        EXPECT_EQ(calls[0].Dst.Left, 13);
        EXPECT_EQ(calls[5].Dst.Left, 113);
        EXPECT_EQ(calls[0].Dst.Top, 424);
        for (int k = 1; k <= 6; ++k)
            EXPECT_EQ(calls[size_t(k - 1)].Src, (BlitRect{k <= c.lives ? 340 : 320, 0, k <= c.lives ? 360 : 340, 20}));
        media.Calls.clear();
        UpdateLivesRow(g);
        EXPECT_TRUE(media.Calls.empty());
    }
    g.Controls.ItemCount = 2;
    g.Controls.Items[1] = 3;
    g.Controls.Items[2] = 5;
    media.Calls.clear();
    DrawItemSlots(g);
    auto calls = media.Of("prim", "Tile Misc Stuff");
    ASSERT_EQ(calls.size(), 10u);
    EXPECT_EQ(calls[0].Src.Left, 400);
    EXPECT_EQ(calls[1].Src.Left, 440);
    EXPECT_EQ(calls[2].Src.Left, 320);
    EXPECT_EQ(calls[0].Dst.Left, 425);
    EXPECT_EQ(calls[9].Dst.Right, 625);
}

TEST_F(Hud, StripPositionsAtOffsets0And149) {
    struct { Long offset; std::vector<Long> xs; } cases[] = {
        {0, {0, 150, 300, 450, 600}}, {149, {-149, 1, 151, 301, 451, 601}}};
    for (const auto& c : cases) {
        media.Calls.clear();
        Long offset = c.offset;
        DrawScrollStrip(g, offset, 150, "Screen Front");
        std::vector<Long> xs;
        for (const Call& k : media.Calls) {
            xs.push_back(k.Dst.Left);
            EXPECT_EQ(k.Src.Left, 150);
            EXPECT_EQ(k.Surface, surf::Screen);
        }
        EXPECT_EQ(xs, c.xs);
    }
}

TEST_F(Hud, LayersScrollAtTheirSpeedsAndWrapToZero) {
    g.Hud.BackLayerOffset = 10;
    g.Hud.FrontLayerOffset = 148;
    DrawBackgroundLayers(g);
    EXPECT_EQ(g.Hud.BackLayerOffset, 11);
    EXPECT_EQ(g.Hud.FrontLayerOffset, 0);
    g.Ice.FreezeTimer = 5;
    g.Hud.FrontLayerOffset = 149;
    DrawBackgroundLayers(g);
    EXPECT_EQ(g.Hud.BackLayerOffset, 12);
    EXPECT_EQ(g.Hud.FrontLayerOffset, 0);
    g.Ice = {};
    g.Ice.FrozenTimer = 50;
    media.Calls.clear();
    DrawBackgroundLayers(g);
    EXPECT_EQ(g.Hud.BackLayerOffset, 12);
    EXPECT_EQ(g.Hud.FrontLayerOffset, 0);
    EXPECT_EQ(media.Count("back", "Screen Back"), 5);  // drawn anyway, from x -12
    g.Ice = {};
    g.Flags.FullBackground = False;
    media.Calls.clear();
    DrawBackgroundLayers(g);
    EXPECT_EQ(media.Count("back", "Screen Front"), 0);
    EXPECT_EQ(g.Hud.FrontLayerOffset, 2);
}

TEST_F(Hud, OverloadSignAfterTenOverloadedFrames) {
    g.Hud.Overloaded = True;
    for (int f = 0; f < 9; ++f) DrawProcessorAlert(g);
    EXPECT_EQ(media.Count("prim", "Processor Alert"), 0);
    std::vector<Long> frames;
    for (int f = 0; f < 5; ++f) {
        DrawProcessorAlert(g);
        frames.push_back(media.Calls.back().Src.Left);
    }
    EXPECT_EQ(frames, (std::vector<Long>{213, 239, 265, 291, 213}));
    EXPECT_EQ(media.Calls.back().Dst, (BlitRect{16, 77, 42, 95}));
    g.Hud.Overloaded = False;
    for (int f = 0; f < 11; ++f) DrawProcessorAlert(g);
    EXPECT_EQ(g.Hud.AlertHold, 9);
}

}  // namespace
