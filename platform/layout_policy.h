#pragma once

#include "window_description.h"

#include <functional>

namespace platform {

// What every window adapter decides alike when it puts a described window on
// a screen: the scale, the font that keeps every caption whole, the room a
// caption needs in its control, the focus mark, and where the window stands.
// Lengths here are in the adapter's own pixels.

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kPointsPerInch = 72.0;
// The resolution pixel sizes below are given at.
inline constexpr double kReferenceDpi = 96.0;

// A mark drawn round the control with the keyboard focus, dark enough to
// show on every colour of the window; its width in pixels at 96 dpi.
inline constexpr Rgb kFocusColour{0, 0, 96};
inline constexpr int kFocusFrameWidth = 2;

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size &, const Size &) = default;
};

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Box &, const Box &) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point &, const Point &) = default;
};

// Pixels for one twip at a resolution, in dots per inch.
[[nodiscard]] constexpr double naturalPixelsPerTwip(double dotsPerInch)
{
    return dotsPerInch / kTwipsPerInch;
}

// A font size in points, in pixels at a resolution.
[[nodiscard]] constexpr double pixelsForPoints(double points, double dotsPerInch)
{
    return points * dotsPerInch / kPointsPerInch;
}

// A length given in pixels at 96 dpi, at another resolution; never less
// than one pixel.
[[nodiscard]] int scaledForDpi(int pixelsAt96, double dotsPerInch);

// Pixels per twip for the window: its natural size where the room (what the
// screen leaves for its client area, frame and title bar taken off) holds
// it, smaller in proportion where it would not fit, but never below a
// quarter of the natural size, where nothing could be read.
[[nodiscard]] double fittingPixelsPerTwip(double natural, const WindowDescription &window, Size room);

// The point size of the window's font laid out at a fraction (shrink) of
// its natural size: in proportion, then smaller, a quarter point at a time,
// while captionsFitAt says some caption would be cut off, down to 6 points.
[[nodiscard]] double fittingPointSize(double designPoints, double shrink,
                                      const std::function<bool(double points)> &captionsFitAt);

// Whether a caption of that drawn size shows whole on its control. A check
// box or option button gives indicator pixels to its box or circle; push
// buttons and frames keep a margin beside the text. Margins grow with the
// resolution (dotsPerInch) as everything else does.
[[nodiscard]] bool captionFits(ControlKind kind, Size text, Size control, int indicator, double dotsPerInch);

// Where the window's outer box stands centred on the screen's room, or at
// its top left corner where it is bigger.
[[nodiscard]] Point centredIn(const Box &room, Size outer);

// Where the window stands, moved no further than it must to be wholly in
// the room (its top left kept in view where it is bigger).
[[nodiscard]] Point keptIn(const Box &room, const Box &outer);

} // namespace platform
