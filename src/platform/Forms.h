#pragma once
// Forms: a load and an unload handler, a key-press event, a background colour, keyboard focus
// and the controls laid out on them. The main form is the full-screen display itself: it paints
// onto the screen surface (Screen.h) and takes the clicks of the display's window. A form with
// its own window (the splash) paints onto a small window of its own.
//
// The toolkit listens to the message pump: clicks, typed characters and window closing are
// handled whenever messages are pumped; nothing is handled while a wait runs.
#include <SDL.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Arithmetic.h"
#include "platform/Controls.h"

namespace gorb {

enum class FormKind {
    Screen,     // paints onto the screen surface, the full-screen display's window
    OwnWindow,  // a small window of its own (the splash)
};

class Form : public Container {
public:
    explicit Form(FormKind kind, int clientWidth = 640, int clientHeight = 480);
    ~Form() override;

    std::function<void()> OnLoad;
    // The handler may set cancel to keep the form; the game's handler ends the process.
    std::function<void(Integer& cancel)> OnUnload;
    // Each typed character as a 16-bit code (Esc 27, Space 32, Enter 13, Backspace 8, letters
    // and punctuation as typed). Runs before the focused control sees Enter or Space; a
    // handler that sets the code to 0 keeps it from the control.
    std::function<void(Integer& keyAscii)> OnKeyPress;

    // Loads the form first when needed (runs OnLoad), then makes it visible and paints it.
    void Show();
    // Runs OnUnload; unless cancelled the form is hidden and no longer loaded.
    void Unload();
    // Paints the whole form at once (when visible).
    void Refresh();

    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    FormKind Kind() const { return kind_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    Rgb BackColor() const { return back_; }
    void SetBackColor(Rgb c);
    // The client area in pixels. A screen form's client area is the screen surface when one
    // is set; the size the form was made with is used before that.
    int ClientWidth() const;
    int ClientHeight() const;

    OptionGroup& AddOptionGroup();
    Timer& AddTimer();
    const std::vector<std::unique_ptr<Timer>>& Timers() const { return timers_; }

    Control* ActiveControl() const { return focus_; }

    // Raises the key-press event and gives Enter, Space and Esc to the controls, as a typed
    // character does.
    void TypeCharacter(Integer keyAscii);
    // Alt with a key: clicks the usable control whose caption marks that access key.
    bool AccessKeyPressed(char32_t key);
    // A click at a point of the client area: the topmost usable control there gets it.
    void ClickAt(int x, int y);
    Control* ControlAt(int x, int y) const;  // topmost usable clickable control, or nullptr

    // The surface the form paints on (nullptr when there is none yet).
    SDL_Surface* Canvas() const;
    // For own-window forms: the SDL window id (0 when no window is open).
    uint32_t WindowId() const;

    // Container
    Form& OwnerForm() override { return *this; }
    SDL_Point Origin() const override { return {0, 0}; }
    bool Showing() const override { return visible_; }

    // Toolkit internals: repaint an area of the client (form background, then every showing
    // control that touches it, bottom to top); focus bookkeeping.
    void RepaintArea(SDL_Rect area);
    void SetFocusInternal(Control* c);
    void DropFocusIfUnusable();

private:
    void Present(const SDL_Rect& area);
    void OpenWindow();
    void CloseWindow();

    FormKind kind_;
    const int width_, height_;
    bool loaded_ = false;
    bool visible_ = false;
    std::string caption_;
    Rgb back_ = kButtonFace;
    Control* focus_ = nullptr;
    std::vector<std::unique_ptr<OptionGroup>> groups_;
    std::vector<std::unique_ptr<Timer>> timers_;
    SDL_Window* window_ = nullptr;
};

// Clicks on the display's window arrive in window coordinates; the display sets how they map
// to the screen surface (false: the point is outside the picture). Identity by default;
// nullptr restores it.
using WindowToScreenMapper = std::function<bool(int& x, int& y)>;
void SetWindowToScreenMapper(WindowToScreenMapper mapper);
bool MapWindowToScreen(int& x, int& y);

// While a modal message box is up the forms take no input (the box does).
void SetModalActive(bool modal);
// The program was asked to close (its window closed, or SIGINT / SIGTERM) while a box was up:
// the main form unloads as soon as no box is up any more.
bool CloseIsPending();

}  // namespace gorb
