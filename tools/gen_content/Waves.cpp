// Synthesized sounds: one per wave resource, each made for its role. Every clip is brought to
// its role's loudness (SoundMeasure.cpp) rather than to a peak, so what matters most in a fight
// is loudest and the mixer has headroom; sounds of different roles are built from different
// material, so that being hit is not hitting and enemy fire is not your own.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "Content.h"
#include "SoundMeasure.h"
#include "Synth.h"

namespace gen {
namespace {

enum class Osc { Sine, Square, Saw, Triangle, Pulse };

double Wave(Osc o, double phase) {
    double p = phase - std::floor(phase);
    switch (o) {
        case Osc::Sine: return std::sin(2 * kPi * p);
        case Osc::Square: return p < 0.5 ? 1 : -1;
        case Osc::Pulse: return p < 0.25 ? 1 : -0.33;
        case Osc::Saw: return 2 * p - 1;
        case Osc::Triangle: return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    }
    return 0;
}

// Attack then an exponential decay, at time t (seconds).
double Env(double t, double attack, double decay) {
    return t < attack ? t / attack : std::exp(-(t - attack) / decay);
}

Samples Silence(double seconds) { return Samples(size_t(Count(seconds)), 0.0f); }

// b added into a at `at` seconds (a grows to hold it), scaled.
Samples& Add(Samples& a, const Samples& b, double gain = 1.0, double at = 0) {
    const size_t off = size_t(Count(at));
    if (a.size() < off + b.size()) a.resize(off + b.size(), 0.0f);
    for (size_t i = 0; i < b.size(); ++i) a[off + i] += float(gain * b[i]);
    return a;
}
Samples Mix(Samples a, const Samples& b, double gain = 1.0, double at = 0) { return Add(a, b, gain, at); }

// Both halves alike: a soft clip that keeps the wave centred.
double Soft(double x) { return std::tanh(x); }

// A tone gliding from f0 to f1 (exponentially) with a quick attack and a decay to silence.
Samples Sweep(double f0, double f1, double seconds, Osc o = Osc::Square, double decay = 0) {
    Samples s(size_t(Count(seconds)));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / double(s.size());
        phase += f0 * std::pow(f1 / f0, t) / kSampleRate;
        const double env = decay > 0 ? Env(double(i) / kSampleRate, 0.003, decay) * (1 - t)
                                     : std::min(1.0, double(i) / 60.0) * (1 - t) * (1 - t * 0.3);
        s[i] = float(env * Wave(o, phase));
    }
    return s;
}

// A frequency-modulated chirp: carrier f0 to f1, modulator at ratio, index falling to 0.
Samples Fm(double f0, double f1, double ratio, double index, double seconds, double decay) {
    Samples s(size_t(Count(seconds)));
    double pc = 0, pm = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / double(s.size());
        const double f = f0 * std::pow(f1 / f0, t);
        pm += f * ratio / kSampleRate;
        pc += f / kSampleRate;
        const double mod = index * (1 - t) * std::sin(2 * kPi * pm);
        s[i] = float(Env(double(i) / kSampleRate, 0.002, decay) * (1 - t) * std::sin(2 * kPi * pc + mod));
    }
    return s;
}

// Noise through a filter whose centre glides from hz0 to hz1: hiss, whooshes, splashes.
Samples Filtered(double seconds, Biquad::Kind kind, double hz0, double hz1, double q, uint32_t seed, double attack,
                 double decay) {
    Samples s(size_t(Count(seconds)));
    Noise n{seed};
    Biquad f;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / double(s.size());
        f.Tune(kind, hz0 * std::pow(hz1 / hz0, t), q);
        s[i] = float(f.Run(n.Next()) * Env(double(i) / kSampleRate, attack, decay) * std::min(1.0, 4 * (1 - t)));
    }
    return s;
}

// An explosion: low-passed noise whose cutoff falls, driven into a soft clip (both halves
// alike), with a low thump under it and, optionally, the crackle of debris.
Samples Boom(double seconds, double cut0, double cut1, uint32_t seed, double thumpHz = 0, double crackle = 0) {
    Samples s(size_t(Count(seconds)));
    Noise n{seed};
    Biquad lp, lp2;
    double thumpPhase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / double(s.size()), sec = double(i) / kSampleRate;
        const double cut = cut0 * std::pow(cut1 / cut0, t);
        lp.Tune(Biquad::Low, cut, 0.8);
        lp2.Tune(Biquad::Low, cut * 1.5, 0.7);
        const double env = std::min(1.0, sec / 0.004) * std::pow(1 - t, 1.6);
        double v = Soft(2.5 * lp2.Run(lp.Run(n.Next()))) * env;
        if (thumpHz > 0) {
            thumpPhase += thumpHz * (1 - 0.5 * t) / kSampleRate;
            v += 0.8 * std::sin(2 * kPi * thumpPhase) * Env(sec, 0.004, 0.12);
        }
        if (crackle > 0 && n.Unit() < crackle * 0.004 * (1 - t)) v += (n.Next() > 0 ? 1 : -1) * 0.6 * (1 - t);
        s[i] = float(v);
    }
    return s;
}

// Struck metal or glass: inharmonic partials, each with its own decay.
Samples Metal(std::initializer_list<double> partials, double seconds, double decay, uint32_t seed) {
    Samples s(size_t(Count(seconds)), 0.0f);
    Noise n{seed};
    int k = 0;
    for (double f : partials) {
        const double ph = n.Unit(), d = decay * (1.0 - 0.12 * k), g = 1.0 / (1 + 0.4 * k);
        for (size_t i = 0; i < s.size(); ++i) {
            const double sec = double(i) / kSampleRate;
            s[i] += float(g * std::sin(2 * kPi * (f * sec + ph)) * Env(sec, 0.001, d));
        }
        ++k;
    }
    // The strike itself: a tick of noise.
    for (size_t i = 0; i < size_t(Count(0.004)) && i < s.size(); ++i) s[i] += float(0.8 * n.Next());
    return s;
}

// Sparse random pings (glass) or blips (bubbles) over the clip.
Samples Scatter(double seconds, int count, double lo, double hi, double pingSeconds, bool rising, uint32_t seed) {
    Samples s = Silence(seconds + pingSeconds);
    Noise n{seed};
    for (int k = 0; k < count; ++k) {
        const double at = seconds * n.Unit() * n.Unit() + 0.002 * k;
        const double f = lo * std::pow(hi / lo, n.Unit());
        const Samples p = rising ? Sweep(f, f * 1.8, pingSeconds, Osc::Sine, pingSeconds * 0.4)
                                 : Metal({f, f * 1.51}, pingSeconds, pingSeconds * 0.3, seed + uint32_t(k));
        Add(s, p, 0.5 + 0.5 * n.Unit(), at);
    }
    return s;
}

// Amplitude modulation: a flutter or a rattle.
Samples Tremolo(Samples s, double hz, double depth) {
    for (size_t i = 0; i < s.size(); ++i)
        s[i] *= float(1 - depth * 0.5 * (1 + std::sin(2 * kPi * hz * double(i) / kSampleRate)));
    return s;
}

Samples Drive(Samples s, double gain) {
    for (float& x : s) x = float(Soft(gain * x));
    return s;
}

// A note with a little body: the oscillator, its octave above softly, a pluck-like decay.
Samples Note(double f, double seconds, Osc o, double decay) {
    Samples s(size_t(Count(seconds)));
    double p = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double sec = double(i) / kSampleRate, t = double(i) / double(s.size());
        p += f / kSampleRate;
        const double env = Env(sec, 0.004, decay) * std::min(1.0, 30 * (1 - t));
        s[i] = float(env * (Wave(o, p) + 0.25 * std::sin(4 * kPi * p)));
    }
    return s;
}

// A little tune: one note per entry (Hz, 0 = rest), each `noteSeconds` long, over a bass that
// plays the first note of every `barNotes` two octaves down.
Samples Tune(std::initializer_list<double> notes, double noteSeconds, Osc o, int barNotes = 0) {
    Samples s;
    double at = 0;
    int k = 0;
    for (double f : notes) {
        if (f > 0) Add(s, Note(f, noteSeconds * 1.6, o, noteSeconds * 0.8), 0.6, at);
        if (barNotes > 0 && k % barNotes == 0 && f > 0) {
            Samples bass = Note(f / 4, noteSeconds * barNotes, Osc::Saw, noteSeconds * barNotes * 0.5);
            Biquad lp;
            lp.Tune(Biquad::Low, 500, 0.7);
            for (float& x : bass) x = float(lp.Run(x));
            Add(s, bass, 0.5, at);
        }
        at += noteSeconds;
        ++k;
    }
    s.resize(size_t(Count(at + noteSeconds)), 0.0f);
    return s;
}

Samples Fit(Samples s, double seconds) {
    s.resize(size_t(Count(seconds)), 0.0f);
    const size_t fade = std::min<size_t>(s.size(), size_t(Count(0.02)));
    for (size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= float(i) / float(fade);
    return s;
}

// One bar of the drum loop, exactly 1600 ms, so the clips follow each other seamlessly.
Samples Drum(int variant) {
    Samples s = Silence(1.6);
    for (int beat = 0; beat < 8; ++beat) {
        const bool kick = beat % 4 == 0 || (variant == 2 && beat == 6) || (variant == 3 && beat == 3);
        const bool snare = beat % 4 == 2 || (variant == 3 && beat == 7);
        const double at = beat * 0.2;
        if (kick) Add(s, Mix(Sweep(130, 42, 0.22, Osc::Sine, 0.12), Filtered(0.01, Biquad::High, 3000, 3000, 0.7, 5, 0.0005, 0.003), 0.5), 1.0, at);
        if (snare) {
            Samples sn = Mix(Boom(0.16, 6000, 2500, uint32_t(beat * 7 + variant)), Sweep(200, 170, 0.1, Osc::Triangle, 0.04), 0.6);
            Add(s, sn, 0.55, at);
        }
        Add(s, Filtered(0.05, Biquad::High, 7000, 6000, 0.8, uint32_t(beat + 100 * variant), 0.001, 0.015), snare ? 0.15 : 0.3, at);
    }
    return Fit(s, 1.6);
}

// ------------------------------------------------------------------ voices

// The pilot, hurt: a man's scream on an open vowel, strained (rough, breathy, unsteady), its
// pitch leaping up and sagging away.
constexpr VoiceStyle kScream{.formantScale = 1.06, .jitter = 0.035, .shimmer = 0.2, .breath = 0.22, .roughness = 0.3};
// A Zorbel, rammed: a small throat (high formants), a fluttering voice, one or two syllables.
constexpr VoiceStyle kYelp{.formantScale = 1.3, .jitter = 0.02, .shimmer = 0.12, .breath = 0.1, .tempo = 1.15,
                           .tremolo = 0.45};
// A Zorbel remark: a phrase in their tongue, fluttering like the yelps but calmer.
constexpr VoiceStyle kRemark{.formantScale = 1.22, .jitter = 0.012, .shimmer = 0.08, .breath = 0.06, .tempo = 1.1,
                             .tremoloHz = 22, .tremolo = 0.25};

Samples Say(const std::string& line, VoiceStyle v, double pitch, std::vector<double> contour, uint32_t seed,
            double flutterHz = 0) {
    v.pitch = pitch;
    v.seed = seed;
    if (flutterHz > 0) v.tremoloHz = flutterHz;
    return Speak(line, v, contour);
}
Samples Scream(const std::string& line, double pitch, std::vector<double> contour, uint32_t seed) {
    return Say(line, kScream, pitch, std::move(contour), seed);
}
Samples Yelp(const std::string& line, double pitch, double flutterHz, std::vector<double> contour, uint32_t seed) {
    return Say(line, kYelp, pitch, std::move(contour), seed, flutterHz);
}
Samples Remark(const std::string& line, double pitch, std::vector<double> contour, uint32_t seed) {
    return Say(line, kRemark, pitch, std::move(contour), seed);
}

// A boss: a big throat, a slow low voice with its own growl, machine colour and hall; its
// consonants soft, so the hall carries the voice and not the hiss.
struct Boss {
    double scale, pitch, tempo, roughness, ring, ringHz, echo, echoSeconds;
};
Samples BossLine(const std::string& line, const Boss& b, std::vector<double> contour, uint32_t seed) {
    return Speak(line,
                 VoiceStyle{.formantScale = b.scale, .pitch = b.pitch, .jitter = 0.015, .shimmer = 0.1, .breath = 0.05,
                            .roughness = b.roughness, .tempo = b.tempo, .ring = b.ring, .ringHz = b.ringHz,
                            .echo = b.echo, .echoSeconds = b.echoSeconds, .consonants = 0.35, .seed = seed},
                 contour);
}

// Brings a clip to its role's loudness; where that would push its peak past full scale, the
// peak is softly limited instead and the level made up again.
Samples Level(const std::string& name, Samples s) {
    // Nothing below hearing: a gentle 20 Hz high-pass keeps every clip centred on zero.
    {
        const double a = std::exp(-2 * kPi * 20.0 / kSampleRate);
        double xPrev = 0, yPrev = 0;
        for (float& x : s) {
            const double y = a * (yPrev + x - xPrev);
            xPrev = x;
            yPrev = y;
            x = float(y);
        }
    }
    const Role role = RoleOfWave(name);
    const double target = TargetDb(role);
    for (int pass = 0; pass < 4; ++pass) {
        const double now = LoudnessDb(s, kSampleRate);
        if (now < -150) break;
        const float g = float(std::pow(10.0, (target - now) / 20));
        float peak = 0;
        for (float& x : s) {
            x *= g;
            peak = std::max(peak, std::abs(x));
        }
        if (peak <= 0.97f) break;
        for (float& x : s) x = float(0.97 * std::tanh(x / 0.97));
    }
    float peak = 0;
    for (float x : s) peak = std::max(peak, std::abs(x));
    if (peak > 0.97f)
        for (float& x : s) x *= 0.97f / peak;
    // Every clip ends on silence, without a click.
    const size_t fade = std::min<size_t>(s.size(), size_t(Count(0.008)));
    for (size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= float(i) / float(fade);
    return s;
}

}  // namespace

std::vector<WaveSpec> Waves() {
    // Note names for the tunes.
    constexpr double C4 = 261.6, D4 = 293.7, E4 = 329.6, F4 = 349.2, G4 = 392.0, A4 = 440.0, B4 = 493.9,
                     C5 = 523.3, D5 = 587.3, E5 = 659.3, G5 = 784.0, C6 = 1046.5, D6 = 1174.7, E6 = 1318.5;
    using B = Biquad;
    std::vector<WaveSpec> v = {
        // The player's guns: bright, quick, clean.
        {"playsht1", 16, [] { return Mix(Sweep(1800, 600, 0.09, Osc::Pulse, 0.05), Filtered(0.006, B::High, 4000, 4000, 0.7, 1, 0.0005, 0.002), 0.4); }},
        {"playsht2", 16, [] { return Mix(Sweep(2100, 800, 0.085, Osc::Pulse, 0.045), Sweep(2500, 950, 0.085, Osc::Pulse, 0.045), 0.7); }},
        {"playsht3", 16, [] { return Fm(1300, 420, 2.0, 2.5, 0.11, 0.06); }},
        {"missile1", 16, [] { return Mix(Filtered(0.3, B::Band, 800, 3000, 1.2, 11, 0.02, 0.15), Sweep(95, 60, 0.05, Osc::Sine, 0.03), 0.6); }},
        {"missile2", 16, [] { return Mix(Filtered(0.35, B::Band, 1100, 4200, 1.5, 12, 0.015, 0.18), Scatter(0.25, 8, 2000, 5000, 0.02, false, 12), 0.3); }},
        {"laser02", 16, [] { return Fm(2600, 1200, 1.5, 3.0, 0.15, 0.08); }},
        // Enemy fire: lower, darker, buzzier than the player's own.
        {"SHOOT01", 8, [] { Samples s = Sweep(420, 160, 0.12, Osc::Saw, 0.07); B lp; lp.Tune(B::Low, 1500, 0.9); for (float& x : s) x = float(lp.Run(x)); return s; }},
        {"zap02", 16, [] { return Tremolo(Fm(1400, 180, 0.5, 4.0, 0.18, 0.1), 70, 0.6); }},
        {"shoot02", 16, [] { return Mix(Sweep(220, 70, 0.14, Osc::Sine, 0.08), Boom(0.12, 1200, 300, 2), 0.5); }},
        {"laser03", 16, [] { return Tremolo(Mix(Sweep(3200, 2000, 0.2, Osc::Sine, 0.12), Sweep(6400, 4000, 0.2, Osc::Sine, 0.1), 0.3), 55, 0.7); }},
        {"drop01", 16, [] { Samples s = Sweep(2200, 500, 0.5, Osc::Sine, 0.4); return Tremolo(s, 9, 0.3); }},
        {"laser05", 8, [] { Samples s = Sweep(300, 1800, 0.4, Osc::Saw, 0.3); B bp; for (size_t i = 0; i < s.size(); ++i) { bp.Tune(B::Band, 500 + 2500.0 * double(i) / double(s.size()), 3); s[i] = float(bp.Run(s[i]) * 2); } return s; }},
        {"missile3", 16, [] { return Tremolo(Mix(Boom(0.25, 900, 400, 13), Filtered(0.25, B::High, 5000, 3000, 0.7, 13, 0.01, 0.1), 0.4), 60, 0.5); }},
        {"shoot04", 16, [] { return Mix(Sweep(500, 120, 0.16, Osc::Triangle, 0.07), Filtered(0.008, B::Band, 1500, 1500, 1, 4, 0.0005, 0.003), 0.5); }},
        {"snot01", 16, [] { return Mix(Filtered(0.25, B::Low, 1500, 300, 6, 5, 0.005, 0.08), Sweep(300, 120, 0.2, Osc::Sine, 0.08), 0.5); }},
        {"shoot05", 8, [] { return Mix(Sweep(700, 350, 0.05, Osc::Square, 0.025), Filtered(0.03, B::Band, 1200, 800, 1, 6, 0.001, 0.01), 0.6); }},
        {"shoot06", 8, [] { return Filtered(0.1, B::Band, 2500, 900, 2.5, 7, 0.002, 0.04); }},
        {"shoot03", 16, [] { Samples s = Sweep(180, 150, 0.12, Osc::Square, 0.08); B lp; lp.Tune(B::Low, 900, 1.2); for (float& x : s) x = float(lp.Run(x)); return s; }},
        {"ding01", 8, [] { return Metal({1800, 2950, 4100}, 0.25, 0.09, 8); }},
        // Your bullet striking something: a high metallic tink.
        {"rico1", 16, [] { return Metal({2700, 4150, 5600, 7300}, 0.12, 0.03, 21); }},
        {"rico2", 16, [] { return Mix(Metal({3100, 4700, 6300}, 0.1, 0.025, 22), Sweep(3000, 5200, 0.07, Osc::Sine, 0.03), 0.3); }},
        // Explosions: noise, rumble and debris, each its own size and colour.
        {"explode1", 16, [] { return Boom(0.7, 4000, 500, 1, 70, 0.6); }},
        {"explode2", 8, [] { return Boom(0.45, 6000, 900, 2, 0, 0.3); }},
        {"blimppop", 8, [] { return Mix(Filtered(0.006, B::High, 2000, 2000, 0.7, 3, 0.0003, 0.002), Tremolo(Filtered(0.5, B::Band, 3000, 1200, 2, 3, 0.01, 0.2), 25, 0.7), 0.6); }},
        {"explode3", 8, [] { return Boom(0.5, 2500, 400, 4, 80, 1.5); }},
        {"explode7", 8, [] { return Boom(0.8, 2200, 280, 5, 55, 1.0); }},
        {"explode5", 8, [] { return Mix(Boom(0.3, 3500, 600, 6, 70), Boom(0.3, 2500, 400, 16, 55), 0.8, 0.12); }},
        {"explode6", 16, [] { Samples s = Mix(Filtered(0.9, B::Band, 2000, 900, 0.8, 7, 0.02, 0.35), Scatter(0.8, 60, 2000, 6000, 0.01, false, 7), 0.5); return Drive(Mix(s, Boom(0.9, 700, 200, 27, 0, 0), 0.3), 2); }},
        {"wood01a", 16, [] { return Mix(Metal({420, 1130, 1900}, 0.3, 0.06, 9), Scatter(0.25, 14, 1500, 4000, 0.015, false, 9), 0.4); }},
        {"wood02a", 16, [] { return Mix(Metal({330, 870, 1600}, 0.35, 0.08, 10), Scatter(0.3, 20, 1200, 3500, 0.02, false, 10), 0.4); }},
        {"explode0", 16, [] { Samples s = Mix(Boom(2.0, 4000, 120, 10, 45, 1.2), Scatter(0.15, 30, 3000, 8000, 0.08, false, 10), 0.5); Add(s, Sweep(900, 60, 1.6, Osc::Saw, 0.8), 0.6); return Mix(s, Boom(0.8, 2000, 200, 30, 35), 0.7, 0.35); }},
        {"ice05c", 16, [] { return Mix(Scatter(0.3, 40, 3000, 9000, 0.05, false, 14), Filtered(0.35, B::High, 6000, 4000, 0.7, 14, 0.002, 0.1), 0.3); }},
        {"ice06c", 16, [] { return Mix(Scatter(0.35, 30, 2500, 7000, 0.07, false, 15), Filtered(0.4, B::High, 5000, 3500, 0.7, 15, 0.002, 0.12), 0.3); }},
        {"squish01", 16, [] { Samples s = Silence(0.25); Noise n{38}; B bp; for (size_t i = 0; i < s.size(); ++i) { const double t = double(i) / double(s.size()); bp.Tune(B::Band, 400 + 1100 * std::sin(kPi * t), 6); s[i] = float(bp.Run(n.Next()) * (1 - t) * 3); } return s; }},
        {"squish02", 16, [] { Samples s = Silence(0.3); Noise n{39}; B bp; for (size_t i = 0; i < s.size(); ++i) { const double t = double(i) / double(s.size()); bp.Tune(B::Band, 300 + 700 * std::sin(kPi * t * 1.5), 5); s[i] = float(bp.Run(n.Next()) * (1 - t) * 3); } return Tremolo(s, 18, 0.5); }},
        {"explode8a", 16, [] { return Mix(Boom(0.8, 3000, 250, 18, 55, 0.8), Metal({610, 980, 1530, 2210}, 0.8, 0.3, 18), 0.35); }},
        {"bubbles2", 16, [] { return Scatter(0.6, 14, 300, 900, 0.06, true, 48); }},
        // A boss going down: the biggest blasts of the game.
        {"planefa2", 16, [] { Samples fall = Tremolo(Sweep(1400, 120, 1.5, Osc::Saw, 1.2), 14, 0.4); B lp; lp.Tune(B::Low, 2500, 0.8); for (float& x : fall) x = float(lp.Run(x)); Add(fall, Boom(1.0, 1200, 80, 20, 35, 0.5), 0.8, 1.0); return Mix(fall, Metal({150, 240, 390, 610}, 0.9, 0.3, 20), 0.4, 1.05); }},
        {"bosscrsh", 16, [] { Samples s = Boom(1.4, 1400, 90, 21, 34, 0.5); Add(s, Boom(1.2, 1100, 80, 31, 30), 0.9, 0.25); Add(s, Boom(1.6, 900, 70, 41, 28, 0.5), 0.9, 0.6); Add(s, Metal({180, 290, 470, 730, 1090}, 1.2, 0.4, 51), 0.5, 0.3); return s; }},
        // Being hit: a heavy thud and a crunch, low where hitting is high.
        {"rico3", 16, [] { return Drive(Mix(Sweep(150, 60, 0.15, Osc::Sine, 0.05), Filtered(0.15, B::Band, 600, 400, 0.9, 92, 0.001, 0.05), 0.9), 2.5); }},
        {"rico4", 16, [] { return Drive(Mix(Mix(Sweep(110, 50, 0.16, Osc::Sine, 0.06), Filtered(0.16, B::Band, 900, 500, 0.8, 93, 0.001, 0.06), 0.8), Scatter(0.1, 6, 800, 2000, 0.02, false, 93), 0.3), 2.5); }},
        {"rico5", 16, [] { return Drive(Tremolo(Mix(Sweep(180, 70, 0.18, Osc::Sine, 0.06), Filtered(0.18, B::Band, 500, 350, 0.9, 94, 0.001, 0.07), 0.9), 35, 0.5), 2.5); }},
        {"zap03", 16, [] { Samples buzz = Sweep(60, 55, 0.22, Osc::Square, 0.12); B bp; bp.Tune(B::Band, 1800, 3); for (float& x : buzz) x = float(bp.Run(x) * 3); return Mix(buzz, Scatter(0.18, 25, 6000, 9500, 0.01, false, 95), 0.25); }},
        {"water01", 16, [] { return Mix(Filtered(0.2, B::Band, 1500, 900, 1.2, 96, 0.002, 0.06), Scatter(0.15, 5, 400, 900, 0.04, true, 96), 0.6); }},
        {"snot02", 16, [] { return Mix(Filtered(0.3, B::Low, 2000, 250, 4, 33, 0.002, 0.1), Sweep(120, 60, 0.08, Osc::Sine, 0.04), 0.7); }},
        // Ramming: crunching metal.
        {"collide1", 16, [] { return Drive(Mix(Metal({320, 510, 770, 1130}, 0.3, 0.1, 36), Sweep(90, 50, 0.1, Osc::Sine, 0.05), 0.8), 1.5); }},
        {"collide4", 16, [] { return Drive(Mix(Mix(Metal({260, 440, 690, 1020, 1460}, 0.4, 0.13, 37), Sweep(80, 45, 0.12, Osc::Sine, 0.06), 0.8), Boom(0.3, 1500, 300, 37), 0.4), 1.5); }},
        // Pickups and items: tuned, bright, rising.
        {"getgun2", 16, [] { return Tune({C5, E5, G5, C6}, 0.06, Osc::Square); }},
        {"getgun3", 16, [] { return Mix(Metal({G5, G5 * 2.01}, 0.3, 0.1, 42), Metal({D6, D6 * 2.01}, 0.25, 0.1, 43), 1.0, 0.08); }},
        {"energy01", 16, [] { return Tremolo(Sweep(400, 1600, 0.35, Osc::Sine, 0.3), 20, 0.4); }},
        {"extralif", 16, [] { return Tune({C5, E5, G5, C6, E6}, 0.09, Osc::Triangle); }},
        {"speed01", 16, [] { return Mix(Filtered(0.4, B::Band, 500, 4000, 1.5, 45, 0.05, 0.3), Sweep(300, 2400, 0.35, Osc::Saw, 0.25), 0.2); }},
        {"sizzle3a", 16, [] { return Mix(Scatter(0.6, 60, 2000, 8000, 0.008, false, 19), Filtered(0.7, B::Band, 800, 500, 0.7, 19, 0.05, 0.4), 0.5); }},
        {"axe02b", 16, [] { Samples s; for (int k = 0; k < 3; ++k) Add(s, Filtered(0.16, B::Band, 600, 3000, 2, uint32_t(22 + k), 0.04, 0.06), 1.0, 0.12 * k); return Mix(s, Metal({1250, 1980}, 0.5, 0.15, 22), 0.3); }},
        {"thunder4", 16, [] { Samples s = Filtered(0.05, B::High, 2500, 1500, 0.7, 24, 0.001, 0.02); Add(s, Tremolo(Boom(1.8, 700, 90, 24, 0, 0.3), 3, 0.5), 1.0, 0.03); return Mix(s, Filtered(1.8, B::High, 6000, 5000, 0.7, 124, 0.3, 1.0), 0.15); }},
        {"white01a", 16, [] { Samples s = Silence(0.6); Noise n{23}; B bp; for (size_t i = 0; i < s.size(); ++i) { const double t = double(i) / double(s.size()); bp.Tune(B::Band, 1500 + 1000 * std::sin(2 * kPi * 3 * t), 2); s[i] = float(bp.Run(n.Next()) * std::sin(kPi * t) * 2); } return s; }},
        {"white02a", 16, [] { return Mix(Filtered(0.5, B::Band, 3000, 500, 1.5, 57, 0.02, 0.3), Sweep(1200, 300, 0.45, Osc::Triangle, 0.3), 0.3); }},
        {"wind02", 16, [] { return Mix(Filtered(1.0, B::Band, 1200, 2500, 6, 25, 0.25, 0.6), Sweep(1800, 2300, 1.0, Osc::Sine, 0.6), 0.1); }},
        // Alerts: tuned signals that stand apart from the fight.
        {"enemy01", 16, [] { return Tune({A4, E5, A4, E5, A4, E5}, 0.12, Osc::Square); }},
        {"enemy02", 16, [] { Samples s = Silence(0.9); double p = 0; for (size_t i = 0; i < s.size(); ++i) { const double t = double(i) / double(s.size()); p += (650 + 250 * std::sin(2 * kPi * 2 * t)) / kSampleRate; s[i] = float(Wave(Osc::Saw, p) * std::min(1.0, 20 * (1 - t)) * std::min(1.0, 200 * t)); } return s; }},
        {"slow01", 16, [] { return Mix(Mix(Sweep(C5, C5 / 2, 0.7, Osc::Triangle, 0.5), Sweep(E5, E5 / 2, 0.7, Osc::Triangle, 0.5)), Sweep(G5, G5 / 2, 0.7, Osc::Triangle, 0.5)); }},
        {"slow02", 16, [] { return Mix(Mix(Sweep(C5 / 2, C5, 0.7, Osc::Sine, 0.5), Sweep(E5 / 2, E5, 0.7, Osc::Sine, 0.5)), Sweep(G5 / 2, G5, 0.7, Osc::Sine, 0.5)); }},
        {"gameove2", 16, [] { return Tune({G4, F4, E4, D4, C4}, 0.25, Osc::Square, 5); }},
        {"waver02", 16, [] { Samples s = Silence(0.6); double p = 0; for (size_t i = 0; i < s.size(); ++i) { const double t = double(i) / double(s.size()); p += (600 + 200 * std::sin(2 * kPi * 11 * t)) / kSampleRate; s[i] = float(std::sin(2 * kPi * p) * std::sin(kPi * t)); } return s; }},
        {"eject01", 16, [] { return Mix(Filtered(0.01, B::Band, 800, 800, 1, 26, 0.0005, 0.004), Filtered(0.4, B::Band, 400, 3000, 2, 26, 0.03, 0.2), 0.8, 0.01); }},
        // Voices (pilot talk). The pilot's screams: hurt, on open vowels.
        {"aaah01", 16, [] { return Scream("haaaa!a", 330, {0.9, 1.45, 1.5, 1.3, 0.95}, 65); }},
        {"aaah02", 16, [] { return Scream("aaaa!ugh", 360, {1.0, 1.5, 1.35, 1.0, 0.8}, 66); }},
        {"aaah03", 16, [] { return Scream("waaaa!o", 300, {0.8, 1.3, 1.55, 1.4, 1.0}, 67); }},
        {"aaah04", 16, [] { return Scream("ow!aw", 400, {1.2, 1.5, 1.1, 0.85}, 68); }},
        {"aaah05", 16, [] { return Scream("uhaaaa!r", 280, {0.9, 1.2, 1.5, 1.5, 1.1, 0.8}, 69); }},
        {"aaah06", 16, [] { return Scream("aeaeae!", 430, {1.1, 1.4, 1.25, 0.9}, 70); }},
        {"aaah07", 16, [] { return Scream("naaa!aa", 310, {1.0, 1.35, 1.5, 1.2, 0.85}, 71); }},
        // Zorbels rammed: small fluttering throats.
        {"zugyel01", 16, [] { return Yelp("zug! yel", 260, 35, {1.0, 1.3, 0.9}, 72); }},
        {"zugyel02", 16, [] { return Yelp("yiii!k", 330, 41, {1.1, 1.5, 1.0}, 73); }},
        {"zugyel03", 16, [] { return Yelp("grooo!", 220, 30, {1.2, 1.0, 0.7}, 74); }},
        {"zugyel04", 16, [] { return Yelp("o! zug", 300, 47, {1.3, 1.0, 1.1}, 75); }},
        {"zugyel05", 16, [] { return Yelp("wek wek!", 360, 52, {1.0, 1.2, 1.4}, 76); }},
        {"zugyel06", 16, [] { return Yelp("zaaa!b", 240, 38, {0.9, 1.4, 0.8}, 77); }},
        {"zugyel07", 16, [] { return Yelp("eeyu!", 380, 44, {1.3, 1.0, 0.7}, 78); }},
        // Zorbel remarks on what the player did.
        {"zugyel08", 16, [] { return Remark("ha ha! mis da", 250, {1.2, 1.0, 1.3, 0.9}, 79); }},
        {"zugyel09", 16, [] { return Remark("o no! big zap", 270, {1.3, 1.4, 1.0, 0.9}, 64); }},
        {"zugyel10", 16, [] { return Remark("zor bel! ru naa way", 230, {1.1, 1.3, 1.0, 1.2, 0.8}, 63); }},
        {"zugyel12", 16, [] { return Remark("chee! ter chee ter", 290, {1.2, 1.4, 1.1, 1.3, 1.0}, 80); }},
        {"zugyel13", 16, [] { return Remark("naa! lay fa", 240, {1.3, 1.0, 0.8}, 82); }},
        // Music: title, end and exit, at one level with the drums.
        {"qvintro4", 16, [] {
             return Tune({C4, E4, G4, C5, G4, E4, C4, 0, D4, F4, A4, D5, A4, F4, D4, 0,
                          E4, G4, B4, E5, B4, G4, E4, 0, C5, G4, E4, C4, G4, C5, C5, 0},
                         0.15, Osc::Triangle, 8);
         }},
        {"qvintro4a", 16, [] {
             return Tune({C5, B4, A4, G4, A4, B4, C5, 0, E5, D5, C5, B4, C5, D5, E5, 0,
                          G5, E5, C5, G4, C5, E5, G5, 0, C6, G5, E5, C5, G4, E4, C4, 0},
                         0.15, Osc::Square, 8);
         }},
        {"click01", 8, [] { return Mix(Filtered(0.004, B::High, 3000, 3000, 0.7, 85, 0.0003, 0.001), Sweep(2200, 2000, 0.02, Osc::Sine, 0.006), 0.6); }},
        {"click02", 8, [] { return Mix(Filtered(0.004, B::Band, 1500, 1500, 1, 86, 0.0003, 0.001), Sweep(1200, 1100, 0.025, Osc::Sine, 0.008), 0.6); }},
        {"click03", 16, [] { Samples s = Sweep(880, 870, 0.05, Osc::Triangle, 0.03); return Add(s, Sweep(1320, 1310, 0.06, Osc::Triangle, 0.035), 1.0, 0.045); }},
        // Played, then the program waits 1600 ms and ends: the jingle fits that time.
        {"exit3", 16, [] { return Fit(Tune({C5, G4, E4, C4}, 0.35, Osc::Triangle, 4), 1.6); }},
        {"drum1", 16, [] { return Drum(1); }},
        {"drum3", 16, [] { return Drum(2); }},
        {"drum4", 16, [] { return Drum(3); }},
        // Boss voices per level (a, b, c): each boss its own throat, pitch and colour.
        {"zugbos01a", 16, [] { return BossLine("grak tor! zo - ma nu bel", {0.85, 100, 0.85, 0.2, 0, 0, 0.25, 0.11}, {1.1, 1.3, 1.0, 1.1, 0.8}, 101); }},
        {"zugbos02a", 16, [] { return BossLine("vi shee! ri - di zik ge", {0.97, 125, 0.9, 0.1, 0.3, 45, 0.2, 0.09}, {1.0, 1.4, 1.1, 0.9, 0.8}, 102); }},
        {"zugbos03a", 16, [] { return BossLine("mu roo goo! - to bo", {0.72, 78, 0.8, 0.4, 0, 0, 0.35, 0.16}, {1.2, 1.0, 1.3, 0.9, 0.7}, 103); }},
        {"zugbos04a", 16, [] { return BossLine("ke zee! ke zaa - ni yu", {1.02, 145, 1.0, 0.05, 0.2, 80, 0.15, 0.07}, {1.0, 1.3, 1.0, 1.2, 0.9}, 104); }},
        {"zugbos04b", 16, [] { return BossLine("ha! ha ha - zee mor", {1.02, 155, 1.1, 0.05, 0.2, 80, 0.15, 0.07}, {1.4, 1.2, 1.1, 1.0, 0.8}, 114); }},
        {"zugbos04c", 16, [] { return BossLine("noo! noo - ku zoo", {1.02, 135, 0.9, 0.1, 0.2, 80, 0.15, 0.07}, {1.5, 1.2, 1.0, 0.7}, 124); }},
        {"zugbos05a", 16, [] { return BossLine("da ram! ba - da ram ga", {0.65, 66, 0.75, 0.5, 0, 0, 0.3, 0.2}, {1.0, 1.2, 0.9, 1.1, 0.8}, 105); }},
        {"zugbos06a", 16, [] { return BossLine("si li! vee - see tir", {1.12, 170, 1.1, 0, 0.45, 110, 0.1, 0.05}, {1.2, 1.5, 1.1, 1.0, 0.9}, 106); }},
        {"zugbos07a", 16, [] { return BossLine("u goo! ru - bu gu", {0.6, 58, 0.7, 0.6, 0.1, 30, 0.4, 0.25}, {1.1, 0.9, 1.2, 1.0, 0.7}, 107); }},
        {"zugbos08a", 16, [] { return BossLine("to ko! to ku - mo roo", {0.78, 135, 1.2, 0.15, 0.55, 140, 0.2, 0.1}, {1.0, 1.2, 1.3, 1.0, 0.8}, 108); }},
        {"zugbos08b", 16, [] { return BossLine("ee! ti ki rii", {0.78, 130, 1.1, 0.25, 0.55, 140, 0.2, 0.1}, {1.5, 1.1, 1.0, 0.7}, 118); }},
        {"zugbos09a", 16, [] { return BossLine("fin dee! fe - li mer fin", {0.92, 88, 0.95, 0.3, 0.15, 95, 0.3, 0.13}, {1.0, 1.3, 0.9, 1.2, 0.8}, 109); }},
        {"zugbos09b", 16, [] { return BossLine("yoo! zun zun doo", {0.92, 95, 1.0, 0.3, 0.15, 95, 0.3, 0.13}, {1.4, 1.2, 1.3, 0.8}, 119); }},
        {"zugbos10a", 16, [] { return BossLine("zor! - bel gron ka maa tu", {0.55, 68, 0.7, 0.45, 0.25, 25, 0.4, 0.3}, {1.2, 1.0, 1.3, 1.0, 0.8, 0.7}, 110); }},
        {"zugbos10b", 16, [] { return BossLine("gree! gree - vi ri", {0.55, 74, 0.75, 0.4, 0.25, 25, 0.4, 0.3}, {1.3, 1.1, 1.0, 0.8}, 120); }},
        {"zugbos10c", 16, [] { return BossLine("naa! naa ka maa", {0.55, 64, 0.7, 0.5, 0.25, 25, 0.4, 0.3}, {1.5, 1.2, 0.9, 0.6}, 130); }},
        // The end screen's music, played once while the end picture waits for Space.
        {"end03c", 16, [] {
             return Tune({C5, G4, A4, E4, F4, C4, F4, G4, C5, G4, A4, E4, F4, G4, C5, 0}, 0.3, Osc::Triangle, 4);
         }},
    };
    for (auto& w : v) w.samples = [name = w.name, make = w.samples] { return Level(name, make()); };
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
