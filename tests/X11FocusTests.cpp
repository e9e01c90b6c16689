// The keyboard focus for a message box that another process maps, on a real (virtual) X server
// with no window manager.

#include <gtest/gtest.h>
// After gtest: Xlib defines macros (None, Bool) that gtest's own names would meet.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "platform/X11Focus.h"

namespace {

// An Xvfb of its own on a display number the server picks; skipped where there is none.
class BareXServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "no Xvfb here";
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        server_ = fork();
        ASSERT_GE(server_, 0);
        if (server_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x24", "-nolisten", "tcp",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        name_ = ":" + number;
        dpy_ = XOpenDisplay(name_.c_str());
        ASSERT_NE(dpy_, nullptr);
    }
    void TearDown() override {
        if (dpy_) XCloseDisplay(dpy_);
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }

    // A top-level window, mapped; its focus changes are reported to this connection.
    Window MapWindow() {
        const Window w = XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), 10, 10, 100, 50, 0, 0, 0);
        XSelectInput(dpy_, w, FocusChangeMask);
        XMapWindow(dpy_, w);
        XSync(dpy_, False);
        return w;
    }
    Window Focus() {
        Window w = None;
        int revert = 0;
        XGetInputFocus(dpy_, &w, &revert);
        return w;
    }
    // Waits (at most two seconds) for the server to report that w got the focus.
    bool FocusArrivesAt(Window w) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < deadline) {
            while (XPending(dpy_) > 0) {
                XEvent e;
                XNextEvent(dpy_, &e);
                if (e.type == FocusIn && e.xfocus.window == w) return true;
            }
            pollfd p{ConnectionNumber(dpy_), POLLIN, 0};
            poll(&p, 1, 100);
        }
        return false;
    }

    pid_t server_ = -1;
    std::string name_;
    Display* dpy_ = nullptr;
};

TEST_F(BareXServer, AWindowMappedWhileTheFocusIsOnNothingGetsTheKeyboard) {
    // As after the splash window, which held the focus, has gone.
    XSetInputFocus(dpy_, None, RevertToNone, CurrentTime);
    XSync(dpy_, False);
    ASSERT_EQ(Focus(), Window(None));
    gorb::FocusNextMappedWindow watch(name_.c_str());
    EXPECT_TRUE(watch.Watching());
    const Window box = MapWindow();
    EXPECT_TRUE(FocusArrivesAt(box));
    EXPECT_EQ(Focus(), box);
}

TEST_F(BareXServer, AFocusSomeoneGaveIsLeftAlone) {
    const Window holder = MapWindow();
    XSetInputFocus(dpy_, holder, RevertToPointerRoot, CurrentTime);
    XSync(dpy_, False);
    {
        gorb::FocusNextMappedWindow watch(name_.c_str());
        EXPECT_FALSE(watch.Watching());
        MapWindow();
    }
    EXPECT_EQ(Focus(), holder);
}

TEST(FocusNextMappedWindow, WithoutAnXServerDoesNothing) {
    gorb::FocusNextMappedWindow watch(":65000");
    EXPECT_FALSE(watch.Watching());
}

}  // namespace
