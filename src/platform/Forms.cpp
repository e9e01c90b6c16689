#include "platform/Forms.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/Screen.h"
#include "platform/Video.h"

namespace gorb {

namespace {

struct ToolkitState {
    std::vector<Form*> forms;
    Form* main = nullptr;  // the last screen form shown or loaded: gets the keyboard and the clicks
    WindowToScreenMapper mapper;
    bool modal = false;
    bool closePending = false;
    bool leftAlt = false, rightAlt = false;
    bool spaceTextDue = false;  // the text of the Space key just handled may still come
    Form* pressedForm = nullptr;
    Control* pressed = nullptr;
    bool hooked = false;
    int listener = 0, pumpHook = 0;
};
ToolkitState& T() {
    static ToolkitState t;
    return t;
}

bool Contains(const SDL_Rect& r, int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

bool IsLive(Form* f) { return std::find(T().forms.begin(), T().forms.end(), f) != T().forms.end(); }

Form* FormForWindow(uint32_t id) {
    if (id == 0) return nullptr;
    for (Form* f : T().forms)
        if (f->Kind() == FormKind::OwnWindow && f->WindowId() == id) return f;
    return nullptr;
}

// The form that takes typed characters: the main form whenever it is loaded (also while its
// load handler still runs the intro), else nothing.
Form* KeyboardForm() {
    Form* m = T().main;
    return (m && m->Loaded()) ? m : nullptr;
}

void CloseRequested() {
    if (T().modal) {
        T().closePending = true;
        return;
    }
    if (Form* m = KeyboardForm()) m->Unload();
}

// Decodes UTF-8 typed text into 16-bit character codes.
std::vector<Integer> CharacterCodes(const char* text) {
    std::vector<Integer> codes;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        char32_t cp;
        int extra;
        if (*p < 0x80) cp = *p, extra = 0;
        else if ((*p & 0xE0) == 0xC0) cp = *p & 0x1F, extra = 1;
        else if ((*p & 0xF0) == 0xE0) cp = *p & 0x0F, extra = 2;
        else if ((*p & 0xF8) == 0xF0) cp = *p & 0x07, extra = 3;
        else { ++p; continue; }
        ++p;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++p) {
            if ((*p & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (*p & 0x3F);
        }
        // Only the 16-bit range has character codes; the rest is not delivered.
        if (ok && cp <= 0xFFFF) codes.push_back(static_cast<Integer>(static_cast<uint16_t>(cp)));
    }
    return codes;
}

void HandleMouse(const SDL_MouseButtonEvent& b, bool down) {
    if (b.button != SDL_BUTTON_LEFT) return;
    Form* f = FormForWindow(b.windowID);
    int x = b.x, y = b.y;
    if (!f) {
        f = T().main;
        if (T().mapper && !T().mapper(x, y)) f = nullptr;
    }
    if (!f || !f->Visible()) {
        if (!down) T().pressed = nullptr;
        return;
    }
    Control* hit = f->ControlAt(x, y);
    if (down) {
        T().pressedForm = f;
        T().pressed = hit;
        return;
    }
    bool same = hit && T().pressed == hit && T().pressedForm == f;
    T().pressed = nullptr;
    T().pressedForm = nullptr;
    if (same) f->ClickAt(x, y);
}

void OnEvent(const SDL_Event& e) {
    auto& t = T();
    switch (e.type) {
        case SDL_QUIT: CloseRequested(); break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                // Closing the splash does nothing; closing the display unloads the main form.
                if (!FormForWindow(e.window.windowID)) CloseRequested();
            } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                if (Form* f = FormForWindow(e.window.windowID)) f->Refresh();
            } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                t.leftAlt = t.rightAlt = false;
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (!t.modal) HandleMouse(e.button, e.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_KEYUP:
            if (e.key.keysym.sym == SDLK_LALT) t.leftAlt = false;
            if (e.key.keysym.sym == SDLK_RALT) t.rightAlt = false;
            t.spaceTextDue = false;
            break;
        case SDL_KEYDOWN: {
            SDL_Keycode sym = e.key.keysym.sym;
            if (sym == SDLK_LALT) t.leftAlt = true;
            if (sym == SDLK_RALT) t.rightAlt = true;
            t.spaceTextDue = false;
            if (t.modal) break;
            Form* f = KeyboardForm();
            if (!f) break;
            // Space types its character from the key, whatever modifier is held (no text comes
            // while Ctrl, the fire key, is down), once per press: its text, when it comes, and
            // the key's repeats are the same press.
            if (sym == SDLK_SPACE) {
                t.spaceTextDue = true;
                if (!e.key.repeat) f->TypeCharacter(32);
                break;
            }
            if ((e.key.keysym.mod & KMOD_ALT) || t.leftAlt || t.rightAlt) {
                if (sym > 32 && sym < 127 && !e.key.repeat)
                    f->AccessKeyPressed(static_cast<char32_t>(std::tolower(static_cast<int>(sym))));
                break;
            }
            // Keys that type a character but send no text.
            if (sym == SDLK_ESCAPE) f->TypeCharacter(27);
            else if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) f->TypeCharacter(13);
            else if (sym == SDLK_BACKSPACE) f->TypeCharacter(8);
            break;
        }
        case SDL_TEXTINPUT: {
            const bool spaceKeyText = t.spaceTextDue && std::strcmp(e.text.text, " ") == 0;
            t.spaceTextDue = false;
            if (spaceKeyText || t.modal || t.leftAlt || t.rightAlt) break;
            for (Integer code : CharacterCodes(e.text.text)) {
                Form* f = KeyboardForm();
                if (!f) break;
                f->TypeCharacter(code);
            }
            break;
        }
        default: break;
    }
}

void OnPump() {
    auto& t = T();
    if (t.closePending && !t.modal) {
        t.closePending = false;
        if (Form* m = KeyboardForm()) m->Unload();
    }
    uint32_t now = GetTickCount();
    auto forms = t.forms;  // a timer may unload or destroy forms
    for (Form* f : forms) {
        if (!IsLive(f) || !f->Loaded()) continue;
        for (size_t i = 0; i < f->Timers().size(); ++i) {
            f->Timers()[i]->Tick(now);
            if (!IsLive(f)) break;
        }
    }
}

// The toolkit listens only while a form exists. With the last form gone, what it tracked of the
// input (Alt held, a button pressed, a close waiting) belongs to no one: the next form starts
// without it instead of inheriting, say, an Alt whose release nobody saw.
void HookUp() {
    auto& t = T();
    if (t.hooked) return;
    t.hooked = true;
    t.listener = AddEventListener(OnEvent);
    t.pumpHook = AddPumpHook(OnPump);
}

void Unhook() {
    auto& t = T();
    if (!t.hooked) return;
    RemoveEventListener(t.listener);
    RemovePumpHook(t.pumpHook);
    t.hooked = false;
    t.leftAlt = t.rightAlt = false;
    t.spaceTextDue = false;
    t.closePending = false;
    t.pressed = nullptr;
    t.pressedForm = nullptr;
}

Control* HitTest(const Container& c, int x, int y) {
    const auto& kids = c.Children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        Control* ch = it->get();
        if (!ch->Showing() || !Contains(ch->ScreenRect(), x, y)) continue;
        if (Frame* f = ch->AsFrame()) return f->Enabled() ? HitTest(*f, x, y) : nullptr;
        if (ch->TakesClicks()) return ch->Enabled() ? ch : nullptr;
        // Labels and pictures let clicks through to what lies beneath.
    }
    return nullptr;
}

Control* FindAccessKey(const Container& c, char32_t key) {
    for (const auto& ch : c.Children()) {
        if (Frame* f = ch->AsFrame()) {
            if (Control* in = FindAccessKey(*f, key)) return in;
            continue;
        }
        if (ch->TakesClicks() && ch->Usable() && ch->AccessKey() == key) return ch.get();
    }
    return nullptr;
}

CommandButton* FindCancel(const Container& c) {
    for (const auto& ch : c.Children()) {
        if (Frame* f = ch->AsFrame()) {
            if (CommandButton* in = FindCancel(*f)) return in;
            continue;
        }
        auto* b = dynamic_cast<CommandButton*>(ch.get());
        if (b && b->Cancel && b->Usable()) return b;
    }
    return nullptr;
}

}  // namespace

Form::Form(FormKind kind, int clientWidth, int clientHeight) : kind_(kind), width_(clientWidth), height_(clientHeight) {
    HookUp();
    T().forms.push_back(this);
}

Form::~Form() {
    auto& t = T();
    t.forms.erase(std::remove(t.forms.begin(), t.forms.end(), this), t.forms.end());
    if (t.main == this) t.main = nullptr;
    if (t.pressedForm == this) t.pressedForm = nullptr, t.pressed = nullptr;
    CloseWindow();
    if (t.forms.empty()) Unhook();
}

void Form::Show() {
    if (kind_ == FormKind::Screen) T().main = this;
    if (!loaded_) {
        loaded_ = true;
        if (OnLoad) OnLoad();
        if (!loaded_) return;  // the load handler unloaded it
    }
    visible_ = true;
    if (kind_ == FormKind::OwnWindow) OpenWindow();
    if (SDL_WasInit(SDL_INIT_VIDEO) && !SDL_IsTextInputActive()) SDL_StartTextInput();
    Refresh();
}

void Form::Unload() {
    if (!loaded_) return;
    Integer cancel = 0;
    if (OnUnload) OnUnload(cancel);
    if (cancel) return;
    loaded_ = false;
    visible_ = false;
    focus_ = nullptr;
    CloseWindow();
}

void Form::Refresh() { RepaintArea(SDL_Rect{0, 0, ClientWidth(), ClientHeight()}); }

void Form::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (window_) SDL_SetWindowTitle(window_, caption_.c_str());
}

void Form::SetBackColor(Rgb c) {
    back_ = c;
    Refresh();
}

int Form::ClientWidth() const {
    if (kind_ == FormKind::Screen)
        if (SDL_Surface* s = GetScreenSurface()) return s->w;
    return width_;
}

int Form::ClientHeight() const {
    if (kind_ == FormKind::Screen)
        if (SDL_Surface* s = GetScreenSurface()) return s->h;
    return height_;
}

OptionGroup& Form::AddOptionGroup() {
    groups_.push_back(std::make_unique<OptionGroup>());
    return *groups_.back();
}

Timer& Form::AddTimer() {
    timers_.push_back(std::make_unique<Timer>());
    timers_.back()->SetInterval(0);
    return *timers_.back();
}

SDL_Surface* Form::Canvas() const {
    if (kind_ == FormKind::Screen) return GetScreenSurface();
    return window_ ? SDL_GetWindowSurface(window_) : nullptr;
}

uint32_t Form::WindowId() const { return window_ ? SDL_GetWindowID(window_) : 0; }

void Form::RepaintArea(SDL_Rect area) {
    SDL_Surface* s = Canvas();
    if (!visible_ || !s) return;
    SDL_Rect client{0, 0, ClientWidth(), ClientHeight()}, clip;
    if (!Intersect(area, client, &clip)) return;
    FillRect(s, clip, back_, clip);
    for (const auto& ch : Children()) {
        if (!ch->Showing()) continue;
        SDL_Rect part;
        if (Intersect(ch->ScreenRect(), clip, &part)) ch->Paint(s, part);
    }
    Present(clip);
}

void Form::Present(const SDL_Rect& area) {
    if (kind_ == FormKind::Screen) MarkScreenChanged(area);
    else if (window_) SDL_UpdateWindowSurface(window_);
}

void Form::OpenWindow() {
    if (window_) return;
    if (!StartVideo()) return;
    window_ = SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width_, height_,
                               SDL_WINDOW_SHOWN);
}

void Form::CloseWindow() {
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
}

void Form::SetFocusInternal(Control* c) {
    Control* old = focus_;
    if (old == c) return;
    focus_ = c;
    if (old && old->Showing()) RepaintArea(old->ScreenRect());
    if (c && c->Showing()) RepaintArea(c->ScreenRect());
}

void Form::DropFocusIfUnusable() {
    if (focus_ && !focus_->Usable()) {
        Control* old = focus_;
        focus_ = nullptr;
        if (old->Showing()) RepaintArea(old->ScreenRect());
    }
}

void Form::TypeCharacter(Integer keyAscii) {
    Integer k = keyAscii;
    if (OnKeyPress) OnKeyPress(k);
    if (k == 0 || !IsLive(this) || !loaded_) return;
    if (k == 27) {
        if (CommandButton* b = FindCancel(*this)) b->Click();
        return;
    }
    if ((k == 13 || k == 32) && focus_ && focus_->Usable()) focus_->KeyAction(k);
}

bool Form::AccessKeyPressed(char32_t key) {
    Control* c = FindAccessKey(*this, key);
    if (!c) return false;
    c->SetFocus();
    c->PlayerClick();
    return true;
}

Control* Form::ControlAt(int x, int y) const { return HitTest(*this, x, y); }

void Form::ClickAt(int x, int y) {
    if (!visible_) return;
    Control* c = ControlAt(x, y);
    if (!c) return;
    c->SetFocus();
    c->PlayerClick();
}

void SetWindowToScreenMapper(WindowToScreenMapper mapper) { T().mapper = std::move(mapper); }

bool MapWindowToScreen(int& x, int& y) { return T().mapper ? T().mapper(x, y) : true; }

void SetModalActive(bool modal) { T().modal = modal; }
bool CloseIsPending() { return T().closePending; }

}  // namespace gorb
