#include "content.h"

#include <stdexcept>

namespace quiz {

namespace {

constexpr std::array<QuizPair, kPairCount> kPairs{{
    QuizPair{"Нощ на театрите",
             "2008 г. в Хърватска",
             "Нощ на театрите - 2008 г. в Хърватска"},
    QuizPair{"Дълга нощ на музеите",
             "1997 г. в Берлин",
             "Дълга нощ на музеите - 1997 г. в Берлин"},
    QuizPair{"Валпургиева нощ",
             "30.IV викингски обичаи",
             "Валпургиева нощ - 30.IV викингски обичаи"},
    QuizPair{"Световна нощ на книгата",
             "23.IV  Шекспир",
             "Световна нощ на книгата - 23.IV  Шекспир"},
    QuizPair{"Вартоломеева нощ",
             "24.VIII.1572 ",
             "Вартоломеева нощ - 24.VIII.1572 "},
    QuizPair{"Кристална нощ",
             "9 - 10 XI.1938",
             "Кристална нощ - 9 - 10 XI.1938"},
    QuizPair{"Нощ на дългите ножове",
             "30.VI.1934",
             "Нощ на дългите ножове - 30.VI.1934"},
    QuizPair{"Бяла нощ",
             "се наблюдава полуздрач",
             "Бяла нощ - се наблюдава полуздрач"},
    QuizPair{"Тиха нощ, свята нощ",
             "24.XII",
             "Тиха нощ, свята нощ 24.XII Бъдни вечер"},
}};

constexpr std::array<PairIndex, kPairCount> kEventScreenOrder{7, 2, 4, 1, 5, 6, 0, 3, 8};
constexpr std::array<PairIndex, kPairCount> kDateScreenOrder{1, 0, 3, 4, 8, 2, 6, 5, 7};

constexpr FixedTexts kTexts{
    .heading = "Зорелмина",
    .eventFrameCaption = "Знаменателно събитие",
    .dateFrameCaption = "Асоциация",
    .clearCaption = "Изчисти",
    .titleSuffix = "Талвердия",
    .wrongVerdict = "Грешка!",
    .rightVerdict = "Правилно!",
    .taskText =
        "Да се реализира проект, представящ междупредметни връзки \r\n"
        "История и Информатика. \r\n"
        "Тема на проекта: Зорелмина.\r\n"
        "В проекта да са изброени (в азбучен ред) отделни събития и \r\n"
        "дата свързана с тях.\r\n"
        "При правилно посочване на двойката събитие (радиобутон) \r\n"
        "и дата за него (опционален бутон) проектът да извежда \r\n"
        "кратка информация за събитието.\r\n"
        "Ако посочения пример е грешен или са посочени \r\n"
        "едновременно няколко дати да се извежда съобщение за \r\n"
        "грешен избор.\r\n",
};

} // namespace

const std::array<QuizPair, kPairCount> &pairs()
{
    return kPairs;
}

std::size_t slotOf(PairIndex index)
{
    if (index < 0 || index >= kPairCount)
        throw std::out_of_range("pair index out of range");
    return static_cast<std::size_t>(index);
}

const QuizPair &pair(PairIndex index)
{
    return kPairs[slotOf(index)];
}

std::vector<std::string> explanations()
{
    std::vector<std::string> items;
    items.reserve(kPairs.size());
    for (const QuizPair &p : kPairs)
        items.emplace_back(p.explanation);
    return items;
}

const std::array<PairIndex, kPairCount> &eventScreenOrder()
{
    return kEventScreenOrder;
}

const std::array<PairIndex, kPairCount> &dateScreenOrder()
{
    return kDateScreenOrder;
}

const FixedTexts &texts()
{
    return kTexts;
}

std::string windowTitle(std::string_view webAddress)
{
    std::string title{webAddress};
    title += "  ";
    title += kTexts.titleSuffix;
    return title;
}

} // namespace quiz
