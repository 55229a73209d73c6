#include "tarvel_mondix_description.h"

#include "quiz/content.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace window {

namespace {

using platform::ControlDescription;
using platform::ControlKind;
using platform::Rgb;
using platform::Twips;
using quiz::PairIndex;

constexpr Rgb kLavender{192, 192, 255};
constexpr Rgb kDateCyan{128, 255, 255};
constexpr Rgb kEventPink{255, 128, 255};
constexpr Rgb kClearRed{255, 0, 0};
constexpr Rgb kHeadingPeach{255, 192, 128};

constexpr Twips kRowHeight = 300;

// Tab positions by pair index. The ninth pair was added last and sits at the
// end of the chain.
constexpr std::array<int, quiz::kPairCount> kEventTabs{6, 7, 8, 9, 10, 11, 12, 13, 23};
constexpr std::array<int, quiz::kPairCount> kDateTabs{15, 16, 17, 18, 19, 20, 21, 22, 24};

// Row n (from 1) of a column stands n rows below the top of its frame.
Twips rowTop(const std::array<PairIndex, quiz::kPairCount> &screenOrder, PairIndex index)
{
    // The classic algorithm: the browser's C++ library (Debian 12's
    // emscripten) has no ranges yet.
    // NOLINTNEXTLINE(modernize-use-ranges)
    const auto row = std::distance(screenOrder.begin(), std::find(screenOrder.begin(), screenOrder.end(), index));
    return kRowHeight * static_cast<Twips>(row + 1);
}

std::string str(std::string_view text)
{
    return std::string{text};
}

// Arrays are listed from the last index down, as the window creates them.
void addDateBoxes(std::vector<ControlDescription> &controls)
{
    for (PairIndex i = quiz::kPairCount - 1; i >= 0; --i) {
        controls.push_back({.name = str(kDateBoxes), .index = i, .container = str(kDateFrame),
                            .kind = ControlKind::CheckBox, .caption = str(quiz::pair(i).date),
                            .left = 120, .top = rowTop(quiz::dateScreenOrder(), i),
                            .width = 2895, .height = 300, .background = kDateCyan,
                            .tabIndex = kDateTabs[static_cast<std::size_t>(i)]});
    }
}

void addEventButtons(std::vector<ControlDescription> &controls)
{
    for (PairIndex i = quiz::kPairCount - 1; i >= 0; --i) {
        controls.push_back({.name = str(kEventButtons), .index = i, .container = str(kEventFrame),
                            .kind = ControlKind::OptionButton, .caption = str(quiz::pair(i).event),
                            .left = 120, .top = rowTop(quiz::eventScreenOrder(), i),
                            .width = 3015, .height = 300, .background = kEventPink,
                            .tabIndex = kEventTabs[static_cast<std::size_t>(i)]});
    }
}

} // namespace

std::string_view defaultWebAddress()
{
    return ZORELMINA_WEB_ADDRESS;
}

platform::WindowDescription describeTarvelMondix(std::string_view webAddress)
{
    const quiz::FixedTexts &texts = quiz::texts();
    platform::WindowDescription window{
        .name = "Tarvel_Mondix",
        .title = quiz::windowTitle(webAddress),
        .clientWidth = 7260,
        .clientHeight = 6090,
        .background = kLavender,
        .font = {.family = "Times New Roman",
                 .generic = platform::GenericFamily::Serif,
                 .pointSize = 12,
                 .weight = 400,
                 .charset = 204},
        .minimiseButton = false,
        .maximiseButton = false,
        .icon = "zorelmina",
        .controls = {},
        .failure = {.caption = str(texts.heading), .preamble = "Програмата спира поради грешка:"},
    };
    auto &controls = window.controls;

    controls.push_back({.name = str(kDateFrame), .kind = ControlKind::Frame,
                        .caption = str(texts.dateFrameCaption), .left = 4080, .top = 480,
                        .width = 3135, .height = 3135, .background = kLavender, .tabIndex = 14});
    addDateBoxes(controls);
    controls.push_back({.name = str(kEventFrame), .kind = ControlKind::Frame,
                        .caption = str(texts.eventFrameCaption), .left = 120, .top = 500,
                        .width = 3255, .height = 3120, .background = kLavender, .tabIndex = 5});
    addEventButtons(controls);
    controls.push_back({.name = str(kExplanationList), .kind = ControlKind::ListBox,
                        .items = quiz::explanations(), .left = 3600, .top = 720, .width = 375,
                        .height = 1200, .tabIndex = 4, .visible = false});
    controls.push_back({.name = str(kClearButton), .kind = ControlKind::PushButton,
                        .caption = str(texts.clearCaption), .left = 3120, .top = 3720,
                        .width = 1335, .height = 405, .background = kClearRed, .tabIndex = 3});
    controls.push_back({.name = str(kResultBox), .index = kResultBoxIndex,
                        .kind = ControlKind::TextBox, .caption = str(texts.taskText),
                        .left = 240, .top = 4200, .width = 6735, .height = 1815, .tabIndex = 0,
                        .accessibleName = "Резултат"});
    controls.push_back({.name = str(kHeading), .index = 0, .kind = ControlKind::Label,
                        .caption = str(texts.heading), .left = 1200, .top = 0, .width = 4575,
                        .height = 375, .background = kHeadingPeach, .tabIndex = 2});
    return window;
}

} // namespace window
