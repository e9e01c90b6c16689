#pragma once
// The game state the main form owns: one plain value made of parts by concern, passed by
// reference to the world's free functions. It is large (type tables and game data), so it
// lives on the heap. It is the one owner of everything here: the media layer writes what it
// measures and the joystick's state into it and serves its sound requests, by reference.
#include <array>
#include <cstdint>
#include <string>

#include "platform/Arithmetic.h"
#include "data/GameData.h"
#include "data/Records.h"
#include "media/MediaFields.h"

namespace gorb {

class MediaPort;

// Names of the surfaces the world draws from and to.
using SurfaceId = int;
namespace surf {
// 1..53 are the enemy sheets "vorpex01".."vorpex53".
constexpr SurfaceId Player = 101;
constexpr SurfaceId Explode = 102;
constexpr SurfaceId Ice = 103;
constexpr SurfaceId Bullet = 104;
constexpr SurfaceId Tiles = 105;
constexpr SurfaceId Misc = 106;
constexpr SurfaceId Screen = 107;      // the current level's background
constexpr SurfaceId BackBuffer = 108;  // the 612 x 330 play area
}  // namespace surf

// The menu's option values a game start copies into the game flags.
struct GameOptions {
    bool FireTrailsOff = false;       // chkFire checked
    bool SimpleBackground = false;    // chkBack checked
    bool LesserCollision = false;     // chkCollision checked
    bool OverloadIndicatorOff = false;  // chkOverload checked
    bool PilotTalk = true;            // optPilot(0)
    bool RandomGame = false;          // optPlay(1)
    bool Joystick = false;            // optControls(0)
    bool Blekker = false;             // optDifficulty(1)
};

// Game flags, copied from the options at every game start.
struct GameFlags {
    Boolean EffectsOn = True;
    Boolean FullBackground = True;
    Integer CollisionStep = 3;
    Boolean OverloadIndicatorOn = True;
    Boolean PilotTalkOn = True;
    Boolean RandomGameChosen = False;
    Boolean JoystickMode = False;
    Integer BossDifficulty = 0;
};

// Settings that outlive a run (kept in the settings file by the front end).
struct Settings {
    Integer StartLevel = 0;
    Integer HighestLevelNormal = 0;
    Integer HighestLevelRandom = 0;
    Boolean TypeDataPending = True;
};

// The display modes (the desktop's as the mode probe found it, and the game's), where the menu
// layout sits, and what the display set-up leaves (the play area's origin and the colour key).
struct DisplayState : DisplayFields {
    Long GameBitDepth = 32;
    Long ScreenWidth = 640;
    Long ScreenHeight = 480;
    Long DesktopBitDepth = 32;
    Long DesktopWidth = 640;
    Long DesktopHeight = 480;
    Integer ScreenOffsetX = 0;
    Integer ScreenOffsetY = 0;
};

// Sizes of the loaded sheets, passed along to the blit helpers: the shipped sheets' sizes until
// a display set-up measures the real ones.
inline constexpr SheetSizes kShippedSheetSizes{.PlayerSheetWidth = 80, .PlayerSheetHeight = 1024,
                                              .ExplodeSheetWidth = 149, .ExplodeSheetHeight = 657,
                                              .IceSheetWidth = 168, .IceSheetHeight = 1210,
                                              .BulletSheetWidth = 317, .BulletSheetHeight = 136,
                                              .TileSheetWidth = 640, .TileSheetHeight = 480,
                                              .MiscSheetWidth = 472, .MiscSheetHeight = 134};

// The run and the level: flow flags, script position, the random game's counters.
struct LevelState {
    Integer Level = 0;
    Integer LevelProgress = 0;
    Integer ScriptTick = 0;
    Boolean ScriptEnded = False;
    Boolean ScriptHold = False;
    Boolean LevelComplete = False;
    Boolean GameOver = False;
    Integer GameOverCountdown = 0;
    Boolean Paused = False;
    Integer FrameTimeMs = 35;
    Boolean FirstLevelOfRun = False;
    Integer AnchorSlot = 1;
    Boolean DebugMode = False;
    std::string CheatBuffer;
    // Random game.
    Boolean RandomGameActive = False;
    Integer RandomGroupLeft = 0;
    Integer RandomGroupStyle = 0;
    Integer RandomGroupIndex = 0;
    Integer RandomSpawnQuota = 0;
    Integer RandomSpawnCount = 0;
};

// The live objects: record 0 of Planes is the player.
using Objects = LiveArrays;

// The special items the player carries, at most kItemSlots of them (entries 1..10 of Items).
constexpr int kItemSlots = 10;
namespace item {
constexpr Integer FireballColumn = 1;
constexpr Integer IceBomb = 2;
constexpr Integer LoopDive = 3;
constexpr Integer Rain = 4;
constexpr Integer AxeSpray = 5;
}  // namespace item

// The player's controls and carried items, and the joystick's state, which the input event
// writes when messages are pumped.
struct PlayerControls : JoystickFields {
    Integer ItemCount = 0;
    std::array<Integer, kItemSlots + 1> Items{};
    Integer SavedWeapon = 0;
    Integer SavedItemCount = 0;
    std::array<Integer, kItemSlots + 1> SavedItems{};
    Integer ManoeuvreCounter = 0;
    Integer ManoeuvreStep = 0;
    Integer RainTimer = 0;
    Integer SprayTimer = 0;
    // The keyboard's state table by classic key code (non-zero = down), read afresh through
    // the media port by each routine that needs the keys.
    std::array<uint8_t, 256> KeyboardState{};
};

// The three-phase ice effect and the propellers' shared phase.
struct IceState {
    Integer FreezeTimer = 0;
    Integer FrozenTimer = 0;
    Integer ThawTimer = 0;
    Integer FrozenCount = 0;
    Integer PropellerPhase = 0;

    // A freeze runs while any of its three phases has time left.
    bool Runs() const { return FreezeTimer + FrozenTimer + ThawTimer != 0; }
};

struct Voices {
    Integer VoiceCooldown = 0;
    Integer BossVoiceDelay = 0;
    Boolean BossVoiceArmed = False;
    Boolean VoiceCue1Played = False;
    Boolean VoiceCue2Played = False;
    Boolean PartTakeoverDone = False;
    Boolean BossShieldDown = False;
    Integer HurtVoiceMeter = 0;
    Integer LastHurtVoice = 0;
};

// What the screen frame, the HUD, the background strips and the overload sign keep.
struct HudState {
    Long EnergyBarX = 0;
    Long EnergyBarY = 0;
    Integer ItemRowX = 0;
    Integer ItemRowY = 0;
    Integer ShownEnergy = 0;
    Integer ShownLives = 0;
    Long TilePieceWidth = 579;
    Long TilePieceHeight = 318;
    Long BackLayerOffset = 0;
    Long FrontLayerOffset = 0;
    Boolean Overloaded = False;
    Integer AlertHold = 0;
    Integer AlertFrame = 0;
};

struct Game {
    GameOptions Options;
    GameFlags Flags;
    Settings Setup;
    DisplayState Display;
    SheetSizes Sheets = kShippedSheetSizes;
    LevelState Run;
    Objects Obj;
    PlayerControls Controls;
    IceState Ice;
    Voices Voice;
    SoundRequests Sounds;
    HudState Hud;
    TypeTables Types;
    GameData Data;
    // The shared blit rectangles, filled right before each blit (the picture sequences' too).
    BlitRect SrcRect;
    BlitRect DestRect;
    // The one random generator: start-up seeds it, the sound set-up and the world draw from it.
    RandomGenerator Random;
    // Drawing, sound, display, input and the menu's services; never null during a run.
    MediaPort* Media = nullptr;

    PlaneRecord& Player() { return Obj.Planes[0]; }
};

// Rnd and Int(Rnd * n) from the game's generator.
inline double Rnd(Game& g) { return g.Random.Rnd(); }
inline int RandomBelow(Game& g, int n) { return g.Random.Below(n); }

}  // namespace gorb
