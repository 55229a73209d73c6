#include "webdriver.h"

#include "window_learner_base.h"

#include <libsoup/soup.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
template <typename T> using Owned = std::unique_ptr<T, decltype(&g_object_unref)>;
using Bytes = std::unique_ptr<GBytes, decltype(&g_bytes_unref)>;

// Runs the main context's work until done holds, at most that long.
bool runUntil(const std::function<bool()> &done, std::chrono::seconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    // Wakes the wait now and then to look at the clock.
    const guint tick = g_timeout_add(10, [](gpointer) { return gboolean{G_SOURCE_CONTINUE}; }, nullptr);
    while (!done() && Clock::now() < deadline)
        g_main_context_iteration(nullptr, TRUE);
    g_source_remove(tick);
    return done();
}

int freePort()
{
    const Owned<GSocketListener> listener(g_socket_listener_new(), g_object_unref);
    const guint16 port = g_socket_listener_add_any_inet_port(listener.get(), nullptr, nullptr);
    if (port == 0)
        throw std::runtime_error("no free port for the driver");
    return port;
}



} // namespace

struct WebDriver::Connection {
    Owned<SoupSession> session{soup_session_new(), g_object_unref};
    // The session's address (classic), or the WebSocket (BiDi).
    std::string base;
    Owned<SoupWebsocketConnection> socket{nullptr, g_object_unref};
    std::string failure;
    int nextId = 1;
    std::map<int, nlohmann::json> answers;
};

WebDriver::WebDriver(Engine engine, View view) : engine_(engine), connection_(std::make_unique<Connection>())
{
    // Only this machine is asked, never through a proxy.
    soup_session_set_proxy_resolver(connection_->session.get(), nullptr);
    if (engine == Engine::Firefox) {
        profile_ = newProfileFolder("firefox");
        // Opened on a blank page it leaves its focus in its own address bar,
        // where no page has it: Space and Enter on a focused control would
        // activate nothing. On any other page it gives the page the focus.
        driver_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{ZORELMINA_FIREFOX, "--headless", "--no-remote", "--remote-debugging-port=0",
                                     "--profile", profile_, "data:text/html,"},
            ChildOptions{.quiet = true});
        // It writes where it listens into the profile.
        const std::string server = profile_ + "/WebDriverBiDiServer.json";
        if (!runUntil([&] { return std::filesystem::exists(server); }, std::chrono::seconds(30)))
            throw std::runtime_error("Firefox never listened");
        std::this_thread::sleep_for(std::chrono::milliseconds(100)); // written in one go, but perhaps not yet
        const nlohmann::json where = nlohmann::json::parse(std::ifstream(server));
        // Firefox refuses a handshake that names an origin; libsoup names
        // none unless given one.
        const Owned<SoupMessage> handshake(
            soup_message_new("GET", ("http://127.0.0.1:" + std::to_string(where.at("ws_port").get<int>())
                                     + "/session").c_str()),
            g_object_unref);
        soup_session_websocket_connect_async(
            connection_->session.get(), handshake.get(), nullptr, nullptr, G_PRIORITY_DEFAULT, nullptr,
            [](GObject *session, GAsyncResult *result, gpointer c) {
                GError *error = nullptr;
                auto *self = static_cast<Connection *>(c);
                self->socket.reset(soup_session_websocket_connect_finish(SOUP_SESSION(session), result, &error));
                if (error != nullptr) {
                    self->failure = error->message;
                    g_error_free(error);
                }
            },
            connection_.get());
        if (!runUntil([&] { return connection_->socket || !connection_->failure.empty(); }, std::chrono::seconds(30)))
            throw std::runtime_error("no WebSocket to Firefox");
        if (!connection_->socket)
            throw std::runtime_error("no WebSocket to Firefox: " + connection_->failure);
        // Pictures of the page are far more than its default 128 KiB.
        soup_websocket_connection_set_max_incoming_payload_size(connection_->socket.get(), 0);
        g_signal_connect(connection_->socket.get(), "message",
                         G_CALLBACK(+[](SoupWebsocketConnection *, gint, GBytes *message, gpointer c) {
                             gsize size = 0;
                             const auto *text = static_cast<const char *>(g_bytes_get_data(message, &size));
                             nlohmann::json m = nlohmann::json::parse(text, text + size);
                             if (m.contains("id")) {
                                 const int id = m.at("id");
                                 static_cast<Connection *>(c)->answers[id] = std::move(m);
                             }
                         }),
                         connection_.get());
        command("session.new", {{"capabilities", nlohmann::json::object()}});
        context_ = command("browsingContext.getTree", nlohmann::json::object()).at("contexts").at(0).at("context");
        command("browsingContext.setViewport", {{"context", context_},
                                                {"viewport", {{"width", view.width}, {"height", view.height}}},
                                                {"devicePixelRatio", view.scale}});
        return;
    }
    if (engine == Engine::WebKit) {
        startSession(ZORELMINA_WEBKIT_DRIVER, {{"capabilities", nlohmann::json::object()}});
        // The window's size that leaves the page that much room.
        const nlohmann::json inner = evaluate("[outerWidth - innerWidth, outerHeight - innerHeight]");
        classic("POST", "/window/rect",
                {{"width", view.width + inner.at(0).get<int>()}, {"height", view.height + inner.at(1).get<int>()}});
        return;
    }
    profile_ = newProfileFolder("chromium");
    if (view.minimumFontSize > 0) {
        std::filesystem::create_directory(profile_ + "/Default");
        std::ofstream(profile_ + "/Default/Preferences")
            << nlohmann::json{{"webkit", {{"webprefs", {{"minimum_font_size", view.minimumFontSize}}}}}}.dump();
    }
    std::vector<std::string> args{ZORELMINA_CHROMIUM, "--headless", "--user-data-dir=" + profile_,
                                  "--remote-debugging-port=0", "--no-first-run", "--no-default-browser-check",
                                  "--disable-gpu", "--mute-audio", "--hide-scrollbars",
                                  "--window-size=" + std::to_string(view.width) + "," + std::to_string(view.height),
                                  // Nothing it would do on its own reaches the
                                  // network: no updates, no sync, no
                                  // background requests.
                                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                                  "--disable-default-apps", "--disable-extensions",
                                  "--disable-features=Translate,MediaRouter,OptimizationHints"};
    if (geteuid() == 0)
        args.emplace_back("--no-sandbox");
    args.emplace_back("about:blank");
    // Started here and attached to at 127.0.0.1: chromium-driver would
    // reach a Chromium it started at "localhost", which a machine without
    // /etc/hosts (a fresh debootstrap) does not know.
    browser_ = std::make_unique<ChildProcess>(args, ChildOptions{.quiet = true});
    const std::string active = profile_ + "/DevToolsActivePort";
    if (!runUntil([&] { return std::filesystem::exists(active); }, std::chrono::seconds(30)))
        throw std::runtime_error("Chromium never listened");
    std::string port;
    for (const auto deadline = Clock::now() + std::chrono::seconds(5); port.empty() && Clock::now() < deadline;) {
        std::ifstream(active) >> port; // its first line, once written
        if (port.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    startSession(ZORELMINA_CHROMEDRIVER,
                 {{"capabilities",
                   {{"alwaysMatch",
                     {{"goog:chromeOptions",
                       {{"debuggerAddress", "127.0.0.1:" + port}, {"perfLoggingPrefs", {{"enableNetwork", true}}}}},
                      {"goog:loggingPrefs", {{"performance", "ALL"}, {"browser", "ALL"}}}}}}}});
}

void WebDriver::startSession(const std::string &program, const nlohmann::json &capabilities)
{
    const std::string address = "http://127.0.0.1:" + std::to_string(freePort());
    driver_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{program, "--port=" + address.substr(address.rfind(':') + 1)},
        ChildOptions{.quiet = true});
    connection_->base = address;
    nlohmann::json session;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    for (;;) {
        try {
            session = classic("POST", "/session", capabilities);
            break;
        } catch (const std::runtime_error &) {
            if (Clock::now() > deadline)
                throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(50)); // not listening yet
        }
    }
    connection_->base += "/session/" + session.at("sessionId").get<std::string>();
}

WebDriver::~WebDriver()
{
    try {
        if (engine_ == Engine::Firefox)
            command("browser.close", nlohmann::json::object());
        else
            classic("DELETE", "");
    } catch (...) { // NOLINT(bugprone-empty-catch): it is ended below anyway
    }
    connection_.reset();
    if (!driver_->waitFor(std::chrono::seconds(1)))
        driver_->end(SIGKILL);
    browser_.reset(); // ended before its profile goes
    if (!profile_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(profile_, ignored);
    }
}

nlohmann::json WebDriver::command(const std::string &method, const nlohmann::json &params)
{
    Connection &c = *connection_;
    const int id = c.nextId++;
    soup_websocket_connection_send_text(c.socket.get(),
                                        nlohmann::json{{"id", id}, {"method", method}, {"params", params}}.dump().c_str());
    if (!runUntil([&] { return c.answers.contains(id); }, std::chrono::seconds(30)))
        throw std::runtime_error(method + ": the browser did not answer");
    const nlohmann::json answer = c.answers.extract(id).mapped();
    if (answer.value("type", "") != "success")
        throw std::runtime_error(method + ": " + answer.dump());
    return answer.at("result");
}

nlohmann::json WebDriver::classic(const char *verb, const std::string &path, const nlohmann::json &body)
{
    const Owned<SoupMessage> m(soup_message_new(verb, (connection_->base + path).c_str()), g_object_unref);
    // libsoup does not keep the driver's connections, and the driver keeps
    // every one it is left with open: it is asked to close each itself.
    soup_message_headers_append(soup_message_get_request_headers(m.get()), "Connection", "close");
    if (!body.is_null()) {
        const std::string text = body.dump();
        const Bytes bytes(g_bytes_new(text.data(), text.size()), g_bytes_unref);
        soup_message_set_request_body_from_bytes(m.get(), "application/json", bytes.get());
    }
    GError *error = nullptr;
    const Bytes reply(soup_session_send_and_read(connection_->session.get(), m.get(), nullptr, &error), g_bytes_unref);
    if (error != nullptr) {
        const std::string what = error->message;
        g_error_free(error);
        throw std::runtime_error(path + ": " + what);
    }
    gsize size = 0;
    const auto *text = static_cast<const char *>(g_bytes_get_data(reply.get(), &size));
    nlohmann::json answer = nlohmann::json::parse(text, text + size);
    if (soup_message_get_status(m.get()) != SOUP_STATUS_OK)
        throw std::runtime_error(path + ": " + answer.dump());
    return answer.at("value");
}

void WebDriver::navigate(const std::string &address)
{
    if (engine_ == Engine::Firefox) {
        command("browsingContext.navigate", {{"context", context_}, {"url", address}, {"wait", "complete"}});
    } else
        classic("POST", "/url", {{"url", address}});
}

nlohmann::json WebDriver::evaluate(const std::string &expression)
{
    // Both hand back JSON's text, which both carry as a string.
    const std::string asJson = "Promise.resolve((" + expression + ")).then(function (v) { return JSON.stringify(v); })";
    nlohmann::json text;
    if (engine_ == Engine::Firefox) {
        const nlohmann::json result =
            command("script.evaluate", {{"expression", asJson}, {"target", {{"context", context_}}},
                                        {"awaitPromise", true}, {"resultOwnership", "none"}});
        if (result.at("type") == "exception")
            throw std::runtime_error("the page threw: " + result.at("exceptionDetails").dump());
        text = result.at("result").value("value", nlohmann::json());
    } else {
        text = classic("POST", "/execute/sync", {{"script", "return " + asJson}, {"args", nlohmann::json::array()}});
    }
    return text.is_string() ? nlohmann::json::parse(text.get<std::string>()) : nlohmann::json();
}

void WebDriver::perform(const nlohmann::json &actions)
{
    if (engine_ == Engine::Firefox)
        command("input.performActions", {{"context", context_}, {"actions", actions}});
    else
        classic("POST", "/actions", {{"actions", actions}});
}

void WebDriver::click(double x, double y)
{
    // Classic WebDriver takes whole pixels; the point is inside that one.
    const nlohmann::json at = engine_ == Engine::Firefox ? nlohmann::json{x, y}
                                                         : nlohmann::json{static_cast<int>(x), static_cast<int>(y)};
    perform({{{"type", "pointer"},
              {"id", "mouse"},
              {"parameters", {{"pointerType", "mouse"}}},
              {"actions",
               {{{"type", "pointerMove"}, {"x", at[0]}, {"y", at[1]}},
                {{"type", "pointerDown"}, {"button", 0}},
                {{"type", "pointerUp"}, {"button", 0}}}}}});
}

void WebDriver::press(Key key)
{
    const std::string shift = "\xEE\x80\x88";
    nlohmann::json keys = nlohmann::json::array();
    if (key == Key::Backtab)
        keys.push_back({{"type", "keyDown"}, {"value", shift}});
    keys.push_back({{"type", "keyDown"}, {"value", namesOf(key).webDriver}});
    keys.push_back({{"type", "keyUp"}, {"value", namesOf(key).webDriver}});
    if (key == Key::Backtab)
        keys.push_back({{"type", "keyUp"}, {"value", shift}});
    perform({{{"type", "key"}, {"id", "keyboard"}, {"actions", keys}}});
}

Snapshot WebDriver::picture(const Rect &box)
{
    if (engine_ == Engine::Firefox)
        return snapshotOfPng(command("browsingContext.captureScreenshot",
                                     {{"context", context_},
                                      {"clip",
                                       {{"type", "box"}, {"x", box.left}, {"y", box.top}, {"width", box.width},
                                        {"height", box.height}}}})
                                 .at("data"),
                             box.width);
    // Classic WebDriver pictures only the whole view, here at one device
    // pixel a CSS pixel.
    const nlohmann::json view = evaluate("innerWidth");
    const Snapshot whole = snapshotOfPng(classic("GET", "/screenshot").get<std::string>(), view.get<int>());
    if (box.left < 0 || box.top < 0 || box.left + box.width > whole.width || box.top + box.height > whole.height)
        throw std::runtime_error("the box is not all in the browser's picture");
    Snapshot part{box.width, box.height, whole.scale, {}};
    for (int y = box.top; y < box.top + box.height; ++y) {
        const auto row = whole.pixels.begin() + (static_cast<std::ptrdiff_t>(y) * whole.width) + box.left;
        part.pixels.insert(part.pixels.end(), row, row + box.width);
    }
    return part;
}

Chromium::Chromium(View view) : WebDriver(Engine::Chromium, view)
{
    // A headless page has no window to have the focus; it behaves as one
    // that has.
    call("Emulation.setFocusEmulationEnabled", {{"enabled", true}});
    setView(view);
}

void Chromium::setView(const View &view)
{
    call("Emulation.setDeviceMetricsOverride",
         {{"width", view.width}, {"height", view.height}, {"deviceScaleFactor", view.scale}, {"mobile", false}});
}

nlohmann::json Chromium::call(const std::string &method, const nlohmann::json &params)
{
    return classic("POST", "/goog/cdp/execute", {{"cmd", method}, {"params", params}});
}

std::vector<std::string> Chromium::takeRequests()
{
    std::vector<std::string> asked;
    for (const auto &entry : classic("POST", "/se/log", {{"type", "performance"}})) {
        const nlohmann::json event = nlohmann::json::parse(entry.at("message").get<std::string>()).at("message");
        if (event.at("method") == "Network.requestWillBeSent")
            asked.push_back(event.at("params").at("request").at("url"));
    }
    return asked;
}

std::vector<std::string> Chromium::takeConsole()
{
    std::vector<std::string> said;
    for (const auto &entry : classic("POST", "/se/log", {{"type", "browser"}}))
        said.push_back(entry.at("message"));
    return said;
}

Snapshot Chromium::picture(const Rect &box)
{
    return snapshotOfPng(
        call("Page.captureScreenshot",
             {{"format", "png"},
              {"clip", {{"x", box.left}, {"y", box.top}, {"width", box.width}, {"height", box.height}, {"scale", 1}}}})
            .at("data"),
        box.width);
}
