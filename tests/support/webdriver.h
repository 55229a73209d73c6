#pragma once

#include "browser.h"

#include <memory>

// A browser driven through its WebDriver, one page each, over libsoup:
// Chromium through chromium-driver and WebKitGTK through its own driver,
// both over classic WebDriver (HTTP); Firefox ESR, whose Debian package has
// no such driver, over WebDriver BiDi (a WebSocket) of its own. Chromium
// and Firefox run headless; WebKitGTK's driver needs an X display
// (DISPLAY). Ended, whatever happens, when it goes.
class WebDriver : public Browser {
public:
    enum class Engine { Chromium, Firefox, WebKit };

    WebDriver(Engine engine, View view);
    ~WebDriver() override;
    WebDriver(const WebDriver &) = delete;
    WebDriver &operator=(const WebDriver &) = delete;

    nlohmann::json evaluate(const std::string &expression) override;
    void click(double x, double y) override;
    void press(Key key) override;
    Snapshot picture(const Rect &box) override;

protected:
    // One classic command (a method and a path under the session); its
    // value, or std::runtime_error with the driver's error.
    nlohmann::json classic(const char *verb, const std::string &path, const nlohmann::json &body = nullptr);

private:
    struct Connection;

    void navigate(const std::string &address) override;
    // One BiDi command; its result, or std::runtime_error.
    nlohmann::json command(const std::string &method, const nlohmann::json &params);
    void perform(const nlohmann::json &actions);
    // Classic: the session, once the driver listens.
    void startSession(const std::string &program, const nlohmann::json &capabilities);

    Engine engine_;
    std::string profile_;
    std::unique_ptr<ChildProcess> driver_;
    // Chromium, which the driver attaches to.
    std::unique_ptr<ChildProcess> browser_;
    std::unique_ptr<Connection> connection_;
    std::string context_;
};

// Debian's Chromium, headless, through chromium-driver: also the DevTools
// commands, passed through, for what only Chromium reads.
class Chromium final : public WebDriver {
public:
    explicit Chromium(View view = {});

    // The page's size and zoom from now on (its minimum font size stays).
    void setView(const View &view);
    // One DevTools command to the page; its result, or std::runtime_error.
    nlohmann::json call(const std::string &method, const nlohmann::json &params = nlohmann::json::object());
    // What the page has asked of the network, and written to its console,
    // since last asked.
    std::vector<std::string> takeRequests();
    std::vector<std::string> takeConsole();

    Snapshot picture(const Rect &box) override;
};
