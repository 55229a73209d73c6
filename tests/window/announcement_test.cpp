// What assistive technology is told, and what becomes of a handler that
// fails: both are decided by the window, whatever the toolkit.
#include "platform/memory_form.h"
#include "verdicts.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class Announcements : public ::testing::Test {
protected:
    void click(platform::ControlId control) { form->click(control); }
    std::vector<std::string> heard() const { return form->announcements(); }

    std::unique_ptr<platform::MemoryForm> made = std::make_unique<platform::MemoryForm>(window::describeTarvelMondix());
    platform::MemoryForm *form = made.get();
    Tarvel_Mondix window{std::move(made)};
};

} // namespace

TEST_F(Announcements, EveryClickThatChangesTheResultIsAnnouncedOnce)
{
    click({window::kEventButtons, 5});
    EXPECT_TRUE(heard().empty()) << "nothing judged yet";
    click({window::kDateBoxes, 5});
    click({window::kDateBoxes, 2});
    click({window::kDateBoxes, 3});
    click({window::kDateBoxes, 2});
    click({window::kClearButton});
    EXPECT_EQ(heard(), (std::vector<std::string>{"Правилно! Кристална нощ - 9 - 10 XI.1938", "Грешка!",
                                                 "Грешка!", "Грешка!", "Изборът е изчистен."}))
        << "the same verdict again is announced again; the clearing once, not once per date it un-ticks";
}

// What a record of progress hears: the pair of a right verdict, never a
// clearing, and a right pair again each time it is found again.
TEST_F(Announcements, EachVerdictIsToldWithTheRightPairButNoClearing)
{
    std::vector<Tarvel_Mondix::Verdict> told;
    window.setVerdictHandler([&told](const Tarvel_Mondix::Verdict &v) { told.push_back(v); });
    click({window::kDateBoxes, 8});
    click({window::kEventButtons, 8});
    click({window::kDateBoxes, 1});
    click({window::kClearButton});
    click({window::kEventButtons, 8});
    click({window::kClearButton});
    click({window::kEventButtons, 8});
    click({window::kDateBoxes, 8});
    EXPECT_EQ(told, (std::vector<Tarvel_Mondix::Verdict>{{true, 8}, {false, -1}, {false, -1}, {true, 8}}));
}

TEST_F(Announcements, OneLineWithoutTheBlankAtTheEnd)
{
    EXPECT_EQ(Tarvel_Mondix::announcementFor(rightVerdict(4)), "Правилно! Вартоломеева нощ - 24.VIII.1572");
    EXPECT_EQ(Tarvel_Mondix::announcementFor("a\r\nb\r\n\r\n"), "a b");
    EXPECT_EQ(Tarvel_Mondix::announcementFor(""), "Изборът е изчистен.");
}

// A handler that fails goes to the form's failure report, which on the in-memory form
// throws to the caller and on a real window ends the program.
TEST(HandlerFailure, GoesToTheFormAndNoFurther)
{
    platform::WindowDescription broken = window::describeTarvelMondix();
    // The explanation list is lost.
    std::erase_if(broken.controls, [](const auto &c) { return c.name == window::kExplanationList; });
    Tarvel_Mondix window{std::make_unique<platform::MemoryForm>(broken)};
    auto &form = static_cast<platform::MemoryForm &>(window.form());
    form.click({window::kEventButtons, 1});
    try {
        form.click({window::kDateBoxes, 1});
        FAIL() << "the failure was swallowed";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "no such control: List1");
    }
}
