#include "frontend/MenuLayout.h"

#include <algorithm>
#include <array>

namespace gorb {

namespace {

using K = ControlKind;

constexpr ControlSpec Top(std::string_view name, K kind, std::string_view caption, Integer l, Integer t,
                          Integer w, Integer h, bool visible = false) {
    return ControlSpec{name, kind, "", caption, l, t, w, h, -1, visible, true};
}
constexpr ControlSpec In(std::string_view frame, std::string_view name, K kind, std::string_view caption,
                         Integer l, Integer t, Integer w, Integer h, Integer index = -1) {
    return ControlSpec{name, kind, frame, caption, l, t, w, h, index, true, true};
}
constexpr ControlSpec Opt(std::string_view frame, std::string_view name, std::string_view caption, Integer l,
                          Integer t, Integer index, bool enabled = true, bool visible = true) {
    return ControlSpec{name, K::OptionButton, frame, caption, l, t, 81, 25, index, visible, enabled};
}

// The frames and what lies on them; all frames start hidden.
constexpr std::array kControls = {
    Top("picIntro", K::Picture, "", 0, 0, 640, 480, true),
    Top("cmdConfig", K::CommandButton, "&Configure", 40, 88, 121, 25),
    Top("cmdGame", K::CommandButton, "&Game Options", 40, 120, 121, 25),
    Top("cmdMisc", K::CommandButton, "&Misc Options", 40, 152, 121, 25),
    Top("cmdExit", K::CommandButton, "E&xit", 8, 432, 113, 41),
    Top("cmdBegin", K::CommandButton, "&Begin", 520, 432, 113, 41),

    Top("frameColor", K::Frame, "Color Depth", 32, 208, 113, 129),
    In("frameColor", "Label2", K::Label, "Color Depth", 16, 16, 81, 17),
    Opt("frameColor", "optColor", "8 Bit color", 16, 40, 0, false),
    Opt("frameColor", "optColor", "16 Bit color", 16, 64, 1, false),
    Opt("frameColor", "optColor", "32 Bit color", 16, 88, 2, false, false),

    Top("frameRes", K::Frame, "Screen Resolution", 144, 208, 113, 129),
    In("frameRes", "Label3", K::Label, "Screen Resolution", 16, 8, 81, 33),
    Opt("frameRes", "optRes", "640 x 480", 16, 40, 0, false),
    Opt("frameRes", "optRes", "800 x 600", 16, 64, 1, false),
    Opt("frameRes", "optRes", "1024 x 768", 16, 88, 2, false),

    Top("frameControls", K::Frame, "Controls", 88, 336, 113, 81),
    Opt("frameControls", "optControls", "Joystick", 16, 16, 0),
    Opt("frameControls", "optControls", "Keyboard", 16, 40, 1),

    Top("frameGamePlay", K::Frame, "Game Options", 32, 208, 113, 81),
    Opt("frameGamePlay", "optPlay", "Normal Game", 16, 16, 0),
    Opt("frameGamePlay", "optPlay", "Random Game", 16, 40, 1),

    Top("FrameLevel", K::Frame, "Start Level Options", 168, 120, 113, 305),
    In("FrameLevel", "Label4", K::Label, "Starting Level", 8, 8, 97, 17),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 1", 8, 32, 97, 25, 0),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 2", 8, 56, 97, 25, 1),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 3", 8, 80, 97, 25, 2),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 4", 8, 104, 97, 25, 3),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 5", 8, 128, 97, 25, 4),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 6", 8, 152, 97, 25, 5),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 7", 8, 176, 97, 25, 6),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 8", 8, 200, 97, 25, 7),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 9", 8, 224, 97, 25, 8),
    In("FrameLevel", "optLevel", K::OptionButton, "Level 10", 8, 248, 97, 25, 9),
    In("FrameLevel", "optLevel", K::OptionButton, "FINAL", 8, 272, 97, 25, 10),

    Top("frameDifficulty", K::Frame, "Difficulty", 32, 288, 113, 129),
    In("frameDifficulty", "Label5", K::Label, "Boss Difficulty", 24, 16, 65, 33),
    Opt("frameDifficulty", "optDifficulty", "Blek", 16, 64, 0),
    Opt("frameDifficulty", "optDifficulty", "Blekker", 16, 88, 1),

    Top("framePerformance", K::Frame, "Performance Issues", 144, 208, 145, 217),
    In("framePerformance", "Label1", K::Label, "Try these options to speed up the game on a slower computer.", 16,
       16, 121, 49),
    In("framePerformance", "chkFire", K::CheckBox, "Turn OFF Fire Trails && Smoke Puffs:", 12, 72, 121, 33),
    In("framePerformance", "chkBack", K::CheckBox, "Simple (faster) Backgrounnds:", 12, 104, 121, 33),
    In("framePerformance", "chkCollision", K::CheckBox, "Lesser (faster) Collision Detection:", 12, 136, 121,
       33),
    In("framePerformance", "chkOverload", K::CheckBox, "Turn OFF System Overload Indicator", 12, 168, 121, 33),

    Top("framePreference", K::Frame, "Pilot Talk", 32, 208, 113, 81),
    Opt("framePreference", "optPilot", "Pilot Talk On", 16, 16, 0),
    Opt("framePreference", "optPilot", "Pilot Talk Off", 16, 40, 1),

    ControlSpec{"StartTimer", K::Timer, "", "", 0, 0, 0, 0, -1, true, true},
};

constexpr std::string_view kConfigFrames[] = {"frameColor", "frameRes", "frameControls"};
constexpr std::string_view kGameFrames[] = {"frameGamePlay", "FrameLevel", "frameDifficulty"};
constexpr std::string_view kMiscFrames[] = {"framePerformance", "framePreference"};
constexpr std::string_view kOptionFrames[] = {"frameRes",        "frameColor",       "frameGamePlay",
                                              "FrameLevel",      "frameDifficulty",  "framePerformance",
                                              "framePreference", "frameControls"};
constexpr std::string_view kCentred[] = {"cmdExit",       "cmdBegin",         "cmdConfig",       "cmdGame",
                                         "cmdMisc",       "frameColor",       "frameRes",        "frameGamePlay",
                                         "FrameLevel",    "framePerformance", "framePreference", "frameControls",
                                         "frameDifficulty", "picIntro"};

constexpr std::array kSplash = {
    ControlSpec{"Label1", K::Label, "", "Gorbulant: a Zorbel shoot-'em-up", 16, 16, 433, 25},
    ControlSpec{"Label4", K::Label, "", "Version 1.1.1", 16, 40, 129, 25},
    // The game has no web site: the address line says where it runs instead of inventing one.
    ControlSpec{"Label3", K::Label, "", "Made for Linux", 224, 40, 209, 25},
    ControlSpec{"Label2", K::Label, "", "Loading . . . ", 16, 80, 401, 25},
};

}  // namespace

int MaxCaptionLines(const ControlSpec& spec) {
    if (spec.Kind == ControlKind::Frame || spec.Kind == ControlKind::CommandButton ||
        spec.Kind == ControlKind::OptionButton)
        return 1;
    return std::max(1, spec.Height / kLayoutLineHeight);
}

std::span<const ControlSpec> MenuControls() { return kControls; }

const ControlSpec* FindMenuControl(std::string_view name, Integer index) {
    for (const ControlSpec& c : kControls)
        if (c.Name == name && c.Index == index) return &c;
    return nullptr;
}

std::span<const std::string_view> PanelFrames(std::string_view button) {
    if (button == "cmdConfig") return kConfigFrames;
    if (button == "cmdGame") return kGameFrames;
    if (button == "cmdMisc") return kMiscFrames;
    return {};
}

std::span<const std::string_view> OptionFrames() { return kOptionFrames; }
std::span<const std::string_view> CentredControls() { return kCentred; }
std::span<const ControlSpec> SplashLabels() { return kSplash; }

}  // namespace gorb
