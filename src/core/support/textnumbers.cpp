#include "core/support/textnumbers.h"

#include "core/support/cp1252.h"
#include "core/support/numbersettings.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>

namespace radexa {

namespace {

bool isBlank(char c) {
    return c == ' ';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string conversionMessage(const char* utf8Template, std::string_view part) {
    // The template holds one "%s"; the message is Windows-1252 like every text.
    std::string t = Utf8ToCp1252(utf8Template);
    const auto at = t.find("%s");
    return t.substr(0, at) + std::string(part) + t.substr(at + 2);
}

[[noreturn]] void failFloat(std::string_view part) {
    throw ConversionError(conversionMessage("'%s' ist kein gültiger Gleitkommawert", part));
}

[[noreturn]] void failInteger(std::string_view part) {
    throw ConversionError(conversionMessage("'%s' ist kein gültiger Integerwert", part));
}

// The platform's floating-point conversion: leading and trailing blanks, an optional
// sign, digits with at most one decimal separator of the current settings, an optional
// exponent. No thousands separator. Returns nothing when the text is not of that form
// or the value does not fit a double.
std::optional<double> platformTextToFloat(std::string_view text) {
    const char sep = CurrentNumberSettings().decimalSeparator;
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    std::string normal;
    normal.reserve(e - b);
    std::size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normal += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < e && isDigit(text[i]))
        normal += text[i++], ++mantissaDigits;
    if (i < e && text[i] == sep) {
        normal += '.';
        ++i;
        while (i < e && isDigit(text[i]))
            normal += text[i++], ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-'))
            normal += text[i++];
        int expDigits = 0;
        while (i < e && isDigit(text[i]))
            normal += text[i++], ++expDigits;
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != e)
        return std::nullopt;
    double v = 0;
    const char* first = normal.data();
    if (*first == '-')
        ++first; // from_chars takes no '+', and the sign is applied below
    const auto r = std::from_chars(first, normal.data() + normal.size(), v);
    if (r.ec != std::errc() || r.ptr != normal.data() + normal.size() || !std::isfinite(v))
        return std::nullopt;
    return normal[0] == '-' ? -v : v;
}

// The integer part before the point: blanks, an optional sign and digits only. (A
// decimal separator or an exponent there would make "1,5.3" or "1e2.5" a number.)
bool isPlainInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (!isDigit(text[i]))
            return false;
    return true;
}

struct Conversion {
    std::string_view prefix, suffix;
    bool left = false;
    int width = 0;
    int precision = -1;
    char type = 0;
};

std::optional<Conversion> parseFormat(std::string_view format) {
    const auto pct = format.find('%');
    if (pct == std::string_view::npos)
        return std::nullopt;
    Conversion s;
    s.prefix = format.substr(0, pct);
    std::size_t i = pct + 1;
    if (i < format.size() && format[i] == '-')
        s.left = true, ++i;
    while (i < format.size() && isDigit(format[i])) {
        s.width = s.width * 10 + (format[i++] - '0');
        if (s.width > 1000)
            return std::nullopt;
    }
    if (i < format.size() && format[i] == '.') {
        ++i;
        s.precision = 0;
        while (i < format.size() && isDigit(format[i])) {
            s.precision = s.precision * 10 + (format[i++] - '0');
            if (s.precision > 1000)
                return std::nullopt;
        }
    }
    if (i >= format.size())
        return std::nullopt;
    s.type = format[i];
    s.suffix = format.substr(i + 1);
    return s;
}

// Prefix, the body filled with blanks to the width, suffix: built in one string.
std::string pad(const Conversion& s, std::string_view body) {
    const std::size_t fill = static_cast<int>(body.size()) < s.width
                                 ? static_cast<std::size_t>(s.width) - body.size()
                                 : 0;
    std::string out;
    out.reserve(s.prefix.size() + fill + body.size() + s.suffix.size());
    out += s.prefix;
    if (!s.left)
        out.append(fill, ' ');
    out += body;
    if (s.left)
        out.append(fill, ' ');
    out += s.suffix;
    return out;
}

std::string fixed(double x, int precision) {
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    char buf[1400];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, precision);
    if (r.ec != std::errc())
        return "OVERFLOW";
    std::string out(buf, r.ptr);
    const char sep = CurrentNumberSettings().decimalSeparator;
    for (char& c : out)
        if (c == '.')
            c = sep;
    return out;
}

} // namespace

namespace {

// 10^n for the lengths a fraction of up to ten digits (and a few leading zeros more) has:
// each is a double exactly, so dividing by it gives the same bits as dividing by pow().
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

double powerOfTen(std::size_t n) {
    return n < std::size(kPowersOfTen) ? kPowersOfTen[n] : std::pow(10.0, static_cast<double>(n));
}

// The value of a plain integer (isPlainInteger) of up to 15 digits, which a double holds
// exactly, so that it equals what the platform's conversion gives (-0 included); nothing
// for longer ones, which take the platform's conversion.
std::optional<double> exactInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (text.size() - i > 15)
        return std::nullopt;
    std::int64_t n = 0;
    for (; i < text.size(); ++i)
        n = n * 10 + (text[i] - '0');
    const double v = static_cast<double>(n);
    return negative ? -v : v;
}

} // namespace

double StrToReal(std::string_view text) {
    const std::int32_t p = LastCharPos(text, '.');
    if (p <= 0) {
        const auto v = platformTextToFloat(text);
        if (!v)
            failFloat(text);
        return *v;
    }
    const std::string_view intText = text.substr(0, static_cast<std::size_t>(p - 1));
    const std::string_view fracText = text.substr(static_cast<std::size_t>(p));
    if (!isPlainInteger(intText))
        failFloat(intText);
    auto intPart = exactInteger(intText);
    if (!intPart)
        intPart = platformTextToFloat(intText);
    if (!intPart)
        failFloat(intText);
    // The fraction: digits only, as a 32-bit signed integer.
    if (fracText.empty())
        failInteger(fracText);
    std::int64_t frac = 0;
    for (char c : fracText) {
        if (!isDigit(c))
            failInteger(fracText);
        frac = frac * 10 + (c - '0');
        if (frac > std::numeric_limits<std::int32_t>::max())
            failInteger(fracText);
    }
    const double fracValue = static_cast<double>(frac) / powerOfTen(fracText.size());
    std::size_t b = 0;
    while (b < intText.size() && isBlank(intText[b]))
        ++b;
    const bool negative = b < intText.size() && intText[b] == '-';
    return negative ? *intPart - fracValue : *intPart + fracValue;
}

bool TryStrToReal(std::string_view text, double& value) {
    try {
        value = StrToReal(text);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

std::int32_t LastCharPos(std::string_view text, char c) {
    const auto at = text.rfind(c);
    return at == std::string_view::npos ? -1 : static_cast<std::int32_t>(at + 1);
}

std::string TextAfter(std::string_view text, int n) {
    if (n < 0)
        n = 0;
    if (text.size() <= static_cast<std::size_t>(n))
        return {};
    return std::string(text.substr(static_cast<std::size_t>(n)));
}

StringArray SplitText(std::string_view text, char separator) {
    StringArray out;
    if (text.empty())
        return out;
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find(separator, start);
        if (at == std::string_view::npos) {
            out.emplace_back(text.substr(start));
            return out;
        }
        out.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
}

bool LineCursor::Next(std::string_view& line) {
    if (m_position >= m_text.size())
        return false;
    std::size_t end = m_position;
    while (end < m_text.size() && m_text[end] != '\r' && m_text[end] != '\n')
        ++end;
    ++m_number;
    if (end == m_text.size()) {
        line = m_text.substr(m_position);
        m_position = m_text.size();
        return true;
    }
    line = m_text.substr(m_position, end - m_position);
    m_position = end + 1;
    if (m_text[end] == '\r' && m_position < m_text.size() && m_text[m_position] == '\n')
        ++m_position;
    return true;
}

std::vector<std::string_view> SplitLineViews(std::string_view text) {
    std::vector<std::string_view> out;
    LineCursor lines(text);
    for (std::string_view line; lines.Next(line);)
        out.push_back(line);
    return out;
}

StringArray SplitLines(std::string_view text) {
    const std::vector<std::string_view> views = SplitLineViews(text);
    return StringArray(views.begin(), views.end());
}

std::string EchoText(std::string_view text, std::size_t maxLength) {
    const bool cut = text.size() > maxLength;
    std::string out(text.substr(0, maxLength));
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            c = '?';
    }
    if (cut)
        out += '\x85';
    return out;
}

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

bool SameTextNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

std::string FormatReal(std::string_view format, double x) {
    const auto s = parseFormat(format);
    if (!s)
        return std::string(format);
    switch (s->type) {
    case 'f':
        return pad(*s, fixed(x, s->precision < 0 ? 6 : s->precision));
    case 'd':
        return pad(*s, fixed(std::trunc(x), 0));
    default:
        return std::string(format);
    }
}

std::string FormatPositiveReal(std::string_view format, double x) {
    if (!(x > 0) || !std::isfinite(x))
        return "---";
    return FormatReal(format, x);
}

std::string FormatText(std::string_view format, std::string_view text) {
    const auto s = parseFormat(format);
    if (!s || s->type != 's')
        return std::string(format);
    std::string body(text);
    if (s->precision >= 0 && body.size() > static_cast<std::size_t>(s->precision))
        body.resize(static_cast<std::size_t>(s->precision));
    return pad(*s, body);
}

std::string FormatInt(std::string_view format, std::int64_t n) {
    const auto s = parseFormat(format);
    if (!s)
        return std::string(format);
    if (s->type == 'f')
        return FormatReal(format, static_cast<double>(n));
    if (s->type != 'd')
        return std::string(format);
    std::string digits =
        std::to_string(n < 0 ? -static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n));
    // A precision gives the least number of digits, as printf does.
    if (s->precision > 0 && digits.size() < static_cast<std::size_t>(s->precision))
        digits.insert(0, static_cast<std::size_t>(s->precision) - digits.size(), '0');
    return pad(*s, (n < 0 ? "-" : "") + digits);
}

std::string FormatBandEdge(double x) {
    const char* format = "%6.0f";
    if (InRange(x, 0, 1))
        format = "%6.4f";
    if (InRange(x, 1, 100))
        format = "%6.2f";
    if (InRange(x, 100, 1000))
        format = "%6.2f";
    if (InRange(x, 1000, 10000))
        format = "%6.1f";
    return FormatReal(format, x);
}

int IntegerDigits(double x) {
    const double t = std::trunc(std::fabs(x));
    if (!(t > 0) || !std::isfinite(t))
        return 1;
    int d = static_cast<int>(std::floor(std::log10(t))) + 1;
    // log10 may land just below a power of ten; correct by the exact comparison.
    if (d > 1 && t < std::pow(10.0, d - 1))
        --d;
    else if (t >= std::pow(10.0, d))
        ++d;
    return d;
}

std::string FormatToWidth(int width, double x) {
    int d = IntegerDigits(x);
    if (x < 0)
        ++d;
    ++d;
    const int decimals = width - d < 0 ? 0 : width - d;
    return FormatReal("%" + std::to_string(d) + "." + std::to_string(decimals) + "f", x);
}

bool InRange(double x, double low, double high) {
    return low <= x && x < high;
}

bool InClosedRange(double x, double low, double high) {
    return low <= x && x <= high;
}

bool WithinPercent(double x, double reference, double percent) {
    const double delta = reference * percent / 100.0;
    return reference - delta <= x && x <= reference + delta;
}

std::string PadLeft(std::string_view text, std::size_t length, char c) {
    if (text.size() >= length)
        return std::string(text);
    return std::string(length - text.size(), c) + std::string(text);
}

std::string FillArguments(std::string_view text, const StringArray& arguments) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool placeholder =
            text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
        const auto n = placeholder ? static_cast<std::size_t>(text[i + 1] - '1') : arguments.size();
        if (n < arguments.size()) {
            out += arguments[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace radexa
