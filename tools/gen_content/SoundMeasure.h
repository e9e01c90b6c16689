#pragma once
// Measures of how a sound is heard, shared by the wave generator (which sets every wave's level
// by them), the content tests and the recording bench: loudness in dBFS, plain and A-weighted,
// over the loudest short window, and a one-third-octave spectrum for telling sounds apart.
#include <string>
#include <vector>

namespace gen {

// The role a wave plays in the game, which sets how loud it is.
enum class Role {
    PlayerShot,    // the player's own guns
    EnemyFire,     // Zorbels and bosses firing
    ShotHits,      // the player's bullet striking an object
    PlayerHit,     // an enemy bullet or bomb striking the player
    Ram,           // the player ramming or being rammed
    Explosion,     // an enemy, object or item blowing up
    BossDeath,     // a boss going down
    PlayerDeath,   // the player shot down
    Pickup,        // collected pickups and used items
    Alert,         // boss alert, freeze and thaw, game over, eject, the cheat sting
    Scream,        // the pilot hurt
    Yell,          // a Zorbel rammed
    Speech,        // Zorbel remarks on what the player did
    BossVoice,     // a boss speaking as it comes in
    Drums,         // the picture sequences' drum loop
    Music,         // title and end music, exit jingle
    Menu,          // menu clicks
    Count
};

struct RoleLevel {
    Role role;
    const char* name;
    double targetDb;  // loudness of a wave of this role (MomentaryDb of its A-weighted samples)
};

// The target loudness of every role, loudest first.
const std::vector<RoleLevel>& RoleLevels();
double TargetDb(Role r);
const char* RoleName(Role r);
// The role of a wave, by its resource name (any letter case); Role::Count for an unknown name.
Role RoleOfWave(const std::string& name);

// The window over which loudness is taken: about the ear's own integration time.
constexpr double kLoudnessWindow = 0.2;

// The signal through an A-weighting filter (0 dB at 1 kHz).
std::vector<float> AWeighted(const std::vector<float>& x, int rate);
// RMS of the loudest window (shorter signals are measured over the window all the same, as the
// ear hears a short click softer than a held tone), in dB relative to full scale.
double MomentaryDb(const std::vector<float>& x, int rate, double window = kLoudnessWindow);
// The same over samples [begin, end) only.
double MomentaryDb(const std::vector<float>& x, size_t begin, size_t end, int rate, double window = kLoudnessWindow);
// A-weighted loudness: MomentaryDb of AWeighted(x).
double LoudnessDb(const std::vector<float>& x, int rate);

// Band levels in dB, relative to the whole signal's energy, in the one-third-octave bands from
// 100 Hz to 10 kHz (21 bands), floored at -60 dB.
std::vector<double> ThirdOctaveProfile(const std::vector<float>& x, int rate);
// RMS difference in dB between two profiles: 0 for the same spectrum shape.
double SpectralDistance(const std::vector<double>& a, const std::vector<double>& b);

// Power spectrum (|X|^2 of a Hann-windowed FFT, averaged over half-overlapping frames of n
// samples, n a power of two): n / 2 + 1 bins from 0 to rate / 2.
std::vector<double> PowerSpectrum(const std::vector<float>& x, size_t n);

}  // namespace gen
