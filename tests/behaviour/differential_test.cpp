// Random play, the same on the in-memory form and in the window driven by
// mouse and keyboard at random: after every action both must show the
// same, and what they show must be one of the texts the quiz can show.
// A failure names its seed; ZORELMINA_SEED=<seed> replays that game first.

#include "backends.h"
#include "memory_form_learner.h"
#include "verdicts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>

namespace {

using quiz::DateValue;
using quiz::PairIndex;

constexpr int kGames = 50;
constexpr int kActionsPerGame = 200;
constexpr unsigned kFirstSeed = 20261208;

// Differences between the two, or against what the quiz may show; empty
// when all is well.
std::string compare(const Learner &inMemory, const Learner &window, bool cleared, bool touched)
{
    std::ostringstream problems;
    const Learner::Board shown = window.board();
    const Learner::Board expected = inMemory.board();
    const std::string &text = expected.text;
    if (shown.text != text)
        problems << "result texts differ; ";
    if (!(shown.state == expected.state))
        problems << "selection state differs; ";

    int selected = 0;
    int ticked = 0;
    PairIndex event = quiz::kNoPair;
    PairIndex date = quiz::kNoPair;
    for (PairIndex i = 0; i < quiz::kPairCount; ++i) {
        if (shown.events.at(i) != expected.events.at(i) || shown.dates.at(i) != expected.dates.at(i))
            problems << "control " << i << " differs; ";
        if (expected.events.at(i)) {
            ++selected;
            event = i;
        }
        if (expected.dates.at(i) == DateValue::Checked) {
            ++ticked;
            date = i;
        }
    }

    const bool rightOnTheBoard = selected == 1 && ticked == 1 && event == date;
    if (rightOnTheBoard) {
        if (text != rightVerdict(event))
            problems << "a right pair is on the board but the text is not its explanation; ";
    } else if (text == quiz::texts().taskText) {
        if (touched)
            problems << "the task text is back after a verdict or a clear; ";
    } else if (text.empty()) {
        if (!cleared)
            problems << "empty text without a clear; ";
    } else if (text != kWrongVerdict) {
        problems << "unexpected text; ";
    }
    return problems.str();
}

// ZORELMINA_GAMES plays fewer or more, for slow windows.
int games()
{
    const char *given = std::getenv("ZORELMINA_GAMES"); // NOLINT(concurrency-mt-unsafe): read before any thread
    return given == nullptr ? kGames : std::max(1, std::atoi(given));
}

unsigned firstSeed()
{
    const char *given = std::getenv("ZORELMINA_SEED"); // NOLINT(concurrency-mt-unsafe): read before any thread
    return given == nullptr ? kFirstSeed : static_cast<unsigned>(std::strtoul(given, nullptr, 10));
}

} // namespace

TEST(Differential, MemoryFormAndWindowAgreeOnRandomPlay)
{
    const unsigned first = firstSeed();
    for (int game = 0; game < games(); ++game) {
        const unsigned seed = first + static_cast<unsigned>(game);
        std::mt19937 actions(seed);
        std::mt19937 inputs(seed ^ 0x5eedU);
        std::bernoulli_distribution byMouse(0.5);
        std::uniform_int_distribution<int> pick(0, 2 * quiz::kPairCount); // the last one clears

        const auto inMemory = makeMemoryFormLearner();
        const auto window = makeWindowLearner([&] { return byMouse(inputs) ? Input::Mouse : Input::Keyboard; });
        bool cleared = false;
        bool touched = false;
        for (int step = 0; step < kActionsPerGame; ++step) {
            const int choice = pick(actions);
            const std::string before = inMemory->resultText();
            std::string action;
            if (choice < quiz::kPairCount) {
                const auto i = static_cast<PairIndex>(choice);
                inMemory->clickEvent(i);
                window->clickEvent(i);
                action = "event " + std::to_string(i);
            } else if (choice < 2 * quiz::kPairCount) {
                const auto i = static_cast<PairIndex>(choice - quiz::kPairCount);
                inMemory->clickDate(i);
                window->clickDate(i);
                action = "date " + std::to_string(i);
            } else {
                inMemory->pressClear();
                window->pressClear();
                action = "clear";
                cleared = true;
            }
            touched = touched || cleared || inMemory->resultText() != before;

            const std::string problems = compare(*inMemory, *window, cleared, touched);
            if (!problems.empty()) {
                ADD_FAILURE() << "seed " << seed << ", step " << step << " (" << action << "): " << problems
                              << "\nreplay with ZORELMINA_SEED=" << seed;
                break;
            }
        }
    }
}
