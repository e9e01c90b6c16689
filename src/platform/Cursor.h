#pragma once
// The mouse-cursor display count: each show raises it by one and each hide lowers it by one,
// returning the new count; the cursor is visible while the count is 0 or more.
#include <cstdint>

namespace gorb {

int32_t ShowCursor(bool show);
int32_t CursorDisplayCount();
// Tests start from a known count.
void ResetCursorDisplayCount(int32_t count = 0);

}  // namespace gorb
