// The player's plane: reading the stick or the arrow keys, moving inside the play area with
// acceleration, tilting, flying in at the start of a life, the loop-dive's horizontal phases,
// the fall of a shot-down plane and the flight off to the right at the end of a level.
#include "world/PlayerInput.h"
#include "world/World.h"

namespace gorb {

namespace {

// Axis values: only a full deflection moves; anything else is the centre.
constexpr Long kAxisLow = 0;
constexpr Long kAxisHigh = 10000;
constexpr Long kAxisCentre = 5000;

Long KeyAxis(const Game& g, uint8_t lowKey, uint8_t highKey) {
    if (KeyDown(g, lowKey)) return kAxisLow;  // both keys held: the low one wins
    if (KeyDown(g, highKey)) return kAxisHigh;
    return kAxisCentre;
}

void SetSourceRow(PlaneRecord& p) { p.SrcY = ToInteger((p.Frame - 1) * p.Height); }

}  // namespace

void NextSpinFrame(PlaneRecord& p) {
    p.Frame = ToInteger(p.Frame + 1);
    if (p.Frame > 16) p.Frame = 1;
}

void DrawPlayer(Game& g) {
    PlaneRecord& p = g.Player();
    g.SrcRect = {0, p.SrcY, p.Width, p.SrcY + p.Height};
    g.DestRect = {p.X, p.Y, p.X + p.Width, p.Y + p.Height};
    g.Media->BlitToBackBuffer(surf::Player, g.SrcRect, g.DestRect, g.Sheets.PlayerSheetWidth,
                              g.Sheets.PlayerSheetHeight, "Player GFX");
}

void MovePlayerHorizontal(Game& g, Long inputX) {
    PlaneRecord& p = g.Player();
    const Integer a = ToInteger(IntDiv(p.MaxSpeed, 2));
    if (inputX == kAxisLow) {
        if (p.SpeedX > -p.MaxSpeed) p.SpeedX = ToInteger(p.SpeedX - a);
        p.X = ToInteger(p.X + p.SpeedX);
        // Flying against the shots' direction brings the next shot sooner.
        if (p.X > 10 && p.GunCooldown > 0) p.GunCooldown = ToInteger(p.GunCooldown + IntDiv(p.SpeedX, 2));
    } else if (inputX == kAxisHigh) {
        if (p.SpeedX < p.MaxSpeed) p.SpeedX = ToInteger(p.SpeedX + a);
        p.X = ToInteger(p.X + p.SpeedX);
        if (p.X < 480 && p.GunCooldown > 0) p.GunCooldown = ToInteger(p.GunCooldown + p.SpeedX);
    } else {
        if (p.SpeedX > 0) p.SpeedX = ToInteger(p.SpeedX - a);
        if (p.SpeedX < 0) p.SpeedX = ToInteger(p.SpeedX + a);
        if (p.SpeedX >= -4 && p.SpeedX <= 4) p.SpeedX = 0;
        p.X = ToInteger(p.X + p.SpeedX);
    }
    p.X = ToInteger(Clamp(p.X, 10, 480));
}

void MovePlayerVertical(Game& g, Long inputY) {
    PlaneRecord& p = g.Player();
    const Integer a = ToInteger(IntDiv(p.MaxSpeed, 2));
    const bool exiting = g.Run.LevelComplete == True;
    if (inputY == kAxisLow) {
        if (p.Frame > 1 && !exiting) p.Frame = ToInteger(p.Frame - 1);
        if (p.SpeedY > -p.MaxSpeed) p.SpeedY = ToInteger(p.SpeedY - a);
        p.Y = ToInteger(p.Y + p.SpeedY);
        if (p.Y < -10) p.Y = -10;
    } else if (inputY == kAxisHigh) {
        if (p.Frame < 5 && !exiting) p.Frame = ToInteger(p.Frame + 1);
        if (p.SpeedY < p.MaxSpeed) p.SpeedY = ToInteger(p.SpeedY + a);
        p.Y = ToInteger(p.Y + p.SpeedY);
        if (p.Y > 280) p.Y = 280;
    } else if (!exiting) {
        // Back toward level flight; a frame above 5 left by a spin also steps back.
        if (p.Frame > 3) p.Frame = ToInteger(p.Frame - 1);
        if (p.Frame < 3) p.Frame = ToInteger(p.Frame + 1);
        if (p.SpeedY > 0) p.SpeedY = ToInteger(p.SpeedY - a);
        if (p.SpeedY < 0) p.SpeedY = ToInteger(p.SpeedY + a);
        if (p.SpeedY >= -4 && p.SpeedY <= 4) p.SpeedY = 0;
        p.Y = ToInteger(p.Y + p.SpeedY);
    }
    p.Y = ToInteger(Clamp(p.Y, -12, 280));
}

void PlayerFlyIn(Game& g, Long inputX) {
    PlaneRecord& p = g.Player();
    p.X = ToInteger(p.X + (inputX == kAxisHigh ? 10 : 4));
    if (p.X >= 10) {
        p.Active = True;
        // A plane that brings a better weapon or items may save them by an eject.
        if (p.GunBullet[1] > 1 || g.Controls.ItemCount > 0) p.Link = 0;
    }
}

void MovePlayerManoeuvre(Game& g, Long inputX) {
    PlaneRecord& p = g.Player();
    PlayerControls& c = g.Controls;
    if (c.ManoeuvreCounter > 20) {
        // Run-off to the left edge.
        p.X = ToInteger(p.X - c.ManoeuvreStep);
        if (p.GunCooldown > 0) p.GunCooldown = ToInteger(p.GunCooldown + IntDiv(c.ManoeuvreStep, 2));
        c.ManoeuvreCounter = ToInteger(c.ManoeuvreCounter - 1);
        if (c.ManoeuvreCounter == 20) {
            // The dive starts from above the top edge.
            p.Y = ToInteger(-p.Height);
            p.X = 10;
            g.Sounds.Request(snd::Dive);
        }
    } else if (c.ManoeuvreCounter < 20) {
        // Return from the left edge.
        p.X = ToInteger(p.X + (inputX == kAxisHigh ? 10 : 5));
        c.ManoeuvreCounter = ToInteger(c.ManoeuvreCounter - 1);
        if (c.ManoeuvreCounter == 0) p.Invulnerable = False;
    }
    // At 20 the dive moves the plane.
}

void UpdatePlayerFalling(Game& g) {
    PlaneRecord& p = g.Player();
    p.FallSpeed += 0.1;
    NextSpinFrame(p);
    p.Y = CInt(p.Y + 10 * p.FallSpeed);
    if (RandomBelow(g, 2) == 1) SpawnEffect(g, p.X, p.Y, ToInteger(p.Width), ToInteger(p.Height), effect::Smoke);
    if (p.Y > 530) {
        SpawnEffect(g, p.X, 300, ToInteger(p.Width), ToInteger(p.Height), effect::Explosion);
        p.Active = False;
        LoseLife(g);
    }
}

void UpdatePlayer(Game& g) {
    PlaneRecord& p = g.Player();
    PlayerControls& c = g.Controls;

    Long inputX = c.JoystickX;
    Long inputY = c.JoystickY;
    if (g.Flags.JoystickMode != True) {
        g.Media->ReadKeyboardState(g);
        inputX = KeyAxis(g, key::Left, key::Right);
        inputY = KeyAxis(g, key::Up, key::Down);
    }

    if (p.Active == False) {
        PlayerFlyIn(g, inputX);
    } else if (c.ManoeuvreCounter > 0) {
        MovePlayerManoeuvre(g, inputX);
    } else {
        MovePlayerHorizontal(g, inputX);
    }

    if (p.Dying == False) {
        // Read again: the run-off's last frame already dives.
        if (c.ManoeuvreCounter == 20) {
            PlayerDiveAttack(g);
        } else {
            MovePlayerVertical(g, inputY);
            UpdatePlayerWeapons(g);
        }
    } else {
        UpdatePlayerFalling(g);
        UpdatePlayerWeapons(g);
    }

    SetSourceRow(p);
    DrawPlayer(g);
    if (g.Voice.VoiceCooldown > 0) g.Voice.VoiceCooldown = ToInteger(g.Voice.VoiceCooldown - 1);
    if (g.Voice.HurtVoiceMeter > 0) g.Voice.HurtVoiceMeter = ToInteger(g.Voice.HurtVoiceMeter - 1);
}

void PlayerFlyOut(Game& g) {
    PlaneRecord& p = g.Player();
    Long inputY = g.Controls.JoystickY;
    if (g.Flags.JoystickMode != True) {
        g.Media->ReadKeyboardState(g);
        inputY = KeyAxis(g, key::Up, key::Down);
    }
    DrawPlayer(g);  // at the old position: the plane is drawn twice in each frame of the exit
    p.X = ToInteger(p.X + 2 * p.MaxSpeed);
    MovePlayerVertical(g, inputY);
    NextSpinFrame(p);
    UpdatePlayerWeapons(g);
    SetSourceRow(p);
    DrawPlayer(g);
    if (p.X > 712) StartNextLevel(g);
}

}  // namespace gorb
