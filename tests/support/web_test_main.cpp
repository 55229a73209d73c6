#include "web_learner.h"
#include "webdriver.h"

#include "selected_tests.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string_view>

// ZORELMINA_WEB_VIEW: the page's size and zoom, as WIDTHxHEIGHT@SCALE
// (1024x768@1 unless given): 512x384@2 is that screen at 200 %.
Browser::View testView()
{
    Browser::View v;
    if (const char *given = std::getenv("ZORELMINA_WEB_VIEW")) // NOLINT(concurrency-mt-unsafe): before any thread
        std::sscanf(given, "%dx%d@%lf", &v.width, &v.height, &v.scale); // NOLINT(cert-err34-c)
    return v;
}

namespace {

std::string_view engine()
{
    const char *given = std::getenv("ZORELMINA_WEB_ENGINE"); // NOLINT(concurrency-mt-unsafe): before any thread
    return given == nullptr ? "chromium" : given;
}

} // namespace

// One browser for the whole program, started by the first test that needs it.
Browser &browser()
{
    static const std::unique_ptr<Browser> shared = []() -> std::unique_ptr<Browser> {
        if (engine() == "firefox")
            return std::make_unique<WebDriver>(WebDriver::Engine::Firefox, testView());
        if (engine() == "webkit")
            return std::make_unique<WebDriver>(WebDriver::Engine::WebKit, testView());
        return std::make_unique<Chromium>(testView());
    }();
    return *shared;
}

Chromium &chromium()
{
    auto *devTools = dynamic_cast<Chromium *>(&browser());
    if (devTools == nullptr)
        throw std::runtime_error("this test reads what only Chromium's DevTools protocol gives");
    return *devTools;
}

// Without the pages to test (make web makes them; ZORELMINA_WEB_PAGES says
// where), it says so and is skipped.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (webPages().empty()) {
        std::puts("ZORELMINA_WEB_PAGES is not set (make web, then ZORELMINA_WEB_PAGES=build-web): skipped");
        return 77;
    }
    if (engine() != "chromium" && engine() != "firefox" && engine() != "webkit") {
        std::fprintf(stderr, "ZORELMINA_WEB_ENGINE is chromium, firefox or webkit, not %s\n", engine().data());
        return 2;
    }
    return runSelectedTests();
}
