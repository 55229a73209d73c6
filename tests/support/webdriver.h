#pragma once

#include "browser.h"

#include <memory>

// Firefox ESR over WebDriver BiDi (a WebSocket) or WebKitGTK over classic
// WebDriver (HTTP), both through libsoup, one page each. Firefox runs
// headless; WebKitGTK's driver needs an X display (DISPLAY). Ended,
// whatever happens, when it goes.
class WebDriver final : public Browser {
public:
    enum class Engine { Firefox, WebKit };

    WebDriver(Engine engine, View view);
    ~WebDriver() override;
    WebDriver(const WebDriver &) = delete;
    WebDriver &operator=(const WebDriver &) = delete;

    nlohmann::json evaluate(const std::string &expression) override;
    void click(double x, double y) override;
    void press(Key key) override;
    Snapshot picture(const Rect &box) override;

private:
    struct Connection;

    void navigate(const std::string &address) override;
    // One BiDi command, or one classic one (a method and a path under the
    // session); its result, or std::runtime_error with the browser's error.
    nlohmann::json command(const std::string &method, const nlohmann::json &params);
    nlohmann::json classic(const char *verb, const std::string &path, const nlohmann::json &body = nullptr);
    void perform(const nlohmann::json &actions);

    Engine engine_;
    std::string profile_;
    std::unique_ptr<ChildProcess> driver_;
    std::unique_ptr<Connection> connection_;
    std::string context_;
};
