#pragma once
// Surfaces the benchmarks draw with.
#include <memory>

#include "platform/GamePalette.h"
#include "platform/Surface.h"

namespace gorb::bench {

// A sheet with about half of its pixels key-coloured, in stripes like sprite outlines.
inline SurfaceRef KeyedSheet(int w, int h, int bits) {
    auto s = std::make_shared<Surface>(w, h, bits);
    uint32_t key = MapColor(bits, kKeyColor.r, kKeyColor.g, kKeyColor.b);
    uint32_t ink = MapColor(bits, 200, 120, 40);
    SDL_Surface* sdl = s->Sdl();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t v = ((x / 3 + y / 5) % 2) ? key : ink;
            uint8_t* p = static_cast<uint8_t*>(sdl->pixels) + y * sdl->pitch + x * (bits / 8);
            if (bits == 8) *p = uint8_t(v);
            else if (bits == 16) *reinterpret_cast<uint16_t*>(p) = uint16_t(v);
            else *reinterpret_cast<uint32_t*>(p) = v;
        }
    s->SetColorKey(DDCKEY_SRCBLT, ColorKey{int32_t(key), int32_t(key)});
    return s;
}

}  // namespace gorb::bench
