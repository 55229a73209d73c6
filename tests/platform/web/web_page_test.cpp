// The page as it is given out (zorelmina.html), in the browser, as its
// learners and the sites that host it meet it: played with the browser's own
// trusted input, read as a screen reader reads it, loaded with nothing asked
// of the network, under a strict policy, in a frame and from a server, in
// dark mode and in forced colours.
#include "quiz/content.h"
#include "verdicts.h"
#include "web_page.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace {

const std::string kReady = "document.querySelector('[data-control]')";

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

class RealPage : public ::testing::Test {
protected:
    void open(const std::string &address = fileAddress(page()))
    {
        b.takeEvents("Network.requestWillBeSent");
        b.open(address, kReady);
    }

    // At the middle of a control's box.
    void click(platform::ControlId control)
    {
        const nlohmann::json r = b.evaluate("(function (r) { return [r.left + r.width / 2, r.top + r.height / 2]; })"
                                            "(document.getElementById("
                                            + js(platform::displayName(control)) + ").getBoundingClientRect())");
        clickOnPage(r.at(0).get<double>(), r.at(1).get<double>());
    }

    std::string shown() { return b.evaluate("document.getElementById('Text1(0)').value").get<std::string>(); }
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

// The page's text as a learner sees it in a text area: one line break for
// each CR LF.
std::string asShown(std::string text)
{
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.replace(at, 2, "\n");
    return text;
}

} // namespace

TEST_F(RealPage, PlaysWithTheBrowsersOwnMouseAndKeys)
{
    open();
    EXPECT_EQ(b.evaluate("document.documentElement.lang"), "bg");
    EXPECT_EQ(shown(), asShown(std::string{quiz::texts().taskText}));
    EXPECT_EQ(b.evaluate("document.activeElement.id"), "Text1(0)") << "the focus starts in the result box";

    click({window::kEventButtons, 5});
    click({window::kDateBoxes, 5});
    EXPECT_EQ(shown(), asShown(rightVerdict(5)));
    EXPECT_TRUE(spoken().starts_with("Правилно! Кристална нощ - 9 - 10 XI.1938")) << spoken();
    EXPECT_EQ(b.evaluate("document.activeElement.closest('[data-control]').getAttribute('data-control')"), "Check1(5)")
        << "the verdict is spoken without the focus moving";

    click({window::kDateBoxes, 7});
    EXPECT_EQ(shown(), kWrongVerdict);
    EXPECT_TRUE(spoken().starts_with("Грешка!"));

    // Clear with the keyboard: the focus on the button, then Enter.
    b.evaluate("document.getElementById('Command1').focus()");
    pressOnPage(Key::Enter);
    EXPECT_EQ(shown(), "");
    EXPECT_TRUE(spoken().starts_with("Изборът е изчистен."));
    EXPECT_EQ(b.evaluate("document.querySelectorAll('input:checked').length"), 0);
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
    for (const auto &e : b.takeEvents("Network.requestWillBeSent")) {
        const std::string url = e.at("params").at("request").at("url");
        EXPECT_TRUE(url == fileAddress(page()) || url.starts_with("data:")) << "asked for " << url;
    }
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
    b.call("Log.enable");
    b.takeEvents("Log.entryAdded");
    open(file.address());
    click({window::kEventButtons, 1});
    click({window::kDateBoxes, 1});
    EXPECT_EQ(shown(), asShown(rightVerdict(1)));
    for (const auto &e : b.takeEvents("Log.entryAdded")) {
        const std::string text = e.at("params").at("entry").value("text", "");
        EXPECT_EQ(text.find("Content Security Policy"), std::string::npos) << text;
    }
}

TEST_F(RealPage, OpensInAFrameOfAnotherPage)
{
    const TemporaryFile host("host.html", "<!DOCTYPE html><html lang=\"bg\"><body><iframe src=\"zorelmina.html\""
                                          " style=\"width: 600px; height: 500px\"></iframe></body></html>");
    b.open(host.address(), "document.querySelector('iframe')");
    // The frame's own document, through a world of the test's in it.
    const nlohmann::json tree = b.call("Page.getFrameTree");
    ASSERT_TRUE(tree.at("frameTree").contains("childFrames"));
    const std::string frame = tree.at("frameTree").at("childFrames").at(0).at("frame").at("id");
    const int world = b.call("Page.createIsolatedWorld", {{"frameId", frame}}).at("executionContextId");
    bool shown = false;
    for (int i = 0; i < 200 && !shown; ++i) {
        const nlohmann::json r = b.call(
            "Runtime.evaluate", {{"expression", "document.querySelectorAll('[data-control]').length"},
                                 {"contextId", world},
                                 {"returnByValue", true}});
        shown = r.at("result").value("value", 0) == 20;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(shown) << "the quiz's controls in the frame";
}

TEST_F(RealPage, OpensFromAWebServer)
{
    // A static server of Python's own, on this machine only.
    std::array<int, 2> out{};
    ASSERT_EQ(pipe(out.data()), 0);
    const pid_t server = fork();
    if (server == 0) {
        dup2(out[1], STDERR_FILENO);
        dup2(out[1], STDOUT_FILENO);
        const std::string folder = webPages() + "/app";
        execlp("python3", "python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory",
               folder.c_str(), nullptr);
        _exit(127);
    }
    close(out[1]);
    std::string said;
    char c = 0;
    while (said.find(") ...") == std::string::npos && read(out[0], &c, 1) == 1)
        said += c;
    const std::size_t port = said.find("port ");
    ASSERT_NE(port, std::string::npos) << said;
    const std::string address = "http://127.0.0.1:" + std::to_string(std::stoi(said.substr(port + 5))) + "/zorelmina.html";
    open(address);
    click({window::kEventButtons, 8});
    click({window::kDateBoxes, 8});
    EXPECT_EQ(shown(), asShown(rightVerdict(8)));
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    close(out[0]);
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

// The whole form on the screen, however small or zoomed: the view's size
// comes from ZORELMINA_WEB_VIEW (see the web.* tests).
TEST_F(RealPage, StandsWhollyInTheView)
{
    open();
    const nlohmann::json r = b.evaluate("(function (r) { return [r.left, r.top, r.right, r.bottom,"
                                        " document.documentElement.clientWidth, document.documentElement.clientHeight]; })"
                                        "(document.getElementById('Tarvel_Mondix').getBoundingClientRect())");
    EXPECT_GE(r.at(0).get<double>(), 0);
    EXPECT_GE(r.at(1).get<double>(), 0);
    EXPECT_LE(r.at(2).get<double>(), r.at(4).get<double>());
    EXPECT_LE(r.at(3).get<double>(), r.at(5).get<double>());
}
