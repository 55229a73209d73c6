#include "browser.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kAnswerTime = std::chrono::seconds(30);

std::string chromium()
{
    for (const char *candidate : {"/usr/bin/chromium", "/usr/bin/chromium-browser"})
        if (access(candidate, X_OK) == 0)
            return candidate;
    throw std::runtime_error("Chromium is not installed (the chromium package)");
}

} // namespace

Browser::Browser(View view) : view_(view)
{
    std::string folder = "/tmp/zorelmina-chromium-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr)
        throw std::runtime_error("cannot make a profile folder");
    profile_ = folder;
    std::array<int, 2> in{};
    std::array<int, 2> out{};
    if (pipe2(in.data(), O_CLOEXEC) != 0 || pipe2(out.data(), O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make the pipes to the browser");

    const std::string program = chromium();
    // Nothing it would do on its own reaches the network: no updates, no
    // sync, no background requests.
    std::vector<std::string> arguments{program,
                                       "--headless",
                                       "--remote-debugging-pipe",
                                       "--user-data-dir=" + profile_,
                                       "--no-first-run",
                                       "--no-default-browser-check",
                                       "--disable-gpu",
                                       "--disable-background-networking",
                                       "--disable-component-update",
                                       "--disable-sync",
                                       "--disable-default-apps",
                                       "--disable-extensions",
                                       "--disable-features=Translate,MediaRouter,OptimizationHints",
                                       "--mute-audio",
                                       "--hide-scrollbars",
                                       "--window-size=" + std::to_string(view.width) + ","
                                           + std::to_string(view.height),
                                       "about:blank"};
    if (geteuid() == 0)
        arguments.insert(arguments.begin() + 1, "--no-sandbox");
    std::vector<char *> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string &a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("cannot start the browser");
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        // The protocol's pipe is the browser's files 3 and 4 (moved out of
        // the way first, as the pipes may be 3 and 4 themselves).
        const int reading = fcntl(in[0], F_DUPFD, 10);
        const int writing = fcntl(out[1], F_DUPFD, 10);
        dup2(reading, 3);
        dup2(writing, 4);
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toBrowser_ = in[1];
    fromBrowser_ = out[0];

    // The page it opened with, as a session of its own.
    const nlohmann::json targets = call("Target.getTargets", nlohmann::json::object(), true);
    std::string page;
    for (const auto &t : targets.at("targetInfos"))
        if (t.at("type") == "page")
            page = t.at("targetId");
    if (page.empty())
        throw std::runtime_error("the browser has no page");
    attach(page);
}

void Browser::attach(const std::string &target)
{
    session_ = call("Target.attachToTarget", {{"targetId", target}, {"flatten", true}}, true).at("sessionId");
    call("Page.enable");
    call("Network.enable");
    // A headless page has no window to have the focus; it behaves as one
    // that has.
    call("Emulation.setFocusEmulationEnabled", {{"enabled", true}});
    call("Emulation.setDeviceMetricsOverride", {{"width", view_.width},
                                                {"height", view_.height},
                                                {"deviceScaleFactor", view_.scale},
                                                {"mobile", false}});
}

Browser::~Browser()
{
    try {
        if (toBrowser_ >= 0)
            send({{"id", nextId_++}, {"method", "Browser.close"}});
    } catch (...) {
        // It is ended below anyway.
    }
    if (pid_ > 0) {
        for (int i = 0; i < 50; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    if (toBrowser_ >= 0)
        close(toBrowser_);
    if (fromBrowser_ >= 0)
        close(fromBrowser_);
    std::error_code ignored;
    std::filesystem::remove_all(profile_, ignored);
}

void Browser::send(const nlohmann::json &message)
{
    std::string text = message.dump();
    text.push_back('\0');
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(toBrowser_, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("the browser is gone");
        written += static_cast<std::size_t>(n);
    }
}

nlohmann::json Browser::receive(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const std::size_t end = pending_.find('\0'); end != std::string::npos) {
            nlohmann::json message = nlohmann::json::parse(pending_.substr(0, end));
            pending_.erase(0, end + 1);
            return message;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            throw std::runtime_error("the browser did not answer");
        pollfd fd{fromBrowser_, POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(left.count())) <= 0)
            continue;
        std::array<char, 65536> chunk{};
        const ssize_t n = read(fromBrowser_, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("the browser is gone");
        pending_.append(chunk.data(), static_cast<std::size_t>(n));
    }
}

nlohmann::json Browser::call(const std::string &method, const nlohmann::json &params, bool browserWide)
{
    const int id = nextId_++;
    nlohmann::json message{{"id", id}, {"method", method}, {"params", params}};
    if (!browserWide)
        message["sessionId"] = session_;
    send(message);
    for (;;) {
        nlohmann::json answer = receive(kAnswerTime);
        if (!answer.contains("id")) {
            events_.push_back(std::move(answer));
            continue;
        }
        if (answer.at("id") != id)
            continue;
        if (answer.contains("error"))
            throw std::runtime_error(method + ": " + answer.at("error").dump());
        return answer.value("result", nlohmann::json::object());
    }
}

nlohmann::json Browser::evaluate(const std::string &expression)
{
    const nlohmann::json result =
        call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}});
    if (result.contains("exceptionDetails"))
        throw std::runtime_error("the page threw: " + result.at("exceptionDetails").dump());
    return result.at("result").value("value", nlohmann::json());
}

void Browser::open(const std::string &address, const std::string &readyWhen)
{
    call("Page.navigate", {{"url", address}});
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        try {
            if (evaluate("document.readyState === 'complete' && !!(" + readyWhen + ")") == true)
                return;
        } catch (const std::runtime_error &) {
            // The page is still on its way.
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    throw std::runtime_error(address + " never came up");
}

std::vector<nlohmann::json> Browser::takeEvents(const std::string &method)
{
    // Whatever has arrived by now.
    for (;;) {
        pollfd fd{fromBrowser_, POLLIN, 0};
        if (pending_.find('\0') == std::string::npos && poll(&fd, 1, 0) <= 0)
            break;
        events_.push_back(receive(kAnswerTime));
    }
    std::vector<nlohmann::json> taken;
    std::deque<nlohmann::json> kept;
    for (nlohmann::json &e : events_) {
        if (e.value("method", "") == method)
            taken.push_back(std::move(e));
        else
            kept.push_back(std::move(e));
    }
    events_ = std::move(kept);
    return taken;
}

std::string webPages()
{
    const char *pages = std::getenv("ZORELMINA_WEB_PAGES"); // NOLINT(concurrency-mt-unsafe): read before any thread
    return pages == nullptr ? std::string{} : std::string{pages};
}

std::string fileAddress(const std::string &path)
{
    return "file://" + std::filesystem::absolute(path).string();
}
