#pragma once

#include "child_process.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The page's size in CSS pixels and how many device pixels make one, as a
// screen of that size at that zoom would have them.
struct BrowserView {
    int width = 1024;
    int height = 768;
    double scale = 1;
    // The smallest text the browser draws, in CSS pixels, as a learner with
    // low vision sets it; 0 for the browser's own.
    int minimumFontSize = 0;
};

// Debian's Chromium, headless, driven over its DevTools protocol on a pipe
// (no port, no network): one page, its input given as the browser's own
// trusted events, what it shows read back. Ended, whatever happens, when it
// goes.
class Browser {
public:
    using View = BrowserView;

    explicit Browser(View view = {});
    ~Browser();
    Browser(const Browser &) = delete;
    Browser &operator=(const Browser &) = delete;

    // One command to the page (or, with browserWide, to the browser); its
    // result, or std::runtime_error with the browser's error.
    nlohmann::json call(const std::string &method, const nlohmann::json &params = nlohmann::json::object(),
                        bool browserWide = false);

    // Opens an address and waits until the expression (JavaScript) holds.
    void open(const std::string &address, const std::string &readyWhen);
    // The value of a JavaScript expression in the page; std::runtime_error
    // if it throws.
    nlohmann::json evaluate(const std::string &expression);

    // Events of that name the browser has sent so far, taken away.
    std::vector<nlohmann::json> takeEvents(const std::string &method);

private:
    void send(const nlohmann::json &message);
    // The next message, if one comes in time.
    std::optional<nlohmann::json> receive(std::chrono::milliseconds timeout);
    void keep(nlohmann::json event);

    std::string profile_;
    ChildProcess chromium_;
    int nextId_ = 1;
    std::string session_;
    std::string pending_;
    // Events the browser sent, by name, in their order.
    std::map<std::string, std::vector<nlohmann::json>> events_;
};

// Where the pages under test are: ZORELMINA_WEB_PAGES, a folder with
// app/zorelmina.html and tests/zorelmina_test.html (make web leaves them in
// build-web). Empty where it is not set.
std::string webPages();
// A file's address.
std::string fileAddress(const std::string &path);
