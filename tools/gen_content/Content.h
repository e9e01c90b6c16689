#pragma once
// The tables of generated content: one painter per bitmap, one synthesizer per wave. Real art
// or recorded sound replaces an entry by swapping its function.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"

namespace gen {

struct BitmapSpec {
    std::string name;
    int width, height, bits;  // bits: 8 (game palette) or 24
    std::function<void(Canvas&)> paint;
    bool dither = false;  // 8-bit still pictures: error diffusion over the palette
};

struct WaveSpec {
    std::string name;
    int bits;                                     // 8 or 16
    std::function<std::vector<float>()> samples;  // mono, 22050 Hz, in [-1, 1]
};

constexpr int kSampleRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// Helpers the painters share.
constexpr Rgb kInk{28, 24, 34};  // outlines
inline Rect Inner(Rect f, int ring = 1) { return {f.x + ring, f.y + ring, f.w - 2 * ring, f.h - 2 * ring}; }
// A repeatable value in [0, 1] for the pair (a, b): jitter that stays the same on every run.
inline double HashUnit(int a, int b) {
    uint32_t h = uint32_t(a) * 2654435761u ^ uint32_t(b) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 65535.0;
}

std::vector<BitmapSpec> Bitmaps();
std::vector<WaveSpec> Waves();

// The sprite art (Sprites.cpp): enemy, object, boss and pickup sheet n (1-53), and the player.
void PaintVorpex(int n, Canvas& c);
void PaintPlayer(Canvas& c);
// Scenes (Scenes.cpp): level backgrounds 1-11 and the full-screen pictures.
void PaintLevelBackground(int level, Canvas& c);
void PaintPicture(const std::string& name, Canvas& c);

// RIFF WAVE, PCM, mono, 22050 Hz; 8-bit unsigned or 16-bit signed samples.
std::vector<uint8_t> EncodeWav(const std::vector<float>& samples, int bits);

}  // namespace gen
