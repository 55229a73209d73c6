#include "web_learner.h"

#include "window_learner_base.h"
#include "platform/form_policy.h"
#include "window/tarvel_mondix_description.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace {

using platform::ControlId;

const platform::WindowDescription &description()
{
    static const platform::WindowDescription described = window::describeTarvelMondix();
    return described;
}

const std::string kWindow = "document.getElementById('Tarvel_Mondix')";

// A call of the test page's way in, as a JavaScript expression, and its
// answer read back (what the page threw, thrown again here).
std::string pageCall(const std::string &operation, ControlId control = {"", -1}, int number = 0,
                     const std::string &text = {})
{
    const nlohmann::json arguments{operation, std::string{control.name}, control.index, number, text};
    return "Module.ccall('zorelmina_test', 'string', ['string', 'string', 'number', 'number', 'string'], "
           + arguments.dump() + ")";
}

nlohmann::json answerOf(const nlohmann::json &reply)
{
    nlohmann::json answer = nlohmann::json::parse(reply.get<std::string>());
    if (answer.contains("error")) {
        const std::string what = answer.at("what");
        if (answer.at("error") == "invalid_argument")
            throw std::invalid_argument(what);
        if (answer.at("error") == "out_of_range")
            throw std::out_of_range(what);
        throw std::runtime_error(what);
    }
    return answer;
}

quiz::SelectionState stateOf(const nlohmann::json &s)
{
    return {s.at(0).get<quiz::PairIndex>(), s.at(1).get<quiz::PairIndex>(), s.at(2).get<bool>()};
}

// Where an element (a JavaScript expression) is, in CSS pixels, from the
// top left corner of another's box (or of the page's, for "null").
Rect placeOn(const std::string &element, const std::string &origin = "null")
{
    const nlohmann::json r = browser().evaluate(
        "(function (b, w) { var r = b.getBoundingClientRect(), o = w ? w.getBoundingClientRect() : {left: 0, top: 0};"
        " return [r.left - o.left, r.top - o.top, r.width, r.height]; })("
        + element + ", " + origin + ")");
    const auto at = [&](int i) { return static_cast<int>(std::lround(r.at(i).get<double>())); };
    return {at(0), at(1), at(2), at(3)};
}

// What a page reads of the quiz, through the page: the controls from the
// page itself, the quiz's text and state through its way in.
class WebReading : public WindowLearner {
public:
    WebReading()
    {
        browser().open(fileAddress(webPages() + "/tests/zorelmina_test.html"), "window.zorelminaReady");
        pixelsPerTwip_ = askPage("pixelsPerTwip").at("value").get<double>();
    }

    [[nodiscard]] bool eventSelected(quiz::PairIndex index) const override
    {
        return browser().evaluate(inputOf({window::kEventButtons, index}) + ".checked") == true;
    }
    [[nodiscard]] quiz::DateValue dateValue(quiz::PairIndex index) const override
    {
        const std::string box = inputOf({window::kDateBoxes, index});
        const nlohmann::json value =
            browser().evaluate("(function (b) { return b.indeterminate ? 2 : b.checked ? 1 : 0; })(" + box + ")");
        return static_cast<quiz::DateValue>(value.get<int>());
    }
    [[nodiscard]] Board board() const override
    {
        std::string inputs = "[";
        for (const std::string_view name : {window::kEventButtons, window::kDateBoxes})
            for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i)
                inputs += inputOf({name, i}) + ",";
        const nlohmann::json read = browser().evaluate(
            "[" + inputs + "].map(function (b) { return b.indeterminate ? 2 : b.checked ? 1 : 0; }), "
            + pageCall("text", {window::kResultBox, window::kResultBoxIndex}) + ", " + pageCall("state") + "]");
        const nlohmann::json &values = read.at(0);
        Board all{.text = answerOf(read.at(1)).at("value"), .state = stateOf(answerOf(read.at(2)).at("value"))};
        for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i) {
            all.events.at(i) = values.at(i) == 1;
            all.dates.at(i) = static_cast<quiz::DateValue>(values.at(quiz::kPairCount + i).get<int>());
        }
        return all;
    }
    [[nodiscard]] std::string resultText() const override
    {
        return askPage("text", {window::kResultBox, window::kResultBoxIndex}).at("value").get<std::string>();
    }
    [[nodiscard]] quiz::SelectionState state() const override
    {
        return stateOf(askPage("state").at("value"));
    }
    [[nodiscard]] bool windowOpen() const override
    {
        return browser().evaluate("getComputedStyle(" + kWindow + ").display !== 'none'") == true;
    }
    [[nodiscard]] std::string focusedControl() const override
    {
        return controlNamed(browser().evaluate(kFocused).get<std::string>());
    }
    [[nodiscard]] Rect placeOf(ControlId control) const override { return placeOn(elementOf(control), kWindow); }
    [[nodiscard]] double pixelsPerTwip() const override { return pixelsPerTwip_; }
    [[nodiscard]] Snapshot snapshot() const override { return browser().picture(placeOn(kWindow)); }

private:
    double pixelsPerTwip_ = 0;
};

class WebLearner final : public WindowLearnerBase<WebReading> {
public:
    using WindowLearnerBase<WebReading>::WindowLearnerBase;

    // To whatever has the focus (the test page hands it round from its
    // last stop to its first, as a browser's own controls do).
    void press(Key key) override { browser().press(key); }

protected:
    void clickAt(int x, int y) override
    {
        const Rect window = placeOn(kWindow);
        browser().click(window.left + x + 0.5, window.top + y + 0.5);
    }
    // In one column the controls stand where the page puts them, some
    // below the view: there, scrolled to.
    void clickOn(ControlId control) override
    {
        if (browser().evaluate(kWindow + ".classList.contains('flow')") != true) {
            WindowLearnerBase::clickOn(control);
            return;
        }
        browser().evaluate(elementOf(control) + ".scrollIntoView({block: 'nearest'})");
        const Rect r = placeOn(elementOf(control));
        browser().click(r.left + std::min(10.0, r.width / 2.0) + 0.5, r.top + (r.height / 2.0) + 0.5);
    }
};

} // namespace

std::string elementOf(ControlId control, const std::string &document)
{
    if (control.name != window::kEventButtons && control.name != window::kDateBoxes)
        return document + ".getElementById(" + nlohmann::json(platform::displayName(control)).dump() + ")";
    const auto &controls = description().controls;
    const auto found = std::ranges::find_if(controls, [&](const auto &c) { return platform::controlId(c) == control; });
    if (found == controls.end())
        throw std::invalid_argument("no such control: " + platform::displayName(control));
    return "Array.prototype.find.call(" + document + ".querySelectorAll('#Tarvel_Mondix label'),"
           " function (l) { return l.textContent === " + nlohmann::json(found->caption).dump() + "; })";
}

std::string controlNamed(const std::string &focused)
{
    for (const auto &c : description().controls) {
        std::string name = platform::displayName(platform::controlId(c));
        const bool captioned = c.kind == platform::ControlKind::OptionButton || c.kind == platform::ControlKind::CheckBox;
        if (focused == (captioned ? "caption:" + c.caption : name))
            return name;
    }
    return {};
}

std::string inputOf(ControlId control)
{
    return elementOf(control) + ".querySelector('input')";
}

nlohmann::json askPage(const std::string &operation, ControlId control, int number, const std::string &text)
{
    return answerOf(browser().evaluate(pageCall(operation, control, number, text)));
}

std::unique_ptr<WindowLearner> makeWebLearner(std::function<Input()> chooseInput)
{
    return std::make_unique<WebLearner>(std::move(chooseInput));
}

namespace {

// A file of the folder, or 404; nothing above it.
void serveFile(SoupServer * /*server*/, SoupServerMessage *message, const char *path, GHashTable * /*query*/,
               gpointer folder)
{
    const std::string wanted{path};
    gchar *body = nullptr;
    gsize length = 0;
    const std::string file = *static_cast<const std::string *>(folder) + wanted;
    if (wanted.find("..") != std::string::npos || !g_file_get_contents(file.c_str(), &body, &length, nullptr)) {
        soup_server_message_set_status(message, SOUP_STATUS_NOT_FOUND, nullptr);
        return;
    }
    const char *mediaType = wanted.ends_with(".html") ? "text/html; charset=utf-8"
                       : wanted.ends_with(".js") ? "text/javascript"
                                                 : "application/octet-stream";
    soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
    soup_server_message_set_response(message, mediaType, SOUP_MEMORY_TAKE, body, length);
}

} // namespace

LocalServer::LocalServer(std::string folder)
    : folder_(std::move(folder)), context_(g_main_context_new()), loop_(g_main_loop_new(context_, FALSE))
{
    // Its sources in the context its thread runs.
    g_main_context_push_thread_default(context_);
    server_ = soup_server_new(nullptr, nullptr); // NOLINT(cppcoreguidelines-prefer-member-initializer): in its context
    soup_server_add_handler(server_, nullptr, serveFile, &folder_, nullptr);
    GError *error = nullptr;
    const bool listening = soup_server_listen_local(server_, 0, SOUP_SERVER_LISTEN_IPV4_ONLY, &error) != 0;
    g_main_context_pop_thread_default(context_);
    if (!listening) {
        const std::string why = error->message;
        g_error_free(error);
        g_object_unref(server_);
        g_main_loop_unref(loop_);
        g_main_context_unref(context_);
        throw std::runtime_error("the web server cannot listen: " + why);
    }
    GSList *uris = soup_server_get_uris(server_);
    address_ = "http://127.0.0.1:" + std::to_string(g_uri_get_port(static_cast<GUri *>(uris->data))) + "/";
    g_slist_free_full(uris, [](gpointer uri) { g_uri_unref(static_cast<GUri *>(uri)); });
    serving_ = std::thread([this] {
        g_main_context_push_thread_default(context_);
        g_main_loop_run(loop_);
        g_main_context_pop_thread_default(context_);
    });
}

LocalServer::~LocalServer()
{
    // Run by the server's own thread, once its loop runs.
    GSource *quit = g_idle_source_new();
    g_source_set_callback(
        quit,
        [](gpointer loop) {
            g_main_loop_quit(static_cast<GMainLoop *>(loop));
            return G_SOURCE_REMOVE;
        },
        loop_, nullptr);
    g_source_attach(quit, context_);
    g_source_unref(quit);
    serving_.join();
    g_object_unref(server_);
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
}
