#include "scorm_report.h"

#include <emscripten.h>

EM_JS(void, zorelmina_scorm_start, (int pairs), { zorelminaScormStart(pairs); });
EM_JS(void, zorelmina_scorm_found, (int pair), { zorelminaScormFound(pair); });

namespace platform::web {

void startScormReport(int pairs)
{
    zorelmina_scorm_start(pairs);
}

void reportPairFound(int pair)
{
    zorelmina_scorm_found(pair);
}

} // namespace platform::web
