#include "web_page.h"

#include "window_learner_base.h"
#include "window/tarvel_mondix_description.h"

#include <png.h>

#include <cmath>
#include <stdexcept>

namespace {

using platform::ControlId;

std::string js(const std::string &text)
{
    return nlohmann::json(text).dump();
}

// The element of a control's box on the page, as a JavaScript expression.
std::string boxOf(ControlId control)
{
    return "document.getElementById(" + js(platform::displayName(control)) + ")";
}

std::vector<unsigned char> fromBase64(const std::string &text)
{
    static const std::string kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<unsigned char> bytes;
    unsigned value = 0;
    int bits = 0;
    for (const char c : text) {
        const std::size_t digit = kDigits.find(c);
        if (digit == std::string::npos)
            continue;
        value = (value << 6U) | static_cast<unsigned>(digit);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<unsigned char>((value >> static_cast<unsigned>(bits)) & 0xFFU));
        }
    }
    return bytes;
}

// What a page reads of the quiz, through the page: the controls from the
// page itself, the quiz's text and state through its way in.
class WebReading : public WindowLearner {
public:
    explicit WebReading(Browser &browser) : browser_(browser)
    {
        browser_.open(fileAddress(webPages() + "/tests/zorelmina_test.html"), "window.zorelminaReady");
        pixelsPerTwip_ = askPage(browser_, "pixelsPerTwip").value.get<double>();
    }

    [[nodiscard]] bool eventSelected(quiz::PairIndex index) const override
    {
        return browser_.evaluate(boxOf({window::kEventButtons, index}) + ".querySelector('input').checked") == true;
    }
    [[nodiscard]] quiz::DateValue dateValue(quiz::PairIndex index) const override
    {
        const int value = browser_
                              .evaluate("(function (b) { return b.indeterminate ? 2 : b.checked ? 1 : 0; })("
                                        + boxOf({window::kDateBoxes, index}) + ".querySelector('input'))")
                              .get<int>();
        return static_cast<quiz::DateValue>(value);
    }
    [[nodiscard]] std::string resultText() const override
    {
        return askPage(browser_, "text", {window::kResultBox, window::kResultBoxIndex}).value.get<std::string>();
    }
    [[nodiscard]] quiz::SelectionState state() const override
    {
        const nlohmann::json s = askPage(browser_, "state").value;
        return {static_cast<quiz::PairIndex>(s.at(0).get<int>()), static_cast<quiz::PairIndex>(s.at(1).get<int>()),
                s.at(2).get<bool>()};
    }
    [[nodiscard]] bool windowOpen() const override
    {
        return browser_.evaluate("getComputedStyle(document.getElementById('Tarvel_Mondix')).display !== 'none'")
               == true;
    }
    [[nodiscard]] std::string focusedControl() const override
    {
        return browser_
            .evaluate("(function (e) { var c = e && e.closest ? e.closest('[data-control]') : null;"
                      " return c ? c.getAttribute('data-control') : ''; })(document.activeElement)")
            .get<std::string>();
    }
    [[nodiscard]] Rect placeOf(ControlId control) const override
    {
        const nlohmann::json r = browser_.evaluate(
            "(function (b, w) { var r = b.getBoundingClientRect(), o = w.getBoundingClientRect();"
            " return [r.left - o.left, r.top - o.top, r.width, r.height]; })("
            + boxOf(control) + ", document.getElementById('Tarvel_Mondix'))");
        const auto at = [&](int i) { return static_cast<int>(std::lround(r.at(i).get<double>())); };
        return {at(0), at(1), at(2), at(3)};
    }
    [[nodiscard]] double pixelsPerTwip() const override { return pixelsPerTwip_; }
    [[nodiscard]] Snapshot snapshot() const override { return pictureOf(browser_, windowBox()); }

protected:
    // The window's place on the page, in CSS pixels.
    [[nodiscard]] Rect windowBox() const
    {
        const nlohmann::json r = browser_.evaluate(
            "(function (r) { return [r.left, r.top, r.width, r.height]; })"
            "(document.getElementById('Tarvel_Mondix').getBoundingClientRect())");
        const auto at = [&](int i) { return static_cast<int>(std::lround(r.at(i).get<double>())); };
        return {at(0), at(1), at(2), at(3)};
    }

    Browser &browser_;

private:
    double pixelsPerTwip_ = 0;
};

struct KeyCodes {
    const char *key;
    const char *code;
    int virtualKey;
    const char *text;
};

KeyCodes codesOf(Key key)
{
    switch (key) {
    case Key::Tab:
    case Key::Backtab:
        return {"Tab", "Tab", 9, ""};
    case Key::Up:
        return {"ArrowUp", "ArrowUp", 38, ""};
    case Key::Down:
        return {"ArrowDown", "ArrowDown", 40, ""};
    case Key::Space:
        return {" ", "Space", 32, " "};
    case Key::Enter:
        return {"Enter", "Enter", 13, "\r"};
    case Key::Escape:
        return {"Escape", "Escape", 27, ""};
    }
    return {"", "", 0, ""};
}

class WebLearner final : public WindowLearnerBase<WebReading> {
public:
    WebLearner(Browser &browser, std::function<Input()> chooseInput)
        : WindowLearnerBase<WebReading>(std::move(chooseInput), browser)
    {
    }

    // The browser's own trusted key events, to whatever has the focus.
    void press(Key key) override
    {
        type(key);
        // Past the page's last stop the browser's own come (the address
        // bar and the like), one before the page's first stop again.
        if ((key == Key::Tab || key == Key::Backtab) && focusedControl().empty())
            type(key);
    }

protected:
    void clickAt(int x, int y) override
    {
        const Rect window = windowBox();
        const double px = window.left + x + 0.5;
        const double py = window.top + y + 0.5;
        browser_.call("Input.dispatchMouseEvent", {{"type", "mouseMoved"}, {"x", px}, {"y", py}});
        for (const char *type : {"mousePressed", "mouseReleased"}) {
            browser_.call("Input.dispatchMouseEvent",
                          {{"type", type}, {"x", px}, {"y", py}, {"button", "left"}, {"clickCount", 1}});
        }
    }

private:
    void type(Key key)
    {
        const KeyCodes k = codesOf(key);
        const int modifiers = key == Key::Backtab ? 8 : 0; // Shift
        nlohmann::json down{{"type", *k.text != '\0' ? "keyDown" : "rawKeyDown"},
                            {"key", k.key},
                            {"code", k.code},
                            {"windowsVirtualKeyCode", k.virtualKey},
                            {"modifiers", modifiers}};
        if (*k.text != '\0')
            down["text"] = k.text;
        browser_.call("Input.dispatchKeyEvent", down);
        browser_.call("Input.dispatchKeyEvent", {{"type", "keyUp"},
                                                 {"key", k.key},
                                                 {"code", k.code},
                                                 {"windowsVirtualKeyCode", k.virtualKey},
                                                 {"modifiers", modifiers}});
    }
};

} // namespace

PageAnswer askPage(Browser &browser, const std::string &operation, ControlId control, int number,
                   const std::string &text)
{
    const nlohmann::json arguments{operation, std::string{control.name}, control.index, number, text};
    const std::string answer = browser
                                   .evaluate("Module.ccall('zorelmina_test', 'string', ['string', 'string', "
                                             "'number', 'number', 'string'], "
                                             + arguments.dump() + ")")
                                   .get<std::string>();
    const nlohmann::json parsed = nlohmann::json::parse(answer);
    if (parsed.contains("error")) {
        const std::string what = parsed.at("what");
        if (parsed.at("error") == "invalid_argument")
            throw std::invalid_argument(what);
        if (parsed.at("error") == "out_of_range")
            throw std::out_of_range(what);
        throw std::runtime_error(what);
    }
    return {parsed.at("value"), parsed.at("clicks").get<std::vector<std::string>>()};
}

Snapshot pictureOf(Browser &browser, const Rect &box)
{
    const nlohmann::json shot = browser.call(
        "Page.captureScreenshot",
        {{"format", "png"},
         {"clip", {{"x", box.left}, {"y", box.top}, {"width", box.width}, {"height", box.height}, {"scale", 1}}}});
    const std::vector<unsigned char> png = fromBase64(shot.at("data").get<std::string>());
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0)
        throw std::runtime_error("the browser's picture is no PNG");
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0)
        throw std::runtime_error("the browser's picture cannot be read");
    Snapshot s{static_cast<int>(image.width), static_cast<int>(image.height),
               static_cast<double>(image.width) / box.width, {}};
    s.pixels.reserve(rgb.size() / 3);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        s.pixels.push_back({rgb[i], rgb[i + 1], rgb[i + 2]});
    return s;
}

std::unique_ptr<WindowLearner> makeWebLearner(Browser &browser, std::function<Input()> chooseInput)
{
    return std::make_unique<WebLearner>(browser, std::move(chooseInput));
}
