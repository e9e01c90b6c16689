/* Preloaded into the game by bench/live/measure.py: time-stamps every call that hands a picture
 * to the window (the window framebuffer updates and the renderer's present), so the intervals
 * come from the presents themselves, on any build of the game, without a line of game code.
 * Each line of $GORB_PRESENT_LOG: monotonic ns when the call returned, ns spent inside it, the
 * window's width and height.
 * With $GORB_PRESENT_DELAY_US set, every present also takes that long, as on a desktop too slow
 * for the game (the overload sign must show then). */
#define _GNU_SOURCE
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static int log_fd = -2;

static long long now_ns(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void slow_down(void) {
    static long delay_us = -1;
    if (delay_us < 0) {
        const char* v = getenv("GORB_PRESENT_DELAY_US");
        delay_us = v ? atol(v) : 0;
    }
    if (delay_us > 0) usleep((useconds_t)delay_us);
}

static void stamp(long long start, SDL_Window* w) {
    if (log_fd == -2) {
        const char* path = getenv("GORB_PRESENT_LOG");
        log_fd = path ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    }
    if (log_fd < 0) return;
    long long end = now_ns();
    int ww = 0, wh = 0;
    if (w) SDL_GetWindowSize(w, &ww, &wh);
    char line[96];
    int n = snprintf(line, sizeof line, "%lld %lld %d %d\n", end, end - start, ww, wh);
    if (n > 0) (void)!write(log_fd, line, (size_t)n);
}

void SDL_RenderPresent(SDL_Renderer* r) {
    static void (*real)(SDL_Renderer*);
    if (!real) real = (void (*)(SDL_Renderer*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    long long t = now_ns();
    slow_down();
    real(r);
    stamp(t, SDL_RenderGetWindow(r));
}

int SDL_UpdateWindowSurface(SDL_Window* w) {
    static int (*real)(SDL_Window*);
    if (!real) real = (int (*)(SDL_Window*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
    long long t = now_ns();
    slow_down();
    int rc = real(w);
    stamp(t, w);
    return rc;
}

int SDL_UpdateWindowSurfaceRects(SDL_Window* w, const SDL_Rect* rects, int n) {
    static int (*real)(SDL_Window*, const SDL_Rect*, int);
    if (!real) real = (int (*)(SDL_Window*, const SDL_Rect*, int))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects");
    long long t = now_ns();
    slow_down();
    int rc = real(w, rects, n);
    stamp(t, w);
    return rc;
}
