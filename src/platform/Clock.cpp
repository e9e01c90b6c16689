#include "platform/Clock.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace gorb {

namespace {
bool g_virtual = false;
uint32_t g_virtualNow = 1000;
std::function<void()> g_waitHook;
}  // namespace

uint32_t GetTickCount() {
    if (g_virtual) return g_virtualNow;
    return static_cast<uint32_t>(SDL_GetTicks64());
}

void SetWaitHook(std::function<void()> hook) { g_waitHook = std::move(hook); }

void WaitUntilPast(uint32_t deadline) {
    if (g_waitHook) g_waitHook();
    if (g_virtual) {
        if (!TickPast(g_virtualNow, deadline)) g_virtualNow = deadline + 1;
        return;
    }
    for (;;) {
        uint32_t now = GetTickCount();
        if (TickPast(now, deadline)) return;
        int32_t left = static_cast<int32_t>(deadline - now);
        // Sleep to about two milliseconds before the deadline, then poll every ~0.2 ms: a per
        // cent or two of a core instead of a whole one, with the same timing (the tick counter
        // itself only moves once a millisecond). The margin covers a sleep that wakes a
        // millisecond or two late on a busy machine.
        if (left >= 3)
            SDL_Delay(static_cast<uint32_t>(left - 2));
        else
            std::this_thread::sleep_for(std::chrono::microseconds(150));
    }
}

void Rest(uint32_t ms) {
    if (!g_virtual) SDL_Delay(ms);
}

void UseVirtualClock(bool on, uint32_t start) {
    g_virtual = on;
    g_virtualNow = start;
}
bool IsVirtualClock() { return g_virtual; }
void AdvanceVirtualClock(uint32_t ms) { g_virtualNow += ms; }
void SetVirtualClock(uint32_t now) { g_virtualNow = now; }

}  // namespace gorb
