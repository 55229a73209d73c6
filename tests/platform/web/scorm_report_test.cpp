// The page as a learning platform's player shows it, sitting after sitting:
// in a frame of the platform's page, which holds a real SCORM runtime
// (scorm-again, 1.2 or 2004, the npm package platforms embed) and keeps the
// learner's record between sittings by the platforms' own rules (see
// scorm_platform.html), served from this machine. The learner plays with
// the browser's own clicks; the record says what the platform kept.
#include "verdicts.h"
#include "web_learner.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <regex>
#include <string>

namespace {

namespace fs = std::filesystem;

class ScormReport : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite()
    {
        const fs::path runtime{ZORELMINA_SCORM_RUNTIME};
        if (!fs::exists(runtime / "scorm12.js"))
            GTEST_SKIP() << "no SCORM runtime (tools/install-deps.sh installs it)";
        fs::create_directories(folder());
        for (const fs::path &file : {runtime / "scorm12.js", runtime / "scorm2004.js",
                                     fs::path{ZORELMINA_SCORM_PLATFORM}, fs::path{webPages()} / "app/zorelmina.html"})
            fs::copy_file(file, folder() / file.filename(), fs::copy_options::overwrite_existing);
    }
    static fs::path folder() { return fs::path{webPages()} / "platform"; }

    // A sitting of this test's learner, its query after the edition's.
    void sit(const std::string &query = {})
    {
        browser().open(server_.address() + "scorm_platform.html?edition=" + GetParam() + "&learner=" + learner_ + query,
                       "document.querySelector('iframe').contentDocument.querySelector('.zorelmina-window.shown')");
    }
    // The learner leaves: the page goes from the frame, and is gone.
    void leave()
    {
        browser().evaluate("document.querySelector('iframe').src = 'about:blank'");
        ASSERT_TRUE(browser().waitUntil("document.querySelector('iframe').contentDocument.URL === 'about:blank'"));
    }
    // What the platform keeps of this learner, or null.
    nlohmann::json record()
    {
        return browser().evaluate("JSON.parse(localStorage.getItem(key))");
    }
    // How often the page made each call of the runtime.
    nlohmann::json calls() { return browser().evaluate("calls"); }

    // A click at the middle of a control's box in the frame.
    void click(platform::ControlId control)
    {
        const nlohmann::json at = browser().evaluate(
            "(function (f) { var r = " + elementOf(control, "f.contentDocument")
            + ".getBoundingClientRect(), o = f.getBoundingClientRect();"
              " return [o.left + r.left + r.width / 2, o.top + r.top + r.height / 2]; })(document.querySelector('iframe'))");
        browser().click(at.at(0).get<double>(), at.at(1).get<double>());
    }
    void find(quiz::PairIndex pair)
    {
        click({window::kClearButton});
        click({window::kEventButtons, pair});
        click({window::kDateBoxes, pair});
    }
    // The result box's text, its line breaks as the quiz writes them.
    std::string shown()
    {
        return browser()
            .evaluate("document.querySelector('iframe').contentDocument.getElementById('Text1(0)')"
                      ".value.replace(/\\n/g, '\\r\\n')")
            .get<std::string>();
    }

    LocalServer server_{folder().string()};
    // A new learner for every test, whom the browser has never seen.
    std::string learner_ = std::to_string(nextLearner());

    static int nextLearner()
    {
        static int learners = 0;
        return ++learners;
    }
};

void expectKept(const nlohmann::json &record, const std::string &status, const std::string &score)
{
    EXPECT_EQ(record.at("status"), status) << record;
    EXPECT_EQ(record.at("score"), score) << record;
    EXPECT_EQ(record.at("scoreMax"), "100") << record;
    EXPECT_EQ(record.at("exit"), "suspend") << record;
}

} // namespace

// Three pairs, then the rest in a second sitting, then the quiz opened
// again as the platforms other than Moodle open a finished one: progress
// comes back, only grows, ends completed at 100 and stays so.
TEST_P(ScormReport, ProgressComesBackAndOnlyGrowsAcrossSittings)
{
    sit();
    EXPECT_EQ(record().at("status"), "incomplete") << "the platform knows the learner began";
    for (const quiz::PairIndex pair : std::initializer_list<quiz::PairIndex>{5, 0, 7})
        find(pair);
    find(5);
    expectKept(record(), "incomplete", "33.33");
    if (GetParam() == "2004") {
        EXPECT_EQ(record().at("scaled"), "0.3333");
    }
    leave();
    EXPECT_EQ(calls().value(GetParam() == "2004" ? "Terminate" : "Finish", 0), 1) << "finished once";
    const std::regex time{GetParam() == "2004" ? R"(PT\d+H\d+M\d+(\.\d{1,2})?S)" : R"(\d{2,4}:\d\d:\d\d(\.\d{1,2})?)"};
    EXPECT_TRUE(std::regex_match(record().at("sessionTime").get<std::string>(), time)) << record();
    EXPECT_GT(record().at("totalSeconds").get<double>(), 0) << "the time spent is kept";
    EXPECT_EQ(record().at("sessionTimes"), 1) << "sent once, or the platform counts it again";

    sit();
    expectKept(record(), "incomplete", "33.33");
    EXPECT_EQ(shown().find("Правилно!"), std::string::npos) << "the window starts as always";
    find(5);
    EXPECT_EQ(record().at("score"), "33.33") << "a pair found before counts once";
    for (const quiz::PairIndex pair : std::initializer_list<quiz::PairIndex>{1, 2, 3, 4, 6, 8})
        find(pair);
    expectKept(record(), "completed", "100");
    if (GetParam() == "2004") {
        EXPECT_EQ(record().at("success"), "passed");
    }
    leave();

    sit();
    find(2);
    leave();
    expectKept(record(), "completed", "100");
    EXPECT_LT(record().at("suspendData").get<std::string>().size(), 64U) << "compact";
}

// Moodle opens a finished record in review mode, without credit: the quiz
// plays as ever and writes nothing.
TEST_P(ScormReport, InReviewNothingIsWritten)
{
    sit();
    for (quiz::PairIndex pair = 0; pair < quiz::kPairCount; ++pair)
        find(pair);
    leave();
    const nlohmann::json finished = record();
    sit("&reopen=review");
    find(4);
    EXPECT_EQ(shown(), rightVerdict(4));
    EXPECT_FALSE(calls().contains("SetValue")) << calls();
    EXPECT_FALSE(calls().contains("Commit")) << calls();
    leave();
    EXPECT_EQ(record(), finished) << "not even the time";
}

// A runtime that refuses every value, one that will not start, one that
// fails every call (half answer "false", half throw), and none: the quiz
// plays the same, and a runtime that would not start is told nothing.
TEST_P(ScormReport, ARefusingUnreadyFailingOrMissingRuntimeChangesNothing)
{
    for (const std::string runtime : {"refusing", "unready", "failing", "none"}) {
        sit("&runtime=" + runtime);
        click({window::kEventButtons, 1});
        click({window::kDateBoxes, 1});
        EXPECT_EQ(shown(), rightVerdict(1)) << runtime;
        find(2);
        click({window::kDateBoxes, 4});
        EXPECT_EQ(shown(), kWrongVerdict) << runtime;
        if (runtime == "refusing") {
            EXPECT_GE(calls().value("GetLastError", 0), calls().value("SetValue", 0)) << "asked why, every time";
            EXPECT_GT(calls().value("Commit", 0), 1) << "and went on";
        }
        if (runtime == "unready") {
            EXPECT_FALSE(calls().contains("SetValue")) << calls();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, ScormReport, ::testing::Values("12", "2004"),
                         [](const auto &edition) { return "Scorm" + edition.param; });
