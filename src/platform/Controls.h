#pragma once
// The controls of our small forms toolkit: command buttons, option buttons in indexed groups,
// check boxes, frames that hold other controls, labels, pictures and timers. Positions are in
// pixels relative to the container (the form's client area or a frame). Every property change
// repaints what it touched at once: controls paint straight into the form's surface (the
// primary surface for the main form), and a hidden control's area gets the form's background
// colour back, with whatever visible controls lie beneath it.
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Arithmetic.h"
#include "platform/Text.h"

namespace gorb {

class Form;
class Frame;
class Control;
class OptionGroup;

// Windows' classic control colours, the defaults of every control.
constexpr Rgb kButtonFace{192, 192, 192};
constexpr Rgb kButtonShadow{128, 128, 128};
constexpr Rgb kButtonHighlight{255, 255, 255};
constexpr Rgb kWindowText{0, 0, 0};
constexpr Rgb kGrayText{128, 128, 128};

enum class TextAlign { Left, Center, Right };
// Draws a caption (access key underlined, "&&" as "&") wrapped inside box, only within clip.
void DrawCaptionText(SDL_Surface* s, const SDL_Rect& box, const SDL_Rect& clip, std::string_view caption,
                     const FontSpec& font, TextAlign align, bool vcenter, Rgb color);
// The box a push button's caption is drawn in: inside the raised edge, and inside the default
// frame too when the button has the focus.
SDL_Rect ButtonCaptionArea(const SDL_Rect& button, bool focused);
// A raised push button with its caption centred; focused adds the default frame and focus mark.
void DrawButton(SDL_Surface* s, const SDL_Rect& r, std::string_view caption, const FontSpec& font, Rgb fore,
                Rgb back, bool focused, bool enabled, const SDL_Rect& clip);

// A control whose caption must fit, and on how many lines at most.
struct CaptionSlot {
    Control* control;
    int maxLines;
};
// Whether the control's caption fits its caption area in the font, on at most maxLines lines.
bool CaptionFits(const Control& c, const FontSpec& font, int maxLines);
// The font the controls should share: the nominal one, or the largest smaller pixel size in which
// every caption fits (the smallest tried when even that is too wide).
FontSpec FitCaptionFont(const FontSpec& nominal, std::span<const CaptionSlot> slots);

// Something that holds controls: a form or a frame. Owns them; addresses stay valid.
class Container {
public:
    virtual ~Container();
    Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    template <class T>
    T& Add() {
        auto c = std::unique_ptr<T>(new T(*this));
        T& ref = *c;
        children_.push_back(std::move(c));
        return ref;
    }
    const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }

    virtual Form& OwnerForm() = 0;
    // Top-left of the container's client area on the form's surface.
    virtual SDL_Point Origin() const = 0;
    // The container and everything above it are shown.
    virtual bool Showing() const = 0;

private:
    std::vector<std::unique_ptr<Control>> children_;
};

class Control {
public:
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    std::string Name;  // for logs and tests only

    Long Left() const { return rect_.x; }
    Long Top() const { return rect_.y; }
    Long Width() const { return rect_.w; }
    Long Height() const { return rect_.h; }
    void Move(Long left, Long top);
    void Move(Long left, Long top, Long width, Long height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const FontSpec& Font() const { return font_; }
    void SetFont(FontSpec f);
    Rgb ForeColor() const { return fore_; }
    void SetForeColor(Rgb c);
    Rgb BackColor() const { return back_; }
    void SetBackColor(Rgb c);

    // Gives this control the keyboard focus; false (and nothing changes) when it cannot take
    // it: hidden, disabled, inside a hidden frame, or a kind that takes no focus.
    bool SetFocus();
    bool HasFocus() const;

    Container& Parent() const { return parent_; }
    Form& OwnerForm() const { return parent_.OwnerForm(); }
    // Visible itself and every container above it visible.
    bool Showing() const { return visible_ && parent_.Showing(); }
    // Showing, and enabled along with every frame above it: takes clicks and keys.
    bool Usable() const;
    // The control's rectangle on the form's surface.
    SDL_Rect ScreenRect() const;
    // Where the caption is drawn, on the form's surface: the room the caption has.
    virtual SDL_Rect CaptionArea() const { return ScreenRect(); }

    // Toolkit internals, used by the form.
    virtual void Paint(SDL_Surface* s, const SDL_Rect& clip);
    virtual bool TakesClicks() const { return false; }
    virtual bool TakesFocus() const { return false; }
    virtual void PlayerClick() {}                   // mouse click or access key
    virtual void KeyAction(Integer /*keyAscii*/) {}  // Enter / Space while focused
    virtual Frame* AsFrame() { return nullptr; }
    char32_t AccessKey() const;

protected:
    explicit Control(Container& parent);
    void Repaint();                    // the control's own rectangle
    void RepaintArea(SDL_Rect screen);  // any area of the form
    // Draws the caption (with its access-key underline) wrapped inside box.
    using Align = TextAlign;
    void DrawCaption(SDL_Surface* s, const SDL_Rect& box, const SDL_Rect& clip, Align align,
                     bool vcenter, Rgb color) const;

    SDL_Rect rect_{0, 0, 0, 0};
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    FontSpec font_;
    Rgb fore_ = kWindowText;
    Rgb back_ = kButtonFace;

private:
    Container& parent_;
};

class CommandButton : public Control {
public:
    std::function<void()> OnClick;
    // Esc clicks the form's visible, enabled cancel button.
    bool Cancel = false;
    // Runs the click event as the player's click does.
    void Click();

    void Paint(SDL_Surface* s, const SDL_Rect& clip) override;
    bool TakesClicks() const override { return true; }
    bool TakesFocus() const override { return true; }
    void PlayerClick() override { Click(); }
    void KeyAction(Integer key) override;
    // The room with the focus (the smaller one).
    SDL_Rect CaptionArea() const override { return ButtonCaptionArea(ScreenRect(), true); }

protected:
    using Control::Control;
    friend class Container;
};

// One button of an option group; selecting it is the group's business.
class OptionButton : public Control {
public:
    OptionGroup* Group() const { return group_; }
    Integer Index() const { return index_; }
    bool Value() const;

    void Paint(SDL_Surface* s, const SDL_Rect& clip) override;
    bool TakesClicks() const override { return true; }
    bool TakesFocus() const override { return true; }
    void PlayerClick() override;
    void KeyAction(Integer key) override;
    SDL_Rect CaptionArea() const override;  // right of the circle

protected:
    using Control::Control;
    friend class Container;
    friend class OptionGroup;

private:
    OptionGroup* group_ = nullptr;
    Integer index_ = 0;
};

// An array of option buttons indexed from 0 sharing one click event. Selecting a button, by
// the player or by code, clears the others and runs the click event with its index, also when
// that button was selected already.
class OptionGroup {
public:
    std::function<void(Integer index)> OnClick;

    // Adds the next button (index = Count() before the call) to a container.
    OptionButton& Add(Container& where);
    Integer Count() const { return static_cast<Integer>(buttons_.size()); }
    OptionButton& operator[](Integer i) const;

    void Select(Integer i);
    bool Value(Integer i) const { return selected_ == i; }
    Integer Selected() const { return selected_; }  // -1 when none

private:
    std::vector<OptionButton*> buttons_;
    Integer selected_ = -1;
};

class CheckBox : public Control {
public:
    std::function<void()> OnClick;
    Integer Value() const { return value_; }
    // 0 or 1; the click event runs when the value changes.
    void SetValue(Integer v);

    void Paint(SDL_Surface* s, const SDL_Rect& clip) override;
    bool TakesClicks() const override { return true; }
    bool TakesFocus() const override { return true; }
    void PlayerClick() override { SetValue(value_ ? 0 : 1); }
    void KeyAction(Integer key) override;
    SDL_Rect CaptionArea() const override;  // right of the box

protected:
    using Control::Control;
    friend class Container;

private:
    Integer value_ = 0;
};

// Holds controls that move, hide and show with it.
class Frame : public Control, public Container {
public:
    void Paint(SDL_Surface* s, const SDL_Rect& clip) override;
    SDL_Rect CaptionArea() const override;  // the top edge's width: one line set into the border
    Frame* AsFrame() override { return this; }
    Form& OwnerForm() override { return Control::OwnerForm(); }
    SDL_Point Origin() const override;
    bool Showing() const override { return Control::Showing(); }

protected:
    explicit Frame(Container& parent);
    friend class Container;
};

// Text with no background of its own.
class Label : public Control {
public:
    enum class Alignment { Left, Right, Center };
    Alignment TextAlign() const { return align_; }
    void SetAlignment(Alignment a);

    void Paint(SDL_Surface* s, const SDL_Rect& clip) override;

protected:
    using Control::Control;
    friend class Container;

private:
    Alignment align_ = Alignment::Left;
};

// Shows an image at its top-left corner; the rest of its area is left as it is.
class PictureBox : public Control {
public:
    // Takes its own copy of the image (any format; converted when painted).
    void SetPicture(const SDL_Surface* image);
    bool HasPicture() const { return image_ != nullptr; }

    void Paint(SDL_Surface* s, const SDL_Rect& clip) override;

protected:
    using Control::Control;
    friend class Container;

private:
    struct SurfaceDeleter {
        void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    };
    std::unique_ptr<SDL_Surface, SurfaceDeleter> image_;
    std::unique_ptr<SDL_Surface, SurfaceDeleter> converted_;  // in the last target's format
    uint32_t convertedFormat_ = 0;
};

// Runs its event every Interval milliseconds while enabled, checked whenever messages are
// pumped. Has no look of its own.
class Timer {
public:
    std::function<void()> OnTimer;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    Long Interval() const { return interval_; }
    void SetInterval(Long ms);

    void Tick(uint32_t now);  // toolkit internal

private:
    bool enabled_ = true;
    Long interval_ = 0;
    uint32_t last_ = 0;
};

}  // namespace gorb
