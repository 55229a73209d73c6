// The quiz's texts, checked against digests taken from the texts as the
// exercise gives them, so that no test compares the program with its own
// constants: a letter or a blank that changes fails here.
#include "quiz/content.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string_view>

using quiz::PairIndex;

namespace {

// FNV-1a, 64 bits, over the UTF-8 bytes.
constexpr std::uint64_t digest(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

struct PairDigests {
    std::uint64_t event;
    std::uint64_t date;
    std::uint64_t explanation;
};

constexpr std::array<PairDigests, quiz::kPairCount> kPairDigests{{
    {0xc9c193f9324a5425, 0x9bb7b032f4bab860, 0x2f1c9ed07343fc03},
    {0x2651c56f5254a826, 0x9c64dcff95947c5f, 0x47bfdbdc3e8e3da5},
    {0x90f138ffd6e48abd, 0xa0db0301a85dcabc, 0x0c0698f6be8279e1},
    {0xedd2aa13cebb2b34, 0xe9120affd9cfa74c, 0xc69dc109c5983168},
    {0xb4c30ef3ced51b61, 0x54e50f29ae995eb7, 0x21217a4f7e639786},
    {0x786e0b5888165e0c, 0x077dde23f7f2b972, 0x7d0b4d842cd03efe},
    {0x75dccc42f7d7686c, 0x7b3704a2de08b0d0, 0xe83627ca683cdd9c},
    {0x2a3d6af324119782, 0x733d74d15d6b431a, 0x17fc5647f61751b4},
    {0x1067f00f0ece9756, 0x98484c8ed9dad1ff, 0x2310ac28697f653a},
}};

} // namespace

TEST(Content, EveryPairReadsExactlyAsGiven)
{
    for (PairIndex i = 0; i < quiz::kPairCount; ++i) {
        const quiz::QuizPair &p = quiz::pair(i);
        const PairDigests &expected = kPairDigests.at(static_cast<std::size_t>(i));
        EXPECT_EQ(digest(p.event), expected.event) << i << ": " << p.event;
        EXPECT_EQ(digest(p.date), expected.date) << i << ": '" << p.date << "'";
        EXPECT_EQ(digest(p.explanation), expected.explanation) << i << ": '" << p.explanation << "'";
    }
}

TEST(Content, FixedTextsReadExactlyAsGiven)
{
    const quiz::FixedTexts &t = quiz::texts();
    EXPECT_EQ(digest(t.heading), 0xc58c49babdbba64aU) << t.heading;
    EXPECT_EQ(digest(t.eventFrameCaption), 0xfaf3a5fe04431387U) << t.eventFrameCaption;
    EXPECT_EQ(digest(t.dateFrameCaption), 0x766adf2b92ab0fa1U) << t.dateFrameCaption;
    EXPECT_EQ(digest(t.clearCaption), 0xa95cc9e213678b81U) << t.clearCaption;
    EXPECT_EQ(digest(t.titleSuffix), 0x62e1ca3f2e3b6516U) << t.titleSuffix;
    EXPECT_EQ(digest(t.wrongVerdict), 0x34c9bc661799281cU) << t.wrongVerdict;
    EXPECT_EQ(digest(t.rightVerdict), 0x27eb3f9222675ceeU) << t.rightVerdict;
    // Eleven lines, each ended by CR LF, blanks at line ends kept.
    EXPECT_EQ(digest(t.taskText), 0xa4ccae7f7771dbf8U) << t.taskText;
}

TEST(Content, ExplanationsAreStoredInPairOrder)
{
    const std::vector<std::string> items = quiz::explanations();
    ASSERT_EQ(items.size(), static_cast<std::size_t>(quiz::kPairCount));
    for (PairIndex i = 0; i < quiz::kPairCount; ++i)
        EXPECT_EQ(digest(items[static_cast<std::size_t>(i)]), kPairDigests.at(static_cast<std::size_t>(i)).explanation)
            << i;
}

TEST(Content, WindowTitleIsAddressTwoBlanksAndName)
{
    EXPECT_EQ(quiz::windowTitle("https://a.example"), "https://a.example  Талвердия");
}

TEST(Content, LookupOutsideTheTableThrows)
{
    EXPECT_THROW((void)quiz::pair(-1), std::out_of_range);
    EXPECT_THROW((void)quiz::pair(9), std::out_of_range);
}
