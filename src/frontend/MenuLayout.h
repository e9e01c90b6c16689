#pragma once
// The main menu and the splash as data: every control with its kind, container, caption,
// position, size and starting state, in the order they are created (later ones lie on top).
// The main form builds its controls from this table; positions are pixels on the 640 x 480
// layout (or relative to the frame that holds the control).
#include <span>
#include <string_view>

#include "platform/Arithmetic.h"

namespace gorb {

// A Picture and every Frame show the picture of their own size embedded under the control's
// name (the title picture and the frame backgrounds).
enum class ControlKind { Picture, CommandButton, Frame, Label, OptionButton, CheckBox, Timer };

struct ControlSpec {
    std::string_view Name;
    ControlKind Kind;
    std::string_view Parent;  // "" = the form itself
    std::string_view Caption;
    Integer Left = 0, Top = 0, Width = 0, Height = 0;
    Integer Index = -1;       // index inside its option-button array, else -1
    bool Visible = true;
    bool Enabled = true;
};

// The menu font and colours.
inline constexpr std::string_view kMenuFontName = "Comic Sans MS";
inline constexpr double kCommandFontSize = 12.0;
inline constexpr double kSmallFontSize = 8.25;  // option buttons, check boxes, labels
inline constexpr int kLabelGrey = 192;          // labels: light grey on the frame's picture

// A button's caption is one line, and so is a frame's, set into its top edge. Labels and check
// boxes were drawn for caption lines 16 pixels high: they hold their height / 16 lines (at least
// one).
inline constexpr Integer kLayoutLineHeight = 16;
int MaxCaptionLines(const ControlSpec& spec);

// Every control of the main form, pictures and frames before what lies on them.
std::span<const ControlSpec> MenuControls();
const ControlSpec* FindMenuControl(std::string_view name, Integer index = -1);

// The frames each panel button opens.
std::span<const std::string_view> PanelFrames(std::string_view button);
// Every option frame, in the order HideOptionFrames hides them.
std::span<const std::string_view> OptionFrames();
// The top-level controls start-up moves by the centring offset.
std::span<const std::string_view> CentredControls();

// The splash form: caption, client size and its four labels.
inline constexpr std::string_view kSplashCaption = "Loading Gorbulant";
inline constexpr Integer kSplashWidth = 459;
inline constexpr Integer kSplashHeight = 172;
inline constexpr std::string_view kSplashFontName = "MS Sans Serif";
inline constexpr double kSplashFontSize = 12.0;
std::span<const ControlSpec> SplashLabels();

inline constexpr std::string_view kMainFormCaption = "Gorbulant";

}  // namespace gorb
