// Between the core's wide text (UTF-16 code units) and Qt's strings, which hold the same units.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace veld::desktop {

inline QString qs(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string u16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

}  // namespace veld::desktop
