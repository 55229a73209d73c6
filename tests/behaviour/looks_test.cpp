// Where every control stands and what colour it shows, read off the drawn
// window and compared with the numbers of the window's design, written out
// here in twips from the top left of the window.
#include "backends.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

using platform::Rgb;

namespace {

constexpr Rgb kLavender{192, 192, 255};
constexpr Rgb kPink{255, 128, 255};
constexpr Rgb kCyan{128, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kPeach{255, 192, 128};

// A control's place on the window, in twips from the window's top left.
struct Place {
    const char *name;
    int index;
    int left;
    int top;
    int width;
    int height;
};

// The frames stand at (120, 500) and (4080, 480); the buttons and boxes
// inside them 120 twips in.
constexpr int kEventsLeft = 120 + 120;
constexpr int kDatesLeft = 4080 + 120;

constexpr auto kPlaces = std::to_array<Place>({
    {"Label1", 0, 1200, 0, 4575, 375},
    {"Frame1", -1, 120, 500, 3255, 3120},
    {"Frame2", -1, 4080, 480, 3135, 3135},
    {"Command1", -1, 3120, 3720, 1335, 405},
    {"Text1", 0, 240, 4200, 6735, 1815},
    {"Option1", 0, kEventsLeft, 500 + 2100, 3015, 300},
    {"Option1", 1, kEventsLeft, 500 + 1200, 3015, 300},
    {"Option1", 2, kEventsLeft, 500 + 600, 3015, 300},
    {"Option1", 3, kEventsLeft, 500 + 2400, 3015, 300},
    {"Option1", 4, kEventsLeft, 500 + 900, 3015, 300},
    {"Option1", 5, kEventsLeft, 500 + 1500, 3015, 300},
    {"Option1", 6, kEventsLeft, 500 + 1800, 3015, 300},
    {"Option1", 7, kEventsLeft, 500 + 300, 3015, 300},
    {"Option1", 8, kEventsLeft, 500 + 2700, 3015, 300},
    {"Check1", 0, kDatesLeft, 480 + 600, 2895, 300},
    {"Check1", 1, kDatesLeft, 480 + 300, 2895, 300},
    {"Check1", 2, kDatesLeft, 480 + 1800, 2895, 300},
    {"Check1", 3, kDatesLeft, 480 + 900, 2895, 300},
    {"Check1", 4, kDatesLeft, 480 + 1200, 2895, 300},
    {"Check1", 5, kDatesLeft, 480 + 2400, 2895, 300},
    {"Check1", 6, kDatesLeft, 480 + 2100, 2895, 300},
    {"Check1", 7, kDatesLeft, 480 + 2700, 2895, 300},
    {"Check1", 8, kDatesLeft, 480 + 1500, 2895, 300},
});

// A point of the window, in twips, and the colour that must show there.
struct Sample {
    const char *what = "";
    int x = 0;
    int y = 0;
    Rgb colour;
};

constexpr auto kSamples = std::to_array<Sample>({
    {"window, top left", 30, 30, kLavender},
    {"window, between the frames and the clear button", 4560, 3670, kLavender},
    {"where the hidden list would be", 3600 + 187, 720 + 600, kLavender},
    {"inside the event frame, left of the buttons", 120 + 60, 500 + 1500, kLavender},
    {"inside the date frame, right of the boxes", 4080 + 3135 - 90, 480 + 1500, kLavender},
    {"heading", 1200 + 45, 45, kPeach},
    {"clear button, left", 3120 + 90, 3720 + 200, kRed},
    {"clear button, bottom right", 3120 + 1335 - 105, 3720 + 405 - 105, kRed},
});

class Looks : public ::testing::TestWithParam<Backend<WindowLearner>> {
protected:
    [[nodiscard]] int px(int twips) const
    {
        return static_cast<int>(std::lround(twips * learner->pixelsPerTwip()));
    }

    std::unique_ptr<WindowLearner> learner = GetParam().make();
};

} // namespace

TEST_P(Looks, EveryControlStandsWhereTheDesignPutsIt)
{
    for (const Place &p : kPlaces) {
        const Rect drawn = learner->placeOf({p.name, p.index});
        const std::string name = platform::displayName({p.name, p.index});
        // A control in a frame is placed from the frame's rounded corner,
        // so it may be a pixel off the rounded whole.
        EXPECT_NEAR(drawn.left, px(p.left), 1) << name;
        EXPECT_NEAR(drawn.top, px(p.top), 1) << name;
        EXPECT_NEAR(drawn.width, px(p.width), 1) << name;
        EXPECT_NEAR(drawn.height, px(p.height), 1) << name;
    }
}

TEST_P(Looks, EveryPlaceShowsItsColour)
{
    const Snapshot shot = learner->snapshot();
    EXPECT_NEAR(shot.width / shot.scale, px(7260), 1) << "client area";
    EXPECT_NEAR(shot.height / shot.scale, px(6090), 1);
    for (const Sample &s : kSamples)
        EXPECT_EQ(shot.at(px(s.x), px(s.y)), s.colour) << s.what;
    // Each event button and date box, at its right end, where no caption
    // reaches.
    for (const Place &p : kPlaces) {
        const std::string_view name = p.name;
        if (name != window::kEventButtons && name != window::kDateBoxes)
            continue;
        const Rgb colour = name == window::kEventButtons ? kPink : kCyan;
        EXPECT_EQ(shot.at(px(p.left + p.width - 45), px(p.top + p.height / 2)), colour)
            << platform::displayName({p.name, p.index});
    }
}

// A frame's caption shows whole: the frame's line, etched in a dark and a
// light row along the middle of the caption's height, stops short of the
// caption's first letter and goes on only after its last, whatever face
// stands in for the quiz's font.
TEST_P(Looks, FrameCaptionsShowWhole)
{
    const Snapshot shot = learner->snapshot();
    if (shot.scale < 1)
        GTEST_SKIP() << "a picture coarser than the window's pixels cannot tell a letter from a line";
    const auto ink = [](const Rgb &c) { return std::max({c.red, c.green, c.blue}) < 64; };
    for (const std::string_view frame : {window::kEventFrame, window::kDateFrame}) {
        const Rect f = learner->placeOf({frame});
        const std::string name{frame};
        // The line's top left corner: the first thing down the frame's left
        // edge that is not the window's colour.
        int line = f.top;
        while (line < f.top + f.height / 2 && shot.at(f.left, line) == kLavender)
            ++line;
        ASSERT_LT(line, f.top + f.height / 2) << name << ": no line";
        const Rgb dark = shot.at(f.left + 2, line);
        const Rgb light = shot.at(f.left + 2, line + 1);
        const auto lineAt = [&](int x) { return shot.at(x, line) == dark && shot.at(x, line + 1) == light; };
        // Where the caption's letters are, in the rows it takes.
        int first = f.left + f.width;
        int last = f.left;
        for (int y = f.top; y < 2 * line - f.top; ++y) {
            for (int x = f.left; x < f.left + f.width; ++x) {
                if (ink(shot.at(x, y))) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        ASSERT_LT(first, last) << name << ": no caption";
        for (int x = first; x <= last; ++x)
            ASSERT_FALSE(lineAt(x)) << name << ": the line runs through the caption at x = " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(, Looks, ::testing::ValuesIn(windowBackends()), kBackendName);
