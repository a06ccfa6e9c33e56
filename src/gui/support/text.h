#pragma once
// The window's edge: core texts are Windows-1252 bytes, Qt speaks QString.

#include "core/support/cp1252.h"

#include <QString>

#include <string>
#include <string_view>

namespace radexa {

inline QString toQ(std::string_view cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

inline std::string fromQ(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

} // namespace radexa
