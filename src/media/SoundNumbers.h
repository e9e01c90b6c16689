#pragma once
// Names of the sound numbers the code asks for by itself, after their roles, with the wave the
// set-up loads into each (the fire and death sounds of the type tables are numbers in those
// tables). Numbers 1..53 but 32 and 46..50 play on the general duplicate ring, 46 and 58 on the
// item ring, 55 on the boss ring, 49 and 50 on the crash ring, the rest on their own buffers.
// A "1" name starts a run of neighbouring waves that one request picks from at random.

namespace gorb::snd {

// The play.
constexpr int PlayerShotHit1 = 21;  // "rico1", "rico2": a player's shot hits an object
constexpr int BombHit = 28;         // "explode5": the falling bomb hits the player's plane
constexpr int Blast = 29;           // "explode6": a burning wreck, a damaged boss, the bullet rain
constexpr int PlaneDown = 32;       // "explode0": the player's plane is shot down
constexpr int SlimeHit = 33;        // "snot02": the slowing shot hits the player's plane
constexpr int Shatter1 = 34;        // "ice05c", "ice06c": a frozen object shatters
constexpr int Ram1 = 36;            // "collide1", "collide4": the plane rams an object
constexpr int JumperDeath1 = 38;    // "squish01", "squish02": a jumper's death sound
constexpr int WeaponPickup = 41;    // "getgun2": a weapon, or the pilot caught again
constexpr int ItemPickup = 42;      // "getgun3"
constexpr int EnergyPickup = 43;    // "energy01"
constexpr int ExtraLife = 44;       // "extralif"
constexpr int SpeedPickup = 45;     // "speed01"
constexpr int FireballColumn = 46;  // "sizzle3a"
constexpr int Waver = 47;           // "waver02": the two-part boss takes over; debug mode on
constexpr int Bubbles = 48;         // "bubbles2"
constexpr int PlaneFall = 49;       // "planefa2"
constexpr int BossCrash = 50;       // "bosscrsh": a mission target is gone
constexpr int Slowdown = 51;        // "slow01": the ice effect begins
constexpr int Thaw = 52;            // "slow02": the frozen phase ends
constexpr int AxeSpray = 54;        // "axe02b"
constexpr int BossAlert = 55;       // "enemy01", "enemy02" on level 3: a boss comes
constexpr int LoopDive = 56;        // "white01a"
constexpr int Dive = 57;            // "white02a": the loop dive drops from the top edge
constexpr int BulletRain = 58;      // "thunder4"
constexpr int GameOver = 59;        // "gameove2"

// Voices, heard only while pilot talk is on.
constexpr int BossVoiceA = 60;      // the level's "zugbos..a"; the end music "end03c" too
constexpr int BossVoiceB = 61;      // "zugbos..b"
constexpr int BossVoiceC = 62;      // "zugbos..c"
constexpr int LevelDoneVoice = 63;  // "zugyel10"
constexpr int UpgradeVoice = 64;    // "zugyel09": a weapon's upper member
constexpr int Scream1 = 65;         // "aaah01" .. "aaah07": the pilot is hurt
constexpr int LastScream = 71;
constexpr int Yell1 = 72;           // "zugyel01" .. "zugyel07": a Zorbel yells instead
constexpr int MissedPickupVoice = 79;  // "zugyel08"
constexpr int DebugVoice = 80;      // "zugyel12": debug mode on
constexpr int IntroMusic = 81;      // "qvintro4", one start in five "qvintro4a"
constexpr int MissedLifeVoice = 82; // "zugyel13"

// Items, the eject, the menu, the pictures and the enemy shots' hits.
constexpr int IceBomb = 83;         // "wind02"
constexpr int Eject = 84;           // "eject01"
constexpr int Click1 = 85;          // "click01"
constexpr int Click2 = 86;          // "click02"
constexpr int Click3 = 87;          // "click03"
constexpr int ExitJingle = 88;      // "exit3"
constexpr int Drum1 = 89;           // "drum1"
constexpr int Drum3 = 90;           // "drum3"
constexpr int Drum4 = 91;           // "drum4"
constexpr int EnemyShotHit1 = 92;   // "rico3" .. "rico5": an enemy shot hits the player's plane
constexpr int ZapHit = 95;          // "zap03": the zap shot hits
constexpr int SplashHit = 96;       // "water01": the water shot hits

}  // namespace gorb::snd
