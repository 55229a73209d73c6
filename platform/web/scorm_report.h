#pragma once

namespace platform::web {

// The quiz's record in a learning platform's SCORM runtime (2004 or 1.2),
// where the page has one around it: started once the window is shown, out
// of pairs, then told of every pair found. See scorm_report.js.
void startScormReport(int pairs);
void reportPairFound(int pair);

} // namespace platform::web
