#include "tarvel_mondix.h"

#include <exception>
#include <stdexcept>

namespace {

quiz::PairIndex pairOf(platform::ControlId control)
{
    const auto index = static_cast<quiz::PairIndex>(control.index);
    (void)quiz::slotOf(index); // in range, or the handler fails
    return index;
}

} // namespace

Tarvel_Mondix::Tarvel_Mondix(std::unique_ptr<platform::Form> form)
    : form_(std::move(form)), controls_(*form_), quiz_(controls_)
{
    if (!form_)
        throw std::invalid_argument("the quiz needs a form");
    form_->setClickHandler([this](platform::ControlId control) { dispatch(control); });
    try {
        quiz_.Form_Load();
    } catch (const std::exception &e) {
        form_->fail(e.what());
    }
}

void Tarvel_Mondix::dispatch(platform::ControlId control)
{
    const std::size_t writesBefore = controls_.resultWrites();
    {
        // Left whichever way the handler ends, a failure reported included.
        const struct Nested {
            int &depth;
            explicit Nested(int &d) : depth(++d) {}
            ~Nested() { --depth; }
            Nested(const Nested &) = delete;
            Nested &operator=(const Nested &) = delete;
        } nested{handlerDepth_};
        try {
            route(control);
        } catch (const std::exception &e) {
            form_->fail(e.what());
        }
    }
    if (handlerDepth_ > 0 || controls_.resultWrites() == writesBefore)
        return;
    form_->announce(announcementFor(controls_.resultText()));
    // Only a click on either column judges; the clear button only clears.
    const bool judged = control.name == window::kEventButtons || control.name == window::kDateBoxes;
    if (judged && verdictHandler_) {
        const quiz::SelectionState &state = quiz_.state();
        verdictHandler_({state.IsCorrect, state.IsCorrect ? state.EventIndex : quiz::kNoPair});
    }
}

// Every other notification of every control is left unhandled.
void Tarvel_Mondix::route(platform::ControlId control)
{
    if (control.name == window::kEventButtons)
        quiz_.Option1_Click(pairOf(control));
    else if (control.name == window::kDateBoxes)
        quiz_.Check1_Click(pairOf(control));
    else if (control.name == window::kClearButton)
        quiz_.Command1_Click();
}

std::string Tarvel_Mondix::announcementFor(std::string_view resultText)
{
    constexpr std::string_view blanks = " \t\r\n";
    const std::size_t first = resultText.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return "Изборът е изчистен.";
    const std::string_view kept = resultText.substr(first, resultText.find_last_not_of(blanks) - first + 1);
    std::string oneLine;
    for (std::size_t at = 0; at < kept.size(); ++at) {
        if (kept.substr(at).starts_with("\r\n")) {
            oneLine += ' ';
            ++at;
        } else {
            oneLine += kept[at];
        }
    }
    return oneLine;
}
