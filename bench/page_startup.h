#pragma once

#include <string>

// The page's start-up in each engine (Chromium, Chromium with its processor
// slowed six times, Firefox ESR, WebKitGTK), from navigation to the form's
// first complete paint, side by side with the same form as static HTML (the
// page's own markup once it has built itself, without its program), in
// alternating runs: registered as Startup/Web/<engine>. Its counters:
// quiz_ms, static_ms, time_ratio (the median of the runs' ratios) and
// page_KB.
void registerPageStartup(const std::string &page);
