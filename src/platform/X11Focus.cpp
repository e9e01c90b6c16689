#include "platform/X11Focus.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <atomic>
#include <thread>

namespace gorb {

namespace {

// Xlib's error handler is the process's; it is replaced only around the one request that can
// fail (the window may be gone again before the focus reaches it), while the box's caller waits.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

void GiveFocus(Display* dpy, Window w) {
    XSync(dpy, False);
    auto previous = XSetErrorHandler(IgnoreError);
    XSetInputFocus(dpy, w, RevertToPointerRoot, CurrentTime);
    XSync(dpy, False);
    XSetErrorHandler(previous);
}

}  // namespace

struct FocusNextMappedWindow::Watch {
    Display* dpy = nullptr;
    std::atomic<bool> stop{false};
    std::thread thread;

    void Run() {
        const int fd = ConnectionNumber(dpy);
        const Window root = DefaultRootWindow(dpy);
        while (!stop.load()) {
            while (XPending(dpy) > 0) {
                XEvent e;
                XNextEvent(dpy, &e);
                if (e.type == MapNotify && e.xmap.event == root && !e.xmap.override_redirect) {
                    GiveFocus(dpy, e.xmap.window);
                    return;
                }
            }
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 20);
        }
    }
};

FocusNextMappedWindow::FocusNextMappedWindow(const char* display) {
    Display* dpy = XOpenDisplay(display);
    if (!dpy) return;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(dpy, &focus, &revert);
    // A window holds the focus: whoever gave it (a window manager) gives the next one too.
    if (focus != None && focus != PointerRoot) {
        XCloseDisplay(dpy);
        return;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, False);  // listening before the caller maps anything
    watch_ = std::make_unique<Watch>();
    watch_->dpy = dpy;
    watch_->thread = std::thread([w = watch_.get()] { w->Run(); });
}

FocusNextMappedWindow::~FocusNextMappedWindow() {
    if (!watch_) return;
    watch_->stop = true;
    watch_->thread.join();
    XCloseDisplay(watch_->dpy);
}

bool FocusNextMappedWindow::Watching() const { return watch_ != nullptr; }

}  // namespace gorb
