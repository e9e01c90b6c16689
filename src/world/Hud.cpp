// The screen frame around the play area and the HUD below it, drawn straight onto the screen.
#include "world/World.h"

namespace gorb {

void BlitTile(Game& g, Long dstX, Long dstY, Long srcX, Long srcY, Long width, Long height) {
    g.SrcRect = {srcX, srcY, srcX + width, srcY + height};
    g.DestRect = {dstX, dstY, dstX + width, dstY + height};
    g.Media->BlitToPrimary(surf::Tiles, g.SrcRect, g.DestRect, g.Sheets.TileSheetWidth,
                           g.Sheets.TileSheetHeight, "Tile Draw");
}

void BlitMisc(Game& g, Long dstX, Long dstY, Long srcX, Long srcY, Long width, Long height) {
    g.SrcRect = {srcX, srcY, srcX + width, srcY + height};
    g.DestRect = {dstX, dstY, dstX + width, dstY + height};
    g.Media->BlitToPrimary(surf::Misc, g.SrcRect, g.DestRect, g.Sheets.MiscSheetWidth,
                           g.Sheets.MiscSheetHeight, "Tile Misc Stuff");
}

void TileBackdrop(Game& g) {
    HudState& h = g.Hud;
    const Long screenW = g.Display.ScreenWidth;
    const Long screenH = g.Display.ScreenHeight;
    h.TilePieceWidth = 579;
    h.TilePieceHeight = 318;
    for (Long x = 0; x <= screenW; x += 579) {
        h.TilePieceWidth = x > screenW - 579 ? screenW - x : 579;
        for (Long y = 0; y <= screenH; y += 318) {
            h.TilePieceHeight = y > screenH - 318 ? screenH - y : 318;
            BlitTile(g, x, y, 19, 81, h.TilePieceWidth, h.TilePieceHeight);
        }
        h.TilePieceWidth = 579;
        h.TilePieceHeight = 318;
    }
}

void DrawScreenFrame(Game& g) {
    TileBackdrop(g);
    const DisplayState& d = g.Display;
    // Halved by truncation, like the play area's own position: on a desktop of odd size the
    // frame's window then stays exactly around the play area instead of rounding a pixel off.
    BlitTile(g, (d.ScreenWidth - 640) / 2, (d.ScreenHeight - 480) / 2, 0, 0, 640, 480);
    g.Hud.EnergyBarX = d.PlayAreaX + 218;
    g.Hud.EnergyBarY = d.PlayAreaY + 348;
    g.Hud.ItemRowX = ToInteger(d.PlayAreaX + 411);
    g.Hud.ItemRowY = ToInteger(d.PlayAreaY + 349);
}

void DrawLoadingBanner(Game& g) {
    BlitMisc(g, g.Display.PlayAreaX + 190, g.Display.PlayAreaY + 128, 239, 60, 233, 74);
    // Shown at once: the set-up that follows pumps no messages and ends by drawing the frame
    // over the banner.
    g.Media->PresentScreen();
}

void UpdateEnergyGauge(Game& g) {
    HudState& h = g.Hud;
    const Integer hp = g.Player().HitPoints;
    if (hp == h.ShownEnergy) return;
    const int diff = hp - h.ShownEnergy;
    int shown = h.ShownEnergy;
    if (diff > -4 && diff < 4) {
        shown = hp;
    } else {
        shown += diff > 0 ? 4 : -4;
    }
    h.ShownEnergy = ToInteger(Clamp(shown, 0, 100));
    const Long e = h.ShownEnergy;
    BlitMisc(g, h.EnergyBarX, h.EnergyBarY, 100 - e, 0, e, 22);
    BlitMisc(g, h.EnergyBarX + e, h.EnergyBarY, 364 + e, 30, 100 - e, 22);
}

void UpdateLivesRow(Game& g) {
    const Integer lives = g.Player().Lives;
    if (lives == g.Hud.ShownLives) return;
    for (int k = 1; k <= 6; ++k) {
        const Long srcX = k <= lives ? 340 : 320;
        BlitMisc(g, g.Display.PlayAreaX - 1 + 20 * (k - 1), g.Display.PlayAreaY + 349, srcX, 0, 20,
                 20);
    }
    g.Hud.ShownLives = lives;
}

void DrawItemSlots(Game& g) {
    const PlayerControls& c = g.Controls;
    for (int k = 1; k <= kItemSlots; ++k) {
        const Long srcX = k <= c.ItemCount ? 340 + 20 * c.Items[k] : 320;
        BlitMisc(g, g.Hud.ItemRowX + 20 * (k - 1), g.Hud.ItemRowY, srcX, 0, 20, 20);
    }
}

}  // namespace gorb
