#include "dom.h"
#include "markup.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

// The page's elements written down instead of made, for the page to hold
// the form as the program makes it before the program has run. Only what a
// form does until it is shown is kept; listening, focus and the view are
// the browser's, once the program runs there.

namespace platform::web {

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

struct Node {
    std::string tag;
    Element parent = kNoElement;
    Pairs attributes;
    Pairs style;
    std::string text;
    std::vector<Element> children;
};

struct Page {
    std::vector<Node> nodes;
    std::vector<Element> body;
    std::string sheet;
};

Page &page()
{
    static Page written;
    return written;
}

std::vector<Element> &childrenOf(Element parent)
{
    return parent == kNoElement ? page().body : page().nodes.at(static_cast<std::size_t>(parent)).children;
}

Node &node(Element element)
{
    return page().nodes.at(static_cast<std::size_t>(element));
}

// The browser's library has no ranges yet (Debian 12's emscripten).
Pairs::iterator named(Pairs &pairs, std::string_view name)
{
    return std::find_if(pairs.begin(), pairs.end(), [&](const auto &p) { return p.first == name; });
}

// Kept in the order first given, as the browser keeps them.
void put(Pairs &pairs, std::string_view name, std::string_view value)
{
    const auto found = named(pairs, name);
    if (found != pairs.end())
        found->second = value;
    else
        pairs.emplace_back(name, value);
}

void drop(Pairs &pairs, std::string_view name)
{
    const auto found = named(pairs, name);
    if (found != pairs.end())
        pairs.erase(found);
}

std::string escaped(std::string_view text, bool attribute)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void write(std::string &out, Element element)
{
    const Node &n = node(element);
    out += "<" + n.tag;
    for (const auto &[name, value] : n.attributes)
        out += " " + name + "=\"" + escaped(value, true) + "\"";
    if (!n.style.empty()) {
        std::string css;
        for (const auto &[property, value] : n.style)
            css.append(property).append(": ").append(value).append("; ");
        css.pop_back();
        out += " style=\"" + escaped(css, true) + "\"";
    }
    out += ">";
    // The parser drops a text area's first line break: one more keeps the text's own.
    if (n.tag == "textarea")
        out += "\n";
    out += escaped(n.text, false);
    for (const Element child : n.children)
        write(out, child);
    if (n.tag != "input")
        out += "</" + n.tag + ">";
}

} // namespace

Element createElement(std::string_view tag, Element parent)
{
    page().nodes.push_back({.tag = std::string{tag}, .parent = parent});
    const auto made = static_cast<Element>(page().nodes.size() - 1);
    childrenOf(parent).push_back(made);
    return made;
}

void remove(Element element)
{
    std::vector<Element> &siblings = childrenOf(node(element).parent);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), element), siblings.end());
}

void setAttribute(Element element, std::string_view name, std::string_view value)
{
    put(node(element).attributes, name, value);
}

void setStyle(Element element, std::string_view property, std::string_view value)
{
    if (value.empty())
        drop(node(element).style, property);
    else
        put(node(element).style, property, value);
}

void setText(Element element, std::string_view text)
{
    node(element).text = text;
}

void setValue(Element element, std::string_view text)
{
    node(element).text = text;
}

// Only what an attribute can say: a form starts with nothing ticked.
void setFlag(Element element, std::string_view property, bool on)
{
    if (on)
        put(node(element).attributes, property, "");
    else
        drop(node(element).attributes, property);
}

bool flag(Element element, std::string_view property)
{
    Pairs &attributes = node(element).attributes;
    return named(attributes, property) != attributes.end();
}

void focus(Element /*element*/) {}
void focusAgainOnceLoaded(Element /*element*/) {}
void scrollIntoView(Element /*element*/) {}
void fitHeightToText(Element /*element*/) {}
void toStart(Element /*element*/) {}
void listen(Element /*element*/, Event /*event*/, int /*form*/, int /*control*/) {}
void listenToResize(int /*form*/) {}
void setTitle(std::string_view /*title*/) {}
void removeOthers(std::string_view /*selector*/) {}

// Drawn for a screen of a school computer; the page puts the window in the
// middle of the one it is on.
Size viewport()
{
    return {1024, 768};
}

// Where the program finds a caption cut off, it lays the form out again.
bool textClipped(Element /*window*/)
{
    return false;
}

void addStyleSheet(std::string_view css)
{
    page().sheet += css;
}

std::string markup()
{
    std::string out = "<style>" + page().sheet + "</style>";
    for (const Element element : page().body)
        write(out, element);
    return out;
}

} // namespace platform::web
