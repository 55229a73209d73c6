#pragma once

#include "browser.h"
#include "learner.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The browser every web test of this program shares, made by its main.
Browser &browser();

// The test page's way in (zorelmina_test): the answer's value, with the
// clicks the operation raised; what the page threw, thrown again here as
// the same kind of exception.
struct PageAnswer {
    nlohmann::json value;
    std::vector<std::string> clicks;
};
PageAnswer askPage(Browser &browser, const std::string &operation, platform::ControlId control = {"", -1},
                   int number = 0, const std::string &text = {});

// The page's look inside a box of the page, in CSS pixels, read from the
// browser's own picture of it.
Snapshot pictureOf(Browser &browser, const Rect &box);

// The quiz in a page of headless Chromium, played as a learner would: the
// browser's own trusted mouse and key events, at the places the window's
// description gives and through the page's own tab order (Tab passes
// through the browser's own stops outside the page, as in any browser; the
// learner goes on past them). Asks chooseInput before every action.
std::unique_ptr<WindowLearner> makeWebLearner(Browser &browser, std::function<Input()> chooseInput);
