#pragma once
// The game's arithmetic: 16-bit Integer, 32-bit Long, 16-bit Boolean with True = -1, the
// rounding rules its numbers were tuned with, tick deadlines and the random generator. Header
// only and free of SDL: every layer uses it, the game world too. Every value the world keeps in
// 16 bits goes through ToInteger, which a debug build checks.
#include <cassert>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace gorb {

using Integer = int16_t;
using Long = int32_t;
using Boolean = int16_t;
using Single = float;

constexpr Boolean True = -1;
constexpr Boolean False = 0;

constexpr Boolean ToBoolean(bool b) { return b ? True : False; }

// Largest integer not above v (also for negative v).
inline double Int(double v) { return std::floor(v); }

// Nearest integer, a half going to the even neighbour.
inline double RoundHalfEven(double v) {
    double f = std::floor(v);
    double diff = v - f;
    if (diff > 0.5) return f + 1.0;
    if (diff < 0.5) return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

// Checked narrowing: a debug build stops on a value outside 16 bits; a release build keeps
// the value inside the range rather than wrapping it.
inline Integer ToInteger(long long v) {
    assert(v >= INT16_MIN && v <= INT16_MAX && "value does not fit in 16 bits");
    if (v < INT16_MIN) return INT16_MIN;
    if (v > INT16_MAX) return INT16_MAX;
    return static_cast<Integer>(v);
}
inline Long ToLong(long long v) {
    assert(v >= INT32_MIN && v <= INT32_MAX && "value does not fit in 32 bits");
    if (v < INT32_MIN) return INT32_MIN;
    if (v > INT32_MAX) return INT32_MAX;
    return static_cast<Long>(v);
}
// A fraction is not narrowed silently: say how it rounds (IntI, CInt, CLng, or a cast).
template <class F>
    requires std::is_floating_point_v<F>
Integer ToInteger(F) = delete;
template <class F>
    requires std::is_floating_point_v<F>
Long ToLong(F) = delete;

inline Integer CInt(double v) { return ToInteger(static_cast<long long>(RoundHalfEven(v))); }
inline Long CLng(double v) { return ToLong(static_cast<long long>(RoundHalfEven(v))); }
inline Integer IntI(double v) { return ToInteger(static_cast<long long>(std::floor(v))); }

// a \ b: the integer quotient rounded toward zero.
constexpr long long IntDiv(long long a, long long b) { return a / b; }

// Keeps v within [lo, hi].
constexpr long long Clamp(long long v, long long lo, long long hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// Deadline arithmetic on the millisecond tick counter, which wraps at 2^32: a deadline is a
// tick plus a delay, and a tick is past it when it is strictly later (across the wrap too).
constexpr uint32_t TickPlus(uint32_t tick, int64_t ms) {
    return static_cast<uint32_t>(static_cast<int64_t>(tick) + ms);
}
constexpr bool TickPast(uint32_t now, uint32_t deadline) {
    return static_cast<int32_t>(now - deadline) > 0;
}

// The game's random generator: Rnd is uniform in [0, 1), from a 24-bit linear congruential
// generator, the classic shape of a BASIC-style Rnd. Seeded once from the time of day by
// Randomize, or with a fixed seed by tests. It is a plain value: the program has one, in the
// game state, and every draw (start-up, the sound set-up, the game world) comes from it.
class RandomGenerator {
public:
    double Rnd() {
        seed_ = (seed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
        return static_cast<double>(seed_) / 16777216.0;
    }
    // Int(Rnd * n): a whole number 0 .. n-1.
    int Below(int n) { return static_cast<int>(std::floor(Rnd() * n)); }
    // Seeds from the milliseconds since midnight (UTC).
    void Randomize() {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
        seed_ = static_cast<uint32_t>(ms % 86400000) & 0xFFFFFFu;
    }
    void RandomizeWith(uint32_t seed) { seed_ = seed & 0xFFFFFFu; }

private:
    uint32_t seed_ = 0x50000;
};

}  // namespace gorb
