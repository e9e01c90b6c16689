#include "frontend/ModeProbe.h"

#include "frontend/GameForm.h"

namespace gorb {

ModeProbeResult ProbeDisplayModes(const ModeLister& modes, const DeviceCapsReader& caps) {
    ModeProbeResult r;
    DisplayModeRecord mode;
    // The mode counter is 16 bits: a list longer than that ends there rather than wrapping.
    for (int32_t i = 0; i <= INT16_MAX && modes(i, mode); ++i) {
        r.AnyMode = true;
        // Depth and size are tested independently: nothing cross-checks them.
        if (mode.BitsPerPel == 8) r.ColorEnabled[0] = true;
        if (mode.BitsPerPel == 16) r.ColorEnabled[1] = true;
        if (mode.PelsWidth == 640 && mode.PelsHeight == 480) r.ResEnabled[0] = true;
        if (mode.PelsWidth == 800 && mode.PelsHeight == 600) r.ResEnabled[1] = true;
        if (mode.PelsWidth == 1024 && mode.PelsHeight == 768) r.ResEnabled[2] = true;
    }
    if (!r.AnyMode) return r;

    r.DesktopBitDepth = caps(BITSPIXEL);
    r.DesktopWidth = caps(HORZRES);
    r.DesktopHeight = caps(VERTRES);

    switch (r.DesktopBitDepth) {
        case 8: r.ColorChoice = 0; break;
        case 32: r.ColorChoice = 2; break;  // hidden and disabled, but selected all the same
        default: r.ColorChoice = 1; break;  // 16, and anything else such as 24
    }
    if (r.DesktopWidth == 640 && r.DesktopHeight == 480) {
        r.ResChoice = 0;
        r.Maximise = true;
    } else if (r.DesktopWidth == 1024 && r.DesktopHeight == 768) {
        r.ResChoice = 2;
    } else {
        r.ResChoice = 1;  // 800 x 600 and every other size
    }
    return r;
}

void GetScreenModes(GameForm& form) {
    ModeProbeResult r = ProbeDisplayModes(form.Seams.ListModes, form.Seams.DeviceCaps);
    for (Integer i = 0; i < 3; ++i) {
        if (r.ColorEnabled[i]) (*form.optColor)[i].SetEnabled(true);
        if (r.ResEnabled[i]) (*form.optRes)[i].SetEnabled(true);
    }
    if (!r.AnyMode) {
        // A display that exists but cannot be used says why.
        std::string text = kNoModesMessage;
        if (std::string why = form.Seams.DisplayProblem ? form.Seams.DisplayProblem() : ""; !why.empty())
            text += "\n\n" + why;
        form.ShowMessage(text);
        form.UnloadWithStatus(kExitSetupFailed);
        return;  // only when the unload was kept from ending the run
    }
    DisplayState& d = form.G->Display;
    d.DesktopBitDepth = r.DesktopBitDepth;
    d.GameBitDepth = d.DesktopBitDepth;
    d.DesktopWidth = r.DesktopWidth;
    d.DesktopHeight = r.DesktopHeight;

    form.optColor->Select(r.ColorChoice);
    form.optRes->Select(r.ResChoice);
    if (r.Maximise) form.WindowState = 2;
}

}  // namespace gorb
