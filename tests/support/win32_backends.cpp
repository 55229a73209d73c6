// The Windows window, for the Windows test programs.
#include "backends.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/win32_form.h"
#include "win32_learner.h"
#include "window/tarvel_mondix_description.h"

namespace {

class Win32Rig final : public FormRig {
public:
    platform::Form &form() override { return form_; }
    // As a screen reader's action or a click would: the button is clicked.
    void learnerSelects(platform::ControlId option) override
    {
        SendMessageW(form_.control(option), BM_CLICK, 0, 0);
        platform::win32::handleWaitingMessages(form_.window());
    }

private:
    platform::Win32Form form_{window::describeTarvelMondix()};
};

std::unique_ptr<WindowLearner> alwaysBy(Input input)
{
    return makeWin32Learner([input] { return input; });
}

} // namespace

std::vector<Backend<FormRig>> formBackends()
{
    return {{"Win32", [] { return std::make_unique<Win32Rig>(); }}};
}

std::vector<Backend<Learner>> learnerBackends()
{
    return {{"Mouse", [] { return alwaysBy(Input::Mouse); }}, {"Keyboard", [] { return alwaysBy(Input::Keyboard); }}};
}

std::vector<Backend<WindowLearner>> windowBackends()
{
    return {{"Win32", [] { return alwaysBy(Input::Keyboard); }}};
}

std::unique_ptr<WindowLearner> makeWindowLearner(std::function<Input()> chooseInput)
{
    return makeWin32Learner(std::move(chooseInput));
}
