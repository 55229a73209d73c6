// What every window adapter decides alike when it puts the window on a
// screen, checked once here rather than in each adapter.
#include "platform/layout_policy.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

const WindowDescription kWindow = window::describeTarvelMondix();
const double k96 = naturalPixelsPerTwip(96);

} // namespace

TEST(LayoutPolicy, TheWindowKeepsItsNaturalSizeWhereItFitsAndShrinksInProportionWhereNot)
{
    EXPECT_DOUBLE_EQ(k96, 1.0 / 15);
    EXPECT_DOUBLE_EQ(naturalPixelsPerTwip(144), 0.1);
    // 484 x 406 at 96 dpi.
    EXPECT_DOUBLE_EQ(fittingPixelsPerTwip(k96, kWindow, {1024, 700}), k96);
    EXPECT_DOUBLE_EQ(fittingPixelsPerTwip(k96, kWindow, {484, 406}), k96) << "exactly the room";
    EXPECT_DOUBLE_EQ(fittingPixelsPerTwip(k96, kWindow, {363, 700}), 363.0 / 7260) << "too narrow";
    EXPECT_DOUBLE_EQ(fittingPixelsPerTwip(k96, kWindow, {1024, 203}), 203.0 / 6090) << "too low";
    EXPECT_DOUBLE_EQ(fittingPixelsPerTwip(k96, kWindow, {10, 10}), k96 / 4) << "never below a quarter";
}

TEST(LayoutPolicy, TheFontShrinksWithTheWindowAndAQuarterPointAtATimeUntilCaptionsFit)
{
    std::vector<double> asked;
    const auto fitsBelow = [&](double limit) {
        return [&asked, limit](double points) {
            asked.push_back(points);
            return points <= limit;
        };
    };
    EXPECT_DOUBLE_EQ(fittingPointSize(12, 1, fitsBelow(12)), 12);
    EXPECT_EQ(asked, std::vector<double>{12}) << "measured even at full size, for faces that stand in";
    asked.clear();
    EXPECT_DOUBLE_EQ(fittingPointSize(12, 1, fitsBelow(11.5)), 11.5);
    EXPECT_EQ(asked, (std::vector<double>{12, 11.75, 11.5}));
    EXPECT_DOUBLE_EQ(fittingPointSize(12, 0.5, fitsBelow(12)), 6) << "in proportion with the window";
    EXPECT_DOUBLE_EQ(fittingPointSize(12, 1, fitsBelow(0)), 6) << "but never below 6 points";
}

TEST(LayoutPolicy, CaptionsNeedRoomForTheirIndicatorOrMarginsThatGrowWithTheResolution)
{
    struct Case {
        ControlKind kind;
        Size text;
        Size control;
        int indicator;
        double dpi;
        bool fits;
    };
    const std::vector<Case> cases{
        {ControlKind::CheckBox, {180, 18}, {200, 20}, 20, 96, true},
        {ControlKind::CheckBox, {181, 18}, {200, 20}, 20, 96, false},
        {ControlKind::OptionButton, {100, 21}, {200, 20}, 20, 96, false},
        {ControlKind::PushButton, {80, 18}, {89, 27}, 0, 96, true},
        {ControlKind::PushButton, {80, 18}, {89, 27}, 0, 144, false},
        {ControlKind::PushButton, {81, 18}, {89, 27}, 0, 96, false},
        {ControlKind::Frame, {200, 18}, {217, 208}, 0, 96, true},
        {ControlKind::Frame, {201, 18}, {217, 208}, 0, 96, false},
        {ControlKind::Label, {305, 25}, {305, 25}, 0, 96, true},
        {ControlKind::Label, {305, 26}, {305, 25}, 0, 96, false},
        {ControlKind::TextBox, {900, 900}, {10, 10}, 0, 96, true},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(captionFits(c.kind, c.text, c.control, c.indicator, c.dpi), c.fits)
            << static_cast<int>(c.kind) << ": " << c.text.width << " in " << c.control.width << " at " << c.dpi;
    }
    EXPECT_EQ(scaledForDpi(kFocusFrameWidth, 96), 2);
    EXPECT_EQ(scaledForDpi(kFocusFrameWidth, 144), 3);
    EXPECT_EQ(scaledForDpi(kFocusFrameWidth, 48), 1);
    EXPECT_EQ(scaledForDpi(1, 24), 1) << "never less than a pixel";
}

TEST(LayoutPolicy, TheWindowStandsCentredAndStaysOnItsScreen)
{
    const Box screen{0, 40, 1024, 728};
    EXPECT_EQ(centredIn(screen, {500, 430}), (Point{262, 189}));
    EXPECT_EQ(centredIn(screen, {2000, 2000}), (Point{0, 40})) << "bigger: its top left in view";
    EXPECT_EQ(keptIn(screen, {100, 100, 500, 430}), (Point{100, 100})) << "where it is, if inside";
    EXPECT_EQ(keptIn(screen, {900, -50, 500, 430}), (Point{524, 40}));
    EXPECT_EQ(keptIn(screen, {-30, 700, 500, 430}), (Point{0, 338}));
    EXPECT_EQ(keptIn(screen, {300, 300, 2000, 2000}), (Point{0, 40}));
}
