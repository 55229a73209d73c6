#include "learning_platform.h"

#include <emscripten.h>

#include <string>

EM_JS(void, zorelmina_report_to_platform, (const char *right, int pairs), {
    zorelminaReportToPlatform(UTF8ToString(right), pairs);
});

namespace platform::web {

void reportToLearningPlatform(std::string_view rightVerdict, int pairs)
{
    zorelmina_report_to_platform(std::string{rightVerdict}.c_str(), pairs);
}

} // namespace platform::web
