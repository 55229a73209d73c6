#pragma once

#include <string>

// The page's start-up in each engine (Chromium, Chromium with its processor
// slowed six times, Firefox ESR, WebKitGTK), from navigation to the form's
// first complete paint, side by side with the same form as static HTML (the
// page's own markup once it has built itself, without its program), in
// alternating runs, and from navigation until the program has the form
// (from then on a click is judged), beside an earlier page's (before, where
// one is given): registered as Startup/Web/<engine>. Its counters: quiz_ms,
// static_ms, time_ratio (the median of the runs' ratios), judges_ms,
// before_ms, before_time_ratio, before_judges_ms and judges_ratio (where
// there is an earlier page), and page_KB.
void registerPageStartup(const std::string &page, const std::string &before);
