// The page in headless Chromium, for the web test program.
#include "backends.h"
#include "web_learner.h"

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
    explicit RemoteForm(platform::WindowDescription description) : description_(std::move(description))
    {
        browser().open(fileAddress(webPages() + "/tests/zorelmina_test.html?form=bare"), "window.zorelminaReady");
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
        browser().evaluate(inputOf(option) + ".click()");
        ask("clicks", {"", -1});
    }

private:
    nlohmann::json ask(const std::string &operation, ControlId control, int number = 0,
                       const std::string &text = {}) const
    {
        const nlohmann::json answer = askPage(operation, control, number, text);
        // Named from the window's description, which outlives the
        // handler's call.
        for (const nlohmann::json &click : answer.at("clicks")) {
            for (const auto &c : description_.controls) {
                if (click == nlohmann::json{c.name, c.index} && clicked_)
                    clicked_({c.name, c.index});
            }
        }
        return answer.at("value");
    }

    ClickHandler clicked_;
    platform::WindowDescription description_;
};

} // namespace

const Toolkit &toolkit()
{
    static const Toolkit web{
        "Web", rigsOf<RemoteForm>([](RemoteForm &form, ControlId option) { form.activate(option); }), makeWebLearner};
    return web;
}
