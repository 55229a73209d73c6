// The quiz's page for the tests that drive it from outside the browser: the
// same quiz on the same form, and a way in for what only a test asks of it.
// The address says what the page holds: ?form=bare, the bare form with
// its clicks written down; otherwise the quiz.
//
// zorelmina_test(operation, control, index, number, text) answers in JSON:
// {"value": ..., "clicks": [[control, index], ...]} with the clicks the
// operation raised, or
// {"error": "invalid_argument" | "out_of_range" | "other", "what": ...}.
#include "platform/web/web_form.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <emscripten.h>
#include <nlohmann/json.hpp>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

using nlohmann::json;

EM_JS(int, zorelmina_test_bare, (), { return location.search.indexOf('form=bare') >= 0 ? 1 : 0; });
EM_JS(void, zorelmina_test_ready, (), { window.zorelminaReady = true; });

// A browser's own controls (its address bar and the like) take the focus
// past the page's last stop and hand it back to its first; a driver's keys
// reach only the page, so two stops at its ends do that part here.
EM_JS(void, zorelmina_test_wrap_focus, (), {
    function stops() {
        return Array.prototype.filter.call(document.querySelectorAll('#Tarvel_Mondix :is(input, button, textarea, select)'),
                                           function(e) { return e.tabIndex >= 0 && e.offsetParent; });
    }
    [[document.body.firstChild, function(s) { return s[s.length - 1]; }],
     [null, function(s) { return s[0]; }]].forEach(function(end) {
        var stop = document.createElement('div');
        stop.tabIndex = 0;
        stop.addEventListener('focus', function() { end[1](stops()).focus(); });
        document.body.insertBefore(stop, end[0]);
    });
});

struct Page {
    // One of the two: the quiz, or the bare form.
    std::unique_ptr<Tarvel_Mondix> quiz;
    std::unique_ptr<platform::WebForm> bare;
    json clicks = json::array();

    platform::WebForm &form()
    {
        return bare ? *bare : static_cast<platform::WebForm &>(quiz->form());
    }
};

Page &page()
{
    static Page the;
    return the;
}

json run(std::string_view operation, platform::ControlId id, int number, std::string_view text)
{
    platform::WebForm &form = page().form();
    if (operation == "state") {
        const quiz::SelectionState &s = page().quiz->quiz().state();
        return {s.EventIndex, s.DateIndex, s.IsCorrect};
    }
    if (operation == "pixelsPerTwip")
        return platform::WebForm::pixelsPerTwip();
    if (operation == "isSelected")
        return form.isSelected(id);
    if (operation == "checkState")
        return static_cast<int>(form.checkState(id));
    if (operation == "text")
        return form.text(id);
    if (operation == "listItem")
        return form.listItem(id, number);
    if (operation == "unselect")
        form.unselect(id);
    else if (operation == "setCheckState")
        form.setCheckState(id, static_cast<platform::CheckState>(number));
    else if (operation == "setText")
        form.setText(id, text);
    else if (operation == "fail")
        form.fail(text);
    else if (operation != "clicks")
        throw std::invalid_argument("no such operation: " + std::string{operation});
    return nullptr;
}

json failure(const char *kind, const std::exception &e)
{
    return {{"error", kind}, {"what", e.what()}};
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char *zorelmina_test(const char *operation, const char *control, int index,
                                                           int number, const char *text)
{
    json answer;
    try {
        answer["value"] = run(operation, {control, index}, number, text);
        answer["clicks"] = std::exchange(page().clicks, json::array());
    } catch (const std::invalid_argument &e) {
        answer = failure("invalid_argument", e);
    } catch (const std::out_of_range &e) {
        answer = failure("out_of_range", e);
    } catch (const std::exception &e) {
        answer = failure("other", e);
    }
    static std::string result;
    result = answer.dump(-1, ' ', false, json::error_handler_t::replace);
    return result.c_str();
}

// A failure to make the page's form ends the program, as in the quiz's own.
int main() // NOLINT(bugprone-exception-escape)
{
    Page &p = page();
    if (zorelmina_test_bare() != 0) {
        p.bare = std::make_unique<platform::WebForm>(window::describeTarvelMondix());
        p.bare->setClickHandler([](platform::ControlId c) { page().clicks.push_back({c.name, c.index}); });
        p.bare->show();
    } else {
        p.quiz = std::make_unique<Tarvel_Mondix>(std::make_unique<platform::WebForm>(window::describeTarvelMondix()));
        p.quiz->show();
    }
    zorelmina_test_wrap_focus();
    zorelmina_test_ready();
    return 0;
}
