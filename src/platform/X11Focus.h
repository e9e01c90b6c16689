#pragma once

#include <memory>

namespace gorb {

// On an X server where no window holds the keyboard focus (no window manager runs, and the
// window that had the focus has gone, which leaves the focus on nothing), a window that another
// process maps never gets a key: SDL's own message box runs in a child process, so its OK
// would answer the mouse only. While a `FocusNextMappedWindow` lives, the first top-level window
// mapped on the display gets the keyboard focus. Where a window already holds the focus (a
// window manager gives it), or there is no X display, it does nothing.
class FocusNextMappedWindow {
public:
    // `display` as XOpenDisplay takes it; null for $DISPLAY.
    explicit FocusNextMappedWindow(const char* display = nullptr);
    ~FocusNextMappedWindow();
    FocusNextMappedWindow(const FocusNextMappedWindow&) = delete;
    FocusNextMappedWindow& operator=(const FocusNextMappedWindow&) = delete;

    // True while it waits for a window to map (the focus was on nothing when it started).
    bool Watching() const;

private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};

}  // namespace gorb
