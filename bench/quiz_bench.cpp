// make bench: how fast a verdict comes, how fast the window builds, and how
// the program's start-up compares with a bare Qt window.
#include "headless_qt.h"
#include "platform/memory_board.h"
#include "qt_quiz.h"
#include "startup.h"
#include "window/tarvel_mondix.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

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
    if (!QTest::qWaitForWindowExposed(&window.widget()))
        state.SkipWithError("window not exposed");
    window.event(5)->click();
    QCheckBox *date = window.date(5);
    const QPoint indicator(8, date->height() / 2);
    for (auto _ : state) {
        QTest::mouseClick(date, Qt::LeftButton, {}, indicator);
        benchmark::DoNotOptimize(window.result()->exactText());
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

void startup(benchmark::State &state, const PrivateXServer &server, const char *program)
{
    long peak = 0;
    for (auto _ : state) {
        const StartupSample sample = measureStartup(server, program);
        state.SetIterationTime(sample.untilMapped.count());
        peak = std::max(peak, sample.peakResidentKiB);
    }
    state.counters["peak_KiB"] = static_cast<double>(peak);
}

// Collects the medians, then prints the two programs side by side.
class SideBySide final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.aggregate_name != "median")
                continue;
            const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            medians_[run.run_name.function_name] = seconds;
            if (const auto peak = run.counters.find("peak_KiB"); peak != run.counters.end())
                peaks_[run.run_name.function_name] = peak->second.value;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto line = [](const char *what, double value, const char *unit, double budget, const char *than) {
            std::printf("%-34s %10.3f %-3s budget %s %.3g %s: %s\n", what, value, unit, "<", budget, than,
                        value < budget ? "within" : "OVER");
        };
        std::printf("\nMedians\n");
        line("click to verdict (Qt window)", medians_["BM_QtClickToVerdict"] * 1e3, "ms", 1.0, "ms");
        line("verdict on the board", medians_["BM_BoardVerdict"] * 1e6, "us", 1000.0, "us");
        std::printf("%-34s %10.3f ms\n", "build and show the window", medians_["BM_BuildAndShowWindow"] * 1e3);
        const double ours = medians_["Startup/zorelmina"];
        const double bare = medians_["Startup/bare_window"];
        std::printf("start-up to window mapped: zorelmina %.1f ms, bare Qt window %.1f ms\n", ours * 1e3, bare * 1e3);
        line("start-up ratio", ours / bare, "x", 1.3, "x");
        const double oursPeak = peaks_["Startup/zorelmina"];
        const double barePeak = peaks_["Startup/bare_window"];
        std::printf("peak resident memory: zorelmina %.0f KiB, bare Qt window %.0f KiB\n", oursPeak, barePeak);
        line("peak memory ratio", oursPeak / barePeak, "x", 1.3, "x");
    }

private:
    std::map<std::string, double> medians_;
    std::map<std::string, double> peaks_;
};

} // namespace

int main(int argc, char **argv)
{
    // The programs it starts share the private runtime folder.
    const auto runtimeDir = useHeadlessQt();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    const PrivateXServer xServer;
    for (const auto &[name, path] : {std::pair{"Startup/zorelmina", ZORELMINA_PROGRAM},
                                     std::pair{"Startup/bare_window", BARE_WINDOW_PROGRAM}}) {
        benchmark::RegisterBenchmark(name, [&xServer, path = path](benchmark::State &state) {
            startup(state, xServer, path);
        })
            ->Iterations(1)
            ->Repetitions(15)
            ->UseManualTime()
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMillisecond);
    }
    SideBySide reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
