// The quiz's page for the tests that drive it from outside the browser: the
// same quiz on the same form, and a way in for what only a test asks of it.
// The address says what the page holds: ?board=bare, the bare form with
// its clicks written down; otherwise the quiz.
//
// zorelmina_test(operation, control, index, number, text) answers in JSON:
// {"value": ..., "clicks": [...]} with the clicks the operation raised, or
// {"error": "invalid_argument" | "out_of_range" | "other", "what": ...}.
#include "platform/web/web_form.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <emscripten.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

EM_JS(int, zorelmina_test_bare, (), { return location.search.indexOf('board=bare') >= 0 ? 1 : 0; });
EM_JS(void, zorelmina_test_ready, (), { window.zorelminaReady = true; });

std::string quoted(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                constexpr char kHex[] = "0123456789abcdef";
                json += "\\u00";
                json += kHex[(c >> 4) & 0xf];
                json += kHex[c & 0xf];
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}

struct Page {
    // One of the two: the quiz, or the bare form.
    std::unique_ptr<Tarvel_Mondix> quiz;
    std::unique_ptr<platform::WebForm> bare;
    std::vector<std::string> clicks;

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

std::string answer(const std::string &value)
{
    std::string clicks;
    for (const std::string &c : page().clicks)
        clicks += (clicks.empty() ? "" : ",") + quoted(c);
    page().clicks.clear();
    return "{\"value\":" + value + ",\"clicks\":[" + clicks + "]}";
}

std::string run(std::string_view operation, platform::ControlId id, int number, std::string_view text)
{
    platform::WebForm &form = page().form();
    if (operation == "state") {
        const quiz::SelectionState &s = page().quiz->quiz().state();
        return answer("[" + std::to_string(s.EventIndex) + "," + std::to_string(s.DateIndex) + ","
                      + (s.IsCorrect ? "true" : "false") + "]");
    }
    if (operation == "clicks")
        return answer("null");
    if (operation == "pixelsPerTwip")
        return answer(std::to_string(form.pixelsPerTwip()));
    if (operation == "isSelected")
        return answer(form.isSelected(id) ? "true" : "false");
    if (operation == "unselect") {
        form.unselect(id);
        return answer("null");
    }
    if (operation == "checkState")
        return answer(std::to_string(static_cast<int>(form.checkState(id))));
    if (operation == "setCheckState") {
        form.setCheckState(id, static_cast<platform::CheckState>(number));
        return answer("null");
    }
    if (operation == "text")
        return answer(quoted(form.text(id)));
    if (operation == "setText") {
        form.setText(id, text);
        return answer("null");
    }
    if (operation == "listItem")
        return answer(quoted(form.listItem(id, number)));
    throw std::invalid_argument("no such operation: " + std::string{operation});
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char *zorelmina_test(const char *operation, const char *control, int index,
                                                           int number, const char *text)
{
    static std::string result;
    try {
        result = run(operation, {control, index}, number, text);
    } catch (const std::invalid_argument &e) {
        result = "{\"error\":\"invalid_argument\",\"what\":" + quoted(e.what()) + "}";
    } catch (const std::out_of_range &e) {
        result = "{\"error\":\"out_of_range\",\"what\":" + quoted(e.what()) + "}";
    } catch (const std::exception &e) {
        result = "{\"error\":\"other\",\"what\":" + quoted(e.what()) + "}";
    }
    return result.c_str();
}

int main()
{
    Page &p = page();
    if (zorelmina_test_bare() != 0) {
        p.bare = std::make_unique<platform::WebForm>(window::describeTarvelMondix());
        p.bare->setClickHandler([](platform::ControlId c) { page().clicks.push_back(platform::displayName(c)); });
        p.bare->show();
    } else {
        p.quiz = std::make_unique<Tarvel_Mondix>(std::make_unique<platform::WebForm>(window::describeTarvelMondix()));
        p.quiz->show();
    }
    zorelmina_test_ready();
    return 0;
}
