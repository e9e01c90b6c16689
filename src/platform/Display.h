#pragma once
// The display: the desktop's own mode, the list of display modes, the DirectDraw object with its
// cooperative level, display mode and surfaces, and the window that shows the primary surface.
//
// Every mode is emulated: the primary surface lives in memory at the mode's size and depth, and
// one borderless window covering the desktop shows it scaled to fit, aspect kept, with black
// bars. That looks the same with a window manager and on a bare X server, and every mode works
// on any monitor. The primary surface reaches the window when messages are pumped or a wait
// starts, if it changed since it was last shown.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/Resources.h"
#include "platform/Surface.h"

namespace gorb {

// --- The desktop and the mode list (what the display-mode probe asks) -----------------------

struct DisplayModeRecord {
    int16_t BitsPerPel = 0;
    int32_t PelsWidth = 0;
    int32_t PelsHeight = 0;
};

// Fills mode with entry modeIndex (from 0) of the display's mode list and returns true, or
// returns false past its end. The list: 640 x 480, 800 x 600 and 1024 x 768 at 8, 16 and 32 bits,
// then the desktop's own mode unless it is one of those; empty without a display, or on a desktop
// SDL cannot draw on.
bool EnumDisplaySettings(int32_t modeIndex, DisplayModeRecord& mode);

// Whether there is a display the player can see: SDL's video runs (it is started if needed) on
// a driver other than the "offscreen" one SDL falls back to without a display.
bool DisplayAvailable();

// Why the display lists no mode although it exists, in words for the player: SDL cannot draw on
// the desktop (a palette visual of 8 bits per pixel). Empty when every mode works or when there
// is no display at all.
std::string DisplayProblem();

// The desktop's bits per pixel, width and height in pixels. A desktop smaller than 640 x 480
// counts as at least that size: the 640 x 480 layout is shown scaled down to it. A desktop with
// 4 bytes per pixel counts as 32 bits (SDL calls it 24).
constexpr int32_t HORZRES = 8;
constexpr int32_t VERTRES = 10;
constexpr int32_t BITSPIXEL = 12;
int32_t GetDeviceCaps(int32_t index);

// --- The DirectDraw object -------------------------------------------------------------------

constexpr int32_t DDSCL_FULLSCREEN = 1;
constexpr int32_t DDSCL_NORMAL = 8;
constexpr int32_t DDSCL_EXCLUSIVE = 16;

// Capability record; filled for completeness, the game only keeps it.
struct DDCaps {
    int32_t lCaps = 0;
    int32_t lVidMemTotal = 0;
    int32_t lVidMemFree = 0;
};

// The driver enumeration: one entry per display.
struct DDEnum {
    int32_t Count = 0;
    int32_t GetCount() const { return Count; }
};
DDEnum GetDDEnum();

class DirectDraw {
public:
    DirectDraw();
    ~DirectDraw();  // restores the desktop mode; the window stops showing the primary
    DirectDraw(const DirectDraw&) = delete;
    DirectDraw& operator=(const DirectDraw&) = delete;

    void GetCaps(DDCaps& hardware, DDCaps& emulation) const;
    // DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE (17) or DDSCL_NORMAL (8); anything else is error 5.
    void SetCooperativeLevel(int32_t hWnd, int32_t flags);
    // One of the listed modes (or the desktop's size at 8, 16 or 32 bits); needs the full-screen
    // exclusive level. Refresh rate 0 and no flags.
    void SetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t refreshRate = 0,
                        int32_t flags = 0);
    void RestoreDisplayMode();
    // Nothing is ever flipped: the primary surface is always the one shown.
    void FlipToGDISurface();

    // DDSCAPS_PRIMARYSURFACE: the primary surface at the current mode's size and depth (one at a
    // time); DDSCAPS_OFFSCREENPLAIN with DDSD_WIDTH | DDSD_HEIGHT: a plain surface of that size.
    SurfaceRef CreateSurface(SurfaceDesc& desc);
    // An off-screen surface holding the named bitmap resource of the program (file must be "")
    // at its own size; its width and height are written back into desc.
    SurfaceRef CreateSurfaceFromResource(std::string_view file, std::string_view name, SurfaceDesc& desc);
    // The same from the bytes of a BMP file.
    SurfaceRef CreateSurfaceFromBitmap(std::span<const uint8_t> bmp, SurfaceDesc& desc);

    // The current mode (the desktop's until SetDisplayMode).
    int32_t ModeWidth() const { return width_; }
    int32_t ModeHeight() const { return height_; }
    int32_t ModeBitsPerPixel() const { return bits_; }

private:
    void CheckDesc(const SurfaceDesc& desc, bool fromBitmap) const;

    int32_t width_, height_, bits_;
    int32_t level_ = DDSCL_NORMAL;
    std::weak_ptr<Surface> primary_;
};

// Inline, so that only programs which load bitmap resources link the resource table.
inline SurfaceRef DirectDraw::CreateSurfaceFromResource(std::string_view file, std::string_view name,
                                                        SurfaceDesc& desc) {
    // Only the running program's own resources exist.
    if (!file.empty())
        throw PlatformError(dderr::InvalidParams, "CreateSurfaceFromResource: no resource file " + std::string(file),
                            "DirectDraw");
    return CreateSurfaceFromBitmap(res::FindBitmap(name), desc);
}

// The DirectDraw object for the default display (guid ""). Only one can exist at a time.
std::shared_ptr<DirectDraw> DirectDrawCreate(std::string_view guid = "");

// --- The window and the headless host ----------------------------------------------------------

// Shows the screen surface now if it changed since it was last shown (the pump hook and the wait
// hook call this; a wait shows it at most every 10 ms of real time).
void PresentIfChanged();

// What the window was last given: how many presents so far, and the mode-sized picture of the
// last one as 0x00RRGGBB pixels (kept under the dummy video driver only).
struct PresentRecord {
    uint64_t Count = 0;
    int32_t Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int32_t x, int32_t y) const { return Pixels.at(size_t(y) * size_t(Width) + size_t(x)); }
};
const PresentRecord& LastPresent();
// Whether presents keep their pixels (on by default under the dummy driver; benchmarks turn it off).
void KeepPresentPixels(bool on);

// Where a w x h picture lands in a winW x winH window: scaled to fit, aspect kept, centred.
struct Viewport {
    int32_t X = 0, Y = 0, W = 0, H = 0;
};
Viewport FitToWindow(int32_t w, int32_t h, int32_t winW, int32_t winH);

// The window's size in pixels (0 x 0 before the first primary surface).
void GetWindowSize(int32_t& width, int32_t& height);

// The test host: SDL's dummy video and audio drivers chosen explicitly (with nothing set SDL
// quietly picks another one), software rendering and the virtual clock. Call before anything
// initialises SDL's video; throws if a different video driver is already running.
void UseHeadlessHost();

// Closes the window and SDL's video (end of the program, or between test programs).
void ShutdownDisplay();

}  // namespace gorb
