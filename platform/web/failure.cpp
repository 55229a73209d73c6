#include "failure.h"

#include "dom.h"

#include <cstdlib>
#include <string>

namespace platform::web {

void reportFailureAndExit(const FailureWords &words, std::string_view what)
{
    const Element message = createElement("div", kNoElement);
    setAttribute(message, "class", "zorelmina-failure");
    setAttribute(message, "role", "alert");
    setText(message, words.caption + "\n\n" + words.preamble + "\n" + std::string{what});
    std::exit(EXIT_FAILURE); // NOLINT(concurrency-mt-unsafe): the page has one thread
}

} // namespace platform::web
