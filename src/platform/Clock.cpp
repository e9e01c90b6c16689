#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace gorb {

namespace {
bool g_virtual = false;
uint32_t g_virtualNow = 1000;
std::function<void()> g_waitHook;

// The tick counter counts whole milliseconds of the monotonic clock from the first time it is
// read, so a wait knows the exact instant the count moves past its deadline and can sleep until
// then.
using Steady = std::chrono::steady_clock;

Steady::time_point Origin() {
    static const Steady::time_point origin = Steady::now();
    return origin;
}

uint64_t RealTicks() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - Origin()).count());
}
}  // namespace

uint32_t GetTickCount() {
    if (g_virtual) return g_virtualNow;
    return static_cast<uint32_t>(RealTicks());
}

void SetWaitHook(std::function<void()> hook) { g_waitHook = std::move(hook); }

void WaitUntilPast(uint32_t deadline) {
    if (g_waitHook) g_waitHook();
    if (g_virtual) {
        if (!TickPast(g_virtualNow, deadline)) g_virtualNow = deadline + 1;
        return;
    }
    // One sleep to the instant the count reaches deadline + 1, the first tick past it: a busy
    // wait's timing without its cost, and a single wake-up per wait. The loop only repeats
    // after a sleep cut short by a signal.
    const uint64_t now = RealTicks();
    if (TickPast(static_cast<uint32_t>(now), deadline)) return;
    const uint32_t left = deadline + 1 - static_cast<uint32_t>(now);
    const Steady::time_point due = Origin() + std::chrono::milliseconds(now + left);
    while (Steady::now() < due) std::this_thread::sleep_until(due);
}

void Rest(uint32_t ms) {
    if (!g_virtual) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void UseVirtualClock(bool on, uint32_t start) {
    g_virtual = on;
    g_virtualNow = start;
}
bool IsVirtualClock() { return g_virtual; }
void AdvanceVirtualClock(uint32_t ms) { g_virtualNow += ms; }
void SetVirtualClock(uint32_t now) { g_virtualNow = now; }

}  // namespace gorb
