// What every toolkit's form must do for the quiz, run against each of them:
// the quiz is tested through the in-memory form, so no window may behave otherwise.
#include "backends.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <vector>

using platform::CheckState;
using platform::ControlId;

namespace {

ControlId event(int i)
{
    return {window::kEventButtons, i};
}

ControlId date(int i)
{
    return {window::kDateBoxes, i};
}

const ControlId kResult{window::kResultBox, window::kResultBoxIndex};

class FormContract : public ::testing::TestWithParam<Backend<FormRig>> {
protected:
    FormContract()
    {
        form.setClickHandler([this](ControlId c) {
            if (onClick)
                onClick(c);
            clicks.push_back(platform::displayName(c));
        });
    }

    std::unique_ptr<FormRig> rig = GetParam().make();
    platform::Form &form = rig->form();
    // Runs inside every click, before it is recorded.
    std::function<void(ControlId)> onClick;
    std::vector<std::string> clicks;
};

} // namespace

TEST_P(FormContract, OptionButtonsInAFrameAreOneExclusiveGroup)
{
    rig->learnerSelects(event(7));
    rig->learnerSelects(event(5));
    rig->learnerSelects(event(5));
    for (int i = 0; i < quiz::kPairCount; ++i)
        EXPECT_EQ(form.isSelected(event(i)), i == 5) << i;
    EXPECT_EQ(clicks, (std::vector<std::string>{"Option1(7)", "Option1(5)"})) << "only a new selection clicks";
}

TEST_P(FormContract, UnselectingRaisesNothingAndTheGroupStillWorks)
{
    rig->learnerSelects(event(3));
    form.unselect(event(3));
    form.unselect(event(4));
    for (int i = 0; i < quiz::kPairCount; ++i)
        EXPECT_FALSE(form.isSelected(event(i))) << i;
    EXPECT_EQ(clicks.size(), 1U);

    rig->learnerSelects(event(3));
    rig->learnerSelects(event(0));
    EXPECT_FALSE(form.isSelected(event(3)));
    EXPECT_TRUE(form.isSelected(event(0)));
    EXPECT_EQ(clicks.size(), 3U) << "a button selected again after unselecting clicks again";
}

TEST_P(FormContract, CheckBoxClicksOnceForEveryChangeOfValue)
{
    form.setCheckState(date(2), CheckState::Checked);
    form.setCheckState(date(2), CheckState::Checked);
    form.setCheckState(date(6), CheckState::Greyed);
    form.setCheckState(date(6), CheckState::Unchecked);
    form.setCheckState(date(1), CheckState::Unchecked);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Check1(2)", "Check1(6)", "Check1(6)"}));
    EXPECT_EQ(form.checkState(date(2)), CheckState::Checked);
    EXPECT_EQ(form.checkState(date(6)), CheckState::Unchecked);
}

TEST_P(FormContract, ClickRunsInsideTheSettingCallAndMayReenter)
{
    form.setCheckState(date(4), CheckState::Checked);
    std::vector<CheckState> seen;
    onClick = [&](ControlId c) {
        seen.push_back(form.checkState(c));
        if (c == date(4))
            form.setCheckState(date(8), CheckState::Checked);
    };
    form.setCheckState(date(4), CheckState::Unchecked);
    clicks.emplace_back("returned");
    EXPECT_EQ(clicks, (std::vector<std::string>{"Check1(4)", "Check1(8)", "Check1(4)", "returned"}));
    EXPECT_EQ(seen, (std::vector<CheckState>{CheckState::Unchecked, CheckState::Checked}));
}

TEST_P(FormContract, TextReadsBackExactly)
{
    EXPECT_EQ(form.text(kResult), quiz::texts().taskText);
    for (const std::string text : {"", "Правилно!\r\n", "a\r\n\r\nb  \r\n", "\r", "x\ny", "ъ\tЪ  "}) {
        form.setText(kResult, text);
        EXPECT_EQ(form.text(kResult), text);
    }
}

TEST_P(FormContract, ListGivesItsItemsInStoredOrder)
{
    for (int i = 0; i < quiz::kPairCount; ++i)
        EXPECT_EQ(form.listItem({window::kExplanationList}, i), quiz::pair(static_cast<quiz::PairIndex>(i)).explanation);
    EXPECT_THROW((void)form.listItem({window::kExplanationList}, 9), std::out_of_range);
}

TEST_P(FormContract, UnknownControlsAndWrongKindsAreRefused)
{
    EXPECT_THROW((void)form.isSelected(event(9)), std::invalid_argument);
    EXPECT_THROW((void)form.isSelected(date(0)), std::invalid_argument);
    EXPECT_THROW(form.setCheckState({"Check2", 0}, CheckState::Checked), std::invalid_argument);
    EXPECT_THROW((void)form.text({window::kResultBox}), std::invalid_argument) << "Text1 is a control array";
    EXPECT_TRUE(clicks.empty());
}

INSTANTIATE_TEST_SUITE_P(, FormContract, ::testing::ValuesIn(formBackends()), kBackendName);
