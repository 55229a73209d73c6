#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Lengths in twips: 1/1440 inch, 15 to a pixel at 96 dpi.
using Twips = int;
inline constexpr Twips kTwipsPerPixel = 15;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// The kind of face a font is, for finding a stand-in where the named face
// is missing.
enum class GenericFamily { Any, Serif, SansSerif, Monospace };

struct FontDescription {
    std::string family;
    GenericFamily generic = GenericFamily::Any;
    int pointSize = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 0;
};

enum class ControlKind { Frame, CheckBox, OptionButton, ListBox, PushButton, TextBox, Label };

struct ControlDescription {
    std::string name;
    // Position in its control array; -1 for a control that stands alone.
    int index = -1;
    // Name of the containing frame; empty for the window itself.
    std::string container;
    ControlKind kind = ControlKind::Label;
    // Caption, or the initial text of a text box.
    std::string caption;
    // Items of a list box, in stored order.
    std::vector<std::string> items;
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    std::optional<Rgb> background;
    int tabIndex = 0;
    bool visible = true;
    // What assistive technology calls the control where its caption does
    // not say it; empty to use the caption.
    std::string accessibleName;
};

// What the window says when the program cannot carry on: the caption of its
// message, and the words that come before what failed.
struct FailureWords {
    std::string caption;
    std::string preamble;
};

struct WindowDescription {
    std::string name;
    std::string title;
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    Rgb background;
    FontDescription font;
    bool minimiseButton = true;
    bool maximiseButton = true;
    // The program's icon by name; each toolkit finds it in its own
    // resources. Empty for none.
    std::string icon;
    // In creation order: a container comes before what it holds.
    std::vector<ControlDescription> controls;
    FailureWords failure;
};

} // namespace platform
