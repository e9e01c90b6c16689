// Synthesized sounds: short clips, one per wave resource, each distinct and fitted to its use.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Content.h"

namespace gen {
namespace {

using Samples = std::vector<float>;

int Count(double seconds) { return int(std::lround(seconds * kSampleRate)); }

// Deterministic noise.
struct Noise {
    uint32_t s;
    float Next() {
        s = s * 1664525u + 1013904223u;
        return float(int32_t(s >> 8) - (1 << 23)) / float(1 << 23);
    }
};

enum class Osc { Sine, Square, Saw, Triangle };

double Wave(Osc o, double phase) {
    double p = phase - std::floor(phase);
    switch (o) {
        case Osc::Sine: return std::sin(2 * kPi * p);
        case Osc::Square: return p < 0.5 ? 1 : -1;
        case Osc::Saw: return 2 * p - 1;
        case Osc::Triangle: return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    }
    return 0;
}

// A tone gliding from f0 to f1 (exponentially) with a quick attack and a decay to silence.
Samples Sweep(double f0, double f1, double seconds, Osc o = Osc::Square, double vol = 0.6) {
    Samples s(size_t(Count(seconds)));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / s.size();
        phase += f0 * std::pow(f1 / f0, t) / kSampleRate;
        double env = std::min(1.0, i / 60.0) * (1 - t) * (1 - t * 0.3);
        s[i] = float(vol * env * Wave(o, phase));
    }
    return s;
}

// Low-passed noise with a decay: explosions, crashes, hits.
Samples Boom(double seconds, double smooth, uint32_t seed, double vol = 0.8) {
    Samples s(size_t(Count(seconds)));
    Noise n{seed};
    double y = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / s.size();
        y += (n.Next() - y) * smooth;
        s[i] = float(vol * std::min(1.0, y * 3) * std::pow(1 - t, 2.0) * std::min(1.0, i / 30.0));
    }
    return s;
}

// A little tune: one note per entry (Hz, 0 = rest), each `noteSeconds` long.
Samples Tune(std::initializer_list<double> notes, double noteSeconds, Osc o = Osc::Triangle, double vol = 0.5) {
    Samples s;
    for (double f : notes) {
        Samples n = f > 0 ? Sweep(f, f * 1.001, noteSeconds, o, vol) : Samples(size_t(Count(noteSeconds)), 0.0f);
        s.insert(s.end(), n.begin(), n.end());
    }
    return s;
}

// A voice-like sound: a saw with vibrato and a pitch contour, smoothed.
Samples Voice(double f0, double f1, double seconds, double vibrato) {
    Samples s(size_t(Count(seconds)));
    double phase = 0, y = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / s.size();
        double f = (f0 + (f1 - f0) * t) * (1 + 0.04 * std::sin(2 * kPi * vibrato * i / kSampleRate));
        phase += f / kSampleRate;
        y += (Wave(Osc::Saw, phase) - y) * 0.25;
        double env = std::min(1.0, i / 400.0) * std::min(1.0, (s.size() - i) / 800.0);
        s[i] = float(0.7 * env * y);
    }
    return s;
}

Samples Mix(Samples a, const Samples& b) {
    if (b.size() > a.size()) a.resize(b.size(), 0.0f);
    for (size_t i = 0; i < b.size(); ++i) a[i] = std::clamp(a[i] + b[i], -1.0f, 1.0f);
    return a;
}

Samples Fit(Samples s, double seconds) {
    s.resize(size_t(Count(seconds)), 0.0f);
    return s;
}

// One bar of the drum loop, exactly 1600 ms, so the clips follow each other seamlessly.
Samples Drum(int variant) {
    Samples s(size_t(Count(1.6)), 0.0f);
    for (int beat = 0; beat < 8; ++beat) {
        bool kick = beat % 4 == 0 || (variant == 2 && beat == 6) || (variant == 3 && beat == 3);
        bool snare = beat % 4 == 2 || (variant == 3 && beat == 7);
        Samples hit = kick ? Sweep(120, 45, 0.15, Osc::Sine, 0.9)
                           : snare ? Boom(0.12, 0.6, uint32_t(beat * 7 + variant), 0.7)
                                   : Boom(0.04, 0.9, uint32_t(beat + 100 * variant), 0.3);
        size_t at = size_t(beat) * s.size() / 8;
        for (size_t i = 0; i < hit.size() && at + i < s.size(); ++i) s[at + i] += hit[i];
    }
    return s;
}

}  // namespace

std::vector<WaveSpec> Waves() {
    // Note names for the tunes.
    constexpr double C4 = 261.6, D4 = 293.7, E4 = 329.6, F4 = 349.2, G4 = 392.0, A4 = 440.0, B4 = 493.9,
                     C5 = 523.3, D5 = 587.3, E5 = 659.3, G5 = 784.0, C6 = 1046.5;
    std::vector<WaveSpec> v = {
        {"playsht1", 16, [] { return Sweep(1400, 500, 0.10); }},
        {"playsht2", 16, [] { return Sweep(1700, 700, 0.09); }},
        {"playsht3", 16, [] { return Sweep(1100, 350, 0.12, Osc::Saw); }},
        {"SHOOT01", 8, [] { return Sweep(900, 300, 0.12); }},
        {"zap02", 16, [] { return Sweep(2500, 200, 0.18, Osc::Saw); }},
        {"shoot02", 16, [] { return Sweep(700, 250, 0.14, Osc::Triangle); }},
        {"laser03", 16, [] { return Sweep(3000, 1200, 0.2, Osc::Sine); }},
        {"missile1", 16, [] { return Mix(Sweep(300, 600, 0.3, Osc::Saw, 0.3), Boom(0.3, 0.2, 11)); }},
        {"missile2", 16, [] { return Mix(Sweep(350, 700, 0.3, Osc::Saw, 0.3), Boom(0.3, 0.3, 12)); }},
        {"drop01", 16, [] { return Sweep(1500, 400, 0.5, Osc::Sine); }},
        {"laser05", 8, [] { return Sweep(400, 2400, 0.4, Osc::Saw); }},
        {"missile3", 16, [] { return Mix(Sweep(250, 500, 0.25, Osc::Square, 0.3), Boom(0.25, 0.25, 13)); }},
        {"laser02", 16, [] { return Sweep(2200, 900, 0.15, Osc::Sine); }},
        {"shoot04", 16, [] { return Sweep(600, 150, 0.16); }},
        {"snot01", 16, [] { return Voice(180, 90, 0.25, 12); }},
        {"shoot05", 8, [] { return Sweep(1000, 400, 0.1, Osc::Triangle); }},
        {"shoot06", 8, [] { return Sweep(1250, 450, 0.1, Osc::Saw); }},
        {"shoot03", 16, [] { return Sweep(800, 200, 0.12, Osc::Saw); }},
        {"rico1", 16, [] { return Sweep(3000, 1800, 0.15, Osc::Sine); }},
        {"rico2", 16, [] { return Sweep(2600, 3400, 0.15, Osc::Sine); }},
        {"explode1", 16, [] { return Boom(0.6, 0.15, 1); }},
        {"explode2", 8, [] { return Boom(0.7, 0.08, 2); }},
        {"blimppop", 8, [] { return Mix(Boom(0.3, 0.5, 3), Sweep(200, 60, 0.3, Osc::Sine)); }},
        {"explode3", 8, [] { return Boom(0.5, 0.25, 4); }},
        {"explode7", 8, [] { return Boom(0.8, 0.05, 5); }},
        {"explode5", 8, [] { return Boom(0.4, 0.35, 6); }},
        {"explode6", 16, [] { return Boom(0.9, 0.1, 7); }},
        {"wood01a", 16, [] { return Mix(Boom(0.25, 0.7, 8), Sweep(300, 200, 0.25, Osc::Triangle)); }},
        {"wood02a", 16, [] { return Mix(Boom(0.3, 0.6, 9), Sweep(220, 150, 0.3, Osc::Triangle)); }},
        {"explode0", 16, [] { return Mix(Boom(1.2, 0.06, 10), Sweep(400, 40, 1.2, Osc::Saw, 0.3)); }},
        {"snot02", 16, [] { return Voice(140, 70, 0.3, 15); }},
        {"ice05c", 16, [] { return Mix(Sweep(4000, 3000, 0.3, Osc::Sine), Boom(0.3, 0.9, 14, 0.3)); }},
        {"ice06c", 16, [] { return Mix(Sweep(3500, 2500, 0.35, Osc::Sine), Boom(0.35, 0.9, 15, 0.3)); }},
        {"collide1", 16, [] { return Mix(Boom(0.3, 0.4, 16), Sweep(150, 80, 0.3, Osc::Square, 0.3)); }},
        {"collide4", 16, [] { return Mix(Boom(0.35, 0.3, 17), Sweep(180, 90, 0.35, Osc::Square, 0.3)); }},
        {"squish01", 16, [] { return Voice(300, 120, 0.2, 30); }},
        {"squish02", 16, [] { return Voice(260, 100, 0.22, 25); }},
        {"explode8a", 16, [] { return Boom(0.7, 0.12, 18); }},
        {"getgun2", 16, [] { return Tune({C5, E5, G5}, 0.07, Osc::Square, 0.4); }},
        {"getgun3", 16, [] { return Tune({G4, C5, E5}, 0.07, Osc::Square, 0.4); }},
        {"energy01", 16, [] { return Tune({C5, D5, E5, G5}, 0.06, Osc::Triangle); }},
        {"extralif", 16, [] { return Tune({C5, E5, G5, C6}, 0.09, Osc::Square, 0.4); }},
        {"speed01", 16, [] { return Sweep(300, 2400, 0.35, Osc::Triangle); }},
        {"sizzle3a", 16, [] { return Boom(0.6, 0.95, 19, 0.5); }},
        {"waver02", 16, [] { return Voice(400, 800, 0.6, 8); }},
        {"bubbles2", 16, [] { return Tune({300, 420, 350, 500, 380}, 0.08, Osc::Sine, 0.5); }},
        {"planefa2", 16, [] { return Mix(Sweep(900, 150, 1.0, Osc::Saw, 0.4), Boom(1.0, 0.1, 20, 0.4)); }},
        {"bosscrsh", 16, [] { return Boom(1.2, 0.04, 21); }},
        {"slow01", 16, [] { return Sweep(800, 100, 0.6, Osc::Triangle); }},
        {"slow02", 16, [] { return Sweep(100, 800, 0.6, Osc::Triangle); }},
        {"ding01", 8, [] { return Sweep(1800, 1790, 0.25, Osc::Sine); }},
        {"axe02b", 16, [] { return Mix(Sweep(1200, 600, 0.25, Osc::Square, 0.3), Boom(0.25, 0.8, 22, 0.4)); }},
        {"enemy01", 16, [] { return Tune({A4, 0, A4, 0, A4}, 0.12, Osc::Square, 0.5); }},
        {"enemy02", 16, [] { return Tune({E4, 0, E4, 0, E4}, 0.12, Osc::Saw, 0.5); }},
        {"white01a", 16, [] { return Boom(0.5, 0.98, 23, 0.5); }},
        {"white02a", 16, [] { return Sweep(200, 1200, 0.4, Osc::Saw, 0.4); }},
        {"thunder4", 16, [] { return Boom(1.5, 0.03, 24); }},
        {"gameove2", 16, [] { return Tune({G4, F4, E4, D4, C4}, 0.25, Osc::Square, 0.5); }},
        {"zugyel10", 16, [] { return Voice(220, 330, 0.7, 5); }},
        {"zugyel09", 16, [] { return Voice(200, 300, 0.6, 6); }},
        {"aaah01", 16, [] { return Voice(500, 300, 0.5, 7); }},
        {"aaah02", 16, [] { return Voice(520, 280, 0.5, 8); }},
        {"aaah03", 16, [] { return Voice(480, 260, 0.55, 6); }},
        {"aaah04", 16, [] { return Voice(550, 320, 0.45, 9); }},
        {"aaah05", 16, [] { return Voice(460, 240, 0.6, 7); }},
        {"aaah06", 16, [] { return Voice(580, 350, 0.5, 10); }},
        {"aaah07", 16, [] { return Voice(440, 220, 0.55, 8); }},
        {"zugyel01", 16, [] { return Voice(150, 250, 1.2, 4); }},
        {"zugyel02", 16, [] { return Voice(160, 240, 1.1, 5); }},
        {"zugyel03", 16, [] { return Voice(140, 260, 1.2, 6); }},
        {"zugyel04", 16, [] { return Voice(170, 230, 1.0, 4); }},
        {"zugyel05", 16, [] { return Voice(130, 270, 1.3, 5); }},
        {"zugyel06", 16, [] { return Voice(180, 220, 1.1, 6); }},
        {"zugyel07", 16, [] { return Voice(120, 280, 1.2, 7); }},
        {"zugyel08", 16, [] { return Voice(260, 160, 0.6, 5); }},
        {"zugyel12", 16, [] { return Voice(190, 380, 0.8, 6); }},
        {"qvintro4", 16, [] {
             return Tune({C4, E4, G4, C5, G4, E4, C4, 0, D4, F4, A4, D5, A4, F4, D4, 0,
                          E4, G4, B4, E5, B4, G4, E4, 0, C5, G4, E4, C4, G4, C5, C5, 0},
                         0.15, Osc::Triangle);
         }},
        {"qvintro4a", 16, [] {
             return Tune({C5, B4, A4, G4, A4, B4, C5, 0, E5, D5, C5, B4, C5, D5, E5, 0,
                          G5, E5, C5, G4, C5, E5, G5, 0, C6, G5, E5, C5, G4, E4, C4, 0},
                         0.15, Osc::Square, 0.35);
         }},
        {"zugyel13", 16, [] { return Voice(280, 140, 0.7, 6); }},
        {"wind02", 16, [] { return Boom(1.0, 0.02, 25, 0.9); }},
        {"eject01", 16, [] { return Mix(Sweep(200, 1600, 0.3, Osc::Square, 0.3), Boom(0.3, 0.5, 26, 0.4)); }},
        {"click01", 8, [] { return Sweep(2000, 1500, 0.03, Osc::Square); }},
        {"click02", 8, [] { return Sweep(1500, 1000, 0.04, Osc::Square); }},
        {"click03", 16, [] { return Sweep(1000, 600, 0.06, Osc::Square); }},
        // Played, then the program waits 1600 ms and ends: the jingle fits that time.
        {"exit3", 16, [] { return Fit(Tune({C5, G4, E4, C4}, 0.4, Osc::Triangle), 1.6); }},
        {"drum1", 16, [] { return Drum(1); }},
        {"drum3", 16, [] { return Drum(2); }},
        {"drum4", 16, [] { return Drum(3); }},
        {"rico3", 16, [] { return Sweep(2800, 1500, 0.18, Osc::Sine); }},
        {"rico4", 16, [] { return Sweep(3200, 2000, 0.16, Osc::Sine); }},
        {"rico5", 16, [] { return Sweep(2400, 3600, 0.17, Osc::Sine); }},
        {"zap03", 16, [] { return Sweep(3000, 300, 0.2, Osc::Square); }},
        {"water01", 16, [] { return Tune({600, 800, 500, 900}, 0.05, Osc::Sine); }},
        // Boss voices per level (a, b, c), about 1.5 s.
        {"zugbos01a", 16, [] { return Voice(110, 90, 1.5, 3); }},
        {"zugbos02a", 16, [] { return Voice(115, 85, 1.5, 3.5); }},
        {"zugbos03a", 16, [] { return Voice(120, 80, 1.5, 4); }},
        {"zugbos04a", 16, [] { return Voice(100, 130, 1.5, 3); }},
        {"zugbos04b", 16, [] { return Voice(105, 140, 1.4, 3.5); }},
        {"zugbos04c", 16, [] { return Voice(95, 150, 1.3, 4); }},
        {"zugbos05a", 16, [] { return Voice(125, 95, 1.5, 4.5); }},
        {"zugbos06a", 16, [] { return Voice(130, 90, 1.5, 5); }},
        {"zugbos07a", 16, [] { return Voice(90, 120, 1.5, 3); }},
        {"zugbos08a", 16, [] { return Voice(85, 125, 1.5, 3.5); }},
        {"zugbos08b", 16, [] { return Voice(80, 130, 1.4, 4); }},
        {"zugbos09a", 16, [] { return Voice(135, 100, 1.5, 4.5); }},
        {"zugbos09b", 16, [] { return Voice(140, 95, 1.4, 5); }},
        {"zugbos10a", 16, [] { return Voice(75, 110, 1.5, 3); }},
        {"zugbos10b", 16, [] { return Voice(70, 120, 1.4, 3.5); }},
        {"zugbos10c", 16, [] { return Voice(65, 130, 1.3, 4); }},
        // The end screen's music, played once while the end picture waits for Space.
        {"end03c", 16, [] {
             return Tune({C5, G4, A4, E4, F4, C4, F4, G4, C5, G4, A4, E4, F4, G4, C5, 0}, 0.3, Osc::Triangle);
         }},
    };
    // Every clip peaks at -6 dBFS: loud enough, with headroom for the mixer.
    for (auto& w : v)
        w.samples = [make = w.samples] {
            Samples s = make();
            float peak = 0;
            for (float x : s) peak = std::max(peak, std::abs(x));
            if (peak > 0)
                for (float& x : s) x *= 0.5f / peak;
            return s;
        };
    return v;
}

std::vector<uint8_t> EncodeWav(const std::vector<float>& samples, int bits) {
    const uint32_t bytesPer = uint32_t(bits / 8);
    const uint32_t dataBytes = uint32_t(samples.size()) * bytesPer;
    std::vector<uint8_t> v;
    v.reserve(44 + dataBytes + 1);
    auto put = [&v](uint32_t x, int n) {
        for (int i = 0; i < n; ++i) v.push_back(uint8_t(x >> (8 * i)));
    };
    auto tag = [&v](const char* t) {
        for (int i = 0; i < 4; ++i) v.push_back(uint8_t(t[i]));
    };
    tag("RIFF");
    put(36 + dataBytes + (dataBytes & 1), 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(kSampleRate, 4);
    put(kSampleRate * bytesPer, 4);
    put(bytesPer, 2);
    put(uint32_t(bits), 2);
    tag("data");
    put(dataBytes, 4);
    for (float f : samples) {
        double x = std::clamp(double(f), -1.0, 1.0);
        if (bits == 8)
            v.push_back(uint8_t(std::lround(128 + x * 127)));
        else
            put(uint32_t(uint16_t(int16_t(std::lround(x * 32767)))), 2);
    }
    if (dataBytes & 1) v.push_back(0);  // chunks are word-aligned
    return v;
}

}  // namespace gen
