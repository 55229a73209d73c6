#include "web_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

// ZORELMINA_WEB_VIEW: the page's size and zoom, as WIDTHxHEIGHT@SCALE
// (1024x768@1 unless given): 512x384@2 is that screen at 200 %.
Browser::View testView()
{
    Browser::View v;
    if (const char *given = std::getenv("ZORELMINA_WEB_VIEW")) // NOLINT(concurrency-mt-unsafe): before any thread
        std::sscanf(given, "%dx%d@%lf", &v.width, &v.height, &v.scale); // NOLINT(cert-err34-c)
    return v;
}

// One browser for the whole program, started by the first test that needs it.
Browser &browser()
{
    static Browser shared(testView());
    return shared;
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
    return RUN_ALL_TESTS();
}
