// One game run: from the Begin button to the end of the game.
#include "data/PlayerGuns.h"
#include "data/TypeTemplates.h"
#include "world/World.h"

namespace gorb {

namespace {

bool GameModeDiffers(const DisplayState& d) {
    return d.GameBitDepth != d.DesktopBitDepth || d.ScreenWidth != d.DesktopWidth ||
           d.ScreenHeight != d.DesktopHeight;
}

void ReadGameFlags(Game& g) {
    const GameOptions& o = g.Options;
    GameFlags& f = g.Flags;
    f.EffectsOn = ToBoolean(!o.FireTrailsOff);
    f.FullBackground = ToBoolean(!o.SimpleBackground);
    f.CollisionStep = 3;
    if (o.LesserCollision) f.CollisionStep = 5;
    f.OverloadIndicatorOn = ToBoolean(!o.OverloadIndicatorOff);
    f.PilotTalkOn = ToBoolean(o.PilotTalk);
    f.RandomGameChosen = ToBoolean(o.RandomGame);
    f.JoystickMode = ToBoolean(o.Joystick);
    f.BossDifficulty = 0;
    if (o.Blekker) f.BossDifficulty = 1;
}

}  // namespace

Integer LivesForStartLevel(Integer startLevel) {
    static constexpr Integer kLives[11] = {3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 7};
    if (startLevel < 0) startLevel = 0;
    if (startLevel > 10) startLevel = 10;
    return kLives[startLevel];
}

void BeginGame(Game& g) {
    MediaPort& m = *g.Media;
    m.ShowMenu(g, false);
    m.HideOptionFrames(g);

    ReadGameFlags(g);
    g.Run.Level = g.Setup.StartLevel;

    DisplayState& d = g.Display;
    if (GameModeDiffers(d)) {
        m.ReleaseDirectDraw(g);
        m.SetupDirectX(g, d.GameBitDepth, d.ScreenWidth, d.ScreenHeight);
        d.ScreenOffsetX = ToInteger(IntDiv(d.ScreenWidth - 640, 2));
        d.ScreenOffsetY = ToInteger(IntDiv(d.ScreenHeight - 480, 2));
    }

    DrawLoadingBanner(g);
    m.SetupDirectXObjects(g);
    m.SetupDirectInput(g);

    if (g.Setup.TypeDataPending == True) {
        InitPlaneTypes(g.Types);
        InitBulletTypes(g.Types);
        InitEffectTypes(g.Types);
        g.Setup.TypeDataPending = False;
    }
    // Every run: the scripts and pools the previous run changed are whole again.
    m.LoadGameData(g);

    g.Run.GameOver = False;
    g.Run.Paused = False;

    PlaneRecord& p = g.Player();
    p.Width = 80;
    p.Height = 64;
    p.SrcX = 0;
    for (int i = 1; i <= 16; ++i) {
        p.PlayerGunY1[i] = kPlayerGunY1[size_t((i - 1) % 8)];
        p.PlayerGunY2[i] = kPlayerGunY2[size_t((i - 1) % 8)];
    }

    ClearObjectTables(g);

    for (int i = 1; i <= kItemSlots; ++i) g.Controls.Items[i] = 0;
    g.Controls.ItemCount = 0;
    for (int n = 1; n <= kSoundCount; ++n) g.Sounds[n] = False;

    DrawScreenFrame(g);
    // The frame covers the energy bar and the lives row: they are drawn anew, as in the
    // program's first game, even when this game starts with what the last one showed.
    g.Hud.ShownEnergy = 0;
    g.Hud.ShownLives = 0;
    m.PumpMessages();

    g.Run.ScriptEnded = False;
    g.Sounds.ResetRings();
    p.Lives = LivesForStartLevel(g.Run.Level);

    g.Run.DebugMode = False;
    g.Run.CheatBuffer.clear();
    g.Run.FrameTimeMs = 35;

    g.Run.FirstLevelOfRun = True;
    StartNextLevel(g);
    g.Run.FirstLevelOfRun = False;

    LoseLife(g);
    RunGameLoop(g);

    m.ShowMenu(g, true);
}

void EndGame(Game& g) {
    MediaPort& m = *g.Media;
    DisplayState& d = g.Display;
    if (GameModeDiffers(d)) {
        m.ReleaseDirectDraw(g);
        m.SetupDirectX(g, d.DesktopBitDepth, d.DesktopWidth, d.DesktopHeight);
        d.ScreenOffsetX = CInt((d.DesktopWidth - 640) / 2.0);
        d.ScreenOffsetY = CInt((d.DesktopHeight - 480) / 2.0);
    }
    m.WriteSettings(g);
    m.ShowUnlockedLevels(g, g.Options.RandomGame ? 1 : 0);
}

void LoseLife(Game& g) {
    PlaneRecord& p = g.Player();
    p.Lives = ToInteger(p.Lives - 1);
    if (p.Lives < 0) {
        g.Run.GameOverCountdown = 80;
        g.Sounds.Request(snd::GameOver);
        return;
    }
    p.X = ToInteger(-40 - p.Width);
    p.Y = 136;
    p.Dying = False;
    p.HitPoints = 100;
    p.Frame = 3;
    const BulletType& weapon = g.Types.BulletTypes[bullet_type::BasicGun];
    p.GunBullet[1] = bullet_type::BasicGun;
    p.FireChance[1] = weapon.FireRate;
    p.GunX[1] = ToInteger(p.Width - weapon.Width);
    p.PlayerGunCount = weapon.PlayerGuns;
    p.MaxSpeed = 10;
    p.SpeedX = 10;
    p.SpeedY = 10;
    p.Link = 1;  // eject locked until a pickup frees it
    for (int i = 0; i <= kLastObjectSlot; ++i) g.Obj.Planes[i].HasCollided = False;
    for (int i = 1; i <= kItemSlots; ++i) g.Controls.Items[i] = 0;
    g.Controls.ItemCount = 0;
}

void ClearObjectTables(Game& g) {
    for (int i = 1; i <= kLastObjectSlot; ++i) {
        PlaneRecord& r = g.Obj.Planes[i];
        r.TypeId = 0;
        r.X = 0;
        r.Y = 0;
        r.Active = 0;
        r.Dying = 0;
    }
    for (int i = 1; i <= kLastBulletSlot; ++i) g.Obj.Bullets[i].Active = False;
    for (int i = 1; i <= kLastEffectSlot; ++i) g.Obj.Effects[i].Active = False;
}

}  // namespace gorb
