// The Qt window, for the Qt test programs.
#include "backends.h"
#include "platform/qt/qt_form.h"
#include "qt_learner.h"
#include "window/tarvel_mondix_description.h"

#include <QRadioButton>

namespace {

class QtRig final : public FormRig {
public:
    platform::Form &form() override { return form_; }
    void learnerSelects(platform::ControlId option) override
    {
        form_.widget().control<QRadioButton>(option)->click();
    }

private:
    platform::QtForm form_{window::describeTarvelMondix()};
};

std::unique_ptr<WindowLearner> alwaysBy(Input input)
{
    return makeQtLearner([input] { return input; });
}

} // namespace

std::vector<Backend<FormRig>> formBackends()
{
    return {{"Qt", [] { return std::make_unique<QtRig>(); }}};
}

std::vector<Backend<Learner>> learnerBackends()
{
    return {{"Mouse", [] { return alwaysBy(Input::Mouse); }}, {"Keyboard", [] { return alwaysBy(Input::Keyboard); }}};
}

std::vector<Backend<WindowLearner>> windowBackends()
{
    return {{"Qt", [] { return alwaysBy(Input::Keyboard); }}};
}

std::unique_ptr<WindowLearner> makeWindowLearner(std::function<Input()> chooseInput)
{
    return makeQtLearner(std::move(chooseInput));
}
