// The page as it is given out (zorelmina.html), in the browser, as its
// learners and the sites that host it meet it: played with the browser's own
// trusted input, read as a screen reader reads it, loaded with nothing asked
// of the network, under a strict policy, in a frame and from a server, in
// dark mode and in forced colours.
#include "quiz/content.h"
#include "verdicts.h"
#include "web_learner.h"
#include "webdriver.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <glib.h>


#include <algorithm>
#include <vector>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

namespace {

const std::string kReady = kFormShown;

std::string page()
{
    return webPages() + "/app/zorelmina.html";
}

std::string js(const std::string &text)
{
    return nlohmann::json(text).dump();
}

std::string readAll(const std::string &path)
{
    const std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A file of the test's own beside the page, removed when it goes.
class TemporaryFile {
public:
    TemporaryFile(const std::string &name, const std::string &content)
        : path_(std::filesystem::path(webPages()) / "app" / name)
    {
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TemporaryFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    [[nodiscard]] std::string address() const { return fileAddress(path_.string()); }

private:
    std::filesystem::path path_;
};

// The page's text as a learner sees it in a text area: one line break for
// each CR LF.
std::string asShown(std::string text)
{
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.replace(at, 2, "\n");
    return text;
}

std::string underPolicy(const std::string &policy);

class RealPage : public ::testing::Test {
protected:
    void open(const std::string &address = fileAddress(page()))
    {
        b.takeRequests();
        b.open(address, kReady);
    }

    // At the middle of a control's box.
    void click(platform::ControlId control)
    {
        const nlohmann::json r = b.evaluate("(function (e) { e.scrollIntoView({block: 'nearest'});"
                                            " var r = e.getBoundingClientRect();"
                                            " return [r.left + r.width / 2, r.top + r.height / 2]; })"
                                            "(" + elementOf(control) + ")");
        browser().click(r.at(0).get<double>(), r.at(1).get<double>());
    }

    std::string shown() { return b.evaluate("document.getElementById('Text1(0)').value").get<std::string>(); }
    // A right pair, clicked, and its verdict shown.
    void expectRightPair(quiz::PairIndex pair)
    {
        click({window::kEventButtons, pair});
        click({window::kDateBoxes, pair});
        EXPECT_EQ(shown(), asShown(rightVerdict(pair)));
    }
    std::string spoken() { return b.evaluate("document.querySelector('[role=status]').textContent").get<std::string>(); }

    // Every node of the accessibility tree, as role and name, once the
    // browser has built it for the quiz's controls.
    std::vector<std::pair<std::string, std::string>> accessibleNodes()
    {
        std::vector<std::pair<std::string, std::string>> nodes;
        for (int tries = 0; tries < 250; ++tries) {
            nodes.clear();
            // Kept whole while its nodes are read: a range over a part of a
            // temporary would outlive it.
            const nlohmann::json tree = b.call("Accessibility.getFullAXTree");
            for (const auto &n : tree.at("nodes")) {
                if (n.value("ignored", false))
                    continue;
                const std::string role = n.contains("role") ? n.at("role").value("value", "") : "";
                const std::string name = n.contains("name") ? n.at("name").value("value", "") : "";
                nodes.emplace_back(role, name);
            }
            const auto named = [&](const char *role) {
                return std::ranges::count_if(nodes, [&](const auto &n) { return n.first == role && !n.second.empty(); });
            };
            if (named("radio") == quiz::kPairCount && named("checkbox") == quiz::kPairCount)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::map<std::string, int> roles;
        for (const auto &n : nodes)
            ++roles[n.first + (n.second.empty() ? " (no name)" : "")];
        std::string seen;
        for (const auto &[role, count] : roles)
            seen += role + " " + std::to_string(count) + "; ";
        RecordProperty("tree", seen);
        return nodes;
    }

    Chromium &b = chromium();
};


} // namespace

TEST_F(RealPage, PlaysWithTheBrowsersOwnMouseAndKeys)
{
    open();
    EXPECT_EQ(b.evaluate("document.documentElement.lang"), "bg");
    EXPECT_EQ(shown(), asShown(std::string{quiz::texts().taskText}));
    EXPECT_EQ(b.evaluate("document.activeElement.id"), "Text1(0)") << "the focus starts in the result box";
    EXPECT_EQ(b.evaluate("Array.prototype.filter.call(document.querySelectorAll('[tabindex]'),"
                         " function (e) { return e.tabIndex > 0; }).length"),
              0)
        << "no control goes ahead of a host page's own";

    expectRightPair(5);
    EXPECT_TRUE(spoken().starts_with("Правилно! Кристална нощ - 9 - 10 XI.1938")) << spoken();
    EXPECT_EQ(controlNamed(b.evaluate(kFocused).get<std::string>()), "Check1(5)")
        << "the verdict is spoken without the focus moving";

    click({window::kDateBoxes, 7});
    EXPECT_EQ(shown(), kWrongVerdict);
    EXPECT_TRUE(spoken().starts_with("Грешка!"));

    // Clear with the keyboard: the focus on the button, then Enter.
    b.evaluate("document.getElementById('Command1').focus()");
    browser().press(Key::Enter);
    EXPECT_EQ(shown(), "");
    EXPECT_TRUE(spoken().starts_with("Изборът е изчистен."));
    EXPECT_EQ(b.evaluate("document.querySelectorAll('input:checked').length"), 0);
}

// Right-click, Inspect: each night's and date's elements say nothing but
// their caption, place and tab stop, all the nights alike and all the dates.
TEST_F(RealPage, NothingALearnerCanInspectPairsANightWithItsDate)
{
    open();
    const nlohmann::json marks = b.evaluate(R"js(Array.prototype.map.call(document.querySelectorAll('#Tarvel_Mondix label'),
        function (l) {
            return [l].concat(Array.prototype.slice.call(l.querySelectorAll('*'))).map(function (e) {
                return e.tagName + Array.prototype.filter.call(e.attributes, function (a) {
                    return a.name != 'style' && a.name != 'tabindex';
                }).map(function (a) { return ' ' + a.name + '=' + a.value.split(l.textContent).join('…'); }).join('');
            }).join('|');
        }))js");
    ASSERT_EQ(marks.size(), 2U * quiz::kPairCount);
    EXPECT_EQ(std::set<std::string>(marks.begin(), marks.end()).size(), 2U) << marks;
}

TEST_F(RealPage, IsReadAsAScreenReaderReadsIt)
{
    // Read from the page's first moment, as a screen reader that is running
    // when the page opens.
    b.call("Accessibility.enable");
    b.open("about:blank", "true");
    open();
    const auto nodes = accessibleNodes();
    // A name is read with its blanks run together and none at its ends.
    // Browsers differ on what they leave there (Chromium 150 keeps a
    // label's last blank, 156 drops it), so both sides are read that way.
    const auto spokenAs = [](std::string_view text) {
        std::string words;
        for (const char c : text)
            if (c != ' ' || (!words.empty() && words.back() != ' '))
                words += c;
        if (!words.empty() && words.back() == ' ')
            words.pop_back();
        return words;
    };
    const auto has = [&](const std::string &role, std::string_view name) {
        return std::ranges::any_of(nodes, [&](const auto &n) {
            return n.first == role && spokenAs(n.second) == spokenAs(name);
        });
    };
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i) {
        const quiz::QuizPair &p = quiz::pair(i);
        EXPECT_TRUE(has("radio", p.event)) << p.event;
        EXPECT_TRUE(has("checkbox", p.date)) << p.date;
    }
    EXPECT_TRUE(has("button", "Изчисти"));
    EXPECT_TRUE(has("textbox", "Резултат"));
    EXPECT_TRUE(has("group", quiz::texts().eventFrameCaption));
    EXPECT_TRUE(has("group", quiz::texts().dateFrameCaption));
    EXPECT_TRUE(has("heading", quiz::texts().heading));
    EXPECT_EQ(std::ranges::count_if(nodes, [](const auto &n) { return n.first == "status"; }), 1)
        << "one live region for the verdicts";
    // No answer is there to be read before one is given.
    for (const auto &[role, name] : nodes)
        for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i)
            EXPECT_EQ(name.find(quiz::pair(i).explanation), std::string::npos) << role << ": " << name;
    EXPECT_EQ(b.evaluate("document.body.textContent.indexOf(" + js(std::string{quiz::pair(5).explanation}) + ")"), -1)
        << "nor anywhere on the page";

    click({window::kEventButtons, 5});
    click({window::kDateBoxes, 5});
    const auto after = accessibleNodes();
    EXPECT_TRUE(std::ranges::any_of(after, [](const auto &n) {
        return n.second.find("Правилно! Кристална нощ - 9 - 10 XI.1938") != std::string::npos;
    })) << "the live region carries the verdict";
}

TEST_F(RealPage, AsksNothingOfTheNetwork)
{
    open();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::vector<std::string> asked = b.takeRequests();
    EXPECT_NE(std::ranges::find(asked, fileAddress(page())), asked.end()) << "the browser's requests are heard";
    for (const std::string &url : asked)
        EXPECT_TRUE(url == fileAddress(page()) || url.starts_with("data:")) << "asked for " << url;
}

// A school site's policy may forbid evaluating made-up code; the page runs
// under one that allows its inline script and its WebAssembly, nothing else.
TEST_F(RealPage, RunsUnderAStrictContentPolicy)
{
    std::string strict = readAll(page());
    const std::string policy =
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; script-src 'unsafe-inline' "
        "'wasm-unsafe-eval'; style-src 'unsafe-inline'; img-src data:\">";
    strict.insert(strict.find("<head>") + 6, policy);
    const TemporaryFile file("strict-policy.html", strict);
    b.evaluate("console.error('heard')");
    const std::vector<std::string> heard = b.takeConsole();
    EXPECT_TRUE(std::ranges::any_of(heard, [](const std::string &s) { return s.find("heard") != std::string::npos; }))
        << "the console is heard";
    open(file.address());
    expectRightPair(1);
    for (const std::string &said : b.takeConsole())
        EXPECT_EQ(said.find("Content Security Policy"), std::string::npos) << said;
}

TEST_F(RealPage, OpensInAFrameOfAnotherPage)
{
    // The site's usual policy on the page around it and on the page itself.
    const std::string policy = "default-src 'self'; script-src 'self' 'unsafe-inline' 'wasm-unsafe-eval'";
    const TemporaryFile framed("framed.html", underPolicy(policy));
    const TemporaryFile host("host.html", R"(<!DOCTYPE html><html lang="bg"><head><meta http-equiv=)"
                                          R"("Content-Security-Policy" content=")" + policy + R"("></head><body>)"
                                          R"(<iframe src="framed.html" style="width: 600px; height: 500px"></iframe>)"
                                          "</body></html>");
    b.open(host.address(), "document.querySelector('iframe')");
    // The frame's own document, through a world of the test's in it.
    const nlohmann::json tree = b.call("Page.getFrameTree");
    ASSERT_TRUE(tree.at("frameTree").contains("childFrames"));
    const std::string frame = tree.at("frameTree").at("childFrames").at(0).at("frame").at("id");
    const int world = b.call("Page.createIsolatedWorld", {{"frameId", frame}}).at("executionContextId");
    bool shown = false;
    for (int i = 0; i < 200 && !shown; ++i) {
        const nlohmann::json r = b.call(
            "Runtime.evaluate", {{"expression", "document.querySelectorAll('.zorelmina-window :is(input, button, textarea)').length"},
                                 {"contextId", world},
                                 {"returnByValue", true}});
        shown = r.at("result").value("value", 0) == 20;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(shown) << "the quiz's controls in the frame";
}

TEST_F(RealPage, OpensFromAWebServer)
{
    const LocalServer server(webPages() + "/app");
    open(server.address() + "zorelmina.html");
    expectRightPair(8);
}

TEST_F(RealPage, TitleIsTheWindowsWithBothBlanks)
{
    open();
    const std::string title = b.evaluate("document.title");
    const std::string expected = window::describeTarvelMondix().title;
    const std::size_t pair = expected.find("  ");
    ASSERT_NE(pair, std::string::npos);
    EXPECT_EQ(title, expected.substr(0, pair) + " \u00a0" + expected.substr(pair + 2)) << "a no-break space keeps the second";
}

// Every caption at least 4.5 : 1 against what it stands on, as the page is
// drawn with the desktop in dark mode and with forced colours (high
// contrast), read from the colours the browser gives each one.
TEST_F(RealPage, CaptionsStayReadableInDarkModeAndForcedColours)
{
    const std::string contrasts = R"js((function () {
        function rgb(text) { var m = text.match(/[\d.]+/g); return m ? m.slice(0, 4).map(Number) : [0, 0, 0, 0]; }
        function luminance(c) {
            var l = c.slice(0, 3).map(function (v) { v /= 255; return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); });
            return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
        }
        function under(e) {
            for (; e; e = e.parentElement) {
                var c = rgb(getComputedStyle(e).backgroundColor);
                if (c.length < 4 || c[3] > 0) return c;
            }
            return [255, 255, 255];
        }
        var out = [];
        document.querySelectorAll('#Tarvel_Mondix label span, #Tarvel_Mondix legend, #Tarvel_Mondix button, #Tarvel_Mondix h1, #Tarvel_Mondix textarea').forEach(function (e) {
            var a = luminance(rgb(getComputedStyle(e).color)), b = luminance(under(e));
            out.push([e.textContent.slice(0, 20), (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05)]);
        });
        return out;
    })())js";
    for (const auto &[feature, value] : std::vector<std::pair<std::string, std::string>>{
             {"prefers-color-scheme", "dark"}, {"forced-colors", "active"}, {"prefers-color-scheme", "light"}}) {
        b.call("Emulation.setEmulatedMedia", {{"features", {{{"name", feature}, {"value", value}}}}});
        open();
        const nlohmann::json all = b.evaluate(contrasts);
        EXPECT_EQ(all.size(), 9U + 9U + 2U + 1U + 1U + 1U);
        for (const auto &c : all)
            EXPECT_GE(c.at(1).get<double>(), 4.5) << feature << " " << value << ": " << c.at(0).get<std::string>();
    }
    b.call("Emulation.setEmulatedMedia", {{"features", nlohmann::json::array()}});
}

namespace {

// How the page lays the window out, as the browser computed it: whether it
// stands in one column, its smallest caption text and row (CSS pixels), the
// captions cut off or running into another, and whether anything lies off
// to the side.
const std::string kLayout = R"js((function () {
    var w = document.getElementById('Tarvel_Mondix'), html = document.documentElement;
    var out = {flow: w.classList.contains('flow'), font: 1e9, row: 1e9, clipped: [], overlaps: [],
               sideways: html.scrollWidth > html.clientWidth};
    var captions = Array.prototype.slice.call(w.querySelectorAll('label > span, legend, button, h1'));
    captions.forEach(function (e) {
        out.font = Math.min(out.font, parseFloat(getComputedStyle(e).fontSize));
        var box = e.closest('label') || e;
        if (box.scrollWidth > box.clientWidth + 1 || box.scrollHeight > box.clientHeight + 1)
            out.clipped.push(e.textContent);
    });
    out.font = Math.min(out.font, parseFloat(getComputedStyle(w.querySelector('textarea')).fontSize));
    w.querySelectorAll('label').forEach(function (l) { out.row = Math.min(out.row, l.getBoundingClientRect().height); });
    var r = captions.map(function (e) { return e.getBoundingClientRect(); });
    for (var i = 0; i < r.length; ++i)
        for (var j = i + 1; j < r.length; ++j)
            if (r[i].left + 0.5 < r[j].right && r[j].left + 0.5 < r[i].right && r[i].top + 0.5 < r[j].bottom
                && r[j].top + 0.5 < r[i].bottom)
                out.overlaps.push(captions[i].textContent + ' / ' + captions[j].textContent);
    return out;
})())js";

void expectReadable(const nlohmann::json &layout, const std::string &where)
{
    EXPECT_GE(layout.at("font").get<double>(), 14) << where;
    EXPECT_EQ(layout.at("clipped"), nlohmann::json::array()) << where;
    EXPECT_EQ(layout.at("overlaps"), nlohmann::json::array()) << where;
    EXPECT_FALSE(layout.at("sideways").get<bool>()) << where;
    if (layout.at("flow") == true) {
        EXPECT_GE(layout.at("row").get<double>(), 24) << where << ": a row to tap";
    }
}

} // namespace

// Where the window fits, it stands at its own size; where it does not (a
// phone either way up, a frame left at its default size, a large zoom), in
// one column at a reading size. The learner who zooms in sees larger text
// at every step.
TEST_F(RealPage, ReadableOnEveryScreenAndZoom)
{
    const auto view = [&](int width, int height, double scale) {
        b.setView({.width = width, .height = height, .scale = scale});
        open();
        return b.evaluate(kLayout);
    };
    double lastOnScreen = 0;
    for (const double zoom : {0.5, 1.0, 2.0, 3.0, 4.0}) {
        const nlohmann::json layout = view(static_cast<int>(1024 / zoom), static_cast<int>(768 / zoom), zoom);
        const std::string where = "zoomed to " + std::to_string(zoom);
        expectReadable(layout, where);
        EXPECT_EQ(layout.at("flow"), zoom > 1) << where;
        const double onScreen = layout.at("font").get<double>() * zoom;
        EXPECT_GE(onScreen, lastOnScreen) << where;
        lastOnScreen = onScreen;
    }
    for (const auto &[width, height] : std::vector<std::pair<int, int>>{{360, 640}, {640, 360}, {320, 568}, {300, 150}}) {
        const nlohmann::json layout = view(width, height, 2);
        const std::string where = std::to_string(width) + "x" + std::to_string(height);
        expectReadable(layout, where);
        EXPECT_EQ(layout.at("flow"), true) << where;
    }

    // The verdict comes into the view of a phone when a click gives one.
    view(360, 640, 2);
    expectRightPair(3);
    const nlohmann::json r = b.evaluate("(function (r) { return [r.top, r.bottom, innerHeight]; })"
                                        "(document.getElementById('Text1(0)').getBoundingClientRect())");
    EXPECT_GE(r.at(0).get<double>(), 0);
    EXPECT_LE(r.at(1).get<double>(), r.at(2).get<double>());
    b.setView(testView());
}

// A learner with low vision sets a minimum font size: the captions grow and
// the window gives way to the column rather than cut them.
TEST_F(RealPage, ALargeMinimumFontSizeCutsNoCaption)
{
    Chromium large({.minimumFontSize = 24});
    large.open(fileAddress(page()), kReady);
    const nlohmann::json layout = large.evaluate(kLayout);
    expectReadable(layout, "minimum font size 24");
    EXPECT_GE(layout.at("font").get<double>(), 24);
}

namespace {

// The page with a site's policy put in its head.
std::string underPolicy(const std::string &policy)
{
    std::string page = readAll(webPages() + "/app/zorelmina.html");
    page.insert(page.find("<head>") + 6, R"(<meta http-equiv="Content-Security-Policy" content=")" + policy + R"(">)");
    return page;
}

// Whether the page shows its message and no form.
const std::string kSaysItCannotRun = "(function (m, w) { return !!m && m.offsetHeight > 0"
                                     " && (!w || getComputedStyle(w).display == 'none'); })"
                                     "(document.getElementById('zorelmina-message'),"
                                     " document.getElementById('Tarvel_Mondix'))";

// Every element of the window: its place, font and colours as drawn.
const std::string kDrawn = "Array.prototype.map.call(document.querySelectorAll('#Tarvel_Mondix, #Tarvel_Mondix *'),"
                           " function (e) { var r = e.getBoundingClientRect(), s = getComputedStyle(e);"
                           " return [e.tagName, r.left, r.top, r.width, r.height, s.font, s.color,"
                           " s.backgroundColor, s.borderTopStyle, s.display]; })";

} // namespace

// Where a site or the browser will not let the quiz run, the learner reads
// why, in Bulgarian, in place of the form: the script refused, its
// WebAssembly refused or not there at all.
TEST_F(RealPage, SaysWhyWhereverItCannotRun)
{
    for (const std::string policy : {"default-src 'self'", "script-src 'self'", "script-src 'self' 'unsafe-inline'"}) {
        const TemporaryFile file("refused.html", underPolicy(policy));
        b.open(file.address(), "true");
        EXPECT_EQ(b.evaluate(kSaysItCannotRun), true) << policy;
        EXPECT_EQ(b.evaluate("document.body.innerText.indexOf('Зорелмина не може да работи тук') >= 0"), true)
            << policy;
    }
    const std::string gone =
        b.call("Page.addScriptToEvaluateOnNewDocument", {{"source", "delete window.WebAssembly;"}}).at("identifier");
    b.open(fileAddress(page()), "true");
    EXPECT_EQ(b.evaluate(kSaysItCannotRun), true) << "without WebAssembly";
    b.call("Page.removeScriptToEvaluateOnNewDocument", {{"identifier", gone}});
}

// A fault inside the running program, reported by it or not, takes the
// form away and leaves the message in its place.
TEST_F(RealPage, AFaultWhileItRunsLeavesTheMessageAndNoForm)
{
    const std::string testPage = fileAddress(webPages() + "/tests/zorelmina_test.html");
    b.open(testPage, "window.zorelminaReady");
    EXPECT_THROW(askPage("fail", {"", -1}, 0, "проба"), std::runtime_error) << "the program ends";
    EXPECT_EQ(b.evaluate(kSaysItCannotRun), true);
    const std::string said = b.evaluate("document.getElementById('zorelmina-message').innerText").get<std::string>();
    const platform::FailureWords &words = window::describeTarvelMondix().failure;
    EXPECT_EQ(said, words.caption + "\n\n" + words.preamble + "\nпроба");

    // A trap in the WebAssembly: a read far outside its memory.
    b.open(testPage, "window.zorelminaReady");
    b.evaluate("setTimeout(function () { Module._zorelmina_test(-16, 0, 0, 0, 0); })");
    EXPECT_TRUE(b.waitUntil(kSaysItCannotRun));
}

// A site's usual policy refuses style elements; with the script and its
// WebAssembly allowed, the form is drawn and plays as without a policy.
TEST_F(RealPage, LooksAndPlaysTheSameUnderASitesPolicy)
{
    open();
    const nlohmann::json free = b.evaluate(kDrawn);
    const TemporaryFile file(
        "site-policy.html", underPolicy("default-src 'self'; script-src 'self' 'unsafe-inline' 'wasm-unsafe-eval'"));
    open(file.address());
    EXPECT_EQ(b.evaluate(kDrawn), free);
    expectRightPair(4);
}

// Back to the page, the board and the quiz agree: a pair left half made
// before leaving does not stand in the way of the next.
TEST_F(RealPage, BackToThePageTheBoardIsTheQuizs)
{
    open();
    click({window::kEventButtons, 2});
    click({window::kDateBoxes, 5});
    const TemporaryFile elsewhere("elsewhere.html", "<!DOCTYPE html><title>x</title>");
    b.open(elsewhere.address(), "true");
    const nlohmann::json history = b.call("Page.getNavigationHistory");
    const int back = history.at("currentIndex").get<int>() - 1;
    b.call("Page.navigateToHistoryEntry", {{"entryId", history.at("entries").at(back).at("id")}});
    b.waitUntil(kReady);
    expectRightPair(6);
}

// The page saved while it runs ("Save page as", which keeps what the page
// shows): opened again it works, with one form; with no script allowed it
// says why instead of showing a form that does nothing.
TEST_F(RealPage, ASavedCopyWorksOrSaysWhy)
{
    open();
    click({window::kEventButtons, 1});
    const TemporaryFile saved("saved.html", "<!DOCTYPE html>" + b.evaluate("document.documentElement.outerHTML").get<std::string>());
    open(saved.address());
    EXPECT_EQ(b.evaluate("document.querySelectorAll('.zorelmina-window').length"), 1);
    expectRightPair(0);

    b.call("Emulation.setScriptExecutionDisabled", {{"value", true}});
    b.open(saved.address(), "true");
    EXPECT_EQ(b.evaluate(kSaysItCannotRun), true);
    b.call("Emulation.setScriptExecutionDisabled", {{"value", false}});
}

// Printed from a wide window: the whole form and the whole task on one
// sheet.
TEST_F(RealPage, PrintsTheWholeTaskOnOneSheet)
{
    b.setView({.width = 1600, .height = 900});
    open();
    const std::string pdf = b.call("Page.printToPDF").at("data");
    gsize size = 0;
    const std::unique_ptr<guchar, decltype(&g_free)> bytes(g_base64_decode(pdf.c_str(), &size), g_free);
    const std::string text(bytes.get(), bytes.get() + size);
    int pages = 0;
    for (std::size_t at = text.find("/Type /Page"); at != std::string::npos; at = text.find("/Type /Page", at + 1))
        pages += text.compare(at, 12, "/Type /Pages") != 0 ? 1 : 0;
    EXPECT_EQ(pages, 1);

    b.call("Emulation.setEmulatedMedia", {{"media", "print"}});
    const nlohmann::json printed = b.evaluate(
        "(function (w, t) { var r = w.getBoundingClientRect(), p = t.getBoundingClientRect();"
        " return [r.left, r.right, t.textContent, p.height, t.scrollHeight]; })"
        "(document.getElementById('Tarvel_Mondix'), document.querySelector('.print-text'))");
    b.call("Emulation.setEmulatedMedia", {{"media", ""}});
    b.setView(testView());
    EXPECT_EQ(printed.at(0), 0) << "at the sheet's left edge";
    EXPECT_EQ(printed.at(2), asShown(std::string{quiz::texts().taskText}));
    EXPECT_GE(printed.at(3).get<double>(), printed.at(4).get<double>()) << "every line of it";
}

// A screen reader speaks what a live region's text becomes; the same
// verdict twice is said twice, as the desktop programs say it. In every
// engine.
TEST(Verdicts, TheSameOneTwiceIsSpokenTwice)
{
    const std::unique_ptr<WindowLearner> learner = makeWebLearner([] { return Input::Mouse; });
    browser().evaluate("(function (region) { window.heard = [];"
                       " new MutationObserver(function () { heard.push(region.textContent); })"
                       ".observe(region, {childList: true, characterData: true, subtree: true}); })"
                       "(document.querySelector('[role=status]'))");
    learner->clickEvent(2);
    learner->clickDate(5);
    learner->clickDate(7);
    const nlohmann::json heard = browser().evaluate("heard");
    ASSERT_GE(heard.size(), 2U);
    const std::string first = heard.at(heard.size() - 2);
    const std::string second = heard.back();
    EXPECT_TRUE(first.starts_with("Грешка!") && second.starts_with("Грешка!")) << heard.dump();
    EXPECT_NE(first, second) << "a text that stays the same is not read again";
}
