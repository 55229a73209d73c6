#pragma once

#include "memory_form_learner.h"
#include "learner.h"
#include "window/tarvel_mondix_description.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// The forms a test program plays on, all from the one toolkit it links:
// the in-memory form, the Qt window, the Windows window or the page.

template <typename Made>
struct Backend {
    std::string name;
    std::function<std::unique_ptr<Made>()> make;
    friend void PrintTo(const Backend &b, std::ostream *os) { *os << b.name; }
};

// A form of the quiz window, bare, and what a learner does to select an
// option button on it.
struct FormRig {
    virtual ~FormRig() = default;
    [[nodiscard]] virtual platform::Form &form() = 0;
    virtual void learnerSelects(platform::ControlId option) = 0;
};

// What differs between toolkits; each test program links one definition of
// toolkit(). makeLearner makes a learner at the window, asking chooseInput
// before every action; the in-memory form has no window and none.
struct Toolkit {
    std::string name;
    std::function<std::unique_ptr<FormRig>()> makeRig;
    std::function<std::unique_ptr<WindowLearner>(std::function<Input()> chooseInput)> makeLearner;
};
const Toolkit &toolkit();

// Rigs of a toolkit's form (ToolkitForm), made from the window's description, on which a
// learner selects with select(form, option).
template <typename ToolkitForm, typename Select>
std::function<std::unique_ptr<FormRig>()> rigsOf(Select select)
{
    class Rig final : public FormRig {
    public:
        explicit Rig(Select select) : select_(std::move(select)) {}
        platform::Form &form() override { return form_; }
        void learnerSelects(platform::ControlId option) override { select_(form_, option); }

    private:
        ToolkitForm form_{window::describeTarvelMondix()};
        Select select_;
    };
    return [select] { return std::make_unique<Rig>(select); };
}

inline std::vector<Backend<FormRig>> formBackends()
{
    return {{toolkit().name, toolkit().makeRig}};
}

inline std::unique_ptr<WindowLearner> makeWindowLearner(std::function<Input()> chooseInput)
{
    return toolkit().makeLearner(std::move(chooseInput));
}

// At a window, by mouse and by keyboard.
inline std::vector<Backend<Learner>> learnerBackends()
{
    if (!toolkit().makeLearner)
        return {{toolkit().name, makeMemoryFormLearner}};
    const auto by = [](Input input) { return [input] { return makeWindowLearner([input] { return input; }); }; };
    return {{"Mouse", by(Input::Mouse)}, {"Keyboard", by(Input::Keyboard)}};
}

// Only where there is a real window.
inline std::vector<Backend<WindowLearner>> windowBackends()
{
    return {{toolkit().name, [] { return makeWindowLearner([] { return Input::Keyboard; }); }}};
}

// Test names from backend names.
inline const auto kBackendName = [](const auto &info) { return info.param.name; };
