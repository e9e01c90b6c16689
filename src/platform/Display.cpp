#include "platform/Display.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "platform/Clock.h"
#include "platform/Forms.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"
#include "platform/ScreenCopy.h"
#include "platform/Video.h"

namespace gorb {

namespace {

constexpr const char* kSource = "DirectDraw";
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
    if (!StartVideo()) return false;
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
    for (auto& mode : modes)
        listed |= mode.BitsPerPel == d.bits && mode.PelsWidth == d.width && mode.PelsHeight == d.height;
    if (!listed) modes.push_back({int16_t(d.bits), d.width, d.height});
    return modes;
}

// --- The window ---

// The window shows the screen surface through SDL's window framebuffer: only the rectangles
// changed since the last present are converted, scaled and handed to the window. A primary
// surface of the window's own size and format lives in the framebuffer itself, so that a
// desktop-sized mode keeps one desktop-sized buffer, not two, and a present only hands the
// changed rectangles to the window. Where SDL has no framebuffer of its own for the window
// (Wayland), a renderer shows the screen instead, from a mode-sized texture of which only the
// changed rectangles are updated.
struct Presenter {
    SDL_Window* window = nullptr;
    uint32_t windowId = 0;
    SDL_Renderer* renderer = nullptr;  // only on the renderer path
    SDL_Texture* texture = nullptr;
    SDL_Surface* staging = nullptr;    // the renderer path's mode-sized X-8-8-8 copy of the screen
    bool preferRenderer = false;
    bool redraw = true;                // the next present draws the whole window anew
    SDL_Surface* framebuffer = nullptr;
    std::weak_ptr<Surface> inFramebuffer;  // the primary surface whose pixels are the framebuffer's
    int32_t shownW = 0, shownH = 0;    // the screen size the window shows
    int32_t frameW = 0, frameH = 0;    // the window size it was drawn for
    bool hooked = false;
    int pumpHook = 0, listener = 0;
    PresentRecord record;
};

Presenter& P() {
    static Presenter p;
    return p;
}

void Present();

// The framebuffer is about to go (or has gone, when !stillThere): the primary that lives in it
// moves to memory of its own.
void MovePrimaryOutOfFramebuffer(bool stillThere) {
    Presenter& p = P();
    if (auto primary = p.inFramebuffer.lock()) primary->UseOwnPixels(stillThere);
    p.inFramebuffer.reset();
}

// Tags the window as the display's own, so that a window SDL made later at the same address
// with the same number is never taken for it.
constexpr const char* kWindowTag = "gorb.display";

void Unhook() {
    Presenter& p = P();
    if (!p.hooked) return;
    RemovePumpHook(p.pumpHook);
    RemoveEventListener(p.listener);
    SetWaitHook(nullptr);
    SetScreenPresenter(nullptr);
    SetWindowToScreenMapper(nullptr);
    p.hooked = false;
}

void ForgetWindow() {
    Presenter& p = P();
    MovePrimaryOutOfFramebuffer(false);
    p.texture = nullptr;
    p.renderer = nullptr;
    p.window = nullptr;
    p.windowId = 0;
    p.framebuffer = nullptr;
    if (p.staging) SDL_FreeSurface(p.staging);
    p.staging = nullptr;
    p.shownW = p.shownH = p.frameW = p.frameH = 0;
    p.redraw = true;
}

// Whether the window is still there. Quitting SDL's video (SDL_Quit, SDL_QuitSubSystem) destroys
// every window behind our back. The renderer and texture are useless without it and destroying
// them would reach into the freed window, so they are only forgotten, and the hooks present
// nothing until a new window is made. The window is looked up by its number, so a stale pointer
// is never followed.
bool WindowAlive() {
    Presenter& p = P();
    if (!p.window) return false;
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetWindowFromID(p.windowId) == p.window &&
        SDL_GetWindowData(p.window, kWindowTag) == &p)
        return true;
    ForgetWindow();
    return false;
}

// Clicks on the window land on the scaled picture of the screen surface. The renderer path
// needs none of this: SDL scales mouse events to the renderer's logical size itself.
bool WindowToScreen(int& x, int& y) {
    Presenter& p = P();
    SDL_Surface* screen = GetScreenSurface();
    if (p.renderer || !screen || !WindowAlive()) return true;
    int ww = 0, wh = 0;
    SDL_GetWindowSize(p.window, &ww, &wh);
    Viewport v = FitToWindow(screen->w, screen->h, ww, wh);
    if (v.W <= 0 || v.H <= 0) return false;
    if (x < v.X || y < v.Y || x >= v.X + v.W || y >= v.Y + v.H) return false;
    x = static_cast<int>(int64_t(x - v.X) * screen->w / v.W);
    y = static_cast<int>(int64_t(y - v.Y) * screen->h / v.H);
    return true;
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
    if (p.preferRenderer || !SDL_GetWindowSurface(p.window)) {
        p.renderer = SDL_CreateRenderer(p.window, -1, 0);
        if (!p.renderer) p.renderer = SDL_CreateRenderer(p.window, -1, SDL_RENDERER_SOFTWARE);
        if (!p.renderer) {
            std::string why = SDL_GetError();
            SDL_DestroyWindow(p.window);
            p.window = nullptr;
            Fail(dderr::Generic, "no framebuffer and no renderer for the window: " + why);
        }
    }
    p.windowId = SDL_GetWindowID(p.window);
    SDL_SetWindowData(p.window, kWindowTag, &p);
    SDL_RaiseWindow(p.window);
    p.redraw = true;
    if (!p.hooked) {
        p.hooked = true;
        p.pumpHook = AddPumpHook([] { Present(); });
        SetWaitHook([] { Present(); });
        SetScreenPresenter([] { Present(); });
        SetWindowToScreenMapper(WindowToScreen);
        // Covered and uncovered, or resized: show the whole picture anew.
        p.listener = AddEventListener([](const SDL_Event& ev) {
            Presenter& pr = P();
            if (ev.type != SDL_WINDOWEVENT || !pr.window || ev.window.windowID != pr.windowId) return;
            if (ev.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                // SDL makes a new framebuffer for the new size at the next look at it.
                MovePrimaryOutOfFramebuffer(true);
                pr.redraw = true;
            }
            if (ev.window.event == SDL_WINDOWEVENT_EXPOSED) pr.redraw = true;
        });
    }
}

// The renderer path: the changed rectangle goes into the staging copy and from there into the
// texture; the renderer's logical size does the fitting (scaled, aspect kept, black bars).
bool PresentThroughRenderer(Presenter& p, SDL_Surface* s, SDL_Rect area) {
    if (!p.texture || !p.staging || p.staging->w != s->w || p.staging->h != s->h) {
        if (p.texture) SDL_DestroyTexture(p.texture);
        if (p.staging) SDL_FreeSurface(p.staging);
        p.texture = SDL_CreateTexture(p.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, s->w, s->h);
        p.staging = SDL_CreateRGBSurfaceWithFormat(0, s->w, s->h, 32, SDL_PIXELFORMAT_RGB888);
        if (!p.texture || !p.staging) return false;
        SDL_RenderSetLogicalSize(p.renderer, s->w, s->h);
        area = SDL_Rect{0, 0, s->w, s->h};
    }
    const SDL_Rect copied = CopyScreenRect(s, area, p.staging, SDL_Rect{0, 0, s->w, s->h});
    if (copied.w > 0) {
        const auto* at = static_cast<const uint8_t*>(p.staging->pixels) + int64_t(copied.y) * p.staging->pitch + int64_t(copied.x) * 4;
        if (SDL_UpdateTexture(p.texture, &copied, at, p.staging->pitch) != 0) return false;
    }
    SDL_SetRenderDrawColor(p.renderer, 0, 0, 0, 255);
    SDL_RenderClear(p.renderer);
    SDL_RenderCopy(p.renderer, p.texture, nullptr, nullptr);
    SDL_RenderPresent(p.renderer);
    return true;
}

// The framebuffer path: the changed rectangle is converted and scaled straight into the window's
// framebuffer, and only that part of the window is updated. A whole redraw paints the bars too.
bool PresentToFramebuffer(Presenter& p, SDL_Surface* s, SDL_Rect area, bool whole) {
    SDL_Surface* win = SDL_GetWindowSurface(p.window);
    if (!win) return false;
    if (win != p.framebuffer || win->w != p.frameW || win->h != p.frameH) whole = true;
    p.framebuffer = win;
    p.frameW = win->w;
    p.frameH = win->h;
    if (s->pixels == win->pixels) {
        // The primary is the framebuffer: nothing to copy.
        if (whole) return SDL_UpdateWindowSurface(p.window) == 0;
        return SDL_UpdateWindowSurfaceRects(p.window, &area, 1) == 0;
    }
    const Viewport v = FitToWindow(s->w, s->h, win->w, win->h);
    if (whole) {
        SDL_FillRect(win, nullptr, 0);
        area = SDL_Rect{0, 0, s->w, s->h};
    }
    const SDL_Rect shown = CopyScreenRect(s, area, win, SDL_Rect{v.X, v.Y, v.W, v.H});
    if (whole) return SDL_UpdateWindowSurface(p.window) == 0;
    return shown.w <= 0 || SDL_UpdateWindowSurfaceRects(p.window, &shown, 1) == 0;
}

// Under the dummy driver every present also keeps the mode-sized picture for tests.
void KeepRecord(Presenter& p, SDL_Surface* s, SDL_Rect area) {
    PresentRecord& r = p.record;
    if (r.Width != s->w || r.Height != s->h || r.Pixels.size() != size_t(s->w) * size_t(s->h)) {
        r.Width = s->w;
        r.Height = s->h;
        r.Pixels.assign(size_t(s->w) * size_t(s->h), 0);
        area = SDL_Rect{0, 0, s->w, s->h};
    }
    SDL_Surface* wrap = SDL_CreateRGBSurfaceWithFormatFrom(r.Pixels.data(), s->w, s->h, 32, s->w * 4, SDL_PIXELFORMAT_RGB888);
    if (!wrap) return;
    CopyScreenRect(s, area, wrap, SDL_Rect{0, 0, s->w, s->h});
    SDL_FreeSurface(wrap);
}

void Present() {
    Presenter& p = P();
    if (!ScreenChanged() && !p.redraw) return;
    if (!WindowAlive()) return;
    if (!p.renderer) {
        // A window resized before its event was pumped gets a new framebuffer at the next look
        // at it: a primary in the old one moves out first, and only then is the screen taken.
        int32_t ww = 0, wh = 0;
        SDL_GetWindowSize(p.window, &ww, &wh);
        if (ww != p.frameW || wh != p.frameH) MovePrimaryOutOfFramebuffer(true);
    }
    SDL_Surface* s = GetScreenSurface();
    if (!s) return;
    const bool whole = p.redraw || s->w != p.shownW || s->h != p.shownH;
    const SDL_Rect area = whole ? SDL_Rect{0, 0, s->w, s->h} : ChangedArea(s->w, s->h);
    if (area.w <= 0 || area.h <= 0) {
        ClearScreenChanged();  // marked outside the screen: nothing to show
        return;
    }
    const bool shown = p.renderer ? PresentThroughRenderer(p, s, area) : PresentToFramebuffer(p, s, area, whole);
    if (!shown) return;  // tried again at the next present
    if (g_keepPixels && IsDummyDriver()) KeepRecord(p, s, area);
    ++p.record.Count;
    p.shownW = s->w;
    p.shownH = s->h;
    p.redraw = false;
    ClearScreenChanged();
}

bool g_directDrawAlive = false;

// The primary stops being the screen: whoever still holds it draws into memory of its own.
void StopShowingPrimary() {
    SetScreenProvider(nullptr);
    MovePrimaryOutOfFramebuffer(WindowAlive());
}

// The primary surface: in the window's framebuffer when it has the framebuffer's size and
// format (the desktop's own mode), else in memory of its own.
SurfaceRef NewPrimary(int32_t width, int32_t height, int32_t bits) {
    Presenter& p = P();
    MovePrimaryOutOfFramebuffer(true);
    SDL_Surface* win = p.renderer ? nullptr : SDL_GetWindowSurface(p.window);
    const uint32_t format = bits == 32 ? SDL_PIXELFORMAT_RGB888 : bits == 16 ? SDL_PIXELFORMAT_RGB565 : 0;
    if (!win || win->w != width || win->h != height || win->format->format != format)
        return std::make_shared<Surface>(width, height, bits, DDSCAPS_PRIMARYSURFACE);
    auto primary = std::make_shared<Surface>(width, height, bits, DDSCAPS_PRIMARYSURFACE, win->pixels, win->pitch);
    p.inFramebuffer = primary;
    p.framebuffer = win;
    p.frameW = win->w;
    p.frameH = win->h;
    return primary;
}

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
    if (!primary_.expired()) StopShowingPrimary();
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
        if (!primary_.expired()) StopShowingPrimary();
        primary_.reset();
    }
    width_ = width;
    height_ = height;
    bits_ = bitsPerPixel;
}

void DirectDraw::RestoreDisplayMode() {
    DesktopMode d = Desktop();
    if (d.width != width_ || d.height != height_ || d.bits != bits_) {
        if (!primary_.expired()) StopShowingPrimary();
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
        auto primary = NewPrimary(width_, height_, bits_);
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

void PresentIfChanged() { Present(); }

const PresentRecord& LastPresent() { return P().record; }
void KeepPresentPixels(bool on) { g_keepPixels = on; }

void PreferRenderer(bool on) { P().preferRenderer = on; }

bool ReadWindowPicture(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height) {
    Presenter& p = P();
    pixels.clear();
    width = height = 0;
    if (!WindowAlive()) return false;
    SDL_GetWindowSize(p.window, &width, &height);
    if (width <= 0 || height <= 0) return false;
    pixels.resize(size_t(width) * size_t(height));
    int rc = -1;
    if (p.renderer) {
        // The renderer's logical size would scale the read: read the window's own pixels.
        SDL_RenderSetLogicalSize(p.renderer, 0, 0);
        rc = SDL_RenderReadPixels(p.renderer, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width * 4);
        if (p.staging) SDL_RenderSetLogicalSize(p.renderer, p.staging->w, p.staging->h);
    } else if (SDL_Surface* win = SDL_GetWindowSurface(p.window)) {
        rc = SDL_ConvertPixels(win->w, win->h, win->format->format, win->pixels, win->pitch, SDL_PIXELFORMAT_RGB888,
                               pixels.data(), width * 4);
    }
    for (uint32_t& v : pixels) v &= 0xFFFFFFu;
    return rc == 0;
}

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
        MovePrimaryOutOfFramebuffer(true);
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
