#include "platform/Controls.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/Clock.h"
#include "platform/Forms.h"
#include "platform/PlatformError.h"
#include "platform/Surface.h"

namespace gorb {

namespace {

SDL_Rect Union(const SDL_Rect& a, const SDL_Rect& b) {
    if (a.w <= 0 || a.h <= 0) return b;
    if (b.w <= 0 || b.h <= 0) return a;
    int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return {x0, y0, x1 - x0, y1 - y0};
}

// A dotted rectangle, the focus mark.
void DrawFocusRect(SDL_Surface* s, const SDL_Rect& r, Rgb c, const SDL_Rect& clip) {
    for (int x = r.x; x < r.x + r.w; x += 2) {
        PutPixel(s, x, r.y, c, clip);
        PutPixel(s, x, r.y + r.h - 1, c, clip);
    }
    for (int y = r.y; y < r.y + r.h; y += 2) {
        PutPixel(s, r.x, y, c, clip);
        PutPixel(s, r.x + r.w - 1, y, c, clip);
    }
}

// The two-pixel sunken edge of option circles' and check boxes' wells.
void DrawSunkenBox(SDL_Surface* s, const SDL_Rect& r, const SDL_Rect& clip) {
    FillRect(s, r, kButtonHighlight, clip);
    int x1 = r.x + r.w - 1, y1 = r.y + r.h - 1;
    DrawHLine(s, r.x, x1, r.y, kButtonShadow, clip);
    DrawVLine(s, r.x, r.y, y1, kButtonShadow, clip);
    DrawHLine(s, r.x + 1, x1 - 1, r.y + 1, kWindowText, clip);
    DrawVLine(s, r.x + 1, r.y + 1, y1 - 1, kWindowText, clip);
    DrawHLine(s, r.x + 1, x1 - 1, y1 - 1, kButtonFace, clip);
    DrawVLine(s, x1 - 1, r.y + 1, y1 - 1, kButtonFace, clip);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Container and Control

Container::~Container() = default;

Control::Control(Container& parent) : parent_(parent) {}

SDL_Rect Control::ScreenRect() const {
    SDL_Point o = parent_.Origin();
    return {o.x + rect_.x, o.y + rect_.y, rect_.w, rect_.h};
}

bool Control::Usable() const {
    if (!Showing() || !enabled_) return false;
    for (Container* c = &parent_; c;) {
        auto* f = dynamic_cast<Frame*>(c);
        if (!f) break;
        if (!f->Enabled()) return false;
        c = &f->Parent();
    }
    return true;
}

void Control::RepaintArea(SDL_Rect screen) { OwnerForm().RepaintArea(screen); }

void Control::Repaint() {
    if (Showing()) RepaintArea(ScreenRect());
}

void Control::Move(Long left, Long top) { Move(left, top, rect_.w, rect_.h); }

void Control::Move(Long left, Long top, Long width, Long height) {
    if (width < 0 || height < 0) throw PlatformError(380, "Invalid property value", "Move");
    SDL_Rect before = ScreenRect();
    rect_ = {left, top, width, height};
    if (Showing()) RepaintArea(Union(before, ScreenRect()));
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    bool wasShowing = Showing();
    visible_ = v;
    OwnerForm().DropFocusIfUnusable();
    if (wasShowing || Showing()) RepaintArea(ScreenRect());
}

void Control::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    OwnerForm().DropFocusIfUnusable();
    Repaint();
}

void Control::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Repaint();
}

void Control::SetFont(FontSpec f) {
    font_ = std::move(f);
    Repaint();
}

void Control::SetForeColor(Rgb c) {
    fore_ = c;
    Repaint();
}

void Control::SetBackColor(Rgb c) {
    back_ = c;
    Repaint();
}

bool Control::SetFocus() {
    if (!TakesFocus() || !Usable()) return false;
    OwnerForm().SetFocusInternal(this);
    return true;
}

bool Control::HasFocus() const { return OwnerForm().ActiveControl() == this; }

char32_t Control::AccessKey() const { return ParseAccessKey(caption_).Key; }

void Control::Paint(SDL_Surface*, const SDL_Rect&) {}

void Control::DrawCaption(SDL_Surface* s, const SDL_Rect& box, const SDL_Rect& clip, Align align,
                          bool vcenter, Rgb color) const {
    DrawCaptionText(s, box, clip, caption_, font_, align, vcenter, color);
}

void DrawCaptionText(SDL_Surface* s, const SDL_Rect& box, const SDL_Rect& clip, std::string_view caption,
                     const FontSpec& font, TextAlign align, bool vcenter, Rgb color) {
    SDL_Rect area;
    if (!Intersect(box, clip, &area)) return;
    AccessKeyText t = ParseAccessKey(caption);
    if (t.Text.empty()) return;
    FontMetrics m = GetFontMetrics(font);
    auto lines = WrapText(font, t.Text, box.w);
    int total = static_cast<int>(lines.size()) * m.Height;
    int y = vcenter ? box.y + (box.h - total) / 2 : box.y;
    for (const TextLine& line : lines) {
        std::string_view text = std::string_view(t.Text).substr(line.Start, line.Length);
        int w = TextWidth(font, text);
        int x = align == TextAlign::Left ? box.x : align == TextAlign::Right ? box.x + box.w - w : box.x + (box.w - w) / 2;
        DrawText(s, font, text, x, y, color, area);
        if (t.UnderlineAt >= static_cast<int>(line.Start) &&
            t.UnderlineAt < static_cast<int>(line.Start + line.Length)) {
            size_t at = static_cast<size_t>(t.UnderlineAt);
            size_t next = at + 1;
            while (next < t.Text.size() && (static_cast<unsigned char>(t.Text[next]) & 0xC0) == 0x80) ++next;
            int x0 = x + TextWidth(font, std::string_view(t.Text).substr(line.Start, at - line.Start));
            int x1 = x + TextWidth(font, std::string_view(t.Text).substr(line.Start, next - line.Start)) - 1;
            DrawHLine(s, x0, std::max(x0, x1), y + m.Ascent + 1, color, area);
        }
        y += m.Height;
    }
}

SDL_Rect ButtonCaptionArea(const SDL_Rect& r, bool focused) {
    const int inset = focused ? 4 : 3;
    return {r.x + inset, r.y + inset, r.w - 2 * inset, r.h - 2 * inset};
}

void DrawButton(SDL_Surface* s, const SDL_Rect& r, std::string_view caption, const FontSpec& font, Rgb fore,
                Rgb back, bool focused, bool enabled, const SDL_Rect& clip) {
    SDL_Rect c;
    if (!Intersect(r, clip, &c) || r.w < 4 || r.h < 4) return;
    FillRect(s, r, back, c);
    SDL_Rect edge = r;
    if (focused) {  // the default-button frame
        DrawHLine(s, r.x, r.x + r.w - 1, r.y, kWindowText, c);
        DrawHLine(s, r.x, r.x + r.w - 1, r.y + r.h - 1, kWindowText, c);
        DrawVLine(s, r.x, r.y, r.y + r.h - 1, kWindowText, c);
        DrawVLine(s, r.x + r.w - 1, r.y, r.y + r.h - 1, kWindowText, c);
        edge = {r.x + 1, r.y + 1, r.w - 2, r.h - 2};
    }
    int x1 = edge.x + edge.w - 1, y1 = edge.y + edge.h - 1;
    DrawHLine(s, edge.x, x1, edge.y, kButtonHighlight, c);
    DrawVLine(s, edge.x, edge.y, y1, kButtonHighlight, c);
    DrawHLine(s, edge.x, x1, y1, kWindowText, c);
    DrawVLine(s, x1, edge.y, y1, kWindowText, c);
    DrawHLine(s, edge.x + 1, x1 - 1, y1 - 1, kButtonShadow, c);
    DrawVLine(s, x1 - 1, edge.y + 1, y1 - 1, kButtonShadow, c);
    SDL_Rect inner = ButtonCaptionArea(r, focused);
    DrawCaptionText(s, inner, c, caption, font, TextAlign::Center, true, enabled ? fore : kGrayText);
    if (focused) DrawFocusRect(s, inner, kWindowText, c);
}

bool CaptionFits(const Control& c, const FontSpec& font, int maxLines) {
    SDL_Rect area = c.CaptionArea();
    return TextFits(font, ParseAccessKey(c.Caption()).Text, area.w, area.h, maxLines);
}

FontSpec FitCaptionFont(const FontSpec& nominal, std::span<const CaptionSlot> slots) {
    constexpr int kSmallestPixels = 6;
    FontSpec font = nominal;
    for (int px = FontPixelSize(nominal); px >= kSmallestPixels; --px) {
        font.Size = px == FontPixelSize(nominal) ? nominal.Size : px * 72.0 / 96.0;
        bool all = true;
        for (const CaptionSlot& slot : slots) all = all && CaptionFits(*slot.control, font, slot.maxLines);
        if (all) break;
    }
    return font;
}

// ---------------------------------------------------------------------------------------------
// Command button

void CommandButton::Click() {
    if (OnClick) OnClick();
}

void CommandButton::KeyAction(Integer key) {
    if (key == 13 || key == 32) Click();
}

void CommandButton::Paint(SDL_Surface* s, const SDL_Rect& clip) {
    DrawButton(s, ScreenRect(), caption_, font_, fore_, back_, HasFocus(), enabled_, clip);
}

// ---------------------------------------------------------------------------------------------
// Option buttons and groups

bool OptionButton::Value() const { return group_ && group_->Value(index_); }

void OptionButton::PlayerClick() {
    if (group_) group_->Select(index_);
}

void OptionButton::KeyAction(Integer key) {
    if (key == 32) PlayerClick();
}

namespace {
constexpr int kOptionCircle = 12;
constexpr int kCheckWell = 13;
}  // namespace

SDL_Rect OptionButton::CaptionArea() const {
    SDL_Rect r = ScreenRect();
    return {r.x + kOptionCircle + 5, r.y, r.w - kOptionCircle - 5, r.h};
}

void OptionButton::Paint(SDL_Surface* s, const SDL_Rect& clip) {
    SDL_Rect r = ScreenRect(), c;
    if (!Intersect(r, clip, &c)) return;
    FillRect(s, r, back_, c);
    const int d = kOptionCircle;
    int cx = r.x + 1, cy = r.y + (r.h - d) / 2;
    // A ring: dark upper-left, light lower-right, white inside, black dot when selected.
    for (int j = 0; j < d; ++j)
        for (int i = 0; i < d; ++i) {
            double dx = i - (d - 1) / 2.0, dy = j - (d - 1) / 2.0;
            double dist = std::sqrt(dx * dx + dy * dy);
            if (dist > d / 2.0) continue;
            Rgb col = kButtonHighlight;
            if (dist > d / 2.0 - 1.5) col = (dx + dy < 0) ? kButtonShadow : kButtonHighlight;
            else if (dist > d / 2.0 - 2.5) col = (dx + dy < 0) ? kWindowText : kButtonFace;
            if (Value() && dist <= 2.3) col = enabled_ ? kWindowText : kButtonShadow;
            PutPixel(s, cx + i, cy + j, col, c);
        }
    SDL_Rect text = CaptionArea();
    DrawCaption(s, text, c, Align::Left, true, enabled_ ? fore_ : kGrayText);
    if (HasFocus()) DrawFocusRect(s, SDL_Rect{text.x - 2, r.y + 1, text.w + 2, r.h - 2}, kWindowText, c);
}

OptionButton& OptionGroup::Add(Container& where) {
    OptionButton& b = where.Add<OptionButton>();
    b.group_ = this;
    b.index_ = Count();
    buttons_.push_back(&b);
    return b;
}

OptionButton& OptionGroup::operator[](Integer i) const {
    if (i < 0 || i >= Count()) throw PlatformError(err::SubscriptOutOfRange, "Subscript out of range", "OptionGroup");
    return *buttons_[static_cast<size_t>(i)];
}

void OptionGroup::Select(Integer i) {
    if (i < 0 || i >= Count()) throw PlatformError(err::SubscriptOutOfRange, "Subscript out of range", "OptionGroup");
    Integer before = selected_;
    selected_ = i;
    if (before != i && before >= 0) buttons_[static_cast<size_t>(before)]->Repaint();
    buttons_[static_cast<size_t>(i)]->Repaint();
    if (OnClick) OnClick(i);
}

// ---------------------------------------------------------------------------------------------
// Check box

void CheckBox::SetValue(Integer v) {
    if (v != 0 && v != 1) throw PlatformError(380, "Invalid property value", "CheckBox");
    if (v == value_) return;
    value_ = v;
    Repaint();
    if (OnClick) OnClick();
}

void CheckBox::KeyAction(Integer key) {
    if (key == 32) PlayerClick();
}

SDL_Rect CheckBox::CaptionArea() const {
    SDL_Rect r = ScreenRect();
    return {r.x + kCheckWell + 6, r.y, r.w - kCheckWell - 6, r.h};
}

void CheckBox::Paint(SDL_Surface* s, const SDL_Rect& clip) {
    SDL_Rect r = ScreenRect(), c;
    if (!Intersect(r, clip, &c)) return;
    FillRect(s, r, back_, c);
    const int d = kCheckWell;
    SDL_Rect box{r.x + 1, r.y + (r.h - d) / 2, d, d};
    DrawSunkenBox(s, box, c);
    if (value_) {
        Rgb tick = enabled_ ? kWindowText : kButtonShadow;
        // A tick: down-right for three columns, then up-right.
        for (int k = 0; k < 7; ++k) {
            int x = box.x + 3 + k;
            int y = k < 3 ? box.y + 5 + k : box.y + 7 - (k - 2);
            DrawVLine(s, x, y, y + 2, tick, c);
        }
    }
    SDL_Rect text = CaptionArea();
    DrawCaption(s, text, c, Align::Left, true, enabled_ ? fore_ : kGrayText);
    if (HasFocus()) DrawFocusRect(s, SDL_Rect{text.x - 2, r.y + 1, text.w + 2, r.h - 2}, kWindowText, c);
}

// ---------------------------------------------------------------------------------------------
// Frame

Frame::Frame(Container& parent) : Control(parent) {}

SDL_Point Frame::Origin() const {
    SDL_Rect r = ScreenRect();
    return {r.x, r.y};
}

SDL_Rect Frame::CaptionArea() const {
    SDL_Rect r = ScreenRect();
    return {r.x + 9, r.y, std::max(0, r.w - 16), r.h};
}

void Frame::Paint(SDL_Surface* s, const SDL_Rect& clip) {
    SDL_Rect r = ScreenRect(), c;
    if (!Intersect(r, clip, &c)) return;
    FillRect(s, r, back_, c);
    // An etched border with the caption set into its top edge.
    FontMetrics m = GetFontMetrics(font_);
    int top = r.y + m.Height / 2;
    int x1 = r.x + r.w - 1, y1 = r.y + r.h - 1;
    DrawHLine(s, r.x, x1 - 1, top, kButtonShadow, c);
    DrawVLine(s, r.x, top, y1 - 1, kButtonShadow, c);
    DrawHLine(s, r.x, x1, y1 - 1, kButtonShadow, c);
    DrawVLine(s, x1 - 1, top, y1, kButtonShadow, c);
    DrawHLine(s, r.x + 1, x1 - 2, top + 1, kButtonHighlight, c);
    DrawVLine(s, r.x + 1, top + 1, y1 - 2, kButtonHighlight, c);
    DrawHLine(s, r.x, x1, y1, kButtonHighlight, c);
    DrawVLine(s, x1, top, y1, kButtonHighlight, c);
    std::string shown = ParseAccessKey(caption_).Text;
    if (!shown.empty()) {
        int w = TextWidth(font_, shown) + 4;
        SDL_Rect cap{r.x + 7, r.y, std::min(w, std::max(0, r.w - 14)), m.Height};
        FillRect(s, cap, back_, c);
        DrawCaption(s, SDL_Rect{cap.x + 2, cap.y, std::max(0, cap.w - 2), cap.h}, c, Align::Left, false,
                    enabled_ ? fore_ : kGrayText);
    }
    for (const auto& child : Children())
        if (child->Showing()) child->Paint(s, c);
}

// ---------------------------------------------------------------------------------------------
// Label

void Label::SetAlignment(Alignment a) {
    align_ = a;
    Repaint();
}

void Label::Paint(SDL_Surface* s, const SDL_Rect& clip) {
    SDL_Rect r = ScreenRect();
    Align a = align_ == Alignment::Left ? Align::Left : align_ == Alignment::Right ? Align::Right : Align::Center;
    DrawCaption(s, r, clip, a, false, enabled_ ? fore_ : kGrayText);
}

// ---------------------------------------------------------------------------------------------
// Picture

void PictureBox::SetPicture(const SDL_Surface* image) {
    image_.reset();
    converted_.reset();
    if (image) {
        SDL_Surface* copy = SDL_ConvertSurface(const_cast<SDL_Surface*>(image), image->format, 0);
        if (!copy) throw PlatformError(err::OutOfMemory, SDL_GetError(), "SetPicture");
        image_.reset(copy);
    }
    Repaint();
}

void PictureBox::Paint(SDL_Surface* s, const SDL_Rect& clip) {
    if (!image_) return;
    SDL_Rect r = ScreenRect(), c;
    SDL_Rect shown{r.x, r.y, std::min(r.w, image_->w), std::min(r.h, image_->h)};
    if (!Intersect(shown, clip, &c)) return;
    SDL_Rect whole{0, 0, s->w, s->h};
    if (!Intersect(c, whole, &c)) return;
    if (!converted_ || convertedFormat_ != s->format->format) {
        SDL_Surface* conv = nullptr;
        if (s->format->BytesPerPixel == 1) {
            // 8-bit displays use the game palette, dithered as the game's own pictures are; the
            // key only for the exact key colour.
            std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> rgb(
                SDL_ConvertSurfaceFormat(image_.get(), SDL_PIXELFORMAT_RGB888, 0), SDL_FreeSurface);
            conv = rgb ? SDL_CreateRGBSurfaceWithFormat(0, image_->w, image_->h, 8, SDL_PIXELFORMAT_INDEX8) : nullptr;
            if (conv) {
                std::vector<uint8_t> mapped = DitherToGamePalette(rgb.get());
                for (int y = 0; y < image_->h; ++y)
                    std::memcpy(static_cast<uint8_t*>(conv->pixels) + y * conv->pitch, &mapped[size_t(y) * size_t(image_->w)],
                                size_t(image_->w));
            }
        } else {
            conv = SDL_ConvertSurface(image_.get(), s->format, 0);
        }
        if (!conv) return;
        converted_.reset(conv);
        convertedFormat_ = s->format->format;
    }
    // Same pixel format on both sides: copy rows.
    const int bpp = s->format->BytesPerPixel;
    bool lock = SDL_MUSTLOCK(s);
    if (lock) SDL_LockSurface(s);
    for (int y = c.y; y < c.y + c.h; ++y) {
        const auto* src = static_cast<const uint8_t*>(converted_->pixels) + (y - r.y) * converted_->pitch + (c.x - r.x) * bpp;
        auto* dst = static_cast<uint8_t*>(s->pixels) + y * s->pitch + c.x * bpp;
        std::memcpy(dst, src, static_cast<size_t>(c.w) * bpp);
    }
    if (lock) SDL_UnlockSurface(s);
}

// ---------------------------------------------------------------------------------------------
// Timer

void Timer::SetEnabled(bool e) {
    if (e && !enabled_) last_ = GetTickCount();
    enabled_ = e;
}

void Timer::SetInterval(Long ms) {
    if (ms < 0 || ms > 65535) throw PlatformError(380, "Invalid property value", "Timer");
    interval_ = ms;
    last_ = GetTickCount();
}

void Timer::Tick(uint32_t now) {
    if (!enabled_ || interval_ <= 0) return;
    if (static_cast<int64_t>(static_cast<uint32_t>(now - last_)) >= interval_) {
        last_ = now;
        if (OnTimer) OnTimer();
    }
}

}  // namespace gorb
