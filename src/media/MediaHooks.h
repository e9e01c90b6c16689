#pragma once
// What the media layer needs from the program above it: a message box, the unload of the main
// form (which ends the program), and the main window's take-over before a full-screen display.
// The front end wires them; tests record them.
#include <functional>
#include <string>
#include <string_view>

namespace gorb {

struct MediaHooks {
    // An OK-only message box; returns when the player has answered it.
    std::function<void(const std::string& text)> MessageBox;
    // Unloads the main form. In the program this releases everything and ends the run by
    // throwing; when it returns (tests), the failing procedure returns too.
    std::function<void()> UnloadMainForm;
    // Window style, topmost placement and black background before the display is taken.
    std::function<void()> PrepareMainWindow;
    // Called with each step text as a set-up procedure stores it. Tests throw a PlatformError
    // from here to fail a chosen step; the program leaves it empty.
    std::function<void(std::string_view step)> OnStep;
};

// A set-up procedure's current step: stored for its failure log and message, then reported.
inline void SetStep(const MediaHooks& hooks, std::string& stepText, std::string_view text) {
    stepText = text;
    if (hooks.OnStep) hooks.OnStep(stepText);
}

}  // namespace gorb
