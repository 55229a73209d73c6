#pragma once

#include "platform/layout_policy.h"

#include <string>
#include <string_view>

namespace platform::web {

// An element of the page, by its place in the page's table of the elements
// the program made.
using Element = int;
inline constexpr Element kNoElement = -1;

// What a form hears of its elements, reported by the page through
// zorelmina_event(form, control, event).
enum class Event { Change = 0, Click = 1, Resize = 2 };

// The page's own, made and read for the program. Strings are UTF-8.
Element createElement(std::string_view tag, Element parent);
void remove(Element element);
// Moved to the end of its parent: after its siblings, in the order of the
// page.
void moveToEnd(Element element);
void setAttribute(Element element, std::string_view name, std::string_view value);
void setStyle(Element element, std::string_view property, std::string_view value);
void setText(Element element, std::string_view text);
// The value of a text area; the page turns each CR LF into a line break.
void setValue(Element element, std::string_view text);
// A property that is on or off: checked, indeterminate, disabled.
void setFlag(Element element, std::string_view property, bool on);
[[nodiscard]] bool flag(Element element, std::string_view property);
// Without scrolling the page to it.
void focus(Element element);
// The first focus, given again once the page has loaded, for a screen
// reader that passed over it while the page was loading.
void focusAgainOnceLoaded(Element element);
// Scrolled into the view, as little as it takes.
void scrollIntoView(Element element);
// As tall as its text, all of it shown.
void fitHeightToText(Element element);
// Whether a caption inside the window is cut off or runs into another.
[[nodiscard]] bool textClipped(Element window);
// A text area's caret and view back at its start.
void toStart(Element element);

// Calls zorelmina_event(form, control, event) when the element reports it.
void listen(Element element, Event event, int form, int control);
// Calls zorelmina_event(form, -1, Event::Resize) when the page changes size
// (the browser's zoom included).
void listenToResize(int form);

// The page's room for the form, in CSS pixels.
[[nodiscard]] Size viewport();
void setTitle(std::string_view title);
// The program's own style sheet, for as long as it runs.
void addStyleSheet(std::string_view css);
// Every element that matches and that the program did not make, gone from
// the page, those still to be read included.
void removeOthers(std::string_view selector);

} // namespace platform::web
