#pragma once
// Modal message boxes: a text and an OK button. The box is drawn over the screen surface (or,
// without one, in a small window of its own above every other) and the call returns when OK is
// clicked or Enter, Space or Esc is pressed; the pixels beneath come back as they were. While
// it is up, messages are pumped for the box only: the forms see no clicks or keys.
#include <SDL.h>

#include <functional>
#include <string>

namespace gorb {

void MsgBox(const std::string& text);

// Headless hosts answer message boxes here instead (the call returns when the handler does).
// nullptr restores the real box.
using MessageBoxHandler = std::function<void(const std::string& text)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// A message that no box can show (no display, or one where neither SDL nor the system can draw a
// box) goes to stderr and to this sink, which the program points at its error log. nullptr: stderr
// only.
using UnshownMessageSink = std::function<void(const std::string& text)>;
void SetUnshownMessageSink(UnshownMessageSink sink);

// The box on screen, for scripted answers: nullptr when none is up.
struct MessageBoxInfo {
    std::string Text;
    SDL_Rect Box{};       // on the surface it is drawn on
    SDL_Rect OkButton{};  // the same
    uint32_t WindowId = 0;  // its own window, or 0 when drawn on the screen surface
};
const MessageBoxInfo* ActiveMessageBox();

}  // namespace gorb
