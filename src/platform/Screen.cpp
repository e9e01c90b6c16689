#include "platform/Screen.h"

namespace gorb {

namespace {
std::function<SDL_Surface*()> g_provider;
bool g_changed = false;
}  // namespace

void SetScreenProvider(std::function<SDL_Surface*()> provider) { g_provider = std::move(provider); }
SDL_Surface* GetScreenSurface() { return g_provider ? g_provider() : nullptr; }
void MarkScreenChanged() { g_changed = true; }
bool ScreenChanged() { return g_changed; }
void ClearScreenChanged() { g_changed = false; }

}  // namespace gorb
