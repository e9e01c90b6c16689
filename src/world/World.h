#pragma once
// The game world's procedures. Each takes the game state by reference; drawing, sound, input,
// time, waits, presents, messages and the menu go through g.Media.
#include "data/TypeNumbers.h"
#include "media/SoundNumbers.h"
#include "world/Game.h"
#include "world/MediaPort.h"

namespace gorb {

// Game run.
void BeginGame(Game& g);
void EndGame(Game& g);
void LoseLife(Game& g);
void ClearObjectTables(Game& g);
Integer LivesForStartLevel(Integer startLevel);

// Frame loop. RunFrameWork is one frame's work up to and including the present (steps 3 to
// 15); it returns false when the frame ended the game after the last stage.
void RunGameLoop(Game& g);
bool RunFrameWork(Game& g);

// Level flow and spawning.
void StartNextLevel(Game& g);
void StepLevelScript(Game& g);
void StepRandomScript(Game& g);
void SpawnZorbel(Game& g, Integer xOffset);
void SpawnJumper(Game& g, Integer type, Integer path, Integer y, Integer x);

// Objects.
void UpdateZorbels(Game& g);
void UpdateIceTimers(Game& g);

// Player.
void UpdatePlayer(Game& g);
void PlayerFlyOut(Game& g);
void DrawPlayer(Game& g);
void UpdatePlayerWeapons(Game& g);
void MovePlayerHorizontal(Game& g, Long inputX);
void MovePlayerVertical(Game& g, Long inputY);
void MovePlayerManoeuvre(Game& g, Long inputX);
void PlayerFlyIn(Game& g, Long inputX);
void UpdatePlayerFalling(Game& g);
// The next of the 16 frames of a roll or dive, wrapping from 16 to 1.
void NextSpinFrame(PlaneRecord& p);

// Player weapons and special items.
void FirePlayerGuns(Game& g);
void UsePlayerItem(Game& g);
void PlayerDiveAttack(Game& g);

// Pickups and eject.
void ApplyPickup(Game& g, Integer kind);
void EjectPilot(Game& g);

// Bullets, effects, collisions, kills.
// A shot of bullet type 0..40 from (x + offX, y + offY), centred vertically there; a speed of 0
// keeps the type's own. fromPlayer = True takes a slot 1..60, anything else 61..100.
void FireBullet(Game& g, Boolean fromPlayer, Integer bulletType, double x, double y, double offX,
                double offY, double speedX, double speedY);
void UpdateBullets(Game& g);
void ZorbelFire(Game& g, Integer slot);
void UpdateEffects(Game& g);
void SpawnEffect(Game& g, Integer x, Integer y, Integer w, Integer h, Integer kind);
// Pixel-exact test of Planes(index) against a second sprite; kind 1 a player bullet against an
// object, 2 an enemy bullet against the player, 3 the player's plane against an object. Sets
// hit True on a touch, False when the boxes overlap without one, and leaves it otherwise.
namespace collide {
constexpr Integer PlayerBullet = 1;
constexpr Integer EnemyBullet = 2;
constexpr Integer PlayerPlane = 3;
}  // namespace collide
void SpriteCollision(Game& g, Integer kind, Integer index, Integer otherCentreX,
                     Integer otherCentreY, Integer otherX, Integer otherY, Long otherWidth,
                     Long otherHeight, Integer otherSrcX, Integer otherSrcY, Boolean& hit,
                     Integer step);
void CheckPlayerCollisions(Game& g);
void CheckBulletHits(Game& g, Integer slot, Boolean fromPlayer);
void PlayHurtVoice(Game& g, Boolean screamOnly);
void KillObject(Game& g, Integer slot);
void KillPlayer(Game& g);


// Screen frame and HUD (drawn straight onto the screen).
void DrawScreenFrame(Game& g);
void TileBackdrop(Game& g);
void BlitTile(Game& g, Long dstX, Long dstY, Long srcX, Long srcY, Long width, Long height);
void BlitMisc(Game& g, Long dstX, Long dstY, Long srcX, Long srcY, Long width, Long height);
void DrawLoadingBanner(Game& g);
void UpdateEnergyGauge(Game& g);
void UpdateLivesRow(Game& g);
void DrawItemSlots(Game& g);

// Background strips, overload sign, slowdown.
void DrawBackgroundLayers(Game& g);
void DrawScrollStrip(Game& g, Long& offset, Integer stripX, const char* label);
void DrawProcessorAlert(Game& g);
void StartSlowdown(Game& g);

}  // namespace gorb
