#pragma once

#include "browser.h"
#include "learner.h"

#include <libsoup/soup.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

// The browser every web test of this program shares, made by its main:
// ZORELMINA_WEB_ENGINE's, chromium (unless given), firefox or webkit.
Browser &browser();
class Chromium;
// The same, for what only Chromium's DevTools protocol reads.
Chromium &chromium();
// The view it was given.
BrowserView testView();

// The test page's way in (zorelmina_test), in the shared browser: the
// answer, {"value": ..., "clicks": [[control, index], ...]} with the clicks
// the operation raised; what the page threw, thrown again here as the same
// kind of exception.
nlohmann::json askPage(const std::string &operation, platform::ControlId control = {"", -1}, int number = 0,
                       const std::string &text = {});

// A control's box on the page, in a document (a JavaScript expression),
// as a JavaScript expression: by its name, or a night's or a date's, which
// the page names in no way a learner could inspect, by its caption.
std::string elementOf(platform::ControlId control, const std::string &document = "document");
// A control's own input element on the page (a radio button's, a check
// box's), as a JavaScript expression.
std::string inputOf(platform::ControlId control);

// Once the quiz's form is on the page (a JavaScript expression).
inline const std::string kFormShown = "document.querySelector('.zorelmina-window.shown')";
// What has the focus (a JavaScript expression): a control's name, or
// "caption:" and a night's or a date's caption; and the control that is,
// by its name (empty for none).
inline const std::string kFocused =
    "(function (e) { var l = e && e.closest ? e.closest('#Tarvel_Mondix label') : null;"
    " return l ? 'caption:' + l.textContent : e && e.id ? e.id : ''; })(document.activeElement)";
std::string controlNamed(const std::string &focused);

// The quiz in a page of headless Chromium, played as a learner would: the
// browser's own trusted mouse and key events, at the places the window's
// description gives and through the page's own tab order (Tab passes
// through the browser's own stops outside the page, as in any browser; the
// learner goes on past them). Asks chooseInput before every action.
std::unique_ptr<WindowLearner> makeWebLearner(std::function<Input()> chooseInput);

// A static web server for a folder (libsoup's, on a thread of its own), on
// this machine only, for as long as it lives.
class LocalServer {
public:
    explicit LocalServer(std::string folder);
    ~LocalServer();
    LocalServer(const LocalServer &) = delete;
    LocalServer &operator=(const LocalServer &) = delete;
    // http://127.0.0.1:port/
    [[nodiscard]] const std::string &address() const { return address_; }

private:
    std::string folder_;
    std::string address_;
    GMainContext *context_;
    GMainLoop *loop_;
    SoupServer *server_ = nullptr;
    std::thread serving_;
};
