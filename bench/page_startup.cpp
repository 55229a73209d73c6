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
// after the one they were added in) as window.zorelminaPainted, and when
// the program has the form, from which on a click is judged, as
// window.zorelminaJudges, in milliseconds from navigation.
std::string watcher()
{
    return R"js((function () {
    var formAt = -1, controls = ':is(input, button, textarea)', all = )js"
           + std::to_string(kControls) + R"js(;
    function settle() {
        var first = performance.getEntriesByName('first-contentful-paint')[0];
        if (formAt < 0 || !first || window.zorelminaPainted !== undefined) return;
        if (first.startTime >= formAt) { window.zorelminaPainted = first.startTime; return; }
        requestAnimationFrame(function () {
            requestAnimationFrame(function (t) { window.zorelminaPainted = t; });
        });
    }
    new PerformanceObserver(settle).observe({type: 'paint', buffered: true});
    // A form drawn before its program is inert until the program has it.
    new MutationObserver(function (changes, observer) {
        if (formAt < 0 && document.querySelectorAll('.zorelmina-window ' + controls).length >= all) {
            formAt = performance.now();
            settle();
        }
        var form = document.querySelector('.zorelmina-window.shown:not([inert])');
        if (!form || form.querySelectorAll(controls).length < all) return;
        observer.disconnect();
        window.zorelminaJudges = performance.now();
    }).observe(document, {childList: true, subtree: true, attributes: true, attributeFilter: ['inert', 'class']});
})();)js";
}

// The page's markup once it has built itself, without its program: the
// same elements, styles and text, for the browser to show as it parses.
std::string staticForm(Browser &b, const std::string &page)
{
    b.open(fileAddress(page), "document.querySelectorAll('.zorelmina-window :is(input, button, textarea)').length == " + std::to_string(kControls));
    return b.evaluate(R"js((function () {
        var copy = document.documentElement.cloneNode(true);
        copy.querySelectorAll('script, style, template, #zorelmina-message').forEach(function (e) { e.remove(); });
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

// A page timed: the quiz's, the static form or an earlier quiz's page.
struct Timed {
    std::filesystem::path copy;
    bool program = true;
    std::vector<double> painted;
    std::vector<double> judges;
};

void pageStartup(benchmark::State &state, const std::string &page, const std::string &before, const Engine &engine)
{
    for (auto _ : state) {
        try {
            const std::unique_ptr<Browser> b = engine.start();
            const auto read = [](const std::string &path) {
                std::ostringstream html;
                html << std::ifstream(path, std::ios::binary).rdbuf();
                return html.str();
            };
            std::vector<Timed> pages{{.copy = watched(read(page), "page")},
                                     {.copy = watched(staticForm(*b, page), "static-form"), .program = false}};
            if (!before.empty())
                pages.push_back({.copy = watched(read(before), "before")});
            std::vector<double> paintRatios;
            std::vector<double> beforeRatios;
            std::vector<double> judgeRatios;
            for (int round = 0; round < kRounds; ++round) {
                for (std::size_t k = 0; k < pages.size(); ++k) {
                    Timed &timed = pages[(static_cast<std::size_t>(round) + k) % pages.size()];
                    b->open(fileAddress(timed.copy.string()),
                            timed.program ? "window.zorelminaPainted !== undefined && window.zorelminaJudges !== undefined"
                                          : "window.zorelminaPainted !== undefined");
                    timed.painted.push_back(b->evaluate("window.zorelminaPainted").get<double>());
                    if (timed.program)
                        timed.judges.push_back(b->evaluate("window.zorelminaJudges").get<double>());
                }
                paintRatios.push_back(pages[0].painted.back() / pages[1].painted.back());
                if (pages.size() > 2) {
                    beforeRatios.push_back(pages[2].painted.back() / pages[1].painted.back());
                    judgeRatios.push_back(pages[0].judges.back() / pages[2].judges.back());
                }
            }
            for (const Timed &timed : pages)
                std::filesystem::remove(timed.copy);
            state.SetIterationTime(median(pages[0].painted) / 1e3);
            state.counters["quiz_ms"] = median(pages[0].painted);
            state.counters["static_ms"] = median(pages[1].painted);
            state.counters["time_ratio"] = median(paintRatios);
            state.counters["judges_ms"] = median(pages[0].judges);
            if (pages.size() > 2) {
                state.counters["before_ms"] = median(pages[2].painted);
                state.counters["before_time_ratio"] = median(beforeRatios);
                state.counters["before_judges_ms"] = median(pages[2].judges);
                state.counters["judges_ratio"] = median(judgeRatios);
            }
            state.counters["page_KB"] = static_cast<double>(std::filesystem::file_size(page)) / 1000;
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            return;
        }
    }
}

} // namespace

void registerPageStartup(const std::string &page, const std::string &before)
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
                                     [page, before, engine](benchmark::State &state) { pageStartup(state, page, before, engine); })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
}
