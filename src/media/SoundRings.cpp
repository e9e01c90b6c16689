#include "media/SoundRings.h"

namespace gorb {

namespace {

// The counter holds the channel used last: step it, wrapping past the ring's top to its foot.
int Advance(Integer& counter, int lo, int hi) {
    counter = ToInteger(counter + 1);
    if (counter > hi) counter = static_cast<Integer>(lo);
    return counter;
}

}  // namespace

SoundRoute RouteQueuedSound(int n, ChannelRings& f) {
    if (n == 46 || n == 58) return {true, Advance(f.ChannelItem, 21, 22)};
    if (n == 55) return {true, Advance(f.ChannelBoss, 23, 25)};
    if (n == 49 || n == 50) return {true, Advance(f.ChannelCrash, 26, 28)};
    if (n == 32 || n == 47 || n == 48) return {false, 0};
    if (n < 54) return {true, Advance(f.ChannelGeneral, 1, 20)};
    return {false, 0};
}

}  // namespace gorb
