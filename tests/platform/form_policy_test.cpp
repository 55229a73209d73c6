// Where the keyboard stops and starts, which descriptions make a window and
// what a list holds: decided once for every window adapter.
#include "platform/form_policy.h"
#include "quiz/content.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

using namespace platform;

namespace {

const std::string kEvents{window::kEventFrame};

ControlDescription &find(WindowDescription &window, std::string_view name, int index = -1)
{
    return *std::ranges::find_if(window.controls, [&](const auto &c) { return c.name == name && c.index == index; });
}

// The event button at that index selected, or none.
IsSelected selecting(std::optional<int> event)
{
    return [event](const ControlDescription &c) { return c.name == window::kEventButtons && c.index == event; };
}

std::optional<ControlId> idOf(const ControlDescription *c)
{
    return c == nullptr ? std::nullopt : std::optional(controlId(*c));
}

} // namespace

TEST(FormPolicy, AGroupsOneTabStopIsItsSelectedButtonElseItsFirstOnScreen)
{
    const WindowDescription quiz = window::describeTarvelMondix();
    const ControlId event7{window::kEventButtons, 7};
    const ControlId event8{window::kEventButtons, 8};
    EXPECT_EQ(idOf(groupTabStop(quiz, kEvents, selecting(std::nullopt))), event7)
        << "on the top row, though pair 0 comes first by tab position";
    EXPECT_EQ(idOf(groupTabStop(quiz, kEvents, selecting(8))), event8);
    EXPECT_EQ(groupTabStop(quiz, window::kDateFrame, selecting(std::nullopt)), nullptr) << "no option buttons";
}

TEST(FormPolicy, TheFocusStartsAtTheLowestVisibleTabStopCountingAGroupOnlyAtItsStop)
{
    WindowDescription quiz = window::describeTarvelMondix();
    EXPECT_EQ(idOf(firstFocus(quiz, selecting(std::nullopt))), (ControlId{window::kResultBox, 0}));

    // Past the heading, the hidden list and the frame, none of which takes
    // the focus.
    find(quiz, window::kResultBox, 0).visible = false;
    find(quiz, window::kClearButton).visible = false;
    EXPECT_EQ(idOf(firstFocus(quiz, selecting(std::nullopt))), (ControlId{window::kEventButtons, 7}));
    EXPECT_EQ(idOf(firstFocus(quiz, selecting(3))), (ControlId{window::kEventButtons, 3}))
        << "buttons 0 to 2 come first by tab position but are no tab stops";
    EXPECT_EQ(firstFocus(WindowDescription{}, selecting(std::nullopt)), nullptr);
}

TEST(FormPolicy, AContainerMustBeAFrameDescribedBeforeWhatItHolds)
{
    const WindowDescription quiz = window::describeTarvelMondix();
    EXPECT_EQ(validated(quiz).controls.size(), quiz.controls.size());

    WindowDescription later = quiz;
    std::swap(later.controls[0], later.controls[1]);
    EXPECT_THROW((void)validated(later), std::invalid_argument);
    WindowDescription missing = quiz;
    missing.controls.front().container = "Frame9";
    EXPECT_THROW((void)validated(missing), std::invalid_argument);
    WindowDescription notFrame = quiz;
    find(notFrame, window::kClearButton).container = window::kExplanationList;
    EXPECT_THROW((void)validated(notFrame), std::invalid_argument) << "a list holds no controls";
}

TEST(FormPolicy, AListGivesItsItemsAndNamesItselfForOneItDoesNotHave)
{
    WindowDescription quiz = window::describeTarvelMondix();
    const ControlDescription &list = find(quiz, window::kExplanationList);
    EXPECT_EQ(listItem(list, 8), list.items.back());
    for (const int item : {-1, 9}) {
        try {
            (void)listItem(list, item);
            ADD_FAILURE() << item;
        } catch (const std::out_of_range &e) {
            EXPECT_EQ(e.what(), "no item " + std::to_string(item) + " in List1");
        }
    }
}

// The keyboard's walk: by tab position, the event column as one group at
// its first button's place, its buttons as the learner reads them, which
// rows decide before columns.
TEST(FormPolicy, TheWalkGoesByTabPositionAndThroughAGroupAsItIsRead)
{
    const WindowDescription described = window::describeTarvelMondix();
    std::vector<std::string> walked;
    for (const ControlDescription *c : tabOrder(described))
        if (c->visible && takesFocus(c->kind))
            walked.push_back(displayName(controlId(*c)));
    std::vector<std::string> expected{"Text1(0)", "Command1"};
    for (const quiz::PairIndex i : quiz::eventScreenOrder())
        expected.push_back(displayName({window::kEventButtons, i}));
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i)
        expected.push_back(displayName({window::kDateBoxes, i}));
    EXPECT_EQ(walked, expected);

    std::vector<quiz::PairIndex> read;
    for (const ControlDescription *c : readingOrder(described, window::kDateFrame))
        read.push_back(static_cast<quiz::PairIndex>(c->index));
    EXPECT_TRUE(std::ranges::equal(read, quiz::dateScreenOrder()));

    // Side by side, a row is read from the left whatever the order described.
    WindowDescription row;
    row.controls = {{.name = "Frame", .kind = ControlKind::Frame},
                    {.name = "Right", .container = "Frame", .kind = ControlKind::OptionButton, .left = 900, .top = 10,
                     .height = 300},
                    {.name = "Below", .container = "Frame", .kind = ControlKind::OptionButton, .left = 0, .top = 310,
                     .height = 300},
                    {.name = "Left", .container = "Frame", .kind = ControlKind::OptionButton, .left = 0, .top = 0,
                     .height = 300}};
    std::vector<std::string> names;
    for (const ControlDescription *c : readingOrder(row, "Frame"))
        names.push_back(c->name);
    EXPECT_EQ(names, (std::vector<std::string>{"Left", "Right", "Below"}));
}
