#pragma once

#include "quiz/content.h"

#include <string>

// What the result box says after a verdict.
inline const std::string kWrongVerdict = "Грешка!";

inline std::string rightVerdict(quiz::PairIndex pair)
{
    return "Правилно!\r\n" + std::string{quiz::pair(pair).explanation} + "\r\n";
}
