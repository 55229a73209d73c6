#include "web_form.h"

#include "failure.h"
#include "platform/form_policy.h"
#include "platform/layout_policy.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <limits>
#include <map>
#include <set>
#include <stdexcept>
#include <tuple>

namespace platform {

namespace {

// A CSS pixel is a 96th of an inch, whatever the zoom.
constexpr double kCssDpi = 96.0;
constexpr double kPixelsPerTwip = naturalPixelsPerTwip(kCssDpi);
// A line of text, for its font's size.
constexpr double kLineHeight = 1.15;

// The page's look while the quiz runs. Its own colours stay on a dark
// desktop; under forced colours (high contrast) the system's win. Where the
// window does not fit the page (a phone, a small frame, a large zoom, a
// large minimum font) the controls stand in one column at the window's own
// font size, each row tall enough to tap, in the order the learner reads
// the window, and the page scrolls down, never sideways. Printed, the task
// is shown whole.
constexpr std::string_view kStyleSheet = R"css(
html, body { margin: 0; height: 100%; }
#zorelmina-message { display: none; }
@media (prefers-color-scheme: dark) { body { background: #1f1f1f; } }
.zorelmina-window { display: none; position: absolute; overflow: hidden; color-scheme: light; color: #000; }
.zorelmina-window.shown { display: block; }
.zorelmina-window * { box-sizing: border-box; }
.zorelmina-window fieldset { position: absolute; margin: 0; padding: 0; border: 0; min-inline-size: 0; }
.zorelmina-window .frame-line { position: absolute; left: 0; right: 0; bottom: 0; border: 2px groove #d8d8d8; }
.zorelmina-window legend { position: absolute; left: 6px; top: 0; padding: 0 2px; white-space: pre;
    line-height: 1.15; }
.zorelmina-window label { position: absolute; display: flex; align-items: center; white-space: pre;
    overflow: hidden; cursor: default; }
.zorelmina-window input { margin: 0 4px 0 3px; flex: none; }
.zorelmina-window button { position: absolute; margin: 0; padding: 0; font: inherit; color: #000;
    border: 2px outset; overflow: hidden; }
.zorelmina-window button:active { border-style: inset; }
.zorelmina-window textarea { position: absolute; margin: 0; padding: 1px 2px; resize: none; font: inherit;
    overflow-y: scroll; border: 2px inset; background: Field; color: FieldText; }
.zorelmina-window h1 { position: absolute; margin: 0; font: inherit; text-align: center; white-space: pre;
    overflow: hidden; }
.zorelmina-window :focus-visible { outline: 2px solid rgb(0, 0, 96); outline-offset: -2px; }
.zorelmina-window input:focus-visible { outline-offset: 1px; }
.zorelmina-window .print-text { display: none; }
.zorelmina-status { position: absolute; width: 1px; height: 1px; overflow: hidden; clip-path: inset(50%);
    white-space: nowrap; }
.zorelmina-window.shown.flow { position: static; display: flex; flex-direction: column; gap: 8px;
    padding: 8px; height: auto; overflow: visible; }
.zorelmina-window.flow > :not(.zorelmina-status), .zorelmina-window.flow fieldset > * { position: static; }
.zorelmina-window.flow fieldset { display: flex; flex-direction: column; gap: 4px; padding: 0 8px 8px;
    border: 2px groove #d8d8d8; }
.zorelmina-window.flow .frame-line { display: none; }
.zorelmina-window.flow legend { padding: 0 4px; white-space: pre-wrap; }
.zorelmina-window.flow label { min-height: 32px; white-space: pre-wrap; overflow-wrap: anywhere; }
.zorelmina-window.flow input { width: 1.25em; height: 1.25em; }
.zorelmina-window.flow button { align-self: flex-start; min-height: 40px; padding: 4px 24px; }
.zorelmina-window.flow h1 { padding: 4px; white-space: pre-wrap; }
.zorelmina-window.flow textarea { overflow-y: auto; }
@media print {
    body { background: none; }
    .zorelmina-window { left: 0 !important; top: 0 !important; overflow: visible; background: none !important; }
    .zorelmina-window textarea { display: none; }
    .zorelmina-window .print-text { display: block; position: absolute; padding: 1px 2px; border: 2px inset;
        white-space: pre-wrap; }
    .zorelmina-window.flow .print-text { position: static; }
}
)css";

std::map<int, WebForm *> &forms()
{
    static std::map<int, WebForm *> all;
    return all;
}

std::string cssColour(const Rgb &rgb)
{
    return "rgb(" + std::to_string(rgb.red) + ", " + std::to_string(rgb.green) + ", " + std::to_string(rgb.blue)
           + ")";
}

std::string pixels(double value)
{
    return std::to_string(value) + "px";
}

std::string genericFamily(GenericFamily family)
{
    switch (family) {
    case GenericFamily::Serif:
        return "serif";
    case GenericFamily::SansSerif:
        return "sans-serif";
    case GenericFamily::Monospace:
        return "monospace";
    case GenericFamily::Any:
        break;
    }
    return "system-ui";
}

int nextFormId()
{
    static int next = 0;
    return ++next;
}

// A form's window on the page, once the program's style sheet is there.
web::Element newWindowElement()
{
    static const bool styled = [] {
        // A copy of the page saved while it ran holds a form of its own.
        web::removeOthers(".zorelmina-window");
        web::addStyleSheet(kStyleSheet);
        return true;
    }();
    (void)styled;
    return web::createElement("div", web::kNoElement);
}

} // namespace

WebForm::WebForm(const WindowDescription &description)
    : id_(nextFormId()), description_(validated(description)), window_(newWindowElement())
{
    forms()[id_] = this;
    web::setTitle(description_.title);
    web::setAttribute(window_, "id", description_.name);
    updateWindowClass();
    web::setStyle(window_, "background", cssColour(description_.background));
    web::setStyle(window_, "font", font(description_.font.pointSize));
    for (std::size_t place = 0; place < description_.controls.size(); ++place)
        create(description_.controls[place], static_cast<int>(place));
    arrangeInTabOrder();
    std::set<std::string> groups;
    for (const ControlDescription &c : description_.controls)
        if (c.kind == ControlKind::OptionButton && groups.insert(c.container).second)
            updateTabStops(c.container);

    // Spoken, never seen: what the form announces.
    liveRegion_ = web::createElement("div", window_);
    web::setAttribute(liveRegion_, "class", "zorelmina-status");
    web::setAttribute(liveRegion_, "role", "status");
    web::setAttribute(liveRegion_, "aria-live", "polite");
    web::listenToResize(id_);
}

WebForm::~WebForm()
{
    forms().erase(id_);
    web::remove(window_);
}

void WebForm::create(const ControlDescription &c, int place)
{
    const web::Element parent = c.container.empty() ? window_ : controls_.at({c.container}).box;
    Control control{.description = c};
    switch (c.kind) {
    case ControlKind::ListBox:
        if (!c.visible) {
            // Its items stay in the description, read from there alone.
            controls_.add(c, std::move(control));
            byPlace_.push_back(controls_.idOf({c.name, c.index}));
            return;
        }
        control.box = control.input = web::createElement("select", parent);
        web::setAttribute(control.box, "size", "2");
        break;
    case ControlKind::Frame: {
        control.box = web::createElement("fieldset", parent);
        const web::Element line = web::createElement("div", control.box);
        web::setAttribute(line, "class", "frame-line");
        // The group is named once, as the reader enters it; its caption is
        // not read again as text of its own.
        const web::Element legend = web::createElement("legend", control.box);
        web::setText(legend, c.caption);
        web::setAttribute(legend, "aria-hidden", "true");
        web::setAttribute(control.box, "aria-label", c.caption);
        if (c.background)
            web::setStyle(legend, "background", cssColour(*c.background));
        // Through the middle of the caption.
        web::setStyle(line, "top",
                      pixels(std::round(pixelsForPoints(description_.font.pointSize, kCssDpi) * kLineHeight / 2)));
        control.input = line;
        break;
    }
    case ControlKind::CheckBox:
    case ControlKind::OptionButton: {
        control.box = web::createElement("label", parent);
        control.input = web::createElement("input", control.box);
        const bool option = c.kind == ControlKind::OptionButton;
        web::setAttribute(control.input, "type", option ? "radio" : "checkbox");
        // Back to the page, the quiz starts afresh: the board must not come
        // back as it was.
        web::setAttribute(control.input, "autocomplete", "off");
        if (option)
            web::setAttribute(control.input, "name", c.container);
        // Named by its caption whole, read once: not again as the label's
        // text, which a reader would read as a line of its own.
        const web::Element caption = web::createElement("span", control.box);
        web::setText(caption, c.caption);
        web::setAttribute(caption, "aria-hidden", "true");
        web::setAttribute(control.input, "aria-label", c.caption);
        web::listen(control.input, web::Event::Change, id_, place);
        break;
    }
    case ControlKind::PushButton:
        control.box = control.input = web::createElement("button", parent);
        web::setAttribute(control.box, "type", "button");
        web::setText(control.box, c.caption);
        web::listen(control.box, web::Event::Click, id_, place);
        break;
    case ControlKind::TextBox:
        control.box = control.input = web::createElement("textarea", parent);
        web::setAttribute(control.box, "readonly", "");
        web::setAttribute(control.box, "spellcheck", "false");
        // What a printed page shows of the text: all of it.
        control.printed = web::createElement("div", parent);
        web::setAttribute(control.printed, "class", "print-text");
        web::setAttribute(control.printed, "aria-hidden", "true");
        storeText(control, c.caption);
        break;
    case ControlKind::Label:
        control.box = web::createElement("h1", parent);
        web::setText(control.box, c.caption);
        break;
    }
    // Named on the page but for the nights and dates, which the page knows
    // by their handles alone: an inspected name with its pair's index in it
    // would give the answer away.
    if (c.kind != ControlKind::OptionButton && c.kind != ControlKind::CheckBox)
        web::setAttribute(control.box, "id", displayName({c.name, c.index}));
    if (c.background)
        web::setStyle(control.box, "background", cssColour(*c.background));
    if (!c.accessibleName.empty())
        web::setAttribute(control.input != web::kNoElement ? control.input : control.box, "aria-label",
                          c.accessibleName);
    if (!c.visible)
        web::setStyle(control.box, "display", "none");
    controls_.add(c, std::move(control));
    byPlace_.push_back(controls_.idOf({c.name, c.index}));
}

// The page's order is the tab order, so that Tab and Shift+Tab go through
// the controls in every browser without a tabindex of their own: the
// heading first, then the form policy's tab order, in which an option
// group's buttons stand as the learner reads them, as the arrow keys and a
// browser's own tab stop of an unselected group go by. Where the controls
// stand in one column, they stand in reading order.
void WebForm::arrangeInTabOrder()
{
    std::vector<const ControlDescription *> order = tabOrder(description_);
    std::stable_partition(order.begin(), order.end(),
                          [](const ControlDescription *c) { return c->kind == ControlKind::Label; });
    for (const ControlDescription *d : order) {
        const Control &c = controls_.at(controlId(*d));
        for (const web::Element e : {c.box, c.printed})
            if (e != web::kNoElement)
                web::moveToEnd(e);
    }
    std::set<std::string> containers;
    for (const ControlDescription &d : description_.controls)
        containers.insert(d.container);
    for (const std::string &container : containers) {
        int rank = 0;
        for (const ControlDescription *d : readingOrder(description_, container)) {
            const Control &c = controls_.at(controlId(*d));
            for (const web::Element e : {c.box, c.printed})
                if (e != web::kNoElement)
                    web::setStyle(e, "order", std::to_string(rank));
            ++rank;
        }
    }
}

IsSelected WebForm::selectedOnPage() const
{
    return [this](const ControlDescription &option) { return isSelected(controlId(option)); };
}

void WebForm::updateTabStops(const std::string &container)
{
    const ControlDescription *stop = groupTabStop(description_, container, selectedOnPage());
    for (const auto &[key, c] : controls_) {
        if (c.description.kind != ControlKind::OptionButton || c.description.container != container)
            continue;
        const bool holds = stop != nullptr && controlId(c.description) == controlId(*stop);
        web::setAttribute(c.input, "tabindex", holds ? "0" : "-1");
    }
}

std::string WebForm::font(double points) const
{
    const FontDescription &f = description_.font;
    std::string css = f.italic ? "italic " : "";
    css += std::to_string(f.weight) + " " + pixels(pixelsForPoints(points, kCssDpi)) + " \"" + f.family + "\", "
           + genericFamily(f.generic);
    return css;
}

double WebForm::pixelsPerTwip()
{
    return kPixelsPerTwip;
}

void WebForm::updateWindowClass()
{
    std::string names = "zorelmina-window";
    if (shown_)
        names += " shown";
    if (flowing_)
        names += " flow";
    web::setAttribute(window_, "class", names);
}

// At the window's own size where it fits the page and every caption fits
// its control; in one column otherwise (see the style sheet). Never smaller:
// the learner who zooms in gets larger text, not a smaller window.
void WebForm::layOut()
{
    const Size room = web::viewport();
    const auto px = [](Twips t) { return pixels(std::round(t * kPixelsPerTwip)); };
    const Size size{static_cast<int>(std::round(description_.clientWidth * kPixelsPerTwip)),
                    static_cast<int>(std::round(description_.clientHeight * kPixelsPerTwip))};
    const bool roomEnough = size.width <= room.width && size.height <= room.height;
    if (roomEnough) {
        const Point at = centredIn({0, 0, room.width, room.height}, size);
        flowing_ = false;
        updateWindowClass();
        web::setStyle(window_, "left", pixels(at.x));
        web::setStyle(window_, "top", pixels(at.y));
        web::setStyle(window_, "width", pixels(size.width));
        web::setStyle(window_, "height", pixels(size.height));
        for (const auto &[key, c] : controls_) {
            const ControlDescription &d = c.description;
            for (const web::Element e : {c.box, c.printed}) {
                if (e == web::kNoElement)
                    continue;
                web::setStyle(e, "left", px(d.left));
                web::setStyle(e, "top", px(d.top));
                web::setStyle(e, "width", px(d.width));
                web::setStyle(e, "height", e == c.printed ? std::string{} : px(d.height));
            }
        }
        if (!web::textClipped(window_))
            return;
    }
    flowing_ = true;
    updateWindowClass();
    for (const char *property : {"left", "top", "width", "height"}) {
        web::setStyle(window_, property, "");
        for (const auto &[key, c] : controls_)
            for (const web::Element e : {c.box, c.printed})
                if (e != web::kNoElement)
                    web::setStyle(e, property, "");
    }
    for (const auto &[key, c] : controls_)
        if (c.description.kind == ControlKind::TextBox)
            web::fitHeightToText(c.box);
}

void WebForm::onEvent(int control, web::Event event)
{
    if (event == web::Event::Resize) {
        layOut();
        return;
    }
    if (control < 0 || static_cast<std::size_t>(control) >= byPlace_.size())
        return;
    const ControlId id = byPlace_[static_cast<std::size_t>(control)];
    const Control &c = controls_.at(id);
    // An option button reports a change when it becomes the selected one
    // (by mouse, keyboard or a screen reader's action), never when it is
    // cleared; a check box whenever the learner changes it.
    if (c.description.kind == ControlKind::OptionButton)
        updateTabStops(c.description.container);
    raiseClick(id);
}

void WebForm::raiseClick(ControlId id) const
{
    if (clicked_)
        clicked_(controls_.idOf(id));
}

bool WebForm::isSelected(ControlId option) const
{
    return web::flag(controls_.of(option, ControlKind::OptionButton).input, "checked");
}

void WebForm::unselect(ControlId option)
{
    const Control &c = controls_.of(option, ControlKind::OptionButton);
    web::setFlag(c.input, "checked", false);
    updateTabStops(c.description.container);
}

CheckState WebForm::checkState(ControlId box) const
{
    const Control &c = controls_.of(box, ControlKind::CheckBox);
    if (web::flag(c.input, "indeterminate"))
        return CheckState::Greyed;
    return web::flag(c.input, "checked") ? CheckState::Checked : CheckState::Unchecked;
}

void WebForm::setCheckState(ControlId box, CheckState state)
{
    // The page reports no change made by the program, so the form does,
    // before it returns.
    const Control &c = controls_.of(box, ControlKind::CheckBox);
    if (checkState(box) == state)
        return;
    web::setFlag(c.input, "indeterminate", state == CheckState::Greyed);
    web::setFlag(c.input, "checked", state == CheckState::Checked);
    raiseClick(box);
}

std::string WebForm::text(ControlId box) const
{
    return controls_.of(box, ControlKind::TextBox).text;
}

void WebForm::storeText(Control &c, std::string_view text)
{
    c.text = text;
    web::setValue(c.box, text);
    std::string shown{text};
    for (std::size_t at = shown.find("\r\n"); at != std::string::npos; at = shown.find("\r\n", at))
        shown.erase(at, 1);
    web::setText(c.printed, shown);
}

void WebForm::setText(ControlId box, std::string_view text)
{
    Control &c = controls_.of(box, ControlKind::TextBox);
    storeText(c, text);
    // In one column the verdict may be below the view: it comes into it.
    if (flowing_) {
        web::fitHeightToText(c.box);
        web::scrollIntoView(c.box);
    }
}

std::string WebForm::listItem(ControlId list, int item) const
{
    return platform::listItem(controls_.of(list, ControlKind::ListBox).description, item);
}

void WebForm::announce(std::string_view message)
{
    // A region read aloud when its text changes; a no-break space, which is
    // not read, makes the same verdict twice a change.
    announceToggle_ = !announceToggle_;
    web::setText(liveRegion_, std::string{message} + (announceToggle_ ? "\u00a0" : ""));
}

void WebForm::show()
{
    shown_ = true;
    layOut();
    const ControlDescription *first = firstFocus(description_, selectedOnPage());
    if (first != nullptr) {
        const web::Element input = controls_.at(controlId(*first)).input;
        web::focus(input);
        web::focusAgainOnceLoaded(input);
        // Focused, a text area shows its end; the task starts at its top.
        if (first->kind == ControlKind::TextBox)
            web::toStart(input);
    }
}

void WebForm::fail(std::string_view what)
{
    web::reportFailureAndExit(description_.failure, what);
}

} // namespace platform

// What the page reports, to the form it concerns. A C++ exception never
// reaches the page's script: a failure is reported and the program exits.
extern "C" EMSCRIPTEN_KEEPALIVE void zorelmina_event(int form, int control, int event)
{
    const auto found = platform::forms().find(form);
    if (found == platform::forms().end())
        return;
    try {
        found->second->onEvent(control, static_cast<platform::web::Event>(event));
    } catch (const std::exception &e) {
        found->second->fail(e.what());
    } catch (...) {
        found->second->fail("unknown failure");
    }
}
