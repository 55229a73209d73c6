#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// One index names a pair everywhere: its event button, its date box and its
// explanation. -1 means "nothing chosen".
using PairIndex = std::int16_t;

inline constexpr PairIndex kPairCount = 9;
inline constexpr PairIndex kNoPair = -1;

struct QuizPair {
    std::string_view event;
    std::string_view date;
    std::string_view explanation;
};

// The nine pairs in index order.
const std::array<QuizPair, kPairCount> &pairs();
const QuizPair &pair(PairIndex index);

// The index as a position in a nine-long array of controls or pairs;
// std::out_of_range outside 0 to 8.
std::size_t slotOf(PairIndex index);

// The explanations alone, in index order, as the hidden list stores them.
std::vector<std::string> explanations();

// Top-to-bottom order of each column on screen, as pair indexes. The two
// columns are ordered independently so that no row lines up with its pair.
const std::array<PairIndex, kPairCount> &eventScreenOrder();
const std::array<PairIndex, kPairCount> &dateScreenOrder();

inline constexpr std::string_view kLineEnd = "\r\n";

struct FixedTexts {
    std::string_view heading;
    std::string_view eventFrameCaption;
    std::string_view dateFrameCaption;
    std::string_view clearCaption;
    std::string_view titleSuffix;
    std::string_view wrongVerdict;
    std::string_view rightVerdict;
    // The exercise statement shown in the result box at start-up; every
    // line, the last included, ends in CR LF.
    std::string_view taskText;
};

const FixedTexts &texts();

// The publisher's web address, two blanks, then the fixed suffix.
std::string windowTitle(std::string_view webAddress);

} // namespace quiz
