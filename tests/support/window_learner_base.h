#pragma once

#include "learner.h"
#include "window/tarvel_mondix_description.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

// How a learner plays at a real window, whatever the toolkit: each action
// by mouse or by keyboard, as chooseInput says. The mouse clicks where the
// window description puts the control, on its indicator side, half-way down
// (a control drawn elsewhere, or covered, is missed); the keyboard tabs to
// the control, moves inside the event group (one tab stop, as radio groups
// have) with the arrow keys, and presses Space. A toolkit gives the click
// and the key presses; Reading (a WindowLearner) reads the board, as
// FormLearner does through the form where the quiz runs in this process.
template <typename Reading>
class WindowLearnerBase : public Reading {
public:
    explicit WindowLearnerBase(std::function<Input()> chooseInput) : chooseInput_(std::move(chooseInput)) {}

    void clickEvent(quiz::PairIndex index) override { act({window::kEventButtons, index}); }
    void clickDate(quiz::PairIndex index) override { act({window::kDateBoxes, index}); }
    void pressClear() override { act({window::kClearButton}); }

protected:
    // A click at a point of the window's client area, in its pixels.
    virtual void clickAt(int x, int y) = 0;
    // A click on a control, where the window's description puts it.
    virtual void clickOn(platform::ControlId control) { clickAtDescribedPlace(control); }

private:
    void act(platform::ControlId control)
    {
        if (chooseInput_() == Input::Mouse) {
            clickOn(control);
            return;
        }
        if (control.name == window::kEventButtons)
            selectEventByKeyboard(control);
        else
            tabUntil([&](const std::string &focus) { return focus == platform::displayName(control); });
        this->press(Key::Space);
    }

    void clickAtDescribedPlace(platform::ControlId control)
    {
        const auto &controls = description_.controls;
        const auto find = [&](std::string_view name, int index) {
            const auto it = std::ranges::find_if(
                controls, [&](const platform::ControlDescription &c) { return c.name == name && c.index == index; });
            if (it == controls.end())
                throw std::runtime_error("no such control in the description: " + std::string{name});
            return *it;
        };
        const platform::ControlDescription c = find(control.name, control.index);
        platform::Twips left = c.left;
        platform::Twips top = c.top;
        if (!c.container.empty()) {
            const platform::ControlDescription frame = find(c.container, -1);
            left += frame.left;
            top += frame.top;
        }
        const auto px = [this](platform::Twips t) { return static_cast<int>(std::lround(t * this->pixelsPerTwip())); };
        clickAt(px(left) + std::min(10, px(c.width) / 2), px(top) + px(c.height) / 2);
    }

    void selectEventByKeyboard(platform::ControlId event)
    {
        const std::string group = std::string{window::kEventButtons} + "(";
        const std::string target = platform::displayName(event);
        tabUntil([&](const std::string &focus) { return focus.starts_with(group); });
        const int wanted = this->placeOf(event).top;
        for (int steps = 0; steps < quiz::kPairCount && this->focusedControl() != target; ++steps) {
            const int at = this->placeOf({window::kEventButtons, indexIn(this->focusedControl())}).top;
            this->press(at < wanted ? Key::Down : Key::Up);
        }
        if (this->focusedControl() != target)
            throw std::runtime_error("the arrow keys never reach " + target);
    }

    template <typename Found>
    void tabUntil(Found found)
    {
        // Twice round the whole chain is more than enough.
        for (int steps = 0; steps < 60; ++steps) {
            std::string focus = this->focusedControl();
            // The page gives its first focus again once it has loaded, away
            // and back in two turns of its own.
            for (int turns = 0; focus.empty() && turns < 50; ++turns) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                focus = this->focusedControl();
            }
            if (focus.empty())
                throw std::runtime_error("nothing has the keyboard focus");
            if (found(focus))
                return;
            this->press(Key::Tab);
        }
        throw std::runtime_error("Tab never reaches the control");
    }

    // The index in "Name(index)".
    static int indexIn(const std::string &name)
    {
        return std::stoi(name.substr(name.find('(') + 1));
    }

    std::function<Input()> chooseInput_;
    platform::WindowDescription description_ = window::describeTarvelMondix();
};

// The window's picture from its pixels, each read by pixel(x, y) as
// 0xXXRRGGBB, as Qt and Windows keep 32-bit pixels.
template <typename Pixel>
Snapshot snapshotOf(int width, int height, double scale, Pixel pixel)
{
    Snapshot shot{width, height, scale, {}};
    shot.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixel(x, y);
            shot.pixels.push_back({static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                                   static_cast<int>(p & 0xFF)});
        }
    return shot;
}

// A key as Windows's input takes it (its virtual-key code) and as WebDriver
// does (U+E004 Tab and the like).
struct KeyNames {
    int virtualKey;
    const char *webDriver;
};

inline KeyNames namesOf(Key key)
{
    switch (key) {
    case Key::Tab:
    case Key::Backtab:
        return {9, "\xEE\x80\x84"};
    case Key::Up:
        return {38, "\xEE\x80\x93"};
    case Key::Down:
        return {40, "\xEE\x80\x95"};
    case Key::Space:
        return {32, "\xEE\x80\x8D"};
    case Key::Enter:
        return {13, "\xEE\x80\x86"};
    case Key::Escape:
        return {27, "\xEE\x80\x8C"};
    }
    return {0, ""};
}
