#include "platform/Display.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"

namespace gorb {

namespace {

constexpr const char* kSource = "DirectDraw";
constexpr uint32_t kMinWaitPresentMs = 10;
bool g_keepPixels = true;

[[noreturn]] void Fail(int32_t number, const std::string& what) { throw PlatformError(number, what, kSource); }

// Whether SDL's video runs on its "offscreen" driver without having been asked for it. Without
// an explicit driver and without a display SDL falls back to that driver, which pretends every
// mode works: that counts as no display, whoever started the video (the splash starts it first).
bool OnUnaskedOffscreen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return driver && std::strcmp(driver, "offscreen") == 0 && !(asked && std::strcmp(asked, "offscreen") == 0);
}

// SDL's video, started on first use; false when there is no display to show anything on.
bool VideoUp() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return !OnUnaskedOffscreen();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    if (OnUnaskedOffscreen()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

bool IsDummyDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "dummy") == 0;
}

struct DesktopMode {
    int32_t width = 0, height = 0, bits = 0;
};

// The smallest screen the game lays out: a smaller desktop shows it scaled down to fit.
constexpr int32_t kLayoutWidth = 640, kLayoutHeight = 480;

// The real desktop as SDL reports it; its format tells whether SDL can draw on it at all.
bool RealDesktop(SDL_DisplayMode& m) {
    if (!VideoUp()) return false;
    m = SDL_DisplayMode{};
    return SDL_GetDesktopDisplayMode(0, &m) == 0;
}

// SDL draws only on desktops of 2 or more bytes per pixel: a palette (8-bit) visual reports an
// unknown format, and neither a window surface nor a renderer can be made for it.
bool Drawable(const SDL_DisplayMode& m) { return SDL_BYTESPERPIXEL(m.format) >= 2 && !SDL_ISPIXELFORMAT_INDEXED(m.format); }

DesktopMode Desktop() {
    SDL_DisplayMode m{};
    if (!VideoUp()) Fail(dderr::NoDirectDrawHW, std::string("no display: ") + SDL_GetError());
    if (!RealDesktop(m)) Fail(dderr::NoDirectDrawHW, std::string("no display mode: ") + SDL_GetError());
    // A desktop smaller than the layout counts as the layout's size in that direction: the
    // display shows it scaled down like any mode larger than the desktop.
    DesktopMode d{std::max(m.w, kLayoutWidth), std::max(m.h, kLayoutHeight), 0};
    switch (SDL_BYTESPERPIXEL(m.format)) {
        case 4: d.bits = 32; break;  // SDL reports X-8-8-8 as 24 bits
        case 2: d.bits = 16; break;
        case 1: d.bits = 8; break;
        default: d.bits = int32_t(SDL_BITSPERPIXEL(m.format)); break;
    }
    return d;
}

constexpr std::array<std::array<int32_t, 2>, 3> kSizes{{{640, 480}, {800, 600}, {1024, 768}}};
constexpr std::array<int32_t, 3> kDepths{8, 16, 32};

std::vector<DisplayModeRecord> ModeList() {
    std::vector<DisplayModeRecord> modes;
    SDL_DisplayMode m{};
    // No display, or one SDL cannot draw on: no mode can be shown.
    if (!RealDesktop(m) || !Drawable(m)) return modes;
    for (auto size : kSizes)
        for (int32_t bits : kDepths) modes.push_back({int16_t(bits), size[0], size[1]});
    DesktopMode d = Desktop();
    bool listed = false;
    for (auto& m : modes) listed |= m.BitsPerPel == d.bits && m.PelsWidth == d.width && m.PelsHeight == d.height;
    if (!listed) modes.push_back({int16_t(d.bits), d.width, d.height});
    return modes;
}

// --- The window ---

struct Presenter {
    SDL_Window* window = nullptr;
    uint32_t windowId = 0;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int32_t texW = 0, texH = 0;
    bool hooked = false;
    int pumpHook = 0, listener = 0;
    bool presentedOnce = false;
    uint32_t lastPresentTick = 0;
    PresentRecord record;
};

Presenter& P() {
    static Presenter p;
    return p;
}

void Present(bool fromWait);

// Tags the window as the display's own, so that a window SDL made later at the same address
// with the same number is never taken for it.
constexpr const char* kWindowTag = "gorb.display";

void Unhook() {
    Presenter& p = P();
    if (!p.hooked) return;
    RemovePumpHook(p.pumpHook);
    RemoveEventListener(p.listener);
    SetWaitHook(nullptr);
    p.hooked = false;
}

void ForgetWindow() {
    Presenter& p = P();
    p.texture = nullptr;
    p.renderer = nullptr;
    p.window = nullptr;
    p.windowId = 0;
    p.texW = p.texH = 0;
    p.presentedOnce = false;
}

// Whether the window is still there. Quitting SDL's video (SDL_Quit, SDL_QuitSubSystem) destroys
// every window behind our back. The renderer and texture are useless without it and destroying
// them would reach into the freed window, so they are only forgotten, and the hooks present nothing until a new window is made. The window is
// looked up by its number, so a stale pointer is never followed.
bool WindowAlive() {
    Presenter& p = P();
    if (!p.window) return false;
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetWindowFromID(p.windowId) == p.window &&
        SDL_GetWindowData(p.window, kWindowTag) == &p)
        return true;
    ForgetWindow();
    return false;
}

void EnsureWindow() {
    Presenter& p = P();
    if (WindowAlive()) return;
    SDL_Rect bounds{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(0, &bounds) != 0) Fail(dderr::NoDirectDrawHW, std::string("no display: ") + SDL_GetError());
    // A borderless window covering the desktop. Full-screen flags rely on a window manager: on a
    // bare X server SDL reports success while the window keeps its size and the picture is cropped.
    p.window = SDL_CreateWindow("Gorbulant", bounds.x, bounds.y, bounds.w, bounds.h,
                                SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN | SDL_WINDOW_ALWAYS_ON_TOP);
    if (!p.window) Fail(dderr::Generic, std::string("the window could not be created: ") + SDL_GetError());
    p.renderer = SDL_CreateRenderer(p.window, -1, 0);
    if (!p.renderer) p.renderer = SDL_CreateRenderer(p.window, -1, SDL_RENDERER_SOFTWARE);
    if (!p.renderer) {
        std::string why = SDL_GetError();
        SDL_DestroyWindow(p.window);
        p.window = nullptr;
        Fail(dderr::Generic, "no renderer for the window: " + why);
    }
    p.windowId = SDL_GetWindowID(p.window);
    SDL_SetWindowData(p.window, kWindowTag, &p);
    SDL_RaiseWindow(p.window);
    if (!p.hooked) {
        p.hooked = true;
        p.pumpHook = AddPumpHook([] { Present(false); });
        SetWaitHook([] { Present(true); });
        // Covered and uncovered again: show the picture anew.
        p.listener = AddEventListener([](const SDL_Event& ev) {
            Presenter& pr = P();
            if (ev.type == SDL_WINDOWEVENT && pr.window && ev.window.windowID == pr.windowId &&
                ev.window.event == SDL_WINDOWEVENT_EXPOSED)
                MarkScreenChanged();
        });
    }
}

bool EnsureTexture(int32_t w, int32_t h) {
    Presenter& p = P();
    if (p.texture && p.texW == w && p.texH == h) return true;
    if (p.texture) SDL_DestroyTexture(p.texture);
    p.texture = SDL_CreateTexture(p.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (!p.texture) return false;
    p.texW = w;
    p.texH = h;
    // The logical size does the fitting: scaled, aspect kept, black bars.
    SDL_RenderSetLogicalSize(p.renderer, w, h);
    return true;
}

// Converts the screen surface into the window's 0x00RRGGBB texture.
void CopyToTexture(SDL_Surface* s, uint8_t* tp, int tpitch) {
    const uint8_t* sp = static_cast<const uint8_t*>(s->pixels);
    int w = s->w, h = s->h;
    switch (s->format->BytesPerPixel) {
        case 1: {
            std::array<uint32_t, 256> lut{};
            if (const SDL_Palette* pal = s->format->palette)
                for (int i = 0; i < pal->ncolors && i < 256; ++i)
                    lut[i] = (uint32_t(pal->colors[i].r) << 16) | (uint32_t(pal->colors[i].g) << 8) | pal->colors[i].b;
            for (int y = 0; y < h; ++y) {
                const uint8_t* sr = sp + int64_t(y) * s->pitch;
                uint32_t* dr = reinterpret_cast<uint32_t*>(tp + int64_t(y) * tpitch);
                for (int x = 0; x < w; ++x) dr[x] = lut[sr[x]];
            }
            break;
        }
        case 2:
            for (int y = 0; y < h; ++y) {
                const uint16_t* sr = reinterpret_cast<const uint16_t*>(sp + int64_t(y) * s->pitch);
                uint32_t* dr = reinterpret_cast<uint32_t*>(tp + int64_t(y) * tpitch);
                for (int x = 0; x < w; ++x) {
                    uint32_t v = sr[x];
                    uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
                    dr[x] = (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
                }
            }
            break;
        default:
            for (int y = 0; y < h; ++y) std::memcpy(tp + int64_t(y) * tpitch, sp + int64_t(y) * s->pitch, size_t(w) * 4);
            break;
    }
}

void Present(bool fromWait) {
    Presenter& p = P();
    if (!ScreenChanged() || !WindowAlive()) return;
    SDL_Surface* s = GetScreenSurface();
    if (!s) return;
    // In real time a wait shows the screen at most every 10 ms: a picture pushed line by line
    // with 1 ms waits keeps its pace. The pump after the wait shows whatever is still pending.
    if (fromWait && !IsVirtualClock() && p.presentedOnce &&
        GetTickCount() - p.lastPresentTick < kMinWaitPresentMs)
        return;
    if (!EnsureTexture(s->w, s->h)) return;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(p.texture, nullptr, &pixels, &pitch) != 0) return;
    CopyToTexture(s, static_cast<uint8_t*>(pixels), pitch);
    if (g_keepPixels && IsDummyDriver()) {
        p.record.Width = s->w;
        p.record.Height = s->h;
        p.record.Pixels.resize(size_t(s->w) * size_t(s->h));
        for (int y = 0; y < s->h; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(pixels) + int64_t(y) * pitch);
            for (int x = 0; x < s->w; ++x) p.record.Pixels[size_t(y) * size_t(s->w) + size_t(x)] = row[x] & 0xFFFFFF;
        }
    }
    SDL_UnlockTexture(p.texture);
    SDL_SetRenderDrawColor(p.renderer, 0, 0, 0, 255);
    SDL_RenderClear(p.renderer);
    SDL_RenderCopy(p.renderer, p.texture, nullptr, nullptr);
    SDL_RenderPresent(p.renderer);
    ++p.record.Count;
    p.presentedOnce = true;
    p.lastPresentTick = GetTickCount();
    ClearScreenChanged();
}

bool g_directDrawAlive = false;

}  // namespace

// --- The desktop and the mode list ---

bool EnumDisplaySettings(int32_t modeIndex, DisplayModeRecord& mode) {
    auto modes = ModeList();
    if (modeIndex < 0 || size_t(modeIndex) >= modes.size()) return false;
    mode = modes[size_t(modeIndex)];
    return true;
}

int32_t GetDeviceCaps(int32_t index) {
    DesktopMode d = Desktop();
    switch (index) {
        case BITSPIXEL: return d.bits;
        case HORZRES: return d.width;
        case VERTRES: return d.height;
        default: Fail(dderr::InvalidParams, "GetDeviceCaps: unknown index " + std::to_string(index));
    }
}

DDEnum GetDDEnum() { return DDEnum{VideoUp() ? SDL_GetNumVideoDisplays() : 0}; }

bool DisplayAvailable() { return VideoUp(); }

std::string DisplayProblem() {
    SDL_DisplayMode m{};
    if (!RealDesktop(m) || Drawable(m)) return {};
    return "The desktop's colours are a palette of 256 (8 bits per pixel), which the game cannot draw on. "
           "Set the desktop to 16 or 24 bits per pixel and start the game again.";
}

// --- DirectDraw ---

std::shared_ptr<DirectDraw> DirectDrawCreate(std::string_view guid) {
    if (!guid.empty()) Fail(dderr::InvalidDirectDrawGUID, "only the default display driver exists");
    if (g_directDrawAlive) Fail(dderr::DirectDrawAlreadyCreated, "a DirectDraw object exists already");
    return std::make_shared<DirectDraw>();
}

DirectDraw::DirectDraw() {
    DesktopMode d = Desktop();
    width_ = d.width;
    height_ = d.height;
    bits_ = d.bits;
    g_directDrawAlive = true;
}

DirectDraw::~DirectDraw() {
    if (!primary_.expired()) SetScreenProvider(nullptr);
    g_directDrawAlive = false;
}

void DirectDraw::GetCaps(DDCaps& hardware, DDCaps& emulation) const {
    hardware = DDCaps{};  // no video memory: every surface is a software one
    emulation = DDCaps{0, 0, 0};
}

void DirectDraw::SetCooperativeLevel(int32_t, int32_t flags) {
    if (flags != (DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE) && flags != DDSCL_NORMAL)
        Fail(dderr::InvalidParams, "SetCooperativeLevel: unsupported flags " + std::to_string(flags));
    level_ = flags;
}

void DirectDraw::SetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t, int32_t flags) {
    if (level_ != (DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE))
        Fail(dderr::Generic, "SetDisplayMode needs the full-screen exclusive cooperative level");
    DesktopMode d = Desktop();
    bool sizeOk = width == d.width && height == d.height;
    for (auto s : kSizes) sizeOk |= width == s[0] && height == s[1];
    bool depthOk = bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 32;
    if (!sizeOk || !depthOk || flags != 0)
        Fail(dderr::InvalidParams, "SetDisplayMode: no mode " + std::to_string(width) + " x " + std::to_string(height) +
                                       " at " + std::to_string(bitsPerPixel) + " bits");
    EnsureWindow();
    if (width != width_ || height != height_ || bitsPerPixel != bits_) {
        // The old primary surface no longer matches the screen.
        if (!primary_.expired()) SetScreenProvider(nullptr);
        primary_.reset();
    }
    width_ = width;
    height_ = height;
    bits_ = bitsPerPixel;
}

void DirectDraw::RestoreDisplayMode() {
    DesktopMode d = Desktop();
    if (d.width != width_ || d.height != height_ || d.bits != bits_) {
        if (!primary_.expired()) SetScreenProvider(nullptr);
        primary_.reset();
    }
    width_ = d.width;
    height_ = d.height;
    bits_ = d.bits;
}

void DirectDraw::FlipToGDISurface() {}

void DirectDraw::CheckDesc(const SurfaceDesc& desc, bool fromBitmap) const {
    if (!(desc.lFlags & DDSD_CAPS)) Fail(dderr::InvalidParams, "CreateSurface: the description has no capabilities");
    if (fromBitmap && (desc.lCaps & DDSCAPS_PRIMARYSURFACE))
        Fail(dderr::InvalidParams, "CreateSurfaceFromResource: a bitmap cannot become the primary surface");
}

SurfaceRef DirectDraw::CreateSurface(SurfaceDesc& desc) {
    CheckDesc(desc, false);
    if (desc.lCaps & DDSCAPS_PRIMARYSURFACE) {
        if (!primary_.expired()) Fail(dderr::Generic, "CreateSurface: the primary surface exists already");
        EnsureWindow();
        auto primary = std::make_shared<Surface>(width_, height_, bits_, DDSCAPS_PRIMARYSURFACE);
        primary_ = primary;
        SetScreenProvider([weak = std::weak_ptr<Surface>(primary)]() -> SDL_Surface* {
            auto s = weak.lock();
            return s ? s->Sdl() : nullptr;
        });
        MarkScreenChanged();
        return primary;
    }
    if (!(desc.lCaps & DDSCAPS_OFFSCREENPLAIN) || (desc.lFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT))
        Fail(dderr::InvalidParams, "CreateSurface: a plain surface needs its width and height");
    return std::make_shared<Surface>(desc.lWidth, desc.lHeight, bits_);
}

SurfaceRef DirectDraw::CreateSurfaceFromBitmap(std::span<const uint8_t> bmp, SurfaceDesc& desc) {
    CheckDesc(desc, true);
    SurfaceRef s = Surface::FromBitmap(bmp, bits_);
    // The bitmap is never stretched: a size asked for must be its own.
    if (((desc.lFlags & DDSD_WIDTH) && desc.lWidth != 0 && desc.lWidth != s->Width()) ||
        ((desc.lFlags & DDSD_HEIGHT) && desc.lHeight != 0 && desc.lHeight != s->Height()))
        Fail(dderr::InvalidParams, "CreateSurfaceFromResource: the bitmap is " + std::to_string(s->Width()) + " x " +
                                       std::to_string(s->Height()) + ", not the size asked for");
    desc.lWidth = s->Width();
    desc.lHeight = s->Height();
    return s;
}

// --- The window ---

void PresentIfChanged() { Present(false); }

const PresentRecord& LastPresent() { return P().record; }
void KeepPresentPixels(bool on) { g_keepPixels = on; }

Viewport FitToWindow(int32_t w, int32_t h, int32_t winW, int32_t winH) {
    if (w <= 0 || h <= 0 || winW <= 0 || winH <= 0) return {};
    Viewport v;
    if (int64_t(winW) * h <= int64_t(winH) * w) {  // bars above and below
        v.W = winW;
        v.H = int32_t(int64_t(winW) * h / w);
    } else {
        v.H = winH;
        v.W = int32_t(int64_t(winH) * w / h);
    }
    v.X = (winW - v.W) / 2;
    v.Y = (winH - v.H) / 2;
    return v;
}

void GetWindowSize(int32_t& width, int32_t& height) {
    width = height = 0;
    if (WindowAlive()) SDL_GetWindowSize(P().window, &width, &height);
}

void UseHeadlessHost() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        if (!IsDummyDriver()) Fail(dderr::Generic, "the video already runs on another driver than dummy");
    } else {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        SDL_setenv("SDL_RENDER_DRIVER", "software", 1);
        if (!VideoUp() || !IsDummyDriver()) Fail(dderr::NoDirectDrawHW, std::string("no dummy video: ") + SDL_GetError());
    }
    UseVirtualClock(true);
}

void ShutdownDisplay() {
    Presenter& p = P();
    Unhook();
    if (WindowAlive()) {
        if (p.texture) SDL_DestroyTexture(p.texture);
        if (p.renderer) SDL_DestroyRenderer(p.renderer);
        SDL_DestroyWindow(p.window);
    }
    ForgetWindow();
    // Nothing is shown any more: the primary surface goes with the window.
    SetScreenProvider(nullptr);
    ClearScreenChanged();
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace gorb
