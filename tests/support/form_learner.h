#pragma once

#include "learner.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <memory>

// A learner who reads the board through the form's own operations; the
// toolkits differ only in how the learner acts.
template <typename Base, typename FormType>
class FormLearner : public Base {
public:
    FormLearner() : FormLearner(std::make_unique<FormType>(window::describeTarvelMondix())) {}
    explicit FormLearner(std::unique_ptr<FormType> form) : form_(form.get()), window_(std::move(form)) {}

    [[nodiscard]] bool eventSelected(quiz::PairIndex index) const override
    {
        return form_->isSelected({window::kEventButtons, index});
    }
    [[nodiscard]] quiz::DateValue dateValue(quiz::PairIndex index) const override
    {
        return static_cast<quiz::DateValue>(form_->checkState({window::kDateBoxes, index}));
    }
    [[nodiscard]] std::string resultText() const override
    {
        return form_->text({window::kResultBox, window::kResultBoxIndex});
    }
    [[nodiscard]] quiz::SelectionState state() const override { return window_.quiz().state(); }

protected:
    [[nodiscard]] FormType &form() const { return *form_; }

private:
    FormType *form_;
    Tarvel_Mondix window_;
};
