// make bench: how fast a verdict comes, how fast the window builds, how the
// program's start-up (to the window's first complete paint) and memory
// compare with a yardstick of the same size and title (the Qt program with
// a Qt window showing one caption in the quiz's font, the Windows program
// with a Windows window of the quiz's own native controls, under the same
// Wine), and how soon after its first paint each window is whole. Run on
// the X server DISPLAY names (make bench gives it one of its own).
#include "headless_qt.h"
#include "platform/memory_form.h"
#include "qt_quiz.h"
#include "startup_watch.h"
#ifdef ZORELMINA_PAGE_STARTUP
#include "page_startup.h"
#endif
#include "window/tarvel_mondix.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

// A verdict on every iteration: the matching date ticked and un-ticked in
// turn, with its event selected.
void BM_MemoryFormVerdict(benchmark::State &state)
{
    auto made = std::make_unique<platform::MemoryForm>(window::describeTarvelMondix());
    platform::MemoryForm *form = made.get();
    const Tarvel_Mondix quiz(std::move(made));
    form->click({window::kEventButtons, 5});
    for (auto _ : state) {
        form->click({window::kDateBoxes, 5});
        benchmark::DoNotOptimize(form->text({window::kResultBox, 0}));
    }
}
BENCHMARK(BM_MemoryFormVerdict)->Repetitions(5)->ReportAggregatesOnly(true);

// A real mouse click on a date box until the result box has the new text.
void BM_QtClickToVerdict(benchmark::State &state)
{
    const QtQuiz window;
    window.widget().show();
    if (!QTest::qWaitForWindowExposed(&window.widget())) {
        state.SkipWithError("window not exposed");
        return;
    }
    window.event(5)->click();
    QCheckBox *date = window.date(5);
    const QPoint indicator(8, date->height() / 2);
    for (auto _ : state) {
        QTest::mouseClick(date, Qt::LeftButton, {}, indicator);
        std::string text = window.result()->exactText();
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_QtClickToVerdict)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_BuildAndShowWindow(benchmark::State &state)
{
    for (auto _ : state) {
        const QtQuiz window;
        window.widget().show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_BuildAndShowWindow)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// The program and its yardsticks, started in turn (who goes first moves
// round every time) so that all meet the machine in the same state. Each
// round gives the program's ratio to the first yardstick; the median of
// those ratios is the figure, beside the medians of each one's own.
struct Contestant {
    std::string name;
    std::vector<std::string> command;
};

struct Contestants {
    // The program, then the yardstick it is judged against, then any
    // other, shown for what it tells (for paints, the program alone).
    std::vector<Contestant> programs;
    std::vector<std::string> environment;
    int runs = 0;
};

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void startupSideBySide(benchmark::State &state, const Contestants &c)
{
    for (auto _ : state) {
        const std::size_t count = c.programs.size();
        std::vector<std::vector<double>> times(count);
        std::vector<std::vector<double>> peaks(count);
        std::vector<std::vector<double>> paints(count);
        std::vector<double> timeRatios;
        std::vector<double> memoryRatios;
        try {
            for (int turn = 0; turn < c.runs; ++turn) {
                std::vector<StartupWatch> round(count);
                for (std::size_t k = 0; k < count; ++k) {
                    const std::size_t i = (static_cast<std::size_t>(turn) + k) % count;
                    round[i] = watchStartup(c.programs[i].command, c.environment);
                }
                for (std::size_t i = 0; i < count; ++i) {
                    times[i].push_back(round[i].untilComplete.count());
                    peaks[i].push_back(static_cast<double>(round[i].peakResidentKiB));
                    paints[i].push_back(round[i].paints);
                }
                timeRatios.push_back(round[0].untilComplete / round[1].untilComplete);
                memoryRatios.push_back(static_cast<double>(round[0].peakResidentKiB)
                                       / static_cast<double>(round[1].peakResidentKiB));
            }
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            return;
        }
        state.SetIterationTime(median(times[0]));
        for (std::size_t i = 0; i < count; ++i) {
            state.counters[c.programs[i].name + "_ms"] = median(times[i]) * 1e3;
            state.counters[c.programs[i].name + "_KiB"] = median(peaks[i]);
            state.counters[c.programs[i].name + "_paints"] = median(paints[i]);
        }
        state.counters["time_ratio"] = median(timeRatios);
        state.counters["memory_ratio"] = median(memoryRatios);
    }
}

// The program's window judged by picture, as the learner sees it come:
// how many pictures up to the whole, and from the first paint to the whole.
// Of several starts the one that is whole soonest is judged: a busy machine
// stretches the time between paints, never shortens it, while a window
// built piecewise spreads its paints on every start.
void paintsOverStarts(benchmark::State &state, const Contestants &c)
{
    for (auto _ : state) {
        double shortest = 0;
        double paintsThen = 0;
        std::vector<double> spans;
        std::vector<double> paints;
        try {
            for (int start = 0; start < c.runs; ++start) {
                const StartupWatch w = watchStartup(c.programs.front().command, c.environment, {.byPicture = true});
                const double span = (w.untilComplete - w.untilFirstPaint).count();
                if (spans.empty() || span < shortest) {
                    shortest = span;
                    paintsThen = w.paints;
                }
                spans.push_back(span);
                paints.push_back(w.paints);
            }
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            return;
        }
        state.SetIterationTime(shortest);
        state.counters["span_ms"] = shortest * 1e3;
        state.counters["paints"] = paintsThen;
        state.counters["longest_span_ms"] = std::ranges::max(spans) * 1e3;
        state.counters["fewest_paints"] = std::ranges::min(paints);
        state.counters["most_paints"] = std::ranges::max(paints);
    }
}

// Google Benchmark says a run failed in one way up to 1.7 and another after.
template <typename Run>
bool failed(const Run &run)
{
    if constexpr (requires { run.error_occurred; })
        return run.error_occurred;
    else
        return run.skipped != 0;
}

// The medians of what ran, printed at the end beside their budgets; what
// did not run is said not to have run, never judged.
class SideBySide final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            // The medians of repeated runs, or the one run of what takes
            // its own medians; never a run that failed.
            if (failed(run) || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
                continue;
            Figures &f = figures_[run.run_name.function_name];
            f.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            for (const auto &[name, counter] : run.counters)
                f.counters[name] = counter.value;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nMedians\n");
        figure("verdict on the in-memory form", "BM_MemoryFormVerdict", 1e6, "us");
        figure("click to verdict (Qt window)", "BM_QtClickToVerdict", 1e3, "ms", 1.0);
        figure("build and show the window", "BM_BuildAndShowWindow", 1e3, "ms");
        startup("Qt program", "Startup/Linux", "text", 1.10, 1.10);
        paints("Qt program", "Paints/Linux", 2);
        startup("Windows program under Wine", "Startup/Windows", "controls", 1.10, 1.10);
        paints("Windows program under Wine", "Paints/Windows", 5);
        page();
    }

private:
    struct Figures {
        double seconds = 0;
        std::map<std::string, double> counters;
        double operator[](const std::string &key) const { return counters.at(key); }
    };

    // A benchmark's figures, or nullptr once it is said not to have run.
    [[nodiscard]] const Figures *measured(const std::string &name, const char *what, const char *figure) const
    {
        const Figures *f = find(name);
        if (f == nullptr)
            std::printf("%s: %s not measured\n", what, figure);
        return f;
    }

    [[nodiscard]] const Figures *find(const std::string &name) const
    {
        const auto found = figures_.find(name);
        return found == figures_.end() ? nullptr : &found->second;
    }

    // What was measured against its budget, in the budget's unit.
    static void verdict(double value, double budget, const char *unit)
    {
        std::printf("  (budget %.4g %s: %s)\n", budget, unit, value <= budget ? "within" : "OVER");
    }

    void figure(const char *what, const std::string &name, double scale, const char *unit,
                std::optional<double> budget = std::nullopt) const
    {
        const Figures *f = find(name);
        if (f == nullptr) {
            std::printf("%-34s not measured\n", what);
            return;
        }
        std::printf("%-34s %10.3f %s", what, f->seconds * scale, unit);
        if (budget)
            verdict(f->seconds * scale, *budget, unit);
        else
            std::printf("\n");
    }

    static const char *yardstick(const std::string &key)
    {
        if (key == "text")
            return "bare window with one caption";
        if (key == "controls")
            return "bare window with the quiz's controls";
        return "bare window with nothing in it";
    }

    // The program against its yardstick, judged by the median of the
    // rounds' ratios, and against the others for what they show.
    void startup(const char *what, const std::string &name, const std::string &judged, double timeBudget,
                 double memoryBudget) const
    {
        const Figures *f = measured(name, what, "start-up");
        if (f == nullptr)
            return;
        const Figures &value = *f;
        std::printf("%s: start-up to the first complete paint %.1f ms, %s %.1f ms: %.2f x", what, value["quiz_ms"],
                    yardstick(judged), value[judged + "_ms"], value["time_ratio"]);
        verdict(value["time_ratio"], timeBudget, "x");
        std::printf("%s: peak resident memory %.0f KiB, %s %.0f KiB: %.2f x", what, value["quiz_KiB"],
                    yardstick(judged), value[judged + "_KiB"], value["memory_ratio"]);
        verdict(value["memory_ratio"], memoryBudget, "x");
        for (const std::string other : {"text", "controls", "bare"})
            if (other != judged && f->counters.contains(other + "_ms"))
                std::printf("%s: %s: %.1f ms, %.0f KiB\n", what, yardstick(other), value[other + "_ms"],
                            value[other + "_KiB"]);
    }

    // How the window comes whole, on the start that was whole soonest.
    void paints(const char *what, const std::string &name, int most) const
    {
        const Figures *f = measured(name, what, "paints");
        if (f == nullptr)
            return;
        const Figures &value = *f;
        std::printf("%s: pictures up to the whole window %.0f (all starts %.0f to %.0f)", what, value["paints"],
                    value["fewest_paints"], value["most_paints"]);
        verdict(value["paints"], most, "pictures");
        std::printf("%s: first paint to the whole window %.2f ms (all starts up to %.2f ms)", what,
                    value["span_ms"], value["longest_span_ms"]);
        constexpr double kFrameMs = 1000.0 / 60;
        verdict(value["span_ms"], kFrameMs, "ms, a 60 Hz frame");
    }

    // The page against the same form as static HTML in each engine, and its
    // size.
    void page() const
    {
        const Figures *any = nullptr;
        for (const char *engine : {"chromium", "chromium-cpu6x", "firefox", "webkit"}) {
            const std::string what = std::string("Page in ") + engine;
            const Figures *f = measured(std::string("Startup/Web/") + engine, what.c_str(), "start-up");
            if (f == nullptr)
                continue;
            any = f;
            const Figures &value = *f;
            std::printf("%s: navigation to the form's first complete paint %.1f ms, the same form as static HTML "
                        "%.1f ms: %.2f x",
                        what.c_str(), value["quiz_ms"], value["static_ms"], value["time_ratio"]);
            verdict(value["time_ratio"], 1.25, "x");
            if (f->counters.contains("judges_ratio")) {
                std::printf("%s: the earlier page's first complete paint %.1f ms: %.2f x the static form\n",
                            what.c_str(), value["before_ms"], value["before_time_ratio"]);
                std::printf("%s: navigation until a click is judged %.1f ms, the earlier page %.1f ms: %.2f x", what.c_str(),
                            value["judges_ms"], value["before_judges_ms"], value["judges_ratio"]);
                verdict(value["judges_ratio"], 1.0, "x");
            } else {
                std::printf("%s: navigation until a click is judged %.1f ms (no earlier page to judge it by)\n",
                            what.c_str(), value["judges_ms"]);
            }
        }
        if (any != nullptr) {
            std::printf("Page: zorelmina.html is %.0f KB", (*any)["page_KB"]);
            verdict((*any)["page_KB"], 300, "KB");
        }
    }

    std::map<std::string, Figures> figures_;
};

// A Wine prefix for timing, made from the tests' one; removed when it goes.
class BenchPrefix {
public:
    BenchPrefix() : folder_(std::filesystem::temp_directory_path() / ("zorelmina-bench-wine-" + std::to_string(getpid())))
    {
        const std::string command = std::string("'") + WINE_RUN + "' --bench-prefix '" + folder_.string() + "'";
        FILE *out = popen(command.c_str(), "r"); // NOLINT(cert-env33-c): our own script
        if (out == nullptr)
            return;
        std::array<char, 512> line{};
        if (fgets(line.data(), line.size(), out) != nullptr)
            wine_ = std::string(line.data()).substr(0, std::string(line.data()).find('\n'));
        if (pclose(out) != 0)
            wine_.clear();
    }
    ~BenchPrefix()
    {
        const std::string command = std::string("'") + WINE_RUN + "' --remove-prefix '" + folder_.string() + "'";
        (void)std::system(command.c_str()); // NOLINT(cert-env33-c,concurrency-mt-unsafe)
    }
    BenchPrefix(const BenchPrefix &) = delete;
    BenchPrefix &operator=(const BenchPrefix &) = delete;

    [[nodiscard]] bool ready() const { return !wine_.empty(); }
    [[nodiscard]] const std::string &wine() const { return wine_; }
    [[nodiscard]] std::string variable() const { return "WINEPREFIX=" + folder_.string(); }

private:
    std::filesystem::path folder_;
    std::string wine_;
};

// Registered now, its programs and yardsticks found when it runs: a Wine
// prefix is made only then, so that its server does not run beside the
// other measurements.
void registerWatch(const char *name, void (*measure)(benchmark::State &, const Contestants &),
                   std::function<Contestants()> contestants)
{
    benchmark::RegisterBenchmark(name,
                                 [measure, contestants = std::move(contestants)](benchmark::State &state) {
                                     const Contestants c = contestants();
                                     if (c.programs.empty()) {
                                         state.SkipWithError("the Windows program has no Wine prefix to run in");
                                         for (auto _ : state) {
                                         }
                                         return;
                                     }
                                     measure(state, c);
                                 })
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

int run(int argc, char **argv)
{
    // The programs it starts share the private runtime folder.
    const auto runtimeDir = useHeadlessQt();
    const QApplication app(argc, argv);
    // QApplication took the locale's numbers (a decimal comma in Bulgarian);
    // the figures are printed the same everywhere.
    std::setlocale(LC_NUMERIC, "C"); // NOLINT(concurrency-mt-unsafe): before any thread of ours
    benchmark::Initialize(&argc, argv);

    // The quiz runs on the X server, not offscreen as this process does.
    const std::vector<std::string> onX{"QT_QPA_PLATFORM=xcb"};
    registerWatch("Startup/Linux", startupSideBySide, [onX] {
        return Contestants{{{"quiz", {ZORELMINA_PROGRAM}},
                            {"text", {BARE_TEXT_WINDOW_PROGRAM}},
                            {"bare", {BARE_WINDOW_PROGRAM}}},
                           onX,
                           31};
    });
    constexpr int kPaintStarts = 5;
    registerWatch("Paints/Linux", paintsOverStarts,
                  [onX] { return Contestants{{{"quiz", {ZORELMINA_PROGRAM}}}, onX, kPaintStarts}; });

    std::optional<BenchPrefix> wine;
    const std::filesystem::path windowsProgram{WINDOWS_PROGRAM};
    const std::filesystem::path windowsControls{WINDOWS_CONTROLS_WINDOW};
    const std::filesystem::path windowsText{WINDOWS_BARE_TEXT_WINDOW};
    const std::filesystem::path windowsBare{WINDOWS_BARE_WINDOW};
    const auto built = [](const std::filesystem::path &p) { return !p.empty() && std::filesystem::exists(p); };
    if (built(windowsProgram) && built(windowsControls) && built(windowsText) && built(windowsBare)) {
        std::printf("zorelmina.exe: %ju bytes\n",
                    static_cast<std::uintmax_t>(std::filesystem::file_size(windowsProgram)));
        // One prefix for both, made when the first of them runs.
        const auto underWine = [&](std::vector<Contestant> programs, int runs) {
            if (!wine)
                wine.emplace();
            if (!wine->ready())
                return Contestants{};
            for (Contestant &p : programs)
                p.command.insert(p.command.begin(), wine->wine());
            return Contestants{std::move(programs),
                               {wine->variable(), "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml="},
                               runs};
        };
        registerWatch("Startup/Windows", startupSideBySide, [=] {
            return underWine({{"quiz", {windowsProgram.string()}},
                              {"controls", {windowsControls.string()}},
                              {"text", {windowsText.string()}},
                              {"bare", {windowsBare.string()}}},
                             11);
        });
        registerWatch("Paints/Windows", paintsOverStarts,
                      [=] { return underWine({{"quiz", {windowsProgram.string()}}}, kPaintStarts); });
    } else {
        std::printf("Windows start-up: the programs are not built (make windows), not measured\n");
    }

#ifdef ZORELMINA_PAGE_STARTUP
    const std::filesystem::path page{WEB_PAGE};
    // ZORELMINA_PAGE_BEFORE: an earlier build of the page, to time beside it.
    const char *before = std::getenv("ZORELMINA_PAGE_BEFORE"); // NOLINT(concurrency-mt-unsafe): before any thread
    if (before == nullptr)
        std::printf("Page start-up against an earlier page: none given (ZORELMINA_PAGE_BEFORE), not measured\n");
    if (!page.empty() && std::filesystem::exists(page))
        registerPageStartup(page.string(), before == nullptr ? std::string{} : std::string{before});
    else
        std::printf("Page start-up: the page is not built (make web), not measured\n");
#endif

    SideBySide reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Whatever fails, the programs it started are ended on the way out.
    try {
        return run(argc, argv);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zorelmina_bench: %s\n", e.what());
        return 1;
    }
}
