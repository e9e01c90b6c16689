// The player's plane. Control, weapons and the fall are still to come; the fly-in, the
// level-exit flight and the drawing are here so that a level can be played through.
#include "world/World.h"

namespace gorb {

void DrawPlayer(Game& g) {
    PlaneRecord& p = g.Player();
    g.SrcRect = {0, p.SrcY, p.Width, p.SrcY + p.Height};
    g.DestRect = {p.X, p.Y, p.X + p.Width, p.Y + p.Height};
    g.Media->BlitToBackBuffer(surf::Player, g.SrcRect, g.DestRect, g.Sheets.PlayerSheetWidth,
                              g.Sheets.PlayerSheetHeight, "Player GFX");
}

void UpdatePlayerWeapons(Game&) {}

void UpdatePlayer(Game& g) {
    PlaneRecord& p = g.Player();
    if (p.Active == False) {
        p.X = ToInteger(p.X + 4);
        if (p.X >= 10) {
            p.Active = True;
            if (p.GunBullet[1] > 1 || g.Controls.ItemCount > 0) p.Link = 0;
        }
    }
    p.SrcY = ToInteger((p.Frame - 1) * p.Height);
    DrawPlayer(g);
    if (g.Voice.VoiceCooldown > 0) g.Voice.VoiceCooldown = ToInteger(g.Voice.VoiceCooldown - 1);
    if (g.Voice.HurtVoiceMeter > 0) g.Voice.HurtVoiceMeter = ToInteger(g.Voice.HurtVoiceMeter - 1);
}

void PlayerFlyOut(Game& g) {
    PlaneRecord& p = g.Player();
    DrawPlayer(g);  // at the old position: the plane is drawn twice in each frame of the exit
    p.X = ToInteger(p.X + 2 * p.MaxSpeed);
    p.Frame = ToInteger(p.Frame + 1);
    if (p.Frame > 16) p.Frame = 1;
    UpdatePlayerWeapons(g);
    p.SrcY = ToInteger((p.Frame - 1) * p.Height);
    DrawPlayer(g);
    if (p.X > 712) StartNextLevel(g);
}

}  // namespace gorb
