#pragma once
// The building blocks of the synthesized sounds: deterministic noise, filters that may move
// from sample to sample, and the formant voice.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "Content.h"

namespace gen {

using Samples = std::vector<float>;

inline int Count(double seconds) { return int(std::lround(seconds * kSampleRate)); }

// Deterministic white noise in [-1, 1).
struct Noise {
    uint32_t s;
    float Next() {
        s = s * 1664525u + 1013904223u;
        return float(int32_t(s >> 8) - (1 << 23)) / float(1 << 23);
    }
    // Uniform in [0, 1).
    double Unit() { return (Next() + 1.0) * 0.5; }
};

// A second-order section whose tuning may change at every sample (RBJ cookbook forms).
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, z1 = 0, z2 = 0;
    enum Kind { Low, High, Band };
    void Tune(Kind k, double hz, double q) {
        hz = std::clamp(hz, 10.0, kSampleRate * 0.49);
        const double w = 2 * kPi * hz / kSampleRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        switch (k) {
            case Low: b0 = (1 - c) / 2; b1 = 1 - c; b2 = (1 - c) / 2; break;
            case High: b0 = (1 + c) / 2; b1 = -(1 + c); b2 = (1 + c) / 2; break;
            case Band: b0 = alpha; b1 = 0; b2 = -alpha; break;  // 0 dB at the centre
        }
        b0 /= a0; b1 /= a0; b2 /= a0;
        a1 = -2 * c / a0;
        a2 = (1 - alpha) / a0;
    }
    double Run(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// One formant of the vocal tract: a resonator with unit gain at 0 Hz, so a cascade of them
// shapes a source the way a tube does.
struct Resonator {
    double y1 = 0, y2 = 0;
    double Run(double x, double hz, double bandwidth) {
        const double r = std::exp(-kPi * bandwidth / kSampleRate);
        const double b = 2 * r * std::cos(2 * kPi * std::min(hz, kSampleRate * 0.48) / kSampleRate), c = -r * r;
        const double y = (1 - b - c) * x + b * y1 + c * y2;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// How a voice speaks: the size of its vocal tract, its pitch and the colour of its sound.
struct VoiceStyle {
    double formantScale = 1.0;  // 1: an adult man; above: smaller; below: a bigger throat
    double pitch = 120;         // Hz, the resting pitch
    double jitter = 0.01;       // random change of each period's length (fraction)
    double shimmer = 0.08;      // random change of each period's strength (fraction)
    double breath = 0.04;       // aspiration noise mixed into the voice
    double roughness = 0;       // 0..1: every other period weakened (a growl, a strained scream)
    double tempo = 1.0;         // above 1: faster speech
    double tremoloHz = 0, tremolo = 0;  // an alien flutter of the voice's strength
    double ring = 0, ringHz = 0;        // ring modulation mixed in (a voice through a machine)
    double echo = 0, echoSeconds = 0.12;  // a room's or a machine's echo
    double consonants = 1.0;              // strength of the consonants' noise
    uint32_t seed = 1;
};

// A line spoken or shouted, written in a small phonetic alphabet: vowels a e i o u (and "ae",
// "uh", "er", "aw" as two-letter vowels), consonants b d g k p t m n l r y w h s z f v sh
// ch j; '-' a short pause, ' ' a syllable break; a vowel written twice is held long; '!' after
// a syllable stresses it (higher, louder). The pitch curve runs through `contour` (multiples
// of the resting pitch at evenly spaced times, from start to end).
Samples Speak(const std::string& phonemes, const VoiceStyle& style, const std::vector<double>& contour);

}  // namespace gen
