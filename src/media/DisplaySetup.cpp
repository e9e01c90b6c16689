#include "media/DisplaySetup.h"

#include "media/BlitClip.h"
#include "media/ErrorLog.h"
#include "media/MediaState.h"

namespace gorb {

namespace {

constexpr int32_t kFullscreenExclusive = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE;  // 17
constexpr int32_t kNormal = DDSCL_NORMAL;
constexpr int32_t kPlainSurfaceFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
constexpr int32_t kReadLock = DDLOCK_WAIT | DDLOCK_READONLY;

// Runs one release step; a failure there is passed over.
template <typename F>
void Quietly(F&& f) {
    try {
        f();
    } catch (const PlatformError&) {
    }
}

void LoadSheet(DisplayObjects& d, SurfaceRef& target, const char* name, Long& width, Long& height) {
    LoadKeyedResource(d, target, name);
    width = d.SurfaceDescription.lWidth;
    height = d.SurfaceDescription.lHeight;
}

}  // namespace

void DescribePlainSurface(DisplayObjects& d, Long width, Long height) {
    d.SurfaceDescription.lFlags = kPlainSurfaceFlags;
    d.SurfaceDescription.lCaps = DDSCAPS_OFFSCREENPLAIN;
    d.SurfaceDescription.lWidth = width;
    d.SurfaceDescription.lHeight = height;
}

void LoadKeyedResource(DisplayObjects& d, SurfaceRef& target, const std::string& name) {
    d.SurfaceDescription.lWidth = 0;
    d.SurfaceDescription.lHeight = 0;
    target = d.DDraw->CreateSurfaceFromResource("", name, d.SurfaceDescription);
    target->SetColorKey(DDCKEY_SRCBLT, d.Key);
}

std::vector<std::string> SetupDirectXErrorLines(const std::string& step, const PlatformError& error,
                                                int driverCount) {
    std::vector<std::string> lines;
    lines.push_back(std::string(logprefix::SetupDirectX) + step);
    lines.push_back("Error was " + error.Description);
    lines.push_back("DDenum count:  " + std::to_string(driverCount));
    switch (error.Number) {
        case dderr::DirectDrawAlreadyCreated: lines.push_back("Error was DirectDrawAlreadyCreated"); break;
        case dderr::Generic: lines.push_back("Error was Generic"); break;
        case dderr::InvalidDirectDrawGUID: lines.push_back("Error was InvalidDirectDrawGUID"); break;
        case dderr::InvalidParams: lines.push_back("Error was InvalidParams"); break;
        case dderr::NoDirectDrawHW: lines.push_back("Error was NoDirectDrawHW"); break;
        case dderr::OutOfMemory: lines.push_back("Error was OutOfMemory"); break;
        default: lines.push_back("Error Num:  " + std::to_string(error.Number)); break;
    }
    return lines;
}

void SetupDirectX(MediaState& media, DisplayFields& fields, SheetSizes& sheets, Long bitsPerPixel, Long width,
                  Long height) {
    DisplayObjects& d = media.Display;
    const MediaHooks& hooks = media.Hooks;
    std::string step;
    Integer driverCount = 0;  // logged; 0 when the failure comes before the drivers are counted
    try {
        SetStep(hooks, step, "SetWindowLong command.");
        if (hooks.PrepareMainWindow) hooks.PrepareMainWindow();
        SetStep(hooks, step, "SetWindowPos command.");
        SetStep(hooks, step, "Me.BackColor command.");

        SetStep(hooks, step, "GetDDEnum command.");
        driverCount = ToInteger(GetDDEnum().GetCount());
        SetStep(hooks, step, "DirectDrawCreate command.");
        d.DDraw = DirectDrawCreate("");
        SetStep(hooks, step, "GetCaps command.");
        d.DDraw->GetCaps(d.HardwareCaps, d.EmulationCaps);
        PlacePlayArea(fields, width, height);
        SetStep(hooks, step, "SetCooperativeLevel command.");
        d.DDraw->SetCooperativeLevel(0, kFullscreenExclusive);
        SetStep(hooks, step, "SetDisplayMode command.");
        d.DDraw->SetDisplayMode(width, height, bitsPerPixel, 0, 0);

        SetStep(hooks, step, "creating primary buffer ddsd.");
        d.SurfaceDescription.lFlags = DDSD_CAPS;
        d.SurfaceDescription.lCaps = DDSCAPS_PRIMARYSURFACE;
        SetStep(hooks, step, "CreateSurface command for primary buffer.");
        d.PrimarySurface = d.DDraw->CreateSurface(d.SurfaceDescription);

        SetStep(hooks, step, "creating Back buffer.");
        DescribePlainSurface(d, kPlayAreaWidth, kPlayAreaHeight);
        SetStep(hooks, step, "CreateSurface command for Back buffer.");
        d.BackBuffer = d.DDraw->CreateSurface(d.SurfaceDescription);

        SetStep(hooks, step, "creating Misc buffer.");
        DescribePlainSurface(d, 0, 0);
        d.GfxMisc = d.DDraw->CreateSurfaceFromResource("", "misc", d.SurfaceDescription);
        sheets.MiscSheetWidth = d.SurfaceDescription.lWidth;
        sheets.MiscSheetHeight = d.SurfaceDescription.lHeight;

        // The key is read from the loaded sheet, so it is in the mode's own pixel format.
        SetStep(hooks, step, "GfxMisc.Lock command.");
        d.GfxMisc->Lock(d.LockRect, d.SurfaceDescription, kReadLock);
        SetStep(hooks, step, "GetLockedPixel command.");
        fields.ColorKeyPixel = d.GfxMisc->GetLockedPixel(205, 1);
        SetStep(hooks, step, "GfxMisc.Unlock command.");
        d.GfxMisc->Unlock(d.LockRect);
        d.Key.high = fields.ColorKeyPixel;
        d.Key.low = fields.ColorKeyPixel;
        SetStep(hooks, step, "GfxMisc.SetColorKey command.");
        d.GfxMisc->SetColorKey(DDCKEY_SRCBLT, d.Key);
    } catch (const PlatformError& e) {
        WriteErrorLog(SetupDirectXErrorLines(step, e, driverCount));
        ReleaseDirectDraw(media);
        if (hooks.MessageBox) hooks.MessageBox(std::string(logprefix::SetupDirectX) + step);
        if (hooks.UnloadMainForm) hooks.UnloadMainForm();
    }
}

void ReleaseDirectDraw(MediaState& media) {
    DisplayObjects& d = media.Display;
    if (d.DDraw) {
        Quietly([&] { d.DDraw->FlipToGDISurface(); });
        Quietly([&] { d.DDraw->RestoreDisplayMode(); });
        Quietly([&] { d.DDraw->SetCooperativeLevel(0, kNormal); });
    }
    for (SurfaceRef* s : {&d.GfxScreen, &d.GfxPrevPicture, &d.GfxNextPicture, &d.GfxPlayer, &d.GfxTiles,
                          &d.GfxBullet, &d.GfxIce, &d.GfxExplode})
        s->reset();
    for (int n = 54; n >= 1; --n) d.VorpexSheets[n].reset();
    d.GfxMisc.reset();
    d.BackBuffer.reset();
    d.PrimarySurface.reset();
    d.DDraw.reset();
    ReleaseJoystickEvent(media.Input);
}

void SetupDirectXObjects(MediaState& media, SheetSizes& sheets) {
    DisplayObjects& d = media.Display;
    const MediaHooks& hooks = media.Hooks;
    std::string step;
    try {
        if (!d.DDraw) throw ObjectNotSet();
        for (int n = 1; n <= kVorpexSheetCount; ++n) {
            SetStep(hooks, step, " creating Zorbel Buffer # " + std::to_string(n));
            char name[] = "vorpex00";
            name[6] = static_cast<char>('0' + n / 10);
            name[7] = static_cast<char>('0' + n % 10);
            LoadSheet(d, d.VorpexSheets[n], name, sheets.VorpexSheetWidths[n], sheets.VorpexSheetHeights[n]);
        }
        SetStep(hooks, step, "creating Player Buffer.");
        LoadSheet(d, d.GfxPlayer, "player", sheets.PlayerSheetWidth, sheets.PlayerSheetHeight);
        SetStep(hooks, step, "creating Explode Buffer.");
        LoadSheet(d, d.GfxExplode, "explode", sheets.ExplodeSheetWidth, sheets.ExplodeSheetHeight);
        SetStep(hooks, step, "creating Ice Buffer.");
        LoadSheet(d, d.GfxIce, "ice", sheets.IceSheetWidth, sheets.IceSheetHeight);
        SetStep(hooks, step, "creating Bullet Buffer.");
        LoadSheet(d, d.GfxBullet, "bullet", sheets.BulletSheetWidth, sheets.BulletSheetHeight);
        SetStep(hooks, step, "creating Tiles Buffer.");
        LoadSheet(d, d.GfxTiles, "tile", sheets.TileSheetWidth, sheets.TileSheetHeight);
    } catch (const PlatformError& e) {
        LogStandardError(logprefix::SetupDirectXObjects, step, e);
        ReleaseDirectDraw(media);
        if (hooks.MessageBox) hooks.MessageBox(std::string(logprefix::SetupDirectXObjects) + step);
        if (hooks.UnloadMainForm) hooks.UnloadMainForm();
    }
}

}  // namespace gorb
