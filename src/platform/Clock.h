#pragma once
// The millisecond tick counter and the one wait service behind every busy wait of the game.
// Tests switch to a virtual clock: time stands still except where a wait jumps it forward.
#include <cstdint>
#include <functional>

namespace gorb {

// Milliseconds, wrapping at 2^32 like the system tick counter.
uint32_t GetTickCount();

// Returns once GetTickCount() is strictly past the deadline (wrap-aware), sleeping until the
// instant the count moves past it. Pumps no messages. On the virtual clock it jumps the clock
// to deadline + 1.
void WaitUntilPast(uint32_t deadline);

// Runs at the start of every wait: the display shows a changed primary surface there, so a
// frame drawn just before its wait reaches the screen while the game waits.
void SetWaitHook(std::function<void()> hook);

// Gives the processor back for about ms milliseconds between two message pumps of an idle
// loop (a paused game). Real time only: the virtual clock stands still, as an idle loop must
// not make game time pass.
void Rest(uint32_t ms);

// Deadline arithmetic that wraps with the 32-bit counter instead of overflowing.
constexpr uint32_t TickPlus(uint32_t tick, int64_t ms) {
    return static_cast<uint32_t>(static_cast<int64_t>(tick) + ms);
}
// True when now is strictly past the deadline (works across the wrap).
constexpr bool TickPast(uint32_t now, uint32_t deadline) {
    return static_cast<int32_t>(now - deadline) > 0;
}

// The virtual clock for tests.
void UseVirtualClock(bool on, uint32_t start = 1000);
bool IsVirtualClock();
void AdvanceVirtualClock(uint32_t ms);
void SetVirtualClock(uint32_t now);

}  // namespace gorb
