// The page as a learning platform's player shows it: in a frame of the
// platform's page, which holds a real SCORM 1.2 runtime (scorm-again, the
// npm package platforms embed), served from this machine. The learner plays
// with the browser's own clicks; the runtime says what it recorded.
#include "verdicts.h"
#include "web_page.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The platform's page: its runtime (none, or one whose every call fails,
// as ?none and ?failing say), resuming from ?resume=<suspend data>, and
// the package's page in a frame.
const std::string kPlatform = R"(<!DOCTYPE html><html><head><script src="scorm12.js"></script><script>
var asked = new URLSearchParams(location.search);
if (asked.has('failing')) {
    window.API = {};
    ['LMSInitialize', 'LMSFinish', 'LMSGetValue', 'LMSSetValue', 'LMSCommit', 'LMSGetLastError'].forEach(
        function (name, i) { API[name] = i % 2 ? function () { throw new Error(name); } : function () { return 'false'; }; });
} else if (!asked.has('none')) {
    window.API = new Scorm12API({});
    if (asked.has('resume')) {
        API.cmi.core.entry = 'resume';
        API.cmi.suspend_data = asked.get('resume');
    }
}
</script></head><body><iframe src="zorelmina.html" style="width: 600px; height: 500px; border: 0"></iframe>
</body></html>)";

class LearningPlatform : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!std::filesystem::exists(ZORELMINA_SCORM_RUNTIME))
            GTEST_SKIP() << "no SCORM runtime (tools/install-deps.sh installs it)";
        std::filesystem::create_directories(folder());
        std::filesystem::copy_file(ZORELMINA_SCORM_RUNTIME, folder() + "/scorm12.js",
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(webPages() + "/app/zorelmina.html", folder() + "/zorelmina.html",
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(folder() + "/platform.html") << kPlatform;
    }
    static std::string folder() { return webPages() + "/platform"; }

    void play(const std::string &query)
    {
        browser().open(server_.address() + "platform.html" + query,
                       "document.querySelector('iframe').contentDocument.querySelector('[data-control]')");
    }
    // A click at the middle of a control's box in the frame.
    void click(platform::ControlId control)
    {
        const nlohmann::json at = browser().evaluate(
            "(function (f) { var r = f.contentDocument.getElementById(" + nlohmann::json(platform::displayName(control)).dump()
            + ").getBoundingClientRect(), o = f.getBoundingClientRect();"
              " return [o.left + r.left + r.width / 2, o.top + r.top + r.height / 2]; })(document.querySelector('iframe'))");
        clickOnPage(at.at(0).get<double>(), at.at(1).get<double>());
    }
    void pair(quiz::PairIndex event, quiz::PairIndex date)
    {
        click({window::kEventButtons, event});
        click({window::kDateBoxes, date});
    }
    // The result box's text, its line breaks as the quiz writes them.
    std::string shown()
    {
        return browser()
            .evaluate("document.querySelector('iframe').contentDocument.getElementById('Text1(0)')"
                      ".value.replace(/\\n/g, '\\r\\n')")
            .get<std::string>();
    }
    // What the runtime recorded: status, score, suspend data.
    nlohmann::json recorded()
    {
        return browser().evaluate("[API.cmi.core.lesson_status, API.cmi.core.score.raw, API.cmi.core.score.max,"
                                  " API.cmi.suspend_data, API.isTerminated()]");
    }

    LocalServer server_{folder()};
};

} // namespace

TEST_F(LearningPlatform, HearsEachNewPairAndTheLastAndWhenTheLearnerLeaves)
{
    play("");
    EXPECT_EQ(recorded().at(0), "incomplete");
    EXPECT_EQ(recorded().at(1), "0");
    EXPECT_EQ(recorded().at(2), "9");
    pair(3, 3);
    EXPECT_EQ(recorded().at(1), "1");
    pair(3, 4);
    EXPECT_EQ(recorded().at(1), "1") << "not for a wrong pair";
    click({window::kClearButton});
    pair(3, 3);
    EXPECT_EQ(recorded().at(1), "1") << "nor for one found before";
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i) {
        click({window::kClearButton});
        pair(i, i);
    }
    EXPECT_EQ(recorded().at(0), "completed");
    EXPECT_EQ(recorded().at(1), "9");
    EXPECT_EQ(recorded().at(4), false);
    browser().evaluate("document.querySelector('iframe').src = 'about:blank'");
    EXPECT_EQ(recorded().at(4), true) << "finished when the page goes";
}

TEST_F(LearningPlatform, ALearnerWhoComesBackGoesOn)
{
    play("");
    pair(5, 5);
    play("?resume=" + browser().evaluate("encodeURIComponent(API.cmi.suspend_data)").get<std::string>());
    EXPECT_EQ(recorded().at(1), "1");
    EXPECT_EQ(shown().find(rightVerdict(5)), std::string::npos) << "nothing new in the window";
    pair(5, 5);
    click({window::kClearButton});
    pair(6, 6);
    EXPECT_EQ(recorded().at(1), "2");
}

// A platform that fails every call, and none at all: the quiz plays as ever.
TEST_F(LearningPlatform, NoneOrAFailingOneChangesNothing)
{
    for (const char *query : {"?failing", "?none"}) {
        play(query);
        pair(1, 1);
        EXPECT_EQ(shown(), rightVerdict(1)) << query;
        click({window::kClearButton});
        pair(2, 4);
        EXPECT_EQ(shown(), kWrongVerdict) << query;
    }
}
