#include "layout_policy.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Room a caption leaves inside a push button's border, and beside a frame's
// caption for the frame's line, in pixels at 96 dpi.
constexpr int kButtonTextMargin = 8;
constexpr int kFrameTextMargin = 16;

constexpr double kPointStep = 0.25;
constexpr double kSmallestPoints = 6;

} // namespace

int scaledForDpi(int pixelsAt96, double dotsPerInch)
{
    return std::max(1, static_cast<int>(std::lround(pixelsAt96 * dotsPerInch / kReferenceDpi)));
}

double fittingPixelsPerTwip(double natural, const WindowDescription &window, Size room)
{
    const double wide = static_cast<double>(room.width) / window.clientWidth;
    const double high = static_cast<double>(room.height) / window.clientHeight;
    return std::max(std::min({natural, wide, high}), natural / 4);
}

double fittingPointSize(double designPoints, double shrink, const std::function<bool(double points)> &captionsFitAt)
{
    double points = designPoints * std::min(shrink, 1.0);
    while (points - kPointStep >= kSmallestPoints && !captionsFitAt(points))
        points -= kPointStep;
    return points;
}

bool captionFits(ControlKind kind, Size text, Size control, int indicator, double dotsPerInch)
{
    switch (kind) {
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
        return text.width + indicator <= control.width && text.height <= control.height;
    case ControlKind::PushButton:
        return text.width + scaledForDpi(kButtonTextMargin, dotsPerInch) < control.width
               && text.height <= control.height;
    case ControlKind::Frame:
        return text.width + scaledForDpi(kFrameTextMargin, dotsPerInch) < control.width;
    case ControlKind::Label:
        return text.width <= control.width && text.height <= control.height;
    case ControlKind::ListBox:
    case ControlKind::TextBox:
        break;
    }
    // Their text scrolls.
    return true;
}

Point centredIn(const Box &room, Size outer)
{
    return {room.left + std::max(0, (room.width - outer.width) / 2),
            room.top + std::max(0, (room.height - outer.height) / 2)};
}

Point keptIn(const Box &room, const Box &outer)
{
    return {std::clamp(outer.left, room.left, std::max(room.left, room.left + room.width - outer.width)),
            std::clamp(outer.top, room.top, std::max(room.top, room.top + room.height - outer.height))};
}

} // namespace platform
