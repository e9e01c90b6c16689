#include "platform/Screen.h"

#include <algorithm>

namespace gorb {

namespace {
std::function<SDL_Surface*()> g_provider;
std::function<void()> g_presenter;
bool g_changed = false;
bool g_whole = false;
SDL_Rect g_area{0, 0, 0, 0};
}  // namespace

void SetScreenProvider(std::function<SDL_Surface*()> provider) { g_provider = std::move(provider); }
SDL_Surface* GetScreenSurface() { return g_provider ? g_provider() : nullptr; }

void MarkScreenChanged() {
    g_changed = true;
    g_whole = true;
}

void MarkScreenChanged(const SDL_Rect& area) {
    if (area.w <= 0 || area.h <= 0) return;
    if (!g_whole) {
        if (g_changed) SDL_UnionRect(&g_area, &area, &g_area);
        else g_area = area;
    }
    g_changed = true;
}

bool ScreenChanged() { return g_changed; }

SDL_Rect ChangedArea(int width, int height) {
    const SDL_Rect all{0, 0, std::max(width, 0), std::max(height, 0)};
    if (!g_changed) return SDL_Rect{0, 0, 0, 0};
    if (g_whole) return all;
    SDL_Rect clipped{0, 0, 0, 0};
    if (!SDL_IntersectRect(&g_area, &all, &clipped)) return SDL_Rect{0, 0, 0, 0};
    return clipped;
}

void ClearScreenChanged() {
    g_changed = false;
    g_whole = false;
    g_area = SDL_Rect{0, 0, 0, 0};
}

void SetScreenPresenter(std::function<void()> presenter) { g_presenter = std::move(presenter); }
void PresentScreen() {
    if (g_presenter) g_presenter();
}

}  // namespace gorb
