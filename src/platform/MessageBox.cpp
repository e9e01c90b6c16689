#include "platform/MessageBox.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Display.h"
#include "platform/Forms.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"
#include "platform/X11Focus.h"

namespace gorb {

namespace {

MessageBoxHandler g_handler;
MessageBoxInfo g_info;
bool g_active = false;

const FontSpec kBoxFont{"MS Sans Serif", 8.25, false};
constexpr int kMargin = 16, kOkW = 75, kOkH = 23;

// Everything the box changes, undone in one place, also when the pump throws.
struct ModalScope {
    SDL_Surface* surface = nullptr;  // the screen surface the box covers, or null
    SDL_Rect saved{};
    std::vector<uint8_t> pixels;
    SDL_Window* window = nullptr;
    int listener = 0;

    ~ModalScope() {
        if (listener) RemoveEventListener(listener);
        SetModalActive(false);
        g_active = false;
        // The surface may have gone with a display change while the box was up.
        if (surface && surface == GetScreenSurface() && !pixels.empty()) {
            const int bpp = surface->format->BytesPerPixel;
            if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
            for (int y = 0; y < saved.h; ++y)
                std::memcpy(static_cast<uint8_t*>(surface->pixels) + (saved.y + y) * surface->pitch + saved.x * bpp,
                            pixels.data() + static_cast<size_t>(y) * saved.w * bpp, static_cast<size_t>(saved.w) * bpp);
            if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
            MarkScreenChanged(saved);
        }
        if (window) SDL_DestroyWindow(window);
    }
};

void Save(ModalScope& m, SDL_Surface* s, const SDL_Rect& r) {
    m.surface = s;
    m.saved = r;
    const int bpp = s->format->BytesPerPixel;
    m.pixels.resize(static_cast<size_t>(r.w) * r.h * bpp);
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    for (int y = 0; y < r.h; ++y)
        std::memcpy(m.pixels.data() + static_cast<size_t>(y) * r.w * bpp,
                    static_cast<const uint8_t*>(s->pixels) + (r.y + y) * s->pitch + r.x * bpp, static_cast<size_t>(r.w) * bpp);
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
}

void DrawBox(SDL_Surface* s, const SDL_Rect& box, const std::string& text, const std::vector<TextLine>& lines) {
    const SDL_Rect clip = box;
    FillRect(s, box, kButtonFace, clip);
    int x1 = box.x + box.w - 1, y1 = box.y + box.h - 1;
    DrawHLine(s, box.x, x1, box.y, kButtonFace, clip);
    DrawVLine(s, box.x, box.y, y1, kButtonFace, clip);
    DrawHLine(s, box.x + 1, x1 - 1, box.y + 1, kButtonHighlight, clip);
    DrawVLine(s, box.x + 1, box.y + 1, y1 - 1, kButtonHighlight, clip);
    DrawHLine(s, box.x, x1, y1, kWindowText, clip);
    DrawVLine(s, x1, box.y, y1, kWindowText, clip);
    DrawHLine(s, box.x + 1, x1 - 1, y1 - 1, kButtonShadow, clip);
    DrawVLine(s, x1 - 1, box.y + 1, y1 - 1, kButtonShadow, clip);
    FontMetrics m = GetFontMetrics(kBoxFont);
    int y = box.y + kMargin;
    for (const TextLine& l : lines) {
        DrawText(s, kBoxFont, std::string_view(text).substr(l.Start, l.Length), box.x + kMargin, y, kWindowText, clip);
        y += m.Height;
    }
    DrawButton(s, g_info.OkButton, "OK", kBoxFont, kWindowText, kButtonFace, true, true, clip);
}

bool InRect(const SDL_Rect& r, int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

UnshownMessageSink g_unshown;

// A message that no box could show: on stderr, and to whoever keeps a record of it.
void Unshown(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    if (g_unshown) g_unshown(text);
}

// The windowing system's own box through SDL: it needs nothing SDL draws with, so it still
// works on a desktop SDL cannot draw on. Never on the headless drivers.
bool SystemBox(const std::string& text) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0) return false;
    // That box neither wraps the text nor knows a palette: lines are broken here, and the colours
    // are chosen so that their low byte, all a palette display keeps of them, names its black
    // (0) and white (1).
    std::string wrapped;
    size_t column = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') column = 0;
        else if (c == ' ' && column >= 60) {
            wrapped += '\n';
            column = 0;
            continue;
        } else ++column;
        wrapped += c;
    }
    const SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0,
                                      "OK"};
    const SDL_MessageBoxColor paper{255, 255, 1}, ink{0, 0, 0};
    const SDL_MessageBoxColorScheme colours{{paper, ink, ink, paper, ink}};
    const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, nullptr, "Gorbulant", wrapped.c_str(), 1, &ok, &colours};
    int pressed = 0;
    // Without a window manager nothing would give that box the keyboard: Enter must answer it.
    std::optional<FocusNextMappedWindow> focus;
    if (std::strcmp(driver, "x11") == 0) focus.emplace();
    return SDL_ShowMessageBox(&box, &pressed) == 0;
}

// The box's lines and size: the text wraps to at most most of the screen's width, and the box
// fits the text.
struct BoxLayout {
    std::vector<TextLine> Lines;
    int W = 0, H = 0;
};

BoxLayout LayOut(const std::string& text, int areaW, int areaH) {
    BoxLayout l;
    const int maxText = std::max(100, std::min(areaW, 640) - 2 * kMargin - 40);
    l.Lines = WrapText(kBoxFont, text, maxText);
    int textW = 0;
    for (const TextLine& line : l.Lines)
        textW = std::max(textW, TextWidth(kBoxFont, std::string_view(text).substr(line.Start, line.Length)));
    const FontMetrics m = GetFontMetrics(kBoxFont);
    l.W = std::min(areaW, std::max({textW + 2 * kMargin, kOkW + 2 * kMargin, 200}));
    l.H = std::min(areaH, kMargin + static_cast<int>(l.Lines.size()) * m.Height + 14 + kOkH + 12);
    return l;
}

// A small window of the box's own, on top of everything (the display's window, which may still
// show the last picture, is always on top too) and raised so that it has the keyboard. Null when
// SDL cannot draw there (a palette desktop).
SDL_Surface* OwnWindow(ModalScope& scope, int w, int h) {
    scope.window = SDL_CreateWindow("Gorbulant", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                                    SDL_WINDOW_SHOWN | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR);
    SDL_Surface* canvas = scope.window ? SDL_GetWindowSurface(scope.window) : nullptr;
    if (!canvas) {
        if (scope.window) SDL_DestroyWindow(scope.window);
        scope.window = nullptr;
        return nullptr;
    }
    SDL_RaiseWindow(scope.window);
    return canvas;
}

// Whether the box has been answered, and whether a press on OK waits for its release.
struct Answer {
    bool Done = false;
    bool Armed = false;
};

// Enter, Space or Esc, or a click on OK (pressed and released on it), answer the box; an exposed
// window of its own is drawn again. The pump calls a copy of the listener, so what it keeps
// lives in the caller's answer.
int ListenForAnswer(const ModalScope& scope, SDL_Surface* canvas, const std::string& text,
                    const std::vector<TextLine>& lines, Answer& answer) {
    return AddEventListener([&scope, canvas, &text, &lines, &answer](const SDL_Event& e) {
        bool& done = answer.Done;
        bool& armed = answer.Armed;
        switch (e.type) {
            case SDL_KEYDOWN:
                if (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER ||
                    e.key.keysym.sym == SDLK_ESCAPE || e.key.keysym.sym == SDLK_SPACE)
                    done = true;
                break;
            case SDL_TEXTINPUT:
                if (e.text.text[0] == ' ' && e.text.text[1] == 0) done = true;
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                if (e.button.button != SDL_BUTTON_LEFT) break;
                int x = e.button.x, y = e.button.y;
                bool own = g_info.WindowId != 0 && e.button.windowID == g_info.WindowId;
                if (!own && (g_info.WindowId != 0 || !MapWindowToScreen(x, y))) break;
                bool on = InRect(g_info.OkButton, x, y);
                if (e.type == SDL_MOUSEBUTTONDOWN) armed = on;
                else if (armed && on) done = true;
                else armed = false;
                break;
            }
            case SDL_WINDOWEVENT:
                if (scope.window && e.window.windowID == g_info.WindowId && e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    DrawBox(canvas, g_info.Box, text, lines);
                    SDL_UpdateWindowSurface(scope.window);
                }
                break;
            default: break;
        }
    });
}

// Pumps messages until the box is answered. A headless run whose script never answers fails
// instead of hanging.
void WaitForAnswer(const Answer& answer, const std::string& text) {
    const uint32_t start = GetTickCount();
    while (true) {
        PumpMessages();
        // A program asked to close does not wait for a player who may not be there: the close
        // answers the box, and the unload follows when the box is gone.
        if (answer.Done || CloseIsPending()) break;
        if (IsVirtualClock() && GetTickCount() - start > 10u * 60u * 1000u)
            throw PlatformError(err::Generic, "Nobody answered the message box: " + text, "MsgBox");
        WaitUntilPast(TickPlus(GetTickCount(), 10));
    }
}

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) { g_handler = std::move(handler); }
void SetUnshownMessageSink(UnshownMessageSink sink) { g_unshown = std::move(sink); }

const MessageBoxInfo* ActiveMessageBox() { return g_active ? &g_info : nullptr; }

void MsgBox(const std::string& text) {
    if (g_handler) {
        g_handler(text);
        return;
    }
    if (g_active) throw PlatformError(err::InvalidProcedureCall, "A message box is already up", "MsgBox");

    ModalScope scope;
    SDL_Surface* screen = GetScreenSurface();
    const int areaW = screen ? screen->w : 640;
    const int areaH = screen ? screen->h : 480;
    const BoxLayout layout = LayOut(text, areaW, areaH);
    const int w = layout.W, h = layout.H;

    // Where the box shows: over the screen surface; with no display yet, or one given back before
    // the message, in a window of its own; where SDL cannot draw that, in the system's box; with
    // no display at all, or when even the system's box fails, on stderr and in the unshown sink.
    SDL_Surface* canvas = screen;
    SDL_Rect box{(areaW - w) / 2, (areaH - h) / 2, w, h};
    if (screen) {
        Save(scope, screen, box);
    } else {
        const bool display = DisplayAvailable();
        canvas = display ? OwnWindow(scope, w, h) : nullptr;
        if (!canvas) {
            if (!display || !SystemBox(text)) Unshown(text);
            return;
        }
        box = {0, 0, w, h};
    }

    g_info = MessageBoxInfo{};
    g_info.Text = text;
    g_info.Box = box;
    g_info.OkButton = {box.x + (box.w - kOkW) / 2, box.y + box.h - 12 - kOkH, kOkW, kOkH};
    g_info.WindowId = scope.window ? SDL_GetWindowID(scope.window) : 0;
    DrawBox(canvas, box, text, layout.Lines);
    if (scope.window) SDL_UpdateWindowSurface(scope.window);
    else MarkScreenChanged(box);

    Answer answer;
    SetModalActive(true);
    g_active = true;
    scope.listener = ListenForAnswer(scope, canvas, text, layout.Lines, answer);
    WaitForAnswer(answer, text);
}

}  // namespace gorb
