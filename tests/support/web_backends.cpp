// The page in headless Chromium, for the web test program.
#include "backends.h"
#include "web_page.h"
#include "window/tarvel_mondix_description.h"

#include <stdexcept>

namespace {

using platform::CheckState;
using platform::ControlId;

// The bare form on the page, worked from here: each operation asked of the
// page, and the clicks it raised there handed to the click handler here,
// in their order, before the operation returns (so a handler may set a box
// again, as the quiz's does).
class RemoteForm final : public platform::Form {
public:
    explicit RemoteForm(Browser &browser) : browser_(browser)
    {
        browser_.open(fileAddress(webPages() + "/tests/zorelmina_test.html?board=bare"), "window.zorelminaReady");
    }

    void setClickHandler(ClickHandler handler) override { clicked_ = std::move(handler); }
    [[nodiscard]] bool isSelected(ControlId option) const override { return ask("isSelected", option) == true; }
    void unselect(ControlId option) override { ask("unselect", option); }
    [[nodiscard]] CheckState checkState(ControlId box) const override
    {
        return static_cast<CheckState>(ask("checkState", box).get<int>());
    }
    void setCheckState(ControlId box, CheckState state) override
    {
        ask("setCheckState", box, static_cast<int>(state));
    }
    [[nodiscard]] std::string text(ControlId box) const override { return ask("text", box).get<std::string>(); }
    void setText(ControlId box, std::string_view text) override { ask("setText", box, 0, std::string{text}); }
    [[nodiscard]] std::string listItem(ControlId list, int item) const override
    {
        return ask("listItem", list, item).get<std::string>();
    }
    void announce(std::string_view /*message*/) override {}
    void show() override {}
    [[noreturn]] void fail(std::string_view what) override { throw std::runtime_error(std::string{what}); }

    // What a learner's click or a screen reader's action does to a radio
    // button: the page's own activation of it.
    void activate(ControlId option)
    {
        browser_.evaluate("document.getElementById(" + nlohmann::json(platform::displayName(option)).dump()
                          + ").querySelector('input').click()");
        ask("clicks", {"", -1});
    }

private:
    nlohmann::json ask(const std::string &operation, ControlId control, int number = 0,
                       const std::string &text = {}) const
    {
        const PageAnswer answer = askPage(browser_, operation, control, number, text);
        for (const std::string &click : answer.clicks) {
            const std::size_t open = click.find('(');
            const std::string name = click.substr(0, open);
            const int index = open == std::string::npos ? -1 : std::stoi(click.substr(open + 1));
            // The name lives in the window's description, which outlives
            // the handler's call.
            for (const auto &c : description_.controls) {
                if (c.name == name && c.index == index && clicked_)
                    clicked_({c.name, c.index});
            }
        }
        return answer.value;
    }

    Browser &browser_;
    ClickHandler clicked_;
    platform::WindowDescription description_ = window::describeTarvelMondix();
};

class WebRig final : public FormRig {
public:
    platform::Form &form() override { return form_; }
    void learnerSelects(ControlId option) override { form_.activate(option); }

private:
    RemoteForm form_{browser()};
};

std::unique_ptr<WindowLearner> alwaysBy(Input input)
{
    return makeWebLearner(browser(), [input] { return input; });
}

} // namespace

std::vector<Backend<FormRig>> formBackends()
{
    return {{"Web", [] { return std::make_unique<WebRig>(); }}};
}

std::vector<Backend<Learner>> learnerBackends()
{
    return {{"Mouse", [] { return alwaysBy(Input::Mouse); }}, {"Keyboard", [] { return alwaysBy(Input::Keyboard); }}};
}

std::vector<Backend<WindowLearner>> windowBackends()
{
    return {{"Web", [] { return alwaysBy(Input::Keyboard); }}};
}

std::unique_ptr<WindowLearner> makeWindowLearner(std::function<Input()> chooseInput)
{
    return makeWebLearner(browser(), std::move(chooseInput));
}
