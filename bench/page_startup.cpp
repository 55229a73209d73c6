#include "page_startup.h"

#include "browser.h"
#include "webdriver.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kRounds = 31;
constexpr int kControls = 20;

// Runs in every page before its own scripts (put first in each copy timed,
// so every engine runs it alike): notes when all the form's
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
        if (document.querySelectorAll('.zorelmina-window :is(input, button, textarea)').length < )js"
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
    b.open(fileAddress(page), "document.querySelectorAll('.zorelmina-window :is(input, button, textarea)').length == " + std::to_string(kControls));
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

// A copy of a page with the watcher first in its head, where the copies go.
std::filesystem::path watched(const std::string &html, const std::string &name)
{
    std::string copy = html;
    copy.insert(copy.find("<head>") + 6, "<script>" + watcher() + "</script>");
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("zorelmina-" + name + "-" + std::to_string(getpid()) + ".html");
    std::ofstream(path, std::ios::binary) << copy;
    return path;
}

struct Engine {
    std::string name;
    std::function<std::unique_ptr<Browser>()> start;
};

void pageStartup(benchmark::State &state, const std::string &page, const Engine &engine)
{
    for (auto _ : state) {
        try {
            const std::unique_ptr<Browser> b = engine.start();
            std::ostringstream html;
            html << std::ifstream(page, std::ios::binary).rdbuf();
            const std::vector<std::filesystem::path> copies{watched(html.str(), "page"),
                                                            watched(staticForm(*b, page), "static-form")};
            std::vector<std::vector<double>> times(copies.size());
            std::vector<double> ratios;
            for (int round = 0; round < kRounds; ++round) {
                std::vector<double> got(copies.size());
                for (std::size_t k = 0; k < copies.size(); ++k) {
                    const std::size_t i = (static_cast<std::size_t>(round) + k) % copies.size();
                    b->open(fileAddress(copies[i].string()), "window.zorelminaPainted !== undefined");
                    got[i] = b->evaluate("window.zorelminaPainted").get<double>();
                    times[i].push_back(got[i]);
                }
                ratios.push_back(got[0] / got[1]);
            }
            for (const auto &copy : copies)
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
    const std::vector<Engine> engines{
        {"chromium", [] { return std::make_unique<Chromium>(); }},
        // As on a cheap school laptop.
        {"chromium-cpu6x",
         [] {
             auto b = std::make_unique<Chromium>();
             b->call("Emulation.setCPUThrottlingRate", {{"rate", 6}});
             return b;
         }},
        {"firefox", [] { return std::make_unique<WebDriver>(WebDriver::Engine::Firefox, BrowserView{}); }},
        {"webkit", [] { return std::make_unique<WebDriver>(WebDriver::Engine::WebKit, BrowserView{}); }},
    };
    for (const Engine &engine : engines)
        benchmark::RegisterBenchmark(("Startup/Web/" + engine.name).c_str(),
                                     [page, engine](benchmark::State &state) { pageStartup(state, page, engine); })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
}
