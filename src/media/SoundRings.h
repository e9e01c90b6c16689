#pragma once
// Which buffer a requested sound number plays on: a channel of one of the four duplicate
// rings, or its own loaded buffer. Kept apart from the sound objects so the ring arithmetic
// can be checked without a sound device.
#include "media/MediaFields.h"

namespace gorb {

struct SoundRoute {
    bool OnChannel = false;  // false: play the loaded buffer itself
    int Channel = 0;         // 1..28 when OnChannel
};

// Advances the ring the number belongs to (if any) and says where it plays.
SoundRoute RouteQueuedSound(int n, ChannelRings& rings);

}  // namespace gorb
