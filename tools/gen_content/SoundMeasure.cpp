#include "SoundMeasure.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <map>

namespace gen {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void Fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -kTwoPi / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1;
            for (size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                wk *= w;
            }
        }
    }
}

}  // namespace

const std::vector<RoleLevel>& RoleLevels() {
    // Loudest first. The big moments (the player's own death, a boss going down) stand above
    // every explosion; voices sit where they are understood over the fight; the shots, heard
    // several times a second, stay well under what they trigger; drums and music share a level.
    static const std::vector<RoleLevel> levels = {
        {Role::PlayerDeath, "player death", -9},  {Role::BossDeath, "boss death", -10},
        {Role::BossVoice, "boss voice", -13},     {Role::Explosion, "explosion", -14},
        {Role::Scream, "scream", -14},            {Role::Speech, "speech", -14},
        {Role::Ram, "ram", -15},                  {Role::Yell, "yell", -15},
        {Role::Alert, "alert", -15},              {Role::PlayerHit, "player hit", -16},
        {Role::Pickup, "pickup", -17},            {Role::Drums, "drums", -17},
        {Role::Music, "music", -17},              {Role::Menu, "menu", -20},
        {Role::EnemyFire, "enemy fire", -21},     {Role::PlayerShot, "player shot", -22},
        {Role::ShotHits, "shot hits", -24},
    };
    return levels;
}

double TargetDb(Role r) {
    for (const auto& l : RoleLevels())
        if (l.role == r) return l.targetDb;
    return -20;
}

const char* RoleName(Role r) {
    for (const auto& l : RoleLevels())
        if (l.role == r) return l.name;
    return "?";
}

Role RoleOfWave(const std::string& name) {
    static const std::map<std::string, Role> roles = [] {
        std::map<std::string, Role> m;
        auto set = [&m](Role r, std::initializer_list<const char*> names) {
            for (const char* n : names) m[Lower(n)] = r;
        };
        set(Role::PlayerShot, {"playsht1", "playsht2", "playsht3", "missile1", "missile2", "laser02"});
        set(Role::EnemyFire, {"SHOOT01", "zap02", "shoot02", "laser03", "drop01", "laser05", "missile3", "shoot04",
                              "snot01", "shoot05", "shoot06", "shoot03", "ding01"});
        set(Role::ShotHits, {"rico1", "rico2"});
        set(Role::PlayerHit, {"rico3", "rico4", "rico5", "zap03", "water01", "snot02"});
        set(Role::Ram, {"collide1", "collide4"});
        set(Role::Explosion, {"explode1", "explode2", "blimppop", "explode3", "explode7", "explode5", "explode6",
                              "wood01a", "wood02a", "ice05c", "ice06c", "squish01", "squish02", "explode8a",
                              "bubbles2"});
        set(Role::BossDeath, {"planefa2", "bosscrsh"});
        set(Role::PlayerDeath, {"explode0"});
        set(Role::Pickup, {"getgun2", "getgun3", "energy01", "extralif", "speed01", "sizzle3a", "axe02b",
                           "thunder4", "white01a", "white02a", "wind02"});
        set(Role::Alert, {"enemy01", "enemy02", "slow01", "slow02", "gameove2", "waver02", "eject01"});
        set(Role::Scream, {"aaah01", "aaah02", "aaah03", "aaah04", "aaah05", "aaah06", "aaah07"});
        set(Role::Yell, {"zugyel01", "zugyel02", "zugyel03", "zugyel04", "zugyel05", "zugyel06", "zugyel07"});
        set(Role::Speech, {"zugyel08", "zugyel09", "zugyel10", "zugyel12", "zugyel13"});
        set(Role::BossVoice, {"zugbos01a", "zugbos02a", "zugbos03a", "zugbos04a", "zugbos04b", "zugbos04c",
                              "zugbos05a", "zugbos06a", "zugbos07a", "zugbos08a", "zugbos08b", "zugbos09a",
                              "zugbos09b", "zugbos10a", "zugbos10b", "zugbos10c"});
        set(Role::Drums, {"drum1", "drum3", "drum4"});
        set(Role::Music, {"qvintro4", "qvintro4a", "end03c", "exit3"});
        set(Role::Menu, {"click01", "click02", "click03"});
        return m;
    }();
    auto it = roles.find(Lower(name));
    return it == roles.end() ? Role::Count : it->second;
}

std::vector<float> AWeighted(const std::vector<float>& x, int rate) {
    // The analogue A-weighting curve (poles at 20.6 Hz twice, 107.7 Hz, 737.9 Hz, 12194 Hz
    // twice; four zeros at 0 Hz) through the bilinear transform: four zeros at z = 1, two at
    // z = -1, six real poles. The gain is set so that 1 kHz passes at 0 dB.
    const double poleHz[6] = {20.598997, 20.598997, 107.65265, 737.86223, 12194.217, 12194.217};
    double z[6];
    const double k2 = 2.0 * rate;
    for (int i = 0; i < 6; ++i) {
        const double p = -kTwoPi * poleHz[i];
        z[i] = (k2 + p) / (k2 - p);
    }
    const std::complex<double> e = std::polar(1.0, -kTwoPi * 1000.0 / rate);  // z^-1 at 1 kHz
    std::complex<double> h = std::pow(1.0 - e, 4) * std::pow(1.0 + e, 2);
    for (double zi : z) h /= 1.0 - zi * e;
    const double gain = 1.0 / std::abs(h);

    std::vector<double> y(x.begin(), x.end());
    for (int i = 0; i < 6; ++i) {
        const double sign = i < 4 ? -1.0 : 1.0;  // (1 - z^-1) or (1 + z^-1) over (1 - p z^-1)
        double xPrev = 0, yPrev = 0;
        for (double& v : y) {
            const double in = v;
            v = in + sign * xPrev + z[i] * yPrev;
            xPrev = in;
            yPrev = v;
        }
    }
    std::vector<float> out(x.size());
    for (size_t i = 0; i < y.size(); ++i) out[i] = float(y[i] * gain);
    return out;
}

double MomentaryDb(const std::vector<float>& x, size_t begin, size_t end, int rate, double window) {
    end = std::min(end, x.size());
    if (begin >= end) return -200;
    const size_t w = std::max<size_t>(1, size_t(std::lround(window * rate)));
    // Sliding sums of squares, in steps of about a millisecond.
    std::vector<double> cum(end - begin + 1, 0.0);
    for (size_t i = begin; i < end; ++i) cum[i - begin + 1] = cum[i - begin] + double(x[i]) * x[i];
    const size_t n = end - begin;
    double best = 0;
    if (n <= w) {
        best = cum[n];
    } else {
        const size_t hop = std::max<size_t>(1, size_t(rate / 1000));
        for (size_t s = 0; s + w <= n; s += hop) best = std::max(best, cum[s + w] - cum[s]);
        best = std::max(best, cum[n] - cum[n - w]);
    }
    const double ms = best / double(w);
    return ms > 1e-20 ? 10 * std::log10(ms) : -200;
}

double MomentaryDb(const std::vector<float>& x, int rate, double window) {
    return MomentaryDb(x, 0, x.size(), rate, window);
}

double LoudnessDb(const std::vector<float>& x, int rate) { return MomentaryDb(AWeighted(x, rate), rate); }

std::vector<double> PowerSpectrum(const std::vector<float>& x, size_t n) {
    std::vector<double> p(n / 2 + 1, 0.0);
    std::vector<double> win(n);
    for (size_t i = 0; i < n; ++i) win[i] = 0.5 - 0.5 * std::cos(kTwoPi * double(i) / double(n));
    std::vector<std::complex<double>> a(n);
    const size_t hop = n / 2;
    size_t frames = 0;
    for (size_t start = 0; frames == 0 || start + hop < x.size(); start += hop) {
        for (size_t i = 0; i < n; ++i) a[i] = start + i < x.size() ? x[start + i] * win[i] : 0.0;
        Fft(a);
        for (size_t k = 0; k <= n / 2; ++k) p[k] += std::norm(a[k]);
        ++frames;
    }
    for (double& v : p) v /= double(frames);
    return p;
}

std::vector<double> ThirdOctaveProfile(const std::vector<float>& x, int rate) {
    constexpr size_t n = 4096;
    const std::vector<double> p = PowerSpectrum(x, n);
    double total = 0;
    for (double v : p) total += v;
    std::vector<double> bands;
    for (int b = 0; b <= 20; ++b) {  // centres 100 Hz * 2^(b/3): 100 Hz to 10 kHz
        const double centre = 100.0 * std::pow(2.0, b / 3.0);
        const double lo = centre * std::pow(2.0, -1.0 / 6), hi = centre * std::pow(2.0, 1.0 / 6);
        double e = 0;
        for (size_t k = 0; k < p.size(); ++k) {
            const double f = double(k) * rate / double(n);
            if (f >= lo && f < hi) e += p[k];
        }
        const double db = total > 0 && e > 0 ? 10 * std::log10(e / total) : -60;
        bands.push_back(std::max(db, -60.0));
    }
    return bands;
}

double SpectralDistance(const std::vector<double>& a, const std::vector<double>& b) {
    const size_t n = std::min(a.size(), b.size());
    if (n == 0) return 0;
    double s = 0;
    for (size_t i = 0; i < n; ++i) s += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(s / double(n));
}

}  // namespace gen
