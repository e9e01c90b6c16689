#pragma once
// The game world's procedures. Each takes the game state by reference; drawing, sound and the
// menu go through g.Media.
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

// Bullets, effects, collisions, kills.
void UpdateBullets(Game& g);
void ZorbelFire(Game& g, Integer slot);
void UpdateEffects(Game& g);
void SpawnEffect(Game& g, Integer x, Integer y, Integer w, Integer h, Integer kind);
void CheckPlayerCollisions(Game& g);
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
