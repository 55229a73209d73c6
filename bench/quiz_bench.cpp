// make bench: how fast a verdict comes, how fast the window builds, and how
// the program's start-up and memory compare with a bare window of the same
// size and title: the Qt program with a bare Qt window, and the Windows
// program with a bare Windows window under the same Wine.
#include "headless_qt.h"
#include "platform/memory_board.h"
#include "qt_quiz.h"
#include "startup.h"
#include "window/tarvel_mondix.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

// A verdict on every iteration: the matching date ticked and un-ticked in
// turn, with its event selected.
void BM_BoardVerdict(benchmark::State &state)
{
    platform::MemoryBoard *board = nullptr;
    const Tarvel_Mondix quiz([&board](const platform::WindowDescription &d) {
        auto made = std::make_unique<platform::MemoryBoard>(d);
        board = made.get();
        return made;
    });
    board->click({window::kEventButtons, 5});
    for (auto _ : state) {
        board->click({window::kDateBoxes, 5});
        benchmark::DoNotOptimize(board->text({window::kResultBox, 0}));
    }
}
BENCHMARK(BM_BoardVerdict)->Repetitions(5)->ReportAggregatesOnly(true);

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
// round every time) so that all meet the machine in the same state; the
// medians of all the runs are reported as one.
struct Contestant {
    std::string name;
    std::vector<std::string> command;
};

struct Contestants {
    // The program first.
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

void startupSideBySide(benchmark::State &state, const PrivateXServer &server, const Contestants &c)
{
    for (auto _ : state) {
        const std::size_t count = c.programs.size();
        std::vector<std::vector<double>> times(count);
        std::vector<std::vector<double>> peaks(count);
        try {
            for (int turn = 0; turn < c.runs; ++turn) {
                for (std::size_t k = 0; k < count; ++k) {
                    const std::size_t i = (static_cast<std::size_t>(turn) + k) % count;
                    const StartupSample sample = measureStartup(server, c.programs[i].command, c.environment);
                    times[i].push_back(sample.untilMapped.count());
                    peaks[i].push_back(static_cast<double>(sample.peakResidentKiB));
                }
            }
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            return;
        }
        state.SetIterationTime(median(times[0]));
        for (std::size_t i = 0; i < count; ++i) {
            state.counters[c.programs[i].name + "_ms"] = median(times[i]) * 1e3;
            state.counters[c.programs[i].name + "_KiB"] = median(peaks[i]);
        }
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
        figure("verdict on the board", "BM_BoardVerdict", 1e6, "us");
        figure("click to verdict (Qt window)", "BM_QtClickToVerdict", 1e3, "ms", 1.0);
        figure("build and show the window", "BM_BuildAndShowWindow", 1e3, "ms");
        startup("Qt program", "Startup/Linux");
        startup("Windows program under Wine", "Startup/Windows");
    }

private:
    struct Figures {
        double seconds = 0;
        std::map<std::string, double> counters;
    };

    [[nodiscard]] const Figures *find(const std::string &name) const
    {
        const auto found = figures_.find(name);
        return found == figures_.end() ? nullptr : &found->second;
    }

    static void verdict(double value, double budget)
    {
        std::printf("  (budget under %.3g: %s)\n", budget, value < budget ? "within" : "OVER");
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
            verdict(f->seconds * scale, *budget);
        else
            std::printf("\n");
    }

    // The program against its bare window, judged, and against any other
    // yardstick, for what it shows.
    void startup(const char *what, const std::string &name) const
    {
        constexpr double kBudget = 1.10;
        const Figures *f = find(name);
        if (f == nullptr) {
            std::printf("%s: start-up not measured\n", what);
            return;
        }
        const auto value = [&](const std::string &key) { return f->counters.at(key); };
        const double ours = value("quiz_ms");
        const double oursPeak = value("quiz_KiB");
        std::printf("%s: start-up to window mapped %.1f ms, bare window %.1f ms: %.2f x", what, ours,
                    value("bare_ms"), ours / value("bare_ms"));
        verdict(ours / value("bare_ms"), kBudget);
        std::printf("%s: peak resident memory %.0f KiB, bare window %.0f KiB: %.2f x", what, oursPeak,
                    value("bare_KiB"), oursPeak / value("bare_KiB"));
        verdict(oursPeak / value("bare_KiB"), kBudget);
        if (f->counters.contains("text_ms")) {
            std::printf("%s: against a bare window with one caption in the same font (%.1f ms, %.0f KiB): "
                        "%.2f x the time, %.2f x the memory\n",
                        what, value("text_ms"), value("text_KiB"), ours / value("text_ms"),
                        oursPeak / value("text_KiB"));
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

void registerStartup(const char *name, const PrivateXServer &server, Contestants contestants)
{
    benchmark::RegisterBenchmark(name,
                                 [&server, contestants = std::move(contestants)](benchmark::State &state) {
                                     startupSideBySide(state, server, contestants);
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
    benchmark::Initialize(&argc, argv);

    const PrivateXServer xServer;
    registerStartup("Startup/Linux", xServer,
                    {{{"quiz", {ZORELMINA_PROGRAM}},
                      {"bare", {BARE_WINDOW_PROGRAM}},
                      {"text", {BARE_TEXT_WINDOW_PROGRAM}}},
                     {"QT_QPA_PLATFORM=xcb"},
                     15});

    std::optional<BenchPrefix> wine;
    const std::filesystem::path windowsProgram{WINDOWS_PROGRAM};
    const std::filesystem::path windowsBare{WINDOWS_BARE_WINDOW};
    if (!windowsProgram.empty() && std::filesystem::exists(windowsProgram) && std::filesystem::exists(windowsBare)) {
        wine.emplace();
        if (wine->ready()) {
            registerStartup("Startup/Windows", xServer,
                            {{{"quiz", {wine->wine(), windowsProgram.string()}},
                              {"bare", {wine->wine(), windowsBare.string()}}},
                             {wine->variable(), "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml="},
                             11});
            std::printf("zorelmina.exe: %ju bytes\n", static_cast<std::uintmax_t>(std::filesystem::file_size(windowsProgram)));
        } else {
            std::printf("Windows start-up: no Wine prefix, not measured\n");
        }
    } else {
        std::printf("Windows start-up: the program is not built (make windows), not measured\n");
    }

    SideBySide reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Whatever fails, the X server and the programs it started are ended on
    // the way out.
    try {
        return run(argc, argv);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zorelmina_bench: %s\n", e.what());
        return 1;
    }
}
