#include "platform/ScreenCopy.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace gorb {

namespace {

// The first viewport pixel (along one axis) that shows screen pixel i or a later one.
int FirstShowing(int64_t i, int64_t viewport, int64_t screen) { return int((i * viewport + screen - 1) / screen); }

uint32_t Expand565(uint32_t v) {
    uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
    return (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
}

// One window row from one screen row: out[i] = the 0x00RRGGBB of the screen pixel cols[i].
void ConvertRow(const SDL_Surface* s, const uint8_t* row, const int32_t* cols, int n, const uint32_t* palette,
                uint32_t* out) {
    switch (s->format->BytesPerPixel) {
        case 1:
            for (int i = 0; i < n; ++i) out[i] = palette[row[cols[i]]];
            break;
        case 2: {
            const uint16_t* r = reinterpret_cast<const uint16_t*>(row);
            for (int i = 0; i < n; ++i) out[i] = Expand565(r[cols[i]]);
            break;
        }
        default: {
            const uint32_t* r = reinterpret_cast<const uint32_t*>(row);
            for (int i = 0; i < n; ++i) out[i] = r[cols[i]] & 0xFFFFFFu;
            break;
        }
    }
}

struct SurfaceLock {
    SDL_Surface* s;
    explicit SurfaceLock(SDL_Surface* surface) : s(SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0 ? surface : nullptr) {}
    ~SurfaceLock() {
        if (s) SDL_UnlockSurface(s);
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;
};

}  // namespace

SDL_Rect WindowRectOf(const SDL_Rect& area, int screenW, int screenH, const SDL_Rect& viewport) {
    if (area.w <= 0 || area.h <= 0 || screenW <= 0 || screenH <= 0 || viewport.w <= 0 || viewport.h <= 0) return {};
    const int x0 = FirstShowing(area.x, viewport.w, screenW), x1 = FirstShowing(area.x + area.w, viewport.w, screenW);
    const int y0 = FirstShowing(area.y, viewport.h, screenH), y1 = FirstShowing(area.y + area.h, viewport.h, screenH);
    if (x1 <= x0 || y1 <= y0) return {};
    return SDL_Rect{viewport.x + x0, viewport.y + y0, x1 - x0, y1 - y0};
}

SDL_Rect CopyScreenRect(SDL_Surface* s, const SDL_Rect& area, SDL_Surface* win, const SDL_Rect& viewport) {
    const SDL_Rect all{0, 0, s->w, s->h};
    SDL_Rect src{};
    if (!SDL_IntersectRect(&area, &all, &src)) return {};
    SDL_Rect dst = WindowRectOf(src, s->w, s->h, viewport);
    const SDL_Rect winAll{0, 0, win->w, win->h};
    if (dst.w <= 0 || !SDL_IntersectRect(&dst, &winAll, &dst)) return {};

    std::array<uint32_t, 256> palette{};
    if (const SDL_Palette* pal = s->format->palette)
        for (int i = 0; i < pal->ncolors && i < 256; ++i)
            palette[size_t(i)] = (uint32_t(pal->colors[i].r) << 16) | (uint32_t(pal->colors[i].g) << 8) | pal->colors[i].b;

    const int n = dst.w;
    std::vector<int32_t> cols(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) cols[size_t(i)] = int32_t(int64_t(dst.x - viewport.x + i) * s->w / viewport.w);

    const uint32_t winFormat = win->format->format;
    const bool direct = winFormat == SDL_PIXELFORMAT_RGB888 || winFormat == SDL_PIXELFORMAT_ARGB8888;
    const uint32_t opaque = winFormat == SDL_PIXELFORMAT_ARGB8888 ? 0xFF000000u : 0u;
    const int winBpp = win->format->BytesPerPixel;
    std::vector<uint32_t> converted(direct ? 0 : size_t(n));

    SurfaceLock lockScreen(s), lockWindow(win);
    const uint8_t* sp = static_cast<const uint8_t*>(s->pixels);
    uint8_t* wp = static_cast<uint8_t*>(win->pixels);
    const bool sameRowsAndFormat = direct && !opaque && s->format->BytesPerPixel == 4 && viewport.w == s->w;
    int lastSrcRow = -1;
    const uint8_t* lastRow = nullptr;
    for (int y = dst.y; y < dst.y + dst.h; ++y) {
        const int srcRow = int(int64_t(y - viewport.y) * s->h / viewport.h);
        uint8_t* out = wp + int64_t(y) * win->pitch + int64_t(dst.x) * winBpp;
        if (srcRow == lastSrcRow) {
            // A taller viewport shows a screen row on several window rows: copy the one made.
            std::memcpy(out, lastRow, size_t(n) * size_t(winBpp));
            continue;
        }
        const uint8_t* in = sp + int64_t(srcRow) * s->pitch;
        if (sameRowsAndFormat) {
            const uint32_t* r = reinterpret_cast<const uint32_t*>(in) + cols[0];
            uint32_t* o = reinterpret_cast<uint32_t*>(out);
            for (int i = 0; i < n; ++i) o[i] = r[i] & 0xFFFFFFu;
        } else if (direct) {
            uint32_t* o = reinterpret_cast<uint32_t*>(out);
            ConvertRow(s, in, cols.data(), n, palette.data(), o);
            if (opaque)
                for (int i = 0; i < n; ++i) o[i] |= opaque;
        } else {
            ConvertRow(s, in, cols.data(), n, palette.data(), converted.data());
            SDL_ConvertPixels(n, 1, SDL_PIXELFORMAT_RGB888, converted.data(), n * 4, winFormat, out, win->pitch);
        }
        lastSrcRow = srcRow;
        lastRow = out;
    }
    return dst;
}

}  // namespace gorb
