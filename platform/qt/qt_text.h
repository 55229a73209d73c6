#pragma once

#include "platform/window_description.h"

#include <QColor>
#include <QString>

#include <string_view>

namespace platform {

// The quiz keeps its texts in UTF-8.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor toQColor(const Rgb &rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

} // namespace platform
