#pragma once
// The display-mode probe: which colour-depth and size options the display offers, the
// desktop's own mode, and which options start selected.
#include <array>
#include <cstdint>
#include <functional>

#include "platform/Arithmetic.h"
#include "platform/Display.h"

namespace gorb {

class GameForm;

// Mode i of the display's list (false past its end), and the desktop's device capabilities
// (BITSPIXEL, HORZRES, VERTRES). The program uses the display's own; tests give small lists.
using ModeLister = std::function<bool(int32_t index, DisplayModeRecord& mode)>;
using DeviceCapsReader = std::function<int32_t(int32_t index)>;

struct ModeProbeResult {
    bool AnyMode = false;
    std::array<bool, 3> ColorEnabled{};  // optColor 0 "8 Bit color", 1 "16 Bit color"; 2 never
    std::array<bool, 3> ResEnabled{};    // optRes 0 "640 x 480", 1 "800 x 600", 2 "1024 x 768"
    Long DesktopBitDepth = 0;
    Long DesktopWidth = 0;
    Long DesktopHeight = 0;
    Integer ColorChoice = 1;  // optColor index to select
    Integer ResChoice = 1;    // optRes index to select
    bool Maximise = false;    // a 640 x 480 desktop: the main window is maximised
};

// The probe's findings; the desktop is read only when some mode exists.
ModeProbeResult ProbeDisplayModes(const ModeLister& modes, const DeviceCapsReader& caps);

// Enables the offered options, fills the desktop fields and selects the matching options
// (their click actions run); with no mode at all shows the message and unloads the form.
void GetScreenModes(GameForm& form);

inline constexpr const char* kNoModesMessage = "Zorbel Error:  No Normal Screen Modes Detected.";

}  // namespace gorb
