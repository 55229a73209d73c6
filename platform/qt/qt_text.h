#pragma once

#include <QString>

#include <string_view>

namespace platform {

// The quiz keeps its texts in UTF-8.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace platform
