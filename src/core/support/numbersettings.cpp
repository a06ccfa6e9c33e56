#include "core/support/numbersettings.h"

namespace radexa {

namespace {
NumberSettings g_settings;
}

const NumberSettings& CurrentNumberSettings() {
    return g_settings;
}

void SetNumberSettings(const NumberSettings& settings) {
    g_settings = settings;
}

ScopedNumberSettings::ScopedNumberSettings(const NumberSettings& settings)
    : m_previous(g_settings) {
    g_settings = settings;
}

ScopedNumberSettings::~ScopedNumberSettings() {
    g_settings = m_previous;
}

NumberSettings ProgramNumberSettings(const NumberSettings& user) {
    NumberSettings s = user;
    s.decimalSeparator = ',';
    s.thousandSeparator = '.';
    return s;
}

} // namespace radexa
