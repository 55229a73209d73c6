#pragma once

#include "platform/form.h"
#include "quiz/content.h"
#include "quiz/controls.h"
#include "quiz/quiz_form.h"

#include <array>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// What a learner does and sees, whatever the quiz runs on. The behaviour
// tests are written against this, so every backend must play alike.
class Learner {
public:
    virtual ~Learner() = default;

    virtual void clickEvent(quiz::PairIndex index) = 0;
    virtual void clickDate(quiz::PairIndex index) = 0;
    virtual void pressClear() = 0;

    [[nodiscard]] virtual bool eventSelected(quiz::PairIndex index) const = 0;
    [[nodiscard]] virtual quiz::DateValue dateValue(quiz::PairIndex index) const = 0;
    [[nodiscard]] virtual std::string resultText() const = 0;
    [[nodiscard]] virtual quiz::SelectionState state() const = 0;

    // All of it at once, as the reads above give it one by one; a window
    // far away reads it in one go.
    struct Board {
        std::array<bool, quiz::kPairCount> events{};
        std::array<quiz::DateValue, quiz::kPairCount> dates{};
        std::string text;
        quiz::SelectionState state;
    };
    [[nodiscard]] virtual Board board() const
    {
        Board all{.text = resultText(), .state = state()};
        for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i) {
            all.events.at(i) = eventSelected(i);
            all.dates.at(i) = dateValue(i);
        }
        return all;
    }
};

namespace platform {
// Colours in test messages as RGB(r, g, b).
void PrintTo(const Rgb &colour, std::ostream *os);
} // namespace platform

// How a learner at a window gives each action.
enum class Input { Mouse, Keyboard };
enum class Key { Tab, Backtab, Up, Down, Space, Enter, Escape };

// A rectangle on the window's client area, in device-independent pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

// The window as an image, read in device-independent pixels.
struct Snapshot {
    int width = 0;
    int height = 0;
    // Device pixels to a device-independent one.
    double scale = 1;
    std::vector<platform::Rgb> pixels;

    // The colour at the middle of a device-independent pixel.
    [[nodiscard]] platform::Rgb at(int x, int y) const;
};

// A learner at a real window, who also reads where things are drawn and
// moves with the keyboard.
class WindowLearner : public Learner {
public:
    virtual void press(Key key) = 0;
    // Whether the quiz's window is still open on the screen.
    [[nodiscard]] virtual bool windowOpen() const = 0;
    // The control with the keyboard focus, as "Name" or "Name(index)";
    // empty for none.
    [[nodiscard]] virtual std::string focusedControl() const = 0;
    // Where the control is drawn.
    [[nodiscard]] virtual Rect placeOf(platform::ControlId control) const = 0;
    // Device-independent pixels per twip, as the window is laid out.
    [[nodiscard]] virtual double pixelsPerTwip() const = 0;
    [[nodiscard]] virtual Snapshot snapshot() const = 0;
};
