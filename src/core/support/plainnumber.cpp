#include "core/support/plainnumber.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace radexa {

std::string PlainFixed(double x, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    if (!text.empty() && text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string PlainShortest(double x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ec == std::errc() ? result.ptr : buffer);
}

bool TryPlainNumber(std::string_view text, double& value) {
    const bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    if (text.empty() || (plus && (text.front() == '+' || text.front() == '-')))
        return false;
    // from_chars reads neither "inf" nor "nan" as the texts of numbers here: only digits.
    const char first = text.front() == '-' && text.size() > 1 ? text[1] : text.front();
    if (!(first == '.' || (first >= '0' && first <= '9')))
        return false;
    double parsed = 0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

} // namespace radexa
