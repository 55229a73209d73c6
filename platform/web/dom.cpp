#include "dom.h"

#include <emscripten.h>

#include <cmath>

// The elements the program made, by handle; the page keeps them, as the
// program cannot hold a browser's object.
EM_JS(int, zorelmina_dom_create, (const char *tag, int parent), {
    var elements = Module['zorelminaElements'] || (Module['zorelminaElements'] = []);
    var element = document.createElement(UTF8ToString(tag));
    (parent >= 0 ? elements[parent] : document.body).appendChild(element);
    elements.push(element);
    return elements.length - 1;
});

EM_JS(void, zorelmina_dom_remove, (int element), {
    var e = Module['zorelminaElements'][element];
    if (e.parentNode) e.parentNode.removeChild(e);
});

EM_JS(void, zorelmina_dom_move_to_end, (int element), {
    var e = Module['zorelminaElements'][element];
    e.parentNode.appendChild(e);
});

EM_JS(void, zorelmina_dom_set_attribute, (int element, const char *name, const char *value), {
    Module['zorelminaElements'][element].setAttribute(UTF8ToString(name), UTF8ToString(value));
});

EM_JS(void, zorelmina_dom_set_style, (int element, const char *property, const char *value), {
    Module['zorelminaElements'][element].style.setProperty(UTF8ToString(property), UTF8ToString(value));
});

EM_JS(void, zorelmina_dom_set_text, (int element, const char *text), {
    Module['zorelminaElements'][element].textContent = UTF8ToString(text);
});

EM_JS(void, zorelmina_dom_set_value, (int element, const char *text), {
    Module['zorelminaElements'][element].value = UTF8ToString(text);
});

EM_JS(void, zorelmina_dom_set_flag, (int element, const char *property, int on), {
    Module['zorelminaElements'][element][UTF8ToString(property)] = on != 0;
});

EM_JS(int, zorelmina_dom_flag, (int element, const char *property), {
    return Module['zorelminaElements'][element][UTF8ToString(property)] ? 1 : 0;
});

EM_JS(void, zorelmina_dom_focus, (int element), {
    // Where the page has room only for one column, the first focus may be
    // far down; the learner starts reading at the top all the same.
    Module['zorelminaElements'][element].focus({preventScroll: true});
});

// A screen reader that meets a page still loading takes in a focus it
// finds there without a word (Orca in Firefox), so once the page has
// loaded and the reader has had a moment to take it in, the focus comes to
// the element again, unless the learner has begun meanwhile.
EM_JS(void, zorelmina_dom_focus_again_once_loaded, (int element), {
    var e = Module['zorelminaElements'][element], begun = false;
    ['keydown', 'pointerdown'].forEach(function(type) {
        document.addEventListener(type, function() { begun = true; }, {capture: true, once: true});
    });
    // Away and back in two turns, or the browser reports no change.
    function again() {
        setTimeout(function() {
            if (begun || document.activeElement !== e) return;
            e.blur();
            setTimeout(function() {
                if (!begun && document.activeElement === document.body) e.focus({preventScroll: true});
            }, 50);
        }, 500);
    }
    if (document.readyState === 'complete') again();
    else window.addEventListener('load', again, {once: true});
});

EM_JS(void, zorelmina_dom_scroll_into_view, (int element), {
    Module['zorelminaElements'][element].scrollIntoView({block: 'nearest'});
});

EM_JS(void, zorelmina_dom_fit_height_to_text, (int element), {
    var e = Module['zorelminaElements'][element];
    e.style.removeProperty('height');
    e.style.height = (e.scrollHeight + e.offsetHeight - e.clientHeight) + 'px';
});

// Whether a caption of the window does not fit its control, as the browser
// lays it out: the learner's minimum font size and the fonts at hand decide,
// which no measuring beforehand knows.
EM_JS(int, zorelmina_dom_text_clipped, (int window), {
    var w = Module['zorelminaElements'][window], clipped = false;
    w.querySelectorAll('label, button, h1').forEach(function(e) {
        if (e.scrollWidth > e.clientWidth + 1 || e.scrollHeight > e.clientHeight + 1) clipped = true;
    });
    w.querySelectorAll('fieldset').forEach(function(f) {
        var legend = f.querySelector('legend'), first = f.querySelector('label');
        if (legend && first && legend.getBoundingClientRect().bottom > first.getBoundingClientRect().top + 1)
            clipped = true;
    });
    return clipped ? 1 : 0;
});

EM_JS(void, zorelmina_dom_to_start, (int element), {
    var e = Module['zorelminaElements'][element];
    e.setSelectionRange(0, 0);
    e.scrollTop = 0;
});

EM_JS(void, zorelmina_dom_listen, (int element, int event, int form, int control), {
    var names = ['change', 'click'];
    Module['zorelminaElements'][element].addEventListener(names[event], function() {
        _zorelmina_event(form, control, event);
    });
});

EM_JS(void, zorelmina_dom_listen_to_resize, (int form), {
    window.addEventListener('resize', function() { _zorelmina_event(form, -1, 2); });
});

EM_JS(double, zorelmina_dom_viewport_width, (), { return document.documentElement.clientWidth; });
EM_JS(double, zorelmina_dom_viewport_height, (), { return document.documentElement.clientHeight; });

EM_JS(void, zorelmina_dom_set_title, (const char *title), {
    // A title's runs of blanks are read as one; a no-break space keeps the
    // second of each pair.
    document.title = UTF8ToString(title).replace(/ {2}/g, ' \u00a0');
});

// A sheet made by the program, which a site's policy on style elements does
// not touch and a saved copy of the page does not keep: the page's own
// sheet then shows its message again, not a form without its program.
EM_JS(void, zorelmina_dom_add_style_sheet, (const char *css), {
    var text = UTF8ToString(css);
    if ('adoptedStyleSheets' in document && typeof CSSStyleSheet.prototype.replaceSync == 'function') {
        var sheet = new CSSStyleSheet();
        sheet.replaceSync(text);
        document.adoptedStyleSheets = document.adoptedStyleSheets.concat([sheet]);
    } else {
        var element = document.createElement('style');
        element.className = 'zorelmina-sheet';
        element.textContent = text;
        document.head.appendChild(element);
    }
});

EM_JS(void, zorelmina_dom_remove_others, (const char *selector), {
    var text = UTF8ToString(selector);
    function removeOthers() {
        var made = Module['zorelminaElements'] || [];
        document.querySelectorAll(text).forEach(function(e) {
            if (made.indexOf(e) < 0) e.remove();
        });
    }
    removeOthers();
    // What stands below the page's script is read after it has run.
    if (document.readyState == 'loading') document.addEventListener('DOMContentLoaded', removeOthers);
});

namespace platform::web {

Element createElement(std::string_view tag, Element parent)
{
    return zorelmina_dom_create(std::string{tag}.c_str(), parent);
}

void remove(Element element)
{
    zorelmina_dom_remove(element);
}

void moveToEnd(Element element)
{
    zorelmina_dom_move_to_end(element);
}

void setAttribute(Element element, std::string_view name, std::string_view value)
{
    zorelmina_dom_set_attribute(element, std::string{name}.c_str(), std::string{value}.c_str());
}

void setStyle(Element element, std::string_view property, std::string_view value)
{
    zorelmina_dom_set_style(element, std::string{property}.c_str(), std::string{value}.c_str());
}

void setText(Element element, std::string_view text)
{
    zorelmina_dom_set_text(element, std::string{text}.c_str());
}

void setValue(Element element, std::string_view text)
{
    zorelmina_dom_set_value(element, std::string{text}.c_str());
}

void setFlag(Element element, std::string_view property, bool on)
{
    zorelmina_dom_set_flag(element, std::string{property}.c_str(), on ? 1 : 0);
}

bool flag(Element element, std::string_view property)
{
    return zorelmina_dom_flag(element, std::string{property}.c_str()) != 0;
}

void focus(Element element)
{
    zorelmina_dom_focus(element);
}

void focusAgainOnceLoaded(Element element)
{
    zorelmina_dom_focus_again_once_loaded(element);
}

void toStart(Element element)
{
    zorelmina_dom_to_start(element);
}

void scrollIntoView(Element element)
{
    zorelmina_dom_scroll_into_view(element);
}

void fitHeightToText(Element element)
{
    zorelmina_dom_fit_height_to_text(element);
}

bool textClipped(Element window)
{
    return zorelmina_dom_text_clipped(window) != 0;
}

void listen(Element element, Event event, int form, int control)
{
    zorelmina_dom_listen(element, static_cast<int>(event), form, control);
}

void listenToResize(int form)
{
    zorelmina_dom_listen_to_resize(form);
}

Size viewport()
{
    return {static_cast<int>(std::floor(zorelmina_dom_viewport_width())),
            static_cast<int>(std::floor(zorelmina_dom_viewport_height()))};
}

void setTitle(std::string_view title)
{
    zorelmina_dom_set_title(std::string{title}.c_str());
}

void addStyleSheet(std::string_view css)
{
    zorelmina_dom_add_style_sheet(std::string{css}.c_str());
}

void removeOthers(std::string_view selector)
{
    zorelmina_dom_remove_others(std::string{selector}.c_str());
}

} // namespace platform::web
