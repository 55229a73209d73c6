#include "quiz/content.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using quiz::PairIndex;

namespace {

std::string str(std::string_view s)
{
    return std::string{s};
}

} // namespace

// Each explanation is built from its own pair's captions, so a caption or an
// explanation that drifts from the other shows up here.
TEST(Content, ExplanationsJoinTheirOwnCaptions)
{
    for (PairIndex i = 0; i < quiz::kPairCount; ++i) {
        const quiz::QuizPair &p = quiz::pair(i);
        SCOPED_TRACE(i);
        if (i == 8) {
            // The last pair has no dash and names the evening.
            EXPECT_EQ(str(p.explanation), str(p.event) + " " + str(p.date) + " Бъдни вечер");
            EXPECT_EQ(p.explanation.find(" - "), std::string_view::npos);
        } else {
            EXPECT_EQ(str(p.explanation), str(p.event) + " - " + str(p.date));
        }
    }
}

TEST(Content, SpacingInsideCaptionsIsKept)
{
    // Pair 4's date ends in a blank, and so does its explanation.
    EXPECT_EQ(quiz::pair(4).date.back(), ' ');
    EXPECT_EQ(quiz::pair(4).explanation.back(), ' ');
    // Pair 3 has two blanks before the name.
    EXPECT_NE(quiz::pair(3).date.find("IV  Ш"), std::string_view::npos);
    EXPECT_EQ(quiz::explanations().size(), static_cast<std::size_t>(quiz::kPairCount));
    const auto longest = std::ranges::max(quiz::explanations(), {}, [](const std::string &s) {
        return std::ranges::count_if(s, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    });
    EXPECT_EQ(std::ranges::count_if(longest, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }), 40);
}

TEST(Content, TaskTextIsElevenCrLfLines)
{
    const std::string_view task = quiz::texts().taskText;
    std::size_t lines = 0;
    for (std::size_t at = task.find('\n'); at != std::string_view::npos; at = task.find('\n', at + 1)) {
        ++lines;
        EXPECT_EQ(task[at - 1], '\r') << "line " << lines;
    }
    EXPECT_EQ(lines, 11u);
    EXPECT_TRUE(task.ends_with("\r\n"));
    EXPECT_EQ(std::ranges::count(task, '\r'), 11);
    // Seven of the lines end in a blank before the line break.
    std::size_t trailingBlanks = 0;
    for (std::size_t at = task.find(" \r\n"); at != std::string_view::npos; at = task.find(" \r\n", at + 1))
        ++trailingBlanks;
    EXPECT_EQ(trailingBlanks, 7u);
}

TEST(Content, WindowTitleIsAddressTwoBlanksAndName)
{
    EXPECT_EQ(quiz::windowTitle("https://a.example"), "https://a.example  " + str(quiz::texts().titleSuffix));
}

TEST(Content, LookupOutsideTheTableThrows)
{
    EXPECT_THROW((void)quiz::pair(-1), std::out_of_range);
    EXPECT_THROW((void)quiz::pair(9), std::out_of_range);
}
