#pragma once
// The full-screen display: set-up in a requested mode with the play area, the misc sheet and
// the one colour key; the sprite sheets; release of all of it. And the failure log lines of
// the display set-up.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "media/MediaFields.h"
#include "platform/Display.h"
#include "platform/PlatformError.h"
#include "platform/Surface.h"

namespace gorb {

struct MediaState;

// The display objects. Every surface of the system is held here so one release drops them
// all, whoever created them.
struct DisplayObjects {
    std::shared_ptr<DirectDraw> DDraw;
    DDCaps HardwareCaps, EmulationCaps;  // filled at set-up; nothing reads them
    SurfaceRef PrimarySurface;
    SurfaceRef BackBuffer;  // 612 x 330 play area
    SurfaceRef GfxMisc;
    SurfaceRef GfxScreen, GfxPrevPicture, GfxNextPicture, GfxPlayer, GfxTiles, GfxBullet, GfxIce,
        GfxExplode;
    std::array<SurfaceRef, 55> VorpexSheets;  // entries 1..53 filled
    // One description serves every creation and lock; each user sets only what it needs.
    SurfaceDesc SurfaceDescription;
    Rect LockRect;  // always all zero: the whole surface
    ColorKey Key;  // the game's colour key as the sheets are given it
};

// Sets the shared description for an off-screen plain surface of width x height; 0 x 0 takes a
// bitmap's own size.
void DescribePlainSurface(DisplayObjects& d, Long width, Long height);

// Loads a bitmap resource into target at its own size and gives it the colour key. The shared
// description keeps the flags and capabilities it has, and comes back with the size.
void LoadKeyedResource(DisplayObjects& d, SurfaceRef& target, const std::string& name);

// Takes the display in the given mode (8, 16 or 32 bits): places the play area and reads the
// colour key into fields, the misc sheet's size into sheets (both the game's). On a failure:
// the log, the display released, the message box and the main form unloaded.
void SetupDirectX(MediaState& media, DisplayFields& fields, SheetSizes& sheets, Long bitsPerPixel, Long width,
                  Long height);

// Gives the display back and drops every surface and the joystick event. Never fails.
void ReleaseDirectDraw(MediaState& media);

// Loads every sprite sheet but "misc" into its keyed surface and records the sizes in sheets.
// On a failure: the four-line log, the display released, the message box, the main form
// unloaded.
void SetupDirectXObjects(MediaState& media, SheetSizes& sheets);

// The log lines of a failed display set-up: the step, the description, the driver count and
// the line naming the error.
std::vector<std::string> SetupDirectXErrorLines(const std::string& step, const PlatformError& error,
                                                int driverCount);

}  // namespace gorb
