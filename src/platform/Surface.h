#pragma once
// Software surfaces in the display mode's pixel format: 8 bits (palette indices into the one
// game palette), 16 bits (5-6-5) or 32 bits (X-8-8-8). Each wraps an SDL_Surface, so the toolkit
// can draw text and controls onto the primary surface with SDL itself; the game's own blits are
// done here, with every rectangle checked against both surfaces first.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace gorb {

// Left, top, right, bottom; right and bottom exclusive. All zero means "the whole surface"
// where a lock asks for it.
struct Rect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The colour key: both values hold the key pixel in the surface's own format.
struct ColorKey {
    int32_t low = 0, high = 0;
};

// The one surface description shape used by every creation and lock. Users set only the fields
// they need; creations from bitmaps and locks write the surface's own values back.
struct SurfaceDesc {
    int32_t lFlags = 0;       // which fields below are meant (DDSD_*)
    int32_t lCaps = 0;        // capability bits (DDSCAPS_*)
    int32_t lWidth = 0;
    int32_t lHeight = 0;
    int32_t lPitch = 0;       // bytes per row, written by a lock
    int32_t lBitsPerPixel = 0;// written by a lock
};

// Description flags.
constexpr int32_t DDSD_CAPS = 1;
constexpr int32_t DDSD_HEIGHT = 2;
constexpr int32_t DDSD_WIDTH = 4;
constexpr int32_t DDSD_PITCH = 8;
constexpr int32_t DDSD_PIXELFORMAT = 0x1000;
// Capability bits.
constexpr int32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr int32_t DDSCAPS_PRIMARYSURFACE = 0x200;
// Colour-key kind.
constexpr int32_t DDCKEY_SRCBLT = 8;
// Lock flags.
constexpr int32_t DDLOCK_WAIT = 1;
constexpr int32_t DDLOCK_READONLY = 16;
// Blt flags: DDBLT_KEYSRC skips source pixels equal to the source's key; without it the copy
// is opaque. Software blits never have to wait, so the wait flags are accepted and change nothing.
constexpr int32_t DDBLT_KEYSRC = 0x8000;
constexpr int32_t DDBLT_WAIT = 0x1000000;
// BltFast flags: always an opaque copy.
constexpr int32_t DDBLTFAST_NOCOLORKEY = 0;
constexpr int32_t DDBLTFAST_WAIT = 0x10;

// Error numbers of the display services (PlatformError::Number).
namespace dderr {
constexpr int32_t InvalidParams = 5;  // any invalid argument, rectangles included
constexpr int32_t OutOfMemory = 7;
constexpr int32_t Generic = static_cast<int32_t>(0x80004005u);
constexpr int32_t InvalidDirectDrawGUID = static_cast<int32_t>(0x88760231u);
constexpr int32_t DirectDrawAlreadyCreated = static_cast<int32_t>(0x88760232u);
constexpr int32_t NoDirectDrawHW = static_cast<int32_t>(0x88760233u);
}  // namespace dderr

// The raw pixel value of a 24-bit colour in a surface of the given depth (8, 16 or 32). At 8 bits
// it is the game palette's nearest entry; at 16 bits a colour other than the key never lands on
// the key's value (it is moved one green step away instead); at 32 bits it is exact.
uint32_t MapColor(int bitsPerPixel, uint8_t r, uint8_t g, uint8_t b);

class Surface;
using SurfaceRef = std::shared_ptr<Surface>;

class Surface {
public:
    // A plain surface cleared to 0 (black). Width and height must be positive (error 5); a size
    // the machine cannot hold is error 7.
    Surface(int32_t width, int32_t height, int bitsPerPixel, int32_t caps = DDSCAPS_OFFSCREENPLAIN);
    // The same over pixels it does not own, rows pitch bytes apart in its depth's format (the
    // window's framebuffer, when the primary surface has the window's size and format); cleared
    // to black. The owner of the pixels calls UseOwnPixels before they go away.
    Surface(int32_t width, int32_t height, int bitsPerPixel, int32_t caps, void* pixels, int pitch);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // A surface holding an uncompressed BMP file (8 bits with a palette, or 24 bits) at its own
    // size, converted to the given depth.
    static SurfaceRef FromBitmap(std::span<const uint8_t> bmp, int bitsPerPixel);

    int32_t Width() const { return surface_->w; }
    int32_t Height() const { return surface_->h; }
    int BitsPerPixel() const { return bits_; }
    int32_t Caps() const { return caps_; }
    bool IsPrimary() const { return (caps_ & DDSCAPS_PRIMARYSURFACE) != 0; }
    SDL_Surface* Sdl() const { return surface_; }

    // From now on the pixels live in memory of the surface's own, with their content copied
    // when copyContent is set (else black, for pixels that are gone already). The SDL surface
    // changes with them.
    void UseOwnPixels(bool copyContent);
    bool OwnsPixels() const { return (surface_->flags & SDL_PREALLOC) == 0; }

    // Source-blit key (DDCKEY_SRCBLT only); the low value is the key pixel.
    void SetColorKey(int32_t flags, const ColorKey& key);
    uint32_t KeyValue() const { return key_; }

    // Copies srcRect of src into destRect of this surface; the two rectangles must have the same
    // size and lie wholly inside their surfaces. With DDBLT_KEYSRC, source pixels equal to the
    // source's key are left undrawn.
    void Blt(const Rect& destRect, const SurfaceRef& src, const Rect& srcRect, int32_t flags);
    // Opaque copy of srcRect of src with its top-left corner at (x, y).
    void BltFast(int32_t x, int32_t y, const SurfaceRef& src, const Rect& srcRect, int32_t flags);

    // Whole-surface, read-only lock (the rectangle must be all zero). Writes this surface's
    // description into desc. Locks nest; each needs its Unlock.
    void Lock(const Rect& rect, SurfaceDesc& desc, int32_t flags, int32_t hWnd = 0);
    // The raw pixel at (x, y) in this surface's format; the surface must be locked.
    int32_t GetLockedPixel(int32_t x, int32_t y) const;
    void Unlock(const Rect& rect);
    bool IsLocked() const { return locks_ > 0; }

    void GetSurfaceDesc(SurfaceDesc& desc) const;

private:
    void CheckSource(const SurfaceRef& src, const char* op) const;
    void Adopt(SDL_Surface* made);

    SDL_Surface* surface_ = nullptr;
    int bits_;
    int32_t caps_;
    bool hasKey_ = false;
    uint32_t key_ = 0;
    int locks_ = 0;
};

// The pixels of an 8-8-8 surface (SDL_PIXELFORMAT_RGB888) on the game palette, row by row,
// dithered the way DitherFor chooses for them: 24-bit art shown in an 8-bit mode.
std::vector<uint8_t> DitherToGamePalette(SDL_Surface* rgb888);

}  // namespace gorb
