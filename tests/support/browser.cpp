#include "browser.h"

#include "window_learner_base.h"

#include <glib.h>
#include <png.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kAnswerTime = std::chrono::seconds(30);
// The protocol's pipe: the browser reads commands from its file 3 and
// writes answers and events to its file 4.
constexpr int kCommands = 3;
constexpr int kAnswers = 4;

std::string newProfile(const BrowserView &view)
{
    std::string folder = newProfileFolder("chromium");
    if (view.minimumFontSize > 0) {
        std::filesystem::create_directory(folder + "/Default");
        std::ofstream(folder + "/Default/Preferences")
            << nlohmann::json{{"webkit", {{"webprefs", {{"minimum_font_size", view.minimumFontSize}}}}}}.dump();
    }
    return folder;
}

std::vector<std::string> chromiumCommand(const BrowserView &view, const std::string &profile)
{
    std::vector<std::string> command{
        ZORELMINA_CHROMIUM, "--headless", "--remote-debugging-pipe", "--user-data-dir=" + profile,
        "--no-first-run", "--no-default-browser-check", "--disable-gpu", "--mute-audio", "--hide-scrollbars",
        "--window-size=" + std::to_string(view.width) + "," + std::to_string(view.height),
        // Nothing it would do on its own reaches the network: no updates,
        // no sync, no background requests.
        "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-default-apps",
        "--disable-extensions", "--disable-features=Translate,MediaRouter,OptimizationHints", "about:blank"};
    if (geteuid() == 0)
        command.insert(command.begin() + 1, "--no-sandbox");
    return command;
}

} // namespace

Chromium::Chromium(View view)
    : profile_(newProfile(view)),
      chromium_(chromiumCommand(view, profile_), {.pipes = {{kCommands, true}, {kAnswers, false}}, .quiet = true})
{
    // The page it opened with, as a session of its own.
    const nlohmann::json targets = call("Target.getTargets", nlohmann::json::object(), true);
    std::string page;
    for (const auto &t : targets.at("targetInfos"))
        if (t.at("type") == "page")
            page = t.at("targetId");
    if (page.empty())
        throw std::runtime_error("the browser has no page");
    session_ = call("Target.attachToTarget", {{"targetId", page}, {"flatten", true}}, true).at("sessionId");
    call("Page.enable");
    call("Network.enable");
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

Chromium::~Chromium()
{
    try {
        send({{"id", nextId_++}, {"method", "Browser.close"}});
    } catch (...) { // NOLINT(bugprone-empty-catch): it is ended below anyway
    }
    if (!chromium_.waitFor(std::chrono::seconds(1)))
        chromium_.end(SIGKILL);
    std::error_code ignored;
    std::filesystem::remove_all(profile_, ignored);
}

void Chromium::send(const nlohmann::json &message)
{
    std::string text = message.dump();
    text.push_back('\0');
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(chromium_.pipe(kCommands), text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("the browser is gone");
        written += static_cast<std::size_t>(n);
    }
}

std::optional<nlohmann::json> Chromium::receive(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const std::size_t end = pending_.find('\0'); end != std::string::npos) {
            nlohmann::json message = nlohmann::json::parse(pending_.substr(0, end));
            pending_.erase(0, end + 1);
            return message;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd fd{chromium_.pipe(kAnswers), POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(std::max(left, std::chrono::milliseconds(0)).count()));
        if (ready == 0)
            return std::nullopt;
        if (ready < 0)
            continue;
        std::array<char, 65536> chunk{};
        const ssize_t n = read(fd.fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("the browser is gone");
        pending_.append(chunk.data(), static_cast<std::size_t>(n));
    }
}

nlohmann::json Chromium::call(const std::string &method, const nlohmann::json &params, bool browserWide)
{
    const int id = nextId_++;
    nlohmann::json message{{"id", id}, {"method", method}, {"params", params}};
    if (!browserWide)
        message["sessionId"] = session_;
    send(message);
    for (;;) {
        std::optional<nlohmann::json> answer = receive(kAnswerTime);
        if (!answer)
            throw std::runtime_error(method + ": the browser did not answer");
        if (!answer->contains("id"))
            keep(std::move(*answer));
        else if (answer->at("id") != id)
            continue;
        else if (answer->contains("error"))
            throw std::runtime_error(method + ": " + answer->at("error").dump());
        else
            return answer->value("result", nlohmann::json::object());
    }
}

nlohmann::json Chromium::evaluate(const std::string &expression)
{
    const nlohmann::json result =
        call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}});
    if (result.contains("exceptionDetails"))
        throw std::runtime_error("the page threw: " + result.at("exceptionDetails").dump());
    return result.at("result").value("value", nlohmann::json());
}

void Chromium::navigate(const std::string &address)
{
    call("Page.navigate", {{"url", address}});
}

void Chromium::click(double x, double y)
{
    call("Input.dispatchMouseEvent", {{"type", "mouseMoved"}, {"x", x}, {"y", y}});
    for (const char *type : {"mousePressed", "mouseReleased"})
        call("Input.dispatchMouseEvent", {{"type", type}, {"x", x}, {"y", y}, {"button", "left"}, {"clickCount", 1}});
}

void Chromium::press(Key key)
{
    const KeyNames k = namesOf(key);
    nlohmann::json event{{"key", k.key},
                         {"code", k.code},
                         {"windowsVirtualKeyCode", k.virtualKey},
                         {"modifiers", key == Key::Backtab ? 8 : 0}}; // Shift
    nlohmann::json down = event;
    down["type"] = *k.text != '\0' ? "keyDown" : "rawKeyDown";
    if (*k.text != '\0')
        down["text"] = k.text;
    call("Input.dispatchKeyEvent", down);
    event["type"] = "keyUp";
    call("Input.dispatchKeyEvent", event);
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

void Browser::open(const std::string &address, const std::string &readyWhen)
{
    navigate(address);
    if (!waitUntil(readyWhen))
        throw std::runtime_error(address + " never came up");
}

bool Browser::waitUntil(const std::string &readyWhen)
{
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        try {
            if (evaluate("document.readyState === 'complete' && !!(" + readyWhen + ")") == true)
                return true;
        } catch (const std::runtime_error &) { // NOLINT(bugprone-empty-catch): still on its way
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void Chromium::keep(nlohmann::json event)
{
    events_[event.value("method", "")].push_back(std::move(event));
}

std::vector<nlohmann::json> Chromium::takeEvents(const std::string &method)
{
    // Whatever has arrived by now.
    while (std::optional<nlohmann::json> event = receive(std::chrono::milliseconds(0)))
        keep(std::move(*event));
    return std::exchange(events_[method], {});
}

std::string webPages()
{
    const char *pages = std::getenv("ZORELMINA_WEB_PAGES"); // NOLINT(concurrency-mt-unsafe): read before any thread
    return pages == nullptr ? std::string{} : std::string{pages};
}

std::string newProfileFolder(const std::string &browser)
{
    std::string folder = "/tmp/zorelmina-" + browser + "-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr)
        throw std::runtime_error("cannot make a profile folder");
    return folder;
}

std::string fileAddress(const std::string &path)
{
    return "file://" + std::filesystem::absolute(path).string();
}

Snapshot snapshotOfPng(const std::string &base64, int cssWidth)
{
    gsize size = 0;
    const std::unique_ptr<guchar, decltype(&g_free)> png(g_base64_decode(base64.c_str(), &size), g_free);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, png.get(), size) == 0)
        throw std::runtime_error("the browser's picture is no PNG");
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0)
        throw std::runtime_error("the browser's picture cannot be read");
    Snapshot s{static_cast<int>(image.width), static_cast<int>(image.height),
               static_cast<double>(image.width) / cssWidth, {}};
    s.pixels.reserve(rgb.size() / 3);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        s.pixels.push_back({rgb[i], rgb[i + 1], rgb[i + 2]});
    return s;
}
