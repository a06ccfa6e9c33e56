#include "gui/support/systemnumbers.h"

#include <QLocale>

namespace radexa {

namespace {

char firstLatin1(const QString& s, char fallback) {
    if (s.isEmpty() || s.at(0).unicode() > 0xFF)
        return fallback;
    return static_cast<char>(s.at(0).unicode());
}

} // namespace

NumberSettings SystemNumberSettings() {
    const QLocale locale = QLocale::system();
    NumberSettings s;
    s.decimalSeparator = firstLatin1(locale.decimalPoint(), '.');
    s.thousandSeparator = firstLatin1(locale.groupSeparator(), ',');
    // The locale knows no list separator; the usual rule: ";" where the comma is decimal.
    s.listSeparator = s.decimalSeparator == ',' ? ';' : ',';
    s.monetaryThousandSeparator = s.thousandSeparator;
    return s;
}

} // namespace radexa
