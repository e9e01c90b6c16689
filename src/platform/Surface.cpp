#include "platform/Surface.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/GamePalette.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"

namespace gorb {

namespace {

constexpr const char* kSource = "DirectDraw";

[[noreturn]] void Fail(int32_t number, const std::string& what) {
    throw PlatformError(number, what, kSource);
}

std::string RectText(const Rect& r) {
    std::string t = "(";
    t += std::to_string(r.Left);
    t += ", ";
    t += std::to_string(r.Top);
    t += ", ";
    t += std::to_string(r.Right);
    t += ", ";
    t += std::to_string(r.Bottom);
    t += ")";
    return t;
}

// A rectangle must be non-empty and lie wholly inside a w x h surface. 64-bit arithmetic, so
// no corner value can overflow into looking valid.
void CheckRect(const Rect& r, int32_t w, int32_t h, const char* op, const char* which) {
    int64_t l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom;
    if (l < 0 || t < 0 || rt > w || b > h || l >= rt || t >= b)
        Fail(dderr::InvalidParams, std::string(op) + ": " + which + " rectangle " + RectText(r) +
                                       " is empty or reaches outside the " + std::to_string(w) + " x " +
                                       std::to_string(h) + " surface");
}

SDL_Palette* GamePaletteSdl() {
    static SDL_Palette* palette = [] {
        SDL_Palette* p = SDL_AllocPalette(256);
        std::array<SDL_Color, 256> colors{};
        const auto& gp = GamePalette();
        for (int i = 0; i < 256; ++i) colors[i] = {gp[i].r, gp[i].g, gp[i].b, 255};
        SDL_SetPaletteColors(p, colors.data(), 0, 256);
        return p;
    }();
    return palette;
}

Uint32 SdlFormat(int bits) {
    switch (bits) {
        case 8: return SDL_PIXELFORMAT_INDEX8;
        case 16: return SDL_PIXELFORMAT_RGB565;
        case 32: return SDL_PIXELFORMAT_RGB888;
        default: Fail(dderr::InvalidParams, "unsupported colour depth " + std::to_string(bits));
    }
}

constexpr uint32_t Pack565(uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t(r >> 3) << 11) | (uint32_t(g >> 2) << 5) | uint32_t(b >> 3);
}

// Row copies. Same-format copies use memcpy per row: SDL's aligned copy path uses non-temporal
// stores and is several times slower for our sizes.
template <typename T>
void CopyKeyed(const uint8_t* s, int sp, uint8_t* d, int dp, int w, int h, T key) {
    for (int y = 0; y < h; ++y) {
        const T* sr = reinterpret_cast<const T*>(s + int64_t(y) * sp);
        T* dr = reinterpret_cast<T*>(d + int64_t(y) * dp);
        for (int x = 0; x < w; ++x) {
            T v = sr[x];
            dr[x] = v == key ? dr[x] : v;  // branch-free so the loop vectorises
        }
    }
}

// The keyed copies are most of a frame's drawing (the background strips alone are twelve of
// 150 x 330 pixels). On x86-64 each depth's copy also comes as an AVX2 version, which the
// program picks at start on a processor that has it: twice the pixels per step.
#if defined(__x86_64__) && defined(__GNUC__)
#define GORB_ALSO_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define GORB_ALSO_AVX2
#endif
GORB_ALSO_AVX2 void CopyKeyed8(const uint8_t* s, int sp, uint8_t* d, int dp, int w, int h, uint8_t key) {
    CopyKeyed<uint8_t>(s, sp, d, dp, w, h, key);
}
GORB_ALSO_AVX2 void CopyKeyed16(const uint8_t* s, int sp, uint8_t* d, int dp, int w, int h, uint16_t key) {
    CopyKeyed<uint16_t>(s, sp, d, dp, w, h, key);
}
GORB_ALSO_AVX2 void CopyKeyed32(const uint8_t* s, int sp, uint8_t* d, int dp, int w, int h, uint32_t key) {
    CopyKeyed<uint32_t>(s, sp, d, dp, w, h, key);
}

void CopyOpaque(const uint8_t* s, int sp, uint8_t* d, int dp, int rowBytes, int h) {
    for (int y = 0; y < h; ++y) std::memcpy(d + int64_t(y) * dp, s + int64_t(y) * sp, size_t(rowBytes));
}

}  // namespace

uint32_t MapColor(int bitsPerPixel, uint8_t r, uint8_t g, uint8_t b) {
    switch (bitsPerPixel) {
        case 8: return NearestPaletteIndex(r, g, b);
        case 16: {
            uint32_t v = Pack565(r, g, b);
            constexpr uint32_t key = Pack565(kKeyColor.r, kKeyColor.g, kKeyColor.b);
            bool isKey = r == kKeyColor.r && g == kKeyColor.g && b == kKeyColor.b;
            // A near-key colour would turn transparent; move it by one green step instead.
            if (v == key && !isKey) v ^= 1u << 5;
            return v;
        }
        case 32: return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
        default: Fail(dderr::InvalidParams, "unsupported colour depth " + std::to_string(bitsPerPixel));
    }
}

namespace {

void CheckSize(int32_t width, int32_t height, int bitsPerPixel) {
    if (width <= 0 || height <= 0)
        Fail(dderr::InvalidParams, "surface size " + std::to_string(width) + " x " + std::to_string(height));
    // Anything beyond 256 MiB is not a surface this game asks for; refuse it as SDL would fail
    // to allocate it anyway.
    if (int64_t(width) * height * (bitsPerPixel / 8) > (int64_t(1) << 28))
        Fail(dderr::OutOfMemory, "out of memory for a " + std::to_string(width) + " x " + std::to_string(height) +
                                     " surface");
}

}  // namespace

Surface::Surface(int32_t width, int32_t height, int bitsPerPixel, int32_t caps) : bits_(bitsPerPixel), caps_(caps) {
    Uint32 format = SdlFormat(bitsPerPixel);
    CheckSize(width, height, bitsPerPixel);
    Adopt(SDL_CreateRGBSurfaceWithFormat(0, width, height, bitsPerPixel, format));
}

Surface::Surface(int32_t width, int32_t height, int bitsPerPixel, int32_t caps, void* pixels, int pitch)
    : bits_(bitsPerPixel), caps_(caps) {
    Uint32 format = SdlFormat(bitsPerPixel);
    CheckSize(width, height, bitsPerPixel);
    Adopt(SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, bitsPerPixel, pitch, format));
    SDL_FillRect(surface_, nullptr, 0);
}

void Surface::Adopt(SDL_Surface* made) {
    if (!made) Fail(dderr::OutOfMemory, std::string("out of memory creating a surface: ") + SDL_GetError());
    if (bits_ == 8) SDL_SetSurfacePalette(made, GamePaletteSdl());
    SDL_SetSurfaceBlendMode(made, SDL_BLENDMODE_NONE);
    if (hasKey_) SDL_SetColorKey(made, SDL_TRUE, key_);
    if (surface_) SDL_FreeSurface(surface_);
    surface_ = made;
}

void Surface::UseOwnPixels(bool copyContent) {
    if (OwnsPixels()) return;
    SDL_Surface* own = SDL_CreateRGBSurfaceWithFormat(0, Width(), Height(), bits_, surface_->format->format);
    if (own && copyContent)
        CopyOpaque(static_cast<const uint8_t*>(surface_->pixels), surface_->pitch, static_cast<uint8_t*>(own->pixels),
                   own->pitch, Width() * (bits_ / 8), Height());
    Adopt(own);
}

Surface::~Surface() { SDL_FreeSurface(surface_); }

SurfaceRef Surface::FromBitmap(std::span<const uint8_t> bmp, int bitsPerPixel) {
    SdlFormat(bitsPerPixel);
    if (bmp.empty() || bmp.size() > size_t(INT32_MAX)) Fail(dderr::InvalidParams, "empty bitmap");
    SDL_RWops* rw = SDL_RWFromConstMem(bmp.data(), int(bmp.size()));
    SDL_Surface* loaded = rw ? SDL_LoadBMP_RW(rw, 1) : nullptr;
    if (!loaded) Fail(dderr::InvalidParams, std::string("bitmap could not be read: ") + SDL_GetError());
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> holder(loaded, SDL_FreeSurface);

    // Everything not already palettized is brought to 8-8-8 first and mapped pixel by pixel.
    SDL_Palette* pal = loaded->format->palette;
    if (loaded->format->BitsPerPixel != 8 || !pal) {
        SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
        if (!rgb) Fail(dderr::OutOfMemory, std::string("bitmap conversion failed: ") + SDL_GetError());
        holder.reset(rgb);
        loaded = rgb;
        pal = nullptr;
    }

    auto out = std::make_shared<Surface>(loaded->w, loaded->h, bitsPerPixel);
    SDL_Surface* dst = out->surface_;
    std::array<uint32_t, 256> lut{};
    if (pal)
        for (int i = 0; i < pal->ncolors && i < 256; ++i)
            lut[i] = MapColor(bitsPerPixel, pal->colors[i].r, pal->colors[i].g, pal->colors[i].b);
    if (SDL_MUSTLOCK(loaded)) SDL_LockSurface(loaded);
    // 24-bit art onto the 8-bit palette: dithered, so gradients do not turn into bands.
    std::vector<uint8_t> dithered;
    if (!pal && bitsPerPixel == 8) dithered = DitherToGamePalette(loaded);
    for (int y = 0; y < loaded->h; ++y) {
        const uint8_t* sr = static_cast<const uint8_t*>(loaded->pixels) + int64_t(y) * loaded->pitch;
        uint8_t* dr = static_cast<uint8_t*>(dst->pixels) + int64_t(y) * dst->pitch;
        for (int x = 0; x < loaded->w; ++x) {
            uint32_t v;
            if (pal) {
                v = lut[sr[x]];
            } else if (!dithered.empty()) {
                v = dithered[size_t(y) * size_t(loaded->w) + size_t(x)];
            } else {
                uint32_t c;
                std::memcpy(&c, sr + 4 * x, 4);
                v = MapColor(bitsPerPixel, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c));
            }
            switch (bitsPerPixel) {
                case 8: dr[x] = uint8_t(v); break;
                case 16: reinterpret_cast<uint16_t*>(dr)[x] = uint16_t(v); break;
                default: reinterpret_cast<uint32_t*>(dr)[x] = v; break;
            }
        }
    }
    if (SDL_MUSTLOCK(loaded)) SDL_UnlockSurface(loaded);
    return out;
}

void Surface::SetColorKey(int32_t flags, const ColorKey& key) {
    if (flags != DDCKEY_SRCBLT) Fail(dderr::InvalidParams, "SetColorKey: only the source-blit key is supported");
    uint32_t v = uint32_t(key.low);
    uint64_t limit = bits_ == 32 ? 0xFFFFFFFFull : (1ull << bits_) - 1;
    if (key.low != key.high || v > limit)
        Fail(dderr::InvalidParams, "SetColorKey: key " + std::to_string(key.low) + " is not one pixel value of a " +
                                       std::to_string(bits_) + "-bit surface");
    key_ = v;
    hasKey_ = true;
    // SDL's own blits (the toolkit's) honour the key too.
    SDL_SetColorKey(surface_, SDL_TRUE, v);
}

void Surface::CheckSource(const SurfaceRef& src, const char* op) const {
    if (!src) Fail(91, std::string(op) + ": no source surface");
    if (src.get() == this) Fail(dderr::InvalidParams, std::string(op) + ": a surface cannot be copied onto itself");
    if (src->bits_ != bits_)
        Fail(dderr::InvalidParams, std::string(op) + ": source has " + std::to_string(src->bits_) +
                                       " bits per pixel, destination " + std::to_string(bits_));
}

void Surface::Blt(const Rect& destRect, const SurfaceRef& src, const Rect& srcRect, int32_t flags) {
    CheckSource(src, "Blt");
    if (flags & ~(DDBLT_KEYSRC | DDBLT_WAIT)) Fail(dderr::InvalidParams, "Blt: unsupported flags");
    CheckRect(srcRect, src->Width(), src->Height(), "Blt", "source");
    CheckRect(destRect, Width(), Height(), "Blt", "destination");
    int64_t w = int64_t(srcRect.Right) - srcRect.Left, h = int64_t(srcRect.Bottom) - srcRect.Top;
    if (w != int64_t(destRect.Right) - destRect.Left || h != int64_t(destRect.Bottom) - destRect.Top)
        Fail(dderr::InvalidParams, "Blt: source " + RectText(srcRect) + " and destination " + RectText(destRect) +
                                       " differ in size");
    bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && !src->hasKey_) Fail(dderr::Generic, "Blt: the source surface has no colour key");
    int bpp = bits_ / 8;
    const uint8_t* s = static_cast<const uint8_t*>(src->surface_->pixels) + int64_t(srcRect.Top) * src->surface_->pitch +
                       int64_t(srcRect.Left) * bpp;
    uint8_t* d = static_cast<uint8_t*>(surface_->pixels) + int64_t(destRect.Top) * surface_->pitch +
                 int64_t(destRect.Left) * bpp;
    int sp = src->surface_->pitch, dp = surface_->pitch;
    if (!keyed) {
        CopyOpaque(s, sp, d, dp, int(w) * bpp, int(h));
    } else if (bits_ == 8) {
        CopyKeyed8(s, sp, d, dp, int(w), int(h), uint8_t(src->key_));
    } else if (bits_ == 16) {
        CopyKeyed16(s, sp, d, dp, int(w), int(h), uint16_t(src->key_));
    } else {
        CopyKeyed32(s, sp, d, dp, int(w), int(h), src->key_);
    }
    if (IsPrimary()) MarkScreenChanged(SDL_Rect{destRect.Left, destRect.Top, int(w), int(h)});
}

void Surface::BltFast(int32_t x, int32_t y, const SurfaceRef& src, const Rect& srcRect, int32_t flags) {
    CheckSource(src, "BltFast");
    if (flags & ~DDBLTFAST_WAIT) Fail(dderr::InvalidParams, "BltFast: unsupported flags");
    CheckRect(srcRect, src->Width(), src->Height(), "BltFast", "source");
    Rect dest{x, y, 0, 0};
    int64_t right = int64_t(x) + (int64_t(srcRect.Right) - srcRect.Left);
    int64_t bottom = int64_t(y) + (int64_t(srcRect.Bottom) - srcRect.Top);
    if (right > Width() || bottom > Height() || x < 0 || y < 0)
        Fail(dderr::InvalidParams, "BltFast: " + RectText(srcRect) + " copied to (" + std::to_string(x) + ", " +
                                       std::to_string(y) + ") reaches outside the " + std::to_string(Width()) + " x " +
                                       std::to_string(Height()) + " surface");
    dest.Right = int32_t(right);
    dest.Bottom = int32_t(bottom);
    Blt(dest, src, srcRect, 0);
}

void Surface::Lock(const Rect& rect, SurfaceDesc& desc, int32_t flags, int32_t) {
    if (rect.Left || rect.Top || rect.Right || rect.Bottom)
        Fail(dderr::InvalidParams, "Lock: only the whole surface (an all-zero rectangle) can be locked");
    if (flags & ~(DDLOCK_WAIT | DDLOCK_READONLY)) Fail(dderr::InvalidParams, "Lock: unsupported flags");
    ++locks_;
    GetSurfaceDesc(desc);
}

int32_t Surface::GetLockedPixel(int32_t x, int32_t y) const {
    if (locks_ <= 0) Fail(dderr::Generic, "GetLockedPixel: the surface is not locked");
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        Fail(dderr::InvalidParams, "GetLockedPixel: (" + std::to_string(x) + ", " + std::to_string(y) +
                                       ") is outside the " + std::to_string(Width()) + " x " +
                                       std::to_string(Height()) + " surface");
    const uint8_t* row = static_cast<const uint8_t*>(surface_->pixels) + int64_t(y) * surface_->pitch;
    switch (bits_) {
        case 8: return row[x];
        case 16: return reinterpret_cast<const uint16_t*>(row)[x];
        default: return int32_t(reinterpret_cast<const uint32_t*>(row)[x]);
    }
}

void Surface::Unlock(const Rect& rect) {
    if (rect.Left || rect.Top || rect.Right || rect.Bottom)
        Fail(dderr::InvalidParams, "Unlock: the rectangle must be the all-zero one the lock used");
    if (locks_ <= 0) Fail(dderr::Generic, "Unlock: the surface is not locked");
    --locks_;
}

void Surface::GetSurfaceDesc(SurfaceDesc& desc) const {
    desc.lFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc.lCaps = caps_;
    desc.lWidth = Width();
    desc.lHeight = Height();
    desc.lPitch = surface_->pitch;
    desc.lBitsPerPixel = bits_;
}

std::vector<uint8_t> DitherToGamePalette(SDL_Surface* rgb888) {
    const int w = rgb888->w, h = rgb888->h;
    std::vector<uint32_t> rgb(size_t(w) * size_t(h));
    if (SDL_MUSTLOCK(rgb888)) SDL_LockSurface(rgb888);
    for (int y = 0; y < h; ++y)
        std::memcpy(&rgb[size_t(y) * size_t(w)], static_cast<const uint8_t*>(rgb888->pixels) + int64_t(y) * rgb888->pitch,
                    size_t(w) * 4);
    if (SDL_MUSTLOCK(rgb888)) SDL_UnlockSurface(rgb888);
    return MapToPalette(rgb, w, h, DitherFor(rgb));
}

}  // namespace gorb
