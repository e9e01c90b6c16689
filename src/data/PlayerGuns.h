#pragma once
// Where the player's plane fires from: the heights of its two muzzles in each of its 16 frames
// (frames 9 to 16 repeat frames 1 to 8: the second half of a roll shows the same heights). The
// plane's sprite sheet puts its gun barrels there, ending just short of the frame's right edge,
// where the shots start. The one-gun weapon fires from the frame's middle height.
#include <array>

#include "platform/Arithmetic.h"

namespace gorb {

inline constexpr std::array<Integer, 8> kPlayerGunY1 = {17, 20, 30, 21, 17, 10, 10, 12};
inline constexpr std::array<Integer, 8> kPlayerGunY2 = {42, 37, 31, 35, 43, 49, 54, 48};

}  // namespace gorb
