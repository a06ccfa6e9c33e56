#pragma once
// Windows-1252 <-> UTF-8. The core and every file speak Windows-1252 bytes; the window
// speaks UTF-8 / QString. The conversion happens once, at the window's edge.

#include <string>
#include <string_view>

namespace radexa {

// Every byte has a code point: the five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, so that
// any byte string survives the round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// Code points without a Windows-1252 byte, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// True when every character of the UTF-8 text has a Windows-1252 byte (malformed UTF-8
// does not fit).
bool FitsCp1252(std::string_view utf8);

// True when the bytes are well-formed UTF-8 holding at least one character beyond ASCII,
// as a file that an editor saved as UTF-8. (Windows-1252 text with such characters is
// practically never well-formed UTF-8: "\xF6h" is not.)
bool LooksLikeUtf8(std::string_view bytes);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252CodePoint(unsigned char byte);

} // namespace radexa
