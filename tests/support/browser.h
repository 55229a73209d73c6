#pragma once

#include "child_process.h"
#include "learner.h"

#include <nlohmann/json.hpp>

#include <chrono>
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

// One page in a browser, its input given as the browser's own trusted
// events, what it shows read back.
class Browser {
public:
    using View = BrowserView;

    Browser() = default;
    virtual ~Browser() = default;
    Browser(const Browser &) = delete;
    Browser &operator=(const Browser &) = delete;

    // Opens an address and waits until the expression (JavaScript) holds.
    void open(const std::string &address, const std::string &readyWhen);
    // Whether the page, loaded whole, came to hold the expression within
    // 20 seconds (as after a move through the history).
    bool waitUntil(const std::string &readyWhen);
    // The value of a JavaScript expression in the page, as JSON (a promise's
    // once it settles); std::runtime_error if it throws.
    virtual nlohmann::json evaluate(const std::string &expression) = 0;
    // A left click at a point of the page, in CSS pixels.
    virtual void click(double x, double y) = 0;
    // A key pressed and let go, to whatever has the focus.
    virtual void press(Key key) = 0;
    // The page's look inside a box of it, in CSS pixels, from the browser's
    // own picture.
    virtual Snapshot picture(const Rect &box) = 0;

private:
    virtual void navigate(const std::string &address) = 0;
};

// Where the pages under test are: ZORELMINA_WEB_PAGES, a folder with
// app/zorelmina.html and tests/zorelmina_test.html (make web leaves them in
// build-web). Empty where it is not set.
std::string webPages();
// A file's address.
std::string fileAddress(const std::string &path);
// A new empty folder for a browser's profile, named after the browser.
std::string newProfileFolder(const std::string &browser);
// A browser's picture (a PNG, as base64) of a box so many CSS pixels wide.
Snapshot snapshotOfPng(const std::string &base64, int cssWidth);
