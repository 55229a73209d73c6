#include "page_startup.h"

#include "browser.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kRounds = 31;
constexpr int kControls = 20;

// Runs in every page before its own scripts: notes when all the form's
// controls are in the document, and then the first paint that shows them
// (the browser's first contentful paint if it came after, else the frame
// after the one they were added in) as window.zorelminaPainted, in
// milliseconds from navigation.
std::string watcher()
{
    return R"js((function () {
    var formAt = -1;
    function settle() {
        var first = performance.getEntriesByName('first-contentful-paint')[0];
        if (formAt < 0 || !first || window.zorelminaPainted !== undefined) return;
        if (first.startTime >= formAt) { window.zorelminaPainted = first.startTime; return; }
        requestAnimationFrame(function () {
            requestAnimationFrame(function (t) { window.zorelminaPainted = t; });
        });
    }
    new PerformanceObserver(settle).observe({type: 'paint', buffered: true});
    new MutationObserver(function (changes, observer) {
        if (document.querySelectorAll('[data-control]').length < )js"
           + std::to_string(kControls) + R"js() return;
        observer.disconnect();
        formAt = performance.now();
        settle();
    }).observe(document, {childList: true, subtree: true});
})();)js";
}

// The page's markup once it has built itself, without its program: the
// same elements, styles and text, for the browser to show as it parses.
std::string staticForm(Browser &b, const std::string &page)
{
    b.open(fileAddress(page), "window.zorelminaPainted !== undefined");
    return b.evaluate(R"js((function () {
        var copy = document.documentElement.cloneNode(true);
        copy.querySelectorAll('script, style, #zorelmina-message').forEach(function (e) { e.remove(); });
        // The program's own sheet, as the page's.
        var sheet = document.createElement('style');
        sheet.textContent = document.adoptedStyleSheets.map(function (s) {
            return Array.prototype.map.call(s.cssRules, function (r) { return r.cssText; }).join('\n');
        }).join('\n');
        copy.querySelector('head').appendChild(sheet);
        var shown = document.querySelector('textarea'), copied = copy.querySelector('textarea');
        if (shown && copied) copied.textContent = shown.value;
        return '<!DOCTYPE html>\n' + copy.outerHTML;
    })())js");
}

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void pageStartup(benchmark::State &state, const std::string &page)
{
    for (auto _ : state) {
        try {
            Browser b;
            b.call("Page.addScriptToEvaluateOnNewDocument", {{"source", watcher()}});
            const std::filesystem::path copy =
                std::filesystem::temp_directory_path() / ("zorelmina-static-form-" + std::to_string(getpid()) + ".html");
            std::ofstream(copy, std::ios::binary) << staticForm(b, page);
            const std::vector<std::string> addresses{fileAddress(page), fileAddress(copy.string())};
            std::vector<std::vector<double>> times(addresses.size());
            std::vector<double> ratios;
            for (int round = 0; round < kRounds; ++round) {
                std::vector<double> got(addresses.size());
                for (std::size_t k = 0; k < addresses.size(); ++k) {
                    const std::size_t i = (static_cast<std::size_t>(round) + k) % addresses.size();
                    b.open(addresses[i], "window.zorelminaPainted !== undefined");
                    got[i] = b.evaluate("window.zorelminaPainted").get<double>();
                    times[i].push_back(got[i]);
                }
                ratios.push_back(got[0] / got[1]);
            }
            std::filesystem::remove(copy);
            state.SetIterationTime(median(times[0]) / 1e3);
            state.counters["quiz_ms"] = median(times[0]);
            state.counters["static_ms"] = median(times[1]);
            state.counters["time_ratio"] = median(ratios);
            state.counters["page_KB"] = static_cast<double>(std::filesystem::file_size(page)) / 1000;
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            return;
        }
    }
}

} // namespace

void registerPageStartup(const std::string &page)
{
    benchmark::RegisterBenchmark("Startup/Web", [page](benchmark::State &state) { pageStartup(state, page); })
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}
