#include "core/support/cp1252.h"

namespace radexa {

namespace {

// 0x80..0x9F; the undefined bytes keep their own number.
constexpr char32_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int byteForCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighTable[i] == cp)
            return 0x80 + i;
    return '?';
}

// The code point of the well-formed UTF-8 sequence at p[i] and its length; 0 when the
// bytes there are no such sequence (cut, overlong, a surrogate, beyond U+10FFFF).
int decodeUtf8(const unsigned char* p, std::size_t n, std::size_t i, char32_t& cp) {
    const unsigned char b = p[i];
    int len = 0;
    char32_t min = 0;
    if (b < 0x80) {
        cp = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        len = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        len = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        len = 4, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + static_cast<std::size_t>(len) > n)
        return 0;
    for (int k = 1; k < len; ++k) {
        if ((p[i + static_cast<std::size_t>(k)] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i + static_cast<std::size_t>(k)] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

} // namespace

char32_t Cp1252CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighTable[byte - 0x80];
    return byte;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes)
        appendUtf8(out, Cp1252CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        char32_t cp = 0;
        const int len = decodeUtf8(p, n, i, cp);
        // A malformed sequence resynchronises on the next byte.
        out += len > 0 ? static_cast<char>(byteForCodePoint(cp)) : '?';
        i += len > 0 ? static_cast<std::size_t>(len) : 1;
    }
    return out;
}

bool FitsCp1252(std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        char32_t cp = 0;
        const int len = decodeUtf8(p, n, i, cp);
        if (len == 0 || (cp != '?' && byteForCodePoint(cp) == '?'))
            return false;
        i += static_cast<std::size_t>(len);
    }
    return true;
}

bool LooksLikeUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    bool beyondAscii = false;
    for (std::size_t i = 0; i < n;) {
        char32_t cp = 0;
        const int len = decodeUtf8(p, n, i, cp);
        if (len == 0)
            return false;
        beyondAscii = beyondAscii || len > 1;
        i += static_cast<std::size_t>(len);
    }
    return beyondAscii;
}

} // namespace radexa
