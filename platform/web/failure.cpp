#include "failure.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>

// The page's own message takes the form's place (see the page), with these
// words in it.
EM_JS(void, zorelmina_cannot_run, (const char *words), {
    if (typeof zorelminaCannotRun == 'function') zorelminaCannotRun(UTF8ToString(words));
});

namespace platform::web {

void reportFailureAndExit(const FailureWords &words, std::string_view what)
{
    zorelmina_cannot_run((words.caption + "\n\n" + words.preamble + "\n" + std::string{what}).c_str());
    std::exit(EXIT_FAILURE); // NOLINT(concurrency-mt-unsafe): the page has one thread
}

} // namespace platform::web
