#include "platform/Cursor.h"

#include <SDL.h>

namespace gorb {

namespace {
int32_t g_count = 0;

void Apply() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(g_count >= 0 ? SDL_ENABLE : SDL_DISABLE);
}
}  // namespace

int32_t ShowCursor(bool show) {
    g_count += show ? 1 : -1;
    Apply();
    return g_count;
}

int32_t CursorDisplayCount() { return g_count; }

void ResetCursorDisplayCount(int32_t count) {
    g_count = count;
    Apply();
}

}  // namespace gorb
